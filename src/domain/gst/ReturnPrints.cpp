#include "domain/gst/ReturnPrints.h"

#include "domain/gst/Gstr1Files.h"
#include "domain/reports/Register.h"
#include "domain/reports/ReportError.h"
#include "domain/reports/XlsxReport.h"

#include <QFileInfo>
#include <QLocale>
#include <algorithm>
#include <functional>

namespace tanabana::gst {

namespace {

QString shortDate(const QDate& d) { return d.isValid() ? d.toString(QStringLiteral("dd-MM-yyyy")) : QString(); }

QString periodText(const ReturnPeriod& p) { return QStringLiteral("From %1 To %2").arg(shortDate(p.from), shortDate(p.to)); }

reports::ReportRequest request(db::Database& db, const Session& session, const QString& layout, reports::ResultSet rows,
                               const QStringList& parameters) {
    reports::addFirmColumns(db, session.firmNo, rows);
    reports::ReportRequest r;
    r.layoutName = layout;
    r.data = std::move(rows);
    r.parameterValues = parameters;
    return r;
}

QVariant cellNumber(const Decimal& d) { return d.toDouble(); }

// The sections of GSTR-1 and GSTR-2 differ in shape, so every row carries its section's captions:
// the layout prints the captions of the section over its rows and the same eleven cells under them.
struct Section {
    QString title;
    QStringList captions;  // eleven
    QString summary;       // the line under the section's rows
};

struct SectionLine {
    QString c1, c2, c3, c4, c5;
    Decimal quantity, value;
    QString rate;
    Decimal n3, n4, n5, n6;
    Decimal valueOnce;  // the invoice value on the first row of each invoice, to total
};

const QStringList& sectionColumns() {
    static const QStringList columns = {"Section", "H1", "H2", "H3", "H4", "H5", "H6", "H7", "H8", "H9", "H10", "H11", "C1", "C2", "C3",
                                        "C4", "C5", "Qty", "N1", "Rate", "N3", "N4", "N5", "N6", "ValueOnce", "Summary"};
    return columns;
}

void addSection(reports::ResultSet& out, const Section& s, const std::vector<SectionLine>& lines) {
    for (const SectionLine& l : lines) {
        QVariantList row{s.title};
        for (const QString& caption : s.captions) row << caption;
        row << l.c1 << l.c2 << l.c3 << l.c4 << l.c5 << cellNumber(l.quantity) << cellNumber(l.value) << l.rate << cellNumber(l.n3) << cellNumber(l.n4)
            << cellNumber(l.n5) << cellNumber(l.n6) << cellNumber(l.valueOnce) << s.summary;
        out.rows.push_back(row);
    }
}

// The value and tax cells every taxed row fills alike.
void setTaxes(SectionLine& l, const Decimal& value, const Decimal& rate, const Decimal& taxable, const Decimal& igst, const Decimal& cgst,
              const Decimal& sgst) {
    l.value = value;
    l.rate = rateText(rate);
    l.n3 = taxable;
    l.n4 = igst;
    l.n5 = cgst;
    l.n6 = sgst;
}

QString summaryLine(const SectionSummary& s, const QString& documents = QStringLiteral("Invoices")) {
    return QStringLiteral("Parties : %1    %2 : %3").arg(s.parties).arg(documents).arg(s.invoices);
}

SectionLine hsnSectionLine(const HsnRow& h) {
    SectionLine l;
    l.c1 = h.hsn;
    l.c2 = h.description;
    l.c3 = h.uqc;
    l.quantity = h.quantity;
    l.valueOnce = h.totalValue;
    setTaxes(l, h.totalValue, h.rate, h.taxable, h.igst, h.cgst, h.sgst);
    return l;
}

const QStringList kHsnCaptions = {"HSN", "Description", "UQC", "Total Quantity", "", "Total Value", "Rate", "Taxable Value", "Integrated Tax",
                                  "Central Tax", "State/UT Tax"};

void addHsn(reports::ResultSet& out, const QString& title, const std::vector<HsnRow>& rows) {
    std::vector<SectionLine> lines;
    for (const HsnRow& h : rows) lines.push_back(hsnSectionLine(h));
    addSection(out, {title, kHsnCaptions, QStringLiteral("HSN rows : %1").arg(rows.size())}, lines);
}

// A section of descriptions with up to four amounts (nil-rated and exempt supplies); a row of
// nothing but zeros is left out.
void addAmountRows(reports::ResultSet& out, const QString& title, QStringList amountCaptions,
                   const std::vector<std::pair<QString, std::vector<Decimal>>>& rows) {
    std::vector<SectionLine> lines;
    for (const auto& [description, amounts] : rows) {
        if (std::all_of(amounts.begin(), amounts.end(), [](const Decimal& a) { return a.isZero(); })) continue;
        SectionLine l;
        l.c2 = description;
        Decimal* cells[] = {&l.n3, &l.n4, &l.n5, &l.n6};
        for (size_t i = 0; i < amounts.size() && i < 4; ++i) *cells[i] = amounts[i];
        lines.push_back(l);
    }
    while (amountCaptions.size() < 4) amountCaptions << QString();
    addSection(out, {title, QStringList{"", "Description", "", "", "", "", ""} + amountCaptions, QString()}, lines);
}

std::vector<SectionLine> invoiceLines(const std::vector<InwardInvoiceRow>& rows, bool registered) {
    std::vector<SectionLine> lines;
    qint64 previous = -1;
    for (const InwardInvoiceRow& i : rows) {
        SectionLine l;
        l.c1 = registered ? i.gstin : (i.interState ? QStringLiteral("Inter State") : QStringLiteral("Intra State"));
        l.c2 = i.supplier;
        l.c3 = i.invoiceNo;
        l.c4 = shortDate(i.date);
        l.c5 = i.reverseCharge ? QStringLiteral("Y") : QStringLiteral("N");
        setTaxes(l, i.invoiceValue, i.rate, i.taxable, i.igst, i.cgst, i.sgst);
        if (i.billId != previous) l.valueOnce = i.invoiceValue;
        previous = i.billId;
        lines.push_back(l);
    }
    return lines;
}

std::vector<SectionLine> noteLines(const std::vector<InwardNoteRow>& rows, bool registered) {
    std::vector<SectionLine> lines;
    std::pair<int, qint64> previous{0, -1};
    for (const InwardNoteRow& n : rows) {
        SectionLine l;
        l.c1 = registered ? n.gstin : (n.interState ? QStringLiteral("Inter State") : QStringLiteral("Intra State"));
        l.c2 = n.invoiceNo.isEmpty() ? n.supplier : QStringLiteral("%1 (against %2 of %3)").arg(n.supplier, n.invoiceNo, shortDate(n.invoiceDate));
        l.c3 = n.noteNo;
        l.c4 = shortDate(n.noteDate);
        l.c5 = n.documentType;
        setTaxes(l, n.noteValue, n.rate, n.taxable, n.igst, n.cgst, n.sgst);
        // a return and a debit note may share a key: the note is its kind and key
        const std::pair<int, qint64> document{n.formId, n.documentId};
        if (document != previous) l.valueOnce = n.noteValue;
        previous = document;
        lines.push_back(l);
    }
    return lines;
}

QString notesSummary(const std::vector<InwardNoteRow>& rows) {
    std::set<QString> parties;
    std::set<std::pair<int, qint64>> notes;
    for (const InwardNoteRow& n : rows) {
        parties.insert(n.supplier);
        notes.insert({n.formId, n.documentId});
    }
    return QStringLiteral("Parties : %1    Notes : %2").arg(parties.size()).arg(notes.size());
}

QStringList taxCaptions(const QString& first, const QString& second, const QString& cellNumber, const QString& type, const QString& value) {
    return {first, second, cellNumber, QStringLiteral("Date"), type, value, QStringLiteral("Rate"), QStringLiteral("Taxable Value"),
            QStringLiteral("Integrated Tax"), QStringLiteral("Central Tax"), QStringLiteral("State/UT Tax")};
}

const QStringList kSummaryGroups = {"", "Output Tax (Sales)", "Input Tax (Purchase)", "RCM Purchase", "Tax Payable"};

}  // namespace

QString returnTitle(const QString& returnName, const ReturnPeriod& p) {
    const bool wholeMonth = p.from.day() == 1 && p.to == p.from.addMonths(1).addDays(-1);
    if (wholeMonth)
        return QStringLiteral("%1 For The Month Of %2").arg(returnName, QLocale(QLocale::English).toString(p.from, QStringLiteral("MMMM yyyy")));
    return returnName + QLatin1Char(' ') + periodText(p);
}

namespace {

// An outward invoice at one rate; the invoice value is counted once per invoice in the total.
std::vector<SectionLine> outwardLines(const std::vector<InvoiceRateRow>& rows, const std::function<void(const InvoiceRateRow&, SectionLine&)>& first) {
    std::vector<SectionLine> lines;
    qint64 previous = -1;
    for (const InvoiceRateRow& i : rows) {
        SectionLine l;
        first(i, l);
        l.c3 = i.document.number;
        l.c4 = shortDate(i.document.date);
        setTaxes(l, i.invoiceValue, i.rate, i.taxable, i.igst, i.cgst, i.sgst);
        if (i.document.id != previous) l.valueOnce = i.invoiceValue;
        previous = i.document.id;
        lines.push_back(l);
    }
    return lines;
}

QString stateCode(const QString& placeOfSupply) { return placeOfSupply.section(QLatin1Char('-'), 0, 0).trimmed(); }

}  // namespace

reports::ReportRequest gstr1Report(db::Database& db, const Session& session, const Gstr1& r) {
    reports::ResultSet rows;
    rows.columns = sectionColumns();
    const QString pos = QStringLiteral("POS");
    addSection(rows,
               {QStringLiteral("B2B : Invoices to registered persons"),
                taxCaptions(QStringLiteral("GSTIN/UIN of Recipient"), QStringLiteral("Receiver Name"), QStringLiteral("Invoice No"), pos,
                            QStringLiteral("Invoice Value")),
                summaryLine(r.b2bSummary)},
               outwardLines(r.b2b, [](const InvoiceRateRow& i, SectionLine& l) {
                   l.c1 = i.gstin;
                   l.c2 = i.sez ? i.document.party + QStringLiteral(" (SEZ)") : i.document.party;
                   l.c5 = stateCode(i.placeOfSupply);
               }));
    addSection(rows,
               {QStringLiteral("B2CL : Large inter-State invoices to unregistered persons"),
                taxCaptions(QString(), QStringLiteral("Receiver Name"), QStringLiteral("Invoice No"), pos, QStringLiteral("Invoice Value")),
                summaryLine(r.b2clSummary)},
               outwardLines(r.b2cl, [](const InvoiceRateRow& i, SectionLine& l) {
                   l.c2 = i.document.party;
                   l.c5 = stateCode(i.placeOfSupply);
               }));
    std::vector<SectionLine> small;
    for (const B2csRow& b : r.b2cs) {
        SectionLine l;
        l.c1 = QStringLiteral("OE");
        l.c2 = b.placeOfSupply;
        l.c3 = b.interState ? QStringLiteral("Inter State") : QStringLiteral("Intra State");
        setTaxes(l, {}, b.rate, b.taxable, b.igst, b.cgst, b.sgst);
        small.push_back(l);
    }
    addSection(rows,
               {QStringLiteral("B2CS : Other supplies to unregistered persons"),
                {"Type", "Place Of Supply", "Supply Type", "", "", "", "Rate", "Taxable Value", "Integrated Tax", "Central Tax", "State/UT Tax"},
                QStringLiteral("Invoices : %1").arg(r.b2csSummary.invoices)},
               small);
    auto notes = [](const std::vector<NoteRateRow>& rows, bool registered) {
        std::vector<SectionLine> lines;
        std::pair<int, qint64> previous{0, -1};
        for (const NoteRateRow& n : rows) {
            SectionLine l;
            l.c1 = registered ? n.gstin : n.unregisteredType;
            l.c2 = n.original.number.isEmpty()
                       ? n.document.party
                       : QStringLiteral("%1 (against %2 of %3)").arg(n.document.party, n.original.number, shortDate(n.original.date));
            l.c3 = n.document.number;
            l.c4 = shortDate(n.document.date);
            l.c5 = n.noteType;
            setTaxes(l, n.noteValue, n.rate, n.taxable, n.igst, n.cgst, n.sgst);
            const std::pair<int, qint64> document{n.document.formId, n.document.id};
            if (document != previous) l.valueOnce = n.noteValue;
            previous = document;
            lines.push_back(l);
        }
        return lines;
    };
    addSection(rows,
               {QStringLiteral("CDNR : Credit and debit notes to registered persons"),
                taxCaptions(QStringLiteral("GSTIN/UIN of Recipient"), QStringLiteral("Receiver Name"), QStringLiteral("Note No"),
                            QStringLiteral("C/D"), QStringLiteral("Note Value")),
                summaryLine(r.cdnrSummary, QStringLiteral("Notes"))},
               notes(r.cdnr, true));
    addSection(rows,
               {QStringLiteral("CDNUR : Credit and debit notes to unregistered persons"),
                taxCaptions(QStringLiteral("UR Type"), QStringLiteral("Receiver Name"), QStringLiteral("Note No"), QStringLiteral("C/D"),
                            QStringLiteral("Note Value")),
                summaryLine(r.cdnurSummary, QStringLiteral("Notes"))},
               notes(r.cdnur, false));
    addSection(rows,
               {QStringLiteral("EXP : Exports"),
                taxCaptions(QStringLiteral("Export Type"), QStringLiteral("Buyer, Port Code, Shipping Bill"), QStringLiteral("Invoice No"),
                            QString(), QStringLiteral("Invoice Value")),
                summaryLine(r.expSummary)},
               outwardLines(r.exp, [](const InvoiceRateRow& i, SectionLine& l) {
                   l.c1 = i.exportType;
                   QStringList shipping{i.document.party};
                   if (!i.portCode.isEmpty()) shipping << i.portCode;
                   if (!i.shippingBillNo.isEmpty()) shipping << i.shippingBillNo + QStringLiteral(" of ") + shortDate(i.shippingBillDate);
                   l.c2 = shipping.join(QStringLiteral(", "));
               }));
    std::vector<std::pair<QString, std::vector<Decimal>>> nil;
    for (const NilRow& n : r.nil) nil.push_back({n.description, {n.nilRated, n.exempted, n.nonGst}});
    addAmountRows(rows, QStringLiteral("EXEMP : Nil rated, exempted and non-GST outward supplies"), {"Nil Rated", "Exempted", "Non-GST"}, nil);
    if (r.hsnSplit) {
        addHsn(rows, QStringLiteral("HSN summary : supplies to registered persons"), r.hsnB2b);
        addHsn(rows, QStringLiteral("HSN summary : supplies to unregistered persons"), r.hsnB2c);
    } else {
        addHsn(rows, QStringLiteral("HSN summary of outward supplies"), r.hsn);
    }
    std::vector<SectionLine> documents;
    for (const DocumentSeries& d : r.documents) {
        SectionLine l;
        l.c1 = QString::number(d.natureNo);
        l.c2 = d.nature;
        l.c3 = d.from;
        l.c4 = d.to;
        l.c5 = QString::number(d.cancelled);
        l.rate = QString::number(d.total);
        documents.push_back(l);
    }
    addSection(rows,
               {QStringLiteral("DOCS : Documents issued during the tax period"),
                {"Sr", "Nature of Document", "Sr No From", "Sr No To", "Cncl", "", "Total", "", "", "", ""},
                QString()},
               documents);
    return request(db, session, QStringLiteral("GSTR_Sections.rpt"), std::move(rows),
                   {returnTitle(QStringLiteral("GSTR-1"), r.period), periodText(r.period)});
}

reports::ReportRequest gstr2Report(db::Database& db, const Session& session, const Gstr2& r) {
    reports::ResultSet rows;
    rows.columns = sectionColumns();
    addSection(rows,
                    {QStringLiteral("B2B : Inward supplies from registered suppliers"),
                     taxCaptions(QStringLiteral("GSTIN of Supplier"), QStringLiteral("Supplier"), QStringLiteral("Invoice No"),
                                 QStringLiteral("RC"), QStringLiteral("Invoice Value")),
                     summaryLine(r.b2bSummary)},
                    invoiceLines(r.b2b, true));
    addSection(rows,
                    {QStringLiteral("B2BUR : Inward supplies from unregistered suppliers"),
                     taxCaptions(QStringLiteral("Supply Type"), QStringLiteral("Supplier"), QStringLiteral("Invoice No"), QStringLiteral("RC"),
                                 QStringLiteral("Invoice Value")),
                     summaryLine(r.b2burSummary)},
                    invoiceLines(r.b2bur, false));
    addSection(rows,
                    {QStringLiteral("CDNR : Debit and credit notes of registered suppliers"),
                     taxCaptions(QStringLiteral("GSTIN of Supplier"), QStringLiteral("Supplier"), QStringLiteral("Note No"),
                                 QStringLiteral("C/D"), QStringLiteral("Note Value")),
                     notesSummary(r.cdnr)},
                    noteLines(r.cdnr, true));
    addSection(rows,
                    {QStringLiteral("CDNUR : Debit and credit notes of unregistered suppliers"),
                     taxCaptions(QStringLiteral("Supply Type"), QStringLiteral("Supplier"), QStringLiteral("Note No"), QStringLiteral("C/D"),
                                 QStringLiteral("Note Value")),
                     notesSummary(r.cdnur)},
                    noteLines(r.cdnur, false));
    std::vector<std::pair<QString, std::vector<Decimal>>> exempt;
    for (const InwardExemptRow& e : r.exempt) exempt.push_back({e.description, {e.composition, e.nilRated, e.exempted, e.nonGst}});
    addAmountRows(rows, QStringLiteral("Composition, nil rated, exempted and non-GST inward supplies"),
                  {"Composition", "Nil Rated", "Exempted", "Non-GST"}, exempt);
    addHsn(rows, QStringLiteral("HSN summary of inward supplies"), r.hsn);
    const QString bills = r.filter == PortalMatchFilter::Matched     ? QStringLiteral("    Bills Matched With GSTR-2A")
                          : r.filter == PortalMatchFilter::Unmatched ? QStringLiteral("    Bills Not Matched With GSTR-2A")
                                                                      : QString();
    return request(db, session, QStringLiteral("GSTR_Sections.rpt"), std::move(rows),
                   {returnTitle(QStringLiteral("GSTR-2"), r.period), periodText(r.period) + bills});
}

reports::ReportRequest itc04Report(db::Database& db, const Session& session, const Itc04& r) {
    reports::ResultSet rows;
    rows.columns = {"TableNo", "Gstin",   "JobWorker", "ChallanNo", "ChallanDate", "OriginalChallan", "Description",
                    "Uqc",     "Qty",     "Taxable",   "IgstRate",  "CgstRate",    "SgstRate"};
    auto add = [&](const QString& table, const Itc04Row& i, bool received) {
        const QString original = received && !i.originalChallanNo.isEmpty()
                                     ? QStringLiteral("%1 of %2").arg(i.originalChallanNo, shortDate(i.originalChallanDate))
                                     : QString();
        rows.rows.push_back({table, i.jobWorkerGstin.isEmpty() ? i.state : i.jobWorkerGstin, i.jobWorker, i.challanNo, shortDate(i.challanDate), original,
                             received && !i.natureOfWork.isEmpty() ? QStringLiteral("%1 (%2)").arg(i.description, i.natureOfWork) : i.description,
                             i.uqc, cellNumber(i.quantity), cellNumber(received ? Decimal() : i.taxable), received ? QString() : rateText(i.igstRate),
                             received ? QString() : rateText(i.cgstRate), received ? QString() : rateText(i.sgstRate)});
    };
    for (const Itc04Row& i : r.sent) add(QStringLiteral("4 : Inputs sent to job workers"), i, false);
    for (const Itc04Row& i : r.received) add(QStringLiteral("5A : Inputs received back from job workers"), i, true);
    return request(db, session, QStringLiteral("ITC-04.rpt"), std::move(rows),
                   {QStringLiteral("ITC-04 For The Quarter %1 %2").arg(r.quarter, r.period.from.toString(QStringLiteral("yyyy"))),
                    periodText(r.period)});
}

reports::ReportRequest gstr9Report(db::Database& db, const Session& session, const Gstr9& r) {
    reports::ResultSet rows;
    rows.columns = {"TableNo", "Hsn", "Description", "Uqc", "Qty", "Taxable", "Rate", "Cgst", "Sgst", "Igst"};
    auto add = [&](const QString& table, const std::vector<HsnRow>& hsn) {
        for (const HsnRow& h : hsn)
            rows.rows.push_back({table, h.hsn, h.description, h.uqc.section(QLatin1Char('-'), 0, 0), cellNumber(h.quantity), cellNumber(h.taxable),
                                 rateText(h.rate), cellNumber(h.cgst), cellNumber(h.sgst), cellNumber(h.igst)});
    };
    add(QStringLiteral("17. HSN wise summary of outward supplies"), r.outward);
    add(QStringLiteral("18. HSN wise summary of inward supplies"), r.inward);
    return request(db, session, QStringLiteral("GSTR-9.rpt"), std::move(rows),
                   {QStringLiteral("GSTR-9 Annual Return %1 : HSN Summary").arg(r.financialYear), periodText(r.period)});
}

reports::ReportRequest gstSummaryReport(db::Database& db, const Session& session, const ReturnPeriod& period, const QString& kind,
                                        const std::vector<TaxRateRow>& taxRows) {
    reports::ResultSet rows;
    rows.columns = {"GroupName", "Source", "Particulars", "Rate", "InterTaxable", "Igst", "IntraTaxable", "Cgst", "Sgst", "Taxable"};
    for (const TaxRateRow& t : taxRows)
        rows.rows.push_back({kSummaryGroups.value(t.group), t.source, t.source + (t.subtracts ? QStringLiteral(" (-)") : QString()),
                             t.group == 4 ? QString() : rateText(t.rate) + QStringLiteral(" %"), cellNumber(t.interTaxable), cellNumber(t.igst),
                             cellNumber(t.intraTaxable), cellNumber(t.cgst), cellNumber(t.sgst), cellNumber(t.taxable())});
    const bool summary = kind == gstSummaryKinds().constFirst();
    return request(db, session, summary ? QStringLiteral("GST_Summary.rpt") : QStringLiteral("GST_Summary_Detail.rpt"), std::move(rows),
                   {QStringLiteral("GSTR - Summary : %1").arg(kind), periodText(period)});
}

reports::ReportRequest reconciliationReport(db::Database& db, const Session& session, const std::vector<ReconciliationRow>& rows) {
    reports::ResultSet out;
    out.columns = {"GroupText", "MonthName", "Taxable", "Igst", "Cgst", "Sgst", "Cess", "TaxableO", "IgstO", "CgstO", "SgstO", "Difference", "IsOk"};
    for (const ReconciliationRow& r : rows) {
        if (r.group) continue;  // the group's total prints under its months
        const Decimal difference = (r.igst + r.cgst + r.sgst + r.cess) - (r.igstO + r.cgstO + r.sgstO + r.cessO);
        out.rows.push_back({r.groupText, r.monthName, cellNumber(r.taxable), cellNumber(r.igst), cellNumber(r.cgst), cellNumber(r.sgst), cellNumber(r.cess),
                            cellNumber(r.taxableO), cellNumber(r.igstO), cellNumber(r.cgstO), cellNumber(r.sgstO), cellNumber(difference),
                            r.ok ? QStringLiteral("Yes") : QString()});
    }
    const ReturnPeriod year{session.yearStartDate, session.yearEndDate};
    return request(db, session, QStringLiteral("GST_Reconciliation.rpt"), std::move(out),
                   {QStringLiteral("GST Reconsilation %1-%2").arg(year.from.year()).arg(year.to.year() % 100, 2, 10, QLatin1Char('0')),
                    periodText(year)});
}

reports::ReportRequest matchingReport(db::Database& db, const Session& session, const Reconciliation& r, bool onlyMismatches) {
    reports::ResultSet out;
    out.columns = {"Side", "Gstin", "Party", "InvoiceNo", "InvoiceDate", "Value", "Rate", "Taxable", "Igst", "Cgst", "Sgst", "Status"};
    const QString books = QStringLiteral("Purchase Bills (Books)"), portal = QStringLiteral("Online Portal (") + portalReturnName(r.kind) + QLatin1Char(')');
    for (const BookBill& b : r.books)
        if (!onlyMismatches || !b.matched())
            out.rows.push_back({books, b.gstin, b.supplier, b.billNo, shortDate(b.date), cellNumber(b.value), rateText(b.rate), cellNumber(b.taxable),
                                cellNumber(b.igst), cellNumber(b.cgst), cellNumber(b.sgst), b.ticked && b.statusText.isEmpty() ? QStringLiteral("Ticked") : b.statusText});
    for (const PortalRow& p : r.portal)
        if (!onlyMismatches || !p.matched())
            out.rows.push_back({portal, p.gstin, p.supplier, p.invoiceNo, shortDate(p.date), cellNumber(p.invoiceValue), rateText(p.rate),
                                cellNumber(p.taxable), cellNumber(p.igst), cellNumber(p.cgst), cellNumber(p.sgst), p.statusText});
    return request(db, session, QStringLiteral("GSTR2A_Matching.rpt"), std::move(out),
                   {QStringLiteral("%1 Matching").arg(portalReturnName(r.kind)) + (onlyMismatches ? QStringLiteral(" : Mis-Matched Only") : QString()),
                    periodText(r.period) + QStringLiteral("    ") + r.summary()});
}

void writeReturnReport(const reports::ReportRequest& request, const QString& installFolder, const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix != QLatin1String("pdf") && suffix != QLatin1String("xlsx"))
        throw GstError(QStringLiteral("A printed return is written as .pdf or .xlsx, not %1").arg(QFileInfo(path).fileName()));
    try {
        const reports::ReportService service(installFolder);
        auto document = service.prepare(nullptr, request);
        if (suffix == QLatin1String("pdf")) reports::ReportService::writePdf(*document, path);
        else reports::writeReportXlsx(*document, path);
    } catch (const reports::ReportError& e) {
        throw GstError(e.text());
    }
}

}  // namespace tanabana::gst
