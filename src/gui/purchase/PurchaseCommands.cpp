#include "gui/purchase/PurchaseCommands.h"

#include "domain/ledger/Journal.h"
#include "domain/reports/SellingRegisters.h"
#include "domain/trade/PurchaseInvoices.h"
#include "gui/common/RegisterForm.h"
#include "gui/purchase/OpeningPurchaseScreen.h"
#include "gui/purchase/PurchaseChallanScreen.h"
#include "gui/purchase/PurchaseScreen.h"
#include "gui/shell/MainWindow.h"

namespace tanabana::gui {

namespace {

const QString kReverseChargeCommand = QStringLiteral("mnu_R25");

// The bill date of a register row, or an invalid date when the cursor stands on none.
QDate dayOf(const reports::RegisterResult& result, int dataRow) {
    const int column = result.data.indexOf(QStringLiteral("BillDate"));
    if (dataRow < 0 || column < 0) return {};
    return result.data.value(dataRow, column).toDate();
}

}  // namespace

RegisterForm* reverseChargeRegister(db::Database& year, Session& session, Messages& messages) {
    auto* form = new RegisterForm(year, session, messages, reports::registersOfCommand(kReverseChargeCommand));
    db::Database* books = &year;
    Session* s = &session;
    Messages* m = &messages;
    auto onDay = [books, s, m](bool calculate) {
        return [books, s, m, calculate](const reports::RegisterResult& result, int dataRow) {
            const QDate day = dayOf(result, dataRow);
            if (!day.isValid()) {
                m->critical(calculate ? QStringLiteral("RCM Calculate") : QStringLiteral("RCM Not Calculate"),
                            QStringLiteral("Please select a bill of the day"));
                return;
            }
            trade::PurchaseInvoices purchases(*books, *s, *m);
            if (calculate) purchases.calculateReverseCharge(day);
            else purchases.removeReverseCharge(day);
        };
    };
    form->addRowCommand(QStringLiteral("cmdRcmCalc"), QStringLiteral("RCM Calculate"), onDay(true));
    form->addRowCommand(QStringLiteral("cmdRcmNotCalc"), QStringLiteral("RCM Not Calculate"), onDay(false));
    return form;
}

void registerPurchaseCommands(CommandRegistry& registry) {
    auto opens = [&registry](const QString& command, std::function<QWidget*(CommandContext&, db::Database&)> make) {
        registry.add(command, [make](CommandContext& c) { openScreen(c, [&](db::Database& year) { return make(c, year); }); });
    };
    for (const auto& [command, kind] : {std::pair{QStringLiteral("mnu_T21"), trade::PurchaseKind::Goods},
                                        std::pair{QStringLiteral("mnu_T23"), trade::PurchaseKind::Expense},
                                        std::pair{QStringLiteral("mnu_T24"), trade::PurchaseKind::ExpenseLines}})
        opens(command, [kind](CommandContext& c, db::Database& year) { return new PurchaseScreen(year, c.session, c.messages, kind); });
    opens(QStringLiteral("mnu_Y41"), [](CommandContext& c, db::Database& year) { return new OpeningPurchaseScreen(year, c.session, c.messages); });
    opens(QStringLiteral("mnu_T25"), [](CommandContext& c, db::Database& year) { return new PurchaseChallanScreen(year, c.session, c.messages); });
    registry.add(kReverseChargeCommand, [](CommandContext& c) {
        openScreen(c, [&](db::Database& year) { return reverseChargeRegister(year, c.session, c.messages); });
    });
    // A drill-down to a purchase opens it in the window of its own kind (goods or general).
    registry.addDocument(ledger::DocumentType::Purchase, [](CommandContext& c, db::Database& year, qint64 id) {
        const auto bill = trade::PurchaseInvoices(year, c.session, c.messages).load(id);
        auto* screen = new PurchaseScreen(year, c.session, c.messages, bill ? bill->kind : trade::PurchaseKind::Goods);
        c.window.openChild(screen);
        screen->openBill(id);
    });
    registry.addDocument(
        ledger::DocumentType::Purchase,
        [](CommandContext& c, db::Database& year, qint64 id) {
            auto* screen = new OpeningPurchaseScreen(year, c.session, c.messages);
            c.window.openChild(screen);
            screen->openEntry(id);
        },
        true);
}

}  // namespace tanabana::gui
