// GSTR-3B of July 2024 worked out from the books of the Surat firm (TANABANA_BOTH_ENGINES): its
// sales of GstFirm (and one to a composition dealer of Madhya Pradesh) and a month of buying — a weaver's and a Mumbai supplier's goods with GST, a
// transporter's freight under reverse charge, nil-rated grey, an electricity bill outside GST, a
// composition dealer's bill and a bill kept out of the returns — checked table by table.
#include "domain/gst/Gstr3b.h"
#include "support/FirmBooks.h"
#include "support/GstBuyingFirm.h"
#include "support/YearFixture.h"
#include "support/QtPrinting.h"

#include <gtest/gtest.h>

using namespace tanabana;
using namespace tanabana::gst;

namespace {

class Gstr3bTest : public ::testing::Test {
protected:
    void SetUp() override {
        TANABANA_REQUIRE_ENGINE();
        year_ = std::make_unique<test::YearFixture>();
        firm_ = std::make_unique<test::GstBuyingFirm>(year_->db(), year_->session, year_->messages);
        firm_->build();
        ASSERT_FALSE(HasFailure());
        auto& db = year_->db();
        // A registered composition dealer of another state buys too: 10 m @ 105 with IGST 5%.
        const qint64 indore = test::addAccount(db, QStringLiteral("Indore Cloth Traders"), 35, 1, QStringLiteral("23-Madhya Pradesh"),
                                               QStringLiteral("23AAKFI2468C1ZM"));
        db.exec(QStringLiteral("UPDATE AccMst SET EcNo = '1', IsOGS = 1 WHERE Id = ?"), {indore});
        firm_->sell(1, QStringLiteral("108"), QDate(2024, 7, 8), indore, {{test::SellingFirm::kRapier, "10", "105"}});
        ASSERT_FALSE(HasFailure());
    }
    static QString figures(const Gstr3bLine* l) {
        if (!l) return QStringLiteral("missing");
        return QStringList{l->taxable.toString(2), l->igst.toString(2), l->cgst.toString(2), l->sgst.toString(2)}.join(QLatin1Char('|'));
    }

    std::unique_ptr<test::YearFixture> year_;
    std::unique_ptr<test::GstBuyingFirm> firm_;
};

TEST_F(Gstr3bTest, JulyFiguresTableByTable) {
    const Gstr3b r = Gstr3bService(year_->db(), year_->session).compute(*ReturnPeriod::month(QStringLiteral("07-2024")));
    // 3.1: the taxed sales of the month; the export zero rated; the nil-rated Khadi; the freight
    // under reverse charge. Non-GST outward supplies are not kept.
    EXPECT_EQ(figures(r.line("3.1(a)")), "813740.38|23912.02|8737.50|8737.50");
    EXPECT_EQ(figures(r.line("3.1(b)")), "315000.00|15750.00|0.00|0.00");
    EXPECT_EQ(figures(r.line("3.1(c)")), "5000.00|0.00|0.00|0.00");
    EXPECT_EQ(figures(r.line("3.1(d)")), "10000.00|0.00|250.00|250.00");
    EXPECT_EQ(figures(r.line("3.1(e)")), "0.00|0.00|0.00|0.00");
    EXPECT_EQ(r.line("3.1(a)")->description, "Outward taxable supplies (other than zero rated, nil rated and exempted)");

    // 3.2: the unregistered Jaipur buyer and the composition dealer of Indore; Delhi Textiles is
    // registered (and no composition dealer) and the export is no supply to a state.
    ASSERT_EQ(r.interState.size(), 2u);
    EXPECT_EQ(r.interState[0].placeOfSupply, "08-Rajasthan");
    EXPECT_EQ(r.interState[0].unregisteredTaxable.toString(2), "476190.48");
    EXPECT_EQ(r.interState[0].unregisteredIgst.toString(2), "23809.52");
    EXPECT_TRUE(r.interState[0].compositionTaxable.isZero());
    EXPECT_EQ(r.interState[1].placeOfSupply, "23-Madhya Pradesh");
    EXPECT_TRUE(r.interState[1].unregisteredTaxable.isZero());
    EXPECT_EQ(r.interState[1].compositionTaxable.toString(2), "1050.00");
    EXPECT_EQ(r.interState[1].compositionIgst.toString(2), "52.50");

    // 4: the freight's tax as reverse-charge credit, the two goods bills as all other credit; the
    // bill kept out of the returns adds nothing.
    EXPECT_EQ(figures(r.line("4(A)(3)")), "0.00|0.00|250.00|250.00");
    EXPECT_EQ(figures(r.line("4(A)(5)")), "0.00|250.00|250.00|250.00");
    EXPECT_EQ(figures(r.line("4(C)")), "0.00|250.00|500.00|500.00");
    EXPECT_EQ(figures(r.line("4(A)(1)")), "0.00|0.00|0.00|0.00");

    // 5: nil-rated grey and the composition dealer's bill together; electricity outside GST.
    ASSERT_EQ(r.exemptInward.size(), 2u);
    EXPECT_EQ(r.exemptInward[0].description, "From a supplier under composition scheme, Exempt and Nil rated supply");
    EXPECT_EQ(r.exemptInward[0].intraState.toString(2), "3500.00");
    EXPECT_TRUE(r.exemptInward[0].interState.isZero());
    EXPECT_EQ(r.exemptInward[1].description, "Non GST supply");
    EXPECT_EQ(r.exemptInward[1].intraState.toString(2), "3000.00");
}

TEST_F(Gstr3bTest, AnEmptyMonthHasEveryTableAtNil) {
    const Gstr3b r = Gstr3bService(year_->db(), year_->session).compute(*ReturnPeriod::month(QStringLiteral("06-2024")));
    EXPECT_EQ(r.outward.size(), 5u);
    EXPECT_EQ(r.inputCredit.size(), 8u);
    for (const auto* lines : {&r.outward, &r.inputCredit})
        for (const Gstr3bLine& l : *lines) EXPECT_EQ(figures(&l), "0.00|0.00|0.00|0.00") << l.table.toStdString();
    EXPECT_TRUE(r.interState.empty());
    EXPECT_THROW(Gstr3bService(year_->db(), year_->session).compute(*ReturnPeriod::month(QStringLiteral("03-2024"))), GstError);
}

}  // namespace
