// Sales bill arithmetic: line amounts, discounts, GST split, TCS, TDS and the round-off rules.
#include "domain/trade/InvoiceMath.h"
#include "support/Amounts.h"

#include <gtest/gtest.h>

using namespace tanabana;
using namespace tanabana::trade;

namespace {

InvoiceLineInput metresLine(const char* metres, const char* rate, const char* sgst, const char* cgst) {
    InvoiceLineInput in;
    in.metres = d(metres);
    in.listRate = d(rate);
    in.sgstPercent = d(sgst);
    in.cgstPercent = d(cgst);
    return in;
}

InvoiceLineInput piecesLine(const char* pieces, const char* rate, const char* sgst, const char* cgst) {
    InvoiceLineInput in = metresLine("0", rate, sgst, cgst);
    in.pieces = d(pieces);
    in.rateOn = QStringLiteral("P");
    return in;
}

struct BillCase {
    const char* name;
    std::vector<InvoiceLineInput> lines;
    InvoiceTotalsInput totals;
    // expected
    const char* taxable;
    const char* sgst;
    const char* cgst;
    const char* igst;
    const char* tcs;
    const char* tds;
    const char* other;
    const char* roundOffShown;
    const char* net;
};

InvoiceTotalsInput bill(bool igst = false, const char* other = "0", bool roundOff = true, const char* tcs = "0",
                        const char* tds = "0") {
    InvoiceTotalsInput t;
    t.igstBill = igst;
    t.otherCharges = d(other);
    t.salesRoundOff = roundOff;
    t.tcsPercent = d(tcs);
    t.tdsPercent = d(tds);
    return t;
}

std::vector<InvoiceLineInput> multiRate() {
    // 50 m at 200 (5%), 10 pieces at 1150 (12%), 12.5 m at 99.99 (5%)
    return {metresLine("50", "200", "2.5", "2.5"), piecesLine("10", "1150", "6", "6"),
            metresLine("12.5", "99.99", "2.5", "2.5")};
}

const std::vector<BillCase>& cases() {
    static const std::vector<BillCase> all{
        {"half rupee rounds up", {metresLine("1", "1234.50", "0", "0")}, bill(), "1234.50", "0", "0", "0", "0", "0", "0.50",
         "0", "1235"},
        {"below half rounds down", {metresLine("1", "1234.49", "0", "0")}, bill(), "1234.49", "0", "0", "0", "0", "0", "-0.49",
         "0", "1234"},
        {"multi-rate bill within the state", multiRate(), bill(), "22749.88", "971.25", "971.25", "0", "0", "0", "-0.38", "0",
         "24692"},
        {"multi-rate bill to another state", multiRate(), bill(true), "22749.88", "0", "0", "1942.49", "0", "0", "-0.37", "0",
         "24692"},
        {"TCS on taxable plus GST", {metresLine("100", "100", "2.5", "2.5")}, bill(false, "0", true, "0.1"), "10000.00",
         "250.00", "250.00", "0", "10.50", "0", "0.50", "0", "10511"},
        {"TDS rounded to rupees, not in the net", {metresLine("100", "102.9", "0", "0")}, bill(false, "0", true, "0", "2"),
         "10290.00", "0", "0", "0", "0", "206", "0", "0", "10290"},
        {"typed freight keeps its value, round-off shown apart", {metresLine("10", "100.35", "2.5", "2.5")},
         bill(false, "150"), "1003.50", "25.09", "25.09", "0", "0", "0", "150", "0.32", "1204"},
        {"charge under a rupee is replaced by the round-off", {metresLine("10", "100.35", "2.5", "2.5")},
         bill(false, "0.75"), "1003.50", "25.09", "25.09", "0", "0", "0", "0.32", "0", "1054"},
        {"round-off switched off keeps paise", {metresLine("10", "100.35", "2.5", "2.5")}, bill(false, "0", false),
         "1003.50", "25.09", "25.09", "0", "0", "0", "0", "0.32", "1053.68"},
        {"negative discount charge posts as typed", {metresLine("100", "100", "0", "0")}, bill(false, "-25"), "10000.00",
         "0", "0", "0", "0", "0", "-25", "0", "9975"},
    };
    return all;
}

class BillTotals : public ::testing::TestWithParam<size_t> {};

TEST_P(BillTotals, MatchTheHandWorkedBill) {
    const BillCase& c = cases().at(GetParam());
    SCOPED_TRACE(c.name);
    std::vector<InvoiceLine> lines;
    for (const InvoiceLineInput& in : c.lines) lines.push_back(computeLine(in, c.totals.igstBill));
    const InvoiceTotals t = computeTotals(lines, c.totals);
    EXPECT_EQ(t.taxable, d(c.taxable));
    EXPECT_EQ(t.sgst, d(c.sgst));
    EXPECT_EQ(t.cgst, d(c.cgst));
    EXPECT_EQ(t.igst, d(c.igst));
    EXPECT_EQ(t.tcs, d(c.tcs));
    EXPECT_EQ(t.tds, d(c.tds));
    EXPECT_EQ(t.otherCharges, d(c.other));
    EXPECT_EQ(t.roundOffShown, d(c.roundOffShown));
    EXPECT_EQ(t.net, d(c.net));
    // With the round-off in the charges the posted credits add up to the net exactly.
    if (c.totals.salesRoundOff && t.roundOffShown.isZero()) {
        EXPECT_EQ(t.creditsTotal(), t.net);
    }
}

INSTANTIATE_TEST_SUITE_P(Bills, BillTotals, ::testing::Range<size_t>(0, 10));

TEST(InvoiceLine, DiscountsTaxAndLineTotal) {
    InvoiceLineInput in = metresLine("100", "105", "2.5", "2.5");
    in.discountPercent = d("2");
    const InvoiceLine line = computeLine(in, false);
    EXPECT_EQ(line.rate, d("102.9"));
    EXPECT_EQ(line.amount, d("10290.00"));
    EXPECT_EQ(line.gross, d("10500.00"));
    EXPECT_EQ(line.discountAmount, d("210.000"));
    EXPECT_EQ(line.tax1Amount, d("257.250"));
    EXPECT_EQ(line.tax2Amount, d("257.250"));
    EXPECT_EQ(line.lineTotal, d("10804.50"));
    EXPECT_TRUE(line.igstPercent().isZero());

    // Second discount on what is left after the first: 102.90 less 1.5% = 101.3565
    in.secondDiscountPercent = d("1.5");
    const InvoiceLine both = computeLine(in, false);
    EXPECT_EQ(both.rate, d("101.3565"));
    EXPECT_EQ(both.amount, d("10135.65"));
    EXPECT_EQ(both.secondDiscountAmount, d("154.350"));
}

TEST(InvoiceLine, IgstPartyCarriesTheWholeGstInTheFirstColumn) {
    const InvoiceLine line = computeLine(metresLine("100", "105", "2.5", "2.5"), true);
    EXPECT_EQ(line.tax1Percent, d("5"));
    EXPECT_TRUE(line.tax2Percent.isZero());
    EXPECT_EQ(line.igstAmount(), d("525.000"));
    EXPECT_EQ(line.lineTotal, d("11025.00"));
}

TEST(InvoiceLine, GstInclusiveRateIsBroughtDownToItsTaxablePart) {
    InvoiceLineInput in = metresLine("100", "105", "2.5", "2.5");
    in.gstCalc = 2;
    const InvoiceLine line = computeLine(in, false);
    EXPECT_EQ(line.rate, d("100"));
    EXPECT_EQ(line.rateBeforeDiscount, d("100"));
    EXPECT_EQ(line.amount, d("10000.00"));
    EXPECT_EQ(line.lineTotal, d("10500.00"));
    EXPECT_TRUE(line.discountAmount.isZero());
}

TEST(InvoiceLine, PiecesTypedRateAndDiscountAmount) {
    InvoiceLineInput in = piecesLine("24", "550", "6", "6");
    in.metres = d("132");  // metres are carried but the price runs on pieces
    EXPECT_EQ(computeLine(in, false).amount, d("13200.00"));

    in.netRate = d("540");  // the operator typed the net rate: the discount is what it saved
    const InvoiceLine typed = computeLine(in, false);
    EXPECT_EQ(typed.amount, d("12960.00"));
    EXPECT_EQ(typed.discountAmount, d("240.000"));

    InvoiceLineInput flat = metresLine("10", "100", "0", "0");
    flat.secondDiscountAmount = d("35");  // "Brk Rs" typed without a percent
    EXPECT_EQ(computeLine(flat, false).amount, d("965.00"));
}

TEST(ChallanLine, AmountRunsOnPiecesOrMetres) {
    EXPECT_EQ(challanLineAmount(d("4"), d("412.5"), QStringLiteral("M"), d("52.25")), d("21553.12"));
    EXPECT_EQ(challanLineAmount(d("4"), d("412.5"), QStringLiteral("P"), d("1200")), d("4800.00"));
}

}  // namespace
