#pragma once
// What the selling documents hand to report output: the layout chosen by the print type and the
// firm's software type, one query whose columns the layout binds (firm, party, bill, lines, copy
// label), the parameters, and the names of exported files.
//
// A sales invoice prints one page set per copy label of form 3 ("ORIGINAL FOR RECIPIENT",
// "DUPLICATE FOR TRANSPORTER" ...), or the copies the operator chose, with the place of supply,
// the amount in words and the party's balance up to the bill date.
#include "core/Session.h"
#include "db/Database.h"
#include "domain/reports/ReportService.h"

#include <QList>
#include <optional>

namespace tanabana::trade {

// "INVOICE_S_GST", "INVOICE_S1_GST", "INVOICE_P_GST" for print types 1..3, in their "_Embro"
// form unless the software type is 3 or 4; rapier firms (9) "INVOICE_Rapier_GST_<n>"; a bill with
// an IRN the "_e" variants. A name the installation has no layout for falls back to INVOICE_S_GST.
QString invoiceLayoutName(int printType, int softType, bool hasIrn);
// The request for one bill; `copyNumbers` (1 the original ...) prints those copies only, empty all.
reports::ReportRequest invoiceRequest(db::Database& db, const Session& session, qint64 billId, int printType = 1,
                                      const QList<int>& copyNumbers = {});
// "Sales_InvNo-" + bill number + "_" + party, safe as a file name.
QString invoicePdfName(const QString& billNo, const QString& partyName);
// The same for a saved bill by its key; empty when there is no such bill.
QString invoicePdfNameOf(db::Database& db, qint64 billId);
// Writes the invoice of `billId` as a PDF; throws reports::ReportError or db::DbError.
void writeInvoicePdf(db::Database& db, const Session& session, const QString& installFolder, qint64 billId, const QString& path,
                     int printType = 1, const QList<int>& copyNumbers = {});

// "Chalan" + print type ("" for the first), "_Embro" unless software type 3 or 4, "_Rapier" for
// a challan of takas; falls back to "Chalan.rpt".
QString challanLayoutName(int printType, int softType, bool fromTakas);
reports::ReportRequest challanRequest(db::Database& db, const Session& session, qint64 challanId, int printType = 1);
QString challanPdfName(const QString& challanNo, const QString& partyName);
QString challanPdfNameOf(db::Database& db, qint64 challanId);
// Writes the challan of `challanId` as a PDF; throws reports::ReportError or db::DbError.
void writeChallanPdf(db::Database& db, const Session& session, const QString& installFolder, qint64 challanId, const QString& path,
                     int printType = 1);

// "Produ_Rapier.rpt" with the title "ProdChNo -" + challan number.
reports::ReportRequest productionRequest(db::Database& db, const Session& session, qint64 productionId);

// The layout to use: `wanted` when the installation or the shipped folder has it, else `fallback`.
QString availableLayout(const QString& installFolder, const QString& wanted, const QString& fallback);

}  // namespace tanabana::trade
