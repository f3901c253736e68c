// The stock voucher windows used as a clerk uses them: "1. Stock Issue" opened from the Inventory
// menu, party, job process, lot and remarks typed, two qualities chosen from the group's list
// (their stock shown, the cut proposed), saved, and every column checked in the books; the
// voucher found again by typing its number, a line taken off and saved again; "2. Stock
// Receive" numbering on its own and refusing a voucher without a party; a loom firm's menu
// opening the design-wise forms.
#include "domain/stock/StockVouchers.h"
#include "gui/common/LookupField.h"
#include "gui/shell/Commands.h"
#include "gui/shell/MainWindow.h"
#include "gui/stock/StockVoucherScreen.h"
#include "support/FirmBooks.h"
#include "support/ScreenProbe.h"
#include "support/YearFixture.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QtTest>
#include <gtest/gtest.h>

using namespace tanabana;

namespace {

class StockVoucherScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto& db = year.db();
        test::seedDefaultChart(db);
        mill = test::addAccount(db, QStringLiteral("Surat Dyeing Mills"), 77);
        buyer = test::addAccount(db, QStringLiteral("Ramesh Silk Mills"), 35);
        test::addAccount(db, QStringLiteral("Surat Electricity Board"), 30);
        const auto item = [&](qint64 id, const char* name, const char* group, const char* design, const char* colour, double opening, double cut) {
            db.exec(QStringLiteral("INSERT INTO ProdMst (Id, ProdCode, ProdName, ProdGrp, ProdSubGrp, P1, StkType, CalcOn, RAteR, OPSt, Pack, hsnCode, "
                                   "UNit, IsActive, IsNewPro, FirmNO) VALUES (?, ?, ?, ?, ?, ?, 'F', 1, 105, ?, ?, '5407', 'MTR', 1, 0, 1)"),
                    {id, QString::number(id), QString::fromLatin1(name), QString::fromLatin1(group), QString::fromLatin1(design),
                     QString::fromLatin1(colour), opening, cut});
        };
        item(201, "Rapier 60 Red", "Rapier", "D-101", "Red", 100, 5.5);
        item(202, "Rapier 60 Blue", "Rapier", "D-101", "Blue", 40, 5.5);
        item(203, "Georgette 44", "Georgette", "G-44", "White", 75, 6.3);
        db.exec(QStringLiteral("INSERT INTO Mst_Process (Pro_Id, Pro_Name, FirmNo, Mst_Type, IsAct) VALUES (1, 'Dyeing', 1, 'J', 1)"));
        db.exec(QStringLiteral("INSERT INTO Mst_Process (Pro_Id, Pro_Name, FirmNo, Mst_Type, IsAct) VALUES (2, 'Dark Red', 1, 'C', 1)"));
        gui::registerAllCommands(registry);
        window.resize(1366, 768);
        window.show();
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    gui::StockVoucherScreen* open(const QString& command) {
        return qobject_cast<gui::StockVoucherScreen*>(test::openFromMenu(registry, context, window, command));
    }
    // Types the beginning of a name in a search field and takes the first offer.
    void choose(QWidget* screen, const QString& field, const QString& typed) {
        auto* box = screen->findChild<gui::LookupField*>(field);
        ASSERT_NE(box, nullptr) << field.toStdString();
        box->setFocus();
        QTest::keyClicks(box, typed);
        QApplication::processEvents();
        QTest::keyClick(box, Qt::Key_Return);
        QApplication::processEvents();
        ASSERT_GT(box->chosenId(), 0) << field.toStdString();
    }
    void type(QWidget* screen, const QString& field, const QString& text) {
        auto* edit = screen->findChild<QLineEdit*>(field);
        ASSERT_NE(edit, nullptr) << field.toStdString();
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    // Pieces, (cut) and metres, then Enter on the metres adds the line.
    void addLine(QWidget* screen, const QString& quality, const QString& pieces, const QString& metres) {
        choose(screen, QStringLiteral("txtItemName"), quality);
        type(screen, QStringLiteral("txtPcs"), pieces);
        type(screen, QStringLiteral("txtQnty"), metres);
        QTest::keyClick(screen->findChild<QLineEdit*>(QStringLiteral("txtQnty")), Qt::Key_Return);
        QApplication::processEvents();
    }
    QString stockShown(QWidget* screen) { return screen->findChild<QLabel*>(QStringLiteral("lblStock"))->text(); }

    test::YearFixture year;
    qint64 mill = 0, buyer = 0;
    gui::CommandRegistry registry;
    gui::MainWindow window{year.session, year.messages};
    gui::CommandContext context{window, [this] { return &year.db(); }, year.session, year.messages};
};

TEST_F(StockVoucherScreenTest, IssueTypedSavedFoundByNumberAndSavedWithALineFewer) {
    auto* issue = open(QStringLiteral("mnu_Inv1"));
    ASSERT_NE(issue, nullptr);
    EXPECT_EQ(issue->objectName(), QStringLiteral("FrmIssue_Stock"));
    EXPECT_EQ(test::fieldText(issue, QStringLiteral("txtChalanNO")), QStringLiteral("1"));
    choose(issue, QStringLiteral("txtAccNo"), QStringLiteral("Surat D"));
    choose(issue, QStringLiteral("txtProdcess"), QStringLiteral("D"));  // only job processes are offered: not the colour "Dark Red"
    EXPECT_EQ(test::fieldText(issue, QStringLiteral("txtProdcess")), QStringLiteral("Dyeing"));
    type(issue, QStringLiteral("txtLotNo"), QStringLiteral("L-9"));
    type(issue, QStringLiteral("txtRemarks"), QStringLiteral("Dye to shade 12"));
    // The group narrows the list; the chosen quality shows its stock and proposes its cut.
    auto* group = issue->findChild<QComboBox*>(QStringLiteral("txtGrp"));
    ASSERT_NE(group, nullptr);
    group->setCurrentText(QStringLiteral("Rapier"));
    choose(issue, QStringLiteral("txtItemName"), QStringLiteral("Rapier 60 R"));
    EXPECT_EQ(stockShown(issue), QStringLiteral("Stock : 100.000 Mtrs"));
    EXPECT_EQ(test::fieldText(issue, QStringLiteral("txtCut")), QStringLiteral("5.50"));
    type(issue, QStringLiteral("txtPcs"), QStringLiteral("4"));
    type(issue, QStringLiteral("txtQnty"), QStringLiteral("22"));
    QTest::keyClick(issue->findChild<QLineEdit*>(QStringLiteral("txtQnty")), Qt::Key_Return);
    QApplication::processEvents();
    addLine(issue, QStringLiteral("Rapier 60 B"), QStringLiteral("2"), QStringLiteral("11.25"));
    ASSERT_EQ(issue->voucherOnScreen().lines.size(), 2u);
    EXPECT_EQ(test::gridText(issue->lineGrid()).value(0), QStringLiteral("Rapier 60 Red | 4 | 5.50 | 22.000 | Rapier"));
    ASSERT_TRUE(issue->saveEntry()) << year.messages.last().text.toStdString();
    EXPECT_TRUE(year.messages.has(MessageKind::Information, QStringLiteral("Save Confirmation"), QStringLiteral("Voucher Is Saved !")));
    test::keepPicture(&window, QStringLiteral("FrmIssue_Stock"));

    // Every column as the books hold it.
    const auto h = year.db().queryOne(QStringLiteral("SELECT * FROM Iss_StockMst"));
    ASSERT_TRUE(h);
    EXPECT_EQ(h->text(QStringLiteral("IType")), QStringLiteral("I"));
    EXPECT_EQ(h->integer(QStringLiteral("BookId")), issue->findChild<QComboBox*>(QStringLiteral("txtFirmName"))->currentData().toLongLong());
    EXPECT_EQ(h->integer(QStringLiteral("BillNo")), 1);
    EXPECT_EQ(h->date(QStringLiteral("BillDate")), year.session.yearEndDate);
    EXPECT_EQ(h->integer(QStringLiteral("PartyId")), mill);
    EXPECT_EQ(h->text(QStringLiteral("Process_Name")), QStringLiteral("Dyeing"));
    EXPECT_EQ(h->text(QStringLiteral("LotNo")), QStringLiteral("L-9"));
    EXPECT_EQ(h->text(QStringLiteral("Remarks")), QStringLiteral("Dye to shade 12"));
    EXPECT_EQ(h->integer(QStringLiteral("FirmNo")), 1);
    const auto lines = year.db().query(QStringLiteral("SELECT Srno, PCode, Qty2, Qty1, Qty FROM Iss_StockDtl ORDER BY Srno"));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1].integer(QStringLiteral("PCode")), 202);
    EXPECT_DOUBLE_EQ(lines[1].number(QStringLiteral("Qty2")), 2);
    EXPECT_DOUBLE_EQ(lines[1].number(QStringLiteral("Qty1")), 5.5);
    EXPECT_DOUBLE_EQ(lines[1].number(QStringLiteral("Qty")), 11.25);
    ASSERT_EQ(issue->savedList()->rowCount(), 1);

    // A new voucher proposes No 2 and the red now holds 78 m; typing 1 opens the saved one.
    issue->newEntry();
    EXPECT_EQ(test::fieldText(issue, QStringLiteral("txtChalanNO")), QStringLiteral("2"));
    choose(issue, QStringLiteral("txtItemName"), QStringLiteral("Rapier 60 R"));
    EXPECT_EQ(stockShown(issue), QStringLiteral("Stock : 78.000 Mtrs"));
    issue->newEntry();
    type(issue, QStringLiteral("txtChalanNO"), QStringLiteral("1"));
    QTest::keyClick(issue->findChild<QLineEdit*>(QStringLiteral("txtChalanNO")), Qt::Key_Return);
    QApplication::processEvents();
    ASSERT_EQ(issue->documentId(), h->integer(QStringLiteral("ID")));
    EXPECT_EQ(test::fieldText(issue, QStringLiteral("txtAccNo")), QStringLiteral("Surat Dyeing Mills"));
    EXPECT_EQ(test::fieldText(issue, QStringLiteral("txtProdcess")), QStringLiteral("Dyeing"));
    EXPECT_EQ(test::fieldText(issue, QStringLiteral("txtLotNo")), QStringLiteral("L-9"));
    EXPECT_EQ(test::fieldText(issue, QStringLiteral("txtRemarks")), QStringLiteral("Dye to shade 12"));
    EXPECT_EQ(test::gridText(issue->lineGrid()).value(1), QStringLiteral("Rapier 60 Blue | 2 | 5.50 | 11.250 | Rapier"));
    EXPECT_EQ(test::gridText(issue->savedList()).value(0).left(25), QStringLiteral("1 | 1 | 31-03-2025 | Sura"));

    // The first line taken off (double click) and saved: only the blue stays.
    const QRect cell = issue->lineGrid()->visualItemRect(issue->lineGrid()->item(0, 0));
    QTest::mouseClick(issue->lineGrid()->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(issue->lineGrid()->viewport(), Qt::LeftButton, {}, cell.center());
    QApplication::processEvents();
    ASSERT_EQ(issue->voucherOnScreen().lines.size(), 1u);
    ASSERT_TRUE(issue->saveEntry()) << year.messages.last().text.toStdString();
    EXPECT_EQ(year.count(QStringLiteral("Iss_StockMst")), 1);
    EXPECT_EQ(year.count(QStringLiteral("Iss_StockDtl")), 1);
    EXPECT_EQ(year.db().scalar(QStringLiteral("SELECT PCode FROM Iss_StockDtl WHERE Srno = 1")).toLongLong(), 202);
}

TEST_F(StockVoucherScreenTest, ReceiptNumbersOnItsOwnAndRefusesAVoucherWithoutParty) {
    stock::StockVouchers service(year.db(), year.session, year.messages);
    stock::StockVoucher issued;
    issued.bookId = 1;
    issued.voucherNo = 5;
    issued.date = QDate(2024, 5, 2);
    issued.partyId = mill;
    issued.lines = {{203, Decimal(3), Decimal(), Decimal(18)}};
    ASSERT_TRUE(service.save(issued));

    auto* receipt = open(QStringLiteral("mnu_Inv2"));
    ASSERT_NE(receipt, nullptr);
    EXPECT_EQ(receipt->objectName(), QStringLiteral("FrmIssue_StockR"));
    EXPECT_EQ(test::fieldText(receipt, QStringLiteral("txtChalanNO")), QStringLiteral("1"));
    EXPECT_EQ(receipt->savedList()->rowCount(), 0);  // the issue is not a receipt
    addLine(receipt, QStringLiteral("Georg"), QStringLiteral("3"), QStringLiteral("18"));
    year.messages.clear();
    EXPECT_FALSE(receipt->saveEntry());
    EXPECT_TRUE(year.messages.has(MessageKind::Critical, QStringLiteral("System Validation"), QStringLiteral("Please Select Party Name and Quality")));
    EXPECT_EQ(year.count(QStringLiteral("Iss_StockMst")), 1);
    choose(receipt, QStringLiteral("txtAccNo"), QStringLiteral("Surat D"));
    ASSERT_TRUE(receipt->saveEntry()) << year.messages.last().text.toStdString();
    EXPECT_EQ(year.db().scalar(QStringLiteral("SELECT IType FROM Iss_StockMst WHERE BillNo = 1")).toString(), QStringLiteral("R"));
    EXPECT_EQ(receipt->savedList()->rowCount(), 1);
    test::keepPicture(&window, QStringLiteral("FrmIssue_StockR"));
}

TEST_F(StockVoucherScreenTest, LoomFirmChoosesByDesignAndColour) {
    year.session.firm.insert(QStringLiteral("Soft_Type"), 9);
    auto* issue = open(QStringLiteral("mnu_Inv1"));
    ASSERT_NE(issue, nullptr);
    EXPECT_EQ(issue->objectName(), QStringLiteral("FrmIssue_Stock_Rapier"));
    // Buyers, mills and job workers only: the electricity board is not a party here.
    auto* party = issue->findChild<gui::LookupField*>(QStringLiteral("txtAccNo"));
    party->setFocus();
    QTest::keyClicks(party, QStringLiteral("Surat E"));
    QApplication::processEvents();
    QTest::keyClick(party, Qt::Key_Return);
    EXPECT_EQ(party->chosenId(), 0);
    party->clear();
    choose(issue, QStringLiteral("txtAccNo"), QStringLiteral("Ramesh"));
    addLine(issue, QStringLiteral("Rapier 60 R"), QStringLiteral("1"), QStringLiteral("5.5"));
    EXPECT_EQ(test::gridText(issue->lineGrid()).value(0), QStringLiteral("Rapier 60 Red | D-101 | Red | Rapier | M | 1 | 5.50 | 5.500"));
    ASSERT_TRUE(issue->saveEntry()) << year.messages.last().text.toStdString();
    test::keepPicture(&window, QStringLiteral("FrmIssue_Stock_Rapier"));

    auto* receipt = open(QStringLiteral("mnu_Inv2"));
    ASSERT_NE(receipt, nullptr);
    EXPECT_EQ(receipt->objectName(), QStringLiteral("FrmIssue_StockR_Rapier_Single"));
    EXPECT_EQ(receipt->windowTitle(), QStringLiteral("Stock Receive"));
    choose(receipt, QStringLiteral("txtAccNo"), QStringLiteral("Ramesh"));
    choose(receipt, QStringLiteral("txtDesign"), QStringLiteral("D-1"));
    EXPECT_EQ(test::fieldText(receipt, QStringLiteral("txtDesign")), QStringLiteral("D-101"));
    addLine(receipt, QStringLiteral("Blu"), QStringLiteral("2"), QStringLiteral("11"));  // the colours of D-101
    EXPECT_EQ(test::gridText(receipt->lineGrid()).value(0), QStringLiteral("Rapier 60 Blue | D-101 | Blue | Rapier | M | 2 | 5.50 | 11.000"));
    ASSERT_TRUE(receipt->saveEntry()) << year.messages.last().text.toStdString();
    test::keepPicture(&window, QStringLiteral("FrmIssue_StockR_Rapier_Single"));
    EXPECT_EQ(year.db().scalar(QStringLiteral("SELECT PCode FROM Iss_StockDtl d JOIN Iss_StockMst m ON m.ID = d.BillMStId WHERE m.IType = 'R'"))
                  .toLongLong(),
              202);

    // The design-wise receipt of the other kind lists the design's colours in one list.
    auto* plain = new gui::StockVoucherScreen(year.db(), year.session, year.messages, gui::stockVoucherVariant(QStringLiteral("FrmIssue_StockR_Rapier")));
    window.openChild(plain);
    QApplication::processEvents();
    EXPECT_EQ(test::fieldText(plain, QStringLiteral("txtChalanNO")), QStringLiteral("2"));
    ASSERT_EQ(plain->savedList()->rowCount(), 1);
    EXPECT_EQ(plain->findChild<QObject*>(QStringLiteral("txtDesign")), nullptr);
}

}  // namespace
