#pragma once
// The shape every master screen shares (firms, accounts, groups, books, items, brokers, looms):
// a caption, the entry fields declared as lists (column, caption, kind) in one or more framed
// sections, a search box with the list of saved entries beside them, and the buttons New, Save,
// Delete, Cancel, Find, Print and Exit. Enter moves on, Esc goes back, F2/F3/F4 put in the firm's
// texts. Before a save or delete the form asks the year lock and the operator's rights, so a
// closed year or a missing right is refused before anything is asked or written. A screen only
// declares its fields and calls its service; the rules and the messages live in the service.
#include "core/Session.h"
#include "core/TypedValues.h"
#include "gui/common/MessageBoxes.h"

#include <QVariantMap>
#include <QWidget>
#include <map>
#include <vector>

class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QVBoxLayout;

namespace tanabana::gui {

struct FieldSpec {
    // Keyed: a list whose entries carry a key (an account's Id); the value is the key, 0 for none.
    enum Kind { Text, Number, Choice, EditableChoice, Check, Date, Password, ReadOnly, Keyed };
    QString column;     // the column the value is saved to; also the field's object name
    QString caption;
    Kind kind = Text;
    QStringList choices;
};

class MasterForm : public QWidget {
    Q_OBJECT
public:
    // Refusals and questions go to `messages` when given (tests), else to message boxes.
    MasterForm(const QString& objectName, const QString& caption, Session& session, QWidget* parent = nullptr,
               Messages* messages = nullptr);

    // Field values keyed by column: texts as typed, a choice as its entry, a check box as
    // "Yes"/"No", a date as a QDate, a keyed list as its key.
    QVariantMap values() const;
    void setValue(const QString& column, const QVariant& value);
    QWidget* field(const QString& column) const;
    void focusField(const QString& column);
    // How a Number field reads (decimals, sign, digits); by default three decimals, no minus.
    void setNumberRule(const QString& column, const NumberRule& rule);
    // Offers these values while typing in a field (groups, units, HSN codes, cities).
    void offer(const QString& column, const QStringList& values);
    // The entries of a keyed list: (text, key) in the order shown.
    void setKeyedChoices(const QString& column, const std::vector<std::pair<QString, qint64>>& entries);
    QTableWidget* list() const { return list_; }
    QLineEdit* findBox() const { return find_; }
    QPushButton* button(const QString& objectName) const;
    qint64 currentKey() const { return key_; }
    // True when a field differs from the entry as it was opened or started.
    bool hasUnsavedChanges() const { return values() != opened_; }
    // Wide and tall enough for every field without squeezing; the main window bounds it to its area.
    QSize sizeHint() const override;
    // The text of the line under the buttons that names the screen's keys ("F10 = System Param").
    QString keyHints() const;

signals:
    // After a save went through (the main window shows a renamed firm at once).
    void saved(qint64 key);

public slots:
    void newEntry();
    void saveEntry();
    void deleteEntry();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // Leaving with unsaved changes asks save, discard or go back.
    void closeEvent(QCloseEvent* event) override;
    // Adds fields in a grid of `columnsOfFields` caption/field pairs; with a title, inside a
    // framed section of that name (returned, so a screen can show or hide it).
    QGroupBox* addFields(const std::vector<FieldSpec>& fields, int columnsOfFields = 2, const QString& sectionTitle = {});
    // A widget of the screen's own below the fields (a grid of colours, firms to post in).
    void addBelowFields(QWidget* widget);
    // A widget of the screen's own below the list of saved entries.
    void addBelowList(QWidget* widget);
    void setListRows(const QStringList& headers, const std::vector<QStringList>& rows, const std::vector<qint64>& keys);
    void setFindCaption(const QString& caption);
    void setKeyHints(const QString& hints);
    void clearFields();
    // The entry shown is this saved one (0: a new entry); a saved one counts as opened unchanged.
    void setKey(qint64 key);
    // Wires the keys and opens a new entry; the last call of a screen's constructor.
    void finishLayout();
    // Runs the print button; without one it stays disabled.
    void setPrintAction(std::function<void()> action);

    // The screen's service calls. save returns the key written (0 after a refusal, when
    // `focusColumn` names the field to correct); remove returns true when deleted.
    virtual qint64 save(const QVariantMap& values, QString* focusColumn) = 0;
    virtual bool remove(qint64 key) = 0;
    virtual void load(qint64 key) = 0;
    virtual void refreshList() = 0;
    // Fills the fields of a new entry (next code, defaults).
    virtual void prepareNew() {}
    // A function key the screen handles itself (F10, F8...); true when handled.
    virtual bool functionKey(int key) { return false; }
    // The year lock and the general rights asked before a save or delete; false after the refusal.
    // Screens that edit rows of other firms (the firm master) may ask more.
    virtual bool mayWrite(bool deleting);

    Session& session_;
    MessageBoxes boxes_;
    Messages& messages_;

private:
    void chooseListRow(int row);
    bool saveCurrent();
    void markOpened() { opened_ = values(); }
    QWidget* makeField(const FieldSpec& field, QWidget* parent);
    QVBoxLayout* fieldsColumn_;
    QVBoxLayout* listColumn_;
    QWidget* fieldsArea_;
    QLabel* findCaption_;
    QLineEdit* find_;
    QTableWidget* list_;
    QLabel* hints_;
    std::vector<FieldSpec> fields_;
    std::map<QString, QWidget*> widgets_;
    std::vector<qint64> keys_;
    std::function<void()> print_;
    qint64 key_ = 0;
    QVariantMap opened_;
};

// Text of an amount for a field or list: "105.00", empty for nothing.
QString amountText(double value, int places = 2);
// Text of a stored number for a field that must give back what was typed: at least two decimals,
// more when the number has them ("0.075" stays 0.075, not 0.08), at most `maxPlaces`.
QString exactText(double value, int maxPlaces = 3);

}  // namespace tanabana::gui
