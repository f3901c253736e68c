// The shared look-ups on a small textile firm with its default books, a second firm, sales bills
// and challans, on both engines (TANABANA_BOTH_ENGINES): each keeps to its firm, finds nothing
// as 0 or empty text, and takes keys above the largest one without reusing gaps.
#include "domain/shell/Lookups.h"
#include "support/FirmBooks.h"
#include "support/YearFixture.h"

#include <gtest/gtest.h>

using namespace tanabana;
using namespace tanabana::shell;

namespace {

class LookupsTest : public ::testing::Test {
protected:
    void SetUp() override {
        TANABANA_REQUIRE_ENGINE();
        year = std::make_unique<test::YearFixture>();
        year->addFirm(2, QStringLiteral("Laxmi's Weaving"));
        test::seedDefaultChart(db(), 1);
        test::seedDefaultChart(db(), 2);
        party = test::addAccount(db(), QStringLiteral("Ramesh Silk Mills"), 35);
        other = test::addAccount(db(), QStringLiteral("Ramesh Silk Mills"), 35, 2);
        auto bill = [this](qint64 id, qint64 firm, qint64 partyId, double amount, int form, int opening, const QVariant& paid,
                           const QDate& paidOn) {
            db().exec(QStringLiteral("INSERT INTO SalBillMst (Id, FirmNO, FormId, BookNO, BillNO, BillDate, PartyID, BillAmount, "
                                     "PaidAmt, PaidDt, IsOp) VALUES (?, ?, ?, 1, ?, ?, ?, ?, ?, ?, ?)"),
                      {id, firm, form, QStringLiteral("GST/%1").arg(id), QDate(2024, 5, 1), partyId, amount, paid,
                       paidOn.isValid() ? QVariant(paidOn) : QVariant(QDate()), opening});
        };
        bill(1, 1, party, 11025.00, 3, 0, 11025.0, QDate(2024, 6, 15));
        bill(2, 1, party, 5250.50, 3, 0, QVariant(), {});
        bill(7, 1, party, 9999.00, 3, 1, QVariant(), {});   // opening bill: not a sale of this year
        bill(8, 1, party, 1050.00, 4, 0, QVariant(), {});   // a sales return
        bill(9, 2, other, 777.00, 3, 0, QVariant(), {});
        db().exec(QStringLiteral("INSERT INTO ChalanMst (Id, FirmNO, BookNO, BillNO, BillDate, PartyID) VALUES "
                                 "(4, 1, 1, 'CH/12', ?, ?), (5, 2, 1, 'CH/12', ?, ?)"),
                  {QDate(2024, 5, 2), party, QDate(2024, 5, 2), other});
    }
    db::Database& db() { return year->db(); }
    std::unique_ptr<test::YearFixture> year;
    qint64 party = 0, other = 0;
};

}  // namespace

TEST_F(LookupsTest, KeysFollowTheLargestAndNeverReuseGaps) {
    EXPECT_EQ(nextId(db(), QStringLiteral("SalBillMst")), 10);
    EXPECT_EQ(nextId(db(), QStringLiteral("BillMSt_Ch")), 1);
    EXPECT_EQ(nextProcessId(db()), 1);
    db().exec(QStringLiteral("INSERT INTO Mst_Process (Pro_Id, Pro_Name, FirmNo, Mst_Type, IsAct) VALUES (3, 'Dyeing', 1, 'J', 1), "
                             "(4, 'Grey ''A''', 2, 'R', 0)"));
    EXPECT_EQ(nextProcessId(db()), 5);
    db().exec(QStringLiteral("INSERT INTO Iss_StockMst (ID, FirmNo, BillNo) VALUES (1, 1, 1)"));
    EXPECT_EQ(nextId(db(), QStringLiteral("Iss_StockMst"), QStringLiteral("ID")), 2);
    const auto process = processByName(db(), 2, QStringLiteral("Grey 'A'"), QStringLiteral("R"));
    ASSERT_TRUE(process);
    EXPECT_EQ(process->id, 4);
    EXPECT_FALSE(process->active);
    EXPECT_FALSE(processByName(db(), 1, QStringLiteral("Grey 'A'"), QStringLiteral("R")));
}

TEST_F(LookupsTest, FirmsBooksAndBillsOfTheRightFirm) {
    EXPECT_EQ(firmNameOf(db(), 2), QStringLiteral("Laxmi's Weaving"));
    EXPECT_EQ(firmNameOf(db(), 9), QString());
    EXPECT_EQ(firmCount(db()), 2);
    EXPECT_EQ(bookName(db(), 1, 1, QStringLiteral("S")), QStringLiteral("Sales GST"));
    EXPECT_EQ(bookName(db(), 1, 2, QStringLiteral("P")), QStringLiteral("Purchase GST"));
    EXPECT_EQ(bookName(db(), 1, 99, QStringLiteral("S")), QString());
    EXPECT_EQ(bookPurchaseAccountId(db(), 1, 36), test::accountId(db(), masters::chart::Cash));
    EXPECT_EQ(bookSalesAccountId(db(), 2, 1), test::accountId(db(), masters::chart::Sales, 2));
    EXPECT_NE(bookSalesAccountId(db(), 2, 1), bookSalesAccountId(db(), 1, 1));
    EXPECT_EQ(salesBillBookShortName(db(), 1, 2), QStringLiteral("GST/"));
    EXPECT_EQ(salesBillBookShortName(db(), 2, 2), QString());  // bill 2 is firm 1's
    EXPECT_EQ(challanIdByNumber(db(), 2, 1, QStringLiteral("CH/12")), 5);
    EXPECT_EQ(challanIdByNumber(db(), 1, 1, QStringLiteral("CH/13")), 0);
    EXPECT_EQ(paidNote(db(), 1), QStringLiteral(" Paid Amount : 11025.00 15-06-2024"));
    EXPECT_EQ(paidNote(db(), 2), QString());
    EXPECT_EQ(partySalesTotal(db(), 1, party).toString(2), QStringLiteral("16275.50"));
    EXPECT_EQ(partySalesTotal(db(), 2, party).toString(2), QStringLiteral("0.00"));
    EXPECT_TRUE(groupNames(db(), 1, 35).contains(QStringLiteral("Sundry Debtors")));
    EXPECT_TRUE(groupNames(db(), 1, 98).isEmpty());
}

TEST_F(LookupsTest, PrintCopyNamesInTheirOrder) {
    // Every year starts with the labels "1", "2", "3" of each form; these replace them.
    db().exec(QStringLiteral("DELETE FROM FormMst_1 WHERE FormId IN (1, 3)"));
    db().exec(QStringLiteral("INSERT INTO FormMst_1 (FormId, SNo, PrnName) VALUES (3, 2, 'Duplicate'), (3, 1, 'Original'), "
                             "(3, 3, 'Transporter''s Copy'), (1, 1, 'Office')"));
    EXPECT_EQ(printCopyNames(db(), 3), (QStringList{QStringLiteral("Original"), QStringLiteral("Duplicate"), QStringLiteral("Transporter's Copy")}));
    EXPECT_EQ(printCopyNames(db(), 4), (QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}));
    EXPECT_TRUE(printCopyNames(db(), 99).isEmpty());
}
