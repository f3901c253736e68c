// tanabana-cli report: the print forms over a year database or a CSV file, to PDF and workbook;
// refusals on standard error with nothing written.
#include "domain/reports/Xlsx.h"
#include "support/PdfProbe.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct CliRun {
    int code = -1;
    QString out;
    QString err;
};

CliRun cli(const QStringList& args) {
    QProcess p;
    p.start(QDir(qEnvironmentVariable("TANABANA_SHARE")).filePath("tanabana-cli"), args);
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

class CliReport : public ::testing::Test {
protected:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("TANABANA_SHARE")) GTEST_SKIP() << "run through ctest";
        root = dir.filePath("books");
        const CliRun r = cli({"--data", root, "install", "create", "--user", "anil", "--password", "pw", "--year", "2025",
                              "--firm", "Shree Ganesh Textiles"});
        ASSERT_EQ(r.code, 0) << r.err.toStdString();
        QFile csv(dir.filePath("brokers.csv"));
        ASSERT_TRUE(csv.open(QIODevice::WriteOnly));
        csv.write("PName,Add1,City,CST,Ph,PType,FirmNAme,FirmAdd1\n"
                  "Ramesh Shah,\"12, Ring Road\",Surat,1.5,9824012345,B,Shree Ganesh Textiles,Ring Road Surat\n"
                  "Mohan D'Souza,Udhna Darwaja,Surat,0.75,,H,Shree Ganesh Textiles,Ring Road Surat\n");
    }
    QTemporaryDir dir;
    QString root;
};

TEST_F(CliReport, LayoutOverTheYearsDataToPdf) {
    const QString pdf = dir.filePath("forms.pdf");
    const CliRun r = cli({"--data", root, "report", "render", "BrokerList.rpt", "Print Copies as On : 01-04-2024", "--year", "2025",
                          "--sql",
                          "SELECT f.PName AS PName, f.PShort AS Add1, 'Surat' AS City, f.PrnNO AS CST, '' AS Ph, 'B' AS PType, "
                          "m.PName AS FirmNAme, '' AS FirmAdd1 FROM FormMst f, FirmMst m WHERE f.Id IN (3, 21) ORDER BY f.Id",
                          "--out", pdf});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, pdf + ": 1 page(s), 2 row(s)\n");
    EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
    const QString text = tanabana::test::pdfText(pdf);
    EXPECT_TRUE(text.contains("Shree Ganesh Textiles"));
    EXPECT_TRUE(text.contains("Print Copies as On : 01-04-2024"));
    EXPECT_TRUE(text.contains(QRegularExpression("Sales\\s+SAL\\s+Surat\\s+3\\.00")));
    EXPECT_TRUE(text.contains(QRegularExpression("Credit Note\\s+CRN\\s+Surat\\s+3\\.00")));
}

TEST_F(CliReport, CsvToWorkbookAndTemplate) {
    const QString book = dir.filePath("brokers.xlsx");
    CliRun r = cli({"report", "render", "BrokerList.rpt", "Broker List", "--csv", dir.filePath("brokers.csv"), "--out", book});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const auto sheets = tanabana::reports::readXlsx(book);
    ASSERT_EQ(sheets.size(), 1u);
    QStringList firstColumn;
    for (const auto& c : sheets[0].cells)
        if (c.column == 0) firstColumn << c.value.toString();
    EXPECT_EQ(firstColumn, QStringList({"Shree Ganesh Textiles", "Ring Road Surat", "Broker List", "Name", "Ramesh Shah", "Mohan D'Souza"}));

    // Rows into a copy of a template: the template is the workbook just written.
    QFile::copy(book, QDir(root).filePath("Broker_Template.xlsx"));
    const QString filled = dir.filePath("filled.xlsx");
    r = cli({"--data", root, "report", "template", "broker_template.XLSX", "--csv", dir.filePath("brokers.csv"), "--out", filled});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const auto out = tanabana::reports::readXlsx(filled);
    EXPECT_EQ(out[0].rowCount(), 6 + 2);
}

TEST_F(CliReport, RefusalsGoToStandardErrorAndWriteNothing) {
    const QString pdf = dir.filePath("x.pdf");
    CliRun r = cli({"report", "render", "NoSuchLayout.rpt", "--csv", dir.filePath("brokers.csv"), "--out", pdf});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err.trimmed(), "Report layout NoSuchLayout.rpt was not found in the Reports folder");
    r = cli({"--data", root, "report", "render", "BrokerList.rpt", "--year", "2025", "--sql", "SELECT * FROM NoSuchTable", "--out", pdf});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.startsWith("The report's query failed")) << r.err.toStdString();
    r = cli({"report", "render", "BrokerList.rpt", "--csv", dir.filePath("brokers.csv"), "--out", dir.filePath("none/x.pdf")});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains("does not exist")) << r.err.toStdString();
    r = cli({"report", "render", "BrokerList.rpt", "--out", pdf});
    EXPECT_EQ(r.code, 2);
    r = cli({"--data", root, "report", "template", "Sale_Detail.Xlsx", "--csv", dir.filePath("brokers.csv"), "--out", dir.filePath("t.xlsx")});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err.trimmed(), "No File Found: Sale_Detail.Xlsx");
    EXPECT_FALSE(QFile::exists(pdf));
    EXPECT_FALSE(QFile::exists(dir.filePath("t.xlsx")));
}

}  // namespace
