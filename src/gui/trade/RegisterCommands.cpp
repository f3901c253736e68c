// The registers of the report menus open on the register screen; Enter on a row opens the bill,
// challan or production challan it stands for in its own window.
#include "domain/ledger/Journal.h"
#include "domain/reports/SellingRegisters.h"
#include "gui/common/RegisterForm.h"
#include "gui/shell/Commands.h"
#include "gui/shell/MainWindow.h"
#include "gui/trade/ChallanScreen.h"
#include "gui/trade/ProductionScreen.h"
#include "gui/trade/RegisterDocuments.h"
#include "gui/trade/SellingCommands.h"

namespace tanabana::gui {

void openRegisterDocument(MainWindow& window, db::Database& year, Session& session, Messages& messages, reports::DocumentKind kind,
                          qint64 id) {
    CommandContext context{window, [&year] { return &year; }, session, messages};
    switch (kind) {
    case reports::DocumentKind::SalesBill: openDocumentScreen(context, ledger::DocumentType::Sale, id); break;
    case reports::DocumentKind::Posting: openPostedDocument(context, id); break;
    case reports::DocumentKind::DeliveryChallan: {
        auto* screen = new ChallanScreen(year, session, messages, challanFromTakasFor(session));
        window.openChild(screen);
        screen->openChallan(id);
        break;
    }
    case reports::DocumentKind::ProductionChallan: {
        auto* screen = new ProductionScreen(year, session, messages);
        window.openChild(screen);
        screen->openChallan(id);
        break;
    }
    default: break;
    }
}

RegisterForm* opensDocuments(RegisterForm* form, CommandContext& c, db::Database& year) {
    MainWindow* window = &c.window;
    Session* session = &c.session;
    Messages* messages = &c.messages;
    db::Database* books = &year;
    form->setOpenDocument([window, books, session, messages](reports::DocumentKind kind, qint64 id) {
        openRegisterDocument(*window, *books, *session, *messages, kind, id);
    });
    return form;
}

void registerRegisterCommands(CommandRegistry& registry) {
    for (const QString& command : reports::registerCommands()) {
        registry.add(command, [command](CommandContext& c) {
            openScreen(c, [&](db::Database& year) {
                return opensDocuments(new RegisterForm(year, c.session, c.messages, reports::registersOfCommand(command)), c, year);
            });
        });
    }
}

}  // namespace tanabana::gui
