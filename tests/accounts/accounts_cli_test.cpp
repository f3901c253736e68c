// tanabana-cli report trial-balance|trading|profit-loss|balance-sheet: the small firm's books as
// text on the terminal, as CSV and as PDF, between two dates, and the refusals (a date outside the
// year, a trial balance asked between dates) with no file written. TANABANA_USES_CLI.
#include "support/CliRun.h"
#include "support/LedgerBooks.h"
#include "support/PdfProbe.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace tanabana;

namespace {

class AccountsCliTest : public ::testing::Test {
protected:
    void SetUp() override {
        firm = test::seedSmallFirm(books.db());
        test::postTypicalMonths(books.db(), books.session, firm);
    }
    QString path(const QString& name) const { return books.root() + QLatin1Char('/') + name; }
    test::CliResult report(const QStringList& arguments) {
        QStringList all{QStringLiteral("--data"), books.root(), QStringLiteral("report")};
        all << arguments;
        return test::runCli(all);
    }

    test::YearFolder books{2025};
    test::SmallFirm firm;
};

}  // namespace

TEST_F(AccountsCliTest, TrialBalanceAsTextAndBalanceSheetAsPdfShowTheSameFigures) {
    const test::CliResult tb = report({"trial-balance", "--date", "31-05-2024"});
    ASSERT_EQ(tb.exitCode, 0) << tb.err.toStdString();
    const QStringList lines = tb.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_GE(lines.size(), 3);
    EXPECT_EQ(lines.at(0), QStringLiteral("TRIAL BALANCE As On Date 31-05-2024"));
    EXPECT_TRUE(lines.at(1).startsWith(QStringLiteral("Credit Accounts"))) << lines.at(1).toStdString();
    EXPECT_TRUE(lines.at(1).contains(QStringLiteral("Debit Accounts")));
    // Capital 76,500 + sales 10,880.95 + taxes 544.05 + Ramesh 600 = 88,525.00 on either side.
    EXPECT_TRUE(lines.last().startsWith(QStringLiteral("Total"))) << lines.last().toStdString();
    EXPECT_EQ(lines.last().count(QStringLiteral("88,525.00")), 2) << lines.last().toStdString();
    EXPECT_TRUE(tb.out.contains(QStringLiteral("Suresh Fabrics"))) << tb.out.toStdString();

    const test::CliResult bs = report({"balance-sheet", "--date", "31-05-2024", "--out", path("bs.pdf")});
    ASSERT_EQ(bs.exitCode, 0) << bs.err.toStdString();
    const QString text = test::pdfText(path("bs.pdf"));
    test::keepForLooking(path("bs.pdf"));
    EXPECT_TRUE(text.contains(QStringLiteral("BALANCE SHEET As On Date 31-05-2024"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("LIABILITIES")));
    EXPECT_TRUE(text.contains(QStringLiteral("ASSETS")));
    EXPECT_TRUE(text.contains(QStringLiteral("NET PROFIT Rs. :-")));
    // Sales 10,880.95 less purchase 8,000.00: the net profit of 2,880.95 on the liabilities side.
    EXPECT_TRUE(text.contains(QStringLiteral("2,880.95")));
    EXPECT_EQ(text.count(QStringLiteral("80,525.00")), 2) << text.toStdString();
}

TEST_F(AccountsCliTest, TradingBetweenTwoDatesAsCsv) {
    const test::CliResult r = report({"trading", "--from", "01-05-2024", "--to", "31-05-2024", "--out", path("may.csv")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("TRADING ACCOUNT  From 01-05-2024 To 31-05-2024")));
    QFile csv(path("may.csv"));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(csv.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    EXPECT_EQ(lines, (QStringList{"Credit Side,Amount,Total,Debit Side,Amount,Total",
                                  "Sales Accounts,,,GROSS PROFIT Rs. :- (100.00 %),,380.95",
                                  "    Sales A/c,380.95,,,,",
                                  "Rs :- ,,380.95,,,",
                                  "Total,,380.95,,,380.95"}));
}

TEST_F(AccountsCliTest, ADateOutsideTheYearAndATrialBalanceBetweenDatesAreRefused) {
    const test::CliResult late = report({"balance-sheet", "--date", "01-04-2025", "--out", path("late.pdf")});
    EXPECT_EQ(late.exitCode, 1);
    EXPECT_TRUE(late.err.contains(QStringLiteral("Please Select Proper Date"))) << late.err.toStdString();
    EXPECT_FALSE(QFile::exists(path("late.pdf")));
    const test::CliResult between = report({"trial-balance", "--from", "01-05-2024", "--to", "31-05-2024"});
    EXPECT_NE(between.exitCode, 0);
    EXPECT_TRUE(between.err.contains(QStringLiteral("trial-balance is made as on one date: give --date"))) << between.err.toStdString();
}

TEST_F(AccountsCliTest, BankBookOfMayAsCsvAndABookOfTheWrongKindRefused) {
    const test::CliResult r = report({"bank-book", "--book", "bank current", "--from", "01-05-2024", "--to", "31-05-2024", "--out", path("bank.csv")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("Bank Book : Bank Current A/c"))) << r.out.toStdString();
    QFile csv(path("bank.csv"));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(csv.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 9);
    EXPECT_EQ(lines.at(0), QStringLiteral("Date,Type,Vou No,A/c No,A/c Name,Chq No,Particular,Withdraw,Deposit,Balance,,Day Bal,"));
    EXPECT_TRUE(lines.at(1).startsWith(QStringLiteral("01-05-24,OP,,,Opening Balance,,,,,40000.00,DB,40000.00,DB"))) << lines.at(1).toStdString();
    EXPECT_TRUE(lines.at(3).contains(QStringLiteral(",CHQ 104233,"))) << lines.at(3).toStdString();
    EXPECT_TRUE(lines.at(3).endsWith(QStringLiteral(",6025.00,46025.00,DB,46025.00,DB"))) << lines.at(3).toStdString();
    EXPECT_EQ(lines.last(), QStringLiteral("Total,,,,,,,8400.00,6025.00,,,,"));

    const test::CliResult wrong = report({"bank-book", "--book", "Sales GST", "--out", path("wrong.csv")});
    EXPECT_EQ(wrong.exitCode, 1);
    EXPECT_TRUE(wrong.err.contains(QStringLiteral("No book of this firm is named \"Sales GST\""))) << wrong.err.toStdString();
    EXPECT_FALSE(QFile::exists(path("wrong.csv")));
}

TEST_F(AccountsCliTest, BankReconcileTicksAChequeAndShowsTheStatementBalance) {
    const test::CliResult r = test::runCli({"--data", books.root(), "bank", "reconcile", "--book", "bank current", "--from", "01-05-2024",
                                            "--to", "31-05-2024", "--tick", "chq 000871", "--date", "18-05-2024"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("Bank : Bank Current A/c   Period From 01-05-2024 To 31-05-2024")));
    EXPECT_TRUE(r.out.contains(QStringLiteral("CHQ 000871"))) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("18-05-24")));
    EXPECT_TRUE(r.out.contains(QStringLiteral("1. Balance As Per Our Bank Book   : 37625.00")));
    EXPECT_TRUE(r.out.contains(QStringLiteral("2. Add    : Chq. Issued but not presented for Payment : 0.00")));
    EXPECT_TRUE(r.out.contains(QStringLiteral("3. Less   : Chq. Deposited but not Credited  : 6025.00")));
    EXPECT_TRUE(r.out.contains(QStringLiteral("4. Balance as per Bank Statement  : 31600.00")));
    EXPECT_EQ(books.db().scalar(QStringLiteral("SELECT COUNT(*) FROM HeadDtl3 WHERE IsReCon = 1")).toInt(), 1);

    // Cleared before it was issued: refused, the mark left as it was.
    const test::CliResult early = test::runCli({"--data", books.root(), "bank", "reconcile", "--book", "37", "--from", "01-05-2024", "--to",
                                                "31-05-2024", "--untick", "CHQ 000871"});
    ASSERT_EQ(early.exitCode, 0) << early.err.toStdString();
    const test::CliResult refused = test::runCli({"--data", books.root(), "bank", "reconcile", "--book", "37", "--from", "01-05-2024", "--to",
                                                  "31-05-2024", "--tick", "CHQ 104233", "--date", "09-05-2024"});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.err.contains(QStringLiteral("Clearing Date Should Not Be Before Cheque Date"))) << refused.err.toStdString();
    EXPECT_EQ(books.db().scalar(QStringLiteral("SELECT COUNT(*) FROM HeadDtl3 WHERE IsReCon = 1")).toInt(), 0);

    // The printed statement: both cheques outstanding under their headings.
    const test::CliResult printed = test::runCli({"--data", books.root(), "bank", "reconcile", "--book", "37", "--from", "01-05-2024", "--to",
                                                  "31-05-2024", "--out", path("reconcile.pdf")});
    ASSERT_EQ(printed.exitCode, 0) << printed.err.toStdString();
    test::keepForLooking(path("reconcile.pdf"));
    const QString text = test::pdfText(path("reconcile.pdf")).simplified();
    EXPECT_TRUE(text.contains(QStringLiteral("Bank : Bank Current A/c"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("1. Balance As Per Our Bank Book : 37625.00")));
    EXPECT_TRUE(text.contains(QStringLiteral("2. Add : Chq. Issued but not presented for Payment : 8,400.00")));
    EXPECT_TRUE(text.contains(QStringLiteral("3. Less : Chq. Deposited but not Credited : 6,025.00")));
    EXPECT_TRUE(text.contains(QStringLiteral("4. Balance as per Bank Statement : 40000.00")));
    EXPECT_TRUE(text.contains(QStringLiteral("CHQ 104233")));
}

TEST_F(AccountsCliTest, ImportStatementProposesAndAppliesTheMatches) {
    QFile file(path("may.csv"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Txn Date,Description,Cheque No,Debit,Credit\n"
               "12/05/2024,CLG SURESH,104233,,\"6,025.00\"\n"
               "17/05/2024,CHQ PAID,871,\"8,400.00\",\n");
    file.close();
    const QStringList common{"--data", books.root(), "bank", "import-statement", "--book", "37", "--from", "01-05-2024", "--to", "31-05-2024",
                             "--file", path("may.csv"), "--date-column", "Txn Date", "--narration-column", "Description",
                             "--cheque-column", "Cheque No", "--withdrawal-column", "Debit", "--deposit-column", "Credit"};
    const test::CliResult proposed = test::runCli(common);
    ASSERT_EQ(proposed.exitCode, 0) << proposed.err.toStdString();
    EXPECT_TRUE(proposed.out.contains(QStringLiteral("row 2  17-05-2024  8400.00  ->  CHQ 000871 Mahesh Yarn Agency of 15-05-2024 (cheque number and amount)")))
        << proposed.out.toStdString();
    EXPECT_TRUE(proposed.out.contains(QStringLiteral("2 of 2 statement rows matched")));
    EXPECT_EQ(books.db().scalar(QStringLiteral("SELECT COUNT(*) FROM HeadDtl3 WHERE IsReCon = 1")).toInt(), 0);

    QStringList apply = common;
    apply << "--apply";
    const test::CliResult applied = test::runCli(apply);
    ASSERT_EQ(applied.exitCode, 0) << applied.err.toStdString();
    EXPECT_TRUE(applied.out.contains(QStringLiteral("2 cheque(s) ticked")));
    EXPECT_EQ(books.db().scalar(QStringLiteral("SELECT COUNT(*) FROM HeadDtl3 WHERE IsReCon = 1")).toInt(), 2);

    // The column names were kept for the bank book: the next run reads the file without them
    // (both cheques are cleared now, so nothing more matches).
    const test::CliResult again = test::runCli({"--data", books.root(), "bank", "import-statement", "--book", "37", "--from", "01-05-2024",
                                                "--to", "31-05-2024", "--file", path("may.csv")});
    ASSERT_EQ(again.exitCode, 0) << again.err.toStdString();
    EXPECT_TRUE(again.out.contains(QStringLiteral("0 of 2 statement rows matched"))) << again.out.toStdString();

    // A file of other captions is refused naming the column looked for, nothing more ticked.
    QFile other(path("june.csv"));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.write("Value Dt,Remarks,Ref,Withdrawal,Deposit\n01/06/2024,CASH,,100.00,\n");
    other.close();
    const test::CliResult unknown = test::runCli({"--data", books.root(), "bank", "import-statement", "--book", "37", "--file", path("june.csv")});
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_TRUE(unknown.err.contains(QStringLiteral("The statement has no column \"Txn Date\""))) << unknown.err.toStdString();
    EXPECT_EQ(books.db().scalar(QStringLiteral("SELECT COUNT(*) FROM HeadDtl3 WHERE IsReCon = 1")).toInt(), 2);
}
