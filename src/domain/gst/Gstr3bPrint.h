#pragma once
// GSTR-3B on paper: the return's tables as the rows of the layout "GSTR-3B.rpt" (one heading per
// part of the form, the firm's name, address and GSTIN as columns), with "GSTR-3B For The Month
// Of July 2024" as its title.
#include "domain/gst/Gstr3b.h"
#include "domain/reports/ReportService.h"

namespace tanabana::gst {

reports::ReportRequest gstr3bReport(db::Database& db, const Session& session, const Gstr3b& gstr3b);

// Writes the printed return as .pdf, .xlsx or .csv; GstError for another ending or a failed write.
void writeGstr3b(db::Database& db, const Session& session, const Gstr3b& gstr3b, const QString& installFolder, const QString& path);

}  // namespace tanabana::gst
