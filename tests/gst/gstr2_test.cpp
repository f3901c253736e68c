// GSTR-2 of July 2024 from the purchase books of the Surat firm (TANABANA_BOTH_ENGINES): the
// Mumbai supplier's IGST bill in B2B, the weaver's and the transporter's bills in B2BUR, the
// nil-rated grey, the composition dealer's and the electricity bill in the exempt table, the HSN
// summary of the goods, the bill kept out of the returns nowhere, and the choice of matched or
// unmatched bills.
#include "domain/gst/Gstr2.h"
#include "support/GstBuyingFirm.h"
#include "support/YearFixture.h"
#include "support/QtPrinting.h"

#include <gtest/gtest.h>

using namespace tanabana;
using namespace tanabana::gst;

namespace {

class Gstr2Test : public ::testing::Test {
protected:
    void SetUp() override {
        TANABANA_REQUIRE_ENGINE();
        year_ = std::make_unique<test::YearFixture>();
        firm_ = std::make_unique<test::GstBuyingFirm>(year_->db(), year_->session, year_->messages);
        firm_->build();
        ASSERT_FALSE(HasFailure());
    }
    Gstr2 july(PortalMatchFilter filter = PortalMatchFilter::All) {
        return Gstr2Service(year_->db(), year_->session).compute(*ReturnPeriod::month(QStringLiteral("07-2024")), filter);
    }
    static QStringList joined(const std::vector<QStringList>& rows) {
        QStringList out;
        for (const QStringList& r : rows) out << r.join(QLatin1Char(','));
        return out;
    }

    std::unique_ptr<test::YearFixture> year_;
    std::unique_ptr<test::GstBuyingFirm> firm_;
};

TEST_F(Gstr2Test, JulySectionBySection) {
    const Gstr2 r = july();
    // Registered supplier with tax: the Mumbai bill, IGST, credit equal to the tax.
    EXPECT_EQ(joined(gstr2Rows(r, QStringLiteral("B2B"))),
              (QStringList{"27AABCM9876C1Z7,MY/55,10-Jul-2024,5250.00,24-Gujarat,N,Regular,5,5000.00,250.00,0.00,0.00,0.00,Inputs,"
                           "250.00,0.00,0.00,0.00"}));
    // Unregistered suppliers: the weaver within the state, the transporter's freight under reverse charge.
    EXPECT_EQ(joined(gstr2Rows(r, QStringLiteral("B2BUR"))),
              (QStringList{"Mahesh Looms,LW/118,10-Jul-2024,10500.00,24-Gujarat,Intra State,5,10000.00,0.00,250.00,250.00,0.00,Inputs,"
                           "0.00,250.00,250.00,0.00",
                           "Shree Ganesh Roadways,GT/311,12-Jul-2024,10000.00,24-Gujarat,Intra State,5,10000.00,0.00,250.00,250.00,0.00,"
                           "Inputs,0.00,250.00,250.00,0.00"}));
    ASSERT_EQ(r.b2bur.size(), 2u);
    EXPECT_TRUE(r.b2bur[1].reverseCharge);
    EXPECT_FALSE(r.b2bur[0].reverseCharge);
    EXPECT_EQ(r.b2bSummary.invoices, 1);
    EXPECT_EQ(r.b2burSummary.invoices, 2);
    EXPECT_EQ(r.b2burSummary.invoiceValue.toString(2), "20500.00");

    // Without tax: the composition dealer's bill, the nil-rated grey, electricity outside GST.
    EXPECT_EQ(joined(gstr2Rows(r, QStringLiteral("exemp"))),
              (QStringList{"Inter-State supplies,0.00,0.00,0.00,0.00", "Intra-State supplies,1500.00,2000.00,0.00,3000.00"}));

    // Goods by HSN; expense bills carry no HSN and stay out; LW/120 is kept out of the returns.
    EXPECT_EQ(joined(gstr2Rows(r, QStringLiteral("HSNSUM"))),
              (QStringList{"5311,Fabrics of 5311,MTR-METERS,20.00,2000.00,2000.00,0.00,0.00,0.00,0.00",
                           "5407,Fabrics of 5407,MTR-METERS,150.00,15750.00,15000.00,250.00,250.00,250.00,0.00"}));
    EXPECT_TRUE(r.cdnr.empty());
    EXPECT_TRUE(gstr2Rows(r, QStringLiteral("CDNUR")).empty());
}

TEST_F(Gstr2Test, MatchedOrUnmatchedBillsOnly) {
    year_->db().exec(QStringLiteral("UPDATE BillMst SET Is_GstR2A = 1 WHERE Id IN (?, ?)"), {firm_->my55, firm_->lw118});
    const Gstr2 matched = july(PortalMatchFilter::Matched);
    ASSERT_EQ(matched.b2b.size(), 1u);
    EXPECT_EQ(matched.b2b[0].invoiceNo, "MY/55");
    EXPECT_TRUE(matched.b2b[0].matched);
    ASSERT_EQ(matched.b2bur.size(), 1u);
    EXPECT_EQ(matched.b2bur[0].invoiceNo, "LW/118");
    EXPECT_EQ(matched.hsn.size(), 1u);

    const Gstr2 unmatched = july(PortalMatchFilter::Unmatched);
    EXPECT_TRUE(unmatched.b2b.empty());
    ASSERT_EQ(unmatched.b2bur.size(), 1u);
    EXPECT_EQ(unmatched.b2bur[0].invoiceNo, "GT/311");
    EXPECT_EQ(unmatched.exempt[1].nilRated.toString(2), "2000.00");
}

TEST_F(Gstr2Test, AnEmptyMonthAndAPeriodOutsideTheYear) {
    const Gstr2 june = Gstr2Service(year_->db(), year_->session).compute(*ReturnPeriod::month(QStringLiteral("06-2024")));
    EXPECT_TRUE(june.b2b.empty() && june.b2bur.empty() && june.hsn.empty());
    ASSERT_EQ(june.exempt.size(), 2u);
    EXPECT_EQ(gstr2Sheets().size(), 6u);
    try {
        Gstr2Service(year_->db(), year_->session).compute(*ReturnPeriod::month(QStringLiteral("04-2025")));
        ADD_FAILURE() << "a month of the next year was accepted";
    } catch (const GstError& e) {
        EXPECT_EQ(e.text(), "The period 01-04-2025 to 30-04-2025 is outside the open year 01-04-2024 to 31-03-2025.");
    }
}

}  // namespace
