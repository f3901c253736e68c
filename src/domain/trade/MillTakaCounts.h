#pragma once
// What of a purchase bill has gone to the mills, as its lines and header show it: each line's
// Issue_Taka and Issue_Mtrs count the takas of its taka list marked Is_Issued, and the bill is
// Is_IssueToMill once none is left at home. Counted from the taka list, so a re-saved bill and a
// mill challan saved, changed or deleted always agree.
#include "db/Database.h"

namespace tanabana::trade {

// Recounts the bill's lines and its flag (in the caller's transaction).
void recountMillTakas(db::Database& db, qint64 purchaseBillId);

}  // namespace tanabana::trade
