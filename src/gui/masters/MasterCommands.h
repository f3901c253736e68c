#pragma once
// The menu commands of the firm's books: "1. Account Master" (Mnu_M1), "5. Op. Balance" (mnu_T5),
// "1. Firm" (mnu_Y1), the books "1. Sales And Purchase" (mnu_Y21) and "2. Cash And Bank"
// (mnu_Y22), and "4. Group Master" (mnu_Y24).
#include "gui/shell/Commands.h"

namespace tanabana::gui {

void registerMasterCommands(CommandRegistry& registry);

}  // namespace tanabana::gui
