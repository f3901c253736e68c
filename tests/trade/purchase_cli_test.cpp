// tanabana-cli purchase on a demonstration installation: supplier bills imported from JSON through
// the service (totals computed, a file with one refused bill leaves nothing), listed, and printed
// to a PDF read back. TANABANA_USES_CLI
#include "support/CliRun.h"
#include "support/PdfProbe.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tanabana;

namespace {

class PurchaseCliTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        const test::CliResult demo = cli({QStringLiteral("demo"), QStringLiteral("create"), QStringLiteral("--year"), QStringLiteral("2025"),
                                          QStringLiteral("--bills"), QStringLiteral("4")});
        ASSERT_EQ(demo.exitCode, 0) << demo.err.toStdString();
        ASSERT_TRUE(demo.out.contains(QStringLiteral("36 purchase bills"))) << demo.out.toStdString();
    }

    test::CliResult cli(QStringList args) {
        args.prepend(dir.filePath(QStringLiteral("books")));
        args.prepend(QStringLiteral("--data"));
        return test::runCli(args);
    }

    test::CliResult import(const QByteArray& json) {
        QFile file(dir.filePath(QStringLiteral("bills.json")));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(json);
        file.close();
        return cli({QStringLiteral("purchase"), QStringLiteral("import"), file.fileName(), QStringLiteral("--year"), QStringLiteral("2025")});
    }

    QStringList list(const QString& kind = QStringLiteral("goods")) {
        const test::CliResult r = cli({QStringLiteral("purchase"), QStringLiteral("list"), QStringLiteral("--kind"), kind, QStringLiteral("--year"),
                              QStringLiteral("2025")});
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        return r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts).mid(1);
    }

    QTemporaryDir dir;
};

const QByteArray kGreyBill = R"({"book": 2, "number": "LW/900", "date": "2025-02-11", "party": "Laxmi Weaving Works",
  "lot": "L-77", "lines": [{"quality": "1", "qty": 301.5, "count": 3, "rate": 54, "freight": 150}],
  "takas": [{"taka": "901", "mtrs": 100.5}, {"taka": "902", "mtrs": 99}, {"taka": "903", "mtrs": 102}]})";

TEST_F(PurchaseCliTest, BillsComeInThroughTheServiceAllOrNothingAndPrint) {
    const QStringList before = list();
    ASSERT_EQ(before.size(), 30) << before.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(list(QStringLiteral("expense")).size(), 6);

    // 301.5 m at 54 = 16,281.00 + 150 freight = 16,431.00; GST 410.78 each side; 17,252.56 -> 17,253.
    const test::CliResult saved = import(kGreyBill);
    ASSERT_EQ(saved.exitCode, 0) << saved.err.toStdString();
    EXPECT_TRUE(saved.out.contains(QStringLiteral("LW/900\t17253.00"))) << saved.out.toStdString();
    const QStringList after = list();
    ASSERT_EQ(after.size(), 31);
    EXPECT_TRUE(after.join(QLatin1Char('\n')).contains(QStringLiteral("LW/900\t11-02-2025\tLaxmi Weaving Works\t17253.00")));

    // The second bill's takas come to 298.5 m against 300: neither bill is kept.
    const test::CliResult refused = import(R"([
      {"book": 2, "number": "OS/901", "date": "2025-02-12", "party": "Om Sai Fabrics", "lines": [{"quality": "1", "qty": 100, "rate": 50}]},
      {"book": 2, "number": "OS/902", "date": "2025-02-12", "party": "Om Sai Fabrics", "lines": [{"quality": "1", "qty": 300, "rate": 50}],
       "takas": [{"taka": "911", "mtrs": 100}, {"taka": "912", "mtrs": 98.5}, {"taka": "913", "mtrs": 100}]}])");
    EXPECT_NE(refused.exitCode, 0);
    EXPECT_TRUE(refused.err.contains(QStringLiteral("Taka Mtrs And Total Mtrs Not Match"))) << refused.err.toStdString();
    EXPECT_EQ(list().size(), 31);

    const test::CliResult typo = import(R"({"book": 2, "number": "X1", "date": "2025-02-12", "party": "Om Sai Fabrics", "rcmBill": "1"})");
    EXPECT_NE(typo.exitCode, 0);
    EXPECT_TRUE(typo.err.contains(QStringLiteral("unknown key \"rcmBill\""))) << typo.err.toStdString();

    // Imported again under the same supplier number, the bill is changed rather than doubled.
    QByteArray changed = kGreyBill;
    changed.replace("\"rate\": 54", "\"rate\": 55");
    const test::CliResult again = import(changed);
    ASSERT_EQ(again.exitCode, 0) << again.err.toStdString();
    EXPECT_EQ(list().size(), 31);

    // The transporter's freight of 14-02 goes under reverse charge: owed 2,000, GST booked twice.
    const test::CliResult freight = import(R"({"kind": "expense", "book": 3, "number": "SGR/999", "date": "2025-02-14",
      "party": "Shree Ganesh Roadways", "expense": "General Expenses", "lines": [{"qty": 1, "rate": 2000, "sgst": 2.5, "cgst": 2.5}]})");
    ASSERT_EQ(freight.exitCode, 0) << freight.err.toStdString();
    const test::CliResult rcm = cli({QStringLiteral("purchase"), QStringLiteral("rcm"), QStringLiteral("--date"), QStringLiteral("2025-02-14"),
                                     QStringLiteral("--year"), QStringLiteral("2025")});
    ASSERT_EQ(rcm.exitCode, 0) << rcm.err.toStdString();
    EXPECT_TRUE(rcm.out.contains(QStringLiteral("1 bills under reverse charge"))) << rcm.out.toStdString();
    EXPECT_TRUE(list(QStringLiteral("expense")).join(QLatin1Char('\n')).contains(
        QStringLiteral("SGR/999\t14-02-2025\tShree Ganesh Roadways\t2000.00\tGeneral Expenses\tPRC-1")));
    // Taken back, the bill owes its GST to the transporter again; a day without any stays refused.
    const test::CliResult undo = cli({QStringLiteral("purchase"), QStringLiteral("rcm-remove"), QStringLiteral("--date"), QStringLiteral("14-02-2025"),
                                      QStringLiteral("--year"), QStringLiteral("2025")});
    ASSERT_EQ(undo.exitCode, 0) << undo.err.toStdString();
    EXPECT_TRUE(undo.out.contains(QStringLiteral("1 bills out of reverse charge"))) << undo.out.toStdString();
    EXPECT_TRUE(list(QStringLiteral("expense")).join(QLatin1Char('\n')).contains(
        QStringLiteral("SGR/999\t14-02-2025\tShree Ganesh Roadways\t2100.00\tGeneral Expenses\t\t")));
    const test::CliResult badDay = cli({QStringLiteral("purchase"), QStringLiteral("rcm"), QStringLiteral("--date"), QStringLiteral("31-02-2025"),
                                        QStringLiteral("--year"), QStringLiteral("2025")});
    EXPECT_NE(badDay.exitCode, 0);
    EXPECT_TRUE(badDay.err.contains(QStringLiteral("--date is yyyy-mm-dd or dd-mm-yyyy: 31-02-2025"))) << badDay.err.toStdString();

    const QString pdf = dir.filePath(QStringLiteral("lw900.pdf"));
    const test::CliResult print = cli({QStringLiteral("purchase"), QStringLiteral("print"), QStringLiteral("--party"), QStringLiteral("Laxmi Weaving Works"),
                              QStringLiteral("--number"), QStringLiteral("LW/900"), QStringLiteral("--out"), pdf, QStringLiteral("--year"),
                              QStringLiteral("2025")});
    ASSERT_EQ(print.exitCode, 0) << print.err.toStdString();
    const QString text = test::pdfText(pdf, false);
    for (const QString& expected : {QStringLiteral("Pur. Bill No : LW/900"), QStringLiteral("M/s. Laxmi Weaving Works"),
                                    QStringLiteral("Shree Laxmi Textiles"), QStringLiteral("Lot No : L-77"), QStringLiteral("16,582.50"),
                                    QStringLiteral("Takas : 3"), QStringLiteral("Rs. Seventeen Thousand Five Hundred Sixty Nine Only.")})
        EXPECT_TRUE(text.contains(expected)) << expected.toStdString() << "\n" << text.toStdString();
}

}  // namespace
