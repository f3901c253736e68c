#pragma once
// The line tables of sales and purchase bills, declared once in their services and shared with
// the returns, which keep their lines in the same tables with the same meanings.
#include "domain/documents/TableMap.h"
#include "domain/trade/PurchaseBill.h"
#include "domain/trade/SalesBill.h"

#include <vector>

namespace tanabana::trade {

// One SalBillDtl line as written: the typed line, its computed amounts, its bill and place.
struct SalesLineRow {
    const SalesLine& line;
    const InvoiceLine& computed;
    qint64 billId = 0;
    int srno = 0;
};
const documents::TableMap<SalesLineRow, SalesLine>& salesLineTable();
// The bill's lines with the rates it stored (the item's GST-inclusive mark joined to each line).
std::vector<SalesLine> readSalesLines(db::Database& db, qint64 billId);

// One BillDtl line as written.
struct PurchaseLineRow {
    const PurchaseLine& line;
    const InvoiceLine& computed;
    qint64 billId = 0;
    int srno = 0;
};
const documents::TableMap<PurchaseLineRow, PurchaseLine>& purchaseLineTable();

}  // namespace tanabana::trade
