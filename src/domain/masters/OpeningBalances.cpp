#include "domain/masters/OpeningBalances.h"

#include "core/Decimal.h"
#include "core/Rights.h"
#include "core/YearLock.h"

namespace tanabana::masters {

bool carriesOpeningBalance(int group) {
    return (group >= 31 && group <= 70) || (group >= 72 && group <= 99) || group == 2 || group == 3 || group == 17;
}

bool OpeningBalances::save(const OpeningBalance& balance) {
    if (yearLockRefuses(session_, messages_)) return false;
    const auto account = db_.queryOne(QStringLiteral("SELECT GrpNo, Active FROM AccMst WHERE Id = ? AND FirmNo = ? AND IsGrp = 0"),
                                      {balance.accountId, session_.firmNo});
    if (!account || !account->flag(QStringLiteral("Active")) || !carriesOpeningBalance(int(account->integer(QStringLiteral("GrpNo"))))) {
        messages_.critical(QStringLiteral("No A/c Found"), QStringLiteral("Please Select A/c Name"));
        return false;
    }
    const QString type = balance.type.trimmed().left(1).toUpper();
    if ((type != QLatin1String("D") && type != QLatin1String("C")) || balance.amount.isNegative() || !balance.date.isValid()) {
        messages_.critical(QStringLiteral("Wrong Value"), QStringLiteral("Opening balance needs a date, Debit or Credit and an amount of 0 or more"));
        return false;
    }
    const bool exists = find(balance.accountId).has_value();
    if (rightRefuses(session_, messages_, exists ? GeneralRight::Modify : GeneralRight::New)) return false;
    const double amount = balance.amount.roundHalfEven(2).toDouble();
    db::Transaction tx(db_);
    db_.exec(QStringLiteral("DELETE FROM AccMstOpBal WHERE Id = ?"), {balance.accountId});
    db_.exec(QStringLiteral("INSERT INTO AccMstOpBal (Id, OpDate, OpAmount, OpType, FirmNo, Is_Upload) VALUES (?, ?, ?, ?, ?, 0)"),
             {balance.accountId, balance.date, amount, type, session_.firmNo});
    db_.exec(QStringLiteral("UPDATE AccMst SET DrAmt = ?, CrAmt = ?, Is_Upload = 0 WHERE Id = ?"),
             {type == QLatin1String("D") ? amount : 0.0, type == QLatin1String("C") ? amount : 0.0, balance.accountId});
    tx.commit();
    return true;
}

bool OpeningBalances::remove(qint64 accountId) {
    if (yearLockRefuses(session_, messages_)) return false;
    if (rightRefuses(session_, messages_, GeneralRight::Delete)) return false;
    if (!find(accountId)) return false;
    if (!messages_.ask(QStringLiteral("Delete Confirm"), QStringLiteral("Are you sure to delete this Account Balance"))) return false;
    db::Transaction tx(db_);
    db_.exec(QStringLiteral("DELETE FROM AccMstOpBal WHERE Id = ? AND FirmNo = ?"), {accountId, session_.firmNo});
    db_.exec(QStringLiteral("UPDATE AccMst SET DrAmt = 0, CrAmt = 0, Is_Upload = 0 WHERE Id = ?"), {accountId});
    tx.commit();
    messages_.information(QStringLiteral("Delete Confirm"), QStringLiteral("This A/c Balance Is Deleted."));
    return true;
}

std::optional<OpeningBalance> OpeningBalances::find(qint64 accountId) {
    const auto row = db_.queryOne(QStringLiteral("SELECT Id, OpDate, OpAmount, OpType FROM AccMstOpBal WHERE Id = ? AND FirmNo = ?"),
                                  {accountId, session_.firmNo});
    if (!row) return std::nullopt;
    return OpeningBalance{accountId, row->date(QStringLiteral("OpDate")), Decimal::fromVariant(row->value(QStringLiteral("OpAmount"))),
                          row->text(QStringLiteral("OpType"))};
}

db::Rows OpeningBalances::list() {
    return db_.query(QStringLiteral("SELECT v.Id, v.LedgerId, v.AcName, v.City, v.OpDate, v.OpAmount, v.OpType, v.GrpName, v.GrpNO "
                                    "FROM AccMStView_op v INNER JOIN AccMstOpBal o ON o.Id = v.Id WHERE v.FirmNo = ? "
                                    "ORDER BY v.GrpNO, v.AcName"),
                     {session_.firmNo});
}

db::Rows OpeningBalances::accountChoices() {
    db::Rows choices;
    for (db::Row& row : db_.query(QStringLiteral("SELECT Id, LedgerId, AcName, City, GrpNo FROM AccMst WHERE FirmNo = ? AND IsGrp = 0 "
                                                 "AND Active = 1 ORDER BY AcName"),
                                  {session_.firmNo}))
        if (carriesOpeningBalance(int(row.integer(QStringLiteral("GrpNo"))))) choices.push_back(std::move(row));
    return choices;
}

void OpeningBalances::resynchronise() {
    if (yearLockRefuses(session_, messages_)) return;
    if (rightRefuses(session_, messages_, GeneralRight::Modify)) return;
    db::Transaction tx(db_);
    // only this firm's mirrors: another firm's balances are not this screen's to touch
    db_.exec(QStringLiteral("UPDATE AccMst SET CrAmt = 0 WHERE CrAmt > 0 AND FirmNo = ?"), {session_.firmNo});
    db_.exec(QStringLiteral("UPDATE AccMst SET DrAmt = 0 WHERE DrAmt > 0 AND FirmNo = ?"), {session_.firmNo});
    for (const db::Row& row : db_.query(QStringLiteral("SELECT Id, OpAmount, OpType FROM AccMstOpBal WHERE FirmNo = ?"), {session_.firmNo})) {
        const bool credit = row.text(QStringLiteral("OpType")) == QLatin1String("C");
        const double amount = Decimal::fromVariant(row.value(QStringLiteral("OpAmount"))).roundHalfEven(2).toDouble();
        db_.exec(QStringLiteral("UPDATE AccMst SET CrAmt = ?, DrAmt = ?, Is_Upload = 0 WHERE Id = ? AND FirmNo = ?"),
                 {credit ? amount : 0.0, credit ? 0.0 : amount, row.integer(QStringLiteral("Id")), session_.firmNo});
    }
    db_.exec(QStringLiteral("UPDATE AccMstOpBal SET Is_Upload = 0 WHERE FirmNo = ?"), {session_.firmNo});
    tx.commit();
    messages_.information(QStringLiteral("Done"), QStringLiteral("Op Balance Saved."));
}

}  // namespace tanabana::masters
