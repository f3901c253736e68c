// The document screen habits tried on the sales invoice by a clerk of a Surat trading firm with
// the keyboard alone on a 1366x768 laptop: every header field typed and kept through a re-save,
// the screen fitting the window, a typo in a number refused with the cursor kept and nothing
// saved, Exit with unsaved changes asking first, the saved bill staying on screen and printed by
// keys at once, and the saved-bills list searched and opened with Enter or Space. Then the
// challan, production and opening-bill screens on the same form typed and saved the same way, and
// a clerk without the delete right refused a bill's deletion with the bill and journal left whole.
// Set TANABANA_SCREENSHOTS to a folder to keep pictures.
#include "domain/trade/SalesInvoices.h"
#include "domain/trade/TradePrint.h"
#include "gui/common/ScreenHabits.h"
#include "gui/common/Style.h"
#include "gui/reports/PreviewWindow.h"
#include "gui/trade/ChallanScreen.h"
#include "gui/trade/OpeningSalesScreen.h"
#include "gui/trade/ProductionScreen.h"
#include "gui/trade/SalesScreen.h"
#include "support/FirmBooks.h"
#include "support/ScreenProbe.h"
#include "support/YearFixture.h"
#include "support/Amounts.h"

#include <gtest/gtest.h>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>

using namespace tanabana;

namespace {

class DocumentFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        gui::applyApplicationStyle(*qApp);
        test::seedDefaultChart(db());
        year.session.firm.insert(QStringLiteral("CST"), QStringLiteral("24-Gujarat"));
        year.session.firm.insert(QStringLiteral("Is_Sales_RndOff"), 1);
        ramesh = test::addAccount(db(), QStringLiteral("Ramesh Silk Mills"), 35);
        godown = test::addAccount(db(), QStringLiteral("Ramesh Silk Mills Godown"), 35);
        rajdhani = test::addAccount(db(), QStringLiteral("Rajdhani Fabrics"), 35);
        db().exec(
            QStringLiteral("INSERT INTO ProdMst (Id, ProdCode, ProdName, StkType, RAteR, Vat, AddTax, VatCalc, CalcOn, IsActive, "
                           "IsNewPro, FirmNO) VALUES (4, '104', 'Rapier 60 Grey', 'F', 52.25, 2.5, 2.5, 1, 1, 1, 0, 1)"));
        db().exec(QStringLiteral("INSERT INTO BrokerMst (Srno, PName, FirmNO) VALUES (3, 'Mahesh Broker', 1)"));
    }

    // The screen as the main window's work area holds it on a 1366x768 laptop.
    void show(QWidget& screen) {
        screen.resize(1366, 650);
        screen.show();
        QApplication::setActiveWindow(&screen);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&screen));
    }
    static QString focused() {
        QWidget* w = QApplication::focusWidget();
        if (w && (qobject_cast<QAbstractSpinBox*>(w->parentWidget()) || qobject_cast<QComboBox*>(w->parentWidget())))
            w = w->parentWidget();
        return w ? w->objectName() : QString();
    }
    static void type(const QString& text) { QTest::keyClicks(QApplication::focusWidget(), text); }
    static void key(Qt::Key k) { QTest::keyClick(QApplication::focusWidget(), k); }
    static void enter() { key(Qt::Key_Return); }
    static bool enterUntil(const QString& name) {
        for (int i = 0; i < 40 && focused() != name; ++i) enter();
        return focused() == name;
    }
    // Types over the field and leaves it with Enter.
    static bool typeInto(const QString& name, const QString& text) {
        if (!enterUntil(name)) return false;
        if (auto* box = qobject_cast<QLineEdit*>(QApplication::focusWidget())) box->selectAll();
        type(text);
        enter();
        return true;
    }
    // One line of Rapier 60 Grey: `metres` at the item's 52.25, typed from the quality field.
    static void typeLine(const char* metres) {
        ASSERT_TRUE(enterUntil(QStringLiteral("txtQuality")));
        type(QStringLiteral("104"));
        enter();
        ASSERT_TRUE(typeInto(QStringLiteral("txtMtrs"), QString::fromLatin1(metres)));
        ASSERT_TRUE(enterUntil(QStringLiteral("txtBrk")));
        enter();  // the line is added
        ASSERT_EQ(focused(), QStringLiteral("txtQuality"));
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
    QString header(qint64 id, const char* column) {
        return db()
            .scalar(QStringLiteral("SELECT %1 FROM SalBillMst WHERE Id = ?").arg(QString::fromLatin1(column)), {id})
            .toString();
    }
    qint64 saveBill(const char* no, const QDate& date, qint64 party, const char* metres) {
        trade::SalesBill b;
        b.bookNo = 1;
        b.billNo = QString::fromLatin1(no);
        b.date = date;
        b.partyId = party;
        trade::SalesLine l;
        l.qualityId = 4;
        l.input.metres = d(metres);
        l.input.listRate = d("52.25");
        l.input.sgstPercent = l.input.cgstPercent = d("2.5");
        b.lines = {l};
        return trade::SalesInvoices(db(), year.session, year.messages).save(b).value_or(0);
    }

    db::Database& db() { return year.db(); }
    test::YearFixture year;
    qint64 ramesh = 0, godown = 0, rajdhani = 0;
};

TEST_F(DocumentFormTest, EveryHeaderFieldTypedOnTheScreenSurvivesAReSave) {
    gui::SalesScreen screen(db(), year.session, year.messages);
    show(screen);
    ASSERT_EQ(focused(), QStringLiteral("txtBook"));
    ASSERT_TRUE(enterUntil(QStringLiteral("txtParty")));
    type(QStringLiteral("Ramesh Silk Mills"));
    enter();
    ASSERT_EQ(focused(), QStringLiteral("txtDeli"));
    enter();
    ASSERT_EQ(focused(), QStringLiteral("txtConsignee"));
    type(QStringLiteral("Ramesh Silk Mills G"));
    enter();
    ASSERT_EQ(focused(), QStringLiteral("txtBroker"));
    type(QStringLiteral("Mah"));
    enter();
    ASSERT_TRUE(enterUntil(QStringLiteral("ComInvType")));
    key(Qt::Key_Down);  // Export
    ASSERT_TRUE(typeInto(QStringLiteral("txtVehicleNo"), QStringLiteral("GJ-05-BX-4410")));
    ASSERT_TRUE(typeInto(QStringLiteral("txtLrNo"), QStringLiteral("LR-2231")));
    ASSERT_TRUE(typeInto(QStringLiteral("txtLrDate"), QStringLiteral("11/1/25")));
    EXPECT_EQ(screen.findChild<QLineEdit*>(QStringLiteral("txtLrDate"))->text(), QStringLiteral("11-01-2025"));
    ASSERT_TRUE(typeInto(QStringLiteral("txtPacking"), QStringLiteral("Bales")));
    ASSERT_TRUE(typeInto(QStringLiteral("txtCaseNo"), QStringLiteral("17")));
    typeLine("100");
    test::keepPicture(&screen, QStringLiteral("frmSales-1366"));
    screen.findChild<QPushButton*>(QStringLiteral("cmd_save"))->click();

    const qint64 id = screen.currentId();
    ASSERT_GT(id, 0);
    EXPECT_EQ(header(id, "ConSId").toLongLong(), godown);
    EXPECT_EQ(header(id, "BrokerId").toLongLong(), 3);
    EXPECT_EQ(header(id, "LrNo"), QStringLiteral("LR-2231"));
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT LrDt FROM SalBillMst WHERE Id = ?"), {id}).toDate(), QDate(2025, 1, 11));
    EXPECT_EQ(header(id, "T_VehNO"), QStringLiteral("GJ-05-BX-4410"));
    EXPECT_EQ(header(id, "Packng"), QStringLiteral("Bales"));
    EXPECT_EQ(header(id, "CaseNO").toInt(), 17);
    EXPECT_EQ(header(id, "BillType"), QStringLiteral("Export"));

    // Next morning the clerk opens it from the list and adds a note: nothing else moves.
    screen.findChild<QPushButton*>(QStringLiteral("cmd_New"))->click();
    auto* list = screen.savedList();
    ASSERT_EQ(list->rowCount(), 1);
    list->setFocus();
    list->setCurrentCell(0, 0);
    enter();
    ASSERT_EQ(screen.currentId(), id);
    EXPECT_EQ(screen.findChild<QLineEdit*>(QStringLiteral("txtLrDate"))->text(), QStringLiteral("11-01-2025"));
    EXPECT_EQ(screen.findChild<QLineEdit*>(QStringLiteral("txtBroker"))->text(), QStringLiteral("Mahesh Broker"));
    auto* notes = screen.findChild<QLineEdit*>(QStringLiteral("txtDescription"));
    notes->setFocus();
    type(QStringLiteral("Second lot"));
    screen.findChild<QPushButton*>(QStringLiteral("cmd_save"))->click();
    EXPECT_EQ(header(id, "Notes"), QStringLiteral("Second lot"));
    EXPECT_EQ(header(id, "ConSId").toLongLong(), godown);
    EXPECT_EQ(header(id, "BrokerId").toLongLong(), 3);
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT LrDt FROM SalBillMst WHERE Id = ?"), {id}).toDate(), QDate(2025, 1, 11));
    EXPECT_EQ(header(id, "T_VehNO"), QStringLiteral("GJ-05-BX-4410"));
    EXPECT_EQ(header(id, "Packng"), QStringLiteral("Bales"));
    EXPECT_EQ(header(id, "CaseNO").toInt(), 17);
    EXPECT_EQ(header(id, "InvType"), QStringLiteral("E"));
    EXPECT_EQ(year.count(QStringLiteral("SalBillMst")), 1);
}

TEST_F(DocumentFormTest, TheScreenFitsTheLaptopAndTheFirstKeyLandsInTheBook) {
    gui::SalesScreen screen(db(), year.session, year.messages);
    show(screen);
    ASSERT_EQ(focused(), QStringLiteral("txtBook"));
    auto* book = screen.findChild<QComboBox*>(QStringLiteral("txtBook"));
    book->addItem(QStringLiteral("9 Export Sales"), 9);  // a second sales book
    ASSERT_GT(book->count(), 1);
    key(Qt::Key_Down);  // the first key chooses the second book
    EXPECT_EQ(book->currentIndex(), 1);
    // Nothing the clerk needs lies outside the window or is squeezed to nothing.
    for (const char* name : {"DtpBillDate", "txtParty", "txtCaseNo", "txtRate", "txtBrk", "vsgrid", "lblNetAmt", "cmd_save",
                             "Cmd_Print", "CmdPDF", "CmdWA", "Cmd_Exit", "VSResultGrid", "txtFind"}) {
        auto* w = screen.findChild<QWidget*>(QString::fromLatin1(name));
        ASSERT_TRUE(w) << name;
        const QRect shown(w->mapTo(&screen, QPoint(0, 0)), w->size());
        EXPECT_TRUE(screen.rect().contains(shown)) << name;
        EXPECT_GE(w->height(), 18) << name;
        EXPECT_GE(w->width(), 30) << name;
    }
    // the grid takes what the window gives beyond the fixed parts
    auto* grid = screen.lineGrid();
    const int before = grid->height();
    screen.resize(1366, 740);
    QApplication::processEvents();
    EXPECT_GT(grid->height(), before);
}

TEST_F(DocumentFormTest, ANumberTypoIsRefusedWithTheCursorKeptAndNothingSaved) {
    gui::SalesScreen screen(db(), year.session, year.messages);
    show(screen);
    ASSERT_TRUE(enterUntil(QStringLiteral("txtParty")));
    type(QStringLiteral("Ramesh Silk Mills"));
    enter();
    ASSERT_TRUE(enterUntil(QStringLiteral("txtQuality")));
    type(QStringLiteral("104"));
    enter();
    ASSERT_TRUE(enterUntil(QStringLiteral("txtMtrs")));
    type(QStringLiteral("1O8.5"));  // an O for a zero
    enter();
    EXPECT_TRUE(year.messages.has(MessageKind::Critical, QStringLiteral("Wrong Number"),
                                  QStringLiteral("Mtrs takes a number: 1O8.5 is not one.")));
    ASSERT_EQ(focused(), QStringLiteral("txtMtrs"));
    EXPECT_EQ(qobject_cast<QLineEdit*>(QApplication::focusWidget())->selectedText(), QStringLiteral("1O8.5"));
    // the line is not added from the last field either, and Save refuses it again
    ASSERT_TRUE(enterUntil(QStringLiteral("txtMtrs")));
    screen.findChild<QLineEdit*>(QStringLiteral("txtBrk"))->setFocus();
    enter();
    EXPECT_EQ(screen.lineGrid()->rowCount(), 1);  // only the total row
    year.messages.clear();
    screen.findChild<QPushButton*>(QStringLiteral("cmd_save"))->click();
    EXPECT_TRUE(year.messages.has(MessageKind::Critical, QStringLiteral("Wrong Number"),
                                  QStringLiteral("Mtrs takes a number: 1O8.5 is not one.")));
    EXPECT_EQ(focused(), QStringLiteral("txtMtrs"));
    EXPECT_EQ(year.count(QStringLiteral("SalBillMst")), 0);

    // a lorry receipt date that is no date is refused by name the same way
    screen.findChild<QLineEdit*>(QStringLiteral("txtMtrs"))->setText(QStringLiteral("108.5"));
    screen.findChild<QLineEdit*>(QStringLiteral("txtLrDate"))->setText(QStringLiteral("31-02-2025"));
    screen.findChild<QPushButton*>(QStringLiteral("cmd_save"))->click();
    EXPECT_EQ(year.messages.last().text, QStringLiteral("L.R. Dt. is not a proper date: 31-02-2025."));
    EXPECT_EQ(focused(), QStringLiteral("txtLrDate"));
    EXPECT_EQ(year.count(QStringLiteral("SalBillMst")), 0);
}

TEST_F(DocumentFormTest, ExitAndEscWithUnsavedChangesAskFirst) {
    gui::SalesScreen screen(db(), year.session, year.messages);
    show(screen);
    // an untouched screen goes without a question
    year.messages.clear();
    {
        gui::SalesScreen untouched(db(), year.session, year.messages);
        show(untouched);
        untouched.findChild<QPushButton*>(QStringLiteral("Cmd_Exit"))->click();
        EXPECT_FALSE(untouched.isVisible());
        EXPECT_TRUE(year.messages.empty());
    }
    show(screen);
    ASSERT_TRUE(enterUntil(QStringLiteral("txtParty")));
    type(QStringLiteral("Ramesh Silk Mills"));
    enter();
    typeLine("100");

    year.messages.chooseNext(2);  // Go Back
    screen.findChild<QPushButton*>(QStringLiteral("Cmd_Exit"))->click();
    EXPECT_TRUE(year.messages.has(MessageKind::Question, QStringLiteral("Entry Not Saved"),
                                  QStringLiteral("This entry has changes that are not saved.\nSave them before leaving?")));
    EXPECT_TRUE(screen.isVisible());
    EXPECT_EQ(screen.billOnScreen().lines.size(), 1u);

    // Esc back to the first field, and Esc there asks again; Save saves and leaves
    screen.findChild<QComboBox*>(QStringLiteral("txtBook"))->setFocus();
    year.messages.clear();
    year.messages.chooseNext(0);
    key(Qt::Key_Escape);
    EXPECT_TRUE(year.messages.has(MessageKind::Question, QStringLiteral("Entry Not Saved"),
                                  QStringLiteral("This entry has changes that are not saved.\nSave them before leaving?")));
    EXPECT_FALSE(screen.isVisible());
    EXPECT_EQ(year.count(QStringLiteral("SalBillMst")), 1);
}

TEST_F(DocumentFormTest, TheSavedBillStaysOnScreenAndPrintsByKeysAtOnce) {
    gui::SalesScreen screen(db(), year.session, year.messages);
    show(screen);
    ASSERT_TRUE(enterUntil(QStringLiteral("txtParty")));
    type(QStringLiteral("Ramesh Silk Mills"));
    enter();
    typeLine("100");
    enter();  // empty quality: on to the charges
    ASSERT_TRUE(enterUntil(QStringLiteral("cmd_save")));
    enter();
    ASSERT_TRUE(year.messages.has(MessageKind::Information, QStringLiteral("SAVE Confirmation"),
                                  QStringLiteral("ONE TRANSACTION IS SAVED")));
    // the bill is on screen with its number, its amount, and the list shows it
    EXPECT_GT(screen.currentId(), 0);
    EXPECT_EQ(screen.findChild<QLineEdit*>(QStringLiteral("txtBillNo"))->text(), QStringLiteral("1"));
    EXPECT_TRUE(screen.findChild<QLabel*>(QStringLiteral("lblNetAmt"))->text().endsWith(QStringLiteral("5,486.00")));
    EXPECT_EQ(screen.findChild<QLabel*>(QStringLiteral("lblStatus"))->text(), QStringLiteral("Saved as Bill No 1"));
    EXPECT_FALSE(screen.hasUnsavedChanges());
    ASSERT_EQ(screen.savedList()->rowCount(), 1);
    EXPECT_EQ(screen.savedList()->item(0, 0)->text(), QStringLiteral("1"));

    // the cursor waits on Print: Enter opens the preview of this bill, copies chosen there
    ASSERT_EQ(focused(), QStringLiteral("Cmd_Print"));
    enter();
    gui::PreviewWindow* preview = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* p = qobject_cast<gui::PreviewWindow*>(w); p && p->isVisible()) preview = p;
    ASSERT_TRUE(preview) << (year.messages.empty() ? std::string() : year.messages.last().text.toStdString());
    EXPECT_EQ(preview->reportPdfName, trade::invoicePdfNameOf(db(), screen.currentId()));
    preview->close();
}

TEST_F(DocumentFormTest, SavedBillsAreFoundByPartyOrAmountAndOpenedWithEnterOrSpace) {
    saveBill("7", QDate(2025, 1, 10), ramesh, "100");                    // 5,486.00
    saveBill("8", QDate(2025, 1, 12), rajdhani, "40");                   // 2,194.50 billed as 2,195
    const qint64 nine = saveBill("9", QDate(2025, 2, 3), ramesh, "10");  // 548.63 billed as 549
    gui::SalesScreen screen(db(), year.session, year.messages);
    show(screen);
    auto* list = screen.savedList();
    ASSERT_EQ(list->rowCount(), 3);
    QStringList captions;
    for (int c = 0; c < list->columnCount(); ++c) captions << list->horizontalHeaderItem(c)->text();
    EXPECT_EQ(captions, (QStringList{"Bill No", "Audited", "Bill Date", "Party", "City", "Net Amt", "eWay Bill No", "Ch No",
                                     "Paid", "Unpaid"}));
    EXPECT_EQ(list->item(0, 2)->text(), QStringLiteral("03-02-2025"));
    EXPECT_EQ(list->item(2, 5)->text(), QStringLiteral("5,486.00"));
    EXPECT_EQ(screen.listPosition(), QStringLiteral("1-3 of 3"));

    auto* find = screen.listSearch();
    find->setFocus();
    type(QStringLiteral("Raj"));
    ASSERT_EQ(list->rowCount(), 1);
    EXPECT_EQ(list->item(0, 0)->text(), QStringLiteral("8"));
    find->clear();
    type(QStringLiteral("549"));
    ASSERT_EQ(list->rowCount(), 1);
    EXPECT_EQ(list->item(0, 0)->text(), QStringLiteral("9"));

    list->setFocus();
    list->setCurrentCell(0, 3);
    key(Qt::Key_Space);
    EXPECT_EQ(screen.currentId(), nine);
    EXPECT_EQ(screen.findChild<QLineEdit*>(QStringLiteral("txtParty"))->text(), QStringLiteral("Ramesh Silk Mills"));
    EXPECT_EQ(screen.lineGrid()->rowCount(), 2);  // its line and the total
}

TEST_F(DocumentFormTest, ChallanTypedByKeysStaysOnScreenAfterItsSave) {
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

TEST_F(DocumentFormTest, ProductionTakasTypedByKeysWithATypoRefused) {
    db().exec(QStringLiteral("UPDATE AccMst SET ZoneName = 'J' WHERE Id = ?"), {ramesh});  // weaves for the firm
    db().exec(QStringLiteral("UPDATE ProdMst SET Pack = 5.5 WHERE ProdName = 'Rapier 60 Grey'"));  // metres a piece
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
    // the chosen quality brings its cut
    EXPECT_EQ(screen.findChild<QLineEdit*>(QStringLiteral("txtCut"))->text(), QStringLiteral("5.50"));
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

TEST_F(DocumentFormTest, OpeningBillTypedByKeysWithItsExit) {
    gui::OpeningSalesScreen screen(db(), year.session, year.messages);
    show(screen);
    ASSERT_EQ(focused(), QStringLiteral("txtBook"));
    ASSERT_TRUE(screen.findChild<QPushButton*>(QStringLiteral("Cmd_Exit")));
    enter();
    type(QStringLiteral("OP/17"));
    enter();
    enter();  // dated the day before the year
    typoRefused(QStringLiteral("txtPendingAmt"), QStringLiteral("12,5OO"),
                QStringLiteral("Pending Amount takes a number: 12,5OO is not one."));
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

TEST_F(DocumentFormTest, AClerkWithoutTheDeleteRightCannotDeleteABillFromTheScreen) {
    const qint64 id = saveBill("7", QDate(2025, 1, 10), ramesh, "100");
    ASSERT_GT(id, 0);
    const int journal = year.count(QStringLiteral("HeadDtl3"));
    year.session.rights.insert(QStringLiteral("IsDelete"), 0);

    gui::SalesScreen screen(db(), year.session, year.messages);
    show(screen);
    auto* list = screen.savedList();
    list->setFocus();
    list->setCurrentCell(0, 0);
    enter();
    ASSERT_EQ(screen.currentId(), id);
    auto* remove = screen.findChild<QPushButton*>(QStringLiteral("cmd_Delete"));
    ASSERT_TRUE(remove->isEnabled());
    year.messages.clear();
    remove->click();
    EXPECT_TRUE(year.messages.has(MessageKind::Critical, QStringLiteral("No Right"),
                                  QStringLiteral("You Have No Right To Delete Entries.")));
    EXPECT_EQ(year.count(QStringLiteral("SalBillMst")), 1);
    EXPECT_EQ(year.count(QStringLiteral("SalBillDtl")), 1);
    EXPECT_EQ(year.count(QStringLiteral("HeadDtl3")), journal);
    EXPECT_EQ(year.count(QStringLiteral("Table_Del_History")), 0);
    // the bill stays on screen as it was
    EXPECT_EQ(screen.currentId(), id);
    EXPECT_EQ(screen.findChild<QLineEdit*>(QStringLiteral("txtBillNo"))->text(), QStringLiteral("7"));
    EXPECT_EQ(list->rowCount(), 1);
}

}  // namespace

namespace {

// The visible top-level window of that name (a master opened over the screen), or null.
QWidget* openWindow(const QString& name) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == name && w->isVisible()) return w;
    return nullptr;
}

TEST_F(DocumentFormTest, APartyAndAQualityAreMadeFromInsideTheirSearchLists) {
    gui::SalesScreen screen(db(), year.session, year.messages);
    show(screen);
    ASSERT_TRUE(enterUntil(QStringLiteral("txtParty")));
    type(QStringLiteral("Surya Textiles"));
    // Insert opens the account master with the typed name, as a sundry debtor; its Save brings it back
    QString typedThere, groupThere;
    QTimer::singleShot(0, [&] {
        QWidget* master = openWindow(QStringLiteral("FrmAccMstNew"));
        ASSERT_TRUE(master);
        typedThere = master->findChild<QLineEdit*>(QStringLiteral("AcName"))->text();
        groupThere = master->findChild<QComboBox*>(QStringLiteral("GrpNo"))->currentText();
        master->findChild<QPushButton*>(QStringLiteral("cmd_save"))->click();
    });
    key(Qt::Key_Insert);
    QApplication::setActiveWindow(&screen);  // the window manager's part once the master is gone
    ASSERT_TRUE(QTest::qWaitForWindowActive(&screen));
    EXPECT_EQ(typedThere, QStringLiteral("Surya Textiles"));
    EXPECT_TRUE(groupThere.startsWith(QStringLiteral("35"))) << groupThere.toStdString();
    const qint64 surya = db().scalar(QStringLiteral("SELECT Id FROM AccMst WHERE AcName = 'Surya Textiles' AND GrpNo = 35")).toLongLong();
    ASSERT_GT(surya, 0);
    EXPECT_EQ(screen.billOnScreen().partyId, surya);
    EXPECT_EQ(screen.findChild<QLineEdit*>(QStringLiteral("txtParty"))->text(), QStringLiteral("Surya Textiles"));
    EXPECT_EQ(focused(), QStringLiteral("txtParty"));

    // the same for a quality; a master closed without saving leaves the field as typed
    ASSERT_TRUE(enterUntil(QStringLiteral("txtQuality")));
    type(QStringLiteral("Satin 90"));
    QTimer::singleShot(0, [&] {
        QWidget* master = openWindow(QStringLiteral("FrmProdMst"));
        ASSERT_TRUE(master);
        typedThere = master->findChild<QLineEdit*>(QStringLiteral("ProdName"))->text();
        master->findChild<QPushButton*>(QStringLiteral("Cmd_Exit"))->click();  // Discard is the recorded answer
    });
    key(Qt::Key_Insert);
    QApplication::setActiveWindow(&screen);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&screen));
    EXPECT_EQ(typedThere, QStringLiteral("Satin 90"));
    EXPECT_EQ(year.count(QStringLiteral("ProdMst"), QStringLiteral("ProdName = 'Satin 90'")), 0);
    auto* quality = screen.findChild<gui::LookupField*>(QStringLiteral("txtQuality"));
    EXPECT_EQ(quality->chosenId(), 0);
    EXPECT_EQ(quality->text(), QStringLiteral("Satin 90"));
    QTimer::singleShot(0, [&] {
        QWidget* master = openWindow(QStringLiteral("FrmProdMst"));
        ASSERT_TRUE(master);
        master->findChild<QPushButton*>(QStringLiteral("cmd_save"))->click();
    });
    key(Qt::Key_Insert);
    const qint64 satin = db().scalar(QStringLiteral("SELECT Id FROM ProdMst WHERE ProdName = 'Satin 90'")).toLongLong();
    ASSERT_GT(satin, 0) << (year.messages.empty() ? std::string() : year.messages.last().text.toStdString());
    EXPECT_EQ(quality->chosenId(), satin);
    EXPECT_EQ(quality->text(), QStringLiteral("Satin 90"));
}

}  // namespace
