// The firm master and the firm's settings on both engines (TANABANA_BOTH_ENGINES): a small firm
// built through the services, a fourth firm receiving the template chart and firm 1's books
// re-pointed, refusals with their exact titles and texts and nothing written.
#include "core/YearLock.h"
#include "domain/masters/DefaultChart.h"
#include "domain/shell/FirmMaster.h"
#include "domain/shell/FirmSettings.h"
#include "support/FirmBooks.h"
#include "support/YearFixture.h"

#include <gtest/gtest.h>

using namespace tanabana;
using masters::Record;
namespace chart = tanabana::masters::chart;

namespace {

class FirmMasterTest : public ::testing::Test {
protected:
    void SetUp() override {
        TANABANA_REQUIRE_ENGINE();
        year = std::make_unique<test::YearFixture>();
        firms = std::make_unique<shell::FirmMaster>(db(), year->session, year->messages);
        // firm 1 of the fixture receives its chart and books, then its details through the master
        test::seedDefaultChart(db());
        Record first = firm(QStringLiteral("Shree Ganesh Textiles"));
        first.insert(QStringLiteral("Srno"), 1);
        ASSERT_EQ(firms->save(first), 1);
    }
    db::Database& db() { return year->db(); }
    static Record firm(const QString& name) {
        return {{QStringLiteral("PName"), name},
                {QStringLiteral("City"), QStringLiteral("Surat")},
                {QStringLiteral("CST"), QStringLiteral("24-Gujarat")},
                {QStringLiteral("Tin"), QStringLiteral("24AABCS1234F1ZX")},
                {QStringLiteral("FirmType"), QStringLiteral("2. Partnership")}};
    }
    void closeYear(qint64 srno) { db().exec(QStringLiteral("UPDATE FirmMst SET IsYrEnd = 1 WHERE Srno = ?"), {srno}); }
    std::unique_ptr<test::YearFixture> year;
    std::unique_ptr<shell::FirmMaster> firms;
};

}  // namespace

TEST_F(FirmMasterTest, FourthFirmGetsTheTemplateChartAndFirmOnesBooksOnItsOwnAccounts) {
    ASSERT_EQ(firms->save(firm(QStringLiteral("Laxmi Fabrics"))), 2);
    ASSERT_EQ(firms->save(firm(QStringLiteral("Om Sarees"))), 3);
    // firm 1 adds a book of its own before the fourth firm is made
    db().exec(QStringLiteral("INSERT INTO BookMst (BookNO, FirmNO, BookType, SaleId, SalesName) VALUES (5, 1, 'S', ?, 'Export')"),
              {test::accountId(db(), chart::Sales)});
    const int templateRows = year->count(QStringLiteral("AccMst_Main"));
    EXPECT_EQ(firms->save(firm(QStringLiteral("Radhe Krishna Creation"))), 4);
    EXPECT_EQ(year->count(QStringLiteral("AccMst"), QStringLiteral("FirmNo = 4")), templateRows);
    EXPECT_EQ(year->count(QStringLiteral("BookMst"), QStringLiteral("FirmNO = 4")), 6);
    const auto exportBook = db().queryOne(QStringLiteral("SELECT SaleId FROM BookMst WHERE BookNO = 5 AND FirmNO = 4"));
    ASSERT_TRUE(exportBook);
    EXPECT_EQ(exportBook->integer(QStringLiteral("SaleId")), test::accountId(db(), chart::Sales, 4));
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT A2 FROM BookMst WHERE BookNO = 1 AND FirmNO = 4")).toLongLong(),
              test::accountId(db(), chart::OutputSgst, 4));
    // no book of firm 4 points at another firm's account
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT count(*) FROM BookMst b JOIN AccMst a ON a.Id = b.PurAccId "
                                         "WHERE b.FirmNO = 4 AND a.FirmNo <> 4")).toInt(), 0);
    EXPECT_TRUE(year->messages.empty());
}

TEST_F(FirmMasterTest, DuplicateNameIsRefusedAndNothingIsCopied) {
    const int accounts = year->count(QStringLiteral("AccMst"));
    const int books = year->count(QStringLiteral("BookMst"));
    EXPECT_EQ(firms->save(firm(QStringLiteral("  Shree Ganesh Textiles "))), 0);
    EXPECT_TRUE(year->messages.has(MessageKind::Critical, QStringLiteral("Duplicate Name"),
                                   QStringLiteral("This Name Is Exist, Please Enter Another NAme")));
    EXPECT_EQ(year->count(QStringLiteral("FirmMst")), 1);
    EXPECT_EQ(year->count(QStringLiteral("AccMst")), accounts);
    EXPECT_EQ(year->count(QStringLiteral("BookMst")), books);
    // an empty name ends the save silently
    year->messages.clear();
    EXPECT_EQ(firms->save(firm(QStringLiteral("   "))), 0);
    EXPECT_TRUE(year->messages.empty());
}

TEST_F(FirmMasterTest, GstinChecksFollowTheChosenState) {
    EXPECT_TRUE(firms->checkGstin(QStringLiteral("24AABCS1234F1ZX"), QStringLiteral("24-Gujarat")));
    EXPECT_FALSE(firms->checkGstin(QStringLiteral("24AABCS1234F1ZX"), QStringLiteral("27-Maharashtra")));
    EXPECT_EQ(year->messages.last().title, QStringLiteral("GSTIN Mismatch"));
    EXPECT_EQ(year->messages.last().text, QStringLiteral("GSTIN State Code Problem"));
    EXPECT_FALSE(firms->checkGstin(QStringLiteral("24AABCS1234F1Z"), QStringLiteral("24-Gujarat")));
    EXPECT_EQ(year->messages.last().text, QStringLiteral("GSTIN Is Not 15 Character"));
    EXPECT_FALSE(firms->checkGstin(QStringLiteral("24AABCS1234F1X5"), QStringLiteral("24-Gujarat")));
    EXPECT_EQ(year->messages.last().title, QStringLiteral("GSTIN 14th Character"));
    EXPECT_EQ(year->messages.last().text, QStringLiteral("GSTIN Second Last Character Problem"));
    // the save checks too: a Maharashtra GSTIN for a Gujarat firm writes nothing
    Record wrong = firm(QStringLiteral("Mumbai Branch"));
    wrong.insert(QStringLiteral("Tin"), QStringLiteral("27AABCS1234F1ZR"));
    EXPECT_EQ(firms->save(wrong), 0);
    EXPECT_EQ(year->count(QStringLiteral("FirmMst")), 1);
}

TEST_F(FirmMasterTest, ClosedYearChangesNothing) {
    ASSERT_EQ(firms->save(firm(QStringLiteral("Laxmi Fabrics"))), 2);
    closeYear(1);
    year->messages.clear();
    Record renamed = firm(QStringLiteral("Shree Ganesh Textiles Pvt Ltd"));
    renamed.insert(QStringLiteral("Srno"), 1);
    EXPECT_EQ(firms->save(renamed), 0);
    EXPECT_TRUE(year->messages.has(MessageKind::Critical, QStringLiteral("Year End Done"),
                                   QStringLiteral("Year End Is Completed! \n You Can't Modify/Delete")));
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT PName FROM FirmMst WHERE Srno = 1")).toString(), QStringLiteral("Shree Ganesh Textiles"));
    EXPECT_FALSE(firms->remove(2));
    EXPECT_EQ(year->count(QStringLiteral("FirmMst")), 2);
    for (const Message& m : year->messages.all()) EXPECT_NE(m.kind, MessageKind::Question) << m.text.toStdString();
}

TEST_F(FirmMasterTest, DeleteAsksFirstAndTakesTheFirmsAccountsAndBooks) {
    ASSERT_EQ(firms->save(firm(QStringLiteral("Laxmi Fabrics"))), 2);
    year->messages.answerNext(false);
    EXPECT_FALSE(firms->remove(2));
    EXPECT_GT(year->count(QStringLiteral("AccMst"), QStringLiteral("FirmNo = 2")), 0);
    EXPECT_TRUE(firms->remove(2));
    EXPECT_TRUE(year->messages.has(MessageKind::Question, QStringLiteral("Delete Condirm"), QStringLiteral("Are you sure want to delete record")));
    EXPECT_EQ(year->count(QStringLiteral("AccMst"), QStringLiteral("FirmNo = 2")), 0);
    EXPECT_EQ(year->count(QStringLiteral("BookMst"), QStringLiteral("FirmNO = 2")), 0);
    EXPECT_GT(year->count(QStringLiteral("AccMst"), QStringLiteral("FirmNo = 1")), 0);
    // without the delete right nothing is asked and nothing goes
    ASSERT_EQ(firms->save(firm(QStringLiteral("Om Sarees"))), 2);  // the highest number + 1 again
    year->session.rights = {{QStringLiteral("IsDelete"), 0}};
    year->messages.clear();
    EXPECT_FALSE(firms->remove(2));
    EXPECT_EQ(year->messages.last().title, QStringLiteral("No Right"));
    EXPECT_EQ(year->count(QStringLiteral("FirmMst")), 2);
}

TEST_F(FirmMasterTest, SettingsLoaderResetsReadsAndDerives) {
    Record settings = firm(QStringLiteral("Shree Ganesh Textiles"));
    settings.insert(QStringLiteral("Srno"), 1);
    settings.insert(QStringLiteral("Soft_Type"), 4);
    settings.insert(QStringLiteral("Is_Sales_RndOff"), false);
    settings.insert(QStringLiteral("City"), QStringLiteral("Surat (W.)"));
    settings.insert(QStringLiteral("CrLimit"), QStringLiteral("250000"));
    settings.insert(QStringLiteral("StartDt"), QDate(2024, 4, 1));
    settings.insert(QStringLiteral("ENdDt"), QDate(2025, 3, 31));
    settings.insert(QStringLiteral("EmailPassword"), QStringLiteral("mail-secret"));
    ASSERT_EQ(firms->save(settings), 1);
    shell::loadFirmSettings(db(), year->session, 1);
    const shell::FirmSettings firmSettings(year->session);
    EXPECT_EQ(firmSettings.softType(), 4);
    EXPECT_TRUE(firmSettings.periodBilling());
    EXPECT_TRUE(firmSettings.embroidery());
    EXPECT_FALSE(firmSettings.salesRoundOff());
    EXPECT_TRUE(firmSettings.purchaseRoundOff());
    EXPECT_EQ(firmSettings.firmType(), 2);
    EXPECT_EQ(firmSettings.cleanCity(), QStringLiteral("Surat W"));
    EXPECT_EQ(firmSettings.emailPassword(), QStringLiteral("mail-secret"));
    EXPECT_NE(db().scalar(QStringLiteral("SELECT IFSC2 FROM FirmMst WHERE Srno = 1")).toString(), QStringLiteral("mail-secret"));
    EXPECT_EQ(year->session.firmCrLimit, Decimal(250000));
    EXPECT_EQ(year->session.cashBookNo, 36);
    EXPECT_EQ(year->session.cashAccName, chart::Cash);
    // a number with letters is refused, not read as part of itself
    settings.insert(QStringLiteral("CrLimit"), QStringLiteral("25O000"));
    year->messages.clear();
    EXPECT_EQ(firms->save(settings), 0);
    EXPECT_EQ(year->messages.last().title, QStringLiteral("Wrong Value"));
    EXPECT_DOUBLE_EQ(db().scalar(QStringLiteral("SELECT CrLimit FROM FirmMst WHERE Srno = 1")).toDouble(), 250000.0);
}
