#include "gui/shell/Commands.h"

namespace tanabana::gui {

// Each subsystem declares `void registerXxxCommands(CommandRegistry&)` in its own gui folder and
// adds one line here.
void registerAllCommands(CommandRegistry& registry) { (void)registry; }

}  // namespace tanabana::gui
