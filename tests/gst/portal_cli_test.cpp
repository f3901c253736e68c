// tanabana-cli gst on the buying side: GSTR-2 of July listed, the portal's GSTR-2A JSON imported
// for the month it names, matched, a near miss confirmed by its row and the mismatches written to
// a workbook; a file of the wrong shape refused with nothing kept. TANABANA_USES_CLI.
#include "domain/reports/Xlsx.h"
#include "support/CliRun.h"
#include "support/GstBuyingFirm.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace tanabana;

namespace {

class PortalCliTest : public ::testing::Test {
protected:
    void SetUp() override {
        firm.build();
        ASSERT_FALSE(HasFailure());
    }
    QString path(const QString& name) const { return books.root() + QLatin1Char('/') + name; }
    test::CliResult gst(const QStringList& arguments) { return test::runCli(QStringList{"--data", books.root(), "gst"} + arguments); }
    int rows() { return books.db().scalar(QStringLiteral("SELECT COUNT(*) FROM GSTR2_A")).toInt(); }

    // The portal's GSTR-2A download of July: MY/55 as in the books, MY-0056 at a rupee less.
    QString julyJson(const QJsonValue& value = QJsonValue(1049.0)) {
        auto invoice = [](const char* number, const char* date, const QJsonValue& value, double taxable, double igst) {
            return QJsonObject{{"inum", number}, {"idt", date}, {"val", value}, {"pos", "24"}, {"rchrg", "N"}, {"inv_typ", "R"},
                               {"itms", QJsonArray{QJsonObject{{"num", 501}, {"itm_det", QJsonObject{{"rt", 5}, {"txval", taxable}, {"iamt", igst},
                                                                                                      {"camt", 0}, {"samt", 0}, {"csamt", 0}}}}}}};
        };
        const QJsonObject root{{"gstin", "24AAACS1234A1Z8"}, {"fp", "072024"},
                               {"b2b", QJsonArray{QJsonObject{{"ctin", "27AABCM9876C1Z7"}, {"cfs", "Y"},
                                                              {"inv", QJsonArray{invoice("MY/55", "10-07-2024", 5250.0, 5000, 250),
                                                                                 invoice("MY-0056", "20-07-2024", value, 1000, 50)}}}}}};
        QFile f(path(QStringLiteral("returns_072024_R2A.json")));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QJsonDocument(root).toJson());
        return f.fileName();
    }

    test::YearFolder books{2025};
    RecordingMessages messages;
    test::GstBuyingFirm firm{books.db(), books.session, messages};
};

TEST_F(PortalCliTest, Gstr2IsListedSectionBySection) {
    const test::CliResult r = gst({"gstr2", "--month", "07-2024"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
    EXPECT_EQ(lines.value(0), "B2B (1)");
    EXPECT_TRUE(lines.value(1).startsWith("  27AABCM9876C1Z7 | MY/55 | 10-Jul-2024 | 5250.00")) << lines.value(1).toStdString();
    EXPECT_EQ(lines.value(2), "B2BUR (2)");
    EXPECT_TRUE(r.out.contains("exemp (2)\n  Inter-State supplies | 0.00 | 0.00 | 0.00 | 0.00\n  Intra-State supplies | 1500.00 | 2000.00 | 0.00 | 3000.00"))
        << r.out.toStdString();
    const test::CliResult matched = gst({"gstr2", "--month", "07-2024", "--matched"});
    EXPECT_TRUE(matched.out.startsWith("B2B (0)\nB2BUR (0)")) << matched.out.toStdString();
}

TEST_F(PortalCliTest, ImportMatchConfirmAndExportTheMismatches) {
    trade::PurchaseBill my56 = firm.goods(QStringLiteral("MY/56"), firm.mumbai, test::SellingFirm::kRapier, "10", "100", "2.5");
    my56.date = QDate(2024, 7, 20);
    const qint64 my56Id = firm.buy(my56);

    const test::CliResult imported = gst({"import-2a", julyJson()});
    ASSERT_EQ(imported.exitCode, 0) << imported.err.toStdString();
    EXPECT_EQ(imported.out, "2 row(s) of GSTR-2A kept for 07-2024.\nGSTR2 A Imported\n");

    const test::CliResult matched = gst({"match", "--month", "07-2024"});
    ASSERT_EQ(matched.exitCode, 0) << matched.err.toStdString();
    const QRegularExpression proposal(QStringLiteral("Portal row (\\d+)  27AABCM9876C1Z7  MY-0056  20-07-2024  1,049.00  Proposed: MY/56 of 20-07-2024, 1,050.00"));
    const auto found = proposal.match(matched.out);
    ASSERT_TRUE(found.hasMatch()) << matched.out.toStdString();
    EXPECT_TRUE(matched.out.contains("GSTR-2A: 2 invoices on the portal, 1 matched, 1 proposed; 3 bills in the books, 1 matched"));
    EXPECT_EQ(books.db().scalar(QStringLiteral("SELECT Is_GstR2A FROM BillMst WHERE Id = ?"), {my56Id}).toInt(), 0);

    const test::CliResult confirmed = gst({"match", "--month", "07-2024", "--confirm", found.captured(1), "--out", path("mismatch.xlsx")});
    ASSERT_EQ(confirmed.exitCode, 0) << confirmed.err.toStdString();
    EXPECT_TRUE(confirmed.out.contains("2 invoices on the portal, 2 matched, 0 proposed; 3 bills in the books, 2 matched")) << confirmed.out.toStdString();
    EXPECT_EQ(books.db().scalar(QStringLiteral("SELECT Is_GstR2A FROM BillMst WHERE Id = ?"), {my56Id}).toInt(), 1);
    const auto sheets = reports::readXlsx(path("mismatch.xlsx"));
    ASSERT_EQ(sheets.size(), 1u);
    // title, firm and period, header, and the composition dealer's bill, which no portal lists
    EXPECT_EQ(sheets[0].rowCount(), 5);
    QStringList last;
    for (const auto& c : sheets[0].cells)
        if (c.row == 4 && c.value.typeId() == QMetaType::QString) last << c.value.toString();
    EXPECT_EQ(last, (QStringList{"Books", "24AAFCW1111H1ZT", "Udhna Stationers", "US/12", "Tax Inv.", "N", "Not on portal"}));
}

TEST_F(PortalCliTest, AFileOfTheWrongShapeKeepsNothing) {
    ASSERT_EQ(gst({"import-2a", julyJson()}).exitCode, 0);
    const test::CliResult bad = gst({"import-2a", julyJson(QJsonValue(QStringLiteral("1,0x9")))});
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_EQ(bad.err.trimmed(), "b2b[0].inv[1].val: \"1,0x9\" is not a number");
    EXPECT_EQ(rows(), 2);
    const test::CliResult june = gst({"import-2a", julyJson(), "--month", "06-2024"});
    EXPECT_EQ(june.exitCode, 1);
    EXPECT_EQ(june.err.trimmed(), "The file is the GSTR-2A of 07-2024, not of 06-2024.");
    const test::CliResult nothing = gst({"match", "--month", "08-2024"});
    EXPECT_EQ(nothing.exitCode, 1);
    EXPECT_EQ(nothing.err.trimmed(), "No GSTR-2A is imported for 08-2024: import the portal's file first.");
}

}  // namespace
