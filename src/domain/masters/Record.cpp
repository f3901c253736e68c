#include "domain/masters/Record.h"

#include "core/Decimal.h"
#include "domain/masters/RowWriter.h"

#include <QDate>

namespace tanabana::masters {

namespace {

QVariant lookup(const Record& record, const QString& column) {
    auto it = record.find(column);
    if (it != record.end()) return it.value();
    for (auto i = record.cbegin(); i != record.cend(); ++i)
        if (i.key().compare(column, Qt::CaseInsensitive) == 0) return i.value();
    return {};
}

bool isNumeric(db::ColumnType type) {
    switch (type) {
    case db::ColumnType::Integer:
    case db::ColumnType::Long:
    case db::ColumnType::Single:
    case db::ColumnType::Double:
    case db::ColumnType::Currency: return true;
    default: return false;
    }
}

std::optional<QVariant> readFlag(const QVariant& value) {
    if (value.typeId() == QMetaType::Bool) return QVariant(value.toBool());
    const QString text = value.toString().trimmed().toLower();
    if (text.isEmpty() || text == QLatin1String("0") || text == QLatin1String("n") || text == QLatin1String("no") ||
        text == QLatin1String("false"))
        return QVariant(false);
    if (text == QLatin1String("1") || text == QLatin1String("-1") || text == QLatin1String("y") ||
        text == QLatin1String("yes") || text == QLatin1String("true"))
        return QVariant(true);
    return std::nullopt;
}

// Numbers are read exactly ("1,23,456.50" as typed with Indian grouping) and stored already
// rounded to six places; whole-number columns refuse fractions.
std::optional<QVariant> readNumber(const QVariant& value, db::ColumnType type) {
    if (value.isNull()) return QVariant(0);
    std::optional<Decimal> number;
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float: number = Decimal::fromDouble(value.toDouble()); break;
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong: number = Decimal(value.toLongLong()); break;
    case QMetaType::Bool: number = Decimal(value.toBool() ? 1 : 0); break;
    default: number = Decimal::parse(value.toString());
    }
    if (!number) return std::nullopt;
    if (type == db::ColumnType::Integer || type == db::ColumnType::Long) {
        if (*number != Decimal(number->wholePart())) return std::nullopt;
        return QVariant(qint64(number->wholePart()));
    }
    return number->toVariant();
}

}  // namespace

QString textOf(const Record& record, const QString& column) { return lookup(record, column).toString(); }
double numberOf(const Record& record, const QString& column) { return lookup(record, column).toDouble(); }
qint64 integerOf(const Record& record, const QString& column) { return lookup(record, column).toLongLong(); }
bool flagOf(const Record& record, const QString& column) {
    const auto flag = readFlag(lookup(record, column));
    return flag && flag->toBool();
}

std::optional<Refusal> normalise(const db::TableDef& table, Record& record) {
    Record out;
    const QString title = QStringLiteral("Wrong Value");
    for (auto it = record.cbegin(); it != record.cend(); ++it) {
        const db::ColumnDef* column = table.column(it.key());
        if (!column) return Refusal{title, QStringLiteral("%1 has no field %2").arg(table.name, it.key())};
        QVariant value = it.value();
        if (column->type == db::ColumnType::YesNo) {
            const auto flag = readFlag(value);
            if (!flag) return Refusal{title, QStringLiteral("%1 must be Yes or No, not \"%2\"").arg(column->name, value.toString())};
            value = *flag;
        } else if (isNumeric(column->type)) {
            std::optional<QVariant> number;
            try {
                number = readNumber(value, column->type);
            } catch (const AmountTooLarge& e) {
                return Refusal{title, QStringLiteral("%1: %2").arg(column->name, e.message())};
            }
            if (!number) return Refusal{title, QStringLiteral("%1 must be a number, not \"%2\"").arg(column->name, value.toString())};
            value = *number;
        } else if (column->type == db::ColumnType::Date) {
            if (value.typeId() != QMetaType::QDate && !value.toString().trimmed().isEmpty()) {
                const QString text = value.toString().trimmed();
                QDate date = QDate::fromString(text, Qt::ISODate);
                if (!date.isValid()) date = QDate::fromString(text, QStringLiteral("dd-MM-yyyy"));
                if (!date.isValid()) return Refusal{title, QStringLiteral("%1 must be a date, not \"%2\"").arg(column->name, text)};
                value = date;
            } else if (value.typeId() != QMetaType::QDate) {
                value = QDate();
            }
        } else if (column->type == db::ColumnType::Text || column->type == db::ColumnType::Memo) {
            value = value.isNull() ? QString() : value.toString();
        }
        out.insert(column->name, value);
    }
    if (auto refusal = overlong(table.name, out)) return refusal;
    record = out;
    return std::nullopt;
}

}  // namespace tanabana::masters
