#pragma once
// Mill receipt challans (form 17): finished cloth taken back against issued takas. Each line
// receives one issue line (IssueChId, IssueChSno): its grey metres are added to the issue line's
// RMtrs, the numeric taka number to its RPCs, and "Fin." closes it; the issue takes the
// receipt's lot number. An edit first takes back what the receipt gave, a delete reopens its
// takas. A receipt posts nothing to the ledger: the mill's bill is booked as a purchase.
//
// Taka 101 issued with 100.000 m, received as 96.500 m at 2.50: shortage 3.500, 3.50 %,
// amount 241.25; bill 241 (whole rupees), T.D.S. at 1 %: 2.
#include "core/Messages.h"
#include "core/Session.h"
#include "db/Database.h"
#include "domain/documents/DocumentList.h"
#include "domain/mill/MillChallan.h"

#include <functional>
#include <optional>

namespace tanabana::mill {

// An issue challan of the mill with takas still out.
struct PendingChallan {
    qint64 issueId = 0;
    qint64 challanNo = 0;  // "Mill Iss No"
    QDate date;
    QString quality, lotNo, process, partyChallanNo;
    qint64 qualityId = 0;
    Decimal issuedMetres;  // "Tot Iss Mtrs" of the open lines
};

// A taka of an issue still (partly) at the mill.
struct PendingTaka {
    qint64 issueId = 0;
    int srno = 0;
    QString takaNo;
    Decimal greyMetres;     // "Grey Mtrs"
    Decimal pendingMetres;  // "Pend Mtrs": grey - received so far
    Decimal takaLeft;       // "Tot Taka": numeric taka number - RPCs, 0 once back
    Decimal weight;
    QString marka, designNo, colour, remarks;
};

// One row of the receipt's summary per issue challan.
struct ReceiptSummaryRow {
    qint64 challanNo = 0;
    Decimal greyMetres, finishedMetres, shortage, shortagePercent, amount;
};

class MillReceipts {
public:
    MillReceipts(db::Database& db, Session& session, Messages& messages);

    qint64 nextChallanNo(qint64 bookId);
    // F7: the mill's issue challans with takas not yet back, by date and number; `producedOnly`
    // keeps the challans of takas from the firm's own looms (the grey receipt).
    std::vector<PendingChallan> pendingChallans(qint64 millId, bool producedOnly = false);
    std::vector<PendingTaka> pendingTakas(qint64 issueId);
    // Receipt lines for ticked takas of an issue (by Srno): the pending grey metres, the issue's
    // rate, finished metres still to be typed.
    std::vector<MillReceiptLine> linesFromIssue(qint64 issueId, const std::vector<int>& srnos);
    // The summary grid: per issue challan, grey and finished metres, shortage and amount.
    static std::vector<ReceiptSummaryRow> summary(const MillReceipt& receipt, const std::function<qint64(qint64)>& challanOf);
    qint64 issueChallanNo(qint64 issueId);

    std::optional<qint64> save(MillReceipt& receipt);
    bool remove(qint64 id);
    std::optional<MillReceipt> load(qint64 id);
    // The saved receipts, newest first. Texts: lot, mill's challan; figures: takas, finished metres.
    documents::DocumentPage receiptList(const documents::ListFilter& filter, qint64 bookId = 0);

private:
    bool validate(const MillReceipt& receipt);
    // Takes the receipt's lines into their issue lines; false after the refusal.
    bool receiveTakas(const MillReceipt& receipt);
    // Reverses what the saved receipt gave its issue lines.
    void takeBack(qint64 receiptId);
    void relabelLots(const std::vector<qint64>& issueIds);
    bool refuseSold(qint64 id);

    db::Database& db_;
    Session& session_;
    Messages& messages_;
};

}  // namespace tanabana::mill
