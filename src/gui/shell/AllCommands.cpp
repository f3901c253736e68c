#include "gui/masters/MasterCommands.h"
#include "gui/purchase/PurchaseCommands.h"
#include "gui/shell/Commands.h"
#include "gui/trade/SellingCommands.h"

namespace tanabana::gui {

void registerProductCommands(CommandRegistry& registry);
void registerReportCommands(CommandRegistry& registry);
void registerRegisterCommands(CommandRegistry& registry);
void registerAccountCommands(CommandRegistry& registry);
void registerGstCommands(CommandRegistry& registry);
void registerVoucherCommands(CommandRegistry& registry);
void registerStockCommands(CommandRegistry& registry);
void registerMillCommands(CommandRegistry& registry);

// Each subsystem declares `void registerXxxCommands(CommandRegistry&)` in its own gui folder and
// adds one line here.
void registerAllCommands(CommandRegistry& registry) {
    registerSellingCommands(registry);
    registerProductCommands(registry);
    registerReportCommands(registry);
    registerRegisterCommands(registry);
    registerPurchaseCommands(registry);  // after the registers: its register has buttons of its own
    registerAccountCommands(registry);
    registerGstCommands(registry);
    registerMasterCommands(registry);
    registerVoucherCommands(registry);
    registerStockCommands(registry);
    registerMillCommands(registry);
}

}  // namespace tanabana::gui
