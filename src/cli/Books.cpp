#include "cli/Books.h"

#include "core/SettingsFiles.h"
#include "domain/shell/Operators.h"
#include "domain/shell/YearChoice.h"

#include <QFile>
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
    // An operator named with a password works with that operator's rights, as after the login window.
    if (args.has(QStringLiteral("user")) && args.has(QStringLiteral("password"))) {
        RecordingMessages login;
        if (!shell::login(books.installation, books.session, login, args.option(QStringLiteral("user")), args.option(QStringLiteral("password"))))
            throw CommandError{login.empty() ? QStringLiteral("ACCESS DENIED") : login.last().text.simplified()};
    }
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

// The lines as the screen's grid shows them, in columns padded to their widest cell.
void printRegisterText(const reports::RegisterResult& result) {
    const auto& columns = result.sheet.columns;
    std::vector<int> widths;
    for (const auto& c : columns) widths.push_back(int(c.caption.size()));
    for (const reports::RegisterLine& line : result.lines)
        if (line.kind != reports::RegisterLine::Kind::Heading)
            for (int i = 0; i < line.cells.size() && i < int(widths.size()); ++i) widths[size_t(i)] = qMax(widths[size_t(i)], int(line.cells.at(i).size()));
    auto row = [&](const QStringList& cells) {
        QStringList padded;
        for (size_t i = 0; i < columns.size(); ++i) {
            const QString cell = cells.value(int(i));
            padded << (columns[i].numeric ? cell.rightJustified(widths[i]) : cell.leftJustified(widths[i]));
        }
        return padded.join(QStringLiteral("  ")).trimmed();
    };
    out(result.title);
    if (!result.filters.isEmpty()) out(result.filters);
    QStringList captions;
    for (const auto& c : columns) captions << c.caption;
    out(row(captions));
    for (const reports::RegisterLine& line : result.lines) out(line.kind == reports::RegisterLine::Kind::Heading ? line.cells.value(0) : row(line.cells));
}

QByteArray readInput(const QString& path) {
    QFile file;
    if (path == QLatin1String("-")) {
        if (!file.open(stdin, QIODevice::ReadOnly)) throw CommandError{QStringLiteral("Cannot read standard input")};
    } else {
        file.setFileName(path);
        if (!file.open(QIODevice::ReadOnly)) throw CommandError{QStringLiteral("Cannot read %1: %2").arg(path, file.errorString())};
    }
    return file.readAll();
}

}  // namespace tanabana::cli
