// Purchase challans: fabric received before the bill, saved without tax or journal; the amount
// from pieces or metres, a second challan of one number refused, deletes leaving a history row.
// Runs on both engines (TANABANA_BOTH_ENGINES).
#include "domain/trade/PurchaseChallans.h"
#include "support/FirmBooks.h"
#include "support/YearFixture.h"
#include "support/Amounts.h"

#include <gtest/gtest.h>

using namespace tanabana;
using namespace tanabana::trade;

namespace {

class PurchaseChallanTest : public ::testing::Test {
protected:
    void SetUp() override {
        TANABANA_REQUIRE_ENGINE();
        year_ = std::make_unique<test::YearFixture>();
        test::seedDefaultChart(year().db());
        weaver = test::addAccount(year().db(), QStringLiteral("Laxmi Weaving Works"), 76);
        year().db().exec(QStringLiteral("INSERT INTO ProdMst (Id, ProdCode, ProdName, StkType, CalcOn, IsActive, IsNewPro, FirmNO) "
                                        "VALUES (201, '201', 'Rapier 60 Grey', 'F', 1, 1, 0, 1)"));
    }

    PurchaseChallan challan(const QString& no = QStringLiteral("CH-41")) {
        PurchaseChallan c;
        c.bookId = 2;
        c.challanNo = no;
        c.date = QDate(2024, 6, 1);
        c.partyId = weaver;
        c.invoiceType = QStringLiteral("Retail Invoice");
        c.lines = {{201, d("4"), d("0"), d("398.5"), QStringLiteral("M"), d("52")}, {201, d("12"), d("5.5"), d("66"), QStringLiteral("P"), d("310")}};
        return c;
    }

    test::YearFixture& year() { return *year_; }
    std::unique_ptr<test::YearFixture> year_;
    qint64 weaver = 0;
};

TEST_F(PurchaseChallanTest, SavedWithoutTaxOrJournalAndOpenedAgain) {
    PurchaseChallans s(year().db(), year().session, year().messages);
    PurchaseChallan c = challan();
    EXPECT_EQ(PurchaseChallans::amount(c), d("24442"));  // 20,722.00 + 12 pieces at 310
    const auto id = s.save(c);
    ASSERT_TRUE(id);
    const auto h = year().db().queryOne(QStringLiteral("SELECT * FROM BillMSt_Ch WHERE Id = ?"), {*id});
    EXPECT_DOUBLE_EQ(h->number(QStringLiteral("BillAmount")), 24442.0);
    EXPECT_EQ(h->text(QStringLiteral("InvType")), QStringLiteral("R"));
    EXPECT_EQ(year().count(QStringLiteral("BillDtl_Ch"), QStringLiteral("BillMStId = ?"), {*id}), 2);
    EXPECT_EQ(year().count(QStringLiteral("HeadDtl3")), 0);

    PurchaseChallan again = *s.load(*id);
    ASSERT_EQ(again.lines.size(), 2u);
    EXPECT_EQ(again.lines[1].rateOn, QStringLiteral("P"));
    again.lines.pop_back();
    ASSERT_EQ(s.save(again), id);
    EXPECT_DOUBLE_EQ(year().db().scalar(QStringLiteral("SELECT BillAmount FROM BillMSt_Ch WHERE Id = ?"), {*id}).toDouble(), 20722.0);
    EXPECT_EQ(s.challanOfParty(weaver, QStringLiteral("CH-41")), id);

    PurchaseChallan second = challan();
    EXPECT_FALSE(s.save(second));
    EXPECT_TRUE(year().messages.has(MessageKind::Critical, QStringLiteral("Bill NO Duplication"), QStringLiteral("This Chalan NO is Already exist!")));
    PurchaseChallan noLines = challan(QStringLiteral("CH-42"));
    noLines.lines.clear();
    EXPECT_FALSE(s.save(noLines));
    EXPECT_TRUE(year().messages.has(MessageKind::Critical, QStringLiteral("System Validation"),
                                    QStringLiteral("Please Select Distributor NAme and Enter Invoice No")));
    PurchaseChallan longNumber = challan(QString(51, QLatin1Char('7')));
    EXPECT_FALSE(s.save(longNumber));
    EXPECT_TRUE(year().messages.has(MessageKind::Critical, QStringLiteral("Text Too Long"),
                                    QStringLiteral("Pur. Ch. No is longer than 50 characters. Please shorten it.")));
    EXPECT_EQ(year().count(QStringLiteral("BillMSt_Ch")), 1);
    year().session.firm.insert(QStringLiteral("IsYrEnd"), 1);
    EXPECT_FALSE(s.remove(*id));
    EXPECT_EQ(year().messages.last().title, QStringLiteral("Year End Done"));
    year().session.firm.insert(QStringLiteral("IsYrEnd"), 0);

    EXPECT_TRUE(s.remove(*id));
    EXPECT_EQ(year().count(QStringLiteral("BillMSt_Ch")), 0);
    EXPECT_EQ(year().count(QStringLiteral("BillDtl_Ch")), 0);
    EXPECT_EQ(year().count(QStringLiteral("Table_Del_History"), QStringLiteral("Id = ? AND FormId = 31"), {*id}), 1);
}

}  // namespace
