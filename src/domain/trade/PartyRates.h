#pragma once
// The last rate a party was given for a quality, shown when the quality is chosen on a bill or a
// challan: the stored row of Bill_Party_Rate (type "B" bills, "C" challans) and the party's last
// three documents for that item, newest first.
#include "core/Decimal.h"
#include "db/Database.h"

#include <QDate>
#include <QString>
#include <optional>
#include <vector>

namespace tanabana::trade {

enum class RateSource { Bill, Challan };

struct PartyRate {
    qint64 qualityId = 0;
    Decimal pieces;     // Qty2
    Decimal quantity;   // Qty
    QString rateOn;     // RateON
    Decimal rate;
    qint64 documentId = 0;  // BillId
    QString documentNo;     // BillNO
    QDate date;             // Last_Dt
};

struct EarlierRate {
    QString documentNo;
    Decimal rate;
    Decimal listRate;  // SRate (bills only)
};

// Keeps the rates of a saved document, one row per party, quality and type (inserted or updated).
void rememberPartyRates(db::Database& db, RateSource source, qint64 partyId, const std::vector<PartyRate>& rates);
std::optional<PartyRate> storedPartyRate(db::Database& db, RateSource source, qint64 partyId, qint64 qualityId);
// The party's last three bills (sales, FormId 3) or challans for the item, newest first.
std::vector<EarlierRate> lastThreeRates(db::Database& db, RateSource source, qint64 firmNo, qint64 partyId, qint64 qualityId);

}  // namespace tanabana::trade
