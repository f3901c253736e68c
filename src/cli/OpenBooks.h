#pragma once
// The books a command works on: the installation named by --data or --db, the year by --year
// (the latest of the year list when not given) and the firm by --firm (1 when not given), opened
// and migrated the way the year and firm windows open them.
#include "cli/Cli.h"
#include "core/Messages.h"
#include "core/Session.h"
#include "db/Database.h"

#include <QJsonArray>
#include <memory>

namespace tanabana::cli {

struct OpenBooks {
    std::unique_ptr<db::Database> db;
    Session session;
    ConsoleMessages messages{true};
};

// Throws CommandError when the installation, year or firm is not there.
std::unique_ptr<OpenBooks> openBooks(const Arguments& args);
// The objects of a JSON file (an array of objects or one object; "-" reads standard input).
QJsonArray readJsonObjects(const QString& path);

}  // namespace tanabana::cli
