// tanabana-cli gst: the GST returns' files, the check made before them, GSTR-3B, GSTR-2 and the
// matching of the purchase bills with the portal's GSTR-2A / 2B.
//   tanabana-cli --data ~/Tanabana gst check --month 08-2024
//   tanabana-cli --data ~/Tanabana gst gstr1 --month 08-2024 --out ~/GSTR_CSV --json
//   tanabana-cli --data ~/Tanabana gst gstr3b --month 08-2024 --out gstr3b-aug.pdf --xlsx KNVS_GSTR3B_Aug-2024.XLSx
//   tanabana-cli --data ~/Tanabana gst import-2a ~/Downloads/072024_2A.xlsx --month 07-2024
//   tanabana-cli --data ~/Tanabana gst match --month 07-2024 --confirm 12 --out mismatch.xlsx
//   tanabana-cli --data ~/Tanabana gst print itc04 --month 08-2024 --out itc04-jul-sep.pdf
#include "cli/Books.h"
#include "cli/Cli.h"
#include "domain/gst/Gstr1Check.h"
#include "domain/gst/Gstr1Files.h"
#include "domain/gst/Gstr2.h"
#include "domain/gst/Gstr3bPrint.h"
#include "domain/gst/Gstr3bWorkbook.h"
#include "domain/gst/PortalMatching.h"
#include "domain/gst/ReturnPrints.h"
#include "domain/gst/ReturnWorkbook.h"
#include "core/Words.h"

#include <QDir>
#include <cstdio>

namespace tanabana::cli {

namespace {

gst::ReturnPeriod monthOf(const Arguments& a) {
    const auto period = gst::ReturnPeriod::month(a.required(QStringLiteral("month")));
    if (!period) throw UsageError{QStringLiteral("--month takes a month as MM-YYYY, e.g. 08-2024")};
    return *period;
}

QString problemLine(const gst::Gstr1Problem& p) {
    const QString where = p.document.id == 0
                              ? QStringLiteral("Firm")
                              : QStringLiteral("%1  %2  %3").arg(p.document.number, p.document.date.toString(QStringLiteral("dd-MM-yyyy")),
                                                                  p.document.party);
    return QStringLiteral("%1: %2 Fix: %3").arg(where, p.problem, p.fix);
}

void warn(const QString& line) {
    std::fputs(line.toUtf8().constData(), stderr);
    std::fputc('\n', stderr);
}

int check(const Arguments& a) {
    const gst::ReturnPeriod period = monthOf(a);
    OpenBooks books = openBooks(a);
    try {
        const auto problems = gst::checkGstr1(*books.year, books.session, period);
        for (const auto& p : problems) out(problemLine(p));
        if (problems.empty()) {
            out(QStringLiteral("No problems in the sales of %1.").arg(a.option(QStringLiteral("month"))));
            return 0;
        }
        throw CommandError{QStringLiteral("%1 problem(s) to mend before uploading the return.").arg(problems.size())};
    } catch (const gst::GstError& e) {
        throw CommandError{e.text()};
    }
}

int gstr1(const Arguments& a) {
    const gst::ReturnPeriod period = monthOf(a);
    const QString folder = QDir::cleanPath(a.required(QStringLiteral("out")));
    OpenBooks books = openBooks(a);
    try {
        // The operator is warned first; the files are written all the same.
        const auto problems = gst::checkGstr1(*books.year, books.session, period);
        for (const auto& p : problems) warn(QStringLiteral("Warning: ") + problemLine(p));
        const gst::Gstr1 r = gst::Gstr1Service(*books.year, books.session).compute(period);
        const QStringList files = gst::writeGstr1Csv(r, folder);
        for (const QString& f : files) out(QDir::toNativeSeparators(f));
        if (a.has(QStringLiteral("json"))) out(QDir::toNativeSeparators(gst::writeGstr1Json(r, folder)));
        if (a.has(QStringLiteral("xlsx"))) {
            const QString book = QDir(folder).filePath(gst::returnWorkbookName(gst::gstr1Template(), period.from));
            gst::writeReturnWorkbook(books.installation.dataRoot(), gst::gstr1Template(), gst::gstr1WorkbookRows(r), book);
            out(QDir::toNativeSeparators(book));
        }
        out(QStringLiteral("Your GSTR-1 File Is Ready in %1 Folder").arg(QDir::toNativeSeparators(folder)));
        if (!problems.empty()) warn(QStringLiteral("%1 problem(s) listed above; the portal may refuse those rows.").arg(problems.size()));
        return 0;
    } catch (const gst::GstError& e) {
        throw CommandError{e.text()};
    }
}

QString amountColumns(const std::initializer_list<Decimal>& values) {
    QString text;
    for (const Decimal& v : values) text += FormatIndian(v, 2).rightJustified(16);
    return text;
}

int gstr3b(const Arguments& a) {
    const gst::ReturnPeriod period = monthOf(a);
    OpenBooks books = openBooks(a);
    try {
        const gst::Gstr3b r = gst::Gstr3bService(*books.year, books.session).compute(period);
        out(QStringLiteral("%1%2%3%4%5%6").arg(QStringLiteral("Table"), -9).arg(QStringLiteral("Nature of Supplies"), -80)
                .arg(QStringLiteral("Taxable"), 16).arg(QStringLiteral("IGST"), 16).arg(QStringLiteral("CGST"), 16).arg(QStringLiteral("SGST"), 16));
        for (const auto* lines : {&r.outward, &r.inputCredit})
            for (const gst::Gstr3bLine& l : *lines)
                out(QStringLiteral("%1%2").arg(l.table, -9).arg(l.description, -80) + amountColumns({l.taxable, l.igst, l.cgst, l.sgst}));
        for (const gst::StateSupplies& s : r.interState)
            out(QStringLiteral("%1%2").arg(QStringLiteral("3.2"), -9).arg(s.placeOfSupply + QStringLiteral(": Supplies made to Unregistered Persons"), -80) +
                amountColumns({s.unregisteredTaxable, s.unregisteredIgst}));
        for (const gst::ExemptInward& e : r.exemptInward)
            out(QStringLiteral("%1%2").arg(QStringLiteral("5"), -9).arg(e.description, -80) +
                amountColumns({e.interState, e.intraState}) + QStringLiteral("  (inter-, intra-state)"));
        if (a.has(QStringLiteral("out"))) {
            const QString path = a.required(QStringLiteral("out"));
            gst::writeGstr3b(*books.year, books.session, r, books.installation.dataRoot(), path);
            out(QDir::toNativeSeparators(path));
        }
        if (a.has(QStringLiteral("xlsx"))) {
            // The form's workbook from the template; a bare --xlsx writes it into Knvs_GSTR.
            const QString given = a.option(QStringLiteral("xlsx"));
            const QString path = given == QLatin1String("1") ? gst::gstr3bWorkbookPath(books.installation.dataRoot(), period) : given;
            gst::writeGstr3bWorkbook(r, gst::Gstr1Service(*books.year, books.session).firm().gstin, books.session.firmName,
                                     books.installation.dataRoot(), path);
            out(QDir::toNativeSeparators(path));
        }
        return 0;
    } catch (const gst::GstError& e) {
        throw CommandError{e.text()};
    }
}

// The inward supplies return: its invoice sections line by line and the totals of the others.
int gstr2(const Arguments& a) {
    const gst::ReturnPeriod period = monthOf(a);
    const gst::PortalMatchFilter filter = a.has(QStringLiteral("matched"))     ? gst::PortalMatchFilter::Matched
                                          : a.has(QStringLiteral("unmatched")) ? gst::PortalMatchFilter::Unmatched
                                                                               : gst::PortalMatchFilter::All;
    OpenBooks books = openBooks(a);
    try {
        const gst::Gstr2 r = gst::Gstr2Service(*books.year, books.session).compute(period, filter);
        for (const gst::ReturnSheet& sheet : gst::gstr2Sheets()) {
            const auto rows = gst::gstr2Rows(r, sheet.name);
            out(QStringLiteral("%1 (%2)").arg(sheet.name).arg(rows.size()));
            for (const QStringList& row : rows) out(QStringLiteral("  ") + row.join(QStringLiteral(" | ")));
        }
        if (a.has(QStringLiteral("out"))) {
            const QString path = a.required(QStringLiteral("out"));
            gst::writeReturnWorkbook(books.installation.dataRoot(), gst::gstr2Template(), gst::gstr2WorkbookRows(r), path);
            out(QDir::toNativeSeparators(path));
        }
        return 0;
    } catch (const gst::GstError& e) {
        throw CommandError{e.text()};
    }
}

gst::PortalReturn portalReturnOf(const Arguments& a, gst::PortalReturn fallback) {
    return a.has(QStringLiteral("2b")) ? gst::PortalReturn::Gstr2B : fallback;
}

// The period of an import: --month, else the one the JSON file names.
gst::ReturnPeriod importPeriod(const Arguments& a, const QString& path) {
    if (a.has(QStringLiteral("month"))) return monthOf(a);
    QString named;
    try {
        named = gst::readPortalFile(path).period;
    } catch (const gst::GstError& e) {
        throw CommandError{e.text()};
    }
    const auto period = gst::ReturnPeriod::month(named.left(2) + QLatin1Char('-') + named.mid(2));
    if (named.isEmpty() || !period) throw UsageError{QStringLiteral("--month MM-YYYY is needed: the file does not name its return period")};
    return *period;
}

int importPortal(const Arguments& a, gst::PortalReturn kind) {
    const QString path = a.positionalAt(0, QStringLiteral("FILE"));
    const gst::ReturnPeriod period = importPeriod(a, path);
    OpenBooks books = openBooks(a);
    ConsoleMessages messages;
    try {
        const auto rows = gst::PortalMatching(*books.year, books.session, messages).importFile(kind, period, path);
        if (!rows) throw CommandError{messages.lastCritical()};
        out(QStringLiteral("%1 row(s) of %2 kept for %3.").arg(*rows).arg(gst::portalReturnName(kind), period.from.toString(QStringLiteral("MM-yyyy"))));
        out(gst::importedText(kind));
        return 0;
    } catch (const gst::GstError& e) {
        throw CommandError{e.text()};
    }
}

QStringList ids(const QString& list) { return list.split(QLatin1Char(','), Qt::SkipEmptyParts); }

// Matches the period's import with the bills, applies the operator's confirmations and
// rejections, and lists what is not matched (with the row to name in --confirm).
int match(const Arguments& a) {
    const gst::ReturnPeriod period = monthOf(a);
    const gst::PortalReturn kind = portalReturnOf(a, gst::PortalReturn::Gstr2A);
    OpenBooks books = openBooks(a);
    ConsoleMessages messages;
    try {
        gst::PortalMatching matching(*books.year, books.session, messages);
        if (!matching.match(kind, period)) throw CommandError{messages.lastCritical()};
        for (const QString& id : ids(a.option(QStringLiteral("confirm"))))
            if (!matching.confirm(id.toLongLong())) throw CommandError{messages.lastCritical()};
        for (const QString& id : ids(a.option(QStringLiteral("reject"))))
            if (!matching.reject(id.toLongLong())) throw CommandError{messages.lastCritical()};
        const gst::Reconciliation r = matching.view(kind, period);
        for (const gst::PortalRow& p : r.portal)
            if (!p.matched())
                out(QStringLiteral("Portal row %1  %2  %3  %4  %5  %6")
                        .arg(p.id)
                        .arg(p.gstin, p.invoiceNo, p.date.toString(QStringLiteral("dd-MM-yyyy")), FormatIndian(p.invoiceValue, 2), p.statusText));
        for (const gst::BookBill& b : r.books)
            if (b.state != gst::MatchState::Exact && b.state != gst::MatchState::Confirmed && !b.ticked)
                out(QStringLiteral("Bill %1  %2  %3  %4  %5  %6")
                        .arg(b.id)
                        .arg(b.gstin, b.billNo, b.date.toString(QStringLiteral("dd-MM-yyyy")), FormatIndian(b.value, 2), b.statusText));
        out(r.summary());
        if (a.has(QStringLiteral("out"))) {
            const QString path = a.required(QStringLiteral("out"));
            gst::writeMismatches(r, books.session.firmName, path);
            out(QDir::toNativeSeparators(path));
        }
        return 0;
    } catch (const gst::GstError& e) {
        throw CommandError{e.text()};
    }
}

// A return on paper, as View Report shows it, written to a PDF or a workbook: GSTR-1 and GSTR-2 of
// the month, ITC-04 of the month's quarter, GSTR-9 of the year, the GST summary of a kind.
int printReturn(const Arguments& a) {
    const QString which = a.positionalAt(0, QStringLiteral("RETURN")).toLower();
    const QString path = a.required(QStringLiteral("out"));
    OpenBooks books = openBooks(a);
    db::Database& db = *books.year;
    const Session& session = books.session;
    try {
        reports::ReportRequest request;
        if (which == QLatin1String("gstr1")) {
            request = gst::gstr1Report(db, session, gst::Gstr1Service(db, session).compute(monthOf(a)));
        } else if (which == QLatin1String("gstr2")) {
            const gst::PortalMatchFilter filter = a.has(QStringLiteral("matched"))     ? gst::PortalMatchFilter::Matched
                                                  : a.has(QStringLiteral("unmatched")) ? gst::PortalMatchFilter::Unmatched
                                                                                       : gst::PortalMatchFilter::All;
            request = gst::gstr2Report(db, session, gst::Gstr2Service(db, session).compute(monthOf(a), filter));
        } else if (which == QLatin1String("itc04")) {
            const QDate month = monthOf(a).from;
            const QDate first(month.year(), (month.month() - 1) / 3 * 3 + 1, 1);
            request = gst::itc04Report(db, session, gst::Itc04Service(db, session).compute({first, first.addMonths(3).addDays(-1)}));
        } else if (which == QLatin1String("gstr9")) {
            request = gst::gstr9Report(db, session, gst::Gstr9Service(db, session).compute({session.yearStartDate, session.yearEndDate}));
        } else if (which == QLatin1String("summary")) {
            const QString kind = a.option(QStringLiteral("kind"), gst::gstSummaryKinds().constFirst());
            if (!gst::gstSummaryKinds().contains(kind))
                throw UsageError{QStringLiteral("--kind is one of: ") + gst::gstSummaryKinds().join(QStringLiteral(", "))};
            const gst::ReturnPeriod period = monthOf(a);
            request = gst::gstSummaryReport(db, session, period, kind, gst::GstSummaryService(db, session).compute(period, kind));
        } else {
            throw UsageError{QStringLiteral("RETURN is gstr1, gstr2, itc04, gstr9 or summary")};
        }
        gst::writeReturnReport(request, books.installation.dataRoot(), path);
        out(QDir::toNativeSeparators(path));
        return 0;
    } catch (const gst::GstError& e) {
        throw CommandError{e.text()};
    }
}

// Writes the workbook templates the program ships, as the Excel buttons expect to find them.
int templates(const Arguments& a) {
    const QString folder = QDir::cleanPath(a.required(QStringLiteral("out")));
    if (!QDir().mkpath(folder)) throw CommandError{QStringLiteral("The folder %1 cannot be made").arg(folder)};
    try {
        for (const gst::ReturnTemplate* t : gst::shippedTemplates()) {
            gst::writeReturnTemplate(*t, QDir(folder).filePath(t->file));
            out(QDir::toNativeSeparators(QDir(folder).filePath(t->file)));
        }
        gst::writeGstr3bTemplate(QDir(folder).filePath(gst::gstr3bTemplateFile()));
        out(QDir::toNativeSeparators(QDir(folder).filePath(gst::gstr3bTemplateFile())));
    } catch (const gst::GstError& e) {
        throw CommandError{e.text()};
    }
    return 0;
}

}  // namespace

void registerGstCommands(Registry& registry) {
    Noun noun{QStringLiteral("gst"), QStringLiteral("GST returns: GSTR-1 files, the check before them, GSTR-3B, GSTR-2 and 2A/2B matching"), {}};
    noun.verbs.push_back({QStringLiteral("gstr1"), QStringLiteral("writes the GSTR-1 CSV files (and the portal's JSON) of a month"),
                          QStringLiteral("--month MM-YYYY --out DIR [--json] [--xlsx] [--year N] [--firm N]"), gstr1});
    noun.verbs.push_back({QStringLiteral("check"), QStringLiteral("lists what the portal would refuse in a month's sales (exit 1 when any)"),
                          QStringLiteral("--month MM-YYYY [--year N] [--firm N]"), check});
    noun.verbs.push_back({QStringLiteral("gstr3b"), QStringLiteral("GSTR-3B of a month from the books, printed to a file with --out"),
                          QStringLiteral("--month MM-YYYY [--out FILE.pdf|FILE.xlsx|FILE.csv] [--xlsx [FILE]] [--year N] [--firm N]"), gstr3b});
    noun.verbs.push_back({QStringLiteral("gstr2"), QStringLiteral("GSTR-2 of a month from the purchase books, section by section"),
                          QStringLiteral("--month MM-YYYY [--matched | --unmatched] [--out FILE.xlsx] [--year N] [--firm N]"), gstr2});
    noun.verbs.push_back({QStringLiteral("print"), QStringLiteral("a return on paper (gstr1, gstr2, itc04, gstr9, summary) as PDF or workbook"),
                          QStringLiteral("RETURN --out FILE.pdf|FILE.xlsx [--month MM-YYYY] [--kind \"1. Summary\"] [--matched | --unmatched] "
                                         "[--year N] [--firm N]"),
                          printReturn});
    noun.verbs.push_back({QStringLiteral("templates"), QStringLiteral("writes the returns' workbook templates the program ships"),
                          QStringLiteral("--out DIR"), templates});
    noun.verbs.push_back({QStringLiteral("import-2a"), QStringLiteral("keeps the portal's GSTR-2A (workbook or JSON) of a month for matching"),
                          QStringLiteral("FILE [--month MM-YYYY] [--year N] [--firm N]"),
                          [](const Arguments& a) { return importPortal(a, gst::PortalReturn::Gstr2A); }});
    noun.verbs.push_back({QStringLiteral("import-2b"), QStringLiteral("keeps the portal's GSTR-2B (workbook or JSON) of a month for matching"),
                          QStringLiteral("FILE [--month MM-YYYY] [--year N] [--firm N]"),
                          [](const Arguments& a) { return importPortal(a, gst::PortalReturn::Gstr2B); }});
    noun.verbs.push_back({QStringLiteral("match"), QStringLiteral("matches a month's purchase bills with the imported GSTR-2A (or --2b)"),
                          QStringLiteral("--month MM-YYYY [--2b] [--confirm ROW,ROW] [--reject ROW] [--out FILE.xlsx] [--year N] [--firm N]"),
                          match});
    registry.add(std::move(noun));
}

}  // namespace tanabana::cli
