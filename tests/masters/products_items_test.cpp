// The item master of a small weaving firm (TANABANA_BOTH_ENGINES): codes counted as numbers, names
// unique in a firm, items posted in several firms, delete refused while sheets, loom orders or
// produced takas use an item, colour and code generation, copying to another firm, and what a
// document line reads from an item.
#include "domain/products/ItemLookup.h"
#include "domain/products/ItemMaster.h"
#include "domain/products/ProductionFirm.h"
#include "support/YearFixture.h"
#include "support/Amounts.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace tanabana;
using namespace tanabana::products;

namespace {

const QString kYearClosed = QStringLiteral("Year End Is Completed! \n You Can't Modify/Delete");
const QString kInUse = QStringLiteral("First Check Sales - Purchase - Chalan Entry !");

class ItemsTest : public ::testing::Test {
protected:
    void SetUp() override {
        TANABANA_REQUIRE_ENGINE();
        year = std::make_unique<test::YearFixture>();
        year->addFirm(2, QStringLiteral("Shree Krishna Weaving's"));
        items = std::make_unique<ItemMaster>(year->db(), year->session, year->messages);
    }
    Item silk(const QString& code, const QString& name) {
        Item i;
        i.code = code;
        i.name = name;
        i.name2 = QStringLiteral("Red");
        i.group = QStringLiteral("Rapier 60");
        i.subGroup = QStringLiteral("D-101");
        i.unit = QStringLiteral("MTR");
        i.rateRetail = d("105");
        i.rateDealer = d("98.50");
        i.ratePurchase = d("80");
        i.sgst = d("2.5");
        i.cgst = d("2.5");
        i.gstCalc = 2;
        i.hsn = QStringLiteral("5407");
        i.uqc = QStringLiteral("MTR-METERS");
        i.openingQty = d("1250.5");
        return i;
    }
    qint64 saved(const Item& item) {
        const auto ids = items->save(item);
        EXPECT_TRUE(ids.has_value()) << (year->messages.empty() ? "" : qPrintable(year->messages.last().text));
        return ids ? ids->front() : 0;
    }
    std::unique_ptr<test::YearFixture> year;
    std::unique_ptr<ItemMaster> items;
};

}  // namespace

TEST_F(ItemsTest, SavedItemReadsBackAsTyped) {
    Item item = silk(QStringLiteral("1"), QStringLiteral("  Silk 60 \"Royal\" 100% "));
    item.calcOn = 2;
    item.showInStock = false;
    item.stockType = QLatin1Char('T');
    const qint64 id = saved(item);
    const auto back = items->load(id);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->name, QStringLiteral("Silk 60 \"Royal\" 100%"));  // trimmed, quotes kept
    EXPECT_EQ(back->firmNo, 1);
    EXPECT_EQ(back->rateDealer, d("98.50"));
    EXPECT_EQ(back->igst(), d("5"));
    EXPECT_EQ(back->pricedPer(), QStringLiteral("P"));
    EXPECT_FALSE(back->showInStock);
    EXPECT_EQ(back->stockType, QLatin1Char('T'));
    EXPECT_EQ(year->count(QStringLiteral("ProdMst"), QStringLiteral("Id = ? AND Is_NoStk = 1 AND Is_Upload = 0 AND ProdNameG = ''"), {id}), 1);

    // a change keeps the Id and the firm
    Item changed = *back;
    changed.rateRetail = d("110");
    changed.firmNo = 2;
    EXPECT_EQ(saved(changed), id);
    EXPECT_EQ(items->load(id)->rateRetail, d("110"));
    EXPECT_EQ(items->load(id)->firmNo, 1);
}

TEST_F(ItemsTest, NextCodeCountsAsNumbersNotAsText) {
    EXPECT_EQ(items->nextCode(), QStringLiteral("1"));
    saved(silk(QStringLiteral("9"), QStringLiteral("Silk 9")));
    EXPECT_EQ(items->nextCode(), QStringLiteral("10"));
    saved(silk(QStringLiteral("10"), QStringLiteral("Silk 10")));
    EXPECT_EQ(items->nextCode(), QStringLiteral("11"));  // "9" sorts after "10" as text
    saved(silk(QStringLiteral("2"), QStringLiteral("Silk 2")));
    EXPECT_EQ(items->nextCode(), QStringLiteral("11"));
    EXPECT_EQ(items->nextCode(2), QStringLiteral("1"));  // each firm counts its own

    // with automatic codes a new item takes the next code whatever was typed
    year->session.firm.insert(QStringLiteral("IS_PROD_SNO"), 1);
    const qint64 id = saved(silk(QStringLiteral("5"), QStringLiteral("Silk auto")));
    EXPECT_EQ(items->load(id)->code, QStringLiteral("11"));
}

TEST_F(ItemsTest, DuplicatesAndEmptyNamesAreRefusedAndNothingIsWritten) {
    saved(silk(QStringLiteral("1"), QStringLiteral("Silk 60")));
    Refusal refusal;
    EXPECT_FALSE(items->save(silk(QStringLiteral("2"), QStringLiteral("silk 60 ")), {}, &refusal));
    EXPECT_TRUE(year->messages.has(MessageKind::Critical, QStringLiteral("A/c Duplicate"),
                                   QStringLiteral("This Product Name in Firm :Shree Ganesh Textiles Is Exist, Please Enter Another NAme")));
    EXPECT_EQ(refusal.field, QStringLiteral("ProdName"));
    EXPECT_TRUE(items->nameExists(QStringLiteral("SILK 60")));

    EXPECT_FALSE(items->save(silk(QStringLiteral(" 1"), QStringLiteral("Cotton")), {}, &refusal));
    EXPECT_TRUE(year->messages.has(MessageKind::Critical, QStringLiteral("Data is Exist"), QStringLiteral("Item Code : 1 is Already Exist")));
    EXPECT_EQ(refusal.field, QStringLiteral("ProdCode"));

    // a code longer than its column is refused, never cut (cut, it would be another item's code)
    saved(silk(QStringLiteral("SILK-60-ROYAL-RED-01"), QStringLiteral("Royal red")));
    EXPECT_FALSE(items->save(silk(QStringLiteral("SILK-60-ROYAL-RED-01-EXTRA"), QStringLiteral("Royal red extra")), {}, &refusal));
    EXPECT_EQ(year->messages.last().title, QStringLiteral("Invalid Entry"));
    EXPECT_EQ(year->messages.last().text, QStringLiteral("ProdCode takes at most 20 characters; \"SILK-60-ROYAL-RED-01...\" has 26"));
    EXPECT_EQ(refusal.field, QStringLiteral("ProdCode"));
    EXPECT_FALSE(items->save(silk(QStringLiteral("3"), QStringLiteral("   "))));
    EXPECT_EQ(year->messages.last().text, QStringLiteral("Please Enter Item Name"));
    EXPECT_EQ(year->count(QStringLiteral("ProdMst")), 2);

    // the same name in another firm is another item
    Item other = silk(QStringLiteral("1"), QStringLiteral("Silk 60"));
    other.firmNo = 2;
    saved(other);
    EXPECT_EQ(year->count(QStringLiteral("ProdMst")), 3);
}

TEST_F(ItemsTest, TypedValuesAreCheckedBeforeAnythingIsSaved) {
    struct Case { const char* key; const char* value; const char* message; };
    const Case cases[] = {
        {"RAteR", "12O", "Rate Retail : '12O' is not a number"},
        {"Vat", "60", "SGST % can not be more than 50"},
        {"AddTax", "-2.5", "CGST % can not be negative"},
        {"PurRAte", "-1", "Purchase Rate can not be negative"},
        {"IsActive", "maybe", "Active : 'maybe' should be Yes or No"},
        {"StkType", "Fabric", "Stock Type : 'Fabric' is not a stock type (Finished, Raw Material, Yarn, Trading, Semi Finished, "
                              "Labour, Capital Goods, Input Service, Other)"},
        {"CalcOn", "3", "Calculate On : '3' should be 1 (Mtrs /Qnty) or 2 (Pcs)"},
        {"Colour", "Red", "Unknown item field : Colour"},
    };
    for (const Case& c : cases) {
        year->messages.clear();
        QString bad;
        const QVariantMap values{{QStringLiteral("ProdName"), QStringLiteral("Silk")}, {QString::fromLatin1(c.key), QString::fromLatin1(c.value)}};
        EXPECT_FALSE(itemFromValues(values, year->messages, &bad)) << c.key;
        ASSERT_FALSE(year->messages.empty());
        EXPECT_EQ(year->messages.last().text, QString::fromLatin1(c.message));
        EXPECT_EQ(bad, QString::fromLatin1(c.key));
    }
    // good values of every kind
    year->messages.clear();
    const auto item = itemFromValues({{QStringLiteral("prodname"), QStringLiteral("Yarn 150D")}, {QStringLiteral("StkType"), QStringLiteral("yarn")},
                                      {QStringLiteral("CalcOn"), QStringLiteral("P")}, {QStringLiteral("Vat"), QStringLiteral("6")},
                                      {QStringLiteral("AddTax"), 6.0}, {QStringLiteral("IsActive"), QStringLiteral("No")},
                                      {QStringLiteral("RAteR"), QStringLiteral("1,250.50")}},
                                     year->messages);
    ASSERT_TRUE(item);
    EXPECT_EQ(item->stockType, QLatin1Char('Y'));
    EXPECT_EQ(item->calcOn, 2);
    EXPECT_EQ(item->igst(), d("12"));
    EXPECT_FALSE(item->active);
    EXPECT_EQ(item->rateRetail, d("1250.50"));
    EXPECT_TRUE(year->messages.empty());
    EXPECT_EQ(year->count(QStringLiteral("ProdMst")), 0);
}

TEST_F(ItemsTest, NewItemPostedInSeveralFirmsOrInNone) {
    year->session.firm.insert(QStringLiteral("Is_Prod_Sno"), true);
    saved(silk({}, QStringLiteral("Cotton")));  // firm 1 code 1
    Item other = silk({}, QStringLiteral("Poplin"));
    other.firmNo = 2;
    saved(other);  // firm 2 code 1
    saved(silk({}, QStringLiteral("Linen")));  // firm 1 code 2

    const auto ids = items->save(silk({}, QStringLiteral("Silk 60")), {2});
    ASSERT_TRUE(ids);
    ASSERT_EQ(ids->size(), 2u);
    EXPECT_EQ(items->load(ids->at(0))->code, QStringLiteral("3"));
    EXPECT_EQ(items->load(ids->at(1))->code, QStringLiteral("2"));
    EXPECT_EQ(items->load(ids->at(1))->firmNo, 2);
    EXPECT_NE(ids->at(0), ids->at(1));

    // a name taken in any ticked firm stops the whole save
    const int before = year->count(QStringLiteral("ProdMst"));
    EXPECT_FALSE(items->save(silk({}, QStringLiteral("poplin")), {2}));
    EXPECT_EQ(year->messages.last().text,
              QStringLiteral("This Product Name in Firm :Shree Krishna Weaving's Is Exist, Please Enter Another NAme"));
    EXPECT_EQ(year->count(QStringLiteral("ProdMst")), before);
}

TEST_F(ItemsTest, ClosedYearRefusesEveryChange) {
    const qint64 id = saved(silk(QStringLiteral("1"), QStringLiteral("Silk 60")));
    year->session.firm.insert(QStringLiteral("IsYrEnd"), 1);
    year->db().exec(QStringLiteral("UPDATE FirmMst SET IsYrEnd = 1 WHERE Srno = 1"));
    EXPECT_FALSE(items->save(silk(QStringLiteral("2"), QStringLiteral("Cotton"))));
    EXPECT_FALSE(items->remove(id));
    EXPECT_FALSE(items->generateCodes(silk({}, QStringLiteral("Saree")), QStringLiteral("S"), 1, 2));
    EXPECT_TRUE(year->messages.has(MessageKind::Critical, QStringLiteral("Year End Done"), kYearClosed));
    EXPECT_EQ(year->count(QStringLiteral("ProdMst")), 1);
}

TEST_F(ItemsTest, DeleteRefusedWhileSheetsLoomOrdersOrTakasUseTheItem) {
    struct Use { const char* what; const char* sql; };
    const Use uses[] = {
        {"its own consumption sheet", "INSERT INTO ConSumptionMst_Grey (ID, Sub_Id, FirmNo) VALUES (?, 1, 1)"},
        {"a yarn line of another sheet", "INSERT INTO ConSumptionMst_Dtl (ProdId, Sub_Id, Srno, QID) VALUES (999, 1, 1, ?)"},
        {"a loom order", "INSERT INTO Machine_Issue (ID, FirmNo, VoucherNo, ProductId) VALUES (1, 1, 1, ?)"},
        {"a produced taka", "INSERT INTO ProductionDtl (ProdId, Srno, TakaNO, qId) VALUES (1, 1, '101', ?)"},
    };
    int n = 0;
    for (const Use& use : uses) {
        ++n;
        const qint64 id = saved(silk(QString::number(n), QStringLiteral("Quality %1").arg(n)));
        year->db().exec(QString::fromLatin1(use.sql), {id});
        year->messages.clear();
        EXPECT_FALSE(items->remove(id)) << use.what;
        EXPECT_TRUE(year->messages.has(MessageKind::Critical, QStringLiteral("Item found"), kInUse)) << use.what;
        EXPECT_TRUE(items->load(id)) << use.what;
        ASSERT_TRUE(findItemReference(year->db(), id)) << use.what;
    }
    EXPECT_EQ(findItemReference(year->db(), 3)->table, QStringLiteral("Machine_Issue"));

    // an item nothing uses: the operator is asked, No keeps it, Yes deletes it
    const qint64 unused = saved(silk(QStringLiteral("50"), QStringLiteral("Unused")));
    year->messages.answerNext(false);
    EXPECT_FALSE(items->remove(unused));
    EXPECT_TRUE(items->load(unused));
    EXPECT_TRUE(items->remove(unused));
    EXPECT_TRUE(year->messages.has(MessageKind::Question, QStringLiteral("Delete Confirm"), QStringLiteral("Are you sure to delete this Item ?")));
    EXPECT_EQ(year->messages.last().text, QStringLiteral("This Item Is Deleted."));
    EXPECT_FALSE(items->load(unused));
}

TEST_F(ItemsTest, ColourGenerationMakesOneItemPerMissingColour) {
    int pro = 0;
    for (const char* colour : {"Red", "Blue", "Green", "Old Rose"})
        year->db().exec(QStringLiteral("INSERT INTO Mst_Process (Pro_Id, Pro_Name, FirmNo, Mst_Type, IsAct) VALUES (?, ?, 1, 'C', ?)"),
                        {++pro, QString::fromLatin1(colour), QString::fromLatin1(colour) == QLatin1String("Old Rose") ? 0 : 1});
    year->db().exec(QStringLiteral("INSERT INTO Mst_Process (Pro_Id, Pro_Name, FirmNo, Mst_Type, IsAct) VALUES (9, 'Yellow', 2, 'C', 1)"));
    saved(silk(QStringLiteral("7"), QStringLiteral("D-101 Red")));  // design D-101 in Red
    EXPECT_EQ(items->coloursMissingFor(QStringLiteral("d-101")), (QStringList{QStringLiteral("Blue"), QStringLiteral("Green")}));

    const auto ids = items->generateColours(silk({}, {}), {{QStringLiteral("Blue"), QStringLiteral("D-101 Royal Blue")},
                                                           {QStringLiteral("Green"), QString()}});
    ASSERT_TRUE(ids);
    ASSERT_EQ(ids->size(), 2u);
    const auto blue = items->load(ids->at(0));
    EXPECT_EQ(blue->name, QStringLiteral("D-101 Royal Blue"));
    EXPECT_EQ(blue->name2, QStringLiteral("Blue"));
    EXPECT_EQ(blue->code, QStringLiteral("8"));
    EXPECT_EQ(blue->subGroup, QStringLiteral("D-101"));
    EXPECT_EQ(items->load(ids->at(1))->name, QStringLiteral("Green"));
    EXPECT_EQ(items->load(ids->at(1))->code, QStringLiteral("9"));
    EXPECT_EQ(year->messages.last().text, QStringLiteral("New Item Is Generated!"));
    EXPECT_TRUE(items->coloursMissingFor(QStringLiteral("D-101")).isEmpty());
}

TEST_F(ItemsTest, CodeGenerationSkipsCodesTheFirmHas) {
    saved(silk(QStringLiteral("S2"), QStringLiteral("Saree old")));
    const auto ids = items->generateCodes(silk({}, QStringLiteral("Saree")), QStringLiteral(" S "), 1, 3);
    ASSERT_TRUE(ids);
    ASSERT_EQ(ids->size(), 2u);
    EXPECT_TRUE(year->messages.has(MessageKind::Critical, QStringLiteral("Data is Exist"), QStringLiteral("Item Code : S2 is Already Exist")));
    EXPECT_EQ(items->load(ids->at(0))->code, QStringLiteral("S1"));
    EXPECT_EQ(items->load(ids->at(1))->name, QStringLiteral("Saree S3"));
    EXPECT_EQ(year->messages.last().text, QStringLiteral("Item Code Is Generated!"));
    EXPECT_FALSE(items->generateCodes(silk({}, QStringLiteral("Saree")), QStringLiteral("S"), 5, 4));
}

TEST_F(ItemsTest, TransferCopiesItemsWithoutOpeningStock) {
    const qint64 silk60 = saved(silk(QStringLiteral("1"), QStringLiteral("Silk 60")));
    const qint64 cotton = saved(silk(QStringLiteral("2"), QStringLiteral("Cotton")));
    Item theirs = silk(QStringLiteral("1"), QStringLiteral("Cotton"));
    theirs.firmNo = 2;
    saved(theirs);

    const auto made = items->transfer({silk60, cotton}, 2);
    ASSERT_TRUE(made);
    ASSERT_EQ(made->size(), 1u);  // Cotton is already there
    const auto copy = items->load(made->front());
    EXPECT_EQ(copy->firmNo, 2);
    EXPECT_EQ(copy->name, QStringLiteral("Silk 60"));
    EXPECT_EQ(copy->code, QStringLiteral("2"));  // "1" is taken in firm 2
    EXPECT_EQ(copy->rateRetail, d("105"));
    EXPECT_TRUE(copy->openingQty.isZero());
    EXPECT_EQ(items->load(silk60)->openingQty, d("1250.5"));
    EXPECT_EQ(year->messages.last().text, QStringLiteral("Product is Transferd"));

    year->messages.answerNext(false);
    EXPECT_FALSE(items->transfer({silk60}, 2));
    EXPECT_EQ(year->count(QStringLiteral("ProdMst"), QStringLiteral("FirmNO = 2")), 2);
}

TEST_F(ItemsTest, SearchListAndPickLists) {
    saved(silk(QStringLiteral("1"), QStringLiteral("Silk 60")));
    Item cotton = silk(QStringLiteral("2"), QStringLiteral("Cotton"));
    cotton.sgst = d("6");
    cotton.cgst = d("6");
    cotton.group = QStringLiteral("Cotton Grey");
    saved(cotton);
    const auto rows = items->search(QStringLiteral("si"));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].text(QStringLiteral("ProdName")), QStringLiteral("Silk 60"));
    EXPECT_DOUBLE_EQ(rows[0].number(QStringLiteral("IGST")), 5.0);
    EXPECT_EQ(rows[0].text(QStringLiteral("PM")), QStringLiteral("M"));
    EXPECT_EQ(items->search({}).size(), 2u);
    EXPECT_EQ(items->groups(), (QStringList{QStringLiteral("Cotton Grey"), QStringLiteral("Rapier 60")}));
    EXPECT_EQ(items->sgstRates(), (QStringList{QStringLiteral("2.50"), QStringLiteral("6.00")}));
}

TEST_F(ItemsTest, DocumentLinesReadRatesTaxesUnitAndHsn) {
    const qint64 id = saved(silk(QStringLiteral("1"), QStringLiteral("Silk 60")));
    Item closed = silk(QStringLiteral("2"), QStringLiteral("Old quality"));
    closed.active = false;
    saved(closed);
    const qint64 fresh = saved(silk(QStringLiteral("3"), QStringLiteral("New quality")));
    year->db().exec(QStringLiteral("UPDATE ProdMst SET IsNewPro = 1 WHERE Id = ?"), {fresh});

    const auto line = itemForLine(year->db(), id);
    ASSERT_TRUE(line);
    EXPECT_EQ(line->unit, QStringLiteral("MTR"));
    EXPECT_EQ(line->hsn, QStringLiteral("5407"));
    EXPECT_EQ(line->uqc, QStringLiteral("MTR-METERS"));
    EXPECT_EQ(line->igst(), d("5"));
    EXPECT_EQ(line->rateRetail, d("105"));
    EXPECT_EQ(line->pricedPer, QStringLiteral("M"));
    // rates with GST: 105 x 100 / 105
    EXPECT_EQ(line->rateWithoutGst(d("105")).toString(4), QStringLiteral("100.0000"));
    EXPECT_EQ(line->rateWithoutGst(d("100")).toString(4), QStringLiteral("95.2381"));
    EXPECT_EQ(itemForLineByCode(year->db(), 1, QStringLiteral("1"))->id, id);
    EXPECT_FALSE(itemForLineByCode(year->db(), 2, QStringLiteral("1")));

    const auto offered = itemsForLines(year->db(), 1);
    ASSERT_EQ(offered.size(), 1u);
    EXPECT_EQ(offered[0].id, id);
    EXPECT_TRUE(itemsForLines(year->db(), 1, QStringLiteral("zz")).empty());
}

TEST_F(ItemsTest, PictureIsCopiedIntoTheImageFolder) {
    const qint64 id = saved(silk(QStringLiteral("7"), QStringLiteral("Silk 60")));
    const QString source = QDir(year->folder()).filePath(QStringLiteral("photo of silk.JPG"));
    QFile f(source);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("picture bytes");
    f.close();
    year->session.dataRoot = year->folder();
    ASSERT_TRUE(items->attachPicture(id, source));
    const QString stored = items->load(id)->photo;
    EXPECT_EQ(stored, QStringLiteral("Image/1_%1_7.jpg").arg(id));
    QFile copy(QDir(year->folder()).filePath(stored));
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    EXPECT_EQ(copy.readAll(), QByteArray("picture bytes"));

    EXPECT_FALSE(items->attachPicture(id, QDir(year->folder()).filePath(QStringLiteral("missing.jpg"))));
    EXPECT_TRUE(year->messages.last().text.startsWith(QStringLiteral("Please choose a picture (*.bmp;*.jpg) : ")));
    EXPECT_EQ(items->load(id)->photo, stored);
    ASSERT_TRUE(items->attachPicture(id, {}));  // Clear
    EXPECT_TRUE(items->load(id)->photo.isEmpty());
}

TEST_F(ItemsTest, ProductionFirmGetsQualityTypesFromItemGroups) {
    Item yarn = silk(QStringLiteral("1"), QStringLiteral("Viscose 150D"));
    yarn.group = QString();
    yarn.stockType = QLatin1Char('Y');
    saved(yarn);
    Item saree = silk(QStringLiteral("2"), QStringLiteral("Saree Red"));
    saree.subGroup = QString();
    saree.itemType = 2;
    saved(saree);
    saved(silk(QStringLiteral("3"), QStringLiteral("Saree Blue")));
    Item other = silk(QStringLiteral("1"), QStringLiteral("Dobby"));
    other.group = QStringLiteral("Dobby 48");
    other.firmNo = 2;
    other.stockType = QLatin1Char('O');
    saved(other);

    EXPECT_EQ(prepareProductionItems(year->db()), 2);
    EXPECT_EQ(year->count(QStringLiteral("Mst_Process"), QStringLiteral("Mst_Type = 'R' AND Pro_Name = 'Rapier 60' AND FirmNo = 1")), 1);
    EXPECT_EQ(year->count(QStringLiteral("Mst_Process"), QStringLiteral("Mst_Type = 'R' AND Pro_Name = 'Dobby 48' AND FirmNo = 2")), 1);
    EXPECT_EQ(items->loadByCode(QStringLiteral("2"))->subGroup, QStringLiteral("Saree Red"));
    EXPECT_EQ(items->loadByCode(QStringLiteral("2"))->itemType, 0);
    EXPECT_EQ(items->loadByCode(QStringLiteral("1"))->itemType, 1);
    EXPECT_EQ(items->loadByCode(QStringLiteral("1"), 2)->itemType, 2);

    // once the list has entries, the operator's item types stand
    year->db().exec(QStringLiteral("UPDATE ProdMst SET MrpDisc = 1 WHERE ProdCode = '3'"));
    EXPECT_EQ(prepareProductionItems(year->db()), 0);
    EXPECT_EQ(items->loadByCode(QStringLiteral("3"))->itemType, 1);
    EXPECT_EQ(year->count(QStringLiteral("Mst_Process")), 2);
}
