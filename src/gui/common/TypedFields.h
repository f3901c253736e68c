#pragma once
// Entry boxes that take only what their field means: numbers in number boxes, dates typed the way
// an Indian office types them in date boxes. A wrong value is refused when the operator leaves the
// box with Enter or Tab (EntryKeys asks) or saves (the form asks): the message names the field,
// the cursor stays in it with the text selected, and nothing is saved.
//
//   auto* mtrs = new NumberBox(QStringLiteral("Mtrs"), {3});      // "1O8.5" -> "Mtrs takes a number..."
//   auto* date = new DateBox;                                        // "5/12/26" -> 05-12-2026
//   date->setFinancialYear(session.yearStartDate, session.yearEndDate);  // "5-2" -> 05-02-2027
//   if (refuseTypedValues(form, messages)) return;                   // before a save
#include "core/Messages.h"
#include "core/TypedValues.h"

#include <QDateEdit>
#include <QLineEdit>

namespace tanabana::gui {

class NumberBox : public QLineEdit {
    Q_OBJECT
public:
    // `caption` names the field in refusals; empty takes the text of the label whose buddy the box
    // is (without its ":"), then the object name.
    explicit NumberBox(const QString& caption = {}, NumberRule rule = {}, QWidget* parent = nullptr);
    void setRule(const NumberRule& rule) { rule_ = rule; }
    const NumberRule& rule() const { return rule_; }
    QString caption() const;
    // The refusal of what is typed, empty when it is a number of the rule.
    QString refusal() const;
    // The number typed (0 when empty); meaningful once refusal() is empty.
    Decimal value() const { return typedDecimal(text()); }

private:
    QString caption_;
    NumberRule rule_;
};

// A dd-MM-yyyy date box that also takes "05-12-26", "5/12/2026", "05122026" and "5-12" typed over
// it; the typed text becomes the date when the box is left. Arrow keys still step day, month, year.
class DateBox : public QDateEdit {
    Q_OBJECT
public:
    explicit DateBox(QWidget* parent = nullptr);
    // The open year: decides the year of a date typed without one.
    void setFinancialYear(const QDate& start, const QDate& end);
    // "Date is not a proper date: 31-02-2026." for an impossible typed date; empty when fine.
    QString refusal() const;
    QString caption() const;
    // Makes an accepted typed text the box's date at once (before the box is left).
    void takeTyped();

protected:
    QValidator::State validate(QString& input, int& position) const override;
    void fixup(QString& input) const override;
    QDateTime dateTimeFromText(const QString& text) const override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    std::optional<QDate> typedDate(const QString& text) const;
    QDate yearStart_, yearEnd_;
};

// Shows the refusal of `field` (a NumberBox or DateBox; other widgets pass) titled "Wrong Number"
// or "Wrong Date", keeps the cursor there with the text selected; true when refused.
bool refuseTypedValue(QWidget* field, Messages& messages);
// The same for every such box inside `form` that is enabled, the first refusal only.
bool refuseTypedValues(QWidget* form, Messages& messages);

}  // namespace tanabana::gui
