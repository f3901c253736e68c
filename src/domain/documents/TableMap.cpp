#include "domain/documents/TableMap.h"

#include "domain/schema/YearSchema.h"

#include <QStringList>

namespace tanabana::documents {

QString TooLong::text() const {
    return caption + QStringLiteral(" is longer than ") + QString::number(width) + QStringLiteral(" characters. Please shorten it.");
}

int columnWidth(const QString& table, const QString& column) { return schema::yearColumnWidths().width(table, column); }

void writeRow(db::Database& db, const QString& table, const QString& keyColumn, const QVariant& key, const ColumnValues& values) {
    QStringList sets;
    QVariantList params;
    for (const auto& [column, value] : values) {
        sets << column + QStringLiteral(" = ?");
        params << value;
    }
    params << key;
    if (db.exec(QStringLiteral("UPDATE %1 SET %2 WHERE %3 = ?").arg(table, sets.join(QStringLiteral(", ")), keyColumn), params) > 0) return;
    ColumnValues withKey = values;
    withKey.emplace_back(keyColumn, key);
    insertRow(db, table, withKey);
}

void insertRow(db::Database& db, const QString& table, const ColumnValues& values) {
    QStringList columns, marks;
    QVariantList params;
    for (const auto& [column, value] : values) {
        columns << column;
        marks << QStringLiteral("?");
        params << value;
    }
    db.exec(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(table, columns.join(QStringLiteral(", ")), marks.join(QStringLiteral(", "))),
            params);
}

bool refuseTooLong(Messages& messages, const std::optional<TooLong>& tooLong) {
    if (!tooLong) return false;
    messages.critical(QStringLiteral("Text Too Long"), tooLong->text());
    return true;
}

}  // namespace tanabana::documents
