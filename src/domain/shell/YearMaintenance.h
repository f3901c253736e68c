#pragma once
// Starting a new financial year and emptying the open one.
//
// A new year is a copy of the year before it: the masters (firms, accounts, books, products,
// brokers) carry over and every bill, voucher, challan and journal line is left behind, the
// firms' own years move one year on, and the year is added to the year list. 2023-24 (2024.db)
// gives 2024-25 (2025.db). Opening balances and stock are carried by the year-end commands.
#include "core/Messages.h"
#include "core/Session.h"
#include "db/Database.h"
#include "domain/shell/Installation.h"

namespace tanabana::shell {

enum class NewYearResult { Created, Declined, AlreadyExists, Failed };

// The "Create New Year" command for the year after the session's year, copied from `current`.
NewYearResult createNextYear(const Installation& installation, const Session& session, db::Database& current,
                             Messages& messages);
// The same from a year that is not open (the year window's offer in firm-folder mode).
NewYearResult createYearAfter(const Installation& installation, const Session& session, int fromEndYear,
                              Messages& messages);

// Tables emptied in a new year, in order; masters stay.
const QStringList& newYearClearedTables();
// "Clear Database": every entry of the open year is deleted (all firms), products too, and only
// firm 1 remains. Only an operator with the rights to delete and to create operators may do it;
// the question says what will go, and the operator's password is asked again before anything is
// deleted. Returns true when the year was cleared.
bool clearDatabase(const Installation& installation, const Session& session, db::Database& year, Messages& messages);

}  // namespace tanabana::shell
