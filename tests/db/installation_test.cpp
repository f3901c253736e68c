// The installation's databases on both engines (TANABANA_BOTH_ENGINES): a new year list and year
// database carry every table and default row, opening again changes nothing, and a missing or
// foreign file in place of a year is refused without being touched.
#include "domain/schema/Steps.h"
#include "domain/shell/Installation.h"
#include "domain/shell/Schema.h"
#include "support/InstallationFixture.h"
#include "support/TestDb.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace tanabana;

namespace {

class InstallationTest : public ::testing::Test {
protected:
    void SetUp() override {
        TANABANA_REQUIRE_ENGINE();
        fixture = std::make_unique<test::InstallationFixture>();
    }
    shell::Installation& books() { return fixture->installation(); }
    std::unique_ptr<test::InstallationFixture> fixture;
};

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

TEST_F(InstallationTest, NewYearListKeepsYearsAndEveryRightOfAnOperator) {
    EXPECT_FALSE(books().yearListExists());
    db::Database years = books().createYearList();
    EXPECT_TRUE(books().yearListExists());
    years.exec(QStringLiteral("INSERT INTO YearList (PubYear) VALUES (?)"), {2025});
    years.exec(QStringLiteral("INSERT INTO LoginMst (LoginName, Password) VALUES (?, ?)"), {QStringLiteral("O'BRIEN"), QStringLiteral("x")});
    // every menu right exists and a new operator starts with all of them
    const auto row = years.queryOne(QStringLiteral("SELECT * FROM LoginMst WHERE LoginName = ?"), {QStringLiteral("O'BRIEN")});
    ASSERT_TRUE(row);
    for (const QString& right : {QStringLiteral("IsDelete"), QStringLiteral("Mst8"), QStringLiteral("J79"), QStringLiteral("R713"),
                                 QStringLiteral("R86"), QStringLiteral("A53"), QStringLiteral("Y73"), QStringLiteral("UT8")})
        EXPECT_TRUE(row->flag(right)) << right.toStdString();
    EXPECT_EQ(shell::rightsColumns().size(), row->size() - 2);
    years.close();
    // opening again runs nothing and keeps the rows
    db::Database again = books().openYearList();
    EXPECT_EQ(again.scalar(QStringLiteral("SELECT PubYear FROM YearList")).toInt(), 2025);
    EXPECT_TRUE(db::migrate(again, schema::yearListSteps()).isEmpty());
}

TEST_F(InstallationTest, NewYearHasFirmsDashboardButtonsAndAddedTables) {
    books().createYearList();
    db::Database year = books().createYear(2025);
    for (const db::TableDef& t : shell::shellYearTables()) {
        EXPECT_TRUE(year.tableExists(t.name)) << t.name.toStdString();
        for (const db::ColumnDef& c : t.columns) EXPECT_TRUE(year.columnExists(t.name, c.name)) << (t.name + "." + c.name).toStdString();
    }
    const db::Rows buttons = year.query(QStringLiteral("SELECT Srno, LBLnm, Mnu_Nm, IsSHow, FirmNO FROM Disp_Button_MSt ORDER BY Srno"));
    ASSERT_EQ(buttons.size(), 10u);
    EXPECT_EQ(buttons.front().text(QStringLiteral("LBLnm")), QStringLiteral("Sales"));
    EXPECT_EQ(buttons.back().text(QStringLiteral("Mnu_Nm")), QStringLiteral("Mill Receive"));
    EXPECT_TRUE(buttons.back().flag(QStringLiteral("IsSHow")));
    // a firm written with only its name gets the switches existing firms received when they came
    year.exec(QStringLiteral("INSERT INTO FirmMst (Srno, PName) VALUES (?, ?)"), {1, QStringLiteral("Shree \"Ram\" Silk's")});
    const auto firm = year.queryOne(QStringLiteral("SELECT * FROM FirmMst WHERE Srno = 1"));
    ASSERT_TRUE(firm);
    EXPECT_TRUE(firm->flag(QStringLiteral("Is_Sales_RndOff")));
    EXPECT_TRUE(firm->flag(QStringLiteral("Is_Brok_S")));
    EXPECT_FALSE(firm->flag(QStringLiteral("IsYrEnd")));
    EXPECT_EQ(firm->integer(QStringLiteral("Soft_Type")), 1);
    EXPECT_EQ(firm->text(QStringLiteral("PName")), QStringLiteral("Shree \"Ram\" Silk's"));
    year.close();
    // a second opening adds no second set of buttons
    db::Database again = books().openYear(2025);
    EXPECT_EQ(again.scalar(QStringLiteral("SELECT count(*) FROM Disp_Button_MSt")).toInt(), 10);
    EXPECT_EQ(schema::yearColumnWidths().fit(QStringLiteral("FirmMst"), QStringLiteral("Firm_PIN"), QStringLiteral("395002-SURAT")),
              QStringLiteral("395002-SUR"));
}

TEST_F(InstallationTest, MissingYearIsRefusedAndCreatesNothing) {
    books().createYearList();
    EXPECT_FALSE(books().yearExists(2024));
    EXPECT_THROW(books().openYear(2024), db::DbError);
    EXPECT_FALSE(books().yearExists(2024));
    db::Database year = books().createYear(2024);
    year.close();
    EXPECT_THROW(books().createYear(2024), db::DbError);  // never over an existing year
    EXPECT_TRUE(books().yearExists(2024));
}

TEST(InstallationFiles, ForeignFileInPlaceOfAYearIsRefusedUntouched) {
    test::InstallationFixture fixture;
    shell::Installation books = shell::Installation::inFolder(fixture.root());
    books.createYearList();
    const QString path = books.yearLocation(2024);
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("Party ledger exported on 01-04-2024\n");
    }
    const QByteArray before = readAll(path);
    try {
        books.openYear(2024);
        FAIL() << "a text file opened as a year";
    } catch (const db::DbError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("is not a database of this program"))) << e.what();
    }
    EXPECT_EQ(readAll(path), before);
    // an SQLite file of some other program is refused the same way
    QFile::remove(path);
    {
        db::Database other = db::Database::openSqlite(path);
        other.exec(QStringLiteral("CREATE TABLE Notes (Line TEXT)"));
    }
    EXPECT_THROW(books.openYear(2024), db::DbError);
    db::Database other = db::Database::openSqlite(path, false);
    EXPECT_FALSE(other.tableExists(QStringLiteral("FirmMst")));
}

TEST(InstallationFiles, FolderThatCannotBeMadeIsNamedInTheRefusal) {
    test::InstallationFixture fixture;
    const QString file = QDir(fixture.root()).filePath(QStringLiteral("ledger.txt"));
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("not a folder");
    }
    shell::Installation books = shell::Installation::inFolder(QDir(file).filePath(QStringLiteral("Tanabana")));
    try {
        books.createYearList();
        FAIL() << "made a year list under a file";
    } catch (const db::DbError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("The folder %1 cannot be created")
                                   .arg(QDir::toNativeSeparators(QDir(file).filePath(QStringLiteral("Tanabana/DataBase")))));
    }
    EXPECT_EQ(readAll(file), QByteArray("not a folder"));
}

TEST(InstallationFiles, FolderThatCannotBeWrittenIsNamedInTheRefusal) {
    if (geteuid() == 0) GTEST_SKIP() << "root writes everywhere";
    test::InstallationFixture fixture;
    const QString root = QDir(fixture.root()).filePath(QStringLiteral("locked"));
    QDir().mkpath(root);
    QFile::setPermissions(root, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    shell::Installation books = shell::Installation::inFolder(root);
    try {
        books.createYearList();
        FAIL() << "wrote into a read-only folder";
    } catch (const db::DbError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("cannot be"))) << e.what();
    }
    QFile::setPermissions(root, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_FALSE(QFile::exists(QDir(root).filePath(QStringLiteral("DataBase/Year.db"))));
}

TEST_F(InstallationTest, OpeningFixesCityGroupsAndSalesBooks) {
    books().createYearList();
    {
        db::Database year = books().createYear(2025);
        year.exec(QStringLiteral("INSERT INTO AccMst (Id, CityG, FirmNo) VALUES (1, NULL, 1), (2, '', 1), (3, 'O', 1)"));
        year.exec(QStringLiteral("INSERT INTO BookMst (BookNo, FirmNO, BookType, PurNAme, PurAccId) VALUES (1, 1, 'S', 'Purchase', 7), (2, 1, 'P', 'Purchase', 8)"));
    }
    db::Database year = books().openYear(2025);
    EXPECT_EQ(year.scalar(QStringLiteral("SELECT count(*) FROM AccMst WHERE CityG = 'R'")).toInt(), 2);
    EXPECT_EQ(year.scalar(QStringLiteral("SELECT CityG FROM AccMst WHERE Id = 3")).toString(), QStringLiteral("O"));
    EXPECT_EQ(year.scalar(QStringLiteral("SELECT PurAccId FROM BookMst WHERE BookNo = 1")).toInt(), 0);
    EXPECT_EQ(year.scalar(QStringLiteral("SELECT PurAccId FROM BookMst WHERE BookNo = 2")).toInt(), 8);
}

TEST_F(InstallationTest, AYearOfAnOlderReleaseIsBroughtForwardWithItsRows) {
    books().createYearList();
    // a year written by a release that knew only the first step of the current structure
    const std::vector<db::MigrationStep> all = schema::yearDatabaseSteps();
    {
        db::Database year = test::onPostgres() ? db::Database::openPostgres(test::postgresUrl(), books().yearSchema(2024))
                                               : (QDir().mkpath(books().yearFolder()), db::Database::openSqlite(books().yearLocation(2024)));
        db::migrate(year, {all.front()});
        year.exec(QStringLiteral("INSERT INTO FirmMst (Srno, PName, StartDt, ENdDt) VALUES (1, 'Old Firm', ?, ?)"),
                  {QDate(2023, 4, 1), QDate(2024, 3, 31)});
        EXPECT_FALSE(year.tableExists(QStringLiteral("Disp_Button_MSt")));
    }
    db::Database year = books().openYear(2024);
    EXPECT_EQ(db::appliedSteps(year).size(), qsizetype(all.size()));
    EXPECT_EQ(year.scalar(QStringLiteral("SELECT PName FROM FirmMst WHERE Srno = 1")).toString(), QStringLiteral("Old Firm"));
    EXPECT_EQ(year.scalar(QStringLiteral("SELECT count(*) FROM Disp_Button_MSt")).toInt(), 10);
    year.close();
    db::Database again = books().openYear(2024);
    EXPECT_TRUE(db::migrate(again, all).isEmpty());
    EXPECT_EQ(again.scalar(QStringLiteral("SELECT count(*) FROM Disp_Button_MSt")).toInt(), 10);
}
