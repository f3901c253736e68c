#include "domain/gst/Gstr3bWorkbook.h"

#include "domain/gst/ReturnWorkbook.h"
#include "domain/reports/ReportError.h"
#include "domain/reports/ReportFolders.h"
#include "domain/reports/Xlsx.h"

#include <QDir>
#include <QLocale>
#include <QRegularExpression>
#include <map>

namespace tanabana::gst {

namespace {

const QString k3bSheet = QStringLiteral("GSTR-3B");
const QString kPlaceCaption = QStringLiteral("Place of Supply (State/UT)");
const QString kMissing = QStringLiteral("Original GSTR - 3 Document File not found !");

// One line of the template: the key in column A, the form's words in B, captions from C on.
struct FormLine {
    QString key, words;
    QStringList captions;
    bool bold = false;
};

const std::vector<FormLine>& formLines() {
    static const QStringList outwardCaptions = {"Total Taxable value", "Integrated Tax", "Central Tax", "State/UT Tax", "Cess"};
    static const QStringList creditCaptions = {"Integrated Tax", "Central Tax", "State/UT Tax", "Cess"};
    static const std::vector<FormLine> lines = {
        {"Form GSTR-3B", "", {}, true},
        {"", "", {}},
        {"Year", "Financial Year", {}},
        {"Month", "Return Period", {}},
        {"1", "GSTIN", {}},
        {"2(a)", "Legal name of the registered person", {}},
        {"2(b)", "Trade name, if any", {}},
        {"", "", {}},
        {"3.1", "Details of Outward Supplies and inward supplies liable to reverse charge", {}, true},
        {"Table", "Nature of Supplies", outwardCaptions, true},
        {"3.1(a)", "(a) Outward taxable supplies (other than zero rated, nil rated and exempted)", {}},
        {"3.1(b)", "(b) Outward taxable supplies (zero rated)", {}},
        {"3.1(c)", "(c) Other outward supplies (Nil rated, exempted)", {}},
        {"3.1(d)", "(d) Inward supplies (liable to reverse charge)", {}},
        {"3.1(e)", "(e) Non-GST outward supplies", {}},
        {"", "", {}},
        {"3.2", "Of the supplies shown in 3.1 (a) above, details of inter-State supplies made to unregistered persons, composition taxable "
                "persons and UIN holders", {}, true},
        {"", "", {"Supplies made to Unregistered Persons", "", "Supplies made to Composition Taxable Persons", "", "Supplies made to UIN holders"}, true},
        {"Table", kPlaceCaption,
         {"Total Taxable value", "Amount of Integrated Tax", "Total Taxable value", "Amount of Integrated Tax", "Total Taxable value",
          "Amount of Integrated Tax"},
         true},
        {"", "", {}},
        {"4", "Eligible ITC", {}, true},
        {"Table", "Details", creditCaptions, true},
        {"4(A)", "(A) ITC Available (whether in full or part)", {}, true},
        {"4(A)(1)", "(1) Import of goods", {}},
        {"4(A)(2)", "(2) Import of services", {}},
        {"4(A)(3)", "(3) Inward supplies liable to reverse charge (other than 1 & 2 above)", {}},
        {"4(A)(4)", "(4) Inward supplies from ISD", {}},
        {"4(A)(5)", "(5) All other ITC", {}},
        {"4(B)", "(B) ITC Reversed", {}, true},
        {"4(B)(1)", "(1) As per rules 38, 42 & 43 of CGST Rules and section 17(5)", {}},
        {"4(B)(2)", "(2) Others", {}},
        {"4(C)", "(C) Net ITC Available (A) - (B)", {}, true},
        {"4(D)", "(D) Other Details", {}, true},
        {"4(D)(1)", "(1) ITC reclaimed which was reversed under Table 4(B)(2) in earlier tax period", {}},
        {"4(D)(2)", "(2) Ineligible ITC under section 16(4) & ITC restricted due to PoS rules", {}},
        {"", "", {}},
        {"5", "Values of exempt, nil-rated and non-GST inward supplies", {}, true},
        {"Table", "Nature of supplies", {"Inter-State supplies", "Intra-State supplies"}, true},
        {"5", "From a supplier under composition scheme, Exempt and Nil rated supply", {}},
        {"5", "Non GST supply", {}},
    };
    return lines;
}

// A cell of the sheet being filled, by its place.
struct Fill {
    QVariant value;
    bool number = false;
};

QString text(const reports::XlsxSheet& sheet, int row, int column) {
    for (const reports::XlsxCell& c : sheet.cells)
        if (c.row == row && c.column == column) return c.value.toString().trimmed();
    return {};
}

// The row whose first column is `key` (and, when several are, whose second is `words`); -1 when none.
int sheetRowOf(const reports::XlsxSheet& sheet, const QString& key, const QString& words = {}) {
    std::vector<int> rows;
    for (const reports::XlsxCell& c : sheet.cells)
        if (c.column == 0 && c.value.toString().trimmed().compare(key, Qt::CaseInsensitive) == 0) rows.push_back(c.row);
    if (rows.size() == 1 && words.isEmpty()) return rows.front();
    for (int r : rows)
        if (text(sheet, r, 1).compare(words, Qt::CaseInsensitive) == 0) return r;
    return -1;
}

// "C19:D19" with every row below `after` (0-based) moved down by `by`.
QString shiftedRange(const QString& range, int after, int by) {
    static const QRegularExpression ref(QStringLiteral("([A-Za-z]+)(\\d+)"));
    QString out;
    qsizetype last = 0;
    for (auto it = ref.globalMatch(range); it.hasNext();) {
        const auto m = it.next();
        const int row = m.captured(2).toInt() - 1;
        out += range.mid(last, m.capturedStart() - last) + m.captured(1) + QString::number(row > after ? row + by + 1 : row + 1);
        last = m.capturedEnd();
    }
    return out + range.mid(last);
}

QString periodWords(const ReturnPeriod& p) {
    if (p.from.day() == 1 && p.to == p.from.addMonths(1).addDays(-1)) return QLocale(QLocale::English).toString(p.from, QStringLiteral("MMMM yyyy"));
    return QStringLiteral("%1 To %2").arg(p.from.toString(QStringLiteral("dd-MM-yyyy")), p.to.toString(QStringLiteral("dd-MM-yyyy")));
}

QString financialYear(const QDate& d) {
    const int start = d.month() >= 4 ? d.year() : d.year() - 1;
    return QStringLiteral("%1-%2").arg(start).arg((start + 1) % 100, 2, 10, QLatin1Char('0'));
}

}  // namespace

QString gstr3bTemplateFile() { return QStringLiteral("KNVS_GSTR3B.XLSx"); }

void writeGstr3bTemplate(const QString& path) {
    try {
        reports::XlsxBook book;
        book.addSheet(k3bSheet);
        const std::vector<FormLine>& lines = formLines();
        for (int r = 0; r < int(lines.size()); ++r) {
            const FormLine& l = lines[size_t(r)];
            if (r == 0) {
                book.merge(QStringLiteral("A1:H1"), l.key, true);
                continue;
            }
            if (!l.key.isEmpty()) book.write(r, 0, l.key, l.bold);
            if (!l.words.isEmpty()) book.write(r, 1, l.words, l.bold);
            for (int c = 0; c < l.captions.size(); ++c) {
                if (l.captions.at(c).isEmpty()) continue;
                if (l.key.isEmpty() && l.words.isEmpty())  // the captions over two columns each (3.2)
                    book.merge(QStringLiteral("%1%3:%2%3").arg(QChar('C' + c)).arg(QChar('D' + c)).arg(r + 1), l.captions.at(c), true);
                else book.write(r, 2 + c, l.captions.at(c), true);
            }
        }
        book.setColumnWidth(0, 10);
        book.setColumnWidth(1, 62);
        for (int c = 2; c < 8; ++c) book.setColumnWidth(c, 18);
        book.save(path);
    } catch (const reports::ReportError& e) {
        throw GstError(e.text());
    }
}

QString gstr3bWorkbookPath(const QString& installFolder, const ReturnPeriod& period) {
    return QDir(returnWorkbookFolder(installFolder))
        .filePath(QStringLiteral("KNVS_GSTR3B_") + QLocale(QLocale::English).toString(period.from, QStringLiteral("MMM-yyyy")) +
                  QStringLiteral(".XLSx"));
}

void writeGstr3bWorkbook(const Gstr3b& r, const QString& firmGstin, const QString& firmName, const QString& installFolder,
                         const QString& outputPath) {
    const QString templatePath = reports::findTemplateFile(installFolder, gstr3bTemplateFile());
    if (templatePath.isEmpty()) throw TemplateMissing(kMissing);
    try {
        std::vector<reports::XlsxSheet> sheets = reports::readXlsx(templatePath);
        reports::XlsxSheet* form = nullptr;
        for (reports::XlsxSheet& s : sheets)
            if (s.name.compare(k3bSheet, Qt::CaseInsensitive) == 0) form = &s;
        if (!form) throw GstError(QStringLiteral("The template %1 has no sheet \"%2\".").arg(QDir::toNativeSeparators(templatePath), k3bSheet));

        // Every figure by the row that names it, found before 3.2's rows push the sheet down.
        std::map<std::pair<int, int>, Fill> fills;
        auto rowNamed = [&](const QString& key, const QString& words = {}) {
            const int row = sheetRowOf(*form, key, words);
            if (row < 0)
                throw GstError(QStringLiteral("The template %1 has no row for %2 of GSTR-3B.")
                                   .arg(QDir::toNativeSeparators(templatePath), words.isEmpty() ? key : key + QStringLiteral(" ") + words));
            return row;
        };
        auto put = [&](int row, int column, const QVariant& value, bool number) { fills[{row, column}] = {value, number}; };
        auto amounts = [&](int row, std::initializer_list<Decimal> values) {
            int column = 2;
            for (const Decimal& v : values) put(row, column++, v.toDouble(), true);
        };
        put(rowNamed(QStringLiteral("Year")), 2, financialYear(r.period.from), false);
        put(rowNamed(QStringLiteral("Month")), 2, periodWords(r.period), false);
        put(rowNamed(QStringLiteral("1")), 2, firmGstin, false);
        put(rowNamed(QStringLiteral("2(a)")), 2, firmName, false);
        for (const Gstr3bLine& l : r.outward) amounts(rowNamed(l.table), {l.taxable, l.igst, l.cgst, l.sgst, l.cess});
        for (const Gstr3bLine& l : r.inputCredit) amounts(rowNamed(l.table), {l.igst, l.cgst, l.sgst, l.cess});
        for (const ExemptInward& e : r.exemptInward) amounts(rowNamed(QStringLiteral("5"), e.description), {e.interState, e.intraState});

        const int placeRow = rowNamed(QStringLiteral("Table"), kPlaceCaption);
        const int states = int(r.interState.size());
        std::map<std::pair<int, int>, Fill> shifted;
        for (const auto& [at, fill] : fills) shifted[{at.first > placeRow ? at.first + states : at.first, at.second}] = fill;
        for (int i = 0; i < states; ++i) {
            const StateSupplies& s = r.interState[size_t(i)];
            const int row = placeRow + 1 + i;
            shifted[{row, 0}] = {QStringLiteral("3.2"), false};
            shifted[{row, 1}] = {s.placeOfSupply, false};
            int column = 2;
            for (const Decimal& v : {s.unregisteredTaxable, s.unregisteredIgst, s.compositionTaxable, s.compositionIgst, Decimal(), Decimal()})
                shifted[{row, column++}] = {v.toDouble(), true};
        }

        // The template's own cells, moved below 3.2's rows, without those the figures replace.
        reports::XlsxSheet moved = *form;
        moved.cells.clear();
        for (reports::XlsxCell c : form->cells) {
            if (c.row > placeRow) c.row += states;
            if (!shifted.count({c.row, c.column})) moved.cells.push_back(c);
        }
        for (QString& m : moved.merges) m = shiftedRange(m, placeRow, states);

        reports::XlsxBook book;
        for (const reports::XlsxSheet& s : sheets) {
            if (&s != form) {
                reports::copyTemplateSheet(book, s);
                continue;
            }
            reports::copyTemplateSheet(book, moved);
            for (const auto& [at, fill] : shifted)
                book.write(at.first, at.second, fill.value, false, fill.number ? QStringLiteral("0.00") : QString());
        }
        book.save(outputPath);
    } catch (const reports::ReportError& e) {
        throw GstError(e.text());
    }
}

}  // namespace tanabana::gst
