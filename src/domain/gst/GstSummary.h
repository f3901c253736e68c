#pragma once
// The GST summary of a period (Frm_GSTR_Tarij, "GSTR - Summary"): per kind of document and GST
// rate, the inter-state taxable value and integrated tax, the intra-state taxable value and
// central and state tax: output tax on sales (returns and notes subtracting), input tax on
// purchases, reverse-charge purchases, then the gross tax liability and the net payable
// (output minus input). A report kind picks the rows ("1. Summary", "3 A Sales Only" ...):
//
//   Output  Sales  5 %: inter-state 4,81,440.48, IGST 24,072.02; intra-state 3,31,250.00,
//   CGST 8,137.50, SGST 8,137.50.
#include "domain/gst/Gstr1.h"
#include "domain/gst/ReturnWorkbook.h"

namespace tanabana::gst {

struct TaxRateRow {
    int group = 0;         // 1 output, 2 input, 3 reverse charge, 4 the totals
    QString source;        // "Sales", "Sales Ret", "Pur", "RCM Amt Payable", "Gross Tax Liabilty" ...
    bool subtracts = false;
    Decimal rate, interTaxable, igst, intraTaxable, cgst, sgst;
    Decimal taxable() const { return interTaxable + intraTaxable; }
};

// The report kinds in the order of the screen's list.
const QStringList& gstSummaryKinds();

class GstSummaryService {
public:
    GstSummaryService(db::Database& db, const Session& session) : db_(db), session_(session) {}
    // The rows of a kind (one of gstSummaryKinds()) for a period of the open year.
    std::vector<TaxRateRow> compute(const ReturnPeriod& period, const QString& kind) const;

private:
    std::vector<TaxRateRow> detail(const ReturnPeriod& period) const;
    db::Database& db_;
    const Session& session_;
};

const ReturnTemplate& gstSummaryTemplate();
std::vector<std::vector<QStringList>> gstSummaryWorkbookRows(const std::vector<TaxRateRow>& rows);

}  // namespace tanabana::gst
