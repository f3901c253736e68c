#pragma once
// The tables of credit and debit notes (CNMst header, CNDtl the one referred bill) and the marks
// returns and notes leave on the bills they touch. Sales and purchase returns live in the bill
// tables themselves (SalBillMst FormId 4, BillMst FormId 2).
#include "db/Schema.h"

#include <vector>

namespace tanabana::returns {

const db::TableDef& cnMstTable();
const db::TableDef& cnDtlTable();

// Every table of this subsystem, for the width registry.
std::vector<const db::TableDef*> returnTables();
std::vector<db::MigrationStep> returnSteps();

}  // namespace tanabana::returns
