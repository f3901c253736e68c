#include "db/Dialect.h"

#include <QDate>
#include <QDateTime>
#include <QStringList>

namespace tanabana::db {

QString Dialect::quote(const QString& identifier) const {
    QString name = identifier;
    name.replace(QLatin1Char('"'), QLatin1String("\"\""));
    if (isPostgres()) name = name.toLower();
    return QLatin1Char('"') + name + QLatin1Char('"');
}

QString Dialect::columnType(ColumnType type, int width) const {
    switch (type) {
    case ColumnType::Integer: return QStringLiteral("INTEGER");
    case ColumnType::Long: return isPostgres() ? QStringLiteral("BIGINT") : QStringLiteral("INTEGER");
    case ColumnType::Single:
    case ColumnType::Double:
    case ColumnType::Currency: return isPostgres() ? QStringLiteral("DOUBLE PRECISION") : QStringLiteral("REAL");
    case ColumnType::Text:
        return isPostgres() ? QStringLiteral("VARCHAR(%1)").arg(width > 0 ? width : 255) : QStringLiteral("TEXT");
    case ColumnType::Memo: return QStringLiteral("TEXT");
    case ColumnType::YesNo: return QStringLiteral("SMALLINT");
    case ColumnType::Date: return isPostgres() ? QStringLiteral("DATE") : QStringLiteral("TEXT");
    case ColumnType::DateTime: return isPostgres() ? QStringLiteral("TIMESTAMP") : QStringLiteral("TEXT");
    }
    return QStringLiteral("TEXT");
}

QString Dialect::likeInsensitive(const QString& expression) const {
    return expression + (isPostgres() ? QStringLiteral(" ILIKE ?") : QStringLiteral(" LIKE ?"));
}

QString Dialect::concat(const QStringList& parts) const {
    QStringList wrapped;
    for (const QString& p : parts) wrapped << QStringLiteral("COALESCE(CAST(%1 AS TEXT), '')").arg(p);
    return QLatin1Char('(') + wrapped.join(QStringLiteral(" || ")) + QLatin1Char(')');
}

QString Dialect::limit(int rows) const { return QStringLiteral(" LIMIT %1").arg(rows); }

QVariant Dialect::bindable(const QVariant& value) const {
    switch (value.typeId()) {
    case QMetaType::Bool: return QVariant(value.toBool() ? 1 : 0);
    case QMetaType::QDate:
        if (!value.toDate().isValid()) return QVariant(QMetaType(isPostgres() ? QMetaType::QDate : QMetaType::QString));
        return isPostgres() ? value : QVariant(value.toDate().toString(Qt::ISODate));
    case QMetaType::QDateTime:
        if (!value.toDateTime().isValid()) return QVariant(QMetaType(QMetaType::QString));
        return isPostgres() ? value : QVariant(value.toDateTime().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")));
    case QMetaType::Float: return QVariant(double(value.toFloat()));
    default: return value;
    }
}

QString Dialect::sumRounded(const QString& expression, int places) const {
    // Sum in whole units of the last place (paise), which both engines add exactly as integers.
    const QString scale = QStringLiteral("1") + QString(places, QLatin1Char('0'));
    return QStringLiteral("(CAST(COALESCE(SUM(CAST(ROUND(CAST(%1 AS NUMERIC) * %2) AS BIGINT)), 0) AS DOUBLE PRECISION) / %2)")
        .arg(expression, scale);
}

}  // namespace tanabana::db
