#pragma once
// A production challan read from JSON, for the command line and bulk loading; refusals are
// trade::JsonRefused naming the key (and taka) that is wrong. The party is named by ledger code,
// name or Id, qualities by item code or Id; a missing number takes the book's next one.
//
//   {"book": 1, "date": "2024-06-05", "party": "35R001", "type": "G",
//    "takas": [{"taka": "101", "pcs": 1, "cut": 0, "mtrs": 98.5, "machine": "L-4", "quality": "101"}]}
#include "core/Session.h"
#include "db/Database.h"
#include "domain/jobwork/ProductionChallans.h"

#include <QJsonObject>

namespace tanabana::jobwork {

ProductionChallan productionFromJson(db::Database& db, const Session& session, const QJsonObject& object);

}  // namespace tanabana::jobwork
