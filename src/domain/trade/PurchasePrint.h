#pragma once
// What a purchase bill hands to report output: the layout (goods bills "INVOICE_PUR_MKT_GST",
// expense bills "INVOICE_RCM_MKT_GST", with "_" + print type for the second and third print
// types), one query of the bill with its lines, supplier, book and firm, the amount in words as
// the parameter, and the exported file's name "Pur_No -" + number + "_" + supplier.
#include "core/Session.h"
#include "db/Database.h"
#include "domain/reports/ReportService.h"

namespace tanabana::trade {

QString purchaseLayoutName(int printType, bool expenseBill);
QString purchasePdfName(const QString& billNo, const QString& partyName);
// Throws reports::ReportError when the bill is not in the session's firm.
reports::ReportRequest purchaseRequest(db::Database& db, const Session& session, qint64 billId, int printType = 1);
// Writes the bill as a PDF; throws reports::ReportError or db::DbError.
void writePurchasePdf(db::Database& db, const Session& session, const QString& installFolder, qint64 billId, const QString& path,
                      int printType = 1);

}  // namespace tanabana::trade
