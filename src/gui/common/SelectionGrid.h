#pragma once
// A list whose rows the operator ticks with the space bar (bills to settle, challans to bill,
// accounts to print): the first column holds the tick under the header
// "Press Spacebar For Selection ". F3 ticks every row ("F3 = > Select All").
#include <QTableWidget>

namespace tanabana::gui {

class SelectionGrid : public QTableWidget {
    Q_OBJECT
public:
    explicit SelectionGrid(const QStringList& headers, QWidget* parent = nullptr);
    // Adds a row of texts (after the tick column), unticked.
    void addRow(const QStringList& texts);
    bool isTicked(int row) const;
    void setTicked(int row, bool ticked);
    QList<int> tickedRows() const;

signals:
    void tickChanged(int row, bool ticked);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace tanabana::gui
