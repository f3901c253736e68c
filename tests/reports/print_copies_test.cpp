// Print copy settings and dashboard labels on a real year database (TANABANA_BOTH_ENGINES).
#include "domain/reports/DashboardLabels.h"
#include "domain/reports/PrintCopies.h"
#include "domain/reports/Schema.h"
#include "support/YearFixture.h"

#include <gtest/gtest.h>

using namespace tanabana;
using namespace tanabana::reports;

namespace {

class PrintCopySettings : public ::testing::Test {
protected:
    void SetUp() override {
        TANABANA_REQUIRE_ENGINE();
        year = std::make_unique<test::YearFixture>();
    }
    QStringList labels(qint64 form) {
        QStringList out;
        for (const CopyLabel& l : copyLabels(year->db(), form)) out << QString("%1:%2").arg(l.number).arg(l.label);
        return out;
    }
    std::unique_ptr<test::YearFixture> year;
};

TEST_F(PrintCopySettings, EveryDocumentKindStartsWithThreeCopiesAndTheTaxInvoiceNamesThem) {
    const auto forms = printForms(year->db());
    ASSERT_EQ(forms.size(), 16u);
    EXPECT_EQ(forms[2].id, 3);
    EXPECT_EQ(forms[2].name, "Sales");
    EXPECT_EQ(forms[2].copies, 3);
    EXPECT_EQ(forms.back().name, "Debit Note");
    EXPECT_EQ(labels(3), QStringList({"1:ORIGINAL FOR RECIPIENT", "2:DUPLICATE FOR TRANSPORTER", "3:TRIPLICATE FOR SUPPLIER"}));
    EXPECT_EQ(labels(1), QStringList({"1:1", "2:2", "3:3"}));
    EXPECT_EQ(year->count("FormMst_1"), 48);
    // Running the start-up fill again adds nothing.
    fillMissingCopyNames(year->db());
    EXPECT_EQ(year->count("FormMst_1"), 48);
}

TEST_F(PrintCopySettings, ChangingTheCountTrimsOrAddsLabelsAndKeepsNamedOnes) {
    auto& db = year->db();
    ASSERT_TRUE(saveCopyName(db, year->messages, 3, 1, "Original For Buyer"));
    ASSERT_TRUE(saveCopyName(db, year->messages, 3, 2, "Duplicate For Transporter's Use"));
    ASSERT_TRUE(saveCopyCount(db, year->messages, 3, 5));
    EXPECT_TRUE(year->messages.has(MessageKind::Information, "Save Confirm", "Total Print No Is Updated!"));
    EXPECT_EQ(labels(3), QStringList({"1:Original For Buyer", "2:Duplicate For Transporter's Use", "3:TRIPLICATE FOR SUPPLIER", "4:4", "5:5"}));
    EXPECT_EQ(printCopies(db, 3), 5);

    ASSERT_TRUE(saveCopyCount(db, year->messages, 3, 1));
    EXPECT_EQ(labels(3), QStringList({"1:Original For Buyer"}));
    // Other forms are untouched.
    EXPECT_EQ(labels(1), QStringList({"1:1", "2:2", "3:3"}));
}

TEST_F(PrintCopySettings, OlderBooksGetTheNamedTaxInvoiceCopiesButKeepLabelsTheFirmTyped) {
    auto& db = year->db();
    // a year made before the copies were named: bare numbers, one of them renamed by the firm
    for (const int k : {1, 2, 3}) db.exec("UPDATE FormMst_1 SET PrnName = ? WHERE FormId = 3 AND SNo = ?", {QString::number(k), k});
    ASSERT_TRUE(saveCopyName(db, year->messages, 3, 2, "Transporter Copy"));
    ASSERT_EQ(labels(3), QStringList({"1:1", "2:Transporter Copy", "3:3"}));
    nameTaxInvoiceCopies(db);
    EXPECT_EQ(labels(3), QStringList({"1:ORIGINAL FOR RECIPIENT", "2:Transporter Copy", "3:TRIPLICATE FOR SUPPLIER"}));
    EXPECT_EQ(labels(4), QStringList({"1:1", "2:2", "3:3"}));
}

TEST_F(PrintCopySettings, RefusalsChangeNothing) {
    auto& db = year->db();
    year->messages.clear();
    EXPECT_FALSE(saveCopyCount(db, year->messages, 3, 0));
    EXPECT_TRUE(year->messages.has(MessageKind::Critical, "Not Updated", "Total Print No Is More then 1 "));
    EXPECT_EQ(printCopies(db, 3), 3);
    EXPECT_EQ(labels(3).size(), 3);

    EXPECT_FALSE(saveCopyName(db, year->messages, 3, 2, "   "));
    EXPECT_TRUE(year->messages.has(MessageKind::Critical, "No Print Name", "Print Name Should Not Be Empty"));
    EXPECT_EQ(labels(3)[1], "2:DUPLICATE FOR TRANSPORTER");

    // An over-long label is cut to the column's 50 characters rather than refused by the server.
    ASSERT_TRUE(saveCopyName(db, year->messages, 3, 2, QString(70, 'D')));
    EXPECT_EQ(copyLabels(db, 3)[1].label, QString(50, 'D'));
}

TEST_F(PrintCopySettings, DashboardLabelsAreEditedInPlace) {
    auto& db = year->db();
    auto buttons = dashboardButtons(db);
    ASSERT_EQ(buttons.size(), 10u);
    EXPECT_EQ(buttons[5].label, "Ledger");
    DashboardButton b = buttons[5];
    b.label = "Party Ledger";
    b.command = "Ledger";
    b.shown = false;
    ASSERT_TRUE(saveDashboardButton(db, year->messages, b));
    EXPECT_TRUE(year->messages.has(MessageKind::Information, "Save Confirm", "Lable Updated!"));
    buttons = dashboardButtons(db);
    EXPECT_EQ(buttons[5].label, "Party Ledger");
    EXPECT_FALSE(buttons[5].shown);

    b.label = "";
    EXPECT_FALSE(saveDashboardButton(db, year->messages, b));
    EXPECT_TRUE(year->messages.has(MessageKind::Critical, "No Print Name", "Print Name Should Not Be Empty"));
    EXPECT_EQ(dashboardButtons(db)[5].label, "Party Ledger");
}

}  // namespace
