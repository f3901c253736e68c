// The final accounts of a small trading firm's year, worked out by hand, on both engines
// (TANABANA_BOTH_ENGINES): trial balance, trading account, profit and loss account, balance
// sheet and schedules as on a date and between dates, the gross loss of April, a deliberately
// unbalanced opening balance, an account of a group no statement covers, and two stations
// running the trial balance for different dates at the same moment.
//
// The year (on top of the small firm of LedgerBooks: sales 10,880.95, purchase 8,000.00 ...):
//   opening stock 5,000.00 Dr and capital 81,500.00 Cr on 01-04-2024; freight inward 500.00 cash
//   on 15-04; salary 1,500.00 and rent 1,000.00 cash on 31-05; interest received 200.00 in the
//   bank on 30-06; closing stock 6,000.00 on 31-03-2025 (Stock In Hand Dr, Closing Stock Cr).
//   Gross profit 3,380.95 (31.07 % of sales), net profit 1,080.95 (9.93 %), both sides of the
//   balance sheet 83,725.00.
#include "domain/accounts/AccountRegisters.h"
#include "domain/ledger/Journal.h"
#include "domain/reports/ReportError.h"
#include "support/FirmBooks.h"
#include "support/LedgerBooks.h"
#include "support/PdfProbe.h"
#include "support/YearFixture.h"

#include <gtest/gtest.h>
#include <mutex>
#include <thread>

using namespace tanabana;
using namespace tanabana::reports;
using tanabana::test::money;

namespace {

const QDate kYearEnd(2025, 3, 31);

class FinalAccountsTest : public ::testing::Test {
protected:
    void SetUp() override {
        TANABANA_REQUIRE_ENGINE();
        year = std::make_unique<test::YearFixture>();
        firm = test::seedSmallFirm(db());
        openingStock = test::accountId(db(), QStringLiteral("Opening Stock"));
        closingStock = test::accountId(db(), QStringLiteral("Closing Stock"));
        freight = test::accountId(db(), QStringLiteral("Freight Inward"));
        salary = test::accountId(db(), QStringLiteral("Salary"));
        rent = test::accountId(db(), QStringLiteral("Rent"));
        interest = test::accountId(db(), QStringLiteral("Interest Received"));
        stockInHand = test::addAccount(db(), QStringLiteral("Stock In Hand"), 39);
        test::setOpening(db(), firm.capital, QDate(2024, 4, 1), money("81500"), QLatin1Char('C'));
        test::setOpening(db(), openingStock, QDate(2024, 4, 1), money("5000"), QLatin1Char('D'));
        test::postTypicalMonths(db(), year->session, firm);
        namespace DocumentType = ledger::DocumentType;
        const QChar D('D'), C('C');
        ledger::Journal journal(db(), year->session);
        journal.post(test::document(DocumentType::CashPayment, 1, QDate(2024, 4, 15), QStringLiteral("1"),
                                    {{freight, D, money("500")}, {firm.cash, C, money("500")}}));
        journal.post(test::document(DocumentType::CashPayment, 2, QDate(2024, 5, 31), QStringLiteral("2"),
                                    {{salary, D, money("1500")}, {rent, D, money("1000")}, {firm.cash, C, money("2500")}}));
        journal.post(test::document(DocumentType::BankReceipt, 2, QDate(2024, 6, 30), QStringLiteral("INT"),
                                    {{firm.bank, D, money("200")}, {interest, C, money("200")}}));
        journal.post(test::document(DocumentType::JournalVoucher, 1, kYearEnd, QStringLiteral("1"),
                                    {{stockInHand, D, money("6000")}, {closingStock, C, money("6000")}}));
    }
    db::Database& db() { return year->db(); }

    RegisterResult run(const QString& name, const QDate& to, const QDate& from = {}) {
        const RegisterDefinition* d = accounts::findAccountRegister(name);
        EXPECT_NE(d, nullptr) << name.toStdString();
        RegisterChoice choice;
        choice.to = to;
        choice.from = from.isValid() ? from : year->session.yearStartDate;
        return Registers(db(), year->session, year->folder()).run(*d, choice);
    }
    RegisterResult drill(const RegisterDefinition& d, RegisterChoice choice) {
        return Registers(db(), year->session, year->folder()).run(d, choice);
    }
    // The lines as the screen shows them, cells joined by " | ", trailing empty cells left off.
    static QStringList shown(const RegisterResult& r) {
        QStringList lines;
        for (const RegisterLine& line : r.lines) {
            QStringList cells = line.cells;
            while (!cells.isEmpty() && cells.last().isEmpty()) cells.removeLast();
            QString text = cells.join(QStringLiteral(" | "));
            while (text.contains(QStringLiteral("|  |"))) text.replace(QStringLiteral("|  |"), QStringLiteral("| |"));
            lines << text;
        }
        return lines;
    }

    std::unique_ptr<test::YearFixture> year;
    test::SmallFirm firm;
    qint64 openingStock = 0, closingStock = 0, freight = 0, salary = 0, rent = 0, interest = 0, stockInHand = 0;
};

}  // namespace

TEST_F(FinalAccountsTest, TradingAccountShowsTheGroupsAndTheGrossProfitWithItsPercentage) {
    const RegisterResult r = run(QStringLiteral("trading"), kYearEnd);
    EXPECT_EQ(r.title, QStringLiteral("TRADING ACCOUNT As On Date 31-03-2025"));
    EXPECT_EQ(r.filters, QString());
    EXPECT_EQ(shown(r), (QStringList{
                            "Sales Accounts | | | Purchase Accounts",
                            "    Sales A/c | 10,880.95 | |     Purchase A/c | 8,000.00",
                            "Rs :-  | | 10,880.95 | Rs :-  | | 8,000.00",
                            "Closing Stock | | | Opening Stock",
                            "    Closing Stock | 6,000.00 | |     Opening Stock | 5,000.00",
                            "Rs :-  | | 6,000.00 | Rs :-  | | 5,000.00",
                            " | | | Direct Expenses",
                            " | | |     Freight Inward | 500.00",
                            " | | | Rs :-  | | 500.00",
                            " | | | GROSS PROFIT Rs. :- (31.07 %) | | 3,380.95",
                            "Total | | 16,880.95 | | | 16,880.95"}));
    EXPECT_EQ(r.total(QStringLiteral("Crbal")), money("16880.95"));
    EXPECT_EQ(r.total(QStringLiteral("Drbal")), money("16880.95"));

    // One row per group: the same sides and result.
    const RegisterResult groups = run(QStringLiteral("trading-groups"), kYearEnd);
    EXPECT_EQ(shown(groups), (QStringList{"Sales Accounts | | 10,880.95 | Purchase Accounts | | 8,000.00",
                                         "Closing Stock | | 6,000.00 | Opening Stock | | 5,000.00",
                                         " | | | Direct Expenses | | 500.00",
                                         " | | | GROSS PROFIT Rs. :- (31.07 %) | | 3,380.95",
                                         "Total | | 16,880.95 | | | 16,880.95"}));
}

TEST_F(FinalAccountsTest, ProfitAndLossCarriesTheGrossProfitAndEndsInTheNetProfit) {
    const RegisterResult r = run(QStringLiteral("profit-loss"), kYearEnd);
    EXPECT_EQ(r.title, QStringLiteral("PROFIT  & LOSS ACCOUNT As On Date 31-03-2025"));
    EXPECT_EQ(shown(r), (QStringList{"C/F. GROSS PROFIT Rs. ------>>>>  | 3,380.95 | 3,380.95 | Administrative Expenses",
                                    "Indirect Income | | |     Rent | 1,000.00",
                                    "    Interest Received | 200.00 | |     Salary | 1,500.00",
                                    "Rs :-  | | 200.00 | Rs :-  | | 2,500.00",
                                    " | | | NET PROFIT Rs. :- (9.93 %) | | 1,080.95",
                                    "Total | | 3,580.95 | | | 3,580.95"}));
}

TEST_F(FinalAccountsTest, APartnershipSharesTheNetProfitAmongItsPartners) {
    // Two partners of 60 and 40 % (capital and current account groups); a third capital account
    // without a share takes none. The shares stand in the amount column, so the totals keep.
    year->session.firm.insert(QStringLiteral("FirmType"), QStringLiteral("2. Partnership"));
    const qint64 ramesh = test::addAccount(db(), QStringLiteral("Ramesh Shah Current A/c"), 73);
    const qint64 mahesh = test::addAccount(db(), QStringLiteral("Mahesh Shah Capital A/c"), 72);
    db().exec(QStringLiteral("UPDATE AccMst SET Perc = ? WHERE Id = ?"), {60.0, ramesh});
    db().exec(QStringLiteral("UPDATE AccMst SET Perc = ? WHERE Id = ?"), {40.0, mahesh});
    const RegisterResult r = run(QStringLiteral("profit-loss"), kYearEnd);
    EXPECT_EQ(shown(r), (QStringList{"C/F. GROSS PROFIT Rs. ------>>>>  | 3,380.95 | 3,380.95 | Administrative Expenses",
                                    "Indirect Income | | |     Rent | 1,000.00",
                                    "    Interest Received | 200.00 | |     Salary | 1,500.00",
                                    "Rs :-  | | 200.00 | Rs :-  | | 2,500.00",
                                    " | | | NET PROFIT TO ..",
                                    " | | | Mahesh Shah Capital A/c (40.00 %) | 432.38",
                                    " | | | Ramesh Shah Current A/c (60.00 %) | 648.57",
                                    " | | | NET PROFIT Rs. :- (9.93 %) | | 1,080.95",
                                    "Total | | 3,580.95 | | | 3,580.95"}));

    // A company shares among group 73 only; April's net loss goes to the credit side.
    year->session.firm.insert(QStringLiteral("FirmType"), QStringLiteral("3. Pvt.Ltd."));
    const RegisterResult april = run(QStringLiteral("profit-loss"), QDate(2024, 4, 30));
    const QString lines = shown(april).join(QLatin1Char('\n'));
    EXPECT_TRUE(lines.contains(QStringLiteral("NET LOSS  To .."))) << lines.toStdString();
    EXPECT_TRUE(lines.contains(QStringLiteral("Ramesh Shah Current A/c (60.00 %) | 1,800.00"))) << lines.toStdString();
    EXPECT_FALSE(lines.contains(QStringLiteral("Mahesh"))) << lines.toStdString();
}

TEST_F(FinalAccountsTest, BalanceSheetTalliesWithTheNetProfitOnTheLiabilitiesSide) {
    const RegisterResult r = run(QStringLiteral("balance-sheet"), kYearEnd);
    EXPECT_EQ(r.title, QStringLiteral("BALANCE SHEET As On Date 31-03-2025"));
    EXPECT_EQ(r.filters, QString());
    EXPECT_EQ(shown(r), (QStringList{"Capital Account | | | Sundry Debtors",
                                    "    Capital A/c | 81,500.00 | |     Suresh Fabrics | 12,500.00",
                                    "Rs :-  | | 81,500.00 | Rs :-  | | 12,500.00",
                                    "Duties And Taxes | | | Bank Accounts",
                                    "    Output CGST | 272.02 | |     Bank Current A/c | 37,825.00",
                                    "    Output SGST | 272.03 | | Rs :-  | | 37,825.00",
                                    "Rs :-  | | 544.05 | Cash-In-Hand",
                                    "Sundry Debtors | | |     Cash | 27,000.00",
                                    "    Ramesh Traders | 600.00 | | Rs :-  | | 27,000.00",
                                    "Rs :-  | | 600.00 | Other Receivables",
                                    "NET PROFIT Rs. :-  | | 1,080.95 |     Stock In Hand | 6,000.00",
                                    " | | | Rs :-  | | 6,000.00",
                                    " | | | GST Input Credit",
                                    " | | |     Input IGST | 400.00",
                                    " | | | Rs :-  | | 400.00",
                                    "Total | | 83,725.00 | | | 83,725.00"}));

    // The schedules: liabilities first, then assets, then the rest, each with its base.
    const RegisterResult s = run(QStringLiteral("schedules"), kYearEnd);
    EXPECT_EQ(s.title, QStringLiteral("SCHEDULE BALANCE SHEET As On 31-03-2025"));
    QStringList schedules;  // without the groups' ledger codes
    for (const RegisterLine& line : s.lines)
        schedules << QStringList{line.cells.at(0), line.cells.at(2), line.cells.at(3), line.cells.at(4), line.cells.at(5)}.join(QStringLiteral(" | "));
    EXPECT_EQ(schedules, (QStringList{"72 | Capital Account | 0.00 | 81,500.00 | B/S.", "78 | Duties And Taxes | 0.00 | 544.05 | B/S.",
                                      "35 | Sundry Debtors | 11,900.00 | 0.00 | B/S.", "36 | Bank Accounts | 37,825.00 | 0.00 | B/S.",
                                      "37 | Cash-In-Hand | 27,000.00 | 0.00 | B/S.", "39 | Other Receivables | 6,000.00 | 0.00 | B/S.",
                                      "40 | GST Input Credit | 400.00 | 0.00 | B/S.", "1 | Sales Accounts | 0.00 | 10,880.95 | Trdng.",
                                      "2 | Purchase Accounts | 8,000.00 | 0.00 | Trdng.", "3 | Opening Stock | 5,000.00 | 0.00 | Trdng.",
                                      "4 | Direct Expenses | 500.00 | 0.00 | Trdng.", "17 | Closing Stock | 0.00 | 6,000.00 | Trdng.",
                                      "23 | Administrative Expenses | 2,500.00 | 0.00 | P & L",
                                      "29 | Indirect Income | 0.00 | 200.00 | P & L", "Total |  | 99,125.00 | 99,125.00 | "}));
}

TEST_F(FinalAccountsTest, TrialBalanceListsEveryAccountByGroupAndTallies) {
    const RegisterResult r = run(QStringLiteral("trial-balance"), kYearEnd);
    EXPECT_EQ(r.title, QStringLiteral("TRIAL BALANCE As On Date 31-03-2025"));
    EXPECT_EQ(r.filters, QString());
    EXPECT_EQ(shown(r), (QStringList{"Sales A/c | 10,880.95 | Purchase A/c | 8,000.00",
                                    "Closing Stock | 6,000.00 | Opening Stock | 5,000.00",
                                    "Interest Received | 200.00 | Freight Inward | 500.00",
                                    "Ramesh Traders | 600.00 | Rent | 1,000.00",
                                    "Capital A/c | 81,500.00 | Salary | 1,500.00",
                                    "Output CGST | 272.02 | Suresh Fabrics | 12,500.00",
                                    "Output SGST | 272.03 | Bank Current A/c | 37,825.00",
                                    " | | Cash | 27,000.00",
                                    " | | Stock In Hand | 6,000.00",
                                    " | | Input IGST | 400.00",
                                    "Total | 99,725.00 | | 99,725.00"}));
    // Group wise: the same accounts under their groups, the same totals.
    const RegisterResult grouped = run(QStringLiteral("trial-balance-groups"), kYearEnd);
    EXPECT_EQ(grouped.total(QStringLiteral("Crbal")), money("99725.00"));
    EXPECT_EQ(grouped.total(QStringLiteral("Drbal")), money("99725.00"));
    EXPECT_EQ(shown(grouped).mid(0, 3), (QStringList{"Sales Accounts | | | Purchase Accounts", "    Sales A/c | 10,880.95 | |     Purchase A/c | 8,000.00",
                                                    "Rs :-  | | 10,880.95 | Rs :-  | | 8,000.00"}));
}

TEST_F(FinalAccountsTest, AprilEndsInAGrossLossCarriedToProfitAndLoss) {
    // As on 30-04-2024: sales 10,500.00 against purchase 8,000.00, opening stock 5,000.00 and
    // freight 500.00, no closing stock yet.
    const QDate april(2024, 4, 30);
    const RegisterResult trading = run(QStringLiteral("trading"), april);
    EXPECT_EQ(shown(trading).mid(0, 3), (QStringList{"Sales Accounts | | | Purchase Accounts", "    Sales A/c | 10,500.00 | |     Purchase A/c | 8,000.00",
                                                    "Rs :-  | | 10,500.00 | Rs :-  | | 8,000.00"}));
    EXPECT_EQ(shown(trading).at(3), QStringLiteral("GROSS LOSS  Rs. :-  | | 3,000.00 | Opening Stock"));
    EXPECT_EQ(trading.total(QStringLiteral("Crbal")), money("13500.00"));
    EXPECT_EQ(trading.total(QStringLiteral("Drbal")), money("13500.00"));

    // Mid-month, before the first sale: the purchase of the 12th and the opening stock alone.
    const RegisterResult early = run(QStringLiteral("trading"), QDate(2024, 4, 14));
    EXPECT_EQ(shown(early).first(), QStringLiteral("GROSS LOSS  Rs. :-  | | 13,000.00 | Purchase Accounts"));
    const RegisterResult mayPart = run(QStringLiteral("trading-between"), QDate(2024, 5, 20), QDate(2024, 4, 14));
    EXPECT_EQ(mayPart.total(QStringLiteral("Crbal")), money("10880.95"));  // GST/1 and GST/2, a part month at either end

    const RegisterResult profit = run(QStringLiteral("profit-loss"), april);
    EXPECT_EQ(shown(profit), (QStringList{"NET LOSS  Rs. :-  | | 3,000.00 | C/F. GROSS LOSS  Rs. ------>>>>  | 3,000.00 | 3,000.00",
                                         "Total | | 3,000.00 | | | 3,000.00"}));
    // The balance sheet of April carries the loss on the assets side and tallies.
    const RegisterResult sheet = run(QStringLiteral("balance-sheet"), april);
    EXPECT_EQ(sheet.filters, QString());
    EXPECT_EQ(shown(sheet).at(12), QStringLiteral("Rs :-  | | 1,000.00 | NET LOSS  Rs. :-  | | 3,000.00"));
    EXPECT_EQ(sheet.total(QStringLiteral("Crbal")), sheet.total(QStringLiteral("Drbal")));
}

TEST_F(FinalAccountsTest, AnUnbalancedOpeningBalanceIsNamedWithItsSideAndNothingIsWritten) {
    // Someone typed a 500.00 Dr opening for the stock in hand with no credit against it.
    test::setOpening(db(), stockInHand, QDate(2024, 4, 1), money("500"), QLatin1Char('D'));
    const int lines = year->count(QStringLiteral("HeadDtl3"));
    const int monthRows = year->count(QStringLiteral("HeadDtl3_MonthBal"));

    const RegisterResult tb = run(QStringLiteral("trial-balance"), kYearEnd);
    EXPECT_EQ(tb.filters, QStringLiteral("TRIAL BALANCE TOTAL NOT TALLY   Trial Balance Difference : 500.00  Debit"));
    EXPECT_EQ(shown(tb).last(), QStringLiteral("Total | 99,725.00 | | 1,00,225.00"));
    const RegisterResult sheet = run(QStringLiteral("balance-sheet"), kYearEnd);
    EXPECT_EQ(sheet.filters, QStringLiteral("BALANCE TOTAL NOT TALLY   Balance Difference : 500.00  Debit"));
    EXPECT_EQ(sheet.total(QStringLiteral("Drbal")) - sheet.total(QStringLiteral("Crbal")), money("500"));
    // Trading and profit and loss are not touched by a balance sheet account.
    EXPECT_EQ(run(QStringLiteral("profit-loss"), kYearEnd).total(QStringLiteral("Drbal")), money("3580.95"));

    // A heavier credit side is named too.
    test::setOpening(db(), stockInHand, QDate(2024, 4, 1), money("120.50"), QLatin1Char('C'));
    EXPECT_EQ(run(QStringLiteral("trial-balance"), kYearEnd).filters,
              QStringLiteral("TRIAL BALANCE TOTAL NOT TALLY   Trial Balance Difference : 120.50  Credit"));
    EXPECT_EQ(year->count(QStringLiteral("HeadDtl3")), lines);
    EXPECT_EQ(year->count(QStringLiteral("HeadDtl3_MonthBal")), monthRows);
}

TEST_F(FinalAccountsTest, AnAccountOfAGroupNoStatementCoversStillShowsAndTheSheetTallies) {
    const qint64 delivery = test::addAccount(db(), QStringLiteral("Patel Delivery Point"), 71);
    ledger::Journal(db(), year->session)
        .post(test::document(ledger::DocumentType::JournalVoucher, 2, QDate(2024, 9, 1), QStringLiteral("2"),
                             {{delivery, QLatin1Char('D'), money("250")}, {firm.cash, QLatin1Char('C'), money("250")}}));
    const RegisterResult tb = run(QStringLiteral("trial-balance"), kYearEnd);
    EXPECT_EQ(tb.filters, QString());
    EXPECT_TRUE(shown(tb).contains(QStringLiteral(" | | Patel Delivery Point | 250.00"))) << shown(tb).join('\n').toStdString();
    const RegisterResult sheet = run(QStringLiteral("balance-sheet"), kYearEnd);
    EXPECT_EQ(sheet.filters, QString());
    const QStringList lines = shown(sheet);
    const int heading = int(lines.indexOf(QStringLiteral(" | | | Delivery Parties")));
    ASSERT_GT(heading, 0) << lines.join('\n').toStdString();
    EXPECT_EQ(lines.at(heading + 1), QStringLiteral(" | | |     Patel Delivery Point | 250.00"));
    EXPECT_EQ(lines.last(), QStringLiteral("Total | | 83,725.00 | | | 83,725.00"));
}

TEST_F(FinalAccountsTest, BetweenDatesLeavesOutTheOpeningsAndTheDetailedTrialBalanceCarriesThem) {
    const QDate may(2024, 5, 1);
    const RegisterResult trading = run(QStringLiteral("trading-between"), kYearEnd, may);
    EXPECT_EQ(trading.title, QStringLiteral("TRADING ACCOUNT  From 01-05-2024 To 31-03-2025"));
    // May onwards: sales of GST/2 (380.95) and the closing stock; no purchase, no opening stock.
    EXPECT_EQ(shown(trading), (QStringList{"Sales Accounts | | | GROSS PROFIT Rs. :- (1675.01 %) | | 6,380.95", "    Sales A/c | 380.95",
                                          "Rs :-  | | 380.95", "Closing Stock", "    Closing Stock | 6,000.00", "Rs :-  | | 6,000.00",
                                          "Total | | 6,380.95 | | | 6,380.95"}));

    const RegisterResult detail = run(QStringLiteral("trial-balance-detail"), kYearEnd, may);
    EXPECT_EQ(detail.title, QStringLiteral("Trial Balance As On 31-03-2025"));
    EXPECT_EQ(detail.filters, QStringLiteral("From 01-05-2024 To 31-03-2025"));
    const QStringList lines = shown(detail);
    // Suresh: 12,500.00 opening + April's bill 11,025.00 - receipt 5,000.00; 6,025.00 received in May.
    EXPECT_TRUE(lines.contains(QStringLiteral("35S001 | Suresh Fabrics | 18,525.00 | | | 6,025.00 | 12,500.00")))
        << lines.join('\n').toStdString();
    EXPECT_TRUE(lines.contains(QStringLiteral("35R001 | Ramesh Traders | | 1,000.00 | 400.00 | | | 600.00")));
    EXPECT_EQ(lines.last(), QStringLiteral("Total | | 1,01,925.00 | 1,01,925.00 | 23,525.00 | 23,525.00 | 99,725.00 | 99,725.00"));

    // Printed, each pair of columns stands under its band: "Opening Balance", "Transaction" and
    // "Closing  as On 31-03-2025".
    const QString pdf = year->folder() + QStringLiteral("/TrialBalance_Detail.pdf");
    Registers(db(), year->session, year->folder()).writePdf(detail, pdf);
    test::keepForLooking(pdf);
    const std::vector<test::PdfWord> words = test::pdfWords(pdf);
    auto first = [&](const QString& text, double below = -1) {
        for (const test::PdfWord& w : words)
            if (w.text == text && w.yMin > below) return w;
        ADD_FAILURE() << text.toStdString() << " not printed";
        return test::PdfWord{};
    };
    const test::PdfWord opening = first(QStringLiteral("Opening")), transaction = first(QStringLiteral("Transaction"));
    const test::PdfWord asOn = first(QStringLiteral("31-03-2025"), opening.yMin - 1);
    const test::PdfWord opCaption = first(QStringLiteral("Op")), tranCaption = first(QStringLiteral("Tran."));
    const test::PdfWord closingCaption = first(QStringLiteral("Closing"), opening.yMax);
    EXPECT_LT(opening.yMax, opCaption.yMin);
    EXPECT_NEAR(opening.yMin, asOn.yMin, 0.5);
    const auto middle = [](const test::PdfWord& w) { return (w.xMin + w.xMax) / 2; };
    EXPECT_GT(middle(opening), opCaption.xMin);
    EXPECT_LT(middle(opening), tranCaption.xMin);
    EXPECT_GT(middle(transaction), tranCaption.xMin);
    EXPECT_LT(middle(transaction), closingCaption.xMin);
    EXPECT_GT(asOn.xMin, closingCaption.xMin);
}

TEST_F(FinalAccountsTest, DrillDownFromAFigureToItsGroupAndItsLedger) {
    const RegisterResult sheet = run(QStringLiteral("balance-sheet"), kYearEnd);
    // The debit cell of row 2 is Suresh's figure, the credit cell of its heading the group.
    const RegisterLine& suresh = sheet.lines.at(1);
    EXPECT_EQ(suresh.targets.at(3), std::make_pair(DocumentKind::Account, firm.suresh));
    EXPECT_EQ(suresh.targets.at(0), std::make_pair(DocumentKind::Account, firm.capital));
    EXPECT_EQ(sheet.lines.at(0).targets.at(3).first, DocumentKind::AccountGroup);
    EXPECT_EQ(sheet.lines.at(0).targets.at(3).second, 35);
    EXPECT_EQ(sheet.lines.back().targets.size(), 0u);  // the total line opens nothing

    RegisterChoice choice = sheet.choice;
    choice.groupNo = 35;
    const RegisterResult group = drill(accounts::groupAccountsRegister(), choice);
    EXPECT_EQ(group.title, QStringLiteral("Sundry Debtors  As On 31-03-2025"));
    EXPECT_EQ(shown(group), (QStringList{"35R001 | Ramesh Traders | | | 1,000.00 | Cr | 400.00 | 0.00 | 600.00 | Cr",
                                        "35S001 | Suresh Fabrics | | | 12,500.00 | Dr | 11,025.00 | 11,025.00 | 12,500.00 | Dr",
                                        "Total | | | | | | 11,425.00 | 11,025.00"}));

    choice.groupNo = 0;
    choice.partyId = firm.suresh;
    const RegisterResult ledger = drill(accounts::accountLedgerRegister(), choice);
    EXPECT_EQ(ledger.title, QStringLiteral("Suresh Fabrics  Up To 31-03-2025"));
    EXPECT_EQ(shown(ledger), (QStringList{" | | | Op. Balance | | 12,500.00 | 0.00 | 12,500.00",
                                         "15-04-2024 | GST/1 | Sales | Sales A/c | | 11,025.00 | 0.00 | 23,525.00 | | 350",
                                         "20-04-2024 | 1 | Cash Receipt | Cash | | 0.00 | 5,000.00 | 18,525.00 | | 345",
                                         "10-05-2024 | CHQ 104233 | Bank Receipt | Bank Current A/c | | 0.00 | 6,025.00 | 12,500.00 | | 325",
                                         "Total | | | | | 23,525.00 | 11,025.00"}));
    // Each line opens the document that posted it: the sales bill, the cash receipt.
    ASSERT_EQ(ledger.lines.at(1).targets.at(0).first, DocumentKind::Posting);
    const auto bill = accounts::postedDocument(db(), 1, ledger.lines.at(1).targets.at(0).second);
    ASSERT_TRUE(bill.has_value());
    EXPECT_EQ(bill->tableCode, ledger::DocumentType::Sale);
    EXPECT_EQ(bill->voucherNo, 1);
    ASSERT_EQ(ledger.lines.at(2).targets.at(0).first, DocumentKind::Posting);
    const auto receipt = accounts::postedDocument(db(), 1, ledger.lines.at(2).targets.at(0).second);
    ASSERT_TRUE(receipt.has_value());
    EXPECT_EQ(receipt->tableCode, ledger::DocumentType::CashReceipt);
    // The opening balance line opens nothing; another firm's journal is not this firm's.
    EXPECT_TRUE(ledger.lines.at(0).targets.empty() || ledger.lines.at(0).targets.at(0).first == DocumentKind::None);
    EXPECT_FALSE(accounts::postedDocument(db(), 2, ledger.lines.at(1).targets.at(0).second).has_value());
}

TEST_F(FinalAccountsTest, ADateOutsideTheYearIsRefused) {
    try {
        run(QStringLiteral("balance-sheet"), QDate(2025, 4, 1));
        FAIL() << "a date after the year was accepted";
    } catch (const ReportError& e) {
        EXPECT_EQ(e.text(), QStringLiteral("Please Select Proper Date"));
    }
    EXPECT_THROW(run(QStringLiteral("trading-between"), kYearEnd, QDate(2024, 3, 31)), ReportError);
}

TEST_F(FinalAccountsTest, TwoStationsRunTheTrialBalanceForDifferentDatesAtOnce) {
    const QStringList yearEnd = shown(run(QStringLiteral("trial-balance"), kYearEnd));
    const QStringList april = shown(run(QStringLiteral("trial-balance"), QDate(2024, 4, 30)));
    ASSERT_NE(yearEnd, april);
    std::mutex lock;
    QStringList errors;
    auto station = [&](const QDate& date, const QStringList& expected) {
        try {
            db::Database db = year->openAnother();
            Session session = year->session;
            session.db = &db;
            RegisterChoice choice;
            choice.from = session.yearStartDate;
            choice.to = date;
            for (int i = 0; i < 15; ++i) {
                const QStringList got = shown(Registers(db, session, year->folder()).run(*accounts::findAccountRegister("trial-balance"), choice));
                if (got != expected) {
                    std::lock_guard<std::mutex> guard(lock);
                    errors << date.toString() + QStringLiteral(": ") + got.join(QLatin1Char('/'));
                    return;
                }
            }
        } catch (const std::exception& e) {
            std::lock_guard<std::mutex> guard(lock);
            errors << QString::fromLocal8Bit(e.what());
        }
    };
    std::thread first(station, kYearEnd, yearEnd);
    std::thread second(station, QDate(2024, 4, 30), april);
    first.join();
    second.join();
    EXPECT_EQ(errors, QStringList());
}
