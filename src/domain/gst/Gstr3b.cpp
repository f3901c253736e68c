#include "domain/gst/Gstr3b.h"

#include "domain/gst/GstRules.h"
#include "domain/gst/NoteRows.h"

#include <map>

namespace tanabana::gst {

namespace {


void roundLine(Gstr3bLine& l) {
    l.taxable = l.taxable.roundHalfEven(2);
    l.igst = l.igst.roundHalfEven(2);
    l.cgst = l.cgst.roundHalfEven(2);
    l.sgst = l.sgst.roundHalfEven(2);
}

void add(Gstr3bLine& l, Decimal taxable, Decimal igst, Decimal cgst, Decimal sgst) {
    l.taxable += taxable;
    l.igst += igst;
    l.cgst += cgst;
    l.sgst += sgst;
}

}  // namespace

const Gstr3bLine* Gstr3b::line(const QString& table) const {
    for (const auto* lines : {&outward, &inputCredit})
        for (const Gstr3bLine& l : *lines)
            if (l.table == table) return &l;
    return nullptr;
}

Gstr3b Gstr3bService::compute(const ReturnPeriod& period) const {
    const Gstr1Service gstr1(db_, session_);
    gstr1.checkPeriod(period);
    const Gstr1Service::Firm firm = gstr1.firm();
    const QString firmState = firm.stateCode();
    const db::Dialect& sql = db_.dialect();
    const QVariantList params = {session_.firmNo, period.from, period.to};

    Gstr3b r;
    r.period = period;
    r.outward = {
        {QStringLiteral("3.1(a)"), QStringLiteral("Outward taxable supplies (other than zero rated, nil rated and exempted)"), {}, {}, {}, {}, {}},
        {QStringLiteral("3.1(b)"), QStringLiteral("Outward taxable supplies (zero rated)"), {}, {}, {}, {}, {}},
        {QStringLiteral("3.1(c)"), QStringLiteral("Other outward supplies (nil rated, exempted)"), {}, {}, {}, {}, {}},
        {QStringLiteral("3.1(d)"), QStringLiteral("Inward supplies (liable to reverse charge)"), {}, {}, {}, {}, {}},
        {QStringLiteral("3.1(e)"), QStringLiteral("Non-GST outward supplies"), {}, {}, {}, {}, {}},
    };
    r.inputCredit = {
        {QStringLiteral("4(A)(1)"), QStringLiteral("Import of goods"), {}, {}, {}, {}, {}},
        {QStringLiteral("4(A)(2)"), QStringLiteral("Import of services"), {}, {}, {}, {}, {}},
        {QStringLiteral("4(A)(3)"), QStringLiteral("Inward supplies liable to reverse charge (other than 1 & 2 above)"), {}, {}, {}, {}, {}},
        {QStringLiteral("4(A)(4)"), QStringLiteral("Inward supplies from ISD"), {}, {}, {}, {}, {}},
        {QStringLiteral("4(A)(5)"), QStringLiteral("All other ITC"), {}, {}, {}, {}, {}},
        {QStringLiteral("4(B)(1)"), QStringLiteral("ITC Reversed: As per rules 38, 42 & 43 of CGST Rules and section 17(5)"), {}, {}, {}, {}, {}},
        {QStringLiteral("4(B)(2)"), QStringLiteral("ITC Reversed: Others"), {}, {}, {}, {}, {}},
        {QStringLiteral("4(C)"), QStringLiteral("Net ITC Available (A) - (B)"), {}, {}, {}, {}, {}},
    };
    auto outward = [&](const char* table) -> Gstr3bLine& {
        for (Gstr3bLine& l : r.outward)
            if (l.table == QLatin1String(table)) return l;
        return r.outward.front();
    };
    auto credit = [&](const char* table) -> Gstr3bLine& {
        for (Gstr3bLine& l : r.inputCredit)
            if (l.table == QLatin1String(table)) return l;
        return r.inputCredit.front();
    };

    // Sales lines: exports are zero rated, lines at 0% nil rated, the rest taxable.
    const QString sums = sql.sumRounded(QStringLiteral("d.Amt"), 2) + QStringLiteral(" AS Taxable, ") +
                         sql.sumRounded(QStringLiteral("COALESCE(d.IGSTRs, 0)"), 3) + QStringLiteral(" AS Igst, ") +
                         sql.sumRounded(QStringLiteral("d.DATaxRs"), 3) + QStringLiteral(" AS Cgst, ") +
                         sql.sumRounded(QStringLiteral("CASE WHEN COALESCE(d.IGSTRs, 0) <> 0 THEN 0 ELSE d.DVatRs END"), 3) +
                         QStringLiteral(" AS Sgst");
    const QString bills = QStringLiteral(" FROM SalBillDtl d INNER JOIN SalBillMst x ON x.Id = d.BillMstId LEFT JOIN AccMst a ON a.Id = x.PartyID "
                                         "WHERE x.FirmNO = ? AND x.FormId = 3 AND x.Id > 0 AND (x.IsOp = 0 OR x.IsOp IS NULL) AND x.BillDate BETWEEN ? AND ?");
    const QString kind = QStringLiteral("CASE WHEN COALESCE(x.InvType, '') = 'E' THEN 'b' WHEN d.DVatP + d.DATaxP = 0 THEN 'c' ELSE 'a' END");
    db_.forEach(QStringLiteral("SELECT ") + kind + QStringLiteral(" AS Kind, ") + sums + bills + QStringLiteral(" GROUP BY ") + kind, params,
                [&](const db::Row& row) {
                    const QString k = row.text(QStringLiteral("Kind"));
                    add(outward(k == QLatin1String("a") ? "3.1(a)" : k == QLatin1String("b") ? "3.1(b)" : "3.1(c)"),
                        Decimal::fromVariant(row.value(QStringLiteral("Taxable"))), Decimal::fromVariant(row.value(QStringLiteral("Igst"))), Decimal::fromVariant(row.value(QStringLiteral("Cgst"))),
                        Decimal::fromVariant(row.value(QStringLiteral("Sgst"))));
                });

    // Sales returns and credit notes lower the supplies they were part of.
    const std::vector<NoteRateRow> salesNotes = salesNoteRows(db_, session_, period);
    for (const NoteRateRow& n : salesNotes)
        add(outward(n.againstExport ? "3.1(b)" : n.rate.isZero() ? "3.1(c)" : "3.1(a)"), -n.taxable, -n.igst, -n.cgst, -n.sgst);

    // 3.2: integrated tax charged to unregistered and composition buyers, per place of supply.
    std::map<QString, StateSupplies> states;
    const QString buyer = QStringLiteral("CASE WHEN COALESCE(a.TinNo, '') = '' THEN 'U' WHEN COALESCE(a.EcNo, '') = '1' THEN 'C' ELSE 'R' END");
    db_.forEach(QStringLiteral("SELECT COALESCE(a.CSTNo, '') AS State, ") + buyer + QStringLiteral(" AS Buyer, ") + sums + bills +
                    QStringLiteral(" AND COALESCE(d.IGSTRs, 0) > 0 AND COALESCE(x.InvType, '') <> 'E' GROUP BY COALESCE(a.CSTNo, ''), ") + buyer,
                params, [&](const db::Row& row) {
                    const QString b = row.text(QStringLiteral("Buyer"));
                    if (b == QLatin1String("R")) return;
                    StateSupplies& s = states[row.text(QStringLiteral("State")).trimmed()];
                    s.placeOfSupply = row.text(QStringLiteral("State")).trimmed();
                    (b == QLatin1String("U") ? s.unregisteredTaxable : s.compositionTaxable) += Decimal::fromVariant(row.value(QStringLiteral("Taxable")));
                    (b == QLatin1String("U") ? s.unregisteredIgst : s.compositionIgst) += Decimal::fromVariant(row.value(QStringLiteral("Igst")));
                });
    for (const NoteRateRow& n : salesNotes) {
        if (n.againstExport || n.igst.isZero() || (!n.gstin.isEmpty() && !n.compositionBuyer)) continue;
        StateSupplies& s = states[n.placeOfSupply];
        s.placeOfSupply = n.placeOfSupply;
        (n.gstin.isEmpty() ? s.unregisteredTaxable : s.compositionTaxable) -= n.taxable;
        (n.gstin.isEmpty() ? s.unregisteredIgst : s.compositionIgst) -= n.igst;
    }
    for (auto& [state, s] : states) {
        for (Decimal* v : {&s.unregisteredTaxable, &s.unregisteredIgst, &s.compositionTaxable, &s.compositionIgst}) *v = v->roundHalfEven(2);
        r.interState.push_back(s);
    }

    // Purchases kept in the returns: reverse charge, other credit, and those without tax; the goods
    // sent back (purchase returns) subtract from the kind of their bill.
    auto bySign = [](const QString& column) { return QStringLiteral("CASE WHEN m.FormId = 2 THEN -%1 ELSE %1 END").arg(column); };
    Gstr3bLine& reverseCharge = outward("3.1(d)");
    ExemptInward nilAndComposition{QStringLiteral("From a supplier under composition scheme, Exempt and Nil rated supply"), {}, {}};
    ExemptInward nonGst{QStringLiteral("Non GST supply"), {}, {}};
    db_.forEach(QStringLiteral("SELECT CASE WHEN COALESCE(m.RCM_ID, 0) > 0 THEN 1 ELSE 0 END AS Rcm, "
                               "CASE WHEN COALESCE(m.GenPurAccId, 0) <> 0 THEN 1 ELSE 0 END AS General, "
                               "CASE WHEN COALESCE(a.TinNo, '') <> '' AND COALESCE(a.EcNo, '') = '1' THEN 1 ELSE 0 END AS Composition, "
                               "COALESCE(a.IsOgs, 0) AS OtherState, COALESCE(a.CSTNo, '') AS State, ") +
                    sql.sumRounded(bySign(QStringLiteral("m.TotAmt")), 2) + QStringLiteral(" AS Taxable, ") +
                    sql.sumRounded(bySign(QStringLiteral("m.CSTRs")), 2) + QStringLiteral(" AS Igst, ") +
                    sql.sumRounded(bySign(QStringLiteral("m.ATAXRs")), 2) + QStringLiteral(" AS Cgst, ") +
                    sql.sumRounded(bySign(QStringLiteral("m.VatRs")), 2) +
                    QStringLiteral(" AS Sgst, CASE WHEN COALESCE(m.CSTRs, 0) + COALESCE(m.ATAXRs, 0) + COALESCE(m.VatRs, 0) > 0 THEN 1 ELSE 0 END "
                                   "AS Taxed FROM BillMst m LEFT JOIN AccMst a ON a.Id = m.PartyID WHERE m.FirmNO = ? AND m.FormId IN (1, 2) "
                                   "AND (m.IsOp = 0 OR m.IsOp IS NULL) AND (m.Is_SkipGst = 0 OR m.Is_SkipGst IS NULL) AND m.BillDate BETWEEN ? AND ? "
                                   "GROUP BY CASE WHEN COALESCE(m.RCM_ID, 0) > 0 THEN 1 ELSE 0 END, "
                                   "CASE WHEN COALESCE(m.GenPurAccId, 0) <> 0 THEN 1 ELSE 0 END, "
                                   "CASE WHEN COALESCE(a.TinNo, '') <> '' AND COALESCE(a.EcNo, '') = '1' THEN 1 ELSE 0 END, "
                                   "COALESCE(a.IsOgs, 0), COALESCE(a.CSTNo, ''), "
                                   "CASE WHEN COALESCE(m.CSTRs, 0) + COALESCE(m.ATAXRs, 0) + COALESCE(m.VatRs, 0) > 0 THEN 1 ELSE 0 END"),
                params, [&](const db::Row& row) {
                    const Decimal taxable = Decimal::fromVariant(row.value(QStringLiteral("Taxable"))), igst = Decimal::fromVariant(row.value(QStringLiteral("Igst"))),
                                  cgst = Decimal::fromVariant(row.value(QStringLiteral("Cgst"))), sgst = Decimal::fromVariant(row.value(QStringLiteral("Sgst")));
                    if (row.integer(QStringLiteral("Taxed")) == 1) {
                        if (row.integer(QStringLiteral("Rcm")) == 1) {
                            add(reverseCharge, taxable, igst, cgst, sgst);
                            add(credit("4(A)(3)"), {}, igst, cgst, sgst);
                        } else {
                            add(credit("4(A)(5)"), {}, igst, cgst, sgst);
                        }
                        return;
                    }
                    const QString state = stateCodeOf(row.text(QStringLiteral("State")));
                    const bool inter = row.flag(QStringLiteral("OtherState")) || (!state.isEmpty() && !firmState.isEmpty() && state != firmState);
                    const bool general = row.integer(QStringLiteral("General")) == 1 && row.integer(QStringLiteral("Composition")) == 0;
                    ExemptInward& into = general ? nonGst : nilAndComposition;
                    (inter ? into.interState : into.intraState) += taxable;
                });
    r.exemptInward = {nilAndComposition, nonGst};
    // Debit notes with tax take back the credit of the bill they lower (and, on a reverse-charge
    // bill, the tax it made payable).
    for (const InwardNoteRow& n : purchaseNoteRows(db_, session_, period)) {
        if (n.formId != 22 || (n.igst + n.cgst + n.sgst).isZero()) continue;
        if (n.reverseCharge) {
            add(reverseCharge, -n.taxable, -n.igst, -n.cgst, -n.sgst);
            add(credit("4(A)(3)"), {}, -n.igst, -n.cgst, -n.sgst);
        } else {
            add(credit("4(A)(5)"), {}, -n.igst, -n.cgst, -n.sgst);
        }
    }

    Gstr3bLine& net = credit("4(C)");
    for (const Gstr3bLine& l : r.inputCredit) {
        if (l.table.startsWith(QLatin1String("4(A)"))) add(net, {}, l.igst, l.cgst, l.sgst);
        if (l.table.startsWith(QLatin1String("4(B)"))) add(net, {}, -l.igst, -l.cgst, -l.sgst);
    }
    for (Gstr3bLine& l : r.outward) roundLine(l);
    for (Gstr3bLine& l : r.inputCredit) roundLine(l);
    return r;
}

}  // namespace tanabana::gst
