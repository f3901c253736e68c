// Costing sheets of fabric qualities and the bulk rate update on a small rapier weaving firm
// (TANABANA_BOTH_ENGINES): a sheet saved with its worked-out weights and costs, reloaded, copied to
// another colour of the design, deleted; rates raised by a percentage to whole rupees and GST
// details set on ticked items only.
#include "domain/products/Consumption.h"
#include "domain/products/ItemMaster.h"
#include "domain/products/RateUpdate.h"
#include "support/YearFixture.h"
#include "support/Amounts.h"

#include <gtest/gtest.h>

using namespace tanabana;
using namespace tanabana::products;

namespace {

class SheetsTest : public ::testing::Test {
protected:
    void SetUp() override {
        TANABANA_REQUIRE_ENGINE();
        year = std::make_unique<test::YearFixture>();
        items = std::make_unique<ItemMaster>(year->db(), year->session, year->messages);
        redSaree = fabric(QStringLiteral("1"), QStringLiteral("Red"));
        blueSaree = fabric(QStringLiteral("2"), QStringLiteral("Blue"));
        weftYarn = yarn(QStringLiteral("3"), QStringLiteral("Viscose 150D"), "150", "210");
        warpYarn = yarn(QStringLiteral("4"), QStringLiteral("Polyester 100D"), "100", "180");
    }
    qint64 fabric(const QString& code, const QString& colour) {
        Item i;
        i.code = code;
        i.name = QStringLiteral("D-101 ") + colour;
        i.name2 = colour;
        i.subGroup = QStringLiteral("D-101");
        i.group = QStringLiteral("Rapier 60");
        i.rateRetail = d("105");
        i.rateDealer = d("60");
        i.sgst = i.cgst = d("2.5");
        return items->save(i)->front();
    }
    qint64 yarn(const QString& code, const QString& name, const char* denier, const char* rate) {
        Item i;
        i.code = code;
        i.name = name;
        i.stockType = QLatin1Char('Y');
        i.itemType = 1;
        i.mrp = d(denier);
        i.ratePurchase = d(rate);
        return items->save(i)->front();
    }
    ConsumptionSheet sheetFor(qint64 item) {
        ConsumptionSheet s;
        s.itemId = item;
        s.entryDate = QDate(2024, 6, 10);
        s.length = d("3937");
        s.width = d("48");
        s.weftWaste = d("2");
        s.warpWaste = d("3");
        s.costPerPick = d("0.02");
        s.processing = d("50");
        s.transport = d("12.5");
        YarnLine weft;
        weft.yarnId = weftYarn;
        weft.denier = d("150");
        weft.picks = d("60");
        weft.rate = d("210");
        YarnLine warp;
        warp.weft = false;
        warp.yarnId = warpYarn;
        warp.denier = d("100");
        warp.picks = d("4000");
        warp.rate = d("180");
        s.lines = {warp, weft};
        return s;
    }
    std::unique_ptr<test::YearFixture> year;
    std::unique_ptr<ItemMaster> items;
    qint64 redSaree = 0, blueSaree = 0, weftYarn = 0, warpYarn = 0;
};

}  // namespace

TEST_F(SheetsTest, SheetIsSavedWithItsWeightsAndCosts) {
    ConsumptionMaster sheets(year->db(), year->session, year->messages);
    EXPECT_EQ(sheets.fabricsWithoutSheet().size(), 2u);
    EXPECT_EQ(sheets.yarns().size(), 2u);
    const auto sub = sheets.save(sheetFor(redSaree));
    ASSERT_TRUE(sub);
    EXPECT_EQ(*sub, 1);
    EXPECT_EQ(year->messages.last().text, QStringLiteral("One Transaction Is Saved."));
    EXPECT_EQ(year->messages.last().title, QStringLiteral("SAVE Confirmation"));

    const auto header = year->db().queryOne(QStringLiteral("SELECT * FROM ConSumptionMst_Grey WHERE ID = ?"), {redSaree});
    ASSERT_TRUE(header);
    EXPECT_DOUBLE_EQ(header->number(QStringLiteral("Weft_Wt")), 4.896);
    EXPECT_DOUBLE_EQ(header->number(QStringLiteral("Warp_Wt")), 4.578);
    EXPECT_DOUBLE_EQ(header->number(QStringLiteral("Weft_Cost")), 1028.16);
    EXPECT_DOUBLE_EQ(header->number(QStringLiteral("Warp_Cost")), 824.04);
    EXPECT_DOUBLE_EQ(header->number(QStringLiteral("Jobcost")), 120.0);
    EXPECT_EQ(header->integer(QStringLiteral("FirmNo")), 1);
    // lines in grid order: warp first as typed, weft second
    const auto lines = year->db().query(QStringLiteral("SELECT * FROM ConSumptionMst_Dtl WHERE ProdId = ? ORDER BY Srno"), {redSaree});
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].integer(QStringLiteral("QID")), warpYarn);
    EXPECT_EQ(lines[0].integer(QStringLiteral("PType")), 2);
    EXPECT_EQ(lines[1].integer(QStringLiteral("PType")), 1);
    EXPECT_DOUBLE_EQ(lines[1].number(QStringLiteral("Wt")), 4.896);

    // read back, the weft line comes first and the totals are the same
    auto loaded = sheets.load(redSaree);
    ASSERT_TRUE(loaded);
    EXPECT_TRUE(loaded->lines.front().weft);
    const SheetTotals t = computeSheet(*loaded);
    EXPECT_EQ(t.totalCost.toString(2), QStringLiteral("2034.70"));
    EXPECT_EQ(loaded->entryDate, QDate(2024, 6, 10));
    EXPECT_EQ(sheets.fabricsWithoutSheet().size(), 1u);

    // saving it again replaces the lines, it does not add to them
    loaded->lines.pop_back();
    EXPECT_EQ(sheets.save(*loaded), 1);
    EXPECT_EQ(year->count(QStringLiteral("ConSumptionMst_Dtl"), QStringLiteral("ProdId = ?"), {redSaree}), 1);
    EXPECT_EQ(year->count(QStringLiteral("ConSumptionMst_Grey")), 1);
}

TEST_F(SheetsTest, FourDecimalRatesAreKeptAsTyped) {
    // weaving at 0.0875 a pick, 60 picks, 100 m (3937 inches): 0.0875 x 60 x 100 = 525.00, not
    // the 528.00 of a rate cut to 0.088; a yarn at 212.3575 a kg costs its weight at that rate
    ConsumptionMaster sheets(year->db(), year->session, year->messages);
    ConsumptionSheet sheet = sheetFor(redSaree);
    sheet.costPerPick = d("0.0875");
    sheet.lines[1].rate = d("212.3575");
    EXPECT_EQ(computeSheet(sheet).jobCost.toString(2), QStringLiteral("525.00"));
    ASSERT_TRUE(sheets.save(sheet));
    auto loaded = sheets.load(redSaree);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->costPerPick, d("0.0875"));
    const SheetTotals t = computeSheet(*loaded);
    EXPECT_EQ(t.jobCost.toString(3), QStringLiteral("525.000"));
    // 4.896 kg x 212.3575 = 1039.702320 -> 1039.702
    EXPECT_EQ(t.weftCost.toString(3), QStringLiteral("1039.702"));
    const auto header = year->db().queryOne(QStringLiteral("SELECT Jobcost FROM ConSumptionMst_Grey WHERE ID = ?"), {redSaree});
    ASSERT_TRUE(header);
    EXPECT_EQ(Decimal::fromVariant(header->value(QStringLiteral("Jobcost"))).toString(2), QStringLiteral("525.00"));
}

TEST_F(SheetsTest, SheetWithoutFabricOrWithBadValuesIsRefused) {
    ConsumptionMaster sheets(year->db(), year->session, year->messages);
    ConsumptionSheet none = sheetFor(0);
    EXPECT_FALSE(sheets.save(none));
    EXPECT_TRUE(year->messages.has(MessageKind::Critical, QStringLiteral("System Validation"),
                                   QStringLiteral("Please Select Party NAme and Quality")));
    ConsumptionSheet wasteful = sheetFor(redSaree);
    wasteful.weftWaste = d("150");
    EXPECT_FALSE(sheets.save(wasteful));
    ConsumptionSheet noYarn = sheetFor(redSaree);
    noYarn.lines[0].yarnId = 0;
    EXPECT_FALSE(sheets.save(noYarn));
    EXPECT_EQ(year->messages.last().text, QStringLiteral("Please choose the yarn of every line"));
    EXPECT_EQ(year->count(QStringLiteral("ConSumptionMst_Grey")) + year->count(QStringLiteral("ConSumptionMst_Dtl")), 0);
}

TEST_F(SheetsTest, ShowCopiesTheSheetOfAnotherColourAndDeleteRemovesOne) {
    ConsumptionMaster sheets(year->db(), year->session, year->messages);
    EXPECT_FALSE(sheets.copyFromSameDesign(blueSaree));
    EXPECT_EQ(year->messages.last().text, QStringLiteral("No Item Found In Consumption Master"));
    EXPECT_FALSE(sheets.copyFromSameDesign(weftYarn));  // a yarn has no design and quality type
    EXPECT_EQ(year->messages.last().text, QStringLiteral("No Design + Qlty Type Found"));

    ASSERT_TRUE(sheets.save(sheetFor(redSaree)));
    auto copy = sheets.copyFromSameDesign(blueSaree);
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->itemId, blueSaree);
    EXPECT_EQ(copy->subId, 0);
    EXPECT_EQ(copy->lines.size(), 2u);
    ASSERT_TRUE(sheets.save(*copy));
    EXPECT_EQ(year->count(QStringLiteral("ConSumptionMst_Dtl"), QStringLiteral("ProdId = ?"), {blueSaree}), 2);

    // the sheet keeps its fabric and yarns from deletion until it is itself deleted
    EXPECT_FALSE(items->remove(blueSaree));
    year->messages.answerNext(false);
    EXPECT_FALSE(sheets.remove(blueSaree, 1));
    EXPECT_TRUE(sheets.remove(blueSaree, 1));
    EXPECT_EQ(year->messages.last().text, QStringLiteral("Item Fabric Deleted!"));
    EXPECT_EQ(year->count(QStringLiteral("ConSumptionMst_Dtl"), QStringLiteral("ProdId = ?"), {blueSaree}), 0);
    EXPECT_EQ(year->count(QStringLiteral("ConSumptionMst_Dtl"), QStringLiteral("ProdId = ?"), {redSaree}), 2);
    EXPECT_TRUE(items->remove(blueSaree));
}

TEST_F(SheetsTest, RateUpdateChangesTickedItemsOnly) {
    RateUpdate update(year->db(), year->session, year->messages);
    RateListFilter fabrics;
    fabrics.group = QStringLiteral("rapier 60");
    const auto rows = update.list(fabrics);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].calcOnText(), QStringLiteral("Mtrs"));
    RateListFilter byTax;
    byTax.sgst = d("2.5");
    EXPECT_EQ(update.list(byTax).size(), 2u);
    byTax.sgst = d("6");
    EXPECT_TRUE(update.list(byTax).empty());

    ASSERT_TRUE(update.changeRates({redSaree}, RateKind::Retail, d("10")));
    EXPECT_TRUE(year->messages.has(MessageKind::Question, QStringLiteral("Update Confirm"),
                                   QStringLiteral("Are you Sure to Update Retail Rate Detail of Selecte Product ? ")));
    EXPECT_EQ(year->messages.last().text, QStringLiteral("Rate Changed"));
    EXPECT_EQ(items->load(redSaree)->rateRetail, d("116"));
    EXPECT_EQ(items->load(blueSaree)->rateRetail, d("105"));
    EXPECT_EQ(items->load(redSaree)->rateDealer, d("60"));

    ASSERT_TRUE(update.changeRates({redSaree, blueSaree}, RateKind::Dealer, d("-2.5")));
    EXPECT_EQ(items->load(blueSaree)->rateDealer, d("58"));  // 58.50 to the even rupee

    year->messages.answerNext(false);
    EXPECT_FALSE(update.changeRates({redSaree}, RateKind::Mrp, d("10")));
    EXPECT_FALSE(update.changeRates({redSaree}, RateKind::Retail, d("-100")));
    EXPECT_EQ(items->load(redSaree)->rateRetail, d("116"));

    ASSERT_TRUE(update.changeValue({blueSaree}, ValueHead::Gst, QStringLiteral("6")));
    EXPECT_EQ(year->messages.last().text, QStringLiteral("CGSTChanged"));
    EXPECT_EQ(items->load(blueSaree)->igst(), d("12"));
    EXPECT_EQ(items->load(redSaree)->igst(), d("5"));
    ASSERT_TRUE(update.changeValue({blueSaree, redSaree}, ValueHead::HsnCode, QStringLiteral(" 5407 ")));
    EXPECT_EQ(items->load(redSaree)->hsn, QStringLiteral("5407"));

    EXPECT_FALSE(update.changeValue({redSaree}, ValueHead::Uqc, QStringLiteral("  ")));
    EXPECT_TRUE(year->messages.has(MessageKind::Critical, QStringLiteral("No Data"), QStringLiteral("Update Value Should not be empty")));
    EXPECT_FALSE(update.changeValue({redSaree}, ValueHead::Gst, QStringLiteral("sixty")));
    EXPECT_FALSE(update.changeValue({redSaree}, ValueHead::Gst, QStringLiteral("60")));
    EXPECT_EQ(items->load(redSaree)->sgst, d("2.5"));
}
