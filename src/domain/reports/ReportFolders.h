#pragma once
// Where report layouts and spreadsheet templates are found, and where exported files go.
// Layouts ship with the program (the reports folder beside the programs); a copy of a layout in
// the installation folder's Reports folder takes its place, so a firm can adjust its invoice.
// Callers keep naming layouts as the screens always did ("Acc_Ledger.rpt"); the file read is
// Acc_Ledger.json.
#include <QString>

namespace tanabana::reports {

// The shipped reports folder: $TANABANA_SHARE/reports when set, else beside the executable.
QString shippedReportsFolder();
// The layout file for a name ("Acc_Ledger.rpt", "Acc_Ledger" or "Acc_Ledger.json"): the
// installation's Reports folder first, then the shipped folder; empty when neither has it.
QString findLayoutFile(const QString& installFolder, const QString& layoutName);
// A spreadsheet template ("Sale_Detail.Xlsx"): the installation folder first, then the shipped
// templates folder; file names compare ignoring case. Empty when missing.
QString findTemplateFile(const QString& installFolder, const QString& templateName);
// A file in `folder` whose name equals `fileName` ignoring case; empty when none.
QString findIgnoringCase(const QString& folder, const QString& fileName);
// Creates the folder when it is missing; false when it cannot be made.
bool makeFolderIfMissing(const QString& path);

// Writes a log file afresh (the message channels' logs are rewritten, never appended to).
void rewriteTextFile(const QString& path, const QString& text);

// Output folders under the installation folder.
QString emailExportFolder(const QString& installFolder);   // "Email_Export"
QString whatsAppPdfFolder(const QString& installFolder);   // "WAPDF"

// Where the PDF of a kind of report ("INVOICE_S_GST", "Acc_Ledger") is offered to be saved: the
// folder the operator last saved that kind in, else the operator's Documents folder. The choice is
// kept in the installation's PdfFolders.ini.
QString pdfFolderFor(const QString& installFolder, const QString& kind);
void rememberPdfFolder(const QString& installFolder, const QString& kind, const QString& folder);

}  // namespace tanabana::reports
