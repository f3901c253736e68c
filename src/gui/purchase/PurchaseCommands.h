#pragma once
// The buying commands of the menus: the day-wise reverse-charge register of the general expenses
// with its "RCM Calculate" and "RCM Not Calculate" buttons.
#include "gui/shell/Commands.h"

namespace tanabana::gui {

class RegisterForm;

void registerPurchaseCommands(CommandRegistry& registry);

// The register screen of "5. General Expenses" with the two reverse-charge buttons, each working
// on the day of the bill under the cursor.
RegisterForm* reverseChargeRegister(db::Database& year, Session& session, Messages& messages);

}  // namespace tanabana::gui
