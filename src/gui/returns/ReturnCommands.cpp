// The menu commands of returns and notes: "3. Sales Return", "2. Purchase Return", "3. Debit Note"
// and "4. Credit Note" open their screens.
#include "domain/ledger/Journal.h"
#include "gui/returns/GoodsReturnScreen.h"
#include "gui/returns/NoteScreen.h"
#include "gui/shell/Commands.h"
#include "gui/shell/MainWindow.h"

namespace tanabana::gui {

void registerReturnCommands(CommandRegistry& registry) {
    auto opens = [&registry](const QString& command, std::function<QWidget*(CommandContext&, db::Database&)> make) {
        registry.add(command, [make](CommandContext& c) { openScreen(c, [&](db::Database& year) { return make(c, year); }); });
    };
    opens(QStringLiteral("mnu_T13"), [](CommandContext& c, db::Database& year) {
        return new GoodsReturnScreen(year, c.session, c.messages, GoodsReturnScreen::Kind::Sales);
    });
    opens(QStringLiteral("mnu_T22"), [](CommandContext& c, db::Database& year) {
        return new GoodsReturnScreen(year, c.session, c.messages, GoodsReturnScreen::Kind::Purchase);
    });
    opens(QStringLiteral("mnu_T4"), [](CommandContext& c, db::Database& year) {
        return new NoteScreen(year, c.session, c.messages, returns::NoteKind::Credit);
    });
    opens(QStringLiteral("mnu_T3"), [](CommandContext& c, db::Database& year) {
        return new NoteScreen(year, c.session, c.messages, returns::NoteKind::Debit);
    });
    // A drill-down from the books opens a return or a note in its own window at that document.
    auto opensAt = [&registry](int tableCode, std::function<DocumentForm*(CommandContext&, db::Database&)> make) {
        registry.addDocument(tableCode, [make](CommandContext& c, db::Database& year, qint64 id) {
            DocumentForm* screen = make(c, year);
            c.window.openChild(screen);
            screen->openEntry(id);
        });
    };
    opensAt(ledger::DocumentType::SaleReturn, [](CommandContext& c, db::Database& year) {
        return new GoodsReturnScreen(year, c.session, c.messages, GoodsReturnScreen::Kind::Sales);
    });
    opensAt(ledger::DocumentType::PurchaseReturn, [](CommandContext& c, db::Database& year) {
        return new GoodsReturnScreen(year, c.session, c.messages, GoodsReturnScreen::Kind::Purchase);
    });
    opensAt(ledger::DocumentType::CreditNote, [](CommandContext& c, db::Database& year) {
        return new NoteScreen(year, c.session, c.messages, returns::NoteKind::Credit);
    });
    opensAt(ledger::DocumentType::DebitNote, [](CommandContext& c, db::Database& year) {
        return new NoteScreen(year, c.session, c.messages, returns::NoteKind::Debit);
    });
}

}  // namespace tanabana::gui
