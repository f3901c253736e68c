#pragma once
// The returns as workbooks: our own templates, laid out like the portal's published workbooks
// (a title row over each sheet's captions, the rows under them), shipped in the templates folder
// beside the program; a copy in the installation folder takes its place, so a firm may adjust one.
// Excel on a return's screen copies its template into the installation's Knvs_GSTR folder with
// the return's rows under each sheet's captions:
//
//   KNVS_GSTR-2.XLSx -> Knvs_GSTR/KNVS_GSTR-2_Jul-2024.XLSx, sheet "B2B" row 5: 27AABCM9876C1Z7, MY/55, ...
//
// A template that is missing stops the export with the return's own message
// ("Original GSTR-2 Document File not found !", "Master Excel File Missing ").
#include "domain/gst/Gstr1.h"
#include "domain/gst/Gstr2.h"

namespace tanabana::gst {

struct ReturnTemplate {
    QString file;         // "KNVS_GSTR-2.XLSx"
    QString outputStem;   // "KNVS_GSTR-2_": the workbook written is stem + "Jul-2024" + ".XLSx"
    QString missingText;  // "Original GSTR-2 Document File not found !"
    std::vector<ReturnSheet> sheets;
    QStringList titles;   // one per sheet, over its captions
};

// The template could not be found: `text()` is the return's message, shown under kTemplateMissingTitle.
class TemplateMissing : public GstError {
public:
    using GstError::GstError;
};
inline const QString kTemplateMissingTitle = QStringLiteral("Master Excel File Missing ");

// The templates that ship, by return.
const ReturnTemplate& gstr1Template();
const ReturnTemplate& gstr2Template();
const std::vector<const ReturnTemplate*>& shippedTemplates();

// The sheets of GSTR-1's workbook filled from the return (the CSV files' rows, and "docs").
std::vector<std::vector<QStringList>> gstr1WorkbookRows(const Gstr1& gstr1);
std::vector<std::vector<QStringList>> gstr2WorkbookRows(const Gstr2& gstr2);

// Where the workbooks are written: the installation's Knvs_GSTR folder (created when missing).
QString returnWorkbookFolder(const QString& installFolder);
// "KNVS_GSTR-2_Jul-2024.XLSx" for the period starting `from`, and its place in Knvs_GSTR.
QString returnWorkbookName(const ReturnTemplate& t, const QDate& from);
QString returnWorkbookPath(const QString& installFolder, const ReturnTemplate& t, const QDate& from);

// Copies the template (found in the installation folder, then the shipped templates) to
// `outputPath` with `rows` (one list per sheet of the template's definition) under each sheet's
// captions. TemplateMissing when there is no template, GstError when the copy cannot be written.
void writeReturnWorkbook(const QString& installFolder, const ReturnTemplate& t, const std::vector<std::vector<QStringList>>& rows,
                         const QString& outputPath);
// Writes the template itself, as shipped (a title row, a blank row, the captions in bold).
void writeReturnTemplate(const ReturnTemplate& t, const QString& path);

}  // namespace tanabana::gst
