// The bank reconciliation screen of "6. Bank Reconsilation" as an operator uses it on the small
// firm's May: the bank book typed, the cheques listed with their "Tot" row, a tick writing the
// clearing date and moving the statement balance, an untick taking it back, and a clearing date
// before the cheque refused with the tick left off.
#include "gui/reports/BankReconciliationScreen.h"
#include "gui/common/LookupField.h"
#include "gui/shell/Commands.h"
#include "gui/shell/MainWindow.h"
#include "support/LedgerBooks.h"
#include "support/PdfProbe.h"
#include "support/YearFixture.h"

#include <QApplication>
#include <QDateEdit>
#include <QDir>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTableWidget>
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
