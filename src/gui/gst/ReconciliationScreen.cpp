#include "gui/gst/ReconciliationScreen.h"

#include "gui/gst/ReturnPeriod.h"

#include "core/Words.h"
#include "domain/gst/ReturnPrints.h"
#include "gui/common/FormFields.h"
#include "gui/reports/MasterPrints.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tanabana::gui {

namespace {

const QString kReconTitle = QStringLiteral("GST Reconsilation");
const QStringList kColumns = {"Particulars", "Month", "Taxable Amt", "IGST Rs", "CGST Rs", "SGST Rs", "Cess Rs", "Is Ok",
                              "Online Tax Amt", "IGST", "CGST", "SGST"};
constexpr int kOk = 7, kFirstFiled = 8;

QTableWidgetItem* figure(const Decimal& value, bool editable) {
    auto* item = new QTableWidgetItem(FormatIndian(value, 2));
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    if (!editable) item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    return item;
}

}  // namespace

ReconciliationScreen::ReconciliationScreen(db::Database& db, Session& session, Messages& messages, QWidget* parent)
    : QWidget(parent), db_(db), session_(session), messages_(messages) {
    setObjectName(QStringLiteral("Frm_Gstr_Audit"));
    setWindowTitle(kReconTitle);
    auto* outer = new QVBoxLayout(this);
    grid_ = documentList();
    grid_->setParent(this);
    grid_->setObjectName(QStringLiteral("vsgrid"));
    grid_->verticalHeader()->setDefaultSectionSize(22);
    grid_->setEditTriggers(QAbstractItemView::AllEditTriggers);
    grid_->setColumnCount(int(kColumns.size()));
    grid_->setHorizontalHeaderLabels(kColumns);
    outer->addWidget(grid_, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* refreshButton = returnButton(this, QStringLiteral("cmdRefresh"), QStringLiteral("Refresh"), QStringLiteral("Refresh For Latest Data"));
    auto* saveButton = returnButton(this, QStringLiteral("cmd_save"), QStringLiteral("Save"), QStringLiteral("Keep the figures filed online"));
    auto* deleteButton = returnButton(this, QStringLiteral("cmd_Delete"), QStringLiteral("Delete"), QStringLiteral("Delete this year's entry"));
    auto* viewButton = returnButton(this, QStringLiteral("cmdView"), QStringLiteral("View Report"), QStringLiteral("The reconciliation printed"));
    auto* excelButton = returnButton(this, QStringLiteral("Cmd_Excel"), QStringLiteral("Excel"), QStringLiteral("The reconciliation workbook"));
    for (QPushButton* b : {refreshButton, saveButton, deleteButton, viewButton, excelButton, exitButton(this)}) buttons->addWidget(b);
    outer->addLayout(buttons);
    connect(refreshButton, &QPushButton::clicked, this, [this] { refresh(); });
    connect(saveButton, &QPushButton::clicked, this, [this] { save(); });
    connect(deleteButton, &QPushButton::clicked, this, [this] { deleteYear(); });
    connect(viewButton, &QPushButton::clicked, this, [this] { viewReport(); });
    connect(excelButton, &QPushButton::clicked, this, [this] { writeExcel(); });
    show(gst::YearReconciliation(db_, session_, messages_).rows());
}

void ReconciliationScreen::show(const std::vector<gst::ReconciliationRow>& rows) {
    filling_ = true;
    rows_ = rows;
    grid_->setRowCount(int(rows.size()));
    QFont bold = grid_->font();
    bold.setBold(true);
    for (int r = 0; r < int(rows.size()); ++r) {
        const gst::ReconciliationRow& row = rows[size_t(r)];
        auto* particulars = new QTableWidgetItem(row.group ? row.groupText : QString());
        auto* month = new QTableWidgetItem(row.monthName);
        for (QTableWidgetItem* item : {particulars, month}) item->setFlags(item->flags() & ~Qt::ItemIsEditable);
        grid_->setItem(r, 0, particulars);
        grid_->setItem(r, 1, month);
        int c = 2;
        for (const Decimal& d : {row.taxable, row.igst, row.cgst, row.sgst, row.cess}) grid_->setItem(r, c++, figure(d, false));
        auto* ok = new QTableWidgetItem;
        ok->setFlags(row.group ? Qt::ItemIsEnabled : Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
        ok->setCheckState(row.ok ? Qt::Checked : Qt::Unchecked);
        grid_->setItem(r, kOk, ok);
        c = kFirstFiled;
        for (const Decimal& d : {row.taxableO, row.igstO, row.cgstO, row.sgstO}) grid_->setItem(r, c++, figure(d, !row.group));
        if (row.group)
            for (int k = 0; k < grid_->columnCount(); ++k) grid_->item(r, k)->setFont(bold);
    }
    grid_->resizeColumnsToContents();
    filling_ = false;
}

bool ReconciliationScreen::refresh() {
    try {
        const auto rows = gst::YearReconciliation(db_, session_, messages_).refresh();
        if (!rows) return false;
        show(*rows);
    } catch (const gst::GstError& e) {
        messages_.critical(kReconTitle, e.text());
        return false;
    }
    return true;
}

std::optional<std::vector<gst::ReconciliationRow>> ReconciliationScreen::typed() {
    std::vector<gst::ReconciliationRow> rows = rows_;
    for (int r = 0; r < int(rows.size()); ++r) {
        gst::ReconciliationRow& row = rows[size_t(r)];
        if (row.group) continue;
        row.ok = grid_->item(r, kOk)->checkState() == Qt::Checked;
        Decimal* filed[] = {&row.taxableO, &row.igstO, &row.cgstO, &row.sgstO};
        for (int k = 0; k < 4; ++k) {
            const QString text = grid_->item(r, kFirstFiled + k)->text();
            const auto value = Decimal::parse(text);
            if (!value) {
                messages_.critical(kReconTitle, QStringLiteral("%1, %2: \"%3\" is not an amount.").arg(row.monthName, kColumns.at(kFirstFiled + k), text));
                grid_->setCurrentCell(r, kFirstFiled + k);
                return std::nullopt;
            }
            *filed[k] = value->roundHalfEven(2);
        }
    }
    return rows;
}

bool ReconciliationScreen::save() {
    const auto rows = typed();
    if (!rows) return false;
    gst::YearReconciliation service(db_, session_, messages_);
    if (!service.save(*rows)) return false;
    show(service.rows());
    messages_.information(kReconTitle, QStringLiteral("One Transaction Is Saved."));
    return true;
}

bool ReconciliationScreen::deleteYear() {
    gst::YearReconciliation service(db_, session_, messages_);
    if (!service.deleteYear()) return false;
    show({});
    return true;
}

// The figures as the grid shows them, typed ones included, whether kept yet or not.
PreviewWindow* ReconciliationScreen::viewReport() {
    if (rows_.empty() && !refresh()) return nullptr;
    const auto rows = typed();
    if (!rows) return nullptr;
    return previewReport(session_, messages_, gst::reconciliationReport(db_, session_, *rows),
                         QStringLiteral("GST_Reconsilation_") + QString::number(session_.yearStartDate.year()), this);
}

bool ReconciliationScreen::writeExcel() {
    if (rows_.empty() && !refresh()) return false;
    const gst::ReturnTemplate& t = gst::reconciliationTemplate();
    try {
        gst::writeReturnWorkbook(session_.dataRoot, t, gst::reconciliationWorkbookRows(rows_),
                                 gst::returnWorkbookPath(session_.dataRoot, t, session_.yearStartDate));
    } catch (const gst::TemplateMissing& e) {
        messages_.critical(gst::kTemplateMissingTitle, e.text());
        return false;
    } catch (const gst::GstError& e) {
        messages_.critical(kReconTitle, e.text());
        return false;
    }
    messages_.information(kReconTitle, QStringLiteral("Done"));
    return true;
}

}  // namespace tanabana::gui
