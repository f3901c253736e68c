// tanabana-cli on a demonstration installation: production challans, taka challans and sales
// bills imported from JSON through the services (totals computed, refusals as on the screens),
// an invoice printed to PDF and read back.
#include "support/PdfProbe.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct CliRun {
    int code = -1;
    QString out, err;
};

class SellingCliTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        const CliRun demo = cli({QStringLiteral("demo"), QStringLiteral("create"), QStringLiteral("--year"), QStringLiteral("2025"),
                              QStringLiteral("--bills"), QStringLiteral("12")});
        ASSERT_EQ(demo.code, 0) << demo.err.toStdString();
        ASSERT_TRUE(demo.out.contains(QStringLiteral("12 sales bills"))) << demo.out.toStdString();
        // "Log in as ADMIN / admin."
        const QString login = demo.out.section(QStringLiteral("Log in as "), 1).section(QLatin1Char('.'), 0, 0);
        owner = login.section(QStringLiteral(" / "), 0, 0);
        ownerPassword = login.section(QStringLiteral(" / "), 1);
    }

    CliRun cli(QStringList args, const QByteArray& input = {}) {
        args.prepend(dir.filePath(QStringLiteral("books")));
        args.prepend(QStringLiteral("--data"));
        QProcess p;
        p.start(QDir(qEnvironmentVariable("TANABANA_SHARE")).filePath(QStringLiteral("tanabana-cli")), args);
        p.waitForStarted();
        if (!input.isEmpty()) p.write(input);
        p.closeWriteChannel();
        p.waitForFinished(120000);
        return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
    }

    CliRun importJson(const QString& noun, const QByteArray& json) {
        return cli({noun, QStringLiteral("import"), QStringLiteral("-"), QStringLiteral("--year"), QStringLiteral("2025")}, json);
    }

    int bills() {
        const CliRun list = cli({QStringLiteral("sales"), QStringLiteral("list"), QStringLiteral("--year"), QStringLiteral("2025")});
        return int(list.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts).size());
    }

    QTemporaryDir dir;
    QString owner, ownerPassword;
};

TEST_F(SellingCliTest, DocumentsComeInThroughTheServicesAndRefusalsWriteNothing) {
    const CliRun production = importJson(QStringLiteral("production"),
        R"({"book": 1, "date": "2025-03-10", "party": "Own Looms Production", "takas": [
             {"taka": "9001", "pcs": 20, "cut": 5.5, "mtrs": 110.25, "machine": "L3", "quality": "1"},
             {"taka": "9002", "pcs": 21, "cut": 5.5, "mtrs": 115.5, "machine": "L4", "quality": "1"}]})");
    EXPECT_EQ(production.code, 0) << production.err.toStdString();

    const CliRun duplicate = importJson(QStringLiteral("production"),
        R"({"book": 1, "date": "2025-03-11", "party": "Own Looms Production", "takas": [{"taka": "9001", "mtrs": 100, "quality": "1"}]})");
    EXPECT_NE(duplicate.code, 0);
    EXPECT_TRUE(duplicate.err.contains(QStringLiteral("Chalan NO"))) << duplicate.err.toStdString();

    const CliRun challan = importJson(QStringLiteral("challan"),
        R"({"book": 1, "number": "501", "date": "2025-03-12", "party": "Ramesh Silk Mills", "takas": ["9001", "9002"]})");
    EXPECT_EQ(challan.code, 0) << challan.err.toStdString();

    const int before = bills();
    const CliRun fromChallan = importJson(QStringLiteral("sales"), R"({"book": 1, "date": "2025-03-15", "challan": 501})");
    EXPECT_EQ(fromChallan.code, 0) << fromChallan.err.toStdString();
    const CliRun again = importJson(QStringLiteral("sales"), R"({"book": 1, "date": "2025-03-16", "challan": 501})");
    EXPECT_NE(again.code, 0);
    EXPECT_TRUE(again.err.contains(QStringLiteral("This Chalan is Already Sold !"))) << again.err.toStdString();

    const CliRun typo = importJson(QStringLiteral("sales"),
        R"({"book": 1, "date": "2025-03-16", "party": "Delhi Drapers", "lines": [{"quality": "1", "mtr": 100}]})");
    EXPECT_NE(typo.code, 0);
    EXPECT_TRUE(typo.err.contains(QStringLiteral("line 1: unknown key \"mtr\""))) << typo.err.toStdString();
    const CliRun outside = importJson(QStringLiteral("sales"),
        R"({"book": 1, "date": "2025-04-02", "party": "Delhi Drapers", "lines": [{"quality": "1", "mtrs": 100}]})");
    EXPECT_NE(outside.code, 0);
    EXPECT_TRUE(outside.err.contains(QStringLiteral("Please Select Proper Date"))) << outside.err.toStdString();
    const CliRun letters = importJson(QStringLiteral("sales"),
        R"({"book": 1, "date": "2025-03-16", "party": "Delhi Drapers", "lines": [{"quality": "1", "mtrs": "ten"}]})");
    EXPECT_NE(letters.code, 0);
    EXPECT_TRUE(letters.err.contains(QStringLiteral("\"mtrs\" is not a number: ten"))) << letters.err.toStdString();
    EXPECT_EQ(bills(), before + 1);

    const CliRun igst = importJson(QStringLiteral("sales"),
        R"({"book": 1, "number": "D-1", "date": "2025-03-20", "party": "Delhi Drapers", "transport": "VRL Logistics",
            "lines": [{"quality": "1", "mtrs": 120, "rate": 104.5, "disc": 2}, {"quality": "6", "pcs": 10}]})");
    ASSERT_EQ(igst.code, 0) << igst.err.toStdString();
    const QString pdf = dir.filePath(QStringLiteral("D-1.pdf"));
    const CliRun print = cli({QStringLiteral("sales"), QStringLiteral("print"), QStringLiteral("--number"), QStringLiteral("D-1"),
                           QStringLiteral("--out"), pdf, QStringLiteral("--year"), QStringLiteral("2025")});
    ASSERT_EQ(print.code, 0) << print.err.toStdString();
    tanabana::test::keepForLooking(pdf);
    const QString text = tanabana::test::pdfText(pdf, false);
    // 120 m at 104.50 less 2% = 12,289.20; 10 sarees at 1,150 = 11,500; IGST 614.46 + 1,380 = 1,994.46.
    for (const QString& expected : {QStringLiteral("Shree Laxmi Textiles"), QStringLiteral("M/s. Delhi Drapers"), QStringLiteral("Invoice No : GST/D-1"),
                                    QStringLiteral("12,289.20"), QStringLiteral("11,500.00"), QStringLiteral("1,994.46"),
                                    QStringLiteral("25,784.00"), QStringLiteral("VRL Logistics")})
        EXPECT_TRUE(text.contains(expected)) << expected.toStdString() << "\n" << text.toStdString();
}

TEST_F(SellingCliTest, DeliveryChallanPrintedAndBilledWithAnotherOfThePeriod) {
    const CliRun challan = importJson(QStringLiteral("challan"),
        R"({"book": 1, "number": "601", "date": "2025-03-12", "party": "Ramesh Silk Mills", "transport": "Shree Roadways",
            "order": "PO-88", "lines": [{"quality": "1", "desc": "Red, fold 2", "pcs": 4, "mtrs": 412.5, "rate": 52.25},
                                         {"quality": "1", "desc": "Blue", "pcs": 2, "mtrs": 210, "rate": 52.25}]})");
    ASSERT_EQ(challan.code, 0) << challan.err.toStdString();
    const QString pdf = dir.filePath(QStringLiteral("Chalan 601.pdf"));
    const CliRun print = cli({QStringLiteral("challan"), QStringLiteral("print"), QStringLiteral("--book"), QStringLiteral("1"),
                              QStringLiteral("--number"), QStringLiteral("601"), QStringLiteral("--out"), pdf, QStringLiteral("--year"),
                              QStringLiteral("2025")});
    ASSERT_EQ(print.code, 0) << print.err.toStdString();
    EXPECT_TRUE(print.out.contains(QStringLiteral("Challan written to"))) << print.out.toStdString();
    tanabana::test::keepForLooking(pdf);
    const QString text = tanabana::test::pdfText(pdf, false);
    // 412.5 m at 52.25 = 21,553.12 (half a paisa goes to the even digit) and 210 m = 10,972.50.
    for (const QString& expected : {QStringLiteral("DELIVERY CHALLAN"), QStringLiteral("Shree Laxmi Textiles"), QStringLiteral("M/s. Ramesh Silk Mills"),
                                    QStringLiteral("Chalan No : GST/601"), QStringLiteral("Date : 12-03-2025"), QStringLiteral("Order No : PO-88"),
                                    QStringLiteral("Transport : Shree Roadways"), QStringLiteral("Red, fold 2"), QStringLiteral("622.500"),
                                    QStringLiteral("10,972.50"), QStringLiteral("32,525.62")})
        EXPECT_TRUE(text.contains(expected)) << expected.toStdString() << "\n" << text.toStdString();
    EXPECT_EQ(tanabana::test::pdfPageCount(pdf), 1);

    const CliRun missing = cli({QStringLiteral("challan"), QStringLiteral("print"), QStringLiteral("--number"), QStringLiteral("999"),
                                QStringLiteral("--out"), dir.filePath(QStringLiteral("none.pdf")), QStringLiteral("--year"), QStringLiteral("2025")});
    EXPECT_NE(missing.code, 0);
    EXPECT_TRUE(missing.err.contains(QStringLiteral("No delivery challan 999 in book 1"))) << missing.err.toStdString();
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("none.pdf"))));

    // One bill of challans 601 and 602; neither can be billed again, and an unknown one is named.
    ASSERT_EQ(importJson(QStringLiteral("challan"), R"({"book": 1, "number": "602", "date": "2025-03-14", "party": "Ramesh Silk Mills",
                                                        "lines": [{"quality": "1", "pcs": 1, "mtrs": 100, "rate": 52.25}]})").code, 0);
    const int before = bills();
    const CliRun period = importJson(QStringLiteral("sales"),
        R"({"book": 1, "number": "P-9", "date": "2025-03-15", "party": "Ramesh Silk Mills", "challans": ["601", 602]})");
    ASSERT_EQ(period.code, 0) << period.err.toStdString();
    const CliRun again = importJson(QStringLiteral("sales"),
        R"({"book": 1, "date": "2025-03-16", "party": "Ramesh Silk Mills", "challans": ["602"]})");
    EXPECT_NE(again.code, 0);
    EXPECT_TRUE(again.err.contains(QStringLiteral("This Chalan is Already Sold !"))) << again.err.toStdString();
    const CliRun unknown = importJson(QStringLiteral("sales"),
        R"({"book": 1, "date": "2025-03-16", "party": "Ramesh Silk Mills", "challans": ["999"]})");
    EXPECT_NE(unknown.code, 0);
    EXPECT_TRUE(unknown.err.contains(QStringLiteral("challan \"999\" is not in book 1"))) << unknown.err.toStdString();
    EXPECT_EQ(bills(), before + 1);
    const CliRun list = cli({QStringLiteral("sales"), QStringLiteral("list"), QStringLiteral("--year"), QStringLiteral("2025")});
    EXPECT_TRUE(list.out.contains(QStringLiteral("1/P-9\t15-03-2025\tRamesh Silk Mills\t"))) << list.out.toStdString();
}

// The counter clerk may bill but not delete: the command line holds him to it as the screen does,
// and the bill with its journal stays; the owner then deletes it.
TEST_F(SellingCliTest, AClerkWithoutTheDeleteRightCannotDeleteABillFromTheCommandLine) {
    ASSERT_FALSE(owner.isEmpty());
    const CliRun clerk = cli({QStringLiteral("user"), QStringLiteral("create"), QStringLiteral("suresh"), QStringLiteral("--password"),
                              QStringLiteral("counter1"), QStringLiteral("--deny"), QStringLiteral("IsDelete")});
    ASSERT_EQ(clerk.code, 0) << clerk.err.toStdString();
    ASSERT_EQ(importJson(QStringLiteral("sales"), R"({"book": 1, "number": "D-7", "date": "2025-03-18", "party": "Ramesh Silk Mills",
                                                     "lines": [{"quality": "1", "mtrs": 40, "rate": 60}]})").code, 0);
    auto ledger = [this] {
        return cli({QStringLiteral("ledger"), QStringLiteral("balances"), QStringLiteral("--year"), QStringLiteral("2025")}).out;
    };
    const int before = bills();
    const QString balances = ledger();
    ASSERT_TRUE(balances.contains(QStringLiteral("Ramesh Silk Mills"))) << balances.toStdString();
    auto remove = [this](const QString& user, const QString& password) {
        return cli({QStringLiteral("sales"), QStringLiteral("delete"), QStringLiteral("--book"), QStringLiteral("1"), QStringLiteral("--number"),
                    QStringLiteral("D-7"), QStringLiteral("--user"), user, QStringLiteral("--password"), password, QStringLiteral("--year"),
                    QStringLiteral("2025")});
    };

    const CliRun refused = remove(QStringLiteral("suresh"), QStringLiteral("counter1"));
    EXPECT_EQ(refused.code, 1);
    EXPECT_TRUE(refused.err.contains(QStringLiteral("No Right: You Have No Right To Delete Entries."))) << refused.err.toStdString();
    EXPECT_TRUE(refused.err.contains(QStringLiteral("Sales bill D-7 was not deleted."))) << refused.err.toStdString();
    const CliRun wrongPassword = remove(QStringLiteral("suresh"), QStringLiteral("counter2"));
    EXPECT_EQ(wrongPassword.code, 1);
    EXPECT_TRUE(wrongPassword.err.contains(QStringLiteral("INVALID USER NAME OR PASSOWORD"))) << wrongPassword.err.toStdString();
    EXPECT_EQ(bills(), before);
    EXPECT_EQ(ledger(), balances);

    const CliRun deleted = remove(owner, ownerPassword);
    ASSERT_EQ(deleted.code, 0) << deleted.err.toStdString();
    EXPECT_TRUE(deleted.out.contains(QStringLiteral("This Sales Invoice Is Deleted!"))) << deleted.out.toStdString();
    EXPECT_EQ(bills(), before - 1);
    EXPECT_NE(ledger(), balances);
}

}  // namespace

TEST_F(SellingCliTest, DemoFirmKeepsOneChartAndItsJournalBalances) {
    // The first start gives firm 1 its chart; the demonstration firm must not add a second one.
    const CliRun ramesh = cli({QStringLiteral("account"), QStringLiteral("list"), QStringLiteral("--prefix"), QStringLiteral("Ramesh"),
                               QStringLiteral("--year"), QStringLiteral("2025")});
    ASSERT_EQ(ramesh.code, 0) << ramesh.err.toStdString();
    EXPECT_EQ(ramesh.out.count(QStringLiteral("Ramesh Silk Mills")), 1) << ramesh.out.toStdString();
    const CliRun cash = cli({QStringLiteral("account"), QStringLiteral("list"), QStringLiteral("--prefix"), QStringLiteral("Cash"),
                             QStringLiteral("--year"), QStringLiteral("2025")});
    EXPECT_EQ(cash.out.count(QStringLiteral("\tCash\t")), 1) << cash.out.toStdString();
    const CliRun books = cli({QStringLiteral("book"), QStringLiteral("list"), QStringLiteral("--year"), QStringLiteral("2025")});
    ASSERT_EQ(books.code, 0) << books.err.toStdString();
    QStringList bookNumbers;
    for (const QString& line : books.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts).mid(1)) bookNumbers << line.section(QLatin1Char('\t'), 0, 0);
    EXPECT_EQ(bookNumbers.size(), QSet<QString>(bookNumbers.begin(), bookNumbers.end()).size()) << books.out.toStdString();

    // Every sales bill posted whole: the trial balance of the year is zero.
    const CliRun balances = cli({QStringLiteral("ledger"), QStringLiteral("balances"), QStringLiteral("--year"), QStringLiteral("2025")});
    ASSERT_EQ(balances.code, 0) << balances.err.toStdString();
    const QString total = balances.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts).last().simplified();
    EXPECT_EQ(total, QStringLiteral("Total 0.00")) << balances.out.toStdString();
    EXPECT_EQ(balances.out.count(QStringLiteral("Ramesh Silk Mills")), 1) << balances.out.toStdString();
}

TEST_F(SellingCliTest, SalesFileIsSavedWholeOrNotAtAllAndUnnumberedBillsTakeFreeNumbers) {
    const int before = bills();
    // The third bill names a quality the firm does not have: the first two must not stay.
    const CliRun bad = importJson(QStringLiteral("sales"),
        R"([{"book": 1, "number": "K-1", "date": "2025-01-10", "party": "Ramesh Silk Mills", "lines": [{"quality": "1", "mtrs": 100}]},
            {"book": 1, "number": "K-2", "date": "2025-01-11", "party": "Ramesh Silk Mills", "lines": [{"quality": "1", "mtrs": 50}]},
            {"book": 1, "number": "K-3", "date": "2025-01-12", "party": "Ramesh Silk Mills", "lines": [{"quality": "98765", "mtrs": 10}]}])");
    EXPECT_EQ(bad.code, 1);
    EXPECT_TRUE(bad.err.contains(QStringLiteral("sales bill 3")) && bad.err.contains(QStringLiteral("nothing of - was saved"))) << bad.err.toStdString();
    EXPECT_EQ(bills(), before);

    // Back-dated bills without numbers, September, then May, then April: each takes a number of its own.
    const CliRun backDated = importJson(QStringLiteral("sales"),
        R"([{"book": 1, "date": "2024-09-09", "party": "Ramesh Silk Mills", "lines": [{"quality": "1", "mtrs": 100}]},
            {"book": 1, "date": "2024-05-13", "party": "Ramesh Silk Mills", "lines": [{"quality": "1", "mtrs": 60}]},
            {"book": 1, "date": "2024-04-05", "party": "Ramesh Silk Mills", "lines": [{"quality": "1", "mtrs": 30}]}])");
    ASSERT_EQ(backDated.code, 0) << backDated.err.toStdString();
    EXPECT_EQ(bills(), before + 3);

    // Two importers at once: both files are saved and no number is given twice.
    const QByteArray three =
        R"([{"book": 1, "date": "2025-02-01", "party": "Delhi Drapers", "lines": [{"quality": "1", "mtrs": 10}]},
            {"book": 1, "date": "2025-02-02", "party": "Delhi Drapers", "lines": [{"quality": "1", "mtrs": 20}]},
            {"book": 1, "date": "2025-02-03", "party": "Delhi Drapers", "lines": [{"quality": "1", "mtrs": 30}]}])";
    QProcess first, second;
    for (QProcess* p : {&first, &second}) {
        p->start(QDir(qEnvironmentVariable("TANABANA_SHARE")).filePath(QStringLiteral("tanabana-cli")),
                 {QStringLiteral("--data"), dir.filePath(QStringLiteral("books")), QStringLiteral("sales"), QStringLiteral("import"),
                  QStringLiteral("-"), QStringLiteral("--year"), QStringLiteral("2025")});
        ASSERT_TRUE(p->waitForStarted());
    }
    for (QProcess* p : {&first, &second}) {
        p->write(three);
        p->closeWriteChannel();
    }
    for (QProcess* p : {&first, &second}) {
        ASSERT_TRUE(p->waitForFinished(120000));
        EXPECT_EQ(p->exitCode(), 0) << p->readAllStandardError().toStdString();
    }
    const CliRun list = cli({QStringLiteral("sales"), QStringLiteral("list"), QStringLiteral("--year"), QStringLiteral("2025")});
    QStringList numbers;
    for (const QString& line : list.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) numbers << line.section(QLatin1Char('\t'), 1, 1);
    EXPECT_EQ(numbers.size(), before + 9);
    EXPECT_EQ(QSet<QString>(numbers.begin(), numbers.end()).size(), numbers.size()) << list.out.toStdString();
}
