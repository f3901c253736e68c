// The print-copy, dashboard-label and e-mail screens driven with the keyboard and mouse.
#include "gui/reports/EmailWindow.h"
#include "gui/reports/SettingsWindows.h"
#include "domain/reports/DashboardLabels.h"
#include "domain/reports/PrintCopies.h"
#include "support/FakeServers.h"
#include "support/YearFixture.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

using namespace tanabana;

namespace {

// Types a new value into a grid cell the way an operator does: go to the cell, type, Enter.
void typeIntoCell(QTableWidget* grid, int row, int column, const QString& text) {
    grid->setFocus();
    grid->setCurrentCell(row, column);
    grid->editItem(grid->item(row, column));
    QLineEdit* editor = nullptr;
    for (QLineEdit* e : grid->findChildren<QLineEdit*>())
        if (e->isVisible()) editor = e;
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();  // the grid takes the typed value after the key
}

void saveShot(QWidget& w, const QString& name) {
    if (!qEnvironmentVariableIsEmpty("TANABANA_TEST_OUTPUT")) w.grab().save(qEnvironmentVariable("TANABANA_TEST_OUTPUT") + "/" + name);
}

TEST(ReportSettingsScreens, CopyCountAndLabelsAreSetFromTheGrids) {
    test::YearFixture year;
    gui::PrintCopiesWindow w(year.db(), year.messages);
    w.show();
    QTableWidget* forms = w.forms();
    ASSERT_EQ(forms->rowCount(), 16);
    EXPECT_EQ(forms->item(2, 0)->text(), "Sales");
    EXPECT_EQ(forms->item(2, 1)->text(), "3");

    typeIntoCell(forms, 2, 1, "4");
    QTest::mouseClick(w.findChild<QPushButton*>("CmdSavePrnNO"), Qt::LeftButton);
    EXPECT_TRUE(year.messages.has(MessageKind::Information, "Save Confirm", "Total Print No Is Updated!"));
    EXPECT_EQ(reports::printCopies(year.db(), 3), 4);
    ASSERT_EQ(w.labels()->rowCount(), 4);

    typeIntoCell(w.labels(), 0, 1, "Original For Buyer");
    QTest::mouseClick(w.findChild<QPushButton*>("CmdSavePrnName"), Qt::LeftButton);
    EXPECT_EQ(reports::copyLabels(year.db(), 3)[0].label, "Original For Buyer");
    EXPECT_EQ(w.labels()->item(0, 1)->text(), "Original For Buyer");

    typeIntoCell(forms, 2, 1, "0");
    QTest::mouseClick(w.findChild<QPushButton*>("CmdSavePrnNO"), Qt::LeftButton);
    EXPECT_TRUE(year.messages.has(MessageKind::Critical, "Not Updated", "Total Print No Is More then 1 "));
    EXPECT_EQ(forms->item(2, 1)->text(), "4");
    saveShot(w, "print-copies.png");
}

TEST(ReportSettingsScreens, DashboardLabelIsRenamedAndHidden) {
    test::YearFixture year;
    gui::DashboardLabelsWindow w(year.db(), year.messages);
    w.show();
    QTableWidget* grid = w.grid();
    ASSERT_EQ(grid->rowCount(), 10);
    typeIntoCell(grid, 1, 1, "Challan");
    grid->item(1, 3)->setCheckState(Qt::Unchecked);
    QTest::mouseClick(w.findChild<QPushButton*>("cmd_save"), Qt::LeftButton);
    EXPECT_TRUE(year.messages.has(MessageKind::Information, "Save Confirm", "Lable Updated!"));
    const auto buttons = reports::dashboardButtons(year.db());
    EXPECT_EQ(buttons[1].label, "Challan");
    EXPECT_EQ(buttons[1].command, "Chalan");
    EXPECT_FALSE(buttons[1].shown);

    typeIntoCell(grid, 1, 1, " ");
    QTest::mouseClick(w.findChild<QPushButton*>("cmd_save"), Qt::LeftButton);
    EXPECT_TRUE(year.messages.has(MessageKind::Critical, "No Print Name", "Print Name Should Not Be Empty"));
    EXPECT_EQ(reports::dashboardButtons(year.db())[1].label, "Challan");
    saveShot(w, "dashboard-labels.png");
}

TEST(ReportSettingsScreens, EmailScreenSendsWhatIsTyped) {
    test::FakeSmtpServer smtp;
    QTemporaryDir dir;
    QFile pdf(dir.path() + "/GST-12.pdf");
    ASSERT_TRUE(pdf.open(QIODevice::WriteOnly));
    pdf.write("%PDF-1.4 bill");
    pdf.close();

    gui::EmailWindow w;
    w.show();
    auto box = [&](const char* name) { return w.findChild<QLineEdit*>(name); };
    QTest::mouseClick(w.findChild<QPushButton*>("cmdSend"), Qt::LeftButton);
    EXPECT_EQ(w.status(), "Error: All fields are required!");

    QTest::keyClicks(box("txtTo"), "accounts@mahavirfabrics.in");
    QTest::keyClicks(box("txtSubject"), "Bill GST/12");
    QTest::keyClicks(box("txtFromName"), "Shree Ganesh Textiles");
    QTest::keyClicks(box("txtFromEmail"), "owner@shreeganesh.in");
    QTest::keyClicks(w.findChild<QPlainTextEdit*>("txtMsg"), "Please find the bill attached.");
    QTest::keyClicks(box("txtServer"), "127.0.0.1");
    box("txtPort")->clear();
    QTest::keyClicks(box("txtPort"), QString::number(smtp.port()));
    QTest::keyClicks(box("txtUsername"), "owner@shreeganesh.in");
    QTest::keyClicks(box("txtPassword"), "s3cret");
    w.setAttachment(pdf.fileName());
    saveShot(w, "email.png");
    QTest::mouseClick(w.findChild<QPushButton*>("cmdSend"), Qt::LeftButton);
    EXPECT_EQ(w.status(), "Message sent!");
    ASSERT_EQ(smtp.mails().size(), 1u);
    EXPECT_TRUE(smtp.mails()[0].data.contains("filename=\"GST-12.pdf\""));
    EXPECT_EQ(smtp.mails()[0].password, "s3cret");
}

}  // namespace
