#pragma once
// The firm's chart of accounts and its books: accounts and groups (AccMst, with the template
// AccMst_Main that a new firm's chart is copied from), opening balances (AccMstOpBal and its
// report work table) and the sales, purchase, cash and bank books (BookMst).
#include "db/Schema.h"

#include <vector>

namespace tanabana::masters {

const db::TableDef& accMstTable();
const db::TableDef& accMstMainTable();
const db::TableDef& accMstOpBalTable();
const db::TableDef& accMstOpBalTempTable();
const db::TableDef& bookMstTable();

// Every table of this subsystem, for the column-width registry.
std::vector<const db::TableDef*> mastersTables();

// Migration steps of the year database, in order.
std::vector<db::MigrationStep> mastersSteps();

}  // namespace tanabana::masters
