// The selling screens on the shared document form, tried by the clerk of a Surat weaving firm at
// 1366x768 with the keyboard: a challan, a production challan and an opening bill typed and saved,
// the first key of each landing in its first field, a typo in a number refused with the cursor
// kept and nothing written, Exit with unsaved changes asking, and a clerk without the delete
// right refused a bill's deletion from the screen with the bill and its journal left whole.
// Set TANABANA_SCREENSHOTS to a folder to keep pictures.
#include "domain/trade/SalesInvoices.h"
#include "gui/common/Style.h"
#include "gui/trade/ChallanScreen.h"
#include "gui/trade/OpeningSalesScreen.h"
#include "gui/trade/ProductionScreen.h"
#include "gui/trade/SalesScreen.h"
#include "support/FirmBooks.h"
#include "support/ScreenProbe.h"
#include "support/YearFixture.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>
#include <gtest/gtest.h>

using namespace tanabana;

namespace {

Decimal d(const char* text) { return *Decimal::parse(QString::fromLatin1(text)); }

class SellingScreensTest : public ::testing::Test {
protected:
    void SetUp() override {
        gui::applyApplicationStyle(*qApp);
        test::seedDefaultChart(db());
        year.session.firm.insert(QStringLiteral("CST"), QStringLiteral("24-Gujarat"));
        year.session.firm.insert(QStringLiteral("Is_Sales_RndOff"), 1);
        ramesh = test::addAccount(db(), QStringLiteral("Ramesh Silk Mills"), 35);
        db().exec(QStringLiteral("INSERT INTO ProdMst (Id, ProdCode, ProdName, StkType, RAteR, Vat, AddTax, VatCalc, CalcOn, IsActive, "
                                 "IsNewPro, FirmNO) VALUES (4, '104', 'Rapier 60 Grey', 'F', 52.25, 2.5, 2.5, 1, 1, 1, 0, 1)"));
    }

    void show(QWidget& screen) {
        screen.resize(1366, 650);
        screen.show();
        QApplication::setActiveWindow(&screen);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&screen));
    }
    static QString focused() {
        QWidget* w = QApplication::focusWidget();
        if (w && (qobject_cast<QAbstractSpinBox*>(w->parentWidget()) || qobject_cast<QComboBox*>(w->parentWidget()))) w = w->parentWidget();
        return w ? w->objectName() : QString();
    }
    static void type(const QString& text) { QTest::keyClicks(QApplication::focusWidget(), text); }
    static void enter() { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); }
    static bool enterUntil(const QString& name) {
        for (int i = 0; i < 40 && focused() != name; ++i) enter();
        return focused() == name;
    }
    // Exit on a screen with something typed: the question comes, Go Back keeps the screen.
    void exitAsks(QWidget& screen) {
        year.messages.clear();
        year.messages.chooseNext(2);
        screen.findChild<QPushButton*>(QStringLiteral("Cmd_Exit"))->click();
        EXPECT_TRUE(year.messages.has(MessageKind::Question, QStringLiteral("Entry Not Saved"),
                                      QStringLiteral("This entry has changes that are not saved.\nSave them before leaving?")))
            << screen.objectName().toStdString();
        EXPECT_TRUE(screen.isVisible()) << screen.objectName().toStdString();
    }
    // A typo typed in `field` and Enter: refused by name, the cursor kept there.
    void typoRefused(const QString& field, const QString& typo, const QString& refusal) {
        ASSERT_TRUE(enterUntil(field));
        type(typo);
        enter();
        EXPECT_EQ(year.messages.last().text, refusal);
        EXPECT_EQ(focused(), field);
    }

    db::Database& db() { return year.db(); }
    test::YearFixture year;
    qint64 ramesh = 0;
};

TEST_F(SellingScreensTest, ChallanTypedByKeysStaysOnScreenAfterItsSave) {
    gui::ChallanScreen screen(db(), year.session, year.messages, false);
    show(screen);
    ASSERT_EQ(focused(), QStringLiteral("txtBook"));
    ASSERT_TRUE(enterUntil(QStringLiteral("txtParty")));
    type(QStringLiteral("Ram"));
    enter();
    ASSERT_TRUE(enterUntil(QStringLiteral("txtVehicleNo")));
    type(QStringLiteral("GJ-05-ZZ-0099"));
    ASSERT_TRUE(enterUntil(QStringLiteral("txtQuality")));
    type(QStringLiteral("104"));
    enter();
    typoRefused(QStringLiteral("txtMtrs"), QStringLiteral("1O8.5"), QStringLiteral("Mtrs takes a number: 1O8.5 is not one."));
    exitAsks(screen);
    screen.findChild<QLineEdit*>(QStringLiteral("txtMtrs"))->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    type(QStringLiteral("108.5"));
    ASSERT_TRUE(enterUntil(QStringLiteral("txtRate")));
    enter();  // the line is added at the quality's 52.25
    auto* grid = screen.lineGrid();
    ASSERT_EQ(grid->rowCount(), 2);
    EXPECT_EQ(grid->item(1, 7)->text(), QStringLiteral("5,669.12"));  // the bold total: half a paisa to the even
    EXPECT_TRUE(grid->item(1, 7)->font().bold());
    test::keepPicture(&screen, QStringLiteral("frmChalan-1366"));
    ASSERT_TRUE(enterUntil(QStringLiteral("cmd_save")));
    enter();
    EXPECT_EQ(year.count(QStringLiteral("ChalanMst"), QStringLiteral("T_VehNO = 'GJ-05-ZZ-0099'")), 1);
    EXPECT_EQ(year.count(QStringLiteral("ChalanDtl"), QStringLiteral("Qty = 108.5")), 1);
    // on screen still, numbered, in the list, and nothing left unsaved
    EXPECT_GT(screen.documentId(), 0);
    EXPECT_EQ(screen.findChild<QLabel*>(QStringLiteral("lblStatus"))->text(), QStringLiteral("Saved as Chalan No 1"));
    EXPECT_EQ(screen.savedList()->rowCount(), 1);
    EXPECT_EQ(focused(), QStringLiteral("Cmd_Print"));
    year.messages.clear();
    screen.findChild<QPushButton*>(QStringLiteral("Cmd_Exit"))->click();
    EXPECT_TRUE(year.messages.empty());
    EXPECT_FALSE(screen.isVisible());
}

TEST_F(SellingScreensTest, ProductionTakasTypedByKeysWithATypoRefused) {
    db().exec(QStringLiteral("UPDATE AccMst SET ZoneName = 'J' WHERE Id = ?"), {ramesh});  // weaves for the firm
    gui::ProductionScreen screen(db(), year.session, year.messages);
    show(screen);
    ASSERT_EQ(focused(), QStringLiteral("txtFirmName"));
    ASSERT_TRUE(enterUntil(QStringLiteral("txtAccNo")));
    type(QStringLiteral("Ram"));
    enter();
    ASSERT_TRUE(enterUntil(QStringLiteral("txtTakaNo")));
    enter();  // taka 1 as proposed
    type(QStringLiteral("Rapier"));
    enter();
    typoRefused(QStringLiteral("txtMtrs"), QStringLiteral("2.52.5"), QStringLiteral("Mtrs takes a number: 2.52.5 is not one."));
    // the loom's Enter does not add the taka while the metres are wrong
    ASSERT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("txtMtrs"));
    screen.findChild<QLineEdit*>(QStringLiteral("txtMcNo"))->setFocus();
    type(QStringLiteral("L4"));
    enter();
    EXPECT_EQ(screen.lineGrid()->rowCount(), 1);
    EXPECT_EQ(focused(), QStringLiteral("txtMtrs"));
    exitAsks(screen);
    qobject_cast<QLineEdit*>(QApplication::focusWidget())->setText(QStringLiteral("98.75"));
    ASSERT_TRUE(enterUntil(QStringLiteral("txtMcNo")));
    enter();  // added; the next taka number is proposed
    ASSERT_EQ(focused(), QStringLiteral("txtTakaNo"));
    EXPECT_EQ(screen.findChild<QLineEdit*>(QStringLiteral("txtTakaNo"))->text(), QStringLiteral("2"));
    test::keepPicture(&screen, QStringLiteral("frmProduction-1366"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
    enter();
    ASSERT_EQ(focused(), QStringLiteral("cmd_save"));
    enter();
    EXPECT_EQ(year.count(QStringLiteral("ProductionDtl"), QStringLiteral("TakaNO = '1' AND Mtrs = 98.75 AND McNo = 'L4'")), 1);
    ASSERT_EQ(screen.savedList()->rowCount(), 1);
    QStringList row;
    for (int c = 0; c < screen.savedList()->columnCount(); ++c) row << screen.savedList()->item(0, c)->text();
    EXPECT_EQ(row.mid(2, 3), (QStringList{"1", "98.750", "Ramesh Silk Mills"}));
}

TEST_F(SellingScreensTest, OpeningBillTypedByKeysWithItsExit) {
    gui::OpeningSalesScreen screen(db(), year.session, year.messages);
    show(screen);
    ASSERT_EQ(focused(), QStringLiteral("txtBook"));
    ASSERT_TRUE(screen.findChild<QPushButton*>(QStringLiteral("Cmd_Exit")));
    enter();
    type(QStringLiteral("OP/17"));
    enter();
    enter();  // dated the day before the year
    typoRefused(QStringLiteral("txtPendingAmt"), QStringLiteral("12,5OO"), QStringLiteral("Pending Amount takes a number: 12,5OO is not one."));
    exitAsks(screen);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    type(QStringLiteral("12500"));
    enter();
    ASSERT_EQ(focused(), QStringLiteral("txtParty"));
    type(QStringLiteral("Ram"));
    enter();
    ASSERT_EQ(focused(), QStringLiteral("cmd_save"));
    test::keepPicture(&screen, QStringLiteral("frmSalesOp-1366"));
    enter();
    const auto bill = db().queryOne(QStringLiteral("SELECT * FROM SalBillMst WHERE IsOp = -1"));
    ASSERT_TRUE(bill);
    EXPECT_EQ(bill->text(QStringLiteral("BillNO")), QStringLiteral("OP/17"));
    EXPECT_EQ(bill->date(QStringLiteral("BillDate")), year.session.yearStartDate.addDays(-1));
    EXPECT_EQ(year.count(QStringLiteral("Acc_OutSt")), 1);
    ASSERT_EQ(screen.savedList()->rowCount(), 1);
    EXPECT_EQ(screen.savedList()->item(0, 3)->text(), QStringLiteral("12,500.00"));
    EXPECT_FALSE(screen.findChild<QPushButton*>(QStringLiteral("Cmd_Print"))->isEnabled());
    screen.findChild<QPushButton*>(QStringLiteral("Cmd_Exit"))->click();
    EXPECT_FALSE(screen.isVisible());
}

TEST_F(SellingScreensTest, AClerkWithoutTheDeleteRightCannotDeleteABillFromTheScreen) {
    trade::SalesBill bill;
    bill.bookNo = 1;
    bill.billNo = QStringLiteral("7");
    bill.date = QDate(2025, 1, 10);
    bill.partyId = ramesh;
    trade::SalesLine line;
    line.qualityId = 4;
    line.input.metres = d("100");
    line.input.listRate = d("52.25");
    line.input.sgstPercent = line.input.cgstPercent = d("2.5");
    bill.lines = {line};
    const auto id = trade::SalesInvoices(db(), year.session, year.messages).save(bill);
    ASSERT_TRUE(id);
    const int journal = year.count(QStringLiteral("HeadDtl3"));
    year.session.rights.insert(QStringLiteral("IsDelete"), 0);

    gui::SalesScreen screen(db(), year.session, year.messages);
    show(screen);
    auto* list = screen.savedList();
    list->setFocus();
    list->setCurrentCell(0, 0);
    enter();
    ASSERT_EQ(screen.currentId(), *id);
    auto* remove = screen.findChild<QPushButton*>(QStringLiteral("cmd_Delete"));
    ASSERT_TRUE(remove->isEnabled());
    year.messages.clear();
    remove->click();
    EXPECT_TRUE(year.messages.has(MessageKind::Critical, QStringLiteral("No Right"), QStringLiteral("You Have No Right To Delete Entries.")));
    EXPECT_EQ(year.count(QStringLiteral("SalBillMst")), 1);
    EXPECT_EQ(year.count(QStringLiteral("SalBillDtl")), 1);
    EXPECT_EQ(year.count(QStringLiteral("HeadDtl3")), journal);
    EXPECT_EQ(year.count(QStringLiteral("Table_Del_History")), 0);
    // the bill stays on screen as it was
    EXPECT_EQ(screen.currentId(), *id);
    EXPECT_EQ(screen.findChild<QLineEdit*>(QStringLiteral("txtBillNo"))->text(), QStringLiteral("7"));
    EXPECT_EQ(list->rowCount(), 1);
}

}  // namespace
