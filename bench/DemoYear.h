#pragma once
// The generated year the selling benchmarks run on: the demonstration firm in a scratch
// installation (a temporary folder, or the PostgreSQL server given with --db URL), with as many
// extra parties and qualities as --parties and --items ask for.
#include "domain/demo/DemoFirm.h"
#include "domain/shell/Installation.h"

#include <QCoreApplication>
#include <QStringList>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace tanabana::bench {

// The number after `name` on the command line, or `fallback`.
inline int option(const QStringList& args, const QString& name, int fallback) {
    const int i = int(args.indexOf(name));
    return i >= 0 && i + 1 < args.size() ? args.at(i + 1).toInt() : fallback;
}

// "<what>: N in S s = R documents/s; one save p50 X ms, p99 Y ms" from the times of each save.
inline void printSaveRate(const char* what, std::vector<double> millis, double seconds) {
    std::sort(millis.begin(), millis.end());
    auto at = [&](double q) { return millis.empty() ? 0.0 : millis[std::min(millis.size() - 1, size_t(q * double(millis.size())))]; };
    std::printf("%s: %d in %.2f s = %.1f per second; one save p50 %.2f ms, p99 %.2f ms\n", what, int(millis.size()), seconds,
                double(millis.size()) / seconds, at(0.50), at(0.99));
}

class DemoYear {
public:
    DemoYear(const QStringList& args, int salesBills, int extras)
        : installation_(place(args, dir_.path())), year_(create(installation_)) {
        session.dataRoot = dir_.path();
        session.setYear(2025);
        session.loginUser = QStringLiteral("BENCH");
        session.db = &year_;
        demo::DemoSize size;
        size.salesBills = salesBills;
        size.extraParties = option(args, QStringLiteral("--parties"), extras);
        size.extraItems = option(args, QStringLiteral("--items"), extras);
        summary = demo::fillDemoFirm(year_, session, QDate(2025, 3, 31), size);
        std::printf("year: %s\n", qPrintable(summary.text()));
    }

    db::Database& year() { return year_; }
    Session session;
    demo::DemoSummary summary;

private:
    static shell::Installation place(const QStringList& args, const QString& folder) {
        const int i = int(args.indexOf(QStringLiteral("--db")));
        return i >= 0 && i + 1 < args.size()
            ? shell::Installation::onServer(args.at(i + 1), folder, QStringLiteral("bench_%1_").arg(QCoreApplication::applicationPid()))
            : shell::Installation::inFolder(folder);
    }
    static db::Database create(const shell::Installation& installation) {
        installation.createYearList();
        return installation.createYear(2025);
    }

    QTemporaryDir dir_;
    shell::Installation installation_;
    db::Database year_;
};

}  // namespace tanabana::bench
