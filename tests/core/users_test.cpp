// Operators of a small weaving firm's installation: the owner creates a cashier who may not see
// the ledger, the cashier logs in with the name typed in lower case, passwords change, operators
// are deleted; every refusal leaves LoginMst exactly as it was. Runs on both engines
// (TANABANA_BOTH_ENGINES); the command line verbs run on files (TANABANA_USES_CLI).
#include "core/Rights.h"
#include "core/YearLock.h"
#include "domain/shell/Installer.h"
#include "domain/shell/Operators.h"
#include "domain/shell/Users.h"
#include "support/CliRun.h"
#include "support/InstallationFixture.h"
#include "support/TestDb.h"

#include <gtest/gtest.h>

using namespace tanabana;

namespace {

class Operators : public ::testing::Test {
protected:
    void SetUp() override {
        TANABANA_REQUIRE_ENGINE();
        fixture = std::make_unique<test::InstallationFixture>();
        shell::FirstSetup setup;
        setup.endYear = 2025;
        setup.firmName = QStringLiteral("Laxmi Weaving Works");
        shell::createInstallation(books(), setup);
        yearList = std::make_unique<db::Database>(books().openYearList());
        year = std::make_unique<db::Database>(books().openYear(2025));
        session.loginUser = QStringLiteral("ADMIN");
        session.firmNo = 1;
        session.db = year.get();
        session.rights = shell::operatorRights(*yearList, QStringLiteral("ADMIN"));
    }
    shell::Installation& books() { return fixture->installation(); }
    shell::OperatorAccounts accounts() { return shell::OperatorAccounts(*yearList, session, messages); }
    // Every row of LoginMst as text, to prove a refusal changed nothing.
    QStringList snapshot() {
        QStringList rows;
        for (const db::Row& r : yearList->query(QStringLiteral("SELECT * FROM LoginMst ORDER BY LoginName"))) {
            QStringList values;
            for (int i = 0; i < r.size(); ++i) values << r.value(i).toString();
            rows << values.join(QLatin1Char('|'));
        }
        return rows;
    }
    QVariantMap cashierRights() {
        QVariantMap rights;
        rights.insert(QStringLiteral("R72"), false);  // "2. Ledger"
        rights.insert(QStringLiteral("IsDelete"), false);
        return rights;
    }

    std::unique_ptr<test::InstallationFixture> fixture;
    std::unique_ptr<db::Database> yearList;
    std::unique_ptr<db::Database> year;
    Session session;
    RecordingMessages messages;
};

}  // namespace

TEST_F(Operators, ACashierCreatedWithoutTheLedgerLogsInInLowerCaseAndLacksOnlyThatRight) {
    ASSERT_TRUE(accounts().save(QStringLiteral("cashier"), QStringLiteral("Kesar7"), QStringLiteral("Kesar7"), cashierRights()));
    EXPECT_TRUE(messages.has(MessageKind::Information, QStringLiteral("User Confirmation"), QStringLiteral("User Is Created")));
    EXPECT_EQ(accounts().names(), (QStringList{QStringLiteral("ADMIN"), QStringLiteral("CASHIER")}));
    const QString stored = yearList->scalar(QStringLiteral("SELECT Password FROM LoginMst WHERE LoginName = 'CASHIER'")).toString();
    EXPECT_FALSE(stored.contains(QStringLiteral("Kesar7"), Qt::CaseInsensitive));

    Session station;
    RecordingMessages loginMessages;
    ASSERT_TRUE(shell::login(books(), station, loginMessages, QStringLiteral("cashier"), QStringLiteral("kesar7")));
    EXPECT_EQ(station.loginUser, QStringLiteral("CASHIER"));
    EXPECT_FALSE(hasRight(station, QStringLiteral("R72")));
    EXPECT_FALSE(hasRight(station, GeneralRight::Delete));
    EXPECT_TRUE(hasRight(station, QStringLiteral("R71")));
    EXPECT_TRUE(hasRight(station, QStringLiteral("TS2")));
    EXPECT_TRUE(hasRight(station, GeneralRight::New));
}

TEST_F(Operators, IncompleteEntriesAreRefusedWithTheWindowsMessagesAndWriteNothing) {
    const QStringList before = snapshot();
    struct Case {
        QString name, password, retype, message;
    } cases[] = {
        {QStringLiteral("  "), QStringLiteral("x"), QStringLiteral("x"), QStringLiteral("Please Enter User Name")},
        {QStringLiteral("weaver"), QString(), QString(), QStringLiteral("Please Enter PassWord")},
        {QStringLiteral("weaver"), QStringLiteral("loom1"), QStringLiteral("loom2"), QStringLiteral("Password And Retype Password Are Not Same")},
    };
    for (const Case& c : cases) {
        messages.clear();
        EXPECT_FALSE(accounts().save(c.name, c.password, c.retype, {}));
        ASSERT_EQ(messages.all().size(), 1u) << c.message.toStdString();
        EXPECT_EQ(messages.last().kind, MessageKind::Critical);
        EXPECT_EQ(messages.last().text, c.message);
    }
    EXPECT_EQ(snapshot(), before);
}

TEST_F(Operators, AClosedYearAndMissingGeneralRightsRefuseChangesToOperators) {
    ASSERT_TRUE(accounts().save(QStringLiteral("o'brien"), QStringLiteral("pass"), QStringLiteral("pass"), {}));
    EXPECT_TRUE(accounts().exists(QStringLiteral("O'BRIEN")));
    const QStringList before = snapshot();

    year->exec(QStringLiteral("UPDATE FirmMst SET IsYrEnd = 1 WHERE Srno = 1"));
    messages.clear();
    EXPECT_FALSE(accounts().save(QStringLiteral("weaver"), QStringLiteral("loom"), QStringLiteral("loom"), {}));
    EXPECT_FALSE(accounts().remove(QStringLiteral("o'brien")));
    EXPECT_TRUE(messages.has(MessageKind::Critical, kYearEndTitle, kYearEndText));
    EXPECT_EQ(snapshot(), before);
    year->exec(QStringLiteral("UPDATE FirmMst SET IsYrEnd = 0 WHERE Srno = 1"));

    session.rights.insert(QStringLiteral("IsNew"), 0);
    session.rights.insert(QStringLiteral("IsModify"), 0);
    session.rights.insert(QStringLiteral("IsDelete"), 0);
    messages.clear();
    EXPECT_FALSE(accounts().save(QStringLiteral("weaver"), QStringLiteral("loom"), QStringLiteral("loom"), {}));
    EXPECT_TRUE(messages.has(MessageKind::Critical, kNoRightTitle, QStringLiteral("You Have No Right To Add New Entries.")));
    EXPECT_FALSE(accounts().save(QStringLiteral("O'Brien"), QStringLiteral("new"), QStringLiteral("new"), {}));
    EXPECT_TRUE(messages.has(MessageKind::Critical, kNoRightTitle, QStringLiteral("You Have No Right To Modify Entries.")));
    EXPECT_FALSE(accounts().remove(QStringLiteral("O'Brien")));
    EXPECT_TRUE(messages.has(MessageKind::Critical, kNoRightTitle, QStringLiteral("You Have No Right To Delete Entries.")));
    EXPECT_EQ(snapshot(), before);
}

TEST_F(Operators, RewritingAnOperatorChangesRightsAndPasswordAndTheOwnSessionFollows) {
    ASSERT_TRUE(accounts().save(QStringLiteral("cashier"), QStringLiteral("one"), QStringLiteral("one"), cashierRights()));
    QVariantMap now;
    now.insert(QStringLiteral("A1"), false);
    ASSERT_TRUE(accounts().save(QStringLiteral("CASHIER"), QStringLiteral("two"), QStringLiteral("two"), now));
    EXPECT_EQ(accounts().names().size(), 2);
    const QVariantMap rights = shell::operatorRights(*yearList, QStringLiteral("cashier"));
    EXPECT_EQ(rights.value(QStringLiteral("R72")).toInt(), 1);
    EXPECT_EQ(rights.value(QStringLiteral("A1")).toInt(), 0);
    EXPECT_TRUE(shell::passwordMatches(*yearList, QStringLiteral("cashier"), QStringLiteral("TWO")));
    EXPECT_FALSE(shell::passwordMatches(*yearList, QStringLiteral("cashier"), QStringLiteral("one")));

    // The owner takes the trial balance away from themselves: the open session loses it at once.
    QVariantMap owner;
    owner.insert(QStringLiteral("R77"), false);
    ASSERT_TRUE(accounts().save(QStringLiteral("admin"), QStringLiteral("admin"), QStringLiteral("admin"), owner));
    EXPECT_FALSE(hasRight(session, QStringLiteral("R77")));
}

TEST_F(Operators, DeletingAsksFirstAndNeverRemovesTheOperatorWhoIsLoggedIn) {
    ASSERT_TRUE(accounts().save(QStringLiteral("cashier"), QStringLiteral("one"), QStringLiteral("one"), {}));
    messages.clear();
    messages.answerNext(false);
    EXPECT_FALSE(accounts().remove(QStringLiteral("cashier")));
    EXPECT_TRUE(messages.has(MessageKind::Question, QStringLiteral("Delete Confirmation"), QStringLiteral("Are You Sure To Delete This User ? ")));
    EXPECT_TRUE(accounts().exists(QStringLiteral("CASHIER")));

    EXPECT_TRUE(accounts().remove(QStringLiteral("cashier")));
    EXPECT_TRUE(messages.has(MessageKind::Information, QStringLiteral("User Confirmation"), QStringLiteral("User Is deleted..")));
    EXPECT_EQ(accounts().names(), QStringList{QStringLiteral("ADMIN")});

    const QStringList before = snapshot();
    messages.clear();
    EXPECT_FALSE(accounts().remove(QStringLiteral("admin")));
    EXPECT_EQ(messages.last().text, QStringLiteral("You Can't Delete The User Who Is Logged In"));
    EXPECT_FALSE(accounts().remove(QStringLiteral("nobody")));
    EXPECT_EQ(messages.last().text, QStringLiteral("Please Enter User Name"));
    EXPECT_EQ(snapshot(), before);
}

TEST_F(Operators, ChangingThePasswordNeedsTheSameTextTwice) {
    const QStringList before = snapshot();
    for (const auto& [password, retype] : {std::pair{QStringLiteral("new1"), QStringLiteral("new2")}, std::pair{QString(), QString()}}) {
        messages.clear();
        EXPECT_FALSE(accounts().changePassword(QStringLiteral("ADMIN"), password, retype));
        EXPECT_TRUE(messages.has(MessageKind::Critical, QStringLiteral("RETYPE CORRECT PASSWORD"), QStringLiteral("PLEASE RETYPE CORRECT PASSWORD")));
    }
    EXPECT_EQ(snapshot(), before);
    EXPECT_TRUE(shell::passwordMatches(*yearList, QStringLiteral("admin"), QStringLiteral("admin")));

    ASSERT_TRUE(accounts().changePassword(QStringLiteral("ADMIN"), QStringLiteral("Saree#2025"), QStringLiteral("Saree#2025")));
    EXPECT_TRUE(messages.has(MessageKind::Information, QStringLiteral("SAVE Confirmation"), QStringLiteral("PASSWORD SUCESSFULLY CHANAGED")));
    EXPECT_TRUE(shell::passwordMatches(*yearList, QStringLiteral("admin"), QStringLiteral("SAREE#2025")));
    EXPECT_FALSE(shell::passwordMatches(*yearList, QStringLiteral("admin"), QStringLiteral("admin")));
}

TEST(OperatorCommands, CreateListPasswordAndDeleteFromTheCommandLine) {
    if (qEnvironmentVariable("TANABANA_TEST_ENGINE") == QLatin1String("pg")) GTEST_SKIP() << "the command line test runs on files";
    test::YearFolder books(2025);
    const QString root = books.root();
    test::CliResult r = test::runCli({QStringLiteral("--data"), root, QStringLiteral("user"), QStringLiteral("create"), QStringLiteral("clerk"),
                                      QStringLiteral("--password"), QStringLiteral("mill"), QStringLiteral("--deny"), QStringLiteral("r72,T1")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    r = test::runCli({QStringLiteral("--data"), root, QStringLiteral("user"), QStringLiteral("list")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("CLERK  (no T1, R72)"))) << r.out.toStdString();

    r = test::runCli({QStringLiteral("--data"), root, QStringLiteral("user"), QStringLiteral("password"), QStringLiteral("nobody"),
                      QStringLiteral("--password"), QStringLiteral("loom")});
    EXPECT_NE(r.exitCode, 0);
    EXPECT_TRUE(r.err.contains(QStringLiteral("User NOBODY Is Not Found"))) << r.err.toStdString();

    r = test::runCli({QStringLiteral("--data"), root, QStringLiteral("user"), QStringLiteral("password"), QStringLiteral("clerk"),
                      QStringLiteral("--password"), QStringLiteral("loom")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    Session session;
    RecordingMessages messages;
    EXPECT_TRUE(shell::login(shell::Installation::inFolder(root), session, messages, QStringLiteral("clerk"), QStringLiteral("LOOM")));

    r = test::runCli({QStringLiteral("--data"), root, QStringLiteral("user"), QStringLiteral("delete"), QStringLiteral("clerk")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    r = test::runCli({QStringLiteral("--data"), root, QStringLiteral("user"), QStringLiteral("list")});
    EXPECT_FALSE(r.out.contains(QStringLiteral("CLERK")));
}
