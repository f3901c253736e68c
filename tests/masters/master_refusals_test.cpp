// Refusals that keep a small Surat firm's books usable, on both engines (TANABANA_BOTH_ENGINES):
// account and firm names that differ only in case or blanks are duplicates, a GSTIN typed in
// small letters is stored in capitals, copying accounts to another firm twice copies them once,
// an account a book posts to (GST, round-off, TDS, TCS, reverse charge) cannot be deleted, and
// inactive accounts are offered to books only while a book names them.
#include "domain/masters/AccountMaster.h"
#include "domain/masters/BookMaster.h"
#include "domain/shell/FirmMaster.h"
#include "domain/shell/FirmSettings.h"
#include "support/FirmBooks.h"
#include "support/YearFixture.h"

#include <gtest/gtest.h>

using namespace tanabana;
using masters::Record;
namespace chart = tanabana::masters::chart;

namespace {

class MasterRefusals : public ::testing::Test {
protected:
    void SetUp() override {
        TANABANA_REQUIRE_ENGINE();
        year = std::make_unique<test::YearFixture>();
        test::seedDefaultChart(db());
        shell::loadFirmSettings(db(), year->session, 1);
        accounts = std::make_unique<masters::AccountMaster>(db(), year->session, year->messages);
    }
    db::Database& db() { return year->db(); }
    Record party(const QString& name, const QString& gstin) {
        return {{QStringLiteral("AcName"), name},
                {QStringLiteral("GrpNo"), 35},
                {QStringLiteral("City"), QStringLiteral("Surat")},
                {QStringLiteral("CSTNo"), QStringLiteral("24-Gujarat")},
                {QStringLiteral("TinNo"), gstin}};
    }
    int accountsOf(qint64 firmNo) { return year->count(QStringLiteral("AccMst"), QStringLiteral("FirmNo = ?"), {firmNo}); }
    std::unique_ptr<test::YearFixture> year;
    std::unique_ptr<masters::AccountMaster> accounts;
};

}  // namespace

TEST_F(MasterRefusals, NamesDifferingInCaseOrBlanksAreDuplicates) {
    const qint64 ramesh = accounts->save(party(QStringLiteral("Ramesh Silk Mills"), QStringLiteral("24aabcr1234f1zy")));
    ASSERT_GT(ramesh, 0);
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT TinNo FROM AccMst WHERE Id = ?"), {ramesh}).toString(), QStringLiteral("24AABCR1234F1ZY"));
    const int before = accountsOf(1);
    for (const QString& typed : {QStringLiteral("RAMESH SILK MILLS"), QStringLiteral("  ramesh silk mills ")}) {
        year->messages.clear();
        EXPECT_EQ(accounts->save(party(typed, QStringLiteral("24AABCR1234F1ZY "))), 0) << qPrintable(typed);
        EXPECT_TRUE(year->messages.has(MessageKind::Critical, QStringLiteral("A/c Duplicate"),
                                       QStringLiteral("This A/C Name in Firm :Shree Ganesh Textiles Is Exist \n Please Enter Another NAme")));
    }
    EXPECT_EQ(accountsOf(1), before);
    // the same name with another GSTIN is another branch of the party
    EXPECT_GT(accounts->save(party(QStringLiteral("RAMESH SILK MILLS"), QStringLiteral("24AABCR1234F2ZX"))), 0);

    // firms too
    shell::FirmMaster firms(db(), year->session, year->messages);
    year->messages.clear();
    EXPECT_EQ(firms.save({{QStringLiteral("PName"), QStringLiteral(" SHREE GANESH textiles")}, {QStringLiteral("CST"), QStringLiteral("24-Gujarat")}}), 0);
    EXPECT_TRUE(year->messages.has(MessageKind::Critical, QStringLiteral("Duplicate Name"), QStringLiteral("This Name Is Exist, Please Enter Another NAme")));
    EXPECT_EQ(year->count(QStringLiteral("FirmMst")), 1);
    const qint64 laxmi = firms.save({{QStringLiteral("PName"), QStringLiteral("Laxmi Fabrics")},
                                     {QStringLiteral("CST"), QStringLiteral("24-Gujarat")},
                                     {QStringLiteral("Tin"), QStringLiteral("24aabcl1234f1z4")}});
    ASSERT_EQ(laxmi, 2);
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT Tin FROM FirmMst WHERE Srno = 2")).toString(), QStringLiteral("24AABCL1234F1Z4"));
}

TEST_F(MasterRefusals, CopyingAccountsToAnotherFirmTwiceCopiesThemOnce) {
    year->addFirm(2, QStringLiteral("Laxmi Fabrics"));
    const QList<qint64> parties{accounts->save(party(QStringLiteral("Ramesh Silk Mills"), QStringLiteral("24AABCR1234F1ZY"))),
                                accounts->save(party(QStringLiteral("Krishna Creation"), {}))};
    EXPECT_EQ(accounts->copyToFirm(parties, 2), 2);
    const int afterFirst = accountsOf(2);
    EXPECT_EQ(accounts->copyToFirm(parties, 2), 0);
    EXPECT_EQ(accountsOf(2), afterFirst);
    EXPECT_EQ(year->count(QStringLiteral("AccMst"), QStringLiteral("FirmNo = 2 AND AcName = ?"), {QStringLiteral("Ramesh Silk Mills")}), 1);
}

TEST_F(MasterRefusals, AccountsABookPostsToCannotBeDeleted) {
    for (const QString& name : {chart::OutputSgst, chart::RoundOff, chart::TdsReceivable, chart::TcsPayable, chart::RcmPayableCgst}) {
        const qint64 id = test::accountId(db(), name);
        ASSERT_GT(id, 0) << qPrintable(name);
        year->messages.clear();
        EXPECT_FALSE(accounts->remove(id)) << qPrintable(name);
        EXPECT_TRUE(year->messages.has(MessageKind::Critical, QStringLiteral("A/c Exist"), QStringLiteral("This A/c Is Used In Transacton !")))
            << qPrintable(name);
        EXPECT_EQ(year->count(QStringLiteral("AccMst"), QStringLiteral("Id = ?"), {id}), 1);
    }
    // an account no book names goes after the question
    const qint64 spare = accounts->save(party(QStringLiteral("Krishna Creation"), {}));
    year->messages.clear();
    EXPECT_TRUE(accounts->remove(spare));
    EXPECT_EQ(year->count(QStringLiteral("AccMst"), QStringLiteral("Id = ?"), {spare}), 0);
}

TEST_F(MasterRefusals, InactiveAccountsLeaveTheBookListsUnlessABookNamesThem) {
    const qint64 old = accounts->save(party(QStringLiteral("Old Transport Co"), {}));
    const qint64 sgst = test::accountId(db(), chart::OutputSgst);
    db().exec(QStringLiteral("UPDATE AccMst SET Active = 0 WHERE Id IN (?, ?)"), {old, sgst});
    masters::BookMaster books(db(), year->session, year->messages, masters::BookKind::SalesPurchase);
    QList<qint64> offered;
    for (const db::Row& r : books.accountChoices(masters::BookMaster::AccountList::Any)) offered << r.integer(QStringLiteral("Id"));
    EXPECT_FALSE(offered.contains(old));
    EXPECT_TRUE(offered.contains(sgst));  // the sales book still posts its SGST there
    EXPECT_TRUE(offered.contains(test::accountId(db(), chart::Sales)));
}
