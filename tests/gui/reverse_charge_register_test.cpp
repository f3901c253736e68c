// "2. Register" / "5. General Expenses" used as the operator uses it: the period typed, the
// transporters' freight bills shown under the days above and within the firm's free limit, and
// "RCM Calculate" / "RCM Not Calculate" on the day under the cursor giving and taking back the
// self-invoice numbers and journal vouchers, the grid showing each change; a day within the
// limit refused with nothing changed.
#include "domain/trade/PurchaseInvoices.h"
#include "gui/common/RegisterForm.h"
#include "gui/shell/Commands.h"
#include "gui/shell/MainWindow.h"
#include "support/FirmBooks.h"
#include "support/ScreenProbe.h"
#include "support/YearFixture.h"
#include "support/Amounts.h"

#include <QApplication>
#include <QDateEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>
#include <gtest/gtest.h>

using namespace tanabana;

namespace {

class ReverseChargeRegisterTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto& db = year.db();
        test::seedDefaultChart(db);
        year.session.firm.insert(QStringLiteral("CST"), QStringLiteral("24-Gujarat"));
        year.session.firm.insert(QStringLiteral("Is_Pur_RndOff"), 1);
        year.session.firm.insert(QStringLiteral("RCM_Limit"), 5000);
        db.exec(QStringLiteral("UPDATE FirmMst SET RCM_Limit = 5000 WHERE Srno = 1"));
        roadways = test::addAccount(db, QStringLiteral("Shree Ganesh Roadways"), 80);
        const qint64 tempo = test::addAccount(db, QStringLiteral("Jay Ambe Tempo Service"), 80);
        db.exec(QStringLiteral("UPDATE AccMst SET Is_RevCh = 1 WHERE Id IN (?, ?)"), {roadways, tempo});
        freight(roadways, QStringLiteral("GT/311"), QDate(2024, 8, 21), "4800");  // with GT/315: 9,450 on the 21st
        freight(tempo, QStringLiteral("JA-15"), QDate(2024, 8, 21), "4200");
        freight(roadways, QStringLiteral("GT/322"), QDate(2024, 8, 23), "1000");  // 1,050 alone on the 23rd
        gui::registerAllCommands(registry);
        window.resize(1366, 768);
        window.show();
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    void freight(qint64 party, const QString& no, const QDate& date, const char* rate) {
        trade::PurchaseBill b;
        b.kind = trade::PurchaseKind::Expense;
        b.bookId = 3;
        b.billNo = no;
        b.date = date;
        b.partyId = party;
        b.expenseAccountId = test::accountId(year.db(), masters::chart::GeneralExpenses);
        trade::PurchaseLine line;
        line.input.metres = d("1");
        line.input.listRate = d(rate);
        line.input.sgstPercent = line.input.cgstPercent = d("2.5");
        b.lines = {line};
        ASSERT_TRUE(trade::PurchaseInvoices(year.db(), year.session, year.messages).save(b)) << year.messages.last().text.toStdString();
    }

    void typeDate(QDateEdit* box, const QString& digits) {
        box->setSelectedSection(QDateTimeEdit::DaySection);
        QTest::keyClicks(box, digits);
        QTest::keyClick(box, Qt::Key_Return);
        QApplication::processEvents();
    }

    QString column(const QString& sql) { return year.db().scalar(sql).toString(); }

    test::YearFixture year;
    qint64 roadways = 0;
    gui::CommandRegistry registry;
    gui::MainWindow window{year.session, year.messages};
    gui::CommandContext context{window, [this] { return &year.db(); }, year.session, year.messages};
};

TEST_F(ReverseChargeRegisterTest, DayUnderTheCursorIsWorkedOutAndTakenBack) {
    ASSERT_TRUE(registry.run(QStringLiteral("mnu_R25"), context));
    QMdiSubWindow* sub = window.workArea()->subWindowList().last();
    auto* form = qobject_cast<gui::RegisterForm*>(sub->widget());
    ASSERT_NE(form, nullptr);
    sub->showMaximized();
    EXPECT_EQ(form->windowTitle(), QStringLiteral("General Expenses Register (Reverse Charge, Day Wise)"));
    auto* from = form->findChild<QDateEdit*>(QStringLiteral("DtpFrom"));
    auto* to = form->findChild<QDateEdit*>(QStringLiteral("DtpTo"));
    auto* grid = form->findChild<QTableWidget*>(QStringLiteral("VSResultGrid"));
    auto* calculate = form->findChild<QPushButton*>(QStringLiteral("cmdRcmCalc"));
    auto* takeBack = form->findChild<QPushButton*>(QStringLiteral("cmdRcmNotCalc"));
    ASSERT_TRUE(from && to && grid && calculate && takeBack);
    EXPECT_EQ(calculate->text(), QStringLiteral("RCM Calculate"));
    from->setFocus();
    typeDate(from, QStringLiteral("01082024"));
    typeDate(to, QStringLiteral("31082024"));
    QTest::keyClick(form, Qt::Key_F5);
    QApplication::processEvents();
    const QStringList before = test::gridText(grid);
    ASSERT_EQ(before.size(), 12) << before.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(before.at(0), QStringLiteral("1. Above RCM Limit"));
    EXPECT_EQ(before.at(1), QStringLiteral("Date : 21-08-2024   Day Total : 9,450.00"));
    EXPECT_EQ(before.at(2), QStringLiteral("GT/311 | Shree Ganesh Roadways | General Expenses | 4,800.00 | 120.00 | 120.00 | 0.00 | 5,040.00"));
    EXPECT_EQ(before.at(6), QStringLiteral("2. Within RCM Limit"));

    // The cursor on the 23rd: within the limit, refused, nothing changes.
    grid->setCurrentCell(8, 0);
    calculate->click();
    QApplication::processEvents();
    EXPECT_EQ(year.messages.last().title, QStringLiteral("RCM Calculate"));
    EXPECT_EQ(year.messages.last().text, QStringLiteral("Reverse charge purchases of 23-08-2024 : 1050.00 are within the limit of 5000.00"));
    EXPECT_EQ(column(QStringLiteral("SELECT count(*) FROM BillMst WHERE RCM_ID > 0")), QStringLiteral("0"));

    // On the 21st's heading: both bills of the day get their self-invoices and vouchers.
    grid->setCurrentCell(1, 0);
    calculate->click();
    QApplication::processEvents();
    EXPECT_EQ(year.messages.last().text, QStringLiteral("Reverse charge of 21-08-2024 : 2 bills"));
    const QString voucher = column(QStringLiteral("SELECT RCM_JVNO FROM BillMst WHERE BillNO = 'GT/311'"));
    EXPECT_GT(voucher.toLongLong(), 0);
    const QStringList after = test::gridText(grid);
    EXPECT_EQ(after.at(1), QStringLiteral("Date : 21-08-2024   Day Total : 9,000.00"));
    EXPECT_EQ(after.at(2), QStringLiteral("GT/311 | Shree Ganesh Roadways | General Expenses | 4,800.00 | 120.00 | 120.00 | 0.00 | 4,800.00 | PRC-1 | ") + voucher);
    EXPECT_TRUE(after.at(3).contains(QStringLiteral("| PRC-2 |"))) << after.at(3).toStdString();
    test::keepPicture(&window, QStringLiteral("reverse_charge_register"));

    // Taken back from the day's total line: references, vouchers and their lines go.
    grid->setCurrentCell(4, 0);
    takeBack->click();
    QApplication::processEvents();
    EXPECT_EQ(year.messages.last().text, QStringLiteral("Reverse charge of 21-08-2024 removed : 2 bills"));
    EXPECT_EQ(test::gridText(grid), before);
    EXPECT_EQ(column(QStringLiteral("SELECT count(*) FROM HeadDtl3 WHERE TableCode = 9")), QStringLiteral("0"));

    // The grand total stands for no day.
    grid->setCurrentCell(grid->rowCount() - 1, 0);
    takeBack->click();
    QApplication::processEvents();
    EXPECT_EQ(year.messages.last().text, QStringLiteral("Please select a bill of the day"));
}

}  // namespace
