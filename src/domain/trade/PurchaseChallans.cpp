#include "domain/trade/PurchaseChallans.h"

#include "core/Rights.h"
#include "core/YearLock.h"
#include "domain/masters/RowWriter.h"
#include "domain/trade/InvoiceMath.h"

namespace tanabana::trade {

namespace {

// Deletion history of purchase challans: they carry no journal, so they have a kind of their own.
constexpr int kPurchaseChallanHistory = 31;

}  // namespace

PurchaseChallans::PurchaseChallans(db::Database& db, Session& session, Messages& messages)
    : db_(db), session_(session), messages_(messages) {}

Decimal PurchaseChallans::amount(const PurchaseChallan& challan) {
    Decimal total;
    for (const PurchaseChallanLine& line : challan.lines)
        total += challanLineAmount(line.pieces, line.quantity, line.rateOn, line.rate);
    return total.roundHalfEven(2);
}

std::optional<qint64> PurchaseChallans::challanOfParty(qint64 partyId, const QString& challanNo) {
    const QVariant id = db_.scalar(QStringLiteral("SELECT Id FROM BillMSt_Ch WHERE PartyId = ? AND BillNO = ? AND FirmNo = ? ORDER BY Id"),
                                   {partyId, challanNo.trimmed(), session_.firmNo});
    if (!id.isValid() || id.isNull()) return std::nullopt;
    return id.toLongLong();
}

std::optional<qint64> PurchaseChallans::save(PurchaseChallan& c) {
    if (yearLockRefuses(session_, messages_)) return std::nullopt;
    if (rightRefuses(session_, messages_, c.id > 0 ? GeneralRight::Modify : GeneralRight::New)) return std::nullopt;
    if (!c.date.isValid() || !session_.inYear(c.date)) {
        messages_.critical(QStringLiteral("BillDate Validate"), QStringLiteral("Please Select Proper Date"));
        return std::nullopt;
    }
    const bool partyKnown = db_.scalar(QStringLiteral("SELECT count(*) FROM AccMst WHERE Id = ? AND FirmNo = ? AND IsGrp = 0"),
                                       {c.partyId, session_.firmNo})
                                .toInt() > 0;
    bool linesTyped = !c.lines.empty();
    for (const PurchaseChallanLine& line : c.lines) linesTyped = linesTyped && line.qualityId > 0;
    if (!partyKnown || c.challanNo.trimmed().isEmpty() || !linesTyped) {
        messages_.critical(QStringLiteral("System Validation"), QStringLiteral("Please Select Distributor NAme and Enter Invoice No"));
        return std::nullopt;
    }
    for (const PurchaseChallanLine& line : c.lines) {
        if (line.pieces.isNegative() || line.cut.isNegative() || line.quantity.isNegative() || line.rate.isNegative()) {
            messages_.critical(QStringLiteral("Invalid Entry"), QStringLiteral("Quantities and rates cannot be negative"));
            return std::nullopt;
        }
    }
    const QString type = c.invoiceType.trimmed().left(1).toUpper() == QStringLiteral("R") ? QStringLiteral("R") : QStringLiteral("T");
    db::Transaction tx(db_);
    db_.lockSeries(QStringLiteral("BillMSt_Ch.Id"));
    const auto existing = challanOfParty(c.partyId, c.challanNo);
    if (existing && *existing != c.id) {
        messages_.critical(QStringLiteral("Bill NO Duplication"), QStringLiteral("This Chalan NO is Already exist!"));
        return std::nullopt;
    }
    const qint64 id = c.id > 0 ? c.id : db_.nextKey(QStringLiteral("BillMSt_Ch"), QStringLiteral("Id"));
    QVariantMap header{{QStringLiteral("PartyId"), c.partyId},     {QStringLiteral("BookId"), c.bookId},
                       {QStringLiteral("BillNO"), c.challanNo.trimmed()}, {QStringLiteral("BillDate"), QVariant(c.date)},
                       {QStringLiteral("Against"), c.against.trimmed()}, {QStringLiteral("Notes"), c.notes.trimmed()},
                       {QStringLiteral("BillAmount"), amount(c).toDouble()}, {QStringLiteral("FirmNo"), session_.firmNo},
                       {QStringLiteral("BrokerId"), c.brokerId},     {QStringLiteral("Is_Audit"), c.audited},
                       {QStringLiteral("InvType"), type}};
    if (masters::updateRow(db_, QStringLiteral("BillMSt_Ch"), header, QStringLiteral("Id = ? AND FirmNo = ?"), {id, session_.firmNo}) == 0) {
        header.insert(QStringLiteral("Id"), id);
        masters::insertRow(db_, QStringLiteral("BillMSt_Ch"), header);
    }
    db_.exec(QStringLiteral("DELETE FROM BillDtl_Ch WHERE BillMStId = ?"), {id});
    int srno = 0;
    for (const PurchaseChallanLine& line : c.lines) {
        const Decimal lineAmount = challanLineAmount(line.pieces, line.quantity, line.rateOn, line.rate);
        masters::insertRow(db_, QStringLiteral("BillDtl_Ch"),
                           {{QStringLiteral("BillMStId"), id},
                            {QStringLiteral("Srno"), ++srno},
                            {QStringLiteral("PCode"), line.qualityId},
                            {QStringLiteral("PRate"), line.rate.roundHalfEven(4).toDouble()},
                            {QStringLiteral("PQty"), line.quantity.roundHalfEven(3).toDouble()},
                            {QStringLiteral("PAmt"), lineAmount.toDouble()},
                            {QStringLiteral("Qty1"), line.cut.roundHalfEven(3).toDouble()},
                            {QStringLiteral("Qty2"), line.pieces.roundHalfEven(3).toDouble()},
                            {QStringLiteral("PM"), line.rateOn.trimmed().toUpper() == QStringLiteral("P") ? QStringLiteral("P") : QStringLiteral("M")},
                            {QStringLiteral("BillNetAmt"), lineAmount.toDouble()}});
    }
    tx.commit();
    c.id = id;
    messages_.information(QStringLiteral("Save Confirmation"), QStringLiteral("ONE TRANSACTION IS SAVED"));
    return id;
}

bool PurchaseChallans::remove(qint64 id) {
    if (yearLockRefuses(session_, messages_)) return false;
    if (rightRefuses(session_, messages_, GeneralRight::Delete)) return false;
    if (db_.scalar(QStringLiteral("SELECT count(*) FROM BillMSt_Ch WHERE Id = ? AND FirmNo = ?"), {id, session_.firmNo}).toInt() == 0) return false;
    if (!messages_.ask(QStringLiteral("Delete Confirmation"), QStringLiteral("Are You Sure to Permanently Delete This Chalan ?"))) return false;
    db::Transaction tx(db_);
    db_.exec(QStringLiteral("DELETE FROM BillDtl_Ch WHERE BillMStId = ?"), {id});
    db_.exec(QStringLiteral("DELETE FROM BillMSt_Ch WHERE Id = ?"), {id});
    db_.exec(QStringLiteral("INSERT INTO Table_Del_History (Id, FirmNO, FormId) VALUES (?, ?, ?)"), {id, session_.firmNo, kPurchaseChallanHistory});
    tx.commit();
    messages_.information(QStringLiteral("Delete Confirmation"), QStringLiteral("Purchase Chalan Is Deleted!"));
    return true;
}

std::optional<PurchaseChallan> PurchaseChallans::load(qint64 id) {
    const auto h = db_.queryOne(QStringLiteral("SELECT * FROM BillMSt_Ch WHERE Id = ? AND FirmNo = ?"), {id, session_.firmNo});
    if (!h) return std::nullopt;
    PurchaseChallan c;
    c.id = id;
    c.bookId = h->integer(QStringLiteral("BookId"));
    c.challanNo = h->text(QStringLiteral("BillNO"));
    c.date = h->date(QStringLiteral("BillDate"));
    c.partyId = h->integer(QStringLiteral("PartyId"));
    c.brokerId = h->integer(QStringLiteral("BrokerId"));
    c.invoiceType = h->text(QStringLiteral("InvType"));
    c.against = h->text(QStringLiteral("Against"));
    c.notes = h->text(QStringLiteral("Notes"));
    c.audited = h->flag(QStringLiteral("Is_Audit"));
    db_.forEach(QStringLiteral("SELECT * FROM BillDtl_Ch WHERE BillMStId = ? ORDER BY Srno"), {id}, [&](const db::Row& r) {
        c.lines.push_back({r.integer(QStringLiteral("PCode")), Decimal::fromVariant(r.value(QStringLiteral("Qty2"))),
                           Decimal::fromVariant(r.value(QStringLiteral("Qty1"))), Decimal::fromVariant(r.value(QStringLiteral("PQty"))),
                           r.text(QStringLiteral("PM")), Decimal::fromVariant(r.value(QStringLiteral("PRate")))});
    });
    return c;
}

}  // namespace tanabana::trade
