// tanabana-cli gst: the check of July's sales (clean, then with a buyer's GSTIN mistyped), the
// GSTR-1 files written all the same after the warning, GSTR-3B listed, printed to PDF and filled
// into its workbook, the returns printed as their screens show them, a month of the next year and
// an unreadable month refused with nothing written. TANABANA_USES_CLI.
#include "domain/reports/Xlsx.h"
#include "support/CliRun.h"
#include "support/GstFirm.h"
#include "support/PdfProbe.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace tanabana;

namespace {

class GstCliTest : public ::testing::Test {
protected:
    void SetUp() override {
        firm.build();
        ASSERT_FALSE(HasFailure());
    }
    QString path(const QString& name) const { return books.root() + QLatin1Char('/') + name; }
    test::CliResult gst(const QStringList& arguments) { return test::runCli(QStringList{"--data", books.root(), "gst"} + arguments); }

    test::YearFolder books{2025};
    RecordingMessages messages;
    test::GstFirm firm{books.db(), books.session, messages};
};

TEST_F(GstCliTest, CheckListsTheFaultsAndTheFilesAreWrittenAfterTheWarning) {
    const test::CliResult clean = gst({"check", "--month", "07-2024"});
    EXPECT_EQ(clean.exitCode, 0) << clean.err.toStdString();
    EXPECT_EQ(clean.out.trimmed(), "No problems in the sales of 07-2024.");

    books.db().exec(QStringLiteral("UPDATE AccMst SET TinNo = '24AABCR1234F1Z5' WHERE Id = ?"), {firm.suratFabrics});
    const test::CliResult faulty = gst({"check", "--month", "07-2024"});
    EXPECT_EQ(faulty.exitCode, 1);
    const QString fault = QStringLiteral("GSTIN 24AABCR1234F1Z5 fails its check digit (the last character would be Y for the first fourteen). "
                                         "Fix: Correct the party's GSTIN in the account master.");
    EXPECT_EQ(faulty.out.split('\n', Qt::SkipEmptyParts),
              (QStringList{"GST/104  04-07-2024  Surat Fabrics: " + fault, "GST/107  07-07-2024  Surat Fabrics: " + fault}));
    EXPECT_EQ(faulty.err.trimmed(), "2 problem(s) to mend before uploading the return.");

    const test::CliResult files = gst({"gstr1", "--month", "07-2024", "--out", path("GSTR_CSV"), "--json"});
    ASSERT_EQ(files.exitCode, 0) << files.err.toStdString();
    EXPECT_TRUE(files.err.startsWith("Warning: GST/104  04-07-2024  Surat Fabrics: GSTIN 24AABCR1234F1Z5")) << files.err.toStdString();
    EXPECT_TRUE(files.out.trimmed().endsWith(QStringLiteral("Your GSTR-1 File Is Ready in %1 Folder").arg(QDir::toNativeSeparators(path("GSTR_CSV")))));
    const QStringList written = QDir(path("GSTR_CSV")).entryList(QDir::Files, QDir::Name);
    EXPECT_EQ(written, (QStringList{"GSTR1_24AAACS1234A1Z8_072024.json", "at.csv", "atadj.csv", "b2b.csv", "b2cl.csv", "b2cs.csv", "cdnr.csv",
                                    "cdnur.csv", "exemp.csv", "exp.csv", "hsn.csv"}));
    QFile b2b(path("GSTR_CSV/b2b.csv"));
    ASSERT_TRUE(b2b.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(b2b.readAll()).count(QStringLiteral("24AABCR1234F1Z5,Surat Fabrics,GST/104")), 2);
}

TEST_F(GstCliTest, Gstr3bIsListedAndPrinted) {
    const test::CliResult r = gst({"gstr3b", "--month", "07-2024", "--out", path("gstr3b.pdf"), "--xlsx", path("3b.xlsx")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_GE(lines.size(), 4);
    EXPECT_TRUE(lines.at(1).startsWith("3.1(a)   Outward taxable supplies (other than zero rated, nil rated and exempted)"));
    EXPECT_TRUE(lines.at(1).simplified().endsWith("8,12,690.38 23,859.52 8,737.50 8,737.50")) << lines.at(1).toStdString();
    EXPECT_TRUE(r.out.contains("08-Rajasthan: Supplies made to Unregistered Persons")) << r.out.toStdString();
    const QString text = test::pdfText(path("gstr3b.pdf"), false).simplified();
    EXPECT_TRUE(text.contains("GSTR-3B For The Month Of July 2024")) << text.toStdString();
    EXPECT_TRUE(text.contains("GSTIN : 24AAACS1234A1Z8"));
    EXPECT_TRUE(text.contains("8,12,690.38"));
    EXPECT_TRUE(text.contains("4. Eligible ITC"));

    // The form's workbook: 3.1(a) on its row, Rajasthan under 3.2's captions.
    const auto sheets = reports::readXlsx(path("3b.xlsx"));
    ASSERT_EQ(sheets.size(), 1u);
    QStringList rows;
    for (const auto& c : sheets[0].cells) {
        if (c.column != 0) continue;
        QStringList cells;
        for (const auto& d : sheets[0].cells)
            if (d.row == c.row) cells << (d.value.typeId() == QMetaType::Double ? QString::number(d.value.toDouble(), 'f', 2) : d.value.toString());
        rows << cells.join(QLatin1Char('|'));
    }
    EXPECT_TRUE(rows.contains("3.1(a)|(a) Outward taxable supplies (other than zero rated, nil rated and exempted)|812690.38|23859.52|8737.50|8737.50|0.00"))
        << rows.join('\n').toStdString();
    EXPECT_TRUE(rows.contains("3.2|08-Rajasthan|476190.48|23809.52|0.00|0.00|0.00|0.00"));

    // A bare --xlsx writes it into the installation's Knvs_GSTR folder.
    ASSERT_EQ(gst({"gstr3b", "--month", "07-2024", "--xlsx"}).exitCode, 0);
    EXPECT_TRUE(QFile::exists(path("Knvs_GSTR/KNVS_GSTR3B_Jul-2024.XLSx")));
}

TEST_F(GstCliTest, ReturnsPrintAsTheirScreensShowThem) {
    const test::CliResult gstr1 = gst({"print", "gstr1", "--month", "07-2024", "--out", path("gstr1.pdf")});
    ASSERT_EQ(gstr1.exitCode, 0) << gstr1.err.toStdString();
    QStringList lines;
    for (const QString& line : test::pdfText(path("gstr1.pdf")).split('\n')) lines << line.simplified();
    EXPECT_TRUE(lines.contains("GSTR-1 For The Month Of July 2024"));
    EXPECT_TRUE(lines.contains("B2CL : Large inter-State invoices to unregistered persons"));
    EXPECT_TRUE(lines.contains("Jaipur Cloth House GST/102 02-07-2024 08 2,50,000.01 5 2,38,095.24 11,904.76")) << lines.join('\n').toStdString();

    const test::CliResult summary = gst({"print", "summary", "--month", "07-2024", "--kind", "3 A Sales Only", "--out", path("sales.xlsx")});
    ASSERT_EQ(summary.exitCode, 0) << summary.err.toStdString();
    const auto sheets = reports::readXlsx(path("sales.xlsx"));
    ASSERT_EQ(sheets.size(), 1u);
    bool subTotal = false;
    for (const auto& c : sheets[0].cells) subTotal = subTotal || c.value.toString() == "Sub Tot";
    EXPECT_TRUE(subTotal) << "the detail kinds print with their sub-totals";

    const test::CliResult kind = gst({"print", "summary", "--month", "07-2024", "--kind", "9. Everything", "--out", path("x.pdf")});
    EXPECT_EQ(kind.exitCode, 2);
    EXPECT_TRUE(kind.err.startsWith("--kind is one of: 1. Summary, 2. Detail")) << kind.err.toStdString();
    const test::CliResult which = gst({"print", "gstr4", "--month", "07-2024", "--out", path("x.pdf")});
    EXPECT_EQ(which.exitCode, 2);
    EXPECT_FALSE(QFile::exists(path("x.pdf")));
}

TEST_F(GstCliTest, AMonthOfAnotherYearOrAnUnreadableMonthIsRefused) {
    const test::CliResult next = gst({"gstr1", "--month", "04-2025", "--out", path("April")});
    EXPECT_EQ(next.exitCode, 1);
    EXPECT_EQ(next.err.trimmed(), "The period 01-04-2025 to 30-04-2025 is outside the open year 01-04-2024 to 31-03-2025.");
    EXPECT_FALSE(QDir(path("April")).exists());

    const test::CliResult unreadable = gst({"check", "--month", "2024-07"});
    EXPECT_EQ(unreadable.exitCode, 2);
    EXPECT_TRUE(unreadable.err.startsWith("--month takes a month as MM-YYYY, e.g. 08-2024")) << unreadable.err.toStdString();
}

}  // namespace
