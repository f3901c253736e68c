#pragma once
// What a stock voucher hands to report output: the voucher with its lines, party, firm and book
// in line order, laid out by "Stock_Issue_Voucher" (the loom firm's "Stock_Issue_Voucher_Rapier"
// adds design number, colour and quality type), and the exported file's name:
// "Stock_Issue_No7" or "Stock_Receive_No7".
#include "core/Session.h"
#include "db/Database.h"
#include "domain/reports/ReportService.h"

namespace tanabana::stock {

QString stockVoucherLayoutName(bool rapier);
QString stockVoucherPdfName(db::Database& db, qint64 id);
// Throws reports::ReportError when the voucher is not one of the session's firm.
reports::ReportRequest stockVoucherRequest(db::Database& db, const Session& session, qint64 id, bool rapier = false);
void writeStockVoucherPdf(db::Database& db, const Session& session, qint64 id, const QString& path, bool rapier = false);

}  // namespace tanabana::stock
