#pragma once
// The return as files for the portal: the ten CSV files of the offline tool (b2b.csv ... hsn.csv,
// a header line and one line per row, fields joined by commas, dates 05-Aug-2024, amounts 0.00)
// and the JSON the portal accepts for upload (GSTR1_<GSTIN>_<MMYYYY>.json, GSTN key names, dates
// 05-08-2024, amounts as numbers). A re-run replaces the files of an earlier run in that folder.
#include "domain/gst/Gstr1.h"

#include <QJsonObject>
#include <QStringList>
#include <utility>
#include <vector>

namespace tanabana::gst {

// The CSV files in the order written, each with the fields of its header line.
const std::vector<std::pair<QString, QStringList>>& gstr1CsvFiles();
// In periods whose HSN summary is split: these two more files, with the header of hsn.csv.
const QStringList& gstr1HsnSplitFiles();

// The lines of a file (or of the screen's grid of that section), field by field as written.
std::vector<QStringList> gstr1Rows(const Gstr1& gstr1, const QString& fileName);

// Writes the CSV files into `folder` (created when missing) after deleting those of an earlier
// run; returns the paths written. GstError when the folder or a file cannot be written.
QStringList writeGstr1Csv(const Gstr1& gstr1, const QString& folder);

// The portal's JSON of the return.
QJsonObject gstr1Json(const Gstr1& gstr1);
QString gstr1JsonFileName(const Gstr1& gstr1);
// Writes the JSON file into `folder`; returns its path. GstError when it cannot be written.
QString writeGstr1Json(const Gstr1& gstr1, const QString& folder);

// A rate as the portal lists it: "5", "0.25", "12".
QString rateText(const Decimal& rate);

}  // namespace tanabana::gst
