// The cash receipt window opened from "2. Cash Receipt" and typed with keys only on a 1366x768
// main window: the book, the date, the party found by its first letters, the amount and receipt
// number, "Bl :" Y opening the bill panel where Enter takes GST/1 and settles 4,000.00; the entry
// posted with its settlement, the grid and voucher total shown; a second entry whose panel is left
// with Esc leaves nothing; F6 on a bank payment settles the supplier's bill; a journal entry typed
// in "3. General" and deleted from its grid.
#include "gui/common/LookupField.h"
#include "gui/reports/PreviewWindow.h"
#include "gui/shell/Commands.h"
#include "gui/shell/MainWindow.h"
#include "gui/vouchers/CashBankScreen.h"
#include "gui/vouchers/JournalScreen.h"
#include "gui/vouchers/SettlementPanel.h"
#include "support/PdfProbe.h"
#include "support/QtPrinting.h"
#include "support/ScreenProbe.h"
#include "support/VoucherScreenTest.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

using namespace tanabana;

namespace {

class CashReceiptScreenTest : public test::VoucherScreenTest {};

}  // namespace

TEST_F(CashReceiptScreenTest, ReceiptTypedWithKeysSettlesABillAndEscLeavesNothing) {
    auto* screen = qobject_cast<gui::CashBankScreen*>(test::openFromMenu(registry, context, window, QStringLiteral("mnu_A2")));
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->objectName(), QStringLiteral("FrmCashReceipt"));
    EXPECT_EQ(screen->windowTitle(), QStringLiteral("Cash Receipt"));
    EXPECT_EQ(focused(), QStringLiteral("txtBook"));
    EXPECT_EQ(test::fieldText(screen, QStringLiteral("txtVouNo")), QStringLiteral("1"));
    key(Qt::Key_Return);  // the cash book
    EXPECT_EQ(focused(), QStringLiteral("txtVouNo"));
    key(Qt::Key_Return);  // voucher 1
    ASSERT_EQ(focused(), QStringLiteral("DtpDate"));
    static_cast<QDateEdit*>(QApplication::focusWidget())->setSelectedSection(QDateTimeEdit::DaySection);
    type(QStringLiteral("01072024"));
    key(Qt::Key_Return);
    ASSERT_EQ(focused(), QStringLiteral("txtParty"));
    type(QStringLiteral("rames"));
    key(Qt::Key_Return);  // takes Ramesh Silk Mills
    EXPECT_EQ(test::fieldText(screen, QStringLiteral("txtParty")), QStringLiteral("Ramesh Silk Mills"));
    EXPECT_EQ(screen->findChild<QLabel*>(QStringLiteral("lblPartyBal"))->text(), QStringLiteral("Party Balance : 15150 Dr."));
    ASSERT_EQ(focused(), QStringLiteral("txtAmount"));
    type(QStringLiteral("4000"));
    key(Qt::Key_Return);
    type(QStringLiteral("R-1"));
    key(Qt::Key_Return);
    key(Qt::Key_Return);  // narration
    key(Qt::Key_Return);  // narration 2
    ASSERT_EQ(focused(), QStringLiteral("txtBl"));
    type(QStringLiteral("Y"));
    EXPECT_EQ(screen->findChild<QComboBox*>(QStringLiteral("txtBl"))->currentText(), QStringLiteral("Y"));

    QString remainShown;
    screen->setPanelRunner([&](gui::SettlementPanel& panel) {
        panel.show();
        QApplication::setActiveWindow(&panel);
        QApplication::processEvents();
        auto* bills = panel.findChild<QTableWidget*>(QStringLiteral("vsgridBills"));
        EXPECT_EQ(bills->item(1, 2)->text(), QStringLiteral("GST/1"));
        EXPECT_EQ(bills->item(1, 5)->text(), QStringLiteral("9,900.00"));
        bills->setFocus();
        bills->selectRow(1);
        key(Qt::Key_Return);  // GST/1 into the fields, payment proposed
        EXPECT_EQ(focused(), QStringLiteral("txtPayment"));
        EXPECT_EQ(test::fieldText(&panel, QStringLiteral("txtPayment")), QStringLiteral("4000.00"));
        key(Qt::Key_Return);
        key(Qt::Key_Return);
        key(Qt::Key_Return);  // on "Fully Received", N
        key(Qt::Key_Return);  // adds the settlement
        remainShown = panel.findChild<QLabel*>(QStringLiteral("lblRemain"))->text();
        const QString shot = QDir(QDir::tempPath()).filePath(QStringLiteral("settlement_panel.png"));
        EXPECT_TRUE(panel.grab().save(shot));
        test::keepForLooking(shot);
        panel.hide();
        QApplication::setActiveWindow(&window);
        return true;
    });
    key(Qt::Key_Return);  // Enter on "Bl :" opens the panel and posts
    EXPECT_EQ(remainShown, QStringLiteral("Cash Remain : 0.00"));
    EXPECT_EQ(paidOn(firm.bill1), 4000.0);
    EXPECT_EQ(focused(), QStringLiteral("txtParty"));
    EXPECT_EQ(test::gridText(screen->lineGrid()).at(0),
              QStringLiteral(
                  "1 | 35R001 | Ramesh Silk Mills | 4,000.00 | R-1 | Cash  #  R.NO -R-1# Bill NO : 1(CRV-1) | 01-07-2024 | Y"));
    EXPECT_EQ(screen->findChild<QLabel*>(QStringLiteral("lblVouAmt"))->text(), QStringLiteral("Vou. Amt. : 4,000.00"));
    EXPECT_EQ(screen->findChild<QLabel*>(QStringLiteral("lblCash"))->text(), QStringLiteral("CASH : 4000.00"));
    const QString shot = QDir(QDir::tempPath()).filePath(QStringLiteral("cash_receipt.png"));
    ASSERT_TRUE(window.grab().save(shot));
    test::keepForLooking(shot);

    // A second entry: the panel is left with Esc, so nothing is posted or settled.
    type(QStringLiteral("rames"));
    key(Qt::Key_Return);
    type(QStringLiteral("2000"));
    key(Qt::Key_Return);
    key(Qt::Key_Return);
    key(Qt::Key_Return);
    key(Qt::Key_Return);
    key(Qt::Key_Down);  // "Bl :" N -> Y
    EXPECT_EQ(screen->findChild<QComboBox*>(QStringLiteral("txtBl"))->currentText(), QStringLiteral("Y"));
    screen->setPanelRunner([&](gui::SettlementPanel& panel) {
        panel.takeBill(2);  // GST/2
        return false;
    });
    key(Qt::Key_Return);
    EXPECT_EQ(year.count(QStringLiteral("HeadDtl3"), QStringLiteral("TableCode = 6")), 2)
        << test::gridText(screen->lineGrid()).join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(year.count(QStringLiteral("Acc_OutSt"), QStringLiteral("TableCode = 6")), 1);
    EXPECT_EQ(paidOn(firm.bill2), 0.0);
}

TEST_F(CashReceiptScreenTest, BankPaymentSettlesTheSuppliersBillFromF6) {
    auto* screen = qobject_cast<gui::CashBankScreen*>(test::openFromMenu(registry, context, window, QStringLiteral("mnu_A3")));
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->objectName(), QStringLiteral("FRMBankPayment"));
    auto* party = screen->findChild<gui::LookupField*>(QStringLiteral("txtParty"));
    party->setFocus();
    type(QStringLiteral("laxmi"));
    key(Qt::Key_Return);
    type(QStringLiteral("5200"));
    key(Qt::Key_Return);
    type(QStringLiteral("000777"));
    screen->setPanelRunner([&](gui::SettlementPanel& panel) {
        panel.takeBill(0);
        EXPECT_TRUE(panel.addSettlement());
        return true;
    });
    QTest::keyClick(screen, Qt::Key_F6);
    QApplication::processEvents();
    EXPECT_EQ(paidOn(firm.purchase, "BillMst"), 5200.0);
    EXPECT_EQ(test::gridText(screen->lineGrid()).at(0).section(QStringLiteral(" | "), 2, 4),
              QStringLiteral("Laxmi Weaving Works | 5,200.00 | 000777"));

    // The cheque of the payment goes through the preview from the window's own button.
    ASSERT_TRUE(screen->button(QStringLiteral("CmdCheque"))->isEnabled());
    test::keepPicture(&window, QStringLiteral("bank_payment"));
    QTest::mouseClick(screen->button(QStringLiteral("CmdCheque")), Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(year.db().scalar(QStringLiteral("SELECT Name || ' ' || InWord FROM PaymentMStChq")).toString(),
              QStringLiteral("Laxmi Weaving Works Rs. Five Thousand Two Hundred Only."));
    for (const Message& m : year.messages.all()) EXPECT_NE(m.kind, MessageKind::Critical) << m.text.toStdString();
    auto* preview = window.findChild<gui::PreviewWindow*>();
    ASSERT_NE(preview, nullptr);
    delete preview;
    QApplication::setActiveWindow(&window);

    // Delete on the grid row asks, gives the bill back and empties the voucher.
    screen->lineGrid()->setFocus();
    screen->lineGrid()->selectRow(0);
    key(Qt::Key_Delete);
    EXPECT_EQ(year.messages.last().title, QStringLiteral("Delete Outstanding Bill"));
    EXPECT_EQ(paidOn(firm.purchase, "BillMst"), 0.0);
    EXPECT_EQ(year.count(QStringLiteral("HeadDtl3"), QStringLiteral("TableCode = 7")), 0);
}

TEST_F(CashReceiptScreenTest, JournalEntryTypedInTheGeneralWindow) {
    auto* screen = qobject_cast<gui::JournalScreen*>(test::openFromMenu(registry, context, window, QStringLiteral("mnu_A53")));
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->objectName(), QStringLiteral("FRMJournalEntry1"));
    EXPECT_EQ(focused(), QStringLiteral("txtVouNo"));
    key(Qt::Key_Return);
    ASSERT_EQ(focused(), QStringLiteral("DtpDate"));
    static_cast<QDateEdit*>(QApplication::focusWidget())->setSelectedSection(QDateTimeEdit::DaySection);
    type(QStringLiteral("31082024"));
    key(Qt::Key_Return);
    ASSERT_EQ(focused(), QStringLiteral("txtCrAc"));
    type(QStringLiteral("bank"));  // bank accounts are not offered
    EXPECT_EQ(static_cast<gui::LookupField*>(QApplication::focusWidget())->chosenId(), 0);
    static_cast<QLineEdit*>(QApplication::focusWidget())->clear();
    type(QStringLiteral("disc"));
    key(Qt::Key_Return);
    ASSERT_EQ(focused(), QStringLiteral("txtDrAc"));
    type(QStringLiteral("rames"));
    key(Qt::Key_Return);
    type(QStringLiteral("250"));
    key(Qt::Key_Return);
    type(QStringLiteral("RD/1"));
    key(Qt::Key_Return);
    type(QStringLiteral("rate difference"));
    key(Qt::Key_Return);
    key(Qt::Key_Return);  // the last field posts the entry
    EXPECT_EQ(focused(), QStringLiteral("txtCrAc"));
    EXPECT_EQ(test::gridText(screen->lineGrid()),
              (QStringList{"1 | Ramesh Silk Mills | 250.00 | 0.00 | RD/1 | 31-08-2024",
                           "1 | Discount A/c | 0.00 | 250.00 | RD/1 | rate difference | 31-08-2024", "Tot | 250.00 | 250.00"}));
    EXPECT_EQ(year.count(QStringLiteral("HeadDtl3"), QStringLiteral("TableCode = 9")), 2);
    screen->lineGrid()->setFocus();
    screen->lineGrid()->selectRow(1);
    key(Qt::Key_Delete);
    EXPECT_EQ(year.messages.last().title, QStringLiteral("Delete Confirmation"));
    EXPECT_EQ(year.count(QStringLiteral("HeadDtl3"), QStringLiteral("TableCode = 9")), 0);
}

TEST_F(CashReceiptScreenTest, ChangedEntryTakesBackAndSettlesAgainTheBillItClosed) {
    // Bank receipt 1 closed GST/2 to the paisa; the cheque turns out to be for 5,000.00.
    ASSERT_TRUE(firm.settle(vouchers::CashBankKind::BankReceipt, QDate(2024, 7, 2), firm.ramesh, firm.bill2, "5250"));
    year.messages.clear();
    auto* screen = qobject_cast<gui::CashBankScreen*>(test::openFromMenu(registry, context, window, QStringLiteral("mnu_A4")));
    ASSERT_NE(screen, nullptr);
    screen->openVoucher(1);
    screen->lineGrid()->setFocus();
    screen->lineGrid()->selectRow(0);
    key(Qt::Key_Return);  // the entry into the fields
    ASSERT_EQ(focused(), QStringLiteral("txtParty"));
    auto* amount = screen->findChild<QLineEdit*>(QStringLiteral("txtAmount"));
    amount->setText(QStringLiteral("5000"));

    QStringList offered;
    screen->setPanelRunner([&](gui::SettlementPanel& panel) {
        auto* bills = panel.findChild<QTableWidget*>(QStringLiteral("vsgridBills"));
        for (int r = 0; r + 1 < bills->rowCount(); ++r)
            offered << bills->item(r, 2)->text() + QLatin1Char(' ') + bills->item(r, 5)->text();
        panel.removeSettlement(0);  // the closing settlement goes...
        const int row = int(offered.indexOf(QStringLiteral("GST/2 5,250.00")));
        EXPECT_GE(row, 0);
        panel.takeBill(row);  // ...and the same bill is settled again for what the cheque paid
        EXPECT_EQ(test::fieldText(&panel, QStringLiteral("txtPayment")), QStringLiteral("5000.00"));
        EXPECT_TRUE(panel.addSettlement());
        EXPECT_EQ(panel.findChild<QLabel*>(QStringLiteral("lblRemain"))->text(), QStringLiteral("Balance Remain : 0.00"));
        return true;
    });
    QTest::keyClick(screen, Qt::Key_F6);
    QApplication::processEvents();
    EXPECT_EQ(offered, (QStringList{"O/88 3,000.00", "GST/1 9,900.00", "GST/2 5,250.00"}));
    EXPECT_EQ(paidOn(firm.bill2), 5000.0);
    EXPECT_EQ(year.db().scalar(QStringLiteral("SELECT IsEnd FROM SalBillMst WHERE Id = ?"), {firm.bill2}).toInt(), 0);
    EXPECT_EQ(year.count(QStringLiteral("Acc_OutSt"), QStringLiteral("TableCode = 8")), 1);
    EXPECT_EQ(test::gridText(screen->lineGrid()).at(0).section(QStringLiteral(" | "), 2, 3),
              QStringLiteral("Ramesh Silk Mills | 5,000.00"));
}
