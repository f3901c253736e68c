// The arithmetic of the item masters as the operator checks it by hand: yarn weights and costs of a
// consumption sheet, a percentage rate change rounded to whole rupees, and item code numbering.
#include "core/Numbering.h"
#include "domain/products/Consumption.h"
#include "domain/products/RateUpdate.h"
#include "support/Amounts.h"

#include <gtest/gtest.h>

using namespace tanabana;
using namespace tanabana::products;

namespace {
YarnLine yarn(bool weft, qint64 yarnId, const char* denier, const char* picks, const char* rate) {
    YarnLine line;
    line.weft = weft;
    line.yarnId = yarnId;
    line.denier = d(denier);
    line.picks = d(picks);
    line.rate = d(rate);
    return line;
}
}  // namespace

TEST(ConsumptionArithmetic, YarnWeightsWithWastage) {
    struct Case {
        const char* what;
        bool weft;
        const char* denier;
        const char* width;
        const char* picks;  // picks of a weft, ends of a warp
        const char* length;
        const char* waste;
        const char* shown;  // three decimals, as the grid shows it
    };
    const Case cases[] = {
        {"weft of 100 m, no wastage", true, "150", "48", "60", "3937", "0", "4.800"},
        {"weft of 100 m, 2% wastage", true, "150", "48", "60", "3937", "2", "4.896"},
        {"warp of 100 m, 3% wastage", false, "100", "0", "4000", "3937", "3", "4.578"},
        // 75 x 44 x 52 x 25.4000508 m / 9,000,000 = 0.484294 kg, wastage 0.02421
        {"weft of 1000 inches, 5% wastage", true, "75", "44", "52", "1000", "5", "0.509"},
        {"no length, no yarn", true, "150", "48", "60", "0", "2", "0.000"},
    };
    for (const Case& c : cases) {
        const Decimal w = c.weft ? weftWeight(d(c.denier), d(c.width), d(c.picks), d(c.length), d(c.waste))
                                 : warpWeight(d(c.denier), d(c.picks), d(c.length), d(c.waste));
        EXPECT_EQ(w.toString(3), QString::fromLatin1(c.shown)) << c.what;
    }
    // the unrounded steps: six decimals for the weight, five for its wastage
    EXPECT_EQ(warpWeight(d("100"), d("4000"), d("3937"), d("3")).toString(6), QStringLiteral("4.577774"));
    EXPECT_EQ(weftWeight(d("75"), d("44"), d("52"), d("1000"), d("5")).toString(6), QStringLiteral("0.508504"));
}

TEST(ConsumptionArithmetic, MetresAndJobCost) {
    EXPECT_EQ(fabricMetres(d("3937")).toString(3), QStringLiteral("100.000"));
    EXPECT_EQ(fabricMetres(d("1000")).toString(3), QStringLiteral("25.400"));
    EXPECT_EQ(jobCost(d("0.02"), d("60"), d("3937")).toString(3), QStringLiteral("120.000"));
    // 0.015 x 52 x 25.4000508 = 19.81204
    EXPECT_EQ(jobCost(d("0.015"), d("52"), d("1000")).toString(3), QStringLiteral("19.812"));
}

TEST(ConsumptionArithmetic, SheetTotalsOfAWarpAndAWeft) {
    ConsumptionSheet sheet;
    sheet.length = d("3937");
    sheet.width = d("48");
    sheet.weftWaste = d("2");
    sheet.warpWaste = d("3");
    sheet.costPerPick = d("0.02");
    sheet.processing = d("50");
    sheet.transport = d("12.5");
    sheet.lines = {yarn(true, 11, "150", "60", "210"), yarn(false, 12, "100", "4000", "180")};
    const SheetTotals t = computeSheet(sheet);
    EXPECT_EQ(sheet.lines[0].weight.toString(3), QStringLiteral("4.896"));
    EXPECT_EQ(sheet.lines[0].cost.toString(3), QStringLiteral("1028.160"));
    EXPECT_EQ(sheet.lines[1].weight.toString(3), QStringLiteral("4.578"));
    EXPECT_EQ(sheet.lines[1].cost.toString(3), QStringLiteral("824.040"));
    EXPECT_EQ(t.metres.toString(3), QStringLiteral("100.000"));
    EXPECT_EQ(t.totalPicks.toString(0), QStringLiteral("60"));
    EXPECT_EQ(t.totalEnds.toString(0), QStringLiteral("4000"));
    EXPECT_EQ(t.weftWeight.toString(3), QStringLiteral("4.896"));
    EXPECT_EQ(t.warpWeight.toString(3), QStringLiteral("4.578"));
    EXPECT_EQ(t.totalWeight.toString(3), QStringLiteral("9.474"));
    EXPECT_EQ(t.jobCost.toString(3), QStringLiteral("120.000"));
    // 1028.16 yarn + 824.04 yarn + 120.00 weaving + 50.00 processing + 12.50 transport
    EXPECT_EQ(t.totalCost.toString(2), QStringLiteral("2034.70"));
}

TEST(RateChange, PercentRoundedToWholeRupees) {
    struct Case { const char* rate; const char* percent; const char* expected; };
    const Case cases[] = {
        {"105", "10", "116"},     // 115.50: an exact half goes to the even rupee
        {"100", "2.5", "102"},    // 102.50 -> 102
        {"95", "10", "104"},      // 104.50 -> 104
        {"117", "5", "123"},      // 122.85
        {"250", "-10", "225"},
        {"99.99", "0", "100"},
        {"0", "25", "0"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(changedRate(d(c.rate), d(c.percent)).toString(0), QString::fromLatin1(c.expected))
            << c.rate << " + " << c.percent << "%";
}

TEST(CodeNumbering, TrailingDigitsCountUp) {
    struct Case { const char* code; const char* next; };
    const Case cases[] = {{"", "1"},          {"9", "10"},        {"10", "11"},   {"999", "1000"},
                          {"A009", "A010"},   {"GST/99", "GST/100"}, {"ABC", "ABC1"}, {" 41 ", "42"}};
    for (const Case& c : cases) EXPECT_EQ(IncrementTrailingDigits(QString::fromLatin1(c.code)), QString::fromLatin1(c.next)) << c.code;
    // codes compare as the numbers they start with, then as text
    EXPECT_TRUE(CodeLess(QStringLiteral("9"), QStringLiteral("10")));
    EXPECT_FALSE(CodeLess(QStringLiteral("10"), QStringLiteral("9")));
    EXPECT_TRUE(CodeLess(QStringLiteral("10"), QStringLiteral("10A")));
    EXPECT_EQ(LeadingNumber(QStringLiteral("12.5kg")), 12.5);
    EXPECT_EQ(LeadingNumber(QStringLiteral("A10")), 0.0);
}
