#pragma once
// A failed statement: carries the SQL text and the driver's own words, so that a refusal
// shown to the operator or written to a log says exactly what the database said.
#include <QString>
#include <stdexcept>

namespace tanabana::db {

class DbError : public std::runtime_error {
public:
    // What kind of trouble the database had, read from its own words: another station holding
    // the books past the wait, a full disk, books that may only be read, a lost server connection.
    enum class Fault { Other, Busy, Full, ReadOnly, ConnectionLost };

    DbError(const QString& message, const QString& sql = {}, const QString& driverText = {});
    const QString& message() const { return message_; }
    const QString& sql() const { return sql_; }
    const QString& driverText() const { return driverText_; }
    // One line for the operator: our message followed by the driver's text when there is one.
    QString describe() const;
    Fault fault() const;
    // What failed and what the operator can do, in words ("The disk holding the books is full ...").
    QString explain() const;

private:
    QString message_;
    QString sql_;
    QString driverText_;
};

}  // namespace tanabana::db
