#include "gui/trade/TradePrinting.h"

#include "domain/reports/PrintCopies.h"
#include "domain/reports/ReportError.h"
#include "domain/reports/ReportService.h"
#include "domain/documents/Lookups.h"
#include "domain/trade/PurchaseInvoices.h"
#include "domain/trade/PurchasePrint.h"
#include "domain/trade/TradePrint.h"
#include "gui/reports/PreviewWindow.h"

#include <QDesktopServices>
#include <QUrl>

namespace tanabana::gui {

namespace {

// `copies`: the copy labels the operator may choose among in the preview, with the request for
// the chosen copy numbers.
struct CopyChoice {
    QStringList labels;
    std::function<reports::ReportRequest(const QList<int>&)> request;
};

void output(db::Database& db, Session& session, Messages& messages, const reports::ReportRequest& request, const QString& pdfName,
            bool pdf, QWidget* parent, const CopyChoice& copies = {}) {
    reports::ReportService service(session.dataRoot);
    try {
        if (pdf) {
            const QString folder = service.exportForEmail(&db, request, pdfName + QStringLiteral(".pdf"));
            QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
            messages.information(QStringLiteral("PDF"), QStringLiteral("PDF is saved in ") + folder);
            return;
        }
        // The preview prints, sets up the printer and exports, as every report of the program does.
        auto* preview = new PreviewWindow(session, parent ? parent->window() : nullptr);
        preview->setAttribute(Qt::WA_DeleteOnClose);
        preview->setWindowFlag(Qt::Window);
        preview->reportPdfName = pdfName;
        const bool shown = copies.labels.size() > 1 ? preview->showCopies(copies.labels, copies.request) : preview->showRequest(request);
        if (!shown) {
            messages.critical(QStringLiteral("Report"), preview->lastError());
            preview->close();
            return;
        }
        preview->show();
    } catch (const reports::ReportError& error) {
        messages.critical(QStringLiteral("Report"), error.text());
    } catch (const db::DbError& error) {
        messages.critical(QStringLiteral("Report"), QString::fromUtf8(error.what()));
    }
}

}  // namespace

void printInvoice(db::Database& db, Session& session, Messages& messages, qint64 billId, bool pdf, QWidget* parent, int printType) {
    const QString pdfName = trade::invoicePdfNameOf(db, billId);
    if (pdfName.isEmpty()) return;
    try {
        // the operator ticks the copies to print or save in the preview
        CopyChoice copies;
        for (const reports::CopyLabel& label : reports::copyLabels(db, reports::kTaxInvoiceForm)) copies.labels << label.label;
        copies.request = [&db, &session, billId, printType](const QList<int>& chosen) {
            return trade::invoiceRequest(db, session, billId, printType, chosen);
        };
        output(db, session, messages, trade::invoiceRequest(db, session, billId, printType),
               pdfName, pdf, parent, copies);
    } catch (const reports::ReportError& error) {
        messages.critical(QStringLiteral("Report"), error.text());
    }
}

void printChallan(db::Database& db, Session& session, Messages& messages, qint64 challanId, bool pdf, QWidget* parent) {
    const QString pdfName = trade::challanPdfNameOf(db, challanId);
    if (pdfName.isEmpty()) return;
    output(db, session, messages, trade::challanRequest(db, session, challanId), pdfName, pdf, parent);
}

void printPurchase(db::Database& db, Session& session, Messages& messages, qint64 billId, bool pdf, QWidget* parent, int printType) {
    const auto bill = trade::PurchaseInvoices(db, session, messages).load(billId);
    if (!bill) return;
    const auto party = documents::partyById(db, session.firmNo, bill->partyId);
    try {
        output(db, session, messages, trade::purchaseRequest(db, session, billId, printType),
               trade::purchasePdfName(bill->billNo, party ? party->name : QString()), pdf, parent);
    } catch (const reports::ReportError& error) {
        messages.critical(QStringLiteral("Report"), error.text());
    }
}

void printDocumentRequest(db::Database& db, Session& session, Messages& messages, const reports::ReportRequest& request, const QString& pdfName,
                          bool pdf, QWidget* parent) {
    output(db, session, messages, request, pdfName, pdf, parent);
}

void printProduction(db::Database& db, Session& session, Messages& messages, qint64 productionId, QWidget* parent) {
    output(db, session, messages, trade::productionRequest(db, session, productionId), QString(), false, parent);
}

}  // namespace tanabana::gui
