#pragma once
// What a document line takes from the product master when an item is entered: the default rates,
// the GST percentages (IGST = SGST + CGST), unit, HSN and its description, the GSTR-1 unit code,
// whether the amount runs on metres or pieces, and whether the item's rates include GST.
//
//   A sales line of item "Silk 60" (retail 105.00, rates with GST, 2.5% + 2.5%): the list rate is
//   105.00 and the rate without GST 105 x 100 / 105 = 100.0000.
#include "core/Decimal.h"
#include "db/Database.h"

#include <optional>

namespace tanabana::products {

struct ItemForLine {
    qint64 id = 0;
    QString code, name, name2, group, subGroup;
    QString unit, hsn, hsnDesc, uqc;
    QChar stockType;
    Decimal sgst, cgst;
    Decimal rateRetail, rateDealer, ratePurchase;
    Decimal cut;                 // Pack: the cut length of a piece
    Decimal mrp;
    bool ratesIncludeGst = false;
    QString pricedPer;           // "M" metres or quantity, "P" pieces
    bool inStockReports = true;

    Decimal igst() const { return sgst + cgst; }
    // A rate of this item without GST: unchanged when its rates exclude GST, otherwise
    // rate x 100 / (100 + SGST% + CGST%), four decimals.
    Decimal rateWithoutGst(Decimal rate) const;
};

// The item by its Id, whatever its firm (Ids are unique over all firms).
std::optional<ItemForLine> itemForLine(db::Database& db, qint64 id);
// The firm's item with this code.
std::optional<ItemForLine> itemForLineByCode(db::Database& db, qint64 firmNo, const QString& code);
// The items a document line may choose: active, not set aside as new products, by name, optionally
// narrowed to names or codes starting with the text.
std::vector<ItemForLine> itemsForLines(db::Database& db, qint64 firmNo, const QString& prefix = {});

}  // namespace tanabana::products
