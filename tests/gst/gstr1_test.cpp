// GSTR-1 of a small Surat firm's July 2024 and January 2025 (TANABANA_BOTH_ENGINES): which section
// each bill lands in (the B2CL threshold of each date, intra-state above it, an invoice of two
// rates, an export), the HSN summary and its split by recipient, the documents issued, the ten
// CSV files with the offline tool's header lines, the portal JSON against the CSV figures, a
// re-run replacing the files, an empty month and a month outside the year.
#include "domain/gst/GstRules.h"
#include "domain/gst/Gstr1.h"
#include "domain/gst/Gstr1Files.h"
#include "support/GstFirm.h"
#include "support/YearFixture.h"
#include "support/Amounts.h"
#include "support/QtPrinting.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tanabana;
using namespace tanabana::gst;

namespace {

class Gstr1Test : public ::testing::Test {
protected:
    void SetUp() override {
        TANABANA_REQUIRE_ENGINE();
        year_ = std::make_unique<test::YearFixture>();
        firm_ = std::make_unique<test::GstFirm>(year_->db(), year_->session, year_->messages);
        firm_->build();
        ASSERT_FALSE(HasFailure());
        // The bills at the thresholds carry exactly the amounts the sections are decided on.
        ASSERT_EQ(billAmount(firm_->july101), "250000.00");
        ASSERT_EQ(billAmount(firm_->july102), "250000.01");
        ASSERT_EQ(billAmount(firm_->jan201), "100000.01");
        ASSERT_EQ(billAmount(firm_->jan202), "100000.00");
    }
    QString billAmount(qint64 id) {
        return Decimal::fromVariant(year_->db().scalar(QStringLiteral("SELECT BillAmount FROM SalBillMst WHERE Id = ?"), {id})).toString(2);
    }
    Gstr1 month(int m, int y) { return Gstr1Service(year_->db(), year_->session).compute(*ReturnPeriod::month(QStringLiteral("%1-%2").arg(m).arg(y))); }
    static QStringList lines(const QString& path) {
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
        return QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }
    static QString invoiceRow(const InvoiceRateRow& r) {
        return QStringList{r.document.number, r.document.date.toString(QStringLiteral("dd-MM-yyyy")), r.gstin, r.placeOfSupply,
                           r.invoiceValue.toString(2), rateText(r.rate), r.taxable.toString(2), r.igst.toString(2), r.cgst.toString(2),
                           r.sgst.toString(2)}
            .join(QLatin1Char('|'));
    }
    static QStringList invoiceRows(const std::vector<InvoiceRateRow>& rows) {
        QStringList out;
        for (const auto& r : rows) out << invoiceRow(r);
        return out;
    }

    std::unique_ptr<test::YearFixture> year_;
    std::unique_ptr<test::GstFirm> firm_;
};

TEST_F(Gstr1Test, JulyBillsLandInTheirSectionsAtTheOldThreshold) {
    const Gstr1 r = month(7, 2024);
    EXPECT_EQ(r.firmGstin, "24AAACS1234A1Z8");
    // The invoice of two rates gives two rows of one number and one value; the IGST bill one row.
    EXPECT_EQ(invoiceRows(r.b2b), (QStringList{"GST/104|04-07-2024|24AABCR1234F1ZY|24-Gujarat|22225.00|5|10500.00|0.00|262.50|262.50",
                                               "GST/104|04-07-2024|24AABCR1234F1ZY|24-Gujarat|22225.00|12|10000.00|0.00|600.00|600.00",
                                               "GST/106|06-07-2024|07AADCD4321P1ZJ|07-Delhi|1049.90|5|999.90|50.00|0.00|0.00"}));
    // 250000.01 is above 2,50,000; exactly 250000.00 is not.
    EXPECT_EQ(invoiceRows(r.b2cl), (QStringList{"GST/102|02-07-2024||08-Rajasthan|250000.01|5|238095.24|11904.76|0.00|0.00"}));
    // Unregistered sales per state and rate, ordered by rate then state; the intra-state bill of
    // 3,30,750 stays here above the threshold.
    ASSERT_EQ(r.b2cs.size(), 2u);
    EXPECT_EQ(r.b2cs[0].placeOfSupply, "08-Rajasthan");
    EXPECT_TRUE(r.b2cs[0].interState);
    EXPECT_EQ(r.b2cs[0].taxable.toString(2), "238095.24");
    EXPECT_EQ(r.b2cs[0].igst.toString(2), "11904.76");
    EXPECT_EQ(r.b2cs[1].placeOfSupply, "24-Gujarat");
    EXPECT_FALSE(r.b2cs[1].interState);
    EXPECT_EQ(r.b2cs[1].taxable.toString(2), "315000.00");
    EXPECT_EQ(r.b2cs[1].cgst.toString(2), "7875.00");
    EXPECT_EQ(r.b2cs[1].sgst.toString(2), "7875.00");
    // The export is only in its own section, whatever its value.
    ASSERT_EQ(r.exp.size(), 1u);
    EXPECT_EQ(invoiceRow(r.exp[0]), "GST/105|05-07-2024||96-Other Countries|330750.00|5|315000.00|15750.00|0.00|0.00");
    EXPECT_EQ(r.exp[0].exportType, "WPAY");
    EXPECT_EQ(r.exp[0].portCode, "INNSA1");
    EXPECT_EQ(r.exp[0].shippingBillNo, "SB4455667");
    for (const auto* section : {&r.b2b, &r.b2cl})
        for (const auto& row : *section) EXPECT_NE(row.document.id, firm_->july105);

    EXPECT_EQ(r.b2bSummary.parties, 2);
    EXPECT_EQ(r.b2bSummary.invoices, 2);
    EXPECT_EQ(r.b2bSummary.invoiceValue.toString(2), "23274.90");
    EXPECT_EQ(r.b2bSummary.taxable.toString(2), "21499.90");
    EXPECT_EQ(r.b2csSummary.invoices, 2);
    EXPECT_EQ(r.b2csSummary.invoiceValue.toString(2), "580750.00");

    // HSN: every sale of the month, the export included, per HSN, unit and rate.
    ASSERT_EQ(r.hsn.size(), 3u);
    EXPECT_FALSE(r.hsnSplit);
    EXPECT_EQ(r.hsn[0].hsn, "5208");
    EXPECT_EQ(r.hsn[0].uqc, "PCS-PIECES");
    EXPECT_EQ(r.hsn[0].quantity.toString(3), "10.000");
    EXPECT_EQ(r.hsn[0].taxable.toString(2), "10000.00");
    EXPECT_EQ(r.hsn[0].cgst.toString(2), "600.00");
    EXPECT_EQ(r.hsn[1].hsn, "5311");
    EXPECT_EQ(r.hsn[1].rate.toString(2), "0.00");
    EXPECT_EQ(r.hsn[1].taxable.toString(2), "5000.00");
    EXPECT_EQ(r.hsn[2].hsn, "5407");
    EXPECT_EQ(r.hsn[2].description, "Fabrics of 5407");
    EXPECT_EQ(r.hsn[2].quantity.toString(3), "6112.000");
    EXPECT_EQ(r.hsn[2].taxable.toString(2), "1117690.38");
    EXPECT_EQ(r.hsn[2].igst.toString(2), "39609.52");
    EXPECT_EQ(r.hsn[2].cgst.toString(2), "8137.50");
    EXPECT_EQ(r.hsn[2].totalValue.toString(2), "1173574.90");

    ASSERT_EQ(r.documents.size(), 1u);
    EXPECT_EQ(r.documents[0].nature, "Invoices for outward supply");
    EXPECT_EQ(r.documents[0].from, "GST/101");
    EXPECT_EQ(r.documents[0].to, "GST/107");
    EXPECT_EQ(r.documents[0].total, 7);
    // The nil-rated bill to a registered buyer of the state is in the nil table only.
    ASSERT_EQ(r.nil.size(), 4u);
    EXPECT_EQ(r.nil[1].description, "Intra-State supplies to registered persons");
    EXPECT_EQ(r.nil[1].nilRated.toString(2), "5000.00");
    EXPECT_TRUE(r.nil[0].nilRated.isZero());
    EXPECT_TRUE(r.nil[2].nilRated.isZero());
    EXPECT_TRUE(r.nil[3].nilRated.isZero());
}

TEST_F(Gstr1Test, JanuaryTakesTheLowerThresholdAndSplitsTheHsnSummary) {
    const Gstr1 r = month(1, 2025);
    EXPECT_EQ(invoiceRows(r.b2cl), (QStringList{"GST/201|10-01-2025||08-Rajasthan|100000.01|5|95238.10|4761.90|0.00|0.00"}));
    ASSERT_EQ(r.b2cs.size(), 1u);
    EXPECT_EQ(r.b2cs[0].taxable.toString(2), "95238.10");
    EXPECT_EQ(invoiceRows(r.b2b), (QStringList{"GST/203|12-01-2025|24AABCR1234F1ZY|24-Gujarat|1102.50|5|1050.00|0.00|26.25|26.25"}));

    ASSERT_TRUE(r.hsnSplit);
    ASSERT_EQ(r.hsnB2b.size(), 1u);
    EXPECT_EQ(r.hsnB2b[0].quantity.toString(3), "10.000");
    EXPECT_EQ(r.hsnB2b[0].taxable.toString(2), "1050.00");
    ASSERT_EQ(r.hsnB2c.size(), 1u);
    EXPECT_EQ(r.hsnB2c[0].quantity.toString(3), "2.000");
    EXPECT_EQ(r.hsnB2c[0].taxable.toString(2), "190476.20");
    EXPECT_EQ(r.hsnB2c[0].igst.toString(2), "9523.81");
    ASSERT_EQ(r.hsn.size(), 1u);
    EXPECT_EQ(r.hsn[0].taxable.toString(2), "191526.20");

    // The rules by date, as the decisions record them.
    EXPECT_EQ(b2clThreshold(QDate(2024, 7, 31)).toString(2), "250000.00");
    EXPECT_EQ(b2clThreshold(QDate(2024, 8, 1)).toString(2), "100000.00");
    EXPECT_FALSE(hsnSplitByRecipient(QDate(2024, 12, 1)));
    EXPECT_EQ(hsnDigitsRequired(QDate(2024, 7, 1), true), 6);
    EXPECT_EQ(hsnDigitsRequired(QDate(2024, 7, 1), false), 4);
}

TEST_F(Gstr1Test, CsvFilesCarryTheOfflineToolsHeadersAndTheRows) {
    QTemporaryDir dir;
    const QStringList written = writeGstr1Csv(month(7, 2024), dir.path());
    EXPECT_EQ(written.size(), 10);
    const std::vector<std::pair<const char*, const char*>> headers = {
        {"b2b.csv", "GSTIN/UIN of Recipient,Receiver Name,Invoice Number,Invoice date,Invoice Value,Place Of Supply,Reverse Charge,"
                    "Applicable % of Tax Rate,Invoice Type,E-Commerce GSTIN,Rate,Taxable Value,Cess Amount"},
        {"b2cl.csv", "Invoice Number,Invoice date,Invoice Value,Place Of Supply,Rate,Taxable Value,Cess Amount,E-Commerce GSTIN"},
        {"b2cs.csv", "Type,Place Of Supply,Rate,Taxable Value,Cess Amount,E-Commerce GSTIN"},
        {"cdnr.csv", "GSTIN/UIN of Recipient,Receiver Name,Invoice/Advance Receipt Number,Invoice/Advance Receipt date,"
                     "Note/Refund Voucher Number,Note/Refund Voucher date,Document Type,Reason For Issuing document,Place Of Supply,"
                     "Note/Refund Voucher Value,Rate,Taxable Value,Cess Amount,Pre GST"},
        {"cdnur.csv", "UR Type,Note/Refund Voucher Number,Note/Refund Voucher date,Document Type,Invoice/Advance Receipt Number,"
                      "Invoice/Advance Receipt date,Reason For Issuing document,Place Of Supply,Note/Refund Voucher Value,Rate,Taxable Value,"
                      "Cess Amount,Pre GST"},
        {"exp.csv", "Export Type,Invoice Number,Invoice date,Invoice Value,Port Code,Shipping Bill Number,Shipping Bill Date,Rate,"
                    "Taxable Value"},
        {"at.csv", "Place Of Supply,Rate,Gross Advance Received,Cess Amount"},
        {"atadj.csv", "Place Of Supply,Rate,Gross Advance Adjusted,Cess Amount"},
        {"exemp.csv", "Description,Nil Rated Supplies,Exempted (Other than nil rated/non GST Supply),Non-GST Supplies"},
        {"hsn.csv", "HSN,Description,UQC,Total Quantity,Total Value,Taxable Value,Integrated Tax Amount,Central Tax Amount,"
                    "State/UT Tax Amount,Cess Amount"},
    };
    for (const auto& [name, header] : headers) {
        const QStringList l = lines(QDir(dir.path()).filePath(QString::fromLatin1(name)));
        ASSERT_FALSE(l.isEmpty()) << name;
        EXPECT_EQ(l.first(), QString::fromLatin1(header)) << name;
    }
    const QDir folder(dir.path());
    EXPECT_EQ(lines(folder.filePath("b2b.csv")).mid(1),
              (QStringList{"24AABCR1234F1ZY,Surat Fabrics,GST/104,04-Jul-2024,22225.00,24-Gujarat,N,,Regular B2B,,5,10500.00,",
                           "24AABCR1234F1ZY,Surat Fabrics,GST/104,04-Jul-2024,22225.00,24-Gujarat,N,,Regular B2B,,12,10000.00,",
                           "07AADCD4321P1ZJ,Delhi Textiles Pvt Ltd,GST/106,06-Jul-2024,1049.90,07-Delhi,N,,Regular B2B,,5,999.90,"}));
    EXPECT_EQ(lines(folder.filePath("b2cl.csv")).mid(1), (QStringList{"GST/102,02-Jul-2024,250000.01,08-Rajasthan,5,238095.24,,"}));
    EXPECT_EQ(lines(folder.filePath("b2cs.csv")).mid(1),
              (QStringList{"OE,08-Rajasthan,5,238095.24,,", "OE,24-Gujarat,5,315000.00,,"}));
    EXPECT_EQ(lines(folder.filePath("exp.csv")).mid(1),
              (QStringList{"WPAY,GST/105,05-Jul-2024,330750.00,INNSA1,SB4455667,07-Jul-2024,5,315000.00"}));
    EXPECT_EQ(lines(folder.filePath("hsn.csv")).mid(1),
              (QStringList{"5208,Fabrics of 5208,PCS-PIECES,10.00,11200.00,10000.00,0.00,600.00,600.00,0.00",
                           "5311,Fabrics of 5311,MTR-METERS,50.00,5000.00,5000.00,0.00,0.00,0.00,0.00",
                           "5407,Fabrics of 5407,MTR-METERS,6112.00,1173574.90,1117690.38,39609.52,8137.50,8137.50,0.00"}));
    EXPECT_EQ(lines(folder.filePath("exemp.csv")).mid(1),
              (QStringList{"Inter-State supplies to registered persons,0.00,0.00,0.00", "Intra-State supplies to registered persons,5000.00,0.00,0.00",
                           "Inter-State supplies to unregistered persons,0.00,0.00,0.00",
                           "Intra-State supplies to unregistered persons,0.00,0.00,0.00"}));
    for (const char* headerOnly : {"cdnr.csv", "cdnur.csv", "at.csv", "atadj.csv"}) EXPECT_EQ(lines(folder.filePath(headerOnly)).size(), 1) << headerOnly;
}

TEST_F(Gstr1Test, JsonHoldsThePortalsKeysAndTheCsvFigures) {
    QTemporaryDir dir;
    const Gstr1 r = month(7, 2024);
    writeGstr1Csv(r, dir.path());
    const QString path = writeGstr1Json(r, dir.path());
    EXPECT_TRUE(path.endsWith(QStringLiteral("GSTR1_24AAACS1234A1Z8_072024.json")));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QJsonObject root = QJsonDocument::fromJson(file.readAll()).object();
    EXPECT_EQ(root.value("gstin").toString(), "24AAACS1234A1Z8");
    EXPECT_EQ(root.value("fp").toString(), "072024");

    // B2B: one entry per buyer, one invoice each, one item per rate; sums equal the CSV's.
    const QJsonArray b2b = root.value("b2b").toArray();
    ASSERT_EQ(b2b.size(), 2);
    const QJsonObject surat = b2b.at(0).toObject();
    EXPECT_EQ(surat.value("ctin").toString(), "24AABCR1234F1ZY");
    const QJsonObject inv = surat.value("inv").toArray().at(0).toObject();
    EXPECT_EQ(inv.value("inum").toString(), "GST/104");
    EXPECT_EQ(inv.value("idt").toString(), "04-07-2024");
    EXPECT_EQ(inv.value("val").toDouble(), 22225.0);
    EXPECT_EQ(inv.value("pos").toString(), "24");
    EXPECT_EQ(inv.value("rchrg").toString(), "N");
    EXPECT_EQ(inv.value("inv_typ").toString(), "R");
    const QJsonArray items = inv.value("itms").toArray();
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(items.at(0).toObject().value("num").toInt(), 501);
    EXPECT_EQ(items.at(1).toObject().value("itm_det").toObject().value("camt").toDouble(), 600.0);
    const QJsonObject delhiItem = b2b.at(1).toObject().value("inv").toArray().at(0).toObject().value("itms").toArray().at(0).toObject();
    EXPECT_EQ(delhiItem.value("itm_det").toObject().value("iamt").toDouble(), 50.0);
    EXPECT_FALSE(delhiItem.value("itm_det").toObject().contains("camt"));

    auto csvColumnSum = [&](const char* name, int column) {
        Decimal sum;
        for (const QString& l : lines(QDir(dir.path()).filePath(QString::fromLatin1(name))).mid(1)) sum += d(l.split(',').at(column).toLatin1());
        return sum.toDouble();
    };
    double b2bTaxable = 0;
    for (const auto& party : b2b)
        for (const auto& i : party.toObject().value("inv").toArray())
            for (const auto& item : i.toObject().value("itms").toArray()) b2bTaxable += item.toObject().value("itm_det").toObject().value("txval").toDouble();
    EXPECT_DOUBLE_EQ(b2bTaxable, csvColumnSum("b2b.csv", 11));

    const QJsonArray b2cl = root.value("b2cl").toArray();
    ASSERT_EQ(b2cl.size(), 1);
    EXPECT_EQ(b2cl.at(0).toObject().value("pos").toString(), "08");
    EXPECT_EQ(b2cl.at(0).toObject().value("inv").toArray().at(0).toObject().value("val").toDouble(), csvColumnSum("b2cl.csv", 2));

    const QJsonArray b2cs = root.value("b2cs").toArray();
    ASSERT_EQ(b2cs.size(), 2);
    double b2csTaxable = 0;
    for (const auto& s : b2cs) b2csTaxable += s.toObject().value("txval").toDouble();
    EXPECT_DOUBLE_EQ(b2csTaxable, csvColumnSum("b2cs.csv", 3));
    EXPECT_EQ(b2cs.at(0).toObject().value("sply_ty").toString(), "INTER");
    EXPECT_EQ(b2cs.at(1).toObject().value("sply_ty").toString(), "INTRA");
    EXPECT_EQ(b2cs.at(1).toObject().value("typ").toString(), "OE");

    const QJsonObject exp = root.value("exp").toArray().at(0).toObject();
    EXPECT_EQ(exp.value("exp_typ").toString(), "WPAY");
    const QJsonObject expInvoice = exp.value("inv").toArray().at(0).toObject();
    EXPECT_EQ(expInvoice.value("sbpcode").toString(), "INNSA1");
    EXPECT_EQ(expInvoice.value("sbdt").toString(), "07-07-2024");
    EXPECT_EQ(expInvoice.value("itms").toArray().at(0).toObject().value("iamt").toDouble(), 15750.0);

    const QJsonArray hsn = root.value("hsn").toObject().value("data").toArray();
    ASSERT_EQ(hsn.size(), 3);
    EXPECT_EQ(hsn.at(0).toObject().value("uqc").toString(), "PCS");
    EXPECT_EQ(hsn.at(2).toObject().value("uqc").toString(), "MTR");
    EXPECT_EQ(hsn.at(2).toObject().value("num").toInt(), 3);
    double hsnTaxable = 0;
    for (const auto& h : hsn) hsnTaxable += h.toObject().value("txval").toDouble();
    EXPECT_DOUBLE_EQ(hsnTaxable, csvColumnSum("hsn.csv", 5));

    const QJsonObject docs = root.value("doc_issue").toObject().value("doc_det").toArray().at(0).toObject();
    EXPECT_EQ(docs.value("doc_num").toInt(), 1);
    const QJsonObject series = docs.value("docs").toArray().at(0).toObject();
    EXPECT_EQ(series.value("from").toString(), "GST/101");
    EXPECT_EQ(series.value("to").toString(), "GST/107");
    EXPECT_EQ(series.value("totnum").toInt(), 7);
    EXPECT_EQ(series.value("net_issue").toInt(), 7);
    const QJsonArray nil = root.value("nil").toObject().value("inv").toArray();
    ASSERT_EQ(nil.size(), 1);
    EXPECT_EQ(nil.at(0).toObject().value("sply_ty").toString(), "INTRAB2B");
    EXPECT_EQ(nil.at(0).toObject().value("nil_amt").toDouble(), csvColumnSum("exemp.csv", 1));
    EXPECT_FALSE(root.contains("cdnr"));
}

TEST_F(Gstr1Test, ReRunReplacesFilesAndAnEmptyMonthWritesHeadersOnly) {
    QTemporaryDir dir;
    const QDir folder(dir.path());
    writeGstr1Csv(month(1, 2025), dir.path());
    ASSERT_TRUE(folder.exists("hsn_b2b.csv"));
    // Line totals, without the bill's other charge; the two lines' IGST of 4,761.905 summed exactly.
    EXPECT_EQ(lines(folder.filePath("hsn_b2c.csv")).mid(1),
              (QStringList{"5407,Fabrics of 5407,MTR-METERS,2.00,200000.00,190476.20,9523.81,0.00,0.00,0.00"}));
    EXPECT_EQ(lines(folder.filePath("b2cl.csv")).size(), 2);

    // June has no sales: every file is its header alone, and January's split files are gone.
    const QStringList written = writeGstr1Csv(month(6, 2024), dir.path());
    EXPECT_EQ(written.size(), 10);
    EXPECT_FALSE(folder.exists("hsn_b2b.csv"));
    EXPECT_FALSE(folder.exists("hsn_b2c.csv"));
    for (const auto& [name, header] : gstr1CsvFiles()) EXPECT_EQ(lines(folder.filePath(name)), QStringList{header.join(',')}) << name.toStdString();
    EXPECT_EQ(folder.entryList(QDir::Files).size(), 10);
}

TEST_F(Gstr1Test, ASupplyToAnSezUnitIsB2bOfItsOwnType) {
    const Gstr1 r = month(8, 2024);
    // August's other bills are to unregistered buyers of SellingFirm.
    EXPECT_EQ(invoiceRows(r.b2b), (QStringList{"GST/110|25-08-2024|24AAHCS4321K1ZE|24-Gujarat|1103.00|5|1050.00|52.50|0.00|0.00"}));
    QTemporaryDir dir;
    writeGstr1Csv(r, dir.path());
    EXPECT_EQ(lines(QDir(dir.path()).filePath("b2b.csv")).mid(1),
              (QStringList{"24AAHCS4321K1ZE,Hazira SEZ Textiles,GST/110,25-Aug-2024,1103.00,24-Gujarat,N,,SEZ supplies with payment,,5,1050.00,"}));
    const QJsonObject invoice = gstr1Json(r).value("b2b").toArray().at(0).toObject().value("inv").toArray().at(0).toObject();
    EXPECT_EQ(invoice.value("inv_typ").toString(), "SEWP");
    EXPECT_EQ(invoice.value("itms").toArray().at(0).toObject().value("itm_det").toObject().value("iamt").toDouble(), 52.5);
}

TEST_F(Gstr1Test, AMonthOutsideTheYearIsRefused) {
    const int bills = year_->count(QStringLiteral("SalBillMst"));
    try {
        month(4, 2025);
        FAIL() << "April 2025 is in the next year";
    } catch (const GstError& e) {
        EXPECT_EQ(e.text(), "The period 01-04-2025 to 30-04-2025 is outside the open year 01-04-2024 to 31-03-2025.");
    }
    EXPECT_FALSE(ReturnPeriod::month(QStringLiteral("13-2024")).has_value());
    EXPECT_FALSE(ReturnPeriod::month(QStringLiteral("08/2024")).has_value());
    EXPECT_EQ(year_->count(QStringLiteral("SalBillMst")), bills);
}

}  // namespace
