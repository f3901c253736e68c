// The mill and job-process challan tables as every year database carries them: a taka-wise
// issue with its takas and a receipt line pointing back at it round-trip on both engines
// (TANABANA_BOTH_ENGINES), and over-long texts are cut to the columns' widths.
#include "domain/jobwork/MillSchema.h"
#include "domain/schema/YearSchema.h"
#include "support/YearFixture.h"

#include <gtest/gtest.h>

using namespace tanabana;

namespace {

class MillTablesTest : public ::testing::Test {
protected:
    void SetUp() override {
        TANABANA_REQUIRE_ENGINE();
        year_ = std::make_unique<test::YearFixture>();
    }
    test::YearFixture& year() { return *year_; }
    std::unique_ptr<test::YearFixture> year_;
};

TEST_F(MillTablesTest, IssueAndReceiptOfATakaRoundTrip) {
    auto& db = year().db();
    db.exec(QStringLiteral("INSERT INTO JobWork_IssueMst_1 (Id, FirmNO, BookId, FormId, IType, ChNo, BillSrno, BillNO, BillDate, "
                           "PartyID, QId, Rate, ProcessName, PurPartyId, PurBillNo, PurDate, PurBillId) "
                           "VALUES (1, 1, 3, 16, 'I', 1, 1, 'M/1', ?, 41, 7, 2.5, 'Dyeing', 40, 'W-17', ?, 9)"),
            {QDate(2024, 6, 3), QDate(2024, 6, 1)});
    db.exec(QStringLiteral("INSERT INTO JobWork_IssueDtl_1 (BillMstId, Srno, TakaNO, Mtrs, Wt, Marka) VALUES (1, 1, '101', 100, 14.2, 'A')"));
    db.exec(QStringLiteral("INSERT INTO JobWork_IssueMst_1 (Id, FirmNO, BookId, FormId, IType, ChNo, BillDate, PartyID, LotNO, AGAINST) "
                           "VALUES (2, 1, 3, 17, 'R', 1, ?, 41, 'L-9', 'GP 4')"),
            {QDate(2024, 6, 20)});
    db.exec(QStringLiteral("INSERT INTO JobWork_IssueDtl_1 (BillMstId, Srno, TakaNO, Mtrs, RMtrs, RPCs, ShortLong, PRate, PAmt, "
                           "IsFinished, IssueChId, IssueChSno) VALUES (2, 1, '101', 100, 96.5, 3.5, 3.5, 2.5, 241.25, 1, 1, 1)"));

    const auto pending = db.queryOne(QStringLiteral(
        "SELECT i.TakaNO, i.Mtrs - i.RMtrs AS Pend, i.IsFinished, i.RPCs, m.IsOp, m.LotNO, m.InvType, m.BillAmount "
        "FROM JobWork_IssueDtl_1 i JOIN JobWork_IssueMst_1 m ON m.Id = i.BillMstId WHERE m.FormId = 16"));
    ASSERT_TRUE(pending);
    // New issue lines start pending at their full grey metres, with nothing received.
    EXPECT_EQ(pending->text(QStringLiteral("TakaNO")), QStringLiteral("101"));
    EXPECT_DOUBLE_EQ(pending->number(QStringLiteral("Pend")), 100.0);
    EXPECT_FALSE(pending->flag(QStringLiteral("IsFinished")));
    EXPECT_DOUBLE_EQ(pending->number(QStringLiteral("RPCs")), 0.0);
    EXPECT_FALSE(pending->flag(QStringLiteral("IsOp")));
    EXPECT_EQ(pending->text(QStringLiteral("LotNO")), QString());
    EXPECT_EQ(pending->text(QStringLiteral("InvType")), QStringLiteral("T"));

    const auto received = db.queryOne(QStringLiteral(
        "SELECT r.RMtrs, r.ShortLong, r.PAmt, i.Mtrs AS Grey, p.PurDate FROM JobWork_IssueDtl_1 r "
        "JOIN JobWork_IssueDtl_1 i ON i.BillMstId = r.IssueChId AND i.Srno = r.IssueChSno "
        "JOIN JobWork_IssueMst_1 p ON p.Id = i.BillMstId WHERE r.BillMstId = 2"));
    ASSERT_TRUE(received);
    EXPECT_DOUBLE_EQ(received->number(QStringLiteral("RMtrs")), 96.5);
    EXPECT_DOUBLE_EQ(received->number(QStringLiteral("Grey")), 100.0);
    EXPECT_DOUBLE_EQ(received->number(QStringLiteral("PAmt")), 241.25);
    EXPECT_EQ(received->date(QStringLiteral("PurDate")), QDate(2024, 6, 1));
}

TEST_F(MillTablesTest, JobProcessChallansKeepQualityLines) {
    auto& db = year().db();
    db.exec(QStringLiteral("INSERT INTO JobWork_IssueMst (Id, FirmNO, BookId, FormId, IType, ChNo, BillDate, PartyID, ProcessName) "
                           "VALUES (1, 1, 3, 14, 'I', 1, ?, 41, 'Printing')"),
            {QDate(2024, 7, 1)});
    db.exec(QStringLiteral("INSERT INTO JobWork_IssueDtl (BillMstId, Srno, PCode, Qty2, PQty, PRate, PAmt) VALUES (1, 1, 7, 12, 1150.5, 4, 4602)"));
    const auto line = db.queryOne(QStringLiteral("SELECT Qty2 - RPCs AS PendPcs, PQty - RMtrs AS PendMtrs, PM, IsFinished FROM JobWork_IssueDtl"));
    ASSERT_TRUE(line);
    EXPECT_DOUBLE_EQ(line->number(QStringLiteral("PendPcs")), 12.0);
    EXPECT_DOUBLE_EQ(line->number(QStringLiteral("PendMtrs")), 1150.5);
    EXPECT_EQ(line->text(QStringLiteral("PM")), QStringLiteral("M"));
    EXPECT_FALSE(line->flag(QStringLiteral("IsFinished")));
}

TEST_F(MillTablesTest, TextsAreCutToTheirColumns) {
    const auto& widths = schema::yearColumnWidths();
    EXPECT_EQ(widths.width(QStringLiteral("JobWork_IssueDtl_1"), QStringLiteral("TakaNO")), 20);
    EXPECT_EQ(widths.fit(QStringLiteral("JobWork_IssueMst_1"), QStringLiteral("LotNO"), QString(60, QLatin1Char('L'))).size(), 50);
    EXPECT_EQ(widths.width(QStringLiteral("JobWork_IssueMst"), QStringLiteral("ProcessName")), 100);
}

}  // namespace
