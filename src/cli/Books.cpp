#include "cli/Books.h"

#include "core/SettingsFiles.h"
#include "domain/shell/YearChoice.h"

#include <QStandardPaths>

namespace tanabana::cli {

QString defaultDataRoot() { return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation); }

shell::Installation installationFrom(const Arguments& args) {
    const QString root = args.dataFolder.isEmpty() ? defaultDataRoot() : args.dataFolder;
    if (!args.serverUrl.isEmpty()) return shell::Installation::onServer(args.serverUrl, root);
    return shell::Installation::inFolder(root);
}

namespace {

int wholeOption(const Arguments& args, const QString& name, int fallback) {
    if (!args.has(name)) return fallback;
    bool ok = false;
    const int value = args.option(name).toInt(&ok);
    if (!ok || value <= 0) throw UsageError{QStringLiteral("--%1 takes a whole number").arg(name)};
    return value;
}

}  // namespace

OpenBooks openBooks(const Arguments& args, bool chooseFirm) {
    OpenBooks books;
    books.installation = installationFrom(args);
    readSettingsFiles(books.installation.dataRoot(), books.session);
    const QList<int> years = shell::listYears(books.installation);
    if (years.isEmpty() && !args.has(QStringLiteral("year"))) throw CommandError{QStringLiteral("The year list is empty")};
    const int endYear = wholeOption(args, QStringLiteral("year"), years.isEmpty() ? 0 : years.last());
    books.session.loginUser = QStringLiteral("CLI");
    books.session.loginDate = QDate::currentDate();
    RecordingMessages quiet;
    books.year = shell::openChosenYear(books.installation, books.session, quiet, endYear);
    if (!books.year) throw CommandError{quiet.empty() ? QStringLiteral("Selected Year is not Found") : quiet.last().text};
    books.session.db = books.year.get();
    if (!chooseFirm) return books;
    const qint64 firmNo = wholeOption(args, QStringLiteral("firm"), 1);
    for (const shell::FirmRow& firm : shell::listFirms(*books.year)) {
        if (firm.srno != firmNo) continue;
        shell::chooseFirm(*books.year, books.session, firm);
        return books;
    }
    throw CommandError{QStringLiteral("There is no firm %1 in the year %2").arg(firmNo).arg(books.session.yearLabel)};
}

}  // namespace tanabana::cli
