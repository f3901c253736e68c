#pragma once
// A report layout written as a spreadsheet instead of pages: the same bands in the same order,
// each line of a band one row, each field in the column of the detail field it stands over.
// Amounts stay numbers (with their decimals) so the accountant can add them up again.
#include <QString>

namespace tanabana::reports {

class ReportDocument;

// Throws ReportError when the file cannot be written.
void writeReportXlsx(const ReportDocument& document, const QString& path);

}  // namespace tanabana::reports
