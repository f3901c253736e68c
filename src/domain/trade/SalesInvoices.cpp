#include "domain/trade/SalesInvoices.h"

#include "core/Words.h"
#include "domain/ledger/Balances.h"
#include "domain/ledger/Journal.h"
#include "domain/shell/Lookups.h"
#include "domain/trade/DatedRules.h"
#include "domain/trade/DocumentRules.h"
#include "domain/trade/PartyRates.h"
#include "domain/trade/SalesLines.h"

#include <QSet>

namespace tanabana::trade {

namespace {

const QString kMst = QStringLiteral("SalBillMst");
const QString kDtl = QStringLiteral("SalBillDtl");
constexpr int kSale = 3;

QString stateCode(const QString& stateOrGstin) {
    const QString t = stateOrGstin.trimmed();
    return t.size() >= 2 && t.at(0).isDigit() && t.at(1).isDigit() ? t.left(2) : QString();
}

QString money(Decimal value) { return value.toString(2); }

QString numberText(Decimal value) {
    QString text = value.toString(4);
    while (text.contains(QLatin1Char('.')) && (text.endsWith(QLatin1Char('0')) || text.endsWith(QLatin1Char('.')))) text.chop(1);
    return text;
}

}  // namespace

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

QString SalesInvoices::lastBillNo(qint64 bookNo) {
    return db_.scalar(QStringLiteral("SELECT BillNO FROM SalBillMst WHERE BookNO = ? AND FormId = 3 AND IsOp = 0 AND FirmNO = ? "
                                     "ORDER BY BillDate DESC, Id DESC") + db_.dialect().limit(1),
                      {bookNo, session_.firmNo})
        .toString();
}

db::Rows SalesInvoices::salesBooks() {
    return db_.query(QStringLiteral("SELECT BookNO, SalesName, BillType FROM BookMst WHERE (BookType = 'S' OR BookType = 'A') "
                                    "AND FirmNO = ? ORDER BY BookNO"),
                     {session_.firmNo});
}

db::Rows SalesInvoices::billList(qint64 bookNo, const QString& partyPrefix, Pending pending, int limit) {
    QString sql = QStringLiteral("SELECT m.Id, m.BillNO, m.BillDate, a.AcName, a.City, m.BillAmount, m.AGAINST, m.ChNo, m.PaidAmt, "
                                 "m.UnPaidAmt, m.Is_Audit FROM SalBillMst m LEFT JOIN AccMst a ON a.Id = m.PartyID WHERE m.FirmNO = ? "
                                 "AND m.IsOp = 0 AND m.FormId = 3");
    QVariantList params{session_.firmNo};
    if (bookNo > 0) {
        sql += QStringLiteral(" AND m.BookNO = ?");
        params << bookNo;
    }
    if (!partyPrefix.trimmed().isEmpty()) {
        sql += QStringLiteral(" AND ") + db_.dialect().likeInsensitive(QStringLiteral("a.AcName"));
        params << partyPrefix.trimmed() + QLatin1Char('%');
    }
    switch (pending) {
    case Pending::Any: break;
    case Pending::EwayBill: sql += QStringLiteral(" AND COALESCE(TRIM(m.AGAINST), '') = ''"); break;
    case Pending::EInvoice: sql += QStringLiteral(" AND COALESCE(TRIM(m.AckNo), '') = ''"); break;
    case Pending::LrNo: sql += QStringLiteral(" AND (COALESCE(TRIM(m.LrNo), '') = '' OR TRIM(m.LrNo) = '-')"); break;
    }
    // Numbers of one day sort by value ("10" before "9" going down): longer first, then by text.
    sql += QStringLiteral(" ORDER BY m.BillDate DESC, LENGTH(m.BillNO) DESC, m.BillNO DESC, m.Id DESC") + db_.dialect().limit(limit);
    return db_.query(sql, params);
}

QString SalesInvoices::nextBillNo(qint64 bookNo) { return followingNumber(lastBillNo(bookNo)); }

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
    QString partyState = stateCode(r->text(QStringLiteral("CSTNo")));
    if (partyState.isEmpty()) partyState = stateCode(p.gstin);
    QString firmState = stateCode(firmSetting(session_, QStringLiteral("CST")).toString());
    if (firmState.isEmpty()) firmState = stateCode(firmSetting(session_, QStringLiteral("Tin")).toString());
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
    const Decimal firmLimit = Decimal::fromDouble(session_.firmCrLimit);
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
    return db_.scalar(QStringLiteral("SELECT count(*) FROM SalBillMst WHERE BookNO = ? AND FirmNO = ? AND FormId = 3 AND IsOp = 0 "
                                     "AND BillNO = ? AND Id <> ?"),
                      {bill.bookNo, session_.firmNo, bill.billNo.trimmed(), bill.id})
               .toInt() > 0;
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
    if (bill.billNo.trimmed().isEmpty() || computed.lines.empty()) {
        refuseMissingPartyOrQuality(messages_);
        return false;
    }
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
    for (const SalesLine& line : bill.lines)
        if (line.challanId > 0) ids.insert(line.challanId);
    for (qint64 id : ids) {
        if (db_.scalar(QStringLiteral("SELECT IsSale FROM ChalanMst WHERE Id = ?"), {id}).toInt() != 0) {
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
    db_.exec(QStringLiteral("UPDATE ChalanMst SET IsSale = 0 WHERE Id IN (SELECT DChId FROM SalBillDtl WHERE BillMstId = ? AND DChId > 0)"),
             {billId});
}

void SalesInvoices::markChallansSold(const SalesBill& bill) {
    if (bill.challanNo > 0)
        db_.exec(QStringLiteral("UPDATE ChalanMst SET IsSale = 1 WHERE FirmNO = ? AND BookNO = ? AND BillNO = ?"),
                 {session_.firmNo, bill.bookNo, QString::number(bill.challanNo)});
    db_.exec(QStringLiteral("UPDATE ChalanMst SET IsSale = 1 WHERE Id IN (SELECT DChId FROM SalBillDtl WHERE BillMstId = ? AND DChId > 0)"),
             {bill.id});
}

void SalesInvoices::writeHeader(const SalesBill& b, const ComputedBill& c, Decimal paidAmount) {
    const InvoiceTotals& t = c.totals;
    const bool cashParty = session_.cashAccId > 0 && b.partyId == session_.cashAccId;
    const Decimal paid = cashParty ? t.net : paidAmount;
    const Decimal unpaid = (t.net - t.tds - paid).roundHalfEven(2);
    const bool roundOffKept = firmFlag(session_, QStringLiteral("Is_Sales_RndOff"));
    auto f = [&](const char* column, const QString& text) { return fitted(kMst, QString::fromLatin1(column), text); };
    const std::vector<std::pair<QString, QVariant>> fields{
        {QStringLiteral("FirmNO"), session_.firmNo},
        {QStringLiteral("FormId"), kSale},
        {QStringLiteral("BookNO"), b.bookNo},
        {QStringLiteral("BillNO"), f("BillNO", b.billNo)},
        {QStringLiteral("BillDate"), QVariant(b.date)},
        {QStringLiteral("PartyID"), b.partyId},
        {QStringLiteral("DeliId"), b.deliveryId > 0 ? b.deliveryId : b.partyId},
        {QStringLiteral("ConSId"), b.consigneeId > 0 ? b.consigneeId : b.partyId},
        {QStringLiteral("BrokerId"), b.brokerId},
        {QStringLiteral("CrDays"), b.creditDays},
        {QStringLiteral("PDueDate"), QVariant(b.date.addDays(b.creditDays))},
        {QStringLiteral("ChNo"), b.challanNo},
        {QStringLiteral("Ch1"), f("Ch1", b.challanDate)},
        {QStringLiteral("Grade"), f("Grade", b.doNo)},
        {QStringLiteral("Ch2"), f("Ch2", b.orderDate)},
        {QStringLiteral("Notes"), f("Notes", b.notes)},
        {QStringLiteral("InvType"), f("InvType", b.invoiceType.left(1).toUpper())},
        {QStringLiteral("PurTypeId"), b.invoiceTypeId},
        {QStringLiteral("BAmt"), t.taxable.toDouble()},
        {QStringLiteral("DiscP"), b.returnPercent.toDouble()},
        {QStringLiteral("DiscRs"), b.returnAmount.roundHalfEven(2).toDouble()},
        {QStringLiteral("VATP"), 0}, {QStringLiteral("ATAXP"), 0}, {QStringLiteral("CSTP"), 0}, {QStringLiteral("OtherRs"), 0},
        {QStringLiteral("VatRs"), t.sgst.toDouble()},
        {QStringLiteral("ATAXRs"), t.cgst.toDouble()},
        {QStringLiteral("CSTRs"), t.igst.toDouble()},
        {QStringLiteral("TDSP"), b.tdsPercent.toDouble()},
        {QStringLiteral("TDSRs"), t.tds.toDouble()},
        {QStringLiteral("TCSP"), b.tcsPercent.toDouble()},
        {QStringLiteral("TCSRs"), t.tcs.toDouble()},
        {QStringLiteral("OtherP"), t.otherCharges.toDouble()},
        {QStringLiteral("OtherP1"), roundOffKept ? t.roundOff.toDouble() : 0.0},
        {QStringLiteral("BillAmount"), t.net.toDouble()},
        {QStringLiteral("InWords"), f("InWords", QStringLiteral("Rs. ") + AmountInWords(t.net) + QStringLiteral(" Only."))},
        {QStringLiteral("AGAINST"), f("AGAINST", b.ewayBillNo)},
        {QStringLiteral("TrNO"), f("TrNO", b.truckNo)},
        {QStringLiteral("LrNo"), f("LrNo", b.lrNo)},
        {QStringLiteral("LrDt"), QVariant(b.lrDate)},
        {QStringLiteral("Transport"), f("Transport", b.transport)},
        {QStringLiteral("T_LrTrans_Id"), f("T_LrTrans_Id", b.transporterId)},
        {QStringLiteral("T_VehNO"), f("T_VehNO", b.vehicleNo)},
        {QStringLiteral("Packng"), f("Packng", b.packing)},
        {QStringLiteral("CaseNO"), b.caseNo},
        {QStringLiteral("SalPartyName"), f("SalPartyName", b.extraName1)},
        {QStringLiteral("SalPartyName1"), f("SalPartyName1", b.extraName2)},
        {QStringLiteral("Ret_Reason"), f("Ret_Reason", b.shippingNo)},
        {QStringLiteral("Sal_Bill_Dt"), b.shippingNo.trimmed().isEmpty() ? QVariant(QDate()) : QVariant(b.shippingDate)},
        {QStringLiteral("PaidcashAmt"), b.cashPaid.roundHalfEven(2).toDouble()},
        {QStringLiteral("CashBookNO"), b.cashBookNo},
        {QStringLiteral("CashRem"), f("CashRem", b.cashRemark)},
        {QStringLiteral("PaidAmt"), paid.toDouble()},
        {QStringLiteral("UnPaidAmt"), unpaid.toDouble()},
        {QStringLiteral("IsEnd"), cashParty},
        {QStringLiteral("BillType"), f("BillType", b.invoiceType)},
        {QStringLiteral("IsOp"), b.opening ? -1 : 0},
        {QStringLiteral("Is_Audit"), b.audited},
        {QStringLiteral("Is_Upload"), false},
        {QStringLiteral("Bill_From"), b.billFrom},
    };
    QStringList sets, columns, marks;
    QVariantList values;
    for (const auto& [column, value] : fields) {
        sets << column + QStringLiteral(" = ?");
        columns << column;
        marks << QStringLiteral("?");
        values << value;
    }
    if (cashParty) {
        sets << QStringLiteral("PaidDt = ?");
        values << QVariant(b.date);
    }
    values << b.id;
    if (db_.exec(QStringLiteral("UPDATE SalBillMst SET ") + sets.join(QStringLiteral(", ")) + QStringLiteral(" WHERE Id = ?"), values) > 0)
        return;
    columns << QStringLiteral("Id");
    marks << QStringLiteral("?");
    if (cashParty) {
        columns.insert(columns.size() - 1, QStringLiteral("PaidDt"));
        marks << QStringLiteral("?");
    }
    db_.exec(QStringLiteral("INSERT INTO SalBillMst (") + columns.join(QStringLiteral(", ")) + QStringLiteral(") VALUES (") +
                 marks.join(QStringLiteral(", ")) + QLatin1Char(')'),
             values);
}

void SalesInvoices::writeLines(const SalesBill& b, const ComputedBill& c) {
    db_.exec(QStringLiteral("DELETE FROM SalBillDtl WHERE BillMstId = ?"), {b.id});
    std::vector<PartyRate> rates;
    size_t computedIndex = 0;
    int srno = 0;
    for (const SalesLine& line : b.lines) {
        if (line.qualityId <= 0) continue;
        const InvoiceLine& l = c.lines.at(computedIndex++);
        const InvoiceLineInput& in = line.input;
        const QString pm = in.rateOn.trimmed().toUpper() == QStringLiteral("P") ? QStringLiteral("P") : QStringLiteral("M");
        ++srno;
        db_.exec(QStringLiteral("INSERT INTO SalBillDtl (BillMstId, Srno, PCode, R3, R1, R2, Qty2, Qty1, Qty, PM, SRate, Rate, Amt, CDP, "
                                "CDRs, CDP1, CDRs1, DVatP, DATaxP, DVatRs, DATaxRs, IGSTP, IGSTRs, DNetAmt, BillNetAmt, DChId, DchIdSno, "
                                "Qty3, Qty4) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                 {b.id, srno, line.qualityId, fitted(kDtl, QStringLiteral("R3"), line.description),
                  fitted(kDtl, QStringLiteral("R1"), line.remark1), fitted(kDtl, QStringLiteral("R2"), line.remark2),
                  in.pieces.roundHalfEven(3).toDouble(), in.cut.roundHalfEven(3).toDouble(), in.metres.roundHalfEven(3).toDouble(), pm,
                  l.rateBeforeDiscount.toDouble(), l.rate.toDouble(), l.amount.toDouble(), in.discountPercent.toDouble(),
                  l.discountAmount.toDouble(), in.secondDiscountPercent.toDouble(), l.secondDiscountAmount.toDouble(),
                  l.tax1Percent.toDouble(), l.tax2Percent.toDouble(), l.tax1Amount.toDouble(), l.tax2Amount.toDouble(),
                  l.igstPercent().toDouble(), l.igstAmount().toDouble(), l.lineTotal.toDouble(), l.lineTotal.toDouble(),
                  line.challanId, line.challanSrno, line.extraQty3.toDouble(), line.extraQty4.toDouble()});
        rates.push_back({line.qualityId, in.pieces, in.metres, pm, l.rate, b.id, b.billNo.trimmed(), b.date});
    }
    rememberPartyRates(db_, RateSource::Bill, b.partyId, rates);
}

void SalesInvoices::post(const SalesBill& b, const ComputedBill& c, const Book& book, const PartyInfo& party) {
    const InvoiceTotals& t = c.totals;
    const QString reference = QStringLiteral("Sales- ") + QString::number(book.bookNo) + QLatin1Char('/') + book.prefix + b.billNo.trimmed();
    const QString partyDesc = reference + QStringLiteral(" - ") + party.name;
    const QString taxNarration = QStringLiteral("Taxable Amt : ") + money(t.taxable);
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
         QStringLiteral("  (") + QStringLiteral("Taxable Amt :") + money(t.tcsBase) + QStringLiteral(" * ") + numberText(b.tcsPercent) +
             QStringLiteral(" % )"));
    if (t.tds > Decimal()) {
        const QString tdsDesc = QStringLiteral("TDS Rec. ") + reference + QStringLiteral("  (") + money(t.taxable) + QStringLiteral(" * ") +
                                numberText(b.tdsPercent) + QStringLiteral(" % )");
        line(b.partyId, QLatin1Char('C'), t.tds, tdsDesc);
        line(book.tdsAccount, QLatin1Char('D'), t.tds, tdsDesc);
    }
    ledger::Journal(db_, session_).post(doc, ledger::Replace::WholeJournal);
}

std::optional<qint64> SalesInvoices::save(SalesBill& bill) {
    if (refuseWhenYearClosed(session_, messages_)) return std::nullopt;
    const auto p = bill.partyId > 0 ? party(bill.partyId) : std::nullopt;
    const auto bk = bill.bookNo > 0 ? book(bill.bookNo) : std::nullopt;
    if (!p || !bk) {
        refuseMissingPartyOrQuality(messages_);
        return std::nullopt;
    }
    const ComputedBill computed = compute(bill);
    if (!validate(bill, computed, *bk, *p)) return std::nullopt;
    try {
        db::Transaction tx(db_);
        db_.lockSeries(QStringLiteral("SalBillMst.BillNO"));
        Decimal paid;
        if (bill.id > 0) {
            const auto old = db_.queryOne(QStringLiteral("SELECT PartyID, PaidAmt FROM SalBillMst WHERE Id = ? AND FirmNO = ?"),
                                          {bill.id, session_.firmNo});
            if (!old) {
                messages_.critical(QStringLiteral("System Validation"), QStringLiteral("This Invoice is not found; it may have been deleted."));
                return std::nullopt;
            }
            paid = Decimal::fromVariant(old->value(QStringLiteral("PaidAmt")));
            if (paid > Decimal() && old->integer(QStringLiteral("PartyID")) != bill.partyId) {
                messages_.critical(QStringLiteral("No Party Name Change"),
                                   QStringLiteral("This Invoice Payment is Done") + QLatin1Char('\n') + QStringLiteral(" First Delete Account Payment Entry !"));
                return std::nullopt;
            }
            releaseChallans(bill.id);
        }
        if (billNoTaken(bill)) {
            messages_.critical(QStringLiteral("Bill NO Duplication"), QStringLiteral("This Bill NO is Already exist!"));
            return std::nullopt;
        }
        if (!challansFree(bill)) return std::nullopt;
        const qint64 previousId = bill.id;
        if (bill.id <= 0) bill.id = db_.nextKey(kMst, QStringLiteral("Id"));
        try {
            writeHeader(bill, computed, paid);
            writeLines(bill, computed);
            markChallansSold(bill);
            post(bill, computed, *bk, *p);
            tx.commit();
        } catch (...) {
            bill.id = previousId;
            throw;
        }
    } catch (const ledger::PostingRefused& refused) {
        messages_.critical(ledger::ledgerNotSavedTitle(), refused.text());
        return std::nullopt;
    } catch (const db::DbError& error) {
        messages_.critical(ledger::ledgerNotSavedTitle(), ledger::ledgerProblemText());
        return std::nullopt;
    }
    messages_.information(QStringLiteral("SAVE Confirmation"), QStringLiteral("ONE TRANSACTION IS SAVED"));
    return bill.id;
}

bool SalesInvoices::remove(qint64 id) {
    if (refuseWhenYearClosed(session_, messages_)) return false;
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
        db_.lockSeries(QStringLiteral("SalBillMst.BillNO"));
        // A receipt may have settled the bill since the question was asked.
        if (Decimal::fromVariant(db_.scalar(QStringLiteral("SELECT PaidAmt FROM SalBillMst WHERE Id = ?"), {id})) > Decimal()) {
            messages_.critical(QStringLiteral("Delete Confirmation"),
                               QStringLiteral("This Invoice Payment is Done") + QLatin1Char('\n') + QStringLiteral(" First Delete Account Payment Entry !"));
            return false;
        }
        releaseChallans(id);
        db_.exec(QStringLiteral("DELETE FROM SalBillDtl WHERE BillMstId = ?"), {id});
        db_.exec(QStringLiteral("DELETE FROM SalBillMst WHERE Id = ?"), {id});
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
    b.bookNo = h->integer(QStringLiteral("BookNO"));
    b.billNo = h->text(QStringLiteral("BillNO"));
    b.date = h->date(QStringLiteral("BillDate"));
    b.partyId = h->integer(QStringLiteral("PartyID"));
    b.deliveryId = h->integer(QStringLiteral("DeliId"));
    b.consigneeId = h->integer(QStringLiteral("ConSId"));
    b.brokerId = h->integer(QStringLiteral("BrokerId"));
    b.creditDays = int(h->integer(QStringLiteral("CrDays")));
    b.challanNo = h->integer(QStringLiteral("ChNo"));
    b.challanDate = h->text(QStringLiteral("Ch1"));
    b.doNo = h->text(QStringLiteral("Grade"));
    b.orderDate = h->text(QStringLiteral("Ch2"));
    b.notes = h->text(QStringLiteral("Notes"));
    b.invoiceType = h->text(QStringLiteral("BillType"));
    if (b.invoiceType.isEmpty()) b.invoiceType = h->text(QStringLiteral("InvType"));
    b.invoiceTypeId = h->integer(QStringLiteral("PurTypeId"));
    b.returnPercent = Decimal::fromVariant(h->value(QStringLiteral("DiscP")));
    b.returnAmount = Decimal::fromVariant(h->value(QStringLiteral("DiscRs")));
    b.tdsPercent = Decimal::fromVariant(h->value(QStringLiteral("TDSP")));
    b.tcsPercent = Decimal::fromVariant(h->value(QStringLiteral("TCSP")));
    b.otherCharges = Decimal::fromVariant(h->value(QStringLiteral("OtherP")));
    b.ewayBillNo = h->text(QStringLiteral("AGAINST"));
    b.truckNo = h->text(QStringLiteral("TrNO"));
    b.lrNo = h->text(QStringLiteral("LrNo"));
    b.lrDate = h->date(QStringLiteral("LrDt"));
    b.transport = h->text(QStringLiteral("Transport"));
    b.transporterId = h->text(QStringLiteral("T_LrTrans_Id"));
    b.vehicleNo = h->text(QStringLiteral("T_VehNO"));
    b.packing = h->text(QStringLiteral("Packng"));
    b.caseNo = h->integer(QStringLiteral("CaseNO"));
    b.extraName1 = h->text(QStringLiteral("SalPartyName"));
    b.extraName2 = h->text(QStringLiteral("SalPartyName1"));
    b.shippingNo = h->text(QStringLiteral("Ret_Reason"));
    b.shippingDate = h->date(QStringLiteral("Sal_Bill_Dt"));
    b.cashPaid = Decimal::fromVariant(h->value(QStringLiteral("PaidcashAmt")));
    b.cashBookNo = h->integer(QStringLiteral("CashBookNO"));
    b.cashRemark = h->text(QStringLiteral("CashRem"));
    b.audited = h->flag(QStringLiteral("Is_Audit"));
    b.billFrom = int(h->integer(QStringLiteral("Bill_From")));
    b.opening = h->integer(QStringLiteral("IsOp")) == -1;
    if (b.opening) b.pendingAmount = Decimal::fromVariant(h->value(QStringLiteral("BillAmount")));
    db_.forEach(QStringLiteral("SELECT d.*, p.VatCalc, p.Vat, p.AddTax FROM SalBillDtl d LEFT JOIN ProdMst p ON p.Id = d.PCode "
                               "WHERE d.BillMstId = ? ORDER BY d.Srno"),
                {id}, [&](const db::Row& r) {
        SalesLine line;
        line.qualityId = r.integer(QStringLiteral("PCode"));
        line.description = r.text(QStringLiteral("R3"));
        line.remark1 = r.text(QStringLiteral("R1"));
        line.remark2 = r.text(QStringLiteral("R2"));
        InvoiceLineInput& in = line.input;
        in.pieces = Decimal::fromVariant(r.value(QStringLiteral("Qty2")));
        in.cut = Decimal::fromVariant(r.value(QStringLiteral("Qty1")));
        in.metres = Decimal::fromVariant(r.value(QStringLiteral("Qty")));
        in.rateOn = r.text(QStringLiteral("PM"));
        in.discountPercent = Decimal::fromVariant(r.value(QStringLiteral("CDP")));
        in.secondDiscountPercent = Decimal::fromVariant(r.value(QStringLiteral("CDP1")));
        if (in.secondDiscountPercent.isZero()) in.secondDiscountAmount = Decimal::fromVariant(r.value(QStringLiteral("CDRs1")));
        const bool igstLine = Decimal::fromVariant(r.value(QStringLiteral("IGSTP"))) > Decimal();
        // The item's own split, so the bill computes again whatever the party's state is now.
        in.sgstPercent = Decimal::fromVariant(r.value(QStringLiteral("Vat")));
        in.cgstPercent = Decimal::fromVariant(r.value(QStringLiteral("AddTax")));
        if (r.value(QStringLiteral("Vat")).isNull()) {
            const Decimal first = Decimal::fromVariant(r.value(QStringLiteral("DVatP")));
            in.sgstPercent = igstLine ? first / Decimal(2) : first;
            in.cgstPercent = igstLine ? first / Decimal(2) : Decimal::fromVariant(r.value(QStringLiteral("DATaxP")));
        }
        in.gstCalc = r.value(QStringLiteral("VatCalc")).isNull() ? 1 : int(r.integer(QStringLiteral("VatCalc")));
        // The stored list rate is already without GST: keep the stored net rate exactly.
        in.listRate = Decimal::fromVariant(r.value(QStringLiteral("SRate")));
        if (in.gstCalc != 1) {
            in.gstCalc = 1;
            in.netRate = Decimal::fromVariant(r.value(QStringLiteral("Rate")));
        } else if (in.discountPercent.isZero() && in.secondDiscountPercent.isZero() &&
                   Decimal::fromVariant(r.value(QStringLiteral("Rate"))) != in.listRate) {
            in.netRate = Decimal::fromVariant(r.value(QStringLiteral("Rate")));
        }
        line.challanId = r.integer(QStringLiteral("DChId"));
        line.challanSrno = r.integer(QStringLiteral("DchIdSno"));
        line.extraQty3 = Decimal::fromVariant(r.value(QStringLiteral("Qty3")));
        line.extraQty4 = Decimal::fromVariant(r.value(QStringLiteral("Qty4")));
        b.lines.push_back(line);
    });
    return b;
}

bool SalesInvoices::renumber(qint64 id) {
    if (refuseWhenYearClosed(session_, messages_)) return false;
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
    try {
        db::Transaction tx(db_);
        db_.lockSeries(QStringLiteral("SalBillMst.BillNO"));
        bill->billNo = newNo;
        if (billNoTaken(*bill)) {
            messages_.critical(QStringLiteral("Bill NO Duplication"), QStringLiteral("This Bill NO is Already exist!"));
            return false;
        }
        db_.exec(QStringLiteral("UPDATE SalBillMst SET BillNO = ?, Is_Upload = 0 WHERE Id = ?"), {fitted(kMst, QStringLiteral("BillNO"), newNo), id});
        db_.exec(QStringLiteral("UPDATE Bill_Party_Rate SET BillNO = ? WHERE BillId = ? AND BType = 'B'"),
                 {fitted(QStringLiteral("Bill_Party_Rate"), QStringLiteral("BillNO"), newNo), id});
        post(*bill, compute(*bill), *bk, *p);
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

void SalesInvoices::setAudited(qint64 id, bool audited) {
    db_.exec(QStringLiteral("UPDATE SalBillMst SET Is_Audit = ?, Is_Upload = 0 WHERE Id = ? AND FirmNO = ?"), {audited, id, session_.firmNo});
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
    if (refuseWhenYearClosed(session_, messages_)) return std::nullopt;
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
    db::Transaction tx(db_);
    Decimal paid;
    if (bill.id > 0)
        paid = Decimal::fromVariant(db_.scalar(QStringLiteral("SELECT PaidAmt FROM SalBillMst WHERE Id = ?"), {bill.id}));
    else
        bill.id = db_.nextKey(kMst, QStringLiteral("Id"));
    writeHeader(bill, computed, paid);
    db_.exec(QStringLiteral("DELETE FROM Acc_OutSt WHERE VouNo = 0 AND BillId = ? AND Book = 'S'"), {bill.id});
    const qint64 rowId = db_.nextKey(QStringLiteral("Acc_OutSt"), QStringLiteral("ID"));
    db_.exec(QStringLiteral("INSERT INTO Acc_OutSt (ID, Srno, VouNo, TableCode, VouSrno, BillId, Paid_Amt, Minus_Amt, Plus_Amt, IsEnd, Book, "
                            "Fno, IsJV, VDate, AcId, BookName, IType, BNo, BillDt, BillAmt) "
                            "VALUES (?, 1, 0, 3, 0, ?, 0, 0, 0, 0, 'S', ?, 0, ?, ?, ?, ?, ?, ?, ?)"),
             {rowId, bill.id, session_.firmNo, QVariant(bill.date), bill.partyId, bill.bookNo, bill.invoiceType.left(1),
              fitted(QStringLiteral("Acc_OutSt"), QStringLiteral("BNo"), bill.billNo), QVariant(bill.date), computed.totals.net.toDouble()});
    tx.commit();
    messages_.information(QStringLiteral("SAVE Confirmation"), QStringLiteral("ONE TRANSACTION IS SAVED"));
    return bill.id;
}

bool SalesInvoices::removeOpening(qint64 id) {
    if (refuseWhenYearClosed(session_, messages_)) return false;
    if (db_.scalar(QStringLiteral("SELECT count(*) FROM SalBillMst WHERE Id = ? AND IsOp = -1 AND FirmNO = ?"), {id, session_.firmNo}).toInt() == 0)
        return false;
    if (!messages_.ask(QStringLiteral("Delete Confirmation"), QStringLiteral("Are you sure to delete this Invoice"))) return false;
    db::Transaction tx(db_);
    db_.exec(QStringLiteral("DELETE FROM Acc_OutSt WHERE VouNo = 0 AND BillId = ? AND Book = 'S'"), {id});
    db_.exec(QStringLiteral("DELETE FROM SalBillMst WHERE Id = ?"), {id});
    db_.exec(QStringLiteral("INSERT INTO Table_Del_History (Id, FirmNO, FormId) VALUES (?, ?, 3)"), {id, session_.firmNo});
    tx.commit();
    messages_.information(QStringLiteral("Delete Confirmation"), QStringLiteral("Invoice  IS Deleted!"));
    return true;
}

}  // namespace tanabana::trade
