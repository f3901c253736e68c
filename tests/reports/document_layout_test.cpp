// Document layouts (bills, challans): boxes, lines, a QR code, the handed-over picture, one bill
// per page run with its own page numbers, amount in words, and parameters filled by position.
#include "domain/reports/Format.h"
#include "domain/reports/Qr.h"
#include "domain/reports/ReportError.h"
#include "domain/reports/ReportService.h"
#include "support/PdfProbe.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tanabana;
using namespace tanabana::reports;

namespace {

const char* kChallan = R"({
  "page": { "size": "A5", "orientation": "landscape", "margins": 8 },
  "font": { "size": 9 },
  "parameters": [
    { "name": "PmBillId", "type": "number", "default": "7" },
    { "name": "CopyName", "type": "string" },
    { "name": "Rate", "type": "number" },
    { "name": "AsOn", "type": "date", "default": "01-04-2024" },
    { "name": "Paid", "type": "boolean", "default": "false" }
  ],
  "groups": [ {
    "column": "BillNo", "resetPageNumber": true, "newPageAfter": true, "repeatHeader": true,
    "header": { "height": 32, "items": [
      { "type": "box", "x": 0, "y": 0, "w": 194, "h": 30, "lineWidth": 0.4 },
      { "x": 2, "y": 1, "w": 120, "h": 7, "text": "{FirmNAme}", "size": 14, "bold": true },
      { "x": 2, "y": 9, "w": 120, "h": 5, "text": "Challan No : {BillNo}   Date : {BillDate|dd-MM-yyyy}" },
      { "x": 2, "y": 15, "w": 120, "h": 5, "text": "Party : {AcName}" },
      { "x": 2, "y": 21, "w": 120, "h": 5, "text": "{@CopyName}  Rate {@Rate|0.00}  As on {@AsOn|dd-MMM-yyyy}  Link {@PmBillId}" },
      { "type": "image", "name": "QR", "qr": "{QrText}", "x": 160, "y": 1, "w": 28, "h": 28 },
      { "type": "image", "name": "Picture1", "x": 130, "y": 1, "w": 28, "h": 28 }
    ] },
    "footer": { "height": 14, "items": [
      { "type": "line", "x": 0, "y": 0.5, "w": 194, "h": 0 },
      { "x": 2, "y": 1, "w": 120, "h": 5, "text": "Total Mtrs {sum(Mtrs)|0.000}  Takas {count()}", "bold": true },
      { "x": 130, "y": 1, "w": 64, "h": 5, "text": "{sum(Amt)|#,##0.00}", "align": "right", "bold": true },
      { "x": 2, "y": 7, "w": 192, "h": 5, "text": "Rupees {sum(Amt)|words} Only", "wrap": true }
    ] }
  } ],
  "detail": { "height": 5, "items": [
    { "x": 2, "y": 0, "w": 10, "h": 5, "text": "{#grouprow}", "align": "right" },
    { "x": 16, "y": 0, "w": 100, "h": 5, "field": "ProdName" },
    { "x": 120, "y": 0, "w": 30, "h": 5, "field": "Mtrs", "format": "0.000", "align": "right" },
    { "x": 150, "y": 0, "w": 44, "h": 5, "field": "Amt", "format": "#,##0.00", "align": "right" },
    { "type": "line", "x": 118, "y": 0, "w": 0, "h": 5, "stretch": true, "lineWidth": 0.1 }
  ] },
  "pageFooter": { "height": 6, "items": [
    { "x": 0, "y": 1, "w": 194, "h": 5, "text": "Page {#page} of {#pages}", "align": "right" }
  ] }
})";

ResultSet challanRows(int firstBillLines, int secondBillLines) {
    ResultSet rs;
    rs.columns = {"FirmNAme", "BillNo", "BillDate", "AcName", "ProdName", "Mtrs", "Amt", "QrText"};
    auto add = [&](const QString& bill, const QString& party, int lines) {
        for (int i = 1; i <= lines; ++i)
            rs.rows.push_back({"Shree Ganesh Textiles", bill, QDate(2024, 6, 3), party, QString("Rayon Print %1").arg(i),
                               100.5, 10552.5, "IRN:" + bill});
    };
    add("CH/101", "Mahavir Fabrics", firstBillLines);
    add("CH/102", "Anand Silk Mills", secondBillLines);
    return rs;
}

class DocumentLayout : public ::testing::Test {
protected:
    void SetUp() override {
        install = dir.path();
        QDir().mkpath(install + "/Reports");
        QFile f(install + "/Reports/Chalan.json");
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(kChallan);
    }
    ReportRequest request(int first, int second) {
        ReportRequest r;
        r.layoutName = "Chalan.rpt";
        r.data = challanRows(first, second);
        r.parameterValues = {"999", "Original For Recipient", "12.5abc"};
        return r;
    }
    QTemporaryDir dir;
    QString install;
};

TEST_F(DocumentLayout, EachChallanNumbersItsOwnPagesAndTotalsInWords) {
    ReportService service(install);
    auto doc = service.prepare(nullptr, request(40, 3));
    const QString pdf = install + "/challans.pdf";
    service.writePdf(*doc, pdf);
    test::keepForLooking(pdf);

    // Forty lines take three A5 pages, the second challan one more.
    ASSERT_EQ(test::pdfPageCount(pdf), 4);
    const QString p1 = test::pdfPageText(pdf, 1), p2 = test::pdfPageText(pdf, 2), p3 = test::pdfPageText(pdf, 3),
                  p4 = test::pdfPageText(pdf, 4);
    EXPECT_TRUE(p1.contains("Page 1 of 3"));
    EXPECT_TRUE(p2.contains("Page 2 of 3"));
    EXPECT_TRUE(p3.contains("Page 3 of 3"));
    EXPECT_TRUE(p4.contains("Page 1 of 1"));
    // Continued pages repeat the challan's heading; the second challan starts on its own page.
    EXPECT_TRUE(p2.contains("Challan No : CH/101"));
    EXPECT_TRUE(p3.contains("Challan No : CH/101"));
    EXPECT_TRUE(p4.contains("Challan No : CH/102"));
    EXPECT_FALSE(p4.contains("CH/101"));
    EXPECT_TRUE(p4.contains("Party : Anand Silk Mills"));
    // Line numbers restart per challan; 40 lines of 10,552.50 = 4,22,100.00; 3 lines = 31,657.50.
    EXPECT_TRUE(p3.contains(QRegularExpression("\\b40\\s+Rayon Print 40")));
    EXPECT_TRUE(p4.contains(QRegularExpression("\\b3\\s+Rayon Print 3")));
    EXPECT_FALSE(p1.contains("4,22,100.00"));
    EXPECT_TRUE(p3.contains("4,22,100.00"));
    EXPECT_TRUE(p3.contains(QRegularExpression("Total Mtrs 4020\\.000\\s+Takas 40")));
    EXPECT_TRUE(test::pdfText(pdf, false).contains("Rupees Four Lakh Twenty Two Thousand One Hundred Only"));
    EXPECT_TRUE(p4.contains("31,657.50"));
    EXPECT_TRUE(test::pdfText(pdf, false).contains("Rupees Thirty One Thousand Six Hundred Fifty Seven And Fifty Paisa Only"));
}

TEST_F(DocumentLayout, ParametersGoByPositionAndLinkParametersAreSkippedButCounted) {
    ReportService service(install);
    auto doc = service.prepare(nullptr, request(2, 0));
    const QString header = doc->pageTexts(0).join('\n');
    // Value 1 ("999") belongs to the link parameter and is not used; value 2 is the copy name;
    // "12.5abc" gives 12.5; the date and the link keep their defaults.
    EXPECT_TRUE(header.contains("Original For Recipient  Rate 12.50  As on 01-Apr-2024  Link 7")) << header.toStdString();

    ReportRequest more = request(2, 0);
    more.parameterValues = {"1", "Duplicate", "abc", "15-08-2024", "yes", "extra", "values"};
    auto doc2 = service.prepare(nullptr, more);
    EXPECT_TRUE(doc2->pageTexts(0).join('\n').contains("Duplicate  Rate 0.00  As on 15-Aug-2024  Link 7"));

    ReportRequest badDate = request(2, 0);
    badDate.parameterValues = {"1", "Original", "5", "31-02-2024"};
    try {
        service.prepare(nullptr, badDate);
        FAIL() << "a date parameter must refuse a text that is not a date";
    } catch (const ReportError& e) {
        EXPECT_EQ(e.text(), "Layout Chalan.json: parameter 4 (AsOn) expects a date, not \"31-02-2024\"");
    }
    ReportRequest badFlag = request(2, 0);
    badFlag.parameterValues = {"1", "Original", "5", "01-04-2024", "perhaps"};
    EXPECT_THROW(service.prepare(nullptr, badFlag), ReportError);
}

TEST_F(DocumentLayout, QrCodeIsDrawnModuleForModuleAndThePictureIsPlaced) {
    const QString picture = install + "/einv.png";
    QImage red(60, 60, QImage::Format_RGB32);
    red.fill(QColor(220, 0, 0));
    ASSERT_TRUE(red.save(picture));
    ReportService service(install);
    ReportRequest r = request(2, 0);
    r.picturePath = picture;
    auto doc = service.prepare(nullptr, r);
    const double dpi = 300;
    const QImage page = doc->renderPage(0, dpi);
    auto px = [&](double xmm, double ymm) { return page.pixelColor(int(xmm / 25.4 * dpi), int(ymm / 25.4 * dpi)); };

    // QR box at x 160, y 1 (plus margins of 8 mm), 28 mm square with a quiet module around it.
    const QrCode code = encodeQr("IRN:CH/101");
    ASSERT_GE(code.size, 21);
    const double module = 28.0 / (code.size + 2);
    int mismatches = 0;
    for (int y = 0; y < code.size; ++y)
        for (int x = 0; x < code.size; ++x) {
            const QColor c = px(8 + 160 + module * (x + 1.5), 8 + 1 + module * (y + 1.5));
            const bool dark = c.lightness() < 128;
            if (dark != code.at(x, y)) ++mismatches;
        }
    EXPECT_EQ(mismatches, 0);
    // The handed-over picture fills its box (x 130..158).
    EXPECT_EQ(px(8 + 144, 8 + 15), QColor(220, 0, 0));
    // Without a picture the box stays white.
    auto plain = service.prepare(nullptr, request(2, 0));
    const QImage page2 = plain->renderPage(0, dpi);
    EXPECT_EQ(page2.pixelColor(int((8 + 144) / 25.4 * dpi), int((8 + 15) / 25.4 * dpi)), QColor(Qt::white));
}

TEST(ReportLayouts, BlankFormsAndBandsShownOnlyWhenTheirFieldHasAValue) {
    QTemporaryDir dir;
    QDir().mkpath(dir.path() + "/Reports");
    QFile f(dir.path() + "/Reports/Envelop.json");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(R"({"page":{"width":229,"height":102,"margins":8},"parameters":[{"name":"To"},{"name":"City"}],
      "reportHeader":{"height":30,"items":[{"x":100,"y":5,"w":100,"h":6,"text":"To, {@To}","bold":true},
                                          {"x":100,"y":12,"w":100,"h":6,"text":"{@City} {FirmNAme}"}]},
      "detail":{"height":5,"items":[{"text":"{BillNo}"}]},
      "groups":[{"column":"BillNo","footer":{"height":5,"showIf":"Remark","items":[{"text":"Note: {Remark}"}]}}]})");
    f.close();
    ReportService service(dir.path());
    ReportRequest blank;
    blank.layoutName = "Envelop.rpt";
    blank.blank = true;
    blank.parameterValues = {"Mahavir Fabrics", "Surat"};
    auto doc = service.prepare(nullptr, blank);
    ASSERT_EQ(doc->pageCount(), 1);
    EXPECT_EQ(doc->pageTexts(0), QStringList({"To, Mahavir Fabrics", "Surat "}));
    EXPECT_NEAR(doc->layout().pageSizeMm().width(), 229, 0.5);

    ReportRequest rows;
    rows.layoutName = "Envelop.rpt";
    ResultSet data;
    data.columns = {"BillNo", "Remark", "FirmNAme"};
    data.rows = {{"GST/1", "", "X"}, {"GST/2", "Goods sent by road", "X"}, {"GST/3", QVariant(), "X"}};
    rows.data = data;
    const QStringList texts = service.prepare(nullptr, rows)->pageTexts(0);
    EXPECT_EQ(texts.filter("Note:"), QStringList({"Note: Goods sent by road"}));
}

TEST(ReportFormats, NumbersDatesAndWordsPrintAsTheTradeExpects) {
    EXPECT_EQ(ValueFormat::parse("0.00").apply(12345.5), "12345.50");
    EXPECT_EQ(ValueFormat::parse("0.000").apply(12.5), "12.500");
    EXPECT_EQ(ValueFormat::parse("#,##0.00").apply(1234567.0), "12,34,567.00");
    EXPECT_EQ(ValueFormat::parse("#,##,##0.00").apply(-98765432.1), "-9,87,65,432.10");
    EXPECT_EQ(ValueFormat::parse("0").apply(41.0), "41");
    EXPECT_EQ(ValueFormat::parse("0.00").apply(QString("1,250.5")), "1250.50");
    EXPECT_EQ(ValueFormat::parse("0.00").apply(QVariant(), true), "");
    EXPECT_EQ(ValueFormat::parse("0.00").apply(0.0, true), "");
    EXPECT_EQ(ValueFormat::parse("Rs. 0.00 /-").apply(50.0), "Rs. 50.00 /-");
    EXPECT_EQ(ValueFormat::parse("dd-MM-yyyy").apply(QString("2024-04-01")), "01-04-2024");
    EXPECT_EQ(ValueFormat::parse("dd-MMM-yyyy").apply(QDate(2025, 3, 31)), "31-Mar-2025");
    EXPECT_EQ(ValueFormat::parse("dd-MM-yy").apply(QString("2024-04-01 00:00:00")), "01-04-24");
    EXPECT_EQ(ValueFormat::parse("words").apply(1250.5), "One Thousand Two Hundred Fifty And Fifty Paisa");
    EXPECT_EQ(ValueFormat::parse("").apply(1500.0), "1500");
    EXPECT_EQ(ValueFormat::parse("").apply(QDate(2024, 4, 1)), "01-04-2024");
    // A text in a number column prints as it is.
    EXPECT_EQ(ValueFormat::parse("0.00").apply(QString("N.A.")), "N.A.");
    // Amounts handed over as texts, the way the books and statements carry them.
    const ValueFormat amount = ValueFormat::parse("#,##0.00");
    EXPECT_EQ(amount.apply(QString(" -12,34,567.5 ")), "-12,34,567.50");
    EXPECT_EQ(amount.apply(QString("+0.05")), "0.05");
    EXPECT_EQ(amount.apply(QString(".5")), "0.50");
    EXPECT_EQ(amount.apply(QString("7.")), "7.00");
    EXPECT_EQ(amount.apply(QString("0.1234565")), "0.12");           // more decimals than kept: rounded
    EXPECT_EQ(amount.apply(QString("1.999999999")), "2.00");
    EXPECT_EQ(amount.apply(QString("9825012345678")), "9825012345678");  // a phone number stays text
    EXPECT_EQ(amount.apply(QString("1.2.3")), "1.2.3");
    EXPECT_EQ(amount.apply(QString("12 500")), "12 500");
    EXPECT_EQ(amount.apply(QString("-")), "-");
    EXPECT_EQ(amount.apply(QString("")), "0.00");
    EXPECT_EQ(amount.apply(QString("0.00"), true), "");
    EXPECT_EQ(toDecimal(QString("1,00,000.25")), Decimal::fromUnits(100000250000));
    EXPECT_EQ(toDecimal(QString("00012.5")), Decimal::fromUnits(12500000));
    EXPECT_TRUE(toDecimal(QString("CHQ 104233")).isZero());
}

TEST(ReportFormats, ParameterTextsConvertByType) {
    EXPECT_DOUBLE_EQ(leadingNumber("12.5abc"), 12.5);
    EXPECT_DOUBLE_EQ(leadingNumber("  -3 kg"), -3);
    EXPECT_DOUBLE_EQ(leadingNumber("abc"), 0);
    EXPECT_DOUBLE_EQ(leadingNumber(".5"), 0.5);
    EXPECT_EQ(convertParameter(ParameterType::Currency, "1,250.756")->toDouble(), 1250.756);
    EXPECT_FALSE(convertParameter(ParameterType::Currency, "twelve"));
    EXPECT_EQ(convertParameter(ParameterType::Boolean, "True")->toBool(), true);
    EXPECT_EQ(convertParameter(ParameterType::Boolean, "0")->toBool(), false);
    EXPECT_EQ(convertParameter(ParameterType::Boolean, "-1")->toBool(), true);
    EXPECT_EQ(convertParameter(ParameterType::Date, "01-Apr-2024")->toDate(), QDate(2024, 4, 1));
    EXPECT_EQ(convertParameter(ParameterType::Date, "2024-04-01")->toDate(), QDate(2024, 4, 1));
    EXPECT_EQ(convertParameter(ParameterType::Date, "31/03/2025")->toDate(), QDate(2025, 3, 31));
    EXPECT_FALSE(convertParameter(ParameterType::Date, "next monday"));
    EXPECT_EQ(convertParameter(ParameterType::Time, "4:30 PM")->toTime(), QTime(16, 30));
    EXPECT_EQ(convertParameter(ParameterType::DateTime, "01-04-2024 10:15")->toDateTime(), QDateTime(QDate(2024, 4, 1), QTime(10, 15)));
    EXPECT_EQ(convertParameter(ParameterType::String, "O'Brien \"Mills\"")->toString(), "O'Brien \"Mills\"");
}

TEST(ReportData, CsvFilesReadLikeAQueryResult) {
    const ResultSet rs = ResultSet::parseCsv(
        "BillNo,BillDate,AcName,Amt\n"
        "007,2024-04-05,\"Mahavir Fabrics, Surat\",1050.50\n"
        "GST/8,2024-04-06,\"Shah \"\"Silk\"\" Mills\",-20\n\n");
    ASSERT_EQ(rs.rowCount(), 2);
    EXPECT_EQ(rs.indexOf("acname"), 2);
    EXPECT_EQ(rs.value(0, 0).toString(), "007");  // a bill number keeps its zeros
    EXPECT_EQ(rs.value(0, 1).toDate(), QDate(2024, 4, 5));
    EXPECT_EQ(rs.value(0, 2).toString(), "Mahavir Fabrics, Surat");
    EXPECT_DOUBLE_EQ(rs.value(0, 3).toDouble(), 1050.5);
    EXPECT_EQ(rs.value(1, 2).toString(), "Shah \"Silk\" Mills");
    EXPECT_DOUBLE_EQ(rs.value(1, 3).toDouble(), -20);
    EXPECT_EQ(ResultSet::parseCsv("A;B\n1,5;x\n").columns, QStringList({"A", "B"}));
    EXPECT_THROW(ResultSet::fromCsv("/no/such/file.csv"), ReportError);
}

}  // namespace
