#pragma once
// The few places where SQLite and PostgreSQL speak differently, kept in one class so that the
// rest of the program writes one SQL text for both engines.
#include <QString>
#include <QVariant>

namespace tanabana::db {

enum class Engine { Sqlite, Postgres };

// Column types in the system's own vocabulary.
enum class ColumnType { Integer, Long, Single, Double, Currency, Text, Memo, YesNo, Date, DateTime };

class Dialect {
public:
    explicit Dialect(Engine engine = Engine::Sqlite) : engine_(engine) {}
    Engine engine() const { return engine_; }
    bool isPostgres() const { return engine_ == Engine::Postgres; }

    // Quotes a name so that reserved words work; PostgreSQL folds unquoted names to lower case,
    // so the quoted form is lower case there and matches the unquoted spelling used elsewhere.
    QString quote(const QString& identifier) const;
    // DDL type of a column; Text carries its width.
    QString columnType(ColumnType type, int width = 0) const;
    // Case-insensitive LIKE: "a ILIKE ?" on PostgreSQL, "a LIKE ?" on SQLite.
    QString likeInsensitive(const QString& expression) const;
    // a || b on both engines, with NULLs read as empty text.
    QString concat(const QStringList& parts) const;
    // " LIMIT n" (both engines accept it).
    QString limit(int rows) const;
    // Converts a value to what the driver binds safely: booleans become 0/1, dates ISO text on SQLite.
    QVariant bindable(const QVariant& value) const;
    // Rounds a summed amount column to whole paise inside SQL, exactly on both engines.
    QString sumRounded(const QString& expression, int places = 2) const;

private:
    Engine engine_;
};

}  // namespace tanabana::db
