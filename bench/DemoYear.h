#pragma once
// The generated year the selling benchmarks run on: the demonstration firm in a scratch
// installation (a temporary folder, or the PostgreSQL server given with --db URL), with as many
// extra parties and qualities as --parties and --items ask for.
#include "domain/demo/DemoFirm.h"
#include "domain/shell/Installation.h"

#include <QCoreApplication>
#include <QStringList>
#include <QTemporaryDir>
#include <cstdio>

namespace tanabana::bench {

// The number after `name` on the command line, or `fallback`.
inline int option(const QStringList& args, const QString& name, int fallback) {
    const int i = int(args.indexOf(name));
    return i >= 0 && i + 1 < args.size() ? args.at(i + 1).toInt() : fallback;
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
