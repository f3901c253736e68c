// "5. OutStanding" / "1. Sales" opened from its menu command on a 1366x768 main window: only the
// "As On" date is asked, typed by keys; the party's open bills show under their heading with the
// unpaid amounts of that day, and the ageing register splits them into its columns.
#include "domain/vouchers/CashBankVouchers.h"
#include "gui/common/RegisterForm.h"
#include "gui/shell/Commands.h"
#include "gui/shell/MainWindow.h"
#include "support/PdfProbe.h"
#include "support/QtPrinting.h"
#include "support/ScreenProbe.h"
#include "support/VoucherFirm.h"
#include "support/YearFixture.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTableWidget>
#include <QtTest>

using namespace tanabana;

namespace {

class OutstandingScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        firm.build();
        ASSERT_TRUE(firm.settle(vouchers::CashBankKind::CashReceipt, QDate(2024, 7, 1), firm.ramesh, firm.bill1, "4000"));
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
    void typeDate(QDateEdit* box, const QString& digits) {
        box->setSelectedSection(QDateTimeEdit::DaySection);
        QTest::keyClicks(box, digits);
        QApplication::processEvents();
    }

    test::YearFixture year;
    test::VoucherFirm firm{year.db(), year.session, year.messages};
    gui::CommandRegistry registry;
    gui::MainWindow window{year.session, year.messages};
    gui::CommandContext context{window, [this] { return &year.db(); }, year.session, year.messages};
};

}  // namespace

TEST_F(OutstandingScreenTest, SalesOutstandingAsOnADayTypedByKeys) {
    gui::RegisterForm* form = open(QStringLiteral("mnu_R51"));
    ASSERT_NE(form, nullptr);
    auto* from = form->findChild<QDateEdit*>(QStringLiteral("DtpFrom"));
    auto* to = form->findChild<QDateEdit*>(QStringLiteral("DtpTo"));
    auto* grid = form->findChild<QTableWidget*>(QStringLiteral("VSResultGrid"));
    ASSERT_TRUE(from && to && grid);
    EXPECT_FALSE(from->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), to)
        << (QApplication::focusWidget() ? QApplication::focusWidget()->objectName().toStdString() + " " +
                                              QApplication::focusWidget()->metaObject()->className()
                                        : std::string("none"));
    typeDate(to, QStringLiteral("10072024"));
    EXPECT_EQ(to->date(), QDate(2024, 7, 10));
    QTest::keyClick(form, Qt::Key_F5);
    QApplication::processEvents();
    EXPECT_EQ(
        test::gridText(grid),
        (QStringList{
            "Kiran Sarees  Surat", "GST/3 | 12-06-2024 | 12-07-2024 | Sales GST | 2,100.00 | 0.00 | 0.00 | 2,100.00 | 28 | -2",
            "Sub Tot | 2,100.00 | 0.00 | 0.00 | 2,100.00", "Ramesh Silk Mills  Surat",
            "GST/O/88 | 20-02-2024 | 20-02-2024 | Sales GST | 3,000.00 | 0.00 | 0.00 | 3,000.00 | 141 | 141",
            "GST/1 | 05-06-2024 | 05-07-2024 | Sales GST | 10,000.00 | 100.00 | 4,000.00 | 5,900.00 | 35 | 5",
            "GST/2 | 10-06-2024 | 10-07-2024 | Sales GST | 5,250.00 | 0.00 | 0.00 | 5,250.00 | 30 | 0",
            "Sub Tot | 18,250.00 | 100.00 | 4,000.00 | 14,150.00", "Total | 20,350.00 | 100.00 | 4,000.00 | 16,250.00"}));
    const QString shot = QDir(QDir::tempPath()).filePath(QStringLiteral("sales_outstanding.png"));
    ASSERT_TRUE(window.grab().save(shot));
    test::keepForLooking(shot);

    gui::RegisterForm* ageing = open(QStringLiteral("mnu_R53"));
    ASSERT_NE(ageing, nullptr);
    auto* kind = ageing->findChild<QComboBox*>(QStringLiteral("ComType"));
    ASSERT_NE(kind, nullptr);
    EXPECT_EQ(kind->count(), 2);  // Receivable, Payable
    kind->setCurrentIndex(1);
    auto* payableTo = ageing->findChild<QDateEdit*>(QStringLiteral("DtpTo"));
    payableTo->setDate(QDate(2024, 9, 30));
    ASSERT_TRUE(ageing->refresh());
    auto* payable = ageing->findChild<QTableWidget*>(QStringLiteral("VSResultGrid"));
    EXPECT_EQ(test::gridText(payable).at(1),
              QStringLiteral("LW/12 | 03-06-2024 | 18-07-2024 | 5,250.00 | 0.00 | 0.00 | 0.00 | 5,250.00 | 74"));
}
