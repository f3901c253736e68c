#pragma once
// The monthly summary return worked out from the books: tax on outward supplies (3.1), inter-
// state supplies to unregistered and composition persons per state (3.2), input tax credit (4)
// and exempt, nil-rated and non-GST inward supplies (5), each line with its taxable value and
// integrated, central and state tax as the portal's form has them.
//
//   July 2024 of the Surat firm: 3.1(a) taxable 5,96,095.24 ... ; 4(A)(5) a weaver's bill of
//   10,000.00 at 5% gives CGST 250.00 and SGST 250.00 of input credit.
//
// Sales returns, purchase returns and credit/debit notes subtract once those documents are kept.
#include "domain/gst/Gstr1.h"

namespace tanabana::gst {

struct Gstr3bLine {
    QString table;        // "3.1(a)", "4(A)(5)" ...
    QString description;  // the form's wording
    Decimal taxable, igst, cgst, sgst, cess;
};

// Inter-state supplies of one place of supply (3.2).
struct StateSupplies {
    QString placeOfSupply;
    Decimal unregisteredTaxable, unregisteredIgst, compositionTaxable, compositionIgst;
};

// Exempt, nil-rated and non-GST inward supplies of one kind (5).
struct ExemptInward {
    QString description;
    Decimal interState, intraState;
};

struct Gstr3b {
    ReturnPeriod period;
    std::vector<Gstr3bLine> outward;          // 3.1 (a) to (e)
    std::vector<StateSupplies> interState;    // 3.2, ordered by place of supply
    std::vector<Gstr3bLine> inputCredit;      // 4 (A)(1) ... (C)
    std::vector<ExemptInward> exemptInward;   // 5
    // A line by its table ("4(C)"); nothing when the return has none of that name.
    const Gstr3bLine* line(const QString& table) const;
};

class Gstr3bService {
public:
    Gstr3bService(db::Database& db, const Session& session) : db_(db), session_(session) {}
    // The return of the open firm for a period inside the open year; GstError otherwise.
    Gstr3b compute(const ReturnPeriod& period) const;

private:
    db::Database& db_;
    const Session& session_;
};

}  // namespace tanabana::gst
