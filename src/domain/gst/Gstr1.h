#pragma once
// The outward supplies return of a month (or a quarter) worked out from the firm's sales bills,
// section by section as the portal's offline tool takes it: invoices to registered buyers (B2B),
// large inter-state invoices to unregistered buyers (B2CL), the rest of unregistered sales summed
// per state and rate (B2CS), exports, the HSN summary, nil-rated supplies and the documents
// issued. Every figure is computed by SQL over the bills of the period into this result, which
// belongs to the run alone (no shared work table), then classified here.
//
//   GST/1 of 05-08-2024 to Ramesh Silk Mills (24AABCR1234F1Z5): 100 m at 105, 5% GST gives one
//   B2B row: invoice value 11,025.00, rate 5, taxable 10,500.00, CGST 262.50, SGST 262.50.
//
// Sales returns and credit notes give the buyer back part of a supply: they are listed per note and
// rate (CDNR for registered buyers; CDNUR for notes on large inter-state invoices and exports; the
// rest lower the B2CS rows they belong to) and subtract from the HSN summary.
#include "core/Decimal.h"
#include "core/Session.h"
#include "db/Database.h"

#include <QDate>
#include <QString>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <tuple>
#include <vector>

namespace tanabana::gst {

// A return cannot be made: a period outside the year, an unreadable month, a file not written.
class GstError : public std::runtime_error {
public:
    explicit GstError(const QString& text) : std::runtime_error(text.toStdString()), text_(text) {}
    const QString& text() const { return text_; }

private:
    QString text_;
};

struct ReturnPeriod {
    QDate from, to;
    // "08-2024" (or "8-2024"): the whole month; nothing when unreadable.
    static std::optional<ReturnPeriod> month(const QString& mmYyyy);
    // The portal's return period of the period's last month, "082024".
    QString portalPeriod() const { return to.toString(QStringLiteral("MMyyyy")); }
};

// The sales document a row or a problem comes from, so the operator can open it.
struct DocumentRef {
    qint64 id = 0;     // SalBillMst.Id (CNMst.Id for a credit note)
    int formId = 3;    // document type: 3 sales bill, 4 sales return, 21 credit note
    QString book;      // the book's short name ("GST/")
    QString billNo;    // the bill number in its book ("12")
    QString number;    // as printed: book short name + bill number ("GST/12")
    QDate date;
    QString party;
};

// One invoice at one GST rate (B2B, B2CL and export rows): an invoice of two rates gives two rows
// with the same number and invoice value.
struct InvoiceRateRow {
    DocumentRef document;
    QString gstin;          // the buyer's; empty for unregistered buyers and exports
    QString placeOfSupply;  // the buyer's state, "24-Gujarat"
    bool interState = false;
    bool sez = false;       // a supply to a unit in a special economic zone (invoice type "S")
    Decimal invoiceValue, rate, taxable, igst, cgst, sgst;
    // exports
    QString exportType;     // WPAY (with IGST paid) or WOPAY
    QString portCode, shippingBillNo;
    QDate shippingBillDate;
};

// A sales return or a credit note at one GST rate: what the buyer is given back against an invoice.
//   Return GST/1 of 20-07-2024 from Surat Fabrics against GST/104: 20 m at 105, 5% gives one CDNR
//   row: note type "C", value 2,205.00, rate 5, taxable 2,100.00, CGST 52.50, SGST 52.50.
struct NoteRateRow {
    DocumentRef document;      // the return (form 4, SalBillMst.Id) or the credit note (form 21, CNMst.Id)
    QString noteType;          // "C" credit note (a return lowers the supply as one does), "D" debit note
    QString reason;            // "01-Sales Return", or the note's reason line ("02-Post sale discount")
    DocumentRef original;      // the invoice the note is against; id 0 when the books hold none of that number
    bool preGst = false;       // the original invoice is dated before GST began (01-07-2017)
    bool againstExport = false;
    QString gstin, placeOfSupply;
    bool interState = false;
    bool compositionBuyer = false;  // a registered buyer under the composition scheme
    QString unregisteredType;  // CDNUR's "B2CL", "EXPWP" or "EXPWOP"; empty for registered buyers and B2CS notes
    Decimal noteValue, rate, taxable, igst, cgst, sgst;
};

// Unregistered sales summed per place of supply and rate.
struct B2csRow {
    QString placeOfSupply;
    bool interState = false;
    Decimal rate, taxable, igst, cgst, sgst;
};

struct HsnRow {
    QString hsn, description, uqc;  // uqc as kept on the item: "MTR-METERS"
    Decimal rate, quantity, totalValue, taxable, igst, cgst, sgst;
};

// Nil-rated supplies of one kind: inter- or intra-state, to registered or unregistered persons.
struct NilRow {
    QString description;  // "Inter-State supplies to registered persons" ...
    QString supplyType;   // the portal's code: INTRB2B, INTRAB2B, INTRB2C, INTRAB2C
    Decimal nilRated, exempted, nonGst;
};

// Documents of one nature issued in the period (per book for invoices).
struct DocumentSeries {
    int natureNo = 0;  // 1 "Invoices for outward supply" ... 12
    QString nature;
    QString from, to;
    int total = 0, cancelled = 0;
};

// Counts and totals of a section, shown above its grid.
struct SectionSummary {
    int parties = 0, invoices = 0;
    Decimal invoiceValue, taxable;
    // Counts one invoice-rate row: its party and invoice once, its value once per invoice.
    void add(const QString& party, qint64 invoice, const Decimal& value, const Decimal& rowTaxable);

private:
    std::set<QString> partiesSeen_;
    std::set<qint64> invoicesSeen_;
};

struct Gstr1 {
    ReturnPeriod period;
    QString firmGstin, firmState;
    std::vector<InvoiceRateRow> b2b, b2cl, exp;
    std::vector<B2csRow> b2cs;           // net of the returns and notes of small unregistered sales
    std::vector<NoteRateRow> cdnr, cdnur;
    std::vector<HsnRow> hsn;             // every recipient together
    bool hsnSplit = false;               // the period's portal asks registered and unregistered rows apart
    std::vector<HsnRow> hsnB2b, hsnB2c;  // filled when hsnSplit
    std::vector<NilRow> nil;             // always the four kinds
    std::vector<DocumentSeries> documents;
    SectionSummary b2bSummary, b2clSummary, b2csSummary, expSummary;
    SectionSummary cdnrSummary, cdnurSummary;  // invoices here are notes, values note values
};

// The twelve natures of documents of the documents-issued table, numbered as the portal does.
const QStringList& documentNatures();

class Gstr1Service {
public:
    Gstr1Service(db::Database& db, const Session& session) : db_(db), session_(session) {}

    // The return of the open firm for a period inside the open year; GstError otherwise.
    Gstr1 compute(const ReturnPeriod& period) const;
    // Refuses a period that does not lie inside the open year.
    void checkPeriod(const ReturnPeriod& period) const;

    struct Firm {
        QString gstin, state;
        bool turnoverAbove5Crore = false;
        // The firm's two-digit state code: from its state, else from its GSTIN.
        QString stateCode() const;
    };
    Firm firm() const;

private:
    db::Database& db_;
    const Session& session_;
};

// A sales bill's reference from a row with the columns Id, Prefix (the book's short name),
// BillNO, BillDate and PartyName.
DocumentRef salesDocumentOf(const db::Row& row);

// A row of an HSN summary query with the columns Uqc, Hsn, Description, Rate, Qty, TotalValue,
// Taxable, Igst, Cgst and Sgst; the taxes as summed (three places), rounded by the caller.
HsnRow hsnRowOf(const db::Row& row);

// A line's rate and tax from a row with the columns Rate, Taxable, Igst, Cgst and Sgst, each
// rounded to the paisa (sums of exact line taxes round once here).
template <typename Line>
void takeRateAndTaxes(Line& line, const db::Row& row) {
    auto paise = [&](const char* column) { return Decimal::fromVariant(row.value(QString::fromLatin1(column))).roundHalfEven(2); };
    line.rate = paise("Rate");
    line.taxable = paise("Taxable");
    line.igst = paise("Igst");
    line.cgst = paise("Cgst");
    line.sgst = paise("Sgst");
}

// HSN rows summed per HSN, description, rate and unit (the order of the summary), a return's rows
// taken off; the taxes stay exact until the rows are read, rounded once a row.
class HsnTotals {
public:
    void add(const HsnRow& row, int sign = 1);
    std::vector<HsnRow> rows() const;

private:
    std::map<std::tuple<QString, QString, Decimal, QString>, HsnRow> sums_;
};

// The export type of an export invoice: WPAY or WOPAY as the buyer's account declares it (PanNO),
// else WPAY when integrated tax was charged.
QString exportTypeOf(const QString& declared, bool withoutIgst);

// The serial a document number ends with, as the numbering counts it ("12" -> 12, "RCM/0099" -> 99,
// "A" -> 0), for ordering and for the first and last numbers of a series.
qint64 serialOf(const QString& number);

}  // namespace tanabana::gst
