// Quality-wise job work: 12 pieces of grey sent for printing, 10 of them back on the printer's
// bill. The receipt posts the printer's bill (job work, input GST, T.D.S.) and keeps the issue's
// pending pieces; an issue with a receipt cannot go; deleting the receipt reopens the issue and
// removes its journal. Runs on both engines (TANABANA_BOTH_ENGINES).
#include "domain/masters/DefaultChart.h"
#include "domain/mill/JobProcess.h"
#include "domain/mill/MillPrint.h"
#include "domain/reports/ReportService.h"
#include "support/FirmBooks.h"
#include "support/PdfProbe.h"
#include "support/YearFixture.h"
#include "support/Amounts.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tanabana;
using namespace tanabana::mill;

namespace {

class JobProcessTest : public ::testing::Test {
protected:
    void SetUp() override {
        TANABANA_REQUIRE_ENGINE();
        year_ = std::make_unique<test::YearFixture>();
        auto& db = year().db();
        test::seedDefaultChart(db);
        printer = test::addAccount(db, QStringLiteral("Shree Ambika Printers"), 79);
        db.exec(QStringLiteral("INSERT INTO ProdMst (Id, ProdCode, ProdName, StkType, CalcOn, IsActive, IsNewPro, FirmNO) "
                               "VALUES (301, '301', 'Georgette 60 Grey', 'F', 1, 1, 0, 1)"));
    }

    JobProcessChallans service() { return JobProcessChallans(year().db(), year().session, year().messages); }

    std::vector<QString> journal(qint64 id) {
        std::vector<QString> out;
        for (const db::Row& r : year().db().query(QStringLiteral("SELECT a.AcName, h.Type, h.DrAmt, h.CrAmt, h.Narr FROM HeadDtl3 h JOIN AccMst a "
                                                                 "ON a.Id = h.AccId WHERE h.TableCode = 15 AND h.VoucherNo = ? "
                                                                 "ORDER BY h.Type DESC, h.SubSrno"),
                                                  {id})) {
            const bool debit = r.text(QStringLiteral("Type")) == QStringLiteral("D");
            out.push_back(r.text(QStringLiteral("AcName")) + QLatin1Char(' ') + r.text(QStringLiteral("Type")) + QLatin1Char(' ') +
                          Decimal::fromVariant(r.value(debit ? QStringLiteral("DrAmt") : QStringLiteral("CrAmt"))).toString(2));
        }
        return out;
    }

    test::YearFixture& year() { return *year_; }
    std::unique_ptr<test::YearFixture> year_;
    qint64 printer = 0;
};

TEST_F(JobProcessTest, ReceiptPostsTheJobBillAndKeepsTheIssuePending) {
    auto s = service();
    JobChallan issue;
    issue.bookId = 2;
    issue.date = QDate(2024, 7, 1);
    issue.partyId = printer;
    issue.process = QStringLiteral("Printing");
    JobLine line;
    line.qualityId = 301;
    line.pieces = d("12");
    line.metres = d("1380.6");
    line.rate = d("4");
    issue.lines = {line};
    ASSERT_TRUE(s.save(issue)) << year().messages.last().text.toStdString();
    EXPECT_EQ(issue.challanNo, 1);
    EXPECT_EQ(year().count(QStringLiteral("HeadDtl3")), 0);

    auto pending = s.pendingLines(printer);
    ASSERT_EQ(pending.size(), 1u);
    EXPECT_EQ(pending[0].pendingPieces.toString(0), QStringLiteral("12"));

    JobChallan receipt;
    receipt.receipt = true;
    receipt.bookId = 2;
    receipt.date = QDate(2024, 7, 20);
    receipt.partyId = printer;
    receipt.gatePassNo = QStringLiteral("77");
    receipt.sgstPercent = d("2.5");
    receipt.cgstPercent = d("2.5");
    receipt.tdsPercent = d("1");
    receipt.lines = s.linesFromIssue({{issue.id, 1}});
    ASSERT_EQ(receipt.lines.size(), 1u);
    receipt.lines[0].pieces = d("10");
    receipt.lines[0].metres = d("1150.5");
    receipt.lines[0].finished = false;
    const JobTotals t = receipt.totals();
    EXPECT_EQ(t.amount.toString(2), QStringLiteral("4602.00"));
    EXPECT_EQ(t.sgst.toString(2), QStringLiteral("115.05"));
    EXPECT_EQ(t.bill.toString(2), QStringLiteral("4832.00"));
    EXPECT_EQ(t.tds.toString(2), QStringLiteral("46.00"));
    ASSERT_TRUE(s.save(receipt)) << year().messages.last().text.toStdString();

    // The printer is credited with the bill and debited with the T.D.S.; the round-off stays in job work.
    EXPECT_EQ(journal(receipt.id), (std::vector<QString>{
                                       QStringLiteral("Input SGST D 115.05"), QStringLiteral("Input CGST D 115.05"),
                                       QStringLiteral("Purchase A/c D 4601.90"), QStringLiteral("Shree Ambika Printers D 46.00"),
                                       QStringLiteral("Shree Ambika Printers C 4832.00"), QStringLiteral("TDS Payable C 46.00")}));
    EXPECT_EQ(year().db().scalar(QStringLiteral("SELECT %1 FROM HeadDtl3 WHERE TableCode = 15 AND Type = 'C' AND CrAmt = 4832")
                                     .arg(year().db().dialect().quote(QStringLiteral("Desc"))))
                  .toString(),
              QStringLiteral("GP B.No - 77 - Shree Ambika Printers"));
    pending = s.pendingLines(printer);
    ASSERT_EQ(pending.size(), 1u);
    EXPECT_EQ(pending[0].pendingPieces.toString(0), QStringLiteral("2"));
    EXPECT_EQ(pending[0].pendingMetres.toString(3), QStringLiteral("230.100"));

    // The printed inward challan: the bill with its GST, under its own name.
    EXPECT_EQ(jobProcessPdfName(year().db(), receipt.id), QStringLiteral("Job_Work_Rec_No1"));
    {
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("inward.pdf"));
        reports::ReportService output(year().session.dataRoot);
        reports::ReportService::writePdf(*output.prepare(&year().db(), jobProcessRequest(year().db(), year().session, receipt.id)), pdf);
        const QString text = test::pdfText(pdf, false);
        for (const char* expected : {"JOB PROCESS INWARD CHALLAN", "Shree Ambika Printers", "Georgette 60 Grey", "1,150.500", "4,602.00", "115.05",
                                     "4,832.00"})
            EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << text.toStdString();
    }

    // Two more pieces than are out are refused; the issue cannot be deleted or changed.
    JobChallan more = receipt;
    more.id = 0;
    more.challanNo = 0;
    more.lines[0].pieces = d("3");
    EXPECT_FALSE(s.save(more));
    EXPECT_EQ(year().messages.last().title, QStringLiteral("Receive More Than Issue"));
    EXPECT_FALSE(s.remove(issue.id));
    EXPECT_TRUE(year().messages.has(MessageKind::Critical, QStringLiteral("Challan Receive Found"),
                                    QStringLiteral("This Challan is in Receive process so first Delete Receive Entry")));
    EXPECT_EQ(year().count(QStringLiteral("JobWork_IssueMst")), 2);

    // Re-saving the receipt with all 12 pieces replaces its effect and its journal.
    JobChallan whole = *s.load(receipt.id);
    whole.lines[0].pieces = d("12");
    whole.lines[0].finished = true;
    ASSERT_TRUE(s.save(whole));
    EXPECT_TRUE(s.pendingLines(printer).empty());
    EXPECT_EQ(journal(receipt.id).size(), 6u);

    ASSERT_TRUE(s.remove(receipt.id));
    EXPECT_EQ(year().count(QStringLiteral("HeadDtl3"), QStringLiteral("TableCode = 15")), 0);
    pending = s.pendingLines(printer);
    ASSERT_EQ(pending.size(), 1u);
    EXPECT_EQ(pending[0].pendingPieces.toString(0), QStringLiteral("12"));
    EXPECT_EQ(pending[0].pendingMetres.toString(3), QStringLiteral("1380.600"));
    ASSERT_TRUE(s.remove(issue.id));
    EXPECT_EQ(year().count(QStringLiteral("JobWork_IssueMst")), 0);
    EXPECT_EQ(year().count(QStringLiteral("JobWork_IssueDtl")), 0);
}

TEST_F(JobProcessTest, AReceiptTheBooksRefuseLeavesNothing) {
    auto s = service();
    JobChallan issue;
    issue.bookId = 2;
    issue.date = QDate(2024, 7, 1);
    issue.partyId = printer;
    issue.lines = {JobLine{}};
    issue.lines[0].qualityId = 301;
    issue.lines[0].metres = d("500");
    ASSERT_TRUE(s.save(issue));
    // The book has lost its purchase account: the journal cannot be written.
    year().db().exec(QStringLiteral("UPDATE BookMst SET PurAccId = 0 WHERE BookNO = 2"));
    JobChallan receipt;
    receipt.receipt = true;
    receipt.bookId = 2;
    receipt.date = QDate(2024, 7, 20);
    receipt.partyId = printer;
    receipt.lines = s.linesFromIssue({{issue.id, 1}});
    receipt.lines[0].rate = d("3");
    EXPECT_FALSE(s.save(receipt));
    EXPECT_EQ(year().messages.last().title, QStringLiteral("Ledger Entry Is Not Saved!"));
    EXPECT_EQ(year().count(QStringLiteral("JobWork_IssueMst")), 1);
    EXPECT_EQ(year().count(QStringLiteral("JobWork_IssueDtl"), QStringLiteral("RMtrs <> 0")), 0);
    EXPECT_EQ(year().count(QStringLiteral("HeadDtl3")), 0);
}

}  // namespace
