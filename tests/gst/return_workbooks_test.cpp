// The returns' workbooks on a fresh installation: the shipped templates laid out with a title
// over each sheet's captions, GSTR-1 of July 2024 copied into Knvs_GSTR with its invoices under
// the captions (figures as numbers, invoice numbers as text), GSTR-2 written from its screen, a
// firm's own copy of a template taking the place of the shipped one, GSTR-9's HSN tables of the
// year with the firm on its Home sheet, and a missing template
// stopping the export with the return's message and nothing written.
#include "domain/gst/ReturnWorkbook.h"
#include "domain/reports/ReportFolders.h"
#include "domain/reports/Xlsx.h"
#include "gui/gst/Gstr1Screen.h"
#include "gui/gst/Gstr2Screen.h"
#include "gui/gst/Gstr9Screen.h"
#include "support/GstBuyingFirm.h"
#include "support/ScreenProbe.h"
#include "support/YearFixture.h"
#include "support/QtPrinting.h"

#include <QDir>
#include <QFile>
#include <QTabWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tanabana;
using namespace tanabana::gst;

namespace {

const reports::XlsxSheet* sheetNamed(const std::vector<reports::XlsxSheet>& sheets, const QString& name) {
    for (const auto& s : sheets)
        if (s.name == name) return &s;
    return nullptr;
}

// A row of a sheet, its cells as text ("" for an empty cell), up to the last one used.
QStringList rowOf(const reports::XlsxSheet& sheet, int row) {
    std::map<int, QVariant> cells;
    for (const auto& c : sheet.cells)
        if (c.row == row) cells[c.column] = c.value;
    QStringList out;
    for (const auto& [column, value] : cells) {
        while (out.size() < column) out << QString();
        out << (value.typeId() == QMetaType::Double ? QString::number(value.toDouble(), 'f', 2) : value.toString());
    }
    return out;
}

class ReturnWorkbooksTest : public ::testing::Test {
protected:
    void SetUp() override {
        firm.build();
        ASSERT_FALSE(HasFailure());
        year.session.dataRoot = installation.path();
        year.messages.clear();
    }
    ReturnPeriod july() const { return *ReturnPeriod::month(QStringLiteral("07-2024")); }

    test::YearFixture year;
    test::GstBuyingFirm firm{year.db(), year.session, year.messages};
    QTemporaryDir installation;
};

TEST_F(ReturnWorkbooksTest, Gstr1GoesUnderTheCaptionsOfItsShippedTemplate) {
    const QString templatePath = reports::findTemplateFile(installation.path(), QStringLiteral("knvs_gstr-1.xlsx"));
    ASSERT_FALSE(templatePath.isEmpty()) << "the template ships with the program";
    const auto shipped = reports::readXlsx(templatePath);
    ASSERT_EQ(shipped.size(), 9u);
    EXPECT_EQ(rowOf(shipped[0], 0), QStringList{"Summary For B2B, SEZ, DE (4A, 4B, 6B, 6C)"});
    EXPECT_EQ(rowOf(shipped[0], 3).join(','), "GSTIN/UIN of Recipient,Receiver Name,Invoice Number,Invoice date,Invoice Value,Place Of Supply,"
                                              "Reverse Charge,Applicable % of Tax Rate,Invoice Type,E-Commerce GSTIN,Rate,Taxable Value,Cess Amount");

    const Gstr1 r = Gstr1Service(year.db(), year.session).compute(july());
    const QString path = returnWorkbookPath(installation.path(), gstr1Template(), july().from);
    EXPECT_EQ(path, QDir(installation.path()).filePath("Knvs_GSTR/KNVS_GSTR-1_Jul-2024.XLSx"));
    writeReturnWorkbook(installation.path(), gstr1Template(), gstr1WorkbookRows(r), path);
    const auto sheets = reports::readXlsx(path);
    QStringList names;
    for (const auto& s : sheets) names << s.name;
    EXPECT_EQ(names, (QStringList{"b2b,sez,de", "b2cl", "b2cs", "cdnr", "cdnur", "exp", "exemp", "hsn", "docs"}));
    const reports::XlsxSheet* b2b = sheetNamed(sheets, "b2b,sez,de");
    ASSERT_NE(b2b, nullptr);
    EXPECT_EQ(b2b->rowCount(), 4 + 3);
    EXPECT_EQ(rowOf(*b2b, 4), (QStringList{"24AABCR1234F1ZY", "Surat Fabrics", "GST/104", "04-Jul-2024", "22225.00", "24-Gujarat", "N", "",
                                           "Regular B2B", "", "5.00", "10500.00"}));
    const reports::XlsxSheet* b2cl = sheetNamed(sheets, "b2cl");
    EXPECT_EQ(rowOf(*b2cl, 4).mid(0, 3), (QStringList{"GST/102", "02-Jul-2024", "250000.01"}));
    const reports::XlsxSheet* docs = sheetNamed(sheets, "docs");
    EXPECT_EQ(rowOf(*docs, 4), (QStringList{"Invoices for outward supply", "GST/101", "GST/107", "7.00", "0.00"}));
}

TEST_F(ReturnWorkbooksTest, Gstr2FromItsScreenAndAFirmsOwnTemplateFirst) {
    gui::Gstr2Screen screen(year.db(), year.session, year.messages);
    screen.setPeriod(july().from, july().to);
    ASSERT_TRUE(screen.writeExcel());
    EXPECT_EQ(year.messages.last().text, "Done");
    const QString path = QDir(installation.path()).filePath("Knvs_GSTR/KNVS_GSTR-2_Jul-2024.XLSx");
    auto sheets = reports::readXlsx(path);
    const reports::XlsxSheet* b2b = sheetNamed(sheets, "B2B");
    ASSERT_NE(b2b, nullptr);
    EXPECT_EQ(rowOf(*b2b, 0), QStringList{"Summary Of Supplies From Registered Suppliers B2B(3)"});
    EXPECT_EQ(rowOf(*b2b, 4), (QStringList{"27AABCM9876C1Z7", "MY/55", "10-Jul-2024", "5250.00", "24-Gujarat", "N", "Regular", "5.00", "5000.00",
                                           "250.00", "0.00", "0.00", "0.00", "Inputs", "250.00", "0.00", "0.00", "0.00"}));
    EXPECT_EQ(rowOf(*sheetNamed(sheets, "exemp"), 5), (QStringList{"Intra-State supplies", "1500.00", "2000.00", "0.00", "3000.00"}));

    // The firm's own copy, with its title changed, is the one filled.
    ReturnTemplate own = gstr2Template();
    own.titles[0] = QStringLiteral("Shree Laxmi Textiles - purchases from registered suppliers");
    writeReturnTemplate(own, QDir(installation.path()).filePath("knvs_gstr-2.xlsx"));
    ASSERT_TRUE(screen.writeExcel());
    sheets = reports::readXlsx(path);
    EXPECT_EQ(rowOf(*sheetNamed(sheets, "B2B"), 0), QStringList{"Shree Laxmi Textiles - purchases from registered suppliers"});
}

TEST_F(ReturnWorkbooksTest, AMissingTemplateStopsTheExportWithItsMessage) {
    QTemporaryDir emptyShare;
    const QByteArray share = qgetenv("TANABANA_SHARE");
    qputenv("TANABANA_SHARE", emptyShare.path().toUtf8());
    gui::Gstr2Screen gstr2(year.db(), year.session, year.messages);
    gstr2.setPeriod(july().from, july().to);
    EXPECT_FALSE(gstr2.writeExcel());
    EXPECT_EQ(year.messages.last().title, "Master Excel File Missing ");
    EXPECT_EQ(year.messages.last().text, "Original GSTR-2 Document File not found !");
    gui::Gstr1Screen gstr1(year.db(), year.session, year.messages);
    gstr1.setPeriod(july().from, july().to);
    EXPECT_FALSE(gstr1.writeExcel());
    EXPECT_EQ(year.messages.last().text, "Original GSTR-1 Document File not found !");
    qputenv("TANABANA_SHARE", share);
    EXPECT_TRUE(QDir(QDir(installation.path()).filePath("Knvs_GSTR")).entryList(QDir::Files).isEmpty());
}

TEST_F(ReturnWorkbooksTest, Gstr9HsnTablesOfTheYear) {
    year.session.firmName = QStringLiteral("Shree Laxmi Textiles");
    gui::Gstr9Screen screen(year.db(), year.session, year.messages);
    ASSERT_TRUE(screen.writeExcel()) << (year.messages.empty() ? std::string() : year.messages.last().text.toStdString());
    // Inward: the month's goods bills; the bill kept out of the returns and the expense bills are not there.
    EXPECT_EQ(test::gridText(screen.grid("18 HSN Inward")),
              (QStringList{"5311 | MTR | 20.000 | 2,000.00 | 0 | 0.00 | 0.00 | 0.00 | 0.00",
                           "5407 | MTR | 150.000 | 15,000.00 | 5 | 250.00 | 250.00 | 250.00 | 0.00"}));
    screen.sections()->setCurrentIndex(2);
    EXPECT_EQ(screen.summaryText(), "HSN rows : 2    Taxable Value : 17,000.00    Tax : 750.00");
    const QStringList outward = test::gridText(screen.grid("17 HSN Outward"));
    ASSERT_FALSE(outward.isEmpty());
    EXPECT_TRUE(outward.first().startsWith("5208 | PCS | ")) << outward.first().toStdString();
    const auto sheets = reports::readXlsx(QDir(installation.path()).filePath("Knvs_GSTR/KNVS_GSTR-9_Apr-2024.XLSx"));
    ASSERT_EQ(sheets.size(), 3u);
    EXPECT_EQ(rowOf(sheets[0], 4), (QStringList{"24AAACS1234A1Z8", "Shree Laxmi Textiles", "2024-25"}));
    EXPECT_EQ(sheets[2].name, "18 HSN Inward");
    EXPECT_EQ(rowOf(sheets[2], 5), (QStringList{"5407", "MTR", "150.00", "15000.00", "5.00", "250.00", "250.00", "250.00", "0.00"}));
}

// The shipped files hold the captions the program writes under: regenerate them with
// `tanabana-cli gst templates --out reports/templates` after changing a return's columns.
TEST_F(ReturnWorkbooksTest, EveryShippedTemplateHasTheCaptionsOfItsReturn) {
    QTemporaryDir empty;
    for (const ReturnTemplate* t : shippedTemplates()) {
        const QString path = reports::findTemplateFile(empty.path(), t->file);
        ASSERT_FALSE(path.isEmpty()) << t->file.toStdString() << " does not ship";
        const auto sheets = reports::readXlsx(path);
        ASSERT_EQ(sheets.size(), t->sheets.size()) << t->file.toStdString();
        for (size_t i = 0; i < sheets.size(); ++i) {
            EXPECT_EQ(sheets[i].name, t->sheets[i].name);
            EXPECT_EQ(rowOf(sheets[i], 3), t->sheets[i].header) << t->file.toStdString() << " " << sheets[i].name.toStdString();
        }
    }
}

}  // namespace
