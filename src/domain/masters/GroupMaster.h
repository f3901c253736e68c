#pragma once
// Account groups: numbered 1 to 99, the number places every account of the group in the
// statements (1-21 trading, 22-30 profit and loss, 31-70 assets, 72-99 liabilities). A group is
// a row of AccMst with IsGrp set and the code number x 10000 ("350000" for group 35).
#include "core/Messages.h"
#include "core/Session.h"
#include "db/Database.h"

#include <optional>

namespace tanabana::masters {

struct GroupRow {
    qint64 id = 0;
    int number = 0;
    QString name;
    bool active = true;
};

// The statement a group number belongs to, as the group screen heads its lists.
enum class GroupRange { Trading, ProfitAndLoss, Assets, None, Liabilities };
GroupRange groupRange(int number);

class GroupMaster {
public:
    GroupMaster(db::Database& db, Session& session, Messages& messages) : db_(db), session_(session), messages_(messages) {}

    // The group of that number in the firm (typing a number loads it for editing).
    std::optional<GroupRow> find(int number);
    std::vector<GroupRow> list();
    // Adds or changes the group of that number; false when refused or incomplete.
    bool save(int number, const QString& name, bool active = true);
    // Deletes a group no account uses, after the operator confirms.
    bool remove(int number);
    // The Active tick of the group grid, written at once.
    bool setActive(int number, bool active);

private:
    db::Database& db_;
    Session& session_;
    Messages& messages_;
};

}  // namespace tanabana::masters
