// The operators' windows driven by keys and clicks: the owner creates a weaver who may not open
// the ledger, a mistyped retype is refused with nothing written, choosing an operator shows the
// ticks kept for them; the password window empties both boxes after a mismatch.
// Set TANABANA_SCREENSHOTS to a folder to keep pictures of the windows.
#include "domain/shell/Installer.h"
#include "domain/shell/Operators.h"
#include "domain/shell/Users.h"
#include "gui/common/Style.h"
#include "gui/shell/UsersWindow.h"
#include "support/ScreenProbe.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <gtest/gtest.h>

using namespace tanabana;

namespace {

class UserWindows : public ::testing::Test {
protected:
    void SetUp() override {
        gui::applyApplicationStyle(*qApp);
        books = shell::Installation::inFolder(dir.path());
        shell::FirstSetup setup;
        setup.endYear = 2025;
        shell::createInstallation(books, setup);
        RecordingMessages quiet;
        ASSERT_TRUE(shell::login(books, session, quiet, QStringLiteral("admin"), QStringLiteral("admin")));
    }
    int operatorCount() { return books.openYearList().scalar(QStringLiteral("SELECT count(*) FROM LoginMst")).toInt(); }
    template <typename T>
    T* field(QWidget* window, const char* name) {
        auto* w = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_TRUE(w) << name;
        return w;
    }

    QTemporaryDir dir;
    shell::Installation books;
    Session session;
    RecordingMessages messages;
};

}  // namespace

TEST_F(UserWindows, TheOwnerCreatesAWeaverWithoutTheLedger) {
    gui::UsersWindow window(books, session, messages);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    auto* list = field<QListWidget>(&window, "lstUsers");
    ASSERT_EQ(list->count(), 1);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("ADMIN"));
    auto* ledger = window.rightBox(QStringLiteral("R72"));
    ASSERT_TRUE(ledger);
    EXPECT_EQ(ledger->text().trimmed(), QStringLiteral("2. Ledger"));
    EXPECT_EQ(window.rightBox(QStringLiteral("U2"))->text(), QStringLiteral("2. Change Password"));

    QTest::keyClicks(field<QLineEdit>(&window, "txtUserName"), QStringLiteral("weaver"));
    QTest::keyClicks(field<QLineEdit>(&window, "txtPassword"), QStringLiteral("loom"));
    QTest::keyClicks(field<QLineEdit>(&window, "txtRetypePassword"), QStringLiteral("lom"));
    QTest::mouseClick(field<QPushButton>(&window, "cmd_save"), Qt::LeftButton);
    EXPECT_TRUE(messages.has(MessageKind::Critical, QStringLiteral("User Confirmation"), QStringLiteral("Password And Retype Password Are Not Same")));
    EXPECT_EQ(operatorCount(), 1);

    field<QLineEdit>(&window, "txtRetypePassword")->clear();
    QTest::keyClicks(field<QLineEdit>(&window, "txtRetypePassword"), QStringLiteral("loom"));
    auto* pages = field<QTabWidget>(&window, "tabRights");
    for (int i = 0; i < pages->count(); ++i)
        if (pages->tabText(i) == QLatin1String("Reports")) pages->setCurrentIndex(i);
    ASSERT_TRUE(ledger->isVisible());
    QTest::mouseClick(ledger, Qt::LeftButton, {}, QPoint(8, ledger->height() / 2));
    EXPECT_FALSE(ledger->isChecked());
    test::keepPicture(&window, QStringLiteral("users_window"));
    QTest::mouseClick(field<QPushButton>(&window, "cmd_save"), Qt::LeftButton);
    EXPECT_TRUE(messages.has(MessageKind::Information, QStringLiteral("User Confirmation"), QStringLiteral("User Is Created")));
    EXPECT_EQ(operatorCount(), 2);
    ASSERT_EQ(list->count(), 2);
    EXPECT_TRUE(field<QLineEdit>(&window, "txtUserName")->text().isEmpty());
    EXPECT_TRUE(ledger->isChecked());  // a new entry starts with every right

    db::Database yearList = books.openYearList();
    const QVariantMap rights = shell::operatorRights(yearList, QStringLiteral("WEAVER"));
    EXPECT_EQ(rights.value(QStringLiteral("R72")).toInt(), 0);
    EXPECT_EQ(rights.value(QStringLiteral("R71")).toInt(), 1);
    EXPECT_TRUE(shell::passwordMatches(yearList, QStringLiteral("weaver"), QStringLiteral("LOOM")));

    list->setCurrentRow(1);
    EXPECT_EQ(field<QLineEdit>(&window, "txtUserName")->text(), QStringLiteral("WEAVER"));
    EXPECT_FALSE(ledger->isChecked());
    EXPECT_TRUE(window.rightBox(QStringLiteral("TS2"))->isChecked());
}

TEST_F(UserWindows, TheOperatorChangesTheirOwnPassword) {
    gui::ChangePasswordWindow window(books, session, messages);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QApplication::setActiveWindow(&window);
    auto* password = field<QLineEdit>(&window, "txtPassword");
    auto* retype = field<QLineEdit>(&window, "txtRetypePassword");
    password->setFocus();
    QTest::keyClicks(password, QStringLiteral("Zari9"));
    QTest::keyClick(password, Qt::Key_Return);
    QTest::keyClicks(retype, QStringLiteral("Zari8"));
    test::keepPicture(&window, QStringLiteral("change_password"));
    QTest::mouseClick(field<QPushButton>(&window, "cmd_save"), Qt::LeftButton);
    EXPECT_TRUE(messages.has(MessageKind::Critical, QStringLiteral("RETYPE CORRECT PASSWORD"), QStringLiteral("PLEASE RETYPE CORRECT PASSWORD")));
    EXPECT_TRUE(password->text().isEmpty());
    EXPECT_TRUE(retype->text().isEmpty());
    EXPECT_TRUE(password->hasFocus());
    {
        db::Database yearList = books.openYearList();
        EXPECT_TRUE(shell::passwordMatches(yearList, QStringLiteral("ADMIN"), QStringLiteral("admin")));
    }

    QTest::keyClicks(password, QStringLiteral("Zari9"));
    QTest::keyClicks(retype, QStringLiteral("Zari9"));
    QTest::mouseClick(field<QPushButton>(&window, "cmd_save"), Qt::LeftButton);
    EXPECT_TRUE(messages.has(MessageKind::Information, QStringLiteral("SAVE Confirmation"), QStringLiteral("PASSWORD SUCESSFULLY CHANAGED")));
    db::Database yearList = books.openYearList();
    EXPECT_TRUE(shell::passwordMatches(yearList, QStringLiteral("ADMIN"), QStringLiteral("ZARI9")));
}
