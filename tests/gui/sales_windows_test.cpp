// The design-wise and between-dates sales windows used the way an operator uses them, keys only:
// a bill typed by design number and colour, and a bill made of the challans ticked in the list of
// a period, each saved and posted; the WhatsApp button of a saved bill against a stand-in of the
// service; and which window "1. Chalan" and "2. Sales" open for each kind of firm.
#include "domain/mill/MillIssues.h"
#include "domain/mill/MillReceipts.h"
#include "domain/trade/DeliveryChallans.h"
#include "domain/trade/SalesInvoices.h"
#include "domain/trade/TradeJson.h"
#include "gui/shell/Commands.h"
#include "gui/shell/MainWindow.h"
#include "gui/trade/SalesScreen.h"
#include "gui/trade/SellingCommands.h"
#include "support/FakeServers.h"
#include "support/FirmBooks.h"
#include "support/YearFixture.h"
#include "support/Amounts.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
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

struct Posted {
    QString account, side;
    double amount;
    bool operator==(const Posted&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Posted& p) {
    return os << p.account.toStdString() << ' ' << p.side.toStdString() << ' ' << p.amount;
}

// A production firm of Surat (software type 9) selling sarees by the piece, and its buyers.
class SalesWindowsTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::seedDefaultChart(db());
        year.session.firm.insert(QStringLiteral("CST"), QStringLiteral("24-Gujarat"));
        year.session.firm.insert(QStringLiteral("Is_Sales_RndOff"), 1);
        ramesh = test::addAccount(db(), QStringLiteral("Ramesh Silk Mills"), 35);
        db().exec(QStringLiteral("UPDATE AccMst SET WMbNo = '9824012345' WHERE Id = ?"), {ramesh});
        const struct { int id; const char* name; const char* design; const char* colour; double rate; int calcOn; double cut; } items[] = {
            {1, "Saree D-101 Red", "D-101", "Red", 450, 2, 6.3},
            {2, "Saree D-101 Blue", "D-101", "Blue", 450, 2, 6.3},
            {3, "Saree D-205 Green", "D-205", "Green", 610, 2, 6.3},
            {4, "Rapier 60 Grey", "R-60", "Grey", 52.25, 1, 0},
        };
        for (const auto& i : items)
            db().exec(QStringLiteral("INSERT INTO ProdMst (Id, ProdCode, ProdName, ProdSubGrp, P1, ProdGrp, StkType, RAteR, CalcOn, Pack, "
                                     "Vat, AddTax, VatCalc, IsActive, IsNewPro, FirmNO) VALUES (?, ?, ?, ?, ?, 'Saree', 'F', ?, ?, ?, 2.5, 2.5, 1, 1, 0, 1)"),
                      {i.id, QString::number(100 + i.id), QString::fromLatin1(i.name), QString::fromLatin1(i.design),
                       QString::fromLatin1(i.colour), i.rate, i.calcOn, i.cut});
    }

    void show(QWidget& screen) {
        screen.resize(1250, 900);
        screen.show();
        QApplication::setActiveWindow(&screen);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&screen));
    }
    // Bill 7 of 10-01-2025 to Ramesh: 100 metres of Rapier 60 Grey at 52.25, saved through the service.
    std::optional<qint64> saveBillSeven() {
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
        return trade::SalesInvoices(db(), year.session, year.messages).save(bill);
    }
    // A bleaching firm (software type 8): Ramesh's grey takas taken in on 3 March and sent back
    // bleached on `back` at `rate` a metre; the outward challan (id 0 when a save was refused).
    struct BleachedTaka {
        const char* taka;
        const char* grey;
        const char* finished;
    };
    mill::MillReceipt bleachedAndSentBack(const QDate& back, const QString& lot, const std::vector<BleachedTaka>& takas, const char* rate) {
        year.session.firm.insert(QStringLiteral("Soft_Type"), 8);
        mill::MillIssue inward;
        inward.bookId = 2;
        inward.date = QDate(2025, 3, 3);
        inward.millId = ramesh;
        inward.qualityId = 4;
        inward.process = QStringLiteral("Bleaching");
        for (const BleachedTaka& t : takas) inward.lines.push_back({QString::fromLatin1(t.taka), d(t.grey)});
        mill::MillReceipt outward;
        if (!mill::MillIssues(db(), year.session, year.messages).save(inward)) return outward;
        mill::MillReceipts receipts(db(), year.session, year.messages);
        outward.bookId = 2;
        outward.date = back;
        outward.millId = ramesh;
        outward.lotNo = lot;
        std::vector<int> rows;
        for (size_t i = 0; i < takas.size(); ++i) rows.push_back(int(i) + 1);
        outward.lines = receipts.linesFromIssue(inward.id, rows);
        for (size_t i = 0; i < outward.lines.size(); ++i) {
            outward.lines[i].finishedMetres = d(takas[i].finished);
            outward.lines[i].rate = d(rate);
        }
        if (!receipts.save(outward)) outward.id = 0;
        return outward;
    }
    void type(const QString& text) { QTest::keyClicks(QApplication::focusWidget(), text); }
    void key(Qt::Key k) { QTest::keyClick(QApplication::focusWidget(), k); }
    void enter() { key(Qt::Key_Return); }
    QString focused() const {
        QWidget* w = QApplication::focusWidget();
        if (w && qobject_cast<QAbstractSpinBox*>(w->parentWidget())) w = w->parentWidget();
        return w ? w->objectName() : QString();
    }
    // Enter through the fields until `name` has the focus (at most 30 steps).
    bool enterUntil(const QString& name) {
        for (int i = 0; i < 30 && focused() != name; ++i) enter();
        return focused() == name;
    }
    std::vector<Posted> journal(qint64 billId) {
        std::vector<Posted> lines;
        for (const db::Row& r : db().query(QStringLiteral("SELECT a.AcName, h.Type, h.DrAmt + h.CrAmt AS Amount FROM HeadDtl3 h JOIN AccMst a "
                                                          "ON a.Id = h.AccId WHERE h.TableCode = 3 AND h.VoucherNo = ? ORDER BY h.Type DESC, h.SubSrno"),
                                           {billId}))
            lines.push_back({r.text(QStringLiteral("AcName")), r.text(QStringLiteral("Type")), r.number(QStringLiteral("Amount"))});
        return lines;
    }
    void keepShot(QWidget& screen, const QString& name) {
        QDir().mkpath(QStringLiteral("/tmp/tanabana-shots"));
        screen.grab().save(QStringLiteral("/tmp/tanabana-shots/") + name + QStringLiteral(".png"));
    }

    db::Database& db() { return year.db(); }
    test::YearFixture year;
    qint64 ramesh = 0;
};

TEST_F(SalesWindowsTest, DesignWiseBillTypedByDesignAndColour) {
    year.session.firm.insert(QStringLiteral("Soft_Type"), 9);
    year.session.firm.insert(QStringLiteral("IS_PCSONly"), 1);
    gui::SalesScreen screen(db(), year.session, year.messages, gui::SalesScreen::Kind::Single);
    ASSERT_EQ(screen.objectName(), QStringLiteral("frmSales_Single"));
    show(screen);
    ASSERT_EQ(focused(), QStringLiteral("txtBook"));
    enter();
    enter();
    enter();
    ASSERT_EQ(focused(), QStringLiteral("txtParty"));
    type(QStringLiteral("Ram"));
    enter();
    EXPECT_EQ(screen.findChild<QLineEdit*>(QStringLiteral("txtWMbNo"))->text(), QStringLiteral("9824012345"));
    ASSERT_TRUE(enterUntil(QStringLiteral("txtDesignNo")));

    // Ten red sarees and six blue of design D-101 at the proposed 450 a piece.
    const std::pair<const char*, const char*> picks[] = {{"R", "10"}, {"B", "6"}};
    for (const auto& [colour, pieces] : picks) {
        ASSERT_EQ(focused(), QStringLiteral("txtDesignNo"));
        if (screen.findChild<QLineEdit*>(QStringLiteral("txtDesignNo"))->text().isEmpty()) {
            type(QStringLiteral("D-1"));
            EXPECT_TRUE(screen.findChild<QTableWidget*>(QStringLiteral("txtDesignNo_list"))->isVisible());
        }
        enter();
        ASSERT_EQ(focused(), QStringLiteral("txtColour"));
        enter();  // no colour chosen: the colour must be picked first
        ASSERT_EQ(focused(), QStringLiteral("txtColour"));
        type(QString::fromLatin1(colour));
        enter();
        ASSERT_EQ(focused(), QStringLiteral("txtDesc"));
        EXPECT_EQ(screen.findChild<QLineEdit*>(QStringLiteral("txtCut"))->text(), QStringLiteral("6.30"));
        enter();
        type(QString::fromLatin1(pieces));
        enter();  // pieces
        enter();  // cut 6.30
        type(QString::number(QString::fromLatin1(pieces).toInt() * 6.3));
        enter();  // metres
        enter();  // rate on pieces ("P" from the item)
        enter();  // rate 450 as proposed
        enter();  // discount
        enter();  // second discount: the line is added, back on the design
    }
    ASSERT_EQ(focused(), QStringLiteral("txtDesignNo"));
    key(Qt::Key_Backspace);  // the design typed before is selected: empty it
    enter();                 // no more lines: on to the charges
    ASSERT_EQ(focused(), QStringLiteral("txtTcsP"));
    auto* grid = screen.findChild<QTableWidget*>(QStringLiteral("vsgrid"));
    ASSERT_EQ(grid->rowCount(), 3);
    QStringList headers;
    for (int c = 0; c < grid->columnCount(); ++c) headers << grid->horizontalHeaderItem(c)->text();
    const int colourColumn = int(headers.indexOf(QStringLiteral("Colour")));
    ASSERT_GE(colourColumn, 0);
    EXPECT_EQ(grid->item(0, colourColumn)->text(), QStringLiteral("Red"));
    EXPECT_EQ(grid->item(1, int(headers.indexOf(QStringLiteral("Design No"))))->text(), QStringLiteral("D-101"));
    EXPECT_EQ(grid->item(1, int(headers.indexOf(QStringLiteral("Qlty Type"))))->text(), QStringLiteral("Saree"));
    keepShot(screen, QStringLiteral("frmSales_Single"));
    ASSERT_TRUE(enterUntil(QStringLiteral("cmd_save")));
    enter();

    EXPECT_TRUE(year.messages.has(MessageKind::Information, QStringLiteral("SAVE Confirmation"), QStringLiteral("ONE TRANSACTION IS SAVED")));
    const auto bill = db().queryOne(QStringLiteral("SELECT * FROM SalBillMst"));
    ASSERT_TRUE(bill);
    // 16 sarees at 450 = 7,200.00; SGST and CGST 180.00 each; 7,560.00.
    EXPECT_DOUBLE_EQ(bill->number(QStringLiteral("BAmt")), 7200.0);
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT count(*) FROM SalBillDtl WHERE PM = 'P' AND Qty2 IN (10, 6)")).toInt(), 2);
    const std::vector<Posted> expected{{QStringLiteral("Ramesh Silk Mills"), QStringLiteral("D"), 7560.0},
                                       {masters::chart::Sales, QStringLiteral("C"), 7200.0},
                                       {masters::chart::OutputSgst, QStringLiteral("C"), 180.0},
                                       {masters::chart::OutputCgst, QStringLiteral("C"), 180.0}};
    EXPECT_EQ(journal(bill->integer(QStringLiteral("Id"))), expected);
}

TEST_F(SalesWindowsTest, EscGoesBackSearchListsWaitForAChoiceAndColoursComeInTogether) {
    year.session.firm.insert(QStringLiteral("Soft_Type"), 9);
    year.session.firm.insert(QStringLiteral("IS_PCSONly"), 1);
    gui::SalesScreen screen(db(), year.session, year.messages, gui::SalesScreen::Kind::Single);
    show(screen);
    enter();
    ASSERT_EQ(focused(), QStringLiteral("txtBillNo"));
    key(Qt::Key_Escape);
    ASSERT_EQ(focused(), QStringLiteral("txtBook"));
    enter();
    enter();
    enter();
    ASSERT_EQ(focused(), QStringLiteral("txtParty"));
    type(QStringLiteral("Ram"));
    auto* partyList = screen.findChild<QTableWidget*>(QStringLiteral("txtParty_list"));
    ASSERT_TRUE(partyList->isVisible());
    key(Qt::Key_Escape);  // closes the list, stays on the party
    EXPECT_FALSE(partyList->isVisible());
    ASSERT_EQ(focused(), QStringLiteral("txtParty"));
    enter();  // "Ram" names no party yet
    ASSERT_EQ(focused(), QStringLiteral("txtParty"));
    type(QStringLiteral("e"));
    enter();
    ASSERT_EQ(focused(), QStringLiteral("txtDeli"));
    ASSERT_TRUE(enterUntil(QStringLiteral("txtDesignNo")));
    type(QStringLiteral("D-1"));
    enter();

    // Both colours of D-101 ticked with F3, five pieces each at 440.
    auto* colours = screen.findChild<QTableWidget*>(QStringLiteral("vsgrid_Colour"));
    ASSERT_EQ(colours->rowCount(), 2);
    colours->setFocus();
    QTest::keyClick(colours, Qt::Key_F3);
    auto* add = screen.findChild<QPushButton*>(QStringLiteral("cmdAddColours"));
    screen.findChild<QLineEdit*>(QStringLiteral("txtColourRate"))->setText(QStringLiteral("440"));
    add->click();
    EXPECT_TRUE(year.messages.has(MessageKind::Critical, QStringLiteral("No Qnty Entered"), QStringLiteral("Please Enter Qnty ")));
    auto* grid = screen.findChild<QTableWidget*>(QStringLiteral("vsgrid"));
    EXPECT_EQ(grid->rowCount(), 1);  // only "Tot"
    screen.findChild<QLineEdit*>(QStringLiteral("txtColourQty"))->setText(QStringLiteral("5"));
    add->click();
    ASSERT_EQ(grid->rowCount(), 3);
    const trade::SalesBill bill = screen.billOnScreen();
    ASSERT_EQ(bill.lines.size(), 2u);
    for (const trade::SalesLine& line : bill.lines) {
        EXPECT_EQ(line.input.pieces, d("5"));
        EXPECT_EQ(line.input.metres, d("31.5"));
        EXPECT_EQ(line.input.listRate, d("440"));
        EXPECT_EQ(line.input.rateOn, QStringLiteral("P"));
    }
    EXPECT_TRUE(screen.findChild<QLabel*>(QStringLiteral("lblNetAmt"))->text().endsWith(QStringLiteral("4,620.00")));  // 4,400 + 5% GST
}

TEST_F(SalesWindowsTest, PeriodBillFromChallansTickedWithTheKeyboard) {
    year.session.firm.insert(QStringLiteral("Soft_Type"), 2);
    trade::DeliveryChallans challans(db(), year.session, year.messages);
    std::vector<qint64> ids;
    const std::tuple<const char*, QDate, const char*> sent[] = {{"31", QDate(2025, 2, 27), "100"},
                                                                {"32", QDate(2025, 3, 4), "110.5"},
                                                                {"33", QDate(2025, 3, 18), "95.25"}};
    for (const auto& [no, date, metres] : sent) {
        trade::DeliveryChallan c;
        c.bookNo = 1;
        c.challanNo = QString::fromLatin1(no);
        c.date = date;
        c.partyId = ramesh;
        trade::ChallanLine l;
        l.qualityId = 4;
        l.description = QStringLiteral("Taka ") + QString::fromLatin1(no);
        l.pieces = d("1");
        l.metres = d(metres);
        l.rate = l.listRate = d("52.25");
        c.lines.push_back(l);
        ids.push_back(challans.save(c).value_or(0));
    }

    gui::SalesScreen screen(db(), year.session, year.messages, gui::SalesScreen::Kind::Period);
    ASSERT_EQ(screen.objectName(), QStringLiteral("frmSalesBetDt"));
    show(screen);
    enter();
    enter();
    enter();  // the bill is dated 31-03-2025: today lies outside the year
    type(QStringLiteral("Ram"));
    enter();
    ASSERT_TRUE(enterUntil(QStringLiteral("DtpFrom")));
    EXPECT_EQ(screen.findChild<QDateEdit*>(QStringLiteral("DtpFrom"))->date(), QDate(2025, 3, 1));
    enter();
    ASSERT_EQ(focused(), QStringLiteral("DtpTo"));
    enter();
    ASSERT_EQ(focused(), QStringLiteral("cmdShowChalan"));
    enter();  // lists the party's challans of March not yet billed
    ASSERT_EQ(focused(), QStringLiteral("vsgrid_Chalan"));
    auto* list = screen.findChild<QTableWidget*>(QStringLiteral("vsgrid_Chalan"));
    ASSERT_EQ(list->rowCount(), 2);
    EXPECT_EQ(list->item(0, 1)->text(), QStringLiteral("32"));
    EXPECT_EQ(list->item(1, 2)->text(), QStringLiteral("18-03-2025"));
    key(Qt::Key_F3);  // tick both
    enter();          // their lines come in; on to the line entry
    ASSERT_EQ(focused(), QStringLiteral("txtQuality"));
    auto* grid = screen.findChild<QTableWidget*>(QStringLiteral("vsgrid"));
    ASSERT_EQ(grid->rowCount(), 3);
    QStringList headers;
    for (int c = 0; c < grid->columnCount(); ++c) headers << grid->horizontalHeaderItem(c)->text();
    EXPECT_EQ(grid->item(1, int(headers.indexOf(QStringLiteral("Ch No"))))->text(), QStringLiteral("33"));
    EXPECT_EQ(grid->item(0, int(headers.indexOf(QStringLiteral("Ch Date"))))->text(), QStringLiteral("04-03-2025"));
    keepShot(screen, QStringLiteral("frmSalesBetDt"));
    enter();  // empty quality: on to the charges
    ASSERT_TRUE(enterUntil(QStringLiteral("cmd_save")));
    enter();

    EXPECT_TRUE(year.messages.has(MessageKind::Information, QStringLiteral("SAVE Confirmation"), QStringLiteral("ONE TRANSACTION IS SAVED")));
    const auto bill = db().queryOne(QStringLiteral("SELECT * FROM SalBillMst"));
    ASSERT_TRUE(bill);
    // 110.5 m and 95.25 m at 52.25: 5,773.62 (half a paisa to the even) + 4,976.81 = 10,750.43;
    // SGST and CGST 268.76 each; 11,287.95 billed as 11,288.
    EXPECT_DOUBLE_EQ(bill->number(QStringLiteral("BAmt")), 10750.43);
    EXPECT_DOUBLE_EQ(bill->number(QStringLiteral("BillAmount")), 11288.0);
    const auto posted = journal(bill->integer(QStringLiteral("Id")));
    ASSERT_FALSE(posted.empty());
    EXPECT_EQ(posted.front(), (Posted{QStringLiteral("Ramesh Silk Mills"), QStringLiteral("D"), 11288.0}));
    double credits = 0;
    for (const Posted& p : posted)
        if (p.side == QStringLiteral("C")) credits += p.amount;
    EXPECT_NEAR(credits, 11288.0, 0.001);
    EXPECT_FALSE(challans.load(ids[0])->sold);
    EXPECT_TRUE(challans.load(ids[1])->sold);
    EXPECT_TRUE(challans.load(ids[2])->sold);
}

// A bleaching firm's period bill lists its outward challans of the month ("Job No", "JobW Date")
// and bills each processed taka's finished metres at the job rate.
TEST_F(SalesWindowsTest, BleachingFirmsPeriodBillTakesItsOutwardChallans) {
    const mill::MillReceipt outward = bleachedAndSentBack(QDate(2025, 3, 12), QStringLiteral("BL-31"),
                                                          {{"501", "100", "97"}, {"502", "98", "95.5"}}, "3.25");
    ASSERT_GT(outward.id, 0) << year.messages.last().text.toStdString();

    gui::SalesScreen screen(db(), year.session, year.messages, gui::SalesScreen::Kind::Period);
    show(screen);
    enter();
    enter();
    enter();
    type(QStringLiteral("Ram"));
    enter();
    ASSERT_TRUE(enterUntil(QStringLiteral("cmdShowChalan")));
    EXPECT_EQ(screen.findChild<QPushButton*>(QStringLiteral("cmdShowChalan"))->text(), QStringLiteral("S&how Job Work"));
    enter();
    auto* list = screen.findChild<QTableWidget*>(QStringLiteral("vsgrid_Chalan"));
    ASSERT_EQ(list->rowCount(), 1);
    EXPECT_EQ(list->horizontalHeaderItem(1)->text(), QStringLiteral("Job No"));
    EXPECT_EQ(list->item(0, 1)->text(), QString::number(outward.challanNo));
    EXPECT_EQ(list->item(0, 4)->text(), QStringLiteral("192.500"));
    key(Qt::Key_F3);
    enter();
    auto* grid = screen.findChild<QTableWidget*>(QStringLiteral("vsgrid"));
    ASSERT_EQ(grid->rowCount(), 3);  // a line per processed taka and the total
    QStringList headers;
    for (int c = 0; c < grid->columnCount(); ++c) headers << grid->horizontalHeaderItem(c)->text();
    ASSERT_TRUE(headers.contains(QStringLiteral("JobW Date")));
    EXPECT_EQ(grid->item(0, int(headers.indexOf(QStringLiteral("JobW Date"))))->text(), QStringLiteral("12-03-2025"));
    keepShot(screen, QStringLiteral("frmSalesBetDt_JobWork"));
    enter();
    ASSERT_TRUE(enterUntil(QStringLiteral("cmd_save")));
    enter();
    EXPECT_TRUE(year.messages.has(MessageKind::Information, QStringLiteral("SAVE Confirmation"), QStringLiteral("ONE TRANSACTION IS SAVED")));
    // 97 + 95.5 m of bleaching at 3.25 = 625.63 of job work on the bill; the challan is billed.
    EXPECT_DOUBLE_EQ(db().scalar(QStringLiteral("SELECT BAmt FROM SalBillMst")).toDouble(), 625.63);
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT IsCN FROM JobWork_IssueMst_1 WHERE Id = ?"), {outward.id}).toInt(), 1);
}

// The same bill through the import the command line uses: the outward challan named by its job
// number becomes the bill's lines, each naming its challan's form, and the challan is billed; a
// job number of another party is refused by name with nothing written.
TEST_F(SalesWindowsTest, BleachingFirmsImportedBillTakesItsOutwardChallanByJobNumber) {
    const mill::MillReceipt outward = bleachedAndSentBack(QDate(2025, 3, 14), QStringLiteral("BL-40"),
                                                          {{"601", "120", "118"}, {"602", "80", "78.5"}}, "4");
    ASSERT_GT(outward.id, 0) << year.messages.last().text.toStdString();

    const QString party = db().scalar(QStringLiteral("SELECT LedgerId FROM AccMst WHERE Id = ?"), {ramesh}).toString();
    const auto bill = [&](const QString& who) {
        return QJsonObject{{QStringLiteral("book"), 1}, {QStringLiteral("number"), QStringLiteral("21")},
                           {QStringLiteral("date"), QStringLiteral("2025-03-31")},
                           {QStringLiteral("party"), who},
                           {QStringLiteral("challans"), QJsonArray{QString::number(outward.challanNo)}}};
    };
    const qint64 bills = year.count(QStringLiteral("SalBillMst"));
    const qint64 suresh = test::addAccount(db(), QStringLiteral("Suresh Fabrics"), 35);
    const QString other = db().scalar(QStringLiteral("SELECT LedgerId FROM AccMst WHERE Id = ?"), {suresh}).toString();
    try {
        trade::salesBillFromJson(db(), year.session, bill(other));
        ADD_FAILURE() << "another party's job work was taken";
    } catch (const trade::JsonRefused& e) {
        EXPECT_EQ(e.text(), QStringLiteral("job work \"%1\" is not an outward challan of this party").arg(outward.challanNo));
    }
    EXPECT_EQ(year.count(QStringLiteral("SalBillMst")), bills);

    trade::SalesBill imported = trade::salesBillFromJson(db(), year.session, bill(party));
    ASSERT_EQ(imported.lines.size(), 2u);
    for (const trade::SalesLine& line : imported.lines) {
        EXPECT_EQ(line.challanId, outward.id);
        EXPECT_EQ(line.challanForm, trade::kJobWorkOutward);
    }
    trade::SalesInvoices invoices(db(), year.session, year.messages);
    ASSERT_TRUE(invoices.save(imported)) << year.messages.last().text.toStdString();
    // 118 + 78.5 m of bleaching at 4 = 786.00 of job work; the lines say where they came from.
    EXPECT_DOUBLE_EQ(db().scalar(QStringLiteral("SELECT BAmt FROM SalBillMst WHERE Id = ?"), {imported.id}).toDouble(), 786.0);
    EXPECT_EQ(year.count(QStringLiteral("SalBillDtl"), QStringLiteral("BillMstId = ? AND DChForm = 17 AND DChId = ?"), {imported.id, outward.id}), 2);
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT IsCN FROM JobWork_IssueMst_1 WHERE Id = ?"), {outward.id}).toInt(), 1);
}

TEST_F(SalesWindowsTest, WhatsAppAndSmsButtonsSendTheOpenBill) {
    test::FakeHttpServer service;
    QFile settings(QDir(year.folder()).filePath(QStringLiteral("WA.txt")));
    ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
    settings.write(QStringLiteral("INST42\nTOKEN9\n\n\n%1\n\nhttps://files.example/WA_Knvs/\ntrue {file}\n").arg(service.address()).toUtf8());
    settings.close();

    gui::SalesScreen screen(db(), year.session, year.messages);
    show(screen);
    auto* whatsApp = screen.findChild<QPushButton*>(QStringLiteral("CmdWA"));
    EXPECT_FALSE(whatsApp->isEnabled());  // nothing to send before a bill is saved and opened
    const auto id = saveBillSeven();
    ASSERT_TRUE(id);
    screen.openBill(*id);
    ASSERT_TRUE(whatsApp->isEnabled());

    service.answer(R"({"status":"success","message":"queued"})");
    whatsApp->click();
    EXPECT_EQ(screen.findChild<QLabel*>(QStringLiteral("lblStatus"))->text(), QStringLiteral("WhatsApp sent for Bill No 7"));
    ASSERT_EQ(service.requests().size(), 1);
    EXPECT_TRUE(service.requests().at(0).contains(QStringLiteral("number=919824012345")));
    EXPECT_TRUE(service.requests().at(0).contains(QStringLiteral("Bill%20No%3A%20GST%2F7")) ||
                service.requests().at(0).contains(QStringLiteral("Bill%20No:%20GST/7")))
        << service.requests().at(0).toStdString();

    service.answer(R"({"status":"error","message":"media"})");
    service.answer(R"({"status":"error","message":"text"})");
    whatsApp->click();
    EXPECT_TRUE(year.messages.has(MessageKind::Critical, QStringLiteral("WhatsApp"), QStringLiteral("Message Failed")));
    EXPECT_TRUE(screen.findChild<QLabel*>(QStringLiteral("lblStatus"))->text().isEmpty());

    // The dispatch text by SMS to the number given when asked (the account has no phone).
    year.session.smsApi = {service.address(), QStringLiteral("ganesh"), QStringLiteral("GANESH")};
    screen.findChild<QComboBox*>(QStringLiteral("ComSMS"))->setCurrentIndex(1);
    year.messages.inputNext(QStringLiteral("9898011111"));
    service.answer("Message accepted");
    screen.findChild<QPushButton*>(QStringLiteral("CmdSMS"))->click();
    EXPECT_TRUE(year.messages.has(MessageKind::Information, QStringLiteral("SMS"), QStringLiteral("Message Send")));
    ASSERT_EQ(service.requests().size(), 4);
    EXPECT_TRUE(service.requests().at(3).contains(QStringLiteral("number=9898011111&text=BILL%20NO%3A%207%0ADATE%20%3A%2010-01-25")))
        << service.requests().at(3).toStdString();
}

TEST_F(SalesWindowsTest, SavedBillRenumberedAndAuditedFromTheList) {
    const auto id = saveBillSeven();
    ASSERT_TRUE(id);

    gui::SalesScreen screen(db(), year.session, year.messages);
    show(screen);
    auto* list = screen.findChild<QTableWidget*>(QStringLiteral("VSResultGrid"));
    ASSERT_EQ(list->rowCount(), 1);
    screen.openBill(*id);
    year.messages.inputNext(QStringLiteral("7A"));
    screen.findChild<QPushButton*>(QStringLiteral("CmdBillNo"))->click();
    EXPECT_TRUE(year.messages.has(MessageKind::Information, QStringLiteral("Save Confirmation"), QStringLiteral("Bill NO is Updated!")));
    EXPECT_EQ(list->item(0, 0)->text(), QStringLiteral("7A"));
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT Receiptno FROM HeadDtl3 WHERE AccId = ?"), {ramesh}).toString(), QStringLiteral("GST/7A"));

    list->item(0, 1)->setCheckState(Qt::Checked);
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT Is_Audit FROM SalBillMst WHERE Id = ?"), {*id}).toInt(), 1);
    screen.findChild<QPushButton*>(QStringLiteral("cmd_save"))->click();  // the open bill saved again stays audited
    EXPECT_TRUE(year.messages.has(MessageKind::Information, QStringLiteral("SAVE Confirmation"), QStringLiteral("ONE TRANSACTION IS SAVED")));
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT Is_Audit FROM SalBillMst WHERE Id = ?"), {*id}).toInt(), 1);
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT BillNO FROM SalBillMst WHERE Id = ?"), {*id}).toString(), QStringLiteral("7A"));
}

TEST_F(SalesWindowsTest, ChoosingThePartyProposesItsLastTransportAndWarnsOverItsLimit) {
    trade::SalesBill bill;
    bill.bookNo = 1;
    bill.billNo = QStringLiteral("3");
    bill.date = QDate(2024, 12, 2);
    bill.partyId = ramesh;
    bill.transport = QStringLiteral("VRL Logistics");
    bill.truckNo = QStringLiteral("GJ05 AB 1234");
    trade::SalesLine line;
    line.qualityId = 4;
    line.input.metres = d("100");
    line.input.listRate = d("52.25");
    line.input.sgstPercent = line.input.cgstPercent = d("2.5");
    bill.lines = {line};
    ASSERT_TRUE(trade::SalesInvoices(db(), year.session, year.messages).save(bill));
    // The party owes 5,486 against a limit of 5,000.
    db().exec(QStringLiteral("UPDATE AccMst SET CrLimit = 5000, Trans_Name = 'Old Carrier' WHERE Id = ?"), {ramesh});

    gui::SalesScreen screen(db(), year.session, year.messages);
    show(screen);
    enter();
    enter();
    enter();
    year.messages.clear();
    type(QStringLiteral("Ram"));
    enter();
    EXPECT_TRUE(year.messages.has(MessageKind::Critical, QStringLiteral("Limit over"), QStringLiteral("Party Limit Is Over.")));
    EXPECT_EQ(screen.findChild<QLineEdit*>(QStringLiteral("txtTransport"))->text(), QStringLiteral("VRL Logistics"));
    EXPECT_EQ(screen.findChild<QLineEdit*>(QStringLiteral("txtTruckNo"))->text(), QStringLiteral("GJ05 AB 1234"));
}

TEST_F(SalesWindowsTest, MenuCommandsOpenTheWindowOfTheFirmsKind) {
    using Kind = gui::SalesScreen::Kind;
    struct Case { int softType; bool piecesOnly; Kind sales; bool takas; };
    const Case cases[] = {{1, false, Kind::Main, false},  {2, false, Kind::Period, false}, {3, false, Kind::Main, false},
                          {4, false, Kind::Period, false}, {5, false, Kind::Main, false},  {6, false, Kind::Period, false},
                          {9, false, Kind::Main, true},    {9, true, Kind::Single, true},  {1, true, Kind::Main, false}};
    for (const Case& c : cases) {
        year.session.firm.insert(QStringLiteral("Soft_Type"), c.softType);
        year.session.firm.insert(QStringLiteral("IS_PCSONly"), c.piecesOnly ? 1 : 0);
        EXPECT_EQ(gui::salesWindowFor(year.session), c.sales) << "software type " << c.softType;
        EXPECT_EQ(gui::challanFromTakasFor(year.session), c.takas) << "software type " << c.softType;
    }

    gui::CommandRegistry registry;
    gui::registerAllCommands(registry);
    gui::MainWindow window(year.session, year.messages);
    gui::CommandContext context{window, [this] { return &db(); }, year.session, year.messages};
    auto opened = [&](const QString& command) {
        const int before = int(window.workArea()->subWindowList().size());
        EXPECT_TRUE(registry.run(command, context)) << command.toStdString();
        const auto windows = window.workArea()->subWindowList();
        return int(windows.size()) > before ? windows.last()->widget()->objectName() : QString();
    };
    year.session.firm.insert(QStringLiteral("Soft_Type"), 2);
    EXPECT_EQ(opened(QStringLiteral("mnu_T12")), QStringLiteral("frmSalesBetDt"));
    year.session.firm.insert(QStringLiteral("Soft_Type"), 9);
    year.session.firm.insert(QStringLiteral("IS_PCSONly"), 1);
    EXPECT_EQ(opened(QStringLiteral("mnu_T12")), QStringLiteral("frmSales_Single"));
    EXPECT_EQ(opened(QStringLiteral("mnu_T11")), QStringLiteral("frmChalan_Taka"));
    year.session.firm.insert(QStringLiteral("Soft_Type"), 1);
    EXPECT_EQ(opened(QStringLiteral("mnu_T12")), QStringLiteral("frmSales"));
    EXPECT_EQ(opened(QStringLiteral("mnu_T11")), QStringLiteral("frmChalan"));
    EXPECT_EQ(opened(QStringLiteral("mnu_Prod1")), QStringLiteral("frmProduction"));
    EXPECT_EQ(opened(QStringLiteral("mnu_Y42")), QStringLiteral("frmSalesOp"));
}

}  // namespace
