#pragma once
// The operators of the installation and what each may open: the users window creates an
// operator with a password and a tick per menu command (a cashier who may enter cash receipts but
// not see the trial balance), changes those ticks, deletes an operator; any operator changes
// their own password. Rows live in LoginMst of the year list; passwords only as hashes.
//
//   OperatorAccounts users(yearList, session, messages);
//   users.save("CASHIER", "kesar7", "kesar7", rights);   // "User Is Created"
#include "core/Messages.h"
#include "core/Session.h"
#include "db/Database.h"

#include <QString>
#include <QVariantMap>
#include <vector>

namespace tanabana::shell {

// One box of the users window: the LoginMst column and the caption of the command it governs.
struct RightBox {
    QString column;
    QString caption;
};
struct RightsGroup {
    QString title;  // "General", "User", "Master", "Transaction" ... "Utility"
    std::vector<RightBox> boxes;
};
// The rights as the users window groups them, in menu order.
const std::vector<RightsGroup>& rightsGroups();

// Every rights column of the operator's row (column -> 0/1); empty when there is no such operator.
QVariantMap operatorRights(db::Database& yearList, const QString& user);

inline const QString kUserTitle = QStringLiteral("User Confirmation");

class OperatorAccounts {
public:
    OperatorAccounts(db::Database& yearList, Session& session, Messages& messages);

    QStringList names();
    bool exists(const QString& name);
    // Adds the operator, or rewrites an existing one's password and rights. `rights` holds the
    // rights columns to set (missing columns are switched on).
    bool save(const QString& name, const QString& password, const QString& retype, const QVariantMap& rights);
    // Asks, then deletes. The operator who is logged in cannot delete themselves.
    bool remove(const QString& name);
    // A new password for `user` (the logged-in operator in the window); the old one is not asked.
    bool changePassword(const QString& user, const QString& password, const QString& retype);

private:
    db::Database& yearList_;
    Session& session_;
    Messages& messages_;
};

}  // namespace tanabana::shell
