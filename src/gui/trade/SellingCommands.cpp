#include "gui/trade/SellingCommands.h"

#include "domain/ledger/Journal.h"
#include "domain/shell/FirmSettings.h"
#include "gui/shell/Commands.h"
#include "gui/shell/MainWindow.h"
#include "gui/trade/ChallanScreen.h"
#include "gui/trade/OpeningSalesScreen.h"
#include "gui/trade/ProductionScreen.h"

namespace tanabana::gui {

namespace {

// Opens the window `make` builds inside the work area, on the year and firm open now.
template <typename Make>
void openOnYear(CommandContext& c, Make make) {
    db::Database* year = c.openYear ? c.openYear() : nullptr;
    if (!year || c.session.firmNo <= 0) return;
    c.window.openChild(make(*year));
}

}  // namespace

SalesScreen::Kind salesWindowFor(const Session& session) {
    const shell::FirmSettings firm(session);
    if (firm.periodBilling()) return SalesScreen::Kind::Period;
    if (firm.production() && firm.piecesOnly()) return SalesScreen::Kind::Single;
    return SalesScreen::Kind::Main;
}

bool challanFromTakasFor(const Session& session) { return shell::FirmSettings(session).production(); }

void registerSellingCommands(CommandRegistry& registry) {
    registry.add(QStringLiteral("mnu_T11"), [](CommandContext& c) {
        openOnYear(c, [&](db::Database& year) { return new ChallanScreen(year, c.session, c.messages, challanFromTakasFor(c.session)); });
    });
    registry.add(QStringLiteral("mnu_T12"), [](CommandContext& c) {
        openOnYear(c, [&](db::Database& year) { return new SalesScreen(year, c.session, c.messages, salesWindowFor(c.session)); });
    });
    registry.add(QStringLiteral("mnu_Prod1"), [](CommandContext& c) {
        openOnYear(c, [&](db::Database& year) { return new ProductionScreen(year, c.session, c.messages); });
    });
    registry.add(QStringLiteral("mnu_Y42"), [](CommandContext& c) {
        openOnYear(c, [&](db::Database& year) { return new OpeningSalesScreen(year, c.session, c.messages); });
    });
    // A drill-down to a sales bill opens it in the firm's sales window, an opening bill in its own.
    registry.addDocument(ledger::DocumentType::Sale, [](CommandContext& c, db::Database& year, qint64 id) {
        auto* screen = new SalesScreen(year, c.session, c.messages, salesWindowFor(c.session));
        c.window.openChild(screen);
        screen->openBill(id);
    });
    registry.addDocument(
        ledger::DocumentType::Sale,
        [](CommandContext& c, db::Database& year, qint64 id) {
            auto* screen = new OpeningSalesScreen(year, c.session, c.messages);
            c.window.openChild(screen);
            screen->openEntry(id);
        },
        true);
}

}  // namespace tanabana::gui
