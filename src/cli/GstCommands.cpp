// tanabana-cli gst: the GST returns' files, the check made before them and GSTR-3B.
//   tanabana-cli --data ~/Tanabana gst check --month 08-2024
//   tanabana-cli --data ~/Tanabana gst gstr1 --month 08-2024 --out ~/GSTR_CSV --json
//   tanabana-cli --data ~/Tanabana gst gstr3b --month 08-2024 --out gstr3b-aug.pdf
#include "cli/Books.h"
#include "cli/Cli.h"
#include "domain/gst/Gstr1Check.h"
#include "domain/gst/Gstr1Files.h"
#include "domain/gst/Gstr3bPrint.h"
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
        return 0;
    } catch (const gst::GstError& e) {
        throw CommandError{e.text()};
    }
}

}  // namespace

void registerGstCommands(Registry& registry) {
    Noun noun{QStringLiteral("gst"), QStringLiteral("GST returns: GSTR-1 files, the check before them, GSTR-3B"), {}};
    noun.verbs.push_back({QStringLiteral("gstr1"), QStringLiteral("writes the GSTR-1 CSV files (and the portal's JSON) of a month"),
                          QStringLiteral("--month MM-YYYY --out DIR [--json] [--year N] [--firm N]"), gstr1});
    noun.verbs.push_back({QStringLiteral("check"), QStringLiteral("lists what the portal would refuse in a month's sales (exit 1 when any)"),
                          QStringLiteral("--month MM-YYYY [--year N] [--firm N]"), check});
    noun.verbs.push_back({QStringLiteral("gstr3b"), QStringLiteral("GSTR-3B of a month from the books, printed to a file with --out"),
                          QStringLiteral("--month MM-YYYY [--out FILE.pdf|FILE.xlsx|FILE.csv] [--year N] [--firm N]"), gstr3b});
    registry.add(std::move(noun));
}

}  // namespace tanabana::cli
