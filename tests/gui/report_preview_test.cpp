// The report preview as the operator uses it: reports open in the next of fifty previews, several
// at once; Print sends every page to the printer without a dialog; PDF saves under the suggested
// name; a failing report shows nothing and says why.
#include "gui/reports/PreviewWindow.h"
#include "support/PdfProbe.h"
#include "support/YearFixture.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <gtest/gtest.h>

using namespace tanabana;

namespace {

class PreviewTest : public ::testing::Test {
protected:
    void SetUp() override {
        year = std::make_unique<test::YearFixture>();
        auto& db = year->db();
        db.exec("CREATE TABLE TestLedger (Id INTEGER, VouDate DATE, Particular VARCHAR(60), Debit DOUBLE PRECISION, Credit DOUBLE PRECISION)");
        for (int i = 1; i <= 120; ++i)
            db.exec("INSERT INTO TestLedger VALUES (?, ?, ?, ?, ?)",
                    {i, QDate(2024, 4, 1).addDays(i), QString("Sales Bill GST/%1").arg(i), i % 3 ? 1050.0 * i : 0.0, i % 3 ? 0.0 : 500.0});
        QDir().mkpath(year->session.dataRoot + "/Reports");
        QFile f(year->session.dataRoot + "/Reports/Acc_Ledger.json");
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(R"({"kind":"register","parameters":[{"name":"Title"}],"heading":["{FirmNAme}"],
          "columns":[{"field":"VouDate","caption":"Date","width":24,"format":"dd-MM-yyyy"},
                     {"field":"Particular","caption":"Particular"},
                     {"field":"Debit","caption":"Debit","width":30,"format":"#,##0.00","total":true,"blankWhenZero":true},
                     {"field":"Credit","caption":"Credit","width":30,"format":"#,##0.00","total":true,"blankWhenZero":true}],
          "total":"Total"})");
        year->session.firmName = "Shree Ganesh/Textiles's";
    }
    QString ledgerSql() const { return "SELECT VouDate, Particular, Debit, Credit, ? AS FirmNAme FROM TestLedger ORDER BY Id"; }

    std::unique_ptr<test::YearFixture> year;
};

TEST_F(PreviewTest, ReportsCycleThroughFiftySlotsAndSeveralStayOpen) {
    gui::ReportSlots previews(year->session);
    QStringList errors;
    previews.onError = [&](const QString& e) { errors << e; };

    gui::PreviewWindow* first = previews.next();
    EXPECT_EQ(previews.slot(), 1);
    first->parameterValues << "Ledger of Mahavir Fabrics";
    ASSERT_TRUE(first->showForm("Acc_Ledger.rpt", ledgerSql(), {"Shree Ganesh Textiles"})) << first->lastError().toStdString();
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(first->windowTitle(), "PREVIEW");
    EXPECT_TRUE(first->parameterValues.isEmpty());  // emptied after use
    EXPECT_TRUE(first->document()->pageTexts(0).contains("Ledger of Mahavir Fabrics"));

    gui::PreviewWindow* second = previews.next();
    EXPECT_NE(second, first);
    second->parameterValues << "Ledger of Anand Silk Mills";
    ASSERT_TRUE(second->showForm("Acc_Ledger.rpt", ledgerSql() .replace("ORDER BY Id", "WHERE Id <= 5 ORDER BY Id"), {"Shree Ganesh Textiles"}));
    EXPECT_TRUE(first->isVisible());
    EXPECT_TRUE(second->isVisible());
    EXPECT_GT(first->document()->pageCount(), second->document()->pageCount());

    // Slots 3..49, then the fiftieth run takes slot 0; slot 50 is never used.
    for (int i = 3; i <= 49; ++i) previews.next();
    EXPECT_EQ(previews.slot(), 49);
    previews.next();
    EXPECT_EQ(previews.slot(), 0);
    EXPECT_EQ(previews.at(50), nullptr);
    // The next run reuses the first window, still open, and replaces its report.
    gui::PreviewWindow* again = previews.next();
    EXPECT_EQ(again, first);
    again->parameterValues << "Ledger of Bharat Synthetics";
    ASSERT_TRUE(again->showForm("Acc_Ledger.rpt", ledgerSql(), {"Shree Ganesh Textiles"}));
    EXPECT_TRUE(again->document()->pageTexts(0).contains("Ledger of Bharat Synthetics"));

    // Closing a window frees its slot; the slot makes a new window next time round.
    QPointer<gui::PreviewWindow> closing = second;
    QTest::mouseClick(second->findChild<QPushButton*>("cmd_Exit"), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(closing.isNull());
    EXPECT_EQ(previews.at(2), nullptr);
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(PreviewTest, PrintSendsEveryPageAndPdfUsesTheSuggestedName) {
    gui::ReportSlots previews(year->session);
    gui::PreviewWindow* w = previews.next();
    w->reportPdfName = "Ledger_Mahavir";
    w->parameterValues << "Ledger";
    ASSERT_TRUE(w->showForm("Acc_Ledger.rpt", ledgerSql(), {"Shree Ganesh Textiles"}));
    const int pages = w->document()->pageCount();
    ASSERT_GE(pages, 3);

    // The printer as set up (here: a PDF file), no dialog.
    const QString printed = year->session.dataRoot + "/printer-output.pdf";
    w->printer().setOutputFormat(QPrinter::PdfFormat);
    w->printer().setOutputFileName(printed);
    QTest::mouseClick(w->findChild<QPushButton*>("Cmd_Print"), Qt::LeftButton);
    EXPECT_EQ(test::pdfPageCount(printed), pages);
    EXPECT_TRUE(test::pdfText(printed).contains(QString("Page %1 of %1").arg(pages)));
    EXPECT_EQ(w->findChild<QPushButton*>("Cmd_Print")->toolTip(), "Print this Bill");
    EXPECT_EQ(w->findChild<QPushButton*>("cmd_Exit")->toolTip(), "Close This Form");

    // PDF: the firm's name made safe, "_" and the report's part; ".pdf" added to the chosen name.
    QString offered;
    w->setFileAsker([&](const QString& suggested) {
        offered = suggested;
        return year->session.dataRoot + "/chosen";
    });
    QTest::mouseClick(w->findChild<QPushButton*>("KordinButton1"), Qt::LeftButton);
    EXPECT_EQ(QFileInfo(offered).fileName(), "Shree Ganesh_Textiles`s_Ledger_Mahavir");
    EXPECT_EQ(test::pdfPageCount(year->session.dataRoot + "/chosen.pdf"), pages);
    // first offered in the operator's Documents folder, then where this kind was last saved
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (QDir(documents).exists()) {
        EXPECT_EQ(QFileInfo(offered).absolutePath(), QDir(documents).absolutePath());
    }

    // Cancelling the dialog ends the export silently.
    w->setFileAsker([&](const QString& suggested) {
        offered = suggested;
        return QString();
    });
    QTest::mouseClick(w->findChild<QPushButton*>("KordinButton1"), Qt::LeftButton);
    EXPECT_EQ(QFileInfo(offered).absolutePath(), QDir(year->session.dataRoot).absolutePath());
    EXPECT_EQ(QDir(year->session.dataRoot).entryList({"*.pdf"}).size(), 2);

    const QImage shot = w->grab().toImage();
    EXPECT_FALSE(shot.isNull());
    if (!qEnvironmentVariableIsEmpty("TANABANA_TEST_OUTPUT")) shot.save(qEnvironmentVariable("TANABANA_TEST_OUTPUT") + "/preview.png");
}

TEST_F(PreviewTest, AFailingReportShowsNothingAndSaysWhy) {
    gui::ReportSlots previews(year->session);
    QStringList errors;
    previews.onError = [&](const QString& e) { errors << e; };
    gui::PreviewWindow* w = previews.next();
    EXPECT_FALSE(w->showForm("Acc_Ledger_Missing.rpt", ledgerSql(), {"x"}));
    EXPECT_FALSE(w->isVisible());
    ASSERT_EQ(errors.size(), 1);
    EXPECT_EQ(errors[0], "Report layout Acc_Ledger_Missing.rpt was not found in the Reports folder");
    EXPECT_FALSE(w->showForm("Acc_Ledger.rpt", "SELECT Nothing FROM Nowhere"));
    EXPECT_FALSE(w->isVisible());
    EXPECT_TRUE(errors[1].startsWith("The report's query failed"));
    // The window still works for the next report.
    EXPECT_TRUE(w->showForm("Acc_Ledger.rpt", ledgerSql(), {"Shree Ganesh Textiles"}));
    EXPECT_TRUE(w->isVisible());
}

}  // namespace
