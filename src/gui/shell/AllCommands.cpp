#include "gui/shell/Commands.h"
#include "gui/trade/SellingCommands.h"

namespace tanabana::gui {

// Each subsystem declares `void registerXxxCommands(CommandRegistry&)` in its own gui folder and
// adds one line here.
void registerAllCommands(CommandRegistry& registry) {
    registerSellingCommands(registry);
}

}  // namespace tanabana::gui
