#pragma once
// Reconciling the purchase books with what the suppliers reported on the portal (GSTR-2A, or
// GSTR-2B, which decides the input credit). An import keeps the portal's invoices of one return
// period; a later import of the same return and period replaces it. Matching then pairs each
// portal invoice with the purchase bill of the same supplier GSTIN, date, bill number and amount
// and marks both (Is_GSTR2A); a second, tolerant pass proposes pairs whose numbers differ only in
// a prefix, zeros or separators ("SW/0042" and "SW-42") and whose amounts differ by a rupee or
// less, which the operator confirms or rejects. Confirmed and rejected pairs survive a re-match.
//
//   MY/55 of 10-07-2024 from Mumbai Yarn Traders, 5,250.00 in the books and on the portal: matched.
//   SW/0042 of 15-07-2024, 10,920.00 in the books; SW-42, 10,920.50 on the portal: proposed.
#include "core/Messages.h"
#include "core/Session.h"
#include "db/Database.h"
#include "domain/gst/Gstr1.h"
#include "domain/gst/PortalInvoices.h"

namespace tanabana::gst {

// How a portal invoice stands against the books (kept in GSTR2_A.MatchKind).
enum class MatchState {
    None,       // not found in the books
    Exact,      // "E": same GSTIN, date, number and amount
    Proposed,   // "P": the tolerant pass's proposal, waiting for the operator
    Confirmed,  // "C": a proposal the operator accepted
    Rejected,   // "R": a proposal the operator refused; not proposed again
};

// One portal row (an invoice at one rate) with the bill it stands against.
struct PortalRow : PortalInvoiceLine {
    qint64 id = 0;
    qint64 billId = 0;  // the matched or proposed bill
    MatchState state = MatchState::None;
    QString statusText;  // "Matched", "Proposed: MY-55 of 10-07-2024, 5,250.00", "Not in books"
    bool matched() const { return state == MatchState::Exact || state == MatchState::Confirmed; }
};

// One purchase bill of a registered supplier.
struct BookBill {
    qint64 id = 0;
    QString gstin, supplier, billNo, invoiceType;
    QDate date;
    Decimal value, rate, taxable, igst, cgst, sgst;
    QString placeOfSupply;
    bool reverseCharge = false;
    bool ticked = false;  // Is_GstR2A: matched (with this or another period's data) or ticked by the operator
    MatchState state = MatchState::None;  // against this import
    QString statusText;
    // Settled: found on the portal (exactly or confirmed) or ticked by the operator.
    bool matched() const { return state == MatchState::Exact || state == MatchState::Confirmed || ticked; }
};

struct Reconciliation {
    PortalReturn kind = PortalReturn::Gstr2A;
    ReturnPeriod period;
    int batch = 0;  // RefNO of the import, 0 when nothing is imported for the period
    std::vector<BookBill> books;     // ordered by supplier, date, number
    std::vector<PortalRow> portal;   // the same order
    int portalInvoices = 0, portalMatched = 0, portalProposed = 0;
    int bookBills = 0, bookMatched = 0;
    // "GSTR-2A: 6 invoices on the portal, 3 matched, 1 proposed; 5 bills in the books, 3 matched"
    QString summary() const;
};

struct MatchResult {
    int matched = 0, proposed = 0, unmatched = 0;  // portal invoices
};

class PortalMatching {
public:
    PortalMatching(db::Database& db, const Session& session, Messages& messages) : db_(db), session_(session), messages_(messages) {}

    // Keeps the file's invoices as the import of `kind` for the period, replacing an earlier one;
    // the number of rows kept. GstError for a bad file or a period outside the year or not the
    // file's own; nothing when the year is closed (refused with its message). Nothing is kept
    // from a file refused.
    std::optional<int> importFile(PortalReturn kind, const ReturnPeriod& period, const QString& path);
    // The same for invoices already read.
    std::optional<int> importLines(PortalReturn kind, const ReturnPeriod& period, const std::vector<PortalInvoiceLine>& lines);
    // Removes the period's import (after the operator's yes) and the marks it set on the bills.
    bool deleteImport(PortalReturn kind, const ReturnPeriod& period, bool askFirst = true);

    // Matches the period's import with the purchase bills; nothing when nothing is imported
    // (GstError) or the year is closed.
    std::optional<MatchResult> match(PortalReturn kind, const ReturnPeriod& period);
    // Accepts or refuses the proposal of the invoice that portal row `rowId` belongs to.
    bool confirm(qint64 rowId);
    bool reject(qint64 rowId);
    // The operator's tick on a bill of the books' grid.
    bool tickBill(qint64 billId, bool ticked);

    Reconciliation view(PortalReturn kind, const ReturnPeriod& period) const;

private:
    int batchOf(PortalReturn kind, const ReturnPeriod& period) const;
    bool setProposal(qint64 rowId, MatchState to);
    void refreshBillMarks(const std::vector<qint64>& bills);

    db::Database& db_;
    const Session& session_;
    Messages& messages_;
};

// The mismatches of a reconciliation (bills not on the portal, portal invoices not in the books,
// proposals not yet confirmed) as a workbook with the sheet "ONLINE MIS-MATCH"; GstError when it
// cannot be written.
void writeMismatches(const Reconciliation& reconciliation, const QString& firmName, const QString& path);
// What the operator is told after an import: "GSTR2 A Imported".
QString importedText(PortalReturn kind);

// The workbook's usual name: KNVS_GSTR2A_MISMATCH_Jul-2024.XLSx.
QString mismatchFileName(const Reconciliation& reconciliation);

}  // namespace tanabana::gst
