#include "gui/reports/MasterPrints.h"

#include "gui/reports/PreviewWindow.h"

namespace tanabana::gui {

PreviewWindow* previewReport(Session& session, Messages& messages, const reports::ReportRequest& request,
                             const QString& pdfName, QWidget* parent) {
    auto* preview = new PreviewWindow(session, parent ? parent->window() : nullptr);
    preview->setAttribute(Qt::WA_DeleteOnClose);
    preview->setWindowFlag(Qt::Window);
    preview->reportPdfName = pdfName;
    preview->parameterValues = request.parameterValues;  // the preview hands its own values to the report
    if (!preview->showRequest(request)) {
        messages.critical(QStringLiteral("Report"), preview->lastError());
        preview->close();
        return nullptr;
    }
    preview->show();
    return preview;
}

QDate listDate(const Session& session) { return session.loginDate.isValid() ? session.loginDate : QDate::currentDate(); }

}  // namespace tanabana::gui
