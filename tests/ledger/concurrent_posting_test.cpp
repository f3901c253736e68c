// Two stations posting at the same moment (TANABANA_BOTH_ENGINES): two connections in two threads
// on either engine, and two tanabana-cli processes on one SQLite file in WAL mode
// (TANABANA_USES_CLI). Every journal number must be unique, every journal whole and balanced,
// every voucher number used once, and the monthly totals equal to the journal.
#include "domain/ledger/Journal.h"
#include "domain/ledger/Schema.h"
#include "support/CliRun.h"
#include "support/LedgerBooks.h"
#include "support/TestDb.h"
#include "support/YearFixture.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>
#include <mutex>
#include <thread>

using namespace tanabana;
using namespace tanabana::ledger;
using tanabana::test::money;

namespace {

// Journals that are not four balanced lines of one voucher; empty when the books are whole.
QStringList brokenJournals(db::Database& db) {
    QStringList broken;
    for (const db::Row& r : db.query(QStringLiteral("SELECT JournalNo, COUNT(*), SUM(DrAmt), SUM(CrAmt), COUNT(DISTINCT VoucherNo) "
                                                    "FROM HeadDtl3 GROUP BY JournalNo HAVING COUNT(*) <> 4 OR "
                                                    "SUM(DrAmt) <> SUM(CrAmt) OR COUNT(DISTINCT VoucherNo) <> 1")))
        broken << r.value(0).toString();
    return broken;
}

QStringList monthTotals(db::Database& db) {
    QStringList rows;
    for (const db::Row& r : db.query(QStringLiteral("SELECT AccId, MonthNo, DrPaise, CrPaise FROM HeadDtl3_MonthBal "
                                                    "WHERE Lines <> 0 ORDER BY AccId, MonthNo")))
        rows << QStringLiteral("%1/%2: %3 %4").arg(r.value(0).toString(), r.value(1).toString(), r.value(2).toString(),
                                                   r.value(3).toString());
    return rows;
}

void expectWholeBooks(db::Database& db, int documents) {
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT COUNT(*) FROM HeadDtl3")).toInt(), documents * 4);
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT COUNT(DISTINCT JournalNo) FROM HeadDtl3")).toInt(), documents);
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT COUNT(DISTINCT VoucherNo) FROM HeadDtl3 WHERE TableCode = 9")).toInt(), documents);
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT MAX(JournalNo) FROM HeadDtl3")).toInt(), documents);
    EXPECT_EQ(brokenJournals(db), QStringList());
    const QStringList kept = monthTotals(db);
    rebuildMonthBalances(db);
    EXPECT_EQ(monthTotals(db), kept);
}

}  // namespace

TEST(ConcurrentPosting, TwoConnectionsPostingAtOnceNeverShareAJournalNumber) {
    TANABANA_REQUIRE_ENGINE();
    test::YearFixture year;
    const test::SmallFirm firm = test::seedSmallFirm(year.db());
    constexpr int perStation = 60;
    std::mutex lock;
    QStringList errors;

    auto station = [&](const QString& user) {
        try {
            db::Database db = year.openAnother();
            Session session = year.session;
            session.db = &db;
            session.loginUser = user;
            Journal journal(db, session);
            for (int i = 0; i < perStation; ++i) {
                db::Transaction tx(db);
                JournalDocument doc = test::document(
                    DocumentType::JournalVoucher, journal.nextVoucherNo(DocumentType::JournalVoucher), QDate(2024, 6, 1 + i % 30),
                    user, {{firm.suresh, QLatin1Char('D'), money("1050.00")}, {firm.sales, QLatin1Char('C'), money("1000.00")},
                           {firm.outputCgst, QLatin1Char('C'), money("25.00")}, {firm.outputSgst, QLatin1Char('C'), money("25.00")}});
                journal.post(doc);
                tx.commit();
            }
        } catch (const std::exception& e) {
            std::lock_guard<std::mutex> guard(lock);
            errors << QString::fromLocal8Bit(e.what());
        }
    };
    std::thread first(station, QStringLiteral("STATION1"));
    std::thread second(station, QStringLiteral("STATION2"));
    first.join();
    second.join();

    EXPECT_EQ(errors, QStringList());
    expectWholeBooks(year.db(), 2 * perStation);
    EXPECT_EQ(year.count(QStringLiteral("HeadDtl3"), QStringLiteral("BookDesc = 'STATION2'")), perStation * 4);
}

TEST(ConcurrentPosting, TwoProcessesOnOneSqliteFile) {
    if (test::onPostgres()) GTEST_SKIP() << "processes share a file on SQLite; the server case is the two-connection test";
    test::YearFolder books(2025);
    const test::SmallFirm firm = test::seedSmallFirm(books.db());
    auto code = [&](qint64 id) {
        return books.db().scalar(QStringLiteral("SELECT LedgerId FROM AccMst WHERE Id = ?"), {id}).toString();
    };
    constexpr int perProcess = 150;
    QJsonArray documents;
    for (int i = 0; i < perProcess; ++i) {
        auto line = [](const QString& account, const char* side, const char* amount) {
            return QJsonObject{{QStringLiteral("account"), account}, {QStringLiteral("side"), QString::fromLatin1(side)},
                               {QStringLiteral("amount"), QString::fromLatin1(amount)}};
        };
        documents.append(QJsonObject{
            {QStringLiteral("type"), 9},
            {QStringLiteral("date"), QDate(2024, 7, 1 + i % 31).toString(Qt::ISODate)},
            {QStringLiteral("number"), QStringLiteral("JV/%1").arg(i)},
            {QStringLiteral("lines"), QJsonArray{line(code(firm.ramesh), "D", "2100.00"), line(code(firm.sales), "C", "2000.00"),
                                                 line(code(firm.outputCgst), "C", "50.00"),
                                                 line(code(firm.outputSgst), "C", "50.00")}}});
    }
    const QString file = books.root() + QStringLiteral("/vouchers.json");
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(QJsonDocument(documents).toJson());
    out.close();

    const QStringList args{QStringLiteral("--data"), books.root(), QStringLiteral("ledger"), QStringLiteral("post"), file,
                           QStringLiteral("--year"), QStringLiteral("2025"), QStringLiteral("--quiet")};
    auto a = test::startCli(args);
    auto b = test::startCli(args);
    for (QProcess* p : {a.get(), b.get()}) {
        ASSERT_TRUE(p->waitForFinished(180000)) << p->errorString().toStdString();
        EXPECT_EQ(p->exitCode(), 0) << p->readAllStandardError().toStdString();
    }
    expectWholeBooks(books.db(), 2 * perProcess);
}
