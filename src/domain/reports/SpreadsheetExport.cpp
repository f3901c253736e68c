#include "domain/reports/SpreadsheetExport.h"

#include "core/Text.h"
#include "domain/reports/ReportError.h"
#include "domain/reports/ReportFolders.h"
#include "domain/reports/Xlsx.h"

#include <QDir>
#include <QLocale>

namespace tanabana::reports {

QString periodWorkbookName(const QString& kind, const QDate& from, const QDate& to) {
    const QLocale english(QLocale::English);
    return kind + QStringLiteral("_From_") + english.toString(from, QStringLiteral("dd-MMM-yyyy")) + QStringLiteral("_To_") +
           english.toString(to, QStringLiteral("dd-MMM-yyyy")) + QStringLiteral(".XLSx");
}

QString exportToTemplate(Messages& messages, const QString& installFolder, const QString& templateName,
                         const QString& workbookName, const ResultSet& rows) {
    const QString templatePath = findTemplateFile(installFolder, templateName);
    if (templatePath.isEmpty()) {
        messages.critical(QStringLiteral("No Facility Available"), QStringLiteral("No File Found"));
        return {};
    }
    const QString target = QDir(installFolder).filePath(CleanFileName(workbookName));
    try {
        exportIntoTemplate(templatePath, target, rows);
    } catch (const ReportError& e) {
        messages.critical(QStringLiteral("Excel Export"), e.text());
        return {};
    }
    return target;
}

}  // namespace tanabana::reports
