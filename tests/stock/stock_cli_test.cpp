// tanabana-cli stock and takas on the April firm: the statement on a date as text on the
// terminal, between dates with the mill columns as CSV, at the sale rate as PDF, where a taka is;
// and the refusals (a quality nobody is called, the mill columns without a first date, a date
// outside the year) with nothing written. TANABANA_USES_CLI.
#include "support/CliRun.h"
#include "support/PdfProbe.h"
#include "support/StockFirm.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tanabana;

namespace {

class StockCliTest : public ::testing::Test {
protected:
    void SetUp() override {
        firm.build();
        ASSERT_FALSE(HasFailure());
    }
    QString path(const QString& name) const { return books.root() + QLatin1Char('/') + name; }

    test::YearFolder books{2025};
    RecordingMessages messages;
    test::StockFirm firm{books.db(), books.session, messages};
};

TEST_F(StockCliTest, OnADateAsTextBetweenDatesAsCsvAtSaleRateAsPdf) {
    const test::CliResult text = test::runCli({"--data", books.root(), "stock", "--date", "20-04-2024", "--item", "Cotton Cambric"});
    ASSERT_EQ(text.exitCode, 0) << text.err.toStdString();
    const QStringList lines = text.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_GE(lines.size(), 5) << text.out.toStdString();
    EXPECT_EQ(lines.at(0), QStringLiteral("Stock Statement on Date : 20-04-2024"));
    EXPECT_EQ(lines.at(1), QStringLiteral("Quality : Cotton Cambric   Rate : Pur Rate"));
    EXPECT_EQ(lines.at(3).simplified(), QStringLiteral("Grey 506 Cotton Cambric 120.000 40.00 4,800.00"));
    EXPECT_EQ(lines.at(4).simplified(), QStringLiteral("Total 120.000 4,800.00"));

    const test::CliResult csv = test::runCli({"--data", books.root(), "stock", "--from", "01-04-2024", "--date", "30-04-2024", "--mill",
                                              "--group", "Grey", "--out", path("april.csv")});
    ASSERT_EQ(csv.exitCode, 0) << csv.err.toStdString();
    EXPECT_TRUE(csv.out.contains(QStringLiteral("2 row(s), Stock Statement on Date From : 01-04-2024 To 30-04-2024")));
    QFile file(path("april.csv"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList rows = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    EXPECT_EQ(rows, (QStringList{
                        "Name,Op. Qty,Purchase,Sal. Ret,Mill Rec,Job Rec,Other Rec,Tot In,Pur. Ret,Sales,Mill Iss,Job Iss,Other Iss,Tot Out,Cl. Qty",
                        "Group : Grey",
                        "Cotton Cambric,100.000,50.000,,,,,50.000,,30.000,,,,30.000,120.000",
                        "Rapier 60 Grey,100.000,50.000,2.000,,,,52.000,5.000,30.000,25.000,,4.000,64.000,88.000",
                        "Sub Tot,200.000,100.000,2.000,0.000,0.000,0.000,102.000,5.000,60.000,25.000,0.000,4.000,94.000,208.000",
                        "Total,200.000,100.000,2.000,0.000,0.000,0.000,102.000,5.000,60.000,25.000,0.000,4.000,94.000,208.000"}));

    const test::CliResult pdf = test::runCli({"--data", books.root(), "stock", "--date", "30-04-2024", "--sale-rate", "--grouped", "--out",
                                              path("stock.pdf")});
    ASSERT_EQ(pdf.exitCode, 0) << pdf.err.toStdString();
    test::keepForLooking(path("stock.pdf"));
    const QString printed = test::pdfText(path("stock.pdf"), false).simplified();
    EXPECT_TRUE(printed.contains(QStringLiteral("Stock Statement on Date : 30-04-2024"))) << printed.toStdString();
    EXPECT_TRUE(printed.contains(QStringLiteral("Rate : Sal Rate")));
    EXPECT_TRUE(printed.contains(QStringLiteral("Group : Saree")));
    EXPECT_TRUE(printed.contains(QStringLiteral("29,120.00")));
    EXPECT_TRUE(printed.contains(QStringLiteral("53,862.50")));
    EXPECT_FALSE(printed.contains(QStringLiteral("Packing Cartons")));
}

TEST_F(StockCliTest, WhereATakaIs) {
    const test::CliResult r = test::runCli({"--data", books.root(), "takas", "--taka", "1002", "--date", "10-05-2024"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("Where Is Every Taka As On 10-05-2024"))) << r.out.toStdString();
    const QStringList lines = r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_GE(lines.size(), 4);
    EXPECT_EQ(lines.at(3).simplified(),
              QStringLiteral("1002 Rapier 60 Grey 12.50 LW/12 10-04-2024 Mahesh Looms At Mill Laxmi Dyeing Mill 28-04-2024 12 L-7"))
        << lines.at(3).toStdString();
}

TEST_F(StockCliTest, WovenTakasOfOneLoomStillInTheGodown) {
    const test::CliResult r = test::runCli({"--data", books.root(), "stock", "--woven", "--from", "01-04-2024", "--date", "30-04-2024",
                                            "--loom", "L1", "--state", "godown", "--out", path("woven.csv")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("2 row(s), Production Stock From 01-04-2024 To 30-04-2024"))) << r.out.toStdString();
    QFile file(path("woven.csv"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList rows = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    EXPECT_TRUE(rows.contains(QStringLiteral("2001,1,12-04-2024,L1,Saree Zari,6,11.00,66.00,In Godown,"))) << rows.join('\n').toStdString();
    EXPECT_EQ(rows.last(), QStringLiteral("Total,,,,,7,,176.50,,"));

    const test::CliResult bad = test::runCli({"--data", books.root(), "stock", "--woven", "--taka-from", "2OO1"});
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_TRUE(bad.err.contains(QStringLiteral("--taka-from takes a whole taka number"))) << bad.err.toStdString();
}

TEST_F(StockCliTest, RefusalsWriteNothing) {
    const test::CliResult nobody = test::runCli({"--data", books.root(), "stock", "--date", "30-04-2024", "--item", "Nobody's Silk", "--out",
                                                 path("nobody.csv")});
    EXPECT_EQ(nobody.exitCode, 1);
    EXPECT_TRUE(nobody.err.contains(QStringLiteral("No quality of this firm is named \"Nobody's Silk\""))) << nobody.err.toStdString();
    EXPECT_FALSE(QFile::exists(path("nobody.csv")));

    const test::CliResult mill = test::runCli({"--data", books.root(), "stock", "--date", "30-04-2024", "--mill"});
    EXPECT_EQ(mill.exitCode, 2);
    EXPECT_TRUE(mill.err.contains(QStringLiteral("--mill lists the movements between two dates: give --from"))) << mill.err.toStdString();

    const test::CliResult late = test::runCli({"--data", books.root(), "stock", "--date", "30-04-2025", "--out", path("late.pdf")});
    EXPECT_EQ(late.exitCode, 1);
    EXPECT_TRUE(late.err.contains(QStringLiteral("Please Select Proper Date"))) << late.err.toStdString();
    EXPECT_FALSE(QFile::exists(path("late.pdf")));
}

// The demonstration firm sells all year from what it bought, wove and brought in: at the year's
// end every quality still has stock, so its statement reads as a real trader's would.
TEST(StockDemoTest, TheDemoFirmsQualitiesCloseTheYearWithStock) {
    QTemporaryDir dir;
    const QString root = dir.filePath(QStringLiteral("books"));
    const test::CliResult demo = test::runCli({QStringLiteral("--data"), root, QStringLiteral("demo"), QStringLiteral("create"),
                                               QStringLiteral("--year"), QStringLiteral("2025")});
    ASSERT_EQ(demo.exitCode, 0) << demo.err.toStdString();
    const test::CliResult stock = test::runCli({QStringLiteral("--data"), root, QStringLiteral("stock"), QStringLiteral("--date"),
                                                QStringLiteral("31-03-2025"), QStringLiteral("--year"), QStringLiteral("2025")});
    ASSERT_EQ(stock.exitCode, 0) << stock.err.toStdString();
    const QStringList lines = stock.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_GE(lines.size(), 9) << stock.out.toStdString();  // title, rate, captions, six qualities, total
    EXPECT_TRUE(stock.out.contains(QStringLiteral("Zari Saree"))) << stock.out.toStdString();
    EXPECT_FALSE(stock.out.contains(QRegularExpression(QStringLiteral("\\s-[0-9]")))) << stock.out.toStdString();
}

}  // namespace

namespace {

TEST_F(StockCliTest, StockVouchersImportedAllOrNothingAndListed) {
    QFile file(path("vouchers.json"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(R"([{"book": 2, "date": "2024-04-27", "party": "Laxmi Dyeing Mill", "process": "Dyeing", "lot": "L-9",
                    "lines": [{"quality": 501, "pcs": 4, "cut": 5.5, "mtrs": 22}, {"quality": "506", "pcs": 2, "mtrs": "10"}]},
                   {"kind": "receipt", "book": 2, "date": "29-04-2024", "party": "Laxmi Dyeing Mill", "lot": "L-9",
                    "lines": [{"quality": 501, "pcs": 2, "mtrs": 10}]}])");
    file.close();
    const test::CliResult r = test::runCli({"--data", books.root(), "stock-voucher", "import", path("vouchers.json")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("\tI 1\t6 pcs\t32.000 mtrs"))) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("\tR 1\t2 pcs\t10.000 mtrs"))) << r.out.toStdString();

    const test::CliResult list = test::runCli({"--data", books.root(), "stock-voucher", "list"});
    ASSERT_EQ(list.exitCode, 0) << list.err.toStdString();
    const QStringList lines = list.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3) << list.out.toStdString();  // the header, ours and the firm's April voucher of book 1
    EXPECT_TRUE(lines.at(1).contains(QStringLiteral("Laxmi Dyeing Mill"))) << lines.at(1).toStdString();
    EXPECT_TRUE(lines.at(1).contains(QStringLiteral("L-9")));
    EXPECT_TRUE(lines.at(1).contains(QStringLiteral("32.000")));

    // 88 - 22 + 10 on the grey at the end of April.
    const test::CliResult stock = test::runCli({"--data", books.root(), "stock", "--date", "30-04-2024", "--item", "Rapier 60 Grey"});
    ASSERT_EQ(stock.exitCode, 0) << stock.err.toStdString();
    EXPECT_TRUE(stock.out.contains(QStringLiteral("76.000"))) << stock.out.toStdString();

    // A file whose second voucher is wrong saves neither: a quality nobody has, then a date after the year.
    const auto vouchers = [&] { return books.db().scalar(QStringLiteral("SELECT count(*) FROM Iss_StockMst")).toInt(); };
    const int before = vouchers();
    for (const char* second : {R"({"book": 2, "date": "2024-04-28", "party": "Laxmi Dyeing Mill", "lines": [{"quality": "NOPE", "mtrs": 1}]})",
                               R"({"book": 2, "date": "2025-04-02", "party": "Laxmi Dyeing Mill", "lines": [{"quality": 501, "mtrs": 1}]})"}) {
        QFile bad(path("bad.json"));
        ASSERT_TRUE(bad.open(QIODevice::WriteOnly | QIODevice::Truncate));
        bad.write(QByteArray(R"([{"book": 2, "date": "2024-04-28", "party": "Laxmi Dyeing Mill", "lines": [{"quality": 501, "mtrs": 3}]}, )") + second +
                  "]");
        bad.close();
        const test::CliResult refused = test::runCli({"--data", books.root(), "stock-voucher", "import", path("bad.json")});
        EXPECT_NE(refused.exitCode, 0) << second;
        EXPECT_EQ(vouchers(), before) << second;
    }
}

}  // namespace
