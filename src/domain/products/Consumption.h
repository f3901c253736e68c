#pragma once
// The yarn consumption and costing sheet of a fabric quality: how many kilograms of each warp and
// weft yarn one piece of fabric takes, and what the piece costs in yarn, weaving, processing and
// transport. Denier is grams per 9,000 metres; a metre is 39.37 inches.
//
//   A piece 3937 inches long (100 m), 48 inches wide, with a weft of 150 denier at 60 picks:
//   150 x 48 x 60 x 100 / 9,000,000 = 4.800 kg of weft before wastage; at 2% weft wastage
//   4.896 kg; at 210.00 a kilogram 1028.160 of yarn.
#include "core/Decimal.h"
#include "core/Messages.h"
#include "core/Session.h"
#include "db/Database.h"
#include "domain/products/Common.h"

#include <QDate>
#include <optional>
#include <vector>

namespace tanabana::products {

struct YarnLine {
    bool weft = true;        // PType 1 weft, otherwise warp
    qint64 yarnId = 0;       // QID: the yarn item
    Decimal denier;          // Q1
    Decimal picks;           // Q3: picks of a weft, ends of a warp
    Decimal rate;            // Price: the yarn's rate a kilogram
    // Worked out by computeSheet:
    Decimal weight;          // Wt, kilograms with wastage, three decimals
    Decimal cost;            // weight x rate, three decimals
};

struct ConsumptionSheet {
    qint64 itemId = 0;       // ID: the fabric item
    int subId = 0;           // Sub_Id: 0 for a new sheet
    QDate entryDate;
    Decimal length;          // F_L: fabric length in inches
    Decimal width;           // F_W: width in inches ("Panno")
    Decimal weftWaste;       // Waste1 percent
    Decimal warpWaste;       // Waste2 percent
    Decimal costPerPick;     // job cost a pick
    Decimal processing;      // ProcCh
    Decimal transport;       // TransCh
    Decimal stockInch;       // StockInch_1, kept as it was
    std::vector<YarnLine> lines;
};

struct SheetTotals {
    Decimal metres;          // fabric metres, three decimals
    Decimal warpWeight, weftWeight, totalWeight;
    Decimal warpCost, weftCost;
    Decimal totalEnds, totalPicks;
    Decimal jobCost;         // three decimals
    Decimal totalCost;       // two decimals
};

// Fabric metres of a length in inches, three decimals.
Decimal fabricMetres(Decimal lengthInches);
// Kilograms of one yarn line with its wastage, before the three-decimal display: the base weight
// rounded to six decimals plus its wastage rounded to five.
Decimal weftWeight(Decimal denier, Decimal widthInches, Decimal picks, Decimal lengthInches, Decimal wastePercent);
Decimal warpWeight(Decimal denier, Decimal ends, Decimal lengthInches, Decimal wastePercent);
// Weaving cost: cost a pick x total picks x fabric metres, three decimals.
Decimal jobCost(Decimal costPerPick, Decimal totalPicks, Decimal lengthInches);
// Fills each line's weight and cost and returns the sheet's totals.
SheetTotals computeSheet(ConsumptionSheet& sheet);

// A fabric or yarn item as the sheet's pick lists show it.
struct SheetItem {
    qint64 id = 0;
    QString name, designNo, colour, qualityType;
    Decimal denier;          // Mrp of a yarn
    Decimal totalCards;      // BoxPack
    Decimal picksOnLoom;     // Ratew
    Decimal purchaseRate;
};

class ConsumptionMaster {
public:
    ConsumptionMaster(db::Database& db, Session& session, Messages& messages) : db_(db), session_(session), messages_(messages) {}

    // The sheet of a fabric item (its latest one when subId is 0).
    std::optional<ConsumptionSheet> load(qint64 itemId, int subId = 0);
    // Saves header and lines in one transaction; "One Transaction Is Saved.". Returns the Sub_Id.
    std::optional<int> save(ConsumptionSheet sheet, Refusal* refusal = nullptr);
    bool remove(qint64 itemId, int subId);
    // "Show": the newest sheet of another item of the same design and quality type, as a new
    // sheet for this item (not saved).
    std::optional<ConsumptionSheet> copyFromSameDesign(qint64 itemId);

    // Fabric items (grey, active) that have no sheet yet; yarns of the firm.
    std::vector<SheetItem> fabricsWithoutSheet();
    std::vector<SheetItem> yarns();
    std::optional<SheetItem> item(qint64 id);
    // Item ids of the firm that have a sheet, with their design numbers, for the sheet list.
    std::vector<SheetItem> fabricsWithSheet();

private:
    bool validate(const ConsumptionSheet& sheet, Refusal* refusal);
    db::Database& db_;
    Session& session_;
    Messages& messages_;
};

}  // namespace tanabana::products
