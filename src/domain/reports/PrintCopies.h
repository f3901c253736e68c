#pragma once
// How many copies a document prints and what each copy says on top: a sales bill printing 3
// copies labelled "ORIGINAL FOR RECIPIENT", "DUPLICATE FOR TRANSPORTER" and "TRIPLICATE FOR
// SUPPLIER", as the invoice rules of GST ask of goods that travel.
// The settings screen changes the count and the labels; document screens read the labels to
// offer the copy to print.
#include "core/Messages.h"
#include "db/Database.h"
#include "domain/reports/Schema.h"

#include <QString>
#include <vector>

namespace tanabana::reports {

struct PrintForm {
    qint64 id = 0;
    QString name;
    int copies = 0;
};

struct CopyLabel {
    int number = 0;  // 1..copies
    QString label;
};

// Forms in Id order ("select Id,PName,PrnNO from FormMst").
std::vector<PrintForm> printForms(db::Database& db);
// Copies a form prints (0 for an unknown form).
int printCopies(db::Database& db, qint64 formId);
// The copy labels of a form with their numbers, in copy order (the settings grid).
std::vector<CopyLabel> copyLabels(db::Database& db, qint64 formId);

// Sets the number of copies: labels above the new count go, missing ones are added with their
// number as label. A count below 1 is refused ("Total Print No Is More then 1 ", "Not Updated").
bool saveCopyCount(db::Database& db, Messages& messages, qint64 formId, int copies);
// Renames one copy; an empty label is refused ("Print Name Should Not Be Empty", "No Print Name").
bool saveCopyName(db::Database& db, Messages& messages, qint64 formId, int copyNumber, const QString& label);

}  // namespace tanabana::reports
