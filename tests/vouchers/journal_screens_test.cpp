// The journal windows of the grey-cloth trader, typed with keys on a 1366x768 main window: a whole
// voucher of two entries gathered on screen and posted by Save (one entry dropped from the grid
// first), the less amount of a closed bill passed from "1. Bill Base", the differences of several
// bills ticked and passed at once from "2. Bill Base Multi", and daily wages scheduled in
// "7. Cash Payment (Auto)" posted as one cash payment a working day and deleted again.
#include "domain/vouchers/JournalVouchers.h"
#include "gui/common/LookupField.h"
#include "gui/shell/Commands.h"
#include "gui/shell/MainWindow.h"
#include "gui/vouchers/BillBaseJournalScreen.h"
#include "gui/vouchers/JournalScreen.h"
#include "gui/vouchers/RecurringPaymentScreen.h"
#include "support/QtPrinting.h"
#include "support/ScreenProbe.h"
#include "support/VoucherScreenTest.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

using namespace tanabana;

namespace {

class JournalScreensTest : public test::VoucherScreenTest {
protected:
    QString label(QWidget* screen, const char* name) {
        return screen->findChild<QLabel*>(QString::fromLatin1(name))->text();
    }
    int journalLines() { return year.count(QStringLiteral("HeadDtl3"), QStringLiteral("TableCode = 9")); }
    QStringList journal(qint64 voucherNo) {
        QStringList out;
        for (const db::Row& r : year.db().query(
                 QStringLiteral("SELECT h.SubSrno, a.AcName, h.Type, h.DrAmt + h.CrAmt, h.%1 FROM HeadDtl3 h JOIN AccMst a ON "
                                "a.Id = h.AccId WHERE h.TableCode = 9 AND h.VoucherNo = ? ORDER BY h.SubSrno, h.Type DESC")
                     .arg(year.db().dialect().quote(QStringLiteral("Desc"))),
                 {voucherNo}))
            out << QStringLiteral("%1 %2 %3 %4 | %5")
                       .arg(r.value(0).toString(), r.value(1).toString(), r.value(2).toString(),
                            Decimal::fromVariant(r.value(3)).toString(2), r.value(4).toString());
        return out;
    }
};

}  // namespace

TEST_F(JournalScreensTest, WholeVoucherGatheredOnScreenAndPostedBySave) {
    year.session.firm.insert(QStringLiteral("Is_JV_Single"), false);
    auto* screen = qobject_cast<gui::JournalScreen*>(test::openFromMenu(registry, context, window, QStringLiteral("mnu_A53")));
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->objectName(), QStringLiteral("FRMJournalEntry"));
    EXPECT_EQ(screen->windowTitle(), QStringLiteral("Journal Entry"));
    key(Qt::Key_Return);  // voucher 1
    typeDate("31082024");
    auto entry = [&](const char* credit, const char* debit, const char* amount) {
        ASSERT_EQ(focused(), QStringLiteral("txtCrAc"));
        type(QString::fromLatin1(credit));
        key(Qt::Key_Return);
        type(QString::fromLatin1(debit));
        key(Qt::Key_Return);
        type(QString::fromLatin1(amount));
        key(Qt::Key_Return);
        key(Qt::Key_Return);  // reference
        key(Qt::Key_Return);  // credit narration
        key(Qt::Key_Return);  // debit narration: the entry joins the voucher on screen
    };
    entry("disc", "rames", "250");
    EXPECT_EQ(label(screen, "lblCrBal"), QString());  // cleared for the next entry
    entry("disc", "kiran", "120");
    entry("laxmi", "kiran", "40");
    EXPECT_EQ(journalLines(), 0);  // nothing is posted before Save
    EXPECT_EQ(label(screen, "lblVouAmt"), QStringLiteral("Voucher Amount : 410.00"));
    EXPECT_EQ(label(screen, "lblSrno"), QStringLiteral("Srno : 4"));

    // The third entry leaves the grid after the question.
    screen->lineGrid()->setFocus();
    screen->lineGrid()->selectRow(4);
    key(Qt::Key_Delete);
    EXPECT_EQ(year.messages.last().title, QStringLiteral("Delete Confirmation"));
    EXPECT_EQ(year.messages.last().text, QStringLiteral("Are You Sure To Delete This Entry ?"));
    EXPECT_EQ(test::gridText(screen->lineGrid()).last(), QStringLiteral("Tot | 370.00 | 370.00"));

    QTest::mouseClick(screen->button(QStringLiteral("cmd_save")), Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(journal(1), (QStringList{"1 Ramesh Silk Mills D 250.00 | Discount A/c #(JEV-1)",
                                       "1 Discount A/c C 250.00 | Ramesh Silk Mills,Kiran Sarees #(JEV-1) ",
                                       "2 Kiran Sarees D 120.00 | Discount A/c #(JEV-1)",
                                       "2 Discount A/c C 120.00 | Ramesh Silk Mills,Kiran Sarees #(JEV-1) "}));
    EXPECT_EQ(screen->documentId(), 1);
    test::keepPicture(&window, QStringLiteral("journal_whole_voucher"));

    // Changed and saved again: still one set of lines.
    screen->lineGrid()->setFocus();
    screen->lineGrid()->selectRow(2);
    key(Qt::Key_Return);
    ASSERT_EQ(focused(), QStringLiteral("txtCrAc"));
    auto* amount = screen->findChild<QLineEdit*>(QStringLiteral("txtAmount"));
    amount->setText(QStringLiteral("150"));
    amount->setFocus();
    key(Qt::Key_Return);
    key(Qt::Key_Return);
    key(Qt::Key_Return);
    key(Qt::Key_Return);
    QTest::mouseClick(screen->button(QStringLiteral("cmd_save")), Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(journalLines(), 4);
    EXPECT_EQ(journal(1).at(2), QStringLiteral("2 Kiran Sarees D 150.00 | Discount A/c #(JEV-1)"));
}

TEST_F(JournalScreensTest, LessAmountOfOneBillPassedFromBillBase) {
    ASSERT_TRUE(firm.settle(vouchers::CashBankKind::CashReceipt, QDate(2024, 7, 15), firm.ramesh, firm.bill1, "9800", "100", "0", true));
    year.messages.clear();
    auto* screen = qobject_cast<gui::BillBaseJournalScreen*>(test::openFromMenu(registry, context, window, QStringLiteral("mnu_A51")));
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->objectName(), QStringLiteral("FRMJournalEntryBillBase"));
    EXPECT_EQ(screen->windowTitle(), QStringLiteral("Journal Entry  ( BILL BASE  )"));
    EXPECT_EQ(label(screen, "lblVouNo"), QStringLiteral("1"));
    ASSERT_EQ(focused(), QStringLiteral("DtpDate"));
    typeDate("31072024");
    ASSERT_EQ(focused(), QStringLiteral("txtParty"));
    type(QStringLiteral("kir"));  // Kiran owes no difference: not offered
    EXPECT_EQ(static_cast<gui::LookupField*>(QApplication::focusWidget())->chosenId(), 0);
    static_cast<QLineEdit*>(QApplication::focusWidget())->clear();
    type(QStringLiteral("rames"));
    key(Qt::Key_Return);  // takes the party and goes into its bills
    auto* bills = screen->findChild<QTableWidget*>(QStringLiteral("vsgridBills"));
    ASSERT_EQ(focused(), QStringLiteral("vsgridBills"));
    EXPECT_EQ(test::gridText(bills), (QStringList{"S | R | 1 | 05-06-2024 | 10,000.00 | 9,800.00 | 100.00 | 0.00 | 15-07-2024",
                                                  "Total | 10,000.00 | 9,800.00 | 100.00 | 0.00"}));
    key(Qt::Key_Return);  // the bill into the fields
    EXPECT_EQ(label(screen, "lblBillNo"), QStringLiteral("1"));
    EXPECT_EQ(label(screen, "lblBillAmt"), QStringLiteral("10,000.00"));
    EXPECT_EQ(label(screen, "lblPending"), QStringLiteral("100.00"));
    EXPECT_EQ(label(screen, "lblSide"), QStringLiteral("Cr."));
    ASSERT_EQ(focused(), QStringLiteral("txtJvAc"));
    type(QStringLiteral("disc"));
    key(Qt::Key_Return);
    ASSERT_EQ(focused(), QStringLiteral("txtAmount"));
    EXPECT_EQ(test::fieldText(screen, QStringLiteral("txtAmount")), QStringLiteral("100.00"));
    test::keepPicture(&window, QStringLiteral("journal_bill_base"));
    key(Qt::Key_Return);  // saves
    EXPECT_TRUE(year.messages.has(MessageKind::Information, QStringLiteral("Save Confirmation"),
                                  QStringLiteral("One Transaction Is Saved.\n J.V. No : 1")));
    EXPECT_EQ(journal(1), (QStringList{"1 Discount A/c D 100.00 |  Bill NO - 1 # Ramesh Silk Mills (JEV-1)",
                                       "1 Ramesh Silk Mills C 100.00 |  Bill NO - 1 # Discount A/c (JEV-1)"}));
    EXPECT_EQ(test::gridText(bills), QStringList{"Total | 0.00 | 0.00 | 0.00 | 0.00"});
    EXPECT_EQ(label(screen, "lblVouNo"), QStringLiteral("2"));

    // Save with no bill taken is refused, nothing written.
    year.messages.clear();
    EXPECT_FALSE(screen->save());
    EXPECT_TRUE(year.messages.has(MessageKind::Critical, QStringLiteral("No Save"), QStringLiteral("Please Select Bill")));
    EXPECT_EQ(journalLines(), 2);
}

TEST_F(JournalScreensTest, DifferencesOfSeveralBillsTickedAndPassedAtOnce) {
    ASSERT_TRUE(firm.settle(vouchers::CashBankKind::CashReceipt, QDate(2024, 7, 15), firm.ramesh, firm.bill1, "9800", "100", "0", true));
    ASSERT_TRUE(firm.settle(vouchers::CashBankKind::CashReceipt, QDate(2024, 7, 17), firm.kiran, firm.bill3, "2120", "0", "20", true));
    ASSERT_TRUE(firm.settle(vouchers::CashBankKind::CashPayment, QDate(2024, 7, 16), firm.weaver, firm.purchase, "5200", "50", "0", true));
    year.messages.clear();
    auto* screen = qobject_cast<gui::BillBaseJournalScreen*>(test::openFromMenu(registry, context, window, QStringLiteral("mnu_A52")));
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->objectName(), QStringLiteral("FRMJournalEntryBillBaseMulti"));
    EXPECT_EQ(screen->windowTitle(), QStringLiteral("Bill Base Multi  Journal Entry"));
    auto* bills = screen->findChild<QTableWidget*>(QStringLiteral("vsgridBills"));
    EXPECT_EQ(bills->rowCount(), 3);  // two sales bills and the total
    typeDate("31072024");
    ASSERT_EQ(focused(), QStringLiteral("ComBillType"));
    key(Qt::Key_Down);  // "Purchase Bill"
    EXPECT_EQ(test::gridText(bills).at(0),
              QStringLiteral("Laxmi Weaving Works | P | T | LW/12 | 03-06-2024 | 5,250.00 | 5,200.00 | 50.00 | 0.00 | 16-07-2024"));
    key(Qt::Key_Up);  // back to "Sales Bill"
    key(Qt::Key_Return);
    ASSERT_EQ(focused(), QStringLiteral("vsgridBills"));
    bills->selectRow(0);
    key(Qt::Key_Space);
    bills->selectRow(1);
    key(Qt::Key_Space);
    EXPECT_EQ(label(screen, "lblTotal"), QStringLiteral("Selected : 120.00"));
    key(Qt::Key_Return);
    ASSERT_EQ(focused(), QStringLiteral("txtJvAc"));
    type(QStringLiteral("kiran"));  // a debtor is not offered as the J.V. account
    EXPECT_EQ(static_cast<gui::LookupField*>(QApplication::focusWidget())->chosenId(), 0);
    static_cast<QLineEdit*>(QApplication::focusWidget())->clear();
    type(QStringLiteral("disc"));
    test::keepPicture(&window, QStringLiteral("journal_bill_base_multi"));
    key(Qt::Key_Return);  // takes the account and saves
    EXPECT_TRUE(year.messages.has(MessageKind::Information, QStringLiteral("Save Confirmation"),
                                  QStringLiteral("One Transaction Is Saved.\n J.V. No : 1")));
    EXPECT_EQ(journal(1), (QStringList{"1 Kiran Sarees D 20.00 |  Bill NO - 3 # Discount A/c(JEV-1)",
                                       "1 Discount A/c C 20.00 |  Bill NO - 3 # Kiran Sarees(JEV-1)",
                                       "2 Discount A/c D 100.00 |  Bill NO - 1 # Ramesh Silk Mills(JEV-1)",
                                       "2 Ramesh Silk Mills C 100.00 |  Bill NO - 1 # Discount A/c(JEV-1)"}));
    EXPECT_EQ(bills->rowCount(), 1);  // the total row alone
    vouchers::JournalVouchers jv(year.db(), year.session, year.messages);
    EXPECT_EQ(jv.waitingDifferences(std::nullopt).size(), 1u);  // the supplier's bill still waits
}

TEST_F(JournalScreensTest, DailyWagesScheduledPostedAndDeleted) {
    auto* screen =
        qobject_cast<gui::RecurringPaymentScreen*>(test::openFromMenu(registry, context, window, QStringLiteral("mnu_A7")));
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->objectName(), QStringLiteral("FrmCashPaymentAuto"));
    ASSERT_EQ(focused(), QStringLiteral("txtBook"));
    key(Qt::Key_Return);
    type(QStringLiteral("laxmi"));
    key(Qt::Key_Return);
    ASSERT_EQ(focused(), QStringLiteral("DtpFrom"));
    typeDate("01072024");
    typeDate("13072024");
    ASSERT_EQ(focused(), QStringLiteral("ComEntryBase"));
    key(Qt::Key_Return);  // Daily
    key(Qt::Key_Return);  // Sunday off
    type(QStringLiteral("450"));
    key(Qt::Key_Return);
    type(QStringLiteral("weaving wages"));
    QStringList grid = test::gridText(screen->lineGrid());
    ASSERT_EQ(grid.size(), 13);  // twelve working days and the total
    EXPECT_EQ(grid.at(0), QStringLiteral("01-07-2024 | Mon | 450.00"));
    EXPECT_EQ(grid.at(6), QStringLiteral("08-07-2024 | Mon | 450.00"));  // Sunday the 7th left out
    EXPECT_EQ(grid.last(), QStringLiteral("Tot | 5,400.00"));

    QTest::mouseClick(screen->button(QStringLiteral("cmd_save")), Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_TRUE(year.messages.has(MessageKind::Information, QStringLiteral("Save Confirmation"),
                                  QStringLiteral("One Transaction Is Saved.")));
    EXPECT_EQ(year.count(QStringLiteral("HeadDtl3"), QStringLiteral("TableCode = 5")), 24);
    EXPECT_EQ(year.count(QStringLiteral("HeadDtl3"), QStringLiteral("TableCode = 5 AND AccId = ? AND DrAmt = 450"), {firm.weaver}),
              12);
    grid = test::gridText(screen->lineGrid());
    EXPECT_EQ(grid.at(10), QStringLiteral("12-07-2024 | Fri | 450.00 | 11"));
    EXPECT_EQ(screen->savedList()->rowCount(), 1);
    test::keepPicture(&window, QStringLiteral("cash_payment_auto"));

    QTest::mouseClick(screen->button(QStringLiteral("cmd_Delete")), Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_TRUE(year.messages.has(MessageKind::Information, QStringLiteral("Delete Confirmation"),
                                  QStringLiteral("Cash Payment Entry IS Deleted!")));
    EXPECT_EQ(year.count(QStringLiteral("HeadDtl3"), QStringLiteral("TableCode = 5")), 0);
    EXPECT_EQ(year.count(QStringLiteral("HeadDtl3_Auto")), 0);
}
