// tanabana-cli ledger (TANABANA_USES_CLI) on an SQLite installation folder: posting JSON documents,
// refusals that write nothing, balances on a date, and the journal exported as CSV and as a
// plain-text double-entry journal.
#include "domain/ledger/JournalExport.h"
#include "support/CliRun.h"
#include "support/LedgerBooks.h"
#include "support/TestDb.h"

#include <QBuffer>
#include <QFile>
#include <gtest/gtest.h>

using namespace tanabana;
using tanabana::test::money;

namespace {

class LedgerCliTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (test::onPostgres()) GTEST_SKIP() << "the command opens SQLite files here";
        books = std::make_unique<test::YearFolder>(2025);
        firm = test::seedSmallFirm(books->db());
    }
    QString code(qint64 id) {
        return books->db().scalar(QStringLiteral("SELECT LedgerId FROM AccMst WHERE Id = ?"), {id}).toString();
    }
    test::CliResult ledger(QStringList args) {
        args.prepend(QStringLiteral("ledger"));
        args.prepend(books->root());
        args.prepend(QStringLiteral("--data"));
        args << QStringLiteral("--year") << QStringLiteral("2025");
        return test::runCli(args);
    }
    QString writeFile(const QString& name, const QByteArray& text) {
        const QString path = books->root() + QLatin1Char('/') + name;
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(text);
        return path;
    }
    int lines() { return books->db().scalar(QStringLiteral("SELECT COUNT(*) FROM HeadDtl3")).toInt(); }

    std::unique_ptr<test::YearFolder> books;
    test::SmallFirm firm;
};

}  // namespace

TEST_F(LedgerCliTest, PostsAReceiptAndShowsTheBalanceOnADate) {
    const QByteArray json = QStringLiteral(R"({"type": 6, "date": "20-04-2024", "number": "CR/1",
        "lines": [{"account": "%1", "side": "D", "amount": "5000.00", "narration": "Part payment of GST/1"},
                  {"account": "%2", "side": "C", "amount": 5000}]})")
                                .arg(code(firm.cash), code(firm.suresh))
                                .toUtf8();
    const test::CliResult posted = ledger({QStringLiteral("post"), writeFile(QStringLiteral("receipt.json"), json)});
    ASSERT_EQ(posted.exitCode, 0) << posted.err.toStdString();
    EXPECT_EQ(posted.out.trimmed(), QStringLiteral("Cash Receipt 1 posted as journal 1"));
    EXPECT_EQ(lines(), 2);
    EXPECT_EQ(books->db().scalar(QStringLiteral("SELECT PartyCode FROM HeadDtl3 WHERE Type = 'C'")).toLongLong(), firm.cash);

    const test::CliResult balance = ledger({QStringLiteral("balance"), code(firm.suresh), QStringLiteral("--date"),
                                            QStringLiteral("2024-04-20")});
    ASSERT_EQ(balance.exitCode, 0) << balance.err.toStdString();
    EXPECT_EQ(balance.out, QStringLiteral("Account: %1 Suresh Fabrics\n"
                                          "Balance before 20-04-2024: 12500.00\n"
                                          "Balance up to 20-04-2024: 7500.00\n"
                                          "Balance text: 7500 Dr.\n")
                               .arg(code(firm.suresh)));
    const test::CliResult closing = ledger({QStringLiteral("balance"), code(firm.ramesh)});
    EXPECT_EQ(closing.out, QStringLiteral("Account: %1 Ramesh Traders\nClosing balance: -1000.00\nBalance text: 1000 Cr.\n")
                               .arg(code(firm.ramesh)));
}

TEST_F(LedgerCliTest, RefusedInputWritesNothing) {
    auto post = [&](const QString& text) {
        return ledger({QStringLiteral("post"), writeFile(QStringLiteral("in.json"), text.toUtf8())});
    };
    const QString good = QStringLiteral(R"({"type": 9, "date": "2024-06-01", "lines": [
        {"account": "%1", "side": "D", "amount": "100.00"}, {"account": "%2", "side": "C", "amount": "100.00"}]})")
                             .arg(code(firm.ramesh), code(firm.cash));
    const QString unbalanced = QStringLiteral(R"({"type": 9, "date": "2024-06-01", "lines": [
        {"account": "%1", "side": "D", "amount": "1000.00"}, {"account": "%2", "side": "C", "amount": "900.00"}]})")
                                   .arg(code(firm.ramesh), code(firm.cash));
    // A batch is checked whole before anything is written: the good first document stays out too.
    test::CliResult r = post(QStringLiteral("[%1, %2]").arg(good, unbalanced));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err.trimmed(), QStringLiteral("Document 2: The journal does not balance: debit 1000.00, credit 900.00."));

    r = post(QString(good).replace(code(firm.cash), QStringLiteral("35Z999")));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err.trimmed(), QStringLiteral("Document 1, line 2: no account 35Z999 in this firm."));

    r = post(QString(good).replace(QStringLiteral("2024-06-01"), QStringLiteral("2025-06-01")));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err.trimmed(), QStringLiteral("Document 1: the date 01-06-2025 is outside the year 01-04-2024 to 31-03-2025."));

    r = post(QStringLiteral("{\"type\": 9, "));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.startsWith(QStringLiteral("Not JSON:"))) << r.err.toStdString();

    r = ledger({QStringLiteral("post"), books->root() + QStringLiteral("/missing.json")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.startsWith(QStringLiteral("Cannot read "))) << r.err.toStdString();
    EXPECT_EQ(lines(), 0);

    r = post(QStringLiteral("[%1, %1]").arg(good));
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("Journal 1 posted as journal 1\nJournal 2 posted as journal 2\n"));
}

TEST_F(LedgerCliTest, ExportsTheJournalForAuditors) {
    test::postTypicalMonths(books->db(), books->session, firm);
    const QString csvPath = books->root() + QStringLiteral("/journal.csv");
    test::CliResult r = ledger({QStringLiteral("export"), QStringLiteral("--format"), QStringLiteral("csv"), QStringLiteral("--out"), csvPath});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out.trimmed(), QStringLiteral("17 journal lines written to %1").arg(csvPath));
    QFile csv(csvPath);
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    const QStringList rows = QString::fromUtf8(csv.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(rows.size(), 18);
    EXPECT_EQ(rows[0], QStringLiteral("JournalNo,TransDate,TableCode,VoucherNo,Receiptno,SubSrno,Type,AccId,LedgerId,AcName,"
                                      "PartyCode,DrAmt,CrAmt,Desc,Narr"));
    EXPECT_EQ(rows[1], QStringLiteral("1,2024-04-15,3,1,GST/1,1,D,%1,%2,Suresh Fabrics,%3,11025.00,0.00,GST/1 D,")
                           .arg(firm.suresh).arg(code(firm.suresh)).arg(firm.sales));

    // The plain-text journal: opening balances first, then each journal balanced to zero.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    EXPECT_EQ(ledger::exportJournal(books->db(), books->session, buffer, ledger::ExportFormat::PlainText,
                                    {QDate(2024, 5, 1), QDate(2024, 5, 31)}),
              8);
    const QString text = QString::fromUtf8(buffer.data());
    auto account = [&](qint64 id, const QString& name, int group) {
        return QStringLiteral("G%1:%2 %3").arg(group, 2, 10, QLatin1Char('0')).arg(code(id), name);
    };
    EXPECT_TRUE(text.startsWith(QStringLiteral("2024-04-01 Opening balances\n"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("2024-04-10 Opening balances\n    %1")
                                  .arg(account(firm.suresh, QStringLiteral("Suresh Fabrics"), 35).leftJustified(48))));
    EXPECT_TRUE(text.contains(QStringLiteral("    Equity:Opening Balances")));
    const QString sale = QStringLiteral("2024-05-02 (3/2) Sales GST/2\n    ") +
                         account(firm.ramesh, QStringLiteral("Ramesh Traders"), 35).leftJustified(48) + QStringLiteral("  ") +
                         QStringLiteral("400.00").rightJustified(14) + QLatin1Char('\n');
    EXPECT_TRUE(text.contains(sale)) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("-380.95\n")));
    EXPECT_FALSE(text.contains(QStringLiteral("(3/1)")));  // April's bill lies outside the range
    EXPECT_FALSE(text.contains(QStringLiteral("Unbalanced")));
}
