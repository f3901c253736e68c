#include "support/TestDb.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QRandomGenerator>
#include <QSet>
#include <QUrl>

namespace tanabana::test {

bool onPostgres() { return qgetenv("TANABANA_TEST_ENGINE") == "pg"; }

QString postgresUrl() { return QString::fromLocal8Bit(qgetenv("TANABANA_TEST_PG_URL")); }

QString uniqueName(const QString& prefix) {
    static int counter = 0;
    return QStringLiteral("%1_%2_%3_%4")
        .arg(prefix)
        .arg(QCoreApplication::applicationPid())
        .arg(++counter)
        .arg(QRandomGenerator::global()->bounded(100000));
}

namespace {

// The schema a cloned scratch database keeps its tables in (each clone is a database of its own).
const QString kClonedSchema = QStringLiteral("books");

// Server-wide advisory lock under which a template is looked for and made.
constexpr qint64 kTemplateLock = 7261534090221LL;

// The same server address with another database in its path.
QString withDatabase(const QString& url, const QString& database) {
    QUrl u(url);
    u.setPath(QLatin1Char('/') + database);
    return u.toString();
}

// The template holding `steps`; its name carries a hash of the step names, so a changed list of
// steps gets a template of its own instead of clones of a stale one.
QString templateName(const QString& name, const std::vector<db::MigrationStep>& steps) {
    QCryptographicHash hash(QCryptographicHash::Sha1);
    for (const db::MigrationStep& step : steps) {
        hash.addData(step.name.toUtf8());
        hash.addData(QByteArrayView("\n"));
    }
    return QStringLiteral("tpl_%1_%2").arg(name.toLower(), QString::fromLatin1(hash.result().toHex().left(16)));
}

bool databaseExists(db::Database& admin, const QString& name) {
    return admin.scalar(QStringLiteral("SELECT count(*) FROM pg_database WHERE datname = ?"), {name}).toInt() > 0;
}

// Makes the template once per server. Any test process may be first, so it is looked for under
// a lock, built under a working name and renamed only when complete: a process that dies while
// building leaves nothing another would clone.
void ensureTemplate(db::Database& admin, const QString& name, const std::vector<db::MigrationStep>& steps) {
    static QSet<QString> made;
    if (made.contains(name)) return;
    const db::Dialect& d = admin.dialect();
    admin.setLockWait(0);  // another process may be building it: wait as long as that takes
    admin.scalar(QStringLiteral("SELECT pg_advisory_lock(?)"), {kTemplateLock});
    if (!databaseExists(admin, name)) {
        const QString building = name + QStringLiteral("_new");
        admin.exec(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(d.quote(building)));
        admin.exec(QStringLiteral("CREATE DATABASE %1 TEMPLATE template0").arg(d.quote(building)));
        {
            db::Database books = db::Database::openPostgres(withDatabase(postgresUrl(), building), kClonedSchema);
            db::migrate(books, steps);
        }  // no connection to a template may stay open, or cloning it fails
        admin.exec(QStringLiteral("ALTER DATABASE %1 RENAME TO %2").arg(d.quote(building), d.quote(name)));
        admin.exec(QStringLiteral("ALTER DATABASE %1 WITH IS_TEMPLATE true ALLOW_CONNECTIONS false").arg(d.quote(name)));
    }
    admin.scalar(QStringLiteral("SELECT pg_advisory_unlock(?)"), {kTemplateLock});
    admin.setLockWait(15000);
    made.insert(name);
}

// A connection to the server's own database, for creating and dropping the scratch databases.
db::Database openAdmin() { return db::Database::openPostgres(postgresUrl(), QStringLiteral("public"), false); }

}  // namespace

ScratchDatabase::ScratchDatabase(const QString& name) : dir_(std::make_unique<QTemporaryDir>()) {
    folder_ = dir_->path();
    openEmpty(name);
}

void ScratchDatabase::openEmpty(const QString& name) {
    if (onPostgres()) {
        url_ = postgresUrl();
        schema_ = uniqueName(QStringLiteral("t_") + name).toLower();
        db_ = db::Database::openPostgres(url_, schema_);
    } else {
        file_ = QDir(folder_).filePath(name + QStringLiteral(".db"));
        db_ = db::Database::openSqlite(file_);
    }
}

ScratchDatabase::ScratchDatabase(const QString& name, const std::vector<db::MigrationStep>& steps)
    : dir_(std::make_unique<QTemporaryDir>()) {
    folder_ = dir_->path();
    // TANABANA_TEST_PG_CLONE=0 gives a fresh schema in the server's database instead (for timing)
    if (!onPostgres() || qgetenv("TANABANA_TEST_PG_CLONE") == "0") {
        openEmpty(name);
        return;
    }
    db::Database admin = openAdmin();
    const QString source = templateName(name, steps);
    ensureTemplate(admin, source, steps);
    clone_ = uniqueName(QStringLiteral("t_") + name).toLower();
    // copying the template's files beats logging each of its pages (see docs/benchmarks.md)
    const QByteArray strategy = qgetenv("TANABANA_TEST_PG_STRATEGY");
    admin.exec(QStringLiteral("CREATE DATABASE %1 TEMPLATE %2 STRATEGY %3")
                   .arg(admin.dialect().quote(clone_), admin.dialect().quote(source),
                        strategy.isEmpty() ? QStringLiteral("FILE_COPY") : QString::fromLatin1(strategy)));
    url_ = withDatabase(postgresUrl(), clone_);
    schema_ = kClonedSchema;
    db_ = db::Database::openPostgres(url_, schema_, false);
}

ScratchDatabase::~ScratchDatabase() {
    if (!clone_.isEmpty()) {
        db_.close();
        try {
            db::Database admin = openAdmin();
            admin.exec(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(admin.dialect().quote(clone_)));
        } catch (...) {
        }
        return;
    }
    if (!schema_.isEmpty()) {
        try {
            db_.exec(QStringLiteral("DROP SCHEMA IF EXISTS %1 CASCADE").arg(db_.dialect().quote(schema_)));
        } catch (...) {
        }
    }
    db_.close();
}

db::Database ScratchDatabase::openAnother() const {
    if (!schema_.isEmpty()) return db::Database::openPostgres(url_, schema_, false);
    return db::Database::openSqlite(file_, false);
}

}  // namespace tanabana::test
