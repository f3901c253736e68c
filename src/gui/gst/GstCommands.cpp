// The GST register menu: "1. GSTR - 1" (a bill named in its check list opens on the sales
// screen), "2. GSTR - 2", "3. GSTR - 3B", "4. ITC-04", "5. GSTR- 9" (the yearly HSN tables) and
// "13. GSTR - 2 & 2A (Matching)", the matching of the purchase bills with the portal's data.
#include "gui/gst/Gstr1Screen.h"
#include "gui/gst/Gstr2Screen.h"
#include "gui/gst/Gstr3bScreen.h"
#include "gui/gst/Gstr9Screen.h"
#include "gui/gst/Itc04Screen.h"
#include "gui/gst/PortalMatchingScreen.h"
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
    registry.add(QStringLiteral("mnu_R62"), [](CommandContext& c) {
        openScreen(c, [&](db::Database& year) { return new Gstr2Screen(year, c.session, c.messages); });
    });
    registry.add(QStringLiteral("mnu_R63"), [](CommandContext& c) {
        openScreen(c, [&](db::Database& year) { return new Gstr3bScreen(year, c.session, c.messages); });
    });
    registry.add(QStringLiteral("mnu_R64"), [](CommandContext& c) {
        openScreen(c, [&](db::Database& year) { return new Itc04Screen(year, c.session, c.messages); });
    });
    registry.add(QStringLiteral("mnu_R65"), [](CommandContext& c) {
        openScreen(c, [&](db::Database& year) { return new Gstr9Screen(year, c.session, c.messages); });
    });
    registry.add(QStringLiteral("mnu_R613"), [](CommandContext& c) {
        openScreen(c, [&](db::Database& year) { return new PortalMatchingScreen(year, c.session, c.messages); });
    });
}

}  // namespace tanabana::gui
