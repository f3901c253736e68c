#pragma once
// The yearly return's HSN tables: outward supplies (17) from the sales and inward supplies (18)
// from the purchase bills of the year (or any period of it), per HSN, unit and rate, as the HSN
// summaries of GSTR-1 and GSTR-2 work them out, with the firm's GSTIN and year on the "Home" sheet:
//
//   17: 5407, MTR, 3,160.000 m, taxable 3,31,500.00 at 5 %: CGST 8,287.50, SGST 8,287.50 ...
#include "domain/gst/Gstr1.h"
#include "domain/gst/ReturnWorkbook.h"

namespace tanabana::gst {

struct Gstr9 {
    ReturnPeriod period;
    QString firmGstin, firmName, financialYear;  // "2024-25"
    std::vector<HsnRow> outward, inward;
};

class Gstr9Service {
public:
    Gstr9Service(db::Database& db, const Session& session) : db_(db), session_(session) {}
    Gstr9 compute(const ReturnPeriod& period) const;

private:
    db::Database& db_;
    const Session& session_;
};

const ReturnTemplate& gstr9Template();
std::vector<std::vector<QStringList>> gstr9WorkbookRows(const Gstr9& gstr9);

}  // namespace tanabana::gst
