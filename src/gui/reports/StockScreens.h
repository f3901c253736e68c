#pragma once
// The stock statements of the report menu "1. Stock" on the register screen, with the options
// of their own under the period: the rate ("Pur Rate" / "Sal Rate"), quantity or "Nos", "Zero
// Qty", "Grouping" and the item group; the register summary also narrows by design number and
// colour. A loom firm (software type 9) gets the forms of its woven qualities. Beside them,
// "Where Is Each Taka": every taka's place on a date, found by its number; and the stock of woven
// takas design wise.
#include "core/Messages.h"
#include "core/Session.h"
#include "db/Database.h"
#include "gui/common/RegisterForm.h"

namespace tanabana::gui {

// The statement a menu command opens: "mnu_rep11" register summary, "mnu_rep12" statement on a
// date, "mnu_rep15" with the job work.
RegisterForm* stockStatementScreen(db::Database& year, Session& session, Messages& messages, const QString& command);
RegisterForm* takaTrailScreen(db::Database& year, Session& session, Messages& messages);
// The production menu's "3. Stock Register": the produced takas quality wise, or design wise with
// the loom, challan, taka range and the taka's state to narrow them.
RegisterForm* productionStockScreen(db::Database& year, Session& session, Messages& messages);

}  // namespace tanabana::gui
