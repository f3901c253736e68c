// The receipt and payment windows of the Transaction menu's accounts part.
#include "gui/shell/Commands.h"
#include "gui/vouchers/CashBankScreen.h"

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
}

}  // namespace tanabana::gui
