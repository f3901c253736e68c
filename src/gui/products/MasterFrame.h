#pragma once
// The shape the item, broker, list and loom screens share: a caption, the entry fields declared
// as a list (column, caption, kind), a search box with the list of saved entries beside them,
// and the buttons New, Save, Delete, Cancel, Print and Exit. Enter moves on, Esc goes back.
// A screen only declares its fields and calls its service; the rules live in the service.
#include "core/Session.h"
#include "gui/common/MessageBoxes.h"

#include <QVariantMap>
#include <QWidget>
#include <vector>

class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace tanabana::gui {

struct FieldSpec {
    enum Kind { Text, Number, Choice, EditableChoice, Check };
    QString column;     // the column the value is saved to; also the field's object name
    QString caption;
    Kind kind = Text;
    QStringList choices;
};

class MasterFrame : public QWidget {
    Q_OBJECT
public:
    // Refusals and questions go to `messages` when given (tests), else to message boxes.
    MasterFrame(const QString& objectName, const QString& caption, Session& session, QWidget* parent = nullptr,
                Messages* messages = nullptr);

    // Field values keyed by column: texts as typed, a choice as its entry, a check box as "Yes"/"No".
    QVariantMap values() const;
    void setValue(const QString& column, const QVariant& value);
    QWidget* field(const QString& column) const;
    void focusField(const QString& column);
    // Offers these values while typing in a field (groups, units, HSN codes, cities).
    void offer(const QString& column, const QStringList& values);
    QTableWidget* list() const { return list_; }
    QLineEdit* findBox() const { return find_; }
    QPushButton* button(const QString& objectName) const;
    qint64 currentKey() const { return key_; }

public slots:
    void newEntry();
    void saveEntry();
    void deleteEntry();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void addFields(const std::vector<FieldSpec>& fields, int columnsOfFields = 2);
    // A widget of the screen's own below the fields (a grid of colours, firms to post in).
    void addBelowFields(QWidget* widget);
    void setListRows(const QStringList& headers, const std::vector<QStringList>& rows, const std::vector<qint64>& keys);
    void clearFields();
    void setKey(qint64 key) { key_ = key; }
    void finishLayout();

    // The screen's service calls. save returns the key written (0 after a refusal, when
    // `focusColumn` names the field to correct); remove returns true when deleted.
    virtual qint64 save(const QVariantMap& values, QString* focusColumn) = 0;
    virtual bool remove(qint64 key) = 0;
    virtual void load(qint64 key) = 0;
    virtual void refreshList() = 0;
    // Fills the fields of a new entry (next code, defaults).
    virtual void prepareNew() {}

    Session& session_;
    MessageBoxes boxes_;
    Messages& messages_;

private:
    void chooseListRow(int row);
    QGridLayout* fieldsLayout_;
    QWidget* fieldsArea_;
    QLineEdit* find_;
    QTableWidget* list_;
    std::vector<FieldSpec> fields_;
    std::vector<qint64> keys_;
    qint64 key_ = 0;
    int nextRow_ = 0;
};

// Text of an amount for a field or list: "105.00", empty for nothing.
QString amountText(double value, int places = 2);

}  // namespace tanabana::gui
