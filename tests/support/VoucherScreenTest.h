#pragma once
// The grey-cloth trader of VoucherFirm behind a 1366x768 main window with every menu command, for
// the voucher windows' tests: keys typed where the cursor is, the focused field's name, and what
// a bill has been paid.
#include "core/Messages.h"
#include "gui/shell/Commands.h"
#include "gui/shell/MainWindow.h"
#include "support/VoucherFirm.h"
#include "support/YearFixture.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QDateEdit>
#include <QtTest>

namespace tanabana::test {

class VoucherScreenTest : public ::testing::Test {
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
    void type(const QString& text) {
        QTest::keyClicks(QApplication::focusWidget(), text);
        QApplication::processEvents();
    }
    void key(Qt::Key k) {
        QTest::keyClick(QApplication::focusWidget(), k);
        QApplication::processEvents();
    }
    // A date typed into the focused date box from its day, then Enter.
    void typeDate(const char* ddmmyyyy) {
        static_cast<QDateEdit*>(QApplication::focusWidget())->setSelectedSection(QDateTimeEdit::DaySection);
        type(QString::fromLatin1(ddmmyyyy));
        key(Qt::Key_Return);
    }
    QString focused() const { return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString(); }
    double paidOn(qint64 bill, const char* table = "SalBillMst") {
        return year.db().scalar(QStringLiteral("SELECT PaidAmt FROM %1 WHERE Id = ?").arg(QString::fromLatin1(table)), {bill}).toDouble();
    }

    YearFixture year;
    VoucherFirm firm{year.db(), year.session, year.messages};
    gui::CommandRegistry registry;
    gui::MainWindow window{year.session, year.messages};
    gui::CommandContext context{window, [this] { return &year.db(); }, year.session, year.messages};
};

}  // namespace tanabana::test
