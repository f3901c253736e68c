#pragma once
// The account master: every ledger of the firm (customers, suppliers, banks, cash, sales,
// purchase, tax, expense and capital heads) with its group, ledger code, address, GST details and
// credit terms. A new account takes the next code of its series (group 35, "Ramesh Silk Mills"
// -> 35R001); a new bank account (group 36) gets its own bank book at once.
//
//   AccountMaster accounts(db, session, messages);
//   qint64 id = accounts.save({{"AcName", "Ramesh Silk Mills"}, {"GrpNo", 35}, {"CSTNo", "24-Gujarat"},
//                              {"TinNo", "24AABCR1234F1ZY"}});   // 0 when refused
#include "core/Messages.h"
#include "core/Session.h"
#include "db/Database.h"
#include "domain/masters/Record.h"

#include <optional>

namespace tanabana::masters {

class AccountMaster {
public:
    AccountMaster(db::Database& db, Session& session, Messages& messages) : db_(db), session_(session), messages_(messages) {}

    // Saves the account (Id 0 or absent: new). Returns its Id, or 0 when refused or when the group
    // or name is missing (the screen then goes back to the name).
    qint64 save(Record account);
    // Deletes an account no document, balance or book uses, after the operator confirms.
    bool remove(qint64 id);
    std::optional<Record> load(qint64 id);
    // The search list of the screen: the firm's accounts (no groups) whose name starts with the
    // text, by name, with their group's name.
    db::Rows search(const QString& namePrefix = {});
    // The "GST No" check on leaving the box; false (after the message) when it fails.
    bool checkGstin(const QString& gstin, const QString& state);
    // The "IGST Party" check: an inter-state party lies in another state than the firm's.
    bool checkIgstParty(bool igstParty, const QString& state);
    // Composition flags made explicit each time the screen opens: "0" with a GSTIN, "1" without.
    void repairCompositionFlags();
    // Copies the chosen accounts into another firm as new rows without balances, after the
    // operator confirms; returns how many were copied.
    int copyToFirm(const QList<qint64>& ids, qint64 toFirm);

private:
    bool refused(const std::optional<Refusal>& refusal);
    // Another account of the firm (the session's unless given) with this name and GSTIN.
    bool duplicateName(const QString& name, const QString& gstin, qint64 exceptId, qint64 firmNo = 0);
    QString newCode(const QString& series);
    void createBankBook(qint64 accountId, const QString& name);
    db::Database& db_;
    Session& session_;
    Messages& messages_;
};

}  // namespace tanabana::masters
