#include "domain/trade/PurchaseInvoices.h"

#include "core/Rights.h"
#include "core/Words.h"
#include "core/YearLock.h"
#include "domain/documents/Deletion.h"
#include "domain/ledger/Journal.h"
#include "domain/masters/RowWriter.h"
#include "domain/trade/DocumentRules.h"

#include <QSet>

namespace tanabana::trade {

namespace {

const QString kMst = QStringLiteral("BillMst");
const QString kDtl = QStringLiteral("BillDtl");
const QString kTakas = QStringLiteral("BillMst_TakaDetail");
constexpr int kPurchase = ledger::DocumentType::Purchase;

// Groups whose accounts never sell services to the firm: trading and stock accounts, sales parties,
// cash and bank, capital, suppliers of goods and job workers, duties and taxes.
const QString kNotExpenseParties = QStringLiteral("1, 2, 3, 17, 18, 24, 25, 30, 32, 33, 35, 36, 37, 72, 73, 74, 75, 76, 77, 78, 82, 85");

QString stateCode(const QString& stateOrGstin) {
    const QString t = stateOrGstin.trimmed();
    return t.size() >= 2 && t.at(0).isDigit() && t.at(1).isDigit() ? t.left(2) : QString();
}

QString kindCondition(PurchaseKind kind) {
    switch (kind) {
    case PurchaseKind::Goods: return QStringLiteral("m.GenPurAccId = 0");
    case PurchaseKind::Expense: return QStringLiteral("m.GenPurAccId > 0 AND m.IsGP_M = 0");
    case PurchaseKind::ExpenseLines: return QStringLiteral("m.GenPurAccId > 0 AND m.IsGP_M = 1");
    }
    return QStringLiteral("1 = 1");
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

}  // namespace

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
    const QString groups = kind == PurchaseKind::Goods ? QStringLiteral("GrpNo IN (76, 77, 79, 80)")
                                                       : QStringLiteral("GrpNo NOT IN (") + kNotExpenseParties + QLatin1Char(')');
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
    QString partyState = stateCode(r->text(QStringLiteral("CSTNo")));
    if (partyState.isEmpty()) partyState = stateCode(s.gstin);
    QString firmState = stateCode(firmSetting(session_, QStringLiteral("CST")).toString());
    if (firmState.isEmpty()) firmState = stateCode(firmSetting(session_, QStringLiteral("Tin")).toString());
    s.otherState = r->flag(QStringLiteral("IsOgs")) || (!partyState.isEmpty() && !firmState.isEmpty() && partyState != firmState);
    return s;
}

bool PurchaseInvoices::isExpenseAccount(qint64 accountId) {
    return db_.scalar(QStringLiteral("SELECT count(*) FROM AccMst WHERE Id = ? AND FirmNo = ? AND IsGrp = 0 AND Active = 1"),
                      {accountId, session_.firmNo})
               .toInt() > 0;
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
    return computePurchase(bill, s.value_or(Supplier{}), firmFlag(session_, QStringLiteral("Is_Pur_RndOff")));
}

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
    return true;
}

void PurchaseInvoices::writeHeader(const PurchaseBill& b, const ComputedPurchase& c, Decimal paid, bool gstToRupees) {
    const InvoiceTotals& t = c.totals;
    const bool roundOffKept = firmFlag(session_, QStringLiteral("Is_Pur_RndOff"));
    const Decimal amount = b.opening ? b.pendingAmount.roundHalfEven(2) : t.net;
    QVariantMap row{
        {QStringLiteral("BillSrno"), b.serial},
        {QStringLiteral("FirmNO"), session_.firmNo},
        {QStringLiteral("FormId"), kPurchase},
        {QStringLiteral("BookId"), b.bookId},
        {QStringLiteral("BillNO"), b.billNo.trimmed()},
        {QStringLiteral("BillDate"), QVariant(b.date)},
        {QStringLiteral("PartyID"), b.partyId},
        {QStringLiteral("CrDays"), b.creditDays},
        {QStringLiteral("PDueDate"), QVariant(b.date.addDays(b.creditDays))},
        {QStringLiteral("InvType"), b.invoiceType.trimmed().left(1).toUpper()},
        {QStringLiteral("PurTypeId"), 0},
        {QStringLiteral("Amt"), t.goods().toDouble()},
        {QStringLiteral("TotAmt"), t.taxable.toDouble()},
        {QStringLiteral("VatRs"), t.sgst.toDouble()},
        {QStringLiteral("ATAXRs"), t.cgst.toDouble()},
        {QStringLiteral("CSTRs"), t.igst.toDouble()},
        {QStringLiteral("OtherP"), t.otherCharges.toDouble()},
        {QStringLiteral("OtherP1"), roundOffKept ? t.roundOff.toDouble() : 0.0},
        {QStringLiteral("TDSP"), b.tdsPercent.toDouble()},
        {QStringLiteral("TDSRs"), t.tds.toDouble()},
        {QStringLiteral("TCSP"), b.tcsPercent.toDouble()},
        {QStringLiteral("TCSRs"), t.tcs.toDouble()},
        {QStringLiteral("BillAmount"), amount.toDouble()},
        {QStringLiteral("AGAINST"), b.ewayBillNo.trimmed()},
        {QStringLiteral("Notes"), b.notes.trimmed()},
        {QStringLiteral("LotNO"), b.lotNo.trimmed()},
        {QStringLiteral("BrokerId"), b.brokerId},
        {QStringLiteral("LrNo"), b.lrNo.trimmed()},
        {QStringLiteral("LrDate"), QVariant(b.lrDate)},
        {QStringLiteral("CaseNO"), b.caseNo.trimmed()},
        {QStringLiteral("TransportName"), b.transport.trimmed()},
        {QStringLiteral("GenPurAccId"), b.kind == PurchaseKind::Goods ? 0 : b.expenseAccountId},
        {QStringLiteral("IsGP_M"), b.kind == PurchaseKind::ExpenseLines},
        {QStringLiteral("RCM_ID"), b.reverseChargeId},
        {QStringLiteral("RCM_BillNO"), b.reverseChargeBillNo.trimmed()},
        {QStringLiteral("RCM_JVNO"), b.reverseChargeJournalNo},
        {QStringLiteral("Is_SkipGst"), b.skipGst},
        {QStringLiteral("PaidAmt"), paid.toDouble()},
        {QStringLiteral("UnPaidAmt"), (amount - t.tds - paid).roundHalfEven(2).toDouble()},
        {QStringLiteral("IsOp"), b.opening ? -1 : 0},
        {QStringLiteral("Is_Audit"), b.audited},
        {QStringLiteral("Is_Upload"), false},
        {QStringLiteral("Is_Item_RNd"), gstToRupees ? 2 : 1},
    };
    if (masters::updateRow(db_, kMst, row, QStringLiteral("Id = ?"), {b.id}) > 0) return;
    row.insert(QStringLiteral("Id"), b.id);
    masters::insertRow(db_, kMst, row);
}

void PurchaseInvoices::writeLines(const PurchaseBill& b, const ComputedPurchase& c) {
    db_.exec(QStringLiteral("DELETE FROM BillDtl WHERE BillMstId = ?"), {b.id});
    size_t computedIndex = 0;
    int srno = 0;
    for (const PurchaseLine& line : b.lines) {
        if (line.qualityId <= 0 && b.kind != PurchaseKind::Expense) continue;
        const InvoiceLine& l = c.lines.at(computedIndex++);
        const InvoiceLineInput& in = line.input;
        const bool perPiece = in.rateOn.trimmed().toUpper() == QStringLiteral("P");
        masters::insertRow(db_, kDtl,
                           {{QStringLiteral("BillMstId"), b.id},
                            {QStringLiteral("Srno"), ++srno},
                            {QStringLiteral("PCode"), line.qualityId},
                            {QStringLiteral("Qty2"), in.pieces.roundHalfEven(3).toDouble()},
                            {QStringLiteral("Qty1"), line.count.roundHalfEven(3).toDouble()},
                            {QStringLiteral("PQty"), in.metres.roundHalfEven(3).toDouble()},
                            {QStringLiteral("PM"), perPiece ? QStringLiteral("P") : QStringLiteral("M")},
                            {QStringLiteral("PRate1"), in.listRate.roundHalfEven(4).toDouble()},
                            {QStringLiteral("PRate"), l.rate.toDouble()},
                            {QStringLiteral("PAmt"), l.amount.toDouble()},
                            {QStringLiteral("CDP"), in.discountPercent.toDouble()},
                            {QStringLiteral("CDRs"), l.discountAmount.toDouble()},
                            {QStringLiteral("Freight_D"), l.freight.toDouble()},
                            {QStringLiteral("VatPD"), l.tax1Percent.toDouble()},
                            {QStringLiteral("ATaxPD"), l.tax2Percent.toDouble()},
                            {QStringLiteral("VatRsD"), l.tax1Amount.toDouble()},
                            {QStringLiteral("ATaxRsD"), l.tax2Amount.toDouble()},
                            {QStringLiteral("IGSTP"), l.igstPercent().toDouble()},
                            {QStringLiteral("IGSTRs"), l.igstAmount().toDouble()},
                            {QStringLiteral("TotAmtD"), l.lineTotal.toDouble()},
                            {QStringLiteral("Issue_Taka"), line.issuedTakas},
                            {QStringLiteral("Issue_Mtrs"), line.issuedMetres.toDouble()},
                            {QStringLiteral("BillNetAmt"), l.lineTotal.toDouble()}});
        if (line.qualityId > 0)
            db_.exec(QStringLiteral("UPDATE ProdMst SET PurRate = ?, Is_Upload = 0 WHERE FirmNO = ? AND Id = ?"),
                     {l.rate.toDouble(), session_.firmNo, line.qualityId});
    }
}

void PurchaseInvoices::writeTakas(const PurchaseBill& b) {
    // Takas that went to a mill stay marked through a re-save.
    QSet<QString> issued;
    for (const db::Row& r : db_.query(QStringLiteral("SELECT TakaNO FROM BillMst_TakaDetail WHERE BillMst_Id = ? AND Is_Issued = 1"), {b.id}))
        issued.insert(r.text(QStringLiteral("TakaNO")).trimmed().toUpper());
    db_.exec(QStringLiteral("DELETE FROM BillMst_TakaDetail WHERE BillMst_Id = ?"), {b.id});
    if (!keepsTakas()) return;
    int srno = 0;
    for (const PurchaseTaka& taka : b.takas) {
        if (taka.takaNo.trimmed().isEmpty()) continue;
        masters::insertRow(db_, kTakas,
                           {{QStringLiteral("Srno"), ++srno},
                            {QStringLiteral("TakaNO"), taka.takaNo.trimmed()},
                            {QStringLiteral("Mtrs"), taka.metres.roundHalfEven(3).toDouble()},
                            {QStringLiteral("BillMst_Id"), b.id},
                            {QStringLiteral("BillSrno"), 1},
                            {QStringLiteral("Is_Issued"), taka.issued || issued.contains(taka.takaNo.trimmed().toUpper())}});
    }
}

std::optional<qint64> PurchaseInvoices::save(PurchaseBill& bill) {
    if (yearLockRefuses(session_, messages_)) return std::nullopt;
    if (rightRefuses(session_, messages_, bill.id > 0 ? GeneralRight::Modify : GeneralRight::New)) return std::nullopt;
    const auto s = bill.partyId > 0 ? supplier(bill.partyId, bill.kind) : std::nullopt;
    const auto bk = bill.bookId > 0 ? book(bill.bookId) : std::nullopt;
    if (!s || !bk || bk->generalPurchase != (bill.kind != PurchaseKind::Goods)) {
        messages_.critical(QStringLiteral("System Validation"), QStringLiteral("Please Select Distributor NAme and Enter Invoice No"));
        return std::nullopt;
    }
    const ComputedPurchase computed = computePurchase(bill, *s, firmFlag(session_, QStringLiteral("Is_Pur_RndOff")));
    if (!validate(bill, computed, *bk)) return std::nullopt;
    const qint64 previousId = bill.id, previousSerial = bill.serial;
    try {
        db::Transaction tx(db_);
        db_.lockSeries(QStringLiteral("BillMst.Id"));
        Decimal paid;
        if (bill.id > 0) {
            const auto old = db_.queryOne(QStringLiteral("SELECT PartyID, PaidAmt, BillSrno, IsOp FROM BillMst WHERE Id = ? AND FirmNO = ? AND FormId = 1"),
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
        }
        const auto existing = billOfParty(bill.partyId, bill.billNo, bill.kind);
        if (existing && *existing != bill.id) {
            messages_.critical(QStringLiteral("Bill NO Duplication"), QStringLiteral("This Bill NO is Already exist!"));
            return std::nullopt;
        }
        try {
            if (bill.id <= 0) bill.id = db_.nextKey(kMst, QStringLiteral("Id"));
            // The serial runs over the purchase bills of every firm.
            if (bill.serial <= 0) bill.serial = db_.nextKey(kMst, QStringLiteral("BillSrno"), QStringLiteral("FormId = 1"));
            writeHeader(bill, computed, paid, s->gstToRupees);
            writeLines(bill, computed);
            writeTakas(bill);
            ledger::Journal(db_, session_).post(purchaseJournal(bill, computed, *bk, *s), ledger::Replace::WholeJournal);
            tx.commit();
        } catch (...) {
            bill.id = previousId;
            bill.serial = previousSerial;
            throw;
        }
    } catch (const ledger::PostingRefused& refused) {
        messages_.critical(ledger::ledgerNotSavedTitle(), refused.text());
        return std::nullopt;
    } catch (const db::DbError&) {
        messages_.critical(ledger::ledgerNotSavedTitle(), ledger::ledgerProblemText());
        return std::nullopt;
    }
    messages_.information(QStringLiteral("Save Confirmation"), QStringLiteral("ONE TRANSACTION IS SAVED"));
    return bill.id;
}

int PurchaseInvoices::calculateReverseCharge(const QDate& date) {
    if (yearLockRefuses(session_, messages_)) return 0;
    if (rightRefuses(session_, messages_, GeneralRight::Modify)) return 0;
    const ReverseChargeDay day = reverseChargeDay(date);
    const QString dayText = date.toString(QStringLiteral("dd-MM-yyyy"));
    if (day.all <= day.limit) {
        messages_.information(QStringLiteral("RCM Not Calculate"), QStringLiteral("Reverse charge purchases of ") + dayText + QStringLiteral(" : ") +
                                                                       day.all.toString(2) + QStringLiteral(" are within the limit of ") +
                                                                       day.limit.toString(2));
        return 0;
    }
    int changed = 0;
    try {
        db::Transaction tx(db_);
        db_.lockSeries(QStringLiteral("BillMst.Id"));
        qint64 next = db_.nextKey(kMst, QStringLiteral("RCM_ID"), QStringLiteral("FirmNO = ?"), {session_.firmNo});
        const db::Rows bills = db_.query(QStringLiteral("SELECT m.Id FROM BillMst m INNER JOIN AccMst a ON a.Id = m.PartyID WHERE a.Is_RevCh = 1 "
                                                        "AND m.BillDate = ? AND m.FormId = 1 AND m.IsOp = 0 AND m.FirmNO = ? AND m.RCM_ID = 0 "
                                                        "AND m.VatRs + m.ATAXRs + m.CSTRs > 0 AND m.PaidAmt = 0 ORDER BY m.Id"),
                                         {QVariant(date), session_.firmNo});
        for (const db::Row& row : bills) {
            auto bill = load(row.integer(QStringLiteral("Id")));
            const auto s = bill ? supplier(bill->partyId, bill->kind) : std::nullopt;
            const auto bk = bill ? book(bill->bookId) : std::nullopt;
            if (!bill || !s || !bk) continue;
            bill->reverseChargeId = next;
            bill->reverseChargeBillNo = QStringLiteral("RCM/") + QString::number(next);
            ++next;
            const ComputedPurchase computed = computePurchase(*bill, *s, firmFlag(session_, QStringLiteral("Is_Pur_RndOff")));
            writeHeader(*bill, computed, Decimal(), s->gstToRupees);
            ledger::Journal(db_, session_).post(purchaseJournal(*bill, computed, *bk, *s), ledger::Replace::WholeJournal);
            ++changed;
        }
        tx.commit();
    } catch (const ledger::PostingRefused& refused) {
        messages_.critical(ledger::ledgerNotSavedTitle(), refused.text());
        return 0;
    } catch (const db::DbError&) {
        messages_.critical(ledger::ledgerNotSavedTitle(), ledger::ledgerProblemText());
        return 0;
    }
    messages_.information(QStringLiteral("RCM Calculate"), QStringLiteral("Reverse charge of ") + dayText + QStringLiteral(" : ") +
                                                               QString::number(changed) + QStringLiteral(" bills"));
    return changed;
}

bool PurchaseInvoices::refusePaid(qint64 id, const QString& title) {
    const Decimal paid = Decimal::fromVariant(db_.scalar(QStringLiteral("SELECT PaidAmt FROM BillMst WHERE Id = ?"), {id}));
    if (paid <= Decimal()) return false;
    messages_.critical(title, paymentDoneText(paid));
    return true;
}

bool PurchaseInvoices::remove(qint64 id) {
    if (yearLockRefuses(session_, messages_)) return false;
    if (rightRefuses(session_, messages_, GeneralRight::Delete)) return false;
    const auto h = db_.queryOne(QStringLiteral("SELECT RCM_JVNO, IsOp FROM BillMst WHERE Id = ? AND FirmNO = ? AND FormId = 1"), {id, session_.firmNo});
    if (!h || h->integer(QStringLiteral("IsOp")) != 0) return false;
    if (const qint64 journal = h->integer(QStringLiteral("RCM_JVNO")); journal > 0) {
        messages_.critical(QStringLiteral("Delete Not Possible"), QStringLiteral("Invoice Reverse Charge Entry is Entered in ") + QLatin1Char('\n') +
                                                                      QStringLiteral(" Journal No : ") + QString::number(journal));
        return false;
    }
    if (refusePaid(id, QStringLiteral("Delete Confirmation"))) return false;
    if (!messages_.ask(QStringLiteral("Delete Confirmation"), QStringLiteral("Are You Sure to Permanently Delete This Invoice ?"))) return false;
    try {
        db::Transaction tx(db_);
        db_.lockSeries(QStringLiteral("BillMst.Id"));
        // A payment may have settled the bill since the question was asked.
        if (refusePaid(id, QStringLiteral("Delete Confirmation"))) return false;
        db_.exec(QStringLiteral("DELETE FROM BillMst_TakaDetail WHERE BillMst_Id = ?"), {id});
        db_.exec(QStringLiteral("DELETE FROM BillDtl WHERE BillMstId = ?"), {id});
        db_.exec(QStringLiteral("DELETE FROM BillMst WHERE Id = ?"), {id});
        ledger::Journal(db_, session_).removeDocument(kPurchase, id);
        tx.commit();
    } catch (const db::DbError&) {
        messages_.critical(ledger::ledgerNotSavedTitle(), ledger::ledgerProblemText());
        return false;
    }
    messages_.information(QStringLiteral("Delete Confirmation"), QStringLiteral("Purchase Invoice Is Deleted!"));
    return true;
}

std::optional<PurchaseBill> PurchaseInvoices::load(qint64 id) {
    const auto h = db_.queryOne(QStringLiteral("SELECT * FROM BillMst WHERE Id = ? AND FirmNO = ? AND FormId = 1"), {id, session_.firmNo});
    if (!h) return std::nullopt;
    PurchaseBill b;
    b.id = id;
    b.serial = h->integer(QStringLiteral("BillSrno"));
    const qint64 expense = h->integer(QStringLiteral("GenPurAccId"));
    b.kind = expense <= 0 ? PurchaseKind::Goods : h->flag(QStringLiteral("IsGP_M")) ? PurchaseKind::ExpenseLines : PurchaseKind::Expense;
    b.expenseAccountId = expense;
    b.bookId = h->integer(QStringLiteral("BookId"));
    b.billNo = h->text(QStringLiteral("BillNO"));
    b.date = h->date(QStringLiteral("BillDate"));
    b.partyId = h->integer(QStringLiteral("PartyID"));
    b.creditDays = int(h->integer(QStringLiteral("CrDays")));
    b.invoiceType = h->text(QStringLiteral("InvType"));
    b.brokerId = h->integer(QStringLiteral("BrokerId"));
    b.transport = h->text(QStringLiteral("TransportName"));
    b.caseNo = h->text(QStringLiteral("CaseNO"));
    b.lrNo = h->text(QStringLiteral("LrNo"));
    b.lrDate = h->date(QStringLiteral("LrDate"));
    b.lotNo = h->text(QStringLiteral("LotNO"));
    b.ewayBillNo = h->text(QStringLiteral("AGAINST"));
    b.notes = h->text(QStringLiteral("Notes"));
    b.tdsPercent = Decimal::fromVariant(h->value(QStringLiteral("TDSP")));
    b.tcsPercent = Decimal::fromVariant(h->value(QStringLiteral("TCSP")));
    b.reverseChargeId = h->integer(QStringLiteral("RCM_ID"));
    b.reverseChargeBillNo = h->text(QStringLiteral("RCM_BillNO"));
    b.reverseChargeJournalNo = h->integer(QStringLiteral("RCM_JVNO"));
    b.skipGst = h->flag(QStringLiteral("Is_SkipGst"));
    b.audited = h->flag(QStringLiteral("Is_Audit"));
    b.opening = h->integer(QStringLiteral("IsOp")) == -1;
    if (b.opening) b.pendingAmount = Decimal::fromVariant(h->value(QStringLiteral("BillAmount")));
    // A charge of less than a rupee is the round-off the save puts there again.
    const Decimal other = Decimal::fromVariant(h->value(QStringLiteral("OtherP")));
    if (other.abs() >= Decimal(1) || !firmFlag(session_, QStringLiteral("Is_Pur_RndOff"))) b.otherCharges = other;
    db_.forEach(QStringLiteral("SELECT * FROM BillDtl WHERE BillMstId = ? ORDER BY Srno"), {id}, [&](const db::Row& r) {
        PurchaseLine line;
        line.qualityId = r.integer(QStringLiteral("PCode"));
        line.count = Decimal::fromVariant(r.value(QStringLiteral("Qty1")));
        line.issuedTakas = int(r.integer(QStringLiteral("Issue_Taka")));
        line.issuedMetres = Decimal::fromVariant(r.value(QStringLiteral("Issue_Mtrs")));
        InvoiceLineInput& in = line.input;
        in.pieces = Decimal::fromVariant(r.value(QStringLiteral("Qty2")));
        in.metres = Decimal::fromVariant(r.value(QStringLiteral("PQty")));
        in.rateOn = r.text(QStringLiteral("PM"));
        in.discountPercent = Decimal::fromVariant(r.value(QStringLiteral("CDP")));
        in.freight = Decimal::fromVariant(r.value(QStringLiteral("Freight_D")));
        // The bill keeps the GST rates it was saved with, whatever the item says today.
        const Decimal igst = Decimal::fromVariant(r.value(QStringLiteral("IGSTP")));
        if (igst > Decimal()) {
            in.sgstPercent = igst / Decimal(2);
            in.cgstPercent = igst - in.sgstPercent;
        } else {
            in.sgstPercent = Decimal::fromVariant(r.value(QStringLiteral("VatPD")));
            in.cgstPercent = Decimal::fromVariant(r.value(QStringLiteral("ATaxPD")));
        }
        // The stored net rate is what the operator agreed: keep it exactly on a re-save.
        in.listRate = Decimal::fromVariant(r.value(QStringLiteral("PRate1")));
        const Decimal rate = Decimal::fromVariant(r.value(QStringLiteral("PRate")));
        const Decimal undiscounted = (in.listRate - in.listRate.percent(in.discountPercent)).roundHalfEven(4);
        in.gstCalc = rate == undiscounted ? 1 : 2;
        b.lines.push_back(line);
    });
    db_.forEach(QStringLiteral("SELECT TakaNO, Mtrs, Is_Issued FROM BillMst_TakaDetail WHERE BillMst_Id = ? ORDER BY Srno"), {id},
                [&](const db::Row& r) {
                    b.takas.push_back({r.text(QStringLiteral("TakaNO")), Decimal::fromVariant(r.value(QStringLiteral("Mtrs"))),
                                       r.flag(QStringLiteral("Is_Issued"))});
                });
    return b;
}

void PurchaseInvoices::setAudited(qint64 id, bool audited) {
    if (yearLockRefuses(session_, messages_)) return;
    db_.exec(QStringLiteral("UPDATE BillMst SET Is_Audit = ?, Is_Upload = 0 WHERE Id = ? AND FirmNO = ?"), {audited, id, session_.firmNo});
}

std::optional<qint64> PurchaseInvoices::saveOpening(PurchaseBill& bill) {
    if (yearLockRefuses(session_, messages_)) return std::nullopt;
    if (rightRefuses(session_, messages_, bill.id > 0 ? GeneralRight::Modify : GeneralRight::New)) return std::nullopt;
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
    db::Transaction tx(db_);
    db_.lockSeries(QStringLiteral("BillMst.Id"));
    Decimal paid;
    if (bill.id > 0)
        paid = Decimal::fromVariant(db_.scalar(QStringLiteral("SELECT PaidAmt FROM BillMst WHERE Id = ? AND IsOp = -1"), {bill.id}));
    else
        bill.id = db_.nextKey(kMst, QStringLiteral("Id"));
    writeHeader(bill, none, paid, false);
    documents::writeOpeningOutstanding(db_, {QStringLiteral("P"), kPurchase, bill.id, session_.firmNo, bill.partyId, bill.bookId,
                                             bill.invoiceType, bill.billNo, bill.date, bill.pendingAmount.roundHalfEven(2).toDouble()});
    tx.commit();
    messages_.information(QStringLiteral("Save Confirmation"), QStringLiteral("ONE TRANSACTION IS SAVED"));
    return bill.id;
}

bool PurchaseInvoices::removeOpening(qint64 id) {
    if (yearLockRefuses(session_, messages_)) return false;
    if (rightRefuses(session_, messages_, GeneralRight::Delete)) return false;
    if (db_.scalar(QStringLiteral("SELECT count(*) FROM BillMst WHERE Id = ? AND IsOp = -1 AND FirmNO = ?"), {id, session_.firmNo}).toInt() == 0)
        return false;
    if (refusePaid(id, QStringLiteral("Delete Confirmation"))) return false;
    if (!messages_.ask(QStringLiteral("Delete Confirmation"), QStringLiteral("Are you sure to delete this Invoice"))) return false;
    db::Transaction tx(db_);
    documents::removeOpeningOutstanding(db_, QStringLiteral("P"), id);
    documents::deleteDocument(db_, {kMst, {}, kPurchase}, id, session_.firmNo);
    tx.commit();
    messages_.information(QStringLiteral("Delete Confirmation"), QStringLiteral("Invoice  IS Deleted!"));
    return true;
}

}  // namespace tanabana::trade
