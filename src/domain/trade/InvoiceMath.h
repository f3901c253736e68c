#pragma once
// The arithmetic of a sales bill, kept apart from the database so every screen, the command line
// and the tests compute a bill the same way.
//
// A line of 100 m at a list rate of 105.00 with 2% discount: net rate 102.90, amount 10,290.00,
// discount 210.000; with SGST 2.5% + CGST 2.5% the tax is 257.250 + 257.250 and the line total
// 10,804.50. For a party of another state the same 5% is one IGST column of 514.500.
//
// A purchase line's freight joins its GST base: 100 m at 100.00 with 50.00 freight and 2.5% + 2.5%
// gives 251.250 + 251.250; a supplier who rounds line GST to rupees makes that 251 + 251.
//
// The bill: taxable = the line amounts and freight (2 places); SGST, CGST or IGST = their line sums (2 places);
// TDS = taxable x TDS% rounded to rupees; TCS = (taxable + GST) x TCS% (2 places); net = taxable +
// GST + TCS + other charges, then rounded to whole rupees by the bill round-off (amount + 0.01, so
// 1234.50 becomes 1235 and 1234.49 becomes 1234). With the firm's round-off switch on, the
// difference becomes the "Other (+/-)" charge unless a charge of a rupee or more was typed.
#include "core/Decimal.h"

#include <QString>
#include <optional>
#include <vector>

namespace tanabana::trade {

// What the operator typed on one line, with the item's tax settings.
struct InvoiceLineInput {
    Decimal pieces;                 // Qty2 ("Pcs")
    Decimal cut;                    // Qty1 ("Cut")
    Decimal metres;                 // Qty ("Mtrs")
    QString rateOn = QStringLiteral("M");  // PM: "P" priced per piece, else per metre/quantity
    Decimal listRate;               // SRate, before discount
    std::optional<Decimal> netRate; // a net rate typed instead of a discount percent
    Decimal discountPercent;        // CDP ("Disc %")
    Decimal secondDiscountPercent;  // CDP1 ("Brk%")
    Decimal secondDiscountAmount;   // CDRs1 typed without a percent: taken off the amount
    Decimal sgstPercent;            // item's Vat
    Decimal cgstPercent;            // item's AddTax
    int gstCalc = 1;                // item's VatCalc: 1 rates exclude GST, else the list rate includes it
    Decimal freight;                // Freight_D of a purchase line: part of its GST base and the bill's taxable
    bool gstToRupees = false;       // the supplier's Is_Item_RNd 2: each line's GST rounded to whole rupees
};

// One computed line as shown and stored. On an IGST bill the first tax column holds IGST.
struct InvoiceLine {
    Decimal rate;            // Rate: net rate, 4 places
    Decimal rateBeforeDiscount;  // list rate without GST (4 places for GST-inclusive items)
    Decimal amount;          // Amt: taxable amount, 2 places
    Decimal gross;           // basis x rate before discount, 2 places
    Decimal discountAmount;  // CDRs, 3 places
    Decimal secondDiscountAmount;  // CDRs1, 3 places
    Decimal tax1Percent, tax2Percent;  // DVatP, DATaxP (IGST, 0 on an IGST bill)
    Decimal tax1Amount, tax2Amount;    // DVatRs, DATaxRs, 3 places
    Decimal lineTotal;       // DNetAmt, 2 places (amount + freight + GST)
    Decimal freight;         // Freight_D, 2 places
    bool igst = false;
    Decimal igstPercent() const { return igst ? tax1Percent : Decimal(); }
    Decimal igstAmount() const { return igst ? tax1Amount : Decimal(); }
};

InvoiceLine computeLine(const InvoiceLineInput& input, bool igstBill);

// Bill-level inputs besides the lines.
struct InvoiceTotalsInput {
    bool igstBill = false;
    bool reverseCharge = false;  // the buyer pays the GST: it stays out of TCS, net and round-off
    Decimal tdsPercent;
    Decimal tcsPercent;
    Decimal otherCharges;      // "Other (+/-)" as typed
    bool salesRoundOff = true; // firm's Is_Sales_RndOff
};

struct InvoiceTotals {
    Decimal taxable;       // BAmt (TotAmt of a purchase): line amounts plus line freight
    Decimal freight;       // the line freight inside the taxable amount
    Decimal sgst;          // VatRs
    Decimal cgst;          // ATAXRs
    Decimal igst;          // CSTRs
    Decimal tds;           // TDSRs
    Decimal tcs;           // TCSRs
    Decimal tcsBase;       // taxable + GST (taxable only under reverse charge), shown in the TCS narration
    Decimal otherCharges;  // OtherP as it ends up (holds the round-off when that is where it went)
    Decimal roundOff;      // OtherP1: the rounding difference (informative when round-off is off)
    Decimal roundOffShown; // "Rnd Off." box: 0 when the round-off went into the other charges
    Decimal net;           // BillAmount
    // taxable + GST + TCS + other: the sum the sales, tax and charge lines post.
    Decimal creditsTotal() const { return tcsBase + tcs + otherCharges; }
    Decimal goods() const { return taxable - freight; }  // Amt of a purchase: the line amounts alone
};

InvoiceTotals computeTotals(const std::vector<InvoiceLine>& lines, const InvoiceTotalsInput& input);

// The totals the bill screens show under the lines, amounts in Indian grouping:
// "Basic Amt  20,722.00     SGST  518.05     CGST  518.05" + line break + "TCS  0.00     TDS  0.00
// Other (+/-)  -0.10     Rnd Off.  0.00" (one IGST figure on an IGST bill).
QString invoiceTotalsText(const InvoiceTotals& totals, bool igstBill);

// A delivery challan line: pieces x rate ("P") or metres x rate, 2 places.
Decimal challanLineAmount(Decimal pieces, Decimal metres, const QString& rateOn, Decimal rate);

}  // namespace tanabana::trade
