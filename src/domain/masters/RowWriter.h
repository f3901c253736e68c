#pragma once
// Writes one master row from a column -> value map: texts cut to the column widths of the year
// database (PostgreSQL refuses over-long text), every value bound.
#include "db/Database.h"
#include "db/Schema.h"

#include <QVariantMap>

namespace tanabana::masters {

// A row read back as a map under the table's own column spellings (PostgreSQL hands names back
// in lower case), ready to be changed and written again.
QVariantMap rowValues(const db::Row& row, const db::TableDef& table);
// Cuts every text value of the map to its column's width.
QVariantMap fitted(const QString& table, const QVariantMap& values);
void insertRow(db::Database& db, const QString& table, const QVariantMap& values);
// UPDATE table SET <values> WHERE <where>; returns the rows changed.
int updateRow(db::Database& db, const QString& table, const QVariantMap& values, const QString& where,
              const QVariantList& whereParams);

}  // namespace tanabana::masters
