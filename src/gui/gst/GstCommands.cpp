// The GST register menu: "1. GSTR - 1" (a bill, return or note named in its check list opens in
// its own window), "2. GSTR - 2", "3. GSTR - 3B", "4. ITC-04", "5. GSTR- 9" (the yearly HSN tables),
// "12. GSTR - Set Off" (the summary of tax per rate down to the net payable) and
// "13. GSTR - 2 & 2A (Matching)", the matching of the purchase bills with the portal's data, and
// "14. GST Reconsilation", the year's books against the returns filed.
#include "gui/gst/GstSummaryScreen.h"
#include "gui/gst/Gstr1Screen.h"
#include "gui/gst/Gstr2Screen.h"
#include "gui/gst/Gstr3bScreen.h"
#include "gui/gst/Gstr9Screen.h"
#include "gui/gst/Itc04Screen.h"
#include "gui/gst/PortalMatchingScreen.h"
#include "gui/gst/ReconciliationScreen.h"
#include "gui/shell/Commands.h"
#include "gui/shell/MainWindow.h"

namespace tanabana::gui {

void registerGstCommands(CommandRegistry& registry) {
    registry.add(QStringLiteral("mnu_R61"), [](CommandContext& c) {
        openScreen(c, [&](db::Database& year) {
            auto* screen = new Gstr1Screen(year, c.session, c.messages);
            MainWindow* window = &c.window;
            Session* session = &c.session;
            Messages* messages = &c.messages;
            db::Database* books = &year;
            screen->setOpenDocument([window, books, session, messages](int formId, qint64 id) {
                CommandContext context{*window, [books] { return books; }, *session, *messages};
                openDocumentScreen(context, formId, id);
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
    registry.add(QStringLiteral("mnu_R612"), [](CommandContext& c) {
        openScreen(c, [&](db::Database& year) { return new GstSummaryScreen(year, c.session, c.messages); });
    });
    registry.add(QStringLiteral("mnu_R613"), [](CommandContext& c) {
        openScreen(c, [&](db::Database& year) { return new PortalMatchingScreen(year, c.session, c.messages); });
    });
    registry.add(QStringLiteral("mnu_R614"), [](CommandContext& c) {
        openScreen(c, [&](db::Database& year) { return new ReconciliationScreen(year, c.session, c.messages); });
    });
}

}  // namespace tanabana::gui
