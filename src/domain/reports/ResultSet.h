#pragma once
// The one table of data a printed report shows: the caller's query result (or a CSV file), held
// in memory with its column names. Layout fields find their column by name, ignoring case, so an
// alias "FirmNAme" in the SQL binds the field {FirmName} whatever the engine did to its case.
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>
#include <vector>

namespace tanabana::db { class Database; }

namespace tanabana::reports {

struct ResultSet {
    QStringList columns;
    std::vector<QVariantList> rows;

    // Position of a column, ignoring case; -1 when absent.
    int indexOf(const QString& column) const;
    int rowCount() const { return int(rows.size()); }
    QVariant value(int row, int column) const;

    // Runs the caller's query on the open year database (values bound, never pasted).
    static ResultSet fromQuery(db::Database& db, const QString& sql, const QVariantList& params = {});
    // Reads a CSV file whose first line names the columns (comma or semicolon separated, double
    // quotes around values that hold separators). Throws ReportError when it cannot be read.
    static ResultSet fromCsv(const QString& path);
    static ResultSet parseCsv(const QString& text);
};

}  // namespace tanabana::reports
