// The sales return and credit note screens as a clerk uses them on the grey-cloth trader's books:
// a return typed by keys from the menu, adjusted against two of the customer's bills in the
// paid-bills grid, saved (the books hold what the screen showed) and opened again from the list
// with its adjustments; a discount note on a bill picked in the grid, saved and opened again.
#include "domain/ledger/Journal.h"
#include "domain/returns/GoodsReturns.h"
#include "gui/returns/GoodsReturnScreen.h"
#include "gui/returns/NoteScreen.h"
#include "gui/shell/Commands.h"
#include "gui/shell/MainWindow.h"
#include "support/PostedLines.h"
#include "support/ScreenProbe.h"
#include "support/VoucherFirm.h"
#include "support/YearFixture.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTableWidget>
#include <QtTest>
#include <gtest/gtest.h>

using namespace tanabana;

namespace {

class ReturnScreensTest : public ::testing::Test {
protected:
    void SetUp() override {
        firm.build();
        year.messages.clear();
        gui::registerAllCommands(registry);
        window.resize(1366, 768);
        window.show();
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    void type(const QString& text) { QTest::keyClicks(QApplication::focusWidget(), text); }
    void enter() {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QApplication::processEvents();
    }
    std::string focused() const { return QApplication::focusWidget() ? QApplication::focusWidget()->objectName().toStdString() : std::string(); }
    QString sales(qint64 bill) { return test::outstandingOf(year.db(), QStringLiteral("SalBillMst"), bill); }

    // Opens the document behind its journal lines as a drill-down does; the id the new window shows.
    template <class Screen>
    qint64 openedFromBooks(int tableCode, qint64 id) {
        const qint64 journal = ledger::Journal(year.db(), year.session).journalOf(tableCode, id);
        if (!gui::openPostedDocument(context, journal)) return -1;
        auto* screen = qobject_cast<Screen*>(window.workArea()->subWindowList().last()->widget());
        return screen ? screen->documentId() : -2;
    }

    test::YearFixture year;
    test::VoucherFirm firm{year.db(), year.session, year.messages};
    gui::CommandRegistry registry;
    gui::MainWindow window{year.session, year.messages};
    gui::CommandContext context{window, [this] { return &year.db(); }, year.session, year.messages};
};

TEST_F(ReturnScreensTest, SalesReturnTypedAdjustedSavedAndOpenedAgain) {
    auto* screen = qobject_cast<gui::GoodsReturnScreen*>(test::openFromMenu(registry, context, window, QStringLiteral("mnu_T13")));
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->objectName(), QStringLiteral("frmSalesRet"));
    ASSERT_EQ(focused(), "txtBook");
    enter();
    ASSERT_EQ(focused(), "txtBillNo");
    EXPECT_EQ(test::fieldText(screen, QStringLiteral("txtBillNo")), QStringLiteral("1"));
    enter();
    enter();  // the year's last day, as proposed
    ASSERT_EQ(focused(), "txtParty");
    type(QStringLiteral("Ram"));
    enter();
    EXPECT_EQ(test::fieldText(screen, QStringLiteral("txtParty")), QStringLiteral("Ramesh Silk Mills"));
    // The customer's open bills wait in the paid-bills grid.
    EXPECT_EQ(screen->billsGrid()->rowCount(), 3);
    ASSERT_EQ(focused(), "txtSalBillNo");
    type(QStringLiteral("2"));
    enter();
    enter();  // its date is the bill's
    type(QStringLiteral("Shade variation"));
    for (int guard = 0; guard < 6 && focused() != "txtQuality"; ++guard) enter();
    ASSERT_EQ(focused(), "txtQuality");
    type(QStringLiteral("302"));
    enter();
    ASSERT_EQ(focused(), "txtPcs");
    enter();
    type(QStringLiteral("20"));
    enter();
    EXPECT_EQ(test::fieldText(screen, QStringLiteral("txtRate")), QStringLiteral("100.00"));
    enter();
    enter();  // no discount: the line is added
    ASSERT_EQ(focused(), "txtQuality");
    const QStringList lines = test::gridText(screen->lineGrid());
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines.at(0), QStringLiteral("1 | Rapier 60 | 0 | 20.000 | 100.00 | 2,000.00 | 100.00 | 2,100.00"));
    EXPECT_EQ(screen->findChild<QLabel*>(QStringLiteral("lblBalanceRemain"))->text(), QStringLiteral("Balance Remain : 2,100.00"));

    ASSERT_TRUE(screen->adjust(QStringLiteral("GST/1"), QStringLiteral("1000")));
    ASSERT_TRUE(screen->adjust(QStringLiteral("GST/2"), QStringLiteral("1100")));
    EXPECT_EQ(screen->findChild<QLabel*>(QStringLiteral("lblBalanceRemain"))->text(), QStringLiteral("Balance Remain : 0.00"));
    test::keepPicture(window.window(), QStringLiteral("sales-return"));
    QTest::mouseClick(screen->button(QStringLiteral("cmd_save")), Qt::LeftButton);
    ASSERT_GT(screen->documentId(), 0) << test::lastRefusal(year.messages).toStdString();
    EXPECT_EQ(screen->statusLabel()->text(), QStringLiteral("Saved as Ret No 1"));
    EXPECT_EQ(sales(firm.bill1), QStringLiteral("paid 1000.00 unpaid 8900.00 open"));
    EXPECT_EQ(sales(firm.bill2), QStringLiteral("paid 1100.00 unpaid 4150.00 open"));
    EXPECT_EQ(test::journalLines(year.db(), 4, screen->documentId()).last(),
              QStringLiteral("Ramesh Silk Mills|C|2100.00|Sales Ret - GST/1 - Ramesh Silk Mills ( Sal Bill No. 2)"));

    // Opened again from the list: its lines and, in the grid, what it adjusted.
    const qint64 id = screen->documentId();
    screen->newEntry();
    ASSERT_EQ(screen->savedList()->rowCount(), 1);
    screen->openEntry(id);
    EXPECT_EQ(test::fieldText(screen, QStringLiteral("txtReason")), QStringLiteral("Shade variation"));
    EXPECT_EQ(test::gridText(screen->lineGrid()).size(), 2);
    const QStringList bills = test::gridText(screen->billsGrid());
    ASSERT_EQ(bills.size(), 3);
    EXPECT_TRUE(bills.at(1).endsWith(QStringLiteral("GST/1 | 05-06-24 | 10,000.00 | 9,900.00 | 1000.00"))) << bills.at(1).toStdString();
    EXPECT_TRUE(bills.at(2).endsWith(QStringLiteral("GST/2 | 10-06-24 | 5,250.00 | 5,250.00 | 1100.00"))) << bills.at(2).toStdString();
    EXPECT_TRUE(screen->button(QStringLiteral("Cmd_Print"))->isEnabled());

    // From a line of the books the return opens again in a window of its own.
    EXPECT_EQ(openedFromBooks<gui::GoodsReturnScreen>(ledger::DocumentType::SaleReturn, id), id);
}

TEST_F(ReturnScreensTest, CreditNoteOnTheBillUnderTheCursor) {
    auto* screen = qobject_cast<gui::NoteScreen*>(test::openFromMenu(registry, context, window, QStringLiteral("mnu_T4")));
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->objectName(), QStringLiteral("frmCreditNoteGSTNew"));
    ASSERT_EQ(focused(), "txtCNNo");
    EXPECT_EQ(test::fieldText(screen, QStringLiteral("txtCNNo")), QStringLiteral("1"));
    enter();
    enter();
    ASSERT_EQ(focused(), "txtParty");
    type(QStringLiteral("Ram"));
    enter();
    ASSERT_EQ(focused(), "txtDrAc");
    type(QStringLiteral("Discount"));
    enter();
    // Ramesh's open bills: the opening bill, 1 and 2.
    EXPECT_EQ(test::gridText(screen->lineGrid()).size(), 4);
    ASSERT_TRUE(screen->chooseBill(QStringLiteral("2")));
    screen->findChild<QLineEdit*>(QStringLiteral("txtPercent"))->setText(QStringLiteral("2"));
    screen->findChild<QLineEdit*>(QStringLiteral("txtSgstP"))->setText(QStringLiteral("2.5"));
    screen->findChild<QLineEdit*>(QStringLiteral("txtCgstP"))->setText(QStringLiteral("2.5"));
    screen->findChild<QLineEdit*>(QStringLiteral("txtRefNo"))->setText(QStringLiteral("RSM/77"));
    screen->findChild<QComboBox*>(QStringLiteral("ComReason"))->setCurrentIndex(2);
    QTest::keyClick(screen->findChild<QLineEdit*>(QStringLiteral("txtPercent")), Qt::Key_Space);
    QTest::keyClick(screen->findChild<QLineEdit*>(QStringLiteral("txtPercent")), Qt::Key_Backspace);
    EXPECT_TRUE(screen->findChild<QLabel*>(QStringLiteral("lblNetAmt"))->text().contains(QStringLiteral("105.00")));
    test::keepPicture(window.window(), QStringLiteral("credit-note"));
    QTest::mouseClick(screen->button(QStringLiteral("cmd_save")), Qt::LeftButton);
    ASSERT_GT(screen->documentId(), 0) << test::lastRefusal(year.messages).toStdString();
    EXPECT_EQ(sales(firm.bill2), QStringLiteral("paid 105.00 unpaid 5145.00 open"));
    EXPECT_EQ(year.db().scalar(QStringLiteral("SELECT RefType FROM CNMst WHERE Id = ?"), {screen->documentId()}).toString(), QStringLiteral("02"));

    const qint64 id = screen->documentId();
    screen->newEntry();
    EXPECT_EQ(test::fieldText(screen, QStringLiteral("txtCNNo")), QStringLiteral("2"));
    screen->openEntry(id);
    EXPECT_EQ(test::fieldText(screen, QStringLiteral("txtRefNo")), QStringLiteral("RSM/77"));
    EXPECT_EQ(screen->findChild<QComboBox*>(QStringLiteral("ComReason"))->currentText(), QStringLiteral("02-Post sale discount"));
    // The bill of the note is under the cursor, owed again what the note took while it is edited.
    const int row = screen->lineGrid()->currentRow();
    ASSERT_GE(row, 0);
    EXPECT_EQ(screen->lineGrid()->item(row, 2)->text(), QStringLiteral("2"));
    EXPECT_EQ(screen->lineGrid()->item(row, 9)->text(), QStringLiteral("5,250.00"));

    EXPECT_EQ(openedFromBooks<gui::NoteScreen>(ledger::DocumentType::CreditNote, id), id);
    EXPECT_EQ(test::fieldText(window.workArea()->subWindowList().last()->widget(), QStringLiteral("txtRefNo")), QStringLiteral("RSM/77"));
}

}  // namespace
