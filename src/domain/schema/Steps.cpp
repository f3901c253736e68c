#include "domain/schema/Steps.h"

#include "domain/accounts/AccountsSchema.h"
#include "domain/gst/GstSchema.h"
#include "domain/jobwork/MillSchema.h"
#include "domain/ledger/Schema.h"
#include "domain/masters/DefaultChart.h"
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

void append(std::vector<db::MigrationStep>& all, std::vector<db::MigrationStep> more) {
    for (auto& step : more) all.push_back(std::move(step));
}

}  // namespace

std::vector<db::MigrationStep> yearListSteps() {
    std::vector<db::MigrationStep> steps;
    append(steps, shell::shellYearListSteps());
    return steps;
}

std::vector<db::MigrationStep> yearDatabaseSteps() {
    std::vector<db::MigrationStep> steps;
    append(steps, shell::shellYearSteps());
    append(steps, masters::mastersSteps());
    steps.push_back(masters::templateChartStep());
    append(steps, trade::tradeSteps());
    append(steps, trade::purchaseSteps());
    append(steps, products::productsSteps());
    append(steps, ledger::ledgerSteps());
    append(steps, reports::reportsSteps());
    append(steps, gst::gstSteps());
    append(steps, vouchers::voucherSteps());
    append(steps, jobwork::millSteps());
    append(steps, accounts::accountsSteps());
    append(steps, returns::returnSteps());
    append(steps, stock::stockSteps());
    return steps;
}

}  // namespace tanabana::schema
