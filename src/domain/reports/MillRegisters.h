#pragma once
// The mill registers of the Job Work menu: the issue challans sent to the mills over a period
// (by mill, by grey quality or by job process), the receipt challans that came back with their
// shortage and bill, and the takas still at each mill on a date with what came back of them by
// then, grey given back included.
//
// Taka 101 of 100 m issued on 10-06 and received 60 m on 20-06: on 15-06 it is pending with
// 100 m, on 30-06 with 40 m.
#include "domain/reports/Register.h"

#include <vector>

namespace tanabana::reports {

std::vector<RegisterDefinition> millRegisters();

}  // namespace tanabana::reports
