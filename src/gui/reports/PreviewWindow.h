#pragma once
// The report preview ("PREVIEW"): the pages of one report as they will print, with Print (all
// pages on the current printer, no dialog), Set Printer, PDF and Excel export under the suggested
// name (firm name + "_" + the report's own part) and Close. Several previews can be open at once;
// each keeps its own report, rows and printer choice.
#include "core/Session.h"
#include "domain/reports/ReportService.h"

#include <QPointer>
#include <QPrinter>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>

class QLabel;
class QPushButton;
class QScrollArea;
class QComboBox;

namespace tanabana::gui {

class PageView;

class PreviewWindow : public QWidget {
    Q_OBJECT
public:
    explicit PreviewWindow(const Session& session, QWidget* parent = nullptr);
    ~PreviewWindow() override;

    // The caller's parameter values, filled before showForm and emptied by it.
    QStringList parameterValues;
    // The report's own part of the suggested PDF name ("Ledger_Ramesh Shah").
    QString reportPdfName;

    // Runs the query, reads the layout, fills the parameters and shows the pages. On a failure
    // nothing is shown, reportFailed carries the reason and false comes back.
    bool showForm(const QString& layoutName, const QString& sql, const QVariantList& sqlParams = {},
                  const QString& picturePath = {});
    // A layout that needs no rows (forms, labels).
    bool showBlank(const QString& layoutName);
    bool showRequest(reports::ReportRequest request);
    // A document printed in several copies (a tax invoice: original, duplicate, triplicate): a
    // box per copy label above the pages, all ticked; the pages shown, printed and saved are
    // those of the ticked copies, made again by `request` from their numbers (1 the first copy).
    bool showCopies(const QStringList& labels, std::function<reports::ReportRequest(const QList<int>&)> request);
    // The copy numbers ticked now (empty when the report has no copies to choose).
    QList<int> chosenCopies() const;

    reports::ReportDocument* document() const { return document_.get(); }
    const QString& lastError() const { return lastError_; }
    QPrinter& printer() { return printer_; }
    QString suggestedPdfName() const;
    // How the PDF export asks for the file (a save dialog; tests answer directly). Empty = cancel.
    void setFileAsker(std::function<QString(const QString& suggestedPath)> asker) { askFile_ = std::move(asker); }
    int currentPage() const;
    // How the window is put on screen the first time (ReportSlots passes the main window's way).
    std::function<void(QWidget*)> present;

public slots:
    void printAll();
    void setUpPrinter();
    void exportPdf();
    // The same report as a workbook, amounts kept as numbers.
    void exportXlsx();

signals:
    void reportFailed(const QString& reason);
    void printed(int pages);
    void pdfExported(const QString& path);
    void xlsxExported(const QString& path);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildToolbar();
    void showDocument();
    void applyZoom();

    const Session& session_;
    std::unique_ptr<reports::ReportDocument> document_;
    QString lastError_;
    QPrinter printer_{QPrinter::HighResolution};
    std::function<QString(const QString&)> askFile_;
    QScrollArea* scroll_ = nullptr;
    PageView* view_ = nullptr;
    QLabel* pageLabel_ = nullptr;
    QComboBox* zoom_ = nullptr;
    bool presented_ = false;
    QWidget* copiesBar_ = nullptr;
    std::function<reports::ReportRequest(const QList<int>&)> copiesRequest_;
};

// The preview windows of a session: each report opens in the next of fifty slots (the 51st
// report reuses the first slot's window, replacing its report when still open).
class ReportSlots : public QObject {
    Q_OBJECT
public:
    explicit ReportSlots(const Session& session, QObject* parent = nullptr);
    ~ReportSlots() override;

    // Advances the slot (0..49, after 49 comes 0) and returns its window, made when missing.
    PreviewWindow* next();
    int slot() const { return slot_; }
    PreviewWindow* at(int index) const;

    // How a new window is put on screen (the main window opens it inside its work area).
    std::function<void(QWidget*)> present;
    // Where a report's failure is told (the main window's status bar); the log always gets it.
    std::function<void(const QString&)> onError;

private:
    const Session& session_;
    int slot_ = 0;
    std::array<QPointer<PreviewWindow>, 51> windows_{};
};

// Prints all pages of a report on the printer as it is set up, without a dialog; throws
// ReportError when the printer cannot start.
void printReport(reports::ReportDocument& document, QPrinter& printer);

// The hidden PDF for e-mail: written to Email_Export under the installation folder, then the
// folder is opened so the operator can attach the file. False (and `onError` told) on a failure.
bool emailPdf(const Session& session, reports::ReportRequest request, const QString& fileName,
              const std::function<void(const QString&)>& onError = {});
// The hidden PDF for WhatsApp (also with the e-invoice picture): written to WAPDF; its path, or
// empty on a failure.
QString whatsAppPdf(const Session& session, reports::ReportRequest request, const QString& fileName,
                    const std::function<void(const QString&)>& onError = {});

}  // namespace tanabana::gui
