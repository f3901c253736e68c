// "3. Function Key" tried by the operator who sets the firm's fixed texts once and then types them
// with one key everywhere: saved for the year, put into the session at once, pressed into an
// account's address, and refused whole when too long or when the year is closed.
#include "core/YearLock.h"
#include "gui/common/Style.h"
#include "gui/masters/AccountScreens.h"
#include "gui/masters/FunctionKeysScreen.h"
#include "support/FirmBooks.h"
#include "support/YearFixture.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <gtest/gtest.h>

using namespace tanabana;

namespace {

class FunctionKeys : public ::testing::Test {
protected:
    void SetUp() override {
        gui::applyApplicationStyle(*qApp);
        test::seedDefaultChart(year.db());
    }
    void show(QWidget* w) {
        w->resize(900, 300);
        w->show();
        QApplication::setActiveWindow(w);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
    }
    QString stored(const QString& column) {
        return year.db().scalar(QStringLiteral("SELECT ") + column + QStringLiteral(" FROM FunKey")).toString();
    }
    test::YearFixture year;
};

}  // namespace

TEST_F(FunctionKeys, TextsTypedOnceAreSavedAndPressedIntoAnAccountsAddress) {
    gui::FunctionKeysScreen screen(year.session, nullptr, &year.messages);
    show(&screen);
    // the cursor starts in F2; Enter walks F2, F3, F4 and reaches Save
    ASSERT_EQ(QApplication::focusWidget(), screen.textOf(Qt::Key_F2));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Ring Road, Surat"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Goods once sold will not be taken back"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    // Gujarati comes from the input method, not from key codes
    qobject_cast<QLineEdit*>(QApplication::focusWidget())->insert(QStringLiteral("સુરત "));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("\"Textile\" Market"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    // F2 in the F3 box is not the old text: the boxes hold the texts themselves
    EXPECT_EQ(screen.textOf(Qt::Key_F4)->text(), QStringLiteral("સુરત \"Textile\" Market"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);  // Enter on Save
    EXPECT_TRUE(year.messages.has(MessageKind::Information, QStringLiteral("Save Confirm"), QStringLiteral("Function key texts are saved.")));
    EXPECT_EQ(stored(QStringLiteral("F2")), QStringLiteral("Ring Road, Surat"));
    EXPECT_EQ(stored(QStringLiteral("F3")), QStringLiteral("Goods once sold will not be taken back"));
    EXPECT_EQ(stored(QStringLiteral("F4")), QStringLiteral("સુરત \"Textile\" Market"));
    EXPECT_EQ(year.count(QStringLiteral("FunKey")), 1);
    EXPECT_FALSE(screen.hasUnsavedChanges());

    // at once, without choosing the firm again, F3 in an account's address puts the text in
    gui::AccountScreen accounts(year.session, nullptr, &year.messages);
    show(&accounts);
    auto* address = qobject_cast<QLineEdit*>(accounts.field(QStringLiteral("Add1")));
    ASSERT_TRUE(address);
    address->setFocus();
    QTest::keyClick(address, Qt::Key_F3);
    EXPECT_EQ(address->text(), QStringLiteral("Goods once sold will not be taken back"));

    // a screen opened later shows what was saved
    gui::FunctionKeysScreen again(year.session, nullptr, &year.messages);
    EXPECT_EQ(again.textOf(Qt::Key_F2)->text(), QStringLiteral("Ring Road, Surat"));
}

TEST_F(FunctionKeys, ATooLongTextOrAClosedYearWritesNothingAndLeavingAsks) {
    year.db().exec(QStringLiteral("INSERT INTO FunKey (F2, F3, F4) VALUES ('Bank: SBI Ring Road', '', '')"));
    gui::FunctionKeysScreen screen(year.session, nullptr, &year.messages);
    show(&screen);
    screen.textOf(Qt::Key_F3)->setText(QString(256, QLatin1Char('x')));
    EXPECT_FALSE(screen.save());
    EXPECT_TRUE(year.messages.has(MessageKind::Critical, QStringLiteral("Text Too Long"),
                                  QStringLiteral("F3 text is longer than 255 characters. Please shorten it.")));
    EXPECT_EQ(stored(QStringLiteral("F3")), QString());
    EXPECT_EQ(year.session.funKeyF3, QString());

    // another station closed the year meanwhile: refused, nothing written
    screen.textOf(Qt::Key_F3)->setText(QStringLiteral("Subject to Surat jurisdiction"));
    year.db().exec(QStringLiteral("UPDATE FirmMst SET IsYrEnd = 1 WHERE Srno = 1"));
    year.messages.clear();
    EXPECT_FALSE(screen.save());
    EXPECT_TRUE(year.messages.has(MessageKind::Critical, kYearEndTitle, kYearEndText));
    EXPECT_EQ(stored(QStringLiteral("F3")), QString());
    EXPECT_EQ(stored(QStringLiteral("F2")), QStringLiteral("Bank: SBI Ring Road"));

    // Exit with the unsaved text asks; "Go Back" keeps the screen and its text
    year.messages.clear();
    year.messages.chooseNext(2);
    EXPECT_FALSE(screen.close());
    ASSERT_FALSE(year.messages.empty());
    EXPECT_EQ(year.messages.last().kind, MessageKind::Question);
    EXPECT_EQ(screen.textOf(Qt::Key_F3)->text(), QStringLiteral("Subject to Surat jurisdiction"));
}
