#pragma once
// Running tanabana-cli from a test on an installation folder of its own (year list, the year's
// DataBase/<year>.db with firm 1 and its chart), with a session on firm 1 for checking what the
// command did.
//
//   test::YearFolder books(2025);
//   test::CliResult r = test::runCli({"--data", books.root(), "ledger", "balance", "35R001", "--year", "2025"});
#include "core/Session.h"
#include "db/Database.h"

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

namespace tanabana::test {

// The tanabana-cli built beside the tests.
QString cliPath();

struct CliResult {
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs the command to its end (two minutes at most), with `input` on its standard input.
CliResult runCli(const QStringList& arguments, const QByteArray& input = {});
// Starts the command without waiting; the caller waits on the process.
std::unique_ptr<QProcess> startCli(const QStringList& arguments);

// An installation folder with one SQLite year (SQLite only: the command opens files here).
class YearFolder {
public:
    explicit YearFolder(int endYear = 2025);
    QString root() const { return dir_.path(); }
    db::Database& db() { return db_; }
    Session session;

private:
    QTemporaryDir dir_;
    db::Database db_;
};

}  // namespace tanabana::test
