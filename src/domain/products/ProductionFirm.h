#pragma once
// Bringing the items of a production (loom) firm into the shape its screens expect, on opening
// its year: the quality types (item groups) become the "Rapier Product Type" list when that list is
// still empty, the item type follows the stock type (yarns and raw material 1, others 2, fabric
// 0), and an item without design number takes its name as the design number.
#include "db/Database.h"

namespace tanabana::products {

// Returns the number of quality types added to the list (0 when the list already had entries).
int prepareProductionItems(db::Database& db);

}  // namespace tanabana::products
