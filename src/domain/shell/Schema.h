#pragma once
// Tables of the session and shell: the year list database (financial years and operators with
// their rights) and, in every year database, the firms, the function-key texts, and the tables
// that later releases added for machines, production, consumption, rate memory, challan bills,
// stock issue slips, dashboard buttons, print copy names and the upload's deletion history.
#include "db/Schema.h"

#include <QStringList>
#include <vector>

namespace tanabana::shell {

// Every rights column of LoginMst in menu order (IsNew, IsView, ..., UT8): one per menu command.
const QStringList& rightsColumns();

db::TableDef yearListTable();
db::TableDef loginTable();

db::TableDef firmTable();
db::TableDef funKeyTable();
// The tables added over the years for machines, production, job rates, challan bills, stock
// issue slips, work tables, dashboard buttons, print copy names and the deletion history.
std::vector<db::TableDef> addedYearTables();

// The ten dashboard buttons every year database starts with (Srno, caption, menu, shown, firm 1).
void fillDashboardButtons(db::Database& db);

std::vector<db::MigrationStep> shellYearListSteps();
std::vector<db::MigrationStep> shellYearSteps();
// Every table of this subsystem in a year database (for the width registry).
std::vector<db::TableDef> shellYearTables();

}  // namespace tanabana::shell
