#pragma once
// The register of stock vouchers ("3. Register" of the Inventory menu): every line of the issue
// and receipt vouchers over a period, what went out and what came back side by side, by party,
// by quality or by lot; the loom firm's form shows the design number and colour of each line
// and offers a design-wise view.
//
// Issue No 7 of 22 m grey to Laxmi Dyeing Mill under lot L-9 and receipt No 3 of 20 m under the
// same lot: the lot's sub-total reads Iss 22.000, Rec 20.000.
#include "domain/reports/Register.h"

#include <vector>

namespace tanabana::reports {

// Plain forms first, then the loom firm's ("loom-..."); all under the command "mnu_Inv3".
std::vector<RegisterDefinition> stockVoucherRegisters();
// Whether a register of that command is one of the loom firm's design-wise forms.
bool isLoomStockVoucherRegister(const RegisterDefinition& definition);

}  // namespace tanabana::reports
