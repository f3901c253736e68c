// tanabana-cli install / year / firm: setting up an installation, its financial years and firms.
#include "cli/Books.h"
#include "cli/Cli.h"
#include "core/Messages.h"
#include "domain/shell/Installer.h"
#include "domain/shell/YearChoice.h"
#include "domain/shell/YearMaintenance.h"
#include "domain/shell/Schema.h"
#include "domain/shell/Users.h"

#include <QDir>

namespace tanabana::cli {

namespace {

int installCreate(const Arguments& a) {
    const shell::Installation installation = installationFrom(a);
    shell::FirstSetup setup;
    setup.user = a.option(QStringLiteral("user"), setup.user);
    setup.password = a.option(QStringLiteral("password"), setup.password);
    setup.firmName = a.option(QStringLiteral("firm"), setup.firmName);
    if (a.has(QStringLiteral("year"))) {
        bool ok = false;
        setup.endYear = a.option(QStringLiteral("year")).toInt(&ok);
        if (!ok) throw UsageError{QStringLiteral("--year takes the year in which the financial year ends, e.g. 2025")};
    }
    shell::createInstallation(installation, setup);
    const int endYear = shell::listYears(installation).value(0);
    out(QStringLiteral("Installation created in %1")
            .arg(installation.onServer() ? installation.serverUrl() : QDir::toNativeSeparators(installation.dataRoot())));
    out(QStringLiteral("Operator %1, year %2, firm 1 %3")
            .arg(setup.user.trimmed().toUpper(), shell::yearRowText(endYear), setup.firmName.trimmed()));
    return 0;
}

int yearList(const Arguments& a) {
    const shell::Installation installation = installationFrom(a);
    for (int endYear : shell::listYears(installation)) {
        const QString state = installation.yearExists(endYear) ? QString() : QStringLiteral("  (no database)");
        out(QStringLiteral("%1  %2%3").arg(shell::yearRowText(endYear), QDir::toNativeSeparators(installation.yearLocation(endYear)), state));
    }
    return 0;
}

int yearCreateNext(const Arguments& a) {
    OpenBooks books = openBooks(a, false);
    ConsoleMessages messages(true);
    const shell::NewYearResult result = shell::createNextYear(books.installation, books.session, *books.year, messages);
    return result == shell::NewYearResult::Created ? 0 : 1;
}

int firmList(const Arguments& a) {
    OpenBooks books = openBooks(a, false);
    for (const shell::FirmRow& firm : shell::listFirms(*books.year)) out(QStringLiteral("%1  %2").arg(firm.srno, 4).arg(firm.name.trimmed()));
    return 0;
}

// The rights named in --deny ("R72,T1") cleared, every other right on.
QVariantMap rightsFrom(const Arguments& a) {
    QVariantMap rights;
    for (const QString& column : shell::rightsColumns()) rights.insert(column, true);
    for (const QString& item : a.option(QStringLiteral("deny")).split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QString wanted = item.trimmed();
        auto known = std::find_if(shell::rightsColumns().cbegin(), shell::rightsColumns().cend(),
                                  [&wanted](const QString& c) { return c.compare(wanted, Qt::CaseInsensitive) == 0; });
        if (known == shell::rightsColumns().cend()) throw UsageError{QStringLiteral("Unknown right %1").arg(wanted)};
        rights.insert(*known, false);
    }
    return rights;
}

template <typename Work>
int withOperators(const Arguments& a, Work work) {
    const shell::Installation installation = installationFrom(a);
    db::Database yearList = installation.openYearList();
    Session session;
    ConsoleMessages messages(true);
    shell::OperatorAccounts accounts(yearList, session, messages);
    return work(accounts, yearList) ? 0 : 1;
}

int userCreate(const Arguments& a) {
    const QString password = a.required(QStringLiteral("password"));
    return withOperators(a, [&](shell::OperatorAccounts& accounts, db::Database&) {
        return accounts.save(a.positionalAt(0, QStringLiteral("NAME")), password, password, rightsFrom(a));
    });
}

int userPassword(const Arguments& a) {
    const QString password = a.required(QStringLiteral("password"));
    return withOperators(a, [&](shell::OperatorAccounts& accounts, db::Database&) {
        return accounts.changePassword(a.positionalAt(0, QStringLiteral("NAME")), password, password);
    });
}

int userDelete(const Arguments& a) {
    return withOperators(a, [&](shell::OperatorAccounts& accounts, db::Database&) { return accounts.remove(a.positionalAt(0, QStringLiteral("NAME"))); });
}

int userList(const Arguments& a) {
    return withOperators(a, [](shell::OperatorAccounts& accounts, db::Database& yearList) {
        for (const QString& name : accounts.names()) {
            QStringList cleared;
            const QVariantMap rights = shell::operatorRights(yearList, name);
            for (const QString& column : shell::rightsColumns())
                if (rights.value(column, 1).toInt() == 0) cleared << column;
            out(cleared.isEmpty() ? name : QStringLiteral("%1  (no %2)").arg(name, cleared.join(QStringLiteral(", "))));
        }
        return true;
    });
}

}  // namespace

void registerShellCommands(Registry& registry) {
    Noun install{QStringLiteral("install"), QStringLiteral("set up a new installation"), {}};
    install.verbs.push_back({QStringLiteral("create"),
                             QStringLiteral("creates the year list, the first operator, year and firm (--data DIR or --db URL)"),
                             QStringLiteral("[--user NAME] [--password TEXT] [--year ENDYEAR] [--firm NAME]"), installCreate});
    registry.add(std::move(install));

    Noun year{QStringLiteral("year"), QStringLiteral("financial years of the installation"), {}};
    year.verbs.push_back({QStringLiteral("list"), QStringLiteral("lists the years (2023--2024) and where their books are"), {}, yearList});
    year.verbs.push_back({QStringLiteral("create-next"),
                          QStringLiteral("creates the year after --year (default the latest) from its masters"),
                          QStringLiteral("[--year ENDYEAR]"), yearCreateNext});
    registry.add(std::move(year));

    Noun firm{QStringLiteral("firm"), QStringLiteral("firms of a year"), {}};
    firm.verbs.push_back({QStringLiteral("list"), QStringLiteral("lists the firms of a year with their numbers"),
                          QStringLiteral("[--year ENDYEAR]"), firmList});
    registry.add(std::move(firm));

    Noun user{QStringLiteral("user"), QStringLiteral("operators and their rights"), {}};
    user.verbs.push_back({QStringLiteral("list"), QStringLiteral("lists the operators with the rights they lack"), {}, userList});
    user.verbs.push_back({QStringLiteral("create"),
                          QStringLiteral("creates an operator, or rewrites one's password and rights (--deny R72,T1 clears rights)"),
                          QStringLiteral("NAME --password TEXT [--deny RIGHTS]"), userCreate});
    user.verbs.push_back({QStringLiteral("password"), QStringLiteral("gives an operator a new password"),
                          QStringLiteral("NAME --password TEXT"), userPassword});
    user.verbs.push_back({QStringLiteral("delete"), QStringLiteral("deletes an operator"), QStringLiteral("NAME"), userDelete});
    registry.add(std::move(user));
}

}  // namespace tanabana::cli
