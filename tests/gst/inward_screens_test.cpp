// The buying side's return screens over July 2024 of the Surat firm, opened from the GST register
// menu as an operator does. GSTR-2: the sheets in their tabs, the B2B totals, and the bills not
// matched with the portal only. Matching: the portal's JSON imported for the period, the match
// with its near miss in yellow, the near miss confirmed by ticking it, a bill ticked by hand, the
// mismatches only, the workbook of mismatches, both sides printed, and a bad file refused with
// nothing kept.
#include "domain/reports/Xlsx.h"
#include "gui/gst/Gstr2Screen.h"
#include "gui/gst/Gstr9Screen.h"
#include "gui/gst/PortalMatchingScreen.h"
#include "gui/reports/PreviewWindow.h"
#include "support/GstBuyingFirm.h"
#include "support/MenuHost.h"
#include "support/PdfProbe.h"
#include "support/ScreenProbe.h"
#include "support/YearFixture.h"
#include "support/QtPrinting.h"

#include <QApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace tanabana;

namespace {

class InwardScreensTest : public ::testing::Test {
protected:
    void SetUp() override {
        firm.build();
        trade::PurchaseBill my56 = firm.goods(QStringLiteral("MY/56"), firm.mumbai, test::SellingFirm::kRapier, "10", "100", "2.5");
        my56.date = QDate(2024, 7, 20);
        my56Id = firm.buy(my56);
        ASSERT_FALSE(HasFailure());
        year.session.dataRoot = installation.path();
        year.session.firmName = QStringLiteral("Shree Laxmi Textiles");
        year.messages.clear();
    }
    template <typename Screen>
    Screen* open(const QString& command) {
        auto* screen = qobject_cast<Screen*>(host.open(command));
        if (screen) screen->setPeriod(QDate(2024, 7, 1), QDate(2024, 7, 31));
        return screen;
    }
    // The portal's GSTR-2A of July: MY/55 as in the books, MY-0056 a rupee less, and SF/9 unknown.
    QString portalJson(const QJsonValue& value = QJsonValue(1049.0)) {
        auto invoice = [](const char* number, const char* date, const QJsonValue& value, double taxable, double igst, double half) {
            return QJsonObject{{"inum", number}, {"idt", date}, {"val", value}, {"pos", "24"}, {"rchrg", "N"}, {"inv_typ", "R"},
                               {"itms", QJsonArray{QJsonObject{{"num", 501}, {"itm_det", QJsonObject{{"rt", 5}, {"txval", taxable}, {"iamt", igst},
                                                                                                      {"camt", half}, {"samt", half}}}}}}};
        };
        const QJsonObject root{
            {"fp", "072024"},
            {"b2b", QJsonArray{QJsonObject{{"ctin", "27AABCM9876C1Z7"}, {"cfs", "Y"},
                                           {"inv", QJsonArray{invoice("MY/55", "10-07-2024", 5250.0, 5000, 250, 0),
                                                              invoice("MY-0056", "20-07-2024", value, 1000, 50, 0)}}},
                               QJsonObject{{"ctin", "24AABCR1234F1ZY"}, {"cfs", "Y"},
                                           {"inv", QJsonArray{invoice("SF/9", "18-07-2024", 2100.0, 2000, 0, 50)}}}}}};
        const QString name = installation.filePath(QStringLiteral("R2A_%1.json").arg(value.isString() ? "bad" : "072024"));
        QFile f(name);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QJsonDocument(root).toJson());
        return name;
    }
    bool marked(qint64 bill) { return year.db().scalar(QStringLiteral("SELECT Is_GstR2A FROM BillMst WHERE Id = ?"), {bill}).toInt() != 0; }
    static int rowOf(QTableWidget* grid, const QString& number) {
        for (int r = 0; r < grid->rowCount(); ++r)
            if (grid->item(r, 3)->text() == number) return r;
        return -1;
    }

    test::YearFixture year;
    test::GstBuyingFirm firm{year.db(), year.session, year.messages};
    QTemporaryDir installation;
    qint64 my56Id = 0;
    test::MenuHost host{year};
};

TEST_F(InwardScreensTest, Gstr2ShowsTheSheetsAndTheUnmatchedBillsOnly) {
    auto* screen = open<gui::Gstr2Screen>(QStringLiteral("mnu_R62"));
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->objectName(), "Frm_GSTR2");
    ASSERT_TRUE(screen->refresh());
    QStringList tabs;
    for (int i = 0; i < screen->sections()->count(); ++i) tabs << screen->sections()->tabText(i);
    EXPECT_EQ(tabs, (QStringList{"B2B", "B2BUR", "CDNR", "CDNUR", "exemp", "HSNSUM"}));
    EXPECT_EQ(test::gridText(screen->grid("B2B")),
              (QStringList{"27AABCM9876C1Z7 | MY/55 | 10-Jul-2024 | 5,250.00 | 24-Gujarat | N | Regular | 5 | 5,000.00 | 250.00 | 0.00 | 0.00 | "
                           "0.00 | Inputs | 250.00 | 0.00 | 0.00 | 0.00",
                           "27AABCM9876C1Z7 | MY/56 | 20-Jul-2024 | 1,050.00 | 24-Gujarat | N | Regular | 5 | 1,000.00 | 50.00 | 0.00 | 0.00 | "
                           "0.00 | Inputs | 50.00 | 0.00 | 0.00 | 0.00"}));
    EXPECT_EQ(screen->summaryText(), "Parties : 1    Invoices : 2    Invoice Value : 6,300.00    Taxable Value : 6,000.00");
    test::keepPicture(host.window.window(), QStringLiteral("gstr2"));

    year.db().exec(QStringLiteral("UPDATE BillMst SET Is_GstR2A = 1 WHERE Id = ?"), {firm.my55});
    // The choice shows its bills at once, without Refresh.
    screen->setFilter(gst::PortalMatchFilter::Unmatched);
    EXPECT_EQ(screen->grid("B2B")->rowCount(), 1);
    EXPECT_EQ(screen->grid("B2B")->item(0, 1)->text(), "MY/56");
}

TEST_F(InwardScreensTest, ImportMatchConfirmTickAndExportTheMismatches) {
    auto* screen = open<gui::PortalMatchingScreen>(QStringLiteral("mnu_R613"));
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->objectName(), "Frm_GSTR2A_Setup");
    QString answer;
    screen->setFileAsker([&](bool, const QString&) { return answer; });
    ASSERT_TRUE(screen->refresh());
    EXPECT_EQ(screen->summaryText(), "No GSTR-2A is imported for this period: Import the portal's file.");
    EXPECT_EQ(screen->booksGrid()->rowCount(), 3) << "MY/55, MY/56 and the composition dealer's US/12";

    answer = portalJson();
    ASSERT_TRUE(screen->importFile());
    EXPECT_EQ(year.messages.last().title, "Done");
    EXPECT_EQ(year.messages.last().text, "GSTR2 A Imported");
    EXPECT_EQ(screen->portalGrid()->rowCount(), 3);

    ASSERT_TRUE(screen->match());
    EXPECT_EQ(year.messages.last().title, "GSTR2 Setup");
    EXPECT_EQ(screen->summaryText(), "GSTR-2A: 3 invoices on the portal, 1 matched, 1 proposed; 3 bills in the books, 1 matched");
    const int near = rowOf(screen->portalGrid(), "MY-0056");
    ASSERT_GE(near, 0);
    EXPECT_EQ(screen->portalGrid()->item(near, 15)->text(), "Proposed: MY/56 of 20-07-2024, 1,050.00");
    EXPECT_EQ(screen->portalGrid()->item(near, 0)->background().color(), QColor(255, 242, 190));
    EXPECT_EQ(screen->portalGrid()->item(rowOf(screen->portalGrid(), "SF/9"), 0)->background().color(), QColor(255, 205, 205));
    test::keepPicture(host.window.window(), QStringLiteral("gstr2a-matching"));

    // Confirm without a tick says what to do; with the near miss ticked it is matched.
    EXPECT_FALSE(screen->confirmTicked());
    EXPECT_EQ(year.messages.last().text, "Tick the portal's invoices to confirm in the Sel column.");
    screen->portalGrid()->item(near, 0)->setCheckState(Qt::Checked);
    ASSERT_TRUE(screen->confirmTicked());
    EXPECT_TRUE(marked(my56Id));
    EXPECT_EQ(screen->portalGrid()->item(rowOf(screen->portalGrid(), "MY-0056"), 15)->text(),
              "Matched (confirmed): MY/56 of 20-07-2024, 1,050.00");

    // The composition dealer's bill ticked by hand; then only the mismatches are left.
    const int us12 = rowOf(screen->booksGrid(), "US/12");
    ASSERT_GE(us12, 0);
    screen->booksGrid()->item(us12, 0)->setCheckState(Qt::Checked);
    EXPECT_TRUE(marked(firm.us12));
    screen->setOnlyMismatches(true);
    EXPECT_EQ(screen->booksGrid()->rowCount(), 0);
    EXPECT_EQ(test::gridText(screen->portalGrid()),
              (QStringList{"24AABCR1234F1ZY | Surat Fabrics | SF/9 | R | 18-07-2024 | 2,100.00 | 24 | N | 5.00 | 2,000.00 | 0.00 | 50.00 | 50.00 | 0.00 | "
                           "Not in books"}));

    QString suggested;
    screen->setFileAsker([&](bool save, const QString& path) {
        EXPECT_TRUE(save);
        suggested = path;
        return path;
    });
    ASSERT_TRUE(screen->writeExcel());
    EXPECT_EQ(suggested, QDir(installation.path()).filePath("Knvs_GSTR/KNVS_GSTR2A_MISMATCH_Jul-2024.XLSx"));
    EXPECT_EQ(year.messages.last().text, "File is completed");
    const auto sheets = reports::readXlsx(suggested);
    ASSERT_EQ(sheets.size(), 1u);
    EXPECT_EQ(sheets[0].rowCount(), 5) << "title, firm, header and SF/9";

    // View Report prints what is shown: the mismatches only, then both sides whole.
    const QString pdf = installation.filePath(QStringLiteral("matching.pdf"));
    auto printed = [&] {
        gui::PreviewWindow* preview = screen->viewReport();
        EXPECT_NE(preview, nullptr);
        QStringList lines;
        if (!preview) return lines;
        preview->setFileAsker([&](const QString&) { return pdf; });
        preview->exportPdf();
        for (const QString& line : test::pdfText(pdf).split(QLatin1Char('\n'))) lines << line.simplified();
        preview->close();
        return lines;
    };
    QStringList lines = printed();
    EXPECT_TRUE(lines.contains("GSTR-2A Matching : Mis-Matched Only"));
    EXPECT_TRUE(lines.contains("24AABCR1234F1ZY Surat Fabrics SF/9 18-07-2024 2,100.00 5 2,000.00 0.00 50.00 50.00 Not in books"));
    EXPECT_FALSE(lines.contains("Purchase Bills (Books)")) << "every bill is settled";
    screen->setOnlyMismatches(false);
    lines = printed();
    EXPECT_TRUE(lines.contains("Purchase Bills (Books)"));
    EXPECT_TRUE(lines.contains("Online Portal (GSTR-2A)"));
    EXPECT_TRUE(lines.contains("24AAFCW1111H1ZT Udhna Stationers US/12 12-07-2024 1,500.00 0 1,500.00 0.00 0.00 0.00 Ticked"));
    EXPECT_TRUE(lines.contains("27AABCM9876C1Z7 Mumbai Yarn Traders MY/55 10-07-2024 5,250.00 5 5,000.00 250.00 0.00 0.00 Matched")) << lines.join('\n').toStdString();
}

TEST_F(InwardScreensTest, ABadFileIsRefusedAndTheImportKept) {
    auto* screen = open<gui::PortalMatchingScreen>(QStringLiteral("mnu_R613"));
    ASSERT_NE(screen, nullptr);
    QString answer = portalJson();
    screen->setFileAsker([&](bool, const QString&) { return answer; });
    ASSERT_TRUE(screen->importFile());
    answer = portalJson(QJsonValue(QStringLiteral("one thousand")));
    EXPECT_FALSE(screen->importFile());
    EXPECT_EQ(year.messages.last().title, "GSTR - 2 & 2A (Matching)");
    EXPECT_EQ(year.messages.last().text, "b2b[0].inv[1].val: \"one thousand\" is not a number");
    EXPECT_EQ(year.count(QStringLiteral("GSTR2_A")), 3);
    EXPECT_EQ(screen->portalGrid()->rowCount(), 3);

    year.messages.answerNext(true);
    ASSERT_TRUE(screen->deleteImport());
    EXPECT_EQ(year.messages.last().text, "Online Portal GSTR 2 A Data From software is Deleted");
    EXPECT_EQ(year.count(QStringLiteral("GSTR2_A")), 0);
    EXPECT_EQ(screen->portalGrid()->rowCount(), 0);
}

// GSTR-9 opens on the whole year from its menu command.
TEST_F(InwardScreensTest, Gstr9FromItsMenuShowsTheYearsInwardHsn) {
    auto* screen = qobject_cast<gui::Gstr9Screen*>(host.open(QStringLiteral("mnu_R65")));
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->objectName(), "Frm_GSTR9");
    ASSERT_TRUE(screen->refresh());
    screen->sections()->setCurrentIndex(2);
    EXPECT_EQ(screen->summaryText(), "HSN rows : 2    Taxable Value : 18,000.00    Tax : 800.00");
    test::keepPicture(host.window.window(), QStringLiteral("gstr9"));
}

}  // namespace
