// Database faults met while an operator of a small Surat firm saves an account on the account
// master, on both engines (TANABANA_BOTH_ENGINES): another station holding the books past the
// wait, a full disk, books that may only be read and a server connection killed during the save.
// Each ends in "Not Saved" naming what failed, the typed account still on the screen, nothing
// written, and a second press of Save working once the trouble is gone. A firm renamed on the firm
// master shows its new name in the main window at once; an e-mail backup that cannot be made on
// exit is told. Set TANABANA_SCREENSHOTS to a folder to keep pictures.
#include "gui/common/GuardedSave.h"
#include "gui/common/Style.h"
#include "gui/masters/AccountScreens.h"
#include "gui/masters/FirmScreen.h"
#include "gui/shell/MainWindow.h"
#include "domain/shell/FirmSettings.h"
#include "support/FirmBooks.h"
#include "support/ScreenProbe.h"
#include "support/YearFixture.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>
#include <gtest/gtest.h>
#include <thread>

using namespace tanabana;

namespace {

class DatabaseFaults : public ::testing::Test {
protected:
    void SetUp() override {
        TANABANA_REQUIRE_ENGINE();
        gui::applyApplicationStyle(*qApp);
        year = std::make_unique<test::YearFixture>();
        test::seedDefaultChart(db());
        shell::loadFirmSettings(db(), year->session, 1);
    }
    db::Database& db() { return year->db(); }
    int accounts() { return year->count(QStringLiteral("AccMst"), QStringLiteral("FirmNo = 1")); }

    // The operator types a new party on the account master (the screen stays open for the test).
    std::unique_ptr<gui::AccountScreen> typeParty(const QString& name) {
        auto screen = std::make_unique<gui::AccountScreen>(year->session, nullptr, &year->messages);
        screen->resize(1200, 760);
        screen->show();
        screen->setValue(QStringLiteral("AcName"), name);
        auto* group = screen->findChild<QComboBox*>(QStringLiteral("GrpNo"));
        group->setCurrentIndex(group->findText(QStringLiteral("35"), Qt::MatchStartsWith));
        screen->setValue(QStringLiteral("City"), QStringLiteral("Surat"));
        screen->setValue(QStringLiteral("CrLimit"), QStringLiteral("250000"));
        return screen;
    }
    void pressSave(QWidget* screen) {
        year->messages.clear();
        screen->findChild<QPushButton*>(QStringLiteral("cmd_save"))->click();
    }
    // The screen said "Not Saved" with this reason, kept the operator's typing and wrote nothing.
    void expectRefusedAndKept(QWidget* screen, int accountsBefore, const QString& reason) {
        ASSERT_FALSE(year->messages.empty());
        EXPECT_EQ(year->messages.last().kind, MessageKind::Critical);
        EXPECT_EQ(year->messages.last().title, QStringLiteral("Not Saved"));
        EXPECT_EQ(year->messages.last().text,
                  QStringLiteral("Saving ACCOUNT MASTER failed.\n") + reason +
                      QStringLiteral("\nNothing was written; what you typed is still on the screen."));
        EXPECT_EQ(test::fieldText(screen, QStringLiteral("AcName")), QStringLiteral("Ramesh Silk Mills"));
        EXPECT_EQ(test::fieldText(screen, QStringLiteral("City")), QStringLiteral("Surat"));
        EXPECT_EQ(test::fieldText(screen, QStringLiteral("CrLimit")), QStringLiteral("250000"));
        EXPECT_EQ(accounts(), accountsBefore);
    }
    void expectSavedOnce() {
        EXPECT_TRUE(year->messages.empty() || year->messages.last().title != QStringLiteral("Not Saved"));
        EXPECT_EQ(year->count(QStringLiteral("AccMst"), QStringLiteral("AcName = ? AND FirmNo = 1"),
                              {QStringLiteral("Ramesh Silk Mills")}),
                  1);
    }
    std::unique_ptr<test::YearFixture> year;
};

}  // namespace

TEST_F(DatabaseFaults, AnotherStationHoldingTheBooksPastTheWait) {
    const int before = accounts();
    db().setLockWait(300);
    auto screen = typeParty(QStringLiteral("Ramesh Silk Mills"));
    {
        // the other station is in the middle of its own save of an account
        db::Database other = year->openAnother();
        db::Transaction holding(other);
        other.nextKey(QStringLiteral("AccMst"), QStringLiteral("Id"));
        pressSave(screen.get());
        expectRefusedAndKept(screen.get(), before,
                             QStringLiteral("Another station is saving to these books and held them longer than the "
                                            "wait. Save again in a moment."));
        holding.rollback();
    }
    pressSave(screen.get());
    expectSavedOnce();
}

TEST_F(DatabaseFaults, FullDiskLeavesTheBooksAsTheyWere) {
    if (test::onPostgres()) GTEST_SKIP() << "a full disk is simulated on the SQLite file";
    const int before = accounts();
    // the disk has room for a few more pages, which another firm's station fills with its accounts
    const int pages = db().scalar(QStringLiteral("PRAGMA page_count")).toInt();
    db().scalar(QStringLiteral("PRAGMA max_page_count = %1").arg(pages + 4));
    bool full = false;
    for (int id = 900000; id < 902000 && !full; ++id) {
        try {
            db().exec(QStringLiteral("INSERT INTO AccMst (Id, FirmNo, AcName, LedgerId, GrpNo, IsGrp) VALUES (?, 2, ?, ?, 35, 0)"),
                      {id, QStringLiteral("Filler party %1 of a long name").arg(id), QStringLiteral("35F%1").arg(id)});
        } catch (const db::DbError& e) {
            full = e.fault() == db::DbError::Fault::Full;
        }
    }
    ASSERT_TRUE(full);
    auto screen = typeParty(QStringLiteral("Ramesh Silk Mills"));
    pressSave(screen.get());
    expectRefusedAndKept(screen.get(), before,
                         QStringLiteral("The disk holding the books is full. Free some space and save again."));
    db().scalar(QStringLiteral("PRAGMA max_page_count = 1073741823"));
    pressSave(screen.get());
    expectSavedOnce();
}

TEST_F(DatabaseFaults, ReadOnlyBooksStillListButRefuseTheSave) {
    if (test::onPostgres()) GTEST_SKIP() << "a read-only year is a file";
    test::addAccount(db(), QStringLiteral("Krishna Creation"), 35);
    const int before = accounts();
    // the same year opened by a station that may only read it
    db::Database readOnly = db::Database::openSqlite(db().location(), false, true);
    ASSERT_TRUE(readOnly.readOnly());
    year->session.db = &readOnly;
    auto screen = typeParty(QStringLiteral("Ramesh Silk Mills"));
    screen->findBox()->setText(QStringLiteral("Krish"));
    ASSERT_EQ(screen->list()->rowCount(), 1);
    EXPECT_EQ(screen->list()->item(0, 2)->text(), QStringLiteral("35K001"));
    // a Gujarati address shows as typed on the screen
    screen->setValue(QStringLiteral("Add1"), QStringLiteral("૧૨, રીંગ રોડ, સુરત"));
    screen->setValue(QStringLiteral("Add2"), QStringLiteral("कपड़ा बाज़ार"));
    test::keepPicture(screen.get(), QStringLiteral("read_only_account"));
    screen->setValue(QStringLiteral("AcName"), QStringLiteral("Ramesh Silk Mills"));
    pressSave(screen.get());
    expectRefusedAndKept(screen.get(), before,
                         QStringLiteral("The books can be read here but not changed (the data folder or the year "
                                        "file is read-only for this station)."));
    year->session.db = &db();
}

TEST_F(DatabaseFaults, ServerConnectionKilledDuringTheSave) {
    if (!test::onPostgres()) GTEST_SKIP() << "only a database server has a connection to lose";
    const int before = accounts();
    const qint64 pid = db().scalar(QStringLiteral("SELECT pg_backend_pid()")).toLongLong();
    db().setLockWait(20000);
    auto screen = typeParty(QStringLiteral("Ramesh Silk Mills"));
    {
        // the save waits for another station's lock; meanwhile the administrator ends its connection
        db::Database other = year->openAnother();
        db::Transaction holding(other);
        other.nextKey(QStringLiteral("AccMst"), QStringLiteral("Id"));
        const QString url = year->url();
        const QString schema = db().location();
        std::thread administrator([url, schema, pid] {
            std::this_thread::sleep_for(std::chrono::milliseconds(700));
            db::Database admin = db::Database::openPostgres(url, schema, false);
            admin.scalar(QStringLiteral("SELECT pg_terminate_backend(?)"), {pid});
        });
        pressSave(screen.get());
        administrator.join();
        expectRefusedAndKept(screen.get(), before,
                             QStringLiteral("The connection to the database server was lost. Save again when the "
                                            "server answers."));
        holding.rollback();
    }
    // the next press opens the connection again and saves
    pressSave(screen.get());
    expectSavedOnce();
}

TEST(GuardedSave, AnAmountBeyondTheBooksIsToldNotThrown) {
    RecordingMessages messages;
    bool ran = false;
    EXPECT_FALSE(gui::guardedSave(messages, QStringLiteral("Saving Sales Bill"), [&] {
        ran = true;
        const Decimal metres(100000000), rate(50000);
        (void)(metres * rate);
    }));
    EXPECT_TRUE(ran);
    EXPECT_EQ(messages.last().text,
              QStringLiteral("Saving Sales Bill failed.\nAmount too large: 5000000000000.00 is beyond the largest "
                             "amount the books keep (999999999999.99)\nNothing was written; what you typed is still "
                             "on the screen."));
    EXPECT_TRUE(gui::guardedSave(messages, QStringLiteral("Saving Sales Bill"), [] {}));
}

TEST_F(DatabaseFaults, ARenamedFirmIsShownAtOnce) {
    gui::MainWindow window(year->session, year->messages);
    window.showSession();
    EXPECT_EQ(window.panelText(gui::MainWindow::FirmPanel), QStringLiteral("Shree Ganesh Textiles"));
    auto* screen = new gui::FirmScreen(year->session, nullptr, &year->messages);
    window.openChild(screen);
    screen->findBox()->setText(QStringLiteral("Shree"));
    ASSERT_EQ(screen->list()->rowCount(), 1);
    screen->list()->setFocus();
    screen->list()->selectRow(0);
    QTest::keyClick(screen->list(), Qt::Key_Return);
    ASSERT_EQ(screen->currentKey(), 1);
    screen->setValue(QStringLiteral("PName"), QStringLiteral("Shree Ganesh Silk Mills"));
    pressSave(screen);
    EXPECT_EQ(year->session.firmName, QStringLiteral("Shree Ganesh Silk Mills"));
    EXPECT_EQ(window.panelText(gui::MainWindow::FirmPanel), QStringLiteral("Shree Ganesh Silk Mills"));
    EXPECT_TRUE(window.windowTitle().contains(QStringLiteral("Shree Ganesh Silk Mills"))) << window.windowTitle().toStdString();
}

TEST_F(DatabaseFaults, AFailedBackupOnExitIsTold) {
    if (test::onPostgres()) GTEST_SKIP() << "books on a server are backed up by the server";
    // the owner wants the year by e-mail, but a file stands where the backup folder should be made
    year->session.firm.insert(QStringLiteral("Email_Add"), QStringLiteral("owner@example.com"));
    QFile blocker(year->folder() + QStringLiteral("/EmailBkup"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    gui::MainWindow window(year->session, year->messages);
    window.show();
    year->messages.clear();
    EXPECT_TRUE(window.runCommand(QStringLiteral("mnu_mstExit")));
    ASSERT_FALSE(year->messages.empty());
    EXPECT_EQ(year->messages.last().title, QStringLiteral("Backup Not Sent"));
    EXPECT_TRUE(year->messages.last().text.startsWith(QStringLiteral("The backup by e-mail could not be made:\nThe folder ")))
        << year->messages.last().text.toStdString();
}

TEST_F(DatabaseFaults, AnOperatorWithoutTheViewRightCannotOpenSavedEntries) {
    test::addAccount(db(), QStringLiteral("Krishna Creation"), 35);
    year->session.rights = {{QStringLiteral("IsView"), 0}, {QStringLiteral("IsNew"), 1}};
    auto screen = typeParty(QStringLiteral("Ramesh Silk Mills"));
    screen->findBox()->setText(QStringLiteral("Krish"));
    ASSERT_EQ(screen->list()->rowCount(), 1);
    screen->list()->setFocus();
    screen->list()->selectRow(0);
    QTest::keyClick(screen->list(), Qt::Key_Return);
    EXPECT_TRUE(year->messages.has(MessageKind::Critical, QStringLiteral("No Right"), QStringLiteral("You Have No Right To View Entries.")));
    EXPECT_EQ(screen->currentKey(), 0);
    EXPECT_EQ(test::fieldText(screen.get(), QStringLiteral("AcName")), QStringLiteral("Ramesh Silk Mills"));
    // adding stays allowed
    pressSave(screen.get());
    expectSavedOnce();
}
