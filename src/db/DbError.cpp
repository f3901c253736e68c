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

DbError::Fault DbError::fault() const {
    const QString text = (message_ + QLatin1Char(' ') + driverText_).toLower();
    const auto any = [&text](std::initializer_list<const char*> words) {
        for (const char* w : words)
            if (text.contains(QLatin1String(w))) return true;
        return false;
    };
    if (any({"server closed the connection", "terminating connection", "no connection to the server",
             "could not send data to server", "could not receive data from server", "connection to server",
             "connection not open", "ssl syscall error", "the connection to the database server was lost",
             "the database is not open"}))
        return Fault::ConnectionLost;
    if (any({"database is locked", "database table is locked", "lock timeout", "could not obtain lock",
             "the books are busy", "deadlock detected"}))
        return Fault::Busy;
    if (any({"database or disk is full", "no space left on device", "could not extend file", "disk full"}))
        return Fault::Full;
    if (any({"readonly database", "read-only", "read only", "attempt to write a readonly"})) return Fault::ReadOnly;
    return Fault::Other;
}

QString DbError::explain() const {
    switch (fault()) {
    case Fault::Busy:
        return QStringLiteral("Another station is saving to these books and held them longer than the wait. "
                              "Save again in a moment.");
    case Fault::Full:
        return QStringLiteral("The disk holding the books is full. Free some space and save again.");
    case Fault::ReadOnly:
        return QStringLiteral("The books can be read here but not changed (the data folder or the year file is "
                              "read-only for this station).");
    case Fault::ConnectionLost:
        return QStringLiteral("The connection to the database server was lost. Save again when the server answers.");
    case Fault::Other: break;
    }
    return QStringLiteral("The database refused it: %1").arg(driverText_.trimmed().isEmpty() ? message_ : describe());
}

}  // namespace tanabana::db
