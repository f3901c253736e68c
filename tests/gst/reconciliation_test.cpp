// The yearly reconciliation of the Surat firm's 2024-25 (TANABANA_BOTH_ENGINES): the books'
// figures of July in each of the six groups as the monthly returns give them, the figures filed
// online typed on the screen and kept through a second Refresh, the group rows summing their
// months, a figure that is no number refused with nothing kept, the workbook, and Delete.
#include "domain/gst/Gstr3b.h"
#include "domain/gst/YearReconciliation.h"
#include "domain/reports/Xlsx.h"
#include "gui/gst/ReconciliationScreen.h"
#include "support/GstBuyingFirm.h"
#include "support/MenuHost.h"
#include "support/ScreenProbe.h"
#include "support/YearFixture.h"
#include "support/QtPrinting.h"

#include <QDir>
#include <QTableWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tanabana;
using namespace tanabana::gst;

namespace {

class ReconciliationTest : public ::testing::Test {
protected:
    void SetUp() override {
        TANABANA_REQUIRE_ENGINE();
        year_ = std::make_unique<test::YearFixture>();
        firm_ = std::make_unique<test::GstBuyingFirm>(year_->db(), year_->session, year_->messages);
        firm_->build();
        ASSERT_FALSE(HasFailure());
        year_->session.dataRoot = installation_.path();
        year_->messages.clear();
    }
    static const ReconciliationRow* find(const std::vector<ReconciliationRow>& rows, int group, int month) {
        for (const ReconciliationRow& r : rows)
            if (r.groupNo == group && (month == 0 ? r.group : (!r.group && r.month == month))) return &r;
        return nullptr;
    }
    static QString figures(const ReconciliationRow* r, bool filed = false) {
        if (!r) return QStringLiteral("missing");
        const std::vector<Decimal> values = filed ? std::vector<Decimal>{r->taxableO, r->igstO, r->cgstO, r->sgstO}
                                                  : std::vector<Decimal>{r->taxable, r->igst, r->cgst, r->sgst};
        QStringList out;
        for (const Decimal& d : values) out << d.toString(2);
        return out.join(QLatin1Char('|'));
    }

    std::unique_ptr<test::YearFixture> year_;
    std::unique_ptr<test::GstBuyingFirm> firm_;
    QTemporaryDir installation_;
};

TEST_F(ReconciliationTest, JulyInEachGroupAsTheMonthlyReturnsGiveIt) {
    YearReconciliation service(year_->db(), year_->session, year_->messages);
    EXPECT_TRUE(service.rows().empty());
    const auto rows = service.refresh();
    ASSERT_TRUE(rows);
    EXPECT_EQ(rows->size(), 6u * 13u);
    EXPECT_EQ(rows->front().groupText, "3. Total Output Tax (Sales) [GSTR-3B]");
    EXPECT_TRUE(rows->front().group);
    EXPECT_EQ((*rows)[1].monthName, "April");

    // Output: the taxed sales and the export, as 3.1(a) and (b) of July's GSTR-3B.
    const Gstr3b july = Gstr3bService(year_->db(), year_->session).compute(*ReturnPeriod::month(QStringLiteral("07-2024")));
    const Decimal taxable = july.line("3.1(a)")->taxable + july.line("3.1(b)")->taxable;
    EXPECT_EQ(figures(find(*rows, 1, 7)), taxable.toString(2) + "|39609.52|8737.50|8737.50");
    EXPECT_EQ(figures(find(*rows, 4, 7)).section('|', 0, 0), taxable.toString(2)) << "GSTR-1's invoices give the same taxable value";
    // Input: the goods bills with tax; reverse charge: the transporter's freight.
    EXPECT_EQ(figures(find(*rows, 2, 7)), "15000.00|250.00|250.00|250.00");
    EXPECT_EQ(figures(find(*rows, 5, 7)), "15000.00|250.00|250.00|250.00");
    EXPECT_EQ(figures(find(*rows, 3, 7)), "10000.00|0.00|250.00|250.00");
    EXPECT_EQ(figures(find(*rows, 6, 7)), "10000.00|0.00|250.00|250.00");
    // The group row sums the year: August's sales add to July's.
    EXPECT_EQ(figures(find(*rows, 3, 0)), "10000.00|0.00|250.00|250.00");
    EXPECT_GT(find(*rows, 1, 0)->taxable, find(*rows, 1, 7)->taxable);
}

TEST_F(ReconciliationTest, FiledFiguresTypedOnTheScreenAreKeptThroughRefresh) {
    test::MenuHost host(*year_);
    auto* screen = qobject_cast<gui::ReconciliationScreen*>(host.open(QStringLiteral("mnu_R614")));
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->objectName(), "Frm_Gstr_Audit");
    ASSERT_TRUE(screen->refresh());
    QTableWidget* grid = screen->grid();
    ASSERT_EQ(grid->rowCount(), 78);
    // Row 3 is July of the first group (group row, April, May, June, July).
    const int july = 4;
    EXPECT_EQ(grid->item(july, 1)->text(), "July");
    EXPECT_EQ(grid->item(july, 3)->text(), "39,609.52");
    grid->item(july, 8)->setText(QStringLiteral("1127690.38"));
    grid->item(july, 9)->setText(QStringLiteral("39,609.52"));
    grid->item(july, 10)->setText(QStringLiteral("8737.50"));
    grid->item(july, 11)->setText(QStringLiteral("8737.50"));
    grid->item(july, 7)->setCheckState(Qt::Checked);
    ASSERT_TRUE(screen->save());
    EXPECT_EQ(year_->messages.last().text, "One Transaction Is Saved.");
    test::keepPicture(host.window.window(), QStringLiteral("gst-reconciliation"));

    YearReconciliation service(year_->db(), year_->session, year_->messages);
    EXPECT_EQ(figures(find(service.rows(), 1, 7), true), "1127690.38|39609.52|8737.50|8737.50");
    EXPECT_TRUE(find(service.rows(), 1, 7)->ok);
    EXPECT_EQ(figures(find(service.rows(), 1, 0), true), "1127690.38|39609.52|8737.50|8737.50") << "the group sums its months";
    EXPECT_FALSE(find(service.rows(), 1, 0)->ok) << "eleven months are not ticked";
    ASSERT_TRUE(screen->refresh());
    EXPECT_EQ(figures(find(service.rows(), 1, 7), true), "1127690.38|39609.52|8737.50|8737.50");
    EXPECT_EQ(grid->item(july, 8)->text(), "11,27,690.38");

    // A figure that is no number: refused, nothing changes.
    grid->item(july + 1, 9)->setText(QStringLiteral("12,5o0"));
    EXPECT_FALSE(screen->save());
    EXPECT_EQ(year_->messages.last().text, "August, IGST: \"12,5o0\" is not an amount.");
    EXPECT_EQ(find(service.rows(), 1, 8)->igstO.toString(2), "0.00");

    ASSERT_TRUE(screen->writeExcel());
    const auto sheets = reports::readXlsx(QDir(installation_.path()).filePath("Knvs_GSTR/KNVS_GST_RECON_Apr-2024.XLSx"));
    ASSERT_EQ(sheets.size(), 2u);
    EXPECT_EQ(sheets[0].name, "Summery");
    EXPECT_EQ(sheets[0].rowCount(), 4 + 6);
    EXPECT_EQ(sheets[1].rowCount(), 4 + 78);

    year_->messages.answerNext(true);
    ASSERT_TRUE(screen->deleteYear());
    EXPECT_EQ(year_->messages.last().text, "All Records Are deleted!");
    EXPECT_EQ(year_->count(QStringLiteral("GSTR_Audit")), 0);
    EXPECT_EQ(grid->rowCount(), 0);
}

TEST_F(ReconciliationTest, AClosedYearRefusesRefreshAndSave) {
    YearReconciliation service(year_->db(), year_->session, year_->messages);
    ASSERT_TRUE(service.refresh());
    year_->db().exec(QStringLiteral("UPDATE FirmMst SET IsYrEnd = 1 WHERE Srno = 1"));
    EXPECT_FALSE(service.refresh());
    EXPECT_EQ(year_->messages.last().title, "Year End Done");
    std::vector<ReconciliationRow> rows = service.rows();
    rows[1].taxableO = Decimal(100);
    EXPECT_FALSE(service.save(rows));
    EXPECT_EQ(find(service.rows(), 1, 4)->taxableO.toString(2), "0.00");
}

}  // namespace
