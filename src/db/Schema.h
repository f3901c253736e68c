#pragma once
// Table definitions in the system's own names and types, and the forward-only migrations that
// bring any database of ours to the current structure.
//
// Every module lists its tables and steps; a step has a stable name ("ledger/001-journal") and
// runs once per database, recorded in SchemaSteps. All pending steps of one opening run in one
// transaction: a database is either wholly upgraded or left exactly as it was.
#include "db/Database.h"
#include "db/Dialect.h"

#include <QString>
#include <functional>
#include <vector>

namespace tanabana::db {

struct ColumnDef {
    QString name;
    ColumnType type = ColumnType::Text;
    int width = 0;          // characters, for Text columns
    QString defaultValue;   // SQL literal, e.g. "0" or "''"; empty for none
};

struct IndexDef {
    QString name;
    QStringList columns;
    bool unique = false;
};

struct TableDef {
    QString name;
    std::vector<ColumnDef> columns;
    QStringList primaryKey;
    std::vector<IndexDef> indexes;

    const ColumnDef* column(const QString& columnName) const;
};

// Shorthands that keep table definitions readable as the system's own column lists.
ColumnDef longCol(const QString& name);
ColumnDef intCol(const QString& name);
ColumnDef singleCol(const QString& name);
ColumnDef doubleCol(const QString& name);
ColumnDef textCol(const QString& name, int width);
ColumnDef memoCol(const QString& name);
ColumnDef yesNoCol(const QString& name);
ColumnDef dateCol(const QString& name);
ColumnDef dateTimeCol(const QString& name);
// The column with a default value, given as an SQL literal ("0", "''", "'T'").
ColumnDef withDefault(ColumnDef column, const QString& literal);

// The defaults the system's tables use: 0 for numbers, keys and flags, '' for texts. A table
// definition file says `using namespace db::columns;` to write its columns as short calls.
namespace columns {
ColumnDef zero(ColumnDef column);
ColumnDef empty(ColumnDef column);
ColumnDef amount(const QString& name);             // Double, 0
ColumnDef key(const QString& name);                // Long, 0
ColumnDef small(const QString& name);              // Integer, 0
ColumnDef single(const QString& name);             // Single, 0
ColumnDef text(const QString& name, int width);    // Text, ''
ColumnDef flag(const QString& name, bool on = false);  // Yes/No, 0 (or 1)
ColumnDef date(const QString& name);               // Date, no default
}  // namespace columns

// CREATE TABLE / CREATE INDEX texts for one engine (idempotent: IF NOT EXISTS).
QStringList createStatements(const TableDef& table, const Dialect& dialect);
void createTable(Database& db, const TableDef& table);
// Adds a column to an existing table when it is missing; returns true when it was added.
bool addColumnIfMissing(Database& db, const QString& table, const ColumnDef& column);

struct MigrationStep {
    QString name;
    std::function<void(Database&)> apply;
};

// Runs the steps not yet recorded in the database, in the given order, in one transaction.
// Returns the names of the steps that ran.
QStringList migrate(Database& db, const std::vector<MigrationStep>& steps);
// Names of the steps already recorded.
QStringList appliedSteps(Database& db);

// Width registry: the Text widths of every known table, so services can cut over-long input.
class ColumnWidths {
public:
    void add(const TableDef& table);
    // Text cut to the column's width (unchanged when the column is unknown or not Text).
    QString fit(const QString& table, const QString& column, const QString& text) const;
    int width(const QString& table, const QString& column) const;

private:
    std::vector<TableDef> tables_;
};

}  // namespace tanabana::db
