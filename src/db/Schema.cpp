#include "db/Schema.h"

#include <algorithm>

#include <QDateTime>

namespace tanabana::db {

const ColumnDef* TableDef::column(const QString& columnName) const {
    for (const ColumnDef& c : columns)
        if (c.name.compare(columnName, Qt::CaseInsensitive) == 0) return &c;
    return nullptr;
}

ColumnDef longCol(const QString& name) { return {name, ColumnType::Long, 0, {}}; }
ColumnDef intCol(const QString& name) { return {name, ColumnType::Integer, 0, {}}; }
ColumnDef singleCol(const QString& name) { return {name, ColumnType::Single, 0, {}}; }
ColumnDef doubleCol(const QString& name) { return {name, ColumnType::Double, 0, {}}; }
ColumnDef textCol(const QString& name, int width) { return {name, ColumnType::Text, width, {}}; }
ColumnDef memoCol(const QString& name) { return {name, ColumnType::Memo, 0, {}}; }
ColumnDef yesNoCol(const QString& name) { return {name, ColumnType::YesNo, 0, {}}; }
ColumnDef dateCol(const QString& name) { return {name, ColumnType::Date, 0, {}}; }
ColumnDef dateTimeCol(const QString& name) { return {name, ColumnType::DateTime, 0, {}}; }

ColumnDef withDefault(ColumnDef column, const QString& literal) {
    column.defaultValue = literal;
    return column;
}

namespace columns {
ColumnDef zero(ColumnDef column) { return withDefault(std::move(column), QStringLiteral("0")); }
ColumnDef empty(ColumnDef column) { return withDefault(std::move(column), QStringLiteral("''")); }
ColumnDef amount(const QString& name) { return zero(doubleCol(name)); }
ColumnDef key(const QString& name) { return zero(longCol(name)); }
ColumnDef small(const QString& name) { return zero(intCol(name)); }
ColumnDef single(const QString& name) { return zero(singleCol(name)); }
ColumnDef text(const QString& name, int width) { return empty(textCol(name, width)); }
ColumnDef flag(const QString& name, bool on) { return withDefault(yesNoCol(name), on ? QStringLiteral("1") : QStringLiteral("0")); }
ColumnDef date(const QString& name) { return dateCol(name); }
}  // namespace columns

namespace {

QString columnClause(const ColumnDef& c, const Dialect& dialect) {
    QString clause = dialect.quote(c.name) + QLatin1Char(' ') + dialect.columnType(c.type, c.width);
    if (!c.defaultValue.isEmpty()) clause += QStringLiteral(" DEFAULT ") + c.defaultValue;
    return clause;
}

}  // namespace

QStringList createStatements(const TableDef& table, const Dialect& dialect) {
    QStringList parts;
    for (const ColumnDef& c : table.columns) parts << columnClause(c, dialect);
    if (!table.primaryKey.isEmpty()) {
        QStringList keys;
        for (const QString& k : table.primaryKey) keys << dialect.quote(k);
        parts << QStringLiteral("PRIMARY KEY (%1)").arg(keys.join(QStringLiteral(", ")));
    }
    QStringList statements;
    statements << QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (%2)")
                      .arg(dialect.quote(table.name), parts.join(QStringLiteral(", ")));
    for (const IndexDef& index : table.indexes) {
        QStringList cols;
        for (const QString& c : index.columns) cols << dialect.quote(c);
        statements << QStringLiteral("CREATE %1INDEX IF NOT EXISTS %2 ON %3 (%4)")
                          .arg(index.unique ? QStringLiteral("UNIQUE ") : QString(), dialect.quote(index.name),
                               dialect.quote(table.name), cols.join(QStringLiteral(", ")));
    }
    return statements;
}

void createTable(Database& db, const TableDef& table) {
    for (const QString& sql : createStatements(table, db.dialect())) db.exec(sql);
}

bool addColumnIfMissing(Database& db, const QString& table, const ColumnDef& column) {
    if (db.columnExists(table, column.name)) return false;
    db.exec(QStringLiteral("ALTER TABLE %1 ADD COLUMN %2").arg(db.dialect().quote(table), columnClause(column, db.dialect())));
    return true;
}

namespace {

const TableDef& stepsTable() {
    static const TableDef table{QStringLiteral("SchemaSteps"),
                                {textCol(QStringLiteral("Step"), 120), textCol(QStringLiteral("AppliedOn"), 30)},
                                {QStringLiteral("Step")},
                                {}};
    return table;
}

}  // namespace

QStringList appliedSteps(Database& db) {
    QStringList names;
    if (!db.tableExists(stepsTable().name)) return names;
    for (const Row& r : db.query(QStringLiteral("SELECT Step FROM SchemaSteps ORDER BY Step"))) names << r.text(QStringLiteral("Step"));
    return names;
}

QStringList migrate(Database& db, const std::vector<MigrationStep>& steps) {
    QStringList ran;
    // Books of the current structure are opened without writing, so a read-only station can read them.
    const QStringList applied = appliedSteps(db);
    if (std::all_of(steps.begin(), steps.end(), [&applied](const MigrationStep& s) { return applied.contains(s.name); }))
        return ran;
    if (db.readOnly())
        throw DbError(QStringLiteral("The books at %1 need a structure upgrade, which this station cannot write")
                          .arg(db.location()));
    Transaction tx(db);
    createTable(db, stepsTable());
    const QStringList done = appliedSteps(db);
    for (const MigrationStep& step : steps) {
        if (done.contains(step.name)) continue;
        step.apply(db);
        db.exec(QStringLiteral("INSERT INTO SchemaSteps (Step, AppliedOn) VALUES (?, ?)"),
                {step.name, QDateTime::currentDateTime().toString(Qt::ISODate)});
        ran << step.name;
    }
    tx.commit();
    return ran;
}

void ColumnWidths::add(const TableDef& table) { tables_.push_back(table); }

int ColumnWidths::width(const QString& table, const QString& column) const {
    for (const TableDef& t : tables_) {
        if (t.name.compare(table, Qt::CaseInsensitive) != 0) continue;
        if (const ColumnDef* c = t.column(column); c && c->type == ColumnType::Text) return c->width;
    }
    return 0;
}

QString ColumnWidths::fit(const QString& table, const QString& column, const QString& text) const {
    const int w = width(table, column);
    return w > 0 && text.size() > w ? text.left(w) : text;
}

}  // namespace tanabana::db
