// Accounts, groups, opening balances and books of a small Surat firm on both engines
// (TANABANA_BOTH_ENGINES): ledger codes by series, duplicates and GSTIN refusals, code changes,
// accounts in use, bank books of new bank accounts, book numbering and the year lock.
#include "domain/masters/AccountMaster.h"
#include "domain/masters/BookMaster.h"
#include "domain/masters/GroupMaster.h"
#include "domain/masters/OpeningBalances.h"
#include "domain/shell/FirmSettings.h"
#include "support/FirmBooks.h"
#include "support/YearFixture.h"

#include <gtest/gtest.h>

using namespace tanabana;
using masters::Record;
namespace chart = tanabana::masters::chart;

namespace {

class AccountsTest : public ::testing::Test {
protected:
    void SetUp() override {
        TANABANA_REQUIRE_ENGINE();
        year = std::make_unique<test::YearFixture>();
        test::seedDefaultChart(db());
        shell::loadFirmSettings(db(), year->session, 1);
        accounts = std::make_unique<masters::AccountMaster>(db(), year->session, year->messages);
    }
    db::Database& db() { return year->db(); }
    Record party(const QString& name, int group, const QString& gstin = {}) {
        return {{QStringLiteral("AcName"), name},
                {QStringLiteral("GrpNo"), group},
                {QStringLiteral("City"), QStringLiteral("Surat")},
                {QStringLiteral("CSTNo"), QStringLiteral("24-Gujarat")},
                {QStringLiteral("TinNo"), gstin}};
    }
    QString code(qint64 id) { return db().scalar(QStringLiteral("SELECT LedgerId FROM AccMst WHERE Id = ?"), {id}).toString(); }
    void closeYear() { db().exec(QStringLiteral("UPDATE FirmMst SET IsYrEnd = 1 WHERE Srno = 1")); }
    std::unique_ptr<test::YearFixture> year;
    std::unique_ptr<masters::AccountMaster> accounts;
};

}  // namespace

TEST_F(AccountsTest, CodesRunPerSeriesUntilTheSeriesIsFull) {
    const qint64 ramesh = accounts->save(party(QStringLiteral("Ramesh Silk Mills"), 35, QStringLiteral("24AABCR1234F1ZY")));
    EXPECT_EQ(code(ramesh), QStringLiteral("35R001"));
    EXPECT_EQ(code(accounts->save(party(QStringLiteral("Rajlaxmi Sarees"), 35))), QStringLiteral("35R002"));
    // fill the series up to 998 directly, then the 999th is still given and the 1000th refused
    {
        db::Transaction tx(db());
        for (int serial = 3; serial <= 998; ++serial)
            db().exec(QStringLiteral("INSERT INTO AccMst (Id, LedgerId, AcName, GrpNo, IsGrp, FirmNo) VALUES (?, ?, ?, 35, 0, 1)"),
                      {100000 + serial, QStringLiteral("35R%1").arg(serial, 3, 10, QLatin1Char('0')), QStringLiteral("R Party %1").arg(serial)});
        tx.commit();
    }
    EXPECT_EQ(code(accounts->save(party(QStringLiteral("Roopam Fashion"), 35))), QStringLiteral("35R999"));
    const int before = year->count(QStringLiteral("AccMst"));
    EXPECT_EQ(accounts->save(party(QStringLiteral("Ruchi Textiles"), 35)), 0);
    EXPECT_TRUE(year->messages.has(MessageKind::Critical, QStringLiteral("A/c OverFlow"),
                                   QStringLiteral("This A/C Code in Firm :Shree Ganesh Textiles Is Full Please Enter Another NAme")));
    EXPECT_EQ(year->count(QStringLiteral("AccMst")), before);
    // another initial in the same group starts its own series
    EXPECT_EQ(code(accounts->save(party(QStringLiteral("Sakhi Creation"), 35))), QStringLiteral("35S001"));
}

TEST_F(AccountsTest, DuplicatesAreNameAndGstinTogether) {
    ASSERT_GT(accounts->save(party(QStringLiteral("Ramesh Silk Mills"), 35, QStringLiteral("24AABCR1234F1ZY"))), 0);
    const int before = year->count(QStringLiteral("AccMst"));
    EXPECT_EQ(accounts->save(party(QStringLiteral(" Ramesh Silk Mills "), 35, QStringLiteral("24AABCR1234F1ZY"))), 0);
    EXPECT_TRUE(year->messages.has(MessageKind::Critical, QStringLiteral("A/c Duplicate"),
                                   QStringLiteral("This A/C Name in Firm :Shree Ganesh Textiles Is Exist \n Please Enter Another NAme")));
    EXPECT_EQ(year->count(QStringLiteral("AccMst")), before);
    // the same name with another GSTIN is another party (a second branch)
    EXPECT_GT(accounts->save(party(QStringLiteral("Ramesh Silk Mills"), 35, QStringLiteral("24AABCR1234F2ZX"))), 0);
    // two parties without GSTIN under one name are duplicates too, whether the GSTIN came empty or not at all
    Record noGstin{{QStringLiteral("AcName"), QStringLiteral("Krishna Creation")}, {QStringLiteral("GrpNo"), 35}};
    ASSERT_GT(accounts->save(noGstin), 0);
    const int withOne = year->count(QStringLiteral("AccMst"));
    EXPECT_EQ(accounts->save(noGstin), 0);
    EXPECT_EQ(accounts->save(party(QStringLiteral("Krishna Creation"), 35)), 0);
    EXPECT_EQ(year->count(QStringLiteral("AccMst")), withOne);
}

TEST_F(AccountsTest, GstinAndStateRefusalsWriteNothing) {
    struct Case {
        QString gstin, title, text;
    };
    const std::vector<Case> cases = {
        {QStringLiteral("24AABCR1234F1Z"), QStringLiteral("GSTIN Mismatch"), QStringLiteral("GSTIN Is Not 15 Character")},
        {QStringLiteral("27AABCR1234F1ZS"), QStringLiteral("GSTIN Mismatch"), QStringLiteral("GSTIN State Code Problem")},
        {QStringLiteral("24AABCR1234F1Y5"), QStringLiteral("GSTIN 14th Character"), QStringLiteral("GSTIN Second Last Character Problem")},
        {QStringLiteral("24AABDR1234F1ZW"), QStringLiteral("GSTIN PAN NO Error"), QStringLiteral("GSTIN 6th Character Problem")},
        {QStringLiteral("24AABCR12X4F1Z5"), QStringLiteral("GSTIN PAN NO Error"), QStringLiteral("GSTIN 8,9,10,11 Character is  not Number")},
    };
    const int before = year->count(QStringLiteral("AccMst"));
    for (const Case& c : cases) {
        year->messages.clear();
        EXPECT_EQ(accounts->save(party(QStringLiteral("Bad Gstin Party"), 35, c.gstin)), 0) << c.gstin.toStdString();
        EXPECT_TRUE(year->messages.has(MessageKind::Critical, c.title, c.text)) << c.gstin.toStdString();
    }
    Record outside = party(QStringLiteral("Mumbai Mills"), 76);
    outside.insert(QStringLiteral("IsOgs"), true);
    year->messages.clear();
    EXPECT_EQ(accounts->save(outside), 0);
    EXPECT_TRUE(year->messages.has(MessageKind::Critical, QStringLiteral("Same State Name Found"), QStringLiteral("IGST Party State Shold not Same ")));
    outside.insert(QStringLiteral("CSTNo"), QStringLiteral("27-Maharashtra"));
    outside.insert(QStringLiteral("IsOgs"), false);
    EXPECT_EQ(accounts->save(outside), 0);
    EXPECT_TRUE(year->messages.has(MessageKind::Critical, QStringLiteral("No Same State Name Found"), QStringLiteral("Party State Shold be Same ")));
    outside.insert(QStringLiteral("CrLimit"), QStringLiteral("5 lakh"));
    EXPECT_EQ(accounts->save(outside), 0);
    EXPECT_EQ(year->messages.last().title, QStringLiteral("Wrong Value"));
    EXPECT_EQ(year->count(QStringLiteral("AccMst")), before);
    outside.insert(QStringLiteral("IsOgs"), true);
    outside.insert(QStringLiteral("CrLimit"), 500000);
    EXPECT_EQ(code(accounts->save(outside)), QStringLiteral("76M001"));
}

TEST_F(AccountsTest, ChangingTheGroupAsksAboutTheCodeAndRenamesBooks) {
    const qint64 id = accounts->save(party(QStringLiteral("Kiran Traders"), 35));
    ASSERT_EQ(code(id), QStringLiteral("35K001"));
    Record changed = *accounts->load(id);
    changed.insert(QStringLiteral("City"), QStringLiteral("Ahmedabad"));
    year->messages.clear();
    EXPECT_EQ(accounts->save(changed), id);
    EXPECT_TRUE(year->messages.empty());  // a new city asks nothing
    changed.insert(QStringLiteral("GrpNo"), 76);
    year->messages.answerNext(false);
    EXPECT_EQ(accounts->save(changed), id);
    EXPECT_TRUE(year->messages.has(MessageKind::Question, QStringLiteral("A/c Code Change"),
                                   QStringLiteral("would u Like to chage the Ledger Id in Firm :Shree Ganesh Textiles ?")));
    EXPECT_EQ(code(id), QStringLiteral("35K001"));
    EXPECT_EQ(accounts->save(changed), id);  // Yes this time
    EXPECT_EQ(code(id), QStringLiteral("76K001"));
    // renaming the sales account renames the books that post to it
    Record sales = *accounts->load(test::accountId(db(), chart::Sales));
    sales.insert(QStringLiteral("AcName"), QStringLiteral("Sales A/c (Local)"));
    year->messages.answerNext(false);
    ASSERT_GT(accounts->save(sales), 0);
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT SalesName FROM BookMst WHERE BookNO = 1 AND FirmNO = 1")).toString(),
              QStringLiteral("Sales A/c (Local)"));
}

TEST_F(AccountsTest, AccountsInUseStayAndOthersGoAfterYes) {
    const qint64 unused = accounts->save(party(QStringLiteral("Navrang Prints"), 35));
    const qint64 withBalance = accounts->save(party(QStringLiteral("Balaji Mills"), 76));
    masters::OpeningBalances balances(db(), year->session, year->messages);
    ASSERT_TRUE(balances.save({withBalance, QDate(2024, 4, 1), 500, QStringLiteral("C")}));
    EXPECT_DOUBLE_EQ(db().scalar(QStringLiteral("SELECT CrAmt FROM AccMst WHERE Id = ?"), {withBalance}).toDouble(), 500.0);
    EXPECT_DOUBLE_EQ(db().scalar(QStringLiteral("SELECT DrAmt FROM AccMst WHERE Id = ?"), {withBalance}).toDouble(), 0.0);
    EXPECT_FALSE(accounts->remove(withBalance));
    EXPECT_TRUE(year->messages.has(MessageKind::Critical, QStringLiteral("A/c Exist"), QStringLiteral("This A/c Is Used In Transacton !")));
    EXPECT_FALSE(accounts->remove(test::accountId(db(), chart::Cash)));  // the cash book uses it
    year->messages.answerNext(false);
    EXPECT_FALSE(accounts->remove(unused));
    EXPECT_EQ(year->count(QStringLiteral("AccMst"), QStringLiteral("Id = ?"), {unused}), 1);
    EXPECT_TRUE(accounts->remove(unused));
    EXPECT_TRUE(year->messages.has(MessageKind::Information, QStringLiteral("Delete Confirm"), QStringLiteral("This A/c Is Deleted.")));
    EXPECT_EQ(year->count(QStringLiteral("AccMst"), QStringLiteral("Id = ?"), {unused}), 0);
}

TEST_F(AccountsTest, NewBankAccountGetsItsBankBook) {
    const qint64 hdfc = accounts->save(party(QStringLiteral("HDFC Bank C/A 50200012345"), 36));
    ASSERT_GT(hdfc, 0);
    const auto book = db().queryOne(QStringLiteral("SELECT * FROM BookMst WHERE PurAccId = ? AND FirmNO = 1"), {hdfc});
    ASSERT_TRUE(book);
    EXPECT_EQ(book->text(QStringLiteral("BookType")), QStringLiteral("B"));
    EXPECT_EQ(book->text(QStringLiteral("BookShortName")), QStringLiteral("BANK"));
    EXPECT_EQ(book->integer(QStringLiteral("BookNO")), 38);  // after the default bank book 37
}

TEST_F(AccountsTest, GroupsAndBalancesFollowTheirRules) {
    masters::GroupMaster groups(db(), year->session, year->messages);
    EXPECT_TRUE(groups.save(45, QStringLiteral("Advances To Weavers")));
    EXPECT_EQ(groups.find(45)->name, QStringLiteral("Advances To Weavers"));
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT LedgerId FROM AccMst WHERE GrpNo = 45 AND IsGrp = 1")).toString(), QStringLiteral("450000"));
    EXPECT_TRUE(groups.save(45, QStringLiteral("Advances To Job Workers")));  // the same number edits the group
    EXPECT_EQ(year->count(QStringLiteral("AccMst"), QStringLiteral("GrpNo = 45 AND IsGrp = 1")), 1);
    EXPECT_FALSE(groups.remove(37));  // the cash account is in it
    EXPECT_TRUE(year->messages.has(MessageKind::Critical, QStringLiteral("A/C FOUND!"), QStringLiteral("There is A/c Entry under this Group")));
    EXPECT_TRUE(groups.remove(45));
    EXPECT_FALSE(groups.find(45));
    // sales accounts carry no opening balance; a debtor does, replaced on a second save
    masters::OpeningBalances balances(db(), year->session, year->messages);
    EXPECT_FALSE(balances.save({test::accountId(db(), chart::Sales), QDate(2024, 4, 1), 100, QStringLiteral("D")}));
    const qint64 debtor = accounts->save(party(QStringLiteral("Vimal Sarees"), 35));
    ASSERT_TRUE(balances.save({debtor, QDate(2024, 4, 1), *Decimal::parse(QStringLiteral("1234.565")), QStringLiteral("D")}));
    ASSERT_TRUE(balances.save({debtor, QDate(2024, 4, 1), 2500, QStringLiteral("Credit")}));
    EXPECT_EQ(year->count(QStringLiteral("AccMstOpBal"), QStringLiteral("Id = ?"), {debtor}), 1);
    EXPECT_DOUBLE_EQ(db().scalar(QStringLiteral("SELECT CrAmt FROM AccMst WHERE Id = ?"), {debtor}).toDouble(), 2500.0);
    db().exec(QStringLiteral("UPDATE AccMst SET CrAmt = 0, DrAmt = 77 WHERE Id = ?"), {debtor});
    balances.resynchronise();
    EXPECT_TRUE(year->messages.has(MessageKind::Information, QStringLiteral("Done"), QStringLiteral("Op Balance Saved.")));
    EXPECT_DOUBLE_EQ(db().scalar(QStringLiteral("SELECT CrAmt FROM AccMst WHERE Id = ?"), {debtor}).toDouble(), 2500.0);
    EXPECT_DOUBLE_EQ(db().scalar(QStringLiteral("SELECT DrAmt FROM AccMst WHERE Id = ?"), {debtor}).toDouble(), 0.0);
    EXPECT_TRUE(balances.remove(debtor));
    EXPECT_DOUBLE_EQ(db().scalar(QStringLiteral("SELECT CrAmt FROM AccMst WHERE Id = ?"), {debtor}).toDouble(), 0.0);
}

TEST_F(AccountsTest, ClosedYearRefusesEveryMasterChange) {
    const qint64 debtor = accounts->save(party(QStringLiteral("Vimal Sarees"), 35));
    closeYear();
    year->messages.clear();
    const int accountRows = year->count(QStringLiteral("AccMst"));
    masters::GroupMaster groups(db(), year->session, year->messages);
    masters::OpeningBalances balances(db(), year->session, year->messages);
    masters::BookMaster books(db(), year->session, year->messages, masters::BookKind::SalesPurchase);
    EXPECT_EQ(accounts->save(party(QStringLiteral("New Party"), 35)), 0);
    EXPECT_FALSE(accounts->remove(debtor));
    EXPECT_FALSE(groups.save(45, QStringLiteral("Advances")));
    EXPECT_FALSE(balances.save({debtor, QDate(2024, 4, 1), 100, QStringLiteral("D")}));
    EXPECT_EQ(books.save({{QStringLiteral("BookType"), QStringLiteral("S")}, {QStringLiteral("SaleId"), test::accountId(db(), chart::Sales)}}), 0);
    EXPECT_FALSE(books.remove(1));
    EXPECT_EQ(year->messages.all().size(), 6u);
    for (const Message& m : year->messages.all()) {
        EXPECT_EQ(m.title, QStringLiteral("Year End Done"));
        EXPECT_EQ(m.text, QStringLiteral("Year End Is Completed! \n You Can't Modify/Delete"));
    }
    EXPECT_EQ(year->count(QStringLiteral("AccMst")), accountRows);
    EXPECT_EQ(year->count(QStringLiteral("AccMstOpBal")), 0);
    EXPECT_EQ(year->count(QStringLiteral("BookMst"), QStringLiteral("FirmNO = 1")), 5);
}

TEST_F(AccountsTest, BooksNumberOverTheWholeTableAndKeepOnlyTheirAccounts) {
    masters::BookMaster books(db(), year->session, year->messages, masters::BookKind::SalesPurchase);
    db().exec(QStringLiteral("INSERT INTO BookMst (BookNO, FirmNO, BookType) VALUES (40, 7, 'S')"));
    const qint64 sales = test::accountId(db(), chart::Sales);
    Record book{{QStringLiteral("BookType"), QStringLiteral("S")}, {QStringLiteral("SaleId"), sales},
                {QStringLiteral("SalesName"), QStringLiteral("Export Sales")}, {QStringLiteral("BookShortName"), QStringLiteral("EXP/")},
                {QStringLiteral("BillType"), QStringLiteral("Export")}, {QStringLiteral("Is_Auto_Ac"), true},
                {QStringLiteral("A1"), test::accountId(db(), chart::OutputIgst)}, {QStringLiteral("IsTCS"), false},
                {QStringLiteral("TCS_Id"), test::accountId(db(), chart::TcsPayable)}, {QStringLiteral("CL1"), QString()}};
    const qint64 bookNo = books.save(book);
    EXPECT_EQ(bookNo, 41);
    auto saved = books.load(bookNo);
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->value(QStringLiteral("A1")).toLongLong(), test::accountId(db(), chart::OutputIgst));
    EXPECT_EQ(saved->value(QStringLiteral("TCS_Id")).toLongLong(), 0);
    EXPECT_EQ(saved->value(QStringLiteral("CL1")).toString(), QStringLiteral("(1)"));
    // unticking "Auto A/c Entry" clears all ten GST and reverse-charge accounts
    Record manual = *saved;
    manual.insert(QStringLiteral("Is_Auto_Ac"), false);
    EXPECT_EQ(books.save(manual), bookNo);
    saved = books.load(bookNo);
    for (const QString& column : masters::bookTaxAccountColumns()) EXPECT_EQ(saved->value(column).toLongLong(), 0) << column.toStdString();
    // a book without any account is refused
    year->messages.clear();
    EXPECT_EQ(books.save({{QStringLiteral("BookType"), QStringLiteral("P")}, {QStringLiteral("PurNAme"), QStringLiteral("Grey Purchase")}}), 0);
    EXPECT_TRUE(year->messages.has(MessageKind::Critical, QStringLiteral("No Account Name Found"), QStringLiteral("Please Select Account Name For Book")));
    // a bank book takes only a bank account
    masters::BookMaster cashBank(db(), year->session, year->messages, masters::BookKind::CashBank);
    EXPECT_EQ(cashBank.save({{QStringLiteral("BookType"), QStringLiteral("B")}, {QStringLiteral("PurAccId"), sales}}), 0);
    const qint64 bankBook = cashBank.save({{QStringLiteral("BookType"), QStringLiteral("B")}, {QStringLiteral("PurAccId"), test::accountId(db(), chart::Bank)}});
    EXPECT_EQ(bankBook, 42);
    EXPECT_EQ(cashBank.load(bankBook)->value(QStringLiteral("PurNAme")).toString(), chart::Bank);
}

TEST_F(AccountsTest, BookUsedByTheFirmsChallanStaysAnotherFirmsDoesNot) {
    if (!db().tableExists(QStringLiteral("ChalanMst")))
        db().exec(QStringLiteral("CREATE TABLE ChalanMst (Id INTEGER, BookNo INTEGER, FirmNo INTEGER)"));
    db().exec(QStringLiteral("INSERT INTO ChalanMst (Id, BookNo, FirmNo) VALUES (1, 1, 1), (2, 3, 2)"));
    masters::BookMaster books(db(), year->session, year->messages, masters::BookKind::SalesPurchase);
    EXPECT_FALSE(books.remove(1));
    EXPECT_TRUE(year->messages.has(MessageKind::Critical, QStringLiteral("No Delete Possible"), QStringLiteral("This Book Is Already in Use ..")));
    EXPECT_TRUE(books.remove(3));
    EXPECT_TRUE(year->messages.has(MessageKind::Question, QStringLiteral("Delete Confirm"), QStringLiteral("Are you sure to delete this Account")));
    EXPECT_FALSE(books.load(3));
    EXPECT_TRUE(books.load(1));
}
