#pragma once
// The mill side of the demonstration firm: two processing mills of Surat that take the grey
// takas bought from the weavers, one dyeing and one printing; most takas come back finished with
// a little shortage, some are still at the mill at the end.
#include "core/Session.h"
#include "db/Database.h"

#include <QDate>

namespace tanabana::demo {

struct DemoMillWork {
    int issues = 0, receipts = 0;
};

// Adds the mills, sends the takas of the weavers' bills to them and receives most back, every
// challan dated no later than `last`, through the mill services.
DemoMillWork fillDemoMills(db::Database& db, Session& session, const QDate& last);

}  // namespace tanabana::demo
