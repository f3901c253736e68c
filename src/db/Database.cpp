#include "db/Database.h"

#include "db/LockOrder.h"

#include <algorithm>

#include <QAtomicInteger>
#include <QCryptographicHash>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QUrl>
#include <QUrlQuery>

namespace tanabana::db {

namespace {

QString uniqueConnectionName() {
    static QAtomicInteger<qint64> counter(0);
    return QStringLiteral("tanabana-%1").arg(counter.fetchAndAddRelaxed(1));
}

QString driverText(const QSqlError& error) {
    QString text = error.databaseText();
    if (!error.driverText().isEmpty() && !text.contains(error.driverText())) {
        if (!text.isEmpty()) text += QStringLiteral(" ");
        text += error.driverText();
    }
    return text.trimmed();
}

bool isValidSchemaName(const QString& name) {
    if (name.isEmpty() || name.size() > 60) return false;
    for (QChar c : name)
        if (!(c.isLetterOrNumber() || c == QLatin1Char('_')) || c.unicode() > 127) return false;
    return true;
}

}  // namespace

bool Row::flag(const QString& column) const {
    const QVariant v = value(column);
    if (v.typeId() == QMetaType::QString) {
        const QString s = v.toString().trimmed().toLower();
        return s == QLatin1String("1") || s == QLatin1String("true") || s == QLatin1String("-1");
    }
    return v.toLongLong() != 0;
}

QDate Row::date(const QString& column) const {
    const QVariant v = value(column);
    if (v.isNull()) return {};
    if (v.typeId() == QMetaType::QDate) return v.toDate();
    if (v.typeId() == QMetaType::QDateTime) return v.toDateTime().date();
    const QString s = v.toString();
    return QDate::fromString(s.left(10), Qt::ISODate);
}

int Row::indexOf(const QString& column) const {
    if (!names_) return -1;
    // Most callers name a column as their SELECT spells it: the exact match is cheap; PostgreSQL
    // folds unquoted names to lower case, so the case-blind match follows.
    const int exact = int(names_->indexOf(column));
    if (exact >= 0) return exact;
    for (int i = 0; i < names_->size(); ++i)
        if (names_->at(i).compare(column, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

const QStringList& Row::columns() const {
    static const QStringList empty;
    return names_ ? *names_ : empty;
}

Database::~Database() { close(); }

Database::Database(Database&& other) noexcept { *this = std::move(other); }

Database& Database::operator=(Database&& other) noexcept {
    if (this != &other) {
        close();
        connectionName_ = std::move(other.connectionName_);
        db_ = other.db_;
        other.db_ = QSqlDatabase();
        dialect_ = other.dialect_;
        location_ = std::move(other.location_);
        transactionDepth_ = other.transactionDepth_;
        rollbackOnly_ = other.rollbackOnly_;
        readOnly_ = other.readOnly_;
        lockWait_ = other.lockWait_;
        kept_ = std::move(other.kept_);
        other.kept_.clear();
        other.connectionName_.clear();
        other.transactionDepth_ = 0;
    }
    return *this;
}

Database Database::openSqlite(const QString& filePath, bool createIfMissing, bool readOnly) {
    const QFileInfo info(filePath);
    if (!createIfMissing && !info.exists())
        throw DbError(QStringLiteral("Database file not found: %1").arg(QDir::toNativeSeparators(filePath)));
    if (!info.absoluteDir().exists())
        throw DbError(QStringLiteral("Folder not found: %1").arg(QDir::toNativeSeparators(info.absolutePath())));
    // An empty file where books should be is not opened: SQLite would make it a new database.
    if (!createIfMissing && info.exists() && info.size() == 0)
        throw DbError(QStringLiteral("%1 is not a database of this program").arg(QDir::toNativeSeparators(filePath)), {},
                      QStringLiteral("the file is empty"));
    // A station that may not write the file, or the folder where its journal files live, reads only.
    if (info.exists() && (!info.isWritable() || !QFileInfo(info.absolutePath()).isWritable())) readOnly = true;
    if (readOnly && !info.exists())
        throw DbError(QStringLiteral("Database file not found: %1").arg(QDir::toNativeSeparators(filePath)));
    Database result;
    result.connectionName_ = uniqueConnectionName();
    result.dialect_ = Dialect(Engine::Sqlite);
    result.location_ = info.absoluteFilePath();
    result.readOnly_ = readOnly;
    result.db_ = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), result.connectionName_);
    const auto openWith = [&result](const QString& name, const QString& options) {
        result.db_.close();
        result.db_.setDatabaseName(name);
        result.db_.setConnectOptions(options);
        if (!result.db_.open()) return false;
        try {
            // A file that is not a database fails here, before anything is written to it.
            result.scalar(QStringLiteral("SELECT count(*) FROM sqlite_master"));
            return true;
        } catch (const DbError&) {
            return false;
        }
    };
    bool opened = false;
    if (!readOnly) {
        opened = openWith(result.location_, QStringLiteral("QSQLITE_BUSY_TIMEOUT=15000"));
    } else {
        // A year kept in WAL mode needs its shared-memory file beside it; in a folder that cannot
        // take one the file is read as it stands (no station writes through a read-only folder).
        opened = openWith(result.location_, QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=15000")) ||
                 openWith(QUrl::fromLocalFile(result.location_).toString() + QStringLiteral("?immutable=1"),
                          QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=15000"));
    }
    if (!opened) {
        const QString text = driverText(result.db_.lastError());
        if (!result.db_.isOpen())
            throw DbError(QStringLiteral("Cannot open the database %1").arg(QDir::toNativeSeparators(filePath)), {}, text);
        throw DbError(QStringLiteral("%1 is not a database of this program").arg(QDir::toNativeSeparators(filePath)), {}, text);
    }
    if (readOnly) return result;
    try {
        result.exec(QStringLiteral("PRAGMA journal_mode=WAL"));
        result.exec(QStringLiteral("PRAGMA synchronous=FULL"));
        result.exec(QStringLiteral("PRAGMA foreign_keys=OFF"));
        // A year's ledger reads pages all over the journal: keep up to 64 MiB of them, and sort in memory.
        result.exec(QStringLiteral("PRAGMA cache_size=-65536"));
        result.exec(QStringLiteral("PRAGMA temp_store=MEMORY"));
    } catch (const DbError& e) {
        throw DbError(QStringLiteral("%1 is not a database of this program").arg(QDir::toNativeSeparators(filePath)), {},
                      e.driverText());
    }
    return result;
}

Database Database::openPostgres(const QString& url, const QString& schema, bool createIfMissing) {
    const QUrl u(url);
    if (!u.isValid() || (u.scheme() != QLatin1String("postgresql") && u.scheme() != QLatin1String("postgres")))
        throw DbError(QStringLiteral("Not a PostgreSQL address: %1").arg(url));
    if (!isValidSchemaName(schema)) throw DbError(QStringLiteral("Invalid schema name: %1").arg(schema));
    Database result;
    result.connectionName_ = uniqueConnectionName();
    result.dialect_ = Dialect(Engine::Postgres);
    result.location_ = schema;
    result.db_ = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), result.connectionName_);
    result.db_.setHostName(u.host().isEmpty() ? QStringLiteral("localhost") : u.host());
    if (u.port() > 0) result.db_.setPort(u.port());
    result.db_.setDatabaseName(u.path().mid(1).isEmpty() ? QStringLiteral("postgres") : u.path().mid(1));
    if (!u.userName().isEmpty()) result.db_.setUserName(u.userName());
    if (!u.password().isEmpty()) result.db_.setPassword(u.password());
    result.db_.setConnectOptions(QStringLiteral("connect_timeout=5"));
    if (!result.db_.open())
        throw DbError(QStringLiteral("Cannot connect to the database server %1").arg(u.host()), {},
                      driverText(result.db_.lastError()));
    const QString quoted = result.dialect_.quote(schema);
    const bool exists = result.scalar(QStringLiteral("SELECT count(*) FROM information_schema.schemata WHERE schema_name = ?"),
                                      {schema.toLower()})
                            .toInt() > 0;
    if (!exists) {
        if (!createIfMissing) throw DbError(QStringLiteral("Database not found: %1").arg(schema));
        result.exec(QStringLiteral("CREATE SCHEMA IF NOT EXISTS %1").arg(quoted));
    }
    result.setUpSession();
    return result;
}

void Database::setUpSession() {
    if (!dialect_.isPostgres()) return;
    exec(QStringLiteral("SET search_path TO %1").arg(dialect_.quote(location_)));
    exec(QStringLiteral("SET client_min_messages TO warning"));
    exec(QStringLiteral("SET lock_timeout = %1").arg(lockWait_));
}

void Database::setLockWait(int milliseconds) {
    lockWait_ = std::max(0, milliseconds);
    if (!isOpen()) return;
    if (dialect_.isPostgres()) exec(QStringLiteral("SET lock_timeout = %1").arg(lockWait_));
    else exec(QStringLiteral("PRAGMA busy_timeout = %1").arg(lockWait_));
}

bool Database::reconnect() {
    if (!dialect_.isPostgres() || inTransaction() || connectionName_.isEmpty()) return false;
    db_.close();
    if (!db_.open()) return false;
    try {
        setUpSession();
    } catch (const DbError&) {
        return false;
    }
    return true;
}

bool Database::isOpen() const { return db_.isValid() && db_.isOpen(); }

void Database::close() {
    kept_.clear();  // statements go before their connection
    if (connectionName_.isEmpty()) return;
    if (db_.isOpen()) {
        if (transactionDepth_ > 0) db_.rollback();
        db_.close();
    }
    db_ = QSqlDatabase();
    held::release(connectionName_);
    QSqlDatabase::removeDatabase(connectionName_);
    connectionName_.clear();
    transactionDepth_ = 0;
}

QSqlQuery Database::prepare(const QString& sql, const QVariantList& params) {
    if (!isOpen()) throw DbError(QStringLiteral("The database is not open"), sql);
    QSqlQuery q(db_);
    q.setForwardOnly(true);
    if (!q.prepare(sql)) throw DbError(QStringLiteral("Statement refused"), sql, driverText(q.lastError()));
    for (int i = 0; i < params.size(); ++i) q.bindValue(i, dialect_.bindable(params.at(i)));
    return q;
}

QSqlQuery Database::run(const QString& sql, const QVariantList& params) {
    try {
        return runOnce(sql, params);
    } catch (const DbError& e) {
        // A read outside a save after the server dropped the connection: open it again and read once
        // more. A write is never repeated: the server may have done it before the connection went.
        const bool read = sql.trimmed().startsWith(QLatin1String("SELECT"), Qt::CaseInsensitive);
        if (!read || e.fault() != DbError::Fault::ConnectionLost || !reconnect()) throw;
        return runOnce(sql, params);
    }
}

QSqlQuery Database::runOnce(const QString& sql, const QVariantList& params) {
    if (params.isEmpty()) {
        if (!isOpen()) throw DbError(QStringLiteral("The database is not open"), sql);
        QSqlQuery q(db_);
        q.setForwardOnly(true);
        if (!q.exec(sql)) throw DbError(QStringLiteral("Statement failed"), sql, driverText(q.lastError()));
        return q;
    }
    QSqlQuery q = prepare(sql, params);
    if (!q.exec()) throw DbError(QStringLiteral("Statement failed"), sql, driverText(q.lastError()));
    return q;
}

QSqlQuery* Database::runKept(const QString& sql, const QVariantList& params) {
    if (dialect_.isPostgres() || params.isEmpty() || !isOpen()) return nullptr;
    auto it = kept_.find(sql);
    if (it == kept_.end()) {
        if (kept_.size() >= 200) kept_.clear();
        it = kept_.emplace(sql, prepare(sql, {})).first;
    }
    QSqlQuery& q = it->second;
    for (int i = 0; i < params.size(); ++i) q.bindValue(i, dialect_.bindable(params.at(i)));
    if (!q.exec()) {
        const QString text = driverText(q.lastError());
        kept_.erase(it);
        throw DbError(QStringLiteral("Statement failed"), sql, text);
    }
    return &q;
}

int Database::exec(const QString& sql, const QVariantList& params) {
    if (QSqlQuery* kept = runKept(sql, params)) {
        const int rows = kept->numRowsAffected();
        kept->finish();
        return rows;
    }
    QSqlQuery q = run(sql, params);
    return q.numRowsAffected();
}

Rows Database::query(const QString& sql, const QVariantList& params) {
    Rows rows;
    forEach(sql, params, [&rows](Row row) { rows.push_back(std::move(row)); });
    return rows;
}

std::optional<Row> Database::queryOne(const QString& sql, const QVariantList& params) {
    std::optional<Row> first;
    QSqlQuery* kept = runKept(sql, params);
    std::optional<QSqlQuery> fresh;
    if (!kept) fresh = run(sql, params);
    QSqlQuery& q = kept ? *kept : *fresh;
    if (q.next()) {
        auto names = std::make_shared<QStringList>();
        const QSqlRecord rec = q.record();
        QVariantList values;
        for (int i = 0; i < rec.count(); ++i) {
            names->append(rec.fieldName(i));
            values.append(q.value(i));
        }
        first = Row(names, values);
    }
    if (kept) kept->finish();
    return first;
}

QVariant Database::scalar(const QString& sql, const QVariantList& params) {
    if (QSqlQuery* kept = runKept(sql, params)) {
        const QVariant value = kept->next() ? kept->value(0) : QVariant();
        kept->finish();
        return value;
    }
    QSqlQuery q = run(sql, params);
    return q.next() ? q.value(0) : QVariant();
}

void Database::lockSeries(const QString& name) {
    if (!inTransaction()) return;  // outside a transaction there is nothing to hold the lock for
    const LockPlace place = placeOf(name);
    if (!held::take(connectionName_, place, name)) return;  // this transaction holds it already
    if (dialect_.isPostgres()) {
        // Per year schema: stations working in another year (or tests in another schema) never wait here.
        const QByteArray hash =
            QCryptographicHash::hash((location_.toLower() + QLatin1Char('/') + place.guard).toUtf8(), QCryptographicHash::Md5);
        qint64 key = 0;
        for (int i = 0; i < 8; ++i) key = (key << 8) | quint8(hash.at(i));
        exec(QStringLiteral("SELECT pg_advisory_xact_lock(?)"), {key});
    }
    // SQLite: the transaction began IMMEDIATE, so this connection already holds the write lock.
}

qint64 Database::nextKey(const QString& table, const QString& column, const QString& where, const QVariantList& params) {
    lockSeries(QStringLiteral("key:") + table + QLatin1Char('.') + column);
    QString sql = QStringLiteral("SELECT MAX(%1) FROM %2 WHERE %1 > ?").arg(column, table);
    if (!where.isEmpty()) sql += QStringLiteral(" AND (") + where + QLatin1Char(')');
    const QVariant max = scalar(sql, QVariantList{0} + params);
    return (max.isNull() ? 0 : max.toLongLong()) + 1;
}

bool Database::tableExists(const QString& table) {
    if (dialect_.isPostgres())
        return scalar(QStringLiteral("SELECT count(*) FROM information_schema.tables WHERE table_schema = current_schema() "
                                     "AND table_name = ?"),
                      {table.toLower()})
                   .toInt() > 0;
    return scalar(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND lower(name) = ?"),
                  {table.toLower()})
               .toInt() > 0;
}

bool Database::columnExists(const QString& table, const QString& column) {
    if (dialect_.isPostgres())
        return scalar(QStringLiteral("SELECT count(*) FROM information_schema.columns WHERE table_schema = current_schema() "
                                     "AND table_name = ? AND column_name = ?"),
                      {table.toLower(), column.toLower()})
                   .toInt() > 0;
    for (const Row& r : query(QStringLiteral("PRAGMA table_info(%1)").arg(dialect_.quote(table))))
        if (r.text(QStringLiteral("name")).compare(column, Qt::CaseInsensitive) == 0) return true;
    return false;
}

QStringList Database::tables() {
    QStringList names;
    const QString sql = dialect_.isPostgres()
                            ? QStringLiteral("SELECT table_name FROM information_schema.tables WHERE table_schema = "
                                             "current_schema() ORDER BY table_name")
                            : QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE "
                                             "'sqlite_%' ORDER BY name");
    for (const Row& r : query(sql)) names << r.value(0).toString();
    return names;
}

void Database::begin() {
    if (transactionDepth_ > 0) {
        ++transactionDepth_;
        return;
    }
    if (readOnly_)
        throw DbError(QStringLiteral("The books are read-only here: %1").arg(QDir::toNativeSeparators(location_)));
    rollbackOnly_ = false;
    if (dialect_.isPostgres()) {
        if (!db_.isOpen() && !connectionName_.isEmpty()) reconnect();  // the server dropped us after the last save
        if (!db_.transaction()) {
            const DbError refused(QStringLiteral("Cannot begin a transaction"), {}, driverText(db_.lastError()));
            if (refused.fault() != DbError::Fault::ConnectionLost || !reconnect() || !db_.transaction())
                throw refused;
        }
        transactionDepth_ = 1;
    } else {
        // IMMEDIATE takes the write lock at once, so keys read inside cannot be taken by another station.
        exec(QStringLiteral("BEGIN IMMEDIATE"));
        transactionDepth_ = 1;
    }
}

void Database::commit() {
    if (transactionDepth_ <= 0) return;
    if (--transactionDepth_ > 0) return;
    held::release(connectionName_);
    if (rollbackOnly_) {
        rollbackOnly_ = false;
        if (dialect_.isPostgres()) db_.rollback(); else QSqlQuery(db_).exec(QStringLiteral("ROLLBACK"));
        throw DbError(QStringLiteral("The transaction was rolled back by an inner step"));
    }
    if (dialect_.isPostgres()) {
        if (!db_.commit()) {
            const QString text = driverText(db_.lastError());
            db_.rollback();
            throw DbError(QStringLiteral("Cannot save"), {}, text);
        }
    } else {
        QSqlQuery q(db_);
        if (!q.exec(QStringLiteral("COMMIT"))) {
            const QString text = driverText(q.lastError());
            QSqlQuery(db_).exec(QStringLiteral("ROLLBACK"));
            throw DbError(QStringLiteral("Cannot save"), QStringLiteral("COMMIT"), text);
        }
    }
}

void Database::rollback() {
    if (transactionDepth_ <= 0) return;
    if (--transactionDepth_ > 0) {
        rollbackOnly_ = true;
        return;
    }
    held::release(connectionName_);
    rollbackOnly_ = false;
    if (dialect_.isPostgres()) db_.rollback(); else QSqlQuery(db_).exec(QStringLiteral("ROLLBACK"));
}

Transaction::Transaction(Database& db) : db_(db) { db_.begin(); }

Transaction::~Transaction() {
    if (!done_) db_.rollback();
}

void Transaction::commit() {
    if (done_) return;
    done_ = true;
    db_.commit();
}

void Transaction::rollback() {
    if (done_) return;
    done_ = true;
    db_.rollback();
}

}  // namespace tanabana::db
