#pragma once
// The captions of the main window's dashboard buttons and the command each runs ("Sales" runs
// the sales invoice, "Ledger" the ledger report), edited by the operator.
#include "core/Messages.h"
#include "db/Database.h"

#include <vector>

namespace tanabana::reports {

struct DashboardButton {
    int number = 0;   // Srno, the display order
    QString label;    // LBLnm
    QString command;  // Mnu_Nm
    bool shown = false;
};

std::vector<DashboardButton> dashboardButtons(db::Database& db);
// Saves one button; an empty label is refused ("Print Name Should Not Be Empty"); on success
// "Lable Updated!" (title "Save Confirm").
bool saveDashboardButton(db::Database& db, Messages& messages, const DashboardButton& button);

}  // namespace tanabana::reports
