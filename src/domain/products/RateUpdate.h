#pragma once
// Bulk change of item rates and tax details ("Item Rate & GST Rate Update"): the operator lists
// the firm's active items by group, name, SGST percent and HSN, ticks some, and raises a rate by
// a percentage (rounded to whole rupees: 10% on 105 gives 116) or sets one GST value on all.
#include "core/Decimal.h"
#include "core/Messages.h"
#include "core/Session.h"
#include "db/Database.h"

#include <optional>
#include <vector>

namespace tanabana::products {

struct RateListFilter {
    QString group;           // exact group, empty for all
    QString namePrefix;
    std::optional<Decimal> sgst;
    QString hsnPrefix;
};

struct RateListRow {
    qint64 id = 0;
    QString code, name, uqc, unit, hsn;
    int calcOn = 1;
    Decimal sgst, cgst, purchaseRate, salesRate, mrp, dealerRate;
    QString calcOnText() const { return calcOn == 2 ? QStringLiteral("Pcs") : QStringLiteral("Mtrs"); }
};

enum class RateKind { Dealer, Retail, Mrp };
enum class ValueHead { Gst, HsnCode, HsnDesc, Uqc };

// Names as the choice lists show them: "Dealer Rate", "Retail Rate", "MRP"; "CGST", "HSN Code",
// "HSN Desc", "UQC".
QString rateKindName(RateKind kind);
QString valueHeadName(ValueHead head);

// The new rate after a change of `percent`: Round(rate + rate x percent / 100, 0), half to even.
Decimal changedRate(Decimal rate, Decimal percent);

class RateUpdate {
public:
    RateUpdate(db::Database& db, Session& session, Messages& messages) : db_(db), session_(session), messages_(messages) {}
    std::vector<RateListRow> list(const RateListFilter& filter);
    static QStringList captions();
    // Changes the chosen rate of the ticked items; asks first, "Rate Changed" at the end.
    bool changeRates(const std::vector<qint64>& ids, RateKind kind, Decimal percent);
    // Sets one value on the ticked items; for GST the entered percent becomes both SGST and CGST.
    bool changeValue(const std::vector<qint64>& ids, ValueHead head, const QString& value);

private:
    bool prepared(const std::vector<qint64>& ids, const QString& what);
    db::Database& db_;
    Session& session_;
    Messages& messages_;
};

}  // namespace tanabana::products
