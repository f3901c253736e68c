#include "domain/gst/GstSummary.h"

#include "domain/gst/Gstr1Files.h"
#include "domain/gst/NoteRows.h"

#include <map>

namespace tanabana::gst {

namespace {

const QStringList kGroups = {"", "Output", "Input", "RCM", ""};

// The sources of each group: the sub-kind that picks it and the words of its rows.
struct Source {
    const char* kind;
    const char* name;
    int group;
    bool subtracts;
};
constexpr Source kSources[] = {
    {"3 A Sales Only", "Sales", 1, false},
    {"3 B Sales Ret Only", "Sales Ret", 1, true},
    {"3 C Sales Credit Note Only", "Sales Credit Note", 1, true},
    {"3 D Sales Debit  Note Only!", "Sales Debit Note", 1, false},
    {"4 A Pur Only", "Pur", 2, false},
    {"4 B Pur Ret Only", "Pur Ret", 2, true},
    {"4 C Pur Debit Note Only", "Pur Debit Note", 2, true},
    {"4 D Pur Credit Note Only", "Pur Credit Note", 2, false},
    {"5 A  RCM Amt Payable", "RCM Amt Payable", 3, false},
    {"5 B  RCM Amt Not Pay!", "RCM Amt Not Pay", 3, false},
};

void addTax(TaxRateRow& into, const TaxRateRow& r, int sign) {
    const Decimal s(sign);
    into.interTaxable += r.interTaxable * s;
    into.igst += r.igst * s;
    into.intraTaxable += r.intraTaxable * s;
    into.cgst += r.cgst * s;
    into.sgst += r.sgst * s;
}

}  // namespace

const QStringList& gstSummaryKinds() {
    static const QStringList kinds = [] {
        QStringList k = {"1. Summary", "2. Detail", "3. Tot Output Tax (Sales)", "4. Tot Input Tax (Purchase)", "5. RCM Purchase"};
        for (const Source& s : kSources) k << QString::fromLatin1(s.kind);
        return k;
    }();
    return kinds;
}

// Every source's rows per rate. Sales lines and purchase lines are summed by rate and by whether
// they carry integrated tax; returns and notes by the same rule, each kind apart.
std::vector<TaxRateRow> GstSummaryService::detail(const ReturnPeriod& period) const {
    Gstr1Service(db_, session_).checkPeriod(period);
    const db::Dialect& sql = db_.dialect();
    const QVariantList params = {session_.firmNo, period.from, period.to};
    std::map<std::pair<QString, Decimal>, TaxRateRow> rows;
    auto figures = [&](const QString& source, const Decimal& rate, bool inter, const Decimal& taxable, const Decimal& igst, const Decimal& cgst,
                       const Decimal& sgst) {
        const Source* s = nullptr;
        for (const Source& candidate : kSources)
            if (source == QLatin1String(candidate.name)) s = &candidate;
        TaxRateRow& r = rows[{source, rate}];
        r.group = s->group;
        r.source = source;
        r.subtracts = s->subtracts;
        r.rate = rate;
        if (inter) {
            r.interTaxable += taxable;
            r.igst += igst;
        } else {
            r.intraTaxable += taxable;
            r.cgst += cgst;
            r.sgst += sgst;
        }
    };
    auto take = [&](const QString& source, const db::Row& row) {
        auto value = [&](const char* column) { return Decimal::fromVariant(row.value(QString::fromLatin1(column))).roundHalfEven(2); };
        figures(source, value("Rate"), row.integer(QStringLiteral("Inter")) == 1, value("Taxable"), value("Igst"), value("Cgst"), value("Sgst"));
    };
    const QString sales = QStringLiteral("SELECT d.DVatP + d.DATaxP AS Rate, CASE WHEN COALESCE(d.IGSTRs, 0) <> 0 THEN 1 ELSE 0 END AS Inter, ") +
                          sql.sumRounded(QStringLiteral("d.Amt"), 2) + QStringLiteral(" AS Taxable, ") +
                          sql.sumRounded(QStringLiteral("COALESCE(d.IGSTRs, 0)"), 3) + QStringLiteral(" AS Igst, ") +
                          sql.sumRounded(QStringLiteral("d.DATaxRs"), 3) + QStringLiteral(" AS Cgst, ") +
                          sql.sumRounded(QStringLiteral("d.DVatRs"), 3) +
                          QStringLiteral(" AS Sgst FROM SalBillDtl d INNER JOIN SalBillMst x ON x.Id = d.BillMstId WHERE x.FirmNO = ? AND x.FormId = 3 "
                                         "AND x.Id > 0 AND COALESCE(x.IsOp, 0) = 0 AND x.BillDate BETWEEN ? AND ? "
                                         "GROUP BY d.DVatP + d.DATaxP, CASE WHEN COALESCE(d.IGSTRs, 0) <> 0 THEN 1 ELSE 0 END");
    db_.forEach(sales, params, [&](const db::Row& row) { take(QStringLiteral("Sales"), row); });
    // Purchases: under reverse charge when posted so; the supplier marked for it but the bill not, "not paid".
    const QString purchases =
        QStringLiteral("SELECT CASE WHEN COALESCE(x.RCM_ID, 0) > 0 THEN 'RCM Amt Payable' WHEN COALESCE(a.Is_RevCh, 0) <> 0 THEN 'RCM Amt Not Pay' "
                       "ELSE 'Pur' END AS Source, d.VatPD + d.ATaxPD AS Rate, CASE WHEN COALESCE(d.IGSTRs, 0) <> 0 THEN 1 ELSE 0 END AS Inter, ") +
        sql.sumRounded(QStringLiteral("d.PAmt + COALESCE(d.Freight_D, 0)"), 2) + QStringLiteral(" AS Taxable, ") +
        sql.sumRounded(QStringLiteral("COALESCE(d.IGSTRs, 0)"), 3) + QStringLiteral(" AS Igst, ") + sql.sumRounded(QStringLiteral("d.ATaxRsD"), 3) +
        QStringLiteral(" AS Cgst, ") + sql.sumRounded(QStringLiteral("d.VatRsD"), 3) +
        QStringLiteral(" AS Sgst FROM BillDtl d INNER JOIN BillMst x ON x.Id = d.BillMstId LEFT JOIN AccMst a ON a.Id = x.PartyID "
                       "WHERE x.FirmNO = ? AND x.FormId = 1 AND COALESCE(x.IsOp, 0) = 0 AND COALESCE(x.Is_SkipGst, 0) = 0 "
                       "AND x.BillDate BETWEEN ? AND ? GROUP BY CASE WHEN COALESCE(x.RCM_ID, 0) > 0 THEN 'RCM Amt Payable' "
                       "WHEN COALESCE(a.Is_RevCh, 0) <> 0 THEN 'RCM Amt Not Pay' ELSE 'Pur' END, d.VatPD + d.ATaxPD, "
                       "CASE WHEN COALESCE(d.IGSTRs, 0) <> 0 THEN 1 ELSE 0 END");
    db_.forEach(purchases, params, [&](const db::Row& row) { take(row.text(QStringLiteral("Source")), row); });
    // Returns and notes: each kind its own rows, shown as subtracting; those on reverse-charge bills
    // lower the reverse charge payable instead.
    for (const NoteRateRow& n : salesNoteRows(db_, session_, period))
        figures(n.document.formId == 4 ? QStringLiteral("Sales Ret") : QStringLiteral("Sales Credit Note"), n.rate, !n.igst.isZero(), n.taxable,
                n.igst, n.cgst, n.sgst);
    for (const InwardNoteRow& n : purchaseNoteRows(db_, session_, period)) {
        if (n.reverseCharge)
            figures(QStringLiteral("RCM Amt Payable"), n.rate, !n.igst.isZero(), -n.taxable, -n.igst, -n.cgst, -n.sgst);
        else
            figures(n.formId == 2 ? QStringLiteral("Pur Ret") : QStringLiteral("Pur Debit Note"), n.rate, !n.igst.isZero(), n.taxable, n.igst,
                    n.cgst, n.sgst);
    }
    std::vector<TaxRateRow> out;
    for (const Source& s : kSources)
        for (const auto& [key, row] : rows)
            if (key.first == QLatin1String(s.name)) out.push_back(row);
    return out;
}

std::vector<TaxRateRow> GstSummaryService::compute(const ReturnPeriod& period, const QString& kind) const {
    const std::vector<TaxRateRow> all = detail(period);
    for (const Source& s : kSources)
        if (kind == QLatin1String(s.kind)) {
            std::vector<TaxRateRow> out;
            for (const TaxRateRow& r : all)
                if (r.source == QLatin1String(s.name)) out.push_back(r);
            return out;
        }
    const int only = kind.startsWith(QLatin1String("3.")) ? 1 : kind.startsWith(QLatin1String("4.")) ? 2 : kind.startsWith(QLatin1String("5.")) ? 3 : 0;
    if (only != 0) {
        std::vector<TaxRateRow> out;
        for (const TaxRateRow& r : all)
            if (r.group == only) out.push_back(r);
        return out;
    }
    // The summary: each group per rate (notes and returns netted), then the totals.
    std::vector<TaxRateRow> out;
    TaxRateRow output{4, QStringLiteral("Output Tax"), false, {}, {}, {}, {}, {}, {}};
    TaxRateRow input{4, QStringLiteral("Input Tax"), false, {}, {}, {}, {}, {}, {}};
    TaxRateRow payable{4, QStringLiteral("RCM Payable"), false, {}, {}, {}, {}, {}, {}};
    for (int group = 1; group <= 3; ++group) {
        std::map<Decimal, TaxRateRow> byRate;
        for (const TaxRateRow& r : all) {
            if (r.group != group || (group == 3 && r.source != QLatin1String("RCM Amt Payable"))) continue;
            TaxRateRow& sum = byRate[r.rate];
            sum.group = group;
            sum.source = kGroups.at(group);
            sum.rate = r.rate;
            addTax(sum, r, r.subtracts ? -1 : 1);
        }
        for (const auto& [rate, r] : byRate) {
            if (kind == QLatin1String("2. Detail")) continue;
            out.push_back(r);
            addTax(group == 1 ? output : group == 2 ? input : payable, r, 1);
        }
    }
    if (kind == QLatin1String("2. Detail")) return all;
    TaxRateRow gross = output;
    gross.source = QStringLiteral("Gross Tax Liabilty");
    addTax(gross, payable, 1);
    TaxRateRow net = gross;
    net.source = QStringLiteral("Net Payable");
    addTax(net, input, -1);
    for (const TaxRateRow& r : {output, input, gross, net}) out.push_back(r);
    return out;
}

const ReturnTemplate& gstSummaryTemplate() {
    static const ReturnTemplate t = [] {
        ReturnTemplate r;
        r.file = QStringLiteral("KNVS_GST_SUMMARY.XLSx");
        r.outputStem = QStringLiteral("KNVS_GST_SUMMARY_");
        r.missingText = QStringLiteral("Original GST Summary Document File not found !");
        r.sheets = {{QStringLiteral("Summary"),
                     {"Group", "Particulars", "GST %", "Inter-State Taxable", "IGST", "Intra-State Taxable", "CGST", "SGST", "Total Taxable"},
                     {2, 3, 4, 5, 6, 7, 8}}};
        r.titles = {"GSTR - Summary"};
        return r;
    }();
    return t;
}

std::vector<std::vector<QStringList>> gstSummaryWorkbookRows(const std::vector<TaxRateRow>& rows) {
    std::vector<QStringList> out;
    for (const TaxRateRow& r : rows)
        out.push_back({kGroups.value(r.group), r.source + (r.subtracts ? QStringLiteral(" (-)") : QString()), r.group == 4 ? QString() : rateText(r.rate),
                       r.interTaxable.toString(2), r.igst.toString(2), r.intraTaxable.toString(2), r.cgst.toString(2), r.sgst.toString(2),
                       r.taxable().toString(2)});
    return {out};
}

}  // namespace tanabana::gst
