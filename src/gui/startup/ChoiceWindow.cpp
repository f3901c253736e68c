#include "gui/startup/ChoiceWindow.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tanabana::gui {

ChoiceWindow::ChoiceWindow(const QString& objectName, const QString& title, const QStringList& headers, bool spaceChooses,
                           QWidget* parent)
    : QDialog(parent), grid_(new QTableWidget(this)), spaceChooses_(spaceChooses) {
    setObjectName(objectName);
    setWindowTitle(title);
    grid_->setObjectName(QStringLiteral("vsgrid"));
    grid_->setColumnCount(int(headers.size()));
    grid_->setHorizontalHeaderLabels(headers);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->verticalHeader()->setVisible(false);
    grid_->horizontalHeader()->setStretchLastSection(true);
    grid_->setTabKeyNavigation(false);
    grid_->installEventFilter(this);
    connect(grid_, &QTableWidget::cellDoubleClicked, this, [this] { choose(); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_);
    resize(420, 320);
}

void ChoiceWindow::setRows(const std::vector<QStringList>& rows, int current) {
    grid_->setRowCount(int(rows.size()));
    for (int r = 0; r < int(rows.size()); ++r)
        for (int c = 0; c < rows[r].size() && c < grid_->columnCount(); ++c) grid_->setItem(r, c, new QTableWidgetItem(rows[r].at(c)));
    grid_->resizeColumnsToContents();
    grid_->horizontalHeader()->setStretchLastSection(true);
    if (current >= 0 && current < int(rows.size())) grid_->setCurrentCell(current, 0);
    grid_->setFocus();
}

int ChoiceWindow::rowCount() const { return grid_->rowCount(); }

int ChoiceWindow::currentRow() const { return grid_->currentRow(); }

QString ChoiceWindow::cell(int row, int column) const {
    const QTableWidgetItem* item = grid_->item(row, column);
    return item ? item->text() : QString();
}

void ChoiceWindow::choose() {
    if (grid_->rowCount() == 0) return;  // nothing to choose: the window stays
    emit chosen(std::max(0, grid_->currentRow()));
}

bool ChoiceWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grid_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || (spaceChooses_ && key == Qt::Key_Space)) {
            choose();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace tanabana::gui
