#pragma once
// What a mill challan hands to report output: the issue ("Issue_JobWork_Mill", or
// "Issue_JobWork_Mill_" + n for print type n) or the receipt ("Issue_JobWork_Mill_Rec", "_1",
// "_2"), one query of the challan with its takas, mill, quality and firm, and the exported
// file's name: "Job_Process_Issue_No" + challan number, "Job_Process_Rec_No" + number. A bleaching
// firm's challans print "Issue_JobWork_Iss_BL_" + n and "Issue_JobWork_Rec_BL_" + n (the plain
// layout of that type when the installation has none). An issue
// also goes to the mill by WhatsApp as "Mill_Issue_ChNo_<number>_<mill>", to its `WMbNo`.
#include "core/Messages.h"
#include "core/Session.h"
#include "db/Database.h"
#include "domain/reports/ReportService.h"

#include <QDateTime>

namespace tanabana::mill {

QString millIssueLayoutName(int printType, bool bleaching = false);
QString millReceiptLayoutName(int printType, bool bleaching = false);
QString millIssuePdfName(qint64 challanNo);
QString millReceiptPdfName(qint64 challanNo);
// Throws reports::ReportError when the challan is not one of the session's firm.
reports::ReportRequest millIssueRequest(db::Database& db, const Session& session, qint64 issueId, int printType = 1, bool bleaching = false);
reports::ReportRequest millReceiptRequest(db::Database& db, const Session& session, qint64 receiptId, int printType = 1,
                                          bool bleaching = false);
// The PDF name of a challan of either kind (issue or receipt by its form).
QString millPdfName(db::Database& db, qint64 id);
reports::ReportRequest millRequest(db::Database& db, const Session& session, qint64 id, int printType = 1, bool bleaching = false);
void writeMillPdf(db::Database& db, const Session& session, qint64 id, const QString& path, int printType = 1, bool bleaching = false);

// The quality-wise job-process challans: "Issue_JobWork" (print type n: "_n") for both the
// outward and the inward challan, named "Job_Work_Issue_No<n>" and "Job_Work_Rec_No<n>".
QString jobProcessLayoutName(int printType);
QString jobProcessPdfName(db::Database& db, qint64 id);
reports::ReportRequest jobProcessRequest(db::Database& db, const Session& session, qint64 id, int printType = 1);

// Sends the issue's PDF to the mill's WhatsApp number (asked for when the mill has none); false
// after a refusal shown to the operator.
bool sendMillIssueWhatsApp(db::Database& db, const Session& session, Messages& messages, qint64 issueId,
                           const QDateTime& now = QDateTime::currentDateTime());

}  // namespace tanabana::mill
