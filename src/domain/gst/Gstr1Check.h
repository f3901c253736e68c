#pragma once
// The check made before the return's files are written: every fault the portal would refuse,
// listed with the document it sits in and what to change, so the operator mends the masters
// before uploading instead of hunting for the bill after a rejection. The files are still
// written; the operator is only warned.
//
//   GST/7 of 12-08-2024, Kiran Sarees: GSTIN 24AABCK1234F1Z9 fails its check digit (the last
//   character would be 5 for the first fourteen). Fix: correct the party's GSTIN in the account master.
#include "domain/gst/Gstr1.h"

#include <vector>

namespace tanabana::gst {

struct Gstr1Problem {
    DocumentRef document;  // empty id for a fault of the firm itself
    QString problem;
    QString fix;
};

// The faults of the open firm's sales of the period, in the order of the bills (date, number),
// then those of its sales returns and credit notes (a note without its original invoice).
std::vector<Gstr1Problem> checkGstr1(db::Database& db, const Session& session, const ReturnPeriod& period);

// The characters an invoice number may hold on the portal, and its greatest length.
constexpr int kInvoiceNumberLength = 16;
bool invoiceNumberCharactersOk(const QString& number);

}  // namespace tanabana::gst
