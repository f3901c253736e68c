#pragma once
// The operators who may open the books (LoginMst of the year list): names kept in upper case as
// they are typed at the login, passwords as salted hashes of the upper-cased text, so "admin" and
// "ADMIN" are the same operator and the same password.
#include "core/Messages.h"
#include "core/Session.h"
#include "db/Database.h"
#include "domain/shell/Installation.h"

#include <QString>

namespace tanabana::shell {

// True when an operator of this name has this password (both compared ignoring case).
bool passwordMatches(db::Database& yearList, const QString& user, const QString& password);
// Adds an operator with every right; refused (DbError) when the name is empty or taken.
void addOperator(db::Database& yearList, const QString& user, const QString& password);
// Replaces an operator's password; false when there is no such operator.
bool setOperatorPassword(db::Database& yearList, const QString& user, const QString& password);
QStringList operatorNames(db::Database& yearList);

// The login button: checks the typed name and password against the year list. A wrong pair gets
// "ACCESS DENIED"; a year list that cannot be opened gets its own description. On success the
// session holds the user (upper case) and today's date.
bool login(const Installation& installation, Session& session, Messages& messages, const QString& user,
           const QString& password);

}  // namespace tanabana::shell
