// tanabana-cli firm, account and book on a small installation of files: JSON imports through the
// screens' services that are all or nothing, opening balances with the accounts, accounts and
// books named by code, lists as the screens show them, and refusals printed with the system's
// words and a non-zero exit (TANABANA_USES_CLI).
#include "support/CliRun.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace tanabana;

namespace {

class MastersCli : public ::testing::Test {
protected:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("TANABANA_SHARE")) GTEST_SKIP() << "run through ctest";
    }
    test::CliResult run(const QStringList& args, const QByteArray& json = {}) {
        QStringList all{QStringLiteral("--data"), books.root()};
        all << args;
        if (!json.isEmpty()) {
            QFile f(QDir(books.root()).filePath(QStringLiteral("in.json")));
            EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(json);
            f.close();
            all << f.fileName();
        }
        all << QStringLiteral("--year") << QStringLiteral("2025");
        return test::runCli(all);
    }
    int count(const QString& table, const QString& where = QStringLiteral("1 = 1")) {
        return books.db().scalar(QStringLiteral("SELECT count(*) FROM ") + table + QStringLiteral(" WHERE ") + where).toInt();
    }
    test::YearFolder books{2025};
};

}  // namespace

TEST_F(MastersCli, AccountsWithOpeningBalancesRoundTrip) {
    const test::CliResult ok = run({QStringLiteral("account"), QStringLiteral("import")},
                                   R"([{"AcName": "Ramesh Silk Mills", "GrpNo": 35, "City": "Surat", "CSTNo": "24-Gujarat",
                                        "TinNo": "24AABCR1234F1ZY", "CrDays": "45", "OpAmount": 25000, "OpType": "D"},
                                       {"AcName": "Mahalaxmi Dyeing \"Unit 2\"", "GrpNo": 77, "City": "Pandesara", "OpAmount": "1250.50",
                                        "OpType": "Credit", "OpDate": "2024-04-01"},
                                       {"AcName": "Rajlaxmi Sarees", "GrpNo": 35, "CSTNo": "27-Maharashtra", "IsOgs": "Yes"}])");
    ASSERT_EQ(ok.exitCode, 0) << qPrintable(ok.err);
    EXPECT_EQ(ok.out.trimmed(), QStringLiteral("3 accounts imported."));

    const test::CliResult list = run({QStringLiteral("account"), QStringLiteral("list")});
    ASSERT_EQ(list.exitCode, 0) << qPrintable(list.err);
    const QStringList lines = list.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    EXPECT_EQ(lines.front(), QStringLiteral("Id\tA/c No\tA/c Name\tGroup\tCity\tGSTIN\tState\tOpening"));
    const auto line = [&](const QString& name) {
        for (const QString& l : lines)
            if (l.contains(QLatin1Char('\t') + name + QLatin1Char('\t'))) return l.section(QLatin1Char('\t'), 1);
        return QString();
    };
    EXPECT_EQ(line(QStringLiteral("Ramesh Silk Mills")),
              QStringLiteral("35R001\tRamesh Silk Mills\tSundry Debtors\tSurat\t24AABCR1234F1ZY\t24-Gujarat\t25000.00 Dr"));
    EXPECT_EQ(line(QStringLiteral("Mahalaxmi Dyeing \"Unit 2\"")),
              QStringLiteral("77M001\tMahalaxmi Dyeing \"Unit 2\"\tSundry Creditors (Job Work)\tPandesara\t\t\t1250.50 Cr"));
    EXPECT_EQ(line(QStringLiteral("Rajlaxmi Sarees")), QStringLiteral("35R002\tRajlaxmi Sarees\tSundry Debtors\t\t\t27-Maharashtra\t"));
    EXPECT_EQ(books.db().scalar(QStringLiteral("SELECT DrAmt FROM AccMst WHERE LedgerId = '35R001' AND FirmNo = 1")).toDouble(), 25000.0);

    // changing an account named by its code keeps its code and balance
    const test::CliResult change = run({QStringLiteral("account"), QStringLiteral("import")},
                                       R"({"LedgerId": "35R001", "AcName": "Ramesh Silk Mills", "GrpNo": 35, "City": "Navsari",
                                           "CSTNo": "24-Gujarat", "TinNo": "24AABCR1234F1ZY"})");
    ASSERT_EQ(change.exitCode, 0) << qPrintable(change.err);
    EXPECT_EQ(books.db().scalar(QStringLiteral("SELECT City FROM AccMst WHERE LedgerId = '35R001' AND FirmNo = 1")).toString(),
              QStringLiteral("Navsari"));
    EXPECT_EQ(count(QStringLiteral("AccMst"), QStringLiteral("AcName = 'Ramesh Silk Mills'")), 1);
}

TEST_F(MastersCli, RefusedAccountUndoesTheWholeFile) {
    const int accounts = count(QStringLiteral("AccMst"));
    const test::CliResult bad = run({QStringLiteral("account"), QStringLiteral("import")},
                                    R"([{"AcName": "Krishna Creation", "GrpNo": 35, "OpAmount": 5000, "OpType": "D"},
                                        {"AcName": "Sai Fabrics", "GrpNo": 35, "CSTNo": "24-Gujarat", "TinNo": "24AABCS1234F1Z"}])");
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_TRUE(bad.err.contains(QStringLiteral("GSTIN Mismatch: GSTIN Is Not 15 Character"))) << qPrintable(bad.err);
    EXPECT_TRUE(bad.err.contains(QStringLiteral("Nothing imported: account 2 of the file was refused."))) << qPrintable(bad.err);
    EXPECT_EQ(count(QStringLiteral("AccMst")), accounts);
    EXPECT_EQ(count(QStringLiteral("AccMstOpBal")), 0);

    const test::CliResult duplicate = run({QStringLiteral("account"), QStringLiteral("import")},
                                          R"([{"AcName": "Krishna Creation", "GrpNo": 35}, {"AcName": "Krishna Creation", "GrpNo": 35}])");
    EXPECT_EQ(duplicate.exitCode, 1);
    EXPECT_TRUE(duplicate.err.contains(QStringLiteral("A/c Duplicate: This A/C Name in Firm :Shree Ganesh Textiles Is Exist Please Enter Another NAme")))
        << qPrintable(duplicate.err);
    EXPECT_EQ(count(QStringLiteral("AccMst")), accounts);

    const test::CliResult wrongType = run({QStringLiteral("account"), QStringLiteral("import")},
                                          R"({"AcName": "Krishna Creation", "GrpNo": 35, "OpAmount": 5000, "OpType": "X"})");
    EXPECT_EQ(wrongType.exitCode, 1);
    EXPECT_TRUE(wrongType.err.contains(QStringLiteral("Wrong Value: OpType must be D or C"))) << qPrintable(wrongType.err);
    EXPECT_EQ(count(QStringLiteral("AccMst")), accounts);
}

TEST_F(MastersCli, BooksByAccountCodeAndRefusalWithoutAccount) {
    const int before = count(QStringLiteral("BookMst"));
    const qint64 highest = books.db().scalar(QStringLiteral("SELECT max(BookNO) FROM BookMst")).toLongLong();
    const QString salesCode =
        books.db().scalar(QStringLiteral("SELECT LedgerId FROM AccMst WHERE GrpNo = 1 AND IsGrp = 0 AND FirmNo = 1 ORDER BY Id")).toString();
    const test::CliResult ok = run({QStringLiteral("book"), QStringLiteral("import")},
                                   QStringLiteral(R"([{"BookType": "S", "BookShortName": "EXP/", "SaleId": "%1", "SalesName": "Export Sales",
                                                     "BillType": "Export"}])")
                                       .arg(salesCode)
                                       .toUtf8());
    ASSERT_EQ(ok.exitCode, 0) << qPrintable(ok.err);
    EXPECT_EQ(ok.out.trimmed(), QStringLiteral("1 book imported."));
    const test::CliResult list = run({QStringLiteral("book"), QStringLiteral("list")});
    EXPECT_TRUE(list.out.contains(QStringLiteral("%1\tS\tEXP/\t\tExport Sales\t\t%2\tExport").arg(highest + 1).arg(salesCode))) << qPrintable(list.out);

    const test::CliResult bad = run({QStringLiteral("book"), QStringLiteral("import")},
                                    R"([{"BookType": "P", "BookShortName": "PUR2/", "PurAccId": "Purchase Of Gold"}])");
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_TRUE(bad.err.contains(QStringLiteral("No Account Name Found: PurAccId: \"Purchase Of Gold\" is not an account of the firm")))
        << qPrintable(bad.err);
    const test::CliResult none = run({QStringLiteral("book"), QStringLiteral("import")}, R"({"BookType": "S", "BookShortName": "X/"})");
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_TRUE(none.err.contains(QStringLiteral("No Account Name Found: Please Select Account Name For Book"))) << qPrintable(none.err);
    EXPECT_EQ(count(QStringLiteral("BookMst")), before + 1);
}

TEST_F(MastersCli, FirmImportGivesTheNewFirmItsBooksAndRefusesATakenName) {
    const test::CliResult ok = run({QStringLiteral("firm"), QStringLiteral("import")},
                                   R"({"PName": "Shree Krishna Weaving", "City": "Surat", "CST": "24-Gujarat", "Tin": "24AABCS1234F1ZX",
                                       "Soft_Type": 9, "Is_Sales_RndOff": "Yes"})");
    ASSERT_EQ(ok.exitCode, 0) << qPrintable(ok.err);
    EXPECT_EQ(ok.out.trimmed(), QStringLiteral("1 firm imported."));
    const test::CliResult list = run({QStringLiteral("firm"), QStringLiteral("list")});
    EXPECT_TRUE(list.out.contains(QStringLiteral("   2  Shree Krishna Weaving"))) << qPrintable(list.out);
    EXPECT_EQ(count(QStringLiteral("BookMst"), QStringLiteral("FirmNO = 2")), count(QStringLiteral("BookMst"), QStringLiteral("FirmNO = 1")));
    EXPECT_GT(count(QStringLiteral("AccMst"), QStringLiteral("FirmNo = 2")), 20);

    const int accounts = count(QStringLiteral("AccMst"));
    const test::CliResult bad = run({QStringLiteral("firm"), QStringLiteral("import")},
                                    R"([{"PName": "Shree Ram Fabrics", "CST": "27-Maharashtra", "Tin": "24AABCS1234F1ZX"}])");
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_TRUE(bad.err.contains(QStringLiteral("GSTIN Mismatch: GSTIN State Code Problem"))) << qPrintable(bad.err);
    const test::CliResult taken = run({QStringLiteral("firm"), QStringLiteral("import")}, R"({"PName": "Shree Krishna Weaving"})");
    EXPECT_EQ(taken.exitCode, 1);
    EXPECT_TRUE(taken.err.contains(QStringLiteral("Duplicate Name: This Name Is Exist, Please Enter Another NAme"))) << qPrintable(taken.err);
    EXPECT_EQ(count(QStringLiteral("FirmMst")), 2);
    EXPECT_EQ(count(QStringLiteral("AccMst")), accounts);
}
