// Report engine: layouts read from files, filled from a year database query, cut into pages and
// written as PDF; checked by reading the PDF back as a reader would.
#include "core/Words.h"
#include "domain/reports/Format.h"
#include "domain/reports/Layout.h"
#include "domain/reports/ReportError.h"
#include "domain/reports/ReportService.h"
#include "support/PdfProbe.h"
#include "support/YearFixture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tanabana;
using namespace tanabana::reports;

namespace {

void writeFile(const QString& path, const QByteArray& text) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
}

// A sales register as the register screens hand it over: party-wise, sub-totals and a total.
const char* kSalesRegister = R"({
  "kind": "register",
  "page": { "size": "A4", "margins": [12, 12, 12, 12] },
  "parameters": [ { "name": "Title" }, { "name": "Filters" } ],
  "heading": [ "{FirmNAme}" ],
  "title": "{@Title}",
  "filters": "{@Filters}",
  "columns": [
    { "field": "BillNo", "caption": "Bill No", "width": 22 },
    { "field": "BillDate", "caption": "Date", "width": 22, "format": "dd-MM-yy" },
    { "field": "AcName", "caption": "Party" },
    { "field": "Mtrs", "caption": "Mtrs", "width": 26, "format": "0.000", "total": true },
    { "field": "Amt", "caption": "Amount", "width": 32, "format": "#,##0.00", "total": true }
  ],
  "groups": [ { "column": "AcName", "title": "{AcName}", "subtotal": "Sub Tot" } ],
  "total": "Total"
})";

class ReportEngine : public ::testing::Test {
protected:
    void SetUp() override {
        TANABANA_REQUIRE_ENGINE();
        year = std::make_unique<test::YearFixture>();
        auto& db = year->db();
        db.exec("CREATE TABLE TestSales (Id INTEGER, BillNo VARCHAR(20), BillDate DATE, AcName VARCHAR(60), Mtrs DOUBLE PRECISION, Amt DOUBLE PRECISION)");
        install = year->folder() + "/install";
        QDir().mkpath(install + "/Reports");
        writeFile(install + "/Reports/SalesRegister_GST_1.json", kSalesRegister);
    }

    void addBill(int id, const QString& no, QDate date, const QString& party, double mtrs, double amt) {
        year->db().exec("INSERT INTO TestSales VALUES (?, ?, ?, ?, ?, ?)", {id, no, date, party, mtrs, amt});
    }

    ReportRequest registerRequest() {
        ReportRequest r;
        r.layoutName = "SalesRegister_GST_1.rpt";
        r.sql = "SELECT BillNo, BillDate, AcName, Mtrs, Amt, ? AS FirmNAme FROM TestSales ORDER BY AcName, Id";
        r.sqlParams = {"Shree Ganesh Textiles"};
        r.parameterValues = {"Sales Register  From 01-04-2024 To 31-03-2025", "Party : All"};
        return r;
    }

    std::unique_ptr<test::YearFixture> year;
    QString install;
};

TEST_F(ReportEngine, RegisterPrintsGroupsSubTotalsAndTotalWithIndianGrouping) {
    addBill(1, "GST/1", QDate(2024, 4, 5), "Mahavir Fabrics", 1200.5, 126052.50);
    addBill(2, "GST/2", QDate(2024, 4, 9), "Anand Silk Mills", 300, 31500);
    addBill(3, "GST/3", QDate(2024, 5, 2), "Mahavir Fabrics", 9800.25, 1029026.25);
    ReportService service(install);
    auto doc = service.prepare(&year->db(), registerRequest());
    const QString pdf = install + "/register.pdf";
    service.writePdf(*doc, pdf);
    test::keepForLooking(pdf);

    const QString text = test::pdfText(pdf);
    EXPECT_TRUE(text.contains("Shree Ganesh Textiles"));
    EXPECT_TRUE(text.contains("Sales Register From 01-04-2024 To 31-03-2025") ||
                text.contains("Sales Register  From 01-04-2024 To 31-03-2025"));
    EXPECT_TRUE(text.contains("Party : All"));
    EXPECT_TRUE(text.contains("05-04-24"));
    // Anand: 300.000 / 31,500.00; Mahavir: 11000.750 / 11,55,078.75; total 11300.750 / 11,86,578.75
    EXPECT_TRUE(text.contains(QRegularExpression("Sub Tot\\s+300\\.000\\s+31,500\\.00")));
    EXPECT_TRUE(text.contains(QRegularExpression("Sub Tot\\s+11000\\.750\\s+11,55,078\\.75")));
    EXPECT_TRUE(text.contains(QRegularExpression("Total\\s+11300\\.750\\s+11,86,578\\.75")));
    EXPECT_TRUE(text.contains("10,29,026.25"));
    EXPECT_TRUE(text.contains("Page 1 of 1"));
    // Anand Silk Mills comes first (the caller's order), its heading before its bill.
    EXPECT_LT(text.indexOf("Anand Silk Mills"), text.indexOf("GST/2"));
    EXPECT_LT(text.indexOf("GST/2"), text.indexOf("GST/1"));
}

TEST_F(ReportEngine, AmountsLineUpOnTheRightEdgeOfTheirColumn) {
    addBill(1, "GST/1", QDate(2024, 4, 5), "Mahavir Fabrics", 5, 525);
    addBill(2, "GST/2", QDate(2024, 4, 9), "Mahavir Fabrics", 1200, 1234567.5);
    addBill(3, "GST/3", QDate(2024, 4, 9), "Mahavir Fabrics", 80, 8400);
    ReportService service(install);
    auto doc = service.prepare(&year->db(), registerRequest());
    const QString pdf = install + "/aligned.pdf";
    service.writePdf(*doc, pdf);
    test::keepForLooking(pdf);
    double right = -1;
    int amounts = 0;
    for (const auto& w : test::pdfWords(pdf)) {
        if (w.text != "525.00" && w.text != "12,34,567.50" && w.text != "8,400.00" && w.text != "12,43,492.50") continue;
        if (right < 0) right = w.xMax;
        EXPECT_NEAR(w.xMax, right, 0.6) << w.text.toStdString();
        ++amounts;
    }
    EXPECT_EQ(amounts, 5);  // three bills, the sub-total and the total
    // The caption "Amount" ends on the same edge.
    for (const auto& w : test::pdfWords(pdf)) {
        if (w.text == "Amount") {
            EXPECT_NEAR(w.xMax, right, 0.6);
        }
    }
}

TEST_F(ReportEngine, LongRegisterRepeatsCaptionsAndKeepsEveryBillOnce) {
    const QStringList parties = {"Anand Silk Mills", "Bharat Synthetics", "Mahavir Fabrics"};
    for (int i = 1; i <= 180; ++i)
        addBill(i, QString("GST/%1").arg(i), QDate(2024, 4, 1).addDays(i), parties.at((i - 1) / 60), 10, 1000 + i);
    ReportService service(install);
    auto doc = service.prepare(&year->db(), registerRequest());
    const QString pdf = install + "/long.pdf";
    service.writePdf(*doc, pdf);
    test::keepForLooking(pdf);

    const int pages = test::pdfPageCount(pdf);
    ASSERT_GE(pages, 4);
    EXPECT_EQ(doc->pageCount(), pages);
    for (int p = 1; p <= pages; ++p) {
        const QString page = test::pdfPageText(pdf, p);
        EXPECT_TRUE(page.contains(QRegularExpression("Bill No\\s+Date\\s+Party"))) << "captions missing on page " << p;
        EXPECT_TRUE(page.contains(QString("Page %1 of %2").arg(p).arg(pages))) << p;
    }
    // The firm and title print once, on the first page.
    EXPECT_EQ(test::pdfText(pdf).count("Shree Ganesh Textiles"), 1);
    // Every bill exactly once.
    std::map<QString, int> seen;
    for (const auto& w : test::pdfWords(pdf))
        if (w.text.startsWith("GST/")) ++seen[w.text];
    EXPECT_EQ(seen.size(), 180u);
    for (const auto& [bill, n] : seen) EXPECT_EQ(n, 1) << bill.toStdString();
    // A party continued on the next page gets its heading again, above its rows.
    const QString page2 = test::pdfPageText(pdf, 2);
    const QRegularExpression heading("^\\s*(Anand Silk Mills|Bharat Synthetics|Mahavir Fabrics)\\s*$",
                                     QRegularExpression::MultilineOption);
    EXPECT_TRUE(page2.contains(heading));
    // Totals: 180 bills, amounts 1001..1180.
    const double total = 180 * 1000 + 180 * 181 / 2;
    EXPECT_TRUE(test::pdfText(pdf).contains(QRegularExpression("Total\\s+1800\\.000\\s+" + QRegularExpression::escape(FormatIndian(total, 2)))));
}

TEST_F(ReportEngine, LongNamesWrapInsideTheirColumnAndTheRowGrows) {
    const QString longName = "Shri Venkateshwara Textile Processors and Embroidery Works Private Limited Unit Two";
    addBill(1, "GST/1", QDate(2024, 4, 5), longName, 10, 1050);
    addBill(2, "GST/2", QDate(2024, 4, 6), longName, 20, 2100);
    ReportService service(install);
    auto doc = service.prepare(&year->db(), registerRequest());
    const QString pdf = install + "/wrap.pdf";
    service.writePdf(*doc, pdf);
    test::keepForLooking(pdf);
    // Every word of the name is printed (nothing cut), and in the bill rows no word of it runs
    // into the Mtrs column.
    const auto words = test::pdfWords(pdf);
    double mtrsLeft = 1e9, firstRow = 0, subTotal = 0;
    for (const auto& w : words) {
        if (w.text == "Mtrs") mtrsLeft = std::min(mtrsLeft, w.xMin);
        if (w.text == "GST/1") firstRow = w.yMin;
        if (w.text == "Sub") subTotal = w.yMin;
    }
    ASSERT_GT(subTotal, firstRow);
    int found = 0;
    for (const auto& w : words) {
        if (w.text == "Two") ++found;
        if (longName.split(' ').contains(w.text) && w.yMin > firstRow - 2 && w.yMin < subTotal) {
            EXPECT_LT(w.xMax, mtrsLeft) << w.text.toStdString();
        }
    }
    EXPECT_GE(found, 3);  // group heading (may be on one line) and two detail rows
}

TEST_F(ReportEngine, RefusalsSayWhatIsWrongAndLeaveNoFile) {
    addBill(1, "GST/1", QDate(2024, 4, 5), "Mahavir Fabrics", 10, 1050);
    ReportService service(install);

    ReportRequest missing = registerRequest();
    missing.layoutName = "NoSuchRegister.rpt";
    try {
        service.prepare(&year->db(), missing);
        FAIL() << "a missing layout must be refused";
    } catch (const ReportError& e) {
        EXPECT_EQ(e.text(), "Report layout NoSuchRegister.rpt was not found in the Reports folder");
    }

    ReportRequest badQuery = registerRequest();
    badQuery.sql = "SELECT BillNo FROM NoSuchTable";
    try {
        service.prepare(&year->db(), badQuery);
        FAIL();
    } catch (const ReportError& e) {
        EXPECT_TRUE(e.text().startsWith("The report's query failed")) << e.text().toStdString();
    }

    ReportRequest missingColumn = registerRequest();
    missingColumn.sql = "SELECT BillNo, BillDate, AcName, Mtrs, ? AS FirmNAme FROM TestSales";
    try {
        service.prepare(&year->db(), missingColumn);
        FAIL();
    } catch (const ReportError& e) {
        EXPECT_TRUE(e.text().contains("the field {Amt} is not a column")) << e.text().toStdString();
    }

    auto doc = service.prepare(&year->db(), registerRequest());
    const QString nowhere = install + "/no/such/folder/out.pdf";
    EXPECT_THROW(service.writePdf(*doc, nowhere), ReportError);
    EXPECT_FALSE(QFile::exists(nowhere));

    // A read-only folder: the error names the file and nothing is left behind.
    const QString locked = install + "/locked";
    QDir().mkpath(locked);
    QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    if (!QFileInfo(locked).isWritable()) {
        EXPECT_THROW(service.writePdf(*doc, locked + "/out.pdf"), ReportError);
        EXPECT_TRUE(QDir(locked).entryList(QDir::Files | QDir::Hidden).isEmpty());
    }
    QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

    // A broken layout file names itself and the line.
    writeFile(install + "/Reports/Broken.json", "{\n \"kind\": \"register\",\n \"columns\": [ }\n");
    ReportRequest broken = registerRequest();
    broken.layoutName = "Broken.rpt";
    try {
        service.prepare(&year->db(), broken);
        FAIL();
    } catch (const ReportError& e) {
        EXPECT_TRUE(e.text().startsWith("Layout Broken.json is not valid JSON")) << e.text().toStdString();
        EXPECT_TRUE(e.text().contains("line 3")) << e.text().toStdString();
    }
}

TEST_F(ReportEngine, LayoutInTheInstallationOverridesTheShippedOne) {
    // The shipped broker list is used until the firm puts its own copy in Reports.
    QTemporaryDir bare;
    ReportService shipped(bare.path());
    const Layout original = shipped.loadLayout("BrokerList.rpt");
    EXPECT_TRUE(original.path.endsWith("reports/BrokerList.json")) << original.path.toStdString();
    writeFile(bare.path() + "/Reports/BrokerList.json",
              R"({"kind":"register","columns":[{"field":"PName","caption":"Broker"}],"total":null})");
    const Layout own = shipped.loadLayout("BrokerList.rpt");
    EXPECT_EQ(own.path, bare.path() + "/Reports/BrokerList.json");
}

}  // namespace
