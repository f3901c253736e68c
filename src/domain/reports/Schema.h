#pragma once
// Tables of report output: FormMst, one row per kind of document (sale, purchase, cash receipt
// ...), with the number of copies its print makes (3: the buyer's, the transporter's and the
// office copy). The labels printed on each copy live in FormMst_1 (a shell table).
#include "db/Database.h"
#include "db/Schema.h"

#include <vector>

namespace tanabana::reports {

db::TableDef formTable();
std::vector<db::TableDef> reportsYearTables();
std::vector<db::MigrationStep> reportsSteps();

// Adds the labels 1..copies a form lacks in FormMst_1 (the number as label).
void addMissingLabels(db::Database& db, qint64 formId, int copies);
// Gives every form with copies its missing labels (1..copies, the number as label); run at start-up.
void fillMissingCopyNames(db::Database& db);

}  // namespace tanabana::reports
