#pragma once
// The trial balance, the trading account, the profit and loss account and the balance sheet of a
// firm, laid out two-sided: credit side on the left, debit side on the right, on shared rows.
// The group number of each account places it: 1 to 21 trading, 22 to 30 profit and loss, 31 to
// 70 and 72 to 99 the balance sheet.
//
// Sales of 1,00,000.00 (group 1) and purchases of 80,000.00 (group 2) as the only trading
// accounts: the credit side lists "Sales Accounts" / "    Sales" 1,00,000.00 / "Rs :- " 1,00,000.00,
// the debit side the purchases and then "GROSS PROFIT Rs. :- (20.00 %)" 20,000.00, and both
// sides total 1,00,000.00.
//
// Each side is filled from row 1: a heading row per group (its name), a row per account with a
// non-zero balance (four spaces and its name, the absolute balance in the amount column) and a
// "Rs :- " row with the group's total in the balance column. Result rows (gross and net profit or
// loss) carry their figure in the balance column, so the balance columns of both sides total
// alike; the carried gross result opening the profit and loss account carries it in both.
#include "core/Decimal.h"
#include "domain/accounts/AccountFigures.h"
#include "domain/reports/ResultSet.h"

#include <QString>
#include <optional>
#include <vector>

namespace tanabana::accounts {

// One side of one row.
struct SideCell {
    QString text;
    std::optional<Decimal> amount;   // an account's figure
    std::optional<Decimal> balance;  // a group's total or a result
    int grpNo = 0;                   // the group the row belongs to (0: a result row)
    qint64 accId = 0;                // the account of an account row
    bool empty() const { return text.isEmpty() && !amount && !balance; }
};

struct StatementRow {
    SideCell credit;
    SideCell debit;
};

struct Statement {
    std::vector<StatementRow> rows;
    Decimal creditTotal;  // of the balance columns (the trial balance's amount columns)
    Decimal debitTotal;
    QStringList notices;  // "BALANCE TOTAL NOT TALLY", "Balance Difference : 500.00  Debit"

    // The rows as a result set: Srno, CrAc, CrAmt, Crbal, GrpNOCr, CrAccId, DrAc, DrAmt, Drbal,
    // GrpNODr, DrAccId. Empty cells are null; amounts are exact decimal texts.
    reports::ResultSet resultSet() const;
};

// Account-wise (a row per account under its group) or one row per group.
enum class Detail { Accounts, Groups };

Statement tradingAccount(const std::vector<AccountFigure>& figures, Detail detail);
// A partner's share of the net result: the capital account and its percentage ("Ramesh Capital
// A/c", 60.00).
struct PartnerShare {
    QString name;
    Decimal percent;
};
// With partners, the net result is shared among them under "NET PROFIT TO .." (debit side) or
// "NET LOSS  To .." (credit side): "Ramesh Capital A/c (60.00 %)" with 60 % of the result, before
// the "NET PROFIT Rs. :- " line. A net profit of 50,000.00 shared 60/40 shows 30,000.00 and
// 20,000.00.
Statement profitAndLoss(const std::vector<AccountFigure>& figures, Detail detail, const std::vector<PartnerShare>& partners = {});
// Accounts of groups no statement covers (71, or a number outside 1 to 99) are placed by the sign
// of their balance after the others, so the sheet tallies whenever the trial balance does.
Statement balanceSheet(const std::vector<AccountFigure>& figures, Detail detail);
// Grouped: headings and "Rs :- " totals per side; plain: the accounts fill each side from row 1.
Statement trialBalance(const std::vector<AccountFigure>& figures, bool grouped);

// "GROSS PROFIT Rs. :- (20.00 %)": the result's share of the sales (group 1) when positive.
std::optional<Decimal> profitPercentage(Decimal result, Decimal sales);

// Which statement a group number belongs to.
enum class StatementOf { Trading, ProfitAndLoss, BalanceSheet, None };
StatementOf statementOf(int grpNo);

// Nothing when the sides agree; else the heading ("BALANCE TOTAL NOT TALLY") and the difference
// with the heavier side ("Balance Difference : " + "500.00  Debit").
QStringList tallyNotices(Decimal credit, Decimal debit, const QString& heading, const QString& difference);

}  // namespace tanabana::accounts
