#include "domain/gst/Gstr1.h"

#include "domain/gst/GstRules.h"

#include <algorithm>
#include <map>
#include <set>
#include <tuple>

namespace tanabana::gst {

namespace {

Decimal amount(const db::Row& row, const QString& column) { return Decimal::fromVariant(row.value(column)).roundHalfEven(2); }
Decimal exact(const db::Row& row, const QString& column) { return Decimal::fromVariant(row.value(column)); }

// The sales bills of the return: the firm's sales (not opening bills) dated inside the period.
const QString kBillsOfPeriod = QStringLiteral("x.FirmNO = ? AND x.FormId = 3 AND x.Id > 0 AND COALESCE(x.IsOp, 0) = 0 AND x.BillDate BETWEEN ? AND ?");

// Line sums of a GST rate. An IGST line keeps its tax in the first column, which is then not SGST.
QString lineSums(const db::Dialect& sql) {
    return sql.sumRounded(QStringLiteral("d.Amt"), 2) + QStringLiteral(" AS Taxable, ") +
           sql.sumRounded(QStringLiteral("COALESCE(d.IGSTRs, 0)"), 3) + QStringLiteral(" AS Igst, ") +
           sql.sumRounded(QStringLiteral("d.DATaxRs"), 3) + QStringLiteral(" AS Cgst, ") +
           sql.sumRounded(QStringLiteral("CASE WHEN COALESCE(d.IGSTRs, 0) <> 0 THEN 0 ELSE d.DVatRs END"), 3) + QStringLiteral(" AS Sgst");
}

struct Classifier {
    QString firmStateCode;
    bool interState(const QString& partyState, bool otherState) const {
        const QString code = stateCodeOf(partyState);
        return otherState || (!code.isEmpty() && !firmStateCode.isEmpty() && code != firmStateCode);
    }
};

// Orders rows by date, numeric invoice number, document and rate (the keys made once per row).
void sortInvoiceRows(std::vector<InvoiceRateRow>& rows) {
    using Key = std::tuple<QDate, qint64, qint64, Decimal>;
    std::vector<std::pair<Key, size_t>> keys;
    keys.reserve(rows.size());
    for (size_t i = 0; i < rows.size(); ++i)
        keys.push_back({Key{rows[i].document.date, serialOf(rows[i].document.billNo), rows[i].document.id, rows[i].rate}, i});
    std::sort(keys.begin(), keys.end());
    std::vector<InvoiceRateRow> sorted;
    sorted.reserve(rows.size());
    for (const auto& [key, i] : keys) sorted.push_back(std::move(rows[i]));
    rows = std::move(sorted);
}

}  // namespace

DocumentRef salesDocumentOf(const db::Row& row) {
    DocumentRef d;
    d.id = row.integer(QStringLiteral("Id"));
    d.book = row.text(QStringLiteral("Prefix"));
    d.billNo = row.text(QStringLiteral("BillNO")).trimmed();
    d.number = d.book + d.billNo;
    d.date = row.date(QStringLiteral("BillDate"));
    d.party = row.text(QStringLiteral("PartyName"));
    return d;
}

HsnRow hsnRowOf(const db::Row& row) {
    HsnRow h;
    h.uqc = row.text(QStringLiteral("Uqc")).trimmed();
    h.hsn = row.text(QStringLiteral("Hsn")).trimmed();
    h.description = row.text(QStringLiteral("Description")).trimmed();
    h.rate = amount(row, QStringLiteral("Rate"));
    h.quantity = exact(row, QStringLiteral("Qty"));
    h.totalValue = amount(row, QStringLiteral("TotalValue"));
    h.taxable = amount(row, QStringLiteral("Taxable"));
    h.igst = exact(row, QStringLiteral("Igst"));
    h.cgst = exact(row, QStringLiteral("Cgst"));
    h.sgst = exact(row, QStringLiteral("Sgst"));
    return h;
}

QString Gstr1Service::Firm::stateCode() const {
    const QString code = stateCodeOf(state);
    return code.isEmpty() ? gstin.left(2) : code;
}

void SectionSummary::add(const QString& party, qint64 invoice, const Decimal& value, const Decimal& rowTaxable) {
    partiesSeen_.insert(party);
    if (invoicesSeen_.insert(invoice).second) invoiceValue += value;
    taxable += rowTaxable;
    parties = int(partiesSeen_.size());
    invoices = int(invoicesSeen_.size());
}

qint64 serialOf(const QString& number) {
    const QString text = number.trimmed();
    qsizetype start = text.size();
    while (start > 0 && text.at(start - 1).isDigit()) --start;
    return text.mid(start).right(15).toLongLong();
}

std::optional<ReturnPeriod> ReturnPeriod::month(const QString& mmYyyy) {
    const QStringList parts = mmYyyy.trimmed().split(QLatin1Char('-'));
    if (parts.size() != 2) return std::nullopt;
    bool monthOk = false, yearOk = false;
    const int m = parts.at(0).toInt(&monthOk), y = parts.at(1).toInt(&yearOk);
    if (!monthOk || !yearOk || parts.at(1).size() != 4 || m < 1 || m > 12) return std::nullopt;
    const QDate first(y, m, 1);
    return ReturnPeriod{first, first.addMonths(1).addDays(-1)};
}

const QStringList& documentNatures() {
    static const QStringList natures = {
        QStringLiteral("Invoices for outward supply"),
        QStringLiteral("Invoices for inward supply from unregistered person"),
        QStringLiteral("Revised Invoice"),
        QStringLiteral("Debit Note"),
        QStringLiteral("Credit Note"),
        QStringLiteral("Receipt Voucher"),
        QStringLiteral("Payment Voucher"),
        QStringLiteral("Refund Voucher"),
        QStringLiteral("Delivery Challan for job work"),
        QStringLiteral("Delivery Challan for supply on approval"),
        QStringLiteral("Delivery Challan in case of liquid gas"),
        QStringLiteral("Delivery Challan in case other than by way of supply (excluding at S no. 9 to 11)"),
    };
    return natures;
}

void Gstr1Service::checkPeriod(const ReturnPeriod& period) const {
    const QString form = QStringLiteral("dd-MM-yyyy");
    if (!period.from.isValid() || !period.to.isValid() || period.from > period.to)
        throw GstError(QStringLiteral("The return period is not a period of dates."));
    if (period.from < session_.yearStartDate || period.to > session_.yearEndDate)
        throw GstError(QStringLiteral("The period %1 to %2 is outside the open year %3 to %4.")
                           .arg(period.from.toString(form), period.to.toString(form), session_.yearStartDate.toString(form),
                                session_.yearEndDate.toString(form)));
}

Gstr1Service::Firm Gstr1Service::firm() const {
    const auto row = db_.queryOne(QStringLiteral("SELECT COALESCE(Tin, '') AS Tin, COALESCE(CST, '') AS CST, "
                                                 "COALESCE(Is_Turnover_5Cr, 0) AS Large FROM FirmMst WHERE Srno = ?"),
                                  {session_.firmNo});
    Firm f;
    if (row) {
        f.gstin = row->text(QStringLiteral("Tin")).trimmed().toUpper();
        f.state = row->text(QStringLiteral("CST")).trimmed();
        f.turnoverAbove5Crore = row->flag(QStringLiteral("Large"));
    }
    if (f.state.isEmpty()) f.state = session_.firm.value(QStringLiteral("CST")).toString().trimmed();
    return f;
}

Gstr1 Gstr1Service::compute(const ReturnPeriod& period) const {
    checkPeriod(period);
    const db::Dialect& sql = db_.dialect();
    const QVariantList params = {session_.firmNo, period.from, period.to};
    Gstr1 r;
    r.period = period;
    const Firm f = firm();
    r.firmGstin = f.gstin;
    r.firmState = f.state;
    const Classifier classify{f.stateCode()};

    // Invoice and rate rows of every bill of the period.
    const QString invoiceRates =
        QStringLiteral("SELECT m.Id, COALESCE(b.BookShortName, '') AS Prefix, m.BillNO, m.BillDate, m.BillAmount, "
                       "COALESCE(m.InvType, '') AS InvType, COALESCE(m.CashRem, '') AS PortCode, COALESCE(m.Ret_Reason, '') AS ShipNo, "
                       "m.Sal_Bill_Dt AS ShipDate, COALESCE(a.AcName, '') AS PartyName, COALESCE(a.TinNo, '') AS Gstin, "
                       "COALESCE(a.CSTNo, '') AS PartyState, COALESCE(a.IsOgs, 0) AS OtherState, COALESCE(a.PanNO, '') AS PanNo, "
                       "t.Rate, t.Taxable, t.Igst, t.Cgst, t.Sgst "
                       "FROM (SELECT d.BillMstId, d.DVatP + d.DATaxP AS Rate, ") +
        lineSums(sql) +
        QStringLiteral(" FROM SalBillDtl d INNER JOIN SalBillMst x ON x.Id = d.BillMstId WHERE ") + kBillsOfPeriod +
        QStringLiteral(" GROUP BY d.BillMstId, d.DVatP + d.DATaxP) t "
                       "INNER JOIN SalBillMst m ON m.Id = t.BillMstId LEFT JOIN AccMst a ON a.Id = m.PartyID "
                       "LEFT JOIN BookMst b ON b.BookNO = m.BookNO AND b.FirmNO = m.FirmNO");

    std::map<std::tuple<QString, bool, Decimal>, B2csRow> b2cs;
    std::map<QString, Decimal> nil;
    db_.forEach(invoiceRates, params, [&](const db::Row& row) {
        InvoiceRateRow line;
        line.document = salesDocumentOf(row);
        line.gstin = row.text(QStringLiteral("Gstin")).trimmed().toUpper();
        line.placeOfSupply = row.text(QStringLiteral("PartyState")).trimmed();
        line.invoiceValue = amount(row, QStringLiteral("BillAmount"));
        line.rate = amount(row, QStringLiteral("Rate"));
        line.taxable = amount(row, QStringLiteral("Taxable"));
        line.igst = amount(row, QStringLiteral("Igst"));
        line.cgst = amount(row, QStringLiteral("Cgst"));
        line.sgst = amount(row, QStringLiteral("Sgst"));
        const bool otherState = row.flag(QStringLiteral("OtherState"));
        const bool inter = classify.interState(line.placeOfSupply, otherState);
        line.interState = inter;

        if (row.text(QStringLiteral("InvType")).trimmed().toUpper() == QLatin1String("E")) {
            const QString declared = row.text(QStringLiteral("PanNo")).trimmed().toUpper();
            line.interState = true;
            line.exportType = declared == QLatin1String("WPAY") || declared == QLatin1String("WOPAY")
                                  ? declared
                                  : (line.igst.isZero() ? QStringLiteral("WOPAY") : QStringLiteral("WPAY"));
            line.portCode = row.text(QStringLiteral("PortCode")).trimmed();
            line.shippingBillNo = row.text(QStringLiteral("ShipNo")).trimmed();
            line.shippingBillDate = row.date(QStringLiteral("ShipDate"));
            r.expSummary.add(line.document.party, line.document.id, line.invoiceValue, line.taxable);
            r.exp.push_back(std::move(line));
            return;
        }
        const bool registered = !line.gstin.isEmpty();
        line.sez = row.text(QStringLiteral("InvType")).trimmed().toUpper() == QLatin1String("S");
        if (line.rate.isZero()) {
            // Nil-rated goods are reported in their own table, not among taxed invoices.
            nil[(inter ? QStringLiteral("INTR") : QStringLiteral("INTRA")) + (registered ? QStringLiteral("B2B") : QStringLiteral("B2C"))] +=
                line.taxable;
            return;
        }
        if (registered) {
            r.b2bSummary.add(line.document.party, line.document.id, line.invoiceValue, line.taxable);
            r.b2b.push_back(std::move(line));
        } else if (inter && line.invoiceValue > b2clThreshold(line.document.date)) {
            r.b2clSummary.add(line.document.party, line.document.id, line.invoiceValue, line.taxable);
            r.b2cl.push_back(std::move(line));
        } else {
            r.b2csSummary.add(line.document.party, line.document.id, line.invoiceValue, line.taxable);
            B2csRow& sum = b2cs[{line.placeOfSupply, inter, line.rate}];
            sum.placeOfSupply = line.placeOfSupply;
            sum.interState = inter;
            sum.rate = line.rate;
            sum.taxable += line.taxable;
            sum.igst += line.igst;
            sum.cgst += line.cgst;
            sum.sgst += line.sgst;
        }
    });
    sortInvoiceRows(r.b2b);
    sortInvoiceRows(r.b2cl);
    sortInvoiceRows(r.exp);
    for (auto& [key, row] : b2cs) r.b2cs.push_back(row);
    std::stable_sort(r.b2cs.begin(), r.b2cs.end(), [](const B2csRow& a, const B2csRow& b) {
        return std::tie(a.rate, a.placeOfSupply, a.interState) < std::tie(b.rate, b.placeOfSupply, b.interState);
    });

    const std::pair<const char*, const char*> nilKinds[] = {
        {"Inter-State supplies to registered persons", "INTRB2B"},
        {"Intra-State supplies to registered persons", "INTRAB2B"},
        {"Inter-State supplies to unregistered persons", "INTRB2C"},
        {"Intra-State supplies to unregistered persons", "INTRAB2C"},
    };
    for (const auto& [description, code] : nilKinds)
        r.nil.push_back({QString::fromLatin1(description), QString::fromLatin1(code), nil[QString::fromLatin1(code)], {}, {}});

    // HSN summary: every line of the period, exports included, per unit, HSN, description and rate.
    const QString hsn =
        QStringLiteral("SELECT COALESCE(p.UQM, '') AS Uqc, COALESCE(p.hsnCode, '') AS Hsn, COALESCE(p.LicenceNo, '') AS Description, "
                       "d.DVatP + d.DATaxP AS Rate, CASE WHEN COALESCE(a.TinNo, '') <> '' AND COALESCE(x.InvType, '') <> 'E' THEN 1 ELSE 0 END "
                       "AS Registered, ") +
        sql.sumRounded(QStringLiteral("CASE WHEN d.PM = 'P' THEN d.Qty2 ELSE d.Qty END"), 3) + QStringLiteral(" AS Qty, ") +
        sql.sumRounded(QStringLiteral("d.DNetAmt"), 2) + QStringLiteral(" AS TotalValue, ") + lineSums(sql) +
        QStringLiteral(" FROM SalBillDtl d INNER JOIN SalBillMst x ON x.Id = d.BillMstId LEFT JOIN ProdMst p ON p.Id = d.PCode "
                       "LEFT JOIN AccMst a ON a.Id = x.PartyID WHERE ") +
        kBillsOfPeriod +
        QStringLiteral(" GROUP BY COALESCE(p.UQM, ''), COALESCE(p.hsnCode, ''), COALESCE(p.LicenceNo, ''), d.DVatP + d.DATaxP, "
                       "CASE WHEN COALESCE(a.TinNo, '') <> '' AND COALESCE(x.InvType, '') <> 'E' THEN 1 ELSE 0 END");
    using HsnKey = std::tuple<QString, QString, Decimal, QString>;  // HSN, description, rate, unit: the order of the summary
    std::map<HsnKey, HsnRow> all, registered, unregistered;
    auto add = [](std::map<HsnKey, HsnRow>& into, const HsnKey& key, const HsnRow& row) {
        auto [it, fresh] = into.try_emplace(key, row);
        if (fresh) return;
        HsnRow& sum = it->second;
        sum.quantity += row.quantity;
        sum.totalValue += row.totalValue;
        sum.taxable += row.taxable;
        sum.igst += row.igst;
        sum.cgst += row.cgst;
        sum.sgst += row.sgst;
    };
    db_.forEach(hsn, params, [&](const db::Row& row) {
        // taxes summed at three places, rounded once per row of the summary
        const HsnRow h = hsnRowOf(row);
        const HsnKey key{h.hsn, h.description, h.rate, h.uqc};
        add(all, key, h);
        add(row.integer(QStringLiteral("Registered")) == 1 ? registered : unregistered, key, h);
    });
    auto rounded = [](const std::map<HsnKey, HsnRow>& rows) {
        std::vector<HsnRow> out;
        for (auto [key, row] : rows) {
            row.igst = row.igst.roundHalfEven(2);
            row.cgst = row.cgst.roundHalfEven(2);
            row.sgst = row.sgst.roundHalfEven(2);
            out.push_back(row);
        }
        return out;
    };
    r.hsn = rounded(all);
    r.hsnSplit = hsnSplitByRecipient(period.from);
    if (r.hsnSplit) {
        r.hsnB2b = rounded(registered);
        r.hsnB2c = rounded(unregistered);
    }

    // Documents issued: the sales bills of each book, and the self-invoices of reverse-charge purchases.
    struct Series {
        QString prefix;
        qint64 low = -1, high = -1;
        QString lowNo, highNo;
        int count = 0;
        void take(const QString& number) {
            const qint64 n = serialOf(number);
            if (count == 0 || n < low) low = n, lowNo = number;
            if (count == 0 || n > high) high = n, highNo = number;
            ++count;
        }
    };
    std::map<qint64, Series> books;
    db_.forEach(QStringLiteral("SELECT x.BookNO, COALESCE(b.BookShortName, '') AS Prefix, x.BillNO FROM SalBillMst x "
                               "LEFT JOIN BookMst b ON b.BookNO = x.BookNO AND b.FirmNO = x.FirmNO WHERE ") +
                    kBillsOfPeriod,
                params, [&](const db::Row& row) {
                    Series& s = books[row.integer(QStringLiteral("BookNO"))];
                    s.prefix = row.text(QStringLiteral("Prefix"));
                    s.take(row.text(QStringLiteral("BillNO")).trimmed());
                });
    for (const auto& [book, s] : books)
        r.documents.push_back({1, documentNatures().at(0), s.prefix + s.lowNo, s.prefix + s.highNo, s.count, 0});
    Series selfInvoices;
    db_.forEach(QStringLiteral("SELECT COALESCE(RCM_BillNO, '') AS No FROM BillMst WHERE FirmNO = ? AND FormId = 1 AND COALESCE(RCM_ID, 0) > 0 "
                               "AND COALESCE(IsOp, 0) = 0 AND BillDate BETWEEN ? AND ?"),
                params, [&](const db::Row& row) { selfInvoices.take(row.text(QStringLiteral("No")).trimmed()); });
    if (selfInvoices.count > 0)
        r.documents.push_back({2, documentNatures().at(1), selfInvoices.lowNo, selfInvoices.highNo, selfInvoices.count, 0});
    return r;
}

}  // namespace tanabana::gst
