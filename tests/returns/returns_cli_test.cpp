// tanabana-cli return and note on a demonstration installation: a bill sold from the command line,
// a return adjusted against it, a file whose second return is refused leaving nothing, a credit
// note on the same bill, and both lists. TANABANA_USES_CLI
#include "support/CliRun.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tanabana;

namespace {

class ReturnsCliTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        const test::CliResult demo = cli({QStringLiteral("demo"), QStringLiteral("create"), QStringLiteral("--year"), QStringLiteral("2025"),
                                          QStringLiteral("--bills"), QStringLiteral("4")});
        ASSERT_EQ(demo.exitCode, 0) << demo.err.toStdString();
        // 100 m of Rapier 60 Red at 100.00 + 5%: 10,500.00.
        const test::CliResult sold = import(QStringLiteral("sales"), {}, R"({"book": 1, "number": "900", "date": "2025-02-11",
          "party": "Ramesh Silk Mills", "lines": [{"quality": "1", "mtrs": 100, "rate": 100}]})");
        ASSERT_EQ(sold.exitCode, 0) << sold.err.toStdString();
    }

    test::CliResult cli(QStringList args) {
        args.prepend(dir.filePath(QStringLiteral("books")));
        args.prepend(QStringLiteral("--data"));
        return test::runCli(args);
    }

    test::CliResult import(const QString& noun, const QStringList& options, const QByteArray& json) {
        QFile file(dir.filePath(QStringLiteral("documents.json")));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(json);
        file.close();
        return cli(QStringList{noun, QStringLiteral("import"), file.fileName(), QStringLiteral("--year"), QStringLiteral("2025")} + options);
    }

    QStringList list(const QString& noun, const QString& kind) {
        const test::CliResult r = cli({noun, QStringLiteral("list"), QStringLiteral("--kind"), kind, QStringLiteral("--year"), QStringLiteral("2025")});
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        return r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts).mid(1);
    }

    QTemporaryDir dir;
};

const QByteArray kReturn = R"({"book": 1, "date": "2025-02-15", "party": "Ramesh Silk Mills", "salBillNo": "900",
  "reason": "Damaged in transit", "lines": [{"quality": "1", "mtrs": 10, "rate": 100}], "adjust": [{"bill": "900", "amount": 1050}]})";

TEST_F(ReturnsCliTest, ReturnsAndNotesComeInThroughTheServices) {
    // The demonstration firm has a return of each kind and a note of each kind already.
    const int salesReturns = int(list(QStringLiteral("return"), QStringLiteral("sales")).size());
    EXPECT_EQ(salesReturns, 1);
    EXPECT_EQ(list(QStringLiteral("return"), QStringLiteral("purchase")).size(), 1);
    const int creditNotes = int(list(QStringLiteral("note"), QStringLiteral("credit")).size());
    EXPECT_EQ(creditNotes, 1);
    EXPECT_EQ(list(QStringLiteral("note"), QStringLiteral("debit")).size(), 1);

    // 10 m back: 1,000.00 + 50.00 GST, all of it settling bill 900; the return takes book 1's next number.
    const test::CliResult saved = import(QStringLiteral("return"), {QStringLiteral("--kind"), QStringLiteral("sales")}, kReturn);
    ASSERT_EQ(saved.exitCode, 0) << saved.err.toStdString();
    EXPECT_TRUE(saved.out.contains(QStringLiteral("\t2\t1050.00\t1050.00"))) << saved.out.toStdString();
    const QStringList returned = list(QStringLiteral("return"), QStringLiteral("sales"));
    ASSERT_EQ(returned.size(), salesReturns + 1);
    EXPECT_EQ(returned.last().section(QLatin1Char('\t'), 1), QStringLiteral("2\t15-02-2025\tRamesh Silk Mills\t900\t1050.00\t1050.00"));

    // The second return of the file would settle more than the bill still owes: neither is kept.
    const test::CliResult refused = import(QStringLiteral("return"), {QStringLiteral("--kind"), QStringLiteral("sales")}, "[" + kReturn + R"(,
      {"book": 1, "date": "2025-02-16", "party": "Ramesh Silk Mills", "lines": [{"quality": "1", "mtrs": 200, "rate": 100}],
       "adjust": [{"bill": "900", "amount": 20000}]}])");
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.err.contains(QStringLiteral("Payment is more than the unpaid amount of Bill No 900!"))) << refused.err.toStdString();
    EXPECT_EQ(list(QStringLiteral("return"), QStringLiteral("sales")).size(), salesReturns + 1);

    // A bill the party does not have is named.
    const test::CliResult unknown = import(QStringLiteral("return"), {QStringLiteral("--kind"), QStringLiteral("sales")},
                                           R"({"book": 1, "date": "2025-02-16", "party": "Ramesh Silk Mills",
      "lines": [{"quality": "1", "mtrs": 1, "rate": 100}], "adjust": [{"bill": "7777", "amount": 10}]})");
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_TRUE(unknown.err.contains(QStringLiteral("bill \"7777\" is not a sales bill of the party"))) << unknown.err.toStdString();

    // A 1% discount note on the same bill: 100.00 + 2.50 + 2.50.
    const test::CliResult note = import(QStringLiteral("note"), {}, R"({"kind": "credit", "date": "2025-02-20", "party": "Ramesh Silk Mills",
      "account": "Discount Allowed", "bill": "900", "rateType": "Disc %", "percent": 1, "sgst": 2.5, "cgst": 2.5, "reason": "02",
      "refNo": "RSM/5"})");
    ASSERT_EQ(note.exitCode, 0) << note.err.toStdString();
    EXPECT_TRUE(note.out.contains(QStringLiteral("\tC2\t105.00"))) << note.out.toStdString();
    const QStringList notes = list(QStringLiteral("note"), QStringLiteral("credit"));
    ASSERT_EQ(notes.size(), creditNotes + 1);
    EXPECT_TRUE(notes.last().startsWith(QStringLiteral("2\t"))) << notes.last().toStdString();
    EXPECT_TRUE(notes.last().endsWith(QStringLiteral("Ramesh Silk Mills\t900\tDisc %\t100.00\t5.00\t105.00\tN"))) << notes.last().toStdString();
}

}  // namespace
