#pragma once
// Returns and notes of the demonstration firm, made through the same services as the screens: a
// customer sending back part of a bill, a supplier taking back grey fabric, a discount after a
// sale and a rate difference claimed from a weaver, each against a bill still open.
#include "core/Session.h"
#include "db/Database.h"

#include <QDate>

namespace tanabana::demo {

struct DemoReturnCount {
    int returns = 0, notes = 0;
};

// Adds them against the firm's earliest open bills, dated a week after each bill (not after `last`).
DemoReturnCount fillDemoReturns(db::Database& db, Session& session, const QDate& last);

}  // namespace tanabana::demo
