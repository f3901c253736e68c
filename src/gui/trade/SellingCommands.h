#pragma once
// The selling commands of the menus and dashboard: "1. Chalan" (mnu_T11), "2. Sales" (mnu_T12),
// "1. Production Entry" (mnu_Prod1) and the last year's pending sales bills (mnu_Y42). Which
// window a command opens follows the firm's kind of business: a production firm (software
// type 9) sends its produced takas on challans and, selling pieces only, bills by design number;
// a firm billing by period makes one bill of a party's challans between two dates.
#include "core/Session.h"
#include "gui/trade/SalesScreen.h"

namespace tanabana::gui {

class CommandRegistry;

// The sales window "2. Sales" opens for the firm open in `session`.
SalesScreen::Kind salesWindowFor(const Session& session);
// True when "1. Chalan" opens the challan of produced takas.
bool challanFromTakasFor(const Session& session);

void registerSellingCommands(CommandRegistry& registry);

}  // namespace tanabana::gui
