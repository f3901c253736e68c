#pragma once
// A master row as the screens and the command line hand it to a service: column name -> value,
// under the table's own column names. Numbers may arrive as text (typed or from JSON); text
// with letters where a number belongs is refused rather than read as something else.
#include "db/Schema.h"
#include "domain/masters/Gstin.h"

#include <QVariantMap>
#include <optional>

namespace tanabana::masters {

using Record = QVariantMap;

QString textOf(const Record& record, const QString& column);
double numberOf(const Record& record, const QString& column);
qint64 integerOf(const Record& record, const QString& column);
bool flagOf(const Record& record, const QString& column);

// Brings the record to the table's column names and types: unknown columns and numbers with
// letters are refused ("Wrong Value"); flags accept true/false, 1/0, Y/N, Yes/No.
std::optional<Refusal> normalise(const db::TableDef& table, Record& record);

}  // namespace tanabana::masters
