#include "gui/gst/PortalMatchingScreen.h"

#include "gui/gst/ReturnPeriod.h"

#include "core/Words.h"
#include "domain/gst/ReturnPrints.h"
#include "domain/reports/ReportFolders.h"
#include "gui/common/FormFields.h"
#include "gui/reports/MasterPrints.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tanabana::gui {

namespace {

const QString kMatchTitle = QStringLiteral("GSTR - 2 & 2A (Matching)");
const QColor kProposedRow(255, 242, 190);
const QStringList kMatchColumns = {"Sel", "GSTIN", "Party", "Invoice No", "Type", "Date", "Value", "Place Of Supply", "Reverse Charge", "Rate",
                              "Taxable Value", "IGST", "CGST", "SGST", "Cess", "Status"};

QTableWidget* sideGrid(QWidget* parent, const QString& name) {
    auto* grid = documentList();
    grid->setParent(parent);
    grid->setObjectName(name);
    grid->verticalHeader()->setDefaultSectionSize(22);
    grid->setColumnCount(int(kMatchColumns.size()));
    grid->setHorizontalHeaderLabels(kMatchColumns);
    return grid;
}

QTableWidgetItem* matchCell(const QString& text, bool amount = false) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    if (amount) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

// One side's row: the Sel box, the texts and the amounts, coloured by how it stands.
void addRow(QTableWidget* grid, bool ticked, const QStringList& texts, const std::vector<Decimal>& amounts, const QString& status,
            const QColor& colour) {
    const int r = grid->rowCount();
    grid->insertRow(r);
    auto* sel = new QTableWidgetItem;
    sel->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    sel->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
    grid->setItem(r, 0, sel);
    const int textColumns[] = {1, 2, 3, 4, 5, 7, 8};  // GSTIN ... Date, then Place Of Supply and Reverse Charge
    for (int i = 0; i < texts.size() && i < 7; ++i) grid->setItem(r, textColumns[i], matchCell(texts.at(i)));
    grid->setItem(r, 6, matchCell(FormatIndian(amounts.at(0), 2), true));
    for (size_t i = 1; i < amounts.size(); ++i) grid->setItem(r, 8 + int(i), matchCell(FormatIndian(amounts[i], 2), true));
    grid->setItem(r, 15, matchCell(status));
    if (colour.isValid())
        for (int k = 0; k < grid->columnCount(); ++k)
            if (grid->item(r, k)) grid->item(r, k)->setBackground(colour);
}

}  // namespace

PortalMatchingScreen::PortalMatchingScreen(db::Database& db, Session& session, Messages& messages, QWidget* parent)
    : QWidget(parent), db_(db), session_(session), messages_(messages) {
    setObjectName(QStringLiteral("Frm_GSTR2A_Setup"));
    setWindowTitle(kMatchTitle);
    askFile_ = [this](bool save, const QString& suggested) {
        return save ? QFileDialog::getSaveFileName(this, kMatchTitle, suggested, QStringLiteral("Excel Files (*.xlsx)"))
                    : QFileDialog::getOpenFileName(this, kMatchTitle, suggested, QStringLiteral("Portal files (*.xlsx *.json)"));
    };
    build();
}

void PortalMatchingScreen::build() {
    auto* outer = new QVBoxLayout(this);
    const PeriodBar bar = addPeriodBar(this, outer, session_);
    from_ = bar.from;
    to_ = bar.to;
    return_ = new QComboBox(this);
    return_->setObjectName(QStringLiteral("ComReturn"));
    return_->addItems({QStringLiteral("GSTR-2A"), QStringLiteral("GSTR-2B")});
    onlyMismatches_ = new QCheckBox(QStringLiteral("Only Mis-Matched"), this);
    onlyMismatches_->setObjectName(QStringLiteral("ChkMisMatch"));
    if (auto* row = qobject_cast<QHBoxLayout*>(outer->itemAt(0)->layout())) {
        row->insertWidget(row->count() - 1, return_);
        row->insertWidget(row->count() - 1, onlyMismatches_);
    }

    summary_ = addSummaryLabel(this, outer);

    auto* sides = new QSplitter(Qt::Vertical, this);
    auto* booksBox = new QGroupBox(QStringLiteral("Purchase Bills (Books)"), sides);
    auto* portalBox = new QGroupBox(QStringLiteral("Online Portal"), sides);
    books_ = sideGrid(booksBox, QStringLiteral("vsgridBooks"));
    portal_ = sideGrid(portalBox, QStringLiteral("vsgridPortal"));
    (new QVBoxLayout(booksBox))->addWidget(books_);
    (new QVBoxLayout(portalBox))->addWidget(portal_);
    outer->addWidget(sides, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* importButton = returnButton(this, QStringLiteral("cmdImport"), QStringLiteral("Import"), QStringLiteral("Keep the portal's file for the period"));
    auto* deleteButton = returnButton(this, QStringLiteral("cmd_Delete"), QStringLiteral("Delete"), QStringLiteral("Remove the period's portal data"));
    auto* matchButton = returnButton(this, QStringLiteral("cmd_save"), QStringLiteral("Match"), QStringLiteral("Match the bills with the portal"));
    auto* confirmButton = returnButton(this, QStringLiteral("cmdConfirm"), QStringLiteral("Confirm"), QStringLiteral("Accept the ticked proposals"));
    auto* rejectButton = returnButton(this, QStringLiteral("cmdReject"), QStringLiteral("Reject"), QStringLiteral("Refuse the ticked proposals"));
    auto* viewButton = returnButton(this, QStringLiteral("cmdView"), QStringLiteral("View Report"), QStringLiteral("The two sides printed"));
    auto* excelButton = returnButton(this, QStringLiteral("Cmd_Excel"), QStringLiteral("Excel"), QStringLiteral("The mismatches as a workbook"));
    auto* exit = exitButton(this);
    for (QPushButton* b : {importButton, deleteButton, matchButton, confirmButton, rejectButton, viewButton, excelButton, exit}) buttons->addWidget(b);
    outer->addLayout(buttons);

    connect(bar.refresh, &QPushButton::clicked, this, [this] { refresh(); });
    connect(return_, &QComboBox::currentIndexChanged, this, [this] { refresh(); });
    connect(onlyMismatches_, &QCheckBox::toggled, this, [this] {
        if (result_) show(*result_);
    });
    connect(importButton, &QPushButton::clicked, this, [this] { importFile(); });
    connect(deleteButton, &QPushButton::clicked, this, [this] { deleteImport(); });
    connect(matchButton, &QPushButton::clicked, this, [this] { match(); });
    connect(confirmButton, &QPushButton::clicked, this, [this] { confirmTicked(); });
    connect(rejectButton, &QPushButton::clicked, this, [this] { rejectTicked(); });
    connect(viewButton, &QPushButton::clicked, this, [this] { viewReport(); });
    connect(excelButton, &QPushButton::clicked, this, [this] { writeExcel(); });
    connect(books_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (!filling_ && item->column() == 0) billTicked(item->row());
    });
}

void PortalMatchingScreen::setPeriod(const QDate& from, const QDate& to) {
    from_->setDate(from);
    to_->setDate(to);
}

void PortalMatchingScreen::setReturn(gst::PortalReturn kind) { return_->setCurrentIndex(kind == gst::PortalReturn::Gstr2B ? 1 : 0); }
void PortalMatchingScreen::setOnlyMismatches(bool only) { onlyMismatches_->setChecked(only); }
gst::ReturnPeriod PortalMatchingScreen::period() const { return {from_->date(), to_->date()}; }
gst::PortalReturn PortalMatchingScreen::kind() const { return return_->currentIndex() == 1 ? gst::PortalReturn::Gstr2B : gst::PortalReturn::Gstr2A; }

bool PortalMatchingScreen::refresh() {
    try {
        result_ = gst::PortalMatching(db_, session_, messages_).view(kind(), period());
    } catch (const gst::GstError& e) {
        result_.reset();
        show(gst::Reconciliation{});
        messages_.critical(kMatchTitle, e.text());
        return false;
    }
    show(*result_);
    return true;
}

void PortalMatchingScreen::show(const gst::Reconciliation& r) {
    filling_ = true;
    const bool onlyMismatches = onlyMismatches_->isChecked();
    auto colour = [](gst::MatchState state, bool matched) {
        if (matched) return QColor();
        return state == gst::MatchState::Proposed ? kProposedRow : kFaultRow;
    };
    books_->setRowCount(0);
    portal_->setRowCount(0);
    bookIds_.clear();
    portalIds_.clear();
    const QString date = QStringLiteral("dd-MM-yyyy");
    for (const gst::BookBill& b : r.books) {
        const bool matched = b.matched();
        if (onlyMismatches && matched) continue;
        addRow(books_, b.ticked, {b.gstin, b.supplier, b.billNo, b.invoiceType, b.date.toString(date), b.placeOfSupply,
                                  b.reverseCharge ? QStringLiteral("Y") : QStringLiteral("N")},
               {b.value, b.rate, b.taxable, b.igst, b.cgst, b.sgst, Decimal()}, b.statusText, colour(b.state, matched));
        bookIds_.push_back(b.id);
    }
    for (const gst::PortalRow& p : r.portal) {
        if (onlyMismatches && p.matched()) continue;
        addRow(portal_, false, {p.gstin, p.supplier, p.invoiceNo, p.invoiceType, p.date.toString(date), p.placeOfSupply, p.reverseCharge},
               {p.invoiceValue, p.rate, p.taxable, p.igst, p.cgst, p.sgst, p.cess}, p.statusText, colour(p.state, p.matched()));
        portalIds_.push_back(p.id);
    }
    books_->resizeColumnsToContents();
    portal_->resizeColumnsToContents();
    summary_->setText(summaryText());
    filling_ = false;
}

// Both sides as shown: all of them, or the mismatches only when that is ticked.
PreviewWindow* PortalMatchingScreen::viewReport() {
    if (!refresh()) return nullptr;
    return previewReport(session_, messages_, gst::matchingReport(db_, session_, *result_, onlyMismatches_->isChecked()),
                         QStringLiteral("GSTR") + gst::portalReturnCode(kind()) + QStringLiteral("_Matching_") + period().from.toString(QStringLiteral("MMM-yyyy")), this);
}

QString PortalMatchingScreen::summaryText() const {
    if (!result_) return {};
    if (result_->batch == 0)
        return QStringLiteral("No %1 is imported for this period: Import the portal's file.").arg(gst::portalReturnName(result_->kind));
    return result_->summary();
}

bool PortalMatchingScreen::importFile() {
    const QString path = askFile_(false, session_.dataRoot);
    if (path.isEmpty()) return false;
    try {
        if (!gst::PortalMatching(db_, session_, messages_).importFile(kind(), period(), path)) return false;
    } catch (const gst::GstError& e) {
        messages_.critical(kMatchTitle, e.text());
        return false;
    }
    messages_.information(QStringLiteral("Done"), gst::importedText(kind()));
    refresh();
    return true;
}

bool PortalMatchingScreen::deleteImport() {
    if (!gst::PortalMatching(db_, session_, messages_).deleteImport(kind(), period())) return false;
    messages_.information(kMatchTitle, QStringLiteral("Online Portal GSTR 2 %1 Data From software is Deleted").arg(gst::portalReturnCode(kind()).right(1)));
    refresh();
    return true;
}

bool PortalMatchingScreen::match() {
    try {
        if (!gst::PortalMatching(db_, session_, messages_).match(kind(), period())) return false;
    } catch (const gst::GstError& e) {
        messages_.critical(kMatchTitle, e.text());
        return false;
    }
    messages_.information(QStringLiteral("GSTR2 Setup"), QStringLiteral("Done"));
    refresh();
    return true;
}

bool PortalMatchingScreen::setTicked(bool confirm) {
    std::vector<qint64> rows;
    for (int r = 0; r < portal_->rowCount(); ++r)
        if (portal_->item(r, 0)->checkState() == Qt::Checked) rows.push_back(portalIds_.at(size_t(r)));
    if (rows.empty()) {
        messages_.critical(kMatchTitle, QStringLiteral("Tick the portal's invoices to %1 in the Sel column.").arg(confirm ? "confirm" : "reject"));
        return false;
    }
    gst::PortalMatching matching(db_, session_, messages_);
    bool all = true;
    for (qint64 id : rows) all = (confirm ? matching.confirm(id) : matching.reject(id)) && all;
    refresh();
    return all;
}

bool PortalMatchingScreen::confirmTicked() { return setTicked(true); }
bool PortalMatchingScreen::rejectTicked() { return setTicked(false); }

void PortalMatchingScreen::billTicked(int row) {
    if (row < 0 || row >= int(bookIds_.size())) return;
    gst::PortalMatching(db_, session_, messages_).tickBill(bookIds_.at(size_t(row)), books_->item(row, 0)->checkState() == Qt::Checked);
    refresh();
}

bool PortalMatchingScreen::writeExcel() {
    if (!result_ || result_->period.from != from_->date() || result_->period.to != to_->date() || result_->kind != kind())
        if (!refresh()) return false;
    const QString folder = QDir(session_.dataRoot).filePath(QStringLiteral("Knvs_GSTR"));
    reports::makeFolderIfMissing(folder);
    QString path = askFile_(true, QDir(folder).filePath(gst::mismatchFileName(*result_)));
    if (path.isEmpty()) return false;
    if (!path.endsWith(QLatin1String(".xlsx"), Qt::CaseInsensitive)) path += QStringLiteral(".xlsx");
    try {
        gst::writeMismatches(*result_, session_.firmName, path);
    } catch (const gst::GstError& e) {
        messages_.critical(QStringLiteral("Export To Excel"), e.text());
        return false;
    }
    messages_.information(QStringLiteral("Export To Excel"), QStringLiteral("File is completed"));
    return true;
}

}  // namespace tanabana::gui
