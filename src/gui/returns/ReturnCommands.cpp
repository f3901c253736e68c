// The menu commands of returns and notes: "3. Sales Return", "2. Purchase Return", "3. Debit Note"
// and "4. Credit Note" open their screens.
#include "domain/ledger/Journal.h"
#include "gui/returns/GoodsReturnScreen.h"
#include "gui/returns/NoteScreen.h"
#include "gui/shell/Commands.h"
#include "gui/shell/MainWindow.h"

namespace tanabana::gui {

void registerReturnCommands(CommandRegistry& registry) {
    // Each window opens from its menu command, and from a line of the books at the document it posted.
    auto registers = [&registry](const QString& command, int tableCode,
                                 std::function<DocumentForm*(CommandContext&, db::Database&)> make) {
        registry.add(command, [make](CommandContext& c) { openScreen(c, [&](db::Database& year) { return make(c, year); }); });
        registry.addDocument(tableCode, [make](CommandContext& c, db::Database& year, qint64 id) {
            DocumentForm* screen = make(c, year);
            c.window.openChild(screen);
            screen->openEntry(id);
        });
    };
    registers(QStringLiteral("mnu_T13"), ledger::DocumentType::SaleReturn, [](CommandContext& c, db::Database& year) {
        return new GoodsReturnScreen(year, c.session, c.messages, GoodsReturnScreen::Kind::Sales);
    });
    registers(QStringLiteral("mnu_T22"), ledger::DocumentType::PurchaseReturn, [](CommandContext& c, db::Database& year) {
        return new GoodsReturnScreen(year, c.session, c.messages, GoodsReturnScreen::Kind::Purchase);
    });
    registers(QStringLiteral("mnu_T4"), ledger::DocumentType::CreditNote, [](CommandContext& c, db::Database& year) {
        return new NoteScreen(year, c.session, c.messages, returns::NoteKind::Credit);
    });
    registers(QStringLiteral("mnu_T3"), ledger::DocumentType::DebitNote, [](CommandContext& c, db::Database& year) {
        return new NoteScreen(year, c.session, c.messages, returns::NoteKind::Debit);
    });
}

}  // namespace tanabana::gui
