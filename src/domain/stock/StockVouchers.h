#pragma once
// Stock vouchers move cloth out of or into the godown without a bill: an issue voucher ("I") sends
// qualities to a party or a job process under a lot number, a receipt voucher ("R") takes them
// back. Each kind runs its own voucher numbers in each book.
//
// Issue No 7 of book 2 on 26-04: 4 pcs, cut 5.5, 22 m of "Rapier 60 Grey" to Laxmi Dyeing Mill for
// Dyeing, lot L-9: the grey quality's stock falls by 22 m (and 4 pieces) from that day; receipt
// No 1 of the same book is the first receipt, whatever the issues have reached.
#include "core/Decimal.h"
#include "core/Messages.h"
#include "core/Session.h"
#include "db/Database.h"
#include "domain/documents/DocumentList.h"
#include "domain/documents/Lookups.h"

#include <QDate>
#include <QString>
#include <optional>
#include <vector>

namespace tanabana::stock {

enum class VoucherKind { Issue, Receipt };

// The kind letter kept in IType.
QString kindLetter(VoucherKind kind);

struct StockVoucherLine {
    qint64 qualityId = 0;  // PCode
    Decimal pieces;        // Qty2
    Decimal cut;           // Qty1: metres of one piece
    Decimal metres;        // Qty
};

struct StockVoucher {
    qint64 id = 0;
    VoucherKind kind = VoucherKind::Issue;
    qint64 bookId = 0;
    qint64 voucherNo = 0;  // BillNO: 0 takes the next of the kind and book on save
    QDate date;
    qint64 partyId = 0;
    QString process;       // Process_Name: a job process of the firm
    QString lotNo;
    QString remarks;
    std::vector<StockVoucherLine> lines;

    Decimal totalPieces() const;
    Decimal totalMetres() const;
};

// A quality offered on a voucher line with what the godown holds of it on the voucher's date.
struct QualityWithStock {
    qint64 id = 0;
    QString name, code, group, designNo, colour, hsn, unit;
    QString rateOn = QStringLiteral("M");  // "P" for qualities counted by the piece
    Decimal rate;                          // RAteR
    Decimal cut;                           // Pack, proposed as the line's cut
    Decimal stock;                         // in the quality's unit
};

class StockVouchers {
public:
    StockVouchers(db::Database& db, const Session& session, Messages& messages);

    // The number after the highest of the kind in the book (1 for the first).
    qint64 nextVoucherNo(VoucherKind kind, qint64 bookId);
    // The voucher of the kind with this number in the book, as typing its number finds it.
    std::optional<qint64> findVoucher(VoucherKind kind, qint64 bookId, qint64 voucherNo);

    // Writes header and lines in one transaction; the key, or nothing after a refusal shown.
    std::optional<qint64> save(StockVoucher& voucher);
    // Asks first; false when refused or not confirmed.
    bool remove(qint64 id);
    std::optional<StockVoucher> load(qint64 id);
    documents::DocumentPage voucherList(VoucherKind kind, qint64 bookId, const documents::ListFilter& filter);

    // The books a voucher is written in: sales, purchase or both, not the general purchase books.
    std::vector<documents::BookChoice> books();
    // Parties by name or ledger code; the loom firm's screens offer buyers, mills and job workers only.
    std::vector<documents::PartyChoice> parties(const QString& prefix, bool loomParties);
    // The firm's job processes starting with `prefix`.
    QStringList processes(const QString& prefix);
    // Quality groups of the active qualities.
    QStringList qualityGroups();
    // Active qualities that are not new products, of the group (all when empty), by name, with
    // their stock at the end of `date`.
    std::vector<QualityWithStock> qualities(const QString& group, const QDate& date);

private:
    bool validate(const StockVoucher& voucher);

    db::Database& db_;
    const Session& session_;
    Messages& messages_;
};

}  // namespace tanabana::stock
