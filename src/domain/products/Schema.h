#pragma once
// The product master and its small companions: items (qualities) per firm, brokers and haste
// agents, and the list of standard item remarks. Processes, looms and consumption sheets live in
// tables the year database's base structure creates; this module only reads and writes them.
#include "db/Schema.h"

#include <vector>

namespace tanabana::products {

const db::TableDef& prodMstTable();
const db::TableDef& brokerMstTable();
const db::TableDef& prodVatMstTable();
// Every table defined here, for the width registry.
std::vector<db::TableDef> productTables();

std::vector<db::MigrationStep> productsSteps();

}  // namespace tanabana::products
