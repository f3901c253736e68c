// ITC-04 of July to September 2024 (TANABANA_BOTH_ENGINES): two takas of Rapier sent to a dyeing
// mill of Gujarat and brought back dyed on the mill's own challan, fifty sarees sent for
// embroidery to an unregistered unit of Maharashtra (integrated tax, numbered JWI-), and a June
// challan outside the quarter; then the screen from the GST register menu writing its workbook and
// printing both tables.
#include "domain/gst/GstRules.h"
#include "domain/gst/Itc04.h"
#include "domain/reports/Xlsx.h"
#include "gui/gst/Itc04Screen.h"
#include "gui/reports/PreviewWindow.h"
#include "support/PdfProbe.h"
#include "support/FirmBooks.h"
#include "support/GstFirm.h"
#include "support/MenuHost.h"
#include "support/ScreenProbe.h"
#include "support/YearFixture.h"
#include "support/QtPrinting.h"

#include <QDir>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tanabana;
using namespace tanabana::gst;

namespace {

const QString kMillGstin = QStringLiteral("24AAKCS7788M1Z") + gstinCheckDigit(QStringLiteral("24AAKCS7788M1Z"));

class Itc04Test : public ::testing::Test {
protected:
    void SetUp() override {
        TANABANA_REQUIRE_ENGINE();
        year_ = std::make_unique<test::YearFixture>();
        firm_ = std::make_unique<test::GstFirm>(year_->db(), year_->session, year_->messages);
        firm_->build();
        auto& db = year_->db();
        mill_ = test::addAccount(db, QStringLiteral("Sagar Dyeing Mills"), 77, 1, QStringLiteral("24-Gujarat"), kMillGstin);
        embroidery_ = test::addAccount(db, QStringLiteral("Bhiwandi Embroidery Works"), 77, 1, QStringLiteral("27-Maharashtra"));
        db.exec(QStringLiteral("UPDATE AccMst SET IsOGS = 1 WHERE Id = ?"), {embroidery_});
        const qint64 issue = challan("JobWork_IssueMst_1", 1, 16, 12, QString(), QDate(2024, 7, 5), mill_, test::SellingFirm::kRapier, QString());
        takas(1, issue, {{"101", 110.5, 0}, {"102", 100, 0}});
        challan("JobWork_IssueMst_1", 2, 17, 3, QStringLiteral("SD/77"), QDate(2024, 8, 20), mill_, test::SellingFirm::kRapier, QStringLiteral("Dyeing"));
        takas(2, issue, {{"101", 108, issue}, {"102", 98.5, issue}});
        const qint64 june = challan("JobWork_IssueMst_1", 3, 16, 11, QString(), QDate(2024, 6, 28), mill_, test::SellingFirm::kRapier, QString());
        takas(3, june, {{"99", 95, 0}});
        const qint64 sarees = challan("JobWork_IssueMst", 1, 14, 4, QString(), QDate(2024, 7, 10), embroidery_, 0, QStringLiteral("Embroidery"));
        db.exec(QStringLiteral("INSERT INTO JobWork_IssueDtl (BillMstId, Srno, PCode, Qty2, PQty, PM, PRate) VALUES (?, 1, ?, 50, 50, 'P', 45)"),
                {sarees, test::SellingFirm::kSaree});
        ASSERT_FALSE(HasFailure());
    }
    qint64 challan(const char* table, qint64 id, int form, int number, const QString& theirs, const QDate& date, qint64 party, qint64 quality,
                   const QString& process) {
        const bool takaWise = QString::fromLatin1(table).endsWith(QLatin1String("_1"));
        year_->db().exec(QStringLiteral("INSERT INTO %1 (Id, FirmNO, BookId, FormId, ChNo, BillNO, BillDate, PartyID, ProcessName%2) "
                                        "VALUES (?, 1, 5, ?, ?, ?, ?, ?, ?%3)")
                             .arg(QString::fromLatin1(table), takaWise ? QStringLiteral(", QId") : QString(), takaWise ? QStringLiteral(", ?") : QString()),
                         takaWise ? QVariantList{id, form, number, theirs, date, party, process, quality}
                                  : QVariantList{id, form, number, theirs, date, party, process});
        return id;
    }
    struct Taka {
        const char* number;
        double metres;
        qint64 issue;
    };
    void takas(qint64 challanId, qint64, const std::vector<Taka>& list) {
        int srno = 0;
        for (const Taka& t : list)
            year_->db().exec(QStringLiteral("INSERT INTO JobWork_IssueDtl_1 (BillMstId, Srno, TakaNO, Mtrs, IssueChId, IssueChSno) VALUES (?, ?, ?, ?, ?, ?)"),
                             {challanId, ++srno, QString::fromLatin1(t.number), t.metres, t.issue, t.issue ? srno : 0});
    }
    static QStringList joined(const std::vector<QStringList>& rows) {
        QStringList out;
        for (const QStringList& r : rows) out << r.join(QLatin1Char(','));
        return out;
    }

    std::unique_ptr<test::YearFixture> year_;
    std::unique_ptr<test::GstFirm> firm_;
    qint64 mill_ = 0, embroidery_ = 0;
};

TEST_F(Itc04Test, TheQuarterSentAndReceivedChallanByChallan) {
    const Itc04 r = Itc04Service(year_->db(), year_->session).compute({QDate(2024, 7, 1), QDate(2024, 9, 30)});
    EXPECT_EQ(r.quarter, "Jul-Sep");
    const auto rows = itc04WorkbookRows(r);
    EXPECT_EQ(joined(rows[0]),
              (QStringList{kMillGstin + ",,Non SEZ,12,05-07-2024,Inputs,Rapier 60 Red,METERS,210.500,22102.50,0,2.5,2.5,0.00,Jul-Sep",
                           ",27-Maharashtra,Non SEZ,JWI-4,10-07-2024,Inputs,Saree Zari,PIECES,50.000,56000.00,12,0,0,0.00,Jul-Sep"}));
    EXPECT_EQ(joined(rows[1]), (QStringList{kMillGstin + ",,12,05-07-2024,SD/77,20-08-2024,Dyeing,Rapier 60 Red,METERS,206.500,Jul-Sep"}));

    const Itc04 april = Itc04Service(year_->db(), year_->session).compute({QDate(2024, 4, 1), QDate(2024, 6, 30)});
    EXPECT_EQ(april.quarter, "Apr-Jun");
    ASSERT_EQ(april.sent.size(), 1u);
    EXPECT_EQ(april.sent[0].challanNo, "11");
    EXPECT_TRUE(april.received.empty());
    EXPECT_EQ(quarterLabel(QDate(2025, 2, 1)), "Jan-Mar");
    EXPECT_EQ(quarterLabel(QDate(2024, 12, 31)), "Oct-Dec");
}

TEST_F(Itc04Test, TheScreenFromTheMenuWritesTheWorkbook) {
    QTemporaryDir installation;
    year_->session.dataRoot = installation.path();
    test::MenuHost host(*year_);
    auto* screen = qobject_cast<gui::Itc04Screen*>(host.open(QStringLiteral("mnu_R64")));
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->objectName(), "Frm_GSTR_ITC04");
    screen->setPeriod(QDate(2024, 7, 1), QDate(2024, 9, 30));
    ASSERT_TRUE(screen->refresh());
    EXPECT_EQ(screen->summaryText(), "Quarter : Jul-Sep    Challan lines : 2    Quantity : 260.500    Taxable Value : 78,102.50");
    EXPECT_EQ(screen->grid("4")->item(0, 9)->text(), "22,102.50");
    test::keepPicture(host.window.window(), QStringLiteral("itc04"));
    ASSERT_TRUE(screen->writeExcel());
    const auto sheets = reports::readXlsx(QDir(installation.path()).filePath("Knvs_GSTR/KNVS_ITC_04_Jul-2024.XLSx"));
    ASSERT_EQ(sheets.size(), 2u);
    EXPECT_EQ(sheets[1].name, "5A");
    EXPECT_EQ(sheets[0].rowCount(), 6);
    EXPECT_EQ(sheets[1].rowCount(), 5);

    // View Report: both tables on paper with the quarter in the title and each table's totals.
    gui::PreviewWindow* preview = screen->viewReport();
    ASSERT_NE(preview, nullptr);
    const QString pdf = QDir(installation.path()).filePath("itc04.pdf");
    preview->setFileAsker([pdf](const QString&) { return pdf; });
    preview->exportPdf();
    test::keepForLooking(pdf);
    QStringList lines;
    for (const QString& line : test::pdfText(pdf).split(QLatin1Char('\n'))) lines << line.simplified();
    EXPECT_TRUE(lines.contains("ITC-04 For The Quarter Jul-Sep 2024"));
    EXPECT_TRUE(lines.contains(kMillGstin + " Sagar Dyeing Mills 12 05-07-2024 Rapier 60 Red METERS 210.500 22,102.50 0 2.5 2.5"));
    EXPECT_TRUE(lines.contains("27-Maharashtra Bhiwandi Embroidery Works JWI-4 10-07-2024 Saree Zari PIECES 50.000 56,000.00 12 0 0"));
    EXPECT_TRUE(lines.contains("Total 260.500 78,102.50"));
    EXPECT_TRUE(lines.contains(kMillGstin + " Sagar Dyeing Mills SD/77 20-08-2024 12 of 05-07-2024 Rapier 60 Red (Dyeing) METERS 206.500"));
    EXPECT_TRUE(lines.contains("Total 206.500 0.00")) << "goods received back carry no value";
    preview->close();
}

}  // namespace
