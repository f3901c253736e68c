#include "domain/gst/ReturnWorkbook.h"

#include "domain/gst/Gstr1Files.h"
#include "domain/gst/Gstr9.h"
#include "domain/gst/Itc04.h"
#include "domain/reports/ReportError.h"
#include "domain/reports/ReportFolders.h"
#include "domain/reports/Xlsx.h"

#include <QDir>
#include <QLocale>

namespace tanabana::gst {

namespace {

// Columns of a GSTR-1 sheet that hold figures: values, amounts, rates, quantities and counts.
std::vector<int> figureColumns(const QStringList& header) {
    std::vector<int> columns;
    for (int c = 0; c < header.size(); ++c) {
        const QString h = header.at(c);
        if (h.startsWith(QLatin1String("Applicable"))) continue;
        for (const char* word : {"Value", "Amount", "Supplies", "Rate", "Quantity", "Exempted", "Total Number", "Total Cancelled"})
            if (h.contains(QLatin1String(word))) {
                columns.push_back(c);
                break;
            }
    }
    return columns;
}

QStringList csvHeader(const QString& file) {
    for (const auto& [name, header] : gstr1CsvFiles())
        if (name == file) return header;
    return {};
}

// The GSTR-1 sheets of the workbook and the file of the return each takes its rows from.
const std::vector<std::pair<QString, QString>>& gstr1SheetFiles() {
    static const std::vector<std::pair<QString, QString>> sheets = {
        {QStringLiteral("b2b,sez,de"), QStringLiteral("b2b.csv")}, {QStringLiteral("b2cl"), QStringLiteral("b2cl.csv")},
        {QStringLiteral("b2cs"), QStringLiteral("b2cs.csv")},       {QStringLiteral("cdnr"), QStringLiteral("cdnr.csv")},
        {QStringLiteral("cdnur"), QStringLiteral("cdnur.csv")},     {QStringLiteral("exp"), QStringLiteral("exp.csv")},
        {QStringLiteral("exemp"), QStringLiteral("exemp.csv")},     {QStringLiteral("hsn"), QStringLiteral("hsn.csv")},
        {QStringLiteral("docs"), QString()},
    };
    return sheets;
}

const QStringList& documentsHeader() {
    static const QStringList header = {"Nature of Document", "Sr. No. From", "Sr. No. To", "Total Number", "Cancelled"};
    return header;
}

}  // namespace

const ReturnTemplate& gstr1Template() {
    static const ReturnTemplate t = [] {
        ReturnTemplate r;
        r.file = QStringLiteral("KNVS_GSTR-1.XLSx");
        r.outputStem = QStringLiteral("KNVS_GSTR-1_");
        r.missingText = QStringLiteral("Original GSTR-1 Document File not found !");
        for (const auto& [sheet, file] : gstr1SheetFiles()) {
            const QStringList header = file.isEmpty() ? documentsHeader() : csvHeader(file);
            r.sheets.push_back({sheet, header, file.isEmpty() ? std::vector<int>{3, 4} : figureColumns(header)});
        }
        r.titles = {"Summary For B2B, SEZ, DE (4A, 4B, 6B, 6C)", "Summary For B2CL(5)", "Summary For B2CS(7)", "Summary For CDNR(9B)",
                    "Summary For CDNUR(9B)", "Summary For EXP(6)", "Summary For Nil rated, exempted and non GST outward supplies (8)",
                    "Summary For HSN(12)", "Summary of documents issued during the tax period (13)"};
        return r;
    }();
    return t;
}

const ReturnTemplate& gstr2Template() {
    static const ReturnTemplate t = [] {
        ReturnTemplate r;
        r.file = QStringLiteral("KNVS_GSTR-2.XLSx");
        r.outputStem = QStringLiteral("KNVS_GSTR-2_");
        r.missingText = QStringLiteral("Original GSTR-2 Document File not found !");
        r.sheets = gstr2Sheets();
        r.titles = {"Summary Of Supplies From Registered Suppliers B2B(3)", "Summary Of Supplies From Unregistered Suppliers B2BUR(4B)",
                    "Summary For CDNR(6C)", "Summary For CDNUR(6C)",
                    "Summary For Composition, Nil rated, exempted and non GST inward supplies (7)", "Summary For HSN(13)"};
        return r;
    }();
    return t;
}

const std::vector<const ReturnTemplate*>& shippedTemplates() {
    static const std::vector<const ReturnTemplate*> all = {&gstr1Template(), &gstr2Template(), &itc04Template(), &gstr9Template()};
    return all;
}

std::vector<std::vector<QStringList>> gstr1WorkbookRows(const Gstr1& r) {
    std::vector<std::vector<QStringList>> rows;
    for (const auto& [sheet, file] : gstr1SheetFiles()) {
        if (!file.isEmpty()) {
            rows.push_back(gstr1Rows(r, file));
            continue;
        }
        std::vector<QStringList> documents;
        for (const DocumentSeries& d : r.documents)
            documents.push_back({d.nature, d.from, d.to, QString::number(d.total), QString::number(d.cancelled)});
        rows.push_back(documents);
    }
    return rows;
}

std::vector<std::vector<QStringList>> gstr2WorkbookRows(const Gstr2& r) {
    std::vector<std::vector<QStringList>> rows;
    for (const ReturnSheet& sheet : gstr2Sheets()) rows.push_back(gstr2Rows(r, sheet.name));
    return rows;
}

QString returnWorkbookFolder(const QString& installFolder) {
    const QString folder = QDir(installFolder).filePath(QStringLiteral("Knvs_GSTR"));
    reports::makeFolderIfMissing(folder);
    return folder;
}

QString returnWorkbookName(const ReturnTemplate& t, const QDate& from) {
    return t.outputStem + QLocale(QLocale::English).toString(from, QStringLiteral("MMM-yyyy")) + QStringLiteral(".XLSx");
}

QString returnWorkbookPath(const QString& installFolder, const ReturnTemplate& t, const QDate& from) {
    return QDir(returnWorkbookFolder(installFolder)).filePath(returnWorkbookName(t, from));
}

void writeReturnWorkbook(const QString& installFolder, const ReturnTemplate& t, const std::vector<std::vector<QStringList>>& rows,
                         const QString& outputPath) {
    const QString templatePath = reports::findTemplateFile(installFolder, t.file);
    if (templatePath.isEmpty()) throw TemplateMissing(t.missingText);
    try {
        reports::XlsxBook book;
        for (const reports::XlsxSheet& sheet : reports::readXlsx(templatePath)) {
            reports::copyTemplateSheet(book, sheet);
            for (size_t s = 0; s < t.sheets.size() && s < rows.size(); ++s) {
                const ReturnSheet& def = t.sheets[s];
                if (def.name.compare(sheet.name, Qt::CaseInsensitive) != 0) continue;
                const int first = sheet.rowCount();
                for (size_t r = 0; r < rows[s].size(); ++r)
                    for (int c = 0; c < rows[s][r].size(); ++c) {
                        const QString text = rows[s][r].at(c);
                        const bool figure = std::find(def.amountColumns.begin(), def.amountColumns.end(), c) != def.amountColumns.end();
                        const auto number = figure ? Decimal::parse(text) : std::nullopt;
                        if (text.isEmpty()) continue;
                        if (number) book.write(first + int(r), c, number->toDouble(), false, text.contains(QLatin1Char('.')) ? QStringLiteral("0.00") : QString());
                        else book.write(first + int(r), c, text);
                    }
            }
        }
        book.save(outputPath);
    } catch (const reports::ReportError& e) {
        throw GstError(e.text());
    }
}

void writeReturnTemplate(const ReturnTemplate& t, const QString& path) {
    try {
        reports::XlsxBook book;
        for (size_t s = 0; s < t.sheets.size(); ++s) {
            const ReturnSheet& sheet = t.sheets[s];
            book.addSheet(sheet.name);
            book.write(0, 0, t.titles.value(qsizetype(s)), true);
            for (int c = 0; c < sheet.header.size(); ++c) {
                book.write(3, c, sheet.header.at(c), true);
                book.setColumnWidth(c, qMax(12.0, double(qMin(sheet.header.at(c).size(), 28)) + 2));
            }
        }
        book.save(path);
    } catch (const reports::ReportError& e) {
        throw GstError(e.text());
    }
}

}  // namespace tanabana::gst
