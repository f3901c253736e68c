#include "domain/trade/PurchaseInvoices.h"

#include "domain/documents/Deletion.h"
#include "domain/documents/Guard.h"
#include "domain/documents/Lookups.h"
#include "domain/documents/TableMap.h"
#include "domain/ledger/Balances.h"
#include "domain/ledger/Journal.h"
#include "domain/trade/BillLineTables.h"
#include "domain/trade/DocumentRules.h"
#include "domain/trade/MillTakaCounts.h"

#include <QSet>

namespace tanabana::trade {

namespace {

const QString kBillMst = QStringLiteral("BillMst");
const QString kBillDtl = QStringLiteral("BillDtl");
const QString kTakas = QStringLiteral("BillMst_TakaDetail");
constexpr int kPurchase = ledger::DocumentType::Purchase;
constexpr int kJournalVoucher = ledger::DocumentType::JournalVoucher;

QString kindCondition(PurchaseKind kind) {
    switch (kind) {
    case PurchaseKind::Goods: return QStringLiteral("m.GenPurAccId = 0");
    case PurchaseKind::Expense: return QStringLiteral("m.GenPurAccId > 0 AND m.IsGP_M = 0");
    case PurchaseKind::ExpenseLines: return QStringLiteral("m.GenPurAccId > 0 AND m.IsGP_M = 1");
    }
    return QStringLiteral("1 = 1");
}

// A taka the bill has already sent to a mill must stay on it, with its metres: the mill challan
// names it and counts it. The refusal names the taka and the challan; false when all are kept.
bool refuseIssuedTakaDropped(db::Database& db, Messages& messages, const PurchaseBill& bill, bool keepsTakas) {
    for (const db::Row& kept : db.query(QStringLiteral("SELECT TakaNO, Mtrs FROM BillMst_TakaDetail WHERE BillMst_Id = ? AND Is_Issued <> 0 "
                                                       "ORDER BY Srno"),
                                        {bill.id})) {
        const QString no = kept.text(QStringLiteral("TakaNO")).trimmed();
        const Decimal metres = Decimal::fromVariant(kept.value(QStringLiteral("Mtrs"))).roundHalfEven(3);
        const auto onBill = std::find_if(bill.takas.begin(), bill.takas.end(), [&](const PurchaseTaka& t) {
            return t.takaNo.trimmed().compare(no, Qt::CaseInsensitive) == 0;
        });
        const bool dropped = !keepsTakas || onBill == bill.takas.end();
        if (!dropped && onBill->metres.roundHalfEven(3) == metres) continue;
        const auto issue = db.queryOne(QStringLiteral("SELECT m.ChNo, m.BillDate, a.AcName FROM JobWork_IssueMst_1 m "
                                                      "JOIN JobWork_IssueDtl_1 d ON d.BillMstId = m.Id LEFT JOIN AccMst a ON a.Id = m.PartyID "
                                                      "WHERE m.PurBillId = ? AND m.FormId = 16 AND d.TakaNO = ? ORDER BY m.BillDate DESC, m.Id DESC"),
                                       {bill.id, kept.text(QStringLiteral("TakaNO"))});
        QString text = QStringLiteral("Taka No ") + no + QStringLiteral(" is issued to mill");
        if (issue)
            text += QStringLiteral(" on Mill Iss No ") + QString::number(issue->integer(QStringLiteral("ChNo"))) + QStringLiteral(" Dt. ") +
                    issue->date(QStringLiteral("BillDate")).toString(QStringLiteral("dd-MM-yyyy")) + QStringLiteral(" (") +
                    issue->text(QStringLiteral("AcName")).trimmed() + QLatin1Char(')');
        text += QLatin1Char('\n');
        text += dropped ? QStringLiteral(" It can not be removed from this Purchase Invoice")
                        : QStringLiteral(" Its Mtrs ") + metres.toString(3) + QStringLiteral(" can not be changed");
        messages.critical(QStringLiteral("Mill Issue Found"), text);
        return true;
    }
    return false;
}

PurchaseBook bookFromRow(const db::Row& r) {
    PurchaseBook b;
    b.bookNo = r.integer(QStringLiteral("BookNO"));
    b.name = r.text(QStringLiteral("PurNAme"));
    b.prefix = r.text(QStringLiteral("BookShortName"));
    b.billType = r.text(QStringLiteral("BillType"));
    b.generalPurchase = r.flag(QStringLiteral("IsGenPur"));
    b.autoAccounts = r.flag(QStringLiteral("Is_Auto_Ac"));
    b.purchaseAccount = r.integer(QStringLiteral("PurAccId"));
    b.igstAccount = r.integer(QStringLiteral("A1"));
    b.sgstAccount = r.integer(QStringLiteral("A2"));
    b.cgstAccount = r.integer(QStringLiteral("A3"));
    b.otherAccount = r.integer(QStringLiteral("A4"));
    b.igstPayable = r.integer(QStringLiteral("A1_P"));
    b.sgstPayable = r.integer(QStringLiteral("A2_P"));
    b.cgstPayable = r.integer(QStringLiteral("A3_P"));
    b.igstInput = r.integer(QStringLiteral("A1_R"));
    b.sgstInput = r.integer(QStringLiteral("A2_R"));
    b.cgstInput = r.integer(QStringLiteral("A3_R"));
    b.tcsAccount = r.integer(QStringLiteral("TCS_Id"));
    b.tdsAccount = r.integer(QStringLiteral("TDS_Id"));
    return b;
}

QString paymentDoneText(Decimal paid) {
    return QStringLiteral("This Purchase Invoice Payment is Done") + QLatin1Char('\n') + paid.toString(2) + QLatin1Char('\n') +
           QStringLiteral(" First Delete Account Payment Entry !");
}

using documents::Column;
using documents::fixed;
using documents::Overlong;
using documents::written;

// A bill as its header row is written: what was typed, what was computed, and what the books
// already hold for it (the paid amount stays as the payments left it).
struct PurchaseHeaderRow {
    const PurchaseBill& bill;
    const ComputedPurchase& computed;
    qint64 firmNo = 0;
    Decimal paid;
    bool roundOffKept = false;
    bool gstToRupees = false;
    // The bill amount: the computed net, or what an opening bill still owes.
    Decimal amount() const { return bill.opening ? bill.pendingAmount.roundHalfEven(2) : computed.totals.net; }
};

template <typename M>
Column<PurchaseHeaderRow, PurchaseBill> purchaseTyped(const char* column, M PurchaseBill::*member, const char* caption = nullptr) {
    return documents::fieldOf<PurchaseHeaderRow>([](const PurchaseHeaderRow& r) -> const PurchaseBill& { return r.bill; }, column, member, caption);
}

// A bill total as computed.
Column<PurchaseHeaderRow, PurchaseBill> purchaseTotal(const char* column, Decimal InvoiceTotals::*member) {
    return written<PurchaseHeaderRow, PurchaseBill>(column, [member](const PurchaseHeaderRow& r) { return (r.computed.totals.*member).toDouble(); });
}

const documents::TableMap<PurchaseHeaderRow, PurchaseBill>& purchaseHeaderTable() {
    using R = PurchaseHeaderRow;
    using B = PurchaseBill;
    static const documents::TableMap<R, B> table{
        kBillMst, QStringLiteral("Id"),
        {purchaseTyped("BillSrno", &B::serial),
         written<R, B>("FirmNO", [](const R& r) { return r.firmNo; }),
         fixed<R, B>("FormId", kPurchase),
         purchaseTyped("BookId", &B::bookId),
         purchaseTyped("BillNO", &B::billNo, "Pur. Bill No"),
         purchaseTyped("BillDate", &B::date),
         purchaseTyped("PartyID", &B::partyId),
         purchaseTyped("CrDays", &B::creditDays),
         written<R, B>("PDueDate", [](const R& r) { return QVariant(r.bill.date.addDays(r.bill.creditDays)); }),
         {QStringLiteral("InvType"), {}, [](const R& r) { return QVariant(r.bill.invoiceType.trimmed().left(1).toUpper()); },
          [](B& b, const db::Row& row) { b.invoiceType = row.text(QStringLiteral("InvType")); }},
         fixed<R, B>("PurTypeId", 0),
         written<R, B>("Amt", [](const R& r) { return r.computed.totals.goods().toDouble(); }),
         purchaseTotal("TotAmt", &InvoiceTotals::taxable),
         purchaseTotal("VatRs", &InvoiceTotals::sgst),
         purchaseTotal("ATAXRs", &InvoiceTotals::cgst),
         purchaseTotal("CSTRs", &InvoiceTotals::igst),
         fixed<R, B>("VATP", 0), fixed<R, B>("ATAXP", 0), fixed<R, B>("DiscP", 0), fixed<R, B>("DiscRs", 0), fixed<R, B>("OtherRs", 0),
         {QStringLiteral("OtherP"), {}, [](const R& r) { return QVariant(r.computed.totals.otherCharges.toDouble()); },
          [](B& b, const db::Row& row) { b.otherCharges = Decimal::fromVariant(row.value(QStringLiteral("OtherP"))); }},
         written<R, B>("OtherP1", [](const R& r) { return r.roundOffKept ? r.computed.totals.roundOff.toDouble() : 0.0; }),
         purchaseTyped("TDSP", &B::tdsPercent),
         purchaseTotal("TDSRs", &InvoiceTotals::tds),
         purchaseTyped("TCSP", &B::tcsPercent),
         purchaseTotal("TCSRs", &InvoiceTotals::tcs),
         written<R, B>("BillAmount", [](const R& r) { return r.amount().toDouble(); }),
         purchaseTyped("AGAINST", &B::ewayBillNo, "Eway Bill No"),
         purchaseTyped("Notes", &B::notes, "Desc"),
         purchaseTyped("LotNO", &B::lotNo, "Lot No"),
         purchaseTyped("BrokerId", &B::brokerId),
         purchaseTyped("LrNo", &B::lrNo, "L.R.No."),
         purchaseTyped("LrDate", &B::lrDate),
         purchaseTyped("CaseNO", &B::caseNo, "Case No."),
         purchaseTyped("TransportName", &B::transport, "Transport"),
         {QStringLiteral("GenPurAccId"), {}, [](const R& r) { return QVariant(r.bill.kind == PurchaseKind::Goods ? 0 : r.bill.expenseAccountId); },
          [](B& b, const db::Row& row) { b.expenseAccountId = row.integer(QStringLiteral("GenPurAccId")); }},
         {QStringLiteral("IsGP_M"), {}, [](const R& r) { return QVariant(r.bill.kind == PurchaseKind::ExpenseLines ? 1 : 0); },
          [](B& b, const db::Row& row) {
              b.kind = b.expenseAccountId <= 0 ? PurchaseKind::Goods
                       : row.flag(QStringLiteral("IsGP_M")) ? PurchaseKind::ExpenseLines
                                                            : PurchaseKind::Expense;
          }},
         purchaseTyped("RCM_ID", &B::reverseChargeId),
         purchaseTyped("RCM_BillNO", &B::reverseChargeBillNo, "RCM Bill No"),
         purchaseTyped("RCM_JVNO", &B::reverseChargeJournalNo),
         purchaseTyped("Is_SkipGst", &B::skipGst),
         written<R, B>("PaidAmt", [](const R& r) { return r.paid.toDouble(); }),
         written<R, B>("UnPaidAmt", [](const R& r) { return (r.amount() - r.computed.totals.tds - r.paid).roundHalfEven(2).toDouble(); }),
         {QStringLiteral("IsOp"), {}, [](const R& r) { return QVariant(r.bill.opening ? -1 : 0); },
          [](B& b, const db::Row& row) {
              b.opening = row.integer(QStringLiteral("IsOp")) == -1;
              if (b.opening) b.pendingAmount = Decimal::fromVariant(row.value(QStringLiteral("BillAmount")));
          }},
         purchaseTyped("Is_Audit", &B::audited),
         fixed<R, B>("Is_Upload", 0),
         written<R, B>("Is_Item_RNd", [](const R& r) { return r.gstToRupees ? 2 : 1; })}};
    return table;
}

// One bill line as written: the typed line, its computed amounts, its bill and place.

Column<PurchaseLineRow, PurchaseLine> purchaseLineAmount(const char* column, Decimal InvoiceLine::*member) {
    return written<PurchaseLineRow, PurchaseLine>(column, [member](const PurchaseLineRow& r) { return (r.computed.*member).toDouble(); });
}

Column<PurchaseLineRow, PurchaseLine> purchaseQuantity(const char* column, Decimal InvoiceLineInput::*member) {
    const QString name = QString::fromLatin1(column);
    return {name, {}, [member](const PurchaseLineRow& r) { return QVariant((r.line.input.*member).roundHalfEven(3).toDouble()); },
            [member, name](PurchaseLine& l, const db::Row& row) { l.input.*member = Decimal::fromVariant(row.value(name)); }};
}

// The line's rates and GST as the bill stored them, so a re-save computes the same bill whatever
// the item master says today.
void readPurchaseRates(PurchaseLine& line, const db::Row& r) {
    InvoiceLineInput& in = line.input;
    in.discountPercent = Decimal::fromVariant(r.value(QStringLiteral("CDP")));
    const Decimal igst = Decimal::fromVariant(r.value(QStringLiteral("IGSTP")));
    if (igst > Decimal()) {
        in.sgstPercent = igst / Decimal(2);
        in.cgstPercent = igst - in.sgstPercent;
    } else {
        in.sgstPercent = Decimal::fromVariant(r.value(QStringLiteral("VatPD")));
        in.cgstPercent = Decimal::fromVariant(r.value(QStringLiteral("ATaxPD")));
    }
    // The rate as typed is kept; whether it held GST shows in the net rate stored beside it.
    in.listRate = Decimal::fromVariant(r.value(QStringLiteral("PRate1")));
    const Decimal rate = Decimal::fromVariant(r.value(QStringLiteral("PRate")));
    const Decimal undiscounted = (in.listRate - in.listRate.percent(in.discountPercent)).roundHalfEven(4);
    in.gstCalc = rate == undiscounted ? 1 : 2;
}

const documents::TableMap<PurchaseLineRow, PurchaseLine>& purchaseLines() {
    using R = PurchaseLineRow;
    using L = PurchaseLine;
    static const documents::TableMap<R, L> table{
        kBillDtl, {},
        {written<R, L>("BillMstId", [](const R& r) { return r.billId; }),
         written<R, L>("Srno", [](const R& r) { return r.srno; }),
         {QStringLiteral("PCode"), {}, [](const R& r) { return QVariant(r.line.qualityId); },
          [](L& l, const db::Row& row) { l.qualityId = row.integer(QStringLiteral("PCode")); }},
         purchaseQuantity("Qty2", &InvoiceLineInput::pieces),
         {QStringLiteral("Qty1"), {}, [](const R& r) { return QVariant(r.line.count.roundHalfEven(3).toDouble()); },
          [](L& l, const db::Row& row) { l.count = Decimal::fromVariant(row.value(QStringLiteral("Qty1"))); }},
         purchaseQuantity("PQty", &InvoiceLineInput::metres),
         {QStringLiteral("PM"), {}, [](const R& r) {
              return QVariant(r.line.input.rateOn.trimmed().toUpper() == QStringLiteral("P") ? QStringLiteral("P") : QStringLiteral("M"));
          },
          [](L& l, const db::Row& row) { l.input.rateOn = row.text(QStringLiteral("PM")); }},
         written<R, L>("PRate1", [](const R& r) { return r.line.input.listRate.roundHalfEven(4).toDouble(); }),
         {QStringLiteral("PRate"), {}, [](const R& r) { return QVariant(r.computed.rate.toDouble()); }, readPurchaseRates},
         purchaseLineAmount("PAmt", &InvoiceLine::amount),
         written<R, L>("CDP", [](const R& r) { return r.line.input.discountPercent.toDouble(); }),
         purchaseLineAmount("CDRs", &InvoiceLine::discountAmount),
         {QStringLiteral("Freight_D"), {}, [](const R& r) { return QVariant(r.computed.freight.toDouble()); },
          [](L& l, const db::Row& row) { l.input.freight = Decimal::fromVariant(row.value(QStringLiteral("Freight_D"))); }},
         purchaseLineAmount("VatPD", &InvoiceLine::tax1Percent),
         purchaseLineAmount("ATaxPD", &InvoiceLine::tax2Percent),
         purchaseLineAmount("VatRsD", &InvoiceLine::tax1Amount),
         purchaseLineAmount("ATaxRsD", &InvoiceLine::tax2Amount),
         written<R, L>("IGSTP", [](const R& r) { return r.computed.igstPercent().toDouble(); }),
         written<R, L>("IGSTRs", [](const R& r) { return r.computed.igstAmount().toDouble(); }),
         purchaseLineAmount("TotAmtD", &InvoiceLine::lineTotal),
         {QStringLiteral("Issue_Taka"), {}, [](const R& r) { return QVariant(r.line.issuedTakas); },
          [](L& l, const db::Row& row) { l.issuedTakas = int(row.integer(QStringLiteral("Issue_Taka"))); }},
         {QStringLiteral("Issue_Mtrs"), {}, [](const R& r) { return QVariant(r.line.issuedMetres.toDouble()); },
          [](L& l, const db::Row& row) { l.issuedMetres = Decimal::fromVariant(row.value(QStringLiteral("Issue_Mtrs"))); }},
         purchaseLineAmount("BillNetAmt", &InvoiceLine::lineTotal)}};
    return table;
}

// One taka of line 1 as written.
struct TakaRow {
    const PurchaseTaka& taka;
    qint64 billId = 0;
    int srno = 0;
    bool issued = false;
};

const documents::TableMap<TakaRow, PurchaseTaka>& takaTable() {
    using R = TakaRow;
    using T = PurchaseTaka;
    static const documents::TableMap<R, T> table{
        kTakas, {},
        {written<R, T>("Srno", [](const R& r) { return r.srno; }),
         {QStringLiteral("TakaNO"), QStringLiteral("Taka No"), [](const R& r) { return QVariant(r.taka.takaNo); },
          [](T& t, const db::Row& row) { t.takaNo = row.text(QStringLiteral("TakaNO")); }},
         {QStringLiteral("Mtrs"), {}, [](const R& r) { return QVariant(r.taka.metres.roundHalfEven(3).toDouble()); },
          [](T& t, const db::Row& row) { t.metres = Decimal::fromVariant(row.value(QStringLiteral("Mtrs"))); }},
         written<R, T>("BillMst_Id", [](const R& r) { return r.billId; }),
         fixed<R, T>("BillSrno", 1),
         {QStringLiteral("Is_Issued"), {}, [](const R& r) { return QVariant(r.issued ? 1 : 0); },
          [](T& t, const db::Row& row) { t.issued = row.flag(QStringLiteral("Is_Issued")); }}}};
    return table;
}

// The lines a bill writes: goods and multi-line expense bills skip lines without an item.
bool writesLine(const PurchaseBill& bill, const PurchaseLine& line) { return line.qualityId > 0 || bill.kind == PurchaseKind::Expense; }

std::vector<PurchaseLineRow> lineRows(const PurchaseBill& b, const ComputedPurchase& c) {
    std::vector<PurchaseLineRow> rows;
    size_t computedIndex = 0;
    int srno = 0;
    for (const PurchaseLine& line : b.lines)
        if (writesLine(b, line)) rows.push_back({line, c.lines.at(computedIndex++), b.id, ++srno});
    return rows;
}

}  // namespace

const documents::TableMap<PurchaseLineRow, PurchaseLine>& purchaseLineTable() { return purchaseLines(); }

PurchaseInvoices::PurchaseInvoices(db::Database& db, Session& session, Messages& messages)
    : db_(db), session_(session), messages_(messages) {}

std::vector<PurchaseBook> PurchaseInvoices::books(PurchaseKind kind) {
    std::vector<PurchaseBook> list;
    const QString general = kind == PurchaseKind::Goods ? QStringLiteral("0") : QStringLiteral("1");
    for (const db::Row& r : db_.query(QStringLiteral("SELECT * FROM BookMst WHERE (BookType = 'P' OR BookType = 'A') AND IsGenPur = ") +
                                          general + QStringLiteral(" AND FirmNO = ? ORDER BY BookNO"),
                                      {session_.firmNo}))
        list.push_back(bookFromRow(r));
    return list;
}

std::optional<PurchaseBook> PurchaseInvoices::book(qint64 bookNo) {
    const auto r = db_.queryOne(QStringLiteral("SELECT * FROM BookMst WHERE BookNO = ? AND FirmNO = ? AND (BookType = 'P' OR BookType = 'A')"),
                                {bookNo, session_.firmNo});
    if (!r) return std::nullopt;
    return bookFromRow(*r);
}

std::optional<Supplier> PurchaseInvoices::supplier(qint64 accountId, PurchaseKind kind) {
    const QString groups = documents::groupCondition(kind == PurchaseKind::Goods ? documents::PartyRange::Purchase : documents::PartyRange::Expense);
    const auto r = db_.queryOne(QStringLiteral("SELECT * FROM AccMst WHERE Id = ? AND FirmNo = ? AND IsGrp = 0 AND Active = 1 AND ") + groups,
                                {accountId, session_.firmNo});
    if (!r) return std::nullopt;
    Supplier s;
    s.id = accountId;
    s.name = r->text(QStringLiteral("AcName"));
    s.city = r->text(QStringLiteral("City"));
    s.gstin = r->text(QStringLiteral("TinNo"));
    s.ledgerId = r->text(QStringLiteral("LedgerId"));
    s.creditDays = int(r->integer(QStringLiteral("CrDays")));
    s.tdsPercent = Decimal::fromVariant(r->value(QStringLiteral("TDSP")));
    s.brokerId = r->integer(QStringLiteral("BrokerId"));
    s.ratesIncludeGst = r->text(QStringLiteral("Hunditype")).trimmed() == QStringLiteral("1");
    s.gstToRupees = r->integer(QStringLiteral("Is_Item_RNd")) == 2;
    s.reverseCharge = r->flag(QStringLiteral("Is_RevCh"));
    // Another state's supplier charges IGST: the account's own mark, or its state against the firm's.
    QString partyState = stateCodeOf(r->text(QStringLiteral("CSTNo")));
    if (partyState.isEmpty()) partyState = stateCodeOf(s.gstin);
    QString firmState = stateCodeOf(firmSetting(session_, QStringLiteral("CST")).toString());
    if (firmState.isEmpty()) firmState = stateCodeOf(firmSetting(session_, QStringLiteral("Tin")).toString());
    s.otherState = r->flag(QStringLiteral("IsOgs")) || (!partyState.isEmpty() && !firmState.isEmpty() && partyState != firmState);
    return s;
}

bool PurchaseInvoices::isExpenseAccount(qint64 accountId) {
    return db_.scalar(QStringLiteral("SELECT count(*) FROM AccMst WHERE Id = ? AND FirmNo = ? AND IsGrp = 0 AND Active = 1"),
                      {accountId, session_.firmNo})
               .toInt() > 0;
}

std::vector<documents::PartyChoice> PurchaseInvoices::suppliers(PurchaseKind kind, const QString& prefix, int limit) {
    return documents::findParties(db_, session_.firmNo, kind == PurchaseKind::Goods ? documents::PartyRange::Purchase : documents::PartyRange::Expense,
                                  prefix, limit);
}

std::vector<documents::PartyChoice> PurchaseInvoices::expenseAccounts(const QString& prefix, int limit) {
    return documents::findParties(db_, session_.firmNo, documents::PartyRange::AnyAccount, prefix, limit);
}

namespace {

PurchaseItem itemOf(const db::Row& r) {
    PurchaseItem i;
    i.id = r.integer(QStringLiteral("Id"));
    i.name = r.text(QStringLiteral("ProdName"));
    i.code = r.text(QStringLiteral("ProdCode"));
    i.unit = r.text(QStringLiteral("UNit"));
    i.hsn = r.text(QStringLiteral("hsnCode"));
    i.purchaseRate = Decimal::fromVariant(r.value(QStringLiteral("PurRate")));
    i.rateOn = r.integer(QStringLiteral("CalcOn")) == 2 ? QStringLiteral("P") : QStringLiteral("M");
    i.sgstPercent = Decimal::fromVariant(r.value(QStringLiteral("Vat")));
    i.cgstPercent = Decimal::fromVariant(r.value(QStringLiteral("AddTax")));
    i.gstCalc = r.integer(QStringLiteral("VatCalc")) == 0 ? 1 : int(r.integer(QStringLiteral("VatCalc")));
    return i;
}

const QString kPurchaseItemColumns = QStringLiteral("SELECT Id, ProdName, ProdCode, UNit, hsnCode, PurRate, CalcOn, Vat, AddTax, VatCalc FROM ProdMst ");

}  // namespace

std::vector<PurchaseItem> PurchaseInvoices::items(const QString& prefix, int limit) {
    const db::Dialect& d = db_.dialect();
    const QString like = prefix.trimmed() + QLatin1Char('%');
    std::vector<PurchaseItem> out;
    db_.forEach(kPurchaseItemColumns + QStringLiteral("WHERE FirmNO = ? AND IsActive = 1 AND COALESCE(IsNewPro, 0) = 0 AND (") +
                    d.likeInsensitive(QStringLiteral("ProdName")) + QStringLiteral(" OR ") + d.likeInsensitive(QStringLiteral("ProdCode")) +
                    QStringLiteral(") ORDER BY ProdName") + d.limit(limit),
                {session_.firmNo, like, like}, [&](const db::Row& r) { out.push_back(itemOf(r)); });
    return out;
}

std::optional<PurchaseItem> PurchaseInvoices::item(qint64 itemId) {
    const auto r = db_.queryOne(kPurchaseItemColumns + QStringLiteral("WHERE Id = ? AND FirmNO = ?"), {itemId, session_.firmNo});
    if (!r) return std::nullopt;
    return itemOf(*r);
}

QStringList PurchaseInvoices::transporters(const QString& prefix, int limit) {
    QStringList out;
    db_.forEach(QStringLiteral("SELECT DISTINCT TransportName FROM BillMst WHERE FirmNO = ? AND TransportName <> '' AND ") +
                    db_.dialect().likeInsensitive(QStringLiteral("TransportName")) + QStringLiteral(" ORDER BY TransportName") +
                    db_.dialect().limit(limit),
                {session_.firmNo, prefix.trimmed() + QLatin1Char('%')},
                [&](const db::Row& r) { out << r.text(QStringLiteral("TransportName")); });
    return out;
}

void PurchaseInvoices::applyItem(PurchaseLine& line, const PurchaseItem& item, bool keepRate) {
    line.qualityId = item.id;
    line.input.sgstPercent = item.sgstPercent;
    line.input.cgstPercent = item.cgstPercent;
    line.input.gstCalc = item.gstCalc;
    line.input.rateOn = item.rateOn;
    if (!keepRate) line.input.listRate = item.purchaseRate;
}

QString PurchaseInvoices::partyBalance(qint64 partyId) {
    return ledger::balanceText(ledger::Balances(db_, session_).closing(partyId));
}

QString PurchaseInvoices::lastPurchaseRate(qint64 partyId, qint64 itemId) {
    const auto r = db_.queryOne(QStringLiteral("SELECT d.PRate, m.BillNO, m.BillDate FROM BillMst m INNER JOIN BillDtl d ON d.BillMstId = m.Id "
                                               "WHERE m.PartyID = ? AND d.PCode = ? AND m.FormId = 1 AND m.IsOp = 0 AND m.FirmNO = ? "
                                               "ORDER BY m.BillDate DESC, m.Id DESC") + db_.dialect().limit(1),
                                {partyId, itemId, session_.firmNo});
    if (!r) return {};
    QString rate = Decimal::fromVariant(r->value(QStringLiteral("PRate"))).toString(4);
    while (rate.contains(QLatin1Char('.')) && (rate.endsWith(QLatin1Char('0')) || rate.endsWith(QLatin1Char('.')))) rate.chop(1);
    return QStringLiteral("Rate  : ") + rate + QStringLiteral(" [ BILL No.") + r->text(QStringLiteral("BillNO")) + QStringLiteral(" Dt: ") +
           r->date(QStringLiteral("BillDate")).toString(QStringLiteral("dd-MM-yy")) + QStringLiteral(" ]");
}

std::optional<qint64> PurchaseInvoices::billOfParty(qint64 partyId, const QString& billNo, PurchaseKind kind) {
    const QVariant id = db_.scalar(QStringLiteral("SELECT m.Id FROM BillMst m WHERE m.PartyID = ? AND m.BillNO = ? AND m.IsOp = 0 AND m.FormId = 1 "
                                                  "AND m.FirmNO = ? AND ") +
                                       (kind == PurchaseKind::Goods ? kindCondition(kind) : QStringLiteral("m.GenPurAccId > 0")) +
                                       QStringLiteral(" ORDER BY m.Id"),
                                   {partyId, billNo.trimmed(), session_.firmNo});
    if (!id.isValid() || id.isNull()) return std::nullopt;
    return id.toLongLong();
}

std::vector<PurchaseListRow> PurchaseInvoices::billList(PurchaseKind kind, qint64 bookId, const QString& partyPrefix, int limit) {
    QString sql = QStringLiteral("SELECT m.*, a.AcName, a.Is_RevCh, b.PurNAme FROM BillMst m LEFT JOIN AccMst a ON a.Id = m.PartyID "
                                 "LEFT JOIN BookMst b ON b.BookNO = m.BookId AND b.FirmNO = m.FirmNO "
                                 "WHERE m.FirmNO = ? AND m.FormId = 1 AND m.IsOp = 0 AND ") + kindCondition(kind);
    QVariantList params{session_.firmNo};
    if (bookId > 0) {
        sql += QStringLiteral(" AND m.BookId = ?");
        params << bookId;
    }
    if (!partyPrefix.trimmed().isEmpty()) {
        sql += QStringLiteral(" AND ") + db_.dialect().likeInsensitive(QStringLiteral("a.AcName"));
        params << partyPrefix.trimmed() + QLatin1Char('%');
    }
    sql += QStringLiteral(" ORDER BY m.BillDate DESC, a.AcName, m.Id DESC") + db_.dialect().limit(limit);
    std::vector<PurchaseListRow> rows;
    for (const db::Row& r : db_.query(sql, params)) {
        PurchaseListRow row;
        row.id = r.integer(QStringLiteral("Id"));
        row.billNo = r.text(QStringLiteral("BillNO"));
        row.date = r.date(QStringLiteral("BillDate"));
        row.partyName = r.text(QStringLiteral("AcName"));
        row.amount = Decimal::fromVariant(r.value(QStringLiteral("BillAmount")));
        row.invoiceType = r.text(QStringLiteral("InvType"));
        row.creditDays = int(r.integer(QStringLiteral("CrDays")));
        row.bookId = r.integer(QStringLiteral("BookId"));
        row.bookName = r.text(QStringLiteral("PurNAme"));
        row.reverseChargeParty = r.flag(QStringLiteral("Is_RevCh"));
        row.reverseChargeBillNo = r.text(QStringLiteral("RCM_BillNO"));
        row.reverseChargeJournalNo = r.integer(QStringLiteral("RCM_JVNO"));
        row.audited = r.flag(QStringLiteral("Is_Audit"));
        row.matched2A = r.flag(QStringLiteral("Is_GstR2A"));
        row.paid = Decimal::fromVariant(r.value(QStringLiteral("PaidAmt")));
        row.unpaid = Decimal::fromVariant(r.value(QStringLiteral("UnPaidAmt")));
        row.paidDate = r.date(QStringLiteral("PaidDt"));
        rows.push_back(row);
    }
    return rows;
}

documents::DocumentPage PurchaseInvoices::billPage(PurchaseKind kind, qint64 bookId, const documents::ListFilter& filter) {
    documents::ListQuery q(QStringLiteral("BillMst m LEFT JOIN AccMst a ON a.Id = m.PartyID"),
                           QStringLiteral("m.FirmNO = ? AND m.FormId = 1 AND m.IsOp = 0 AND ") + kindCondition(kind), {session_.firmNo},
                           QStringLiteral("m.BillNO"), QStringLiteral("m.BillDate"), QStringLiteral("a.AcName"), QStringLiteral("m.BillAmount"));
    if (bookId > 0) q.narrow(QStringLiteral("m.BookId = ?"), bookId);
    q.marked = QStringLiteral("m.Is_Audit");
    q.texts = {QStringLiteral("m.RCM_BillNO")};
    q.figures = {QStringLiteral("m.PaidAmt"), QStringLiteral("m.UnPaidAmt")};
    return documents::listDocuments(db_, q, filter);
}

documents::DocumentPage PurchaseInvoices::openingPage(const documents::ListFilter& filter) {
    documents::ListQuery q(QStringLiteral("BillMst m LEFT JOIN AccMst a ON a.Id = m.PartyID"),
                           QStringLiteral("m.FirmNO = ? AND m.FormId = 1 AND m.IsOp = -1"), {session_.firmNo}, QStringLiteral("m.BillNO"),
                           QStringLiteral("m.BillDate"), QStringLiteral("a.AcName"), QStringLiteral("m.BillAmount"));
    q.figures = {QStringLiteral("m.PaidAmt"), QStringLiteral("m.UnPaidAmt")};
    return documents::listDocuments(db_, q, filter);
}

ReverseChargeDay PurchaseInvoices::reverseChargeDay(const QDate& date) {
    ReverseChargeDay day;
    const QString sum = db_.dialect().sumRounded(QStringLiteral("m.BillAmount"));
    const QString from = QStringLiteral(" FROM BillMst m INNER JOIN AccMst a ON a.Id = m.PartyID WHERE a.Is_RevCh = 1 AND m.BillDate = ? "
                                        "AND m.FormId = 1 AND m.IsOp = 0 AND m.FirmNO = ?");
    day.all = Decimal::fromDouble(db_.scalar(QStringLiteral("SELECT ") + sum + from, {QVariant(date), session_.firmNo}).toDouble());
    day.withoutGst = Decimal::fromDouble(
        db_.scalar(QStringLiteral("SELECT ") + sum + from + QStringLiteral(" AND m.VatRs + m.ATAXRs + m.CSTRs = 0"), {QVariant(date), session_.firmNo})
            .toDouble());
    day.limit = firmNumber(session_, QStringLiteral("RCM_Limit"));
    return day;
}

ComputedPurchase PurchaseInvoices::compute(const PurchaseBill& bill) {
    const auto s = supplier(bill.partyId, bill.kind);
    return computePurchase(bill, s.value_or(Supplier{}), roundOffKept());
}

bool PurchaseInvoices::roundOffKept() const { return firmFlag(session_, QStringLiteral("Is_Pur_RndOff")); }

bool PurchaseInvoices::keepsTakas() const {
    // A firm that deals in pieces only keeps no taka list.
    return !firmFlag(session_, QStringLiteral("IS_PCSONly"));
}

bool PurchaseInvoices::validate(const PurchaseBill& bill, const ComputedPurchase& computed, const PurchaseBook& book) {
    if (!bill.date.isValid() || !session_.inYear(bill.date)) {
        messages_.critical(QStringLiteral("BillDate Validate"), QStringLiteral("Please Select Proper Date"));
        return false;
    }
    if (bill.kind != PurchaseKind::Goods && (bill.expenseAccountId <= 0 || !isExpenseAccount(bill.expenseAccountId))) {
        messages_.critical(QStringLiteral("No Service select"), QStringLiteral("Please select Service Name"));
        return false;
    }
    if (bill.billNo.trimmed().isEmpty() || computed.lines.empty()) {
        messages_.critical(QStringLiteral("System Validation"), QStringLiteral("Please Select Distributor NAme and Enter Invoice No"));
        return false;
    }
    for (const PurchaseLine& line : bill.lines) {
        const InvoiceLineInput& in = line.input;
        if (in.pieces.isNegative() || in.metres.isNegative() || in.listRate.isNegative() || in.freight.isNegative() ||
            in.discountPercent.isNegative() || in.discountPercent > Decimal(100)) {
            messages_.critical(QStringLiteral("Invalid Entry"), QStringLiteral("Quantities, rates and freight cannot be negative, discounts lie between 0 and 100%"));
            return false;
        }
    }
    if (keepsTakas()) {
        if (const auto repeated = repeatedTaka(bill)) {
            messages_.critical(QStringLiteral("Data Duplication"), QStringLiteral("Taka No ") + *repeated + QStringLiteral(" is entered twice"));
            return false;
        }
        if (takaMetresMismatch(bill)) {
            messages_.critical(QStringLiteral("Mtrs Missmatch"), QStringLiteral("Taka Mtrs And Total Mtrs Not Match"));
            return false;
        }
    }
    const InvoiceTotals& t = computed.totals;
    if (book.autoAccounts && t.net != t.creditsTotal()) {
        messages_.critical(QStringLiteral("Round Off Value not Match"), QStringLiteral("Please enter round off value "));
        return false;
    }
    return !refuseTooLong(bill, computed);
}

bool PurchaseInvoices::refuseTooLong(const PurchaseBill& bill, const ComputedPurchase& computed) {
    if (documents::refuseTooLong(messages_, purchaseHeaderTable().tooLong(PurchaseHeaderRow{bill, computed, session_.firmNo, {}, false, false}))) return true;
    for (const PurchaseLineRow& row : lineRows(bill, computed))
        if (documents::refuseTooLong(messages_, purchaseLines().tooLong(row))) return true;
    for (const PurchaseTaka& taka : bill.takas)
        if (documents::refuseTooLong(messages_, takaTable().tooLong({taka, bill.id, 0}))) return true;
    return false;
}

void PurchaseInvoices::writeHeader(const PurchaseBill& b, const ComputedPurchase& c, Decimal paid, bool gstToRupees) {
    PurchaseHeaderRow row{b, c, session_.firmNo, {}, false, false};
    row.paid = paid;
    row.roundOffKept = roundOffKept();
    row.gstToRupees = gstToRupees;
    purchaseHeaderTable().write(db_, row, b.id);
}

void PurchaseInvoices::writeLines(const PurchaseBill& b, const ComputedPurchase& c) {
    const std::vector<PurchaseLineRow> rows = lineRows(b, c);
    purchaseLines().replaceLines(db_, QStringLiteral("BillMstId"), b.id, rows);
    // The item's purchase rate follows its latest bill.
    for (const PurchaseLineRow& r : rows)
        if (r.line.qualityId > 0)
            db_.exec(QStringLiteral("UPDATE ProdMst SET PurRate = ?, Is_Upload = 0 WHERE FirmNO = ? AND Id = ?"),
                     {r.computed.rate.toDouble(), session_.firmNo, r.line.qualityId});
}

void PurchaseInvoices::writeTakas(const PurchaseBill& b) {
    // Takas that went to a mill stay marked through a re-save.
    QSet<QString> issued;
    for (const db::Row& r : db_.query(QStringLiteral("SELECT TakaNO FROM BillMst_TakaDetail WHERE BillMst_Id = ? AND Is_Issued = 1"), {b.id}))
        issued.insert(r.text(QStringLiteral("TakaNO")).trimmed().toUpper());
    std::vector<TakaRow> rows;
    if (keepsTakas()) {
        int srno = 0;
        for (const PurchaseTaka& taka : b.takas)
            if (!taka.takaNo.trimmed().isEmpty())
                rows.push_back({taka, b.id, ++srno, taka.issued || issued.contains(taka.takaNo.trimmed().toUpper())});
    }
    takaTable().replaceLines(db_, QStringLiteral("BillMst_Id"), b.id, rows);
}

qint64 PurchaseInvoices::voucherOfJournal(qint64 journalNo) {
    if (journalNo <= 0) return 0;
    return db_.scalar(QStringLiteral("SELECT VoucherNo FROM HeadDtl3 WHERE JournalNo = ? AND TableCode = ? AND FirmNo = ?"),
                      {journalNo, kJournalVoucher, session_.firmNo})
        .toLongLong();
}

void PurchaseInvoices::post(PurchaseBill& bill, const ComputedPurchase& computed, const PurchaseBook& book, const Supplier& supplier) {
    ledger::Journal journal(db_, session_);
    // The reverse-charge GST lives in the bill's own journal voucher, kept under its number. A new
    // one is numbered before the bill is posted: voucher numbers are locked before journal numbers.
    const qint64 existing = voucherOfJournal(bill.reverseChargeJournalNo);
    const qint64 voucher = computed.reverseCharge && existing <= 0 ? journal.nextVoucherNo(kJournalVoucher) : existing;
    journal.post(purchaseJournal(bill, computed, book, supplier), ledger::Replace::WholeJournal);
    if (computed.reverseCharge) {
        const ledger::JournalDocument rcm = reverseChargeVoucher(bill, computed, book, voucher, [this](qint64 account) {
            return db_.scalar(QStringLiteral("SELECT AcName FROM AccMst WHERE Id = ?"), {account}).toString();
        });
        if (!rcm.lines.empty()) {
            bill.reverseChargeJournalNo = journal.post(rcm, ledger::Replace::WholeJournal);
            return;
        }
    }
    if (existing > 0) journal.removeDocument(kJournalVoucher, existing);
    bill.reverseChargeJournalNo = 0;
}

std::optional<qint64> PurchaseInvoices::save(PurchaseBill& bill) {
    if (documents::refuseSave(session_, messages_, bill.id)) return std::nullopt;
    const auto s = bill.partyId > 0 ? supplier(bill.partyId, bill.kind) : std::nullopt;
    const auto bk = bill.bookId > 0 ? book(bill.bookId) : std::nullopt;
    if (!s || !bk || bk->generalPurchase != (bill.kind != PurchaseKind::Goods)) {
        messages_.critical(QStringLiteral("System Validation"), QStringLiteral("Please Select Distributor NAme and Enter Invoice No"));
        return std::nullopt;
    }
    const PurchaseBill asTyped = bill;
    auto restore = [&] {
        bill.id = asTyped.id;
        bill.serial = asTyped.serial;
        bill.reverseChargeId = asTyped.reverseChargeId;
        bill.reverseChargeBillNo = asTyped.reverseChargeBillNo;
        bill.reverseChargeJournalNo = asTyped.reverseChargeJournalNo;
    };
    try {
        db::Transaction tx(db_);
        db_.lockSeries(QStringLiteral("BillMst.Id"));
        Decimal paid;
        if (bill.id > 0) {
            const auto old = db_.queryOne(QStringLiteral("SELECT PartyID, PaidAmt, BillSrno, IsOp, RCM_ID, RCM_BillNO, RCM_JVNO FROM BillMst "
                                                         "WHERE Id = ? AND FirmNO = ? AND FormId = 1"),
                                          {bill.id, session_.firmNo});
            if (!old || old->integer(QStringLiteral("IsOp")) != 0) {
                messages_.critical(QStringLiteral("System Validation"), QStringLiteral("This Invoice is not found; it may have been deleted."));
                return std::nullopt;
            }
            paid = Decimal::fromVariant(old->value(QStringLiteral("PaidAmt")));
            if (paid > Decimal() && old->integer(QStringLiteral("PartyID")) != bill.partyId) {
                messages_.critical(QStringLiteral("No Party Name Change"), paymentDoneText(paid));
                return std::nullopt;
            }
            bill.serial = old->integer(QStringLiteral("BillSrno"));
            // The reverse-charge references belong to the day's working out, not to the screen.
            bill.reverseChargeId = old->integer(QStringLiteral("RCM_ID"));
            bill.reverseChargeBillNo = old->text(QStringLiteral("RCM_BillNO"));
            bill.reverseChargeJournalNo = old->integer(QStringLiteral("RCM_JVNO"));
        } else {
            bill.reverseChargeJournalNo = 0;
        }
        const ComputedPurchase computed = computePurchase(bill, *s, roundOffKept());
        if (!validate(bill, computed, *bk) || refuseIssuedTakaDropped(db_, messages_, bill, keepsTakas())) {
            restore();
            return std::nullopt;
        }
        const auto existing = billOfParty(bill.partyId, bill.billNo, bill.kind);
        if (existing && *existing != bill.id) {
            messages_.critical(QStringLiteral("Bill NO Duplication"), QStringLiteral("This Bill NO is Already exist!"));
            restore();
            return std::nullopt;
        }
        if (bill.id <= 0) bill.id = db_.nextKey(kBillMst, QStringLiteral("Id"));
        // The serial runs over the purchase bills of every firm.
        if (bill.serial <= 0) bill.serial = db_.nextKey(kBillMst, QStringLiteral("BillSrno"), QStringLiteral("FormId = 1"));
        writeLines(bill, computed);
        writeTakas(bill);
        recountMillTakas(db_, bill.id);
        post(bill, computed, *bk, *s);
        writeHeader(bill, computed, paid, s->gstToRupees);
        tx.commit();
    } catch (const ledger::PostingRefused& refused) {
        restore();
        messages_.critical(ledger::ledgerNotSavedTitle(), refused.text());
        return std::nullopt;
    } catch (const db::DbError&) {
        restore();
        messages_.critical(ledger::ledgerNotSavedTitle(), ledger::ledgerProblemText());
        return std::nullopt;
    }
    messages_.information(QStringLiteral("Save Confirmation"), QStringLiteral("ONE TRANSACTION IS SAVED"));
    return bill.id;
}

std::vector<qint64> PurchaseInvoices::reverseChargeBills(const QDate& date, const QString& condition) {
    std::vector<qint64> ids;
    db_.forEach(QStringLiteral("SELECT m.Id FROM BillMst m INNER JOIN AccMst a ON a.Id = m.PartyID WHERE a.Is_RevCh = 1 AND m.BillDate = ? "
                               "AND m.FormId = 1 AND m.IsOp = 0 AND m.FirmNO = ? AND ") +
                    condition + QStringLiteral(" ORDER BY m.Id"),
                {QVariant(date), session_.firmNo}, [&](const db::Row& r) { ids.push_back(r.integer(QStringLiteral("Id"))); });
    return ids;
}

bool PurchaseInvoices::repost(PurchaseBill& bill) {
    const auto s = supplier(bill.partyId, bill.kind);
    const auto bk = book(bill.bookId);
    if (!s || !bk) return false;
    const ComputedPurchase computed = computePurchase(bill, *s, roundOffKept());
    const Decimal paid = Decimal::fromVariant(db_.scalar(QStringLiteral("SELECT PaidAmt FROM BillMst WHERE Id = ?"), {bill.id}));
    post(bill, computed, *bk, *s);
    writeHeader(bill, computed, paid, s->gstToRupees);
    return true;
}

std::optional<int> PurchaseInvoices::repostDay(const QDate& date, const QString& condition, const std::function<bool(PurchaseBill&)>& change) {
    int changed = 0;
    try {
        db::Transaction tx(db_);
        db_.lockSeries(QStringLiteral("BillMst.Id"));
        for (const qint64 id : reverseChargeBills(date, condition)) {
            auto bill = load(id);
            if (!bill || !change(*bill)) return std::nullopt;
            if (repost(*bill)) ++changed;
        }
        tx.commit();
    } catch (const ledger::PostingRefused& refused) {
        messages_.critical(ledger::ledgerNotSavedTitle(), refused.text());
        return std::nullopt;
    } catch (const db::DbError&) {
        messages_.critical(ledger::ledgerNotSavedTitle(), ledger::ledgerProblemText());
        return std::nullopt;
    }
    return changed;
}

int PurchaseInvoices::calculateReverseCharge(const QDate& date) {
    if (documents::refuseChange(session_, messages_, documents::Change::Modify)) return 0;
    const ReverseChargeDay day = reverseChargeDay(date);
    const QString dayText = date.toString(QStringLiteral("dd-MM-yyyy"));
    if (day.all <= day.limit) {
        messages_.critical(QStringLiteral("RCM Calculate"), QStringLiteral("Reverse charge purchases of ") + dayText + QStringLiteral(" : ") +
                                                                day.all.toString(2) + QStringLiteral(" are within the limit of ") +
                                                                day.limit.toString(2));
        return 0;
    }
    qint64 next = 0;
    // Unpaid bills carrying GST and no reference yet; a paid bill keeps what was paid on it.
    const auto changed = repostDay(date, QStringLiteral("m.RCM_ID = 0 AND m.VatRs + m.ATAXRs + m.CSTRs > 0 AND m.PaidAmt = 0"),
                                   [&](PurchaseBill& bill) {
                                       if (next == 0) next = db_.nextKey(kBillMst, QStringLiteral("RCM_ID"), QStringLiteral("FirmNO = ?"), {session_.firmNo});
                                       bill.reverseChargeId = next;
                                       bill.reverseChargeBillNo = session_.reverseChargePrefix + QString::number(next++);
                                       return true;
                                   });
    if (!changed) return 0;
    messages_.information(QStringLiteral("RCM Calculate"), QStringLiteral("Reverse charge of ") + dayText + QStringLiteral(" : ") +
                                                               QString::number(*changed) + QStringLiteral(" bills"));
    return *changed;
}

int PurchaseInvoices::removeReverseCharge(const QDate& date) {
    if (documents::refuseChange(session_, messages_, documents::Change::Modify)) return 0;
    // A paid bill was settled at the amount owed under reverse charge: it keeps it, and the day with it.
    const auto changed = repostDay(date, QStringLiteral("m.RCM_ID > 0"), [&](PurchaseBill& bill) {
        const Decimal paid = Decimal::fromVariant(db_.scalar(QStringLiteral("SELECT PaidAmt FROM BillMst WHERE Id = ?"), {bill.id}));
        if (paid > Decimal()) {
            messages_.critical(QStringLiteral("RCM Not Calculate"),
                               QStringLiteral("Pur. Bill No ") + bill.billNo + QLatin1Char('\n') + paymentDoneText(paid));
            return false;
        }
        bill.reverseChargeId = 0;
        bill.reverseChargeBillNo.clear();
        return true;
    });
    if (!changed) return 0;
    messages_.information(QStringLiteral("RCM Not Calculate"), QStringLiteral("Reverse charge of ") + date.toString(QStringLiteral("dd-MM-yyyy")) +
                                                                   QStringLiteral(" removed : ") + QString::number(*changed) + QStringLiteral(" bills"));
    return *changed;
}

bool PurchaseInvoices::refusePaid(qint64 id, const QString& title) {
    const Decimal paid = Decimal::fromVariant(db_.scalar(QStringLiteral("SELECT PaidAmt FROM BillMst WHERE Id = ?"), {id}));
    if (paid <= Decimal()) return false;
    messages_.critical(title, paymentDoneText(paid));
    return true;
}

bool PurchaseInvoices::remove(qint64 id) {
    if (documents::refuseChange(session_, messages_, documents::Change::Delete)) return false;
    const auto h = db_.queryOne(QStringLiteral("SELECT RCM_JVNO, IsOp FROM BillMst WHERE Id = ? AND FirmNO = ? AND FormId = 1"), {id, session_.firmNo});
    if (!h || h->integer(QStringLiteral("IsOp")) != 0) return false;
    if (refuseReverseChargeJournal(id)) return false;
    if (refusePaid(id, QStringLiteral("Delete Confirmation"))) return false;
    if (refuseAtMill(id)) return false;
    if (!messages_.ask(QStringLiteral("Delete Confirmation"), QStringLiteral("Are You Sure to Permanently Delete This Invoice ?"))) return false;
    try {
        db::Transaction tx(db_);
        db_.lockSeries(QStringLiteral("BillMst.Id"));
        // A payment or the day's reverse charge may have reached the bill since the question was asked.
        if (refuseReverseChargeJournal(id) || refusePaid(id, QStringLiteral("Delete Confirmation")) || refuseAtMill(id)) return false;
        // The journal's removal writes the deletion history row of the bill.
        documents::deleteDocument(db_, {kBillMst, {{kBillDtl, QStringLiteral("BillMstId")}, {kTakas, QStringLiteral("BillMst_Id")}}, 0}, id, session_.firmNo);
        ledger::Journal(db_, session_).removeDocument(kPurchase, id);
        tx.commit();
    } catch (const db::DbError&) {
        messages_.critical(ledger::ledgerNotSavedTitle(), ledger::ledgerProblemText());
        return false;
    }
    messages_.information(QStringLiteral("Delete Confirmation"), QStringLiteral("Purchase Invoice Is Deleted!"));
    return true;
}

bool PurchaseInvoices::refuseAtMill(qint64 id) {
    // Takas of the bill on a mill challan: the challan would lose where they came from.
    const int challans = db_.scalar(QStringLiteral("SELECT count(*) FROM JobWork_IssueMst_1 WHERE PurBillId = ? AND FirmNO = ?"),
                                    {id, session_.firmNo})
                             .toInt();
    if (challans == 0) return false;
    messages_.critical(QStringLiteral("Mill Issue Found"), QStringLiteral("Takas of this Purchase Invoice are issued to a mill") + QLatin1Char('\n') +
                                                               QStringLiteral(" First Delete Mill Issue Entry !"));
    return true;
}

bool PurchaseInvoices::refuseReverseChargeJournal(qint64 id) {
    const qint64 journal = db_.scalar(QStringLiteral("SELECT RCM_JVNO FROM BillMst WHERE Id = ?"), {id}).toLongLong();
    if (journal <= 0) return false;
    messages_.critical(QStringLiteral("Delete Not Possible"), QStringLiteral("Invoice Reverse Charge Entry is Entered in ") + QLatin1Char('\n') +
                                                                  QStringLiteral(" Journal No : ") + QString::number(journal));
    return true;
}

std::optional<PurchaseBill> PurchaseInvoices::load(qint64 id) {
    const auto h = db_.queryOne(QStringLiteral("SELECT * FROM BillMst WHERE Id = ? AND FirmNO = ? AND FormId = 1"), {id, session_.firmNo});
    if (!h) return std::nullopt;
    PurchaseBill b;
    b.id = id;
    purchaseHeaderTable().read(b, *h);
    // A charge of less than a rupee is the round-off the save puts there again.
    if (b.otherCharges.abs() < Decimal(1) && roundOffKept()) b.otherCharges = Decimal();
    purchaseLines().readLines(db_, QStringLiteral("BillMstId"), id, b.lines);
    takaTable().readLines(db_, QStringLiteral("BillMst_Id"), id, b.takas);
    return b;
}

bool PurchaseInvoices::setAudited(qint64 id, bool audited) {
    if (documents::refuseChange(session_, messages_, documents::Change::Modify)) return false;
    return db_.exec(QStringLiteral("UPDATE BillMst SET Is_Audit = ?, Is_Upload = 0 WHERE Id = ? AND FirmNO = ?"), {audited, id, session_.firmNo}) > 0;
}

std::optional<qint64> PurchaseInvoices::saveOpening(PurchaseBill& bill) {
    if (documents::refuseSave(session_, messages_, bill.id)) return std::nullopt;
    if (bill.partyId <= 0 || bill.billNo.trimmed().isEmpty() || !isExpenseAccount(bill.partyId)) {
        messages_.critical(QStringLiteral("System Validation"), QStringLiteral("Please Select Ac NAme and Enter Invoice No"));
        return std::nullopt;
    }
    if (bill.pendingAmount <= Decimal()) {
        messages_.critical(QStringLiteral("No Pending Amt"), QStringLiteral("Please Enter pending Amount"));
        return std::nullopt;
    }
    bill.opening = true;
    bill.kind = PurchaseKind::Goods;
    bill.lines.clear();
    bill.takas.clear();
    if (!bill.date.isValid()) bill.date = session_.yearStartDate;
    const ComputedPurchase none;
    if (documents::refuseTooLong(messages_, purchaseHeaderTable().tooLong(PurchaseHeaderRow{bill, none, session_.firmNo, {}, false, false}))) return std::nullopt;
    db::Transaction tx(db_);
    db_.lockSeries(QStringLiteral("BillMst.Id"));
    Decimal paid;
    if (bill.id > 0)
        paid = Decimal::fromVariant(db_.scalar(QStringLiteral("SELECT PaidAmt FROM BillMst WHERE Id = ? AND IsOp = -1"), {bill.id}));
    else
        bill.id = db_.nextKey(kBillMst, QStringLiteral("Id"));
    writeHeader(bill, none, paid, false);
    documents::writeOpeningOutstanding(db_, {QStringLiteral("P"), kPurchase, bill.id, session_.firmNo, bill.partyId, bill.bookId,
                                             bill.invoiceType, bill.billNo, bill.date, bill.pendingAmount.roundHalfEven(2).toDouble()});
    tx.commit();
    messages_.information(QStringLiteral("Save Confirmation"), QStringLiteral("ONE TRANSACTION IS SAVED"));
    return bill.id;
}

bool PurchaseInvoices::removeOpening(qint64 id) {
    if (documents::refuseChange(session_, messages_, documents::Change::Delete)) return false;
    if (db_.scalar(QStringLiteral("SELECT count(*) FROM BillMst WHERE Id = ? AND IsOp = -1 AND FirmNO = ?"), {id, session_.firmNo}).toInt() == 0)
        return false;
    if (refusePaid(id, QStringLiteral("Delete Confirmation"))) return false;
    if (!messages_.ask(QStringLiteral("Delete Confirmation"), QStringLiteral("Are you sure to delete this Invoice"))) return false;
    db::Transaction tx(db_);
    documents::removeOpeningOutstanding(db_, QStringLiteral("P"), id);
    documents::deleteDocument(db_, {kBillMst, {}, kPurchase}, id, session_.firmNo);
    tx.commit();
    messages_.information(QStringLiteral("Delete Confirmation"), QStringLiteral("Invoice  IS Deleted!"));
    return true;
}

}  // namespace tanabana::trade
