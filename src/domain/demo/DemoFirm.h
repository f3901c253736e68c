#pragma once
// A demonstration installation: one small textile firm of Surat with its chart of accounts and
// books, parties inside Gujarat and in other states, brokers, fabric qualities, production
// challans of the firm's looms, delivery challans of those takas, some months of sales bills and of purchases from weavers,
// receipts and payments settling part of them, all saved through the same services as the screens. The program's run command fills it on the
// first start so there is something to look at; the benchmark uses it as a realistic year.
#include "core/Session.h"
#include "db/Database.h"

#include <QDate>
#include <QString>

namespace tanabana::demo {

struct DemoSize {
    int productionChallans = 24;
    int taksPerChallan = 8;
    int takaChallans = 14;
    int salesBills = 150;
    int purchaseBills = 36;  // grey fabric from weavers with their takas, and freight under reverse charge
    int extraParties = 0;   // more parties beyond the named ones (for speed checks)
    int extraItems = 0;     // more items beyond the named qualities
};

struct DemoSummary {
    int parties = 0, items = 0, takas = 0, productionChallans = 0, deliveryChallans = 0, salesBills = 0, purchaseBills = 0;
    int receipts = 0, payments = 0;
    int millIssues = 0, millReceipts = 0;
    int returns = 0, notes = 0;
    int stockIssues = 0, stockReceipts = 0;
    QString text() const;
};

// Fills firm 1 of an open, empty year database (its FirmMst row, chart, books and documents).
// `session` must have the year set; it is pointed at firm 1 and its settings. Documents are dated
// from the year's start to `until` (inclusive).
DemoSummary fillDemoFirm(db::Database& db, Session& session, const QDate& until, const DemoSize& size = {});

}  // namespace tanabana::demo
