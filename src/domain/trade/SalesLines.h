#pragma once
// Where the lines of a sales bill come from besides typing: the item's own defaults (rate, rate
// basis, cut, GST), the lines of a delivery challan (one per challan line, or summed per quality,
// rate basis, rate and GST), and quick entry by colour (one quantity and one rate for every ticked
// colour of a design).
//
// A challan of 3 takas of "Rapier 60" at 52.25 (110, 105.5 and 98 m) summed becomes one bill line
// of 313.5 m at 52.25 that still names its challan, so billing it marks that challan sold.
#include "core/Messages.h"
#include "db/Database.h"
#include "domain/trade/SalesBill.h"

#include <optional>
#include <vector>

namespace tanabana::trade {

// A line of the item with its defaults: list rate (RAteR), rate basis ("P" when CalcOn is 2), cut
// (Pack), SGST, CGST and whether the rate includes GST. Nullopt when the firm has no such item.
std::optional<SalesLine> lineForItem(db::Database& db, qint64 firmNo, qint64 itemId);

// The challan's lines as bill lines, each naming the challan (DChId) and its first line (DchIdSno).
std::vector<SalesLine> salesLinesFromChallan(db::Database& db, qint64 challanId, bool summed);

// The colours of a design number (those starting with `colourPrefix`): the firm's active items
// with that ProdSubGrp, by colour. Columns: "Colour", "Qlty Type", "Rate", "Rate On", "Cut",
// "SGST", "CGST", Id.
db::Rows designColours(db::Database& db, qint64 firmNo, const QString& designNo, const QString& colourPrefix = {});

// How a bill line names its item on screen.
struct ItemLabel {
    QString name, designNo, colour, qualityType;
};
ItemLabel itemLabel(db::Database& db, qint64 itemId);

// One line per item at one quantity and one rate: pieces for items sold by the piece (metres are
// pieces x cut), metres otherwise. Refused with "Please Enter Qnty " / "Please Enter Sales Rate".
std::optional<std::vector<SalesLine>> colourLines(db::Database& db, qint64 firmNo, Messages& messages,
                                                  const std::vector<qint64>& itemIds, const QString& quantity,
                                                  const QString& rate);

}  // namespace tanabana::trade
