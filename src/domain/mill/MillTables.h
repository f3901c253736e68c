#pragma once
// The taka-wise challan tables declared once for the issue and receipt services and the carry
// into the next year: which document field each column of JobWork_IssueMst_1 and
// JobWork_IssueDtl_1 is written from and read into.
#include "core/Messages.h"
#include "core/Session.h"
#include "domain/documents/TableMap.h"
#include "domain/mill/MillChallan.h"

namespace tanabana::mill {

inline const QString kMillHeader = QStringLiteral("JobWork_IssueMst_1");
inline const QString kMillLines = QStringLiteral("JobWork_IssueDtl_1");

struct IssueRow {
    const MillIssue& issue;
    qint64 firmNo;
    int formId;
};
struct IssueLineRow {
    const MillIssueLine& line;
    qint64 issueId;
    int srno;
};
struct ReceiptRow {
    const MillReceipt& receipt;
    qint64 firmNo;
    MillReceiptTotals totals;
};
struct ReceiptLineRow {
    const MillReceiptLine& line;
    qint64 receiptId;
    int srno;
};

const documents::TableMap<IssueRow, MillIssue>& issueHeaderTable();
const documents::TableMap<IssueLineRow, MillIssueLine>& issueLineTable();
const documents::TableMap<ReceiptRow, MillReceipt>& receiptHeaderTable();
const documents::TableMap<ReceiptLineRow, MillReceiptLine>& receiptLineTable();

std::vector<IssueLineRow> issueLineRows(const MillIssue& issue);
std::vector<ReceiptLineRow> receiptLineRows(const MillReceipt& receipt);

// The checks every mill and job-work challan passes first: a job worker of the purchase-party
// groups, a purchase book (not a general one) of the firm, a date within the year. False after
// the refusal.
bool refuseChallanHeader(db::Database& db, const Session& session, Messages& messages, qint64 partyId, qint64 bookId, const QDate& date,
                         qint64 challanNo);

// A challan a sales bill has taken (IsCN) is neither changed nor deleted; true after the refusal.
bool refuseSoldChallan(db::Database& db, Messages& messages, qint64 id);

// The next ChNo of a book and form among this year's challans (carried-in ones are negative).
qint64 nextMillChallanNo(db::Database& db, const QString& header, qint64 firmNo, qint64 bookId, int formId);

}  // namespace tanabana::mill
