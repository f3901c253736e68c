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
