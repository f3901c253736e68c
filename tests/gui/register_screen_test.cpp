// The register screen used the way an operator uses it, keys only, on a 1366x768 main window:
// "1. Bill Wise Register" from its menu command, the kind, period and party typed in the filter
// bar, the party's bills under their heading with the bold sub-total and total lines, Enter on a
// bill opening it in the sales window, the PDF and Excel buttons writing what the grid shows, an
// upside-down period refused with the grid left empty, and the other register commands.
#include "domain/reports/Xlsx.h"
#include "gui/common/LookupField.h"
#include "gui/common/RegisterForm.h"
#include "gui/shell/Commands.h"
#include "gui/shell/MainWindow.h"
#include "gui/trade/SalesScreen.h"
#include "support/PdfProbe.h"
#include "support/ScreenProbe.h"
#include "support/SellingFirm.h"
#include "support/YearFixture.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <gtest/gtest.h>

using namespace tanabana;

namespace {

class RegisterScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        firm.build();
        ASSERT_FALSE(HasFailure());
        gui::registerAllCommands(registry);
        window.resize(1366, 768);
        window.show();
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    gui::RegisterForm* open(const QString& command) {
        auto* form = qobject_cast<gui::RegisterForm*>(test::openFromMenu(registry, context, window, command));
        EXPECT_NE(form, nullptr) << command.toStdString();
        return form;
    }

    void type(QWidget* w, const QString& text) {
        QTest::keyClicks(w, text);
        QApplication::processEvents();
    }
    void enter() {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QApplication::processEvents();
    }

    test::YearFixture year;
    test::SellingFirm firm{year.db(), year.session, year.messages};
    gui::CommandRegistry registry;
    gui::MainWindow window{year.session, year.messages};
    gui::CommandContext context{window, [this] { return &year.db(); }, year.session, year.messages};
};

TEST_F(RegisterScreenTest, PartyRegisterTypedByKeysShowsTotalsAndOpensTheBill) {
    gui::RegisterForm* form = open(QStringLiteral("mnu_R41"));
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Sales Register"));
    auto* kind = form->findChild<QComboBox*>(QStringLiteral("ComType"));
    auto* from = form->findChild<QDateEdit*>(QStringLiteral("DtpFrom"));
    auto* grid = form->findChild<QTableWidget*>(QStringLiteral("VSResultGrid"));
    ASSERT_TRUE(kind && from && grid);
    EXPECT_EQ(QApplication::focusWidget(), kind);

    QTest::keyClick(kind, Qt::Key_Down);  // "Party Wise"
    EXPECT_EQ(kind->currentText(), QStringLiteral("Party Wise"));
    enter();
    ASSERT_EQ(QApplication::focusWidget(), from);
    from->setSelectedSection(QDateTimeEdit::DaySection);
    type(from, QStringLiteral("01082024"));
    EXPECT_EQ(from->date(), QDate(2024, 8, 1));
    enter();
    auto* to = qobject_cast<QDateEdit*>(QApplication::focusWidget());
    ASSERT_NE(to, nullptr);
    to->setSelectedSection(QDateTimeEdit::DaySection);
    type(to, QStringLiteral("31082024"));
    enter();
    auto* party = form->findChild<gui::LookupField*>(QStringLiteral("txtParty"));
    ASSERT_EQ(QApplication::focusWidget(), party);
    type(party, QStringLiteral("rames"));
    enter();  // takes "Ramesh Silk Mills" from the list
    EXPECT_EQ(party->text(), QStringLiteral("Ramesh Silk Mills"));
    QTest::keyClick(form, Qt::Key_F5);
    QApplication::processEvents();

    EXPECT_EQ(test::gridText(grid), (QStringList{"Ramesh Silk Mills  Surat",
                                           "GST/1 | 05-08-2024 | Sales GST | 0 | 100.000 | 10,500.00 | 262.50 | 262.50 | 0.00 | 0.00 | 0.00 | 11,025.00",
                                           "R/1 | 12-08-2024 | Retail Sales | 10 | 0.000 | 10,000.00 | 600.00 | 600.00 | 0.00 | 0.00 | 0.00 | 11,200.00",
                                           "Sub Tot | 10 | 100.000 | 20,500.00 | 862.50 | 862.50 | 0.00 | 0.00 | 0.00 | 22,225.00",
                                           "Total | 10 | 100.000 | 20,500.00 | 862.50 | 862.50 | 0.00 | 0.00 | 0.00 | 22,225.00"}));
    ASSERT_EQ(grid->rowCount(), 5);
    QStringList captions;
    for (int c = 0; c < grid->columnCount(); ++c) captions << grid->horizontalHeaderItem(c)->text();
    EXPECT_EQ(captions, (QStringList{"Bill No", "Date", "Book", "Pcs", "Mtrs", "Taxable Amt", "SGST", "CGST", "IGST", "TCS", "Other (+/-)", "Net Amt"}));
    EXPECT_TRUE(grid->item(4, 11)->font().bold());
    EXPECT_FALSE(grid->item(1, 11)->font().bold());
    EXPECT_TRUE(grid->item(1, 11)->textAlignment() & Qt::AlignRight);
    EXPECT_EQ(form->findChild<QLabel*>(QStringLiteral("lblCount"))->text(), QStringLiteral("Rows : 2"));
    EXPECT_TRUE(form->findChild<QLabel*>(QStringLiteral("lblTitle"))->text().contains(QStringLiteral("Party : Ramesh Silk Mills")));

    const QString shot = QDir(QDir::tempPath()).filePath(QStringLiteral("sales_register.png"));
    ASSERT_TRUE(window.grab().save(shot));
    test::keepForLooking(shot);

    // The grid has the keys now; Down to the retail bill and Enter opens it.
    ASSERT_EQ(QApplication::focusWidget(), grid);
    EXPECT_EQ(grid->currentRow(), 1);
    QTest::keyClick(grid, Qt::Key_Down);
    QTest::keyClick(grid, Qt::Key_Return);
    QApplication::processEvents();
    auto* sales = qobject_cast<gui::SalesScreen*>(window.workArea()->subWindowList().last()->widget());
    ASSERT_NE(sales, nullptr);
    EXPECT_EQ(sales->billOnScreen().id, firm.billR1);
    EXPECT_EQ(sales->billOnScreen().billNo, QStringLiteral("1"));
    EXPECT_EQ(sales->billOnScreen().bookNo, 4);
}

TEST_F(RegisterScreenTest, PdfAndExcelButtonsWriteWhatTheGridShows) {
    gui::RegisterForm* form = open(QStringLiteral("mnu_R86"));
    ASSERT_NE(form, nullptr);
    form->findChild<QDateEdit*>(QStringLiteral("DtpFrom"))->setDate(QDate(2024, 8, 1));
    form->findChild<QDateEdit*>(QStringLiteral("DtpTo"))->setDate(QDate(2024, 8, 31));
    QTemporaryDir dir;
    QString suggested;
    form->setFileAsker([&](const QString& path) {
        suggested = path;
        return dir.filePath(QFileInfo(path).fileName());
    });
    QTest::keyClick(form, Qt::Key_F8);  // PDF: the register runs first when not shown yet
    QApplication::processEvents();
    EXPECT_EQ(QFileInfo(suggested).fileName(), QStringLiteral("Shree Ganesh Textiles_Pending_Challan_Summary.pdf"));
    const QString pdf = dir.filePath(QStringLiteral("Shree Ganesh Textiles_Pending_Challan_Summary.pdf"));
    ASSERT_TRUE(QFile::exists(pdf)) << (year.messages.empty() ? std::string() : year.messages.last().text.toStdString());
    test::keepForLooking(pdf);
    const QString text = test::pdfText(pdf, false).simplified();
    EXPECT_TRUE(text.contains(QStringLiteral("Pending Challan Summary From 01-08-2024 To 31-08-2024"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Kiran Sarees Surat")));
    EXPECT_TRUE(text.contains(QStringLiteral("14,752.50")));
    EXPECT_FALSE(text.contains(QStringLiteral("2,100.00")));  // the billed challan

    QTest::keyClick(form, Qt::Key_F9);
    QApplication::processEvents();
    const auto sheets = reports::readXlsx(dir.filePath(QStringLiteral("Shree Ganesh Textiles_Pending_Challan_Summary.xlsx")));
    ASSERT_EQ(sheets.size(), 1u);
    QStringList texts;
    for (const auto& c : sheets[0].cells) texts << c.value.toString();
    EXPECT_TRUE(texts.contains(QStringLiteral("Ramesh Silk Mills  Surat")));
    EXPECT_TRUE(texts.contains(QStringLiteral("14752.5")));

    // Grid lines of the pending challans, as typed checks of what is on the screen.
    const QStringList lines = test::gridText(form->findChild<QTableWidget*>(QStringLiteral("VSResultGrid")));
    EXPECT_EQ(lines.first(), QStringLiteral("Kiran Sarees  Surat"));
    EXPECT_EQ(lines.last(), QStringLiteral("Total | 2 | 140.500 | 14,752.50"));
}

TEST_F(RegisterScreenTest, UpsideDownPeriodIsRefusedAndLeavesTheGridEmpty) {
    gui::RegisterForm* form = open(QStringLiteral("mnu_Prod3"));
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Production Register"));
    form->findChild<QDateEdit*>(QStringLiteral("DtpFrom"))->setDate(QDate(2024, 8, 31));
    form->findChild<QDateEdit*>(QStringLiteral("DtpTo"))->setDate(QDate(2024, 8, 1));
    QTest::keyClick(form, Qt::Key_F5);
    EXPECT_TRUE(year.messages.has(MessageKind::Critical, QStringLiteral("Production Register"),
                                  QStringLiteral("From Date Should Not Be After To Date")));
    EXPECT_EQ(form->findChild<QTableWidget*>(QStringLiteral("VSResultGrid"))->rowCount(), 0);

    // A party name that names nobody is refused by name.
    form->findChild<QDateEdit*>(QStringLiteral("DtpFrom"))->setDate(QDate(2024, 8, 1));
    form->findChild<QDateEdit*>(QStringLiteral("DtpTo"))->setDate(QDate(2024, 8, 31));
    auto* party = form->findChild<gui::LookupField*>(QStringLiteral("txtParty"));
    party->setText(QStringLiteral("Nobody's Looms"));
    QTest::keyClick(form, Qt::Key_F5);
    EXPECT_TRUE(year.messages.has(MessageKind::Critical, QStringLiteral("No Party"), QStringLiteral("No party of this firm is named \"Nobody's Looms\"")));
    party->clear();
    QTest::keyClick(form, Qt::Key_F5);
    QApplication::processEvents();
    const QStringList lines = test::gridText(form->findChild<QTableWidget*>(QStringLiteral("VSResultGrid")));
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_EQ(lines.last(), QStringLiteral("Total | 3 | 319.250"));

    // A look at the screen as the operator sees it.
    const QString shot = QDir(QDir::tempPath()).filePath(QStringLiteral("production_register.png"));
    ASSERT_TRUE(window.grab().save(shot));
    test::keepForLooking(shot);
}

TEST_F(RegisterScreenTest, EveryRegisterCommandOpensItsScreen) {
    for (const char* command : {"mnu_R41", "mnu_R43", "mnu_R81", "mnu_R82", "mnu_R83", "mnu_R84", "mnu_R85", "mnu_R86", "mnu_Prod3"}) {
        gui::RegisterForm* form = open(QString::fromLatin1(command));
        ASSERT_NE(form, nullptr);
        EXPECT_EQ(form->objectName(), QStringLiteral("FrmRep_") + QString::fromLatin1(command));
    }
}

}  // namespace
