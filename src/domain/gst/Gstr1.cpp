#include "domain/gst/Gstr1.h"

#include "domain/gst/GstQueries.h"
#include "domain/gst/GstRules.h"
#include "domain/gst/NoteRows.h"

#include <algorithm>
#include <map>
#include <set>
#include <tuple>
#include <unordered_map>
#include <unordered_set>

namespace tanabana::gst {

namespace {


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

// What the unregistered small sales and the nil-rated supplies add up to while the rows are read.
struct Sums {
    std::map<std::tuple<QString, bool, Decimal>, B2csRow> b2cs;  // place of supply, inter-state, rate
    std::map<QString, Decimal> nil;                              // by the portal's supply type
    B2csRow& b2csRow(const QString& placeOfSupply, bool interState, const Decimal& rate) {
        B2csRow& sum = b2cs[{placeOfSupply, interState, rate}];
        sum.placeOfSupply = placeOfSupply;
        sum.interState = interState;
        sum.rate = rate;
        return sum;
    }
};

const std::pair<const char*, const char*> kNilKinds[] = {
    {"Inter-State supplies to registered persons", "INTRB2B"},
    {"Intra-State supplies to registered persons", "INTRAB2B"},
    {"Inter-State supplies to unregistered persons", "INTRB2C"},
    {"Intra-State supplies to unregistered persons", "INTRAB2C"},
};

QString nilKind(bool interState, bool registered) {
    return (interState ? QStringLiteral("INTR") : QStringLiteral("INTRA")) + (registered ? QStringLiteral("B2B") : QStringLiteral("B2C"));
}

// A buyer of the period's bills as the sections need it.
struct Buyer {
    QString name, gstin, state, panNo;
    bool otherState = false;
};

// The buyers of the period's bills and the firm's book prefixes, read once instead of joined to
// each of the (many thousand) invoice rows.
std::unordered_map<qint64, Buyer> buyersOfPeriod(db::Database& db, const QVariantList& params) {
    std::unordered_map<qint64, Buyer> buyers;
    db.forEach(QStringLiteral("SELECT a.Id, COALESCE(a.AcName, '') AS PartyName, COALESCE(a.TinNo, '') AS Gstin, COALESCE(a.CSTNo, '') AS PartyState, "
                              "COALESCE(a.IsOgs, 0) AS OtherState, COALESCE(a.PanNO, '') AS PanNo FROM AccMst a "
                              "WHERE a.Id IN (SELECT x.PartyID FROM SalBillMst x WHERE ") +
                   salesDocumentsOfPeriod(QStringLiteral("x"), 3) + QLatin1Char(')'),
               params, [&](const db::Row& row) {
                   Buyer& b = buyers[row.integer(QStringLiteral("Id"))];
                   b.name = row.text(QStringLiteral("PartyName"));
                   b.gstin = row.text(QStringLiteral("Gstin")).trimmed().toUpper();
                   b.state = row.text(QStringLiteral("PartyState")).trimmed();
                   b.panNo = row.text(QStringLiteral("PanNo"));
                   b.otherState = row.flag(QStringLiteral("OtherState"));
               });
    return buyers;
}

std::unordered_map<qint64, QString> bookPrefixes(db::Database& db, qint64 firmNo) {
    std::unordered_map<qint64, QString> prefixes;
    db.forEach(QStringLiteral("SELECT BookNO, COALESCE(BookShortName, '') AS Prefix FROM BookMst WHERE FirmNO = ?"), {firmNo},
               [&](const db::Row& row) { prefixes[row.integer(QStringLiteral("BookNO"))] = row.text(QStringLiteral("Prefix")); });
    return prefixes;
}

// A series of documents of one book: the lowest and highest numbers by their serial, and the count.
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

// The HSN summary of every buyer together and of registered and unregistered buyers apart.
struct HsnSums {
    HsnTotals all, registered, unregistered;
    void take(const HsnRow& h, bool isRegistered, int sign) {
        all.add(h, sign);
        (isRegistered ? registered : unregistered).add(h, sign);
    }
};

// The bills of the period in one pass over their lines: invoice and rate rows, each put in its
// section, and the HSN summary's rows (every line, exports included, per unit, HSN, description
// and rate; taxes summed exactly and rounded once a row).
void readSales(db::Database& db, const QVariantList& params, const QString& firmStateCode, Gstr1& r, Sums& sums, HsnSums& hsn,
               std::map<qint64, Series>& invoices) {
    std::unordered_set<qint64> billsSeen;
    const std::unordered_map<qint64, Buyer> buyers = buyersOfPeriod(db, params);
    const std::unordered_map<qint64, QString> prefixes = bookPrefixes(db, params.front().toLongLong());
    const Buyer unknown;
    db.forEach(salesOfPeriodInOnePass(db.dialect()), params, [&](const db::Row& row) {
        if (row.text(QStringLiteral("Part")) == QLatin1String("H")) {
            hsn.take(hsnRowOf(row), row.integer(QStringLiteral("Registered")) == 1, 1);
            return;
        }
        const auto found = buyers.find(row.integer(QStringLiteral("PartyID")));
        const Buyer& buyer = found == buyers.end() ? unknown : found->second;
        const auto prefix = prefixes.find(row.integer(QStringLiteral("BookNO")));
        InvoiceRateRow line;
        line.document.id = row.integer(QStringLiteral("Id"));
        line.document.book = prefix == prefixes.end() ? QString() : prefix->second;
        line.document.billNo = row.text(QStringLiteral("BillNO")).trimmed();
        line.document.number = line.document.book + line.document.billNo;
        line.document.date = row.date(QStringLiteral("BillDate"));
        line.document.party = buyer.name;
        if (billsSeen.insert(line.document.id).second) {
            // the documents issued: each bill once, in the series of its book
            Series& series = invoices[row.integer(QStringLiteral("BookNO"))];
            series.prefix = line.document.book;
            series.take(line.document.billNo);
        }
        line.gstin = buyer.gstin;
        line.placeOfSupply = buyer.state;
        line.invoiceValue = Decimal::amount(row.value(QStringLiteral("BillAmount")));
        takeRateAndTaxes(line, row);
        const bool inter = interStateParty(firmStateCode, line.placeOfSupply, buyer.otherState);
        line.interState = inter;
        const QString invType = row.text(QStringLiteral("InvType")).trimmed().toUpper();

        if (invType == QLatin1String("E")) {
            line.interState = true;
            line.exportType = exportTypeOf(buyer.panNo, line.igst.isZero());
            line.portCode = row.text(QStringLiteral("PortCode")).trimmed();
            line.shippingBillNo = row.text(QStringLiteral("ShipNo")).trimmed();
            line.shippingBillDate = row.date(QStringLiteral("ShipDate"));
            r.expSummary.add(line.document.party, line.document.id, line.invoiceValue, line.taxable);
            r.exp.push_back(std::move(line));
            return;
        }
        const bool registered = !line.gstin.isEmpty();
        line.sez = invType == QLatin1String("S");
        if (line.rate.isZero()) {
            // Nil-rated goods are reported in their own table, not among taxed invoices.
            sums.nil[nilKind(inter, registered)] += line.taxable;
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
            B2csRow& sum = sums.b2csRow(line.placeOfSupply, inter, line.rate);
            sum.taxable += line.taxable;
            sum.igst += line.igst;
            sum.cgst += line.cgst;
            sum.sgst += line.sgst;
        }
    });
}

// Sales returns and credit notes: registered buyers' in CDNR; an unregistered buyer's in CDNUR
// when against an export or a B2CL invoice, else netted into the B2CS row of its state and rate;
// at 0% they lower the nil-rated supplies.
void takeNotes(std::vector<NoteRateRow> notes, Gstr1& r, Sums& sums) {
    for (NoteRateRow& n : notes) {
        // returns and credit notes are two tables: their keys may meet
        const qint64 key = n.document.formId == 4 ? n.document.id : -n.document.id;
        if (!n.unregisteredType.isEmpty()) {
            r.cdnurSummary.add(n.document.party, key, n.noteValue, n.taxable);
            r.cdnur.push_back(std::move(n));
        } else if (n.rate.isZero()) {
            sums.nil[nilKind(n.interState, !n.gstin.isEmpty())] -= n.taxable;
        } else if (!n.gstin.isEmpty()) {
            r.cdnrSummary.add(n.document.party, key, n.noteValue, n.taxable);
            r.cdnr.push_back(std::move(n));
        } else {
            B2csRow& sum = sums.b2csRow(n.placeOfSupply, n.interState, n.rate);
            sum.taxable -= n.taxable;
            sum.igst -= n.igst;
            sum.cgst -= n.cgst;
            sum.sgst -= n.sgst;
            r.b2csSummary.taxable -= n.taxable;
        }
    }
}

// The HSN summaries less what returns and credit notes gave back.
void summariseHsn(db::Database& db, const Session& session, const ReturnPeriod& period, HsnSums& hsn, Gstr1& r) {
    for (const HsnReduction& back : salesNoteHsn(db, session, period)) hsn.take(back.row, back.registered, -1);
    r.hsn = hsn.all.rows();
    r.hsnSplit = hsnSplitByRecipient(period.from);
    if (r.hsnSplit) {
        r.hsnB2b = hsn.registered.rows();
        r.hsnB2c = hsn.unregistered.rows();
    }
}

// The sales documents of one form per book (the returns, form 4).
std::map<qint64, Series> seriesPerBook(db::Database& db, const QVariantList& params, int formId) {
    std::map<qint64, Series> books;
    db.forEach(QStringLiteral("SELECT x.BookNO, COALESCE(b.BookShortName, '') AS Prefix, x.BillNO FROM SalBillMst x "
                              "LEFT JOIN BookMst b ON b.BookNO = x.BookNO AND b.FirmNO = x.FirmNO WHERE ") +
                   salesDocumentsOfPeriod(QStringLiteral("x"), formId),
               params, [&](const db::Row& row) {
                   Series& s = books[row.integer(QStringLiteral("BookNO"))];
                   s.prefix = row.text(QStringLiteral("Prefix"));
                   s.take(row.text(QStringLiteral("BillNO")).trimmed());
               });
    return books;
}

// Documents issued: the sales bills of each book (as read with their lines), the self-invoices of
// reverse-charge purchases, and as credit notes the sales returns of each book and the credit notes.
void listDocuments(db::Database& db, const QVariantList& params, const std::map<qint64, Series>& invoices, Gstr1& r) {
    for (const auto& [book, s] : invoices)
        r.documents.push_back({1, documentNatures().at(0), s.prefix + s.lowNo, s.prefix + s.highNo, s.count, 0});
    Series selfInvoices;
    db.forEach(QStringLiteral("SELECT COALESCE(RCM_BillNO, '') AS No FROM BillMst WHERE FirmNO = ? AND FormId = 1 AND COALESCE(RCM_ID, 0) > 0 "
                              "AND (IsOp = 0 OR IsOp IS NULL) AND BillDate BETWEEN ? AND ?"),
               params, [&](const db::Row& row) { selfInvoices.take(row.text(QStringLiteral("No")).trimmed()); });
    if (selfInvoices.count > 0)
        r.documents.push_back({2, documentNatures().at(1), selfInvoices.lowNo, selfInvoices.highNo, selfInvoices.count, 0});
    for (const auto& [book, s] : seriesPerBook(db, params, 4))
        r.documents.push_back({5, documentNatures().at(4), s.prefix + s.lowNo, s.prefix + s.highNo, s.count, 0});
    Series credit;
    db.forEach(QStringLiteral("SELECT COALESCE(n.CNNo, '') AS No FROM CNMst n WHERE ") + notesOfPeriod(QStringLiteral("C")), params,
               [&](const db::Row& row) { credit.take(row.text(QStringLiteral("No")).trimmed()); });
    if (credit.count > 0) r.documents.push_back({5, documentNatures().at(4), credit.lowNo, credit.highNo, credit.count, 0});
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
    h.rate = Decimal::amount(row.value(QStringLiteral("Rate")));
    h.quantity = Decimal::fromVariant(row.value(QStringLiteral("Qty")));
    h.totalValue = Decimal::amount(row.value(QStringLiteral("TotalValue")));
    h.taxable = Decimal::amount(row.value(QStringLiteral("Taxable")));
    h.igst = Decimal::fromVariant(row.value(QStringLiteral("Igst")));
    h.cgst = Decimal::fromVariant(row.value(QStringLiteral("Cgst")));
    h.sgst = Decimal::fromVariant(row.value(QStringLiteral("Sgst")));
    return h;
}

QString exportTypeOf(const QString& declared, bool withoutIgst) {
    const QString type = declared.trimmed().toUpper();
    if (type == QLatin1String("WPAY") || type == QLatin1String("WOPAY")) return type;
    return withoutIgst ? QStringLiteral("WOPAY") : QStringLiteral("WPAY");
}

void HsnTotals::add(const HsnRow& row, int sign) {
    const Decimal s(sign);
    auto [it, fresh] = sums_.try_emplace({row.hsn, row.description, row.rate, row.uqc}, row);
    HsnRow& sum = it->second;
    if (fresh) sum.quantity = sum.totalValue = sum.taxable = sum.igst = sum.cgst = sum.sgst = Decimal();
    sum.quantity += row.quantity * s;
    sum.totalValue += row.totalValue * s;
    sum.taxable += row.taxable * s;
    sum.igst += row.igst * s;
    sum.cgst += row.cgst * s;
    sum.sgst += row.sgst * s;
}

std::vector<HsnRow> HsnTotals::rows() const {
    std::vector<HsnRow> out;
    out.reserve(sums_.size());
    for (auto [key, row] : sums_) {
        row.igst = row.igst.roundHalfEven(2);
        row.cgst = row.cgst.roundHalfEven(2);
        row.sgst = row.sgst.roundHalfEven(2);
        out.push_back(row);
    }
    return out;
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
    Gstr1 r;
    r.period = period;
    const Firm f = firm();
    r.firmGstin = f.gstin;
    r.firmState = f.state;
    const QVariantList params = {session_.firmNo, period.from, period.to};

    Sums sums;
    HsnSums hsn;
    std::map<qint64, Series> invoices;
    readSales(db_, params, f.stateCode(), r, sums, hsn, invoices);
    takeNotes(salesNoteRows(db_, session_, period), r, sums);
    sortInvoiceRows(r.b2b);
    sortInvoiceRows(r.b2cl);
    sortInvoiceRows(r.exp);
    for (auto& [key, row] : sums.b2cs) r.b2cs.push_back(row);
    std::stable_sort(r.b2cs.begin(), r.b2cs.end(), [](const B2csRow& a, const B2csRow& b) {
        return std::tie(a.rate, a.placeOfSupply, a.interState) < std::tie(b.rate, b.placeOfSupply, b.interState);
    });
    for (const auto& [description, code] : kNilKinds)
        r.nil.push_back({QString::fromLatin1(description), QString::fromLatin1(code), sums.nil[QString::fromLatin1(code)], {}, {}});

    summariseHsn(db_, session_, period, hsn, r);
    listDocuments(db_, params, invoices, r);
    return r;
}

}  // namespace tanabana::gst
