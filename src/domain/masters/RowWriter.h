#pragma once
// Writes one master row from a column -> value map: texts cut to the column widths of the year
// database (PostgreSQL refuses over-long text), every value bound.
#include "db/Database.h"
#include "db/Schema.h"
#include "domain/masters/Gstin.h"

#include <QVariantMap>

namespace tanabana::masters {

// A row read back as a map under the table's own column spellings (PostgreSQL hands names back
// in lower case), ready to be changed and written again.
QVariantMap rowValues(const db::Row& row, const db::TableDef& table);
// The refusal of the first text longer than its column of the year database ("Wrong Value"),
// so that a name or address is never cut without the operator knowing.
std::optional<Refusal> overlong(const QString& table, const QVariantMap& values);
// Cuts every text value of the map to its column's width.
QVariantMap fitted(const QString& table, const QVariantMap& values);
void insertRow(db::Database& db, const QString& table, const QVariantMap& values);
// UPDATE table SET <values> WHERE <where>; returns the rows changed.
int updateRow(db::Database& db, const QString& table, const QVariantMap& values, const QString& where,
              const QVariantList& whereParams);

}  // namespace tanabana::masters
