#include "domain/gst/Gstr2.h"

#include "domain/gst/GstRules.h"
#include "domain/gst/Gstr1Files.h"
#include "domain/gst/GstQueries.h"
#include "domain/gst/NoteRows.h"

#include <map>
#include <set>
#include <tuple>

namespace tanabana::gst {

namespace {

// The purchase bills of the return: the firm's supplier bills (not opening bills, not kept out of
// the returns) dated inside the period, with the operator's choice of matched or unmatched ones.
QString billsOfPeriod(PortalMatchFilter filter) {
    QString where = QStringLiteral("x.FirmNO = ? AND x.FormId = 1 AND (x.IsOp = 0 OR x.IsOp IS NULL) AND (x.Is_SkipGst = 0 OR x.Is_SkipGst IS NULL) "
                                   "AND x.BillDate BETWEEN ? AND ?");
    if (filter == PortalMatchFilter::Matched) where += QStringLiteral(" AND COALESCE(x.Is_GstR2A, 0) <> 0");
    if (filter == PortalMatchFilter::Unmatched) where += QStringLiteral(" AND COALESCE(x.Is_GstR2A, 0) = 0");
    return where;
}

QString yesNo(bool yes) { return yes ? QStringLiteral("Y") : QStringLiteral("N"); }
QString sheetDate(const QDate& date) { return date.isValid() ? date.toString(QStringLiteral("dd-MMM-yyyy")) : QString(); }

QStringList creditColumns(const Decimal& igst, const Decimal& cgst, const Decimal& sgst, const Decimal& cess, const QString& eligibility) {
    return {igst.toString(2), cgst.toString(2), sgst.toString(2), cess.toString(2), eligibility, igst.toString(2), cgst.toString(2), sgst.toString(2), cess.toString(2)};
}

std::vector<int> range(int from, int to) {
    std::vector<int> columns;
    for (int c = from; c <= to; ++c) columns.push_back(c);
    return columns;
}

}  // namespace

const std::vector<ReturnSheet>& gstr2Sheets() {
    auto words = [](std::initializer_list<const char*> names) {
        QStringList out;
        for (const char* n : names) out << QString::fromUtf8(n);
        return out;
    };
    static const QStringList credit = words({"Integrated Tax Paid", "Central Tax Paid", "State/UT Tax Paid", "Cess Paid", "Eligibility For ITC",
                                             "Availed ITC Integrated Tax", "Availed ITC Central Tax", "Availed ITC State/UT Tax",
                                             "Availed ITC Cess"});
    auto withCredit = [](std::vector<int> amounts, int first) {
        for (int c : {0, 1, 2, 3, 5, 6, 7, 8}) amounts.push_back(first + c);
        return amounts;
    };
    static const std::vector<ReturnSheet> sheets = {
        {QStringLiteral("B2B"),
         words({"GSTIN of Supplier", "Invoice Number", "Invoice date", "Invoice Value", "Place Of Supply", "Reverse Charge", "Invoice Type",
                "Rate", "Taxable Value"}) + credit,
         withCredit({3, 7, 8}, 9)},
        {QStringLiteral("B2BUR"),
         words({"Supplier Name", "Invoice Number", "Invoice date", "Invoice Value", "Place Of Supply", "Supply Type", "Rate", "Taxable Value"}) +
             credit,
         withCredit({3, 6, 7}, 8)},
        {QStringLiteral("CDNR"),
         words({"GSTIN of Supplier", "Note/Refund Voucher Number", "Note/Refund Voucher date", "Invoice/Advance Payment Voucher Number",
                "Invoice/Advance Payment Voucher date", "Pre GST", "Document Type", "Reason For Issuing document", "Supply Type",
                "Note/Refund Voucher Value", "Rate", "Taxable Value"}) +
             credit,
         withCredit({9, 10, 11}, 12)},
        {QStringLiteral("CDNUR"),
         words({"Note/Voucher Number", "Note/Voucher date", "Invoice/Advance Payment Voucher number", "Invoice/Advance Payment Voucher date",
                "Pre GST", "Document Type", "Reason For Issuing document", "Supply Type", "Invoice Type", "Note/Voucher Value", "Rate",
                "Taxable Value"}) +
             credit,
         withCredit({9, 10, 11}, 12)},
        {QStringLiteral("exemp"),
         words({"Description", "Composition taxable person", "Nil Rated Supplies", "Exempted (other than nil rated/non GST supply )",
                "Non-GST supplies"}),
         range(1, 4)},
        {QStringLiteral("HSNSUM"),
         words({"HSN", "Description", "UQC", "Total Quantity", "Total Value", "Taxable Value", "Integrated Tax Amount", "Central Tax Amount",
                "State/UT Tax Amount", "Cess Amount"}),
         range(3, 9)},
    };
    return sheets;
}

std::vector<QStringList> gstr2Rows(const Gstr2& r, const QString& sheet) {
    std::vector<QStringList> rows;
    auto supplyType = [](bool inter) { return inter ? QStringLiteral("Inter State") : QStringLiteral("Intra State"); };
    if (sheet == QLatin1String("B2B")) {
        for (const InwardInvoiceRow& i : r.b2b)
            rows.push_back(QStringList{i.gstin, i.invoiceNo, sheetDate(i.date), i.invoiceValue.toString(2), i.placeOfSupply,
                                       i.reverseCharge ? QStringLiteral("Y") : QStringLiteral("N"), QStringLiteral("Regular"), rateText(i.rate),
                                       i.taxable.toString(2)} +
                           creditColumns(i.igst, i.cgst, i.sgst, i.cess, i.eligibility));
    } else if (sheet == QLatin1String("B2BUR")) {
        for (const InwardInvoiceRow& i : r.b2bur)
            rows.push_back(QStringList{i.supplier, i.invoiceNo, sheetDate(i.date), i.invoiceValue.toString(2), i.placeOfSupply, supplyType(i.interState),
                                       rateText(i.rate), i.taxable.toString(2)} +
                           creditColumns(i.igst, i.cgst, i.sgst, i.cess, i.eligibility));
    } else if (sheet == QLatin1String("CDNR")) {
        for (const InwardNoteRow& n : r.cdnr)
            rows.push_back(QStringList{n.gstin, n.noteNo, sheetDate(n.noteDate), n.invoiceNo, sheetDate(n.invoiceDate), yesNo(n.preGst),
                                       n.documentType, n.reason, supplyType(n.interState), n.noteValue.toString(2), rateText(n.rate),
                                       n.taxable.toString(2)} +
                           creditColumns(n.igst, n.cgst, n.sgst, n.cess, QStringLiteral("Inputs")));
    } else if (sheet == QLatin1String("CDNUR")) {
        for (const InwardNoteRow& n : r.cdnur)
            rows.push_back(QStringList{n.noteNo, sheetDate(n.noteDate), n.invoiceNo, sheetDate(n.invoiceDate), yesNo(n.preGst), n.documentType,
                                       n.reason, supplyType(n.interState), QStringLiteral("B2BUR"), n.noteValue.toString(2), rateText(n.rate),
                                       n.taxable.toString(2)} +
                           creditColumns(n.igst, n.cgst, n.sgst, n.cess, QStringLiteral("Inputs")));
    } else if (sheet == QLatin1String("exemp")) {
        for (const InwardExemptRow& e : r.exempt)
            rows.push_back(QStringList{e.description, e.composition.toString(2), e.nilRated.toString(2), e.exempted.toString(2), e.nonGst.toString(2)});
    } else if (sheet == QLatin1String("HSNSUM")) {
        for (const HsnRow& h : r.hsn)
            rows.push_back(QStringList{h.hsn, h.description, h.uqc, h.quantity.toString(2), h.totalValue.toString(2), h.taxable.toString(2), h.igst.toString(2),
                                       h.cgst.toString(2), h.sgst.toString(2), Decimal().toString(2)});
    }
    return rows;
}

Gstr2 Gstr2Service::compute(const ReturnPeriod& period, PortalMatchFilter filter) const {
    const Gstr1Service sales(db_, session_);
    sales.checkPeriod(period);
    const Gstr1Service::Firm firm = sales.firm();
    const QString firmCode = firm.stateCode();
    const db::Dialect& sql = db_.dialect();
    const QVariantList params = {session_.firmNo, period.from, period.to};
    const QString bills = billsOfPeriod(filter);

    Gstr2 r;
    r.period = period;
    r.filter = filter;
    r.firmGstin = firm.gstin;
    r.firmState = firm.state;

    const QString invoiceRates =
        QStringLiteral("SELECT m.Id, m.BillNO, m.BillDate, m.BillAmount, COALESCE(m.RCM_ID, 0) AS Rcm, COALESCE(m.GenPurAccId, 0) AS General, "
                       "COALESCE(m.Is_GstR2A, 0) AS Matched, COALESCE(a.AcName, '') AS Supplier, COALESCE(a.TinNo, '') AS Gstin, "
                       "COALESCE(a.CSTNo, '') AS PartyState, COALESCE(a.IsOgs, 0) AS OtherState, COALESCE(a.EcNo, '') AS EcNo, "
                       "COALESCE(a.Is_RevCh, 0) AS PartyRcm, m.VatRs + m.ATAXRs + m.CSTRs AS BillTax, "
                       "t.Rate, t.Taxable, t.Igst, t.Cgst, t.Sgst FROM (SELECT d.BillMstId, d.VatPD + d.ATaxPD AS Rate, ") +
        purchaseLineSums(sql) + QStringLiteral(" FROM BillDtl d INNER JOIN BillMst x ON x.Id = d.BillMstId WHERE ") + bills +
        QStringLiteral(" GROUP BY d.BillMstId, d.VatPD + d.ATaxPD) t INNER JOIN BillMst m ON m.Id = t.BillMstId "
                       "LEFT JOIN AccMst a ON a.Id = m.PartyID");

    InwardExemptRow inter{QStringLiteral("Inter-State supplies"), {}, {}, {}, {}};
    InwardExemptRow intra{QStringLiteral("Intra-State supplies"), {}, {}, {}, {}};
    db_.forEach(invoiceRates, params, [&](const db::Row& row) {
        InwardInvoiceRow line;
        line.billId = row.integer(QStringLiteral("Id"));
        line.gstin = row.text(QStringLiteral("Gstin")).trimmed().toUpper();
        line.supplier = row.text(QStringLiteral("Supplier")).trimmed();
        line.invoiceNo = row.text(QStringLiteral("BillNO")).trimmed();
        line.date = row.date(QStringLiteral("BillDate"));
        line.placeOfSupply = firm.state;
        line.invoiceValue = Decimal::amount(row.value(QStringLiteral("BillAmount")));
        takeRateAndTaxes(line, row);
        line.matched = row.flag(QStringLiteral("Matched"));
        const QString partyCode = stateCodeOf(row.text(QStringLiteral("PartyState")));
        if (!line.igst.isZero()) line.interState = true;
        else if (line.cgst.isZero() && line.sgst.isZero())
            line.interState = row.flag(QStringLiteral("OtherState")) || (!partyCode.isEmpty() && !firmCode.isEmpty() && partyCode != firmCode);
        const bool taxedBill = Decimal::fromVariant(row.value(QStringLiteral("BillTax"))) > Decimal();
        line.reverseCharge = taxedBill && (row.integer(QStringLiteral("Rcm")) > 0 || row.flag(QStringLiteral("PartyRcm")));

        if (line.rate.isZero()) {
            // Inward supplies without tax: from a composition dealer, outside GST (expense bills) or nil rated.
            InwardExemptRow& into = line.interState ? inter : intra;
            const bool composition = !line.gstin.isEmpty() && row.text(QStringLiteral("EcNo")).trimmed() == QLatin1String("1");
            if (composition) into.composition += line.taxable;
            else if (row.integer(QStringLiteral("General")) != 0) into.nonGst += line.taxable;
            else into.nilRated += line.taxable;
            return;
        }
        if (!line.gstin.isEmpty()) {
            r.b2bSummary.add(line.supplier, line.billId, line.invoiceValue, line.taxable);
            r.b2b.push_back(std::move(line));
        } else {
            r.b2burSummary.add(line.supplier, line.billId, line.invoiceValue, line.taxable);
            r.b2bur.push_back(std::move(line));
        }
    });
    auto order = [](std::vector<InwardInvoiceRow>& rows) {
        std::stable_sort(rows.begin(), rows.end(), [](const InwardInvoiceRow& a, const InwardInvoiceRow& b) {
            return std::make_tuple(a.date, a.supplier, a.invoiceNo, a.billId, a.rate) <
                   std::make_tuple(b.date, b.supplier, b.invoiceNo, b.billId, b.rate);
        });
    };
    order(r.b2b);
    order(r.b2bur);
    r.exempt = {inter, intra};

    // Purchase returns and debit notes: registered suppliers' in CDNR, the others' in CDNUR.
    for (InwardNoteRow& n : purchaseNoteRows(db_, session_, period)) (n.gstin.isEmpty() ? r.cdnur : r.cdnr).push_back(std::move(n));

    // HSN summary of the goods that came in, per unit, HSN, description and rate, less the goods
    // sent back; expense lines name no item and so no HSN.
    auto hsnOf = [&](int formId, const QString& where) {
        return QStringLiteral("SELECT COALESCE(p.UQM, '') AS Uqc, COALESCE(p.hsnCode, '') AS Hsn, COALESCE(p.LicenceNo, '') AS Description, "
                              "d.VatPD + d.ATaxPD AS Rate, ") +
               sql.sumRounded(QStringLiteral("CASE WHEN d.PM = 'P' THEN d.Qty2 ELSE d.PQty END"), 3) + QStringLiteral(" AS Qty, ") +
               sql.sumRounded(QStringLiteral("d.TotAmtD"), 2) + QStringLiteral(" AS TotalValue, ") + purchaseLineSums(sql) +
               QStringLiteral(" FROM BillDtl d INNER JOIN BillMst x ON x.Id = d.BillMstId INNER JOIN ProdMst p ON p.Id = d.PCode WHERE ") +
               (formId == 1 ? where : purchaseDocumentsOfPeriod(QStringLiteral("x"), formId)) +
               QStringLiteral(" GROUP BY COALESCE(p.UQM, ''), COALESCE(p.hsnCode, ''), COALESCE(p.LicenceNo, ''), d.VatPD + d.ATaxPD");
    };
    HsnTotals hsnTotals;
    for (const int formId : {1, 2})
        db_.forEach(hsnOf(formId, bills), params, [&](const db::Row& row) { hsnTotals.add(hsnRowOf(row), formId == 1 ? 1 : -1); });
    r.hsn = hsnTotals.rows();
    return r;
}

}  // namespace tanabana::gst
