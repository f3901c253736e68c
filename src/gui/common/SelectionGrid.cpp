#include "gui/common/SelectionGrid.h"

#include <QHeaderView>
#include <QKeyEvent>

namespace tanabana::gui {

SelectionGrid::SelectionGrid(const QStringList& headers, QWidget* parent) : QTableWidget(parent) {
    setColumnCount(int(headers.size()) + 1);
    setHorizontalHeaderLabels(QStringList{QStringLiteral("Press Spacebar For Selection ")} + headers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    verticalHeader()->setVisible(false);
}

void SelectionGrid::addRow(const QStringList& texts) {
    const int row = rowCount();
    insertRow(row);
    auto* tick = new QTableWidgetItem;
    tick->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    tick->setCheckState(Qt::Unchecked);
    setItem(row, 0, tick);
    for (int c = 0; c < texts.size() && c + 1 < columnCount(); ++c) setItem(row, c + 1, new QTableWidgetItem(texts.at(c)));
}

bool SelectionGrid::isTicked(int row) const {
    const QTableWidgetItem* tick = item(row, 0);
    return tick && tick->checkState() == Qt::Checked;
}

void SelectionGrid::setTicked(int row, bool ticked) {
    QTableWidgetItem* tick = item(row, 0);
    if (!tick || isTicked(row) == ticked) return;
    tick->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
    emit tickChanged(row, ticked);
}

QList<int> SelectionGrid::tickedRows() const {
    QList<int> rows;
    for (int r = 0; r < rowCount(); ++r)
        if (isTicked(r)) rows << r;
    return rows;
}

void SelectionGrid::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space && currentRow() >= 0) {
        setTicked(currentRow(), !isTicked(currentRow()));
        return;
    }
    if (event->key() == Qt::Key_F3) {
        for (int r = 0; r < rowCount(); ++r) setTicked(r, true);
        return;
    }
    QTableWidget::keyPressEvent(event);
}

}  // namespace tanabana::gui
