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

// The sales bill's form: the tax invoice.
inline constexpr qint64 kTaxInvoiceForm = 3;

// The label a new copy gets: the tax invoice's "ORIGINAL FOR RECIPIENT", "DUPLICATE FOR
// TRANSPORTER", "TRIPLICATE FOR SUPPLIER", else the copy's number.
QString defaultCopyLabel(qint64 formId, int copyNumber);
// Names the tax invoice's copies still labelled by their bare number ("1", "2", "3").
void nameTaxInvoiceCopies(db::Database& db);
// Adds the labels 1..copies a form lacks in FormMst_1 (their default labels).
void addMissingLabels(db::Database& db, qint64 formId, int copies);
// Gives every form with copies its missing labels; run at start-up.
void fillMissingCopyNames(db::Database& db);

}  // namespace tanabana::reports
