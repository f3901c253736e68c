#include "domain/trade/InvoiceMath.h"

#include "core/Words.h"

namespace tanabana::trade {

namespace {

const Decimal kHundred(100);

bool perPiece(const QString& rateOn) { return rateOn.trimmed().compare(QStringLiteral("P"), Qt::CaseInsensitive) == 0; }

// Net rate after the two discount percents, each step shown with four places.
Decimal discountedRate(const InvoiceLineInput& in) {
    if (in.netRate) return in.netRate->roundHalfEven(4);
    Decimal rate = (in.listRate - in.listRate.percent(in.discountPercent)).roundHalfEven(4);
    return (rate - rate.percent(in.secondDiscountPercent)).roundHalfEven(4);
}

// A GST-inclusive rate brought down to its taxable part.
Decimal withoutGst(Decimal rate, Decimal gstPercent) {
    return (rate * kHundred / (kHundred + gstPercent)).roundHalfEven(4);
}

}  // namespace

InvoiceLine computeLine(const InvoiceLineInput& in, bool igstBill) {
    InvoiceLine line;
    line.igst = igstBill;
    const Decimal gstPercent = in.sgstPercent + in.cgstPercent;
    const bool inclusive = in.gstCalc != 1 && !gstPercent.isZero();
    line.rate = discountedRate(in);
    line.rateBeforeDiscount = in.listRate;
    if (inclusive) {
        line.rate = withoutGst(line.rate, gstPercent);
        line.rateBeforeDiscount = withoutGst(in.listRate, gstPercent);
    }
    const Decimal basis = perPiece(in.rateOn) ? in.pieces : in.metres;
    line.amount = (basis * line.rate).roundHalfEven(2);
    line.gross = (basis * line.rateBeforeDiscount).roundHalfEven(2);

    if (!in.netRate && !in.discountPercent.isZero())
        line.discountAmount = line.gross.percent(in.discountPercent).roundHalfEven(3);
    else if (in.netRate)
        line.discountAmount = (line.gross - line.amount).roundHalfEven(3);
    if (!in.netRate && !in.secondDiscountPercent.isZero()) {
        line.secondDiscountAmount = (line.gross - line.discountAmount).percent(in.secondDiscountPercent).roundHalfEven(3);
    } else if (!in.secondDiscountAmount.isZero()) {
        line.secondDiscountAmount = in.secondDiscountAmount.roundHalfEven(3);
        line.amount = (line.amount - line.secondDiscountAmount).roundHalfEven(2);
    }

    line.freight = in.freight.roundHalfEven(2);
    const Decimal gstBase = line.amount + line.freight;
    auto tax = [&](Decimal percent) {
        const Decimal amount = gstBase.percent(percent).roundHalfEven(3);
        return in.gstToRupees ? amount.roundHalfEven(0) : amount;
    };
    if (igstBill) {
        line.tax1Percent = gstPercent;
        line.tax1Amount = tax(gstPercent);
    } else {
        line.tax1Percent = in.sgstPercent;
        line.tax2Percent = in.cgstPercent;
        line.tax1Amount = tax(in.sgstPercent);
        line.tax2Amount = tax(in.cgstPercent);
    }
    line.lineTotal = (gstBase + line.tax1Amount + line.tax2Amount).roundHalfEven(2);
    return line;
}

InvoiceTotals computeTotals(const std::vector<InvoiceLine>& lines, const InvoiceTotalsInput& in) {
    InvoiceTotals t;
    Decimal taxable, tax1, tax2;
    for (const InvoiceLine& line : lines) {
        taxable += line.amount + line.freight;
        t.freight += line.freight;
        tax1 += line.tax1Amount;
        tax2 += line.tax2Amount;
    }
    t.taxable = taxable.roundHalfEven(2);
    if (in.igstBill) {
        t.igst = (tax1 + tax2).roundHalfEven(2);
    } else {
        t.sgst = tax1.roundHalfEven(2);
        t.cgst = tax2.roundHalfEven(2);
    }
    if (in.tdsPercent > Decimal()) t.tds = t.taxable.percent(in.tdsPercent).roundHalfEven(0);
    t.tcsBase = in.reverseCharge ? t.taxable : t.taxable + t.igst + t.sgst + t.cgst;
    if (in.tcsPercent > Decimal()) t.tcs = t.tcsBase.percent(in.tcsPercent).roundHalfEven(2);

    Decimal other = in.otherCharges.roundHalfEven(2);
    if (in.salesRoundOff && other > Decimal(-1) && other < Decimal(1)) other = Decimal();
    const Decimal unrounded = (t.tcsBase + t.tcs + other).roundHalfEven(2);
    const Decimal rounded = unrounded.billRoundOff();
    const Decimal difference = (rounded - unrounded).roundHalfEven(2);
    if (in.salesRoundOff) {
        if (other.abs() < Decimal(1)) {
            other = difference;
        } else {
            t.roundOffShown = difference;
        }
        t.roundOff = difference;
        t.net = rounded;
    } else {
        t.roundOffShown = difference;
        t.net = unrounded;
    }
    t.otherCharges = other;
    return t;
}

Decimal challanLineAmount(Decimal pieces, Decimal metres, const QString& rateOn, Decimal rate) {
    return ((perPiece(rateOn) ? pieces : metres) * rate).roundHalfEven(2);
}

QString invoiceTotalsText(const InvoiceTotals& t, bool igstBill) {
    auto shown = [](Decimal value) { return FormatIndian(value, 2); };
    QString text = QStringLiteral("Basic Amt  ") + shown(t.taxable);
    if (igstBill)
        text += QStringLiteral("     IGST  ") + shown(t.igst);
    else
        text += QStringLiteral("     SGST  ") + shown(t.sgst) + QStringLiteral("     CGST  ") + shown(t.cgst);
    return text + QStringLiteral("\nTCS  ") + shown(t.tcs) + QStringLiteral("     TDS  ") + shown(t.tds) + QStringLiteral("     Other (+/-)  ") +
           shown(t.otherCharges) + QStringLiteral("     Rnd Off.  ") + shown(t.roundOffShown);
}

}  // namespace tanabana::trade
