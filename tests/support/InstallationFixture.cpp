#include "support/InstallationFixture.h"

#include "support/TestDb.h"

namespace tanabana::test {

InstallationFixture::InstallationFixture() : dir_(std::make_unique<QTemporaryDir>()) {
    root_ = dir_->path();
    if (onPostgres() && !postgresUrl().isEmpty()) {
        prefix_ = uniqueName(QStringLiteral("i")).toLower() + QLatin1Char('_');
        installation_ = shell::Installation::onServer(postgresUrl(), root_, prefix_);
    } else {
        installation_ = shell::Installation::inFolder(root_);
    }
}

InstallationFixture::~InstallationFixture() {
    if (prefix_.isEmpty()) return;
    try {
        db::Database admin = db::Database::openPostgres(postgresUrl(), QStringLiteral("public"), false);
        for (const db::Row& r : admin.query(QStringLiteral("SELECT schema_name FROM information_schema.schemata WHERE substr(schema_name, 1, ?) = ?"),
                                            {int(prefix_.size()), prefix_}))
            admin.exec(QStringLiteral("DROP SCHEMA IF EXISTS %1 CASCADE").arg(admin.dialect().quote(r.value(0).toString())));
    } catch (...) {
    }
}

}  // namespace tanabana::test
