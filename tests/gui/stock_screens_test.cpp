// The stock screens used from the menu on the April firm: "2. Statement" as on a date with the
// rate, Nos, zero rows and grouping chosen on the screen; "1. Register Summary" narrowed to one
// item group; "5. With Jobwork" with the mill columns; "6. Where Is Each Taka" searched by a
// taka number; a loom firm getting its woven qualities; a date outside the year refused with the
// grid left empty.
#include "gui/common/RegisterForm.h"
#include "gui/shell/Commands.h"
#include "gui/shell/MainWindow.h"
#include "support/ScreenProbe.h"
#include "support/StockFirm.h"
#include "support/YearFixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>
#include <gtest/gtest.h>

using namespace tanabana;

namespace {

class StockScreensTest : public ::testing::Test {
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

    gui::RegisterForm* open(const QString& command) {
        auto* form = qobject_cast<gui::RegisterForm*>(test::openFromMenu(registry, context, window, command));
        EXPECT_NE(form, nullptr) << command.toStdString();
        return form;
    }
    static void setDate(gui::RegisterForm* form, const char* name, const QDate& date) {
        form->findChild<QDateEdit*>(QString::fromLatin1(name))->setDate(date);
    }
    static QStringList show(gui::RegisterForm* form) {
        QTest::keyClick(form, Qt::Key_F5);
        QApplication::processEvents();
        return test::gridText(form->findChild<QTableWidget*>(QStringLiteral("VSResultGrid")));
    }

    test::YearFixture year;
    test::StockFirm firm{year.db(), year.session, year.messages};
    gui::CommandRegistry registry;
    gui::MainWindow window{year.session, year.messages};
    gui::CommandContext context{window, [this] { return &year.db(); }, year.session, year.messages};
};

TEST_F(StockScreensTest, StatementOnADateWithItsOwnOptions) {
    gui::RegisterForm* form = open(QStringLiteral("mnu_rep12"));
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Stock Statement Report On Date"));
    EXPECT_FALSE(form->findChild<QDateEdit*>(QStringLiteral("DtpFrom"))->isVisible());
    setDate(form, "DtpTo", QDate(2024, 4, 30));
    EXPECT_EQ(show(form), (QStringList{QStringLiteral("Grey | 506 | Cotton Cambric | 120.000 | 40.00 | 4,800.00"),
                                       QStringLiteral("Grey | 501 | Rapier 60 Grey | 88.000 | 52.00 | 4,576.00"),
                                       QStringLiteral("Rapier | 502 | Rapier 60 Red | 122.500 | 0.00 | 0.00"),
                                       QStringLiteral("Saree | 503 | Saree Zari | 26.000 | 800.00 | 20,800.00"),
                                       QStringLiteral("Total | 356.500 | 30,176.00")}));
    EXPECT_EQ(form->findChild<QLabel*>(QStringLiteral("lblTitle"))->text(),
              QStringLiteral("Stock Statement on Date : 30-04-2024   Rate : Pur Rate"));

    form->findChild<QComboBox*>(QStringLiteral("ComRate"))->setCurrentIndex(1);  // Sal Rate
    form->findChild<QCheckBox*>(QStringLiteral("ChkGroup"))->setChecked(true);
    form->findChild<QCheckBox*>(QStringLiteral("ChkZero"))->setChecked(true);
    const QStringList grouped = show(form);
    EXPECT_TRUE(grouped.contains(QStringLiteral("Group : Rapier")));
    EXPECT_TRUE(grouped.contains(QStringLiteral("505 | Georgette 44 | 0.000 | 99.99 | 0.00")));
    EXPECT_TRUE(grouped.contains(QStringLiteral("Sub Tot | 122.500 | 12,862.50")));
    EXPECT_EQ(grouped.last(), QStringLiteral("Total | 356.500 | 53,862.50"));
    test::keepPicture(form->window(), QStringLiteral("stock_statement_on_date"));

    form->findChild<QComboBox*>(QStringLiteral("ComUnit"))->setCurrentIndex(1);  // Nos
    auto* group = form->findChild<QComboBox*>(QStringLiteral("txtGroup"));
    group->setCurrentText(QStringLiteral("Grey"));
    const QStringList pieces = show(form);
    EXPECT_TRUE(pieces.contains(QStringLiteral("501 | Rapier 60 Grey | 4.000 | 60.00 | 240.00"))) << pieces.join('\n').toStdString();
    EXPECT_FALSE(pieces.join(' ').contains(QStringLiteral("Saree")));
}

TEST_F(StockScreensTest, RegisterSummaryAndTheJobworkColumns) {
    gui::RegisterForm* form = open(QStringLiteral("mnu_rep11"));
    ASSERT_NE(form, nullptr);
    setDate(form, "DtpFrom", QDate(2024, 4, 21));
    setDate(form, "DtpTo", QDate(2024, 4, 30));
    form->findChild<QComboBox*>(QStringLiteral("txtGroup"))->setCurrentText(QStringLiteral("Grey"));
    EXPECT_EQ(show(form), (QStringList{QStringLiteral("Grey | D-506 | Plain | Cotton Cambric | 120.000 | 0.000 | 0.000 | 120.000 | 55.00 | 40.00"),
                                       QStringLiteral("Grey | D-501 | Plain | Rapier 60 Grey | 120.000 | 2.000 | 34.000 | 88.000 | 60.00 | 52.00"),
                                       QStringLiteral("Total | 240.000 | 2.000 | 34.000 | 208.000")}));
    test::keepPicture(form->window(), QStringLiteral("stock_register_summary"));

    gui::RegisterForm* mill = open(QStringLiteral("mnu_rep15"));
    ASSERT_NE(mill, nullptr);
    setDate(mill, "DtpFrom", QDate(2024, 4, 1));
    setDate(mill, "DtpTo", QDate(2024, 4, 30));
    const QStringList lines = show(mill);
    EXPECT_TRUE(lines.contains(QStringLiteral("Rapier 60 Red | 0.000 | 110.500 | 12.000 | 122.500 | 0.000 | 122.500"))) << lines.join('\n').toStdString();
    test::keepPicture(mill->window(), QStringLiteral("stock_with_jobwork"));
}

TEST_F(StockScreensTest, WhereIsEachTakaSearchedByItsNumber) {
    gui::RegisterForm* form = open(QStringLiteral("mnu_rep16"));
    ASSERT_NE(form, nullptr);
    setDate(form, "DtpTo", QDate(2024, 5, 10));
    auto* taka = form->findChild<QLineEdit*>(QStringLiteral("txtTakaNo"));
    ASSERT_NE(taka, nullptr);
    QTest::keyClicks(taka, QStringLiteral("100"));
    QTest::keyClick(taka, Qt::Key_Return);
    QApplication::processEvents();
    const QStringList lines = test::gridText(form->findChild<QTableWidget*>(QStringLiteral("VSResultGrid")));
    ASSERT_EQ(lines.size(), 5) << lines.join('\n').toStdString();
    EXPECT_EQ(lines.at(0), QStringLiteral("1001 | Rapier 60 Grey | 12.50 | LW/12 10-04-2024 | Mahesh Looms | Received | Laxmi Dyeing Mill | "
                                          "29-04-2024 | 11 | 12.00 | Rapier 60 Red | L-7"));
    EXPECT_TRUE(lines.at(1).contains(QStringLiteral("At Mill | Laxmi Dyeing Mill | 28-04-2024 | 12")));
    EXPECT_TRUE(lines.at(3).contains(QStringLiteral("In Godown")));
    test::keepPicture(form->window(), QStringLiteral("stock_taka_trail"));

    form->findChild<QComboBox*>(QStringLiteral("ComType"))->setCurrentIndex(1);  // At Mill
    taka->clear();
    EXPECT_EQ(show(form).size(), 3);  // 0999, 1002 and the total
}

TEST_F(StockScreensTest, ProductionStockRegisterDesignWiseWithItsFilters) {
    gui::RegisterForm* form = open(QStringLiteral("mnu_Prod3"));
    ASSERT_NE(form, nullptr);
    auto* kind = form->findChild<QComboBox*>(QStringLiteral("ComType"));
    auto* loom = form->findChild<QLineEdit*>(QStringLiteral("txtMcNo"));
    ASSERT_TRUE(kind && loom);
    ASSERT_EQ(kind->count(), 2);
    EXPECT_FALSE(loom->isVisible());  // the quality-wise register has no loom filter
    setDate(form, "DtpFrom", QDate(2024, 4, 1));
    setDate(form, "DtpTo", QDate(2024, 4, 30));
    EXPECT_EQ(show(form).size(), 8);  // two quality headings, three takas, two sub-totals and the total
    kind->setCurrentIndex(1);
    EXPECT_TRUE(loom->isVisible());
    setDate(form, "DtpFrom", QDate(2024, 4, 1));
    setDate(form, "DtpTo", QDate(2024, 4, 30));
    loom->setText(QStringLiteral("L2"));
    const QStringList lines = show(form);
    EXPECT_TRUE(lines.contains(QStringLiteral("2002 | 1 | 12-04-2024 | L2 | Saree Zari | 4 | 11.00 | 44.00 | Sent"))) << lines.join('\n').toStdString();
    EXPECT_EQ(lines.last(), QStringLiteral("Total | 4 | 44.00"));
    test::keepPicture(form->window(), QStringLiteral("stock_production"));

    form->findChild<QLineEdit*>(QStringLiteral("txtTakaFrom"))->setText(QStringLiteral("2OO1"));
    EXPECT_TRUE(show(form).isEmpty());
    EXPECT_TRUE(year.messages.has(MessageKind::Critical, QStringLiteral("Production Stock"),
                                  QStringLiteral("Taka From takes a whole number: 2OO1 is not one.")));
}

TEST_F(StockScreensTest, LoomFirmAndADateOutsideTheYear) {
    year.session.firm.insert(QStringLiteral("Soft_Type"), 9);
    gui::RegisterForm* form = open(QStringLiteral("mnu_rep12"));
    ASSERT_NE(form, nullptr);
    setDate(form, "DtpTo", QDate(2024, 4, 30));
    const QStringList lines = show(form);
    EXPECT_EQ(lines.size(), 3) << lines.join('\n').toStdString();  // the red and the saree, and the total
    EXPECT_TRUE(lines.at(0).startsWith(QStringLiteral("Rapier | D-502 | Plain | 502 | Rapier 60 Red")));

    setDate(form, "DtpTo", QDate(2025, 4, 30));
    EXPECT_TRUE(show(form).isEmpty());
    EXPECT_TRUE(year.messages.has(MessageKind::Critical, QStringLiteral("Stock Statement Report On Date"), QStringLiteral("Please Select Proper Date")));
}

}  // namespace
