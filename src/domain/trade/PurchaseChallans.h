#pragma once
// Purchase challans ("  Purchase Chalan"): fabric received from a supplier before the bill comes,
// kept in BillMSt_Ch / BillDtl_Ch without tax and without posting. 4 takas of grey, 398.5 m at
// 52.00, make one line of 20,722.00 and a challan amount of 20,722.00.
#include "core/Decimal.h"
#include "core/Messages.h"
#include "core/Session.h"
#include "db/Database.h"
#include "domain/documents/DocumentList.h"

#include <QDate>
#include <optional>
#include <vector>

namespace tanabana::trade {

struct PurchaseChallanLine {
    qint64 qualityId = 0;  // PCode
    Decimal pieces;        // Qty2
    Decimal cut;           // Qty1
    Decimal quantity;      // PQty
    QString rateOn = QStringLiteral("M");
    Decimal rate;          // PRate
};

struct PurchaseChallan {
    qint64 id = 0;
    qint64 bookId = 0;
    QString challanNo;     // "Pur. Ch. No"
    QDate date;
    qint64 partyId = 0;
    qint64 brokerId = 0;
    QString invoiceType = QStringLiteral("T");  // "Inv.Type(T/R)": Tax Invoice or Retail Invoice
    QString against, notes;
    bool audited = false;
    std::vector<PurchaseChallanLine> lines;
};

class PurchaseChallans {
public:
    PurchaseChallans(db::Database& db, Session& session, Messages& messages);

    // Validates and writes header and lines in one transaction; the Id, nullopt after a refusal.
    std::optional<qint64> save(PurchaseChallan& challan);
    bool remove(qint64 id);
    std::optional<PurchaseChallan> load(qint64 id);
    // The challan of the party with that number, to open instead of starting a second one.
    std::optional<qint64> challanOfParty(qint64 partyId, const QString& challanNo);
    // One page of the firm's challans for the screen's list, newest first.
    documents::DocumentPage page(const documents::ListFilter& filter);
    // The challan's amount: its lines at their rates (pieces or quantity), 2 places each.
    static Decimal amount(const PurchaseChallan& challan);

private:
    db::Database& db_;
    Session& session_;
    Messages& messages_;
};

}  // namespace tanabana::trade
