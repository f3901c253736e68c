#include "domain/trade/PurchaseChallans.h"

#include "domain/documents/Deletion.h"
#include "domain/documents/Guard.h"
#include "domain/documents/Lookups.h"
#include "domain/documents/TableMap.h"
#include "domain/trade/InvoiceMath.h"
#include "domain/trade/DocumentRules.h"

namespace tanabana::trade {

namespace {

const QString kPurChallanMst = QStringLiteral("BillMSt_Ch");
const QString kPurChallanDtl = QStringLiteral("BillDtl_Ch");

// Deletion history of purchase challans: they carry no journal, so they have a kind of their own.
constexpr int kPurchaseChallanHistory = 31;

using documents::Column;
using documents::written;


// The challan as its header row is written, with the firm it belongs to.
struct PurChallanRow {
    const PurchaseChallan& challan;
    qint64 firmNo = 0;
};

template <typename M>
Column<PurChallanRow, PurchaseChallan> purChallanTyped(const char* column, M PurchaseChallan::*member, const char* caption = nullptr) {
    return documents::fieldOf<PurChallanRow>([](const PurChallanRow& r) -> const PurchaseChallan& { return r.challan; }, column, member, caption);
}

const documents::TableMap<PurChallanRow, PurchaseChallan>& purChallanTable() {
    using R = PurChallanRow;
    using C = PurchaseChallan;
    static const documents::TableMap<R, C> table{
        kPurChallanMst, QStringLiteral("Id"),
        {purChallanTyped("PartyId", &C::partyId),
         purChallanTyped("BookId", &C::bookId),
         purChallanTyped("BillNO", &C::challanNo, "Pur. Ch. No"),
         purChallanTyped("BillDate", &C::date),
         purChallanTyped("Against", &C::against, "Against"),
         purChallanTyped("Notes", &C::notes, "Notes"),
         written<R, C>("BillAmount", [](const R& r) { return PurchaseChallans::amount(r.challan).toDouble(); }),
         written<R, C>("FirmNo", [](const R& r) { return r.firmNo; }),
         purChallanTyped("BrokerId", &C::brokerId),
         purChallanTyped("Is_Audit", &C::audited),
         {QStringLiteral("InvType"), {},
          [](const R& r) {
              return QVariant(r.challan.invoiceType.trimmed().left(1).toUpper() == QStringLiteral("R") ? QStringLiteral("R") : QStringLiteral("T"));
          },
          [](C& c, const db::Row& row) { c.invoiceType = row.text(QStringLiteral("InvType")); }}}};
    return table;
}

struct PurChallanLineRow {
    const PurchaseChallanLine& line;
    qint64 challanId = 0;
    int srno = 0;
    Decimal amount() const { return challanLineAmount(line.pieces, line.quantity, line.rateOn, line.rate); }
};

template <typename M>
Column<PurChallanLineRow, PurchaseChallanLine> lineField(const char* column, M PurchaseChallanLine::*member, int places) {
    return documents::fieldOf<PurChallanLineRow>([](const PurChallanLineRow& r) -> const PurchaseChallanLine& { return r.line; }, column, member, nullptr, places);
}

const documents::TableMap<PurChallanLineRow, PurchaseChallanLine>& purChallanLines() {
    using R = PurChallanLineRow;
    using L = PurchaseChallanLine;
    static const documents::TableMap<R, L> table{
        kPurChallanDtl, {},
        {written<R, L>("BillMStId", [](const R& r) { return r.challanId; }),
         written<R, L>("Srno", [](const R& r) { return r.srno; }),
         lineField("PCode", &L::qualityId, 0),
         lineField("PRate", &L::rate, 4),
         lineField("PQty", &L::quantity, 3),
         written<R, L>("PAmt", [](const R& r) { return r.amount().toDouble(); }),
         lineField("Qty1", &L::cut, 3),
         lineField("Qty2", &L::pieces, 3),
         {QStringLiteral("PM"), {}, [](const R& r) { return QVariant(rateBasis(r.line.rateOn)); },
          [](L& l, const db::Row& row) { l.rateOn = row.text(QStringLiteral("PM")); }},
         written<R, L>("BillNetAmt", [](const R& r) { return r.amount().toDouble(); })}};
    return table;
}

}  // namespace

PurchaseChallans::PurchaseChallans(db::Database& db, Session& session, Messages& messages)
    : db_(db), session_(session), messages_(messages) {}

Decimal PurchaseChallans::amount(const PurchaseChallan& challan) {
    Decimal total;
    for (const PurchaseChallanLine& line : challan.lines)
        total += challanLineAmount(line.pieces, line.quantity, line.rateOn, line.rate);
    return total.roundHalfEven(2);
}

documents::DocumentPage PurchaseChallans::page(const documents::ListFilter& filter) {
    documents::ListQuery q(QStringLiteral("BillMSt_Ch m LEFT JOIN AccMst a ON a.Id = m.PartyId"), QStringLiteral("m.FirmNo = ?"),
                           {session_.firmNo}, QStringLiteral("m.BillNO"), QStringLiteral("m.BillDate"), QStringLiteral("a.AcName"),
                           QStringLiteral("m.BillAmount"));
    q.marked = QStringLiteral("m.Is_Audit");
    q.texts = {QStringLiteral("m.InvType")};
    return documents::listDocuments(db_, q, filter);
}

std::optional<qint64> PurchaseChallans::challanOfParty(qint64 partyId, const QString& challanNo) {
    const QVariant id = db_.scalar(QStringLiteral("SELECT Id FROM BillMSt_Ch WHERE PartyId = ? AND BillNO = ? AND FirmNo = ? ORDER BY Id"),
                                   {partyId, challanNo.trimmed(), session_.firmNo});
    if (!id.isValid() || id.isNull()) return std::nullopt;
    return id.toLongLong();
}

std::optional<qint64> PurchaseChallans::save(PurchaseChallan& c) {
    if (documents::refuseSave(session_, messages_, c.id)) return std::nullopt;
    if (!c.date.isValid() || !session_.inYear(c.date)) {
        messages_.critical(QStringLiteral("BillDate Validate"), QStringLiteral("Please Select Proper Date"));
        return std::nullopt;
    }
    const bool partyKnown = c.partyId > 0 && documents::partyById(db_, session_.firmNo, c.partyId).has_value();
    bool linesTyped = !c.lines.empty();
    for (const PurchaseChallanLine& line : c.lines) linesTyped = linesTyped && line.qualityId > 0;
    if (!partyKnown || c.challanNo.trimmed().isEmpty() || !linesTyped) {
        messages_.critical(QStringLiteral("System Validation"), QStringLiteral("Please Select Distributor NAme and Enter Invoice No"));
        return std::nullopt;
    }
    for (const PurchaseChallanLine& line : c.lines) {
        if (line.pieces.isNegative() || line.cut.isNegative() || line.quantity.isNegative() || line.rate.isNegative()) {
            messages_.critical(QStringLiteral("Invalid Entry"), QStringLiteral("Quantities and rates cannot be negative"));
            return std::nullopt;
        }
    }
    if (documents::refuseTooLong(messages_, purChallanTable().tooLong(PurChallanRow{c, session_.firmNo}))) return std::nullopt;
    db::Transaction tx(db_);
    db_.lockSeries(QStringLiteral("BillMSt_Ch.Id"));
    const auto existing = challanOfParty(c.partyId, c.challanNo);
    if (existing && *existing != c.id) {
        messages_.critical(QStringLiteral("Bill NO Duplication"), QStringLiteral("This Chalan NO is Already exist!"));
        return std::nullopt;
    }
    const qint64 id = c.id > 0 ? c.id : db_.nextKey(kPurChallanMst, QStringLiteral("Id"));
    purChallanTable().write(db_, PurChallanRow{c, session_.firmNo}, id);
    std::vector<PurChallanLineRow> rows;
    int srno = 0;
    for (const PurchaseChallanLine& line : c.lines) rows.push_back({line, id, ++srno});
    purChallanLines().replaceLines(db_, QStringLiteral("BillMStId"), id, rows);
    tx.commit();
    c.id = id;
    messages_.information(QStringLiteral("Save Confirmation"), QStringLiteral("ONE TRANSACTION IS SAVED"));
    return id;
}

bool PurchaseChallans::remove(qint64 id) {
    if (documents::refuseChange(session_, messages_, documents::Change::Delete)) return false;
    if (db_.scalar(QStringLiteral("SELECT count(*) FROM BillMSt_Ch WHERE Id = ? AND FirmNo = ?"), {id, session_.firmNo}).toInt() == 0) return false;
    if (!messages_.ask(QStringLiteral("Delete Confirmation"), QStringLiteral("Are You Sure to Permanently Delete This Chalan ?"))) return false;
    db::Transaction tx(db_);
    documents::deleteDocument(db_, {kPurChallanMst, {{kPurChallanDtl, QStringLiteral("BillMStId")}}, kPurchaseChallanHistory}, id, session_.firmNo);
    tx.commit();
    messages_.information(QStringLiteral("Delete Confirmation"), QStringLiteral("Purchase Chalan Is Deleted!"));
    return true;
}

std::optional<PurchaseChallan> PurchaseChallans::load(qint64 id) {
    const auto h = db_.queryOne(QStringLiteral("SELECT * FROM BillMSt_Ch WHERE Id = ? AND FirmNo = ?"), {id, session_.firmNo});
    if (!h) return std::nullopt;
    PurchaseChallan c;
    c.id = id;
    purChallanTable().read(c, *h);
    purChallanLines().readLines(db_, QStringLiteral("BillMStId"), id, c.lines);
    return c;
}

}  // namespace tanabana::trade
