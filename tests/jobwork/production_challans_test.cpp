// Production challans: taka numbering, duplicates across books, and the takas that already went
// out on a delivery challan. Runs on both engines (TANABANA_BOTH_ENGINES).
#include "domain/jobwork/ProductionChallans.h"
#include "support/YearFixture.h"
#include "support/Amounts.h"

#include <gtest/gtest.h>

using namespace tanabana;
using namespace tanabana::jobwork;

namespace {

class ProductionChallanTest : public ::testing::Test {
protected:
    // The year database is made only once the engine of this run is known to be there.
    void SetUp() override {
        TANABANA_REQUIRE_ENGINE();
        year_ = std::make_unique<test::YearFixture>();
    }

    ProductionChallans service() { return ProductionChallans(year().db(), year().session, year().messages); }

    ProductionChallan challan(qint64 book, const QString& no, const QDate& date, const QStringList& takas) {
        ProductionChallan c;
        c.bookNo = book;
        c.challanNo = no;
        c.date = date;
        c.partyId = 40;
        c.prodType = QStringLiteral("O");
        int loom = 1;
        for (const QString& t : takas)
            c.takas.push_back({t, d("4"), d("5.5"), d("22.250"), QStringLiteral("L") + QString::number(loom++), 7});
        return c;
    }

    QVariant takaValue(const QString& taka, const QString& column) {
        return year().db().scalar(QStringLiteral("SELECT %1 FROM ProductionDtl WHERE TakaNO = ?").arg(column), {taka});
    }

    test::YearFixture& year() { return *year_; }
    std::unique_ptr<test::YearFixture> year_;
};

TEST_F(ProductionChallanTest, NumbersRunOnByNumericValue) {
    auto s = service();
    EXPECT_EQ(s.nextChallanNo(1), QStringLiteral("1"));
    EXPECT_EQ(s.nextTakaNo(), QStringLiteral("1"));
    auto first = challan(1, QStringLiteral("1"), QDate(2024, 6, 5), {QStringLiteral("8"), QStringLiteral("9"), QStringLiteral("10")});
    ASSERT_TRUE(s.save(first));
    EXPECT_TRUE(year().messages.has(MessageKind::Information, QStringLiteral("SAVE Confirmation"), QStringLiteral("One Transaction Is Saved.")));
    // "10" is the highest by value although "9" sorts last as text.
    EXPECT_EQ(s.nextTakaNo(), QStringLiteral("11"));
    EXPECT_EQ(s.nextChallanNo(1), QStringLiteral("2"));
    EXPECT_EQ(s.nextChallanNo(2), QStringLiteral("1"));

    const auto row = year().db().queryOne(QStringLiteral("SELECT TotTaka, TotMtrs, TOtPcs, FirmNo FROM ProductionMst WHERE Id = ?"), {first.id});
    ASSERT_TRUE(row);
    EXPECT_EQ(row->integer(QStringLiteral("TotTaka")), 3);
    EXPECT_DOUBLE_EQ(row->number(QStringLiteral("TotMtrs")), 66.75);
    EXPECT_EQ(row->integer(QStringLiteral("TOtPcs")), 12);
    EXPECT_EQ(takaValue(QStringLiteral("10"), QStringLiteral("TakNo2")).toInt(), 10);
    EXPECT_EQ(takaValue(QStringLiteral("10"), QStringLiteral("F_no")).toInt(), 1);
    EXPECT_EQ(takaValue(QStringLiteral("10"), QStringLiteral("Srno")).toInt(), 3);
}

TEST_F(ProductionChallanTest, DuplicateTakaIsFoundByTextInEveryBook) {
    auto s = service();
    auto first = challan(1, QStringLiteral("12"), QDate(2024, 6, 5), {QStringLiteral("101"), QStringLiteral("102")});
    ASSERT_TRUE(s.save(first));
    year().messages.clear();

    auto other = challan(2, QStringLiteral("1"), QDate(2024, 6, 9), {QStringLiteral("103"), QStringLiteral("101")});
    EXPECT_FALSE(s.save(other));
    EXPECT_TRUE(year().messages.has(MessageKind::Critical, QStringLiteral("Taka Duplication"),
                                  QStringLiteral("Chalan NO 12 == >> On Date05-06-2024")));
    EXPECT_EQ(year().count(QStringLiteral("ProductionMst")), 1);
    EXPECT_EQ(year().count(QStringLiteral("ProductionDtl")), 2);

    EXPECT_FALSE(s.takaIsFree(QStringLiteral("102")));
    EXPECT_TRUE(s.takaIsFree(QStringLiteral("102"), first.id));  // its own challan being edited
    EXPECT_TRUE(s.takaIsFree(QStringLiteral("0101")));            // text, not value
    // Another firm keeps its own taka numbers.
    year().session.firmNo = 2;
    EXPECT_TRUE(s.takaIsFree(QStringLiteral("101")));
}

TEST_F(ProductionChallanTest, RefusalsWriteNothing) {
    auto s = service();
    auto noParty = challan(1, QStringLiteral("1"), QDate(2024, 6, 5), {QStringLiteral("1")});
    noParty.partyId = 0;
    EXPECT_FALSE(s.save(noParty));
    EXPECT_TRUE(year().messages.has(MessageKind::Critical, QStringLiteral("System Validation"),
                                  QStringLiteral("Please Select Party NAme and Quality")));
    auto twice = challan(1, QStringLiteral("1"), QDate(2024, 6, 5), {QStringLiteral("7"), QStringLiteral("7")});
    EXPECT_FALSE(s.save(twice));
    year().session.firm.insert(QStringLiteral("IsYrEnd"), 1);
    auto closed = challan(1, QStringLiteral("1"), QDate(2024, 6, 5), {QStringLiteral("1")});
    EXPECT_FALSE(s.save(closed));
    EXPECT_TRUE(year().messages.has(MessageKind::Critical, QStringLiteral("Year End Done"),
                                  QStringLiteral("Year End Is Completed! \n You Can't Modify/Delete")));
    EXPECT_EQ(year().count(QStringLiteral("ProductionMst")), 0);
    EXPECT_EQ(year().count(QStringLiteral("ProductionDtl")), 0);
}

TEST_F(ProductionChallanTest, UsedTakaSurvivesAnEditAndBlocksTheDelete) {
    auto s = service();
    auto c = challan(1, QStringLiteral("3"), QDate(2024, 7, 1), {QStringLiteral("201"), QStringLiteral("202"), QStringLiteral("203")});
    ASSERT_TRUE(s.save(c));
    // Taka 201 leaves on a delivery challan.
    year().db().exec(QStringLiteral("UPDATE ProductionDtl SET IsOver = 1 WHERE TakaNO = '201'"));

    auto edited = *s.load(c.id);
    ASSERT_EQ(edited.takas.size(), 3u);
    EXPECT_TRUE(edited.takas[0].used);
    for (auto& t : edited.takas) t.metres = d("30");
    edited.takas.erase(edited.takas.begin() + 1);  // 202 removed
    edited.takas.insert(edited.takas.begin(), {QStringLiteral("204"), d("2"), d("6"), d("12"), QStringLiteral("L9"), 7});
    ASSERT_TRUE(s.save(edited));

    EXPECT_DOUBLE_EQ(takaValue(QStringLiteral("201"), QStringLiteral("Mtrs")).toDouble(), 22.25);  // kept as it left
    EXPECT_EQ(takaValue(QStringLiteral("201"), QStringLiteral("Srno")).toInt(), 2);
    EXPECT_DOUBLE_EQ(takaValue(QStringLiteral("203"), QStringLiteral("Mtrs")).toDouble(), 30.0);
    EXPECT_EQ(takaValue(QStringLiteral("204"), QStringLiteral("Srno")).toInt(), 1);
    EXPECT_FALSE(takaValue(QStringLiteral("202"), QStringLiteral("Srno")).isValid());
    EXPECT_EQ(year().count(QStringLiteral("ProductionDtl"), QStringLiteral("ProdId = ?"), {c.id}), 3);

    year().messages.clear();
    EXPECT_FALSE(s.remove(c.id));
    EXPECT_TRUE(year().messages.has(MessageKind::Critical, QStringLiteral("No Delete"), QStringLiteral("Issued In Delivery Chalan")));
    EXPECT_EQ(year().count(QStringLiteral("ProductionMst")), 1);
}

TEST_F(ProductionChallanTest, DeleteAsksFirst) {
    auto s = service();
    auto c = challan(1, QStringLiteral("4"), QDate(2024, 7, 2), {QStringLiteral("301")});
    ASSERT_TRUE(s.save(c));
    year().messages.answerNext(false);
    EXPECT_FALSE(s.remove(c.id));
    EXPECT_EQ(year().count(QStringLiteral("ProductionDtl")), 1);
    year().messages.answerNext(true);
    EXPECT_TRUE(s.remove(c.id));
    EXPECT_TRUE(year().messages.has(MessageKind::Question, QStringLiteral("Delete Confirmation"),
                                  QStringLiteral("Are You Sure To Delete This Production Challan")));
    EXPECT_EQ(year().count(QStringLiteral("ProductionMst")), 0);
    EXPECT_EQ(year().count(QStringLiteral("ProductionDtl")), 0);
    EXPECT_EQ(s.nextTakaNo(), QStringLiteral("1"));
}

}  // namespace
