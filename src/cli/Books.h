#pragma once
// The installation and the open books a command works on: --data DIR (files, or this station's
// settings folder with --db) and --db URL (a PostgreSQL server); --year N picks the year ending
// in N (default: the latest listed) and --firm N the firm (default 1).
#include "cli/Cli.h"
#include "core/Session.h"
#include "db/Database.h"
#include "domain/reports/Register.h"
#include "domain/shell/Installation.h"

#include <memory>

namespace tanabana::cli {

// The user's data folder of the desktop program (where its default installation lives).
QString defaultDataRoot();
shell::Installation installationFrom(const Arguments& args);

struct OpenBooks {
    shell::Installation installation;
    Session session;
    std::unique_ptr<db::Database> year;
};
// Opens the year (migrated, fixed up) with a session on the firm; CommandError when the year or
// the firm does not exist.
OpenBooks openBooks(const Arguments& args, bool chooseFirm = true);

// Prints a register's title, filters and lines as its grid shows them, in padded columns.
void printRegisterText(const reports::RegisterResult& result);

// The options every command on a year's books takes, as its usage line shows them.
inline const QString kBooksOptions = QStringLiteral("[--data DIR | --db URL] [--year N] [--firm N]");
// The whole of a file, or of standard input for "-"; a file that cannot be read is a CommandError.
QByteArray readInput(const QString& path);

}  // namespace tanabana::cli
