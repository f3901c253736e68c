#include "domain/trade/SalesInvoices.h"

#include "core/Words.h"
#include "domain/ledger/Balances.h"
#include "domain/ledger/Journal.h"
#include "domain/documents/Deletion.h"
#include "domain/documents/Guard.h"
#include "domain/documents/TableMap.h"
#include "domain/shell/Lookups.h"
#include "domain/trade/BillLineTables.h"
#include "domain/trade/DatedRules.h"
#include "domain/trade/DocumentRules.h"
#include "domain/trade/PartyRates.h"
#include "domain/trade/SalesLines.h"

#include <QSet>

namespace tanabana::trade {

namespace {

const QString kSalesMst = QStringLiteral("SalBillMst");
const QString kSalesDtl = QStringLiteral("SalBillDtl");
constexpr int kSale = 3;

QString numberText(Decimal value) {
    QString text = value.toString(4);
    while (text.contains(QLatin1Char('.')) && (text.endsWith(QLatin1Char('0')) || text.endsWith(QLatin1Char('.')))) text.chop(1);
    return text;
}


using documents::Column;
using documents::field;
using documents::fixed;
using documents::Overlong;
using documents::written;

// A bill as its header row is written: what was typed, what was computed, and what the books
// already hold for it (paid amounts and the settled mark stay as the receipts left them).
struct SalesHeaderRow {
    SalesHeaderRow(const SalesBill& b, const ComputedBill& c, qint64 firm) : bill(b), computed(c), firmNo(firm) {}
    const SalesBill& bill;
    const ComputedBill& computed;
    qint64 firmNo = 0;
    bool cashParty = false;
    Decimal paid;
    bool settled = false;
    bool roundOffKept = false;
};

template <typename M>
Column<SalesHeaderRow, SalesBill> salesTyped(const char* column, M SalesBill::*member, const char* caption = nullptr, int places = 4) {
    auto own = field(column, member, caption, places);
    return {own.name, own.caption, [w = own.write](const SalesHeaderRow& r) { return w(r.bill); }, own.read, own.overlong};
}

Column<SalesHeaderRow, SalesBill> salesTotal(const char* column, Decimal InvoiceTotals::*member) {
    return written<SalesHeaderRow, SalesBill>(column, [member](const SalesHeaderRow& r) { return (r.computed.totals.*member).toDouble(); });
}

const documents::TableMap<SalesHeaderRow, SalesBill>& salesHeaderTable() {
    using R = SalesHeaderRow;
    using B = SalesBill;
    static const documents::TableMap<R, B> table{
        kSalesMst, QStringLiteral("Id"),
        {written<R, B>("FirmNO", [](const R& r) { return r.firmNo; }),
         fixed<R, B>("FormId", kSale),
         salesTyped("BookNO", &B::bookNo),
         salesTyped("BillNO", &B::billNo, "Bill No"),
         salesTyped("BillDate", &B::date),
         salesTyped("PartyID", &B::partyId),
         {QStringLiteral("DeliId"), {}, [](const R& r) { return QVariant(r.bill.deliveryId > 0 ? r.bill.deliveryId : r.bill.partyId); },
          [](B& b, const db::Row& row) { b.deliveryId = row.integer(QStringLiteral("DeliId")); }},
         {QStringLiteral("ConSId"), {}, [](const R& r) { return QVariant(r.bill.consigneeId > 0 ? r.bill.consigneeId : r.bill.partyId); },
          [](B& b, const db::Row& row) { b.consigneeId = row.integer(QStringLiteral("ConSId")); }},
         salesTyped("BrokerId", &B::brokerId),
         salesTyped("CrDays", &B::creditDays),
         written<R, B>("PDueDate", [](const R& r) { return QVariant(r.bill.date.addDays(r.bill.creditDays)); }),
         salesTyped("ChNo", &B::challanNo),
         salesTyped("Ch1", &B::challanDate, "Chalan Date"),
         salesTyped("Grade", &B::doNo, "D.O. No"),
         salesTyped("Ch2", &B::orderDate, "Order Date"),
         salesTyped("Notes", &B::notes, "Description"),
         written<R, B>("InvType", [](const R& r) { return r.bill.invoiceType.trimmed().left(1).toUpper(); }),
         salesTyped("PurTypeId", &B::invoiceTypeId),
         salesTotal("BAmt", &InvoiceTotals::taxable),
         salesTyped("DiscP", &B::returnPercent),
         salesTyped("DiscRs", &B::returnAmount, nullptr, 2),
         fixed<R, B>("VATP", 0), fixed<R, B>("ATAXP", 0), fixed<R, B>("CSTP", 0), fixed<R, B>("OtherRs", 0),
         salesTotal("VatRs", &InvoiceTotals::sgst),
         salesTotal("ATAXRs", &InvoiceTotals::cgst),
         salesTotal("CSTRs", &InvoiceTotals::igst),
         salesTyped("TDSP", &B::tdsPercent),
         salesTotal("TDSRs", &InvoiceTotals::tds),
         salesTyped("TCSP", &B::tcsPercent),
         salesTotal("TCSRs", &InvoiceTotals::tcs),
         {QStringLiteral("OtherP"), {}, [](const R& r) { return QVariant(r.computed.totals.otherCharges.toDouble()); },
          [](B& b, const db::Row& row) { b.otherCharges = Decimal::fromVariant(row.value(QStringLiteral("OtherP"))); }},
         written<R, B>("OtherP1", [](const R& r) { return r.roundOffKept ? r.computed.totals.roundOff.toDouble() : 0.0; }),
         salesTotal("BillAmount", &InvoiceTotals::net),
         written<R, B>("InWords", [](const R& r) { return QStringLiteral("Rs. ") + AmountInWords(r.computed.totals.net) + QStringLiteral(" Only."); },
                       Overlong::Cut),
         salesTyped("AGAINST", &B::ewayBillNo, "E-way Bill No"),
         salesTyped("TrNO", &B::truckNo, "Truck No"),
         salesTyped("LrNo", &B::lrNo, "L.R.No."),
         salesTyped("LrDt", &B::lrDate),
         salesTyped("Transport", &B::transport, "Transport"),
         salesTyped("T_LrTrans_Id", &B::transporterId, "Transporter Id"),
         salesTyped("T_VehNO", &B::vehicleNo, "Vehicle No"),
         salesTyped("Packng", &B::packing, "Packing"),
         salesTyped("CaseNO", &B::caseNo),
         salesTyped("SalPartyName", &B::extraName1, "Party Name 1"),
         salesTyped("SalPartyName1", &B::extraName2, "Party Name 2"),
         salesTyped("Ret_Reason", &B::shippingNo, "Ship. Doc No"),
         {QStringLiteral("Sal_Bill_Dt"), {},
          [](const R& r) { return r.bill.shippingNo.trimmed().isEmpty() || !r.bill.shippingDate.isValid() ? QVariant(QMetaType(QMetaType::QDate))
                                                                                                           : QVariant(r.bill.shippingDate); },
          [](B& b, const db::Row& row) { b.shippingDate = row.date(QStringLiteral("Sal_Bill_Dt")); }},
         salesTyped("PaidcashAmt", &B::cashPaid, nullptr, 2),
         salesTyped("CashBookNO", &B::cashBookNo),
         salesTyped("CashRem", &B::cashRemark, "Cash Remark"),
         written<R, B>("PaidAmt", [](const R& r) { return r.paid.toDouble(); }),
         written<R, B>("UnPaidAmt", [](const R& r) { return (r.computed.totals.net - r.computed.totals.tds - r.paid).roundHalfEven(2).toDouble(); }),
         written<R, B>("IsEnd", [](const R& r) { return r.settled ? 1 : 0; }),
         {QStringLiteral("BillType"), {}, [](const R& r) { return QVariant(r.bill.invoiceType); },
          [](B& b, const db::Row& row) {
              b.invoiceType = row.text(QStringLiteral("BillType"));
              if (b.invoiceType.isEmpty()) b.invoiceType = row.text(QStringLiteral("InvType"));
          },
          Overlong::Refuse},
         {QStringLiteral("IsOp"), {}, [](const R& r) { return QVariant(r.bill.opening ? -1 : 0); },
          [](B& b, const db::Row& row) { b.opening = row.integer(QStringLiteral("IsOp")) == -1; }},
         salesTyped("Is_Audit", &B::audited),
         fixed<R, B>("Is_Upload", 0),
         salesTyped("Bill_From", &B::billFrom)}};
    return table;
}


Column<SalesLineRow, SalesLine> salesLineAmount(const char* column, Decimal InvoiceLine::*member) {
    return written<SalesLineRow, SalesLine>(column, [member](const SalesLineRow& r) { return (r.computed.*member).toDouble(); });
}

template <typename M>
Column<SalesLineRow, SalesLine> lineText(const char* column, M SalesLine::*member, const char* caption) {
    auto own = field(column, member, caption);
    return {own.name, own.caption, [w = own.write](const SalesLineRow& r) { return w(r.line); }, own.read, own.overlong};
}

Column<SalesLineRow, SalesLine> salesQuantity(const char* column, Decimal InvoiceLineInput::*member) {
    const QString name = QString::fromLatin1(column);
    return {name, {}, [member](const SalesLineRow& r) { return QVariant((r.line.input.*member).roundHalfEven(3).toDouble()); },
            [member, name](SalesLine& l, const db::Row& row) { l.input.*member = Decimal::fromVariant(row.value(name)); }};
}

// A rate without GST brought back to the GST-inclusive rate the operator typed: to paise when
// that gives the stored rate again (105.00 for a stored 100.0000 at 5%), else to four places.
Decimal withGst(Decimal rate, Decimal gstPercent) {
    const Decimal hundred(100);
    const Decimal exact = rate * (hundred + gstPercent) / hundred;
    const Decimal salesTyped = exact.roundHalfEven(2);
    return (salesTyped * hundred / (hundred + gstPercent)).roundHalfEven(4) == rate ? salesTyped : exact.roundHalfEven(4);
}

// The line's rates and GST as the bill stored them, so a re-save computes the same bill whatever
// the item master says today. (Reads the item's VatCalc joined to the row.)
void readSalesRates(SalesLine& line, const db::Row& r) {
    InvoiceLineInput& in = line.input;
    in.discountPercent = Decimal::fromVariant(r.value(QStringLiteral("CDP")));
    in.secondDiscountPercent = Decimal::fromVariant(r.value(QStringLiteral("CDP1")));
    if (in.secondDiscountPercent.isZero()) in.secondDiscountAmount = Decimal::fromVariant(r.value(QStringLiteral("CDRs1")));
    const Decimal igst = Decimal::fromVariant(r.value(QStringLiteral("IGSTP")));
    if (igst > Decimal()) {
        in.sgstPercent = igst / Decimal(2);
        in.cgstPercent = igst - in.sgstPercent;
    } else {
        in.sgstPercent = Decimal::fromVariant(r.value(QStringLiteral("DVatP")));
        in.cgstPercent = Decimal::fromVariant(r.value(QStringLiteral("DATaxP")));
    }
    const Decimal gst = in.sgstPercent + in.cgstPercent;
    const int calc = int(r.integer(QStringLiteral("VatCalc")));
    const bool inclusive = calc != 0 && calc != 1 && !gst.isZero();
    const Decimal listRate = Decimal::fromVariant(r.value(QStringLiteral("SRate")));
    const Decimal netRate = Decimal::fromVariant(r.value(QStringLiteral("Rate")));
    const bool typedNetRate = in.discountPercent.isZero() && in.secondDiscountPercent.isZero() && netRate != listRate;
    in.gstCalc = inclusive ? calc : 1;
    in.listRate = inclusive ? withGst(listRate, gst) : listRate;
    in.netRate.reset();
    if (typedNetRate) in.netRate = inclusive ? withGst(netRate, gst) : netRate;
}

const documents::TableMap<SalesLineRow, SalesLine>& salesLines() {
    using R = SalesLineRow;
    using L = SalesLine;
    static const documents::TableMap<R, L> table{
        kSalesDtl, {},
        {written<R, L>("BillMstId", [](const R& r) { return r.billId; }),
         written<R, L>("Srno", [](const R& r) { return r.srno; }),
         lineText("PCode", &L::qualityId, nullptr),
         lineText("R3", &L::description, "Desc"),
         lineText("R1", &L::remark1, "Remark 1"),
         lineText("R2", &L::remark2, "Remark 2"),
         salesQuantity("Qty2", &InvoiceLineInput::pieces),
         salesQuantity("Qty1", &InvoiceLineInput::cut),
         salesQuantity("Qty", &InvoiceLineInput::metres),
         {QStringLiteral("PM"), {}, [](const R& r) { return QVariant(rateBasis(r.line.input.rateOn)); },
          [](L& l, const db::Row& row) { l.input.rateOn = row.text(QStringLiteral("PM")); }},
         {QStringLiteral("SRate"), {}, [](const R& r) { return QVariant(r.computed.rateBeforeDiscount.toDouble()); }, readSalesRates},
         salesLineAmount("Rate", &InvoiceLine::rate),
         salesLineAmount("Amt", &InvoiceLine::amount),
         written<R, L>("CDP", [](const R& r) { return r.line.input.discountPercent.toDouble(); }),
         salesLineAmount("CDRs", &InvoiceLine::discountAmount),
         written<R, L>("CDP1", [](const R& r) { return r.line.input.secondDiscountPercent.toDouble(); }),
         salesLineAmount("CDRs1", &InvoiceLine::secondDiscountAmount),
         salesLineAmount("DVatP", &InvoiceLine::tax1Percent),
         salesLineAmount("DATaxP", &InvoiceLine::tax2Percent),
         salesLineAmount("DVatRs", &InvoiceLine::tax1Amount),
         salesLineAmount("DATaxRs", &InvoiceLine::tax2Amount),
         written<R, L>("IGSTP", [](const R& r) { return r.computed.igstPercent().toDouble(); }),
         written<R, L>("IGSTRs", [](const R& r) { return r.computed.igstAmount().toDouble(); }),
         salesLineAmount("DNetAmt", &InvoiceLine::lineTotal),
         salesLineAmount("BillNetAmt", &InvoiceLine::lineTotal),
         lineText("DChId", &L::challanId, nullptr),
         lineText("DchIdSno", &L::challanSrno, nullptr),
         {QStringLiteral("DChForm"), {}, [](const R& r) { return QVariant(r.line.challanId > 0 ? r.line.challanForm : 0); },
          [](L& l, const db::Row& row) { l.challanForm = int(row.integer(QStringLiteral("DChForm"))); }},
         {QStringLiteral("Qty3"), {}, [](const R& r) { return QVariant(r.line.extraQty3.toDouble()); },
          [](L& l, const db::Row& row) { l.extraQty3 = Decimal::fromVariant(row.value(QStringLiteral("Qty3"))); }},
         {QStringLiteral("Qty4"), {}, [](const R& r) { return QVariant(r.line.extraQty4.toDouble()); },
          [](L& l, const db::Row& row) { l.extraQty4 = Decimal::fromVariant(row.value(QStringLiteral("Qty4"))); }}}};
    return table;
}

}  // namespace

const documents::TableMap<SalesLineRow, SalesLine>& salesLineTable() { return salesLines(); }

std::vector<SalesLine> readSalesLines(db::Database& db, qint64 billId) {
    std::vector<SalesLine> lines;
    // The item's GST-inclusive mark tells how the rate was typed; the rates themselves are the bill's own.
    db.forEach(QStringLiteral("SELECT d.*, p.VatCalc FROM SalBillDtl d LEFT JOIN ProdMst p ON p.Id = d.PCode WHERE d.BillMstId = ? ORDER BY d.Srno"),
               {billId}, [&](const db::Row& r) {
                   SalesLine line;
                   salesLines().read(line, r);
                   lines.push_back(line);
               });
    return lines;
}

struct SalesInvoices::Book {
    qint64 bookNo = 0;
    QString prefix;        // BookShortName
    QString billType;      // Retail, Export, SEZ
    qint64 salesAccount = 0;
    bool autoAccounts = false;
    qint64 igstAccount = 0, sgstAccount = 0, cgstAccount = 0, otherAccount = 0;
    qint64 tcsAccount = 0, tdsAccount = 0;
};

SalesInvoices::SalesInvoices(db::Database& db, Session& session, Messages& messages)
    : db_(db), session_(session), messages_(messages) {}

const documents::NumberSeries& SalesInvoices::numbers() {
    static const documents::NumberSeries series{kSalesMst, QStringLiteral("BillNO"), QStringLiteral("BillDate"), QStringLiteral("BookNO"),
                                                QStringLiteral("FirmNO"), QStringLiteral("FormId = 3 AND IsOp = 0")};
    return series;
}

QString SalesInvoices::lastBillNo(qint64 bookNo) { return documents::lastNumber(db_, numbers(), session_.firmNo, bookNo); }

db::Rows SalesInvoices::salesBooks() {
    return db_.query(QStringLiteral("SELECT BookNO, SalesName, BillType FROM BookMst WHERE (BookType = 'S' OR BookType = 'A') "
                                    "AND FirmNO = ? ORDER BY BookNO"),
                     {session_.firmNo});
}

documents::DocumentPage SalesInvoices::billList(qint64 bookNo, const documents::ListFilter& filter, Pending pending) {
    documents::ListQuery q(QStringLiteral("SalBillMst m LEFT JOIN AccMst a ON a.Id = m.PartyID"),
                           QStringLiteral("m.FirmNO = ? AND m.IsOp = 0 AND m.FormId = 3"), {session_.firmNo},
                           QStringLiteral("m.BillNO"), QStringLiteral("m.BillDate"), QStringLiteral("a.AcName"),
                           QStringLiteral("m.BillAmount"));
    q.marked = QStringLiteral("m.Is_Audit");
    q.texts = {QStringLiteral("a.City"), QStringLiteral("m.AGAINST"), QStringLiteral("NULLIF(m.ChNo, 0)")};
    q.figures = {QStringLiteral("m.PaidAmt"), QStringLiteral("m.UnPaidAmt")};
    if (bookNo > 0) q.narrow(QStringLiteral("m.BookNO = ?"), bookNo);
    switch (pending) {
    case Pending::Any: break;
    case Pending::EwayBill: q.where += QStringLiteral(" AND COALESCE(TRIM(m.AGAINST), '') = ''"); break;
    case Pending::EInvoice: q.where += QStringLiteral(" AND COALESCE(TRIM(m.AckNo), '') = ''"); break;
    case Pending::LrNo: q.where += QStringLiteral(" AND (COALESCE(TRIM(m.LrNo), '') = '' OR TRIM(m.LrNo) = '-')"); break;
    }
    return documents::listDocuments(db_, q, filter);
}

documents::DocumentPage SalesInvoices::openingBillList(const documents::ListFilter& filter) {
    documents::ListQuery q(QStringLiteral("SalBillMst m LEFT JOIN AccMst a ON a.Id = m.PartyID"),
                           QStringLiteral("m.FirmNO = ? AND m.IsOp = -1 AND m.FormId = 3"), {session_.firmNo}, QStringLiteral("m.BillNO"),
                           QStringLiteral("m.BillDate"), QStringLiteral("a.AcName"), QStringLiteral("m.BillAmount"));
    q.figures = {QStringLiteral("m.UnPaidAmt")};
    return documents::listDocuments(db_, q, filter);
}

namespace {

std::vector<SavedBill> savedBills(db::Database& db, qint64 firmNo, const QString& condition, const QString& order) {
    std::vector<SavedBill> out;
    db.forEach(QStringLiteral("SELECT m.Id, m.BookNO, m.BillNO, m.BillDate, a.AcName, m.BillAmount, m.UnPaidAmt, m.IsOp FROM SalBillMst m "
                              "LEFT JOIN AccMst a ON a.Id = m.PartyID WHERE m.FirmNO = ? AND m.FormId = 3") +
                   condition + QStringLiteral(" ORDER BY ") + order,
               {firmNo}, [&](const db::Row& r) {
                   out.push_back({r.integer(QStringLiteral("Id")), r.integer(QStringLiteral("BookNO")), r.text(QStringLiteral("BillNO")),
                                  r.date(QStringLiteral("BillDate")), r.text(QStringLiteral("AcName")),
                                  Decimal::fromVariant(r.value(QStringLiteral("BillAmount"))),
                                  Decimal::fromVariant(r.value(QStringLiteral("UnPaidAmt"))), r.integer(QStringLiteral("IsOp")) == -1});
               });
    return out;
}

}  // namespace

std::vector<SavedBill> SalesInvoices::allBills() { return savedBills(db_, session_.firmNo, {}, QStringLiteral("m.BillDate, m.Id")); }

std::vector<SavedBill> SalesInvoices::openingBills() {
    return savedBills(db_, session_.firmNo, QStringLiteral(" AND m.IsOp = -1"), QStringLiteral("m.BillDate DESC, m.Id DESC"));
}

qint64 SalesInvoices::findBill(qint64 bookNo, const QString& billNo) {
    return db_.scalar(QStringLiteral("SELECT Id FROM SalBillMst WHERE FirmNO = ? AND BookNO = ? AND BillNO = ? AND IsOp = 0 AND FormId = 3"),
                      {session_.firmNo, bookNo, billNo.trimmed()})
        .toLongLong();
}

QString SalesInvoices::nextBillNo(qint64 bookNo) { return documents::proposedNumber(db_, numbers(), session_.firmNo, bookNo); }

std::optional<PartyInfo> SalesInvoices::party(qint64 partyId) {
    const auto r = db_.queryOne(QStringLiteral("SELECT * FROM AccMst WHERE Id = ? AND FirmNo = ? AND IsGrp = 0"), {partyId, session_.firmNo});
    if (!r) return std::nullopt;
    PartyInfo p;
    p.id = partyId;
    p.name = r->text(QStringLiteral("AcName"));
    p.city = r->text(QStringLiteral("City"));
    p.gstin = r->text(QStringLiteral("TinNo"));
    p.ledgerId = r->text(QStringLiteral("LedgerId"));
    p.creditLimit = Decimal::fromVariant(r->value(QStringLiteral("CrLimit")));
    p.creditDays = int(r->integer(QStringLiteral("CrDays")));
    p.tdsPercent = Decimal::fromVariant(r->value(QStringLiteral("TDSP")));
    p.brokerId = r->integer(QStringLiteral("BrokerId"));
    p.transport = r->text(QStringLiteral("Trans_Name"));
    p.transporterId = r->text(QStringLiteral("Trans_Id"));
    p.mobile = r->text(QStringLiteral("WMbNo"));
    // Another state's party pays IGST: the account's own mark, or its state against the firm's.
    QString partyState = stateCodeOf(r->text(QStringLiteral("CSTNo")));
    if (partyState.isEmpty()) partyState = stateCodeOf(p.gstin);
    QString firmState = stateCodeOf(firmSetting(session_, QStringLiteral("CST")).toString());
    if (firmState.isEmpty()) firmState = stateCodeOf(firmSetting(session_, QStringLiteral("Tin")).toString());
    p.otherState = r->flag(QStringLiteral("IsOgs")) ||
                   (!partyState.isEmpty() && !firmState.isEmpty() && partyState != firmState);
    return p;
}

Decimal SalesInvoices::partySales(qint64 partyId) { return shell::partySalesTotal(db_, session_.firmNo, partyId); }

Decimal SalesInvoices::proposedTcsPercent(const SalesBill& bill) {
    if (bill.id > 0 || !bill.tcsPercent.isZero() || bill.partyId <= 0 || !tcsOnSaleOfGoods().appliesOn(bill.date)) return bill.tcsPercent;
    const Decimal firmPercent = firmNumber(session_, QStringLiteral("FirmTcsP"));
    if (firmPercent <= Decimal() || partySales(bill.partyId) < kTcsThreshold) return bill.tcsPercent;
    return firmPercent;
}

ComputedBill SalesInvoices::compute(const SalesBill& bill) {
    ComputedBill c;
    const auto p = party(bill.partyId);
    c.igst = p && p->otherState;
    for (const SalesLine& line : bill.lines)
        if (line.qualityId > 0) c.lines.push_back(computeLine(line.input, c.igst));
    InvoiceTotalsInput in;
    in.igstBill = c.igst;
    in.tdsPercent = bill.tdsPercent;
    in.tcsPercent = bill.tcsPercent;
    in.otherCharges = bill.otherCharges;
    in.salesRoundOff = firmFlag(session_, QStringLiteral("Is_Sales_RndOff"));
    c.totals = computeTotals(c.lines, in);
    return c;
}

std::optional<SalesInvoices::Book> SalesInvoices::book(qint64 bookNo) {
    const auto r = db_.queryOne(QStringLiteral("SELECT * FROM BookMst WHERE BookNO = ? AND FirmNO = ? AND (BookType = 'S' OR BookType = 'A')"),
                                {bookNo, session_.firmNo});
    if (!r) return std::nullopt;
    Book b;
    b.bookNo = bookNo;
    b.prefix = r->text(QStringLiteral("BookShortName"));
    b.billType = r->text(QStringLiteral("BillType"));
    b.salesAccount = r->integer(QStringLiteral("SaleId"));
    b.autoAccounts = r->flag(QStringLiteral("Is_Auto_Ac"));
    b.igstAccount = r->integer(QStringLiteral("A1"));
    b.sgstAccount = r->integer(QStringLiteral("A2"));
    b.cgstAccount = r->integer(QStringLiteral("A3"));
    b.otherAccount = r->integer(QStringLiteral("A4"));
    b.tcsAccount = r->integer(QStringLiteral("TCS_Id"));
    b.tdsAccount = r->integer(QStringLiteral("TDS_Id"));
    return b;
}

bool SalesInvoices::refuseOverLimits(const PartyInfo& party) {
    ledger::Balances balances(db_, session_);
    const Decimal firmLimit = session_.firmCrLimit;
    if (firmLimit > Decimal() && balances.group(35) > firmLimit) {
        messages_.critical(QStringLiteral("Limit over"), QStringLiteral("Firm Limit Is Over."));
        return true;
    }
    if (party.creditLimit > Decimal() && balances.closing(party.id) > party.creditLimit) {
        messages_.critical(QStringLiteral("Limit over"), QStringLiteral("Party Limit Is Over."));
        return true;
    }
    return false;
}

SalesInvoices::Dispatch SalesInvoices::lastDispatch(qint64 partyId) {
    const auto r = db_.queryOne(QStringLiteral("SELECT TrNO, Transport, T_LrTrans_Id FROM SalBillMst WHERE PartyID = ? AND FirmNO = ? "
                                               "AND FormId = 3 AND IsOp = 0 ORDER BY BillDate DESC, Id DESC") + db_.dialect().limit(1),
                                {partyId, session_.firmNo});
    if (!r) return {};
    return {r->text(QStringLiteral("TrNO")), r->text(QStringLiteral("Transport")), r->text(QStringLiteral("T_LrTrans_Id"))};
}

bool SalesInvoices::billNoTaken(const SalesBill& bill) {
    return documents::numberTaken(db_, numbers(), session_.firmNo, bill.bookNo, bill.billNo, bill.id);
}

bool SalesInvoices::validate(const SalesBill& bill, const ComputedBill& computed, const Book& book, const PartyInfo& party) {
    if (!bill.date.isValid() || !session_.inYear(bill.date)) {
        messages_.critical(QStringLiteral("BillDate Validate"), QStringLiteral("Please Select Proper Date"));
        return false;
    }
    for (const SalesLine& line : bill.lines) {
        if (line.qualityId > 0 && line.shownAsIgst && *line.shownAsIgst != computed.igst && computed.igst) {
            messages_.critical(QStringLiteral("GST Missmatch"), QStringLiteral("GST Amount issue in IGST party "));
            return false;
        }
        const InvoiceLineInput& in = line.input;
        if (in.pieces.isNegative() || in.metres.isNegative() || in.listRate.isNegative() || in.discountPercent.isNegative() ||
            in.discountPercent > Decimal(100) || in.secondDiscountPercent.isNegative() || in.secondDiscountPercent > Decimal(100)) {
            messages_.critical(QStringLiteral("Invalid Entry"), QStringLiteral("Quantities, rates and discounts must lie between 0 and 100%"));
            return false;
        }
    }
    const InvoiceTotals& t = computed.totals;
    if (book.autoAccounts && t.net != t.creditsTotal()) {
        messages_.critical(QStringLiteral("Round Off Value not Match"), QStringLiteral("Please enter round off value "));
        return false;
    }
    if (refuseOverLimits(party)) return false;
    if (computed.lines.empty()) {
        refuseMissingPartyOrQuality(messages_);
        return false;
    }
    if (documents::refuseTooLong(messages_, salesHeaderTable().tooLong(SalesHeaderRow{bill, computed, session_.firmNo}))) return false;
    size_t index = 0;
    int srno = 0;
    for (const SalesLine& line : bill.lines)
        if (line.qualityId > 0 && documents::refuseTooLong(messages_, salesLines().tooLong({line, computed.lines.at(index++), bill.id, ++srno})))
            return false;
    return true;
}

bool SalesInvoices::challansFree(const SalesBill& bill) {
    QSet<qint64> ids;
    if (bill.challanNo > 0) {
        const qint64 id = db_.scalar(QStringLiteral("SELECT Id FROM ChalanMst WHERE FirmNO = ? AND BookNO = ? AND BillNO = ?"),
                                     {session_.firmNo, bill.bookNo, QString::number(bill.challanNo)})
                              .toLongLong();
        if (id > 0) ids.insert(id);
    }
    QSet<qint64> jobWork;
    for (const SalesLine& line : bill.lines)
        if (line.challanId > 0) (line.challanForm == kJobWorkOutward ? jobWork : ids).insert(line.challanId);
    for (qint64 id : ids) {
        if (db_.scalar(QStringLiteral("SELECT IsSale FROM ChalanMst WHERE Id = ?"), {id}).toInt() != 0) {
            messages_.critical(QStringLiteral("Data Duplication"), QStringLiteral("This Chalan is Already Sold !"));
            return false;
        }
    }
    // An outward job-work challan is billed once: another bill (or station) may have taken it.
    for (qint64 id : jobWork) {
        if (db_.scalar(QStringLiteral("SELECT IsCN FROM JobWork_IssueMst_1 WHERE Id = ? AND FirmNO = ?"), {id, session_.firmNo}).toInt() != 0) {
            messages_.critical(QStringLiteral("Data Duplication"), QStringLiteral("This Chalan is Already Sold !"));
            return false;
        }
    }
    return true;
}

void SalesInvoices::releaseChallans(qint64 billId) {
    const auto old = db_.queryOne(QStringLiteral("SELECT BookNO, ChNo FROM SalBillMst WHERE Id = ?"), {billId});
    if (!old) return;
    if (old->integer(QStringLiteral("ChNo")) > 0)
        db_.exec(QStringLiteral("UPDATE ChalanMst SET IsSale = 0 WHERE FirmNO = ? AND BookNO = ? AND BillNO = ?"),
                 {session_.firmNo, old->integer(QStringLiteral("BookNO")), QString::number(old->integer(QStringLiteral("ChNo")))});
    db_.exec(QStringLiteral("UPDATE ChalanMst SET IsSale = 0 WHERE Id IN (SELECT DChId FROM SalBillDtl WHERE BillMstId = ? AND DChId > 0 "
                            "AND COALESCE(DChForm, 0) = 0)"),
             {billId});
    db_.exec(QStringLiteral("UPDATE JobWork_IssueMst_1 SET IsCN = 0, Is_Upload = 0 WHERE FormId = 17 AND Id IN (SELECT DChId FROM SalBillDtl "
                            "WHERE BillMstId = ? AND DChId > 0 AND DChForm = 17)"),
             {billId});
}

void SalesInvoices::markChallansSold(const SalesBill& bill) {
    if (bill.challanNo > 0)
        db_.exec(QStringLiteral("UPDATE ChalanMst SET IsSale = 1 WHERE FirmNO = ? AND BookNO = ? AND BillNO = ?"),
                 {session_.firmNo, bill.bookNo, QString::number(bill.challanNo)});
    db_.exec(QStringLiteral("UPDATE ChalanMst SET IsSale = 1 WHERE Id IN (SELECT DChId FROM SalBillDtl WHERE BillMstId = ? AND DChId > 0 "
                            "AND COALESCE(DChForm, 0) = 0)"),
             {bill.id});
    db_.exec(QStringLiteral("UPDATE JobWork_IssueMst_1 SET IsCN = 1, Is_Upload = 0 WHERE FormId = 17 AND FirmNO = ? AND Id IN (SELECT DChId "
                            "FROM SalBillDtl WHERE BillMstId = ? AND DChId > 0 AND DChForm = 17)"),
             {session_.firmNo, bill.id});
}

void SalesInvoices::writeHeader(const SalesBill& b, const ComputedBill& c, const Stored& stored) {
    SalesHeaderRow row{b, c, session_.firmNo};
    row.cashParty = session_.cashAccId > 0 && b.partyId == session_.cashAccId;
    row.paid = row.cashParty ? c.totals.net : stored.paid;
    row.settled = row.cashParty || stored.settled;
    row.roundOffKept = firmFlag(session_, QStringLiteral("Is_Sales_RndOff"));
    salesHeaderTable().write(db_, row, b.id);
    if (row.cashParty) db_.exec(QStringLiteral("UPDATE SalBillMst SET PaidDt = ? WHERE Id = ?"), {QVariant(b.date), b.id});
}

void SalesInvoices::writeLines(const SalesBill& b, const ComputedBill& c, bool rememberRates) {
    std::vector<SalesLineRow> rows;
    size_t computedIndex = 0;
    int srno = 0;
    for (const SalesLine& line : b.lines)
        if (line.qualityId > 0) rows.push_back({line, c.lines.at(computedIndex++), b.id, ++srno});
    salesLines().replaceLines(db_, QStringLiteral("BillMstId"), b.id, rows);
    if (!rememberRates) return;
    std::vector<PartyRate> rates;
    for (const SalesLineRow& r : rows)
        rates.push_back({r.line.qualityId, r.line.input.pieces, r.line.input.metres, rateBasis(r.line.input.rateOn), r.computed.rate, b.id,
                         b.billNo.trimmed(), b.date});
    rememberPartyRates(db_, RateSource::Bill, b.partyId, rates);
}

void SalesInvoices::post(const SalesBill& b, const ComputedBill& c, const Book& book, const PartyInfo& party) {
    const InvoiceTotals& t = c.totals;
    const QString reference = QStringLiteral("Sales- ") + QString::number(book.bookNo) + QLatin1Char('/') + book.prefix + b.billNo.trimmed();
    const QString partyDesc = reference + QStringLiteral(" - ") + party.name;
    const QString taxNarration = QStringLiteral("Taxable Amt : ") + t.taxable.toString(2);
    ledger::JournalDocument doc;
    doc.tableCode = kSale;
    doc.voucherNo = b.id;
    doc.date = b.date;
    doc.printedNo = book.prefix + b.billNo.trimmed();
    auto line = [&](qint64 account, QChar side, Decimal amount, const QString& desc, const QString& narration = {}) {
        if (amount.isZero()) return;
        if (amount.isNegative()) {
            amount = -amount;
            side = side == QLatin1Char('D') ? QLatin1Char('C') : QLatin1Char('D');
        }
        ledger::JournalLine l;
        l.accId = account;
        l.side = side;
        l.amount = amount;
        l.description = desc;
        l.narration = narration;
        doc.lines.push_back(l);
    };
    if (b.cashPaid > Decimal()) {
        const qint64 cashAccount = db_.scalar(QStringLiteral("SELECT PurAccId FROM BookMst WHERE BookNO = ? AND FirmNO = ? AND BookType = 'C'"),
                                              {b.cashBookNo > 0 ? b.cashBookNo : session_.cashBookNo, session_.firmNo})
                                       .toLongLong();
        line(cashAccount, QLatin1Char('D'), b.cashPaid, partyDesc, b.cashRemark);
        line(b.partyId, QLatin1Char('C'), b.cashPaid, partyDesc + QStringLiteral("  Cash Paid"), b.cashRemark);
    }
    line(b.partyId, QLatin1Char('D'), t.net, partyDesc, b.notes);
    line(book.salesAccount, QLatin1Char('C'), book.autoAccounts ? t.taxable : t.net - t.tcs, partyDesc, b.notes);
    if (book.autoAccounts) {
        line(book.igstAccount, QLatin1Char('C'), t.igst, reference, taxNarration);
        line(book.sgstAccount, QLatin1Char('C'), t.sgst, reference, taxNarration);
        line(book.cgstAccount, QLatin1Char('C'), t.cgst, reference, taxNarration);
        line(book.otherAccount, QLatin1Char('C'), t.otherCharges, reference);
    }
    line(book.tcsAccount, QLatin1Char('C'), t.tcs, reference,
         QStringLiteral("  (") + QStringLiteral("Taxable Amt :") + t.tcsBase.toString(2) + QStringLiteral(" * ") + numberText(b.tcsPercent) +
             QStringLiteral(" % )"));
    if (t.tds > Decimal()) {
        const QString tdsDesc = QStringLiteral("TDS Rec. ") + reference + QStringLiteral("  (") + t.taxable.toString(2) + QStringLiteral(" * ") +
                                numberText(b.tdsPercent) + QStringLiteral(" % )");
        line(b.partyId, QLatin1Char('C'), t.tds, tdsDesc);
        line(book.tdsAccount, QLatin1Char('D'), t.tds, tdsDesc);
    }
    ledger::Journal(db_, session_).post(doc, ledger::Replace::WholeJournal);
}

std::optional<qint64> SalesInvoices::save(SalesBill& bill) {
    if (documents::refuseSave(session_, messages_, bill.id)) return std::nullopt;
    const auto p = bill.partyId > 0 ? party(bill.partyId) : std::nullopt;
    const auto bk = bill.bookNo > 0 ? book(bill.bookNo) : std::nullopt;
    if (!p || !bk) {
        refuseMissingPartyOrQuality(messages_);
        return std::nullopt;
    }
    const ComputedBill computed = compute(bill);
    if (!validate(bill, computed, *bk, *p)) return std::nullopt;
    const qint64 previousId = bill.id;
    const QString previousNo = bill.billNo;
    try {
        db::Transaction tx(db_);
        db_.lockSeries(numbers().lockName());
        Stored stored;
        if (bill.id > 0) {
            const auto old = storedState(bill.id);
            if (!old) {
                messages_.critical(QStringLiteral("System Validation"), QStringLiteral("This Invoice is not found; it may have been deleted."));
                return std::nullopt;
            }
            stored = *old;
            if (stored.paid > Decimal() && stored.partyId != bill.partyId) {
                messages_.critical(QStringLiteral("No Party Name Change"),
                                   QStringLiteral("This Invoice Payment is Done") + QLatin1Char('\n') + QStringLiteral(" First Delete Account Payment Entry !"));
                return std::nullopt;
            }
            releaseChallans(bill.id);
        }
        // A bill without a number takes the book's next free one here, where no other station can take it too.
        if (bill.billNo.trimmed().isEmpty()) bill.billNo = documents::takeNumber(db_, numbers(), session_.firmNo, bill.bookNo);
        if (billNoTaken(bill)) {
            messages_.critical(QStringLiteral("Bill NO Duplication"), QStringLiteral("This Bill NO is Already exist!"));
            bill.billNo = previousNo;
            return std::nullopt;
        }
        if (!challansFree(bill)) {
            bill.billNo = previousNo;
            return std::nullopt;
        }
        if (bill.id <= 0) bill.id = db_.nextKey(kSalesMst, QStringLiteral("Id"));
        writeHeader(bill, computed, stored);
        writeLines(bill, computed, true);
        markChallansSold(bill);
        post(bill, computed, *bk, *p);
        tx.commit();
    } catch (const ledger::PostingRefused& refused) {
        bill.id = previousId;
        bill.billNo = previousNo;
        messages_.critical(ledger::ledgerNotSavedTitle(), refused.text());
        return std::nullopt;
    } catch (const db::DbError&) {
        bill.id = previousId;
        bill.billNo = previousNo;
        messages_.critical(ledger::ledgerNotSavedTitle(), ledger::ledgerProblemText());
        return std::nullopt;
    }
    messages_.information(QStringLiteral("SAVE Confirmation"), QStringLiteral("ONE TRANSACTION IS SAVED"));
    return bill.id;
}

std::optional<SalesInvoices::Stored> SalesInvoices::storedState(qint64 id) {
    const auto old = db_.queryOne(QStringLiteral("SELECT PartyID, PaidAmt, IsEnd FROM SalBillMst WHERE Id = ? AND FirmNO = ?"), {id, session_.firmNo});
    if (!old) return std::nullopt;
    return Stored{old->integer(QStringLiteral("PartyID")), Decimal::fromVariant(old->value(QStringLiteral("PaidAmt"))),
                  old->flag(QStringLiteral("IsEnd"))};
}

bool SalesInvoices::remove(qint64 id) {
    if (documents::refuseChange(session_, messages_, documents::Change::Delete)) return false;
    const auto h = db_.queryOne(QStringLiteral("SELECT PaidAmt, PaidDt, AGAINST, IsOp FROM SalBillMst WHERE Id = ? AND FirmNO = ? AND FormId = 3"),
                                {id, session_.firmNo});
    if (!h) return false;
    const Decimal paid = Decimal::fromVariant(h->value(QStringLiteral("PaidAmt")));
    if (h->integer(QStringLiteral("IsOp")) != -1 && paid > Decimal()) {
        messages_.critical(QStringLiteral("Delete Confirmation"), QStringLiteral("This Invoice Payment is Done") + QLatin1Char('\n') +
                                                                     shell::paidNote(db_, id) + QLatin1Char('\n') +
                                                                     QStringLiteral(" First Delete Account Payment Entry !"));
        return false;
    }
    if (!h->text(QStringLiteral("AGAINST")).trimmed().isEmpty() &&
        !messages_.ask(QStringLiteral("Eway bill Exist"), QStringLiteral("Eway bill of this Invoice may be generated.") + QLatin1Char('\n') +
                                                                  QStringLiteral("Would you like to delete this Invoice ?")))
        return false;
    if (!messages_.ask(QStringLiteral("Delete Confirmation"), QStringLiteral("Are You Sure to Permanently Delete This Invoice ?"))) return false;
    try {
        db::Transaction tx(db_);
        db_.lockSeries(numbers().lockName());
        // A receipt may have settled the bill since the question was asked.
        if (Decimal::fromVariant(db_.scalar(QStringLiteral("SELECT PaidAmt FROM SalBillMst WHERE Id = ?"), {id})) > Decimal()) {
            messages_.critical(QStringLiteral("Delete Confirmation"),
                               QStringLiteral("This Invoice Payment is Done") + QLatin1Char('\n') + QStringLiteral(" First Delete Account Payment Entry !"));
            return false;
        }
        releaseChallans(id);
        // The journal's removal writes the deletion history row of the bill.
        documents::deleteDocument(db_, {kSalesMst, {{kSalesDtl, QStringLiteral("BillMstId")}}, 0}, id, session_.firmNo);
        ledger::Journal(db_, session_).removeDocument(kSale, id);
        tx.commit();
    } catch (const db::DbError&) {
        messages_.critical(ledger::ledgerNotSavedTitle(), ledger::ledgerProblemText());
        return false;
    }
    messages_.information(QStringLiteral("Delete Confirmation"), QStringLiteral("This Sales Invoice Is Deleted!"));
    return true;
}

std::optional<SalesBill> SalesInvoices::load(qint64 id) {
    const auto h = db_.queryOne(QStringLiteral("SELECT * FROM SalBillMst WHERE Id = ? AND FirmNO = ? AND FormId = 3"), {id, session_.firmNo});
    if (!h) return std::nullopt;
    SalesBill b;
    b.id = id;
    salesHeaderTable().read(b, *h);
    if (b.opening) b.pendingAmount = Decimal::fromVariant(h->value(QStringLiteral("BillAmount")));
    b.lines = readSalesLines(db_, id);
    return b;
}

bool SalesInvoices::renumber(qint64 id) {
    if (documents::refuseChange(session_, messages_, documents::Change::Modify)) return false;
    auto bill = load(id);
    if (!bill) return false;
    const auto answer = messages_.input(QStringLiteral("Bill Editing"), QStringLiteral("Enter New Bill NO For Transfer This Bill ? "), bill->billNo);
    if (!answer) return false;
    const QString newNo = answer->trimmed();
    if (newNo.isEmpty()) {
        messages_.critical(QStringLiteral("No Bill NO Found"), QStringLiteral("Bill NO Should not be Empty!"));
        return false;
    }
    const auto bk = book(bill->bookNo);
    const auto p = party(bill->partyId);
    if (!bk || !p) return false;
    bill->billNo = newNo;
    const ComputedBill computed = compute(*bill);
    if (documents::refuseTooLong(messages_, salesHeaderTable().tooLong(SalesHeaderRow{*bill, computed, session_.firmNo}))) return false;
    try {
        db::Transaction tx(db_);
        db_.lockSeries(numbers().lockName());
        if (billNoTaken(*bill)) {
            messages_.critical(QStringLiteral("Bill NO Duplication"), QStringLiteral("This Bill NO is Already exist!"));
            return false;
        }
        const auto stored = storedState(id);
        if (!stored) return false;
        // The bill is written again with its new number, from its own stored rates, and posted again.
        writeHeader(*bill, computed, *stored);
        writeLines(*bill, computed, false);
        db_.exec(QStringLiteral("UPDATE Bill_Party_Rate SET BillNO = ? WHERE BillId = ? AND BType = 'B'"),
                 {fitted(QStringLiteral("Bill_Party_Rate"), QStringLiteral("BillNO"), newNo), id});
        post(*bill, computed, *bk, *p);
        tx.commit();
    } catch (const ledger::PostingRefused& refused) {
        messages_.critical(ledger::ledgerNotSavedTitle(), refused.text());
        return false;
    } catch (const db::DbError&) {
        messages_.critical(ledger::ledgerNotSavedTitle(), ledger::ledgerProblemText());
        return false;
    }
    messages_.information(QStringLiteral("Save Confirmation"), QStringLiteral("Bill NO is Updated!"));
    return true;
}

bool SalesInvoices::setAudited(qint64 id, bool audited) {
    if (documents::refuseChange(session_, messages_, documents::Change::Modify)) return false;
    return db_.exec(QStringLiteral("UPDATE SalBillMst SET Is_Audit = ?, Is_Upload = 0 WHERE Id = ? AND FirmNO = ?"), {audited, id, session_.firmNo}) > 0;
}

bool SalesInvoices::fillFromChallan(SalesBill& bill, const QString& challanNo) {
    const auto h = db_.queryOne(QStringLiteral("SELECT * FROM ChalanMst WHERE BookNO = ? AND BillNO = ? AND FirmNO = ?"),
                                {bill.bookNo, challanNo.trimmed(), session_.firmNo});
    if (!h) {
        messages_.critical(QStringLiteral("No Chalan Entry"), QStringLiteral("This Chalan is Not Found!"));
        return false;
    }
    const qint64 challanId = h->integer(QStringLiteral("Id"));
    // The bill's own challan may be opened again while the bill is edited.
    const bool ownChallan = bill.id > 0 && db_.scalar(QStringLiteral("SELECT ChNo FROM SalBillMst WHERE Id = ?"), {bill.id}).toString() == challanNo.trimmed();
    if (h->flag(QStringLiteral("IsSale")) && !ownChallan) {
        messages_.critical(QStringLiteral("Data Duplication"), QStringLiteral("This Chalan is Already Sold !"));
        return false;
    }
    bill.challanNo = leadingWholeNumber(challanNo);
    bill.doNo = h->text(QStringLiteral("OrderNO"));
    bill.partyId = h->integer(QStringLiteral("PartyID"));
    bill.deliveryId = h->integer(QStringLiteral("DeliId"));
    bill.brokerId = h->integer(QStringLiteral("BrokerId"));
    bill.transport = h->text(QStringLiteral("Transport"));
    bill.transporterId = h->text(QStringLiteral("T_LrTransID"));
    bill.truckNo = h->text(QStringLiteral("TrNO"));
    bill.vehicleNo = h->text(QStringLiteral("T_VehNO"));
    bill.lrNo = h->text(QStringLiteral("LrNo"));
    bill.lrDate = h->date(QStringLiteral("LrDt"));
    bill.packing = h->text(QStringLiteral("FreightType"));
    bill.challanDate = h->date(QStringLiteral("BillDate")).toString(QStringLiteral("dd-MM-yyyy"));
    bill.caseNo = h->integer(QStringLiteral("CaseNO"));
    bill.notes = h->text(QStringLiteral("Notes"));
    bill.lines = salesLinesFromChallan(db_, challanId, firmFlag(session_, QStringLiteral("Is_Ch_Q_Sum")));
    return true;
}

std::optional<qint64> SalesInvoices::saveOpening(SalesBill& bill) {
    if (documents::refuseSave(session_, messages_, bill.id)) return std::nullopt;
    if (bill.partyId <= 0 || bill.billNo.trimmed().isEmpty() || !party(bill.partyId)) {
        messages_.critical(QStringLiteral("System Validation"), QStringLiteral("Please Select Distributor NAme and Enter Invoice No"));
        return std::nullopt;
    }
    if (bill.pendingAmount <= Decimal()) {
        messages_.critical(QStringLiteral("No Pending Amt"), QStringLiteral("Please Enter pending Amount"));
        return std::nullopt;
    }
    bill.opening = true;
    bill.lines.clear();
    if (!bill.date.isValid()) bill.date = session_.yearStartDate;
    ComputedBill computed;
    computed.totals.net = bill.pendingAmount.roundHalfEven(2);
    if (documents::refuseTooLong(messages_, salesHeaderTable().tooLong(SalesHeaderRow{bill, computed, session_.firmNo}))) return std::nullopt;
    db::Transaction tx(db_);
    Stored stored;
    if (bill.id > 0) {
        if (const auto old = storedState(bill.id)) stored = *old;
    } else {
        bill.id = db_.nextKey(kSalesMst, QStringLiteral("Id"));
    }
    writeHeader(bill, computed, stored);
    documents::writeOpeningOutstanding(db_, {QStringLiteral("S"), kSale, bill.id, session_.firmNo, bill.partyId, bill.bookNo,
                                             bill.invoiceType, bill.billNo, bill.date, computed.totals.net.toDouble()});
    tx.commit();
    messages_.information(QStringLiteral("SAVE Confirmation"), QStringLiteral("ONE TRANSACTION IS SAVED"));
    return bill.id;
}

bool SalesInvoices::removeOpening(qint64 id) {
    if (documents::refuseChange(session_, messages_, documents::Change::Delete)) return false;
    if (db_.scalar(QStringLiteral("SELECT count(*) FROM SalBillMst WHERE Id = ? AND IsOp = -1 AND FirmNO = ?"), {id, session_.firmNo}).toInt() == 0)
        return false;
    if (!messages_.ask(QStringLiteral("Delete Confirmation"), QStringLiteral("Are you sure to delete this Invoice"))) return false;
    db::Transaction tx(db_);
    documents::removeOpeningOutstanding(db_, QStringLiteral("S"), id);
    documents::deleteDocument(db_, {kSalesMst, {}, kSale}, id, session_.firmNo);
    tx.commit();
    messages_.information(QStringLiteral("Delete Confirmation"), QStringLiteral("Invoice  IS Deleted!"));
    return true;
}

}  // namespace tanabana::trade
