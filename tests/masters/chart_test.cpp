// The chart a firm starts with, on both engines (TANABANA_BOTH_ENGINES): groups on their fixed
// numbers, ledger codes by series, default books pointing at the right accounts, a second firm
// receiving its own chart and firm 1's books re-pointed to its own accounts.
#include "domain/masters/DefaultChart.h"
#include "domain/masters/FirmChart.h"
#include "domain/masters/LedgerCode.h"
#include "support/FirmBooks.h"
#include "support/YearFixture.h"

#include <gtest/gtest.h>

using namespace tanabana;
namespace chart = tanabana::masters::chart;

namespace {

class ChartTest : public ::testing::Test {
protected:
    void SetUp() override {
        TANABANA_REQUIRE_ENGINE();
        year = std::make_unique<test::YearFixture>();
    }
    db::Database& db() { return year->db(); }
    std::unique_ptr<test::YearFixture> year;
};

}  // namespace

TEST_F(ChartTest, FirstFirmGetsGroupsLedgersAndBooksToBillOnDayOne) {
    test::seedDefaultChart(db());
    // the groups the statements and screens rely on
    for (int group : {1, 2, 35, 36, 72, 73, 76})
        EXPECT_EQ(year->count(QStringLiteral("AccMst"), QStringLiteral("IsGrp = 1 AND GrpNo = ? AND FirmNo = 1"), {group}), 1)
            << group;
    auto code = [&](const QString& name) {
        return db().scalar(QStringLiteral("SELECT LedgerId FROM AccMst WHERE AcName = ? AND FirmNo = 1"), {name}).toString();
    };
    EXPECT_EQ(code(QStringLiteral("Sundry Debtors")), QStringLiteral("350000"));
    EXPECT_EQ(code(chart::Sales), QStringLiteral("01S001"));
    EXPECT_EQ(code(chart::Cash), QStringLiteral("37C001"));
    EXPECT_EQ(code(chart::OutputIgst), QStringLiteral("78O001"));
    EXPECT_EQ(code(chart::OutputSgst), QStringLiteral("78O002"));

    // the sales book posts to the sales account and the output taxes; the cash book is number 36
    auto sales = db().queryOne(QStringLiteral("SELECT * FROM BookMst WHERE BookNO = 1 AND FirmNO = 1"));
    ASSERT_TRUE(sales);
    EXPECT_EQ(sales->text(QStringLiteral("BookType")), QStringLiteral("S"));
    EXPECT_EQ(sales->integer(QStringLiteral("SaleId")), test::accountId(db(), chart::Sales));
    EXPECT_EQ(sales->integer(QStringLiteral("A1")), test::accountId(db(), chart::OutputIgst));
    EXPECT_EQ(sales->integer(QStringLiteral("A3")), test::accountId(db(), chart::OutputCgst));
    auto cash = db().queryOne(QStringLiteral("SELECT * FROM BookMst WHERE BookNO = 36 AND FirmNO = 1"));
    ASSERT_TRUE(cash);
    EXPECT_EQ(cash->text(QStringLiteral("BookType")), QStringLiteral("C"));
    EXPECT_EQ(cash->integer(QStringLiteral("PurAccId")), test::accountId(db(), chart::Cash));
    auto purchase = db().queryOne(QStringLiteral("SELECT * FROM BookMst WHERE BookNO = 2 AND FirmNO = 1"));
    ASSERT_TRUE(purchase);
    EXPECT_EQ(purchase->integer(QStringLiteral("A2_P")), test::accountId(db(), chart::RcmPayableSgst));
    EXPECT_EQ(purchase->integer(QStringLiteral("TDS_Id")), test::accountId(db(), chart::TdsPayable));
}

TEST_F(ChartTest, LedgerCodesNumberOnWithinTheirSeriesAndViewsReadThem) {
    test::seedDefaultChart(db());
    EXPECT_EQ(masters::nextLedgerCode(db(), 1, QStringLiteral("35R")), QStringLiteral("35R001"));
    const qint64 ramesh = test::addAccount(db(), QStringLiteral("Ramesh Silk Mills"), 35);
    test::addAccount(db(), QStringLiteral("rajlaxmi fabrics"), 35);
    EXPECT_EQ(masters::nextLedgerCode(db(), 1, QStringLiteral("35R")), QStringLiteral("35R003"));
    // another firm's series is its own
    EXPECT_EQ(masters::nextLedgerCode(db(), 2, QStringLiteral("35R")), QStringLiteral("35R001"));
    auto op = db().queryOne(QStringLiteral("SELECT * FROM AccMStView_op WHERE Id = ?"), {ramesh});
    ASSERT_TRUE(op);
    EXPECT_EQ(op->text(QStringLiteral("GrpName")), QStringLiteral("Sundry Debtors"));
    EXPECT_DOUBLE_EQ(op->number(QStringLiteral("OpAmount")), 0.0);
}

TEST_F(ChartTest, SecondFirmGetsItsOwnChartAndFirmOnesBooksRepointed) {
    test::seedDefaultChart(db());
    test::seedDefaultChart(db(), 2);
    const int firmOneRows = year->count(QStringLiteral("AccMst"), QStringLiteral("FirmNo = 1"));
    EXPECT_EQ(year->count(QStringLiteral("AccMst"), QStringLiteral("FirmNo = 2")), firmOneRows);
    EXPECT_EQ(year->count(QStringLiteral("BookMst"), QStringLiteral("FirmNO = 2")),
              year->count(QStringLiteral("BookMst"), QStringLiteral("FirmNO = 1")));
    const qint64 secondSales = test::accountId(db(), chart::Sales, 2);
    EXPECT_NE(secondSales, test::accountId(db(), chart::Sales, 1));
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT SaleId FROM BookMst WHERE BookNO = 1 AND FirmNO = 2")).toLongLong(), secondSales);
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT PurAccId FROM BookMst WHERE BookNO = 36 AND FirmNO = 2")).toLongLong(),
              test::accountId(db(), chart::Cash, 2));
}
