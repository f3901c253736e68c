#pragma once
// GSTR-3B as the workbook the accountant keys into the portal from: our own template, laid out
// like the form (the firm and period, then tables 3.1, 3.2, 4 and 5 under their headings and
// captions), each row of a table named in its first column ("3.1(a)", "4(A)(5)") so the figures
// land on the right row even in a firm's adjusted copy of the template. The inter-state supplies
// of 3.2 are written one row per place of supply under that table's captions, pushing the rest
// of the sheet down:
//
//   KNVS_GSTR3B.XLSx -> Knvs_GSTR/KNVS_GSTR3B_Jul-2024.XLSx, row "3.1(a)": taxable 8,12,690.38,
//   IGST 23,859.52, CGST 8,737.50, SGST 8,737.50; row "3.2" 08-Rajasthan: 4,76,190.48, 23,809.52.
//
// A missing template stops with "Original GSTR - 3 Document File not found !" and writes nothing.
#include "domain/gst/Gstr3b.h"

namespace tanabana::gst {

// The template's file name, as shipped and as a firm's copy in the installation folder.
QString gstr3bTemplateFile();

// Writes the template as shipped.
void writeGstr3bTemplate(const QString& path);

// Knvs_GSTR/KNVS_GSTR3B_Jul-2024.XLSx in the installation folder (the folder made when missing).
QString gstr3bWorkbookPath(const QString& installFolder, const ReturnPeriod& period);

// Copies the template (the installation's copy first, else the shipped one) to `outputPath` with
// the return's figures; the firm's GSTIN and name go in the form's header. TemplateMissing when
// there is no template; GstError when it lacks a row the return needs or the file cannot be written.
void writeGstr3bWorkbook(const Gstr3b& gstr3b, const QString& firmGstin, const QString& firmName, const QString& installFolder,
                         const QString& outputPath);

}  // namespace tanabana::gst
