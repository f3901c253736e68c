#include "domain/trade/DatedRules.h"

namespace tanabana::trade {

const std::vector<DatedRule>& datedRules() {
    static const std::vector<DatedRule> rules = {
        {QStringLiteral("TCS on sale of goods above 50 lakh"), QDate(2020, 10, 1), QDate(2025, 3, 31)},
    };
    return rules;
}

const DatedRule& tcsOnSaleOfGoods() { return datedRules().front(); }

}  // namespace tanabana::trade
