// The returns on paper and GSTR-3B in its workbook, over July 2024 of the Surat firm that buys and
// sells. View Report on GSTR-1 prints its sections with an invoice of two rates counted once in
// the totals, and its returns in CDNR with their checks; on GSTR-2 it prints each section under
// its own captions (invoices, exempt supplies, the HSN summary, purchase returns and debit notes)
// with the section's totals, and the matched-only choice names itself; GSTR-9 prints its HSN
// tables; the GST summary prints the net payable, and its detail the sources with their
// sub-totals. GSTR-3B's Excel fills the form's template row by row (3.2 one row per state,
// pushing table 4 down), a firm's adjusted copy is filled by its row names, a copy lacking a row
// and a missing template are refused with nothing written.
#include "domain/gst/Gstr3b.h"
#include "domain/gst/Gstr3bWorkbook.h"
#include "domain/gst/ReturnPrints.h"
#include "domain/reports/ReportDocument.h"
#include "domain/reports/ReportFolders.h"
#include "domain/reports/Xlsx.h"
#include "domain/returns/GoodsReturns.h"
#include "domain/returns/Notes.h"
#include "gui/gst/GstSummaryScreen.h"
#include "gui/gst/Gstr1Screen.h"
#include "gui/gst/Gstr2Screen.h"
#include "gui/gst/Gstr3bScreen.h"
#include "gui/gst/Gstr9Screen.h"
#include "gui/gst/ReconciliationScreen.h"
#include "gui/reports/PreviewWindow.h"
#include "gui/returns/GoodsReturnScreen.h"
#include "gui/shell/MainWindow.h"
#include "support/FirmBooks.h"
#include "support/GstBuyingFirm.h"
#include "support/MenuHost.h"
#include "support/PdfProbe.h"
#include "support/ScreenProbe.h"
#include "support/YearFixture.h"
#include "support/QtPrinting.h"

#include <QApplication>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTabWidget>
#include <QTableWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

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

TEST_F(ReturnPrintsTest, Gstr1PrintsItsSectionsWithEachInvoiceCountedOnce) {
    auto* screen = open<gui::Gstr1Screen>(QStringLiteral("mnu_R61"));
    ASSERT_NE(screen, nullptr);
    gui::PreviewWindow* preview = clickView(screen);
    ASSERT_NE(preview, nullptr) << (year.messages.empty() ? std::string() : year.messages.last().text.toStdString());
    const QString pdf = savePdf(preview, "gstr1.pdf");
    EXPECT_FALSE(pdfLine(pdf, "GSTR-1 For The Month Of July 2024").isEmpty());
    // GST/104 at two rates: two rows, its value once in the section's total.
    EXPECT_EQ(pdfLine(pdf, "GST/104 04-07-2024 24 22,225.00 5"), "24AABCR1234F1ZY Surat Fabrics GST/104 04-07-2024 24 22,225.00 5 10,500.00 262.50 262.50");
    EXPECT_EQ(pdfLine(pdf, "Total Parties : 2 Invoices : 2"), "Total Parties : 2 Invoices : 2 23,274.90 21,499.90 50.00 862.50 862.50");
    EXPECT_EQ(pdfLine(pdf, "GST/102"), "Jaipur Cloth House GST/102 02-07-2024 08 2,50,000.01 5 2,38,095.24 11,904.76");
    EXPECT_EQ(pdfLine(pdf, "OE 24-Gujarat"), "OE 24-Gujarat Intra State 5 3,15,000.00 7,875.00 7,875.00");
    EXPECT_TRUE(pdfLine(pdf, "GST/105").startsWith("WPAY Dubai Silk Imports")) << pdfLine(pdf, "GST/105").toStdString();
    EXPECT_EQ(pdfLine(pdf, "Intra-State supplies to registered persons"), "Intra-State supplies to registered persons 5,000.00");
    EXPECT_EQ(pdfLine(pdf, "Invoices for outward supply"), "1 Invoices for outward supply GST/101 GST/107 0 7");
    const QStringList texts = printed(preview);
    EXPECT_FALSE(texts.contains("CDNR : Credit and debit notes to registered persons")) << "no notes this month";

    // January 2025: the HSN summary apart for registered and unregistered buyers, as the portal asks.
    screen->setPeriod(QDate(2025, 1, 1), QDate(2025, 1, 31));
    gui::PreviewWindow* january = clickView(screen);
    ASSERT_NE(january, nullptr);
    const QStringList split = printed(january);
    EXPECT_TRUE(split.contains("HSN summary : supplies to registered persons"));
    EXPECT_TRUE(split.contains("HSN summary : supplies to unregistered persons"));
    EXPECT_FALSE(split.contains("HSN summary of outward supplies"));
}

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
    EXPECT_EQ(pdfLine(pdf, "MY/55"), "27AABCM9876C1Z7 Mumbai Yarn Traders MY/55 10-07-2024 N 5,250.00 5 5,000.00 250.00");
    EXPECT_EQ(pdfLine(pdf, "Total Parties : 1"), "Total Parties : 1 Invoices : 1 5,250.00 5,000.00 250.00");
    EXPECT_EQ(pdfLine(pdf, "Intra-State supplies"), "Intra-State supplies 1,500.00 2,000.00 3,000.00");
    EXPECT_EQ(pdfLine(pdf, "5311"), "5311 Fabrics of 5311 MTR-METERS 20.000 2,000.00 0 2,000.00");

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

// Mahesh Looms takes back 10 m of LW/118 (1,050.00) and Mumbai Yarn Traders sends a debit note of
// 2.00 a metre less on MY/55's 50 m (105.00): GSTR-2's notes sections, each against its bill, with
// the notes' values totalled once each.
TEST_F(ReturnPrintsTest, Gstr2PrintsPurchaseReturnsAndDebitNotes) {
    returns::PurchaseReturn back;
    back.bookId = 2;
    back.date = QDate(2024, 7, 25);
    back.partyId = firm.weaver;
    back.sourceBillNo = QStringLiteral("LW/118");
    back.sourceBillDate = QDate(2024, 7, 10);
    back.reason = QStringLiteral("Weaving fault");
    back.lines.push_back(firm.line(test::SellingFirm::kRapier, "10", "100", "2.5"));
    ASSERT_TRUE(returns::PurchaseReturns(year.db(), year.session, year.messages).save(back)) << year.messages.last().text.toStdString();
    returns::Note debit;
    debit.kind = returns::NoteKind::Debit;
    debit.date = QDate(2024, 7, 28);
    debit.partyId = firm.mumbai;
    debit.billIds = {firm.my55};
    debit.sgstPercent = debit.cgstPercent = *Decimal::parse(QStringLiteral("2.5"));
    debit.reasonCode = QStringLiteral("04");
    debit.otherAccountId = test::addAccount(year.db(), QStringLiteral("Rate Difference A/c"), 62);
    debit.rateType = QStringLiteral("Rate Diff");
    debit.itemId = test::SellingFirm::kRapier;
    debit.quantity = *Decimal::parse(QStringLiteral("50"));
    debit.rateDifference = *Decimal::parse(QStringLiteral("2"));
    ASSERT_TRUE(returns::Notes(year.db(), year.session, year.messages).save(debit)) << year.messages.last().text.toStdString();

    auto* screen = open<gui::Gstr2Screen>(QStringLiteral("mnu_R62"));
    ASSERT_NE(screen, nullptr);
    ASSERT_TRUE(screen->refresh());
    screen->sections()->setCurrentWidget(screen->grid("CDNUR"));
    EXPECT_EQ(screen->summaryText(), "Parties : 1    Notes : 1    Note Value : 1,050.00    Taxable Value : 1,000.00");
    const QString pdf = savePdf(clickView(screen), "gstr2-notes.pdf");
    EXPECT_EQ(pdfLine(pdf, "(against MY/55"), "27AABCM9876C1Z7 Mumbai Yarn Traders (against MY/55 of 1 28-07-2024 D 105.00 5 100.00 5.00");
    EXPECT_TRUE(pdfLine(pdf, "Mahesh Looms (against").startsWith("Intra State Mahesh Looms (against LW/118 of")) << pdfLine(pdf, "Mahesh Looms (against").toStdString();
    EXPECT_EQ(pdfLine(pdf, "Total Parties : 1 Notes : 1 1,050.00"), "Total Parties : 1 Notes : 1 1,050.00 1,000.00 25.00 25.00");
    EXPECT_EQ(pdfLine(pdf, "Total Parties : 1 Notes : 1 105.00"), "Total Parties : 1 Notes : 1 105.00 100.00 5.00");
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

// A sales return of Surat Fabrics on GST/104 (20 m Rapier @ 105, 5%: 2,205.00) and one naming an
// invoice the books do not hold: CDNR lists both with its counts; the check lists the second, and
// Enter opens it in the sales return window; a buyer's GSTIN cut short paints the CDNR rows red
// with the old warning; on paper the returns stand in CDNR against their invoice.
TEST_F(ReturnPrintsTest, SalesReturnsShowInCdnrWithTheirChecks) {
    auto salesReturn = [&](const char* against, const QDate& againstDate) {
        returns::SalesReturn r;
        r.bookNo = 1;
        r.date = QDate(2024, 7, 20);
        r.partyId = firm.suratFabrics;
        r.sourceBillNo = QString::fromLatin1(against);
        r.sourceBillDate = againstDate;
        r.reason = QStringLiteral("Shade variation");
        trade::SalesLine line;
        line.qualityId = test::SellingFirm::kRapier;
        line.input.metres = *Decimal::parse(QStringLiteral("20"));
        line.input.listRate = *Decimal::parse(QStringLiteral("105"));
        line.input.sgstPercent = line.input.cgstPercent = *Decimal::parse(QStringLiteral("2.5"));
        r.lines.push_back(line);
        const auto id = returns::SalesReturns(year.db(), year.session, year.messages).save(r);
        EXPECT_TRUE(id) << (year.messages.empty() ? std::string() : year.messages.last().text.toStdString());
        return id.value_or(0);
    };
    salesReturn("104", QDate(2024, 7, 4));
    const qint64 orphan = salesReturn("999", QDate(2024, 7, 6));
    ASSERT_FALSE(HasFailure());
    year.messages.clear();

    auto* screen = open<gui::Gstr1Screen>(QStringLiteral("mnu_R61"));
    ASSERT_NE(screen, nullptr);
    ASSERT_TRUE(screen->refresh());
    QTableWidget* cdnr = screen->grid("CDNR");
    ASSERT_EQ(cdnr->rowCount(), 2);
    screen->sections()->setCurrentWidget(cdnr);
    EXPECT_EQ(screen->summaryText(), "Parties : 1    Notes : 2    Note Value : 4,410.00    Taxable Value : 4,200.00");
    EXPECT_NE(cdnr->item(0, 0)->background().color(), QColor(255, 205, 205));

    // The check names the return without its invoice; Enter opens it where returns are kept.
    QTableWidget* check = screen->grid("Check");
    ASSERT_EQ(check->rowCount(), 1) << test::gridText(check).join('\n').toStdString();
    screen->show();
    check->setFocus();
    check->setCurrentCell(0, 1);
    QTest::keyClick(check, Qt::Key_Return);
    auto* opened = qobject_cast<gui::GoodsReturnScreen*>(host.window.workArea()->subWindowList().last()->widget());
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(opened->documentId(), orphan);

    const QString pdf = savePdf(clickView(screen), "cdnr.pdf");
    // the invoice's date wraps under the buyer's name
    EXPECT_EQ(pdfLine(pdf, "(against GST/104"), "24AABCR1234F1ZY Surat Fabrics (against GST/104 of GST/1 20-07-2024 C 2,205.00 5 2,100.00 52.50 52.50");
    EXPECT_EQ(pdfLine(pdf, "04-07-2024)"), "04-07-2024)");
    EXPECT_EQ(pdfLine(pdf, "Total Parties : 1 Notes : 2"), "Total Parties : 1 Notes : 2 4,410.00 4,200.00 105.00 105.00");

    // A GSTIN a character short: the rows of the buyer's notes turn red with the old warning.
    year.db().exec(QStringLiteral("UPDATE AccMst SET TinNo = '24AABCR1234F1Z' WHERE Id = ?"), {firm.suratFabrics});
    year.messages.clear();
    ASSERT_TRUE(screen->refresh());
    EXPECT_TRUE(year.messages.has(MessageKind::Warning, "Red Line Represent Error", "Please Enter Proper GSTIN In cdnr File Sales"));
    EXPECT_EQ(cdnr->item(1, 0)->background().color(), QColor(255, 205, 205));
}

// The yearly reconciliation printed as the grid shows it: July's IGST as filed typed but not yet
// saved prints beside the books' figures with the difference, and nothing is kept by printing.
TEST_F(ReturnPrintsTest, TheReconciliationPrintsWhatTheGridShows) {
    auto* screen = qobject_cast<gui::ReconciliationScreen*>(host.open(QStringLiteral("mnu_R614")));
    ASSERT_NE(screen, nullptr);
    ASSERT_TRUE(screen->refresh());
    QTableWidget* grid = screen->grid();
    ASSERT_EQ(grid->item(4, 1)->text(), "July");
    const QString booksIgst = grid->item(4, 3)->text();
    grid->item(4, 9)->setText(QStringLiteral("20000"));
    gui::PreviewWindow* preview = clickView(screen);
    ASSERT_NE(preview, nullptr) << (year.messages.empty() ? std::string() : year.messages.last().text.toStdString());
    const QString pdf = savePdf(preview, "reconciliation.pdf");
    EXPECT_FALSE(pdfLine(pdf, "GST Reconsilation 2024-25").isEmpty());
    const QString july = pdfLine(pdf, "July");
    EXPECT_TRUE(july.startsWith("July " + grid->item(4, 2)->text() + " " + booksIgst)) << july.toStdString();
    EXPECT_TRUE(july.endsWith(" 0.00 20,000.00 0.00 0.00 37,084.52")) << "39,609.52 + 8,737.50 + 8,737.50 - 20,000.00: " << july.toStdString();
    EXPECT_EQ(year.db().scalar(QStringLiteral("SELECT COUNT(*) FROM GSTR_Audit WHERE IGSTO <> 0")).toInt(), 0);

    // A figure that is no amount stops the print, naming where it is.
    grid->item(4, 9)->setText(QStringLiteral("20,OOO"));
    EXPECT_EQ(screen->viewReport(), nullptr);
    EXPECT_EQ(year.messages.last().text, "July, IGST: \"20,OOO\" is not an amount.");
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

    // View Report beside it: the printed return of the same month.
    gui::PreviewWindow* preview = clickView(screen);
    ASSERT_NE(preview, nullptr);
    const QStringList texts = printed(preview);
    EXPECT_TRUE(texts.contains("GSTR-3B For The Month Of July 2024"));
    EXPECT_TRUE(texts.contains("08-Rajasthan: Supplies made to Unregistered Persons"));
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
