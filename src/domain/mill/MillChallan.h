#pragma once
// Grey takas sent to a processing mill and taken back finished. A mill issue challan (form 16)
// lists takas by number and grey metres, taken from a weaver's purchase bill or from the firm's
// own looms; a mill receipt challan (form 17) brings each taka back with its finished metres.
//
// Taka 101 of 100.000 grey metres comes back as 96.500 finished metres at a job rate of 2.50:
// shortage 3.500 m, "%" 3.50, amount 241.25; the issue line is then finished with RMtrs 100.000.
#include "core/Decimal.h"

#include <QDate>
#include <QString>
#include <vector>

namespace tanabana::mill {

// Where the takas of an issue come from; the grey-cut screen offers produced takas by a metres range.
enum class TakaSource { Typed, Purchase, Production };

struct MillIssueLine {
    QString takaNo;         // TakaNO
    Decimal metres;         // Mtrs: grey metres
    Decimal weight;         // Wt
    QString marka, designNo, colour, remarks;
    qint64 takaFirmNo = 0;  // F_NO: the firm whose looms wove it (own production); 0 otherwise
    // Kept by receipts, read only here.
    Decimal receivedMetres; // RMtrs
    Decimal greyReturned;   // PRate: grey metres given back unprocessed
    bool finished = false;  // IsFinished
};

struct MillIssue {
    qint64 id = 0;              // 0 until saved; negative when carried in from the last year
    qint64 bookId = 0;
    qint64 challanNo = 0;       // ChNo: 0 takes the book's next number on save
    qint64 serial = 0;          // BillSrno
    QString reference;          // BillNO: our reference
    QDate date;
    qint64 millId = 0;          // PartyID
    qint64 brokerId = 0;
    qint64 qualityId = 0;       // QId: the grey quality
    Decimal rate;               // job rate
    QString process;            // ProcessName
    QString lotNo;              // given by the first receipt, read only here
    TakaSource source = TakaSource::Typed;
    qint64 weaverId = 0;        // PurPartyId
    qint64 purchaseBillId = 0;  // PurBillId
    QString purchaseBillNo;     // PurBillNo
    QDate purchaseDate;         // PurDate
    QString transport, lrNo, tempoNo;  // TransportName, LrNo, CaseNO
    QDate lrDate;
    QString notes;
    bool opening = false;       // IsOp: carried in from the last year
    std::vector<MillIssueLine> lines;

    Decimal totalMetres() const;
};

struct MillReceiptLine {
    qint64 issueId = 0;     // IssueChId
    int issueSrno = 0;      // IssueChSno
    QString takaNo;
    Decimal greyMetres;     // Mtrs
    Decimal finishedMetres; // RMtrs
    Decimal greyReturned;   // GreyRet: "Grey Ret", grey metres the mill gave back unprocessed
    Decimal rate;           // PRate
    Decimal weight;         // Wt
    QString marka, colour, designNo, remarks;
    qint64 finishedQualityId = 0;  // QidDtl
    bool finished = true;   // "Fin." Y/N: the taka is wholly back

    Decimal shortage() const;  // grey - finished; negative for a length gain
    Decimal shortagePercent() const;  // of the grey metres, two places
    Decimal amount() const;    // finished metres x rate, two places (nothing without both)
};

struct MillReceiptTotals {
    Decimal amount;     // sum of the lines
    Decimal discount;   // DiscRs
    Decimal gross;      // amount - discount + other (+) - OtherP1
    Decimal bill;       // gross + OtherP - OtherM, to whole rupees
    Decimal tds;        // bill x T.D.S. rate, to whole rupees
};

struct MillReceipt {
    qint64 id = 0;
    qint64 bookId = 0;
    qint64 challanNo = 0;       // ChNo: "Receive Challan No"
    qint64 serial = 0;
    QString millChallanNo;      // BillNO: "Challan No"
    QString gatePassNo;         // AGAINST: "G.P. Bill No"
    QDate date;
    qint64 millId = 0;
    qint64 brokerId = 0;
    int creditDays = 0;
    QString transport, tempoNo, lrNo;
    QDate lrDate;
    QString lotNo;
    qint64 qualityId = 0;       // QId: the issue quality
    QString process;
    Decimal discountPercent;    // DiscP
    Decimal otherPlus;          // OtherRs: "Other (+)"
    Decimal otherLess;          // OtherP1
    Decimal otherAfter;         // OtherP, added after the gross
    Decimal otherAfterLess;     // OtherM
    Decimal tdsPercent;         // TDSP
    QString notes;
    bool opening = false;
    std::vector<MillReceiptLine> lines;

    MillReceiptTotals totals() const;
};

// The numeric value of a taka number, as the pending count reads it ("101A" -> 101).
Decimal takaValue(const QString& takaNo);

}  // namespace tanabana::mill
