#pragma once
// Throwaway databases for tests: an SQLite file in a temporary folder, or, when the test runs on
// PostgreSQL (TANABANA_TEST_ENGINE=pg), a fresh schema on the server at TANABANA_TEST_PG_URL that
// is dropped afterwards. A test file that mentions TANABANA_BOTH_ENGINES is run on both engines.
#include "db/Database.h"
#include "db/Schema.h"

#include <QString>
#include <QTemporaryDir>
#include <memory>
#include <vector>

namespace tanabana::test {

bool onPostgres();
// The server address of the PostgreSQL run, or empty.
QString postgresUrl();
// Unique name for a schema or file of this test process.
QString uniqueName(const QString& prefix);

// A scratch database that disappears with this object.
class ScratchDatabase {
public:
    explicit ScratchDatabase(const QString& name = QStringLiteral("scratch"));
    // A scratch database that already holds `steps`. On PostgreSQL it is a database of its own,
    // cloned from a template made once per server: creating every table, index and trigger for
    // each test is what the server spends most of a test's time on. On SQLite it starts empty.
    ScratchDatabase(const QString& name, const std::vector<db::MigrationStep>& steps);
    ~ScratchDatabase();
    db::Database& db() { return db_; }
    // Opens a second connection on the same database (another station).
    db::Database openAnother() const;
    // The server address of the database this scratch lives in (PostgreSQL), or empty.
    const QString& url() const { return url_; }
    const QString& folder() const { return folder_; }

private:
    // An empty schema on the server (PostgreSQL) or an empty file (SQLite).
    void openEmpty(const QString& name);

    std::unique_ptr<QTemporaryDir> dir_;
    QString folder_;
    QString url_;
    QString schema_;
    QString clone_;
    QString file_;
    db::Database db_;
};

// Skips the current test when it runs on PostgreSQL but no server address was given.
#define TANABANA_REQUIRE_ENGINE()                                                      \
    do {                                                                               \
        if (::tanabana::test::onPostgres() && ::tanabana::test::postgresUrl().isEmpty()) \
            GTEST_SKIP() << "no PostgreSQL server for this run";                       \
    } while (0)

}  // namespace tanabana::test
