// The GST summary of July 2024 (TANABANA_BOTH_ENGINES): output tax of the sales per rate, input
// tax of the purchases, the transporter's freight under reverse charge, the gross liability and
// the net payable; a kind of one source only; the screen from "12. GSTR - Set Off" and its workbook.
#include "domain/gst/GstSummary.h"
#include "domain/reports/Xlsx.h"
#include "gui/gst/GstSummaryScreen.h"
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

class GstSummaryTest : public ::testing::Test {
protected:
    void SetUp() override {
        TANABANA_REQUIRE_ENGINE();
        year_ = std::make_unique<test::YearFixture>();
        firm_ = std::make_unique<test::GstBuyingFirm>(year_->db(), year_->session, year_->messages);
        firm_->build();
        ASSERT_FALSE(HasFailure());
    }
    QStringList rows(const QString& kind) {
        QStringList out;
        const auto r = GstSummaryService(year_->db(), year_->session).compute(*ReturnPeriod::month(QStringLiteral("07-2024")), kind);
        const auto sheets = gstSummaryWorkbookRows(r);
        for (const QStringList& row : sheets.front()) out << row.join(QLatin1Char(','));
        return out;
    }
    std::unique_ptr<test::YearFixture> year_;
    std::unique_ptr<test::GstBuyingFirm> firm_;
};

TEST_F(GstSummaryTest, OutputInputReverseChargeDownToTheNetPayable) {
    // Inter-state: Jaipur 4,76,190.48, Delhi 999.90 and the export 3,15,000.00; intra-state: Kiran
    // 3,15,000.00, Surat Fabrics 20,500.00 and the nil-rated Khadi 5,000.00.
    const QStringList summary = rows(QStringLiteral("1. Summary"));
    ASSERT_GE(summary.size(), 4);
    EXPECT_EQ(summary.mid(summary.size() - 4),
              (QStringList{",Output Tax,,792190.38,39609.52,340500.00,8737.50,8737.50,1132690.38",
                           ",Input Tax,,5000.00,250.00,16500.00,250.00,250.00,21500.00",
                           ",Gross Tax Liabilty,,792190.38,39609.52,350500.00,8987.50,8987.50,1142690.38",
                           ",Net Payable,,787190.38,39359.52,334000.00,8737.50,8737.50,1121190.38"}));
    EXPECT_TRUE(summary.contains("RCM,RCM,5,0.00,0.00,10000.00,250.00,250.00,10000.00")) << summary.join('\n').toStdString();

    EXPECT_EQ(rows(QStringLiteral("4 A Pur Only")),
              (QStringList{"Input,Pur,0,0.00,0.00,6500.00,0.00,0.00,6500.00", "Input,Pur,5,5000.00,250.00,10000.00,250.00,250.00,15000.00"}));
    EXPECT_TRUE(rows(QStringLiteral("3 B Sales Ret Only")).isEmpty());
    EXPECT_EQ(rows(QStringLiteral("5. RCM Purchase")), QStringList{"RCM,RCM Amt Payable,5,0.00,0.00,10000.00,250.00,250.00,10000.00"});
}

TEST_F(GstSummaryTest, TheScreenFromTheMenuAndItsWorkbook) {
    QTemporaryDir installation;
    year_->session.dataRoot = installation.path();
    test::MenuHost host(*year_);
    auto* screen = qobject_cast<gui::GstSummaryScreen*>(host.open(QStringLiteral("mnu_R612")));
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->objectName(), "Frm_GSTR_Tarij");
    screen->setPeriod(QDate(2024, 7, 1), QDate(2024, 7, 31));
    ASSERT_TRUE(screen->writeExcel());
    EXPECT_EQ(screen->summaryText(), "Net Payable :  IGST 39,359.52    CGST 8,737.50    SGST 8,737.50");
    test::keepPicture(host.window.window(), QStringLiteral("gst-summary"));
    const auto sheets = reports::readXlsx(QDir(installation.path()).filePath("Knvs_GSTR/KNVS_GST_SUMMARY_Jul-2024.XLSx"));
    ASSERT_EQ(sheets.size(), 1u);
    EXPECT_GT(sheets[0].rowCount(), 8);
    // Another kind chosen shows its rows without Refresh.
    screen->setKind(QStringLiteral("4 A Pur Only"));
    EXPECT_EQ(test::gridText(screen->grid(QStringLiteral("Summary"))),
              (QStringList{"Input | Pur | 0 | 0.00 | 0.00 | 6,500.00 | 0.00 | 0.00 | 6,500.00",
                           "Input | Pur | 5 | 5,000.00 | 250.00 | 10,000.00 | 250.00 | 250.00 | 15,000.00"}));
    screen->setKind(QStringLiteral("3 C Sales Credit Note Only"));
    EXPECT_EQ(screen->summaryText(), "3 C Sales Credit Note Only : 0 row(s)");
    EXPECT_EQ(screen->grid(QStringLiteral("Summary"))->rowCount(), 0);
}

}  // namespace
