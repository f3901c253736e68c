#include "domain/returns/Adjusting.h"

#include "domain/documents/Deletion.h"
#include "domain/documents/Guard.h"
#include "domain/ledger/Journal.h"

#include <algorithm>

namespace tanabana::returns {

const ReturnKind& salesReturnKind() {
    static const ReturnKind kind{vouchers::BillBook::Sales,        ledger::DocumentType::SaleReturn,
                                 QStringLiteral("SalBillMst"),     QStringLiteral("SalBillDtl"),
                                 QStringLiteral("BookNO"),         QStringLiteral("AGAINST"),
                                 QStringLiteral("Adjust Again Sales"), QStringLiteral("Sales IS Deleted!")};
    return kind;
}

const ReturnKind& purchaseReturnKind() {
    static const ReturnKind kind{vouchers::BillBook::Purchase,        ledger::DocumentType::PurchaseReturn,
                                 QStringLiteral("BillMst"),           QStringLiteral("BillDtl"),
                                 QStringLiteral("BookId"),            QStringLiteral("Pur_Bill_No"),
                                 QStringLiteral("Adjust Again Purchase"), QStringLiteral("Invoice Is Deleted!")};
    return kind;
}

vouchers::SettlingEntry returnEntry(const ReturnKind& kind, qint64 id, const QDate& date, qint64 partyId, qint64 firmNo) {
    vouchers::SettlingEntry e;
    e.tableCode = kind.formId;
    e.voucherNo = id;
    e.serial = 1;
    e.date = date;
    e.partyId = partyId;
    e.firmNo = firmNo;
    e.byReturn = true;
    return e;
}

bool refusePaidFurther(db::Database& db, Messages& messages, const ReturnKind& kind, qint64 id, qint64 firmNo) {
    if (id <= 0) return false;
    const qint64 later =
        db.scalar(QStringLiteral("SELECT count(*) FROM Acc_OutSt r JOIN Acc_OutSt a ON a.BillId = r.BillId AND a.Book = r.Book AND a.ID > r.ID "
                                 "WHERE r.Fno = ? AND r.TableCode = ? AND r.VouNo = ? AND r.IsRet = 1"),
                  {firmNo, kind.formId, id})
            .toLongLong();
    if (later == 0) return false;
    messages.critical(kind.adjustTitle, QStringLiteral("First Delete Payment Detail"));
    return true;
}

bool refuseEarlierThanBills(db::Database& db, Messages& messages, const ReturnKind& kind, const QDate& date, const QString& sourceBillNo,
                            const QDate& sourceBillDate,
                            const std::vector<Adjustment>& adjustments) {
    auto refuse = [&](const QString& billNo) {
        messages.critical(QStringLiteral("BillDate Validate"),
                          QStringLiteral("Return Date Is Before The Date Of Bill No ") + billNo + QLatin1Char('!'));
        return true;
    };
    if (sourceBillDate.isValid() && date < sourceBillDate) return refuse(sourceBillNo.trimmed());
    for (const Adjustment& a : adjustments) {
        const auto bill = db.queryOne(QStringLiteral("SELECT BillNO, BillDate FROM %1 WHERE Id = ?").arg(kind.table), {a.billId});
        if (bill && bill->date(QStringLiteral("BillDate")).isValid() && date < bill->date(QStringLiteral("BillDate")))
            return refuse(bill->text(QStringLiteral("BillNO")).trimmed());
    }
    return false;
}

std::vector<Adjustment> adjustmentsOf(db::Database& db, const ReturnKind& kind, qint64 id, qint64 firmNo) {
    std::vector<Adjustment> out;
    db.forEach(QStringLiteral("SELECT BillId, Paid_Amt, BNo FROM Acc_OutSt WHERE Fno = ? AND TableCode = ? AND VouNo = ? AND IsRet = 1 "
                              "ORDER BY Srno, ID"),
               {firmNo, kind.formId, id}, [&](const db::Row& r) {
                   out.push_back({r.integer(QStringLiteral("BillId")), Decimal::fromVariant(r.value(QStringLiteral("Paid_Amt"))).roundHalfEven(2),
                                  r.text(QStringLiteral("BNo")).trimmed()});
               });
    return out;
}

std::vector<vouchers::OpenBill> billsToAdjust(db::Database& db, const ReturnKind& kind, qint64 firmNo, qint64 partyId, qint64 returnId) {
    std::vector<vouchers::OpenBill> bills = vouchers::openBills(db, firmNo, kind.book, partyId);
    for (const Adjustment& a : adjustmentsOf(db, kind, returnId, firmNo)) {
        auto it = std::find_if(bills.begin(), bills.end(), [&](const vouchers::OpenBill& b) { return b.id == a.billId; });
        if (it == bills.end()) {
            const auto r = db.queryOne(QStringLiteral("SELECT Id, InvType, BillNO, BillDate, PDueDate, BillAmount, TDSRs, PaidAmt FROM %1 "
                                                      "WHERE Id = ?")
                                           .arg(kind.table),
                                       {a.billId});
            if (!r) continue;
            vouchers::OpenBill b;
            b.id = a.billId;
            b.book = kind.book;
            b.type = r->text(QStringLiteral("InvType"));
            b.billNo = r->text(QStringLiteral("BillNO")).trimmed();
            b.date = r->date(QStringLiteral("BillDate"));
            b.dueDate = r->date(QStringLiteral("PDueDate"));
            b.tds = Decimal::fromVariant(r->value(QStringLiteral("TDSRs"))).roundHalfEven(2);
            b.billAmount = Decimal::fromVariant(r->value(QStringLiteral("BillAmount"))).roundHalfEven(2);
            b.paid = Decimal::fromVariant(r->value(QStringLiteral("PaidAmt"))).roundHalfEven(2);
            b.unpaid = b.billAmount - b.tds - b.paid;
            it = bills.insert(bills.end(), b);
        }
        it->unpaid += a.amount;
    }
    std::stable_sort(bills.begin(), bills.end(), [](const vouchers::OpenBill& x, const vouchers::OpenBill& y) { return x.date < y.date; });
    return bills;
}

Decimal readjust(db::Database& db, const ReturnKind& kind, const vouchers::SettlingEntry& entry, Decimal returnAmount,
                 const std::vector<Adjustment>& adjustments) {
    vouchers::lockBills(db, kind.book);
    vouchers::takeBack(db, kind.book, entry);
    std::vector<vouchers::Settlement> settlements;
    Decimal total;
    for (const Adjustment& a : adjustments) {
        if (a.billId <= 0 || a.amount.isZero()) continue;
        vouchers::Settlement s;
        s.billId = a.billId;
        s.payment = a.amount;
        s.billNo = a.billNo;
        settlements.push_back(s);
        total += a.amount.roundHalfEven(2);
    }
    vouchers::apply(db, kind.book, entry, returnAmount, settlements);
    return total;
}

bool removeReturn(db::Database& db, Session& session, Messages& messages, const ReturnKind& kind, qint64 id) {
    if (documents::refuseChange(session, messages, documents::Change::Delete)) return false;
    const auto h = db.queryOne(QStringLiteral("SELECT PartyID, BillDate FROM %1 WHERE Id = ? AND FirmNO = ? AND FormId = ?").arg(kind.table),
                               {id, session.firmNo, kind.formId});
    if (!h) return false;
    if (refusePaidFurther(db, messages, kind, id, session.firmNo)) return false;
    if (!messages.ask(QStringLiteral("Delete Confirmation"), QStringLiteral("Are you sure to delete this Invoice"))) return false;
    try {
        db::Transaction tx(db);
        vouchers::lockBills(db, kind.book);
        // Another station may have settled an adjusted bill since the question.
        if (refusePaidFurther(db, messages, kind, id, session.firmNo)) return false;
        vouchers::takeBack(db, kind.book,
                           returnEntry(kind, id, h->date(QStringLiteral("BillDate")), h->integer(QStringLiteral("PartyID")), session.firmNo));
        documents::deleteDocument(db, {kind.table, {{kind.lineTable, QStringLiteral("BillMstId")}}, 0}, id, session.firmNo);
        ledger::Journal(db, session).removeDocument(kind.formId, id);
        tx.commit();
    } catch (const vouchers::Refusal& refusal) {
        show(messages, refusal);
        return false;
    } catch (const db::DbError&) {
        messages.critical(ledger::ledgerNotSavedTitle(), ledger::ledgerProblemText());
        return false;
    }
    messages.information(QStringLiteral("Delete Confirmation"), kind.deletedText);
    return true;
}

documents::DocumentPage listReturns(db::Database& db, const ReturnKind& kind, qint64 firmNo, const documents::ListFilter& filter) {
    documents::ListQuery q(kind.table + QStringLiteral(" m LEFT JOIN AccMst a ON a.Id = m.PartyID"),
                           QStringLiteral("m.FirmNO = ? AND m.FormId = ?"), {firmNo, kind.formId}, QStringLiteral("m.BillNO"),
                           QStringLiteral("m.BillDate"), QStringLiteral("a.AcName"), QStringLiteral("m.BillAmount"));
    q.marked = QStringLiteral("m.Is_Audit");
    q.texts = {QStringLiteral("a.City"), QStringLiteral("m.") + kind.sourceColumn, QStringLiteral("m.Ret_Reason")};
    q.figures = {QStringLiteral("m.PaidAmt"), QStringLiteral("m.UnPaidAmt")};
    return documents::listDocuments(db, q, filter);
}

std::vector<SavedReturn> allReturns(db::Database& db, const ReturnKind& kind, qint64 firmNo) {
    std::vector<SavedReturn> out;
    db.forEach(QStringLiteral("SELECT m.Id, m.BillNO, m.BillDate, a.AcName, m.%1 AS Source, m.BillAmount, m.PaidAmt FROM %2 m "
                              "LEFT JOIN AccMst a ON a.Id = m.PartyID WHERE m.FirmNO = ? AND m.FormId = ? ORDER BY m.BillDate, m.Id")
                   .arg(kind.sourceColumn, kind.table),
               {firmNo, kind.formId}, [&](const db::Row& r) {
                   out.push_back({r.integer(QStringLiteral("Id")), r.text(QStringLiteral("BillNO")).trimmed(), r.text(QStringLiteral("AcName")),
                                  r.text(QStringLiteral("Source")).trimmed(), r.date(QStringLiteral("BillDate")),
                                  Decimal::fromVariant(r.value(QStringLiteral("BillAmount"))).roundHalfEven(2),
                                  Decimal::fromVariant(r.value(QStringLiteral("PaidAmt"))).roundHalfEven(2)});
               });
    return out;
}

void show(Messages& messages, const vouchers::Refusal& refusal) { messages.critical(refusal.title, refusal.text); }

}  // namespace tanabana::returns
