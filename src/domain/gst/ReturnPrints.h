#pragma once
// The returns on paper: the rows each return screen shows, handed to its layout with the firm's
// name, address and GSTIN as columns and the period in the title, so View Report previews,
// prints and exports them like every other report:
//
//   GSTR-2 of July 2024 -> "GSTR_Sections.rpt", section B2B: 27AABCM9876C1Z7  Mumbai Yarn Traders  MY/55
//   10-07-2024 ... 5,250.00  5  5,000.00  250.00, under "GSTR-2 For The Month Of July 2024".
//
// GSTR-1 and GSTR-2 print each section under its own captions (invoices, notes, exempt supplies,
// the HSN summary differ in shape); ITC-04, GSTR-9 and the GST summary are registers by table.
#include "domain/gst/GstSummary.h"
#include "domain/gst/Gstr2.h"
#include "domain/gst/Gstr9.h"
#include "domain/gst/Itc04.h"
#include "domain/gst/PortalMatching.h"
#include "domain/gst/YearReconciliation.h"
#include "domain/reports/ReportService.h"

namespace tanabana::gst {

// GSTR-1 and GSTR-2 print every section under its own captions with "GSTR_Sections.rpt".
reports::ReportRequest gstr1Report(db::Database& db, const Session& session, const Gstr1& gstr1);
reports::ReportRequest gstr2Report(db::Database& db, const Session& session, const Gstr2& gstr2);
reports::ReportRequest itc04Report(db::Database& db, const Session& session, const Itc04& itc04);
reports::ReportRequest gstr9Report(db::Database& db, const Session& session, const Gstr9& gstr9);
// "1. Summary" prints with "GST_Summary.rpt", every other kind row by row with "GST_Summary_Detail.rpt".
reports::ReportRequest gstSummaryReport(db::Database& db, const Session& session, const ReturnPeriod& period, const QString& kind,
                                        const std::vector<TaxRateRow>& rows);

// The yearly reconciliation with "GST_Reconciliation.rpt": each group's months, the books' and
// the filed figures side by side with the difference of tax, the group's total under them.
reports::ReportRequest reconciliationReport(db::Database& db, const Session& session, const std::vector<ReconciliationRow>& rows);

// The purchase bills and the portal's invoices of a period side by side with "GSTR2A_Matching.rpt",
// each with its state; only those not settled when `onlyMismatches`.
reports::ReportRequest matchingReport(db::Database& db, const Session& session, const Reconciliation& matching, bool onlyMismatches);

// The title line of a return's print: "GSTR-2 For The Month Of July 2024" for a whole month,
// else "GSTR-2 From 01-07-2024 To 30-09-2024".
QString returnTitle(const QString& returnName, const ReturnPeriod& period);

// Writes a printed return as .pdf or .xlsx (by the file's ending); GstError for another ending,
// a layout that cannot be read or a file that cannot be written.
void writeReturnReport(const reports::ReportRequest& request, const QString& installFolder, const QString& path);

}  // namespace tanabana::gst
