#pragma once
// Rules of the GST returns that change with the law, kept as dated data so that a change is one
// line and old periods still give the figures of their own time:
//   - an unregistered inter-state invoice goes to B2CL above 2,50,000 when dated up to 31-07-2024
//     and above 1,00,000 from 01-08-2024 (so 1,50,000 on 05-07-2024 is B2CS, on 05-08-2024 B2CL);
//   - the HSN summary is split into rows for registered and for unregistered recipients for
//     return periods from January 2025;
//   - HSN codes need 4 digits, or 6 for a firm whose turnover is above 5 crore, from April 2021.
// Also the GSTIN check digit the portal verifies.
#include "core/Decimal.h"

#include <QDate>
#include <QString>
#include <vector>

namespace tanabana::gst {

// A value that holds for documents (or periods) from a date until the next entry's date.
struct DatedValue {
    QDate from;
    Decimal value;
    QString rule;  // what the law says, for the list shown to the operator
};

// Invoice value above which an unregistered inter-state invoice is reported invoice-wise (B2CL).
const std::vector<DatedValue>& b2clThresholds();
Decimal b2clThreshold(const QDate& invoiceDate);

// Whether the HSN summary of a return period starting on `periodStart` has B2B and B2C rows.
const QDate& hsnSplitFrom();
bool hsnSplitByRecipient(const QDate& periodStart);

// Least number of HSN digits the return of a period takes from the firm.
int hsnDigitsRequired(const QDate& periodStart, bool turnoverAbove5Crore);

// Why an HSN code cannot go into the summary of a firm that must give `digitsRequired` digits,
// said of the code ("has 2 digits; this firm's returns need at least 4"), "" when it can.
QString hsnCodeFault(const QString& hsn, int digitsRequired);

// The GSTIN check digit of the first 14 characters ('\0' when a character is outside 0-9 A-Z).
QChar gstinCheckDigit(const QString& gstin);
// Why a GSTIN cannot go into a return ("" when it can): length, characters, check digit.
QString gstinFault(const QString& gstin);

// The two-digit state code that starts a state name such as "24-Gujarat" ("" when none).
QString stateCodeOf(const QString& state);

}  // namespace tanabana::gst
