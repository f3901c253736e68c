#pragma once
// Rules of tax law that hold between two dates, kept as data so that a change of law is one line:
// TCS on the sale of goods (a party's sales above 50 lakh in the year) was collected on bills from
// 1 October 2020 and withdrawn for bills from 1 April 2025, so a bill of 10-04-2025 is not
// proposed the firm's TCS percent while one of 10-03-2025 still is.
#include <QDate>
#include <QString>
#include <vector>

namespace tanabana::trade {

struct DatedRule {
    QString name;
    QDate from;   // first bill date the rule applies to
    QDate until;  // last bill date; invalid while the rule stands
    bool appliesOn(const QDate& date) const { return date >= from && (!until.isValid() || date <= until); }
};

// TCS collected by the seller on the sale of goods above the yearly threshold.
const DatedRule& tcsOnSaleOfGoods();
// Every dated rule the program knows, for a list shown to the operator.
const std::vector<DatedRule>& datedRules();

}  // namespace tanabana::trade
