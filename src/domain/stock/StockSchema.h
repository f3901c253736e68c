#pragma once
// The tables of stock movements without a bill that the stock statements read besides the
// documents: StockTransfer, stock moved from one item to another on a date (the item merge
// writes it), the index that numbers stock vouchers per kind and book, and the one that finds
// the mill lines that gave grey back.
#include "db/Schema.h"

#include <vector>

namespace tanabana::stock {

const db::TableDef& stockTransferTable();

// Every table of this subsystem, for the width registry.
std::vector<const db::TableDef*> stockTables();
std::vector<db::MigrationStep> stockSteps();

}  // namespace tanabana::stock
