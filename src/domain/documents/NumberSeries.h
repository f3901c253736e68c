#pragma once
// Document numbers within a book. The next number follows the book's latest document (latest
// date, then highest key) with its trailing digits increased ("GST/0099" -> "GST/0100"). A number
// is only proposed to the operator; a document saved without one takes the next free number
// inside its own saving transaction, under the series lock, so back-dated documents and two
// stations saving at once never share a number.
//
//   const NumberSeries bills{"SalBillMst", "BillNO", "BillDate", "BookNO", "FirmNO", "FormId = 3 AND IsOp = 0"};
//   bill.billNo = takeNumber(db, bills, firmNo, bookNo);   // inside the transaction
#include "db/Database.h"

#include <QString>

namespace tanabana::documents {

struct NumberSeries {
    QString table;          // SalBillMst
    QString numberColumn;   // BillNO
    QString dateColumn;     // BillDate; empty: the latest document is the one of the highest key
    QString bookColumn;     // BookNO
    QString firmColumn;     // FirmNO
    QString scope;          // a fixed condition of the series, e.g. "FormId = 3 AND IsOp = 0"; may be empty
    QString keyColumn = QStringLiteral("Id");

    // The lock taken while a number of this series is looked at and written.
    QString lockName() const { return table + QLatin1Char('.') + numberColumn; }
};

// The number of the book's latest document; empty for an empty book.
QString lastNumber(db::Database& db, const NumberSeries& series, qint64 firmNo, qint64 bookNo);
// The number after the latest one ("1" for an empty book), as a screen proposes it.
QString proposedNumber(db::Database& db, const NumberSeries& series, qint64 firmNo, qint64 bookNo);
// True when another document of the book (key other than `exceptKey`) carries this number.
bool numberTaken(db::Database& db, const NumberSeries& series, qint64 firmNo, qint64 bookNo, const QString& number,
                 qint64 exceptKey = 0);
// Inside the saving transaction: locks the series and returns the proposed number, moved on past
// numbers already taken in the book (a back-dated document finds the latest one's successor taken).
QString takeNumber(db::Database& db, const NumberSeries& series, qint64 firmNo, qint64 bookNo);

}  // namespace tanabana::documents
