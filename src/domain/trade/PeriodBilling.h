#pragma once
// Period bills: one sales invoice for the delivery challans a party received between two dates.
// The operator lists the party's challans not yet billed, ticks them, and their lines become the
// bill's lines (one per challan line, or summed per quality, rate and GST within each challan),
// each naming its challan. Saving the bill marks those challans sold; editing or deleting it
// clears the marks first (the bill's own save path does both).
//
// Challans 41 (3 Jun, 220 m) and 44 (9 Jun, 180 m) of "Shree Fabrics" billed together on one
// invoice of 400 m: both read sold afterwards, and deleting the invoice frees both again.
#include "core/Decimal.h"
#include "core/Messages.h"
#include "core/Session.h"
#include "db/Database.h"
#include "domain/trade/SalesBill.h"

#include <QDate>
#include <optional>
#include <vector>

namespace tanabana::trade {

struct PeriodChallan {
    qint64 id = 0;
    QString challanNo;
    QDate date;
    Decimal pieces, metres, amount;
};

class PeriodBilling {
public:
    PeriodBilling(db::Database& db, Session& session, Messages& messages);

    // The party's challans dated from..to that no bill has taken (those of `billId`, the bill being
    // edited, count as free), by date and number. Refused without a party or with dates reversed.
    std::optional<std::vector<PeriodChallan>> unbilledChallans(qint64 partyId, const QDate& from, const QDate& to,
                                                               qint64 billId = 0);
    // The bill lines of the ticked challans, challan by challan.
    std::vector<SalesLine> lines(const std::vector<qint64>& challanIds, bool summed);
    // The challan a bill line came from ("Ch No", "Ch Date"); nullopt for a typed line.
    std::optional<PeriodChallan> challan(qint64 id);

private:
    db::Database& db_;
    Session& session_;
    Messages& messages_;
};

}  // namespace tanabana::trade
