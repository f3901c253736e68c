#pragma once
// Period bills: one sales invoice for the delivery challans a party received between two dates.
// The operator lists the party's challans not yet billed, ticks them, and their lines become the
// bill's lines (one per challan line, or summed per quality, rate and GST within each challan),
// each naming its challan. Saving the bill marks those challans sold; editing or deleting it
// clears the marks first (the bill's own save path does both).
//
// Challans 41 (3 Jun, 220 m) and 44 (9 Jun, 180 m) of "Shree Fabrics" billed together on one
// invoice of 400 m: both read sold afterwards, and deleting the invoice frees both again.
//
// A bleaching firm bills its job work instead: the outward challans (taka-wise job-work
// receipts) that took its customer's cloth back processed, each taka's finished metres at the
// challan's job rate; the bill marks them (`IsCN`), after which the challan can be neither
// changed nor deleted until the bill lets it go.
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
    int form = 0;  // 0 a delivery challan, kJobWorkOutward a job-work outward challan
    QString challanNo;
    QDate date;
    Decimal pieces, metres, amount;
};

class PeriodBilling {
public:
    PeriodBilling(db::Database& db, Session& session, Messages& messages);

    // Whether the firm bills job-work outward challans (a bleaching firm) rather than delivery challans.
    bool billsJobWork() const;

    // The party's challans dated from..to that no bill has taken (those of `billId`, the bill being
    // edited, count as free), by date and number. Refused without a party or with dates reversed.
    std::optional<std::vector<PeriodChallan>> unbilledChallans(qint64 partyId, const QDate& from, const QDate& to,
                                                               qint64 billId = 0);
    // The bill lines of the ticked challans (of the kind the firm bills), challan by challan.
    std::vector<SalesLine> lines(const std::vector<qint64>& challanIds, bool summed);
    // The challan a bill line came from ("Ch No", "Ch Date"); nullopt for a typed line.
    std::optional<PeriodChallan> challan(qint64 id, int form = 0);

private:
    db::Database& db_;
    Session& session_;
    Messages& messages_;
};

// Whether the session's firm bills job-work outward challans (a bleaching firm) rather than
// delivery challans.
bool billsJobWork(const Session& session);

// The lines of a job-work outward challan: each processed taka's finished metres at its rate, in
// the finished quality (the challan's when the line names none), one per taka or summed per
// quality and rate. Takas given back wholly grey carry no charge and no line.
std::vector<SalesLine> salesLinesFromJobWork(db::Database& db, qint64 challanId, bool summed);

}  // namespace tanabana::trade
