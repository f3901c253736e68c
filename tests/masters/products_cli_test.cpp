// tanabana-cli item, broker, process and loom on a small installation of files: JSON imports that
// are all or nothing, lists as the screens show them, the next code, and refusals on stderr.
#include "domain/shell/Installation.h"
#include "domain/shell/YearChoice.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tanabana;

namespace {

struct CliRun {
    int code = -1;
    QString out, err;
};

class ProductCliTest : public ::testing::Test {
protected:
    void SetUp() override {
        books = shell::Installation::inFolder(dir.path());
        db::Database list = books.createYearList();
        shell::addYearToList(list, 2025);
        db::Database year = books.createYear(2025);
        year.exec(QStringLiteral("INSERT INTO FirmMst (Srno, PName, City) VALUES (1, 'Shree Ganesh Textiles', 'Surat'), "
                                 "(2, 'Shree Krishna Weaving', 'Surat')"));
    }
    CliRun cli(QStringList args, const QByteArray& json = {}) {
        if (!json.isEmpty()) {
            QFile f(QDir(dir.path()).filePath(QStringLiteral("in.json")));
            f.open(QIODevice::WriteOnly);
            f.write(json);
            args.replaceInStrings(QStringLiteral("FILE"), f.fileName());
        }
        QProcess p;
        p.start(QString::fromLocal8Bit(qgetenv("TANABANA_SHARE")) + QStringLiteral("/tanabana-cli"),
                QStringList{QStringLiteral("--data"), dir.path()} + args);
        p.waitForFinished(60000);
        return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
    }
    int count(const QString& table) { return books.openYear(2025).scalar(QStringLiteral("SELECT count(*) FROM ") + table).toInt(); }

    QTemporaryDir dir;
    shell::Installation books;
};

}  // namespace

TEST_F(ProductCliTest, ItemsImportListAndNumber) {
    const CliRun ok = cli({QStringLiteral("item"), QStringLiteral("import"), QStringLiteral("FILE")},
                       R"([{"ProdCode": "9", "ProdName": "Silk 60", "P1": "Red", "RAteR": "105", "Vat": 2.5, "AddTax": 2.5,
                            "hsnCode": "5407", "UNit": "MTR", "PostIn": [2]},
                           {"ProdCode": "10", "ProdName": "Cotton \"Royal\"", "CalcOn": "P", "RAteR": 80}])");
    EXPECT_EQ(ok.code, 0) << qPrintable(ok.err);
    EXPECT_EQ(ok.out.trimmed(), QStringLiteral("2 items imported."));
    EXPECT_EQ(count(QStringLiteral("ProdMst")), 3);

    const CliRun next = cli({QStringLiteral("item"), QStringLiteral("next-code")});
    EXPECT_EQ(next.out.trimmed(), QStringLiteral("11"));
    EXPECT_EQ(cli({QStringLiteral("item"), QStringLiteral("next-code"), QStringLiteral("--firm"), QStringLiteral("2")}).out.trimmed(),
              QStringLiteral("10"));

    const CliRun list = cli({QStringLiteral("item"), QStringLiteral("list")});
    const QStringList lines = list.out.trimmed().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("Id\tCode\tItem Name")));
    EXPECT_TRUE(lines[1].contains(QStringLiteral("\tCotton \"Royal\"\t"))) << qPrintable(lines[1]);
    EXPECT_TRUE(lines[1].contains(QStringLiteral("\tP\t80.00\t")));
    EXPECT_TRUE(lines[2].endsWith(QStringLiteral("\t2.50\t2.50\t5.00\t5407"))) << qPrintable(lines[2]);
}

TEST_F(ProductCliTest, ImportIsAllOrNothing) {
    const CliRun bad = cli({QStringLiteral("item"), QStringLiteral("import"), QStringLiteral("FILE")},
                        R"([{"ProdCode": "1", "ProdName": "Silk 60"}, {"ProdCode": "2", "ProdName": "Cotton", "RAteR": "8O"}])");
    EXPECT_EQ(bad.code, 1);
    EXPECT_TRUE(bad.err.contains(QStringLiteral("Rate Retail : '8O' is not a number"))) << qPrintable(bad.err);
    EXPECT_TRUE(bad.err.contains(QStringLiteral("Nothing imported: item 2 of the file was refused.")));
    EXPECT_EQ(count(QStringLiteral("ProdMst")), 0);

    const CliRun dup = cli({QStringLiteral("item"), QStringLiteral("import"), QStringLiteral("FILE")},
                        R"([{"ProdCode": "1", "ProdName": "Silk"}, {"ProdCode": "2", "ProdName": "SILK"}])");
    EXPECT_EQ(dup.code, 1);
    EXPECT_TRUE(dup.err.contains(QStringLiteral("This Product Name in Firm :Shree Ganesh Textiles Is Exist"))) << qPrintable(dup.err);
    EXPECT_EQ(count(QStringLiteral("ProdMst")), 0);

    const CliRun notJson = cli({QStringLiteral("item"), QStringLiteral("import"), QStringLiteral("FILE")}, "[{\"ProdName\": ");
    EXPECT_EQ(notJson.code, 1);
    EXPECT_TRUE(notJson.err.contains(QStringLiteral("is not JSON")));
    const CliRun missing = cli({QStringLiteral("item"), QStringLiteral("import"), QDir(dir.path()).filePath(QStringLiteral("none.json"))});
    EXPECT_EQ(missing.code, 1);
    EXPECT_TRUE(missing.err.contains(QStringLiteral("Cannot read"))) << missing.err.toStdString();
    const CliRun noYear = cli({QStringLiteral("item"), QStringLiteral("list"), QStringLiteral("--year"), QStringLiteral("2031")});
    EXPECT_EQ(noYear.code, 1);
    EXPECT_TRUE(noYear.err.contains(QStringLiteral("Selected Year is not Found")));
}

TEST_F(ProductCliTest, BrokersListsAndLooms) {
    EXPECT_EQ(cli({QStringLiteral("broker"), QStringLiteral("import"), QStringLiteral("FILE")},
                  R"([{"PName": "Ramesh Shah", "City": "Surat", "CST": "1.5"}, {"PName": "Anil Desai", "City": "Vapi", "PType": "Haste"}])")
                  .code,
              0);
    const CliRun brokers = cli({QStringLiteral("broker"), QStringLiteral("list"), QStringLiteral("--city"), QStringLiteral("Surat")});
    EXPECT_EQ(brokers.out.trimmed().split(QLatin1Char('\n')).size(), 2);
    EXPECT_TRUE(brokers.out.contains(QStringLiteral("Ramesh Shah\t\tSurat\t1.50\t\tBroker")));

    EXPECT_EQ(cli({QStringLiteral("process"), QStringLiteral("import"), QStringLiteral("FILE")},
                  R"([{"Pro_Name": "Dyeing"}, {"Pro_Name": "Red", "Mst_Type": "C"}, {"Pro_Name": "Blue", "Mst_Type": "Colour"}])")
                  .code,
              0);
    const CliRun colours = cli({QStringLiteral("process"), QStringLiteral("list"), QStringLiteral("--type"), QStringLiteral("c")});
    EXPECT_EQ(colours.out, QStringLiteral("Id\tName\tList\tActive\n3\tBlue\tColour\tYes\n2\tRed\tColour\tYes\n"));
    EXPECT_EQ(cli({QStringLiteral("process"), QStringLiteral("list"), QStringLiteral("--type"), QStringLiteral("Z")}).code, 2);

    EXPECT_EQ(cli({QStringLiteral("loom"), QStringLiteral("import"), QStringLiteral("FILE")},
                  R"({"MachineName": "L-07", "PannaNO": 52, "Pattern": "PLAIN"})")
                  .code,
              0);
    EXPECT_EQ(cli({QStringLiteral("loom"), QStringLiteral("list")}).out,
              QStringLiteral("Id\tMachine No\tPanno\tPattern\tIsActive\n1\tL-07\t52.00\tPLAIN\tYes\n"));
    const CliRun dupLoom = cli({QStringLiteral("loom"), QStringLiteral("import"), QStringLiteral("FILE")}, R"({"MachineName": "l-07"})");
    EXPECT_EQ(dupLoom.code, 1);
    EXPECT_EQ(count(QStringLiteral("Mst_Machine")), 1);
}

TEST_F(ProductCliTest, DeleteOfAnItemOnALoomOrderIsRefused) {
    ASSERT_EQ(cli({QStringLiteral("item"), QStringLiteral("import"), QStringLiteral("FILE")},
                  R"([{"ProdCode": "1", "ProdName": "Silk 60"}, {"ProdCode": "2", "ProdName": "Cotton"}])").code,
              0);
    books.openYear(2025).exec(QStringLiteral("INSERT INTO Machine_Issue (ID, FirmNo, VoucherNo, ProductId) VALUES (1, 1, 1, 1)"));
    const CliRun used = cli({QStringLiteral("item"), QStringLiteral("delete"), QStringLiteral("1")});
    EXPECT_EQ(used.code, 1);
    EXPECT_TRUE(used.err.contains(QStringLiteral("First Check Sales - Purchase - Chalan Entry !"))) << qPrintable(used.err);
    EXPECT_EQ(cli({QStringLiteral("item"), QStringLiteral("delete"), QStringLiteral("2")}).code, 0);
    EXPECT_EQ(count(QStringLiteral("ProdMst")), 1);
}
