#pragma once
// Balances of accounts read back from the journal and the opening balances, debit positive and
// credit negative. A party opened with 1,000.00 credit that was then billed 400.00 stands at
// -600.00, shown as "600 Cr."; on an invoice the balance up to the bill date is printed, on a
// voucher screen the balance text of the chosen account, and a ledger or book of a period opens
// with the balance before its first date.
//
// The monthly totals of HeadDtl3_MonthBal (whole paise, kept by the database) answer the months
// before a date; only the lines of the date's own month are read, so a busy account's balance
// costs the same in March as in April.
#include "core/Decimal.h"
#include "core/Session.h"
#include "db/Database.h"

#include <QDate>
#include <QString>
#include <functional>
#include <vector>

namespace tanabana::ledger {

// The balance as the screens write it: "600 Dr.", "600 Cr.", "0"; two decimals at most.
QString balanceText(Decimal balance);

struct AccountBalance {
    qint64 accId = 0;
    Decimal balance;
};

struct GroupBalance {
    int grpNo = 0;
    Decimal balance;
};

// One journal line of an account's ledger with the balance after it.
struct LedgerLine {
    QDate date;
    qint64 journalNo = 0;
    int serial = 0;
    int tableCode = 0;
    qint64 voucherNo = 0;
    QString printedNo;
    QString description;
    QString narration;
    qint64 contraAccId = 0;
    Decimal debit;
    Decimal credit;
    Decimal balance;
};

class Balances {
public:
    Balances(db::Database& db, const Session& session) : db_(db), session_(session) {}

    // Opening mirror of the account (AccMst.DrAmt, or -CrAmt) plus all its lines in the firm.
    Decimal closing(qint64 accId);
    // Lines strictly before the date, plus the opening balance when it is dated on or before it.
    Decimal before(qint64 accId, const QDate& date);
    // Lines on or before the date plus the signed opening balance, whatever its date.
    Decimal upTo(qint64 accId, const QDate& date);
    // Debit total (side 'D') or credit total (side 'C') of the lines before the date.
    Decimal sideTotalBefore(qint64 accId, QChar side, const QDate& date);
    // AccMstOpBal amount, negated for a credit balance; 0 when the account has none.
    Decimal signedOpening(qint64 accId);
    // Opening mirrors of the group's accounts plus all their lines.
    Decimal group(int grpNo);

    // Closing balance of every account (not group) of the firm, by Id: a trial balance's worth.
    std::vector<AccountBalance> allClosing();
    // Balance of every group number of the firm.
    std::vector<GroupBalance> allGroups();

    // The account's lines from `from` to `to` in date, journal and serial order, each with the
    // running balance that starts at before(from). Returns that opening balance. Lines are
    // visited one at a time, so a year's ledger needs no more memory than a day's.
    Decimal ledger(qint64 accId, const QDate& from, const QDate& to, const std::function<void(const LedgerLine&)>& visit);

private:
    enum class Measure { Net, Debit, Credit };
    // Movement of the account's lines before (or up to, when `inclusive`) the date.
    Decimal movement(qint64 accId, const QDate& date, bool inclusive, Measure measure);
    Decimal sumOf(const QString& sql, const QVariantList& params);

    db::Database& db_;
    const Session& session_;
};

}  // namespace tanabana::ledger
