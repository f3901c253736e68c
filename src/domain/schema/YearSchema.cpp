#include "domain/schema/YearSchema.h"

#include "domain/jobwork/MillSchema.h"
#include "domain/ledger/Schema.h"
#include "domain/masters/Schema.h"
#include "domain/products/Schema.h"
#include "domain/reports/Schema.h"
#include "domain/returns/ReturnSchema.h"
#include "domain/shell/Schema.h"
#include "domain/stock/StockSchema.h"
#include "domain/trade/PurchaseSchema.h"
#include "domain/trade/Schema.h"
#include "domain/vouchers/VoucherSchema.h"

namespace tanabana::schema {

namespace {

void addAll(db::ColumnWidths& widths, const std::vector<db::TableDef>& tables) {
    for (const db::TableDef& t : tables) widths.add(t);
}

}  // namespace

const db::ColumnWidths& yearColumnWidths() {
    static const db::ColumnWidths widths = [] {
        db::ColumnWidths w;
        addAll(w, shell::shellYearTables());
        addAll(w, ledger::ledgerTables());
        addAll(w, reports::reportsYearTables());
        w.add(shell::yearListTable());
        w.add(shell::loginTable());
        for (const db::TableDef* table : masters::mastersTables()) w.add(*table);
        for (const db::TableDef* table : trade::tradeTables()) w.add(*table);
        for (const db::TableDef* table : trade::purchaseTables()) w.add(*table);
        addAll(w, products::productTables());
        addAll(w, vouchers::voucherTables());
        for (const db::TableDef* table : jobwork::millTables()) w.add(*table);
        for (const db::TableDef* table : returns::returnTables()) w.add(*table);
        for (const db::TableDef* table : stock::stockTables()) w.add(*table);
        return w;
    }();
    return widths;
}

}  // namespace tanabana::schema
