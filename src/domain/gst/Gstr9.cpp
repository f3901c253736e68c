#include "domain/gst/Gstr9.h"

#include "domain/gst/Gstr1Files.h"
#include "domain/gst/Gstr2.h"

namespace tanabana::gst {

Gstr9 Gstr9Service::compute(const ReturnPeriod& period) const {
    Gstr9 r;
    r.period = period;
    const Gstr1 sales = Gstr1Service(db_, session_).compute(period);
    r.outward = sales.hsn;
    r.inward = Gstr2Service(db_, session_).compute(period).hsn;
    r.firmGstin = sales.firmGstin;
    r.firmName = session_.firmName;
    r.financialYear = QStringLiteral("%1-%2").arg(session_.yearStartDate.year()).arg(session_.yearEndDate.year() % 100, 2, 10, QLatin1Char('0'));
    return r;
}

const ReturnTemplate& gstr9Template() {
    static const ReturnTemplate t = [] {
        const QStringList hsnHeader = {"HSN", "UQC", "Total Quantity", "Taxable Value", "Rate of Tax", "Central Tax", "State Tax / UT Tax",
                                       "Integrated Tax", "Cess"};
        ReturnTemplate r;
        r.file = QStringLiteral("KNVS_GSTR-9.XLSx");
        r.outputStem = QStringLiteral("KNVS_GSTR-9_");
        r.missingText = QStringLiteral("Original GSTR-9 Document File not found !");
        r.sheets = {{QStringLiteral("Home"), {"GSTIN", "Legal Name", "Financial Year"}, {}},
                    {QStringLiteral("17 HSN Outward"), hsnHeader, {2, 3, 4, 5, 6, 7, 8}},
                    {QStringLiteral("18 HSN Inward"), hsnHeader, {2, 3, 4, 5, 6, 7, 8}}};
        r.titles = {"GSTR-9: Annual Return", "17. HSN wise summary of outward supplies", "18. HSN wise summary of inward supplies"};
        return r;
    }();
    return t;
}

std::vector<std::vector<QStringList>> gstr9WorkbookRows(const Gstr9& r) {
    auto hsn = [](const std::vector<HsnRow>& rows) {
        std::vector<QStringList> out;
        for (const HsnRow& h : rows)
            out.push_back({h.hsn, h.uqc.section(QLatin1Char('-'), 0, 0), h.quantity.toString(3), h.taxable.toString(2), rateText(h.rate),
                           h.cgst.toString(2), h.sgst.toString(2), h.igst.toString(2), QStringLiteral("0.00")});
        return out;
    };
    return {{{r.firmGstin, r.firmName, r.financialYear}}, hsn(r.outward), hsn(r.inward)};
}

}  // namespace tanabana::gst
