// The saved-bills list a sales screen shows, a page at a time: newest first (bill 10 above bill 9
// on one day), searched by bill number, party name or amount, narrowed to dates, with every page
// reachable instead of only the newest few hundred. Runs on both engines (TANABANA_BOTH_ENGINES).
#include "domain/trade/SalesInvoices.h"
#include "support/FirmBooks.h"
#include "support/YearFixture.h"
#include "support/Amounts.h"

#include <gtest/gtest.h>

using namespace tanabana;
using namespace tanabana::trade;

namespace {

class SavedBillsListTest : public ::testing::Test {
protected:
    void SetUp() override {
        TANABANA_REQUIRE_ENGINE();
        year_ = std::make_unique<test::YearFixture>();
        test::seedDefaultChart(db());
        year_->session.firm.insert(QStringLiteral("CST"), QStringLiteral("24-Gujarat"));
        year_->session.firm.insert(QStringLiteral("Is_Sales_RndOff"), 1);
        ramesh = test::addAccount(db(), QStringLiteral("Ramesh Silk Mills"), 35);
        rajdhani = test::addAccount(db(), QStringLiteral("Rajdhani Fabrics"), 35);
        db().exec(
            QStringLiteral("INSERT INTO ProdMst (Id, ProdCode, ProdName, StkType, RAteR, Vat, AddTax, VatCalc, CalcOn, IsActive, "
                           "IsNewPro, FirmNO) VALUES (4, '104', 'Rapier 60 Grey', 'F', 100, 2.5, 2.5, 1, 1, 1, 0, 1)"));
    }

    // A bill of `metres` at 100 a metre with 5% GST: net amount 105 for each metre.
    void saveBill(int no, const QDate& date, qint64 party, const char* metres) {
        SalesBill b;
        b.bookNo = 1;
        b.billNo = QString::number(no);
        b.date = date;
        b.partyId = party;
        SalesLine l;
        l.qualityId = 4;
        l.input.metres = d(metres);
        l.input.listRate = d("100");
        l.input.sgstPercent = l.input.cgstPercent = d("2.5");
        b.lines = {l};
        ASSERT_TRUE(SalesInvoices(db(), year_->session, year_->messages).save(b)) << no;
    }

    documents::DocumentPage list(const QString& text, int page = 0, QDate from = {}, QDate to = {}) {
        documents::ListFilter f;
        f.text = text;
        f.page = page;
        f.pageSize = 10;
        f.from = from;
        f.to = to;
        return SalesInvoices(db(), year_->session, year_->messages).billList(1, f);
    }

    static QStringList numbers(const documents::DocumentPage& page) {
        QStringList out;
        for (const documents::ListedDocument& r : page.rows) out << r.number;
        return out;
    }

    db::Database& db() { return year_->db(); }
    std::unique_ptr<test::YearFixture> year_;
    qint64 ramesh = 0, rajdhani = 0;
};

TEST_F(SavedBillsListTest, EveryPageIsReachableNewestFirst) {
    // 23 bills: 1..20 to Ramesh over January (two a day from the 1st), 21..23 to Rajdhani on 1 Feb.
    for (int i = 1; i <= 20; ++i) saveBill(i, QDate(2025, 1, 1 + (i - 1) / 2), ramesh, "10");
    for (int i = 21; i <= 23; ++i) saveBill(i, QDate(2025, 2, 1), rajdhani, "20");

    const auto first = list({});
    EXPECT_EQ(first.total, 23);
    EXPECT_EQ(first.pages(), 3);
    EXPECT_EQ(numbers(first), (QStringList{"23", "22", "21", "20", "19", "18", "17", "16", "15", "14"}));
    const auto& top = first.rows.front();
    EXPECT_EQ(top.party, QStringLiteral("Rajdhani Fabrics"));
    EXPECT_EQ(top.date, QDate(2025, 2, 1));
    EXPECT_EQ(top.amount, d("2100"));         // 20 m at 100 with 5% GST
    EXPECT_EQ(top.figures.at(1), d("2100"));  // all of it unpaid
    EXPECT_FALSE(top.marked);

    const auto last = list({}, 2);
    EXPECT_EQ(numbers(last), (QStringList{"3", "2", "1"}));
    // a page past the end shows the last one
    EXPECT_EQ(list({}, 7).page, 2);

    // number 1 finds 1 and 10..19 (starting with "1"), party "raj" finds Rajdhani's three
    EXPECT_EQ(list(QStringLiteral("1")).total, 11);
    EXPECT_EQ(numbers(list(QStringLiteral("raj"))), (QStringList{"23", "22", "21"}));
    // an amount as typed, with or without grouping
    EXPECT_EQ(list(QStringLiteral("2,100")).total, 3);
    EXPECT_EQ(list(QStringLiteral("1050.00")).total, 20);
    // dates narrow it: the 5th and 6th of January hold bills 9..12
    EXPECT_EQ(numbers(list({}, 0, QDate(2025, 1, 5), QDate(2025, 1, 6))), (QStringList{"12", "11", "10", "9"}));
    // nothing found is an empty first page
    const auto none = list(QStringLiteral("Zenith"));
    EXPECT_EQ(none.total, 0);
    EXPECT_TRUE(none.rows.empty());
    EXPECT_EQ(none.pages(), 1);
}

}  // namespace
