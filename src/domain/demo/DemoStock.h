#pragma once
// The stock vouchers of the demonstration firm: finished qualities sent for folding and packing
// to the job worker under a lot number each month, most of them received back a week later.
#include "core/Session.h"
#include "db/Database.h"

#include <QDate>

namespace tanabana::demo {

struct DemoStockVouchers {
    int issues = 0, receipts = 0;
};

// Issues and receipts dated no later than `last`, through the stock voucher service.
DemoStockVouchers fillDemoStockVouchers(db::Database& db, Session& session, const QDate& last);

}  // namespace tanabana::demo
