#include "domain/gst/ReturnPrints.h"

#include "domain/gst/Gstr1Files.h"
#include "domain/reports/Register.h"
#include "domain/reports/ReportError.h"
#include "domain/reports/XlsxReport.h"

#include <QFileInfo>
#include <QLocale>

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

QVariant number(const Decimal& d) { return d.toDouble(); }

// GSTR-2's sections differ in shape, so every row carries its section's captions: the layout
// prints the captions of the section over its rows and the same eleven cells under them.
struct Gstr2Section {
    QString title;
    QStringList captions;  // eleven
    QString summary;       // the line under the section's rows
};

struct Gstr2Line {
    QString c1, c2, c3, c4, c5;
    Decimal quantity, value;
    QString rate;
    Decimal n3, n4, n5, n6;
    Decimal valueOnce;  // the invoice value on the first row of each invoice, to total
};

const QStringList& gstr2Columns() {
    static const QStringList columns = {"Section", "H1", "H2", "H3", "H4", "H5", "H6", "H7", "H8", "H9", "H10", "H11", "C1", "C2", "C3",
                                        "C4", "C5", "Qty", "N1", "Rate", "N3", "N4", "N5", "N6", "ValueOnce", "Summary"};
    return columns;
}

void addGstr2Section(reports::ResultSet& out, const Gstr2Section& s, const std::vector<Gstr2Line>& lines) {
    for (const Gstr2Line& l : lines) {
        QVariantList row{s.title};
        for (const QString& caption : s.captions) row << caption;
        row << l.c1 << l.c2 << l.c3 << l.c4 << l.c5 << number(l.quantity) << number(l.value) << l.rate << number(l.n3) << number(l.n4)
            << number(l.n5) << number(l.n6) << number(l.valueOnce) << s.summary;
        out.rows.push_back(row);
    }
}

// The value and tax cells every taxed row of GSTR-2 fills alike.
void setTaxes(Gstr2Line& l, const Decimal& value, const Decimal& rate, const Decimal& taxable, const Decimal& igst, const Decimal& cgst,
              const Decimal& sgst) {
    l.value = value;
    l.rate = rateText(rate);
    l.n3 = taxable;
    l.n4 = igst;
    l.n5 = cgst;
    l.n6 = sgst;
}

QString summaryLine(const SectionSummary& s) {
    return QStringLiteral("Parties : %1    Invoices : %2").arg(s.parties).arg(s.invoices);
}

std::vector<Gstr2Line> invoiceLines(const std::vector<InwardInvoiceRow>& rows, bool registered) {
    std::vector<Gstr2Line> lines;
    qint64 previous = -1;
    for (const InwardInvoiceRow& i : rows) {
        Gstr2Line l;
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

std::vector<Gstr2Line> noteLines(const std::vector<InwardNoteRow>& rows, bool registered) {
    std::vector<Gstr2Line> lines;
    qint64 previous = -1;
    for (const InwardNoteRow& n : rows) {
        Gstr2Line l;
        l.c1 = registered ? n.gstin : (n.interState ? QStringLiteral("Inter State") : QStringLiteral("Intra State"));
        l.c2 = n.invoiceNo.isEmpty() ? n.supplier : QStringLiteral("%1 (against %2 of %3)").arg(n.supplier, n.invoiceNo, shortDate(n.invoiceDate));
        l.c3 = n.noteNo;
        l.c4 = shortDate(n.noteDate);
        l.c5 = n.documentType;
        setTaxes(l, n.noteValue, n.rate, n.taxable, n.igst, n.cgst, n.sgst);
        if (n.documentId != previous) l.valueOnce = n.noteValue;
        previous = n.documentId;
        lines.push_back(l);
    }
    return lines;
}

QString notesSummary(const std::vector<InwardNoteRow>& rows) {
    std::set<QString> parties;
    std::set<qint64> notes;
    for (const InwardNoteRow& n : rows) {
        parties.insert(n.supplier);
        notes.insert(n.documentId);
    }
    return QStringLiteral("Parties : %1    Notes : %2").arg(parties.size()).arg(notes.size());
}

QStringList taxCaptions(const QString& first, const QString& second, const QString& number, const QString& type, const QString& value) {
    return {first, second, number, QStringLiteral("Date"), type, value, QStringLiteral("Rate"), QStringLiteral("Taxable Value"),
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

reports::ReportRequest gstr2Report(db::Database& db, const Session& session, const Gstr2& r) {
    reports::ResultSet rows;
    rows.columns = gstr2Columns();
    addGstr2Section(rows,
                    {QStringLiteral("B2B : Inward supplies from registered suppliers"),
                     taxCaptions(QStringLiteral("GSTIN of Supplier"), QStringLiteral("Supplier"), QStringLiteral("Invoice No"),
                                 QStringLiteral("RC"), QStringLiteral("Invoice Value")),
                     summaryLine(r.b2bSummary)},
                    invoiceLines(r.b2b, true));
    addGstr2Section(rows,
                    {QStringLiteral("B2BUR : Inward supplies from unregistered suppliers"),
                     taxCaptions(QStringLiteral("Supply Type"), QStringLiteral("Supplier"), QStringLiteral("Invoice No"), QStringLiteral("RC"),
                                 QStringLiteral("Invoice Value")),
                     summaryLine(r.b2burSummary)},
                    invoiceLines(r.b2bur, false));
    addGstr2Section(rows,
                    {QStringLiteral("CDNR : Debit and credit notes of registered suppliers"),
                     taxCaptions(QStringLiteral("GSTIN of Supplier"), QStringLiteral("Supplier"), QStringLiteral("Note No"),
                                 QStringLiteral("Type"), QStringLiteral("Note Value")),
                     notesSummary(r.cdnr)},
                    noteLines(r.cdnr, true));
    addGstr2Section(rows,
                    {QStringLiteral("CDNUR : Debit and credit notes of unregistered suppliers"),
                     taxCaptions(QStringLiteral("Supply Type"), QStringLiteral("Supplier"), QStringLiteral("Note No"), QStringLiteral("Type"),
                                 QStringLiteral("Note Value")),
                     notesSummary(r.cdnur)},
                    noteLines(r.cdnur, false));
    std::vector<Gstr2Line> exempt;
    for (const InwardExemptRow& e : r.exempt) {
        if (e.composition.isZero() && e.nilRated.isZero() && e.exempted.isZero() && e.nonGst.isZero()) continue;
        Gstr2Line l;
        l.c2 = e.description;
        l.n3 = e.composition;
        l.n4 = e.nilRated;
        l.n5 = e.exempted;
        l.n6 = e.nonGst;
        exempt.push_back(l);
    }
    addGstr2Section(rows,
                    {QStringLiteral("Composition, nil rated, exempted and non-GST inward supplies"),
                     {"", "Description", "", "", "", "", "", "Composition", "Nil Rated", "Exempted", "Non-GST"},
                     QString()},
                    exempt);
    std::vector<Gstr2Line> hsn;
    for (const HsnRow& h : r.hsn) {
        Gstr2Line l;
        l.c1 = h.hsn;
        l.c2 = h.description;
        l.c3 = h.uqc;
        l.quantity = h.quantity;
        l.valueOnce = h.totalValue;
        setTaxes(l, h.totalValue, h.rate, h.taxable, h.igst, h.cgst, h.sgst);
        hsn.push_back(l);
    }
    addGstr2Section(rows,
                    {QStringLiteral("HSN summary of inward supplies"),
                     {"HSN", "Description", "UQC", "Total Quantity", "", "Total Value", "Rate", "Taxable Value", "Integrated Tax", "Central Tax",
                      "State/UT Tax"},
                     QStringLiteral("HSN rows : %1").arg(r.hsn.size())},
                    hsn);
    const QString bills = r.filter == PortalMatchFilter::Matched     ? QStringLiteral("    Bills Matched With GSTR-2A")
                          : r.filter == PortalMatchFilter::Unmatched ? QStringLiteral("    Bills Not Matched With GSTR-2A")
                                                                      : QString();
    return request(db, session, QStringLiteral("GSTR-2.rpt"), std::move(rows),
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
                             i.uqc, number(i.quantity), number(received ? Decimal() : i.taxable), received ? QString() : rateText(i.igstRate),
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
            rows.rows.push_back({table, h.hsn, h.description, h.uqc.section(QLatin1Char('-'), 0, 0), number(h.quantity), number(h.taxable),
                                 rateText(h.rate), number(h.cgst), number(h.sgst), number(h.igst)});
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
                             t.group == 4 ? QString() : rateText(t.rate) + QStringLiteral(" %"), number(t.interTaxable), number(t.igst),
                             number(t.intraTaxable), number(t.cgst), number(t.sgst), number(t.taxable())});
    const bool summary = kind == gstSummaryKinds().constFirst();
    return request(db, session, summary ? QStringLiteral("GST_Summary.rpt") : QStringLiteral("GST_Summary_Detail.rpt"), std::move(rows),
                   {QStringLiteral("GSTR - Summary : %1").arg(kind), periodText(period)});
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
