// Amounts larger than the books keep, fed to tanabana-cli as an outside system would
// (TANABANA_USES_CLI): 100,000,000 m at 50,000 and a JSON 1e13 are refused with the amount named,
// exit status 1 and no bill written, while a bill of 50,000 crore still computes its GST exactly.
#include "core/Decimal.h"
#include "db/Database.h"
#include "support/CliRun.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tanabana;

namespace {

class AmountLimits : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        const test::CliResult demo = cli({QStringLiteral("demo"), QStringLiteral("create"), QStringLiteral("--year"), QStringLiteral("2025"),
                                 QStringLiteral("--bills"), QStringLiteral("2")});
        ASSERT_EQ(demo.exitCode, 0) << demo.err.toStdString();
    }
    test::CliResult cli(const QStringList& args, const QByteArray& input = {}) {
        return test::runCli(QStringList{QStringLiteral("--data"), dir.filePath(QStringLiteral("books"))} + args, input);
    }
    test::CliResult importSale(const QByteArray& line) {
        return cli({QStringLiteral("sales"), QStringLiteral("import"), QStringLiteral("-"), QStringLiteral("--year"), QStringLiteral("2025")},
                   R"({"book": 1, "date": "2025-03-16", "party": "Ramesh Silk Mills", "lines": [)" + line + "]}");
    }
    db::Rows bills() {
        db::Database year = db::Database::openSqlite(dir.filePath(QStringLiteral("books/DataBase/2025.db")), false);
        return year.query(QStringLiteral("SELECT BAmt, VatRs, ATAXRs, BillAmount FROM SalBillMst ORDER BY Id"));
    }
    QTemporaryDir dir;
};

}  // namespace

TEST_F(AmountLimits, BillsBeyondTheBooksAreRefusedAndWriteNothing) {
    const size_t before = bills().size();
    const test::CliResult huge = importSale(R"({"quality": "1", "mtrs": 100000000, "rate": 50000})");
    EXPECT_EQ(huge.exitCode, 1);
    EXPECT_TRUE(huge.err.contains(QStringLiteral("Amount too large: 5000000000000.00 is beyond the largest amount the books "
                                                 "keep (999999999999.99)")))
        << huge.err.toStdString();
    EXPECT_EQ(bills().size(), before);

    // 1e13 is ten lakh crore metres, not a negative number
    const test::CliResult exponent = importSale(R"({"quality": "1", "mtrs": 1e13, "rate": 1})");
    EXPECT_EQ(exponent.exitCode, 1);
    EXPECT_TRUE(exponent.err.contains(QStringLiteral("line 1: \"mtrs\": Amount too large: 10000000000000.00")))
        << exponent.err.toStdString();
    EXPECT_FALSE(exponent.err.contains(QStringLiteral("negative")));
    const test::CliResult text = importSale(R"({"quality": "1", "mtrs": "25000000000000", "rate": 1})");
    EXPECT_EQ(text.exitCode, 1);
    EXPECT_TRUE(text.err.contains(QStringLiteral("line 1: \"mtrs\": Amount too large: 25000000000000.00"))) << text.err.toStdString();
    EXPECT_EQ(bills().size(), before);

    // ten lakh metres at 50,000 fit: the GST of 5,000 crore is computed exactly, never wrapped round
    const test::CliResult large = importSale(R"({"quality": "1", "mtrs": 1000000, "rate": 50000})");
    ASSERT_EQ(large.exitCode, 0) << large.err.toStdString();
    const db::Rows after = bills();
    ASSERT_EQ(after.size(), before + 1);
    const db::Row& bill = after.back();
    const Decimal taxable = Decimal::fromVariant(bill.value(QStringLiteral("BAmt")));
    const Decimal sgst = Decimal::fromVariant(bill.value(QStringLiteral("VatRs")));
    EXPECT_EQ(taxable, Decimal(50000000000LL));
    EXPECT_GT(sgst, Decimal());
    EXPECT_EQ(sgst, Decimal::fromVariant(bill.value(QStringLiteral("ATAXRs"))));
    EXPECT_EQ(Decimal::fromVariant(bill.value(QStringLiteral("BillAmount"))), (taxable + sgst + sgst).billRoundOff());
}

TEST(DecimalLimits, ArithmeticBeyondOneLakhCroreThrowsInsteadOfWrapping) {
    const Decimal crore(10000000);
    EXPECT_EQ((crore * Decimal(99999)).toString(2), QStringLiteral("999990000000.00"));
    EXPECT_THROW(crore * Decimal(100000), AmountTooLarge);
    EXPECT_THROW(Decimal(999999999999LL) + Decimal(1), AmountTooLarge);
    EXPECT_THROW(-Decimal(999999999999LL) - Decimal(1), AmountTooLarge);
    EXPECT_THROW(crore / Decimal::fromUnits(1), AmountTooLarge);  // a crore by a millionth
    Decimal total;
    EXPECT_THROW(for (int i = 0; i < 200; ++i) total += crore * Decimal(1000), AmountTooLarge);
    // a large taxable amount at a high rate: the product on the way is larger than the result
    EXPECT_EQ(Decimal(500000000000LL).percent(Decimal(28)).toString(2), QStringLiteral("140000000000.00"));
    EXPECT_THROW(Decimal::fromDouble(1e13), AmountTooLarge);
}

TEST_F(AmountLimits, BooksAreNamedAndTheDefaultSalesBookTakesTds) {
    const size_t before = bills().size();
    const QByteArray lines = R"("party": "Ramesh Silk Mills", "lines": [{"quality": "1", "mtrs": 100, "rate": 105}]})";
    const test::CliResult missing = cli({QStringLiteral("sales"), QStringLiteral("import"), QStringLiteral("-"), QStringLiteral("--year"), QStringLiteral("2025")},
                               R"({"date": "2025-03-16", )" + lines);
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.contains(QStringLiteral("\"book\" is required (the number of the firm's book)"))) << missing.err.toStdString();
    const test::CliResult unknown = cli({QStringLiteral("sales"), QStringLiteral("import"), QStringLiteral("-"), QStringLiteral("--year"), QStringLiteral("2025")},
                               R"({"book": 9, "date": "2025-03-16", )" + lines);
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_TRUE(unknown.err.contains(QStringLiteral("book 9 is not a book of firm 1"))) << unknown.err.toStdString();
    EXPECT_EQ(bills().size(), before);

    // the customer deducts 1% TDS: the fresh installation's sales book has an account for it
    const test::CliResult withTds = cli({QStringLiteral("sales"), QStringLiteral("import"), QStringLiteral("-"), QStringLiteral("--year"), QStringLiteral("2025")},
                               R"({"book": 1, "date": "2025-03-16", "tds": 1, )" + lines);
    ASSERT_EQ(withTds.exitCode, 0) << withTds.err.toStdString();
    db::Database year = db::Database::openSqlite(dir.filePath(QStringLiteral("books/DataBase/2025.db")), false);
    const QVariant tds = year.scalar(QStringLiteral("SELECT sum(h.DrAmt) FROM HeadDtl3 h JOIN AccMst a ON a.Id = h.AccId "
                                                    "WHERE a.AcName = 'TDS Receivable'"));
    EXPECT_EQ(Decimal::fromVariant(tds).toString(2), QStringLiteral("105.00"));  // 1% of 10,500.00
}
