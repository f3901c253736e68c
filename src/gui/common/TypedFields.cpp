#include "gui/common/TypedFields.h"

#include <QKeyEvent>
#include <QLabel>
#include <QRegularExpression>

namespace tanabana::gui {

namespace {

// The caption a box is known by on its screen: its label's text without "&" and ":", else its
// object name without the control prefix ("txtRate" -> "Rate").
QString captionOf(const QWidget* box) {
    if (box->parentWidget())
        for (const QLabel* label : box->parentWidget()->findChildren<QLabel*>())
            if (label->buddy() == box) {
                QString text = label->text();
                text.remove(QLatin1Char('&'));
                while (text.endsWith(QLatin1Char(':')) || text.endsWith(QLatin1Char(' '))) text.chop(1);
                if (!text.isEmpty()) return text.trimmed();
            }
    if (!box->accessibleName().isEmpty()) return box->accessibleName();
    QString name = box->objectName();
    static const QRegularExpression prefix(QStringLiteral("^(txt|Txt|Dtp|DTPicker|dtp)"));
    name.remove(prefix);
    return name.isEmpty() ? QStringLiteral("This field") : name;
}

bool isTypingKey(const QKeyEvent* key) {
    const QString text = key->text();
    if (text.size() != 1) return false;
    const QChar c = text.at(0);
    return c.isDigit() || c == QLatin1Char('-') || c == QLatin1Char('/') || c == QLatin1Char('.') || c == QLatin1Char(' ');
}

}  // namespace

NumberBox::NumberBox(const QString& caption, NumberRule rule, QWidget* parent) : QLineEdit(parent), caption_(caption), rule_(rule) {
    setAlignment(Qt::AlignRight);
    setMaxLength(24);
}

QString NumberBox::caption() const { return caption_.isEmpty() ? captionOf(this) : caption_; }

QString NumberBox::refusal() const { return numberRefusal(text(), caption(), rule_); }

DateBox::DateBox(QWidget* parent) : QDateEdit(parent) {
    setDisplayFormat(QStringLiteral("dd-MM-yyyy"));
    setCalendarPopup(true);
    setKeyboardTracking(false);
}

void DateBox::setFinancialYear(const QDate& start, const QDate& end) {
    yearStart_ = start;
    yearEnd_ = end;
}

QString DateBox::caption() const { return captionOf(this); }

std::optional<QDate> DateBox::typedDate(const QString& text) const { return parseTypedDate(text, yearStart_, yearEnd_); }

QValidator::State DateBox::validate(QString& input, int& position) const {
    const QString typed = input.trimmed();
    if (typed.isEmpty()) return QValidator::Intermediate;
    static const QRegularExpression typing(QStringLiteral("^[0-9 ./-]{1,10}$"));
    if (!typing.match(typed).hasMatch()) return QValidator::Invalid;
    // only the shown form is taken at once; anything else is read when the box is left
    if (typed.size() == 10 && typed == input && QDate::fromString(typed, displayFormat()).isValid()) {
        const QDate d = QDate::fromString(typed, displayFormat());
        return d >= minimumDate() && d <= maximumDate() ? QValidator::Acceptable : QValidator::Intermediate;
    }
    Q_UNUSED(position);
    return QValidator::Intermediate;
}

void DateBox::fixup(QString& input) const {
    if (const auto d = typedDate(input); d && *d >= minimumDate() && *d <= maximumDate()) input = d->toString(displayFormat());
}

QDateTime DateBox::dateTimeFromText(const QString& text) const {
    if (const auto d = typedDate(text)) return QDateTime(*d, QTime(0, 0));
    return QDateEdit::dateTimeFromText(text);
}

void DateBox::keyPressEvent(QKeyEvent* event) {
    // digits and separators are typed over the date as plain text, read when the box is left
    if (isTypingKey(event) || event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete) {
        if (QLineEdit* edit = lineEdit()) {
            // the first digit typed over a shown date starts a new one, whatever part was selected
            if (isTypingKey(event) && edit->text() == date().toString(displayFormat())) edit->selectAll();
            edit->event(event);
            // a date typed whole with its four-digit year ("01082024", "1/8/2024") is taken at once
            static const QRegularExpression whole(QStringLiteral("^(\\d{8}|\\d{1,2}[-/. ]\\d{1,2}[-/. ]\\d{4})$"));
            if (whole.match(edit->text().trimmed()).hasMatch()) takeTyped();
            return;
        }
    }
    QDateEdit::keyPressEvent(event);
}

void DateBox::focusInEvent(QFocusEvent* event) {
    QDateEdit::focusInEvent(event);
    if (QLineEdit* edit = lineEdit()) edit->selectAll();
}

QString DateBox::refusal() const {
    const QString typed = text().trimmed();
    if (typed == date().toString(displayFormat())) return {};
    const auto d = typedDate(typed);
    if (!d) return QStringLiteral("%1 is not a proper date: %2.").arg(caption(), typed);
    if (*d < minimumDate() || *d > maximumDate())
        return QStringLiteral("%1 must lie between %2 and %3.")
            .arg(caption(), minimumDate().toString(displayFormat()), maximumDate().toString(displayFormat()));
    return {};
}

void DateBox::takeTyped() {
    const auto d = typedDate(text());
    if (!d || *d < minimumDate() || *d > maximumDate()) return;
    if (*d != date()) setDate(*d);
    else if (QLineEdit* edit = lineEdit()) edit->setText(d->toString(displayFormat()));
}

bool refuseTypedValue(QWidget* field, Messages& messages) {
    QString refusal, title;
    QLineEdit* edit = nullptr;
    if (auto* number = qobject_cast<NumberBox*>(field)) {
        refusal = number->refusal();
        title = numberRefusalTitle();
        edit = number;
    } else if (auto* date = qobject_cast<DateBox*>(field)) {
        refusal = date->refusal();
        title = QStringLiteral("Wrong Date");
        edit = date->findChild<QLineEdit*>();
    }
    if (refusal.isEmpty()) {
        // a typed date becomes the box's date as soon as it is accepted
        if (auto* date = qobject_cast<DateBox*>(field)) date->takeTyped();
        return false;
    }
    messages.critical(title, refusal);
    field->setFocus(Qt::OtherFocusReason);
    if (edit) edit->selectAll();
    return true;
}

bool refuseTypedValues(QWidget* form, Messages& messages) {
    for (QWidget* child : form->findChildren<QWidget*>())
        if ((qobject_cast<NumberBox*>(child) || qobject_cast<DateBox*>(child)) && child->isEnabled() && refuseTypedValue(child, messages))
            return true;
    return false;
}

}  // namespace tanabana::gui
