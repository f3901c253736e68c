// The sales invoice screen used the way an operator uses it: a ten-line bill typed with the
// keyboard alone (Enter through the fields, search lists under party and quality), saved and
// posted; then the saved bill opened again. Also a screenshot for looking at.
#include "domain/trade/SalesInvoices.h"
#include "gui/trade/ChallanScreen.h"
#include "gui/trade/ProductionScreen.h"
#include "gui/trade/SalesScreen.h"
#include "support/FirmBooks.h"
#include "support/YearFixture.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>
#include <gtest/gtest.h>

using namespace tanabana;

namespace {

class SalesScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::seedDefaultChart(year.db());
        year.session.firm.insert(QStringLiteral("CST"), QStringLiteral("24-Gujarat"));
        year.session.firm.insert(QStringLiteral("Is_Sales_RndOff"), 1);
        test::addAccount(year.db(), QStringLiteral("Ramesh Silk Mills"), 35);
        test::addAccount(year.db(), QStringLiteral("Rajdhani Fabrics"), 35, 1, QStringLiteral("07-Delhi"));
        const char* names[] = {"Rapier 60 Red", "Rapier 60 Blue", "Georgette 44", "Chiffon Print", "Satin Plain"};
        for (int i = 0; i < 5; ++i)
            year.db().exec(QStringLiteral("INSERT INTO ProdMst (Id, ProdCode, ProdName, StkType, RAteR, Vat, AddTax, VatCalc, CalcOn, "
                                          "IsActive, IsNewPro, FirmNO) VALUES (?, ?, ?, 'F', ?, 2.5, 2.5, 1, 1, 1, 0, 1)"),
                           {i + 1, QString::number(101 + i), QString::fromLatin1(names[i]), 100 + i * 5});
    }

    void type(const QString& text) { QTest::keyClicks(QApplication::focusWidget(), text); }
    void enter() { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); }
    QString focused() const { return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString(); }

    test::YearFixture year;
};

TEST_F(SalesScreenTest, TenLineBillTypedWithTheKeyboardAlone) {
    year.session.setYear(2025);
    gui::SalesScreen screen(year.db(), year.session, year.messages);
    screen.resize(1200, 820);
    screen.show();
    QApplication::setActiveWindow(&screen);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&screen));
    ASSERT_EQ(focused(), QStringLiteral("txtBook"));

    enter();  // book 1
    ASSERT_EQ(focused(), QStringLiteral("txtBillNo"));
    EXPECT_EQ(screen.findChild<QLineEdit*>(QStringLiteral("txtBillNo"))->text(), QStringLiteral("1"));
    enter();  // bill number as proposed
    enter();  // the date as proposed: the year's last day when today lies outside the year
    ASSERT_EQ(focused(), QStringLiteral("txtParty"));
    type(QStringLiteral("Ram"));
    EXPECT_TRUE(screen.findChild<QTableWidget*>(QStringLiteral("txtParty_list"))->isVisible());
    enter();  // takes "Ramesh Silk Mills" from the list
    ASSERT_EQ(focused(), QStringLiteral("txtDeli"));
    EXPECT_EQ(screen.findChild<QLineEdit*>(QStringLiteral("txtParty"))->text(), QStringLiteral("Ramesh Silk Mills"));
    while (focused() != QStringLiteral("txtQuality")) {
        if (focused() == QStringLiteral("txtDescription")) type(QStringLiteral("Diwali order"));
        enter();
    }

    for (int i = 0; i < 10; ++i) {
        ASSERT_EQ(focused(), QStringLiteral("txtQuality")) << "line " << i + 1;
        type(QString::number(101 + i % 5));  // by item code
        enter();
        ASSERT_EQ(focused(), QStringLiteral("txtDesc"));
        type(QStringLiteral("Lot %1").arg(i + 1));
        enter();
        type(QStringLiteral("4"));   // pieces
        enter();
        enter();                     // cut
        type(QString::number(100 + i * 10));  // metres
        enter();
        enter();                     // rate basis M
        enter();                     // the item's rate as proposed
        if (i == 0) type(QStringLiteral("2"));  // 2% discount on the first line
        enter();
        enter();                     // second discount: the line is added
    }
    ASSERT_EQ(focused(), QStringLiteral("txtQuality"));
    enter();  // empty quality: on to the charges
    ASSERT_EQ(focused(), QStringLiteral("txtTcsP"));
    enter();
    enter();
    ASSERT_EQ(focused(), QStringLiteral("txtOther"));
    enter();
    ASSERT_EQ(focused(), QStringLiteral("cmd_save"));

    QDir().mkpath(QStringLiteral("/tmp/tanabana-shots"));
    screen.grab().save(QStringLiteral("/tmp/tanabana-shots/frmSales.png"));
    EXPECT_TRUE(screen.findChild<QLabel*>(QStringLiteral("lblNetAmt"))->text().startsWith(QStringLiteral("Net Amt")));
    enter();  // Save

    EXPECT_TRUE(year.messages.has(MessageKind::Information, QStringLiteral("SAVE Confirmation"), QStringLiteral("ONE TRANSACTION IS SAVED")));
    ASSERT_EQ(year.count(QStringLiteral("SalBillMst")), 1);
    EXPECT_EQ(year.count(QStringLiteral("SalBillDtl")), 10);
    const auto bill = year.db().queryOne(QStringLiteral("SELECT * FROM SalBillMst"));
    EXPECT_EQ(bill->date(QStringLiteral("BillDate")), QDate(2025, 3, 31));
    EXPECT_EQ(bill->text(QStringLiteral("Notes")), QStringLiteral("Diwali order"));
    // Lines: 100..190 m at 100, 105, 110, 115, 120 (twice round), the first less 2%.
    Decimal taxable;
    for (int i = 0; i < 10; ++i) taxable += Decimal(100 + i * 10) * Decimal(100 + (i % 5) * 5);
    taxable -= Decimal(100) * Decimal(100) * Decimal(2) / Decimal(100);
    EXPECT_DOUBLE_EQ(bill->number(QStringLiteral("BAmt")), taxable.toDouble());
    EXPECT_EQ(year.count(QStringLiteral("HeadDtl3"), QStringLiteral("TableCode = 3 AND VoucherNo = ?"), {bill->integer(QStringLiteral("Id"))}), 4);
    // The saved bill stays on screen with its number; New gets the screen ready for the next bill.
    EXPECT_EQ(screen.findChild<QLineEdit*>(QStringLiteral("txtBillNo"))->text(), QStringLiteral("1"));
    screen.findChild<QPushButton*>(QStringLiteral("cmd_New"))->click();
    EXPECT_EQ(screen.findChild<QLineEdit*>(QStringLiteral("txtBillNo"))->text(), QStringLiteral("2"));

    screen.openBill(bill->integer(QStringLiteral("Id")));
    EXPECT_EQ(screen.billOnScreen().lines.size(), 10u);
    EXPECT_EQ(screen.findChild<QTableWidget*>(QStringLiteral("vsgrid"))->rowCount(), 11);  // ten lines and "Tot"
}

}  // namespace

namespace {

// The production and challan screens: a taka typed on the production screen, the taka screen
// listing it, and screenshots of each for looking at.
TEST_F(SalesScreenTest, ProductionAndTakaChallanScreens) {
    year.db().exec(QStringLiteral("UPDATE AccMst SET ZoneName = 'J' WHERE AcName = 'Rajdhani Fabrics'"));
    gui::ProductionScreen production(year.db(), year.session, year.messages);
    production.resize(1000, 700);
    production.show();
    QApplication::setActiveWindow(&production);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&production));
    enter();  // book
    enter();  // challan number 1
    enter();  // date
    type(QStringLiteral("Raj"));
    enter();
    enter();  // type
    ASSERT_EQ(focused(), QStringLiteral("txtTakaNo"));
    EXPECT_EQ(static_cast<QLineEdit*>(QApplication::focusWidget())->text(), QStringLiteral("1"));
    enter();
    type(QStringLiteral("Rapier 60 R"));
    enter();
    type(QStringLiteral("20"));
    enter();
    type(QStringLiteral("5.5"));
    enter();
    type(QStringLiteral("110.5"));
    enter();
    type(QStringLiteral("L1"));
    enter();  // the taka is added; the next number is proposed
    ASSERT_EQ(focused(), QStringLiteral("txtTakaNo"));
    EXPECT_EQ(static_cast<QLineEdit*>(QApplication::focusWidget())->text(), QStringLiteral("2"));
    production.grab().save(QStringLiteral("/tmp/tanabana-shots/frmProduction.png"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
    enter();  // empty taka number: on to Save
    ASSERT_EQ(focused(), QStringLiteral("cmd_save"));
    enter();
    EXPECT_TRUE(year.messages.has(MessageKind::Information, QStringLiteral("SAVE Confirmation"), QStringLiteral("One Transaction Is Saved.")));
    EXPECT_EQ(year.count(QStringLiteral("ProductionDtl"), QStringLiteral("TakaNO = '1' AND Mtrs = 110.5")), 1);

    gui::ChallanScreen takas(year.db(), year.session, year.messages, true);
    takas.resize(1100, 760);
    takas.show();
    auto* list = takas.findChild<QTableWidget*>(QStringLiteral("vsTaka"));
    ASSERT_EQ(list->rowCount(), 1);
    EXPECT_EQ(list->item(0, 1)->text(), QStringLiteral("1"));
    // The ticked taka becomes a line that shows its colour, design and quality type.
    year.db().exec(QStringLiteral("UPDATE ProdMst SET P1 = 'Red', ProdSubGrp = 'R-60', ProdGrp = 'Rapier' WHERE Id = 1"));
    list->item(0, 0)->setCheckState(Qt::Checked);
    takas.findChild<QPushButton*>(QStringLiteral("cmdAddTaka"))->click();
    list->item(0, 0)->setCheckState(Qt::Checked);
    takas.findChild<QPushButton*>(QStringLiteral("cmdAddTaka"))->click();  // a second press adds nothing
    auto* lines = takas.findChild<QTableWidget*>(QStringLiteral("vsgrid"));
    ASSERT_EQ(lines->rowCount(), 2);
    QStringList shownLine;
    for (int c = 0; c < lines->columnCount(); ++c) shownLine << lines->horizontalHeaderItem(c)->text() + QLatin1Char('=') + lines->item(0, c)->text();
    EXPECT_TRUE(shownLine.contains(QStringLiteral("Desc=1"))) << shownLine.join(QLatin1Char(' ')).toStdString();
    EXPECT_TRUE(shownLine.contains(QStringLiteral("Mtrs=110.500"))) << shownLine.join(QLatin1Char(' ')).toStdString();
    EXPECT_TRUE(shownLine.contains(QStringLiteral("Colour=Red")));
    EXPECT_TRUE(shownLine.contains(QStringLiteral("Design No=R-60")));
    EXPECT_TRUE(shownLine.contains(QStringLiteral("Qlt Type=Rapier")));
    takas.grab().save(QStringLiteral("/tmp/tanabana-shots/frmChalan_Taka.png"));
}

}  // namespace
