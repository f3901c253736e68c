#include "gui/returns/GoodsReturnScreen.h"

#include "core/Words.h"
#include "domain/documents/Lookups.h"
#include "domain/reports/ReportError.h"
#include "domain/returns/ReturnPrint.h"
#include "domain/trade/PurchaseInvoices.h"
#include "domain/trade/SalesLines.h"
#include "gui/common/EntryKeys.h"
#include "gui/common/FormFields.h"
#include "gui/common/TypedFields.h"
#include "gui/trade/SellingLookups.h"
#include "gui/trade/TradePrinting.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tanabana::gui {

namespace {


// The columns of the paid-bills grid; the operator types in the last one.
enum BillCol { BillBook, BillType, BillNo, BillDate, BillAmount, BillUnpaid, BillAdjust };

}  // namespace

GoodsReturnScreen::GoodsReturnScreen(db::Database& db, Session& session, Messages& messages, Kind kind, QWidget* parent)
    : DocumentForm(kind == Kind::Sales ? QStringLiteral("frmSalesRet") : QStringLiteral("frmPurchaseRet"),
                   kind == Kind::Sales ? QStringLiteral("Sales Return") : QStringLiteral("Purchase Return"), session, &messages, parent),
      db_(db),
      kind_(kind) {
    if (sales()) salesService_ = std::make_unique<returns::SalesReturns>(db, session, messages);
    else purchaseService_ = std::make_unique<returns::PurchaseReturns>(db, session, messages);
    const QString bill = sales() ? QStringLiteral("Sal") : QStringLiteral("Pur");
    const qint64 firm = session_.firmNo;
    db::Database* books = &db_;
    const LookupSource parties =
        sales() ? partyLookup(db_, firm)
                : partySource([books, firm](const QString& p) { return documents::findParties(*books, firm, documents::PartyRange::Purchase, p); });
    std::vector<DocField> header{DocField::choice(QStringLiteral("txtBook"), QStringLiteral("Book"), {}),
                                 DocField::text(QStringLiteral("txtBillNo"), QStringLiteral("Ret No")),
                                 DocField::date(QStringLiteral("DtpBillDate"), QStringLiteral("Date")),
                                 DocField::lookup(QStringLiteral("txtParty"), QStringLiteral("Party"), parties, 2),
                                 DocField::text(QStringLiteral("txtSalBillNo"), bill + QStringLiteral(" Bill No")),
                                 DocField::optionalDate(QStringLiteral("DtpSalBillDt"), bill + QStringLiteral(" Bill Dt")),
                                 DocField::text(QStringLiteral("txtReason"), QStringLiteral("Reason"), 0, 2)};
    if (sales()) header.push_back(DocField::text(QStringLiteral("txtGrade1"), QStringLiteral("Reference")));
    header.push_back(DocField::text(QStringLiteral("txtNotes"), QStringLiteral("Description"), 0, 2));
    declareHeader(header);
    QComboBox* book = choiceField(QStringLiteral("txtBook"));
    for (const documents::BookChoice& b :
         documents::booksOfKind(db_, firm, sales() ? documents::BookKind::Sales : documents::BookKind::Purchase))
        book->addItem(QString::number(b.bookNo) + QLatin1Char(' ') + b.name, b.bookNo);

    declareLine({DocField::lookup(QStringLiteral("txtQuality"), QStringLiteral("Quality"),
                                  {qualitySearch(db_, firm, QStringLiteral("Quality Name")), QStringLiteral("Id"), QStringLiteral("Quality Name")}),
                 DocField::number(QStringLiteral("txtPcs"), QStringLiteral("Pcs")), DocField::number(QStringLiteral("txtMtrs"), QStringLiteral("Mtrs")),
                 DocField::number(QStringLiteral("txtRate"), QStringLiteral("Rate")),
                 DocField::number(QStringLiteral("txtDisc"), QStringLiteral("Disc %"), 3, 80)});
    declareGrid({GridColumn::number(QStringLiteral("Sr"), 0), GridColumn::text(QStringLiteral("Quality")),
                 GridColumn::number(QStringLiteral("Pcs"), 0, true), GridColumn::number(QStringLiteral("Mtrs"), 3, true),
                 GridColumn::number(QStringLiteral("Rate"), 2), GridColumn::number(QStringLiteral("Amt"), 2, true),
                 GridColumn::number(QStringLiteral("GST Rs"), 2, true), GridColumn::number(QStringLiteral("Net Amt"), 2, true)});
    DocField other = DocField::number(QStringLiteral("txtOther"), QStringLiteral("Other (+/-)"), 2, 100);
    other.rule.negative = true;
    declareCharges({other});

    // The party's open bills, each taking what the operator types in "Adjust".
    auto* panel = new QWidget;
    auto* box = new QVBoxLayout(panel);
    box->setContentsMargins(0, 0, 0, 0);
    auto* title = new QLabel(QStringLiteral("Paid Bills"));
    title->setStyleSheet(QStringLiteral("font-weight: bold"));
    box->addWidget(title);
    bills_ = new QTableWidget(0, 7);
    bills_->setObjectName(QStringLiteral("vsgrid"));
    bills_->setHorizontalHeaderLabels({QStringLiteral("Book"), QStringLiteral("Type"), QStringLiteral("BillNO"), QStringLiteral("BillDate"),
                                       QStringLiteral("BillAmount"), QStringLiteral("UnPaidAmt"), QStringLiteral("Adjust")});
    bills_->horizontalHeader()->setStretchLastSection(true);
    bills_->verticalHeader()->hide();
    bills_->setMaximumHeight(130);
    box->addWidget(bills_);
    balance_ = new QLabel;
    balance_->setObjectName(QStringLiteral("lblBalanceRemain"));
    box->addWidget(balance_);
    addPanel(panel, {bills_}, true);

    declareList({{ListColumn::Number, QStringLiteral("Ret No")},
                 {ListColumn::Date, QStringLiteral("Date")},
                 {ListColumn::Party, QStringLiteral("Party NAme")},
                 {ListColumn::Text, QStringLiteral("City"), 0},
                 {ListColumn::Amount, QStringLiteral("Net Amt")},
                 {ListColumn::Text, bill + QStringLiteral(" Bill No"), 1},
                 {ListColumn::Text, QStringLiteral("Ret_Reason"), 2},
                 {ListColumn::Figure, QStringLiteral("Adjusted"), 0},
                 {ListColumn::Figure, QStringLiteral("Unadjusted"), 1}},
                QStringLiteral("return no, party or amount"));

    connect(book, &QComboBox::currentIndexChanged, this, [this] { bookChosen(); });
    connect(lookupField(QStringLiteral("txtParty")), &LookupField::chosen, this, [this] { partyChosen(); });
    connect(lookupField(QStringLiteral("txtQuality")), &LookupField::chosen, this, [this] { itemChosen(); });
    connect(textField(QStringLiteral("txtOther")), &QLineEdit::textEdited, this, [this] { refreshGrid(); });
    connect(bills_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (item->column() != BillAdjust) return;
        markChanged();
        refreshBalance();
    });
    finishLayout();
    keys()->onEnter(textField(QStringLiteral("txtDisc")), [this] {
        if (!refuseTypedLine()) addLine();
        return true;
    });
}

GoodsReturnScreen::~GoodsReturnScreen() = default;

void GoodsReturnScreen::clearDocument() {
    lines_.clear();
    for (const char* name : {"txtBillNo", "txtSalBillNo", "txtReason", "txtNotes", "txtPcs", "txtMtrs", "txtRate", "txtDisc", "txtOther"})
        textField(QString::fromLatin1(name))->clear();
    if (sales()) textField(QStringLiteral("txtGrade1"))->clear();
    setOptionalDate(QStringLiteral("DtpSalBillDt"), {});
    lookupField(QStringLiteral("txtParty"))->clearChoice();
    lookupField(QStringLiteral("txtQuality"))->clearChoice();
    const QDate today = QDate::currentDate();
    dateField(QStringLiteral("DtpBillDate"))->setDate(session_.inYear(today) ? today : session_.yearEndDate);
    bookChosen();
    fillBills({});
    refreshGrid();
}

void GoodsReturnScreen::bookChosen() {
    if (documentId() != 0) return;
    const qint64 book = choiceField(QStringLiteral("txtBook"))->currentData().toLongLong();
    proposedNo_ = sales() ? salesService_->nextReturnNo(book) : purchaseService_->nextReturnNo(book);
    textField(QStringLiteral("txtBillNo"))->setText(proposedNo_);
}

void GoodsReturnScreen::partyChosen() {
    fillBills({});
    refreshGrid();
}

void GoodsReturnScreen::itemChosen() {
    const qint64 item = lookupField(QStringLiteral("txtQuality"))->chosenId();
    if (sales()) {
        if (const auto line = trade::lineForItem(db_, session_.firmNo, item))
            textField(QStringLiteral("txtRate"))->setText(line->input.listRate.toString(2));
    } else if (const auto bought = trade::PurchaseInvoices(db_, session_, messages_).item(item)) {
        textField(QStringLiteral("txtRate"))->setText(bought->purchaseRate.toString(2));
    }
}

void GoodsReturnScreen::addLine() {
    LookupField* quality = lookupField(QStringLiteral("txtQuality"));
    if (quality->chosenId() <= 0) return;
    Line line;
    line.itemId = quality->chosenId();
    // The item's GST and rate basis, as the bill took them.
    if (const auto item = trade::lineForItem(db_, session_.firmNo, line.itemId)) line.input = item->input;
    line.input.pieces = numberOf(QStringLiteral("txtPcs"));
    line.input.metres = numberOf(QStringLiteral("txtMtrs"));
    line.input.listRate = numberOf(QStringLiteral("txtRate"));
    line.input.discountPercent = numberOf(QStringLiteral("txtDisc"));
    lines_.push_back(line);
    quality->clearChoice();
    for (const char* name : {"txtPcs", "txtMtrs", "txtRate", "txtDisc"}) textField(QString::fromLatin1(name))->clear();
    markChanged();
    refreshGrid();
    quality->setFocus();
}

// The fields both returns share, and the typed lines in the return's own line type.
template <typename Return>
void GoodsReturnScreen::fillCommon(Return& r) const {
    r.id = documentId();
    r.returnNo = textOf(QStringLiteral("txtBillNo"));
    r.date = dateField(QStringLiteral("DtpBillDate"))->date();
    r.partyId = lookupField(QStringLiteral("txtParty"))->chosenId();
    r.sourceBillNo = textOf(QStringLiteral("txtSalBillNo"));
    r.sourceBillDate = optionalDate(QStringLiteral("DtpSalBillDt"));
    r.reason = textOf(QStringLiteral("txtReason"));
    r.notes = textOf(QStringLiteral("txtNotes"));
    r.otherCharges = numberOf(QStringLiteral("txtOther"));
    for (const Line& l : lines_) {
        typename decltype(r.lines)::value_type line;
        line.qualityId = l.itemId;
        line.input = l.input;
        r.lines.push_back(line);
    }
    r.adjustments = adjustmentsOnScreen();
}

returns::SalesReturn GoodsReturnScreen::salesOnScreen() const {
    returns::SalesReturn r;
    fillCommon(r);
    r.bookNo = choiceField(QStringLiteral("txtBook"))->currentData().toLongLong();
    r.reference = textOf(QStringLiteral("txtGrade1"));
    return r;
}

returns::PurchaseReturn GoodsReturnScreen::purchaseOnScreen() const {
    returns::PurchaseReturn r;
    fillCommon(r);
    r.bookId = choiceField(QStringLiteral("txtBook"))->currentData().toLongLong();
    return r;
}

std::vector<returns::Adjustment> GoodsReturnScreen::adjustmentsOnScreen() const {
    std::vector<returns::Adjustment> out;
    for (int row = 0; row < bills_->rowCount() && row < int(billIds_.size()); ++row) {
        const QTableWidgetItem* cell = bills_->item(row, BillAdjust);
        const auto amount = cell ? Decimal::parse(cell->text().trimmed()) : std::nullopt;
        if (amount && !amount->isZero())
            out.emplace_back(billIds_[size_t(row)], *amount, bills_->item(row, BillNo) ? bills_->item(row, BillNo)->text() : QString());
    }
    return out;
}

Decimal GoodsReturnScreen::netOnScreen() const {
    return sales() ? salesService_->compute(salesOnScreen()).totals.net : purchaseService_->compute(purchaseOnScreen()).totals.net;
}

void GoodsReturnScreen::fillBills(const std::vector<returns::Adjustment>& adjusted) {
    const QSignalBlocker quiet(bills_);
    const qint64 party = lookupField(QStringLiteral("txtParty"))->chosenId();
    const std::vector<vouchers::OpenBill> open =
        party <= 0 ? std::vector<vouchers::OpenBill>{}
                   : (sales() ? salesService_->openBills(party, documentId()) : purchaseService_->openBills(party, documentId()));
    billIds_.clear();
    bills_->setRowCount(int(open.size()));
    for (int row = 0; row < int(open.size()); ++row) {
        const vouchers::OpenBill& b = open[size_t(row)];
        billIds_.push_back(b.id);
        Decimal mine;
        for (const returns::Adjustment& a : adjusted)
            if (a.billId == b.id) mine = a.amount;
        const QStringList cells{b.bookName, b.type, b.bookPrefix + b.billNo, b.date.toString(QStringLiteral("dd-MM-yy")),
                                shownAmount(b.billAmount, 2), shownAmount(b.unpaid, 2), mine.isZero() ? QString() : mine.toString(2)};
        for (int c = 0; c < cells.size(); ++c) {
            auto* item = new QTableWidgetItem(cells.at(c));
            if (c != BillAdjust) item->setFlags(item->flags() & ~Qt::ItemIsEditable);
            if (c >= BillAmount) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            bills_->setItem(row, c, item);
        }
    }
    refreshBalance();
}

bool GoodsReturnScreen::adjust(const QString& billNo, const QString& amount) {
    for (int row = 0; row < bills_->rowCount(); ++row)
        if (bills_->item(row, BillNo) && bills_->item(row, BillNo)->text().endsWith(billNo)) {
            bills_->item(row, BillAdjust)->setText(amount);
            return true;
        }
    return false;
}

void GoodsReturnScreen::refreshBalance() {
    Decimal adjusted;
    for (const returns::Adjustment& a : adjustmentsOnScreen()) adjusted += a.amount;
    balance_->setText(QStringLiteral("Balance Remain : ") + shownAmount(netOnScreen() - adjusted, 2));
}

void GoodsReturnScreen::refreshGrid() {
    std::vector<trade::InvoiceLine> computed;
    trade::InvoiceTotals totals;
    bool igst = false;
    if (sales()) {
        const trade::ComputedBill c = salesService_->compute(salesOnScreen());
        computed = c.lines;
        totals = c.totals;
        igst = c.igst;
    } else {
        const trade::ComputedPurchase c = purchaseService_->compute(purchaseOnScreen());
        computed = c.lines;
        totals = c.totals;
        igst = c.igst;
    }
    std::vector<std::vector<Cell>> rows;
    for (size_t i = 0; i < computed.size() && i < lines_.size(); ++i) {
        const trade::InvoiceLine& l = computed[i];
        rows.push_back({Decimal(qint64(i + 1)), trade::itemLabel(db_, lines_[i].itemId).name, lines_[i].input.pieces, lines_[i].input.metres,
                        l.rate, l.amount, l.tax1Amount + l.tax2Amount, l.lineTotal});
    }
    setLines(rows);
    setTotals(trade::invoiceTotalsText(totals, igst), QStringLiteral("Net Amt  ") + shownAmount(totals.net, 2));
    refreshBalance();
}

bool GoodsReturnScreen::saveDocument() {
    // The proposed number left as it was: the save takes the next free one.
    const bool takeNext = documentId() <= 0 && textOf(QStringLiteral("txtBillNo")) == proposedNo_;
    std::optional<qint64> id;
    QString number;
    if (sales()) {
        returns::SalesReturn r = salesOnScreen();
        if (takeNext) r.returnNo.clear();
        id = salesService_->save(r);
        number = r.returnNo;
    } else {
        returns::PurchaseReturn r = purchaseOnScreen();
        if (takeNext) r.returnNo.clear();
        id = purchaseService_->save(r);
        number = r.returnNo;
    }
    if (!id) return false;
    setDocumentId(*id);
    textField(QStringLiteral("txtBillNo"))->setText(number);
    fillBills(sales() ? salesService_->load(*id)->adjustments : purchaseService_->load(*id)->adjustments);
    setStatus(QStringLiteral("Saved as Ret No ") + number);
    return true;
}

void GoodsReturnScreen::loadDocument(qint64 id) {
    lines_.clear();
    auto show = [this](const auto& r, qint64 book) {
        showChoice(choiceField(QStringLiteral("txtBook")), book);
        textField(QStringLiteral("txtBillNo"))->setText(r.returnNo);
        dateField(QStringLiteral("DtpBillDate"))->setDate(r.date);
        lookupField(QStringLiteral("txtParty"))->setChosen(r.partyId, partyName(db_, session_.firmNo, r.partyId));
        textField(QStringLiteral("txtSalBillNo"))->setText(r.sourceBillNo);
        setOptionalDate(QStringLiteral("DtpSalBillDt"), r.sourceBillDate);
        textField(QStringLiteral("txtReason"))->setText(r.reason);
        textField(QStringLiteral("txtNotes"))->setText(r.notes);
        textField(QStringLiteral("txtOther"))->setText(r.otherCharges.isZero() ? QString() : r.otherCharges.toString(2));
        for (const auto& l : r.lines) lines_.push_back({l.qualityId, l.input});
        fillBills(r.adjustments);
    };
    if (sales()) {
        const auto r = salesService_->load(id);
        if (!r) return;
        show(*r, r->bookNo);
        textField(QStringLiteral("txtGrade1"))->setText(r->reference);
    } else {
        const auto r = purchaseService_->load(id);
        if (!r) return;
        show(*r, r->bookId);
    }
    refreshGrid();
}

bool GoodsReturnScreen::removeDocument(qint64 id) { return sales() ? salesService_->remove(id) : purchaseService_->remove(id); }

documents::DocumentPage GoodsReturnScreen::listDocuments(const documents::ListFilter& filter) {
    return sales() ? salesService_->list(filter) : purchaseService_->list(filter);
}

void GoodsReturnScreen::printDocument(bool pdf) {
    const qint64 id = documentId();
    if (id <= 0) return;
    try {
        printDocumentRequest(db_, session_, messages_, returns::returnRequest(db_, session_, sales(), id),
                             returns::returnPdfName(sales(), textOf(QStringLiteral("txtBillNo"))), pdf, this);
    } catch (const reports::ReportError& error) {
        messages_.critical(QStringLiteral("Report"), error.text());
    }
}

}  // namespace tanabana::gui
