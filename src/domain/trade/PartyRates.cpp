#include "domain/trade/PartyRates.h"

#include "domain/trade/DocumentRules.h"

namespace tanabana::trade {

namespace {

QString typeLetter(RateSource source) { return source == RateSource::Bill ? QStringLiteral("B") : QStringLiteral("C"); }

}  // namespace

void rememberPartyRates(db::Database& db, RateSource source, qint64 partyId, const std::vector<PartyRate>& rates) {
    for (const PartyRate& r : rates) {
        if (r.qualityId <= 0) continue;
        const QVariantList values{r.pieces.toDouble(), r.quantity.toDouble(),
                                  fitted(QStringLiteral("Bill_Party_Rate"), QStringLiteral("RateON"), r.rateOn),
                                  r.rate.toDouble(), r.documentId,
                                  fitted(QStringLiteral("Bill_Party_Rate"), QStringLiteral("BillNO"), r.documentNo),
                                  QVariant(r.date), partyId, r.qualityId, typeLetter(source)};
        if (db.exec(QStringLiteral("UPDATE Bill_Party_Rate SET Qty2 = ?, Qty = ?, RateON = ?, Rate = ?, BillId = ?, BillNO = ?, "
                                   "Last_Dt = ? WHERE PartyId = ? AND Qid = ? AND BType = ?"),
                    values) == 0)
            db.exec(QStringLiteral("INSERT INTO Bill_Party_Rate (Qty2, Qty, RateON, Rate, BillId, BillNO, Last_Dt, PartyId, Qid, BType) "
                                   "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                    values);
    }
}

std::optional<PartyRate> storedPartyRate(db::Database& db, RateSource source, qint64 partyId, qint64 qualityId) {
    const auto row = db.queryOne(QStringLiteral("SELECT * FROM Bill_Party_Rate WHERE PartyId = ? AND Qid = ? AND BType = ?"),
                                 {partyId, qualityId, typeLetter(source)});
    if (!row) return std::nullopt;
    PartyRate r;
    r.qualityId = qualityId;
    r.pieces = Decimal::fromVariant(row->value(QStringLiteral("Qty2")));
    r.quantity = Decimal::fromVariant(row->value(QStringLiteral("Qty")));
    r.rateOn = row->text(QStringLiteral("RateON"));
    r.rate = Decimal::fromVariant(row->value(QStringLiteral("Rate")));
    r.documentId = row->integer(QStringLiteral("BillId"));
    r.documentNo = row->text(QStringLiteral("BillNO"));
    r.date = row->date(QStringLiteral("Last_Dt"));
    return r;
}

std::vector<EarlierRate> lastThreeRates(db::Database& db, RateSource source, qint64 firmNo, qint64 partyId, qint64 qualityId) {
    const QString sql = source == RateSource::Bill
        ? QStringLiteral("SELECT m.BillNO, d.Rate, d.SRate FROM SalBillMst m INNER JOIN SalBillDtl d ON d.BillMstId = m.Id "
                         "WHERE m.PartyID = ? AND d.PCode = ? AND m.FormId = 3 AND m.FirmNO = ? "
                         "ORDER BY m.BillDate DESC, m.Id DESC")
        : QStringLiteral("SELECT m.BillNO, d.Rate, d.SRate FROM ChalanMst m INNER JOIN ChalanDtl d ON d.BillMstId = m.Id "
                         "WHERE m.PartyID = ? AND d.PCode = ? AND m.FirmNO = ? ORDER BY m.BillDate DESC, m.Id DESC");
    std::vector<EarlierRate> rates;
    for (const db::Row& r : db.query(sql + db.dialect().limit(3), {partyId, qualityId, firmNo}))
        rates.push_back({r.text(QStringLiteral("BillNO")), Decimal::fromVariant(r.value(QStringLiteral("Rate"))),
                         Decimal::fromVariant(r.value(QStringLiteral("SRate")))});
    return rates;
}

}  // namespace tanabana::trade
