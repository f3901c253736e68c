#pragma once
// The figures of every account of a firm over a period, read from the journal and the opening
// balances in a few grouped queries: what the trial balance, the trading and profit and loss
// accounts, the balance sheet and the schedules are laid out from.
//
// Cash opened with 25,000.00 Dr on 01-04-2024 that received 5,000.00 on 20-04-2024 stands, as on
// 30-04-2024, at opening 25,000.00, debits 5,000.00, credits 0: balance 30,000.00 Dr.
//
// Nothing is copied: the months wholly inside the period come from the journal's monthly totals
// (HeadDtl3_MonthBal), the days of a part month from the lines themselves, so a year of a million
// lines costs a few thousand rows; and two stations asking at once never see each other's figures.
#include "core/Decimal.h"
#include "db/Database.h"

#include <QDate>
#include <QString>
#include <vector>

namespace tanabana::accounts {

// Which opening a figure starts from.
enum class OpeningRule {
    Dated,   // the opening balance when it is dated on or before the period's last day (as on a date)
    None,    // none: the between-dates statements
    Carried  // the account's opening mirror plus its lines before the period (detailed trial balance)
};

struct AccountFigure {
    qint64 accId = 0;
    QString ledgerId;
    QString name;
    QString city;
    QString area;
    int grpNo = 0;
    QString groupName;
    Decimal opening;  // signed, debit positive
    Decimal debit;    // the period's lines
    Decimal credit;
    bool active = true;
    Decimal balance() const { return opening + debit - credit; }
};

struct FigurePeriod {
    QDate from;  // invalid: every line up to `to`
    QDate to;
    OpeningRule opening = OpeningRule::Dated;
};

// Every account (not group) of the firm, ordered by group number and name, with its figures.
std::vector<AccountFigure> accountFigures(db::Database& db, qint64 firmNo, const FigurePeriod& period);

// The group rows of the firm: number, name and ledger code, by number.
struct GroupRow {
    int grpNo = 0;
    QString name;
    QString ledgerId;
};
std::vector<GroupRow> accountGroups(db::Database& db, qint64 firmNo);

}  // namespace tanabana::accounts
