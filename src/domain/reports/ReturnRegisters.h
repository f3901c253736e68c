#pragma once
// The registers of "8. Credit / Debit Note Register": credit notes and debit notes with the bill
// each refers to and their GST, and the sales and purchase returns with the bill the goods came
// from, the reason and how much of each was adjusted against bills.
#include "domain/reports/Register.h"

#include <vector>

namespace tanabana::reports {

std::vector<RegisterDefinition> returnRegisters();

}  // namespace tanabana::reports
