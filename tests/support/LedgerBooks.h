#pragma once
// A small textile trading firm with opening balances, for tests of the journal and everything
// read from it (ledgers, books, statements, outstanding):
//
//   Opening 01-04-2024: Cash 25,000.00 Dr, Bank 40,000.00 Dr, Capital 77,500.00 Cr,
//                       Ramesh Traders 1,000.00 Cr (advance); Suresh Fabrics 12,500.00 Dr dated 10-04-2024.
//   The documents of the year (postTypicalMonth) are listed with their figures in LedgerBooks.cpp.
#include "core/Decimal.h"
#include "core/Session.h"
#include "db/Database.h"
#include "domain/ledger/Journal.h"
#include "support/QtPrinting.h"

#include <QDate>
#include <QString>
#include <tuple>
#include <utility>
#include <vector>

namespace tanabana::test {

struct SmallFirm {
    qint64 cash = 0, bank = 0, capital = 0, sales = 0, purchase = 0;
    qint64 outputCgst = 0, outputSgst = 0, inputIgst = 0;
    qint64 ramesh = 0, suresh = 0, mahesh = 0;  // two customers (group 35), a yarn supplier (group 76)
};

// Seeds the default chart of the firm (unless it has one), the three parties and the opening
// balances above.
SmallFirm seedSmallFirm(db::Database& db, qint64 firmNo = 1);

// Writes an opening balance and its mirror on the account, as the opening balance screen does.
void setOpening(db::Database& db, qint64 accId, const QDate& date, Decimal amount, QChar side, qint64 firmNo = 1);

// A document of the given lines: {account, side, amount}.
ledger::JournalDocument document(int tableCode, qint64 voucherNo, const QDate& date, const QString& printedNo,
                                 const std::vector<std::tuple<qint64, QChar, Decimal>>& lines);

// Posts April-May of the small firm: two sales, a purchase, a cash and a bank receipt, a bank payment.
void postTypicalMonths(db::Database& db, const Session& session, const SmallFirm& firm);

Decimal money(const char* text);

}  // namespace tanabana::test
