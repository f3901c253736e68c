#pragma once
// The bill-wise purchase register of the report menu ("3. Purchase" / "1. Bill Wise Register"),
// by date, by supplier and by book: every purchase bill of the period (opening bills left out),
// the supplier's own bill number, quantity, taxable amount, GST, TCS, other charges and net, with
// the expense bills of the general purchase books beside the goods bills.
#include "domain/reports/Register.h"

#include <vector>

namespace tanabana::reports {

std::vector<RegisterDefinition> purchaseRegisters();

}  // namespace tanabana::reports
