// The item, broker, list, loom, consumption and rate update screens driven as an operator drives
// them, by key clicks on the offscreen platform: typed fields, Enter to move on, Save, the list
// beside the fields, and refusals with nothing written. Set TANABANA_SCREENSHOTS to a folder to
// keep pictures of the screens.
#include "domain/products/ItemMaster.h"
#include "domain/products/SmallMasters.h"
#include "gui/common/SelectionGrid.h"
#include "gui/common/Style.h"
#include "gui/products/ItemScreen.h"
#include "gui/products/ProductScreens.h"
#include "gui/products/SheetScreens.h"
#include "gui/products/SmallScreens.h"
#include "support/YearFixture.h"
#include "support/ScreenProbe.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>
#include <gtest/gtest.h>

using namespace tanabana;
using namespace tanabana::products;

namespace {

void showScreen(QWidget* w) {
    w->resize(1100, 700);
    w->show();
    QApplication::setActiveWindow(w);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
}

// Types into a field and leaves it with Enter, as the operator does.
void type(QWidget* screen, const QString& name, const QString& shownText) {
    auto* box = screen->findChild<QLineEdit*>(name);
    if (!box)
        if (auto* combo = screen->findChild<QComboBox*>(name)) box = combo->lineEdit();
    ASSERT_TRUE(box) << qPrintable(name);
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, shownText);
    QTest::keyClick(box, Qt::Key_Return);
}

void pick(QWidget* screen, const QString& name, const QString& entry) {
    auto* combo = screen->findChild<QComboBox*>(name);
    ASSERT_TRUE(combo) << qPrintable(name);
    const int i = combo->findText(entry);
    ASSERT_GE(i, 0) << qPrintable(entry);
    combo->setCurrentIndex(i);
}

void pressButton(QWidget* screen, const QString& button) {
    auto* b = screen->findChild<QPushButton*>(button);
    ASSERT_TRUE(b) << qPrintable(button);
    b->setFocus();
    QTest::keyClick(b, Qt::Key_Return);  // Enter on a focused button presses it
}

QString shownText(QWidget* screen, const QString& name) {
    if (auto* e = screen->findChild<QLineEdit*>(name)) return e->text();
    if (auto* l = screen->findChild<QLabel*>(name)) return l->text();
    return {};
}

class ProductScreens : public ::testing::Test {
protected:
    void SetUp() override {
        gui::applyApplicationStyle(*qApp);
        year.addFirm(2, QStringLiteral("Shree Krishna Weaving"));
    }
    test::YearFixture year;
};

}  // namespace

TEST_F(ProductScreens, ItemMasterSavesTypedItemAndRefusesLetters) {
    gui::ItemScreen screen(year.session, false, nullptr, &year.messages);
    showScreen(&screen);
    EXPECT_EQ(shownText(&screen, QStringLiteral("ProdCode")), QStringLiteral("1"));
    type(&screen, QStringLiteral("ProdName"), QStringLiteral("Silk 60 \"Royal\""));
    type(&screen, QStringLiteral("ProdGrp"), QStringLiteral("Fancy"));
    type(&screen, QStringLiteral("UNit"), QStringLiteral("MTR"));
    type(&screen, QStringLiteral("RAteR"), QStringLiteral("105"));
    type(&screen, QStringLiteral("Vat"), QStringLiteral("2.5"));
    type(&screen, QStringLiteral("AddTax"), QStringLiteral("2.5"));
    type(&screen, QStringLiteral("hsnCode"), QStringLiteral("5407"));
    EXPECT_EQ(shownText(&screen, QStringLiteral("IGST")), QStringLiteral("5.00"));
    pick(&screen, QStringLiteral("CalcOn"), QStringLiteral("2. Pcs"));
    test::keepPicture(&screen, QStringLiteral("FrmProdMst"));
    pressButton(&screen, QStringLiteral("cmd_save"));
    ASSERT_EQ(year.count(QStringLiteral("ProdMst")), 1) << (year.messages.empty() ? "" : qPrintable(year.messages.last().text));
    ItemMaster items(year.db(), year.session, year.messages);
    const auto saved = items.loadByCode(QStringLiteral("1"));
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->name, QStringLiteral("Silk 60 \"Royal\""));
    EXPECT_EQ(saved->igst(), Decimal(5));
    EXPECT_EQ(saved->calcOn, 2);
    EXPECT_TRUE(saved->active);
    EXPECT_EQ(screen.list()->rowCount(), 1);
    EXPECT_EQ(shownText(&screen, QStringLiteral("ProdCode")), QStringLiteral("2"));  // cleared for the next item

    // leaving the name of a new item that the firm has asks before going on
    type(&screen, QStringLiteral("ProdName"), QStringLiteral("silk 60 \"royal\""));
    EXPECT_TRUE(year.messages.has(MessageKind::Question, QStringLiteral("Product Found"),
                                  QStringLiteral("This Product is Already exist. would you like to change ? ")));
    EXPECT_EQ(QApplication::focusWidget(), screen.field(QStringLiteral("ProdName")));
    type(&screen, QStringLiteral("ProdName"), QStringLiteral("Cotton"));
    type(&screen, QStringLiteral("RAteR"), QStringLiteral("12O"));
    pressButton(&screen, QStringLiteral("cmd_save"));
    EXPECT_EQ(year.messages.last().text, QStringLiteral("Rate Retail takes a number: 12O is not one."));
    EXPECT_EQ(QApplication::focusWidget(), screen.field(QStringLiteral("RAteR")));
    EXPECT_EQ(year.count(QStringLiteral("ProdMst")), 1);

    // the list opens an item with Enter; a change keeps its code
    screen.list()->setFocus();
    screen.list()->selectRow(0);
    QTest::keyClick(screen.list(), Qt::Key_Return);
    EXPECT_EQ(shownText(&screen, QStringLiteral("ProdName")), QStringLiteral("Silk 60 \"Royal\""));
    EXPECT_EQ(shownText(&screen, QStringLiteral("RAteR")), QStringLiteral("105"));
    type(&screen, QStringLiteral("RAteR"), QStringLiteral("110"));
    pressButton(&screen, QStringLiteral("cmd_save"));
    EXPECT_EQ(items.loadByCode(QStringLiteral("1"))->rateRetail, Decimal(110));
    EXPECT_EQ(year.count(QStringLiteral("ProdMst")), 1);
}

TEST_F(ProductScreens, RapierMasterGeneratesOneItemPerColour) {
    ProcessMaster lists(year.db(), year.session, year.messages);
    for (const char* colour : {"Red", "Blue", "Green"}) {
        ProcessEntry e;
        e.name = QString::fromLatin1(colour);
        e.listType = QLatin1Char('C');
        lists.save(e);
    }
    year.session.firm.insert(QStringLiteral("Soft_Type"), 9);
    EXPECT_EQ(gui::itemMasterWindowName(year.session), QStringLiteral("FrmProdMstRapier"));
    gui::ItemScreen screen(year.session, true, nullptr, &year.messages);
    showScreen(&screen);
    EXPECT_EQ(screen.windowTitle(), QStringLiteral("<< RAPIER ITEM MASTER >>"));
    type(&screen, QStringLiteral("ProdName"), QStringLiteral("D-101 Red"));
    type(&screen, QStringLiteral("P1"), QStringLiteral("Red"));
    type(&screen, QStringLiteral("ProdGrp"), QStringLiteral("Rapier 60"));
    type(&screen, QStringLiteral("ProdSubGrp"), QStringLiteral("D-101"));
    type(&screen, QStringLiteral("Ratew"), QStringLiteral("60"));
    pressButton(&screen, QStringLiteral("cmd_save"));
    ASSERT_EQ(year.count(QStringLiteral("ProdMst")), 1);

    // the design's other colours, all ticked with F3, become items of their own
    type(&screen, QStringLiteral("ProdName"), QStringLiteral("D-101"));
    type(&screen, QStringLiteral("ProdGrp"), QStringLiteral("Rapier 60"));
    type(&screen, QStringLiteral("ProdSubGrp"), QStringLiteral("D-101"));
    gui::SelectionGrid* colours = screen.colourGrid();
    ASSERT_EQ(colours->rowCount(), 2);
    screen.findChild<QTabWidget*>(QStringLiteral("tabsMore"))->setCurrentIndex(1);
    colours->setFocus();
    QTest::keyClick(colours, Qt::Key_F3);
    EXPECT_EQ(colours->tickedRows().size(), 2);
    test::keepPicture(&screen, QStringLiteral("FrmProdMstRapier"));
    pressButton(&screen, QStringLiteral("cmdColour"));
    EXPECT_EQ(year.messages.last().text, QStringLiteral("New Item Is Generated!"));
    EXPECT_EQ(year.count(QStringLiteral("ProdMst"), QStringLiteral("ProdSubGrp = 'D-101' AND ProdGrp = 'Rapier 60'")), 3);
}

TEST_F(ProductScreens, BrokerListAndLoomScreens) {
    gui::BrokerScreen brokers(year.session, nullptr, &year.messages);
    showScreen(&brokers);
    type(&brokers, QStringLiteral("PName"), QStringLiteral("Ramesh Shah"));
    type(&brokers, QStringLiteral("City"), QStringLiteral("Surat"));
    type(&brokers, QStringLiteral("CST"), QStringLiteral("1.5"));
    test::keepPicture(&brokers, QStringLiteral("frmAgent"));
    pressButton(&brokers, QStringLiteral("cmd_save"));
    EXPECT_EQ(year.count(QStringLiteral("BrokerMst"), QStringLiteral("FirmNO = 1 AND CST = 1.5")), 1);
    type(&brokers, QStringLiteral("PName"), QStringLiteral("ramesh shah"));
    pressButton(&brokers, QStringLiteral("cmd_save"));
    EXPECT_EQ(year.messages.last().title, QStringLiteral("A/c Duplicate"));
    EXPECT_EQ(year.count(QStringLiteral("BrokerMst")), 1);
    EXPECT_EQ(brokers.list()->rowCount(), 1);

    gui::ProcessScreen lists(year.session, nullptr, &year.messages);
    showScreen(&lists);
    pick(&lists, QStringLiteral("Mst_Type"), QStringLiteral("Colour"));
    EXPECT_EQ(lists.windowTitle(), QStringLiteral("COLOUR MASTER"));
    type(&lists, QStringLiteral("Pro_Name"), QStringLiteral("Rani Pink"));
    pressButton(&lists, QStringLiteral("cmd_save"));
    EXPECT_EQ(year.count(QStringLiteral("Mst_Process"), QStringLiteral("Mst_Type = 'C' AND Pro_Name = 'Rani Pink'")), 1);
    test::keepPicture(&lists, QStringLiteral("frmAgent_1"));

    gui::MachineScreen looms(year.session, nullptr, &year.messages);
    showScreen(&looms);
    type(&looms, QStringLiteral("MachineName"), QStringLiteral("L-07"));
    type(&looms, QStringLiteral("PannaNO"), QStringLiteral("52"));
    type(&looms, QStringLiteral("Pattern"), QStringLiteral("PLAIN"));
    pressButton(&looms, QStringLiteral("cmd_save"));
    EXPECT_EQ(year.count(QStringLiteral("Mst_Machine"), QStringLiteral("MachineName = 'L-07' AND PannaNO = 52")), 1);
    EXPECT_EQ(looms.list()->rowCount(), 1);
    test::keepPicture(&looms, QStringLiteral("FrmAgent_Machine"));
}

TEST_F(ProductScreens, ConsumptionSheetAddsUpAsTyped) {
    ItemMaster items(year.db(), year.session, year.messages);
    Item saree;
    saree.code = QStringLiteral("1");
    saree.name = QStringLiteral("D-101 Red");
    saree.subGroup = QStringLiteral("D-101");
    saree.group = QStringLiteral("Rapier 60");
    saree.name2 = QStringLiteral("Red");
    const qint64 sareeId = items.save(saree)->front();
    Item viscose;
    viscose.code = QStringLiteral("2");
    viscose.name = QStringLiteral("Viscose 150D");
    viscose.stockType = QLatin1Char('Y');
    viscose.mrp = Decimal(150);
    viscose.ratePurchase = Decimal(210);
    items.save(viscose);

    gui::ConsumptionScreen screen(year.session, nullptr, &year.messages);
    showScreen(&screen);
    screen.chooseFabric(sareeId);
    type(&screen, QStringLiteral("txtF_L"), QStringLiteral("3937"));
    type(&screen, QStringLiteral("txtF_W"), QStringLiteral("48"));
    type(&screen, QStringLiteral("txtWaste1"), QStringLiteral("2"));
    type(&screen, QStringLiteral("txtCostPerPick"), QStringLiteral("0.02"));
    pick(&screen, QStringLiteral("ComYarn"), QStringLiteral(" |  | 150 | Viscose 150D"));
    EXPECT_EQ(shownText(&screen, QStringLiteral("txtDenier")), QStringLiteral("150"));  // from the yarn
    type(&screen, QStringLiteral("txtPick"), QStringLiteral("60"));
    pressButton(&screen, QStringLiteral("cmdAddLine"));
    EXPECT_EQ(shownText(&screen, QStringLiteral("lblMtrs")), QStringLiteral("100.000"));
    EXPECT_EQ(screen.totalText(QStringLiteral("lblTotWt")), QStringLiteral("4.896"));
    EXPECT_EQ(screen.totalText(QStringLiteral("lblTotPick")), QStringLiteral("60"));
    EXPECT_EQ(screen.totalText(QStringLiteral("lblJobCost")), QStringLiteral("120.000"));
    EXPECT_EQ(screen.totalText(QStringLiteral("lblTotCost")), QStringLiteral("1148.16"));
    test::keepPicture(&screen, QStringLiteral("frmProdMst_Consumption_MD"));
    pressButton(&screen, QStringLiteral("cmd_save"));
    EXPECT_EQ(year.messages.last().text, QStringLiteral("One Transaction Is Saved."));
    EXPECT_EQ(year.count(QStringLiteral("ConSumptionMst_Dtl"), QStringLiteral("ProdId = ? AND Wt = 4.896"), {sareeId}), 1);
}

TEST_F(ProductScreens, RateUpdateRaisesTickedRates) {
    ItemMaster items(year.db(), year.session, year.messages);
    for (const char* name : {"Silk 60", "Cotton"}) {
        Item i;
        i.name = QString::fromLatin1(name);
        i.code = items.nextCode();
        i.rateRetail = Decimal(105);
        items.save(i);
    }
    gui::RateUpdateScreen screen(year.session, nullptr, &year.messages);
    showScreen(&screen);
    ASSERT_EQ(screen.grid()->rowCount(), 2);
    screen.grid()->setFocus();
    screen.grid()->setCurrentCell(1, 0);  // Silk 60 (by name, after Cotton)
    QTest::keyClick(screen.grid(), Qt::Key_Space);
    pick(&screen, QStringLiteral("ComRate"), QStringLiteral("Retail Rate"));
    type(&screen, QStringLiteral("txtPercent"), QStringLiteral("10"));
    test::keepPicture(&screen, QStringLiteral("FrmProdMstCommonList"));
    pressButton(&screen, QStringLiteral("cmdRate"));
    EXPECT_EQ(year.messages.last().text, QStringLiteral("Rate Changed"));
    EXPECT_EQ(items.loadByCode(QStringLiteral("1"))->rateRetail, Decimal(116));
    EXPECT_EQ(items.loadByCode(QStringLiteral("2"))->rateRetail, Decimal(105));
    EXPECT_EQ(screen.grid()->item(1, 9)->text(), QStringLiteral("116.00"));  // the list shows the new rate
}
