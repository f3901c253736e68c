#pragma once
// The selling registers of the report menus, each a declaration over the sales bills, delivery
// challans or produced takas of the firm: the bill-wise sales register by date, party or book
// ("1. Bill Wise Register"), the quality-wise and HSN-wise sales summaries ("3. Item Wise
// Summary"), the challan register by date or party ("1. Challan Wise Register"), the challans not
// yet billed ("6. Pending Challan Summary") and the register of produced takas ("3. Stock
// Register" of the production menu).
#include "domain/reports/Register.h"

#include <vector>

namespace tanabana::reports {

const std::vector<RegisterDefinition>& sellingRegisters();
// The register of that command-line name ("sales-by-party"), or null.
const RegisterDefinition* findRegister(const QString& name);
// The variants a menu command offers, in the order of its kind list.
std::vector<const RegisterDefinition*> registersOfCommand(const QString& menuCommand);
// The menu commands that open registers.
QStringList registerCommands();

}  // namespace tanabana::reports
