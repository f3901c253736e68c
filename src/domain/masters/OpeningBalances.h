#pragma once
// Opening balances: what each balance-sheet account (and opening stock or purchase of groups 2,
// 3 and 17) carries into the year, one row per account, debit or credit. The account keeps a
// mirror in DrAmt / CrAmt that the statements read: 500 credit leaves CrAmt 500 and DrAmt 0.
#include "core/Decimal.h"
#include "core/Messages.h"
#include "core/Session.h"
#include "db/Database.h"

#include <QDate>
#include <optional>

namespace tanabana::masters {

struct OpeningBalance {
    qint64 accountId = 0;
    QDate date;
    Decimal amount;      // never negative
    QString type;        // "D" or "C"
};

// True for the groups that carry an opening balance (31-70, 72-99, 2, 3, 17).
bool carriesOpeningBalance(int group);

class OpeningBalances {
public:
    OpeningBalances(db::Database& db, Session& session, Messages& messages) : db_(db), session_(session), messages_(messages) {}

    // Writes the account's balance (replacing the one it had) and its mirror; false when refused.
    bool save(const OpeningBalance& balance);
    bool remove(qint64 accountId);
    std::optional<OpeningBalance> find(qint64 accountId);
    // The grid of the screen: every balance of the firm with code, name, city and group name.
    db::Rows list();
    // The accounts the screen offers: active accounts of the groups that carry a balance, by name
    // (Id, LedgerId, AcName, City, GrpNo).
    db::Rows accountChoices();
    // Rebuilds every account's mirror from the balances ("Op Balance Saved.").
    void resynchronise();

private:
    db::Database& db_;
    Session& session_;
    Messages& messages_;
};

}  // namespace tanabana::masters
