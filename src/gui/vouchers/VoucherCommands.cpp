// The receipt and payment windows of the Transaction menu's accounts part.
#include "gui/shell/Commands.h"
#include "gui/vouchers/CashBankScreen.h"
#include "gui/vouchers/JournalScreen.h"

namespace tanabana::gui {

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
}

}  // namespace tanabana::gui
