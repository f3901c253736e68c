#include "domain/shell/Operators.h"

#include "core/Password.h"
#include "domain/schema/YearSchema.h"
#include "domain/shell/Users.h"

namespace tanabana::shell {

namespace {

QString keyOf(const QString& user) { return user.trimmed().toUpper(); }

}  // namespace

bool passwordMatches(db::Database& yearList, const QString& user, const QString& password) {
    const auto row = yearList.queryOne(QStringLiteral("SELECT Password FROM LoginMst WHERE LoginName = ?"), {keyOf(user)});
    return row && verifyPassword(password, row->text(QStringLiteral("Password")));
}

void addOperator(db::Database& yearList, const QString& user, const QString& password) {
    const QString name = schema::yearColumnWidths().fit(QStringLiteral("LoginMst"), QStringLiteral("LoginName"), keyOf(user));
    if (name.isEmpty()) throw db::DbError(QStringLiteral("An operator needs a name"));
    db::Transaction tx(yearList);
    if (yearList.scalar(QStringLiteral("SELECT count(*) FROM LoginMst WHERE LoginName = ?"), {name}).toInt() > 0)
        throw db::DbError(QStringLiteral("The operator %1 exists already").arg(name));
    yearList.exec(QStringLiteral("INSERT INTO LoginMst (LoginName, Password) VALUES (?, ?)"), {name, hashPassword(password)});
    tx.commit();
}

bool setOperatorPassword(db::Database& yearList, const QString& user, const QString& password) {
    db::Transaction tx(yearList);
    const int changed = yearList.exec(QStringLiteral("UPDATE LoginMst SET Password = ? WHERE LoginName = ?"),
                                      {hashPassword(password), keyOf(user)});
    tx.commit();
    return changed > 0;
}

QStringList operatorNames(db::Database& yearList) {
    QStringList names;
    for (const db::Row& r : yearList.query(QStringLiteral("SELECT LoginName FROM LoginMst ORDER BY LoginName"))) names << r.value(0).toString();
    return names;
}

bool login(const Installation& installation, Session& session, Messages& messages, const QString& user, const QString& password) {
    bool ok = false;
    QVariantMap rights;
    try {
        db::Database yearList = installation.openYearList();
        ok = passwordMatches(yearList, user, password);
        if (ok) rights = operatorRights(yearList, user);
    } catch (const db::DbError& e) {
        messages.critical(QStringLiteral("Tanabana"), e.describe());
        return false;
    }
    if (!ok) {
        messages.critical(QStringLiteral("ACCESS DENIED"),
                          QStringLiteral("INVALID USER NAME OR PASSOWORD !!! \n PLEASE ENTER CORRECT USER NAME AND PASSWORD"));
        return false;
    }
    session.loginUser = keyOf(user);
    session.loginDate = QDate::currentDate();
    session.rights = rights;
    return true;
}

}  // namespace tanabana::shell
