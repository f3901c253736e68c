// tanabana-cli register: the party-wise sales register of August written as CSV for one party,
// the challans still pending as PDF, and the refusals (a party nobody is called, a file ending the
// command cannot write) with nothing written. TANABANA_USES_CLI.
#include "support/CliRun.h"
#include "support/PdfProbe.h"
#include "support/SellingFirm.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace tanabana;

namespace {

class RegisterCliTest : public ::testing::Test {
protected:
    void SetUp() override {
        firm.build();
        ASSERT_FALSE(HasFailure());
    }
    QString path(const QString& name) const { return books.root() + QLatin1Char('/') + name; }

    test::YearFolder books{2025};
    RecordingMessages messages;
    test::SellingFirm firm{books.db(), books.session, messages};
};

TEST_F(RegisterCliTest, PartyRegisterAsCsvAndPendingChallansAsPdf) {
    const test::CliResult r = test::runCli({"--data", books.root(), "register", "sales-by-party", "--from", "01-08-2024", "--to",
                                            "31-08-2024", "--party", "ramesh silk mills", "--out", path("ramesh.csv")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("2 row(s), Sales Register (Party Wise)  From 01-08-2024 To 31-08-2024")));
    QFile csv(path("ramesh.csv"));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(csv.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    EXPECT_EQ(lines, (QStringList{"Bill No,Date,Book,Pcs,Mtrs,Taxable Amt,SGST,CGST,IGST,TCS,Other (+/-),Net Amt",
                                  "Ramesh Silk Mills  Surat",
                                  "GST/1,05-08-2024,Sales GST,0,100.000,10500.00,262.50,262.50,0.00,0.00,0.00,11025.00",
                                  "R/1,12-08-2024,Retail Sales,10,0.000,10000.00,600.00,600.00,0.00,0.00,0.00,11200.00",
                                  "Sub Tot,,,10,100.000,20500.00,862.50,862.50,0.00,0.00,0.00,22225.00",
                                  "Total,,,10,100.000,20500.00,862.50,862.50,0.00,0.00,0.00,22225.00"}));

    const test::CliResult p = test::runCli({"--data", books.root(), "register", "challans-pending", "--out", path("pending.pdf")});
    ASSERT_EQ(p.exitCode, 0) << p.err.toStdString();
    const QString text = test::pdfText(path("pending.pdf"), false).simplified();
    EXPECT_TRUE(text.contains(QStringLiteral("Pending Challan Summary From 01-04-2024 To 31-03-2025"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("14,752.50")));
}

TEST_F(RegisterCliTest, UnknownPartyAndUnwritableEndingAreRefusedWithNothingWritten) {
    const test::CliResult r = test::runCli({"--data", books.root(), "register", "sales-by-date", "--party", "Nobody's Looms", "--out",
                                            path("nobody.csv")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("No party of this firm is named \"Nobody's Looms\""))) << r.err.toStdString();
    EXPECT_FALSE(QFile::exists(path("nobody.csv")));

    const test::CliResult t = test::runCli({"--data", books.root(), "register", "production", "--out", path("takas.txt")});
    EXPECT_EQ(t.exitCode, 1);
    EXPECT_TRUE(t.err.contains(QStringLiteral("A register is written as .pdf, .xlsx or .csv, not takas.txt"))) << t.err.toStdString();
    EXPECT_FALSE(QFile::exists(path("takas.txt")));

    const test::CliResult q = test::runCli({"--data", books.root(), "register", "challans", "--item", "Saree Zari", "--from", "2024-13-01",
                                            "--out", path("x.csv")});
    EXPECT_NE(q.exitCode, 0);
    EXPECT_TRUE(q.err.contains(QStringLiteral("--from takes a date"))) << q.err.toStdString();
}

}  // namespace
