#include "gui/trade/SalesScreen.h"

#include "core/Words.h"
#include "domain/documents/Lookups.h"
#include "domain/shell/FirmSettings.h"
#include "domain/trade/PartyRates.h"
#include "domain/trade/SalesLines.h"
#include "domain/trade/SalesMessages.h"
#include "gui/common/EntryKeys.h"
#include "gui/common/FormFields.h"
#include "gui/common/TypedFields.h"
#include "gui/trade/SalesLineSources.h"
#include "gui/trade/SellingLookups.h"
#include "gui/trade/TradePrinting.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>

namespace tanabana::gui {

using trade::SalesBill;
using trade::SalesLine;

namespace {


// Grid columns every sales window shows, before those of its line source.
enum SalesCol { Sr, Quality, Desc, Pcs, Cut, Mtrs, Ty, Rate, Amt, Tax1P, Tax2P, Tax1Rs, Tax2Rs, Net, DiscP, BrkP, Common };

const QStringList kSalesInvoiceTypes{QStringLiteral("Retail"), QStringLiteral("Export"), QStringLiteral("SEZ")};

}  // namespace

SalesScreen::SalesScreen(db::Database& db, Session& session, Messages& messages, Kind kind, QWidget* parent)
    : DocumentForm(QString(), QString(), session, &messages, parent),
      db_(db),
      serviceMessages_(messages),
      service_(std::make_unique<trade::SalesInvoices>(db, session, messages)) {
    source_ = salesLineSource(kind, *this);
    setObjectName(source_->objectName());
    setWindowTitle(source_->title());
    declareFields();
    source_->build();
    addOwnButtons();
    finishLayout();
    wireKeys();
    source_->wire();
    // the first bill was started before the source's keys stood
    source_->started();
    markClean();
}

SalesScreen::~SalesScreen() = default;

void SalesScreen::declareFields() {
    QStringList books;
    declareHeader(
        {DocField::choice(QStringLiteral("txtBook"), QStringLiteral("Book"), {}),
         DocField::text(QStringLiteral("txtBillNo"), QStringLiteral("Bill No")),
         DocField::info(QStringLiteral("lblLastBillNo")),
         DocField::date(QStringLiteral("DtpBillDate"), QStringLiteral("Bill Date")),
         DocField::lookup(QStringLiteral("txtParty"), QStringLiteral("Party"), partyLookup(db_, session_.firmNo), 2),
         DocField::info(QStringLiteral("lblPartySales"), 2),
         DocField::lookup(QStringLiteral("txtDeli"), QStringLiteral("Deli."), partyLookup(db_, session_.firmNo, true), 2),
         DocField::lookup(QStringLiteral("txtConsignee"), QStringLiteral("Consignee"), partyLookup(db_, session_.firmNo, true),
                          2),
         DocField::lookup(QStringLiteral("txtBroker"), QStringLiteral("Broker"), brokerLookup(db_, session_, serviceMessages_)),
         DocField::text(QStringLiteral("txtChalanNo"), QStringLiteral("Chalan No")),
         DocField::text(QStringLiteral("txtDONo"), QStringLiteral("D.O. No")),
         DocField::choice(QStringLiteral("ComInvType"), QStringLiteral("Inv.Type"), kSalesInvoiceTypes),
         DocField::text(QStringLiteral("txtTransport"), QStringLiteral("Transport")),
         DocField::text(QStringLiteral("txtTruckNo"), QStringLiteral("Truck No")),
         DocField::text(QStringLiteral("txtVehicleNo"), QStringLiteral("Vehicle No")),
         DocField::text(QStringLiteral("txtEwayNo"), QStringLiteral("eWay BillNo")),
         DocField::text(QStringLiteral("txtLrNo"), QStringLiteral("L.R.No.")),
         DocField::optionalDate(QStringLiteral("txtLrDate"), QStringLiteral("L.R. Dt.")),
         DocField::text(QStringLiteral("txtPacking"), QStringLiteral("Packing")),
         DocField::number(QStringLiteral("txtCaseNo"), QStringLiteral("Case No"), 0, 100),
         DocField::number(QStringLiteral("txtCrDays"), QStringLiteral("Cr. Days"), 0, 60),
         DocField::text(QStringLiteral("txtWMbNo"), QStringLiteral("WhatsApp No")),
         DocField::text(QStringLiteral("txtDescription"), QStringLiteral("Description"), 0, 2)});
    book_ = choiceField(QStringLiteral("txtBook"));
    for (const documents::BookChoice& b : documents::booksOfKind(db_, session_.firmNo, documents::BookKind::Sales))
        book_->addItem(QString::number(b.bookNo) + QStringLiteral(" ") + b.name, b.bookNo);
    party_ = lookupField(QStringLiteral("txtParty"));
    party_->setCreator(partyCreator(session_, serviceMessages_, this), QStringLiteral("Ins = new party"));

    std::vector<DocField> line = source_->fieldsBeforeQuality();
    line.push_back(source_->qualityField());
    for (const DocField& f :
         {DocField::text(QStringLiteral("txtDesc"), QStringLiteral("Desc")),
          DocField::number(QStringLiteral("txtPcs"), QStringLiteral("Pcs")),
          DocField::number(QStringLiteral("txtCut"), QStringLiteral("Cut")),
          DocField::number(QStringLiteral("txtMtrs"), QStringLiteral("Mtrs")),
          DocField::choice(QStringLiteral("ComTy"), QStringLiteral("Ty"), {QStringLiteral("M"), QStringLiteral("P")}),
          DocField::number(QStringLiteral("txtRate"), QStringLiteral("Rate")),
          DocField::number(QStringLiteral("txtDisc"), QStringLiteral("(F9) Disc %"), 3, 80),
          DocField::number(QStringLiteral("txtBrk"), QStringLiteral("Brk%"), 3, 60),
          DocField::info(QStringLiteral("lblItemInfo"))})
        line.push_back(f);
    declareLine(line);
    quality_ = field<LookupField>(source_->qualityField().name);
    if (quality_->objectName() == QLatin1String("txtQuality"))
        quality_->setCreator(qualityCreator(session_, serviceMessages_, this), QStringLiteral("Ins = new quality"));

    std::vector<GridColumn> columns{GridColumn::number(QStringLiteral("Sr"), 0),
                                    GridColumn::text(QStringLiteral("Quality")),
                                    GridColumn::text(QStringLiteral("Desc")),
                                    GridColumn::number(QStringLiteral("Pcs"), 0, true),
                                    GridColumn::number(QStringLiteral("Cut"), 2),
                                    GridColumn::number(QStringLiteral("Mtrs"), 3, true),
                                    GridColumn::text(QStringLiteral("Ty")),
                                    GridColumn::number(QStringLiteral("Rate"), 2),
                                    GridColumn::number(QStringLiteral("Amt"), 2, true),
                                    GridColumn::number(QStringLiteral("SGST P"), 2),
                                    GridColumn::number(QStringLiteral("CGST P"), 2),
                                    GridColumn::number(QStringLiteral("SGST Rs"), 2, true),
                                    GridColumn::number(QStringLiteral("CGST Rs"), 2, true),
                                    GridColumn::number(QStringLiteral("Net Amt"), 2, true),
                                    GridColumn::number(QStringLiteral("Disc %"), 2),
                                    GridColumn::number(QStringLiteral("Brk %"), 2)};
    for (const GridColumn& c : source_->columns()) columns.push_back(c);
    declareGrid(columns);

    DocField tcs = DocField::number(QStringLiteral("txtTcsP"), QStringLiteral("TCS %"), 3, 70);
    DocField tds = DocField::number(QStringLiteral("txtTdsP"), QStringLiteral("TDS %"), 3, 70);
    DocField other = DocField::number(QStringLiteral("txtOther"), QStringLiteral("Other (+/-)"), 2, 100);
    other.rule.negative = true;  // a deduction is typed with a minus
    declareCharges({tcs, tds, other});

    declareList({{ListColumn::Number, QStringLiteral("Bill No")},
                 {ListColumn::Marked, QStringLiteral("Audited")},
                 {ListColumn::Date, QStringLiteral("Bill Date")},
                 {ListColumn::Party, QStringLiteral("Party")},
                 {ListColumn::Text, QStringLiteral("City"), 0},
                 {ListColumn::Amount, QStringLiteral("Net Amt")},
                 {ListColumn::Text, QStringLiteral("eWay Bill No"), 1},
                 {ListColumn::Text, QStringLiteral("Ch No"), 2},
                 {ListColumn::Figure, QStringLiteral("Paid"), 0},
                 {ListColumn::Figure, QStringLiteral("Unpaid"), 1}},
                QStringLiteral("bill no, party or amount"));
    pending_ = new QComboBox;
    pending_->setObjectName(QStringLiteral("ComPending"));
    pending_->addItems({QStringLiteral("All Bills"), QStringLiteral("Pending Ewaybill"), QStringLiteral("Pending EInvoice"),
                        QStringLiteral("Pending LR No")});
    addListFilter(pending_);
    connect(pending_, &QComboBox::currentIndexChanged, this, [this] { showListPage(0); });

    connect(book_, &QComboBox::currentIndexChanged, this, [this] { bookChosen(); });
    connect(party_, &LookupField::chosen, this, [this] { partyChosen(); });
    connect(quality_, &LookupField::chosen, this, [this] { qualityChosen(); });
    for (const char* name : {"txtTcsP", "txtTdsP", "txtOther"})
        connect(textField(QString::fromLatin1(name)), &QLineEdit::textEdited, this, [this] { refreshTotals(); });
    connect(lineGrid(), &QTableWidget::cellDoubleClicked, this, [this](int row, int) { editLine(row); });
}

void SalesScreen::addOwnButtons() {
    printType_ = new QComboBox;
    printType_->setObjectName(QStringLiteral("ComPrintType"));
    printType_->addItems({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")});
    printType_->setToolTip(QStringLiteral("Print layout"));
    addToButtonBar(printType_);
    smsForm_ = new QComboBox;
    smsForm_->setObjectName(QStringLiteral("ComSMS"));
    smsForm_->addItems(
        {QStringLiteral("1. Bill + Outstanding"), QStringLiteral("2. Dispatch"), QStringLiteral("3. Bill Amount")});
    addToButtonBar(smsForm_);
    smsText_ = new QLineEdit;
    smsText_->setObjectName(QStringLiteral("txtSMSText"));
    smsText_->setPlaceholderText(QStringLiteral("Extra SMS text"));
    smsText_->setMaximumWidth(140);
    addToButtonBar(smsText_);
    addButton(
        QStringLiteral("CmdSMS"), QStringLiteral("SMS"),
        [this] {
            trade::sendInvoiceSms(db_, session_, serviceMessages_, documentId(), trade::SmsForm(smsForm_->currentIndex() + 1),
                                  smsText_->text());
        },
        true);
    addButton(
        QStringLiteral("CmdBillNo"), QStringLiteral("Bi&ll No"),
        [this] {
            if (documentId() > 0 && service_->renumber(documentId())) openEntry(documentId());
        },
        true)
        ->setToolTip(QStringLiteral("Give this bill a new number"));
    // E-invoice and e-way bill requests are a feature of their own, not built yet.
    for (const auto& [name, text] : {std::pair{QStringLiteral("CmdEInvoice"), QStringLiteral("E-Invoice")},
                                     std::pair{QStringLiteral("CmdEway"), QStringLiteral("E-way Bill")}}) {
        QPushButton* b = addButton(name, text, {});
        b->setEnabled(false);
        b->setToolTip(QStringLiteral("Not available yet"));
    }
}

// Enter on a few fields acts: a challan number brings its lines, the last field adds the line.
void SalesScreen::wireKeys() {
    keys()->onEnter(textField(QStringLiteral("txtChalanNo")), [this] {
        challanTyped();
        return false;
    });
    keys()->onEnter(textField(QStringLiteral("txtBrk")), [this] {
        if (!refuseTypedLine()) addLine();
        return true;
    });
    connect(lineGrid(), &QTableWidget::itemActivated, this, [this](QTableWidgetItem* item) { editLine(item->row()); });
    // Period bills are made from several challans, not from one challan number.
    textField(QStringLiteral("txtChalanNo"))->setEnabled(!objectName().endsWith(QStringLiteral("BetDt")));
}

bool SalesScreen::functionKey(int key) {
    // F9 from the line goes to its discount
    if (key == Qt::Key_F9) {
        QLineEdit* disc = textField(QStringLiteral("txtDisc"));
        disc->setFocus();
        disc->selectAll();
        return true;
    }
    return false;
}

void SalesScreen::clearDocument() {
    lines_.clear();
    editedSource_ = {};
    editedLine_.reset();
    openedBill_.reset();
    for (const char* name :
         {"txtBillNo", "txtChalanNo", "txtDONo",   "txtTransport", "txtTruckNo",     "txtVehicleNo", "txtLrNo", "txtLrDate",
          "txtEwayNo", "txtPacking",  "txtCaseNo", "txtCrDays",    "txtDescription", "txtWMbNo",     "txtDesc", "txtPcs",
          "txtCut",    "txtMtrs",     "txtRate",   "txtDisc",      "txtBrk",         "txtTcsP",      "txtTdsP", "txtOther"})
        textField(QString::fromLatin1(name))->clear();
    smsText_->clear();
    for (const char* name : {"txtParty", "txtDeli", "txtConsignee", "txtBroker"})
        lookupField(QString::fromLatin1(name))->clearChoice();
    quality_->clearChoice();
    for (const char* name : {"lblPartySales", "lblItemInfo"}) infoField(QString::fromLatin1(name))->clear();
    choiceField(QStringLiteral("ComInvType"))->setCurrentIndex(0);
    choiceField(QStringLiteral("ComTy"))->setCurrentIndex(0);
    const QDate today = QDate::currentDate();
    dateField(QStringLiteral("DtpBillDate"))->setDate(session_.inYear(today) ? today : session_.yearEndDate);
    source_->started();
    bookChosen();
    refreshGrid();
}

void SalesScreen::bookChosen() {
    const qint64 book = book_->currentData().toLongLong();
    if (documentId() == 0) {
        proposedNo_ = service_->nextBillNo(book);
        textField(QStringLiteral("txtBillNo"))->setText(proposedNo_);
    }
    infoField(QStringLiteral("lblLastBillNo"))->setText(QStringLiteral("Last Bill No : ") + service_->lastBillNo(book));
    showListPage(0);
}

void SalesScreen::partyChosen() {
    const auto p = service_->party(party_->chosenId());
    if (!p) return;
    if (documentId() == 0) service_->refuseOverLimits(*p);  // told now; the save refuses it again
    if (lookupField(QStringLiteral("txtDeli"))->chosenId() == 0)
        lookupField(QStringLiteral("txtDeli"))->setChosen(p->id, p->name);
    const trade::SalesInvoices::Dispatch last = service_->lastDispatch(p->id);
    QLineEdit* transport = textField(QStringLiteral("txtTransport"));
    if (transport->text().isEmpty()) transport->setText(last.transport.isEmpty() ? p->transport : last.transport);
    if (textOf(QStringLiteral("txtTruckNo")).isEmpty()) textField(QStringLiteral("txtTruckNo"))->setText(last.truckNo);
    if (textOf(QStringLiteral("txtCrDays")).isEmpty() && p->creditDays > 0)
        textField(QStringLiteral("txtCrDays"))->setText(QString::number(p->creditDays));
    if (textOf(QStringLiteral("txtTdsP")).isEmpty() && p->tdsPercent > Decimal())
        textField(QStringLiteral("txtTdsP"))->setText(p->tdsPercent.toString(2));
    LookupField* broker = lookupField(QStringLiteral("txtBroker"));
    if (broker->chosenId() == 0 && p->brokerId > 0)
        broker->setChosen(p->brokerId, brokerName(db_, session_, serviceMessages_, p->brokerId));
    textField(QStringLiteral("txtWMbNo"))->setText(p->mobile);
    infoField(QStringLiteral("lblPartySales"))
        ->setText(QStringLiteral("Party Sales : ") + shownAmount(service_->partySales(p->id), 2) +
                  (p->otherState ? QStringLiteral("   IGST") : QString()));
    const Decimal tcs = service_->proposedTcsPercent(billOnScreen());
    if (!tcs.isZero() && numberOf(QStringLiteral("txtTcsP")).isZero())
        textField(QStringLiteral("txtTcsP"))->setText(tcs.toString(3));
    refreshGrid();
}

void SalesScreen::qualityChosen() {
    const auto item = trade::lineForItem(db_, session_.firmNo, quality_->chosenId());
    if (!item) return;
    textField(QStringLiteral("txtRate"))->setText(item->input.listRate.toString(2));
    choiceField(QStringLiteral("ComTy"))->setCurrentText(item->input.rateOn);
    const trade::ItemLabel label = trade::itemLabel(db_, item->qualityId);
    QString info = label.name + QStringLiteral("   SGST ") + item->input.sgstPercent.toString(2) + QStringLiteral("%  CGST ") +
                   item->input.cgstPercent.toString(2) + QStringLiteral("%");
    if (party_->chosenId() > 0) {
        const auto last = trade::storedPartyRate(db_, trade::RateSource::Bill, party_->chosenId(), item->qualityId);
        if (last)
            info += QStringLiteral("   Last Bill No ") + last->documentNo + QStringLiteral("  Last Bill Dt ") +
                    last->date.toString(QStringLiteral("dd-MM-yyyy")) + QStringLiteral("  Rate ") + last->rate.toString(2);
    }
    infoField(QStringLiteral("lblItemInfo"))->setText(info);
}

SalesLine SalesScreen::lineFromEntry() const {
    // A line taken back for editing keeps the GST the bill was made with; a new line takes the item's.
    SalesLine line = editedLine_ && editedLine_->qualityId == quality_->chosenId()
                         ? *editedLine_
                         : trade::lineForItem(db_, session_.firmNo, quality_->chosenId()).value_or(SalesLine{});
    line.input.netRate.reset();
    line.description = textField(QStringLiteral("txtDesc"))->text();
    line.input.pieces = numberOf(QStringLiteral("txtPcs"));
    line.input.cut = numberOf(QStringLiteral("txtCut"));
    line.input.metres = numberOf(QStringLiteral("txtMtrs"));
    line.input.rateOn = choiceField(QStringLiteral("ComTy"))->currentText();
    line.input.listRate = numberOf(QStringLiteral("txtRate"));
    line.input.discountPercent = numberOf(QStringLiteral("txtDisc"));
    line.input.secondDiscountPercent = numberOf(QStringLiteral("txtBrk"));
    return line;
}

void SalesScreen::addLine() {
    if (quality_->chosenId() <= 0) return;
    lines_.push_back(lineFromEntry());
    lines_.back().challanId = editedSource_.first;
    lines_.back().challanSrno = editedSource_.second;
    editedSource_ = {};
    editedLine_.reset();
    quality_->clearChoice();
    for (const char* name : {"txtDesc", "txtPcs", "txtCut", "txtMtrs", "txtRate", "txtDisc", "txtBrk"})
        textField(QString::fromLatin1(name))->clear();
    infoField(QStringLiteral("lblItemInfo"))->clear();
    markChanged();
    refreshGrid();
    if (!source_->lineAdded()) quality_->setFocus();
}

void SalesScreen::editLine(int row) {
    if (row < 0 || row >= int(lines_.size())) return;
    const SalesLine line = lines_[size_t(row)];
    lines_.erase(lines_.begin() + row);
    editedSource_ = {line.challanId, line.challanSrno};
    editedLine_ = line;
    quality_->setChosen(line.qualityId, trade::itemLabel(db_, line.qualityId).name);
    source_->lineTakenBack(line);
    textField(QStringLiteral("txtDesc"))->setText(line.description);
    textField(QStringLiteral("txtPcs"))->setText(blankIfZero(line.input.pieces, 3));
    textField(QStringLiteral("txtCut"))->setText(blankIfZero(line.input.cut, 3));
    textField(QStringLiteral("txtMtrs"))->setText(blankIfZero(line.input.metres, 3));
    choiceField(QStringLiteral("ComTy"))->setCurrentText(line.input.rateOn);
    textField(QStringLiteral("txtRate"))->setText(line.input.listRate.toString(2));
    textField(QStringLiteral("txtDisc"))->setText(blankIfZero(line.input.discountPercent, 2));
    textField(QStringLiteral("txtBrk"))->setText(blankIfZero(line.input.secondDiscountPercent, 2));
    markChanged();
    refreshGrid();
    textField(QStringLiteral("txtPcs"))->setFocus();
}

void SalesScreen::refreshGrid() {
    const SalesBill bill = billOnScreen();
    const trade::ComputedBill c = service_->compute(bill);
    std::vector<std::vector<Cell>> rows;
    for (size_t i = 0; i < c.lines.size(); ++i) {
        const SalesLine& in = bill.lines[i];
        const trade::InvoiceLine& l = c.lines[i];
        std::vector<Cell> row{Decimal(qint64(i + 1)),
                              trade::itemLabel(db_, in.qualityId).name,
                              in.description,
                              in.input.pieces,
                              in.input.cut,
                              in.input.metres,
                              in.input.rateOn,
                              l.rate,
                              l.amount,
                              l.tax1Percent,
                              l.tax2Percent,
                              l.tax1Amount,
                              l.tax2Amount,
                              l.lineTotal,
                              in.input.discountPercent,
                              in.input.secondDiscountPercent};
        for (const Cell& extra : source_->cells(in)) row.push_back(extra);
        rows.push_back(std::move(row));
    }
    setLines(rows);
    const QString tax1 = c.igst ? QStringLiteral("IGST") : QStringLiteral("SGST");
    setColumnCaption(Tax1P, tax1 + QStringLiteral(" P"));
    setColumnCaption(Tax1Rs, tax1 + QStringLiteral(" Rs"));
    setColumnHidden(Tax2P, c.igst);
    setColumnHidden(Tax2Rs, c.igst);
    refreshTotals();
}

void SalesScreen::refreshTotals() {
    const trade::ComputedBill c = service_->compute(billOnScreen());
    setTotals(trade::invoiceTotalsText(c.totals, c.igst), QStringLiteral("Net Amt  ") + shownAmount(c.totals.net, 2));
}

SalesBill SalesScreen::billOnScreen() const {
    SalesBill b = openedBill_ && documentId() > 0 ? *openedBill_ : SalesBill{};
    b.id = documentId();
    b.bookNo = book_->currentData().toLongLong();
    b.billNo = textOf(QStringLiteral("txtBillNo"));
    b.date = dateField(QStringLiteral("DtpBillDate"))->date();
    b.partyId = party_->chosenId();
    b.deliveryId = lookupField(QStringLiteral("txtDeli"))->chosenId();
    b.consigneeId = lookupField(QStringLiteral("txtConsignee"))->chosenId();
    b.brokerId = lookupField(QStringLiteral("txtBroker"))->chosenId();
    b.challanNo = textOf(QStringLiteral("txtChalanNo")).toLongLong();
    b.doNo = textField(QStringLiteral("txtDONo"))->text();
    b.invoiceType = choiceField(QStringLiteral("ComInvType"))->currentText();
    b.transport = textField(QStringLiteral("txtTransport"))->text();
    b.truckNo = textField(QStringLiteral("txtTruckNo"))->text();
    b.vehicleNo = textField(QStringLiteral("txtVehicleNo"))->text();
    b.ewayBillNo = textField(QStringLiteral("txtEwayNo"))->text();
    b.lrNo = textField(QStringLiteral("txtLrNo"))->text();
    b.lrDate = optionalDate(QStringLiteral("txtLrDate"));
    b.packing = textField(QStringLiteral("txtPacking"))->text();
    b.caseNo = textOf(QStringLiteral("txtCaseNo")).toLongLong();
    b.creditDays = textOf(QStringLiteral("txtCrDays")).toInt();
    b.notes = textField(QStringLiteral("txtDescription"))->text();
    b.tcsPercent = numberOf(QStringLiteral("txtTcsP"));
    b.tdsPercent = numberOf(QStringLiteral("txtTdsP"));
    b.otherCharges = numberOf(QStringLiteral("txtOther"));
    b.lines = lines_;
    return b;
}

void SalesScreen::showParty(qint64 id, const QString& fieldName) {
    LookupField* f = lookupField(fieldName);
    if (const auto p = service_->party(id)) f->setChosen(p->id, p->name);
    else f->clearChoice();
}

void SalesScreen::challanTyped() {
    const QString no = textOf(QStringLiteral("txtChalanNo"));
    if (no.isEmpty() || !lines_.empty()) return;
    SalesBill bill = billOnScreen();
    if (!service_->fillFromChallan(bill, no)) {
        textField(QStringLiteral("txtChalanNo"))->clear();
        return;
    }
    showParty(bill.partyId, QStringLiteral("txtParty"));
    if (const auto p = service_->party(bill.partyId)) textField(QStringLiteral("txtWMbNo"))->setText(p->mobile);
    showParty(bill.deliveryId, QStringLiteral("txtDeli"));
    textField(QStringLiteral("txtTransport"))->setText(bill.transport);
    textField(QStringLiteral("txtTruckNo"))->setText(bill.truckNo);
    textField(QStringLiteral("txtLrNo"))->setText(bill.lrNo);
    textField(QStringLiteral("txtDONo"))->setText(bill.doNo);
    textField(QStringLiteral("txtDescription"))->setText(bill.notes);
    lines_ = bill.lines;
    markChanged();
    refreshGrid();
}

bool SalesScreen::saveDocument() {
    SalesBill bill = billOnScreen();
    // The proposed number left untouched: the save takes the next free number (another station
    // may have used the proposal meanwhile) and the operator is told which one it took.
    const bool takeNext = bill.id <= 0 && !proposedNo_.isEmpty() && bill.billNo == proposedNo_;
    if (takeNext) bill.billNo.clear();
    const auto id = service_->save(bill);
    if (!id) return false;
    setDocumentId(*id);
    setStatus(QStringLiteral("Saved as Bill No ") + bill.billNo);
    return true;
}

void SalesScreen::loadDocument(qint64 id) {
    const auto bill = service_->load(id);
    if (!bill) return;
    openedBill_ = bill;
    editedSource_ = {};
    editedLine_.reset();
    showChoice(book_, bill->bookNo);
    textField(QStringLiteral("txtBillNo"))->setText(bill->billNo);
    dateField(QStringLiteral("DtpBillDate"))->setDate(bill->date);
    showParty(bill->partyId, QStringLiteral("txtParty"));
    if (const auto p = service_->party(bill->partyId)) textField(QStringLiteral("txtWMbNo"))->setText(p->mobile);
    showParty(bill->deliveryId, QStringLiteral("txtDeli"));
    showParty(bill->consigneeId, QStringLiteral("txtConsignee"));
    LookupField* broker = lookupField(QStringLiteral("txtBroker"));
    broker->clearChoice();
    if (bill->brokerId > 0) broker->setChosen(bill->brokerId, brokerName(db_, session_, serviceMessages_, bill->brokerId));
    textField(QStringLiteral("txtChalanNo"))->setText(bill->challanNo > 0 ? QString::number(bill->challanNo) : QString());
    textField(QStringLiteral("txtDONo"))->setText(bill->doNo);
    QComboBox* type = choiceField(QStringLiteral("ComInvType"));
    // a type the list does not offer (an older spelling) is shown as it is and kept
    if (type->findText(bill->invoiceType) < 0 && !bill->invoiceType.isEmpty()) type->addItem(bill->invoiceType);
    type->setCurrentText(bill->invoiceType);
    textField(QStringLiteral("txtTransport"))->setText(bill->transport);
    textField(QStringLiteral("txtTruckNo"))->setText(bill->truckNo);
    textField(QStringLiteral("txtVehicleNo"))->setText(bill->vehicleNo);
    textField(QStringLiteral("txtEwayNo"))->setText(bill->ewayBillNo);
    textField(QStringLiteral("txtLrNo"))->setText(bill->lrNo);
    setOptionalDate(QStringLiteral("txtLrDate"), bill->lrDate);
    textField(QStringLiteral("txtPacking"))->setText(bill->packing);
    textField(QStringLiteral("txtCaseNo"))->setText(bill->caseNo > 0 ? QString::number(bill->caseNo) : QString());
    textField(QStringLiteral("txtCrDays"))->setText(bill->creditDays > 0 ? QString::number(bill->creditDays) : QString());
    textField(QStringLiteral("txtDescription"))->setText(bill->notes);
    textField(QStringLiteral("txtTcsP"))->setText(blankIfZero(bill->tcsPercent, 3));
    textField(QStringLiteral("txtTdsP"))->setText(blankIfZero(bill->tdsPercent, 2));
    textField(QStringLiteral("txtOther"))->setText(blankIfZero(bill->otherCharges, 2));
    infoField(QStringLiteral("lblLastBillNo"))->setText(QStringLiteral("Last Bill No : ") + service_->lastBillNo(bill->bookNo));
    lines_ = bill->lines;
    source_->opened();
    refreshGrid();
}

bool SalesScreen::removeDocument(qint64 id) { return service_->remove(id); }

documents::DocumentPage SalesScreen::listDocuments(const documents::ListFilter& filter) {
    return service_->billList(
        book_->currentData().toLongLong(), filter,
        pending_ ? trade::SalesInvoices::Pending(pending_->currentIndex()) : trade::SalesInvoices::Pending::Any);
}

void SalesScreen::printDocument(bool pdf) {
    printInvoice(db_, session_, serviceMessages_, documentId(), pdf, this, printType_->currentIndex() + 1);
}

void SalesScreen::sendWhatsApp() {
    setStatus({});
    if (trade::sendInvoiceWhatsApp(db_, session_, serviceMessages_, documentId(), textField(QStringLiteral("txtWMbNo"))->text()))
        setStatus(QStringLiteral("WhatsApp sent for Bill No ") + textOf(QStringLiteral("txtBillNo")));
}

bool SalesScreen::markListed(qint64 id, bool marked) {
    if (!service_->setAudited(id, marked)) return false;
    // the open bill saved again keeps the mark
    if (id == documentId() && openedBill_) openedBill_->audited = marked;
    return true;
}

}  // namespace tanabana::gui
