// The mill screens used as a clerk uses them: takas of a weaver's bill ticked on "Issue To Mill"
// and saved; on "Receive From Mill" the mill chosen, its challan's takas ticked, finished metres
// typed line by line (shortage, "%" and the bill follow), the lot required, the receipt saved and
// opened again from the list; a production firm's menu opens the grey variant.
#include "domain/ledger/Journal.h"
#include "domain/reports/ReportFolders.h"
#include "domain/trade/PurchaseInvoices.h"
#include "gui/common/LookupField.h"
#include "gui/common/RegisterForm.h"
#include "gui/common/SelectionGrid.h"
#include "gui/mill/JobProcessScreen.h"
#include "gui/mill/MillCarryScreen.h"
#include "gui/mill/MillScreens.h"
#include "gui/shell/Commands.h"
#include "gui/shell/MainWindow.h"
#include "support/FirmBooks.h"
#include "support/PdfProbe.h"
#include "support/ScreenProbe.h"
#include "support/YearFixture.h"
#include "support/Amounts.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>
#include <gtest/gtest.h>

using namespace tanabana;

namespace {

class MillScreensTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto& db = year.db();
        test::seedDefaultChart(db);
        year.session.firm.insert(QStringLiteral("CST"), QStringLiteral("24-Gujarat"));
        weaver = test::addAccount(db, QStringLiteral("Laxmi Weaving Works"), 76);
        mill = test::addAccount(db, QStringLiteral("Surat Dyeing Mills"), 77);
        db.exec(QStringLiteral("INSERT INTO ProdMst (Id, ProdCode, ProdName, StkType, Vat, AddTax, VatCalc, CalcOn, PurRate, hsnCode, UNit, "
                               "IsActive, IsNewPro, FirmNO) VALUES (201, '201', 'Rapier 60 Grey', 'F', 2.5, 2.5, 1, 1, 52, '5407', 'MTR', 1, 0, 1)"));
        trade::PurchaseBill b;
        b.bookId = 2;
        b.billNo = QStringLiteral("LW/118");
        b.date = QDate(2024, 6, 3);
        b.partyId = weaver;
        trade::PurchaseLine l;
        l.qualityId = 201;
        l.input.metres = d("298");
        l.input.listRate = d("52");
        b.lines = {l};
        b.takas = {{QStringLiteral("101"), d("100")}, {QStringLiteral("102"), d("99")}, {QStringLiteral("103"), d("99")}};
        trade::PurchaseInvoices purchases(db, year.session, year.messages);
        ASSERT_TRUE(purchases.save(b));
        gui::registerAllCommands(registry);
        window.resize(1366, 768);
        window.show();
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    template <typename Screen>
    Screen* open(const QString& command) {
        EXPECT_TRUE(registry.run(command, context)) << command.toStdString();
        QMdiSubWindow* sub = window.workArea()->subWindowList().isEmpty() ? nullptr : window.workArea()->subWindowList().last();
        auto* screen = sub ? qobject_cast<Screen*>(sub->widget()) : nullptr;
        if (screen) {
            sub->showMaximized();
            QApplication::processEvents();
        }
        return screen;
    }

    // Types the beginning of a name in a search field and takes the first offer.
    void choose(QWidget* screen, const QString& field, const QString& typed) {
        auto* box = screen->findChild<gui::LookupField*>(field);
        ASSERT_NE(box, nullptr) << field.toStdString();
        box->setFocus();
        QTest::keyClicks(box, typed);
        QApplication::processEvents();
        QTest::keyClick(box, Qt::Key_Return);
        QApplication::processEvents();
        ASSERT_GT(box->chosenId(), 0) << field.toStdString();
    }
    void set(QWidget* screen, const QString& field, const QString& text) {
        auto* edit = screen->findChild<QLineEdit*>(field);
        ASSERT_NE(edit, nullptr) << field.toStdString();
        edit->setText(text);
    }

    test::YearFixture year;
    qint64 weaver = 0, mill = 0;
    gui::CommandRegistry registry;
    gui::MainWindow window{year.session, year.messages};
    gui::CommandContext context{window, [this] { return &year.db(); }, year.session, year.messages};
};

TEST_F(MillScreensTest, TakasTickedOutAndBackWithShortage) {
    auto* issue = open<gui::MillIssueScreen>(QStringLiteral("mnu_I3"));
    ASSERT_NE(issue, nullptr);
    EXPECT_EQ(issue->objectName(), QStringLiteral("frmIssueToMill_1"));
    EXPECT_EQ(test::fieldText(issue, QStringLiteral("txtChNo")), QStringLiteral("1"));
    choose(issue, QStringLiteral("txtParty"), QStringLiteral("Surat"));
    set(issue, QStringLiteral("txtRate"), QStringLiteral("2.50"));
    set(issue, QStringLiteral("txtProcess"), QStringLiteral("Dyeing"));
    choose(issue, QStringLiteral("txtPurParty"), QStringLiteral("Laxmi"));
    ASSERT_EQ(issue->offeredTakas()->rowCount(), 3);
    issue->offeredTakas()->setTicked(0, true);
    issue->offeredTakas()->setTicked(2, true);
    issue->takeTicked();
    EXPECT_EQ(test::gridText(issue->lineGrid()).value(0).left(14), QStringLiteral("102 | 99.000 |").left(14));
    ASSERT_TRUE(issue->saveEntry()) << year.messages.last().text.toStdString();
    test::keepPicture(&window, QStringLiteral("frmIssueToMill_1"));
    EXPECT_EQ(year.db().scalar(QStringLiteral("SELECT Issue_Taka FROM BillDtl")).toInt(), 2);
    EXPECT_EQ(year.db().scalar(QStringLiteral("SELECT ProcessName FROM JobWork_IssueMst_1 WHERE FormId = 16")).toString(), QStringLiteral("Dyeing"));
    EXPECT_EQ(issue->savedList()->rowCount(), 1);
    // The PDF for the mill goes to the e-mail folder under the challan's name.
    issue->button(QStringLiteral("CmdPDF"))->click();
    ASSERT_FALSE(year.messages.all().empty());
    EXPECT_EQ(year.messages.last().title, QStringLiteral("PDF")) << year.messages.last().text.toStdString();
    EXPECT_TRUE(issue->button(QStringLiteral("CmdWA"))->isEnabled());
    // Only taka 103 is still offered.
    ASSERT_EQ(issue->offeredTakas()->rowCount(), 1);
    EXPECT_EQ(issue->offeredTakas()->item(0, 1)->text(), QStringLiteral("103"));

    auto* receipt = open<gui::MillReceiptScreen>(QStringLiteral("mnu_I4"));
    ASSERT_NE(receipt, nullptr);
    EXPECT_EQ(receipt->objectName(), QStringLiteral("frmIssueToMillRec_1"));
    choose(receipt, QStringLiteral("txtParty"), QStringLiteral("Surat"));
    ASSERT_EQ(receipt->issueChallans()->count(), 1);
    ASSERT_EQ(receipt->pendingTakas()->rowCount(), 2);
    receipt->pendingTakas()->setTicked(0, true);
    receipt->pendingTakas()->setTicked(1, true);
    receipt->takeTicked();
    // Offered by metres, 102 (99 m) and 101 (100 m) went out. The first comes to the line: its
    // finished metres, marka, colour and finish quality typed, Enter through the rest.
    const auto typed = [&](const char* field, const QString& text) {
        ASSERT_EQ(QApplication::focusWidget()->objectName(), QString::fromLatin1(field));
        QTest::keyClicks(QApplication::focusWidget(), text);
        QApplication::processEvents();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QApplication::processEvents();
    };
    typed("txtFinMtrs", QStringLiteral("96.5"));
    typed("txtMarka", QStringLiteral("A-7"));
    typed("txtWt", {});
    typed("txtColour", QStringLiteral("Navy"));
    typed("txtDesign", {});
    typed("txtRate", {});
    typed("txtFinQuality", QStringLiteral("Rapier"));
    typed("ComFin", {});
    receipt->setFinished(1, d("101.2"));
    set(receipt, QStringLiteral("txtTdsP"), QStringLiteral("1"));
    const QStringList lines = test::gridText(receipt->lineGrid());
    ASSERT_GE(lines.size(), 2);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("102 | 99.000 | 96.500 | 2.500 | 2.53 | A-7 | 0.000 | Navy | 2.50 | 241.25 | Rapier 60 Grey | Y")))
        << lines[0].toStdString();
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("101 | 100.000 | 101.200 | -1.200 | -1.20 | 0.000 | 2.50 | 253.00 | Y"))) << lines[1].toStdString();

    // Without its lot the receipt is refused and nothing is written.
    EXPECT_FALSE(receipt->saveEntry());
    EXPECT_TRUE(year.messages.has(MessageKind::Critical, QStringLiteral("No LotNo Entered"), QStringLiteral("Please enter LotNo")));
    EXPECT_EQ(year.count(QStringLiteral("JobWork_IssueMst_1"), QStringLiteral("FormId = 17")), 0);
    set(receipt, QStringLiteral("txtLotNo"), QStringLiteral("L-501"));
    ASSERT_TRUE(receipt->saveEntry()) << year.messages.last().text.toStdString();
    test::keepPicture(&window, QStringLiteral("frmIssueToMillRec_1"));
    const qint64 saved = receipt->documentId();
    // 241.25 + 253.00 = 494.25: bill 494, T.D.S. 5.
    EXPECT_DOUBLE_EQ(year.db().scalar(QStringLiteral("SELECT BillAmount FROM JobWork_IssueMst_1 WHERE Id = ?"), {saved}).toDouble(), 494.0);
    EXPECT_DOUBLE_EQ(year.db().scalar(QStringLiteral("SELECT TDSRs FROM JobWork_IssueMst_1 WHERE Id = ?"), {saved}).toDouble(), 5.0);
    const auto kept = year.db().queryOne(QStringLiteral("SELECT Marka, Colour, QidDtl FROM JobWork_IssueDtl_1 WHERE BillMstId = ? AND Srno = 1"), {saved});
    EXPECT_EQ(kept->text(QStringLiteral("Marka")), QStringLiteral("A-7"));
    EXPECT_EQ(kept->text(QStringLiteral("Colour")), QStringLiteral("Navy"));
    EXPECT_EQ(kept->integer(QStringLiteral("QidDtl")), 201);
    EXPECT_EQ(receipt->issueChallans()->count(), 0);

    // Opened again from a new screen, it shows what was saved.
    receipt->newEntry();
    receipt->openEntry(saved);
    EXPECT_EQ(test::fieldText(receipt, QStringLiteral("txtLotNo")), QStringLiteral("L-501"));
    EXPECT_EQ(test::gridText(receipt->lineGrid()).size(), 3);
}

TEST_F(MillScreensTest, AProductionFirmIssuesGreyTakasOfItsLooms) {
    year.session.firm.insert(QStringLiteral("Soft_Type"), 9);
    year.db().exec(QStringLiteral("UPDATE FirmMst SET Soft_Type = 9 WHERE Srno = 1"));
    auto* issue = open<gui::MillIssueScreen>(QStringLiteral("mnu_I3"));
    ASSERT_NE(issue, nullptr);
    EXPECT_EQ(issue->objectName(), QStringLiteral("frmIssueToMill_1_Grey"));
    EXPECT_NE(issue->findChild<QPushButton*>(QStringLiteral("cmdShowTaka")), nullptr);
    EXPECT_EQ(issue->findChild<QComboBox*>(QStringLiteral("ComPurBill")), nullptr);
    auto* receipt = open<gui::MillReceiptScreen>(QStringLiteral("mnu_I4"));
    ASSERT_NE(receipt, nullptr);
    EXPECT_EQ(receipt->objectName(), QStringLiteral("frmIssueToMillRec_1_grey"));
    // The grey-cut variant is the same screen, offering takas by a metres range.
    gui::MillIssueScreen cut(year.db(), year.session, year.messages, gui::millIssueVariant(QStringLiteral("frmIssueToMill_1_GreyCut")));
    EXPECT_NE(cut.findChild<QLineEdit*>(QStringLiteral("txtFromMtrs")), nullptr);
}

// The year-end screen lists the issue with takas out and carries the ticked one into the next
// year's books; the menu of the next year's "Delete Previous Year" opens its counterpart.
TEST_F(MillScreensTest, PendingTakasCarriedFromTheYearEndScreen) {
    mill::MillIssues issues(year.db(), year.session, year.messages);
    mill::MillIssue issue;
    issue.bookId = 2;
    issue.date = QDate(2025, 3, 20);
    issue.millId = mill;
    ASSERT_TRUE(issues.takeFromPurchase(issue, year.db().scalar(QStringLiteral("SELECT Id FROM BillMst")).toLongLong(), {"101", "102"}));
    ASSERT_TRUE(issues.save(issue));

    test::YearFixture next(2026);
    auto* screen = qobject_cast<gui::MillCarryScreen*>(test::openFromMenu(registry, context, window, QStringLiteral("mnu_Y635")));
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->objectName(), QStringLiteral("frmTransferOutMillPendTaka"));
    ASSERT_EQ(screen->challans()->rowCount(), 1);
    EXPECT_EQ(screen->challans()->item(0, 5)->text(), QStringLiteral("2"));
    // Without a next year in this installation the carry is refused by name.
    screen->challans()->setTicked(0, true);
    EXPECT_EQ(screen->run(), 0);
    EXPECT_TRUE(year.messages.has(MessageKind::Critical, QStringLiteral("No Database Found"), QStringLiteral("Selected Year is not Found")));
    test::keepPicture(&window, QStringLiteral("frmTransferOutMillPendTaka"));

    gui::MillCarryScreen carry(year.db(), year.session, year.messages, mill::MillCarry::Kind::PendingTakas, gui::MillCarryScreen::Mode::Carry,
                               [&next] { return std::optional<db::Database>(next.openAnother()); });
    carry.challans()->setTicked(0, true);
    EXPECT_EQ(carry.run(), 1);
    EXPECT_EQ(next.count(QStringLiteral("JobWork_IssueDtl_1"), QStringLiteral("BillMstId = ?"), {-issue.id}), 2);
    gui::MillCarryScreen remove(next.db(), next.session, next.messages, mill::MillCarry::Kind::PendingTakas, gui::MillCarryScreen::Mode::Remove);
    ASSERT_EQ(remove.challans()->rowCount(), 1);
    remove.challans()->setTicked(0, true);
    EXPECT_EQ(remove.run(), 1);
    EXPECT_EQ(next.count(QStringLiteral("JobWork_IssueMst_1")), 0);
}

// Quality-wise job work from the Job Work menu: an outward challan typed line by line, then the
// job worker's inward challan taking its open line, with GST, posted when saved.
TEST_F(MillScreensTest, JobProcessOutwardAndInwardChallans) {
    auto* out = open<gui::JobProcessScreen>(QStringLiteral("mnu_I1"));
    ASSERT_NE(out, nullptr);
    EXPECT_EQ(out->objectName(), QStringLiteral("frmIssueToMill"));
    choose(out, QStringLiteral("txtParty"), QStringLiteral("Surat"));
    set(out, QStringLiteral("txtProcess"), QStringLiteral("Printing"));
    choose(out, QStringLiteral("txtQuality"), QStringLiteral("Rapier"));
    set(out, QStringLiteral("txtPcs"), QStringLiteral("12"));
    set(out, QStringLiteral("txtMtrs"), QStringLiteral("1150.5"));
    auto* rate = out->findChild<QLineEdit*>(QStringLiteral("txtRate"));
    rate->setFocus();
    QTest::keyClicks(rate, QStringLiteral("4"));
    QTest::keyClick(rate, Qt::Key_Return);
    QApplication::processEvents();
    ASSERT_EQ(out->challanOnScreen().lines.size(), 1u);
    ASSERT_TRUE(out->saveEntry()) << year.messages.last().text.toStdString();
    test::keepPicture(&window, QStringLiteral("frmIssueToMill"));

    auto* in = open<gui::JobProcessScreen>(QStringLiteral("mnu_I2"));
    ASSERT_NE(in, nullptr);
    EXPECT_EQ(in->objectName(), QStringLiteral("frmIssueToMillRec"));
    choose(in, QStringLiteral("txtParty"), QStringLiteral("Surat"));
    ASSERT_EQ(in->pendingLines()->rowCount(), 1);
    in->pendingLines()->setTicked(0, true);
    in->takeTicked();
    set(in, QStringLiteral("txtAgainst"), QStringLiteral("77"));
    set(in, QStringLiteral("txtSgstP"), QStringLiteral("2.5"));
    set(in, QStringLiteral("txtCgstP"), QStringLiteral("2.5"));
    ASSERT_TRUE(in->saveEntry()) << year.messages.last().text.toStdString();
    test::keepPicture(&window, QStringLiteral("frmIssueToMillRec"));
    // 1,150.50 m at 4.00 = 4,602.00 with 115.05 SGST and CGST: 4,832.10, bill 4,832.
    EXPECT_DOUBLE_EQ(year.db().scalar(QStringLiteral("SELECT SUM(CrAmt) FROM HeadDtl3 WHERE TableCode = 15")).toDouble(), 4832.0);
    EXPECT_EQ(in->pendingLines()->rowCount(), 0);
    EXPECT_EQ(year.db().scalar(QStringLiteral("SELECT ProcessName FROM JobWork_IssueMst WHERE FormId = 15")).toString(), QStringLiteral("Printing"));

    // A line of the job worker's ledger opens the receipt in a window of its own.
    const qint64 receipt = in->documentId();
    const qint64 journal = ledger::Journal(year.db(), year.session).journalOf(ledger::DocumentType::JobReceipt, receipt);
    ASSERT_TRUE(gui::openPostedDocument(context, journal));
    auto* opened = qobject_cast<gui::JobProcessScreen*>(window.workArea()->subWindowList().last()->widget());
    ASSERT_NE(opened, nullptr);
    EXPECT_NE(opened, in);
    EXPECT_EQ(opened->documentId(), receipt);
    EXPECT_EQ(opened->objectName(), QStringLiteral("frmIssueToMillRec"));
}

// A bleaching firm's outward challan: the mill chosen, "Show All Taka" answered Yes offers the takas
// of both its open challans at once; one taka comes back partly grey, typed line by line; the
// summary under the grid gives each challan's metres, shortage and amount with a total.
TEST_F(MillScreensTest, ABleachingFirmsOutwardChallanShowsAllTakaAndASummaryPerChallan) {
    year.session.firm.insert(QStringLiteral("Soft_Type"), 7);
    year.db().exec(QStringLiteral("UPDATE FirmMst SET Soft_Type = 7 WHERE Srno = 1"));
    mill::MillIssues issues(year.db(), year.session, year.messages);
    const qint64 bill = year.db().scalar(QStringLiteral("SELECT Id FROM BillMst")).toLongLong();
    for (const QStringList& takas : {QStringList{"101", "102"}, QStringList{"103"}}) {
        mill::MillIssue issue;
        issue.bookId = 2;
        issue.date = QDate(2024, 6, 10);
        issue.millId = mill;
        issue.rate = d("2.5");
        ASSERT_TRUE(issues.takeFromPurchase(issue, bill, takas));
        ASSERT_TRUE(issues.save(issue));
    }
    auto* inward = open<gui::MillIssueScreen>(QStringLiteral("mnu_I5"));
    ASSERT_NE(inward, nullptr);
    EXPECT_EQ(inward->objectName(), QStringLiteral("frmIssueToMill_1_BL"));
    auto* receipt = open<gui::MillReceiptScreen>(QStringLiteral("mnu_I6"));
    ASSERT_NE(receipt, nullptr);
    EXPECT_EQ(receipt->objectName(), QStringLiteral("frmIssueToMillRec_1_BL"));

    // No: the takas of the challan chosen in "Our Ch. No" only.
    year.messages.answerNext(false);
    choose(receipt, QStringLiteral("txtParty"), QStringLiteral("Surat"));
    EXPECT_TRUE(year.messages.has(MessageKind::Question, QStringLiteral("Show All Taka"), QStringLiteral("Do you want to Show All Taka ?")));
    ASSERT_EQ(receipt->issueChallans()->count(), 2);
    EXPECT_EQ(receipt->pendingTakas()->rowCount(), 2);
    receipt->issueChallans()->setCurrentIndex(1);
    ASSERT_EQ(receipt->pendingTakas()->rowCount(), 1);
    EXPECT_EQ(receipt->pendingTakas()->item(0, 3)->text(), QStringLiteral("103"));
    receipt->newEntry();
    year.messages.answerNext(true);
    choose(receipt, QStringLiteral("txtParty"), QStringLiteral("Surat"));
    ASSERT_EQ(receipt->issueChallans()->count(), 2);
    ASSERT_EQ(receipt->pendingTakas()->rowCount(), 3);
    EXPECT_EQ(receipt->pendingTakas()->item(2, 1)->text(), QStringLiteral("2"));  // Mill Iss No
    EXPECT_EQ(receipt->pendingTakas()->item(2, 3)->text(), QStringLiteral("103"));
    for (int row = 0; row < 3; ++row) receipt->pendingTakas()->setTicked(row, true);
    receipt->takeTicked();

    // Taka 101: 90 m processed into 88, 10 m back grey; typed in the line fields with Enter.
    ASSERT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("txtFinMtrs"));
    set(receipt, QStringLiteral("txtGreyMtrs"), QStringLiteral("90"));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("88"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QApplication::processEvents();
    ASSERT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("txtGreyRet"));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("10"));
    for (int i = 0; i < 8; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QApplication::processEvents();
    }
    receipt->setFinished(1, d("95"));
    receipt->setFinished(2, d("97"));
    const QStringList lines = test::gridText(receipt->lineGrid());
    ASSERT_GE(lines.size(), 3);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("101 | 90.000 | 88.000 | 10.000 | 2.000 | 2.22 | 0.000 | 2.50 | 220.00 | Y | 1"))) << lines[0].toStdString();
    // 101 and 102 of challan 1: 189 m grey, 183 finished, 6 short (3.17 %), 457.50; 103 of challan 2.
    EXPECT_EQ(test::gridText(receipt->summaryGrid()),
              (QStringList{QStringLiteral("1 | 1 | 189.000 | 183.000 | 6.000 | 3.17 | 457.50"),
                           QStringLiteral("2 | 2 | 99.000 | 97.000 | 2.000 | 2.02 | 242.50"),
                           QStringLiteral("Total | 288.000 | 280.000 | 8.000 | 2.78 | 700.00")}));
    set(receipt, QStringLiteral("txtLotNo"), QStringLiteral("BL-1"));
    year.db().exec(QStringLiteral("INSERT INTO BrokerMst (Srno, PName, FirmNO) VALUES (3, 'Mahesh Broker', 1)"));
    choose(receipt, QStringLiteral("txtBroker"), QStringLiteral("Mahe"));
    ASSERT_TRUE(receipt->saveEntry()) << year.messages.last().text.toStdString();
    test::keepPicture(&window, QStringLiteral("frmIssueToMillRec_1_BL"));
    EXPECT_DOUBLE_EQ(year.db().scalar(QStringLiteral("SELECT PRate FROM JobWork_IssueDtl_1 WHERE TakaNO = '101' AND IssueChId = 0")).toDouble(), 10.0);
    EXPECT_EQ(year.db().scalar(QStringLiteral("SELECT BrokerId FROM JobWork_IssueMst_1 WHERE FormId = 17")).toInt(), 3);
    EXPECT_EQ(receipt->issueChallans()->count(), 0);

    // Print type 2 takes the firm's own second layout of the outward challan.
    const QString firmLayouts = QDir(year.session.dataRoot).filePath(QStringLiteral("Reports"));
    QDir().mkpath(firmLayouts);
    QFile shipped(QDir(reports::shippedReportsFolder()).filePath(QStringLiteral("Issue_JobWork_Rec_BL_1.json")));
    ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
    QFile own(QDir(firmLayouts).filePath(QStringLiteral("Issue_JobWork_Rec_BL_2.json")));
    ASSERT_TRUE(own.open(QIODevice::WriteOnly));
    own.write(shipped.readAll().replace("JOB PROCESS OUTWARD CHALLAN", "BLEACHED GOODS DELIVERY"));
    own.close();
    receipt->findChild<QComboBox*>(QStringLiteral("ComPrintType"))->setCurrentIndex(1);
    receipt->button(QStringLiteral("CmdPDF"))->click();
    const QFileInfoList pdfs = QDir(QDir(year.session.dataRoot).filePath(QStringLiteral("Email_Export"))).entryInfoList({QStringLiteral("*.pdf")});
    ASSERT_EQ(pdfs.size(), 1) << year.messages.last().text.toStdString();
    EXPECT_TRUE(test::pdfText(pdfs[0].filePath(), false).contains(QStringLiteral("BLEACHED GOODS DELIVERY")));

    // Opened again, the receipt shows its broker.
    receipt->newEntry();
    EXPECT_EQ(test::fieldText(receipt, QStringLiteral("txtBroker")), QString());
    receipt->openEntry(year.db().scalar(QStringLiteral("SELECT Id FROM JobWork_IssueMst_1 WHERE FormId = 17")).toLongLong());
    EXPECT_EQ(test::fieldText(receipt, QStringLiteral("txtBroker")), QStringLiteral("Mahesh Broker"));
}

// "6. Mill Taka Pendind Register" as on a day: the takas still at the mill under its name.
TEST_F(MillScreensTest, TheTakasStillAtTheMillOnADay) {
    mill::MillIssues issues(year.db(), year.session, year.messages);
    mill::MillIssue issue;
    issue.bookId = 2;
    issue.date = QDate(2024, 6, 10);
    issue.millId = mill;
    issue.process = QStringLiteral("Dyeing");
    ASSERT_TRUE(issues.takeFromPurchase(issue, year.db().scalar(QStringLiteral("SELECT Id FROM BillMst")).toLongLong(), {"101", "102", "103"}));
    ASSERT_TRUE(issues.save(issue));
    mill::MillReceipts receipts(year.db(), year.session, year.messages);
    mill::MillReceipt receipt;
    receipt.bookId = 2;
    receipt.date = QDate(2024, 6, 20);
    receipt.millId = mill;
    receipt.lotNo = QStringLiteral("L-1");
    receipt.lines = receipts.linesFromIssue(issue.id, {1});
    receipt.lines[0].finishedMetres = d("97");
    ASSERT_TRUE(receipts.save(receipt));

    auto* form = qobject_cast<gui::RegisterForm*>(test::openFromMenu(registry, context, window, QStringLiteral("mnu_I76")));
    ASSERT_NE(form, nullptr);
    auto* asOn = form->findChild<QDateEdit*>(QStringLiteral("DtpTo"));
    auto* grid = form->findChild<QTableWidget*>(QStringLiteral("VSResultGrid"));
    ASSERT_TRUE(asOn && grid);
    asOn->setDate(QDate(2024, 6, 30));
    ASSERT_TRUE(form->refresh());
    test::keepPicture(&window, QStringLiteral("FrmRep_mnu_I76"));
    const QStringList rows = test::gridText(grid);
    ASSERT_EQ(rows.size(), 5) << rows.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(rows[0], QStringLiteral("Surat Dyeing Mills"));
    EXPECT_TRUE(rows[1].contains(QStringLiteral("| 102 | 99.000 | 0.000 | 99.000"))) << rows[1].toStdString();
    EXPECT_TRUE(rows[3].startsWith(QStringLiteral("Sub Tot | 198.000"))) << rows[3].toStdString();
}

// "7." to "9." of the register menu belong to the bleaching firm: its inward challans, its
// outward challans and the takas still in the works; other firms are told they are not built.
TEST_F(MillScreensTest, ABleachingFirmsRegistersOfItsChallans) {
    mill::MillIssues issues(year.db(), year.session, year.messages);
    mill::MillIssue issue;
    issue.bookId = 2;
    issue.date = QDate(2024, 6, 10);
    issue.millId = mill;
    issue.process = QStringLiteral("Bleaching");
    ASSERT_TRUE(issues.takeFromPurchase(issue, year.db().scalar(QStringLiteral("SELECT Id FROM BillMst")).toLongLong(), {"101", "102", "103"}));
    ASSERT_TRUE(issues.save(issue));

    EXPECT_EQ(test::openFromMenu(registry, context, window, QStringLiteral("mnu_I77")), nullptr);
    EXPECT_TRUE(year.messages.has(MessageKind::Information, QStringLiteral("Not Available"),
                                  QStringLiteral("The embroidery and dyeing job-work registers are not built yet.")));

    year.session.firm.insert(QStringLiteral("Soft_Type"), 7);
    year.db().exec(QStringLiteral("UPDATE FirmMst SET Soft_Type = 7 WHERE Srno = 1"));
    auto* inward = qobject_cast<gui::RegisterForm*>(test::openFromMenu(registry, context, window, QStringLiteral("mnu_I77")));
    ASSERT_NE(inward, nullptr);
    EXPECT_EQ(inward->objectName(), QStringLiteral("FrmRep_IssueReg_BL_Party2019"));
    auto* kinds = inward->findChild<QComboBox*>(QStringLiteral("ComType"));
    ASSERT_NE(kinds, nullptr);
    QStringList offered;
    for (int i = 0; i < kinds->count(); ++i) offered << kinds->itemText(i);
    EXPECT_EQ(offered, (QStringList{QStringLiteral("Party Wise"), QStringLiteral("Quality Wise"), QStringLiteral("Job Process Wise"),
                                    QStringLiteral("Party Detail"), QStringLiteral("Party Summary")}));
    inward->findChild<QDateEdit*>(QStringLiteral("DtpFrom"))->setDate(QDate(2024, 6, 1));
    inward->findChild<QDateEdit*>(QStringLiteral("DtpTo"))->setDate(QDate(2024, 6, 30));
    kinds->setCurrentIndex(3);
    ASSERT_TRUE(inward->refresh());
    test::keepPicture(&window, QStringLiteral("FrmRep_IssueReg_BL_Party2019"));
    const QStringList rows = test::gridText(inward->findChild<QTableWidget*>(QStringLiteral("VSResultGrid")));
    ASSERT_EQ(rows.size(), 6) << rows.join(QLatin1Char('\n')).toStdString();  // heading, three takas, sub-total, total
    EXPECT_EQ(rows[0], QStringLiteral("Surat Dyeing Mills"));
    EXPECT_TRUE(rows[2].contains(QStringLiteral("| 102 | 99.000"))) << rows[2].toStdString();

    auto* outward = qobject_cast<gui::RegisterForm*>(test::openFromMenu(registry, context, window, QStringLiteral("mnu_I78")));
    ASSERT_NE(outward, nullptr);
    EXPECT_EQ(outward->objectName(), QStringLiteral("FrmRep_IssueReg_BL_Party_R_2019"));
    auto* pending = qobject_cast<gui::RegisterForm*>(test::openFromMenu(registry, context, window, QStringLiteral("mnu_I79")));
    ASSERT_NE(pending, nullptr);
    EXPECT_EQ(pending->objectName(), QStringLiteral("FrmRep_IssueReg_bl_Party_Detail_Pend"));
    pending->findChild<QDateEdit*>(QStringLiteral("DtpTo"))->setDate(QDate(2024, 6, 30));
    ASSERT_TRUE(pending->refresh());
    EXPECT_EQ(pending->result()->title, QStringLiteral("Job Process Inward Challan Pending Register (Party Wise)  As On 30-06-2024"));
    EXPECT_EQ(pending->result()->data.rowCount(), 3);
    test::keepPicture(&window, QStringLiteral("FrmRep_IssueReg_bl_Party_Detail_Pend"));
}

}  // namespace
