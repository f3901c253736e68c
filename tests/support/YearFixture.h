#pragma once
// A year database of the current structure on the engine of this run, with a session on firm 1
// of the year 2024-25 (its FirmMst row is there) and a message recorder: the starting point of
// most domain tests.
//
//   TEST_F(MyFixture, ...) { auto& db = year.db(); year.session.firmNo ... year.messages.has(...) }
#include "core/Messages.h"
#include "core/Session.h"
#include "support/TestDb.h"

#include <memory>

namespace tanabana::test {

class YearFixture {
public:
    explicit YearFixture(int endYear = 2025);
    db::Database& db() { return scratch_->db(); }
    // A second station on the same year database.
    db::Database openAnother() const { return scratch_->openAnother(); }
    const QString& folder() const { return scratch_->folder(); }
    // The server address of this year's database (PostgreSQL), for a connection of one's own.
    const QString& url() const { return scratch_->url(); }
    // Row count of a table (for "nothing was written" checks).
    int count(const QString& table, const QString& where = {}, const QVariantList& params = {});
    // Adds a firm row with the session's year dates (or the given ones); quotes in names are fine.
    void addFirm(qint64 srno, const QString& name, const QDate& start = {}, const QDate& end = {});

    Session session;
    RecordingMessages messages;

private:
    std::unique_ptr<ScratchDatabase> scratch_;
};

}  // namespace tanabana::test
