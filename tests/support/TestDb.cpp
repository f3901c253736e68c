#include "support/TestDb.h"

#include <QCoreApplication>
#include <QDir>
#include <QRandomGenerator>

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

ScratchDatabase::ScratchDatabase(const QString& name) : dir_(std::make_unique<QTemporaryDir>()) {
    folder_ = dir_->path();
    if (onPostgres()) {
        schema_ = uniqueName(QStringLiteral("t_") + name).toLower();
        db_ = db::Database::openPostgres(postgresUrl(), schema_);
    } else {
        file_ = QDir(folder_).filePath(name + QStringLiteral(".db"));
        db_ = db::Database::openSqlite(file_);
    }
}

ScratchDatabase::~ScratchDatabase() {
    if (!schema_.isEmpty()) {
        try {
            db_.exec(QStringLiteral("DROP SCHEMA IF EXISTS %1 CASCADE").arg(db_.dialect().quote(schema_)));
        } catch (...) {
        }
    }
    db_.close();
}

db::Database ScratchDatabase::openAnother() const {
    if (!schema_.isEmpty()) return db::Database::openPostgres(postgresUrl(), schema_, false);
    return db::Database::openSqlite(file_, false);
}

}  // namespace tanabana::test
