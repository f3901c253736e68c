#pragma once
// Job-process challans: fabric sent to a job worker quality by quality (form 14) and taken back
// (form 15), each line a quality with pieces or takas and metres. The receipt is the job
// worker's bill: it posts under document type 15, the job charges debited to the book's
// purchase (job-work) account and its GST accounts, the job worker credited with the bill, and
// T.D.S. taken back from him.
//
// 12 pieces, 1,150.50 m printed at 4.00 a metre: amount 4,602.00; SGST and CGST 2.5 % 115.05
// each; bill 4,832.10 -> 4,832 (round-off stays in the job-work account); T.D.S. 1 % on 4,602.00: 46.
#include "core/Decimal.h"
#include "core/Messages.h"
#include "core/Session.h"
#include "db/Database.h"
#include "domain/documents/DocumentList.h"

#include <QDate>
#include <QString>
#include <optional>
#include <vector>

namespace tanabana::mill {

struct JobLine {
    qint64 qualityId = 0;   // PCode
    Decimal pieces;         // Qty2: pieces or takas
    Decimal count;          // Qty1
    Decimal metres;         // PQty
    QString rateOn = QStringLiteral("M");  // PM: per metre "M" or per piece "P"
    Decimal rate;           // PRate
    Decimal shortLong;      // Wt on receipt lines
    QString designNo, colour, remarks;
    qint64 issueId = 0;     // receipt lines: the issue line received
    int issueSrno = 0;
    bool finished = true;   // receipt lines: the issue line is wholly back
    // Issue lines, kept by receipts (read only).
    Decimal receivedPieces; // RPCs
    Decimal receivedMetres; // RMtrs

    Decimal amount() const;  // pieces or metres x rate, two places
};

struct JobTotals {
    Decimal amount, discount, taxable, sgst, cgst, igst, bill, tds;
};

struct JobChallan {
    qint64 id = 0;
    bool receipt = false;   // form 15; an issue (14) otherwise
    qint64 bookId = 0;
    qint64 challanNo = 0;   // ChNo: 0 takes the book's next on save
    qint64 serial = 0;
    QString reference;      // BillNO: the job worker's challan or bill number
    QString gatePassNo;     // AGAINST: "G.P. Bill No"
    QDate date;
    qint64 partyId = 0;     // the job worker
    qint64 brokerId = 0;
    QString process;        // ProcessName
    QString lotNo;
    int creditDays = 0;
    QString transport, tempoNo, lrNo;
    Decimal discountPercent, otherPlus, otherLess;  // DiscP, OtherRs, OtherP1
    Decimal sgstPercent, cgstPercent, igstPercent;  // VATP, ATAXP, CSTP
    Decimal tdsPercent;
    QString notes;
    std::vector<JobLine> lines;

    JobTotals totals() const;
};

// An issue line with pieces or metres still out.
struct PendingJobLine {
    qint64 issueId = 0;
    qint64 challanNo = 0;
    int srno = 0;
    qint64 qualityId = 0;
    QString quality;
    Decimal pendingPieces;  // "Pend Pcs/Taka"
    Decimal pendingMetres;  // "Pend Mtrs"
    QString rateOn;
    Decimal rate;
};

class JobProcessChallans {
public:
    JobProcessChallans(db::Database& db, Session& session, Messages& messages);

    qint64 nextChallanNo(qint64 bookId, bool receipt);
    // The job worker's issue lines not wholly back.
    std::vector<PendingJobLine> pendingLines(qint64 partyId);
    // Receipt lines for ticked issue lines (issue id, Srno): what is still out, at the issue's rate.
    std::vector<JobLine> linesFromIssue(const std::vector<std::pair<qint64, int>>& ticked);

    std::optional<qint64> save(JobChallan& challan);
    bool remove(qint64 id);
    std::optional<JobChallan> load(qint64 id);
    documents::DocumentPage challanList(bool receipt, const documents::ListFilter& filter);

private:
    bool validate(const JobChallan& challan);
    bool receive(const JobChallan& challan);
    void takeBack(qint64 receiptId);
    bool refuseReceived(qint64 issueId);
    bool post(const JobChallan& challan);

    db::Database& db_;
    Session& session_;
    Messages& messages_;
};

}  // namespace tanabana::mill
