#include "domain/masters/RowWriter.h"

#include "domain/schema/YearSchema.h"

#include <QStringList>

namespace tanabana::masters {

QVariantMap rowValues(const db::Row& row, const db::TableDef& table) {
    QVariantMap values;
    for (int i = 0; i < row.size(); ++i) {
        const QString& name = row.columns().at(i);
        const db::ColumnDef* column = table.column(name);
        values.insert(column ? column->name : name, row.value(i));
    }
    return values;
}

std::optional<Refusal> overlong(const QString& table, const QVariantMap& values) {
    const db::ColumnWidths& widths = schema::yearColumnWidths();
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        if (it.value().typeId() != QMetaType::QString) continue;
        const QString text = it.value().toString().trimmed();  // blanks around a value are not kept anyway
        const int width = widths.width(table, it.key());
        if (width > 0 && text.size() > width)
            return Refusal{QStringLiteral("Wrong Value"),
                           QStringLiteral("%1 takes at most %2 characters; \"%3\" has %4")
                               .arg(it.key())
                               .arg(width)
                               .arg(text.size() > 20 ? text.left(20) + QStringLiteral("...") : text)
                               .arg(text.size())};
    }
    return std::nullopt;
}

QVariantMap fitted(const QString& table, const QVariantMap& values) {
    QVariantMap out = values;
    const db::ColumnWidths& widths = schema::yearColumnWidths();
    for (auto it = out.begin(); it != out.end(); ++it)
        if (it.value().typeId() == QMetaType::QString) it.value() = widths.fit(table, it.key(), it.value().toString());
    return out;
}

void insertRow(db::Database& db, const QString& table, const QVariantMap& values) {
    const QVariantMap row = fitted(table, values);
    QStringList columns, marks;
    QVariantList params;
    for (auto it = row.cbegin(); it != row.cend(); ++it) {
        columns << it.key();
        marks << QStringLiteral("?");
        params << it.value();
    }
    db.exec(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(table, columns.join(QStringLiteral(", ")), marks.join(QStringLiteral(", "))),
            params);
}

int updateRow(db::Database& db, const QString& table, const QVariantMap& values, const QString& where,
              const QVariantList& whereParams) {
    const QVariantMap row = fitted(table, values);
    QStringList sets;
    QVariantList params;
    for (auto it = row.cbegin(); it != row.cend(); ++it) {
        sets << it.key() + QStringLiteral(" = ?");
        params << it.value();
    }
    params << whereParams;
    return db.exec(QStringLiteral("UPDATE %1 SET %2 WHERE %3").arg(table, sets.join(QStringLiteral(", ")), where), params);
}

}  // namespace tanabana::masters
