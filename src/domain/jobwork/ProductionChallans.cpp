#include "domain/jobwork/ProductionChallans.h"

#include "domain/documents/Deletion.h"
#include "domain/documents/Guard.h"
#include "domain/documents/TableMap.h"
#include "domain/trade/DocumentRules.h"

#include <QSet>
#include <tuple>

namespace tanabana::jobwork {

using trade::fitted;

namespace {

const QString kTakaJoin = QStringLiteral(" FROM ProductionDtl INNER JOIN ProductionMst ON ProductionDtl.ProdId = ProductionMst.Id ");

}  // namespace

Decimal ProductionChallan::totalMetres() const {
    Decimal sum;
    for (const ProductionTaka& t : takas)
        if (!t.takaNo.trimmed().isEmpty()) sum += t.metres;
    return sum;
}

Decimal ProductionChallan::totalPieces() const {
    Decimal sum;
    for (const ProductionTaka& t : takas)
        if (!t.takaNo.trimmed().isEmpty()) sum += t.pieces;
    return sum;
}

int ProductionChallan::takaCount() const {
    int n = 0;
    for (const ProductionTaka& t : takas)
        if (!t.takaNo.trimmed().isEmpty()) ++n;
    return n;
}

ProductionChallans::ProductionChallans(db::Database& db, Session& session, Messages& messages)
    : db_(db), session_(session), messages_(messages) {}

QStringList ProductionChallans::productionTypes() {
    return {QStringLiteral("Own Looms"), QStringLiteral("Job Work"), QStringLiteral("Rapier"), QStringLiteral("Other")};
}

const documents::NumberSeries& ProductionChallans::numbers() {
    // The latest challan of a book is the one of the highest key, whatever its date.
    static const documents::NumberSeries series{QStringLiteral("ProductionMst"), QStringLiteral("ChNo"), {}, QStringLiteral("BookId"),
                                                QStringLiteral("FirmNo"), QStringLiteral("Id > 0")};
    return series;
}

QString ProductionChallans::nextChallanNo(qint64 bookNo) { return documents::proposedNumber(db_, numbers(), session_.firmNo, bookNo); }

QString ProductionChallans::nextTakaNo() {
    const QVariant last = db_.scalar(QStringLiteral("SELECT ProductionDtl.TakNo2") + kTakaJoin +
                                         QStringLiteral("WHERE ProductionMst.Id > 0 AND ProductionMst.FirmNo = ? "
                                                        "ORDER BY ProductionDtl.TakNo2 DESC, ProductionMst.Id DESC, "
                                                        "ProductionDtl.Srno DESC") +
                                         db_.dialect().limit(1),
                                     {session_.firmNo});
    return QString::number(last.toLongLong() + 1);
}

bool ProductionChallans::refuseDuplicate(const QString& takaNo, qint64 challanId) {
    const auto earlier = db_.queryOne(QStringLiteral("SELECT ProductionMst.ChNo, ProductionMst.ChDate") + kTakaJoin +
                                          QStringLiteral("WHERE ProductionDtl.TakaNO = ? AND ProductionMst.FirmNo = ? "
                                                         "AND ProductionMst.Id <> ? ORDER BY ProductionMst.ChDate") +
                                          db_.dialect().limit(1),
                                      {takaNo.trimmed(), session_.firmNo, challanId});
    if (!earlier) return false;
    messages_.critical(QStringLiteral("Taka Duplication"),
                       QStringLiteral("Chalan NO ") + earlier->text(QStringLiteral("ChNo")) + QStringLiteral(" == >> On Date") +
                           earlier->date(QStringLiteral("ChDate")).toString(QStringLiteral("dd-MM-yyyy")));
    return true;
}

bool ProductionChallans::takaIsFree(const QString& takaNo, qint64 challanId) {
    return takaNo.trimmed().isEmpty() || !refuseDuplicate(takaNo, challanId);
}

namespace {

using documents::field;
using documents::written;

// A challan as its header row is written: the challan and the firm it belongs to.
struct HeaderRow {
    const ProductionChallan& challan;
    qint64 firmNo = 0;
};

template <typename M>
documents::Column<HeaderRow, ProductionChallan> typed(const char* column, M ProductionChallan::*member, const char* caption = nullptr) {
    auto own = field(column, member, caption);
    return {own.name, own.caption, [w = own.write](const HeaderRow& r) { return w(r.challan); }, own.read, own.overlong};
}

const documents::TableMap<HeaderRow, ProductionChallan>& headerTable() {
    using R = HeaderRow;
    using C = ProductionChallan;
    static const documents::TableMap<R, C> table{
        QStringLiteral("ProductionMst"), QStringLiteral("Id"),
        {typed("ChNo", &C::challanNo, "Chalan No"),
         typed("ChDate", &C::date),
         typed("PartyID", &C::partyId),
         {QStringLiteral("ProdType"), {}, [](const R& r) { return QVariant(r.challan.prodType.trimmed().left(1)); },
          [](C& c, const db::Row& row) { c.prodType = row.text(QStringLiteral("ProdType")); }},
         written<R, C>("TotTaka", [](const R& r) { return r.challan.takaCount(); }),
         written<R, C>("TotMtrs", [](const R& r) { return r.challan.totalMetres().roundHalfEven(3).toDouble(); }),
         written<R, C>("TOtPcs", [](const R& r) { return r.challan.totalPieces().roundHalfEven(0).toDouble(); }),
         written<R, C>("FirmNo", [](const R& r) { return r.firmNo; }),
         typed("BookId", &C::bookNo)}};
    return table;
}

}  // namespace

bool ProductionChallans::validate(const ProductionChallan& challan) {
    if (challan.partyId <= 0 || challan.bookNo <= 0) {
        trade::refuseMissingPartyOrQuality(messages_);
        return false;
    }
    if (!challan.date.isValid() || !session_.inYear(challan.date)) {
        messages_.critical(QStringLiteral("Date Validate"), QStringLiteral("Please Select Proper Date"));
        return false;
    }
    QSet<QString> seen;
    for (const ProductionTaka& t : challan.takas) {
        const QString no = t.takaNo.trimmed();
        if (no.isEmpty()) continue;
        if (seen.contains(no)) {
            messages_.critical(QStringLiteral("Taka Duplication"),
                               QStringLiteral("Chalan NO ") + challan.challanNo.trimmed() + QStringLiteral(" == >> On Date") +
                                   challan.date.toString(QStringLiteral("dd-MM-yyyy")));
            return false;
        }
        seen.insert(no);
        if (t.metres.isNegative() || t.pieces.isNegative() || t.cut.isNegative()) {
            messages_.critical(QStringLiteral("Invalid Entry"), QStringLiteral("Taka ") + no + QStringLiteral(": quantities cannot be negative"));
            return false;
        }
    }
    if (documents::refuseTooLong(messages_, headerTable().tooLong(HeaderRow{challan, session_.firmNo}))) return false;
    for (const ProductionTaka& t : challan.takas) {
        for (const auto& [column, text, caption] : {std::tuple{"TakaNO", t.takaNo, "Taka No"}, std::tuple{"McNo", t.machine, "Machine No"}}) {
            const int width = documents::columnWidth(QStringLiteral("ProductionDtl"), QString::fromLatin1(column));
            if (width > 0 && text.trimmed().size() > width &&
                documents::refuseTooLong(messages_, documents::TooLong{QString::fromLatin1(caption), width}))
                return false;
        }
    }
    return true;
}

void ProductionChallans::writeHeader(const ProductionChallan& c) { headerTable().write(db_, HeaderRow{c, session_.firmNo}, c.id); }

void ProductionChallans::writeTakas(const ProductionChallan& c) {
    // Takas already sent on a delivery challan or to a mill stay as they are; only their line number follows the grid.
    db_.exec(QStringLiteral("DELETE FROM ProductionDtl WHERE ProdId = ? AND IsOver = 0 AND COALESCE(IsM_Issue, 0) = 0"), {c.id});
    int srno = 0;
    for (const ProductionTaka& t : c.takas) {
        const QString no = fitted(QStringLiteral("ProductionDtl"), QStringLiteral("TakaNO"), t.takaNo);
        if (no.isEmpty()) continue;
        ++srno;
        if (db_.exec(QStringLiteral("UPDATE ProductionDtl SET Srno = ? WHERE ProdId = ? AND TakaNO = ? AND (IsOver = 1 OR IsM_Issue = 1)"),
                     {srno, c.id, no}) > 0)
            continue;
        db_.exec(QStringLiteral("INSERT INTO ProductionDtl (Srno, ProdId, TakaNO, Pcs, Cut, Mtrs, McNo, IsM_Issue, qId, F_no, "
                                "PChId, PChDt, PSno, TakNo2, IsOver) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 0, NULL, 0, ?, 0)"),
                 {srno, c.id, no, t.pieces.roundHalfEven(0).toDouble(), t.cut.roundHalfEven(3).toDouble(),
                  t.metres.roundHalfEven(3).toDouble(), fitted(QStringLiteral("ProductionDtl"), QStringLiteral("McNo"), t.machine),
                  t.machineIssue, t.qualityId, session_.firmNo, trade::leadingWholeNumber(no)});
    }
}

std::optional<qint64> ProductionChallans::save(ProductionChallan& challan) {
    if (documents::refuseSave(session_, messages_, challan.id)) return std::nullopt;
    if (!validate(challan)) return std::nullopt;
    const ProductionChallan asTyped = challan;
    db::Transaction tx(db_);
    // Taka numbers are checked and written under one lock so two stations cannot take the same one.
    db_.lockSeries(QStringLiteral("ProductionDtl.TakaNO"));
    if (challan.challanNo.trimmed().isEmpty()) challan.challanNo = documents::takeNumber(db_, numbers(), session_.firmNo, challan.bookNo);
    if (challan.numberTakas) {
        qint64 next = nextTakaNo().toLongLong();
        for (ProductionTaka& t : challan.takas)
            if (t.takaNo.trimmed().isEmpty()) t.takaNo = QString::number(next++);
    }
    const qint64 id = challan.id > 0 ? challan.id : db_.nextKey(QStringLiteral("ProductionMst"), QStringLiteral("Id"));
    for (const ProductionTaka& t : challan.takas) {
        if (!t.takaNo.trimmed().isEmpty() && refuseDuplicate(t.takaNo, id)) {
            challan = asTyped;
            return std::nullopt;
        }
    }
    challan.id = id;
    writeHeader(challan);
    writeTakas(challan);
    db_.exec(QStringLiteral("UPDATE ProductionDtl SET F_no = 0 WHERE F_no IS NULL"));
    tx.commit();
    messages_.information(QStringLiteral("SAVE Confirmation"), QStringLiteral("One Transaction Is Saved."));
    return id;
}

bool ProductionChallans::remove(qint64 id) {
    if (documents::refuseChange(session_, messages_, documents::Change::Delete)) return false;
    const std::vector<documents::UsedBy> uses{{QStringLiteral("SELECT count(*) FROM ProductionDtl WHERE ProdId = ? AND IsOver = 1"),
                                               QStringLiteral("No Delete"), QStringLiteral("Issued In Delivery Chalan")},
                                              {QStringLiteral("SELECT count(*) FROM ProductionDtl WHERE ProdId = ? AND IsM_Issue = 1"),
                                               QStringLiteral("No Delete"), QStringLiteral("Issued To Mill")}};
    if (documents::refuseUsed(db_, messages_, uses, id)) return false;
    if (!messages_.ask(QStringLiteral("Delete Confirmation"), QStringLiteral("Are You Sure To Delete This Production Challan")))
        return false;
    db::Transaction tx(db_);
    db_.lockSeries(QStringLiteral("ProductionDtl.TakaNO"));
    // A taka may have gone out since the question was asked.
    if (documents::refuseUsed(db_, messages_, uses, id)) return false;
    if (db_.scalar(QStringLiteral("SELECT count(*) FROM ProductionMst WHERE Id = ? AND FirmNo = ?"), {id, session_.firmNo}).toInt() == 0)
        return false;
    documents::deleteDocument(db_, {QStringLiteral("ProductionMst"), {{QStringLiteral("ProductionDtl"), QStringLiteral("ProdId")}},
                                    documents::kProductionChallanHistory},
                              id, session_.firmNo);
    tx.commit();
    messages_.information(QStringLiteral("Delete Confirmation"), QStringLiteral("challan IS Deleted!"));
    return true;
}

std::optional<ProductionChallan> ProductionChallans::load(qint64 id) {
    const auto header = db_.queryOne(QStringLiteral("SELECT * FROM ProductionMst WHERE Id = ? AND FirmNo = ?"), {id, session_.firmNo});
    if (!header) return std::nullopt;
    ProductionChallan c;
    c.id = id;
    headerTable().read(c, *header);
    db_.forEach(QStringLiteral("SELECT * FROM ProductionDtl WHERE ProdId = ? ORDER BY Srno"), {id}, [&](const db::Row& r) {
        ProductionTaka t;
        t.takaNo = r.text(QStringLiteral("TakaNO"));
        t.pieces = Decimal::fromVariant(r.value(QStringLiteral("Pcs")));
        t.cut = Decimal::fromVariant(r.value(QStringLiteral("Cut")));
        t.metres = Decimal::fromVariant(r.value(QStringLiteral("Mtrs")));
        t.machine = r.text(QStringLiteral("McNo"));
        t.qualityId = r.integer(QStringLiteral("qId"));
        t.machineIssue = r.flag(QStringLiteral("IsM_Issue"));
        t.used = r.flag(QStringLiteral("IsOver"));
        c.takas.push_back(t);
    });
    return c;
}

documents::DocumentPage ProductionChallans::challanList(qint64 bookNo, const documents::ListFilter& filter) {
    // searched by metres where other documents are searched by amount
    documents::ListQuery q(QStringLiteral("ProductionMst m LEFT JOIN AccMst a ON a.Id = m.PartyID"),
                           QStringLiteral("m.FirmNo = ?"), {session_.firmNo}, QStringLiteral("m.ChNo"),
                           QStringLiteral("m.ChDate"), QStringLiteral("a.AcName"), QStringLiteral("m.TotMtrs"));
    q.texts = {QStringLiteral("a.LedgerId")};
    q.figures = {QStringLiteral("m.TotTaka"), QStringLiteral("m.TotMtrs")};
    if (bookNo > 0) q.narrow(QStringLiteral("m.BookId = ?"), bookNo);
    return documents::listDocuments(db_, q, filter);
}

std::vector<documents::BookChoice> ProductionChallans::books() {
    std::vector<documents::BookChoice> books;
    db_.forEach(QStringLiteral("SELECT DISTINCT BookNO, SalesName, BookShortName, BillType FROM BookMst WHERE (BookType = 'S' OR "
                               "BookType = 'A') AND IsGenPur = 0 AND FirmNO = ? ORDER BY BookNO"),
                {session_.firmNo}, [&](const db::Row& r) {
                    books.push_back({r.integer(QStringLiteral("BookNO")), r.text(QStringLiteral("SalesName")).trimmed(),
                                     r.text(QStringLiteral("BookShortName")).trimmed(), r.text(QStringLiteral("BillType")).trimmed()});
                });
    return books;
}

std::vector<documents::PartyChoice> ProductionChallans::parties(const QString& nameOrCode) {
    return documents::findJobWorkers(db_, session_.firmNo, nameOrCode);
}

std::vector<documents::QualityChoice> ProductionChallans::qualities(const QString& name, const QString& design, const QString& colour) {
    const db::Dialect& d = db_.dialect();
    std::vector<documents::QualityChoice> qualities;
    db_.forEach(QStringLiteral("SELECT Id, ProdName, ProdCode, ProdSubGrp, P1, ProdGrp, Pack FROM ProdMst "
                               "WHERE StkType = 'F' AND FirmNO = ? AND ") +
                    d.likeInsensitive(QStringLiteral("COALESCE(ProdName, '')")) + QStringLiteral(" AND ") +
                    d.likeInsensitive(QStringLiteral("COALESCE(ProdSubGrp, '')")) + QStringLiteral(" AND ") +
                    d.likeInsensitive(QStringLiteral("COALESCE(P1, '')")) +
                    QStringLiteral(" AND IsActive = 1 AND COALESCE(IsNewPro, 0) = 0 ORDER BY ProdName"),
                {session_.firmNo, name.trimmed() + QLatin1Char('%'), design.trimmed() + QLatin1Char('%'), colour.trimmed() + QLatin1Char('%')},
                [&](const db::Row& r) {
                    documents::QualityChoice q;
                    q.id = r.integer(QStringLiteral("Id"));
                    q.name = r.text(QStringLiteral("ProdName")).trimmed();
                    q.code = r.text(QStringLiteral("ProdCode")).trimmed();
                    q.designNo = r.text(QStringLiteral("ProdSubGrp")).trimmed();
                    q.colour = r.text(QStringLiteral("P1")).trimmed();
                    q.qualityType = r.text(QStringLiteral("ProdGrp")).trimmed();
                    q.cut = Decimal::fromVariant(r.value(QStringLiteral("Pack")));
                    qualities.push_back(std::move(q));
                });
    return qualities;
}

void ProductionChallans::repairFirmNumbers() {
    db::Transaction tx(db_);
    db_.exec(QStringLiteral("UPDATE ProductionDtl SET F_no = 0 WHERE F_no IS NULL"));
    db_.exec(QStringLiteral("UPDATE ProductionDtl SET F_no = ? WHERE F_no = 0 AND ProdId IN "
                            "(SELECT Id FROM ProductionMst WHERE FirmNo = ?)"),
             {session_.firmNo, session_.firmNo});
    tx.commit();
}

}  // namespace tanabana::jobwork
