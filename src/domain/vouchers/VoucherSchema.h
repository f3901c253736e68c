#pragma once
// What cash, bank and journal vouchers add to a year database: the settling voucher and the
// waiting-difference mark on every sales and purchase bill (SalBillMst/BillMst VouNO and IsJV),
// the work table the bank payment's cheques print from (PaymentMStChq), and the upload mark of
// the recurring cash payment schedules. A voucher itself has no header table: it is its journal
// lines (HeadDtl3) and the bill settlements of its entries (Acc_OutSt).
#include "db/Schema.h"

#include <vector>

namespace tanabana::vouchers {

db::TableDef chequeWorkTable();
std::vector<db::TableDef> voucherTables();
std::vector<db::MigrationStep> voucherSteps();

}  // namespace tanabana::vouchers
