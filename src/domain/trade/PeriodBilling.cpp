#include "domain/trade/PeriodBilling.h"

#include "domain/trade/DocumentRules.h"
#include "domain/trade/SalesLines.h"

namespace tanabana::trade {

namespace {

const QString kChallanColumns = QStringLiteral(
    "SELECT m.Id, m.BillNO, m.BillDate, m.BillAmount, "
    "(SELECT COALESCE(SUM(d.Nos), 0) FROM ChalanDtl d WHERE d.BillMstId = m.Id) AS Pcs, "
    "(SELECT COALESCE(SUM(d.Qty), 0) FROM ChalanDtl d WHERE d.BillMstId = m.Id) AS Mtrs FROM ChalanMst m ");

PeriodChallan fromRow(const db::Row& r) {
    PeriodChallan c;
    c.id = r.integer(QStringLiteral("Id"));
    c.challanNo = r.text(QStringLiteral("BillNO"));
    c.date = r.date(QStringLiteral("BillDate"));
    c.pieces = Decimal::fromVariant(r.value(QStringLiteral("Pcs"))).roundHalfEven(3);
    c.metres = Decimal::fromVariant(r.value(QStringLiteral("Mtrs"))).roundHalfEven(3);
    c.amount = Decimal::fromVariant(r.value(QStringLiteral("BillAmount"))).roundHalfEven(2);
    return c;
}

}  // namespace

PeriodBilling::PeriodBilling(db::Database& db, Session& session, Messages& messages)
    : db_(db), session_(session), messages_(messages) {}

std::optional<std::vector<PeriodChallan>> PeriodBilling::unbilledChallans(qint64 partyId, const QDate& from, const QDate& to,
                                                                          qint64 billId) {
    if (partyId <= 0) {
        refuseMissingPartyOrQuality(messages_);
        return std::nullopt;
    }
    if (!from.isValid() || !to.isValid() || from > to) {
        messages_.critical(QStringLiteral("Date Validate"), QStringLiteral("Please Select Proper Date"));
        return std::nullopt;
    }
    std::vector<PeriodChallan> list;
    db_.forEach(kChallanColumns + QStringLiteral("WHERE m.FirmNO = ? AND m.PartyID = ? AND m.BillDate >= ? AND m.BillDate <= ? "
                                                 "AND (COALESCE(m.IsSale, 0) = 0 OR m.Id IN (SELECT DChId FROM SalBillDtl "
                                                 "WHERE BillMstId = ? AND BillMstId > 0)) ORDER BY m.BillDate, m.Id"),
                {session_.firmNo, partyId, QVariant(from), QVariant(to), billId},
                [&](const db::Row& r) { list.push_back(fromRow(r)); });
    return list;
}

std::vector<SalesLine> PeriodBilling::lines(const std::vector<qint64>& challanIds, bool summed) {
    std::vector<SalesLine> all;
    for (qint64 id : challanIds) {
        if (!challan(id)) continue;  // another firm's or a deleted challan
        for (SalesLine& line : salesLinesFromChallan(db_, id, summed)) all.push_back(std::move(line));
    }
    return all;
}

std::optional<PeriodChallan> PeriodBilling::challan(qint64 id) {
    if (id <= 0) return std::nullopt;
    const auto r = db_.queryOne(kChallanColumns + QStringLiteral("WHERE m.Id = ? AND m.FirmNO = ?"), {id, session_.firmNo});
    if (!r) return std::nullopt;
    return fromRow(*r);
}

}  // namespace tanabana::trade
