#pragma once
// Opens the preview of a master's printed list (brokers, accounts...): print, printer set-up and
// PDF from the preview's buttons. A report that cannot be made (a layout missing, the database
// refusing the query) is told to the operator instead of an empty window.
#include "core/Messages.h"
#include "core/Session.h"
#include "domain/reports/ReportService.h"

#include <QDate>

class QWidget;

namespace tanabana::gui {

// The preview window shown, or null after the operator was told why there is none.
class PreviewWindow;
PreviewWindow* previewReport(Session& session, Messages& messages, const reports::ReportRequest& request,
                             const QString& pdfName, QWidget* parent);

// The "as On" date of a master list: the date the operator logged in with, else today.
QDate listDate(const Session& session);

}  // namespace tanabana::gui
