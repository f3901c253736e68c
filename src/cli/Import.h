#pragma once
// What the master commands share: the open books of --year/--firm with the firm's settings row and
// a console that answers Yes (the command itself is the operator's confirmation), the objects of a
// JSON file, an all-or-nothing import and tab-separated lists.
#include "cli/Books.h"
#include "core/Messages.h"

#include <QJsonArray>
#include <functional>

namespace tanabana::cli {

struct Work {
    OpenBooks books;
    ConsoleMessages messages{true};
    db::Database& db() { return *books.year; }
    Session& session() { return books.session; }
};

std::unique_ptr<Work> openWork(const Arguments& a);
// The objects of a JSON file (an array of objects or one object; "-" reads standard input).
QJsonArray readJsonObjects(const QString& path);
// Saves every object of the file in one transaction; `saveOne` returns false after a refusal
// (already printed), and the whole import is undone.
int importAll(const Arguments& a, const QString& what, const std::function<bool(Work&, const QVariantMap&)>& saveOne);
void printTable(const QStringList& header, const std::vector<QStringList>& rows);

inline const QString kImportUsage = QStringLiteral("FILE.json|- [--year END] [--firm N]");

}  // namespace tanabana::cli
