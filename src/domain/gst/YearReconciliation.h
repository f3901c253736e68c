#pragma once
// The yearly reconciliation of the GST returns: for each of six groups (output tax, input tax and
// reverse-charge purchases, as GSTR-3B and as GSTR-1/GSTR-2 work them out from the books) a group
// row and a row per month of the year, the books' figures beside the figures as filed on the
// portal, which the operator types, ticking the months that agree. Kept in GSTR_Audit per firm
// and year; Refresh works the books' figures out again and keeps what was typed.
//
//   "3. Total Output Tax (Sales) [GSTR-3B]", July: taxable 8,13,740.38, IGST 23,912.02, CGST
//   8,737.50, SGST 8,737.50; filed 8,13,740.38 ... ticked.
#include "core/Messages.h"
#include "domain/gst/Gstr1.h"
#include "domain/gst/ReturnWorkbook.h"

namespace tanabana::gst {

struct ReconciliationRow {
    bool group = false;    // the group's total row
    int groupNo = 0;       // 1 .. 6
    QString groupText;
    int month = 0;         // calendar month (0 on a group row)
    QString monthName;     // "April"
    int order = 0;         // DtlSrno: 0 on the group row, 1 (April) .. 12 (March)
    Decimal taxable, igst, cgst, sgst, cess;            // the books
    Decimal taxableO, igstO, cgstO, sgstO, cessO;        // as filed
    bool ok = false;
};

// The six groups in order.
const QStringList& reconciliationGroups();

class YearReconciliation {
public:
    YearReconciliation(db::Database& db, const Session& session, Messages& messages) : db_(db), session_(session), messages_(messages) {}

    // The kept rows of the year, group by group (each group's row first); empty when never refreshed.
    std::vector<ReconciliationRow> rows() const;
    // Works the books' figures out for every month again and keeps them with the typed ones;
    // nothing when the year is closed.
    std::optional<std::vector<ReconciliationRow>> refresh();
    // Keeps the filed figures and ticks of the month rows given (group rows are their sums).
    bool save(const std::vector<ReconciliationRow>& rows);
    // Deletes the year's rows after "Are you sure to delete this Year Entry ?".
    bool deleteYear();

private:
    int yearId() const;
    std::vector<ReconciliationRow> computeBooks() const;
    void writeGroupTotals();

    db::Database& db_;
    const Session& session_;
    Messages& messages_;
};

const ReturnTemplate& reconciliationTemplate();
// "Summery": the group rows; "Detail Of GSTR-1": every row.
std::vector<std::vector<QStringList>> reconciliationWorkbookRows(const std::vector<ReconciliationRow>& rows);

}  // namespace tanabana::gst
