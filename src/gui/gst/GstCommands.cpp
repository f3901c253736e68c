// "1. GSTR - 1" of the GST register menu opens the GSTR-1 screen (a bill named in its check list
// opens on the sales screen) and "3. GSTR - 3B" the GSTR-3B screen.
#include "gui/gst/Gstr1Screen.h"
#include "gui/gst/Gstr3bScreen.h"
#include "gui/shell/Commands.h"
#include "gui/shell/MainWindow.h"
#include "gui/trade/SalesScreen.h"
#include "gui/trade/SellingCommands.h"

namespace tanabana::gui {

void registerGstCommands(CommandRegistry& registry) {
    registry.add(QStringLiteral("mnu_R61"), [](CommandContext& c) {
        openScreen(c, [&](db::Database& year) {
            auto* screen = new Gstr1Screen(year, c.session, c.messages);
            MainWindow* window = &c.window;
            Session* session = &c.session;
            Messages* messages = &c.messages;
            db::Database* books = &year;
            screen->setOpenBill([window, books, session, messages](qint64 id) {
                auto* bill = new SalesScreen(*books, *session, *messages, salesWindowFor(*session));
                window->openChild(bill);
                bill->openBill(id);
            });
            return screen;
        });
    });
    registry.add(QStringLiteral("mnu_R63"), [](CommandContext& c) {
        openScreen(c, [&](db::Database& year) { return new Gstr3bScreen(year, c.session, c.messages); });
    });
}

}  // namespace tanabana::gui
