#pragma once
// Tables of report output: FormMst, one row per kind of document (sale, purchase, cash receipt
// ...), with the number of copies its print makes (3: the buyer's, the transporter's and the
// office copy). The labels printed on each copy live in FormMst_1 (a shell table).
#include "db/Schema.h"

#include <vector>

namespace tanabana::reports {

db::TableDef formTable();
std::vector<db::TableDef> reportsYearTables();
std::vector<db::MigrationStep> reportsSteps();

}  // namespace tanabana::reports
