#pragma once
// Mill issue challans (form 16): grey takas sent to a processing mill. Takas of a weaver's
// purchase bill are marked issued on the bill's taka list (Is_Issued), counted on its line
// (Issue_Taka, Issue_Mtrs) and the bill is marked Is_IssueToMill once none is left; produced
// takas are marked IsM_Issue with the job process. An edit first gives every taka back, then
// takes the new ones; a delete gives them back. A taka another challan took (also from another
// station at the same moment) is refused, and nothing is written.
//
//   MillIssues issues(db, session, messages);
//   MillIssue issue{.bookId = 3, .date = {2024, 6, 3}, .millId = 41, .qualityId = 7, .process = "Dyeing"};
//   issues.takeFromPurchase(issue, purchaseBillId, {"101", "102"});
//   issues.save(issue);   // "ONE TRANSACTION IS SAVED"
#include "core/Messages.h"
#include "core/Session.h"
#include "db/Database.h"
#include "domain/documents/DocumentList.h"
#include "domain/documents/Lookups.h"
#include "domain/mill/MillChallan.h"

#include <QStringList>
#include <optional>

namespace tanabana::mill {

// A purchase bill of the weaver with metres still at home ("PQty - Issue_Mtrs > 0").
struct PurchaseWithTakas {
    qint64 billId = 0;
    QString billNo;
    QDate date;
    QString quality;
    qint64 qualityId = 0;
    Decimal pendingMetres;
    Decimal pendingTakas;
    bool wholeIssued = false;  // Is_IssueToMill
};

// A taka on offer: from a purchase bill's taka list or from the looms.
struct OfferedTaka {
    QString takaNo;
    Decimal metres;
    int srno = 0;            // its place on the purchase taka list or the production challan
    qint64 qualityId = 0;
    qint64 takaFirmNo = 0;   // production: the firm whose looms wove it
    Decimal pieces;          // production
    QString machine;         // production
};

class MillIssues {
public:
    MillIssues(db::Database& db, Session& session, Messages& messages);

    // Mills: active accounts of the purchase-party groups (76, 77, 79, 80).
    std::vector<documents::PartyChoice> mills(const QString& prefix, int limit = 30);
    // The next challan number of the book: the largest of this year's challans plus one.
    qint64 nextChallanNo(qint64 bookId, int formId = 16);

    // The weaver's purchase bills with metres not yet at a mill, newest first.
    std::vector<PurchaseWithTakas> purchaseBills(qint64 weaverId);
    // The takas of a purchase bill not yet issued, by metres.
    std::vector<OfferedTaka> purchaseTakas(qint64 purchaseBillId);
    // Produced takas of the quality (0: any) neither issued nor sent, optionally within a metres range.
    std::vector<OfferedTaka> producedTakas(qint64 qualityId, std::optional<Decimal> fromMetres = {},
                                           std::optional<Decimal> toMetres = {});
    // Fills the issue's source and lines from ticked takas of a purchase bill (by taka number).
    bool takeFromPurchase(MillIssue& issue, qint64 purchaseBillId, const QStringList& takaNumbers);
    // Fills the issue's lines from ticked produced takas of this firm.
    bool takeFromProduction(MillIssue& issue, const QStringList& takaNumbers);

    // Validates, writes and marks the sources in one transaction; the Id or nullopt after a refusal.
    std::optional<qint64> save(MillIssue& issue);
    // Deletes after the question; refused while any taka of it is (partly) received.
    bool remove(qint64 id);
    std::optional<MillIssue> load(qint64 id);

    // The saved challans, newest first. Texts: quality, process, lot, purchase party; figures:
    // takas, metres.
    documents::DocumentPage issueList(const documents::ListFilter& filter, qint64 bookId = 0);

private:
    bool validate(const MillIssue& issue);
    bool refuseReceived(qint64 id);
    // Takes the issue's takas from its source; false (after the refusal) when one is not free.
    bool takeTakas(const MillIssue& issue);
    // Gives back what the saved issue took.
    void giveBackTakas(qint64 id);

    db::Database& db_;
    Session& session_;
    Messages& messages_;
};

// The refusal shown when an issue's takas are (partly) back from the mill.
void refuseIssueInReceipt(Messages& messages);

}  // namespace tanabana::mill
