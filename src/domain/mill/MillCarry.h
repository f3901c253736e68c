#pragma once
// Mill challans carried into the next year. At the year's end takas still at the mills and mill
// receipts not yet paid must be found in the new year's books: each chosen challan is copied
// there as an opening entry (IsOp) under the negative of its key and number, an issue with only
// its takas still out. Carrying is one transaction in the next year's books: all the chosen
// challans arrive or none; one already there is reported ("Is not Transferd.") and left as it is.
// The new year can remove what was carried in, to carry it again.
//
//   MillCarry carry(db2024, session, messages);
//   carry.carry(db2025, MillCarry::Kind::PendingTakas, {17, 18});  // "... has been Transfered."
#include "core/Decimal.h"
#include "core/Messages.h"
#include "core/Session.h"
#include "db/Database.h"

#include <QDate>
#include <map>
#include <vector>

namespace tanabana::mill {

struct CarriedChallan {
    qint64 id = 0;
    qint64 challanNo = 0;
    QDate date;
    QString mill, lotNo;
    int takas = 0;
    Decimal issuedMetres, receivedMetres, pendingMetres, weight;  // issues: of the takas still out
    Decimal amount;  // receipts: the bill
};

class MillCarry {
public:
    enum class Kind { PendingTakas, UnpaidReceipts };

    MillCarry(db::Database& db, Session& session, Messages& messages);

    // This year's issues with takas still out, or its unpaid receipts, by date.
    std::vector<CarriedChallan> candidates(Kind kind);
    // Copies the chosen challans into the next year's books after the question; returns how many
    // arrived (nothing when the operator says No or the next year's books fail).
    int carry(db::Database& next, Kind kind, const std::vector<qint64>& ids);
    // The challans this year's books received from the year before.
    std::vector<CarriedChallan> carriedIn(Kind kind);
    // Deletes carried-in challans after the question; returns how many went.
    int removeCarriedIn(Kind kind, const std::vector<qint64>& ids);

private:
    db::Database& db_;
    Session& session_;
    Messages& messages_;
};

}  // namespace tanabana::mill
