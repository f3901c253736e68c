#pragma once
// What a return hands to report output: sales returns "INVOICE_SR_MKT_GST_" + print type, purchase
// returns "INVOICE_PR_MKT_GST" (print types 2 and 3 add "_2", "_3"), one query of the return with
// its lines, party, book and firm, the amount in words as the parameter, and the exported file's
// name "Sales_InvRetNo-" (or "Pur_InvRetNo-") + number.
#include "core/Session.h"
#include "db/Database.h"
#include "domain/reports/ReportService.h"

namespace tanabana::returns {

QString returnLayoutName(bool sales, int printType);
QString returnPdfName(bool sales, const QString& returnNo);
// Throws reports::ReportError when the return is not in the session's firm.
reports::ReportRequest returnRequest(db::Database& db, const Session& session, bool sales, qint64 returnId, int printType = 1);
void writeReturnPdf(db::Database& db, const Session& session, const QString& installFolder, bool sales, qint64 returnId, const QString& path,
                    int printType = 1);

}  // namespace tanabana::returns
