// The item master and the small masters of products, opened from the master and utility menus.
#include "gui/products/ProductScreens.h"
#include "gui/shell/Commands.h"

namespace tanabana::gui {

void registerProductCommands(CommandRegistry& registry) {
    auto screen = [](const QString& window) {
        return [window](CommandContext& c) { openScreen(c, [&](db::Database&) { return createProductScreen(window, c.session, nullptr, &c.messages); }); };
    };
    registry.add(QStringLiteral("Mnu_M2"), [](CommandContext& c) {
        openScreen(c, [&](db::Database&) { return createProductScreen(itemMasterWindowName(c.session), c.session, nullptr, &c.messages); });
    });
    registry.add(QStringLiteral("Mnu_M3"), screen(QStringLiteral("frmAgent")));
    registry.add(QStringLiteral("Mnu_M4"), screen(QStringLiteral("frmAgent_1")));
    registry.add(QStringLiteral("Mnu_M5"), screen(QStringLiteral("FrmAgent_Machine")));
    registry.add(QStringLiteral("Mnu_M6"), screen(QStringLiteral("frmProdMst_Consumption_MD")));
    registry.add(QStringLiteral("mnu_Y32"), screen(QStringLiteral("FrmProdMstCommonList")));
}

}  // namespace tanabana::gui
