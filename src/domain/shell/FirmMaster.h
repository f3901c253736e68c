#pragma once
// The firm master: each firm is one set of books inside the year database, with its name and
// address as printed, its GST details and the switches that shape the program for it. Saving a
// new firm gives it the next number, the template chart of accounts and firm 1's books pointed
// at its own accounts, so it can bill at once.
//
//   FirmMaster firms(db, session, messages);
//   Record firm{{"PName", "Shree Ganesh Textiles"}, {"CST", "24-Gujarat"}, {"Tin", "24AABCS1234F1ZX"}};
//   qint64 srno = firms.save(firm);   // 0 when refused (the message says why)
#include "core/Messages.h"
#include "core/Session.h"
#include "db/Database.h"
#include "domain/masters/Record.h"

#include <optional>

namespace tanabana::shell {

using masters::Record;

class FirmMaster {
public:
    FirmMaster(db::Database& db, Session& session, Messages& messages) : db_(db), session_(session), messages_(messages) {}

    // Saves the firm (Srno 0 or absent: a new firm). The e-mail password travels under the key
    // "EmailPassword" in plain text and is stored protected; absent, the stored one stays.
    // Returns the firm's number, or 0 when refused or the name is empty.
    qint64 save(Record firm);
    // Deletes the firm with its accounts, opening balances and books after the operator confirms.
    bool remove(qint64 srno);
    std::optional<Record> load(qint64 srno);
    // The GSTIN check of the "GST No" box; shows the refusal and returns false when it fails.
    bool checkGstin(const QString& gstin, const QString& state);
    // Cities already used by firms, for the city box.
    QStringList cities();

private:
    bool refusedByLockOrRights(qint64 srno, bool isNew);
    db::Database& db_;
    Session& session_;
    Messages& messages_;
};

}  // namespace tanabana::shell
