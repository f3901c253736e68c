// Spreadsheets: a register layout written as a workbook, and register rows written into a copy
// of a template workbook; read back from the files as a spreadsheet program would.
#include "domain/reports/ReportError.h"
#include "domain/reports/ReportService.h"
#include "domain/reports/SpreadsheetExport.h"
#include "domain/reports/Xlsx.h"
#include "domain/reports/XlsxReport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tanabana;
using namespace tanabana::reports;

namespace {

QString sheetXml(const QString& workbook) {
    QProcess unzip;
    unzip.start("unzip", {"-p", workbook, "xl/worksheets/sheet1.xml"});
    unzip.waitForFinished();
    return QString::fromUtf8(unzip.readAllStandardOutput());
}

const XlsxCell* cellAt(const XlsxSheet& sheet, int row, int column) {
    for (const XlsxCell& c : sheet.cells)
        if (c.row == row && c.column == column) return &c;
    return nullptr;
}

QString textAt(const XlsxSheet& sheet, int row, int column) {
    const XlsxCell* c = cellAt(sheet, row, column);
    return c ? c->value.toString() : QString();
}

ResultSet salesRows() {
    ResultSet rs;
    rs.columns = {"BillNO_Full", "BillDate", "AcNAme", "Mtrs", "BillNetAmt", "FirmNAme"};
    rs.rows.push_back({"GST/1", QDate(2024, 4, 5), "Anand Silk Mills", 120.5, 12652.5, "Shree Ganesh Textiles"});
    rs.rows.push_back({"GST/4", QDate(2024, 4, 9), "Anand Silk Mills", 80.0, 8400.0, "Shree Ganesh Textiles"});
    rs.rows.push_back({"GST/2", QDate(2024, 4, 6), "Mahavir Fabrics", 1000.25, 1050262.5, "Shree Ganesh Textiles"});
    return rs;
}

TEST(Spreadsheets, RegisterLayoutBecomesRowsWithNumbersAndDates) {
    QTemporaryDir dir;
    QDir().mkpath(dir.path() + "/Reports");
    QFile f(dir.path() + "/Reports/Sales_Register_Summary.json");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(R"({"kind":"register","parameters":[{"name":"Title"}],"heading":["{FirmNAme}"],
      "columns":[{"field":"BillNO_Full","caption":"Bill No","width":25},
                 {"field":"BillDate","caption":"Date","width":22,"format":"dd-MM-yyyy"},
                 {"field":"AcNAme","caption":"Party"},
                 {"field":"Mtrs","caption":"Mtrs","width":25,"format":"0.000","total":true},
                 {"field":"BillNetAmt","caption":"Amount","width":30,"format":"#,##0.00","total":true}],
      "groups":[{"column":"AcNAme"}],"total":"Total"})");
    f.close();
    ReportService service(dir.path());
    ReportRequest r;
    r.layoutName = "Sales_Register_Summary.rpt";
    r.data = salesRows();
    r.parameterValues = {"Sales Register From 01-04-2024 To 30-04-2024"};
    auto doc = service.prepare(nullptr, r);
    const QString book = dir.path() + "/register.xlsx";
    writeReportXlsx(*doc, book);

    const auto sheets = readXlsx(book);
    ASSERT_EQ(sheets.size(), 1u);
    const XlsxSheet& s = sheets[0];
    EXPECT_EQ(textAt(s, 0, 0), "Shree Ganesh Textiles");
    EXPECT_EQ(textAt(s, 1, 0), "Sales Register From 01-04-2024 To 30-04-2024");
    EXPECT_EQ(textAt(s, 2, 0), "Bill No");
    EXPECT_EQ(textAt(s, 2, 4), "Amount");
    EXPECT_TRUE(cellAt(s, 2, 4)->bold);
    EXPECT_EQ(textAt(s, 3, 0), "Anand Silk Mills");  // group heading
    EXPECT_EQ(textAt(s, 4, 0), "GST/1");
    EXPECT_DOUBLE_EQ(cellAt(s, 4, 4)->value.toDouble(), 12652.5);
    EXPECT_EQ(textAt(s, 6, 0), "Sub Tot");
    EXPECT_DOUBLE_EQ(cellAt(s, 6, 3)->value.toDouble(), 200.5);
    EXPECT_DOUBLE_EQ(cellAt(s, 6, 4)->value.toDouble(), 21052.5);
    EXPECT_EQ(textAt(s, 10, 0), "Total");
    EXPECT_DOUBLE_EQ(cellAt(s, 10, 4)->value.toDouble(), 1071315.0);
    // In the file: the amount is a number cell with a format, the date a date serial.
    const QString xml = sheetXml(book);
    EXPECT_TRUE(xml.contains(QRegularExpression("<c r=\"E5\" s=\"\\d+\"><v>12652.5</v></c>")));
    EXPECT_TRUE(xml.contains(QRegularExpression("<c r=\"B5\" s=\"\\d+\"><v>45387</v></c>")));  // 05-04-2024
}

TEST(Spreadsheets, RowsGoUnderTheTemplatesCaptionsInANewWorkbook) {
    QTemporaryDir dir;
    // The firm's template: a merged title, bold captions, widths, and a second sheet of notes.
    XlsxBook templ;
    templ.addSheet("Sheet1");
    templ.merge("A1:E1", "Sale Detail", true);
    const QStringList captions = {"BillNO_Full", "BillDate", "AcNAme", "Mtrs", "BillNetAmt"};
    for (int c = 0; c < captions.size(); ++c) templ.write(1, c, captions[c], true);
    templ.setColumnWidth(2, 40);
    templ.addSheet("Notes");
    templ.write(0, 0, "Prepared for the auditor");
    const QString templatePath = dir.path() + "/Sale_Detail.xlsx";
    templ.save(templatePath);
    const QByteArray before = [&] { QFile t(templatePath); t.open(QIODevice::ReadOnly); return t.readAll(); }();

    RecordingMessages messages;
    const QString name = periodWorkbookName("Sales", QDate(2024, 4, 1), QDate(2025, 3, 31));
    EXPECT_EQ(name, "Sales_From_01-Apr-2024_To_31-Mar-2025.XLSx");
    ResultSet rows = salesRows();
    rows.columns.removeLast();
    for (auto& r : rows.rows) r.removeLast();
    const QString out = exportToTemplate(messages, dir.path(), "Sale_Detail.Xlsx", name, rows);
    ASSERT_EQ(out, dir.path() + "/" + name);
    EXPECT_TRUE(messages.empty());

    const auto sheets = readXlsx(out);
    ASSERT_EQ(sheets.size(), 2u);
    const XlsxSheet& s = sheets[0];
    EXPECT_EQ(textAt(s, 0, 0), "Sale Detail");
    EXPECT_TRUE(s.merges.contains("A1:E1"));
    EXPECT_EQ(textAt(s, 1, 4), "BillNetAmt");
    EXPECT_TRUE(cellAt(s, 1, 4)->bold);
    EXPECT_NEAR(s.columnWidths.value(2), 40, 1);
    EXPECT_EQ(textAt(s, 2, 0), "GST/1");
    EXPECT_EQ(textAt(s, 4, 2), "Mahavir Fabrics");
    EXPECT_DOUBLE_EQ(cellAt(s, 4, 4)->value.toDouble(), 1050262.5);
    EXPECT_EQ(s.rowCount(), 5);
    EXPECT_EQ(textAt(sheets[1], 0, 0), "Prepared for the auditor");
    // The template itself is untouched.
    QFile t(templatePath);
    ASSERT_TRUE(t.open(QIODevice::ReadOnly));
    EXPECT_EQ(t.readAll(), before);
}

TEST(Spreadsheets, MissingTemplateOrUnwritableFolderIsRefusedAndNothingIsWritten) {
    QTemporaryDir dir;
    RecordingMessages messages;
    EXPECT_TRUE(exportToTemplate(messages, dir.path(), "Sale_Detail.Xlsx", "Sales.XLSx", salesRows()).isEmpty());
    EXPECT_TRUE(messages.has(MessageKind::Critical, "No Facility Available", "No File Found"));
    EXPECT_FALSE(QFile::exists(dir.path() + "/Sales.XLSx"));

    // A damaged template: its name and the reason, and no workbook.
    QFile bad(dir.path() + "/Sale_Detail.xlsx");
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("this is not a workbook");
    bad.close();
    messages.clear();
    EXPECT_TRUE(exportToTemplate(messages, dir.path(), "Sale_Detail.Xlsx", "Sales.XLSx", salesRows()).isEmpty());
    ASSERT_FALSE(messages.empty());
    EXPECT_TRUE(messages.last().text.contains("is not a workbook")) << messages.last().text.toStdString();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);

    XlsxBook book;
    book.write(0, 0, "x");
    EXPECT_THROW(book.save(dir.path() + "/missing/folder/out.xlsx"), ReportError);
}

}  // namespace
