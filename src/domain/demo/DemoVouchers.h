#pragma once
// Money in and out for the demonstration firm: parties paying their sales bills in cash or by
// cheque (some bills in full, some in part, a few advances on account) and the firm paying its
// weavers' bills from the bank and small advances in cash, all saved through the voucher service
// so the outstanding lists and cash and bank books have something to show.
#include "core/Session.h"
#include "db/Database.h"

#include <QDate>

namespace tanabana::demo {

struct DemoMoney {
    int receipts = 0, payments = 0;  // entries saved
};

// Receipts and payments dated up to `last` against the bills already in the year.
DemoMoney fillDemoVouchers(db::Database& db, Session& session, const QDate& last);

}  // namespace tanabana::demo
