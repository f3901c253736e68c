#include "cli/OpenBooks.h"

#include "domain/shell/Installation.h"
#include "domain/shell/YearChoice.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>

namespace tanabana::cli {

namespace {

int wholeOption(const Arguments& args, const QString& name, int fallback) {
    if (!args.has(name)) return fallback;
    bool ok = false;
    const int n = args.option(name).toInt(&ok);
    if (!ok || n <= 0) throw UsageError{QStringLiteral("--%1 takes a whole number").arg(name)};
    return n;
}

}  // namespace

std::unique_ptr<OpenBooks> openBooks(const Arguments& args) {
    const QString root = args.dataFolder.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
                                                   : args.dataFolder;
    const shell::Installation installation =
        args.serverUrl.isEmpty() ? shell::Installation::inFolder(root) : shell::Installation::onServer(args.serverUrl, root);
    int endYear = wholeOption(args, QStringLiteral("year"), 0);
    if (endYear == 0) {
        const QList<int> years = installation.yearListExists() ? shell::listYears(installation) : QList<int>();
        if (years.isEmpty()) throw CommandError{QStringLiteral("No year found in %1; give --year").arg(root)};
        endYear = years.last();
    }
    if (!installation.yearExists(endYear)) throw CommandError{QStringLiteral("Selected Year is not Found (%1)").arg(endYear)};
    auto books = std::make_unique<OpenBooks>();
    books->db = std::make_unique<db::Database>(installation.openYear(endYear));
    Session& s = books->session;
    s.dataRoot = root;
    s.dataFolder = installation.yearFolder();
    s.serverUrl = args.serverUrl;
    s.setYear(endYear);
    s.loginUser = QStringLiteral("ADMIN");
    s.loginDate = QDate::currentDate();
    s.db = books->db.get();
    const qint64 firmNo = wholeOption(args, QStringLiteral("firm"), 1);
    const auto firm = books->db->queryOne(QStringLiteral("SELECT * FROM FirmMst WHERE Srno = ?"), {firmNo});
    if (!firm) throw CommandError{QStringLiteral("Firm %1 is not found in the year %2").arg(firmNo).arg(endYear)};
    shell::FirmRow row;
    row.srno = firmNo;
    row.name = firm->text(QStringLiteral("PName"));
    shell::chooseFirm(*books->db, s, row);
    for (const QString& column : firm->columns()) s.firm.insert(column, firm->value(column));
    return books;
}

QJsonArray readJsonObjects(const QString& path) {
    QFile file;
    if (path == QLatin1String("-")) {
        if (!file.open(stdin, QIODevice::ReadOnly)) throw CommandError{QStringLiteral("Cannot read standard input")};
    } else {
        file.setFileName(path);
        if (!file.open(QIODevice::ReadOnly)) throw CommandError{QStringLiteral("Cannot open %1").arg(path)};
    }
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &error);
    if (error.error != QJsonParseError::NoError)
        throw CommandError{QStringLiteral("%1 is not JSON: %2 at %3").arg(path, error.errorString()).arg(error.offset)};
    if (doc.isObject()) return QJsonArray{doc.object()};
    if (!doc.isArray()) throw CommandError{QStringLiteral("%1 must hold an object or an array of objects").arg(path)};
    for (const QJsonValue& v : doc.array())
        if (!v.isObject()) throw CommandError{QStringLiteral("%1 must hold an array of objects").arg(path)};
    return doc.array();
}

}  // namespace tanabana::cli
