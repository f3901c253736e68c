// Where every taka of the April firm is: bought takas in the godown, at the mill and back as
// finished cloth; woven takas in the godown, on a delivery challan and sold once a bill takes
// the challan; a taka carried in at the mill from last year; the view on an earlier date; search
// by the beginning of a taka number; the printed register. Runs on both engines
// (TANABANA_BOTH_ENGINES).
#include "domain/reports/ReportError.h"
#include "domain/stock/TakaTrail.h"
#include "support/PdfProbe.h"
#include "support/StockFirm.h"
#include "support/YearFixture.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tanabana;
using namespace tanabana::stock;

namespace {

class TakaTrailTest : public ::testing::Test {
protected:
    void SetUp() override {
        TANABANA_REQUIRE_ENGINE();
        year_ = std::make_unique<test::YearFixture>();
        firm_ = std::make_unique<test::StockFirm>(year_->db(), year_->session, year_->messages);
        firm_->build();
        ASSERT_FALSE(HasFailure());
    }

    std::vector<TakaPlace> places(const QDate& on, const QString& taka = {}, bool atMill = false) {
        return takaPlaces(year_->db(), 1, {on, taka, atMill});
    }
    static const TakaPlace* find(const std::vector<TakaPlace>& all, const QString& taka) {
        for (const TakaPlace& t : all)
            if (t.takaNo == taka) return &t;
        return nullptr;
    }
    static QStringList numbers(const std::vector<TakaPlace>& all) {
        QStringList out;
        for (const TakaPlace& t : all) out << t.takaNo;
        return out;
    }

    std::unique_ptr<test::YearFixture> year_;
    std::unique_ptr<test::StockFirm> firm_;
};

TEST_F(TakaTrailTest, EveryTakaInItsPlaceAtTheEndOfApril) {
    const auto all = places(QDate(2024, 4, 30));
    EXPECT_EQ(numbers(all), (QStringList{QStringLiteral("0999"), QStringLiteral("1001"), QStringLiteral("1002"), QStringLiteral("1003"),
                                         QStringLiteral("1004"), QStringLiteral("2001"), QStringLiteral("2002"), QStringLiteral("2003")}));

    const TakaPlace* back = find(all, QStringLiteral("1001"));
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(stateText(back->state), QStringLiteral("Received"));
    EXPECT_EQ(back->place, QStringLiteral("Laxmi Dyeing Mill"));
    EXPECT_EQ(back->since, QDate(2024, 4, 29));
    EXPECT_EQ(back->finishedMetres.toString(2), QStringLiteral("12.00"));
    EXPECT_EQ(back->finishedQuality, QStringLiteral("Rapier 60 Red"));
    EXPECT_EQ(back->lotNo, QStringLiteral("L-7"));
    EXPECT_EQ(back->document, QStringLiteral("LW/12"));
    EXPECT_EQ(back->supplier, QStringLiteral("Mahesh Looms"));
    EXPECT_EQ(back->quality, QStringLiteral("Rapier 60 Grey"));

    const TakaPlace* atMill = find(all, QStringLiteral("1002"));
    ASSERT_NE(atMill, nullptr);
    EXPECT_EQ(atMill->state, TakaState::AtMill);
    EXPECT_EQ(atMill->since, QDate(2024, 4, 28));
    EXPECT_EQ(atMill->days, 2);

    const TakaPlace* godown = find(all, QStringLiteral("1004"));
    ASSERT_NE(godown, nullptr);
    EXPECT_EQ(godown->state, TakaState::InGodown);
    EXPECT_EQ(godown->metres.toString(2), QStringLiteral("12.50"));
    EXPECT_EQ(godown->days, 20);

    const TakaPlace* carried = find(all, QStringLiteral("0999"));
    ASSERT_NE(carried, nullptr);
    EXPECT_EQ(carried->state, TakaState::AtMill);
    EXPECT_EQ(carried->days, 29);

    const TakaPlace* woven = find(all, QStringLiteral("2001"));
    ASSERT_NE(woven, nullptr);
    EXPECT_TRUE(woven->woven);
    EXPECT_EQ(woven->state, TakaState::InGodown);
    const TakaPlace* sent = find(all, QStringLiteral("2002"));
    ASSERT_NE(sent, nullptr);
    EXPECT_EQ(stateText(sent->state), QStringLiteral("On Challan"));
    EXPECT_EQ(sent->place, QStringLiteral("Ramesh Silk Mills"));
    EXPECT_EQ(sent->since, QDate(2024, 4, 27));
}

TEST_F(TakaTrailTest, AnEarlierDateSeesOnlyWhatHadHappened) {
    const auto before = places(QDate(2024, 4, 27));
    EXPECT_EQ(find(before, QStringLiteral("1001"))->state, TakaState::InGodown);
    EXPECT_EQ(find(before, QStringLiteral("1002"))->state, TakaState::InGodown);
    EXPECT_EQ(find(before, QStringLiteral("2002"))->state, TakaState::OnChallan);
    EXPECT_EQ(find(places(QDate(2024, 4, 28)), QStringLiteral("1001"))->state, TakaState::AtMill);
    EXPECT_TRUE(places(QDate(2024, 4, 9), QStringLiteral("100")).empty());  // not yet bought
}

TEST_F(TakaTrailTest, SearchByNumberAndTheMillsList) {
    EXPECT_EQ(numbers(places(QDate(2024, 4, 30), QStringLiteral("100"))),
              (QStringList{QStringLiteral("1001"), QStringLiteral("1002"), QStringLiteral("1003"), QStringLiteral("1004")}));
    EXPECT_EQ(numbers(places(QDate(2024, 4, 30), QStringLiteral("2002"))), QStringList{QStringLiteral("2002")});
    EXPECT_EQ(numbers(places(QDate(2024, 4, 30), {}, true)), (QStringList{QStringLiteral("0999"), QStringLiteral("1002")}));
    EXPECT_TRUE(places(QDate(2024, 4, 30), QStringLiteral("7'; DROP TABLE ProdMst; --")).empty());
}

TEST_F(TakaTrailTest, ABillTakingTheChallanSellsTheTaka) {
    firm_->sale(QStringLiteral("9"), QDate(2024, 5, 2), test::StockFirm::kSaree, "4", "1120", true, firm_->challan);
    EXPECT_EQ(find(places(QDate(2024, 4, 30)), QStringLiteral("2002"))->state, TakaState::OnChallan);
    EXPECT_EQ(stateText(find(places(QDate(2024, 5, 2)), QStringLiteral("2002"))->state), QStringLiteral("Sold"));
}

TEST_F(TakaTrailTest, PrintedAsARegister) {
    reports::RegisterChoice choice;
    choice.from = QDate(2024, 4, 1);
    choice.to = QDate(2024, 4, 30);
    const reports::Registers registers(year_->db(), year_->session, year_->folder());
    const auto r = registers.run(takaRegister(QStringLiteral("100")), choice);
    EXPECT_EQ(r.title, QStringLiteral("Where Is Every Taka As On 30-04-2024"));
    EXPECT_EQ(r.filters, QStringLiteral("Taka No : 100"));
    EXPECT_EQ(r.total(QStringLiteral("Mtrs")).toString(2), QStringLiteral("50.00"));
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("takas.pdf"));
    registers.writePdf(r, pdf);
    const QString text = test::pdfText(pdf);
    EXPECT_TRUE(text.contains(QStringLiteral("Where Is Every Taka As On 30-04-2024"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Laxmi Dyeing Mill")));
    EXPECT_TRUE(text.contains(QStringLiteral("At Mill")));

    choice.to = QDate(2025, 4, 2);
    EXPECT_THROW(registers.run(takaRegister(), choice), reports::ReportError);
}

}  // namespace
