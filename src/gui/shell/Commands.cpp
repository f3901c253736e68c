#include "gui/shell/Commands.h"

#include "gui/shell/MainWindow.h"

namespace tanabana::gui {

void CommandRegistry::add(const QString& name, CommandAction action) { actions_[name] = std::move(action); }

bool CommandRegistry::has(const QString& name) const { return actions_.count(name) > 0; }

bool CommandRegistry::run(const QString& name, CommandContext& context) const {
    auto found = actions_.find(name);
    if (found == actions_.end()) return false;
    found->second(context);
    return true;
}

void openScreen(CommandContext& context, const std::function<QWidget*(db::Database& year)>& make) {
    db::Database* year = context.openYear();
    if (!year || context.session.firmNo <= 0) return;
    if (QWidget* screen = make(*year)) context.window.openChild(screen);
}

}  // namespace tanabana::gui
