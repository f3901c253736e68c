// The bank reconciliation screen of "6. Bank Reconsilation" as an operator uses it on the small
// firm's May: the bank book typed, the cheques listed with their "Tot" row, a tick writing the
// clearing date and moving the statement balance, an untick taking it back, and a clearing date
// before the cheque refused with the tick left off.
#include "gui/reports/BankReconciliationScreen.h"
#include "gui/common/LookupField.h"
#include "gui/shell/Commands.h"
#include "gui/reports/StatementImportDialog.h"
#include "gui/shell/MainWindow.h"
#include "support/LedgerBooks.h"
#include "support/PdfProbe.h"
#include "support/ScreenProbe.h"
#include "support/YearFixture.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <gtest/gtest.h>

using namespace tanabana;

TEST(BankReconciliationScreen, TicksMoveTheStatementBalanceAndAreWrittenOnTheJournal) {
    test::YearFixture year;
    const test::SmallFirm firm = test::seedSmallFirm(year.db());
    test::postTypicalMonths(year.db(), year.session, firm);
    gui::CommandRegistry registry;
    gui::registerAllCommands(registry);
    gui::MainWindow window{year.session, year.messages};
    gui::CommandContext context{window, [&year] { return &year.db(); }, year.session, year.messages};
    window.resize(1366, 768);
    window.show();
    ASSERT_TRUE(registry.run(QStringLiteral("mnu_A6"), context));
    auto* screen = qobject_cast<gui::BankReconciliationScreen*>(window.workArea()->subWindowList().last()->widget());
    ASSERT_NE(screen, nullptr);
    window.workArea()->subWindowList().last()->showMaximized();

    screen->findChild<gui::LookupField*>(QStringLiteral("txtFirmName"))->setText(QStringLiteral("Bank Current A/c"));
    screen->findChild<QDateEdit*>(QStringLiteral("DTPicker1"))->setDate(QDate(2024, 5, 1));
    screen->findChild<QDateEdit*>(QStringLiteral("DTPicker2"))->setDate(QDate(2024, 5, 31));
    screen->findChild<QDateEdit*>(QStringLiteral("DtpReconsil"))->setDate(QDate(2024, 5, 18));
    QTest::mouseClick(screen->findChild<QPushButton*>(QStringLiteral("Cmd_refresh")), Qt::LeftButton);
    QApplication::processEvents();
    auto* grid = screen->findChild<QTableWidget*>(QStringLiteral("VSResultGrid"));
    ASSERT_EQ(grid->rowCount(), 3) << (year.messages.empty() ? std::string() : year.messages.last().text.toStdString());
    EXPECT_EQ(grid->item(0, 1)->text(), QStringLiteral("CHQ 000871"));
    EXPECT_EQ(grid->item(0, 4)->text(), QStringLiteral("8,400.00"));
    EXPECT_EQ(grid->item(1, 1)->text(), QStringLiteral("CHQ 104233"));
    EXPECT_EQ(grid->item(2, 2)->text(), QStringLiteral("Tot"));
    auto label = [&](const char* name) { return screen->findChild<QLabel*>(QString::fromLatin1(name))->text(); };
    EXPECT_EQ(label("txtFirmBalance"), QStringLiteral("40,000.00"));
    EXPECT_EQ(label("Text1"), QStringLiteral("37,625.00"));
    EXPECT_EQ(label("Text2"), QStringLiteral("8,400.00"));
    EXPECT_EQ(label("Text3"), QStringLiteral("6,025.00"));
    EXPECT_EQ(label("txtBal"), QStringLiteral("40,000.00"));

    // The operator ticks the cheque issued: presented on the 18th.
    grid->item(0, 6)->setCheckState(Qt::Checked);
    QApplication::processEvents();
    EXPECT_EQ(grid->item(0, 5)->text(), QStringLiteral("18-05-24"));
    EXPECT_EQ(label("Text2"), QStringLiteral("0.00"));
    EXPECT_EQ(label("txtBal"), QStringLiteral("31,600.00"));
    EXPECT_EQ(year.count(QStringLiteral("HeadDtl3"), QStringLiteral("IsReCon = 1 AND Receiptno = 'CHQ 000871'")), 1);
    const QString shot = QDir(QDir::tempPath()).filePath(QStringLiteral("bank_reconciliation.png"));
    ASSERT_TRUE(window.grab().save(shot));
    test::keepForLooking(shot);

    // Print shows the statement in the preview.
    EXPECT_TRUE(screen->preview()) << (year.messages.empty() ? std::string() : year.messages.last().text.toStdString());

    // Unticked again: the balance and the journal go back.
    grid->item(0, 6)->setCheckState(Qt::Unchecked);
    QApplication::processEvents();
    EXPECT_EQ(label("txtBal"), QStringLiteral("40,000.00"));
    EXPECT_EQ(year.count(QStringLiteral("HeadDtl3"), QStringLiteral("IsReCon = 1")), 0);

    // The deposit of the 10th cannot have been credited on the 1st.
    screen->findChild<QDateEdit*>(QStringLiteral("DtpReconsil"))->setDate(QDate(2024, 5, 1));
    grid->item(1, 6)->setCheckState(Qt::Checked);
    QApplication::processEvents();
    EXPECT_TRUE(year.messages.has(MessageKind::Critical, QStringLiteral("Bank Reconciliation"),
                                  QStringLiteral("Clearing Date Should Not Be Before Cheque Date")));
    EXPECT_EQ(grid->item(1, 6)->checkState(), Qt::Unchecked);
    EXPECT_EQ(label("txtBal"), QStringLiteral("40,000.00"));
    EXPECT_EQ(year.count(QStringLiteral("HeadDtl3"), QStringLiteral("IsReCon = 1")), 0);
}

// The bank's CSV brought in from the screen: the columns mapped once (this bank calls them "Txn
// Date", "Debit", "Credit"), the two proposed matches shown, one left unticked by the operator,
// the other ticked with the bank's date; the next statement of the bank reads with the same
// columns at once, from any station (the mapping is in the year's database).
TEST(BankReconciliationScreen, ImportedStatementMapsItsColumnsOnceAndTicksWhatTheOperatorKeeps) {
    test::YearFixture year;
    const test::SmallFirm firm = test::seedSmallFirm(year.db());
    test::postTypicalMonths(year.db(), year.session, firm);
    gui::MainWindow window{year.session, year.messages};
    gui::CommandContext context{window, [&year] { return &year.db(); }, year.session, year.messages};
    window.resize(1366, 768);
    window.show();
    ASSERT_TRUE(window.commands().run(QStringLiteral("mnu_A6"), context));
    auto* screen = qobject_cast<gui::BankReconciliationScreen*>(window.workArea()->subWindowList().last()->widget());
    ASSERT_NE(screen, nullptr);
    window.workArea()->subWindowList().last()->showMaximized();
    screen->findChild<gui::LookupField*>(QStringLiteral("txtFirmName"))->setText(QStringLiteral("Bank Current A/c"));
    screen->findChild<QDateEdit*>(QStringLiteral("DTPicker1"))->setDate(QDate(2024, 5, 1));
    screen->findChild<QDateEdit*>(QStringLiteral("DTPicker2"))->setDate(QDate(2024, 5, 31));
    ASSERT_TRUE(screen->refresh());

    QTemporaryDir dir;
    const QString may = dir.filePath(QStringLiteral("may.csv"));
    QFile file(may);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Txn Date,Description,Cheque No,Debit,Credit,Balance\n"
               "12/05/2024,CLG SURESH,104233,,\"6,025.00\",\"46,025.00\"\n"
               "17/05/2024,CHQ PAID,871,\"8,400.00\",,\"37,625.00\"\n"
               "20/05/2024,BANK CHARGES,,59.00,,\"37,566.00\"\n");
    file.close();
    screen->setFileAsker([&] { return may; });

    bool known = true;
    QString shot;
    screen->setImportRunner([&](gui::StatementImportDialog& dialog) {
        known = dialog.columnsKnown();
        // The usual "Date" is not in this bank's file: the operator chooses its captions.
        auto choose = [&](const char* name, const char* caption) {
            auto* box = dialog.findChild<QComboBox*>(QString::fromLatin1(name));
            box->setCurrentIndex(box->findText(QString::fromLatin1(caption)));
        };
        choose("ComDate", "Txn Date");
        choose("ComNarration", "Description");
        choose("ComCheque", "Cheque No");
        choose("ComWithdrawal", "Debit");
        choose("ComDeposit", "Credit");
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("cmdMatch")), Qt::LeftButton);
        auto* grid = dialog.findChild<QTableWidget*>(QStringLiteral("VSResultGrid"));
        EXPECT_EQ(test::gridText(grid), (QStringList{"1 | 12-05-24 | 6,025.00 | 104233 | CHQ 104233 | Suresh Fabrics | 10-05-24 | Chq No & Amount",
                                                     "2 | 17-05-24 | 8,400.00 | 871 | CHQ 000871 | Mahesh Yarn Agency | 15-05-24 | Chq No & Amount"}));
        EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("lblCount"))->text(), QStringLiteral("2 of 3 statement rows matched"));
        dialog.show();
        shot = dir.filePath(QStringLiteral("statement_import.png"));
        dialog.grab().save(shot);
        // The deposit is doubted: left for next month.
        grid->item(0, 0)->setCheckState(Qt::Unchecked);
        return dialog.apply() == 1;
    });
    ASSERT_TRUE(screen->importStatement()) << (year.messages.empty() ? std::string() : year.messages.last().text.toStdString());
    test::keepForLooking(shot);
    EXPECT_FALSE(known);
    EXPECT_EQ(year.count(QStringLiteral("HeadDtl3"), QStringLiteral("IsReCon = 1")), 1);
    EXPECT_EQ(year.db().scalar(QStringLiteral("SELECT ReConDt FROM HeadDtl3 WHERE IsReCon = 1")).toDate(), QDate(2024, 5, 17));
    // The list on screen was refreshed: the cheque paid is ticked, the statement balance moved.
    EXPECT_EQ(screen->findChild<QLabel*>(QStringLiteral("Text2"))->text(), QStringLiteral("0.00"));

    // The next statement of this bank: the columns are known, the deposit is proposed at once.
    screen->setImportRunner([&](gui::StatementImportDialog& dialog) {
        known = dialog.columnsKnown();
        EXPECT_EQ(dialog.matches().size(), 1u);
        return dialog.apply() == 1;
    });
    ASSERT_TRUE(screen->importStatement());
    EXPECT_TRUE(known);
    EXPECT_EQ(year.count(QStringLiteral("HeadDtl3"), QStringLiteral("IsReCon = 1")), 2);
}

// A file whose amount cannot be read is refused naming its row, and nothing is ticked.
TEST(BankReconciliationScreen, AStatementWithABadAmountTicksNothing) {
    test::YearFixture year;
    const test::SmallFirm firm = test::seedSmallFirm(year.db());
    test::postTypicalMonths(year.db(), year.session, firm);
    gui::BankReconciliationScreen screen(year.db(), year.session, year.messages);
    screen.findChild<gui::LookupField*>(QStringLiteral("txtFirmName"))->setText(QStringLiteral("Bank Current A/c"));
    screen.findChild<QDateEdit*>(QStringLiteral("DTPicker1"))->setDate(QDate(2024, 5, 1));
    screen.findChild<QDateEdit*>(QStringLiteral("DTPicker2"))->setDate(QDate(2024, 5, 31));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bad.csv"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Date,Narration,Chq./Ref.No.,Withdrawal Amt.,Deposit Amt.\n"
               "17/05/2024,CHQ PAID,871,\"8,400.00\",\n"
               "18/05/2024,CHARGES,,12..5,\n");
    file.close();
    screen.setFileAsker([&] { return path; });
    screen.setImportRunner([](gui::StatementImportDialog& dialog) { return dialog.apply() >= 0; });
    EXPECT_FALSE(screen.importStatement());
    ASSERT_FALSE(year.messages.empty());
    EXPECT_EQ(year.messages.last().text, QStringLiteral("Statement row 2: \"12..5\" is not an amount"));
    EXPECT_EQ(year.count(QStringLiteral("HeadDtl3"), QStringLiteral("IsReCon = 1")), 0);
}
