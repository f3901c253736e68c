#pragma once
// Print and PDF buttons of the selling screens: the document goes through report output, either
// to the printer (after the printer dialog) or as the PDF for e-mail in Email_Export.
#include "core/Messages.h"
#include "core/Session.h"
#include "db/Database.h"

class QWidget;

namespace tanabana::reports {
struct ReportRequest;
}

namespace tanabana::gui {

// `printType` 1..3 chooses the invoice layout ("INVOICE_S_GST", "INVOICE_S1_GST", "INVOICE_P_GST").
void printInvoice(db::Database& db, Session& session, Messages& messages, qint64 billId, bool pdf, QWidget* parent, int printType = 1);
void printChallan(db::Database& db, Session& session, Messages& messages, qint64 challanId, bool pdf, QWidget* parent);
// A purchase bill: goods bills "INVOICE_PUR_MKT_GST", expense bills "INVOICE_RCM_MKT_GST", print
// types 2 and 3 their second and third layouts; the PDF is "Pur_No -<number>_<supplier>".
void printPurchase(db::Database& db, Session& session, Messages& messages, qint64 billId, bool pdf, QWidget* parent, int printType = 1);
// Any document's request through the same preview, or to a PDF named `pdfName` for e-mail.
void printDocumentRequest(db::Database& db, Session& session, Messages& messages, const reports::ReportRequest& request, const QString& pdfName,
                          bool pdf, QWidget* parent);
void printProduction(db::Database& db, Session& session, Messages& messages, qint64 productionId, QWidget* parent);

}  // namespace tanabana::gui
