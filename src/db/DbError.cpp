#include "db/DbError.h"

namespace tanabana::db {

DbError::DbError(const QString& message, const QString& sql, const QString& driverText)
    : std::runtime_error((message + (driverText.isEmpty() ? QString() : QStringLiteral(": ") + driverText) +
                          (sql.isEmpty() ? QString() : QStringLiteral(" [") + sql + QStringLiteral("]")))
                             .toStdString()),
      message_(message), sql_(sql), driverText_(driverText) {}

QString DbError::describe() const {
    if (driverText_.trimmed().isEmpty()) return message_;
    return message_ + QStringLiteral(": ") + driverText_.trimmed();
}

}  // namespace tanabana::db
