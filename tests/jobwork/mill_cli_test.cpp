// tanabana-cli mill on an installation of its own: a weaver's bill bought by the command line,
// its takas sent to a mill and received back from JSON through the services, all or nothing,
// and both lists. TANABANA_USES_CLI
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
