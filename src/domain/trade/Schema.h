#pragma once
// The tables of selling: sales bills (SalBillMst header, SalBillDtl lines) and delivery challans
// (ChalanMst header, ChalanDtl lines). Their migration steps are listed in domain/schema/Steps.cpp.
#include "db/Schema.h"

#include <vector>

namespace tanabana::trade {

const db::TableDef& salBillMstTable();
const db::TableDef& salBillDtlTable();
const db::TableDef& chalanMstTable();
const db::TableDef& chalanDtlTable();

// Every table of this subsystem, for the width registry.
std::vector<const db::TableDef*> tradeTables();
std::vector<db::MigrationStep> tradeSteps();

}  // namespace tanabana::trade
