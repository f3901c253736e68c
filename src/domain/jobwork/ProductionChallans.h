#pragma once
// Production challans: the takas (rolls of woven fabric) that came off the looms on a day, for a
// job worker or the firm's own production account. Each taka has a number unique within the firm
// ("101", "102", ...), its pieces, cut, metres, loom and quality. A taka that later left on a
// delivery challan is "used": its challan can no longer be deleted, and an edit keeps that row.
//
//   ProductionChallans service(db, session, messages);
//   ProductionChallan ch{.bookNo = 2, .challanNo = service.nextChallanNo(2), .date = today, .partyId = 40};
//   ch.takas.push_back({.takaNo = service.nextTakaNo(), .pieces = 4, .cut = 5.5, .metres = 22, .qualityId = 7});
//   service.save(ch);   // "One Transaction Is Saved."
#include "core/Decimal.h"
#include "core/Messages.h"
#include "core/Session.h"
#include "db/Database.h"
#include "domain/documents/DocumentList.h"
#include "domain/documents/Lookups.h"
#include "domain/documents/NumberSeries.h"

#include <QDate>
#include <QString>
#include <optional>
#include <vector>

namespace tanabana::jobwork {

struct ProductionTaka {
    QString takaNo;        // TakaNO
    Decimal pieces;        // Pcs
    Decimal cut;           // Cut
    Decimal metres;        // Mtrs
    QString machine;       // McNo
    qint64 qualityId = 0;  // qId
    bool machineIssue = false;  // IsM_Issue, carried through
    bool used = false;     // IsOver: gone out on a delivery challan (read, never written here)
};

struct ProductionChallan {
    qint64 id = 0;          // 0 until saved
    qint64 bookNo = 0;      // BookId
    QString challanNo;      // ChNo
    QDate date;             // ChDate
    qint64 partyId = 0;     // PartyID
    QString prodType;       // ProdType
    // Takas without a number take the firm's next ones inside the save (imports); on a screen
    // a taka row without a number is an empty row.
    bool numberTakas = false;
    std::vector<ProductionTaka> takas;

    Decimal totalMetres() const;
    Decimal totalPieces() const;
    int takaCount() const;
};

class ProductionChallans {
public:
    ProductionChallans(db::Database& db, Session& session, Messages& messages);

    // Production types offered by the type list (stored as their first letter).
    static QStringList productionTypes();

    // The last challan number of the book (by key) plus one; "1" for an empty book.
    QString nextChallanNo(qint64 bookNo);
    // The highest taka number of the firm by numeric value, plus one ("10" follows "9").
    QString nextTakaNo();
    // False (after "Taka Duplication") when another challan of the firm has this taka number,
    // compared as text in every book. `challanId` is the challan being edited (its own takas pass).
    bool takaIsFree(const QString& takaNo, qint64 challanId = 0);

    // Writes the challan in one transaction; returns its Id, or nullopt after a refusal. A challan
    // without a number takes the book's next free one there.
    std::optional<qint64> save(ProductionChallan& challan);
    // Deletes after the operator's Yes; refused when any taka went out on a delivery challan.
    bool remove(qint64 id);
    std::optional<ProductionChallan> load(qint64 id);

    // The challans of a book (0: every book) for the screen's list, a page at a time, newest
    // first. Texts: the party's ledger code; figures: takas, metres.
    documents::DocumentPage challanList(qint64 bookNo, const documents::ListFilter& filter);
    // The sales books a challan may be kept in (not those of general purchases), by number.
    std::vector<documents::BookChoice> books();
    // Job workers (accounts marked "J") whose name or ledger code starts so, by name.
    std::vector<documents::PartyChoice> parties(const QString& nameOrCode = {});
    // Active finished qualities that are not new products, by name, design and colour prefixes.
    std::vector<documents::QualityChoice> qualities(const QString& name = {}, const QString& design = {}, const QString& colour = {});
    // Old rows written without a firm number take their challan's firm.
    void repairFirmNumbers();

private:
    static const documents::NumberSeries& numbers();
    bool validate(const ProductionChallan& challan);
    bool refuseDuplicate(const QString& takaNo, qint64 challanId);
    void writeHeader(const ProductionChallan& challan);
    void writeTakas(const ProductionChallan& challan);

    db::Database& db_;
    Session& session_;
    Messages& messages_;
};

}  // namespace tanabana::jobwork
