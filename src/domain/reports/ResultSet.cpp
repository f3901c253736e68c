#include "domain/reports/ResultSet.h"

#include "db/Database.h"
#include "domain/reports/ReportError.h"

#include <QDate>
#include <QFile>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QSqlRecord>

namespace tanabana::reports {

namespace {

// A CSV cell as the value a query would have given: plain numbers become numbers (but "007"
// stays text, it is a bill number), ISO dates become dates, the rest stays text.
QVariant typedCell(const QString& text) {
    static const QRegularExpression number(QStringLiteral("^-?(0|[1-9][0-9]*)(\\.[0-9]+)?$"));
    static const QRegularExpression isoDate(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}$"));
    if (text.isEmpty()) return QVariant();
    if (number.match(text).hasMatch()) return text.toDouble();
    if (isoDate.match(text).hasMatch()) {
        const QDate d = QDate::fromString(text, Qt::ISODate);
        if (d.isValid()) return d;
    }
    return text;
}

QChar guessSeparator(const QString& text) {
    const QString firstLine = text.section(QLatin1Char('\n'), 0, 0);
    return firstLine.count(QLatin1Char(';')) > firstLine.count(QLatin1Char(',')) ? QLatin1Char(';') : QLatin1Char(',');
}

}  // namespace

int ResultSet::indexOf(const QString& column) const {
    for (int i = 0; i < columns.size(); ++i)
        if (columns.at(i).compare(column, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

QVariant ResultSet::value(int row, int column) const {
    if (row < 0 || row >= rowCount() || column < 0) return {};
    const QVariantList& r = rows[size_t(row)];
    return column < r.size() ? r.at(column) : QVariant();
}

ResultSet ResultSet::fromQuery(db::Database& db, const QString& sql, const QVariantList& params) {
    ResultSet result;
    try {
        db.forEach(sql, params, [&](const db::Row& row) {
            if (result.columns.isEmpty()) result.columns = row.columns();
            QVariantList values;
            values.reserve(row.size());
            for (int i = 0; i < row.size(); ++i) values.append(row.value(i));
            result.rows.push_back(std::move(values));
        });
        if (result.columns.isEmpty()) {
            // No rows: still learn the column names so the layout can be checked.
            QSqlQuery probe(db.handle());
            if (probe.prepare(sql)) {
                for (int i = 0; i < params.size(); ++i) probe.bindValue(i, db.dialect().bindable(params.at(i)));
                if (probe.exec()) {
                    const QSqlRecord rec = probe.record();
                    for (int i = 0; i < rec.count(); ++i) result.columns << rec.fieldName(i);
                }
            }
        }
    } catch (const db::DbError& e) {
        throw ReportError(QStringLiteral("The report's query failed: %1").arg(e.describe()));
    }
    return result;
}

ResultSet ResultSet::parseCsv(const QString& text) {
    ResultSet result;
    const QChar sep = guessSeparator(text);
    QVariantList row;
    QString cell;
    bool quoted = false, cellWasQuoted = false, header = true;
    auto endCell = [&] {
        row.append(cellWasQuoted ? QVariant(cell) : typedCell(cell.trimmed()));
        cell.clear();
        cellWasQuoted = false;
    };
    auto endRow = [&] {
        endCell();
        if (row.size() == 1 && row.at(0).toString().isEmpty()) { row.clear(); return; }  // blank line
        if (header) {
            for (const QVariant& v : row) result.columns << v.toString().trimmed();
            header = false;
        } else {
            while (row.size() < result.columns.size()) row.append(QVariant());
            result.rows.push_back(row);
        }
        row.clear();
    };
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('"')) { cell += c; ++i; }
                else quoted = false;
            } else {
                cell += c;
            }
        } else if (c == QLatin1Char('"')) {
            quoted = true;
            cellWasQuoted = true;
        } else if (c == sep) {
            endCell();
        } else if (c == QLatin1Char('\n')) {
            endRow();
        } else if (c != QLatin1Char('\r')) {
            cell += c;
        }
    }
    if (!cell.isEmpty() || !row.isEmpty()) endRow();
    return result;
}

ResultSet ResultSet::fromCsv(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw ReportError(QStringLiteral("Cannot read the data file %1: %2").arg(path, file.errorString()));
    QString text = QString::fromUtf8(file.readAll());
    if (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);
    ResultSet result = parseCsv(text);
    if (result.columns.isEmpty()) throw ReportError(QStringLiteral("The data file %1 has no header line.").arg(path));
    return result;
}

}  // namespace tanabana::reports
