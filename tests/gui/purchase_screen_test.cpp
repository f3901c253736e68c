// The purchase screen used the way a clerk uses it, keyboard alone: a weaver's grey bill of two
// lines with the taka list of line 1 typed under it, saved and posted (the books hold what the
// screen showed); the same supplier's bill number typed again opening the saved bill instead of a
// second one; takas that do not add up to line 1 refused with nothing written; and a transporter's
// expense bill on the general purchase screen, its service account taking the debit.
#include "gui/purchase/PurchaseScreen.h"
#include "gui/shell/Commands.h"
#include "gui/shell/MainWindow.h"
#include "support/FirmBooks.h"
#include "support/ScreenProbe.h"
#include "support/YearFixture.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>
#include <gtest/gtest.h>

using namespace tanabana;

namespace {

class PurchaseScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto& db = year.db();
        test::seedDefaultChart(db);
        year.session.firm.insert(QStringLiteral("CST"), QStringLiteral("24-Gujarat"));
        year.session.firm.insert(QStringLiteral("Is_Pur_RndOff"), 1);
        weaver = test::addAccount(db, QStringLiteral("Laxmi Weaving Works"), 76);
        transporter = test::addAccount(db, QStringLiteral("Shree Ganesh Roadways"), 80);
        for (const auto& [id, name, rate] : {std::tuple{201, "Rapier 60 Grey", 52}, std::tuple{202, "Poly Viscose 58", 120}})
            db.exec(QStringLiteral("INSERT INTO ProdMst (Id, ProdCode, ProdName, StkType, Vat, AddTax, VatCalc, CalcOn, PurRate, hsnCode, UNit, "
                                   "IsActive, IsNewPro, FirmNO) VALUES (?, ?, ?, 'F', 2.5, 2.5, 1, 1, ?, '5407', 'MTR', 1, 0, 1)"),
                    {id, QString::number(id), QString::fromLatin1(name), rate});
        gui::registerAllCommands(registry);
        window.resize(1366, 768);
        window.show();
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    gui::PurchaseScreen* open(const QString& command) {
        EXPECT_TRUE(registry.run(command, context)) << command.toStdString();
        QMdiSubWindow* sub = window.workArea()->subWindowList().isEmpty() ? nullptr : window.workArea()->subWindowList().last();
        auto* screen = sub ? qobject_cast<gui::PurchaseScreen*>(sub->widget()) : nullptr;
        if (screen) {
            sub->showMaximized();
            QApplication::processEvents();
        }
        return screen;
    }

    void type(const QString& text) { QTest::keyClicks(QApplication::focusWidget(), text); }
    void enter() {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QApplication::processEvents();
    }
    std::string focused() const { return QApplication::focusWidget() ? QApplication::focusWidget()->objectName().toStdString() : std::string(); }
    // Enter through the fields up to `name`, typing what `typed` gives on the way.
    void enterUntil(const QString& name, const std::map<QString, QString>& typed = {}) {
        for (int guard = 0; guard < 40 && focused() != name.toStdString(); ++guard) {
            if (const auto t = typed.find(QString::fromStdString(focused())); t != typed.end()) type(t->second);
            enter();
        }
        ASSERT_EQ(focused(), name.toStdString());
    }
    void typeLine(const QString& item, const QString& count, const QString& qty, const QString& disc, const QString& freight) {
        ASSERT_EQ(focused(), "txtItem");
        type(item);
        enter();
        ASSERT_EQ(focused(), "txtPcs");
        enter();
        type(count);
        enter();
        type(qty);
        enter();
        enter();  // rate on metres
        enter();  // the item's purchase rate as proposed
        type(disc);
        enter();
        type(freight);
        enter();  // the line is added
    }
    void typeTaka(const QString& no, const QString& metres) {
        ASSERT_EQ(focused(), "txtTakaNo");
        type(no);
        enter();
        type(metres);
        enter();
    }

    test::YearFixture year;
    qint64 weaver = 0, transporter = 0;
    gui::CommandRegistry registry;
    gui::MainWindow window{year.session, year.messages};
    gui::CommandContext context{window, [this] { return &year.db(); }, year.session, year.messages};
};

TEST_F(PurchaseScreenTest, GreyBillWithItsTakasTypedByKeysAndTheSuppliersNumberOpeningIt) {
    gui::PurchaseScreen* screen = open(QStringLiteral("mnu_T21"));
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->objectName(), QStringLiteral("frmPurchase"));
    ASSERT_EQ(focused(), "txtBook");
    enter();
    ASSERT_EQ(focused(), "txtBillNo");
    type(QStringLiteral("LW/118"));
    enter();
    enter();  // the year's last day, as proposed
    ASSERT_EQ(focused(), "txtParty");
    type(QStringLiteral("Lax"));
    enter();
    EXPECT_EQ(test::fieldText(screen, QStringLiteral("txtParty")), QStringLiteral("Laxmi Weaving Works"));
    EXPECT_EQ(screen->findChild<QLabel*>(QStringLiteral("lblBalance"))->text(), QStringLiteral("Bal. : 0"));
    enterUntil(QStringLiteral("txtItem"), {{QStringLiteral("txtTransport"), QStringLiteral("Om Logistics")},
                                           {QStringLiteral("txtLotNo"), QStringLiteral("L-24")}});

    typeLine(QStringLiteral("201"), QStringLiteral("4"), QStringLiteral("398.5"), {}, {});
    // Line 1 takes its takas: 99.5 + 100 + 98.5 + 100.5 = 398.5 m.
    typeTaka(QStringLiteral("101"), QStringLiteral("99.5"));
    typeTaka(QStringLiteral("102"), QStringLiteral("100"));
    typeTaka(QStringLiteral("103"), QStringLiteral("98.5"));
    typeTaka(QStringLiteral("104"), QStringLiteral("100.5"));
    ASSERT_EQ(focused(), "txtTakaNo");
    EXPECT_EQ(test::gridText(screen->takaGrid()).last(), QStringLiteral("Total  4 | 398.50"));
    enter();  // no more takas: the next line
    typeLine(QStringLiteral("202"), {}, QStringLiteral("50"), QStringLiteral("5"), QStringLiteral("100"));
    ASSERT_EQ(focused(), "txtItem");
    const QStringList lines = test::gridText(screen->lineGrid());
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines.at(0), QStringLiteral("1 | Rapier 60 Grey | 0 | 4 | 398.500 | M | 52.00 | 20,722.00 | 2.50 | 2.50 | 518.05 | 518.05 | 21,758.10 | 0.00 | 0.00"));
    EXPECT_EQ(lines.at(1),
              QStringLiteral("2 | Poly Viscose 58 | 0 | 0 | 50.000 | M | 114.00 | 5,700.00 | 2.50 | 2.50 | 145.00 | 145.00 | 6,090.00 | 5.00 | 100.00"));
    EXPECT_EQ(lines.at(2), QStringLiteral("Tot | 0 | 4 | 448.500 | 26,422.00 | 663.05 | 663.05 | 27,848.10 | 100.00"));
    enterUntil(QStringLiteral("cmd_save"));
    EXPECT_TRUE(screen->findChild<QLabel*>(QStringLiteral("lblNetAmt"))->text().contains(QStringLiteral("27,848.00")));
    test::keepPicture(&window, QStringLiteral("frmPurchase"));
    enter();  // Save

    EXPECT_TRUE(year.messages.has(MessageKind::Information, QStringLiteral("Save Confirmation"), QStringLiteral("ONE TRANSACTION IS SAVED")));
    ASSERT_EQ(year.count(QStringLiteral("BillMst")), 1);
    const auto bill = year.db().queryOne(QStringLiteral("SELECT * FROM BillMst"));
    const qint64 id = bill->integer(QStringLiteral("Id"));
    EXPECT_EQ(screen->documentId(), id);
    EXPECT_DOUBLE_EQ(bill->number(QStringLiteral("BillAmount")), 27848.0);
    EXPECT_EQ(bill->text(QStringLiteral("TransportName")), QStringLiteral("Om Logistics"));
    EXPECT_EQ(bill->text(QStringLiteral("LotNO")), QStringLiteral("L-24"));
    EXPECT_EQ(year.count(QStringLiteral("BillMst_TakaDetail"), QStringLiteral("BillMst_Id = ?"), {id}), 4);
    EXPECT_EQ(year.count(QStringLiteral("HeadDtl3"), QStringLiteral("TableCode = 1 AND VoucherNo = ?"), {id}), 5);
    EXPECT_EQ(screen->savedList()->rowCount(), 1);

    // A new bill with the same supplier's number opens the saved one rather than a second.
    screen->findChild<QPushButton*>(QStringLiteral("cmd_New"))->click();
    QApplication::processEvents();
    EXPECT_EQ(screen->documentId(), 0);
    screen->findChild<QLineEdit*>(QStringLiteral("txtBillNo"))->setFocus();
    type(QStringLiteral("LW/118"));
    enter();
    enter();
    type(QStringLiteral("Lax"));
    enter();
    EXPECT_EQ(screen->documentId(), id);
    EXPECT_EQ(screen->billOnScreen().takas.size(), 4u);
    EXPECT_EQ(screen->findChild<QLabel*>(QStringLiteral("lblBalance"))->text(), QStringLiteral("Bal. : 27848 Cr."));
    EXPECT_EQ(year.count(QStringLiteral("BillMst")), 1);
}

TEST_F(PurchaseScreenTest, TakasShortOfLineOneAreRefusedAndNothingIsWritten) {
    gui::PurchaseScreen* screen = open(QStringLiteral("mnu_T21"));
    ASSERT_NE(screen, nullptr);
    enter();
    type(QStringLiteral("LW/119"));
    enter();
    enter();
    type(QStringLiteral("Lax"));
    enter();
    enterUntil(QStringLiteral("txtItem"));
    typeLine(QStringLiteral("201"), QStringLiteral("2"), QStringLiteral("200"), {}, {});
    typeTaka(QStringLiteral("201"), QStringLiteral("100"));
    typeTaka(QStringLiteral("202"), QStringLiteral("98.5"));
    enter();
    enterUntil(QStringLiteral("cmd_save"));
    enter();
    EXPECT_TRUE(year.messages.has(MessageKind::Critical, QStringLiteral("Mtrs Missmatch"), QStringLiteral("Taka Mtrs And Total Mtrs Not Match")));
    EXPECT_EQ(screen->documentId(), 0);
    for (const char* table : {"BillMst", "BillDtl", "BillMst_TakaDetail", "HeadDtl3"}) EXPECT_EQ(year.count(QString::fromLatin1(table)), 0) << table;
}

TEST_F(PurchaseScreenTest, TransportersFreightOnTheGeneralPurchaseScreen) {
    gui::PurchaseScreen* screen = open(QStringLiteral("mnu_T23"));
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->objectName(), QStringLiteral("frmPurchaseGeneral"));
    enter();
    type(QStringLiteral("SGR/311"));
    enter();
    enter();
    type(QStringLiteral("Shree"));
    enter();
    ASSERT_EQ(focused(), "txtService");
    type(QStringLiteral("General Exp"));
    enter();
    enterUntil(QStringLiteral("txtQty"));
    type(QStringLiteral("1"));
    enter();
    type(QStringLiteral("4800"));
    enter();
    type(QStringLiteral("2.5"));
    enter();
    type(QStringLiteral("2.5"));
    enter();  // the line is added
    ASSERT_EQ(focused(), "txtQty");
    enter();  // no more lines
    enterUntil(QStringLiteral("cmd_save"));
    test::keepPicture(&window, QStringLiteral("frmPurchaseGeneral"));
    enter();
    ASSERT_EQ(year.count(QStringLiteral("BillMst")), 1) << year.messages.last().text.toStdString();
    const auto bill = year.db().queryOne(QStringLiteral("SELECT * FROM BillMst"));
    EXPECT_EQ(bill->integer(QStringLiteral("GenPurAccId")), test::accountId(year.db(), masters::chart::GeneralExpenses));
    EXPECT_DOUBLE_EQ(bill->number(QStringLiteral("BillAmount")), 5040.0);
    const QString desc = year.db().dialect().quote(QStringLiteral("Desc"));
    EXPECT_EQ(year.db().scalar(QStringLiteral("SELECT %1 FROM HeadDtl3 WHERE AccId = ?").arg(desc), {transporter}).toString(),
              QStringLiteral("Pur Inv - SGR/311 - Shree Ganesh Roadways (Gen Exp.)"));
    EXPECT_TRUE(screen->findChild<QLabel*>(QStringLiteral("lblRcmDay"))->text().startsWith(QStringLiteral("Reverse charge purchases of the day : 0.00")));
}

}  // namespace

namespace {

TEST_F(PurchaseScreenTest, OpeningBillTypedByKeysWritesItsOutstandingRowAndGoesAgain) {
    ASSERT_TRUE(registry.run(QStringLiteral("mnu_Y41"), context));
    QMdiSubWindow* sub = window.workArea()->subWindowList().last();
    QWidget* screen = sub->widget();
    ASSERT_EQ(screen->objectName(), QStringLiteral("frmPurchaseOp"));
    sub->showMaximized();
    QApplication::processEvents();
    ASSERT_EQ(focused(), "txtBook");
    enter();
    type(QStringLiteral("LW/97"));
    enter();
    enter();  // the year's first day
    type(QStringLiteral("Lax"));
    enter();
    ASSERT_EQ(focused(), "txtPendingAmt");
    enter();
    enter();  // Save without an amount
    EXPECT_TRUE(year.messages.has(MessageKind::Critical, QStringLiteral("No Pending Amt"), QStringLiteral("Please Enter pending Amount")));
    EXPECT_EQ(year.count(QStringLiteral("BillMst")), 0);
    screen->findChild<QLineEdit*>(QStringLiteral("txtPendingAmt"))->setFocus();
    type(QStringLiteral("18450.50"));
    enter();
    ASSERT_EQ(focused(), "cmd_save");
    test::keepPicture(&window, QStringLiteral("frmPurchaseOp"));
    enter();
    ASSERT_EQ(year.count(QStringLiteral("BillMst"), QStringLiteral("IsOp = -1")), 1) << year.messages.last().text.toStdString();
    const auto row = year.db().queryOne(QStringLiteral("SELECT * FROM Acc_OutSt WHERE Book = 'P'"));
    ASSERT_TRUE(row);
    EXPECT_EQ(row->integer(QStringLiteral("AcId")), weaver);
    EXPECT_DOUBLE_EQ(row->number(QStringLiteral("BillAmt")), 18450.5);
    EXPECT_EQ(row->date(QStringLiteral("BillDt")), year.session.yearStartDate);

    year.messages.answerNext(true);
    screen->findChild<QPushButton*>(QStringLiteral("cmd_Delete"))->click();
    QApplication::processEvents();
    EXPECT_TRUE(year.messages.has(MessageKind::Information, QStringLiteral("Delete Confirmation"), QStringLiteral("Invoice  IS Deleted!")));
    EXPECT_EQ(year.count(QStringLiteral("BillMst")), 0);
    EXPECT_EQ(year.count(QStringLiteral("Acc_OutSt")), 0);
}

}  // namespace

namespace {

// The challan of goods received before the bill, and the expense bill of several items, each from
// its menu command.
TEST_F(PurchaseScreenTest, ChallanOfGreyReceivedAndAnExpenseBillOfItems) {
    ASSERT_TRUE(registry.run(QStringLiteral("mnu_T25"), context));
    QWidget* challan = window.workArea()->subWindowList().last()->widget();
    ASSERT_EQ(challan->objectName(), QStringLiteral("frmPurchaseCh"));
    window.workArea()->subWindowList().last()->showMaximized();
    QApplication::processEvents();
    ASSERT_EQ(focused(), "txtBook");
    enter();
    type(QStringLiteral("CH-41"));
    enter();
    enter();  // date
    enter();  // T
    type(QStringLiteral("Lax"));
    enter();
    enterUntil(QStringLiteral("txtItem"));
    type(QStringLiteral("201"));
    enter();
    type(QStringLiteral("4"));  // pieces
    enter();
    enter();  // cut
    type(QStringLiteral("398.5"));
    enter();
    enter();  // M
    enter();  // 52 as the item's purchase rate: the line is added
    ASSERT_EQ(focused(), "txtItem");
    enter();
    ASSERT_EQ(focused(), "cmd_save");
    enter();
    ASSERT_EQ(year.count(QStringLiteral("BillMSt_Ch")), 1) << year.messages.last().text.toStdString();
    EXPECT_DOUBLE_EQ(year.db().scalar(QStringLiteral("SELECT BillAmount FROM BillMSt_Ch")).toDouble(), 20722.0);
    EXPECT_EQ(year.count(QStringLiteral("BillDtl_Ch")), 1);
    EXPECT_EQ(year.count(QStringLiteral("HeadDtl3")), 0);

    ASSERT_TRUE(registry.run(QStringLiteral("mnu_T24"), context));
    auto* multi = qobject_cast<gui::PurchaseScreen*>(window.workArea()->subWindowList().last()->widget());
    ASSERT_NE(multi, nullptr);
    EXPECT_EQ(multi->objectName(), QStringLiteral("frmPurchaseGen_Multi"));
    EXPECT_EQ(multi->takaGrid(), nullptr);
}

}  // namespace
