#include "gui/masters/MasterCommands.h"
#include "gui/shell/Commands.h"
#include "gui/trade/SellingCommands.h"

namespace tanabana::gui {

void registerProductCommands(CommandRegistry& registry);
void registerReportCommands(CommandRegistry& registry);
void registerRegisterCommands(CommandRegistry& registry);
void registerVoucherCommands(CommandRegistry& registry);

// Each subsystem declares `void registerXxxCommands(CommandRegistry&)` in its own gui folder and
// adds one line here.
void registerAllCommands(CommandRegistry& registry) {
    registerSellingCommands(registry);
    registerProductCommands(registry);
    registerReportCommands(registry);
    registerRegisterCommands(registry);
    registerMasterCommands(registry);
    registerVoucherCommands(registry);
}

}  // namespace tanabana::gui
