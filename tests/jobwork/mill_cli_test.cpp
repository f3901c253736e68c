// tanabana-cli mill on an installation of its own: a weaver's bill bought by the command line,
// its takas sent to a mill and received back from JSON through the services, all or nothing,
// and both lists; what is still at the mill carried into the next year; and the quality-wise
// job-process challans of a printer. TANABANA_USES_CLI
#include "support/CliRun.h"
#include "support/FirmBooks.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tanabana;

namespace {

class MillCliTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto& db = books.db();
        test::addAccount(db, QStringLiteral("Laxmi Weaving Works"), 76);
        test::addAccount(db, QStringLiteral("Surat Dyeing Mills"), 77);
        db.exec(QStringLiteral("INSERT INTO ProdMst (Id, ProdCode, ProdName, StkType, Vat, AddTax, VatCalc, CalcOn, PurRate, hsnCode, UNit, "
                               "IsActive, IsNewPro, FirmNO) VALUES (1, '1', 'Rapier 60 Grey', 'F', 2.5, 2.5, 1, 1, 0, '5407', 'MTR', 1, 0, 1)"));
        const test::CliResult bought = import(QStringLiteral("purchase"), R"({"book": 2, "number": "LW/900", "date": "2024-06-03",
          "party": "Laxmi Weaving Works", "lines": [{"quality": "1", "qty": 301.5, "count": 3, "rate": 54}],
          "takas": [{"taka": "901", "mtrs": 100.5}, {"taka": "902", "mtrs": 99}, {"taka": "903", "mtrs": 102}]})");
        ASSERT_EQ(bought.exitCode, 0) << bought.err.toStdString();
    }

    test::CliResult cli(QStringList args) {
        args.prepend(books.root());
        args.prepend(QStringLiteral("--data"));
        args << QStringLiteral("--year") << QStringLiteral("2025");
        return test::runCli(args);
    }

    test::CliResult import(const QString& noun, const QByteArray& json, const QString& verb = {}) {
        QFile file(books.root() + QStringLiteral("/doc.json"));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(json);
        file.close();
        QStringList args{noun};
        if (!verb.isEmpty()) args << verb;
        args << QStringLiteral("import") << file.fileName();
        return cli(args);
    }

    QStringList list(const QString& verb) {
        const test::CliResult r = cli({QStringLiteral("mill"), verb, QStringLiteral("list")});
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        return r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    int issuedTakas() { return books.db().scalar(QStringLiteral("SELECT count(*) FROM BillMst_TakaDetail WHERE Is_Issued <> 0")).toInt(); }

    // The command in the books of `endYear` rather than 2025.
    test::CliResult inYear(QStringList args, int endYear) {
        args.prepend(books.root());
        args.prepend(QStringLiteral("--data"));
        args << QStringLiteral("--year") << QString::number(endYear);
        return test::runCli(args);
    }

    test::YearFolder books{2025};
};

TEST_F(MillCliTest, TakasGoOutAndComeBackAllOrNothing) {
    // The second challan names a taka the first one took: neither is kept.
    const test::CliResult clash = import(QStringLiteral("mill"), R"([
      {"book": 2, "date": "2024-06-10", "mill": "Surat Dyeing Mills", "process": "Dyeing", "rate": 2.5,
       "weaver": "Laxmi Weaving Works", "purchaseBill": "LW/900", "takas": ["901", {"taka": "902", "marka": "A-1"}]},
      {"book": 2, "date": "2024-06-11", "mill": "Surat Dyeing Mills", "weaver": "Laxmi Weaving Works", "purchaseBill": "LW/900",
       "takas": ["902"]}])", QStringLiteral("issue"));
    EXPECT_NE(clash.exitCode, 0);
    EXPECT_TRUE(clash.err.contains(QStringLiteral("Taka No 902 is not pending on purchase bill LW/900"))) << clash.err.toStdString();
    EXPECT_EQ(list(QStringLiteral("issue")).size(), 1);
    EXPECT_EQ(issuedTakas(), 0);

    const test::CliResult issued = import(QStringLiteral("mill"), R"({"book": 2, "date": "2024-06-10", "mill": "Surat Dyeing Mills",
       "process": "Dyeing", "rate": 2.5, "weaver": "Laxmi Weaving Works", "purchaseBill": "LW/900",
       "takas": ["901", {"taka": "902", "marka": "A-1"}]})", QStringLiteral("issue"));
    ASSERT_EQ(issued.exitCode, 0) << issued.err.toStdString();
    EXPECT_TRUE(issued.out.contains(QStringLiteral("\t1\t2 takas\t199.500"))) << issued.out.toStdString();
    EXPECT_EQ(issuedTakas(), 2);
    const QStringList issues = list(QStringLiteral("issue"));
    ASSERT_EQ(issues.size(), 2);
    EXPECT_TRUE(issues[1].startsWith(QStringLiteral("1\t"))) << issues[1].toStdString();
    EXPECT_TRUE(issues[1].contains(QStringLiteral("Surat Dyeing Mills\tRapier 60 Grey\tDyeing\t\t2\t199.500\tLaxmi Weaving Works")))
        << issues[1].toStdString();

    // A receipt without its lot is refused with the screen's words.
    const test::CliResult noLot = import(QStringLiteral("mill"), R"({"book": 2, "date": "2024-06-20", "mill": "Surat Dyeing Mills",
       "lines": [{"issue": 1, "taka": "901", "finish": 97}]})", QStringLiteral("receive"));
    EXPECT_NE(noLot.exitCode, 0);
    EXPECT_TRUE(noLot.err.contains(QStringLiteral("Please enter LotNo"))) << noLot.err.toStdString();

    const test::CliResult received = import(QStringLiteral("mill"), R"({"book": 2, "date": "2024-06-20", "mill": "Surat Dyeing Mills",
       "millChallan": "SD-5", "lot": "L-77", "lines": [{"issue": 1, "taka": "901", "finish": 97}, {"issue": 1, "taka": "902", "finish": 95.5,
       "rate": 3}]})", QStringLiteral("receive"));
    ASSERT_EQ(received.exitCode, 0) << received.err.toStdString();
    // 97 x 2.50 + 95.5 x 3.00 = 242.50 + 286.50 = 529.00
    EXPECT_TRUE(received.out.contains(QStringLiteral("\t1\t529.00"))) << received.out.toStdString();
    const QStringList receipts = list(QStringLiteral("receive"));
    ASSERT_EQ(receipts.size(), 2);
    EXPECT_TRUE(receipts[1].contains(QStringLiteral("Surat Dyeing Mills\tL-77\tSD-5\t2\t192.500\t529.00"))) << receipts[1].toStdString();
    EXPECT_TRUE(list(QStringLiteral("issue"))[1].contains(QStringLiteral("\tL-77\t")));

    const test::CliResult typo = import(QStringLiteral("mill"), R"({"book": 2, "date": "2024-06-20", "mil": "Surat Dyeing Mills"})",
                                        QStringLiteral("receive"));
    EXPECT_NE(typo.exitCode, 0);
    EXPECT_TRUE(typo.err.contains(QStringLiteral("unknown key \"mil\""))) << typo.err.toStdString();
    const test::CliResult wrongAction = cli({QStringLiteral("mill"), QStringLiteral("issue"), QStringLiteral("delete")});
    EXPECT_NE(wrongAction.exitCode, 0);
}

TEST_F(MillCliTest, WhatIsStillAtTheMillCarriesIntoTheNextYear) {
    ASSERT_EQ(import(QStringLiteral("mill"), R"({"book": 2, "date": "2025-02-10", "mill": "Surat Dyeing Mills", "process": "Dyeing",
       "rate": 2.5, "weaver": "Laxmi Weaving Works", "purchaseBill": "LW/900", "takas": ["901", "902", "903"]})", QStringLiteral("issue"))
                  .exitCode, 0);
    ASSERT_EQ(import(QStringLiteral("mill"), R"({"book": 2, "date": "2025-03-20", "mill": "Surat Dyeing Mills", "lot": "L-31",
       "lines": [{"issue": 1, "taka": "901", "finish": 97}]})", QStringLiteral("receive"))
                  .exitCode, 0);
    const auto rows = [&](const test::CliResult& r) {
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        return r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts).mid(1);
    };
    const QString kind = QStringLiteral("--kind");
    // Two takas (99 + 102 m) are still out; the receipt of 242.50 (243 with the round-off) is unpaid.
    QStringList pending = rows(cli({QStringLiteral("mill"), QStringLiteral("carry"), QStringLiteral("list"), kind, QStringLiteral("takas")}));
    ASSERT_EQ(pending.size(), 1);
    EXPECT_TRUE(pending[0].contains(QStringLiteral("Surat Dyeing Mills\tL-31\t2\t201.000\t0.000\t201.000\t"))) << pending[0].toStdString();

    // No next year yet: nothing can be carried.
    const test::CliResult early = cli({QStringLiteral("mill"), QStringLiteral("carry"), QStringLiteral("run"), kind, QStringLiteral("takas")});
    EXPECT_NE(early.exitCode, 0);
    EXPECT_TRUE(early.err.contains(QStringLiteral("Selected Year is not Found"))) << early.err.toStdString();
    ASSERT_EQ(cli({QStringLiteral("year"), QStringLiteral("create-next")}).exitCode, 0);

    const test::CliResult carried = cli({QStringLiteral("mill"), QStringLiteral("carry"), QStringLiteral("run"), kind, QStringLiteral("takas")});
    ASSERT_EQ(carried.exitCode, 0) << carried.err.toStdString();
    EXPECT_TRUE(carried.out.contains(QStringLiteral("1 of 1 challans carried into 2026."))) << carried.out.toStdString();
    EXPECT_TRUE(carried.out.contains(QStringLiteral("Selected Pending Mill Receive Bill has been Transfered."))) << carried.out.toStdString();
    const QStringList arrived =
        rows(inYear({QStringLiteral("mill"), QStringLiteral("carried"), QStringLiteral("list"), kind, QStringLiteral("takas")}, 2026));
    ASSERT_EQ(arrived.size(), 1);
    EXPECT_TRUE(arrived[0].startsWith(QStringLiteral("-1\t-"))) << arrived[0].toStdString();
    EXPECT_TRUE(arrived[0].contains(QStringLiteral("\t2\t201.000\t0.000\t201.000\t"))) << arrived[0].toStdString();
    // The new year receives against the carried challan: its takas are pending there.
    EXPECT_TRUE(rows(inYear({QStringLiteral("mill"), QStringLiteral("receive"), QStringLiteral("list")}, 2026)).isEmpty());

    // Carried twice: reported, the first copy left as it was.
    const test::CliResult twice = cli({QStringLiteral("mill"), QStringLiteral("carry"), QStringLiteral("run"), kind, QStringLiteral("takas")});
    EXPECT_NE(twice.exitCode, 0);
    EXPECT_TRUE(twice.err.contains(QStringLiteral("Bill No : 1 - 10-02-2025 Is not Transferd."))) << twice.err.toStdString();
    EXPECT_TRUE(twice.out.contains(QStringLiteral("0 of 1 challans carried into 2026.")));
    EXPECT_EQ(rows(inYear({QStringLiteral("mill"), QStringLiteral("carried"), QStringLiteral("list"), kind, QStringLiteral("takas")}, 2026)).size(), 1);

    // The unpaid receipt goes by its Vou No; a number not on the list is refused with nothing carried.
    const QStringList unpaid = rows(cli({QStringLiteral("mill"), QStringLiteral("carry"), QStringLiteral("list"), kind, QStringLiteral("receipts")}));
    ASSERT_EQ(unpaid.size(), 1);
    EXPECT_TRUE(unpaid[0].endsWith(QStringLiteral("\t243.00"))) << unpaid[0].toStdString();
    const QString receiptId = unpaid[0].section(QLatin1Char('\t'), 1, 1);
    const test::CliResult wrongId = cli({QStringLiteral("mill"), QStringLiteral("carry"), QStringLiteral("run"), kind, QStringLiteral("receipts"),
                                         QStringLiteral("--ids"), receiptId + QStringLiteral(",999")});
    EXPECT_NE(wrongId.exitCode, 0);
    EXPECT_TRUE(wrongId.err.contains(QStringLiteral("Vou No 999 is not in the list"))) << wrongId.err.toStdString();
    EXPECT_TRUE(rows(inYear({QStringLiteral("mill"), QStringLiteral("carried"), QStringLiteral("list"), kind, QStringLiteral("receipts")}, 2026)).isEmpty());
    ASSERT_EQ(cli({QStringLiteral("mill"), QStringLiteral("carry"), QStringLiteral("run"), kind, QStringLiteral("receipts"), QStringLiteral("--ids"),
                   receiptId})
                  .exitCode,
              0);
    EXPECT_EQ(rows(inYear({QStringLiteral("mill"), QStringLiteral("carried"), QStringLiteral("list"), kind, QStringLiteral("receipts")}, 2026)).size(), 1);

    // The new year lets the carried takas go again.
    const test::CliResult removed =
        inYear({QStringLiteral("mill"), QStringLiteral("carried"), QStringLiteral("remove"), kind, QStringLiteral("takas")}, 2026);
    ASSERT_EQ(removed.exitCode, 0) << removed.err.toStdString();
    EXPECT_TRUE(removed.out.contains(QStringLiteral("1 of 1 carried challans removed.")));
    EXPECT_TRUE(rows(inYear({QStringLiteral("mill"), QStringLiteral("carried"), QStringLiteral("list"), kind, QStringLiteral("takas")}, 2026)).isEmpty());
    const test::CliResult badKind = cli({QStringLiteral("mill"), QStringLiteral("carry"), QStringLiteral("list"), kind, QStringLiteral("bales")});
    EXPECT_NE(badKind.exitCode, 0);
    EXPECT_TRUE(badKind.err.contains(QStringLiteral("--kind is takas or receipts: bales"))) << badKind.err.toStdString();
}

TEST_F(MillCliTest, JobProcessChallansOfAPrinter) {
    test::addAccount(books.db(), QStringLiteral("Shree Ambika Printers"), 79);
    const test::CliResult issued = import(QStringLiteral("job"), R"({"book": 2, "date": "2024-07-01", "party": "Shree Ambika Printers",
       "process": "Printing", "lines": [{"quality": "1", "pcs": 12, "mtrs": 1380.6, "rate": 4},
       {"quality": "1", "pcs": 3, "mtrs": 300, "rateOn": "P", "rate": 150, "design": "D-9"}]})", QStringLiteral("issue"));
    ASSERT_EQ(issued.exitCode, 0) << issued.err.toStdString();
    const QStringList issues =
        cli({QStringLiteral("job"), QStringLiteral("issue"), QStringLiteral("list")}).out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(issues.size(), 2);
    EXPECT_TRUE(issues[1].startsWith(QStringLiteral("1\t"))) << issues[1].toStdString();
    EXPECT_TRUE(issues[1].contains(QStringLiteral("Shree Ambika Printers\tPrinting\t\t15.000\t1680.600\t"))) << issues[1].toStdString();

    // Two bills of the printer in one file; the second wants more pieces of line 2 than went out:
    // neither is kept, nothing posted.
    const auto posted = [&] { return books.db().scalar(QStringLiteral("SELECT count(*) FROM HeadDtl3 WHERE TableCode = 15")).toInt(); };
    const test::CliResult tooMany = import(QStringLiteral("job"), R"([
      {"book": 2, "date": "2024-07-20", "party": "Shree Ambika Printers", "gatePass": "77", "lines": [{"issue": 1, "pcs": 10, "mtrs": 1150.5,
       "fin": "N"}]},
      {"book": 2, "date": "2024-07-21", "party": "Shree Ambika Printers", "gatePass": "78", "lines": [{"issue": 1, "line": 2, "pcs": 4}]}])",
                                           QStringLiteral("receive"));
    EXPECT_NE(tooMany.exitCode, 0);
    EXPECT_TRUE(tooMany.err.contains(QStringLiteral("Line 1 : 4.000 Pcs/Taka are more than the 3.000 pending of Challan No 1"))) << tooMany.err.toStdString();
    EXPECT_EQ(posted(), 0);
    EXPECT_EQ(books.db().scalar(QStringLiteral("SELECT count(*) FROM JobWork_IssueMst WHERE FormId = 15")).toInt(), 0);

    // The first bill alone: 1,150.5 m x 4 = 4,602.00, posted, two pieces of line 1 still out.
    const test::CliResult received = import(QStringLiteral("job"), R"({"book": 2, "date": "2024-07-20", "party": "Shree Ambika Printers",
       "gatePass": "77", "lines": [{"issue": 1, "quality": "1", "pcs": 10, "mtrs": 1150.5, "fin": "N"}]})", QStringLiteral("receive"));
    ASSERT_EQ(received.exitCode, 0) << received.err.toStdString();
    EXPECT_TRUE(received.out.contains(QStringLiteral("\t1\t4602.00"))) << received.out.toStdString();
    EXPECT_GT(posted(), 0);
    EXPECT_DOUBLE_EQ(books.db().scalar(QStringLiteral("SELECT RPCs FROM JobWork_IssueDtl WHERE Srno = 1 AND BillMstId = "
                                                      "(SELECT Id FROM JobWork_IssueMst WHERE FormId = 14)")).toDouble(), 10.0);
    const QStringList receipts =
        cli({QStringLiteral("job"), QStringLiteral("receive"), QStringLiteral("list")}).out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(receipts.size(), 2);
    EXPECT_TRUE(receipts[1].contains(QStringLiteral("Shree Ambika Printers\tPrinting\t77\t10.000\t1150.500\t4602.00"))) << receipts[1].toStdString();

    const test::CliResult noIssue = import(QStringLiteral("job"), R"({"book": 2, "date": "2024-07-22", "party": "Shree Ambika Printers",
       "lines": [{"issue": 9, "pcs": 1}]})", QStringLiteral("receive"));
    EXPECT_NE(noIssue.exitCode, 0);
    EXPECT_TRUE(noIssue.err.contains(QStringLiteral("line 1: \"issue\": no job-process issue 9 in book 2"))) << noIssue.err.toStdString();
}

// The registers of the Job Work menu read what the challans hold: the issue and receipt of a
// period, and the takas still at the mill on a date, which shrink as the receipts of later
// days are counted.
TEST_F(MillCliTest, MillRegistersOfChallansAndTakasStillOut) {
    ASSERT_EQ(import(QStringLiteral("mill"), R"({"book": 2, "date": "2024-06-10", "mill": "Surat Dyeing Mills", "process": "Dyeing",
       "rate": 2.5, "weaver": "Laxmi Weaving Works", "purchaseBill": "LW/900", "takas": ["901", "902", "903"]})", QStringLiteral("issue"))
                  .exitCode, 0);
    ASSERT_EQ(import(QStringLiteral("mill"), R"({"book": 2, "date": "2024-06-20", "mill": "Surat Dyeing Mills", "lot": "L-1",
       "lines": [{"issue": 1, "taka": "901", "finish": 97}, {"issue": 1, "taka": "902", "grey": 50, "finish": 49, "greyRet": 10,
       "fin": "N"}]})",
                     QStringLiteral("receive"))
                  .exitCode, 0);
    const auto run = [&](const QString& name, QStringList more) {
        const QString file = books.root() + QStringLiteral("/") + name + QStringLiteral(".csv");
        QStringList args{QStringLiteral("register"), name, QStringLiteral("--out"), file};
        args += more;
        const test::CliResult r = cli(args);
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        QFile f(file);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
        return QString::fromUtf8(f.readAll());
    };
    const QString before = run(QStringLiteral("mill-takas-pending"), {QStringLiteral("--to"), QStringLiteral("2024-06-15")});
    for (const char* taka : {"901", "902", "903"}) EXPECT_TRUE(before.contains(QString::fromUtf8(taka))) << before.toStdString();
    EXPECT_TRUE(before.contains(QStringLiteral("301.500"))) << before.toStdString();
    const QString after = run(QStringLiteral("mill-takas-pending"), {QStringLiteral("--to"), QStringLiteral("2024-06-30")});
    EXPECT_FALSE(after.contains(QStringLiteral("901"))) << after.toStdString();
    EXPECT_TRUE(after.contains(QStringLiteral("39.000"))) << after.toStdString();   // 902: 99 - 50 processed - 10 back grey
    EXPECT_TRUE(after.contains(QStringLiteral("141.000"))) << after.toStdString();  // 39 + 102 still out
    // The summary: one line of the mill's quality, two takas and 141 m out.
    const QString summary = run(QStringLiteral("mill-pending-summary"), {QStringLiteral("--to"), QStringLiteral("2024-06-30")});
    EXPECT_TRUE(summary.contains(QStringLiteral("Rapier 60 Grey"))) << summary.toStdString();
    EXPECT_TRUE(summary.contains(QStringLiteral("141.000"))) << summary.toStdString();
    EXPECT_FALSE(summary.contains(QStringLiteral("301.500"))) << summary.toStdString();
    EXPECT_TRUE(run(QStringLiteral("mill-issues-by-purchase-party"), {}).contains(QStringLiteral("Laxmi Weaving Works")));
    const QString issued = run(QStringLiteral("mill-issues-by-party"), {});
    EXPECT_TRUE(issued.contains(QStringLiteral("Surat Dyeing Mills"))) << issued.toStdString();
    EXPECT_TRUE(issued.contains(QStringLiteral("301.500"))) << issued.toStdString();
    const QString received = run(QStringLiteral("mill-receipts-by-party"), {});
    EXPECT_TRUE(received.contains(QStringLiteral("150.500"))) << received.toStdString();  // grey 100.5 + 50
    EXPECT_TRUE(received.contains(QStringLiteral("146.000"))) << received.toStdString();  // finished 97 + 49
    EXPECT_TRUE(received.contains(QStringLiteral("10.000"))) << received.toStdString();   // grey back
}

}  // namespace

namespace {

// The demonstration firm sends the takas of its weavers' bills to two mills and has most back.
TEST(MillDemoTest, TheDemoFirmsTakasGoToTwoMillsAndMostComeBack) {
    QTemporaryDir dir;
    const QString root = dir.filePath(QStringLiteral("books"));
    const test::CliResult demo = test::runCli({QStringLiteral("--data"), root, QStringLiteral("demo"), QStringLiteral("create"),
                                               QStringLiteral("--year"), QStringLiteral("2025")});
    ASSERT_EQ(demo.exitCode, 0) << demo.err.toStdString();
    EXPECT_TRUE(demo.out.contains(QStringLiteral("30 mill issues, 23 mill receipts"))) << demo.out.toStdString();
    const test::CliResult issues = test::runCli({QStringLiteral("--data"), root, QStringLiteral("mill"), QStringLiteral("issue"),
                                                 QStringLiteral("list"), QStringLiteral("--year"), QStringLiteral("2025")});
    ASSERT_EQ(issues.exitCode, 0) << issues.err.toStdString();
    EXPECT_TRUE(issues.out.contains(QStringLiteral("Surat Dyeing & Printing Mills\t")));
    EXPECT_TRUE(issues.out.contains(QStringLiteral("Navkar Process House\t")));
    // Every challan received carries its lot; those still at the mill carry none.
    int withLot = 0, without = 0;
    for (const QString& line : issues.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts).mid(1))
        (line.section(QLatin1Char('\t'), 6, 6).isEmpty() ? without : withLot)++;
    EXPECT_EQ(withLot, 23);
    EXPECT_EQ(without, 7);
}

}  // namespace
