// The GST return screens over July 2024 of the Surat firm, as an operator uses them. GSTR-1: the
// sections in their tabs with the B2B counts and totals, a buyer's mistyped GSTIN painting its
// rows red with the old warning and the check list (Enter opens the bill), the CSV button warning
// first and writing the files into the installation's GSTR_CSV folder, and a month of the next
// year refused. GSTR-3B: the tables under the form's headings and the workbook of the return.
#include "domain/reports/Xlsx.h"
#include "gui/gst/Gstr1Screen.h"
#include "gui/gst/Gstr3bScreen.h"
#include "gui/shell/MainWindow.h"
#include "gui/trade/SalesScreen.h"
#include "support/MenuHost.h"
#include "support/GstFirm.h"
#include "support/ScreenProbe.h"
#include "support/YearFixture.h"
#include "support/QtPrinting.h"

#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace tanabana;

namespace {

class Gstr1ScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        firm.build();
        ASSERT_FALSE(HasFailure());
        year.session.dataRoot = installation.path();
        screen = std::make_unique<gui::Gstr1Screen>(year.db(), year.session, year.messages);
        screen->setOpenDocument([this](int formId, qint64 id) { opened.push_back({formId, id}); });
        screen->setFolderShower([this](const QString& folder) { shown << folder; });
        screen->setPeriod(QDate(2024, 7, 1), QDate(2024, 7, 31));
        screen->resize(1200, 520);
        year.messages.clear();
    }
    QStringList row(const QString& tab, int r) const {
        QStringList out;
        const QTableWidget* g = screen->grid(tab);
        for (int c = 0; c < g->columnCount(); ++c) out << g->item(r, c)->text();
        return out;
    }
    bool red(const QString& tab, int r) const { return screen->grid(tab)->item(r, 0)->background().color() == QColor(255, 205, 205); }

    test::YearFixture year;
    test::GstFirm firm{year.db(), year.session, year.messages};
    QTemporaryDir installation;
    std::unique_ptr<gui::Gstr1Screen> screen;
    std::vector<std::pair<int, qint64>> opened;
    QStringList shown;
};

TEST_F(Gstr1ScreenTest, SectionsShowInTheirTabsWithTheB2bTotals) {
    ASSERT_TRUE(screen->refresh());
    EXPECT_TRUE(year.messages.empty());
    EXPECT_EQ(screen->grid("B2B")->rowCount(), 3);
    EXPECT_EQ(row("B2B", 1), (QStringList{"24AABCR1234F1ZY", "Surat Fabrics", "GST/104", "04-Jul-2024", "22,225.00", "24-Gujarat", "N", "",
                                          "Regular B2B", "", "12", "10,000.00", ""}));
    EXPECT_FALSE(red("B2B", 1));
    screen->sections()->setCurrentWidget(screen->grid("B2B"));
    EXPECT_EQ(screen->summaryText(), "Parties : 2    Invoices : 2    Invoice Value : 23,274.90    Taxable Value : 21,499.90");
    EXPECT_EQ(row("B2CL", 0).at(2), "2,50,000.01");
    EXPECT_EQ(screen->grid("EXP")->rowCount(), 1);
    EXPECT_EQ(row("DOCS", 0), (QStringList{"1", "Invoices for outward supply", "GST/101", "GST/107", "7", "0"}));
    EXPECT_EQ(screen->grid("Check")->rowCount(), 0);
    const QTabWidget* tabs = screen->sections();
    EXPECT_FALSE(tabs->isTabVisible(tabs->indexOf(screen->grid("HSN B2B"))));
    screen->show();
    test::keepPicture(screen.get(), QStringLiteral("gstr1_july"));
}

TEST_F(Gstr1ScreenTest, AMistypedGstinPaintsItsRowsRedAndTheCheckOpensTheBill) {
    year.db().exec(QStringLiteral("UPDATE AccMst SET TinNo = '24AABCR1234F1Z5' WHERE Id = ?"), {firm.suratFabrics});
    ASSERT_TRUE(screen->refresh());
    EXPECT_TRUE(year.messages.has(MessageKind::Warning, "Red Line Represent Error", "Please Enter Proper GSTIN In B2B File Sales"));
    EXPECT_TRUE(red("B2B", 0));
    EXPECT_TRUE(red("B2B", 1));
    EXPECT_FALSE(red("B2B", 2));  // Delhi Textiles
    QTableWidget* check = screen->grid("Check");
    EXPECT_EQ(screen->sections()->currentWidget(), check);
    ASSERT_EQ(check->rowCount(), 2);
    EXPECT_EQ(row("Check", 0), (QStringList{"GST/", "GST/104", "04-07-2024", "Surat Fabrics",
                                            "GSTIN 24AABCR1234F1Z5 fails its check digit (the last character would be Y for the first fourteen).",
                                            "Correct the party's GSTIN in the account master."}));
    screen->show();
    check->setFocus();
    check->setCurrentCell(1, 1);
    QTest::keyClick(check, Qt::Key_Return);
    EXPECT_EQ(opened, (std::vector<std::pair<int, qint64>>{{3, firm.july107}}));
    test::keepPicture(screen.get(), QStringLiteral("gstr1_check"));

    // The files are written all the same, after the warning.
    year.messages.clear();
    ASSERT_TRUE(screen->writeCsv());
    ASSERT_EQ(year.messages.all().size(), 2u);
    EXPECT_EQ(year.messages.all()[0].kind, MessageKind::Warning);
    EXPECT_EQ(year.messages.all()[0].text, "2 problem(s) in the sales of this period are listed under Check; the portal may refuse those rows. "
                                           "The files are written all the same.");
    const QString folder = QDir(installation.path()).filePath("GSTR_CSV");
    EXPECT_TRUE(year.messages.has(MessageKind::Information, "GSTR-1 Completed",
                                  QStringLiteral("Your GSTR-1 File Is Ready in %1 Folder").arg(QDir::toNativeSeparators(folder))));
    EXPECT_EQ(shown, QStringList{folder});
    EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), 10);
}

TEST_F(Gstr1ScreenTest, AMonthOfTheNextYearIsRefusedAndTheTabsEmptied) {
    ASSERT_TRUE(screen->refresh());
    screen->setPeriod(QDate(2025, 4, 1), QDate(2025, 4, 30));
    EXPECT_FALSE(screen->refresh());
    EXPECT_TRUE(year.messages.has(MessageKind::Critical, "GSTR - 1",
                                  "The period 01-04-2025 to 30-04-2025 is outside the open year 01-04-2024 to 31-03-2025."));
    EXPECT_EQ(screen->grid("B2B")->rowCount(), 0);
    EXPECT_FALSE(screen->writeCsv());
    EXPECT_FALSE(QDir(QDir(installation.path()).filePath("GSTR_CSV")).exists());
}

TEST_F(Gstr1ScreenTest, Gstr3bShowsTheTablesUnderTheFormsHeadingsAndWritesTheWorkbook) {
    gui::Gstr3bScreen gstr3b(year.db(), year.session, year.messages);
    gstr3b.setPeriod(QDate(2024, 7, 1), QDate(2024, 7, 31));
    ASSERT_TRUE(gstr3b.refresh());
    QTableWidget* g = gstr3b.grid();
    auto rowText = [g](int r) {
        QStringList out;
        for (int c = 0; c < g->columnCount(); ++c) out << (g->item(r, c) ? g->item(r, c)->text() : QString());
        return out;
    };
    EXPECT_EQ(rowText(0).first(), "3.1 Details of Outward Supplies and inward supplies liable to reverse charge");
    EXPECT_EQ(rowText(1), (QStringList{"3.1(a)", "Outward taxable supplies (other than zero rated, nil rated and exempted)", "8,12,690.38",
                                       "23,859.52", "8,737.50", "8,737.50", "0.00"}));
    EXPECT_EQ(rowText(7), (QStringList{"3.2", "08-Rajasthan: Supplies made to Unregistered Persons", "4,76,190.48", "23,809.52", "0.00",
                                       "0.00", "0.00"}));
    // The kinds of buyer the month had none of stay on the form at nil, before table 4.
    EXPECT_EQ(rowText(8), (QStringList{"3.2", "Supplies made to Composition Taxable Persons", "0.00", "0.00", "0.00", "0.00", "0.00"}));
    EXPECT_EQ(rowText(9), (QStringList{"3.2", "Supplies made to UIN Holders", "0.00", "0.00", "0.00", "0.00", "0.00"}));
    EXPECT_EQ(rowText(10).first(), "4. Eligible ITC");
    gstr3b.resize(1100, 560);
    gstr3b.show();
    test::keepPicture(&gstr3b, QStringLiteral("gstr3b_july"));

    ASSERT_TRUE(gstr3b.writeExcel()) << (year.messages.empty() ? std::string() : year.messages.last().text.toStdString());
    EXPECT_TRUE(year.messages.has(MessageKind::Information, "GSTR - 3B", "Done"));
    const auto sheets = reports::readXlsx(QDir(installation.path()).filePath("Knvs_GSTR/KNVS_GSTR3B_Jul-2024.XLSx"));
    ASSERT_FALSE(sheets.empty());
    bool found = false;
    for (const reports::XlsxCell& cell : sheets.front().cells) found = found || qAbs(cell.value.toDouble() - 812690.38) < 0.001;
    EXPECT_TRUE(found) << "3.1(a) taxable value not in the workbook";

    // A month without sales across the state line shows all three kinds at nil.
    gstr3b.setPeriod(QDate(2024, 6, 1), QDate(2024, 6, 30));
    ASSERT_TRUE(gstr3b.refresh());
    QStringList interState;
    for (int r = 0; r < g->rowCount(); ++r)
        if (rowText(r).first() == "3.2") interState << rowText(r).mid(1).join(QLatin1Char('|'));
    EXPECT_EQ(interState, (QStringList{"Supplies made to Unregistered Persons|0.00|0.00|0.00|0.00|0.00",
                                       "Supplies made to Composition Taxable Persons|0.00|0.00|0.00|0.00|0.00",
                                       "Supplies made to UIN Holders|0.00|0.00|0.00|0.00|0.00"}));

    gstr3b.setPeriod(QDate(2025, 4, 1), QDate(2025, 4, 30));
    EXPECT_FALSE(gstr3b.refresh());
    EXPECT_EQ(g->rowCount(), 0);
}

// From the menu, as the operator works: Enter on a fault of the check list opens that bill in
// the firm's sales window, through the windows that open documents of each kind.
TEST_F(Gstr1ScreenTest, TheCheckListOpensTheBillInTheSalesWindow) {
    year.db().exec(QStringLiteral("UPDATE AccMst SET TinNo = '24AABCR1234F1Z5' WHERE Id = ?"), {firm.suratFabrics});
    test::MenuHost host(year);
    auto* fromMenu = qobject_cast<gui::Gstr1Screen*>(host.open(QStringLiteral("mnu_R61")));
    ASSERT_NE(fromMenu, nullptr);
    fromMenu->setPeriod(QDate(2024, 7, 1), QDate(2024, 7, 31));
    ASSERT_TRUE(fromMenu->refresh());
    QTableWidget* check = fromMenu->grid("Check");
    check->setFocus();
    check->setCurrentCell(0, 1);
    QTest::keyClick(check, Qt::Key_Return);
    auto* sales = qobject_cast<gui::SalesScreen*>(host.window.workArea()->subWindowList().last()->widget());
    ASSERT_NE(sales, nullptr);
    EXPECT_EQ(sales->currentId(), firm.july104);
}

}  // namespace
