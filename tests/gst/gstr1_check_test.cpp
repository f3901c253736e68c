// The check before the GSTR-1 files (TANABANA_BOTH_ENGINES): September 2024 of the Surat firm
// with a buyer whose GSTIN fails its check digit, one whose GSTIN is of another state, a buyer
// without a state, a book whose prefix makes numbers the portal refuses and a quality without a
// proper HSN code or unit, and July's export without a proper port code. Every fault is listed with its bill and the fix, in the order of the
// bills, and nothing in the books changes. A clean month lists nothing.
#include "domain/gst/Gstr1Check.h"
#include "domain/gst/GstRules.h"
#include "domain/shell/FirmMaster.h"
#include "support/FirmBooks.h"
#include "support/GstFirm.h"
#include "support/YearFixture.h"
#include "support/QtPrinting.h"

#include <gtest/gtest.h>

using namespace tanabana;
using namespace tanabana::gst;

namespace {

class SeptemberFirm : public test::GstFirm {
public:
    using GstFirm::GstFirm;
    void buildSeptember() {
        build();
        db().exec(QStringLiteral("INSERT INTO BookMst (BookNO, FirmNO, BookType, BookShortName, SalesName, SaleId, Is_Auto_Ac, A1, A2, A3, A4, "
                                 "TCS_Id, TDS_Id, BillType) SELECT 5, FirmNO, 'S', 'SURAT#2024/LONG/', 'Export Sales', SaleId, Is_Auto_Ac, "
                                 "A1, A2, A3, A4, TCS_Id, TDS_Id, BillType FROM BookMst WHERE BookNO = 1 AND FirmNO = 1"));
        addItem(kLining, 1, QStringLiteral("Lining 54"), QStringLiteral("Lining"), QStringLiteral("54"), 40, 5, 1, 1);
        db().exec(QStringLiteral("UPDATE ProdMst SET UQM = '' WHERE Id = ?"), {kLining});
        wrongDigit = test::addAccount(db(), QStringLiteral("Kalpana Traders"), 35, 1, QStringLiteral("24-Gujarat"), QStringLiteral("24AAECK5678M1Z5"));
        otherState = test::addAccount(db(), QStringLiteral("Mumbai Mills"), 35, 1, QStringLiteral("24-Gujarat"), QStringLiteral("27AABCM9876C1Z7"));
        noState = test::addAccount(db(), QStringLiteral("Navsari Stores"), 35, 1, QString());
        sell(1, QStringLiteral("301"), QDate(2024, 9, 2), wrongDigit, {{kRapier, "10", "105"}});
        sell(1, QStringLiteral("302"), QDate(2024, 9, 3), otherState, {{kRapier, "10", "105"}});
        sell(1, QStringLiteral("303"), QDate(2024, 9, 4), noState, {{kRapier, "10", "105"}});
        sell(5, QStringLiteral("1"), QDate(2024, 9, 5), suratFabrics, {{kLining, "20", "40"}, {kRapier, "5", "105"}});
        // A bill of the 1st after the others in the book: listed first all the same.
        sell(1, QStringLiteral("304"), QDate(2024, 9, 1), suratFabrics, {{kRapier, "1", "105"}});
    }
    static constexpr qint64 kLining = 105;
    qint64 wrongDigit = 0, otherState = 0, noState = 0;
};

class Gstr1CheckTest : public ::testing::Test {
protected:
    void SetUp() override {
        TANABANA_REQUIRE_ENGINE();
        year_ = std::make_unique<test::YearFixture>();
        firm_ = std::make_unique<SeptemberFirm>(year_->db(), year_->session, year_->messages);
        firm_->buildSeptember();
        ASSERT_FALSE(HasFailure());
    }
    QStringList problems(int month, int y) {
        QStringList out;
        for (const Gstr1Problem& p : checkGstr1(year_->db(), year_->session, *ReturnPeriod::month(QStringLiteral("%1-%2").arg(month).arg(y))))
            out << QStringLiteral("%1 %2 %3: %4 | %5")
                       .arg(p.document.number, p.document.date.toString(QStringLiteral("dd-MM")), p.document.party, p.problem, p.fix);
        return out;
    }
    std::unique_ptr<test::YearFixture> year_;
    std::unique_ptr<SeptemberFirm> firm_;
};

TEST_F(Gstr1CheckTest, EveryFaultIsListedWithItsBillAndTheFix) {
    const int bills = year_->count(QStringLiteral("SalBillMst")), journal = year_->count(QStringLiteral("HeadDtl3"));
    EXPECT_EQ(problems(9, 2024),
              (QStringList{
                  "GST/301 02-09 Kalpana Traders: GSTIN 24AAECK5678M1Z5 fails its check digit (the last character would be Z for the first "
                  "fourteen). | Correct the party's GSTIN in the account master.",
                  "GST/302 03-09 Mumbai Mills: GSTIN 27AABCM9876C1Z7 is of state 27 but the party's state is 24-Gujarat. | Correct the "
                  "party's state or GSTIN in the account master.",
                  "GST/303 04-09 Navsari Stores: No place of supply: the party has no state. | Choose the party's state in the account master.",
                  "SURAT#2024/LONG/1 05-09 Surat Fabrics: Invoice number SURAT#2024/LONG/1 has 17 characters; the portal takes at most 16. | "
                  "Shorten the book's short name or renumber the bill.",
                  "SURAT#2024/LONG/1 05-09 Surat Fabrics: Invoice number SURAT#2024/LONG/1 holds characters the portal refuses; only letters, "
                  "digits, / and - are taken. | Change the book's short name or renumber the bill.",
                  "SURAT#2024/LONG/1 05-09 Surat Fabrics: HSN code 54 of quality Lining 54 has 2 digits; this firm's returns need at least 4. | "
                  "Enter the HSN code of the quality in the product master.",
                  "SURAT#2024/LONG/1 05-09 Surat Fabrics: Quality Lining 54 has no unit code (UQC) for the HSN summary. | Choose the HSN UQC "
                  "of the quality in the product master.",
              }));
    EXPECT_EQ(year_->count(QStringLiteral("SalBillMst")), bills);
    EXPECT_EQ(year_->count(QStringLiteral("HeadDtl3")), journal);
}

TEST_F(Gstr1CheckTest, AFirmAbove5CroreNeedsSixDigitsAndAFirmGstinIsChecked) {
    // The switch as the firm master saves it. The master refuses a mistyped GSTIN, but a year
    // carried from books kept before that check can still hold one.
    shell::FirmMaster firms(year_->db(), year_->session, year_->messages);
    auto firm = firms.load(1);
    ASSERT_TRUE(firm);
    firm->insert(QStringLiteral("Is_Turnover_5Cr"), true);
    firm->insert(QStringLiteral("Tin"), QStringLiteral("24AAACS1234A1Z5"));
    EXPECT_EQ(firms.save(*firm), 0);
    EXPECT_TRUE(year_->messages.has(MessageKind::Critical, QStringLiteral("GSTIN Check Digit"),
                                    QStringLiteral("GSTIN Last Character (Check Digit) Problem: please check the GSTIN")));
    firm->insert(QStringLiteral("Tin"), QStringLiteral("24AAACS1234A1Z8"));
    ASSERT_GT(firms.save(*firm), 0) << (year_->messages.empty() ? std::string() : year_->messages.last().text.toStdString());
    year_->db().exec(QStringLiteral("UPDATE FirmMst SET Tin = '24AAACS1234A1Z5' WHERE Srno = 1"));
    EXPECT_TRUE(Gstr1Service(year_->db(), year_->session).firm().turnoverAbove5Crore);
    const QStringList july = problems(7, 2024);
    // Rapier, Saree, Georgette and Khadi carry 4-digit codes: every July bill is named, the
    // export too; the firm's own GSTIN comes first.
    ASSERT_FALSE(july.isEmpty());
    EXPECT_EQ(july.first(),
              "  : The firm's GSTIN 24AAACS1234A1Z5 fails its check digit (the last character would be 8 for the first fourteen). | "
              "Correct the firm's GSTIN in the firm master.");
    EXPECT_EQ(july.filter(QStringLiteral("has 4 digits; this firm's returns need at least 6")).size(), 8);
    EXPECT_TRUE(july.contains("GST/104 04-07 Surat Fabrics: HSN code 5208 of quality Saree Zari has 4 digits; this firm's returns need at "
                              "least 6. | Enter the HSN code of the quality in the product master."));
}

TEST_F(Gstr1CheckTest, ACleanMonthListsNothingAndTheRulesKnowTheChecksum) {
    EXPECT_EQ(problems(7, 2024), QStringList());
    // Published examples of valid GSTINs, and one character changed.
    EXPECT_EQ(gstinFault(QStringLiteral("27AAPFU0939F1ZV")), QString());
    EXPECT_EQ(gstinFault(QStringLiteral("29AAFCC9980M1ZR")), QString());
    EXPECT_EQ(gstinFault(QStringLiteral("29AAFCC9980M1ZS")), "fails its check digit (the last character would be R for the first fourteen)");
    EXPECT_EQ(gstinFault(QStringLiteral("29AAFCC9980M1Z")), "has 14 characters instead of 15");
    EXPECT_EQ(gstinFault(QStringLiteral("29AAFCC9980M1Z*")), "has the character \"*\", which no GSTIN holds");
    EXPECT_TRUE(invoiceNumberCharactersOk(QStringLiteral("GST/24-25/0012")));

    // The export's port code: missing, then mistyped.
    year_->db().exec(QStringLiteral("UPDATE SalBillMst SET CashRem = '' WHERE Id = ?"), {firm_->july105});
    const QString fix = QStringLiteral(" | Type the port code (six letters and digits, as INNSA1) on the export bill.");
    EXPECT_EQ(problems(7, 2024), QStringList{"GST/105 05-07 Dubai Silk Imports: Export invoice GST/105 has no port code." + fix});
    year_->db().exec(QStringLiteral("UPDATE SalBillMst SET CashRem = 'NSA-1' WHERE Id = ?"), {firm_->july105});
    EXPECT_EQ(problems(7, 2024),
              QStringList{"GST/105 05-07 Dubai Silk Imports: Port code NSA-1 of export invoice GST/105 is not six letters and digits." + fix});
    EXPECT_FALSE(invoiceNumberCharactersOk(QStringLiteral("GST 12")));
}

}  // namespace
