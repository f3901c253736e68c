#pragma once
// A text box with a search list that opens under it as the operator types: party names or ledger
// codes, quality names or codes. Each keystroke asks the database for the first rows that start
// with the text (an indexed prefix search), so the list is quick with 10,000 accounts or items
// and the screen opens without loading any list. Down/Up move in the list, Enter takes the row,
// Esc closes the list.
#include "db/Database.h"

#include <QLineEdit>
#include <QPointer>
#include <functional>
#include <optional>

class QTableWidget;

namespace tanabana::gui {

class LookupField : public QLineEdit {
    Q_OBJECT
public:
    // `search` returns the rows for a typed prefix; column `keyColumn` holds the Id taken, and
    // `textColumn` the text put in the box. The other columns are shown beside it.
    using Search = std::function<db::Rows(const QString& prefix)>;
    LookupField(Search search, QString keyColumn, QString textColumn, QWidget* parent = nullptr);

    qint64 chosenId() const { return chosenId_; }
    const db::Row& chosenRow() const { return chosenRow_; }
    // Shows a chosen row (a saved document being opened) without searching.
    void setChosen(qint64 id, const QString& text, const db::Row& row = {});
    void clearChoice();
    bool listVisible() const;
    // Takes the highlighted row of the open list (what Enter does); false when no list is open.
    bool acceptCurrent();
    // What the Insert key does in the field: makes a new entry from the typed text (a party, a
    // quality, in its master) and gives its key and name, which the field then takes as chosen.
    using Creator = std::function<std::optional<std::pair<qint64, QString>>(const QString& typed)>;
    void setCreator(Creator creator, const QString& hint);

signals:
    void chosen(qint64 id);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void refresh();
    void take(int row);
    void hideList();

    Search search_;
    QString keyColumn_, textColumn_;
    QPointer<QTableWidget> list_;
    db::Rows rows_;
    qint64 chosenId_ = 0;
    db::Row chosenRow_;
    bool settingText_ = false;
    Creator creator_;
};

}  // namespace tanabana::gui
