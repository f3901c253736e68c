#pragma once
// The tables of what a firm buys: purchase bills (BillMst, lines in BillDtl; goods, expense and
// opening bills share them, told apart by GenPurAccId and IsOp), with the taka list of line 1 in
// BillMst_TakaDetail and the purchase challans in BillMSt_Ch / BillDtl_Ch.
#include "db/Schema.h"

#include <vector>

namespace tanabana::trade {

const db::TableDef& billMstTable();
const db::TableDef& billDtlTable();
std::vector<const db::TableDef*> purchaseTables();
std::vector<db::MigrationStep> purchaseSteps();

}  // namespace tanabana::trade
