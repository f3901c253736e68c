#pragma once
// What sales and purchase returns share: the adjustment of a return against the party's open bills
// and the rules that guard it. A return's adjustments are Acc_OutSt rows of its own type (4 or 2)
// and key, marked IsRet; an edit takes them back and writes the new ones in its transaction.
#include "core/Messages.h"
#include "core/Session.h"
#include "db/Database.h"
#include "domain/returns/GoodsReturns.h"

namespace tanabana::returns {

// Which return: its bill tables, its document type and the words of its refusals.
struct ReturnKind {
    vouchers::BillBook book;
    int formId = 0;
    QString table;        // SalBillMst / BillMst
    QString lineTable;    // SalBillDtl / BillDtl
    QString bookColumn;   // BookNO / BookId
    QString sourceColumn; // AGAINST / Pur_Bill_No: the bill the goods came from
    QString adjustTitle;  // "Adjust Again Sales"
    QString deletedText;  // "Sales IS Deleted!"
};
const ReturnKind& salesReturnKind();
const ReturnKind& purchaseReturnKind();

// The return's settling entry (one entry, serial 1, made by a return).
vouchers::SettlingEntry returnEntry(const ReturnKind& kind, qint64 id, const QDate& date, qint64 partyId, qint64 firmNo);

// True after "Adjust Again ..." / "First Delete Payment Detail": a bill the return settled has
// been settled further by another entry since, so the return's adjustment can no longer change.
bool refusePaidFurther(db::Database& db, Messages& messages, const ReturnKind& kind, qint64 id, qint64 firmNo);

// True after "BillDate Validate": the return is dated before the bill the goods came from or
// before one of the bills it settles.
bool refuseEarlierThanBills(db::Database& db, Messages& messages, const ReturnKind& kind, const QDate& date,
                            const QString& sourceBillNo, const QDate& sourceBillDate, const std::vector<Adjustment>& adjustments);

// The party's open bills and, for a saved return, the bills it settles (closed or not), each
// with the return's own adjustment counted as unpaid again, by date.
std::vector<vouchers::OpenBill> billsToAdjust(db::Database& db, const ReturnKind& kind, qint64 firmNo, qint64 partyId, qint64 returnId);

// The return's adjustments as saved.
std::vector<Adjustment> adjustmentsOf(db::Database& db, const ReturnKind& kind, qint64 id, qint64 firmNo);

// Inside the saving transaction: the old adjustments go back to their bills and the new ones are
// written; throws vouchers::Refusal. Returns the amount adjusted.
Decimal readjust(db::Database& db, const ReturnKind& kind, const vouchers::SettlingEntry& entry, Decimal returnAmount,
                 const std::vector<Adjustment>& adjustments);

// Asks the delete question, then inside one transaction takes back the adjustments and deletes
// the return with its journal; "... IS Deleted!" at the end. False after a refusal or No.
bool removeReturn(db::Database& db, Session& session, Messages& messages, const ReturnKind& kind, qint64 id);

// The saved-returns page of the screen's list and the command line's list.
documents::DocumentPage listReturns(db::Database& db, const ReturnKind& kind, qint64 firmNo, const documents::ListFilter& filter);
std::vector<SavedReturn> allReturns(db::Database& db, const ReturnKind& kind, qint64 firmNo);

// Shows a refusal raised inside a saving transaction (nothing is kept).
void show(Messages& messages, const vouchers::Refusal& refusal);

}  // namespace tanabana::returns
