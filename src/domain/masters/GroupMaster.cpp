#include "domain/masters/GroupMaster.h"

#include "core/Rights.h"
#include "core/YearLock.h"
#include "domain/masters/LedgerCode.h"
#include "domain/masters/RowWriter.h"

namespace tanabana::masters {

GroupRange groupRange(int number) {
    if (number >= 1 && number <= 21) return GroupRange::Trading;
    if (number >= 22 && number <= 30) return GroupRange::ProfitAndLoss;
    if (number >= 31 && number <= 70) return GroupRange::Assets;
    if (number >= 72 && number <= 99) return GroupRange::Liabilities;
    return GroupRange::None;
}

namespace {

GroupRow groupOf(const db::Row& row) {
    return {row.integer(QStringLiteral("Id")), int(row.integer(QStringLiteral("GrpNo"))), row.text(QStringLiteral("AcName")),
            row.flag(QStringLiteral("Active"))};
}

}  // namespace

std::optional<GroupRow> GroupMaster::find(int number) {
    const auto row = db_.queryOne(QStringLiteral("SELECT Id, GrpNo, AcName, Active FROM AccMst WHERE LedgerId = ? AND FirmNo = ? AND IsGrp = 1"),
                                  {groupLedgerId(number), session_.firmNo});
    if (!row) return std::nullopt;
    return groupOf(*row);
}

std::vector<GroupRow> GroupMaster::list() {
    std::vector<GroupRow> groups;
    for (const db::Row& row : db_.query(QStringLiteral("SELECT Id, GrpNo, AcName, Active FROM AccMst WHERE IsGrp = 1 AND FirmNo = ? ORDER BY GrpNo"),
                                        {session_.firmNo}))
        groups.push_back(groupOf(row));
    return groups;
}

bool GroupMaster::save(int number, const QString& name, bool active) {
    if (yearLockRefuses(session_, messages_)) return false;
    const QString trimmed = name.trimmed();
    if (number <= 0 || trimmed.isEmpty()) return false;
    if (number > 99) {
        messages_.critical(QStringLiteral("Wrong Group No"), QStringLiteral("You Can define up to 99"));
        return false;
    }
    const auto existing = find(number);
    if (rightRefuses(session_, messages_, existing ? GeneralRight::Modify : GeneralRight::New)) return false;
    db::Transaction tx(db_);
    QVariantMap row{{QStringLiteral("LedgerId"), groupLedgerId(number)}, {QStringLiteral("GrpNo"), number},
                    {QStringLiteral("AcNo"), number},                     {QStringLiteral("AcName"), trimmed},
                    {QStringLiteral("Active"), active},                   {QStringLiteral("FirmNo"), session_.firmNo},
                    {QStringLiteral("IsGrp"), true},                      {QStringLiteral("Is_Upload"), false}};
    if (existing) {
        updateRow(db_, QStringLiteral("AccMst"), row, QStringLiteral("Id = ?"), {existing->id});
    } else {
        row.insert(QStringLiteral("Id"), db_.nextKey(QStringLiteral("AccMst"), QStringLiteral("Id")));
        insertRow(db_, QStringLiteral("AccMst"), row);
    }
    tx.commit();
    return true;
}

bool GroupMaster::remove(int number) {
    if (yearLockRefuses(session_, messages_)) return false;
    if (rightRefuses(session_, messages_, GeneralRight::Delete)) return false;
    const auto group = find(number);
    if (!group) return false;
    if (db_.scalar(QStringLiteral("SELECT count(*) FROM AccMst WHERE GrpNo = ? AND FirmNo = ? AND IsGrp = 0"), {number, session_.firmNo})
            .toInt() > 0) {
        messages_.critical(QStringLiteral("A/C FOUND!"), QStringLiteral("There is A/c Entry under this Group"));
        return false;
    }
    if (!messages_.ask(QStringLiteral("Delete Confirm"), QStringLiteral("Are you sure to delete this Account Balance"))) return false;
    db::Transaction tx(db_);
    db_.exec(QStringLiteral("DELETE FROM AccMst WHERE Id = ?"), {group->id});
    tx.commit();
    messages_.information(QStringLiteral("Delete Confirm"), QStringLiteral("This Group Is Deleted."));
    return true;
}

bool GroupMaster::setActive(int number, bool active) {
    if (yearLockRefuses(session_, messages_)) return false;
    if (rightRefuses(session_, messages_, GeneralRight::Modify)) return false;
    const auto group = find(number);
    if (!group) return false;
    db::Transaction tx(db_);
    db_.exec(QStringLiteral("UPDATE AccMst SET Active = ?, Is_Upload = 0 WHERE Id = ?"), {active, group->id});
    tx.commit();
    return true;
}

}  // namespace tanabana::masters
