#pragma once
// Delivery challans: goods sent to a party before (or without) an invoice. A challan of book 2,
// number 16, to "Shree Fabrics": 4 takas of "Rapier 60", 412.50 m at 52.25 = 21,553.12. It posts
// nothing; an invoice made from it later marks it sold, and a sold challan cannot be deleted.
// A taka challan is built from produced takas: each taka goes out once, and deleting or editing the
// challan gives its takas back.
#include "core/Decimal.h"
#include "core/Messages.h"
#include "core/Session.h"
#include "db/Database.h"
#include "domain/documents/DocumentList.h"
#include "domain/documents/NumberSeries.h"

#include <QDate>
#include <QString>
#include <optional>
#include <vector>

namespace tanabana::trade {

struct ChallanLine {
    qint64 qualityId = 0;   // PCode
    QString description;    // RC3; on a taka challan the taka number
    Decimal pieces;         // Nos
    Decimal cut;            // APack
    Decimal metres;         // Qty
    QString rateOn = QStringLiteral("M");  // "P" per piece, "M" per metre
    Decimal rate;           // Rate
    Decimal listRate;       // SRate
    QString remark1, remark2;  // RC1, RC2
    Decimal extraQty;       // Qty3
    bool reconciled = false;   // Is_Reconsil: checked against the goods

    Decimal amount() const;
};

struct DeliveryChallan {
    qint64 id = 0;
    qint64 bookNo = 0;
    QString challanNo;      // BillNO
    QDate date;             // BillDate
    qint64 partyId = 0;
    qint64 deliveryId = 0;  // DeliId
    qint64 brokerId = 0;
    QString orderNo;
    QString notes;
    QString station;        // TrNO
    QString transport;
    QString transporterId;  // T_LrTransID
    QString vehicleNo;      // T_VehNO
    QString lrNo;
    QDate lrDate;
    QString freightType;
    qint64 caseNo = 0;
    bool fromTakas = false; // made on the taka screen: each line is one produced taka
    bool sold = false;      // IsSale (read only)
    std::vector<ChallanLine> lines;

    Decimal amount() const;
};

// A produced taka neither issued to a mill nor sent yet, as the taka challan offers it.
struct FreeTaka {
    QString takaNo;          // TakaNO
    Decimal metres, pieces, cut;
    QString design, colour;  // the quality's ProdSubGrp and P1
    QString quality, qualityType;
    qint64 qualityId = 0;
    QString rateOn;          // "P" priced by the piece, "M" by the metre
    QDate date;              // of its production challan
    QString challanNo, machineNo, bookName;
};

class DeliveryChallans {
public:
    DeliveryChallans(db::Database& db, Session& session, Messages& messages);

    // The number after the latest challan of the book by date, then key ("1" for an empty book).
    QString nextChallanNo(qint64 bookNo);
    // The challan of the book with this number, or 0.
    qint64 findByNumber(qint64 bookNo, const QString& challanNo);

    // Validates and writes in one transaction; a challan without a number takes the book's next
    // free one there (the challan then carries it). A taka challan keeps sending its takas,
    // whichever screen re-saves it.
    std::optional<qint64> save(DeliveryChallan& challan);
    bool remove(qint64 id);
    std::optional<DeliveryChallan> load(qint64 id);

    // Produced takas neither issued to a mill nor sent yet, by numeric taka number.
    std::vector<FreeTaka> freeTakas(qint64 qualityId = 0, qint64 bookNo = 0);
    // Challan lines for ticked takas (ProductionDtl rows by taka number): metres and pieces of the
    // taka, the quality's rate and rate basis.
    std::vector<ChallanLine> linesFromTakas(const QStringList& takaNumbers);

    // Ticks or clears the check of one saved line; refused in a closed year.
    bool setReconciled(qint64 id, int srno, bool checked);
    // False (after "Item Not Checked") when the firm wants every line checked before printing.
    bool readyToPrint(const DeliveryChallan& challan);
    // The challans of a book (0: every book) for the screen's list, a page at a time, newest
    // first. Texts: city, station, "Billed" once a bill took it.
    documents::DocumentPage challanList(qint64 bookNo, const documents::ListFilter& filter);

private:
    bool validate(const DeliveryChallan& challan);
    static const documents::NumberSeries& numbers();
    bool carriesTakas(qint64 id);
    void releaseTakas(qint64 challanId);
    bool sendTakas(const DeliveryChallan& challan);

    db::Database& db_;
    Session& session_;
    Messages& messages_;
};

}  // namespace tanabana::trade
