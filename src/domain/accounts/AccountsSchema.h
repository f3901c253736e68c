#pragma once
// Tables of the statements and the bank reconciliation: how each bank book's statement file names
// its columns (BankStmtCols), chosen once by the operator and kept for every station.
#include "db/Schema.h"

#include <vector>

namespace tanabana::accounts {

db::TableDef statementColumnsTable();
std::vector<db::MigrationStep> accountsSteps();

}  // namespace tanabana::accounts
