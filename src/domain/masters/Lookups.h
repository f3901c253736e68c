#pragma once
// The account and book look-ups every screen and document calls: find an account of the firm by
// name, code or GSTIN, its code or name by Id, the groups, the accounts of a group, and the
// bank books of an account. A look-up that finds nothing gives 0 or empty text; the caller decides.
#include "db/Database.h"

#include <QString>
#include <QStringList>

namespace tanabana::masters {

qint64 accountIdByName(db::Database& db, qint64 firmNo, const QString& name);
qint64 accountIdByNameAndGstin(db::Database& db, qint64 firmNo, const QString& name, const QString& gstin);
qint64 accountIdByNameAndCode(db::Database& db, qint64 firmNo, const QString& name, const QString& code);
qint64 accountIdByCode(db::Database& db, qint64 firmNo, const QString& code);
QString ledgerIdOf(db::Database& db, qint64 firmNo, qint64 accountId);
QString accountNameOf(db::Database& db, qint64 accountId);
// Group number of the firm's group of this name (compared in capitals); 0 when none.
int groupNoByName(db::Database& db, qint64 firmNo, const QString& groupName);
QString groupNameOf(db::Database& db, qint64 firmNo, int groupNo);
QStringList accountNamesOfGroup(db::Database& db, qint64 firmNo, int groupNo);
// The firm's group rows ordered by number (Id, LedgerId, AcName, GrpNo, Active).
db::Rows groupsOf(db::Database& db, qint64 firmNo, bool activeOnly = false);
// Distinct non-empty values of an account column already used in the firm (City, AreaName,
// ZoneName, Trans_Name), for the offer lists of the account master.
QStringList usedValues(db::Database& db, qint64 firmNo, const QString& column);

// (A book's name and accounts by number: shell/Lookups.)
// Bank books (type B) whose purchase-side (or sales-side) account is this account.
QList<qint64> bankBooksOfAccount(db::Database& db, qint64 accountId);

}  // namespace tanabana::masters
