#pragma once
// The inward supplies return of a period worked out from the firm's purchase bills, section by
// section as the portal's GSTR-2 workbook takes it: bills of registered suppliers (B2B) and of
// unregistered ones (B2BUR) per invoice and GST rate, notes (CDNR, CDNUR), the exempt, nil-rated
// and non-GST inward supplies, and the HSN summary of what came in. Bills kept out of the returns
// (Is_SkipGst) and opening bills are never in it; the operator may take only the bills matched
// with the portal's data, or only those not matched.
//
//   MY/55 of 10-07-2024 from Mumbai Yarn Traders (27AABCM9876C1Z7): 50 m at 100 with IGST 5% gives
//   one B2B row: invoice value 5,250.00, rate 5, taxable 5,000.00, IGST 250.00, ITC IGST 250.00.
#include "domain/gst/Gstr1.h"

namespace tanabana::gst {

enum class PortalMatchFilter { All, Matched, Unmatched };

// One supplier's bill at one GST rate (B2B and B2BUR).
struct InwardInvoiceRow {
    qint64 billId = 0;
    QString gstin;          // the supplier's; empty for unregistered suppliers
    QString supplier;
    QString invoiceNo;      // the supplier's number as typed on the bill
    QDate date;
    QString placeOfSupply;  // where the goods are received: the firm's state
    bool interState = false;
    bool reverseCharge = false;
    bool matched = false;   // matched with the portal's data
    Decimal invoiceValue, rate, taxable, igst, cgst, sgst, cess;
    QString eligibility = QStringLiteral("Inputs");
};

// A purchase return or debit note at one GST rate (CDNR, CDNUR).
struct InwardNoteRow {
    qint64 documentId = 0;
    int formId = 2;                // 2 purchase return (BillMst.Id), 22 debit note (CNMst.Id)
    QString gstin, supplier;
    QString noteNo, documentType;  // "D" debit note for a purchase return, "C" credit note
    QDate noteDate;
    QString invoiceNo;             // the bill the note is against
    QDate invoiceDate;
    QString reason;
    bool interState = false;
    bool preGst = false;           // the bill is dated before GST began
    bool reverseCharge = false;    // against a bill posted under reverse charge
    Decimal noteValue, rate, taxable, igst, cgst, sgst, cess;
};

// Inward supplies without tax of one kind of supply, inter- or intra-state.
struct InwardExemptRow {
    QString description;  // "Inter-State supplies", "Intra-State supplies"
    Decimal composition, nilRated, exempted, nonGst;
};

struct Gstr2 {
    ReturnPeriod period;
    PortalMatchFilter filter = PortalMatchFilter::All;
    QString firmGstin, firmState;
    std::vector<InwardInvoiceRow> b2b, b2bur;
    std::vector<InwardNoteRow> cdnr, cdnur;
    std::vector<InwardExemptRow> exempt;  // always the two rows
    std::vector<HsnRow> hsn;
    SectionSummary b2bSummary, b2burSummary;
};

class Gstr2Service {
public:
    Gstr2Service(db::Database& db, const Session& session) : db_(db), session_(session) {}
    // The return of the open firm for a period inside the open year; GstError otherwise.
    Gstr2 compute(const ReturnPeriod& period, PortalMatchFilter filter = PortalMatchFilter::All) const;

private:
    db::Database& db_;
    const Session& session_;
};

// A sheet of a return's workbook: its name, the captions of its columns and which of them hold
// amounts (written as numbers; the rest as text, so "0042" stays an invoice number).
struct ReturnSheet {
    QString name;
    QStringList header;
    std::vector<int> amountColumns;
};

// The workbook's sheets in their order.
const std::vector<ReturnSheet>& gstr2Sheets();
// The rows of a sheet (or of the screen's grid of that section), field by field as written.
std::vector<QStringList> gstr2Rows(const Gstr2& gstr2, const QString& sheet);

}  // namespace tanabana::gst
