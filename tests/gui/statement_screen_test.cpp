// The balance sheet and trial balance screens of "7. Account" as an operator uses them: one "As
// On" date, the two sides in the grid with bold totals that agree, and Enter drilling down from a
// party's figure to its ledger and from the ledger's bill line to the bill in the sales window,
// and from a group heading to the group's accounts.
#include "gui/common/RegisterForm.h"
#include "gui/shell/Commands.h"
#include "gui/shell/MainWindow.h"
#include "gui/trade/SalesScreen.h"
#include "support/PdfProbe.h"
#include "support/SellingFirm.h"
#include "support/YearFixture.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTableWidget>
#include <QtTest>
#include <gtest/gtest.h>

using namespace tanabana;

namespace {

class StatementScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        firm.build();
        ASSERT_FALSE(HasFailure());
        gui::registerAllCommands(registry);
        window.resize(1366, 768);
        window.show();
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    gui::RegisterForm* lastForm() {
        QMdiSubWindow* sub = window.workArea()->subWindowList().isEmpty() ? nullptr : window.workArea()->subWindowList().last();
        return sub ? qobject_cast<gui::RegisterForm*>(sub->widget()) : nullptr;
    }
    gui::RegisterForm* open(const QString& command) {
        EXPECT_TRUE(registry.run(command, context)) << command.toStdString();
        gui::RegisterForm* form = lastForm();
        EXPECT_NE(form, nullptr) << command.toStdString();
        if (form) {
            window.workArea()->subWindowList().last()->showMaximized();
            QApplication::processEvents();
        }
        return form;
    }
    static QTableWidget* gridOf(gui::RegisterForm* form) { return form->findChild<QTableWidget*>(QStringLiteral("VSResultGrid")); }
    // The row and column of the first cell that shows the text.
    static std::pair<int, int> find(QTableWidget* grid, const QString& text) {
        for (int r = 0; r < grid->rowCount(); ++r)
            for (int c = 0; c < grid->columnCount(); ++c)
                if (grid->item(r, c) && grid->item(r, c)->text().trimmed() == text) return {r, c};
        return {-1, -1};
    }
    void enterOn(QTableWidget* grid, std::pair<int, int> cell) {
        grid->setFocus();
        grid->setCurrentCell(cell.first, cell.second);
        QTest::keyClick(grid, Qt::Key_Return);
        QApplication::processEvents();
    }

    test::YearFixture year;
    test::SellingFirm firm{year.db(), year.session, year.messages};
    gui::CommandRegistry registry;
    gui::MainWindow window{year.session, year.messages};
    gui::CommandContext context{window, [this] { return &year.db(); }, year.session, year.messages};
};

}  // namespace

TEST_F(StatementScreenTest, BalanceSheetAsOnADateDrillsToTheLedgerAndTheBill) {
    gui::RegisterForm* form = open(QStringLiteral("mnu_R711"));
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("BALANCE SHEET As On Date"));
    // One date, captioned "As On"; the From date is not asked.
    EXPECT_FALSE(form->findChild<QDateEdit*>(QStringLiteral("DtpFrom"))->isVisible());
    auto* asOn = form->findChild<QDateEdit*>(QStringLiteral("DtpTo"));
    ASSERT_TRUE(asOn->isVisible());
    asOn->setDate(QDate(2024, 8, 31));
    QTest::keyClick(form, Qt::Key_F5);
    QApplication::processEvents();
    QTableWidget* grid = gridOf(form);
    ASSERT_GT(grid->rowCount(), 3) << (year.messages.empty() ? std::string() : year.messages.last().text.toStdString());
    QStringList captions;
    for (int c = 0; c < grid->columnCount(); ++c) captions << grid->horizontalHeaderItem(c)->text();
    EXPECT_EQ(captions, (QStringList{"LIABILITIES", "Amount", "Total", "ASSETS", "Amount", "Total"}));
    EXPECT_EQ(form->findChild<QLabel*>(QStringLiteral("lblTitle"))->text(), QStringLiteral("BALANCE SHEET As On Date 31-08-2024"));
    // The bold total line: both sides alike.
    const int last = grid->rowCount() - 1;
    EXPECT_EQ(grid->item(last, 0)->text(), QStringLiteral("Total"));
    EXPECT_TRUE(grid->item(last, 2)->font().bold());
    EXPECT_EQ(grid->item(last, 2)->text(), grid->item(last, 5)->text());
    EXPECT_NE(find(grid, QStringLiteral("NET PROFIT Rs. :-")).first, -1);

    const QString shot = QDir(QDir::tempPath()).filePath(QStringLiteral("balance_sheet.png"));
    ASSERT_TRUE(window.grab().save(shot));
    test::keepForLooking(shot);

    // Ramesh Silk Mills' figure opens his ledger up to the date.
    const auto ramesh = find(grid, QStringLiteral("Ramesh Silk Mills"));
    ASSERT_NE(ramesh.first, -1);
    EXPECT_EQ(ramesh.second, 3);  // a debtor stands among the assets
    enterOn(grid, ramesh);
    gui::RegisterForm* ledger = lastForm();
    ASSERT_NE(ledger, form);
    ASSERT_NE(ledger, nullptr);
    EXPECT_EQ(ledger->findChild<QLabel*>(QStringLiteral("lblTitle"))->text(), QStringLiteral("Ramesh Silk Mills  Up To 31-08-2024"));
    QTableWidget* lines = gridOf(ledger);
    EXPECT_EQ(lines->item(0, 3)->text(), QStringLiteral("Op. Balance"));
    const auto bill = find(lines, QStringLiteral("GST/1"));
    ASSERT_NE(bill.first, -1);
    EXPECT_EQ(lines->item(bill.first, 5)->text(), QStringLiteral("11,025.00"));
    const QString ledgerShot = QDir(QDir::tempPath()).filePath(QStringLiteral("statement_ledger.png"));
    ASSERT_TRUE(window.grab().save(ledgerShot));
    test::keepForLooking(ledgerShot);

    // The bill line opens the bill in the sales window.
    enterOn(lines, bill);
    auto* sales = qobject_cast<gui::SalesScreen*>(window.workArea()->subWindowList().last()->widget());
    ASSERT_NE(sales, nullptr);
    EXPECT_EQ(sales->billOnScreen().id, firm.bill1);
}

TEST_F(StatementScreenTest, TrialBalanceGroupHeadingOpensTheAccountsOfTheGroup) {
    gui::RegisterForm* form = open(QStringLiteral("mnu_R77"));
    ASSERT_NE(form, nullptr);
    auto* kind = form->findChild<QComboBox*>(QStringLiteral("ComType"));
    kind->setCurrentIndex(1);  // "Group Wise"
    EXPECT_EQ(kind->currentText(), QStringLiteral("Group Wise"));
    form->findChild<QDateEdit*>(QStringLiteral("DtpTo"))->setDate(QDate(2024, 8, 31));
    QTest::keyClick(form, Qt::Key_F5);
    QApplication::processEvents();
    QTableWidget* grid = gridOf(form);
    const int last = grid->rowCount() - 1;
    ASSERT_GT(last, 0);
    EXPECT_EQ(grid->item(last, 2)->text(), grid->item(last, 5)->text());
    // No difference line: the books tally.
    EXPECT_EQ(form->findChild<QLabel*>(QStringLiteral("lblTitle"))->text(), QStringLiteral("TRIAL BALANCE As On Date 31-08-2024"));

    const auto sales = find(grid, QStringLiteral("Sales Accounts"));
    ASSERT_NE(sales.first, -1);
    enterOn(grid, sales);
    gui::RegisterForm* group = lastForm();
    ASSERT_NE(group, form);
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->findChild<QLabel*>(QStringLiteral("lblTitle"))->text(), QStringLiteral("Sales Accounts  As On 31-08-2024"));
    EXPECT_NE(find(gridOf(group), QStringLiteral("Sales A/c")).first, -1);
}

TEST_F(StatementScreenTest, CashBookOffersOnlyCashBooksAndShowsTheMonthOpening) {
    gui::RegisterForm* form = open(QStringLiteral("mnu_R22"));
    ASSERT_NE(form, nullptr);
    form->findChild<QDateEdit*>(QStringLiteral("DtpFrom"))->setDate(QDate(2024, 8, 1));
    form->findChild<QDateEdit*>(QStringLiteral("DtpTo"))->setDate(QDate(2024, 8, 31));
    auto* book = form->findChild<QLineEdit*>(QStringLiteral("txtBook"));
    ASSERT_NE(book, nullptr);
    ASSERT_TRUE(book->isVisible());
    // The sales book is not a cash book: named, refused, nothing shown.
    book->setText(QStringLiteral("Sales GST"));
    QTest::keyClick(form, Qt::Key_F5);
    QApplication::processEvents();
    EXPECT_TRUE(year.messages.has(MessageKind::Critical, QStringLiteral("No Book"), QStringLiteral("No book of this firm is named \"Sales GST\"")));
    EXPECT_EQ(gridOf(form)->rowCount(), 0);
    book->setText(QStringLiteral("cash"));
    QTest::keyClick(form, Qt::Key_F5);
    QApplication::processEvents();
    QTableWidget* grid = gridOf(form);
    ASSERT_GT(grid->rowCount(), 0);
    EXPECT_EQ(form->findChild<QLabel*>(QStringLiteral("lblTitle"))->text(),
              QStringLiteral("Cash Book : Cash Book   Period From 01-08-2024 To 31-08-2024"));
    EXPECT_EQ(grid->item(0, 1)->text(), QStringLiteral("OP"));
    EXPECT_EQ(grid->item(0, 4)->text(), QStringLiteral("Opening Balance"));
    EXPECT_EQ(grid->item(grid->rowCount() - 1, 0)->text(), QStringLiteral("Total"));
}
