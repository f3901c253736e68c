// The receipt and payment windows of the Transaction menu's accounts part.
#include "domain/ledger/Journal.h"
#include "gui/shell/Commands.h"
#include "gui/shell/MainWindow.h"
#include "gui/vouchers/CashBankScreen.h"
#include "gui/vouchers/JournalScreen.h"

namespace tanabana::gui {

namespace {

// A drill-down to a voucher opens its own window at that voucher number.
void registerVoucherDocuments(CommandRegistry& registry) {
    for (const auto& [tableCode, kind] : {std::pair{ledger::DocumentType::CashPayment, vouchers::CashBankKind::CashPayment},
                                          std::pair{ledger::DocumentType::CashReceipt, vouchers::CashBankKind::CashReceipt},
                                          std::pair{ledger::DocumentType::BankPayment, vouchers::CashBankKind::BankPayment},
                                          std::pair{ledger::DocumentType::BankReceipt, vouchers::CashBankKind::BankReceipt}}) {
        const vouchers::CashBankKind k = kind;
        registry.addDocument(tableCode, [k](CommandContext& c, db::Database& year, qint64 voucherNo) {
            auto* screen = new CashBankScreen(year, c.session, c.messages, k);
            c.window.openChild(screen);
            screen->openVoucher(voucherNo);
        });
    }
    registry.addDocument(ledger::DocumentType::JournalVoucher, [](CommandContext& c, db::Database& year, qint64 voucherNo) {
        auto* screen = new JournalScreen(year, c.session, c.messages);
        c.window.openChild(screen);
        screen->openEntry(voucherNo);
    });
}

}  // namespace

void registerVoucherCommands(CommandRegistry& registry) {
    for (const auto& [command, kind] :
         {std::pair{"mnu_A1", vouchers::CashBankKind::CashPayment}, std::pair{"mnu_A2", vouchers::CashBankKind::CashReceipt},
          std::pair{"mnu_A3", vouchers::CashBankKind::BankPayment}, std::pair{"mnu_A4", vouchers::CashBankKind::BankReceipt}}) {
        const vouchers::CashBankKind k = kind;
        registry.add(QString::fromLatin1(command), [k](CommandContext& c) {
            openScreen(c, [&](db::Database& year) { return new CashBankScreen(year, c.session, c.messages, k); });
        });
    }
    // "5. Journal Entry (J.V.)" / "3. General": entry by entry.
    registry.add(QStringLiteral("mnu_A53"), [](CommandContext& c) {
        openScreen(c, [&](db::Database& year) { return new JournalScreen(year, c.session, c.messages); });
    });
    registerVoucherDocuments(registry);
}

}  // namespace tanabana::gui
