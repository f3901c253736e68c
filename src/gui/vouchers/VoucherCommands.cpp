// The receipt, payment and journal windows of the Transaction menu's accounts part.
#include "gui/shell/Commands.h"
#include "gui/vouchers/BillBaseJournalScreen.h"
#include "gui/vouchers/CashBankScreen.h"
#include "gui/vouchers/JournalScreen.h"
#include "gui/vouchers/RecurringPaymentScreen.h"

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
    // "5. Journal Entry (J.V.)": "1. Bill Base", "2. Bill Base Multi".
    for (const auto& [command, mode] : {std::pair{"mnu_A51", BillBaseJournalScreen::Mode::OneBill},
                                        std::pair{"mnu_A52", BillBaseJournalScreen::Mode::ManyBills}}) {
        const BillBaseJournalScreen::Mode m = mode;
        registry.add(QString::fromLatin1(command), [m](CommandContext& c) {
            openScreen(c, [&](db::Database& year) { return new BillBaseJournalScreen(year, c.session, c.messages, m); });
        });
    }
    // "3. General": entry by entry, or the whole voucher at once when the firm's "Is JV Multi
    // Entry" is off (on unless the firm says otherwise).
    registry.add(QStringLiteral("mnu_A53"), [](CommandContext& c) {
        const bool single = c.session.firm.value(QStringLiteral("Is_JV_Single"), true).toBool();
        const auto mode = single ? JournalScreen::Mode::EntryByEntry : JournalScreen::Mode::WholeVoucher;
        openScreen(c, [&](db::Database& year) { return new JournalScreen(year, c.session, c.messages, mode); });
    });
    registry.add(QStringLiteral("mnu_A7"), [](CommandContext& c) {
        openScreen(c, [&](db::Database& year) { return new RecurringPaymentScreen(year, c.session, c.messages); });
    });
}

}  // namespace tanabana::gui
