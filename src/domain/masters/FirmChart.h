#pragma once
// A firm's chart of accounts and books as it starts: a new firm copies the template chart
// (AccMst_Main) and firm 1's books, each book re-pointed at the new firm's account of the same
// name; the very first firm (no books to copy) gets the default books.
#include "db/Database.h"

namespace tanabana::masters {

// Copies every template row, in Id order, into AccMst for the firm (new Ids). Call inside a transaction.
void copyTemplateChart(db::Database& db, qint64 firmNo);
// Copies firm `fromFirm`'s books to `toFirm` (same BookNO), translating every account reference
// by account name. Returns the number of books copied.
int copyBooks(db::Database& db, qint64 fromFirm, qint64 toFirm);
// Chart from the template plus books (copied from firm 1, or the defaults when firm 1 has none);
// nothing when the firm has accounts already.
void setUpFirmBooks(db::Database& db, qint64 firmNo);

}  // namespace tanabana::masters
