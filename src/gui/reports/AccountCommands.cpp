// The final accounts of the report menu "7. Account" and the cash, bank, journal and day books
// open on the register screen. Enter on a
// figure drills down: a statement's account opens its ledger up to the date, a group heading or
// total (or a schedule) the accounts of the group, and a ledger or book line the document that
// posted it, in that document's own window.
#include "domain/accounts/AccountRegisters.h"
#include "gui/common/RegisterForm.h"
#include "gui/reports/BankReconciliationScreen.h"
#include "gui/shell/Commands.h"
#include "gui/shell/MainWindow.h"
#include "gui/trade/RegisterDocuments.h"

namespace tanabana::gui {

namespace {

using reports::DocumentKind;
using reports::RegisterChoice;
using reports::RegisterDefinition;

RegisterForm* makeAccountsForm(MainWindow& window, db::Database& year, Session& session, Messages& messages,
                               std::vector<const RegisterDefinition*> kinds);

// The next list down from a figure of `form`, for the same dates.
void drillDown(MainWindow& window, db::Database& year, Session& session, Messages& messages, RegisterForm* form, DocumentKind kind,
               qint64 id) {
    if (kind != DocumentKind::Account && kind != DocumentKind::AccountGroup) {
        openRegisterDocument(window, year, session, messages, kind, id);
        return;
    }
    RegisterChoice next = form->result() ? form->result()->choice : RegisterChoice{};
    next.partyId = kind == DocumentKind::Account ? id : 0;
    next.groupNo = kind == DocumentKind::AccountGroup ? int(id) : 0;
    const RegisterDefinition& list =
        kind == DocumentKind::Account ? accounts::accountLedgerRegister() : accounts::groupAccountsRegister();
    RegisterForm* child = makeAccountsForm(window, year, session, messages, {&list});
    window.openChild(child);
    child->setPreset(next);
    child->refresh();
}

RegisterForm* makeAccountsForm(MainWindow& window, db::Database& year, Session& session, Messages& messages,
                               std::vector<const RegisterDefinition*> kinds) {
    const QString screenName = kinds.empty() ? QString() : accounts::accountScreenName(kinds.front()->command);
    auto* form = new RegisterForm(year, session, messages, std::move(kinds));
    if (!screenName.isEmpty()) form->setObjectName(screenName);
    MainWindow* w = &window;
    db::Database* books = &year;
    Session* s = &session;
    Messages* m = &messages;
    form->setOpenDocument([w, books, s, m, form](DocumentKind kind, qint64 id) { drillDown(*w, *books, *s, *m, form, kind, id); });
    return form;
}

}  // namespace

void registerAccountCommands(CommandRegistry& registry) {
    const auto add = [&registry](const QString& command, std::vector<const RegisterDefinition*> kinds) {
        registry.add(command, [command, kinds](CommandContext& c) {
            openScreen(c, [&](db::Database& year) { return makeAccountsForm(c.window, year, c.session, c.messages, kinds); });
        });
    };
    for (const QString& command : accounts::accountCommands()) add(command, accounts::accountRegistersOfCommand(command));
    registry.add(QStringLiteral("mnu_A6"), [](CommandContext& c) {
        openScreen(c, [&](db::Database& year) {
            auto* screen = new BankReconciliationScreen(year, c.session, c.messages);
            MainWindow* window = &c.window;
            Session* session = &c.session;
            Messages* messages = &c.messages;
            db::Database* books = &year;
            screen->setOpenVoucher([window, session, messages, books](int tableCode, qint64 voucherNo) {
                CommandContext context{*window, [books] { return books; }, *session, *messages};
                openDocumentScreen(context, tableCode, voucherNo);
            });
            return screen;
        });
    });
}

}  // namespace tanabana::gui
