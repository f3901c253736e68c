#pragma once
// Removing a saved document: the "used by" refusals asked first (a challan already billed, a
// bill already paid, a taka already sent), then its lines and header go and a row of
// Table_Del_History tells the online copy what to remove, all in the caller's transaction.
//
//   const DocumentTables challan{"ChalanMst", {{"ChalanDtl", "BillMstId"}}, kDeliveryChallanHistory};
//   if (refuseUsed(db, messages, {{"SELECT count(*) FROM ChalanMst WHERE Id = ? AND IsSale <> 0", "No Delete",
//                                  "This Chalan is Already Sold !"}}, id)) return false;
//   deleteDocument(db, challan, id, firmNo);
#include "core/Messages.h"
#include "db/Database.h"

#include <QDate>
#include <QString>
#include <vector>

namespace tanabana::documents {

// Document kinds in the deletion history besides the journal's document types (3 sale ...):
// delivery and production challans carry no journal, so they get numbers of their own.
inline constexpr int kDeliveryChallanHistory = 30;
inline constexpr int kProductionChallanHistory = 60;

struct LineTable {
    QString table;          // ChalanDtl
    QString parentColumn;   // BillMstId
};

struct DocumentTables {
    QString header;                 // ChalanMst
    std::vector<LineTable> lines;
    int historyFormId = 0;          // FormId written to Table_Del_History
    QString keyColumn = QStringLiteral("Id");
};

// A use that forbids the delete: a query counting the uses of the document (its key bound once),
// and the refusal shown when the count is not zero.
struct UsedBy {
    QString countSql;
    QString title;
    QString text;
};

// Shows the first use found and returns true; false when nothing uses the document.
bool refuseUsed(db::Database& db, Messages& messages, const std::vector<UsedBy>& uses, qint64 key);
// Deletes lines and header and writes the history row; call inside the deleting transaction.
void deleteDocument(db::Database& db, const DocumentTables& tables, qint64 key, qint64 firmNo);
void writeDeletionHistory(db::Database& db, qint64 key, qint64 firmNo, int formId);

}  // namespace tanabana::documents

namespace tanabana::documents {

// The outstanding row of a bill carried from an earlier year: what the party still owes (sales,
// book "S") or is owed (purchase, "P") on it, so that receipts and payments can settle it.
struct OpeningOutstanding {
    QString book;          // "S" or "P"
    int tableCode = 0;     // the document type of the bill
    qint64 billId = 0, firmNo = 0, partyId = 0, bookNo = 0;
    QString invoiceType, billNo;
    QDate date;
    double amount = 0;     // already rounded to paise
};
// Replaces the bill's opening outstanding row (in the caller's transaction).
void writeOpeningOutstanding(db::Database& db, const OpeningOutstanding& row);
void removeOpeningOutstanding(db::Database& db, const QString& book, qint64 billId);

}  // namespace tanabana::documents
