#include "domain/stock/StockSchema.h"

namespace tanabana::stock {

using namespace db;

const TableDef& stockTransferTable() {
    // At most one row per firm, date and pair of items: a second transfer of the pair that day
    // replaces the first.
    static const TableDef table{QStringLiteral("StockTransfer"),
                                {dateCol(QStringLiteral("TDate")), withDefault(longCol(QStringLiteral("ProdId")), QStringLiteral("0")),
                                 withDefault(longCol(QStringLiteral("ProdId1")), QStringLiteral("0")),
                                 withDefault(doubleCol(QStringLiteral("Qty")), QStringLiteral("0")),
                                 withDefault(doubleCol(QStringLiteral("Qty2")), QStringLiteral("0")),
                                 withDefault(intCol(QStringLiteral("FirmNO")), QStringLiteral("0"))},
                                {},
                                {{QStringLiteral("StockTransfer_Pair"),
                                  {QStringLiteral("FirmNO"), QStringLiteral("TDate"), QStringLiteral("ProdId"), QStringLiteral("ProdId1")},
                                  true}}};
    return table;
}

std::vector<const TableDef*> stockTables() { return {&stockTransferTable()}; }

std::vector<MigrationStep> stockSteps() {
    return {{QStringLiteral("stock/001-stock-transfers-and-voucher-numbers"), [](Database& db) {
                 createTable(db, stockTransferTable());
                 // Each kind of stock voucher numbers its own series in each book.
                 db.exec(QStringLiteral("CREATE INDEX IF NOT EXISTS Iss_StockMst_Number ON Iss_StockMst (FirmNo, IType, BookId, BillNo)"));
             }},
            // The few mill lines that gave grey back, so the statement finds them without reading every taka.
            {QStringLiteral("stock/002-grey-returned-lines"), [](Database& db) {
                 db.exec(QStringLiteral("CREATE INDEX IF NOT EXISTS JobWork_IssueDtl_1_GreyRet ON JobWork_IssueDtl_1 (BillMstId) WHERE GreyRet <> 0"));
             }}};
}

}  // namespace tanabana::stock
