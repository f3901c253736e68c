#pragma once
// The commands of the menu bar and the dashboard, known by their menu names ("mnu_T12",
// "Mnu_M1"). Each subsystem's screens register what a command opens; the menu tree shows a
// command that nothing has registered as disabled, and the operator's rights decide the rest.
//
//   registry.add("mnu_T11", [](CommandContext& c) { c.window.openChild(new ChallanScreen(...)); });
#include "core/Messages.h"
#include "core/Session.h"
#include "db/Database.h"

#include <QString>
#include <QWidget>
#include <functional>
#include <map>

namespace tanabana::gui {

class MainWindow;

// What a command needs at the moment it runs: the frame, the year open now and the session.
struct CommandContext {
    MainWindow& window;
    std::function<db::Database*()> openYear;  // the year database open now, or null
    Session& session;
    Messages& messages;
};

using CommandAction = std::function<void(CommandContext&)>;

class CommandRegistry {
public:
    void add(const QString& name, CommandAction action);
    bool has(const QString& name) const;
    // Runs the command; false when nothing is registered under the name.
    bool run(const QString& name, CommandContext& context) const;

private:
    std::map<QString, CommandAction> actions_;
};

// Opens the window `make` builds inside the work area, when a year and a firm are open.
void openScreen(CommandContext& context, const std::function<QWidget*(db::Database& year)>& make);

// Every subsystem's commands, one line per subsystem (AllCommands.cpp).
void registerAllCommands(CommandRegistry& registry);

}  // namespace tanabana::gui
