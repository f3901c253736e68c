// Re-saving documents from the selling screens keeps what the screens do not show: a bill opened
// from the list and saved again keeps its broker, consignee, L.R. date, vehicle, packing, case
// number and invoice type; a challan keeps its vehicle and freight. A new bill saved with the
// proposed number takes the next free one when another station used it meanwhile, and the
// screen says which. A refused audited tick goes back on the list.
#include "domain/trade/DeliveryChallans.h"
#include "domain/trade/SalesInvoices.h"
#include "gui/trade/ChallanScreen.h"
#include "gui/trade/SalesScreen.h"
#include "support/FirmBooks.h"
#include "support/YearFixture.h"
#include "support/Amounts.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>
#include <gtest/gtest.h>

using namespace tanabana;

namespace {

// A typed challan line: metres of a quality at a rate per metre.
trade::ChallanLine challanLine(qint64 quality, const char* description, const char* pieces, const char* metres, const char* rate) {
    trade::ChallanLine l;
    l.qualityId = quality;
    l.description = QString::fromLatin1(description);
    l.pieces = d(pieces);
    l.metres = d(metres);
    l.rate = l.listRate = d(rate);
    return l;
}

class SellingResaveTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::seedDefaultChart(db());
        year.session.firm.insert(QStringLiteral("CST"), QStringLiteral("24-Gujarat"));
        year.session.firm.insert(QStringLiteral("Is_Sales_RndOff"), 1);
        ramesh = test::addAccount(db(), QStringLiteral("Ramesh Silk Mills"), 35);
        consignee = test::addAccount(db(), QStringLiteral("Ramesh Silk Mills Godown"), 35);
        db().exec(QStringLiteral("INSERT INTO ProdMst (Id, ProdCode, ProdName, StkType, RAteR, Vat, AddTax, VatCalc, CalcOn, IsActive, "
                                 "IsNewPro, FirmNO) VALUES (4, '104', 'Rapier 60 Grey', 'F', 52.25, 2.5, 2.5, 1, 1, 1, 0, 1)"));
        db().exec(QStringLiteral("INSERT INTO BrokerMst (Srno, PName, FirmNO) VALUES (3, 'Mahesh Broker', 1)"));
    }

    trade::SalesLine line() {
        trade::SalesLine l;
        l.qualityId = 4;
        l.input.metres = d("100");
        l.input.listRate = d("52.25");
        l.input.sgstPercent = l.input.cgstPercent = d("2.5");
        return l;
    }

    void show(QWidget& screen) {
        screen.resize(1250, 900);
        screen.show();
        QApplication::setActiveWindow(&screen);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&screen));
    }

    QString header(const char* table, qint64 id, const char* column) {
        return db().scalar(QStringLiteral("SELECT %1 FROM %2 WHERE Id = ?").arg(QString::fromLatin1(column), QString::fromLatin1(table)), {id}).toString();
    }

    db::Database& db() { return year.db(); }
    test::YearFixture year;
    qint64 ramesh = 0, consignee = 0;
};

TEST_F(SellingResaveTest, BillOpenedAndSavedAgainKeepsEveryHeaderField) {
    trade::SalesBill bill;
    bill.bookNo = 1;
    bill.billNo = QStringLiteral("7");
    bill.date = QDate(2025, 1, 10);
    bill.partyId = ramesh;
    bill.consigneeId = consignee;
    bill.brokerId = 3;
    bill.lrNo = QStringLiteral("LR-2231");
    bill.lrDate = QDate(2025, 1, 11);
    bill.vehicleNo = QStringLiteral("GJ-05-BX-4410");
    bill.packing = QStringLiteral("Bales");
    bill.caseNo = 17;
    bill.invoiceType = QStringLiteral("Export");
    bill.lines = {line()};
    const auto id = trade::SalesInvoices(db(), year.session, year.messages).save(bill);
    ASSERT_TRUE(id);

    gui::SalesScreen screen(db(), year.session, year.messages);
    show(screen);
    screen.openBill(*id);
    auto* notes = screen.findChild<QLineEdit*>(QStringLiteral("txtDescription"));
    ASSERT_TRUE(notes);
    notes->setText(QStringLiteral("Second lot"));
    screen.findChild<QPushButton*>(QStringLiteral("cmd_save"))->click();

    EXPECT_EQ(header("SalBillMst", *id, "Notes"), QStringLiteral("Second lot"));
    EXPECT_EQ(header("SalBillMst", *id, "ConSId").toLongLong(), consignee);
    EXPECT_EQ(header("SalBillMst", *id, "BrokerId").toLongLong(), 3);
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT LrDt FROM SalBillMst WHERE Id = ?"), {*id}).toDate(), QDate(2025, 1, 11));
    EXPECT_EQ(header("SalBillMst", *id, "T_VehNO"), QStringLiteral("GJ-05-BX-4410"));
    EXPECT_EQ(header("SalBillMst", *id, "Packng"), QStringLiteral("Bales"));
    EXPECT_EQ(header("SalBillMst", *id, "CaseNO").toInt(), 17);
    EXPECT_EQ(header("SalBillMst", *id, "BillType"), QStringLiteral("Export"));
    EXPECT_EQ(header("SalBillMst", *id, "InvType"), QStringLiteral("E"));
}

TEST_F(SellingResaveTest, ProposedNumberTakenMeanwhileGivesTheNextAndTheScreenSaysWhich) {
    gui::SalesScreen screen(db(), year.session, year.messages);
    show(screen);
    auto* number = screen.findChild<QLineEdit*>(QStringLiteral("txtBillNo"));

    // Another station saves bill 1 (dated in January) while this screen is open.
    trade::SalesBill other;
    other.bookNo = 1;
    other.billNo = QStringLiteral("1");
    other.date = QDate(2025, 1, 9);
    other.partyId = ramesh;
    other.lines = {line()};
    ASSERT_TRUE(trade::SalesInvoices(db(), year.session, year.messages).save(other));

    // The operator keeps the proposed number and types one line.
    auto focused = [] { return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString(); };
    auto enter = [] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); };
    auto type = [](const char* text) { QTest::keyClicks(QApplication::focusWidget(), QString::fromLatin1(text)); };
    ASSERT_EQ(focused(), QStringLiteral("txtBook"));
    enter();
    enter();  // the proposed number "1"
    enter();  // the proposed date
    ASSERT_EQ(focused(), QStringLiteral("txtParty"));
    type("Ramesh Silk Mills");
    enter();
    for (int i = 0; i < 30 && focused() != QStringLiteral("txtQuality"); ++i) enter();
    ASSERT_EQ(focused(), QStringLiteral("txtQuality"));
    type("104");
    enter();
    enter();      // description
    enter();      // pieces
    enter();      // cut
    type("100");  // metres
    for (int i = 0; i < 5; ++i) enter();  // rate basis, rate, two discounts: the line is added
    ASSERT_EQ(focused(), QStringLiteral("txtQuality"));
    EXPECT_EQ(number->text(), QStringLiteral("1"));
    screen.findChild<QPushButton*>(QStringLiteral("cmd_save"))->click();
    EXPECT_EQ(screen.findChild<QLabel*>(QStringLiteral("lblStatus"))->text(), QStringLiteral("Saved as Bill No 2"));
    EXPECT_EQ(year.count(QStringLiteral("SalBillMst"), QStringLiteral("BillNO = '2'")), 1);
}

TEST_F(SellingResaveTest, ChallanOpenedAndSavedAgainKeepsVehicleAndFreight) {
    trade::DeliveryChallans service(db(), year.session, year.messages);
    trade::DeliveryChallan c;
    c.bookNo = 1;
    c.challanNo = QStringLiteral("31");
    c.date = QDate(2025, 1, 5);
    c.partyId = ramesh;
    c.vehicleNo = QStringLiteral("GJ-05-ZZ-0099");
    c.freightType = QStringLiteral("To Pay");
    c.lrDate = QDate(2025, 1, 6);
    c.caseNo = 4;
    c.lines.push_back(challanLine(4, "Grey", "2", "100", "52.25"));
    ASSERT_TRUE(service.save(c));

    gui::ChallanScreen screen(db(), year.session, year.messages, false);
    show(screen);
    screen.openChallan(c.id);
    screen.findChild<QPushButton*>(QStringLiteral("cmd_save"))->click();
    EXPECT_EQ(header("ChalanMst", c.id, "T_VehNO"), QStringLiteral("GJ-05-ZZ-0099"));
    EXPECT_EQ(header("ChalanMst", c.id, "FreightType"), QStringLiteral("To Pay"));
    EXPECT_EQ(header("ChalanMst", c.id, "CaseNO").toInt(), 4);
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT LrDt FROM ChalanMst WHERE Id = ?"), {c.id}).toDate(), QDate(2025, 1, 6));
}

}  // namespace
