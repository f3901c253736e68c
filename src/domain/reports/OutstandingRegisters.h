#pragma once
// What the parties still owe and are owed on a date, bill by bill: the report menu's sales and
// purchase outstanding ("5. OutStanding" / "1. Sales", "2. Purchase") and the ageing register
// ("3. Aiging Register"). A bill counts on the date D when it is dated up to D and was not closed
// by a settlement dated up to D; its unpaid amount is the bill less its TDS less what the
// settlements dated up to D paid, so a bill paid after D shows in full. Each bill carries its days
// since the bill date, its days past the due date and its unpaid amount under one of the ageing
// columns 0-30, 31-60, 61-90 and over 90 days.
#include "domain/reports/Register.h"

#include <vector>

namespace tanabana::reports {

std::vector<RegisterDefinition> outstandingRegisters();

}  // namespace tanabana::reports
