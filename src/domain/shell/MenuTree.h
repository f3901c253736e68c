#pragma once
// Every command of the main window's menu bar in display order, with the LoginMst right that
// governs it, and how the firm's settings change what the operator sees: a firm with locked
// challans loses "1. Chalan" and renumbers its sales commands, a production firm issues takas
// "to Jobwork" instead of "to Mill", a closed year offers "1. Year End Process Cancel ".
// No widgets here: the menu bar, the dashboard, the users window and the tests read the same tree.
#include "core/Session.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace tanabana::shell {

struct MenuCommand {
    QString name;     // "mnu_T12"
    QString caption;  // as Qt shows it: "&&" stands for one "&"
    QString right;    // the LoginMst column that governs it; empty when every operator may use it
    std::vector<MenuCommand> children;  // a sub-menu when not empty
};

// The menus of the menu bar (User, Master, Transaction ... Online Update) with their commands.
const std::vector<MenuCommand>& menuTree();
// The command of that name anywhere in the tree, or null.
const MenuCommand* findCommand(const QString& name);
// The names of the menus and sub-menus above a command, outermost first.
QStringList commandPath(const QString& name);

// True unless a right of the command or of a menu above it is cleared for the operator.
bool commandAllowed(const Session& session, const QString& name);

// What the firm's settings and the installation make of a command.
struct CommandLook {
    QString caption;
    bool visible = true;
    bool enabled = true;
};
// `nextYearExists`: the year after the open one has its books (the transfers to it need them).
CommandLook commandLook(const Session& session, const MenuCommand& command, bool nextYearExists);

// The command a dashboard button runs for its Mnu_Nm ("Sales" runs "mnu_T12"); empty for a name
// that runs nothing.
QString dashboardCommand(const QString& buttonName);

// Caption as the operator reads it ("0. Exit && email Backup" reads "0. Exit & email Backup").
QString readableCaption(const QString& caption);

}  // namespace tanabana::shell
