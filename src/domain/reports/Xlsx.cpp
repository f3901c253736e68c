#include "domain/reports/Xlsx.h"

#include "domain/reports/ReportError.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <map>
#include <unzip.h>
#include <xlsxwriter.h>

namespace tanabana::reports {

namespace {

// "AB12" -> column 27, row 11 (0-based).
bool parseCellRef(const QString& ref, int& row, int& column) {
    int i = 0, col = 0;
    while (i < ref.size() && ref.at(i).isLetter()) col = col * 26 + (ref.at(i++).toUpper().unicode() - 'A' + 1);
    bool ok = false;
    const int r = ref.mid(i).toInt(&ok);
    if (!ok || col == 0 || r < 1) return false;
    row = r - 1;
    column = col - 1;
    return true;
}

class ZipReader {
public:
    explicit ZipReader(const QString& path) : path_(path) {
        zip_ = unzOpen64(QFile::encodeName(path).constData());
        if (!zip_) throw ReportError(QStringLiteral("%1 is not a workbook that can be read").arg(path));
    }
    ~ZipReader() {
        if (zip_) unzClose(zip_);
    }
    ZipReader(const ZipReader&) = delete;
    ZipReader& operator=(const ZipReader&) = delete;

    QDomDocument xml(const QString& name, bool required = true) {
        QDomDocument doc;
        if (unzLocateFile(zip_, name.toUtf8().constData(), 1) != UNZ_OK) {
            if (required) throw ReportError(QStringLiteral("%1 is not a workbook: %2 is missing").arg(path_, name));
            return doc;
        }
        QByteArray bytes;
        if (unzOpenCurrentFile(zip_) != UNZ_OK) throw ReportError(QStringLiteral("%1: %2 cannot be read").arg(path_, name));
        char buffer[65536];
        int n = 0;
        while ((n = unzReadCurrentFile(zip_, buffer, sizeof buffer)) > 0) bytes.append(buffer, n);
        const bool complete = n == 0 && unzCloseCurrentFile(zip_) == UNZ_OK;
        if (!complete || !doc.setContent(bytes)) throw ReportError(QStringLiteral("%1: %2 is damaged").arg(path_, name));
        return doc;
    }

private:
    QString path_;
    unzFile zip_ = nullptr;
};

QString allText(const QDomElement& e) {
    QString out;
    const QDomNodeList ts = e.elementsByTagName(QStringLiteral("t"));
    for (int i = 0; i < ts.size(); ++i) out += ts.at(i).toElement().text();
    return out;
}

QStringList sharedStrings(ZipReader& zip) {
    QStringList strings;
    const QDomDocument doc = zip.xml(QStringLiteral("xl/sharedStrings.xml"), false);
    const QDomNodeList items = doc.elementsByTagName(QStringLiteral("si"));
    for (int i = 0; i < items.size(); ++i) strings << allText(items.at(i).toElement());
    return strings;
}

// Whether each cell style (index of cellXfs) uses a bold font.
std::vector<bool> boldStyles(ZipReader& zip) {
    const QDomDocument doc = zip.xml(QStringLiteral("xl/styles.xml"), false);
    std::vector<bool> fontBold;
    const QDomElement fonts = doc.documentElement().firstChildElement(QStringLiteral("fonts"));
    for (QDomElement f = fonts.firstChildElement(QStringLiteral("font")); !f.isNull(); f = f.nextSiblingElement(QStringLiteral("font"))) {
        const QDomElement b = f.firstChildElement(QStringLiteral("b"));
        fontBold.push_back(!b.isNull() && b.attribute(QStringLiteral("val"), QStringLiteral("1")) != QLatin1String("0"));
    }
    std::vector<bool> styles;
    const QDomElement xfs = doc.documentElement().firstChildElement(QStringLiteral("cellXfs"));
    for (QDomElement x = xfs.firstChildElement(QStringLiteral("xf")); !x.isNull(); x = x.nextSiblingElement(QStringLiteral("xf"))) {
        const size_t font = x.attribute(QStringLiteral("fontId")).toUInt();
        styles.push_back(font < fontBold.size() && fontBold[font]);
    }
    return styles;
}

XlsxSheet readSheet(const QDomDocument& doc, const QString& name, const QStringList& strings, const std::vector<bool>& bold) {
    XlsxSheet sheet;
    sheet.name = name;
    const QDomElement root = doc.documentElement();
    const QDomElement cols = root.firstChildElement(QStringLiteral("cols"));
    for (QDomElement c = cols.firstChildElement(QStringLiteral("col")); !c.isNull(); c = c.nextSiblingElement(QStringLiteral("col"))) {
        const int min = c.attribute(QStringLiteral("min")).toInt(), max = qMin(c.attribute(QStringLiteral("max")).toInt(), min + 100);
        // The file holds the width with the cell padding (5 pixels of 7 per character) added.
        const double stored = c.attribute(QStringLiteral("width")).toDouble();
        const double characters = stored > 12.0 / 7 ? stored - 5.0 / 7 : stored;
        for (int i = min; i <= max && i > 0; ++i) sheet.columnWidths[i - 1] = characters;
    }
    const QDomNodeList cells = root.elementsByTagName(QStringLiteral("c"));
    for (int i = 0; i < cells.size(); ++i) {
        const QDomElement c = cells.at(i).toElement();
        XlsxCell cell;
        if (!parseCellRef(c.attribute(QStringLiteral("r")), cell.row, cell.column)) continue;
        const QString type = c.attribute(QStringLiteral("t"));
        const QString v = c.firstChildElement(QStringLiteral("v")).text();
        if (type == QLatin1String("s")) cell.value = strings.value(v.toInt());
        else if (type == QLatin1String("inlineStr")) cell.value = allText(c.firstChildElement(QStringLiteral("is")));
        else if (type == QLatin1String("str") || type == QLatin1String("e")) cell.value = v;
        else if (type == QLatin1String("b")) cell.value = v == QLatin1String("1");
        else if (!v.isEmpty()) cell.value = v.toDouble();
        const size_t style = c.attribute(QStringLiteral("s")).toUInt();
        cell.bold = style < bold.size() && bold[style];
        if (!cell.value.isNull()) sheet.cells.push_back(cell);
    }
    const QDomNodeList merges = root.elementsByTagName(QStringLiteral("mergeCell"));
    for (int i = 0; i < merges.size(); ++i) sheet.merges << merges.at(i).toElement().attribute(QStringLiteral("ref"));
    return sheet;
}

}  // namespace

int XlsxSheet::rowCount() const {
    int rows = 0;
    for (const XlsxCell& c : cells) rows = qMax(rows, c.row + 1);
    return rows;
}

std::vector<XlsxSheet> readXlsx(const QString& path) {
    if (!QFileInfo(path).isFile()) throw ReportError(QStringLiteral("The workbook %1 does not exist").arg(path));
    ZipReader zip(path);
    const QStringList strings = sharedStrings(zip);
    const std::vector<bool> bold = boldStyles(zip);
    std::map<QString, QString> targets;
    const QDomDocument rels = zip.xml(QStringLiteral("xl/_rels/workbook.xml.rels"));
    const QDomNodeList relList = rels.elementsByTagName(QStringLiteral("Relationship"));
    for (int i = 0; i < relList.size(); ++i) {
        const QDomElement r = relList.at(i).toElement();
        QString target = r.attribute(QStringLiteral("Target"));
        target = target.startsWith(QLatin1Char('/')) ? target.mid(1) : QStringLiteral("xl/") + target;
        targets[r.attribute(QStringLiteral("Id"))] = target;
    }
    std::vector<XlsxSheet> sheets;
    const QDomDocument workbook = zip.xml(QStringLiteral("xl/workbook.xml"));
    const QDomNodeList sheetList = workbook.elementsByTagName(QStringLiteral("sheet"));
    for (int i = 0; i < sheetList.size(); ++i) {
        const QDomElement s = sheetList.at(i).toElement();
        const QString id = s.attribute(QStringLiteral("r:id"));
        const auto found = targets.find(id);
        if (found == targets.end()) continue;
        sheets.push_back(readSheet(zip.xml(found->second), s.attribute(QStringLiteral("name")), strings, bold));
    }
    if (sheets.empty()) throw ReportError(QStringLiteral("The workbook %1 has no sheet").arg(path));
    return sheets;
}

struct XlsxBook::Sheet {
    QString name;
    std::vector<XlsxCell> cells;
    std::vector<QString> formats;  // number format of each cell, parallel to cells
    QMap<int, double> widths;
    std::vector<std::pair<QString, XlsxCell>> merges;
};

XlsxBook::XlsxBook() = default;
XlsxBook::~XlsxBook() = default;

void XlsxBook::addSheet(const QString& name) {
    sheets_.push_back(std::make_unique<Sheet>());
    current_ = sheets_.back().get();
    current_->name = name;
}

void XlsxBook::write(int row, int column, const QVariant& value, bool bold, const QString& numberFormat) {
    if (!current_) addSheet(QStringLiteral("Sheet1"));
    current_->cells.push_back({row, column, value, bold});
    current_->formats.push_back(numberFormat);
}

void XlsxBook::setColumnWidth(int column, double characters) {
    if (!current_) addSheet(QStringLiteral("Sheet1"));
    current_->widths[column] = characters;
}

void XlsxBook::merge(const QString& range, const QVariant& value, bool bold) {
    if (!current_) addSheet(QStringLiteral("Sheet1"));
    current_->merges.push_back({range, XlsxCell{0, 0, value, bold}});
}

void XlsxBook::save(const QString& path) {
    const QFileInfo info(path);
    if (!info.dir().exists())
        throw ReportError(QStringLiteral("Cannot write %1: the folder %2 does not exist").arg(path, info.dir().path()));
    QString temp;
    {
        QTemporaryFile probe(info.dir().filePath(QStringLiteral(".xlsx-XXXXXX")));
        if (!probe.open()) throw ReportError(QStringLiteral("Cannot write %1: %2").arg(path, probe.errorString()));
        temp = probe.fileName() + QStringLiteral(".xlsx");
    }
    lxw_workbook* book = workbook_new(QFile::encodeName(temp).constData());
    if (!book) throw ReportError(QStringLiteral("Cannot write %1").arg(path));
    std::map<QString, lxw_format*> formats;
    auto format = [&](bool bold, const QString& numberFormat) -> lxw_format* {
        const QString key = (bold ? QStringLiteral("b|") : QStringLiteral("|")) + numberFormat;
        auto it = formats.find(key);
        if (it != formats.end()) return it->second;
        lxw_format* f = nullptr;
        if (bold || !numberFormat.isEmpty()) {
            f = workbook_add_format(book);
            if (bold) format_set_bold(f);
            if (!numberFormat.isEmpty()) format_set_num_format(f, numberFormat.toUtf8().constData());
        }
        return formats[key] = f;
    };
    for (const auto& sheet : sheets_) {
        lxw_worksheet* ws = workbook_add_worksheet(book, sheet->name.left(31).toUtf8().constData());
        if (!ws) ws = workbook_add_worksheet(book, nullptr);
        for (auto it = sheet->widths.cbegin(); it != sheet->widths.cend(); ++it)
            worksheet_set_column(ws, lxw_col_t(it.key()), lxw_col_t(it.key()), it.value(), nullptr);
        for (size_t i = 0; i < sheet->cells.size(); ++i) {
            const XlsxCell& c = sheet->cells[i];
            const auto row = lxw_row_t(c.row);
            const auto col = lxw_col_t(c.column);
            const int type = c.value.typeId();
            if (c.value.isNull()) continue;
            if (type == QMetaType::QDate || type == QMetaType::QDateTime) {
                const QDateTime dt = type == QMetaType::QDate ? QDateTime(c.value.toDate(), QTime(0, 0)) : c.value.toDateTime();
                lxw_datetime when{dt.date().year(), dt.date().month(), dt.date().day(), dt.time().hour(), dt.time().minute(), double(dt.time().second())};
                const QString f = sheet->formats[i].isEmpty() ? QStringLiteral("dd-mm-yyyy") : sheet->formats[i];
                worksheet_write_datetime(ws, row, col, &when, format(c.bold, f));
            } else if (type == QMetaType::Double || type == QMetaType::Int || type == QMetaType::LongLong ||
                       type == QMetaType::Float || type == QMetaType::UInt || type == QMetaType::ULongLong) {
                worksheet_write_number(ws, row, col, c.value.toDouble(), format(c.bold, sheet->formats[i]));
            } else if (type == QMetaType::Bool) {
                worksheet_write_boolean(ws, row, col, c.value.toBool(), format(c.bold, {}));
            } else {
                worksheet_write_string(ws, row, col, c.value.toString().toUtf8().constData(), format(c.bold, {}));
            }
        }
        for (const auto& [range, cell] : sheet->merges) {
            int r1, c1, r2, c2;
            const QStringList ends = range.split(QLatin1Char(':'));
            if (ends.size() != 2 || !parseCellRef(ends[0], r1, c1) || !parseCellRef(ends[1], r2, c2)) continue;
            worksheet_merge_range(ws, lxw_row_t(r1), lxw_col_t(c1), lxw_row_t(r2), lxw_col_t(c2),
                                  cell.value.toString().toUtf8().constData(), format(cell.bold, {}));
        }
    }
    const lxw_error error = workbook_close(book);
    if (error != LXW_NO_ERROR) {
        QFile::remove(temp);
        throw ReportError(QStringLiteral("Cannot write %1: %2").arg(path, QString::fromUtf8(lxw_strerror(error))));
    }
    QFile::remove(path);
    if (!QFile::rename(temp, path)) {
        QFile::remove(temp);
        throw ReportError(QStringLiteral("Cannot write %1: the file is in use").arg(path));
    }
}

void copyTemplateSheet(XlsxBook& book, const XlsxSheet& sheet) {
    book.addSheet(sheet.name);
    for (auto it = sheet.columnWidths.cbegin(); it != sheet.columnWidths.cend(); ++it) book.setColumnWidth(it.key(), it.value());
    QStringList mergedStarts;
    for (const QString& m : sheet.merges) mergedStarts << m.section(QLatin1Char(':'), 0, 0);
    for (const XlsxCell& c : sheet.cells) {
        int mr = -1, mc = -1;
        bool isMergeStart = false;
        for (const QString& start : mergedStarts)
            if (parseCellRef(start, mr, mc) && mr == c.row && mc == c.column) isMergeStart = true;
        if (!isMergeStart) book.write(c.row, c.column, c.value, c.bold);
    }
    for (const QString& m : sheet.merges) {
        QVariant value;
        bool bold = false;
        int mr = -1, mc = -1;
        parseCellRef(m.section(QLatin1Char(':'), 0, 0), mr, mc);
        for (const XlsxCell& c : sheet.cells)
            if (c.row == mr && c.column == mc) {
                value = c.value;
                bold = c.bold;
            }
        book.merge(m, value, bold);
    }
}

void exportIntoTemplate(const QString& templatePath, const QString& outputPath, const ResultSet& rows, const QString& sheetName) {
    const std::vector<XlsxSheet> sheets = readXlsx(templatePath);
    XlsxBook book;
    bool filled = false;
    for (size_t s = 0; s < sheets.size(); ++s) {
        const XlsxSheet& sheet = sheets[s];
        copyTemplateSheet(book, sheet);
        const bool target = sheet.name.compare(sheetName, Qt::CaseInsensitive) == 0 || (s + 1 == sheets.size() && !filled && sheetName.isEmpty());
        if (!target || filled) continue;
        filled = true;
        const int first = sheet.rowCount();
        for (int r = 0; r < rows.rowCount(); ++r)
            for (int c = 0; c < rows.columns.size(); ++c) {
                book.write(first + r, c, rows.value(r, c));
            }
    }
    if (!filled) throw ReportError(QStringLiteral("The workbook %1 has no sheet named %2").arg(templatePath, sheetName));
    book.save(outputPath);
}

}  // namespace tanabana::reports
