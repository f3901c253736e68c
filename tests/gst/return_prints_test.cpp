// The returns on paper and GSTR-3B in its workbook, over July 2024 of the Surat firm that buys and
// sells. View Report on GSTR-2 prints each section under its own captions (invoices, exempt
// supplies, the HSN summary) with the section's totals, and the matched-only choice names itself;
// GSTR-9 prints its HSN tables; the GST summary prints the net payable, and its detail the sources
// with their sub-totals. GSTR-3B's Excel fills the form's template row by row (3.2 one row per
// state, pushing table 4 down), a firm's adjusted copy is filled by its row names, a copy lacking
// a row and a missing template are refused with nothing written.
#include "domain/gst/Gstr3b.h"
#include "domain/gst/Gstr3bWorkbook.h"
#include "domain/gst/ReturnPrints.h"
#include "domain/reports/ReportDocument.h"
#include "domain/reports/ReportFolders.h"
#include "domain/reports/Xlsx.h"
#include "gui/gst/GstSummaryScreen.h"
#include "gui/gst/Gstr2Screen.h"
#include "gui/gst/Gstr3bScreen.h"
#include "gui/gst/Gstr9Screen.h"
#include "gui/reports/PreviewWindow.h"
#include "support/GstBuyingFirm.h"
#include "support/MenuHost.h"
#include "support/PdfProbe.h"
#include "support/ScreenProbe.h"
#include "support/YearFixture.h"

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

using namespace tanabana;

namespace {

class ReturnPrintsTest : public ::testing::Test {
protected:
    void SetUp() override {
        firm.build();
        ASSERT_FALSE(HasFailure());
        year.session.dataRoot = installation.path();
        year.session.firmName = QStringLiteral("Shree Laxmi Textiles");
        year.messages.clear();
    }
    gst::ReturnPeriod july() const { return *gst::ReturnPeriod::month(QStringLiteral("07-2024")); }
    template <typename Screen>
    Screen* open(const QString& command) {
        auto* screen = qobject_cast<Screen*>(host.open(command));
        if (screen) screen->setPeriod(july().from, july().to);
        return screen;
    }
    // Clicks View Report as the operator does; the preview that opened, or null.
    gui::PreviewWindow* clickView(QWidget* screen) {
        auto* button = screen->findChild<QPushButton*>(QStringLiteral("cmdView"));
        if (!button || !button->isEnabled()) return nullptr;
        QTest::mouseClick(button, Qt::LeftButton);
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* preview = qobject_cast<gui::PreviewWindow*>(w); preview && preview->isVisible() && !seen_.count(preview)) {
                seen_.insert(preview);
                return preview;
            }
        return nullptr;
    }
    // The preview's PDF button, answered with a file of the installation folder.
    QString savePdf(gui::PreviewWindow* preview, const QString& name) {
        const QString path = QDir(installation.path()).filePath(name);
        preview->setFileAsker([path](const QString&) { return path; });
        preview->exportPdf();
        test::keepForLooking(path);
        return path;
    }
    static QStringList printed(gui::PreviewWindow* preview) {
        QStringList texts;
        for (int p = 0; p < preview->document()->pageCount(); ++p) texts << preview->document()->pageTexts(p);
        return texts;
    }
    // The line of the PDF's text that holds `word`, its blanks made single.
    static QString pdfLine(const QString& pdf, const QString& word) {
        for (const QString& line : test::pdfText(pdf).split(QLatin1Char('\n')))
            if (line.simplified().contains(word)) return line.simplified();
        return {};
    }
    test::YearFixture year;
    test::GstBuyingFirm firm{year.db(), year.session, year.messages};
    QTemporaryDir installation;
    test::MenuHost host{year};
    std::set<QWidget*> seen_;
};

TEST_F(ReturnPrintsTest, Gstr2PrintsEachSectionUnderItsOwnCaptions) {
    auto* screen = open<gui::Gstr2Screen>(QStringLiteral("mnu_R62"));
    ASSERT_NE(screen, nullptr);
    gui::PreviewWindow* preview = clickView(screen);
    ASSERT_NE(preview, nullptr) << (year.messages.empty() ? std::string() : year.messages.last().text.toStdString());
    const QStringList texts = printed(preview);
    for (const char* expected : {"Shree Ganesh Textiles", "GSTIN : 24AAACS1234A1Z8", "GSTR-2 For The Month Of July 2024", "From 01-07-2024 To 31-07-2024",
                                 "B2B : Inward supplies from registered suppliers", "GSTIN of Supplier", "27AABCM9876C1Z7", "MY/55",
                                 "B2BUR : Inward supplies from unregistered suppliers", "LW/118",
                                 "Composition, nil rated, exempted and non-GST inward supplies", "Composition", "Non-GST",
                                 "HSN summary of inward supplies", "Total Quantity", "5407"})
        EXPECT_TRUE(texts.contains(QString::fromLatin1(expected))) << expected;
    EXPECT_FALSE(texts.contains("CDNR : Debit and credit notes of registered suppliers")) << "an empty section is left out";
    EXPECT_FALSE(texts.contains("LW/120")) << "a bill kept out of the returns";

    // On paper: the rows under their captions, and each section's totals.
    const QString pdf = QDir(installation.path()).filePath("gstr2.pdf");
    gst::writeReturnReport(gst::gstr2Report(year.db(), year.session, gst::Gstr2Service(year.db(), year.session).compute(july())),
                           installation.path(), pdf);
    test::keepForLooking(pdf);
    EXPECT_EQ(pdfLine(pdf, "MY/55"), "27AABCM9876C1Z7 Mumbai Yarn Traders MY/55 10-07-2024 N 5,250.00 5 5,000.00 250.00 0.00 0.00");
    EXPECT_EQ(pdfLine(pdf, "Total Parties : 1"), "Total Parties : 1 Invoices : 1 5,250.00 5,000.00 250.00 0.00 0.00");
    EXPECT_EQ(pdfLine(pdf, "Intra-State supplies"), "Intra-State supplies 1,500.00 2,000.00 0.00 3,000.00");
    EXPECT_EQ(pdfLine(pdf, "5311"), "5311 Fabrics of 5311 MTR-METERS 20.000 2,000.00 0 2,000.00 0.00 0.00 0.00");

    // Only the bills matched with the portal: the choice is named under the title.
    year.db().exec(QStringLiteral("UPDATE BillMst SET Is_GstR2A = 1 WHERE Id = ?"), {firm.my55});
    screen->setFilter(gst::PortalMatchFilter::Matched);
    gui::PreviewWindow* matched = clickView(screen);
    ASSERT_NE(matched, nullptr);
    const QStringList matchedTexts = printed(matched);
    EXPECT_TRUE(matchedTexts.contains("From 01-07-2024 To 31-07-2024    Bills Matched With GSTR-2A"));
    EXPECT_TRUE(matchedTexts.contains("MY/55"));
    EXPECT_FALSE(matchedTexts.contains("LW/118"));
}

TEST_F(ReturnPrintsTest, Gstr9AndTheSummaryPrintTheirTables) {
    auto* gstr9 = qobject_cast<gui::Gstr9Screen*>(host.open(QStringLiteral("mnu_R65")));
    ASSERT_NE(gstr9, nullptr);
    gui::PreviewWindow* yearly = clickView(gstr9);
    ASSERT_NE(yearly, nullptr);
    const QStringList texts = printed(yearly);
    for (const char* expected : {"GSTR-9 Annual Return 2024-25 : HSN Summary", "From 01-04-2024 To 31-03-2025",
                                 "17. HSN wise summary of outward supplies", "18. HSN wise summary of inward supplies", "5311", "15,000.00"})
        EXPECT_TRUE(texts.contains(QString::fromLatin1(expected))) << expected;
    // The inward table's total: 2,000.00 nil rated and 15,000.00 at 5 %.
    const int inward = int(texts.indexOf("18. HSN wise summary of inward supplies"));
    ASSERT_GE(inward, 0);
    EXPECT_TRUE(texts.mid(inward).contains("17,000.00")) << texts.mid(inward).join(" | ").toStdString();
    const QString pdf = test::pdfText(savePdf(yearly, "gstr9.pdf"));
    EXPECT_TRUE(pdf.mid(pdf.indexOf("18. HSN wise")).simplified().startsWith(
        "18. HSN wise summary of inward supplies 5311 Fabrics of 5311 MTR 20.000 2,000.00 0 0.00 0.00 0.00 "
        "5407 Fabrics of 5407 MTR 150.000 15,000.00 5 250.00 250.00 250.00 Total 17,000.00 250.00 250.00 250.00"))
        << pdf.toStdString();

    auto* summary = open<gui::GstSummaryScreen>(QStringLiteral("mnu_R612"));
    ASSERT_NE(summary, nullptr);
    gui::PreviewWindow* net = clickView(summary);
    ASSERT_NE(net, nullptr);
    const QStringList netTexts = printed(net);
    EXPECT_TRUE(netTexts.contains("GSTR - Summary : 1. Summary"));
    EXPECT_TRUE(netTexts.contains("Net Payable"));
    EXPECT_TRUE(netTexts.contains("Gross Tax Liabilty"));

    summary->setKind(QStringLiteral("2. Detail"));
    gui::PreviewWindow* detail = clickView(summary);
    ASSERT_NE(detail, nullptr);
    const QStringList detailTexts = printed(detail);
    EXPECT_TRUE(detailTexts.contains("GSTR - Summary : 2. Detail"));
    EXPECT_TRUE(detailTexts.contains("RCM Amt Payable"));
    EXPECT_GE(detailTexts.count("Sub Tot"), 3) << "a sub-total under each source";
    EXPECT_FALSE(detailTexts.contains("Net Payable"));
    EXPECT_FALSE(pdfLine(savePdf(detail, "summary.pdf"), "RCM Amt Payable").isEmpty());
    savePdf(net, "net.pdf");
}

// A cell of the 3B sheet read back: its row by the first column's name (and the second's words).
class Gstr3bSheet {
public:
    explicit Gstr3bSheet(const reports::XlsxSheet& sheet) : sheet_(sheet) {}
    int row(const QString& key, const QString& words = {}) const {
        for (const auto& c : sheet_.cells)
            if (c.column == 0 && c.value.toString() == key && (words.isEmpty() || text(c.row, 1) == words)) return c.row;
        return -1;
    }
    QString text(int row, int column) const {
        for (const auto& c : sheet_.cells)
            if (c.row == row && c.column == column) return c.value.toString();
        return {};
    }
    double number(int row, int column) const {
        for (const auto& c : sheet_.cells)
            if (c.row == row && c.column == column) return c.value.toDouble();
        return -1;
    }

private:
    reports::XlsxSheet sheet_;
};

TEST_F(ReturnPrintsTest, Gstr3bExcelFillsEveryTableOfTheForm) {
    auto* screen = open<gui::Gstr3bScreen>(QStringLiteral("mnu_R63"));
    ASSERT_NE(screen, nullptr);
    QTest::mouseClick(screen->findChild<QPushButton*>(QStringLiteral("Cmd_Excel")), Qt::LeftButton);
    ASSERT_TRUE(year.messages.has(MessageKind::Information, "GSTR - 3B", "Done")) << year.messages.last().text.toStdString();
    const QString path = QDir(installation.path()).filePath("Knvs_GSTR/KNVS_GSTR3B_Jul-2024.XLSx");
    const auto sheets = reports::readXlsx(path);
    ASSERT_EQ(sheets.size(), 1u);
    EXPECT_EQ(sheets[0].name, "GSTR-3B");
    const Gstr3bSheet form(sheets[0]);

    EXPECT_EQ(form.text(form.row("Year"), 2), "2024-25");
    EXPECT_EQ(form.text(form.row("Month"), 2), "July 2024");
    EXPECT_EQ(form.text(form.row("1"), 2), "24AAACS1234A1Z8");
    EXPECT_EQ(form.text(form.row("2(a)"), 2), "Shree Laxmi Textiles");

    // The figures the books give, table by table; 3.1(a) as the sales of the month make it.
    const gst::Gstr3b r = gst::Gstr3bService(year.db(), year.session).compute(july());
    const int a = form.row("3.1(a)");
    EXPECT_NEAR(form.number(a, 2), 812690.38, 0.001);
    EXPECT_NEAR(form.number(a, 3), 23859.52, 0.001);
    EXPECT_NEAR(form.number(a, 4), 8737.50, 0.001);
    for (const gst::Gstr3bLine& l : r.outward) {
        const int row = form.row(l.table);
        ASSERT_GE(row, 0) << l.table.toStdString();
        int c = 2;
        for (const Decimal& v : {l.taxable, l.igst, l.cgst, l.sgst, l.cess}) EXPECT_NEAR(form.number(row, c++), v.toDouble(), 0.001) << l.table.toStdString();
    }
    ASSERT_NE(r.line("4(A)(5)"), nullptr);
    EXPECT_FALSE(r.line("4(A)(5)")->cgst.isZero()) << "the month has input credit to show";
    for (const gst::Gstr3bLine& l : r.inputCredit) {
        const int row = form.row(l.table);
        ASSERT_GE(row, 0) << l.table.toStdString();
        int c = 2;
        for (const Decimal& v : {l.igst, l.cgst, l.sgst, l.cess}) EXPECT_NEAR(form.number(row, c++), v.toDouble(), 0.001) << l.table.toStdString();
    }
    for (const gst::ExemptInward& e : r.exemptInward) {
        const int row = form.row("5", e.description);
        ASSERT_GE(row, 0) << e.description.toStdString();
        EXPECT_NEAR(form.number(row, 2), e.interState.toDouble(), 0.001);
        EXPECT_NEAR(form.number(row, 3), e.intraState.toDouble(), 0.001);
    }
    EXPECT_NEAR(form.number(form.row("5", "Non GST supply"), 3), 3000.00, 0.001) << "the electricity bill outside GST";

    // 3.2: one row per place of supply under the captions; table 4 moved down by as many rows.
    ASSERT_EQ(r.interState.size(), 1u);
    const int captions = form.row("Table", "Place of Supply (State/UT)");
    EXPECT_EQ(form.text(captions + 1, 0), "3.2");
    EXPECT_EQ(form.text(captions + 1, 1), "08-Rajasthan");
    EXPECT_NEAR(form.number(captions + 1, 2), 476190.48, 0.001);
    EXPECT_NEAR(form.number(captions + 1, 3), 23809.52, 0.001);
    const QString shipped = reports::findTemplateFile(installation.path(), gst::gstr3bTemplateFile());
    const Gstr3bSheet blank(reports::readXlsx(shipped).front());
    EXPECT_EQ(form.row("4"), blank.row("4") + 1);
    EXPECT_EQ(blank.text(blank.row("Table", "Place of Supply (State/UT)") + 1, 0), "") << "the template keeps no rows for 3.2";
}

TEST_F(ReturnPrintsTest, AFirmsCopyIsFilledByItsRowNamesAndOneLackingARowIsRefused) {
    const QString shipped = reports::findTemplateFile(installation.path(), gst::gstr3bTemplateFile());
    ASSERT_FALSE(shipped.isEmpty()) << "the template ships with the program";
    const reports::XlsxSheet original = reports::readXlsx(shipped).front();
    // The firm's copy: its own title on top, every row of the form two rows lower.
    auto ownCopy = [&](const QString& without) {
        reports::XlsxBook book;
        book.addSheet(QStringLiteral("GSTR-3B"));
        book.write(0, 0, QStringLiteral("Shree Laxmi Textiles - monthly return"), true);
        int dropped = -1;
        for (const auto& c : original.cells)
            if (c.column == 0 && c.value.toString() == without) dropped = c.row;
        for (const auto& c : original.cells)
            if (c.row != dropped && c.row > 0) book.write(c.row + 2, c.column, c.value, c.bold);
        book.save(QDir(installation.path()).filePath(QStringLiteral("knvs_gstr3b.xlsx")));
    };
    ownCopy(QString());
    gui::Gstr3bScreen screen(year.db(), year.session, year.messages);
    screen.setPeriod(july().from, july().to);
    ASSERT_TRUE(screen.writeExcel()) << year.messages.last().text.toStdString();
    const QString path = QDir(installation.path()).filePath("Knvs_GSTR/KNVS_GSTR3B_Jul-2024.XLSx");
    auto sheets = reports::readXlsx(path);
    Gstr3bSheet form(sheets.front());
    EXPECT_EQ(form.text(0, 0), "Shree Laxmi Textiles - monthly return");
    EXPECT_EQ(form.row("3.1(a)"), Gstr3bSheet(original).row("3.1(a)") + 2);
    EXPECT_NEAR(form.number(form.row("3.1(a)"), 2), 812690.38, 0.001);

    // A copy without the row of 4(A)(5): refused, and the earlier workbook is left as it was.
    QFile::remove(path);
    ownCopy(QStringLiteral("4(A)(5)"));
    year.messages.clear();
    EXPECT_FALSE(screen.writeExcel());
    EXPECT_EQ(year.messages.last().title, "GSTR - 3B");
    EXPECT_TRUE(year.messages.last().text.endsWith("has no row for 4(A)(5) of GSTR-3B.")) << year.messages.last().text.toStdString();
    EXPECT_FALSE(QFile::exists(path));

    // No copy and no shipped template: the return's own message, nothing written.
    QFile::remove(QDir(installation.path()).filePath(QStringLiteral("knvs_gstr3b.xlsx")));
    QTemporaryDir emptyShare;
    const QByteArray share = qgetenv("TANABANA_SHARE");
    qputenv("TANABANA_SHARE", emptyShare.path().toUtf8());
    EXPECT_FALSE(screen.writeExcel());
    qputenv("TANABANA_SHARE", share);
    EXPECT_EQ(year.messages.last().title, "Master Excel File Missing ");
    EXPECT_EQ(year.messages.last().text, "Original GSTR - 3 Document File not found !");
    EXPECT_FALSE(QFile::exists(path));
}

// The shipped file is the form as the program writes it: regenerate it with
// `tanabana-cli gst templates --out DIR` after changing the form's rows.
TEST_F(ReturnPrintsTest, TheShippedGstr3bTemplateIsTheForm) {
    QTemporaryDir empty;
    const QString shipped = reports::findTemplateFile(empty.path(), gst::gstr3bTemplateFile());
    ASSERT_FALSE(shipped.isEmpty());
    const QString fresh = QDir(empty.path()).filePath("fresh.xlsx");
    gst::writeGstr3bTemplate(fresh);
    auto cells = [](const QString& path) {
        QStringList out;
        const auto sheets = reports::readXlsx(path);
        for (const auto& c : sheets.front().cells) out << QStringLiteral("%1,%2 %3").arg(c.row).arg(c.column).arg(c.value.toString());
        return out;
    };
    EXPECT_EQ(cells(shipped), cells(fresh));
    EXPECT_TRUE(cells(shipped).contains("12,0 3.1(c)"));
}

}  // namespace
