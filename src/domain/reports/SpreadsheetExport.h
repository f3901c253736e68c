#pragma once
// The registers' Excel button: the register's rows into a copy of a template workbook kept with
// the program ("Sale_Detail.Xlsx"), saved in the installation folder under a name made of the
// report kind and the period: "Sales_From_01-Apr-2024_To_31-Mar-2025.XLSx".
#include "core/Messages.h"
#include "domain/reports/ResultSet.h"

#include <QDate>
#include <QString>

namespace tanabana::reports {

// "Sales" + "_From_" + start as dd-MMM-yyyy + "_To_" + end + ".XLSx".
QString periodWorkbookName(const QString& kind, const QDate& from, const QDate& to);

// Writes the workbook and returns its path. A missing template is refused with "No File Found"
// (title "No Facility Available"); a workbook that cannot be written gets its reason. Either way
// nothing is left half-written and an empty path comes back.
QString exportToTemplate(Messages& messages, const QString& installFolder, const QString& templateName,
                         const QString& workbookName, const ResultSet& rows);

}  // namespace tanabana::reports
