// GSTR-3B of July 2024 worked out from the books of the Surat firm (TANABANA_BOTH_ENGINES): its
// sales of GstFirm and a month of buying — a weaver's and a Mumbai supplier's goods with GST, a
// transporter's freight under reverse charge, nil-rated grey, an electricity bill outside GST, a
// composition dealer's bill and a bill kept out of the returns — checked table by table.
#include "domain/gst/Gstr3b.h"
#include "domain/masters/DefaultChart.h"
#include "domain/trade/PurchaseInvoices.h"
#include "support/FirmBooks.h"
#include "support/GstFirm.h"
#include "support/YearFixture.h"

#include <gtest/gtest.h>

inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

using namespace tanabana;
using namespace tanabana::gst;

namespace {

Decimal d(const char* text) { return *Decimal::parse(QString::fromLatin1(text)); }

class Gstr3bTest : public ::testing::Test {
protected:
    void SetUp() override {
        TANABANA_REQUIRE_ENGINE();
        year_ = std::make_unique<test::YearFixture>();
        firm_ = std::make_unique<test::GstFirm>(year_->db(), year_->session, year_->messages);
        firm_->build();
        ASSERT_FALSE(HasFailure());
        auto& db = year_->db();
        const qint64 mumbai = test::addAccount(db, QStringLiteral("Mumbai Yarn Traders"), 77, 1, QStringLiteral("27-Maharashtra"),
                                               QStringLiteral("27AABCM9876C1Z7"));
        db.exec(QStringLiteral("UPDATE AccMst SET IsOGS = 1 WHERE Id = ?"), {mumbai});
        const qint64 roadways = test::addAccount(db, QStringLiteral("Shree Ganesh Roadways"), 79);
        const qint64 power = test::addAccount(db, QStringLiteral("Torrent Power"), 79);
        const qint64 kirana = test::addAccount(db, QStringLiteral("Udhna Stationers"), 79, 1, QStringLiteral("24-Gujarat"),
                                               QStringLiteral("24AAFCW1111H1ZT"));
        db.exec(QStringLiteral("UPDATE AccMst SET EcNo = '1' WHERE Id = ?"), {kirana});  // a composition dealer

        buy(goods(QStringLiteral("LW/118"), firm_->weaver, test::SellingFirm::kRapier, "100", "100", "2.5"));
        buy(goods(QStringLiteral("MY/55"), mumbai, test::SellingFirm::kRapier, "50", "100", "2.5"));
        trade::PurchaseBill freight = expense(QStringLiteral("GT/311"), roadways, "10000", "2.5");
        freight.reverseChargeId = 7;
        freight.reverseChargeBillNo = QStringLiteral("RCM/7");
        buy(freight);
        buy(goods(QStringLiteral("LW/119"), firm_->weaver, test::GstFirm::kKhadi, "20", "100", "0"));
        buy(expense(QStringLiteral("EB/7781"), power, "3000", "0"));
        buy(expense(QStringLiteral("US/12"), kirana, "1500", "0"));
        trade::PurchaseBill skipped = goods(QStringLiteral("LW/120"), firm_->weaver, test::SellingFirm::kRapier, "10", "100", "2.5");
        skipped.skipGst = true;
        buy(skipped);
        ASSERT_FALSE(HasFailure());
    }
    trade::PurchaseLine line(qint64 item, const char* qty, const char* rate, const char* halfGst) {
        trade::PurchaseLine l;
        l.qualityId = item;
        l.input.metres = d(qty);
        l.input.listRate = d(rate);
        l.input.sgstPercent = l.input.cgstPercent = d(halfGst);
        return l;
    }
    trade::PurchaseBill goods(const QString& no, qint64 party, qint64 item, const char* qty, const char* rate, const char* halfGst) {
        trade::PurchaseBill b;
        b.bookId = 2;
        b.billNo = no;
        b.date = QDate(2024, 7, 10);
        b.partyId = party;
        b.lines = {line(item, qty, rate, halfGst)};
        return b;
    }
    trade::PurchaseBill expense(const QString& no, qint64 party, const char* amount, const char* halfGst) {
        trade::PurchaseBill b;
        b.kind = trade::PurchaseKind::Expense;
        b.bookId = 3;
        b.billNo = no;
        b.date = QDate(2024, 7, 12);
        b.partyId = party;
        b.expenseAccountId = test::accountId(year_->db(), masters::chart::GeneralExpenses);
        b.lines = {line(0, "1", amount, halfGst)};
        return b;
    }
    void buy(trade::PurchaseBill b) {
        trade::PurchaseInvoices purchases(year_->db(), year_->session, year_->messages);
        EXPECT_TRUE(purchases.save(b)) << b.billNo.toStdString() << ": "
                                       << (year_->messages.empty() ? std::string() : year_->messages.last().text.toStdString());
    }
    static QString figures(const Gstr3bLine* l) {
        if (!l) return QStringLiteral("missing");
        return QStringList{l->taxable.toString(2), l->igst.toString(2), l->cgst.toString(2), l->sgst.toString(2)}.join(QLatin1Char('|'));
    }

    std::unique_ptr<test::YearFixture> year_;
    std::unique_ptr<test::GstFirm> firm_;
};

TEST_F(Gstr3bTest, JulyFiguresTableByTable) {
    const Gstr3b r = Gstr3bService(year_->db(), year_->session).compute(*ReturnPeriod::month(QStringLiteral("07-2024")));
    // 3.1: the taxed sales of the month; the export zero rated; the nil-rated Khadi; the freight
    // under reverse charge. Non-GST outward supplies are not kept.
    EXPECT_EQ(figures(r.line("3.1(a)")), "812690.38|23859.52|8737.50|8737.50");
    EXPECT_EQ(figures(r.line("3.1(b)")), "315000.00|15750.00|0.00|0.00");
    EXPECT_EQ(figures(r.line("3.1(c)")), "5000.00|0.00|0.00|0.00");
    EXPECT_EQ(figures(r.line("3.1(d)")), "10000.00|0.00|250.00|250.00");
    EXPECT_EQ(figures(r.line("3.1(e)")), "0.00|0.00|0.00|0.00");
    EXPECT_EQ(r.line("3.1(a)")->description, "Outward taxable supplies (other than zero rated, nil rated and exempted)");

    // 3.2: only the unregistered Jaipur buyer; Delhi Textiles is registered and the export is no supply to a state.
    ASSERT_EQ(r.interState.size(), 1u);
    EXPECT_EQ(r.interState[0].placeOfSupply, "08-Rajasthan");
    EXPECT_EQ(r.interState[0].unregisteredTaxable.toString(2), "476190.48");
    EXPECT_EQ(r.interState[0].unregisteredIgst.toString(2), "23809.52");
    EXPECT_TRUE(r.interState[0].compositionTaxable.isZero());

    // 4: the freight's tax as reverse-charge credit, the two goods bills as all other credit; the
    // bill kept out of the returns adds nothing.
    EXPECT_EQ(figures(r.line("4(A)(3)")), "0.00|0.00|250.00|250.00");
    EXPECT_EQ(figures(r.line("4(A)(5)")), "0.00|250.00|250.00|250.00");
    EXPECT_EQ(figures(r.line("4(C)")), "0.00|250.00|500.00|500.00");
    EXPECT_EQ(figures(r.line("4(A)(1)")), "0.00|0.00|0.00|0.00");

    // 5: nil-rated grey and the composition dealer's bill together; electricity outside GST.
    ASSERT_EQ(r.exemptInward.size(), 2u);
    EXPECT_EQ(r.exemptInward[0].description, "From a supplier under composition scheme, Exempt and Nil rated supply");
    EXPECT_EQ(r.exemptInward[0].intraState.toString(2), "3500.00");
    EXPECT_TRUE(r.exemptInward[0].interState.isZero());
    EXPECT_EQ(r.exemptInward[1].description, "Non GST supply");
    EXPECT_EQ(r.exemptInward[1].intraState.toString(2), "3000.00");
}

TEST_F(Gstr3bTest, AnEmptyMonthHasEveryTableAtNil) {
    const Gstr3b r = Gstr3bService(year_->db(), year_->session).compute(*ReturnPeriod::month(QStringLiteral("06-2024")));
    EXPECT_EQ(r.outward.size(), 5u);
    EXPECT_EQ(r.inputCredit.size(), 8u);
    for (const auto* lines : {&r.outward, &r.inputCredit})
        for (const Gstr3bLine& l : *lines) EXPECT_EQ(figures(&l), "0.00|0.00|0.00|0.00") << l.table.toStdString();
    EXPECT_TRUE(r.interState.empty());
    EXPECT_THROW(Gstr3bService(year_->db(), year_->session).compute(*ReturnPeriod::month(QStringLiteral("03-2024"))), GstError);
}

}  // namespace
