#pragma once
// The SQL pieces the returns share, so that "the sales of the period" or "a line's taxes" mean the
// same in every return: which documents of a form a period holds, the tax sums of a group of lines
// (an IGST line keeps its tax in the first tax column too, which is then no SGST), and the grouped
// lines of the HSN summary.
#include "db/Dialect.h"

#include <QString>

namespace tanabana::gst {

// The firm's sales documents of one form (3 bills, 4 returns) in the period, not opening bills; the
// table aliased `alias`, parameters firm, from, to.
QString salesDocumentsOfPeriod(const QString& alias, int formId);
// The firm's purchase documents of one form (1 bills, 2 returns) in the period, not opening bills
// and not kept out of the returns.
QString purchaseDocumentsOfPeriod(const QString& alias, int formId);
// The firm's notes of a kind ("C" credit, "D" debit) in the period, not kept out of the returns;
// CNMst aliased n.
QString notesOfPeriod(const QString& type);

// Taxable, Igst, Cgst and Sgst of the sales lines aliased d (taxes at three places, summed exactly).
QString salesLineSums(const db::Dialect& sql);
// The same of purchase lines; the taxable value takes the line's freight.
QString purchaseLineSums(const db::Dialect& sql);

// The period's sales bills read in one pass over their lines: each line's figures are taken once
// into a common table and summed twice, per bill and rate (rows of Part "I": Id, Rate, the bill's
// BookNO, PartyID, BillNO, BillDate, BillAmount, InvType, PortCode, ShipNo, ShipDate, and Taxable,
// Igst, Cgst, Sgst) and per item, rate and kind of buyer (rows of Part "H": Uqc, Hsn, Description,
// Rate, Registered, Qty, TotalValue and the same taxes); the other columns of a part are empty.
QString salesOfPeriodInOnePass(const db::Dialect& sql);

// The sales lines of one form in the period per unit, HSN, description, rate and registered
// buyer: Uqc, Hsn, Description, Rate, Registered, Qty, TotalValue, Taxable, Igst, Cgst, Sgst.
QString salesHsnQuery(const db::Dialect& sql, int formId);

}  // namespace tanabana::gst
