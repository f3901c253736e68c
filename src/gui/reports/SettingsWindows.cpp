#include "gui/reports/SettingsWindows.h"

#include "domain/reports/DashboardLabels.h"
#include "domain/reports/PrintCopies.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tanabana::gui {

namespace {

QTableWidget* makeGrid(const QStringList& headers, const char* name, QWidget* parent) {
    auto* grid = new QTableWidget(0, int(headers.size()), parent);
    grid->setObjectName(QString::fromLatin1(name));
    grid->setHorizontalHeaderLabels(headers);
    grid->verticalHeader()->hide();
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->horizontalHeader()->setStretchLastSection(true);
    return grid;
}

QTableWidgetItem* fixedItem(const QString& text, const QVariant& data = {}) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    item->setData(Qt::UserRole, data);
    return item;
}

QPushButton* settingsButton(const QString& text, const char* name, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

}  // namespace

PrintCopiesWindow::PrintCopiesWindow(db::Database& db, Messages& messages, QWidget* parent)
    : QWidget(parent), db_(db), messages_(messages) {
    setObjectName(QStringLiteral("frmReportMst"));
    setWindowTitle(QStringLiteral("Print Setting"));
    auto* layout = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    forms_ = makeGrid({QStringLiteral("Form Name"), QStringLiteral("Tot Print")}, "VSResultGrid", this);
    left->addWidget(forms_);
    auto* saveCount = settingsButton(QStringLiteral("&Save Total Print"), "CmdSavePrnNO", this);
    left->addWidget(saveCount);
    auto* right = new QVBoxLayout;
    labels_ = makeGrid({QStringLiteral("Sno"), QStringLiteral("Print Name")}, "VSResultGrid1", this);
    right->addWidget(labels_);
    auto* saveName = settingsButton(QStringLiteral("Save Print &Name"), "CmdSavePrnName", this);
    right->addWidget(saveName);
    layout->addLayout(left, 1);
    layout->addLayout(right, 1);
    connect(saveCount, &QPushButton::clicked, this, &PrintCopiesWindow::saveCopyCount);
    connect(saveName, &QPushButton::clicked, this, &PrintCopiesWindow::saveCopyName);
    connect(forms_, &QTableWidget::currentCellChanged, this, [this] { showLabels(); });
    reload();
    resize(760, 420);
}

void PrintCopiesWindow::reload() {
    const int keep = qMax(0, forms_->currentRow());
    const QSignalBlocker block(forms_);
    forms_->setRowCount(0);
    for (const reports::PrintForm& f : reports::printForms(db_)) {
        const int row = forms_->rowCount();
        forms_->insertRow(row);
        forms_->setItem(row, 0, fixedItem(f.name, f.id));
        auto* count = new QTableWidgetItem(QString::number(f.copies));
        count->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        forms_->setItem(row, 1, count);
    }
    forms_->setColumnWidth(0, 190);
    forms_->resizeRowsToContents();
    if (forms_->rowCount() > 0) forms_->setCurrentCell(qMin(keep, forms_->rowCount() - 1), 1);
    showLabels();
}

qint64 PrintCopiesWindow::currentForm() const {
    const QTableWidgetItem* item = forms_->item(forms_->currentRow(), 0);
    return item ? item->data(Qt::UserRole).toLongLong() : 0;
}

void PrintCopiesWindow::showLabels() {
    labels_->setRowCount(0);
    for (const reports::CopyLabel& l : reports::copyLabels(db_, currentForm())) {
        const int row = labels_->rowCount();
        labels_->insertRow(row);
        labels_->setItem(row, 0, fixedItem(QString::number(l.number), l.number));
        labels_->setItem(row, 1, new QTableWidgetItem(l.label));
    }
}

void PrintCopiesWindow::saveCopyCount() {
    const QTableWidgetItem* count = forms_->item(forms_->currentRow(), 1);
    if (!count || currentForm() == 0) return;
    bool ok = false;
    const int copies = count->text().trimmed().toInt(&ok);
    reports::saveCopyCount(db_, messages_, currentForm(), ok ? copies : 0);
    reload();  // a refused count shows the stored one again
}

void PrintCopiesWindow::saveCopyName() {
    const int row = labels_->currentRow();
    const QTableWidgetItem* number = labels_->item(row, 0);
    const QTableWidgetItem* name = labels_->item(row, 1);
    if (!number || !name) return;
    reports::saveCopyName(db_, messages_, currentForm(), number->data(Qt::UserRole).toInt(), name->text());
    showLabels();
    labels_->setCurrentCell(row, 1);
}

DashboardLabelsWindow::DashboardLabelsWindow(db::Database& db, Messages& messages, QWidget* parent)
    : QWidget(parent), db_(db), messages_(messages) {
    setObjectName(QStringLiteral("frmReportMst1"));
    setWindowTitle(QStringLiteral("Dashboard Buttons"));
    auto* layout = new QVBoxLayout(this);
    grid_ = makeGrid({QStringLiteral("Srno"), QStringLiteral("LAble Name"), QStringLiteral("Menu NAme"), QStringLiteral("IsShow")},
                     "VSResultGrid", this);
    layout->addWidget(grid_);
    auto* save = settingsButton(QStringLiteral("&Save"), "cmd_save", this);
    layout->addWidget(save);
    connect(save, &QPushButton::clicked, this, &DashboardLabelsWindow::saveCurrent);
    reload();
    resize(620, 400);
}

void DashboardLabelsWindow::reload() {
    const int keep = qMax(0, grid_->currentRow());
    grid_->setRowCount(0);
    for (const reports::DashboardButton& b : reports::dashboardButtons(db_)) {
        const int row = grid_->rowCount();
        grid_->insertRow(row);
        grid_->setItem(row, 0, fixedItem(QString::number(b.number), b.number));
        grid_->setItem(row, 1, new QTableWidgetItem(b.label));
        grid_->setItem(row, 2, new QTableWidgetItem(b.command));
        auto* shown = new QTableWidgetItem;
        shown->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        shown->setCheckState(b.shown ? Qt::Checked : Qt::Unchecked);
        grid_->setItem(row, 3, shown);
    }
    grid_->setColumnWidth(1, 180);
    grid_->setColumnWidth(2, 180);
    grid_->resizeRowsToContents();
    if (grid_->rowCount() > 0) grid_->setCurrentCell(qMin(keep, grid_->rowCount() - 1), 1);
}

void DashboardLabelsWindow::saveCurrent() {
    const int row = grid_->currentRow();
    if (row < 0) return;
    reports::DashboardButton b;
    b.number = grid_->item(row, 0)->data(Qt::UserRole).toInt();
    b.label = grid_->item(row, 1)->text();
    b.command = grid_->item(row, 2)->text();
    b.shown = grid_->item(row, 3)->checkState() == Qt::Checked;
    reports::saveDashboardButton(db_, messages_, b);
    reload();
}

}  // namespace tanabana::gui
