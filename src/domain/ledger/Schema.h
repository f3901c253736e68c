#pragma once
// Tables of the books: the journal (HeadDtl3, one row per debit or credit line), its work copy for
// the statements (HeadDtl3_Temp), the bill settlements made by vouchers and returns (Acc_OutSt),
// and the per-account monthly totals that keep every balance query quick on a year of a million
// lines (HeadDtl3_MonthBal, kept by the database itself on every change of the journal).
#include "db/Schema.h"

#include <vector>

namespace tanabana::ledger {

db::TableDef journalTable();
db::TableDef journalWorkTable();
db::TableDef settlementTable();
db::TableDef monthBalanceTable();

// Every ledger table of a year database (for the width registry).
std::vector<db::TableDef> ledgerTables();
std::vector<db::MigrationStep> ledgerSteps();

// Recomputes the monthly totals from the journal (after a bulk load that bypassed the triggers,
// or to repair a copy made without them).
void rebuildMonthBalances(db::Database& db);
// Creates the triggers that keep the monthly totals when they are missing (a year copied table
// by table on a server has its tables but not their triggers) and then rebuilds the totals.
// Runs on every opening of a year; costs one catalogue query when all is in place.
void ensureMonthBalances(db::Database& db);

}  // namespace tanabana::ledger
