#include "domain/products/Consumption.h"

#include "core/YearLock.h"

namespace tanabana::products {

namespace {

using Wide = __int128;

// The sheet's inputs are kept to three decimals and multiplied as whole thousandths, so a
// weight is one exact division: no rounding happens before the named ones.
Wide thousandths(Decimal value) { return Wide(value.roundHalfEven(3).units() / 1000); }

Wide divideHalfEven(Wide numerator, Wide denominator) {
    Wide q = numerator / denominator;
    Wide r = numerator % denominator;
    if (r == 0) return q;
    const Wide twice = (r < 0 ? -r : r) * 2;
    if (twice > denominator || (twice == denominator && q % 2 != 0)) q += numerator < 0 ? -1 : 1;
    return q;
}

// 9,000,000 metres of denier x 39.37 inches a metre, as whole numbers (39.37 = 3937 / 100).
constexpr Wide kDenierInches = Wide(9000000) * 3937 / 100;

Decimal withWastage(Wide baseMicro, Decimal wastePercent) {
    // wastage = base x waste / 100 rounded to five decimals, in millionths
    const Wide wasteMicro = divideHalfEven(baseMicro * thousandths(wastePercent), Wide(1000) * 100 * 10) * 10;
    return Decimal::fromUnits(std::int64_t(baseMicro + wasteMicro));
}

}  // namespace

Decimal fabricMetres(Decimal lengthInches) {
    return Decimal::fromUnits(std::int64_t(divideHalfEven(thousandths(lengthInches) * 100, 3937) * 1000));
}

Decimal weftWeight(Decimal denier, Decimal widthInches, Decimal picks, Decimal lengthInches, Decimal wastePercent) {
    const Wide product = thousandths(denier) * thousandths(widthInches) * thousandths(picks) * thousandths(lengthInches);
    // product carries 10^12; the weight in millionths is product / 10^12 / kDenierInches x 10^6
    const Wide base = divideHalfEven(product, Wide(1000000) * kDenierInches);
    return withWastage(base, wastePercent);
}

Decimal warpWeight(Decimal denier, Decimal ends, Decimal lengthInches, Decimal wastePercent) {
    const Wide product = thousandths(denier) * thousandths(ends) * thousandths(lengthInches);
    const Wide base = divideHalfEven(product, Wide(1000) * kDenierInches);
    return withWastage(base, wastePercent);
}

Decimal jobCost(Decimal costPerPick, Decimal totalPicks, Decimal lengthInches) {
    // cost x picks x inches / 39.37 to three places; the rate a pick keeps every place typed
    // (0.0875 a pick, 60 picks, 100 m: 525.000, not 528.000 of a rate cut to 0.088).
    // product carries 10^12 (millionths x thousandths x thousandths): x 100 / 3937 / 10^9 gives thousandths
    const Wide product = Wide(costPerPick.units()) * thousandths(totalPicks) * thousandths(lengthInches);
    return Decimal::fromUnits(std::int64_t(divideHalfEven(product * 100, Wide(1000000000) * 3937) * 1000));
}

SheetTotals computeSheet(ConsumptionSheet& sheet) {
    SheetTotals t;
    t.metres = fabricMetres(sheet.length);
    for (YarnLine& line : sheet.lines) {
        const Decimal weight = line.weft ? weftWeight(line.denier, sheet.width, line.picks, sheet.length, sheet.weftWaste)
                                         : warpWeight(line.denier, line.picks, sheet.length, sheet.warpWaste);
        line.weight = weight.roundHalfEven(3);
        line.cost = (line.weight * line.rate).roundHalfEven(3);
        if (line.weft) {
            t.weftWeight += line.weight;
            t.weftCost += line.cost;
            t.totalPicks += line.picks;
        } else {
            t.warpWeight += line.weight;
            t.warpCost += line.cost;
            t.totalEnds += line.picks;
        }
    }
    t.totalWeight = t.warpWeight + t.weftWeight;
    t.jobCost = jobCost(sheet.costPerPick, t.totalPicks, sheet.length);
    t.totalCost = (t.warpCost + t.weftCost + t.jobCost + sheet.processing + sheet.transport).roundHalfEven(2);
    return t;
}

// ---- The sheets of a firm ----

namespace {

SheetItem sheetItemFromRow(const db::Row& r) {
    SheetItem i;
    i.id = r.integer(QStringLiteral("Id"));
    i.name = r.text(QStringLiteral("ProdName"));
    i.designNo = r.text(QStringLiteral("ProdSubGrp"));
    i.colour = r.text(QStringLiteral("P1"));
    i.qualityType = r.text(QStringLiteral("ProdGrp"));
    i.denier = Decimal::fromVariant(r.value(QStringLiteral("Mrp")));
    i.totalCards = Decimal::fromVariant(r.value(QStringLiteral("BoxPack")));
    i.picksOnLoom = Decimal::fromVariant(r.value(QStringLiteral("Ratew")));
    i.purchaseRate = Decimal::fromVariant(r.value(QStringLiteral("PurRAte")));
    return i;
}

const QString kItemColumns = QStringLiteral("Id, ProdName, ProdSubGrp, P1, ProdGrp, Mrp, BoxPack, Ratew, PurRAte");

}  // namespace

std::optional<SheetItem> ConsumptionMaster::item(qint64 id) {
    const auto r = db_.queryOne(QStringLiteral("SELECT %1 FROM ProdMst WHERE Id = ?").arg(kItemColumns), {id});
    if (!r) return std::nullopt;
    return sheetItemFromRow(*r);
}

std::vector<SheetItem> ConsumptionMaster::fabricsWithoutSheet() {
    std::vector<SheetItem> items;
    for (const db::Row& r : db_.query(QStringLiteral("SELECT %1 FROM ProdMst WHERE FirmNO = ? AND IsActive = 1 AND MrpDisc = 0 AND "
                                                     "NOT EXISTS (SELECT 1 FROM ConSumptionMst_Grey g WHERE g.ID = ProdMst.Id) "
                                                     "ORDER BY ProdSubGrp, P1, ProdName")
                                          .arg(kItemColumns),
                                      {session_.firmNo}))
        items.push_back(sheetItemFromRow(r));
    return items;
}

std::vector<SheetItem> ConsumptionMaster::fabricsWithSheet() {
    std::vector<SheetItem> items;
    for (const db::Row& r : db_.query(QStringLiteral("SELECT %1 FROM ProdMst WHERE FirmNO = ? AND "
                                                     "EXISTS (SELECT 1 FROM ConSumptionMst_Grey g WHERE g.ID = ProdMst.Id) "
                                                     "ORDER BY ProdSubGrp, P1, ProdName")
                                          .arg(kItemColumns),
                                      {session_.firmNo}))
        items.push_back(sheetItemFromRow(r));
    return items;
}

std::vector<SheetItem> ConsumptionMaster::yarns() {
    std::vector<SheetItem> items;
    for (const db::Row& r : db_.query(QStringLiteral("SELECT %1 FROM ProdMst WHERE FirmNO = ? AND (StkType = 'Y' OR MrpDisc = 1) "
                                                     "ORDER BY ProdGrp, P1, ProdName")
                                          .arg(kItemColumns),
                                      {session_.firmNo}))
        items.push_back(sheetItemFromRow(r));
    return items;
}

std::optional<ConsumptionSheet> ConsumptionMaster::load(qint64 itemId, int subId) {
    const auto h = subId > 0 ? db_.queryOne(QStringLiteral("SELECT * FROM ConSumptionMst_Grey WHERE ID = ? AND Sub_Id = ?"), {itemId, subId})
                             : db_.queryOne(QStringLiteral("SELECT * FROM ConSumptionMst_Grey WHERE ID = ? ORDER BY Sub_Id DESC") +
                                                db_.dialect().limit(1),
                                            {itemId});
    if (!h) return std::nullopt;
    ConsumptionSheet s;
    auto dec = [&h](const char* c) { return Decimal::fromVariant(h->value(QString::fromLatin1(c))); };
    s.itemId = itemId;
    s.subId = int(h->integer(QStringLiteral("Sub_Id")));
    s.entryDate = h->date(QStringLiteral("EntryDt"));
    s.length = dec("F_L");
    s.width = dec("F_W");
    s.weftWaste = dec("Waste1");
    s.warpWaste = dec("Waste2");
    s.costPerPick = dec("CostPerPick");
    s.processing = dec("ProcCh");
    s.transport = dec("TransCh");
    s.stockInch = dec("StockInch_1");
    for (const db::Row& r : db_.query(QStringLiteral("SELECT * FROM ConSumptionMst_Dtl WHERE ProdId = ? AND Sub_Id = ? ORDER BY PType, Srno"),
                                      {itemId, s.subId})) {
        YarnLine l;
        l.weft = r.integer(QStringLiteral("PType")) == 1;
        l.yarnId = r.integer(QStringLiteral("QID"));
        l.denier = Decimal::fromVariant(r.value(QStringLiteral("Q1")));
        l.picks = Decimal::fromVariant(r.value(QStringLiteral("Q3")));
        l.rate = Decimal::fromVariant(r.value(QStringLiteral("Price")));
        s.lines.push_back(l);
    }
    computeSheet(s);
    return s;
}

bool ConsumptionMaster::validate(const ConsumptionSheet& sheet, Refusal* refusal) {
    auto refuse = [&](const char* field, const QString& t, const QString& text) {
        if (refusal) refusal->field = QString::fromLatin1(field);
        messages_.critical(t, text);
        return false;
    };
    if (sheet.itemId <= 0 || !item(sheet.itemId))
        return refuse("ID", QStringLiteral("System Validation"), QStringLiteral("Please Select Party NAme and Quality"));
    const Decimal hundred(100);
    if (sheet.weftWaste.isNegative() || sheet.weftWaste > hundred || sheet.warpWaste.isNegative() || sheet.warpWaste > hundred)
        return refuse("Waste1", invalidEntryTitle(), QStringLiteral("Wastage % must be between 0 and 100"));
    if (sheet.length.isNegative() || sheet.length > Decimal(1000000) || sheet.width.isNegative() || sheet.width > Decimal(1000))
        return refuse("F_L", invalidEntryTitle(), QStringLiteral("Fabric length must be 0 to 10,00,000 inches and width 0 to 1,000 inches"));
    for (Decimal v : {sheet.costPerPick, sheet.processing, sheet.transport})
        if (v.isNegative() || v > Decimal(100000000))
            return refuse("CostPerPick", invalidEntryTitle(), QStringLiteral("Costs and charges can not be negative"));
    for (const YarnLine& l : sheet.lines) {
        if (l.yarnId <= 0 || !item(l.yarnId))
            return refuse("QID", invalidEntryTitle(), QStringLiteral("Please choose the yarn of every line"));
        if (l.denier.isNegative() || l.denier > Decimal(100000) || l.picks.isNegative() || l.picks > Decimal(1000000) ||
            l.rate.isNegative() || l.rate > Decimal(10000000))
            return refuse("Q1", invalidEntryTitle(), QStringLiteral("Denier, picks or ends and rate of a yarn can not be negative or absurd"));
    }
    return true;
}

std::optional<int> ConsumptionMaster::save(ConsumptionSheet sheet, Refusal* refusal) {
    if (yearLockRefuses(session_, messages_)) return std::nullopt;
    if (!validate(sheet, refusal)) return std::nullopt;
    const SheetTotals totals = computeSheet(sheet);
    if (!sheet.entryDate.isValid()) sheet.entryDate = session_.loginDate.isValid() ? session_.loginDate : QDate::currentDate();
    db::Transaction tx(db_);
    if (sheet.subId <= 0)
        sheet.subId = int(db_.nextKey(QStringLiteral("ConSumptionMst_Grey"), QStringLiteral("Sub_Id"), QStringLiteral("ID = ?"), {sheet.itemId}));
    db_.exec(QStringLiteral("DELETE FROM ConSumptionMst_Grey WHERE ID = ? AND Sub_Id = ?"), {sheet.itemId, sheet.subId});
    db_.exec(QStringLiteral("INSERT INTO ConSumptionMst_Grey (ID, Sub_Id, FirmNo, EntryDt, F_L, F_W, Waste1, Waste2, CostPerPick, "
                            "ProcCh, TransCh, Warp_Wt, Weft_Wt, Warp_Cost, Weft_Cost, Jobcost, StockInch_1) "
                            "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
             {sheet.itemId, sheet.subId, session_.firmNo, sheet.entryDate, sheet.length.toDouble(), sheet.width.toDouble(),
              sheet.weftWaste.toDouble(), sheet.warpWaste.toDouble(), sheet.costPerPick.toDouble(), sheet.processing.toDouble(),
              sheet.transport.toDouble(), totals.warpWeight.toDouble(), totals.weftWeight.toDouble(), totals.warpCost.toDouble(),
              totals.weftCost.toDouble(), totals.jobCost.toDouble(), sheet.stockInch.toDouble()});
    db_.exec(QStringLiteral("DELETE FROM ConSumptionMst_Dtl WHERE ProdId = ? AND Sub_Id = ?"), {sheet.itemId, sheet.subId});
    int srno = 0;
    for (const YarnLine& l : sheet.lines)
        db_.exec(QStringLiteral("INSERT INTO ConSumptionMst_Dtl (ProdId, Sub_Id, Srno, PType, QID, Q1, Q3, Wt, Price) "
                                "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                 {sheet.itemId, sheet.subId, ++srno, l.weft ? 1 : 2, l.yarnId, l.denier.toDouble(), l.picks.toDouble(),
                  l.weight.toDouble(), l.rate.toDouble()});
    tx.commit();
    messages_.information(QStringLiteral("SAVE Confirmation"), QStringLiteral("One Transaction Is Saved."));
    return sheet.subId;
}

bool ConsumptionMaster::remove(qint64 itemId, int subId) {
    if (yearLockRefuses(session_, messages_)) return false;
    if (!load(itemId, subId)) return false;
    if (!messages_.ask(QStringLiteral("Delete Confirmation"), QStringLiteral("Are You Sure To Delete This Consumption"))) return false;
    db::Transaction tx(db_);
    db_.exec(QStringLiteral("DELETE FROM ConSumptionMst_Grey WHERE ID = ? AND Sub_Id = ?"), {itemId, subId});
    db_.exec(QStringLiteral("DELETE FROM ConSumptionMst_Dtl WHERE ProdId = ? AND Sub_Id = ?"), {itemId, subId});
    tx.commit();
    messages_.information(QStringLiteral("Delete Confirmation"), QStringLiteral("Item Fabric Deleted!"));
    return true;
}

std::optional<ConsumptionSheet> ConsumptionMaster::copyFromSameDesign(qint64 itemId) {
    const auto fabric = item(itemId);
    if (!fabric || fabric->designNo.trimmed().isEmpty() || fabric->qualityType.trimmed().isEmpty()) {
        messages_.critical(QStringLiteral("Consumption Master"), QStringLiteral("No Design + Qlty Type Found"));
        return std::nullopt;
    }
    const auto source = db_.queryOne(
        QStringLiteral("SELECT g.ID, g.Sub_Id FROM ConSumptionMst_Grey g JOIN ProdMst p ON p.Id = g.ID "
                       "WHERE p.FirmNO = ? AND g.ID <> ? AND lower(p.ProdSubGrp) = lower(?) AND lower(p.ProdGrp) = lower(?) "
                       "ORDER BY g.EntryDt DESC, g.ID DESC") + db_.dialect().limit(1),
        {session_.firmNo, itemId, fabric->designNo.trimmed(), fabric->qualityType.trimmed()});
    if (!source) {
        messages_.critical(QStringLiteral("Consumption Master"), QStringLiteral("No Item Found In Consumption Master"));
        return std::nullopt;
    }
    auto sheet = load(source->integer(QStringLiteral("ID")), int(source->integer(QStringLiteral("Sub_Id"))));
    if (!sheet) return std::nullopt;
    sheet->itemId = itemId;
    sheet->subId = 0;
    sheet->entryDate = QDate();
    return sheet;
}

}  // namespace tanabana::products
