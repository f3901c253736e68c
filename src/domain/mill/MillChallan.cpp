#include "domain/mill/MillChallan.h"

#include "core/Numbering.h"

namespace tanabana::mill {

Decimal MillIssue::totalMetres() const {
    Decimal sum;
    for (const MillIssueLine& l : lines) sum += l.metres;
    return sum;
}

Decimal MillReceiptLine::shortage() const { return (greyMetres - finishedMetres).roundHalfEven(3); }

Decimal MillReceiptLine::shortagePercent() const {
    if (greyMetres <= Decimal()) return {};
    return (shortage() * Decimal(100) / greyMetres).roundHalfEven(2);
}

Decimal MillReceiptLine::amount() const {
    if (finishedMetres <= Decimal() || rate <= Decimal()) return {};
    return (finishedMetres * rate).roundHalfEven(2);
}

MillReceiptTotals MillReceipt::totals() const {
    MillReceiptTotals t;
    for (const MillReceiptLine& l : lines) t.amount += l.amount();
    t.discount = t.amount.percent(discountPercent).roundHalfEven(2);
    t.gross = (t.amount - t.discount + otherPlus - otherLess).roundHalfEven(2);
    t.bill = (t.gross + otherAfter - otherAfterLess).billRoundOff();
    if (tdsPercent > Decimal()) t.tds = t.bill.percent(tdsPercent).billRoundOff();
    return t;
}

Decimal takaValue(const QString& takaNo) { return Decimal::fromDouble(LeadingNumber(takaNo.trimmed())).roundHalfEven(3); }

}  // namespace tanabana::mill
