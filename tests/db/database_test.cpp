// The database layer on both engines (TANABANA_BOTH_ENGINES): bound values with quotes, RAII
// transactions that leave nothing behind, keys taken under a lock, locks taken in one order and
// per year, migrations run once.
#include "db/Database.h"
#include "db/LockOrder.h"
#include "db/Schema.h"
#include "support/TestDb.h"

#include <QDate>
#include <gtest/gtest.h>

using namespace tanabana;
using namespace tanabana::db;

namespace {

TableDef partyTable() {
    return {QStringLiteral("PartyMst"),
            {longCol(QStringLiteral("Id")), textCol(QStringLiteral("AcName"), 40), doubleCol(QStringLiteral("Amt")),
             yesNoCol(QStringLiteral("IsAct")), dateCol(QStringLiteral("OpDate"))},
            {QStringLiteral("Id")},
            {{QStringLiteral("PartyMst_Name"), {QStringLiteral("AcName")}, false}}};
}

class DatabaseTest : public ::testing::Test {
protected:
    void SetUp() override {
        TANABANA_REQUIRE_ENGINE();
        scratch = std::make_unique<test::ScratchDatabase>();
        createTable(scratch->db(), partyTable());
    }
    Database& db() { return scratch->db(); }
    std::unique_ptr<test::ScratchDatabase> scratch;
};

}  // namespace

TEST_F(DatabaseTest, QuotesAndPercentSignsTravelAsValues) {
    const QString name = QStringLiteral("Shree Ram's \"Silk\" 100%");
    db().exec(QStringLiteral("INSERT INTO PartyMst (Id, AcName, Amt, IsAct, OpDate) VALUES (?, ?, ?, ?, ?)"),
              {1, name, 1234.5, true, QDate(2024, 4, 1)});
    auto row = db().queryOne(QStringLiteral("SELECT * FROM PartyMst WHERE AcName = ?"), {name});
    ASSERT_TRUE(row.has_value());
    EXPECT_EQ(row->text(QStringLiteral("acname")), name);  // names are found whatever their case
    EXPECT_DOUBLE_EQ(row->number(QStringLiteral("AMT")), 1234.5);
    EXPECT_TRUE(row->flag(QStringLiteral("IsAct")));
    EXPECT_EQ(row->date(QStringLiteral("OpDate")), QDate(2024, 4, 1));
    // a date range compares as dates on both engines
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT count(*) FROM PartyMst WHERE OpDate BETWEEN ? AND ?"),
                          {QDate(2024, 3, 31), QDate(2024, 4, 30)}).toInt(), 1);
}

TEST_F(DatabaseTest, UncommittedTransactionLeavesNothing) {
    {
        Transaction tx(db());
        db().exec(QStringLiteral("INSERT INTO PartyMst (Id, AcName) VALUES (?, ?)"), {1, QStringLiteral("Cash")});
    }
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT count(*) FROM PartyMst")).toInt(), 0);
    try {
        Transaction tx(db());
        db().exec(QStringLiteral("INSERT INTO PartyMst (Id, AcName) VALUES (?, ?)"), {1, QStringLiteral("Cash")});
        db().exec(QStringLiteral("INSERT INTO NoSuchTable (Id) VALUES (?)"), {1});
        tx.commit();
        FAIL() << "the second statement must fail";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.sql().contains(QStringLiteral("NoSuchTable")));
        EXPECT_FALSE(e.driverText().isEmpty());
    }
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT count(*) FROM PartyMst")).toInt(), 0);
}

TEST_F(DatabaseTest, InnerRollbackDoomsTheOuterTransaction) {
    Transaction outer(db());
    db().exec(QStringLiteral("INSERT INTO PartyMst (Id, AcName) VALUES (?, ?)"), {1, QStringLiteral("Cash")});
    {
        Transaction inner(db());
    }
    EXPECT_THROW(outer.commit(), DbError);
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT count(*) FROM PartyMst")).toInt(), 0);
}

TEST_F(DatabaseTest, NextKeyIsLargestPlusOneAndNeverReusesGaps) {
    EXPECT_EQ(db().nextKey(QStringLiteral("PartyMst"), QStringLiteral("Id")), 1);
    for (int id : {1, 2, 7}) db().exec(QStringLiteral("INSERT INTO PartyMst (Id) VALUES (?)"), {id});
    EXPECT_EQ(db().nextKey(QStringLiteral("PartyMst"), QStringLiteral("Id")), 8);
    EXPECT_EQ(db().nextKey(QStringLiteral("PartyMst"), QStringLiteral("Id"), QStringLiteral("Id < ?"), {5}), 3);
}

TEST_F(DatabaseTest, TwoStationsTakingKeysInTransactionsNeverCollide) {
    Database second = scratch->openAnother();
    // Interleave: each station takes a key and inserts inside its own transaction, alternately.
    for (int round = 0; round < 5; ++round) {
        for (Database* station : {&db(), &second}) {
            Transaction tx(*station);
            const qint64 id = station->nextKey(QStringLiteral("PartyMst"), QStringLiteral("Id"));
            station->exec(QStringLiteral("INSERT INTO PartyMst (Id, AcName) VALUES (?, ?)"), {id, QStringLiteral("P")});
            tx.commit();
        }
    }
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT count(DISTINCT Id) FROM PartyMst")).toInt(), 10);
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT max(Id) FROM PartyMst")).toInt(), 10);
}

TEST_F(DatabaseTest, LocksOutOfTheOneOrderAreRefusedAndLeaveNothing) {
    if (qEnvironmentVariableIsEmpty("TANABANA_STRICT_LOCKS")) GTEST_SKIP() << "the order is enforced when TANABANA_STRICT_LOCKS is set";
    {
        Transaction tx(db());
        db().exec(QStringLiteral("INSERT INTO PartyMst (Id, AcName) VALUES (1, 'Ramesh Silk Mills')"));
        db().lockSeries(QStringLiteral("key:HeadDtl3.JournalNo"));
        try {
            db().lockSeries(QStringLiteral("SalBillMst.BillNO"));
            ADD_FAILURE() << "a bill lock taken after the journal lock";
        } catch (const LockOutOfOrder& e) {
            EXPECT_STREQ(e.what(), "Lock order broken: SalBillMst.BillNO taken while key:HeadDtl3.JournalNo is held");
        }
    }
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT count(*) FROM PartyMst")).toInt(), 0);

    // Asked for in any order, the locks are taken in theirs; a lock already held may be asked again.
    Transaction tx(db());
    lockInOrder(db(), {QStringLiteral("key:HeadDtl3.JournalNo"), QStringLiteral("Acc_OutSt.ID"), QStringLiteral("key:HeadDtl3.VoucherNo"),
                       QStringLiteral("SalBillMst.BillNO"), QStringLiteral("BillMst.Id"), QStringLiteral("PartyMst.Id")});
    EXPECT_EQ(db().nextKey(QStringLiteral("PartyMst"), QStringLiteral("Id")), 1);
    db().lockSeries(QStringLiteral("key:SalBillMst.Id"));
    tx.commit();
    // Each transaction starts afresh: the journal lock first is as good as any.
    Transaction next(db());
    db().lockSeries(QStringLiteral("key:HeadDtl3.JournalNo"));
    next.commit();
}

TEST_F(DatabaseTest, AStationWaitsForAnotherOnlyInTheSameYear) {
    if (!test::onPostgres()) GTEST_SKIP() << "an SQLite year file has one writer at a time anyway";
    Transaction holding(db());
    db().lockSeries(QStringLiteral("key:HeadDtl3.JournalNo"));
    // A second station of the same year gives up after its wait.
    Database sameYear = scratch->openAnother();
    sameYear.setLockWait(300);
    {
        Transaction tx(sameYear);
        try {
            sameYear.lockSeries(QStringLiteral("key:HeadDtl3.JournalNo"));
            ADD_FAILURE() << "took the journal lock another station of the year holds";
        } catch (const DbError& e) {
            EXPECT_EQ(e.fault(), DbError::Fault::Busy) << e.describe().toStdString();
        }
    }
    // A station working in another year (another schema of the same server) does not wait at all.
    test::ScratchDatabase otherYear(QStringLiteral("otheryear"));
    otherYear.db().setLockWait(300);
    Transaction tx(otherYear.db());
    EXPECT_NO_THROW(otherYear.db().lockSeries(QStringLiteral("key:HeadDtl3.JournalNo")));
    tx.commit();
}

TEST_F(DatabaseTest, MigrationsRunOnceInOneTransaction) {
    int runs = 0;
    std::vector<MigrationStep> steps{
        {QStringLiteral("test/001-amount-column"),
         [&](Database& d) { ++runs; addColumnIfMissing(d, QStringLiteral("PartyMst"), doubleCol(QStringLiteral("CrLimit"))); }}};
    EXPECT_EQ(migrate(db(), steps).size(), 1);
    EXPECT_EQ(migrate(db(), steps).size(), 0);
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(db().columnExists(QStringLiteral("partymst"), QStringLiteral("crlimit")));

    // A failing step leaves the database as it was: neither its column nor the earlier step of the run.
    steps.push_back({QStringLiteral("test/002-more"),
                     [](Database& d) { addColumnIfMissing(d, QStringLiteral("PartyMst"), textCol(QStringLiteral("City"), 30)); }});
    steps.push_back({QStringLiteral("test/003-broken"), [](Database& d) { d.exec(QStringLiteral("ALTER TABLE Missing ADD x INTEGER")); }});
    EXPECT_THROW(migrate(db(), steps), DbError);
    EXPECT_FALSE(db().columnExists(QStringLiteral("PartyMst"), QStringLiteral("City")));
    EXPECT_EQ(appliedSteps(db()), QStringList{QStringLiteral("test/001-amount-column")});
}

TEST_F(DatabaseTest, SumRoundedIsExactToThePaisa) {
    Transaction tx(db());
    for (int i = 1; i <= 1000; ++i)
        db().exec(QStringLiteral("INSERT INTO PartyMst (Id, Amt) VALUES (?, ?)"), {i, 0.1});
    tx.commit();
    const double sum = db().scalar(QStringLiteral("SELECT %1 FROM PartyMst").arg(db().dialect().sumRounded(QStringLiteral("Amt")))).toDouble();
    EXPECT_EQ(sum, 100.0);
}

TEST(DatabaseOpen, ForeignFileIsRefusedWithoutBeingChanged) {
    if (test::onPostgres()) GTEST_SKIP() << "files only";
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("2024.db"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(4096, 'x'));
    f.close();
    try {
        Database::openSqlite(path, false);
        FAIL() << "a file of x's is not a database";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("is not a database")));
    }
    QFile again(path);
    ASSERT_TRUE(again.open(QIODevice::ReadOnly));
    EXPECT_EQ(again.readAll(), QByteArray(4096, 'x'));
    EXPECT_THROW(Database::openSqlite(dir.filePath(QStringLiteral("missing.db")), false), DbError);
}

TEST(DatabaseOpen, ServerThatIsDownGivesAClearError) {
    try {
        Database::openPostgres(QStringLiteral("postgresql://nobody@127.0.0.1:1/none"), QStringLiteral("y2024"));
        FAIL() << "nothing listens on port 1";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("Cannot connect to the database server")));
    }
}
