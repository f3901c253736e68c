// Start-up as the services see it, on both engines (TANABANA_BOTH_ENGINES): login, choosing a
// year and a firm, creating the next year from a year with bills in it, and clearing a year.
#include "core/Password.h"
#include "domain/shell/Installation.h"
#include "domain/shell/Installer.h"
#include "domain/shell/Operators.h"
#include "domain/shell/Lookups.h"
#include "domain/shell/YearChoice.h"
#include "domain/shell/YearMaintenance.h"
#include "support/InstallationFixture.h"
#include "support/TestDb.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace tanabana;
using namespace tanabana::shell;

namespace {

const QString kDenied = QStringLiteral("INVALID USER NAME OR PASSOWORD !!! \n PLEASE ENTER CORRECT USER NAME AND PASSWORD");

// An installation with operator ADMIN, the year 2023-24 and two firms with a few bills.
class StartupTest : public ::testing::Test {
protected:
    void SetUp() override {
        TANABANA_REQUIRE_ENGINE();
        fixture = std::make_unique<test::InstallationFixture>();
        db::Database yearList = books().createYearList();
        addOperator(yearList, QStringLiteral("admin"), QStringLiteral("Admin"));
        addOperator(yearList, QStringLiteral("D'Souza \"Jr\""), QStringLiteral("it's-me"));
        addYearToList(yearList, 2024);
        db::Database year = books().createYear(2024);
        year.exec(QStringLiteral("INSERT INTO FirmMst (Srno, PName, CrLimit, BoxNO, StartDt, ENdDt) VALUES (?, ?, ?, ?, ?, ?)"),
                  {1, QStringLiteral("  Shree Ganesh Textiles "), 50000, 2, QDate(2023, 4, 1), QDate(2024, 3, 31)});
        year.exec(QStringLiteral("INSERT INTO FirmMst (Srno, PName, StartDt, ENdDt) VALUES (?, ?, ?, ?)"),
                  {2, QStringLiteral("Laxmi's Weaving"), QDate(2023, 7, 1), QDate(2024, 3, 31)});
        year.exec(QStringLiteral("INSERT INTO FunKey (F2, F3, F4) VALUES (?, ?, ?)"),
                  {QStringLiteral("Grey Fabric"), QStringLiteral("As per challan"), QStringLiteral("Goods once sold")});
        // bills as their screens keep them (only the columns these commands touch)
        year.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS BillMst (Id INTEGER, FirmNo INTEGER, TDSP DOUBLE PRECISION, TDSRS DOUBLE PRECISION)"));
        year.exec(QStringLiteral("INSERT INTO BillMst (Id, FirmNo, TDSP, TDSRS) VALUES (1, 1, NULL, NULL), (2, 2, NULL, NULL), (3, 1, 1, 50)"));
        year.exec(QStringLiteral("INSERT INTO AccMst (Id, FirmNo, AcName, DrAmt, CrAmt, AccAmt) VALUES (1, 1, 'Cash', 1500.5, 0, 1500.5)"));
        year.exec(QStringLiteral("INSERT INTO Mst_Machine (ID, FirmNo, MachineName) VALUES (1, 1, 'M-01')"));
        session.dataRoot = fixture->root();
    }
    Installation& books() { return fixture->installation(); }
    int countIn(db::Database& db, const QString& table) { return db.scalar(QStringLiteral("SELECT count(*) FROM ") + table).toInt(); }

    std::unique_ptr<test::InstallationFixture> fixture;
    Session session;
    RecordingMessages messages;
};

}  // namespace

TEST_F(StartupTest, LoginIgnoresCaseAndRefusesAWrongPassword) {
    EXPECT_TRUE(login(books(), session, messages, QStringLiteral("Admin"), QStringLiteral("ADMIN")));
    EXPECT_EQ(session.loginUser, QStringLiteral("ADMIN"));
    EXPECT_EQ(session.loginDate, QDate::currentDate());
    EXPECT_TRUE(messages.empty());

    Session other;
    EXPECT_FALSE(login(books(), other, messages, QStringLiteral("ADMIN"), QStringLiteral("ADMIN1")));
    EXPECT_TRUE(messages.has(MessageKind::Critical, QStringLiteral("ACCESS DENIED"), kDenied));
    EXPECT_TRUE(other.loginUser.isEmpty());
    EXPECT_FALSE(login(books(), other, messages, QStringLiteral("' OR ''='"), QStringLiteral("' OR ''='")));

    // names and passwords with quotes are ordinary text
    EXPECT_TRUE(login(books(), other, messages, QStringLiteral("d'souza \"jr\""), QStringLiteral("IT'S-ME")));
    EXPECT_EQ(other.loginUser, QStringLiteral("D'SOUZA \"JR\""));
    // the password is kept only as a hash
    db::Database yearList = books().openYearList();
    const QString stored = yearList.scalar(QStringLiteral("SELECT Password FROM LoginMst WHERE LoginName = 'ADMIN'")).toString();
    EXPECT_FALSE(stored.contains(QStringLiteral("ADMIN"), Qt::CaseInsensitive));
    EXPECT_THROW(addOperator(yearList, QStringLiteral("ADMIN "), QStringLiteral("x")), db::DbError);
    EXPECT_TRUE(setOperatorPassword(yearList, QStringLiteral("admin"), QStringLiteral("New")));
    EXPECT_TRUE(passwordMatches(yearList, QStringLiteral("ADMIN"), QStringLiteral("new")));
}

TEST_F(StartupTest, ChoosingAYearOpensItAndChoosingAFirmTakesItsOwnYear) {
    EXPECT_EQ(listYears(books()), QList<int>{2024});
    EXPECT_EQ(yearRowText(2024), QStringLiteral("2023--2024"));
    auto year = openChosenYear(books(), session, messages, 2024);
    ASSERT_TRUE(year);
    EXPECT_EQ(session.yearLabel, QStringLiteral("2023-24"));
    EXPECT_EQ(session.yearStartDate, QDate(2023, 4, 1));
    EXPECT_EQ(session.yearEndDate, QDate(2024, 3, 31));

    const std::vector<FirmRow> firms = listFirms(*year);
    ASSERT_EQ(firms.size(), 2u);
    EXPECT_EQ(firmCount(*year), 2);
    EXPECT_EQ(firmNameOf(*year, 2), QStringLiteral("Laxmi's Weaving"));
    chooseFirm(*year, session, firms.at(0));
    EXPECT_EQ(session.firmName, QStringLiteral("Shree Ganesh Textiles"));
    EXPECT_EQ(session.firmCrLimit, Decimal(50000));
    EXPECT_EQ(session.funKeyF3, QStringLiteral("As per challan"));
    // choosing firm 1 settles its bills without TDS, and only its own
    EXPECT_EQ(year->scalar(QStringLiteral("SELECT count(*) FROM BillMst WHERE TDSRS IS NULL")).toInt(), 1);
    EXPECT_EQ(year->scalar(QStringLiteral("SELECT TDSRS FROM BillMst WHERE Id = 3")).toDouble(), 50);
    chooseFirm(*year, session, firms.at(1));
    EXPECT_EQ(session.firmNo, 2);
    EXPECT_EQ(session.yearStartDate, QDate(2023, 7, 1));  // the firm started mid-year
    // the lookup lists are written beside the books on the first opening
    EXPECT_TRUE(QFile::exists(QDir(fixture->root()).filePath(QStringLiteral("StateCodeN.txt"))));
}

TEST_F(StartupTest, AMissingYearIsRefusedAndNothingIsCreated) {
    EXPECT_EQ(openChosenYear(books(), session, messages, 2026), nullptr);
    EXPECT_TRUE(messages.has(MessageKind::Critical, QStringLiteral("No Database Found"), QStringLiteral("Selected Year is not Found")));
    EXPECT_FALSE(books().yearExists(2026));
}

TEST_F(StartupTest, NextYearCarriesMastersAndLeavesEntriesBehind) {
    auto year = openChosenYear(books(), session, messages, 2024);
    ASSERT_TRUE(year);
    // A stock transfer of March is in the opening stock of the new year, not one of its movements.
    year->exec(QStringLiteral("INSERT INTO StockTransfer (TDate, ProdId, ProdId1, Qty, Qty2, FirmNO) VALUES (?, 1, 2, 10, 2, 1)"), {QDate(2024, 3, 30)});
    EXPECT_EQ(createNextYear(books(), session, *year, messages), NewYearResult::Created);
    EXPECT_TRUE(messages.has(MessageKind::Question, QStringLiteral("Create New Year"), QStringLiteral("Are you sure to Create New Year ? ")));
    EXPECT_TRUE(messages.has(MessageKind::Information, QStringLiteral("Create New Year"),
                             QStringLiteral("Year Ending Process has been successfully finished.")));
    EXPECT_EQ(listYears(books()), (QList<int>{2024, 2025}));

    db::Database next = books().openYear(2025);
    EXPECT_EQ(countIn(next, QStringLiteral("BillMst")), 0);
    EXPECT_EQ(countIn(next, QStringLiteral("StockTransfer")), 0);
    EXPECT_EQ(countIn(*year, QStringLiteral("StockTransfer")), 1);
    EXPECT_EQ(countIn(next, QStringLiteral("Mst_Machine")), 1);
    EXPECT_EQ(countIn(next, QStringLiteral("Disp_Button_MSt")), 10);
    const auto cash = next.queryOne(QStringLiteral("SELECT AcName, DrAmt, AccAmt FROM AccMst WHERE Id = 1"));
    ASSERT_TRUE(cash);
    EXPECT_EQ(cash->text(QStringLiteral("AcName")), QStringLiteral("Cash"));
    EXPECT_EQ(cash->number(QStringLiteral("AccAmt")), 0);
    const auto firm2 = next.queryOne(QStringLiteral("SELECT StartDt, ENdDt FROM FirmMst WHERE Srno = 2"));
    EXPECT_EQ(firm2->date(QStringLiteral("StartDt")), QDate(2024, 7, 1));
    EXPECT_EQ(firm2->date(QStringLiteral("ENdDt")), QDate(2025, 3, 31));
    // the old year is untouched
    EXPECT_EQ(countIn(*year, QStringLiteral("BillMst")), 3);
    EXPECT_EQ(year->scalar(QStringLiteral("SELECT AccAmt FROM AccMst WHERE Id = 1")).toDouble(), 1500.5);

    // asking again stops at the existing year
    messages.clear();
    EXPECT_EQ(createNextYear(books(), session, *year, messages), NewYearResult::AlreadyExists);
    EXPECT_TRUE(messages.has(MessageKind::Critical, QStringLiteral("2025 Year Is Found"), QStringLiteral("This Year is already Exist")));
    // and No creates nothing
    Session later = session;
    later.setYear(2025);
    messages.answerNext(false);
    EXPECT_EQ(createNextYear(books(), later, next, messages), NewYearResult::Declined);
    EXPECT_FALSE(books().yearExists(2026));
}

TEST_F(StartupTest, AFailedNewYearLeavesNoYearBehind) {
    if (test::onPostgres()) GTEST_SKIP() << "the refusing trigger below is written for SQLite files";
    auto year = openChosenYear(books(), session, messages, 2024);
    ASSERT_TRUE(year);
    year->exec(QStringLiteral("CREATE TRIGGER keep_bills BEFORE DELETE ON BillMst BEGIN SELECT RAISE(ABORT, 'bills are locked'); END"));
    EXPECT_EQ(createNextYear(books(), session, *year, messages), NewYearResult::Failed);
    EXPECT_TRUE(messages.has(MessageKind::Critical, QStringLiteral("Create New Year"),
                             QStringLiteral("Exit From System and Restart the Program to Take a Backup")));
    EXPECT_FALSE(books().yearExists(2025));
    EXPECT_EQ(listYears(books()), QList<int>{2024});
    EXPECT_EQ(countIn(*year, QStringLiteral("BillMst")), 3);
}

TEST_F(StartupTest, FirmFolderOffersTheMissingYearFromTheYearBefore) {
    if (test::onPostgres()) GTEST_SKIP() << "firm folders are kept on files";
    Installation files = Installation::inFolder(fixture->root());
    const QString group = QStringLiteral("Ganesh Group");
    db::Database old = files.createYear(2024, group);
    old.exec(QStringLiteral("INSERT INTO FirmMst (Srno, PName, StartDt, ENdDt) VALUES (1, 'Ganesh', '2023-04-01', '2024-03-31')"));
    old.close();
    session.folderMode = true;
    session.firmFolder = group;
    messages.answerNext(false);  // "would you like to create New Year": No
    EXPECT_EQ(openChosenYear(files, session, messages, 2025), nullptr);
    EXPECT_TRUE(messages.has(MessageKind::Critical, QStringLiteral("No Database Found"), QStringLiteral("Selected Year is not Found")));
    EXPECT_FALSE(files.yearExists(2025, group));
    messages.clear();
    EXPECT_EQ(openChosenYear(files, session, messages, 2025), nullptr);  // Yes, Yes
    EXPECT_TRUE(messages.has(MessageKind::Question, QStringLiteral("No Year Found"),
                             QStringLiteral("Selected Year is not Found, would you like to create New Year ")));
    EXPECT_TRUE(files.yearExists(2025, group));
    EXPECT_FALSE(files.yearExists(2025));  // only inside the firm's folder
    EXPECT_EQ(files.firmFolders(), QStringList{group});
    auto opened = openChosenYear(files, session, messages, 2025);
    ASSERT_TRUE(opened);
    EXPECT_EQ(opened->query(QStringLiteral("SELECT StartDt FROM FirmMst")).front().date(QStringLiteral("StartDt")), QDate(2024, 4, 1));
}

TEST_F(StartupTest, ClearDatabaseEmptiesTheYearAndKeepsFirmOne) {
    auto year = openChosenYear(books(), session, messages, 2024);
    ASSERT_TRUE(year);
    session.loginUser = QStringLiteral("ADMIN");
    messages.answerNext(false);
    EXPECT_FALSE(clearDatabase(books(), session, *year, messages));
    EXPECT_EQ(countIn(*year, QStringLiteral("FirmMst")), 2);
    EXPECT_EQ(countIn(*year, QStringLiteral("BillMst")), 3);

    // a clerk without the right to make operators may not; a wrong password clears nothing
    session.rights = {{QStringLiteral("IsDelete"), 1}, {QStringLiteral("U1"), 0}};
    EXPECT_FALSE(clearDatabase(books(), session, *year, messages));
    EXPECT_TRUE(messages.has(MessageKind::Critical, QStringLiteral("No Right"), QStringLiteral("You Have No Right For Clear Database")));
    session.rights.clear();
    messages.inputNext(QStringLiteral("guess"));
    EXPECT_FALSE(clearDatabase(books(), session, *year, messages));
    EXPECT_TRUE(messages.has(MessageKind::Critical, QStringLiteral("Wrong Password"), QStringLiteral("The password is wrong; nothing was cleared.")));
    EXPECT_EQ(countIn(*year, QStringLiteral("BillMst")), 3);

    messages.clear();
    messages.inputNext(QStringLiteral("admin"));
    EXPECT_TRUE(clearDatabase(books(), session, *year, messages));
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.all().front().kind, MessageKind::Question);
    EXPECT_EQ(messages.all().front().text,
              QStringLiteral("Are you Sure to clear All Software Entry in Selected Firm\nEvery bill, challan, voucher, journal entry, "
                             "opening balance and item of the year 2023-24 is deleted for all firms, and every firm but firm 1; "
                             "accounts and books stay with nil balances."));
    EXPECT_TRUE(messages.has(MessageKind::Information, QStringLiteral("Delete Confirm"), QStringLiteral("All Data Are Cleared ")));
    EXPECT_EQ(countIn(*year, QStringLiteral("BillMst")), 0);
    EXPECT_EQ(countIn(*year, QStringLiteral("FirmMst")), 1);
    EXPECT_EQ(firmNameOf(*year, 1), QStringLiteral("  Shree Ganesh Textiles "));
    EXPECT_EQ(year->scalar(QStringLiteral("SELECT DrAmt FROM AccMst WHERE Id = 1")).toDouble(), 0);
    EXPECT_EQ(countIn(*year, QStringLiteral("AccMst")), 1);
}

TEST(FirstStart, CreatesOperatorYearAndADemoFirmWithItsBooksOnce) {
    TANABANA_REQUIRE_ENGINE();
    EXPECT_EQ(financialYearEnding(QDate(2024, 6, 10)), 2025);
    EXPECT_EQ(financialYearEnding(QDate(2024, 3, 31)), 2024);
    EXPECT_EQ(financialYearEnding(QDate(2024, 4, 1)), 2025);
    test::InstallationFixture fixture;
    Installation& books = fixture.installation();
    createInstallation(books, FirstSetup{});
    const int endYear = financialYearEnding(QDate::currentDate());
    EXPECT_EQ(listYears(books), QList<int>{endYear});
    // the first start shows the dashboard
    EXPECT_TRUE(QFileInfo::exists(QDir(books.dataRoot()).filePath(QStringLiteral("Panel.txt"))));
    Session session;
    RecordingMessages messages;
    EXPECT_TRUE(login(books, session, messages, QStringLiteral("admin"), QStringLiteral("admin")));
    auto year = openChosenYear(books, session, messages, endYear);
    ASSERT_TRUE(year);
    const std::vector<FirmRow> firms = listFirms(*year);
    ASSERT_EQ(firms.size(), 1u);
    EXPECT_EQ(firms.front().name, QStringLiteral("Demo Textiles"));
    chooseFirm(*year, session, firms.front());
    EXPECT_EQ(session.yearStartDate, QDate(endYear - 1, 4, 1));
    EXPECT_GT(year->scalar(QStringLiteral("SELECT count(*) FROM AccMst WHERE FirmNo = 1 AND IsGrp = 0")).toInt(), 10);
    EXPECT_EQ(year->scalar(QStringLiteral("SELECT BookType FROM BookMst WHERE BookNO = 36 AND FirmNO = 1")).toString(), QStringLiteral("C"));
    year.reset();

    // a second set-up over it is refused and changes nothing
    FirstSetup again;
    again.user = QStringLiteral("OTHER");
    EXPECT_THROW(createInstallation(books, again), db::DbError);
    db::Database yearList = books.openYearList();
    EXPECT_EQ(operatorNames(yearList), QStringList{QStringLiteral("ADMIN")});
}
