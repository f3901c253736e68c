// tanabana-cli report: any layout over a year database query or a CSV file, to PDF or .xlsx.
//   tanabana-cli --data ~/Tanabana report render BrokerList.rpt "Broker List as On : 01-04-2024"
//       --year 2025 --sql "SELECT b.*, f.PName AS FirmNAme FROM BrokerMst b ..." --out brokers.pdf
//   tanabana-cli report render SalesRegister_GST_1.rpt "Sales Register" --csv sales.csv --out sales.xlsx
#include "cli/Books.h"
#include "cli/Cli.h"
#include "domain/reports/ReportError.h"
#include "domain/reports/ReportFolders.h"
#include "domain/reports/ReportService.h"
#include "domain/reports/Xlsx.h"
#include "domain/reports/XlsxReport.h"

#include <QDir>
#include <QFileInfo>
#include <optional>

namespace tanabana::cli {

namespace {

QString installFolderOf(const Arguments& a) {
    return installationFrom(a).dataRoot();
}

reports::ReportRequest requestFrom(const Arguments& a, int firstParameter) {
    reports::ReportRequest r;
    r.layoutName = a.positionalAt(0, QStringLiteral("LAYOUT"));
    r.parameterValues = a.positional.mid(firstParameter);
    const int sources = int(a.has(QStringLiteral("sql"))) + int(a.has(QStringLiteral("csv"))) + int(a.has(QStringLiteral("blank")));
    if (sources != 1) throw UsageError{QStringLiteral("give exactly one of --sql QUERY, --csv FILE or --blank")};
    if (a.has(QStringLiteral("csv"))) r.data = reports::ResultSet::fromCsv(a.option(QStringLiteral("csv")));
    r.sql = a.option(QStringLiteral("sql"));
    r.blank = a.has(QStringLiteral("blank"));
    r.picturePath = a.option(QStringLiteral("picture"));
    return r;
}

int render(const Arguments& a) {
    const QString target = a.required(QStringLiteral("out"));
    const QString suffix = QFileInfo(target).suffix().toLower();
    if (suffix != QLatin1String("pdf") && suffix != QLatin1String("xlsx"))
        throw UsageError{QStringLiteral("--out must end in .pdf or .xlsx")};
    reports::ReportRequest request = requestFrom(a, 1);
    std::optional<OpenBooks> books;
    if (!request.sql.isEmpty()) books = openBooks(a, false);
    const reports::ReportService service(installFolderOf(a));
    auto document = service.prepare(books ? books->year.get() : nullptr, request);
    if (suffix == QLatin1String("pdf")) reports::ReportService::writePdf(*document, target);
    else reports::writeReportXlsx(*document, target);
    out(QStringLiteral("%1: %2 page(s), %3 row(s)").arg(target).arg(document->pageCount()).arg(document->data().rowCount()));
    return 0;
}

int intoTemplate(const Arguments& a) {
    const QString templateName = a.positionalAt(0, QStringLiteral("TEMPLATE"));
    const QString target = a.required(QStringLiteral("out"));
    const QString path = reports::findTemplateFile(installFolderOf(a), templateName);
    if (path.isEmpty()) throw CommandError{QStringLiteral("No File Found: %1").arg(templateName)};
    reports::ResultSet rows;
    if (a.has(QStringLiteral("csv"))) {
        rows = reports::ResultSet::fromCsv(a.option(QStringLiteral("csv")));
    } else {
        OpenBooks books = openBooks(a, false);
        rows = reports::ResultSet::fromQuery(*books.year, a.required(QStringLiteral("sql")));
    }
    reports::exportIntoTemplate(path, target, rows, a.option(QStringLiteral("sheet"), QStringLiteral("Sheet1")));
    out(QStringLiteral("%1: %2 row(s) under the captions of %3").arg(target).arg(rows.rowCount()).arg(QFileInfo(path).fileName()));
    return 0;
}

int listLayouts(const Arguments& a) {
    QStringList seen;
    const QStringList folders = {QDir(installFolderOf(a)).filePath(QStringLiteral("Reports")), reports::shippedReportsFolder()};
    for (const QString& folder : folders) {
        const QStringList files = QDir(folder).entryList({QStringLiteral("*.json")}, QDir::Files, QDir::Name);
        for (const QString& f : files) {
            const QString name = QFileInfo(f).completeBaseName();
            if (seen.contains(name, Qt::CaseInsensitive)) continue;
            seen << name;
            out(QStringLiteral("%1.rpt  %2").arg(name, QDir(folder).filePath(f)));
        }
    }
    return 0;
}

int checkLayout(const Arguments& a) {
    const reports::ReportService service(installFolderOf(a));
    const reports::Layout layout = service.loadLayout(a.positionalAt(0, QStringLiteral("LAYOUT")));
    const QSizeF size = layout.pageSizeMm();
    out(QStringLiteral("%1: %2 x %3 mm, margins %4/%5/%6/%7 mm").arg(layout.path).arg(size.width()).arg(size.height())
            .arg(layout.marginLeft).arg(layout.marginTop).arg(layout.marginRight).arg(layout.marginBottom));
    int n = 0;
    for (const reports::Parameter& p : layout.parameters)
        out(QStringLiteral("  parameter %1: %2 (%3)%4").arg(++n).arg(p.name, reports::parameterTypeName(p.type),
                                                           p.isLink() ? QStringLiteral(", link: skipped") : QString()));
    for (const reports::Group& g : layout.groups) out(QStringLiteral("  group by %1").arg(g.column));
    return 0;
}

// Report errors are refusals: the message, exit status 1.
template <typename F>
std::function<int(const Arguments&)> refusing(F f) {
    return [f](const Arguments& a) {
        try {
            return f(a);
        } catch (const reports::ReportError& e) {
            throw CommandError{e.text()};
        }
    };
}

}  // namespace

void registerReportCommands(Registry& registry) {
    Noun report{QStringLiteral("report"), QStringLiteral("print layouts to PDF or spreadsheets"), {}};
    report.verbs.push_back({QStringLiteral("render"), QStringLiteral("renders a layout over a query or a CSV file"),
                            QStringLiteral("LAYOUT [PARAMETER...] (--sql QUERY [--year N] | --csv FILE | --blank) "
                                           "--out FILE.pdf|FILE.xlsx [--picture IMAGE]"),
                            refusing(render)});
    report.verbs.push_back({QStringLiteral("template"), QStringLiteral("fills a copy of a spreadsheet template with rows"),
                            QStringLiteral("TEMPLATE (--sql QUERY [--year N] | --csv FILE) --out FILE.xlsx [--sheet NAME]"),
                            refusing(intoTemplate)});
    report.verbs.push_back({QStringLiteral("layouts"), QStringLiteral("lists the layouts the installation finds"), QString(),
                            refusing(listLayouts)});
    report.verbs.push_back({QStringLiteral("check"), QStringLiteral("reads a layout and shows its page and parameters"),
                            QStringLiteral("LAYOUT"), refusing(checkLayout)});
    registry.add(std::move(report));
}

}  // namespace tanabana::cli
