// tanabana-cli gst: the GST returns' files and the check made before them.
//   tanabana-cli --data ~/Tanabana gst check --month 08-2024
//   tanabana-cli --data ~/Tanabana gst gstr1 --month 08-2024 --out ~/GSTR_CSV --json
#include "cli/Books.h"
#include "cli/Cli.h"
#include "domain/gst/Gstr1Check.h"
#include "domain/gst/Gstr1Files.h"

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

}  // namespace

void registerGstCommands(Registry& registry) {
    Noun noun{QStringLiteral("gst"), QStringLiteral("GST returns: GSTR-1 files and the check before them"), {}};
    noun.verbs.push_back({QStringLiteral("gstr1"), QStringLiteral("writes the GSTR-1 CSV files (and the portal's JSON) of a month"),
                          QStringLiteral("--month MM-YYYY --out DIR [--json] [--year N] [--firm N]"), gstr1});
    noun.verbs.push_back({QStringLiteral("check"), QStringLiteral("lists what the portal would refuse in a month's sales (exit 1 when any)"),
                          QStringLiteral("--month MM-YYYY [--year N] [--firm N]"), check});
    registry.add(std::move(noun));
}

}  // namespace tanabana::cli
