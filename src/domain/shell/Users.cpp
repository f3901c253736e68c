#include "domain/shell/Users.h"

#include "core/Password.h"
#include "core/Rights.h"
#include "core/YearLock.h"
#include "domain/schema/YearSchema.h"
#include "domain/shell/MenuTree.h"
#include "domain/shell/Schema.h"

#include <QSet>
#include <algorithm>

namespace tanabana::shell {

namespace {

QString userKey(const QString& user) { return user.trimmed().toUpper(); }

// The users window's group of each menu; production commands sit with the inventory.
QString groupTitle(const QString& menu) {
    if (menu == QLatin1String("mnu_User")) return QStringLiteral("User");
    if (menu == QLatin1String("mnu_Mst")) return QStringLiteral("Master");
    if (menu == QLatin1String("mnu_tran")) return QStringLiteral("Transaction");
    if (menu == QLatin1String("mnu_account")) return QStringLiteral("Account");
    if (menu == QLatin1String("mnu_rep")) return QStringLiteral("Reports");
    if (menu == QLatin1String("mnu_InvJOb")) return QStringLiteral("JobWork");
    if (menu == QLatin1String("mnu_Inv") || menu == QLatin1String("mnu_Prod")) return QStringLiteral("Inventory");
    if (menu == QLatin1String("Mnu_Uti")) return QStringLiteral("Utility");
    return {};
}

void collect(const std::vector<MenuCommand>& commands, int depth, RightsGroup& group, QSet<QString>& seen) {
    for (const MenuCommand& c : commands) {
        if (!c.right.isEmpty() && !seen.contains(c.right)) {
            seen.insert(c.right);
            QString caption = readableCaption(c.caption);
            if (c.right == QLatin1String("U2")) caption = QStringLiteral("2. Change Password");
            group.boxes.push_back({c.right, QString(depth * 4, QLatin1Char(' ')) + caption});
        }
        collect(c.children, depth + 1, group, seen);
    }
}

}  // namespace

const std::vector<RightsGroup>& rightsGroups() {
    static const std::vector<RightsGroup> groups = [] {
        std::vector<RightsGroup> all{{QStringLiteral("General"),
                                      {{QStringLiteral("IsNew"), QStringLiteral("New")},
                                       {QStringLiteral("IsView"), QStringLiteral("View")},
                                       {QStringLiteral("IsModify"), QStringLiteral("Modify")},
                                       {QStringLiteral("IsDelete"), QStringLiteral("Delete")}}}};
        QSet<QString> seen;
        for (const MenuCommand& menu : menuTree()) {
            const QString title = groupTitle(menu.name);
            if (title.isEmpty()) continue;
            auto existing = std::find_if(all.begin(), all.end(), [&title](const RightsGroup& g) { return g.title == title; });
            if (existing == all.end()) existing = all.insert(all.end(), RightsGroup{title, {}});
            collect(menu.children, 0, *existing, seen);
        }
        return all;
    }();
    return groups;
}

QVariantMap operatorRights(db::Database& yearList, const QString& user) {
    QVariantMap rights;
    const auto row = yearList.queryOne(QStringLiteral("SELECT * FROM LoginMst WHERE LoginName = ?"), {userKey(user)});
    if (!row) return rights;
    for (const QString& column : rightsColumns()) {
        const QVariant value = row->value(column);
        rights.insert(column, value.isNull() ? 1 : (value.toInt() != 0 ? 1 : 0));
    }
    return rights;
}

OperatorAccounts::OperatorAccounts(db::Database& yearList, Session& session, Messages& messages)
    : yearList_(yearList), session_(session), messages_(messages) {}

QStringList OperatorAccounts::names() {
    QStringList names;
    for (const db::Row& r : yearList_.query(QStringLiteral("SELECT LoginName FROM LoginMst ORDER BY LoginName")))
        names << r.text(QStringLiteral("LoginName"));
    return names;
}

bool OperatorAccounts::exists(const QString& name) {
    return yearList_.scalar(QStringLiteral("SELECT count(*) FROM LoginMst WHERE LoginName = ?"), {userKey(name)}).toInt() > 0;
}

bool OperatorAccounts::save(const QString& name, const QString& password, const QString& retype, const QVariantMap& rights) {
    if (yearLockRefuses(session_, messages_)) return false;
    const QString key = schema::yearColumnWidths().fit(QStringLiteral("LoginMst"), QStringLiteral("LoginName"), userKey(name));
    if (key.isEmpty()) {
        messages_.critical(kUserTitle, QStringLiteral("Please Enter User Name"));
        return false;
    }
    if (password.isEmpty()) {
        messages_.critical(kUserTitle, QStringLiteral("Please Enter PassWord"));
        return false;
    }
    if (password != retype) {
        messages_.critical(kUserTitle, QStringLiteral("Password And Retype Password Are Not Same"));
        return false;
    }
    const bool existing = exists(key);
    if (rightRefuses(session_, messages_, existing ? GeneralRight::Modify : GeneralRight::New)) return false;

    QStringList columns{QStringLiteral("LoginName"), QStringLiteral("Password")};
    QVariantList values{key, hashPassword(password)};
    for (const QString& column : rightsColumns()) {
        columns << column;
        values << (rights.contains(column) ? (rights.value(column).toBool() ? 1 : 0) : 1);
    }
    db::Transaction tx(yearList_);
    yearList_.exec(QStringLiteral("DELETE FROM LoginMst WHERE LoginName = ?"), {key});
    yearList_.exec(QStringLiteral("INSERT INTO LoginMst (%1) VALUES (%2)")
                       .arg(columns.join(QStringLiteral(", ")), QStringList(columns.size(), QStringLiteral("?")).join(QStringLiteral(", "))),
                   values);
    tx.commit();
    if (key == userKey(session_.loginUser)) session_.rights = operatorRights(yearList_, key);
    messages_.information(kUserTitle, QStringLiteral("User Is Created"));
    return true;
}

bool OperatorAccounts::remove(const QString& name) {
    if (yearLockRefuses(session_, messages_)) return false;
    const QString key = userKey(name);
    if (key.isEmpty() || !exists(key)) {
        messages_.critical(kUserTitle, QStringLiteral("Please Enter User Name"));
        return false;
    }
    if (rightRefuses(session_, messages_, GeneralRight::Delete)) return false;
    if (key == userKey(session_.loginUser)) {
        messages_.critical(QStringLiteral("Delete Confirmation"), QStringLiteral("You Can't Delete The User Who Is Logged In"));
        return false;
    }
    if (!messages_.ask(QStringLiteral("Delete Confirmation"), QStringLiteral("Are You Sure To Delete This User ? "))) return false;
    db::Transaction tx(yearList_);
    yearList_.exec(QStringLiteral("DELETE FROM LoginMst WHERE LoginName = ?"), {key});
    tx.commit();
    messages_.information(kUserTitle, QStringLiteral("User Is deleted.."));
    return true;
}

bool OperatorAccounts::changePassword(const QString& user, const QString& password, const QString& retype) {
    if (password.isEmpty() || password != retype) {
        messages_.critical(QStringLiteral("RETYPE CORRECT PASSWORD"), QStringLiteral("PLEASE RETYPE CORRECT PASSWORD"));
        return false;
    }
    db::Transaction tx(yearList_);
    const int changed = yearList_.exec(QStringLiteral("UPDATE LoginMst SET Password = ? WHERE LoginName = ?"),
                                       {hashPassword(password), userKey(user)});
    if (changed == 0) {
        messages_.critical(QStringLiteral("SAVE Confirmation"), QStringLiteral("User %1 Is Not Found").arg(userKey(user)));
        return false;
    }
    tx.commit();
    messages_.information(QStringLiteral("SAVE Confirmation"), QStringLiteral("PASSWORD SUCESSFULLY CHANAGED"));
    return true;
}

}  // namespace tanabana::shell
