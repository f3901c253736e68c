// Purchase bill arithmetic: rates with or without GST, discount, freight in the GST base, line GST
// rounded to rupees for the suppliers who bill so, IGST, TCS, TDS, other charges, round-off and
// reverse charge; and the taka list checked against line 1.
#include "domain/trade/PurchaseRules.h"
#include "support/Amounts.h"

#include <gtest/gtest.h>

using namespace tanabana;
using namespace tanabana::trade;

namespace {

PurchaseLine metres(const char* qty, const char* rate, const char* sgst = "2.5", const char* cgst = "2.5", const char* disc = "0",
                    const char* freight = "0", int calc = 1) {
    PurchaseLine l;
    l.qualityId = 1;
    l.input.metres = d(qty);
    l.input.listRate = d(rate);
    l.input.sgstPercent = d(sgst);
    l.input.cgstPercent = d(cgst);
    l.input.discountPercent = d(disc);
    l.input.freight = d(freight);
    l.input.gstCalc = calc;
    return l;
}

PurchaseLine pieces(const char* qty, const char* rate, const char* sgst, const char* cgst) {
    PurchaseLine l = metres("0", rate, sgst, cgst);
    l.input.pieces = d(qty);
    l.input.rateOn = QStringLiteral("P");
    return l;
}

struct Expected {
    const char *taxable, *freight, *sgst, *cgst, *igst, *tcs, *tds, *other, *roundOffShown, *net;
};

struct PurchaseCase {
    const char* name;
    std::vector<PurchaseLine> lines;
    Supplier supplier;
    const char* tds = "0";
    const char* tcs = "0";
    const char* other = "0";
    bool reverseCharge = false;
    bool roundOff = true;
    Expected expected;
};

Supplier withinState() { return {}; }
Supplier otherState() {
    Supplier s;
    s.otherState = true;
    return s;
}
Supplier roundsGst() {
    Supplier s;
    s.gstToRupees = true;
    return s;
}
Supplier typesRatesWithGst() {
    Supplier s;
    s.ratesIncludeGst = true;
    return s;
}

std::vector<PurchaseLine> greyAndSarees() { return {metres("100", "52"), pieces("10", "1150", "6", "6")}; }

const std::vector<PurchaseCase>& purchaseCases() {
    static const std::vector<PurchaseCase> all{
        {"exclusive rates on metres and pieces", greyAndSarees(), withinState(), "0", "0", "0", false, true,
         {"16700.00", "0.00", "820.00", "820.00", "0.00", "0.00", "0", "0.00", "0.00", "18340.00"}},
        {"rate 105 with 5% GST inside is 100", {metres("100", "105", "2.5", "2.5", "0", "0", 2)}, withinState(), "0", "0", "0", false,
         true, {"10000.00", "0.00", "250.00", "250.00", "0.00", "0.00", "0", "0.00", "0.00", "10500.00"}},
        {"supplier typing rates with GST", {metres("100", "105")}, typesRatesWithGst(), "0", "0", "0", false, true,
         {"10000.00", "0.00", "250.00", "250.00", "0.00", "0.00", "0", "0.00", "0.00", "10500.00"}},
        {"discount and half a rupee rounded up into other", {metres("100", "60", "2.5", "2.5", "2.5")}, withinState(), "0", "0", "0",
         false, true, {"5850.00", "0.00", "146.25", "146.25", "0.00", "0.00", "0", "0.50", "0.00", "6143.00"}},
        {"freight joins the GST base and the taxable", {metres("100", "100", "2.5", "2.5", "0", "50")}, withinState(), "0", "0", "0",
         false, true, {"10050.00", "50.00", "251.25", "251.25", "0.00", "0.00", "0", "0.50", "0.00", "10553.00"}},
        {"line GST rounded to rupees, half to even",
         {metres("100", "100", "2.5", "2.5", "0", "50"), metres("100", "100.20")}, roundsGst(), "0", "0", "0", false, true,
         {"20070.00", "50.00", "501.00", "501.00", "0.00", "0.00", "0", "0.00", "0.00", "21072.00"}},
        {"supplier of another state pays IGST", greyAndSarees(), otherState(), "0", "0", "0", false, true,
         {"16700.00", "0.00", "0.00", "0.00", "1640.00", "0.00", "0", "0.00", "0.00", "18340.00"}},
        {"TCS on taxable and GST", greyAndSarees(), withinState(), "0", "0.1", "0", false, true,
         {"16700.00", "0.00", "820.00", "820.00", "0.00", "18.34", "0", "-0.34", "0.00", "18358.00"}},
        {"TDS rounded to rupees, net unchanged", greyAndSarees(), withinState(), "0.1", "0", "0", false, true,
         {"16700.00", "0.00", "820.00", "820.00", "0.00", "0.00", "17", "0.00", "0.00", "18340.00"}},
        {"typed charge kept, round-off shown beside", {metres("100", "60", "2.5", "2.5", "2.5")}, withinState(), "0", "0", "25",
         false, true, {"5850.00", "0.00", "146.25", "146.25", "0.00", "0.00", "0", "25.00", "0.50", "6168.00"}},
        {"round-off switched off keeps the paise", {metres("100", "60", "2.5", "2.5", "2.5")}, withinState(), "0", "0", "0", false,
         false, {"5850.00", "0.00", "146.25", "146.25", "0.00", "0.00", "0", "0.00", "0.50", "6142.50"}},
        {"reverse charge leaves GST out of the amount owed", {metres("1", "10000.40", "9", "9")}, withinState(), "0", "0", "0", true,
         true, {"10000.40", "0.00", "900.04", "900.04", "0.00", "0.00", "0", "-0.40", "0.00", "10000.00"}},
    };
    return all;
}

class PurchaseTotals : public ::testing::TestWithParam<size_t> {};

TEST_P(PurchaseTotals, MatchTheHandWorkedBill) {
    const PurchaseCase& c = purchaseCases().at(GetParam());
    SCOPED_TRACE(c.name);
    PurchaseBill bill;
    bill.lines = c.lines;
    bill.tdsPercent = d(c.tds);
    bill.tcsPercent = d(c.tcs);
    bill.otherCharges = d(c.other);
    bill.reverseChargeId = c.reverseCharge ? 1 : 0;
    const ComputedPurchase computed = computePurchase(bill, c.supplier, c.roundOff);
    const InvoiceTotals& t = computed.totals;
    EXPECT_EQ(t.taxable.toString(2), QLatin1String(c.expected.taxable));
    EXPECT_EQ(t.freight.toString(2), QLatin1String(c.expected.freight));
    EXPECT_EQ(t.sgst.toString(2), QLatin1String(c.expected.sgst));
    EXPECT_EQ(t.cgst.toString(2), QLatin1String(c.expected.cgst));
    EXPECT_EQ(t.igst.toString(2), QLatin1String(c.expected.igst));
    EXPECT_EQ(t.tcs.toString(2), QLatin1String(c.expected.tcs));
    EXPECT_EQ(t.tds.toString(0), QLatin1String(c.expected.tds));
    EXPECT_EQ(t.otherCharges.toString(2), QLatin1String(c.expected.other));
    EXPECT_EQ(t.roundOffShown.toString(2), QLatin1String(c.expected.roundOffShown));
    EXPECT_EQ(t.net.toString(2), QLatin1String(c.expected.net));
    EXPECT_EQ(computed.igst, c.supplier.otherState);
}

INSTANTIATE_TEST_SUITE_P(Bills, PurchaseTotals, ::testing::Range<size_t>(0, 12));

TEST(PurchaseTotals, EveryCaseIsRun) { EXPECT_EQ(purchaseCases().size(), 12u); }

TEST(PurchaseLineAmounts, InclusiveRateWithDiscountShowsNetAndUndiscountedRate) {
    // 105 with GST inside, 10% off: 94.50 with GST is 90.0000 without; undiscounted 100.0000.
    PurchaseBill bill;
    bill.lines = {metres("40", "105", "2.5", "2.5", "10", "0", 2)};
    const InvoiceLine line = computePurchase(bill, withinState(), true).lines.at(0);
    EXPECT_EQ(line.rate.toString(4), QStringLiteral("90.0000"));
    EXPECT_EQ(line.rateBeforeDiscount.toString(4), QStringLiteral("100.0000"));
    EXPECT_EQ(line.amount.toString(2), QStringLiteral("3600.00"));
    EXPECT_EQ(line.discountAmount.toString(3), QStringLiteral("400.000"));
    EXPECT_EQ(line.tax1Amount.toString(3), QStringLiteral("90.000"));
    EXPECT_EQ(line.lineTotal.toString(2), QStringLiteral("3780.00"));
}

TEST(PurchaseLineAmounts, IgstLineCarriesTheWholeGstOnAmountAndFreight) {
    PurchaseBill bill;
    bill.lines = {metres("98.5", "64", "2.5", "2.5", "0", "120")};
    const InvoiceLine line = computePurchase(bill, otherState(), true).lines.at(0);
    // 6,304.00 + 120.00 freight = 6,424.00 at 5% = 321.200 in the first column.
    EXPECT_EQ(line.amount.toString(2), QStringLiteral("6304.00"));
    EXPECT_EQ(line.tax1Percent.toString(2), QStringLiteral("5.00"));
    EXPECT_EQ(line.tax1Amount.toString(3), QStringLiteral("321.200"));
    EXPECT_TRUE(line.tax2Amount.isZero());
    EXPECT_EQ(line.igstAmount().toString(3), QStringLiteral("321.200"));
    EXPECT_EQ(line.lineTotal.toString(2), QStringLiteral("6745.20"));
}

TEST(PurchaseTakas, MetresMustAddUpToLineOne) {
    PurchaseBill bill;
    bill.lines = {metres("100", "52"), metres("20", "80")};
    EXPECT_FALSE(takaMetresMismatch(bill)) << "no taka list, nothing to check";
    bill.takas = {{QStringLiteral("101"), d("25.5")}, {QStringLiteral("102"), d("24")}, {QStringLiteral("103"), d("49")}};
    const auto short_ = takaMetresMismatch(bill);
    ASSERT_TRUE(short_);
    EXPECT_EQ(short_->toString(3), QStringLiteral("98.500"));
    bill.takas.push_back({QStringLiteral("104"), d("1.5")});
    EXPECT_FALSE(takaMetresMismatch(bill));
}

TEST(PurchaseTakas, ATakaNumberTwiceIsFoundWhateverItsSpacingOrCase) {
    PurchaseBill bill;
    bill.takas = {{QStringLiteral("T-12"), d("50")}, {QStringLiteral("T-13"), d("50")}};
    EXPECT_FALSE(repeatedTaka(bill));
    bill.takas.push_back({QStringLiteral(" t-12 "), d("10")});
    EXPECT_EQ(repeatedTaka(bill).value_or(QString()), QStringLiteral("t-12"));
}

}  // namespace
