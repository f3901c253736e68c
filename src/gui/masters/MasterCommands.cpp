#include "gui/masters/MasterCommands.h"

#include "gui/masters/AccountScreens.h"
#include "gui/masters/BookScreens.h"
#include "gui/masters/FirmScreen.h"
#include "gui/masters/FunctionKeysScreen.h"
#include "gui/shell/MainWindow.h"

namespace tanabana::gui {

namespace {

// A command that opens a screen on the year open now; without an open year it does nothing.
// Its refusals and questions go to the main window's messages.
CommandAction opens(std::function<QWidget*(Session&, Messages*)> make) {
    return [make = std::move(make)](CommandContext& c) {
        if (!c.openYear || !c.openYear()) return;
        c.session.db = c.openYear();
        c.window.openChild(make(c.session, &c.messages));
    };
}

}  // namespace

void registerMasterCommands(CommandRegistry& registry) {
    registry.add(QStringLiteral("Mnu_M1"), opens([](Session& s, Messages* m) { return new AccountScreen(s, nullptr, m); }));
    registry.add(QStringLiteral("mnu_T5"), opens([](Session& s, Messages* m) { return new OpeningBalanceScreen(s, nullptr, m); }));
    const CommandAction firm = opens([](Session& s, Messages* m) { return new FirmScreen(s, nullptr, m); });
    registry.add(QStringLiteral("mnu_Y1"), [firm](CommandContext& c) {
        firm(c);
        c.window.setMenuLetter(QLatin1Char('M'));  // after the firm step the Master menu opens
    });
    registry.add(QStringLiteral("mnu_Y21"), opens([](Session& s, Messages* m) { return new BookScreen(s, masters::BookKind::SalesPurchase, nullptr, m); }));
    registry.add(QStringLiteral("mnu_Y22"), opens([](Session& s, Messages* m) { return new BookScreen(s, masters::BookKind::CashBank, nullptr, m); }));
    registry.add(QStringLiteral("mnu_Y23"), opens([](Session& s, Messages* m) { return new FunctionKeysScreen(s, nullptr, m); }));
    registry.add(QStringLiteral("mnu_Y24"), opens([](Session& s, Messages* m) { return new GroupScreen(s, nullptr, m); }));
}

}  // namespace tanabana::gui
