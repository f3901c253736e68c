#include "domain/stock/StockVouchers.h"

#include "domain/documents/Deletion.h"
#include "domain/documents/Guard.h"
#include "domain/documents/TableMap.h"
#include "domain/stock/StockFigures.h"

#include <QHash>

namespace tanabana::stock {

namespace {

const QString kHeader = QStringLiteral("Iss_StockMst");
const QString kLines = QStringLiteral("Iss_StockDtl");
// Stock vouchers post nothing: their deletions get a kind of their own in the history.
constexpr int kStockVoucherHistory = 65;

QString lockName() { return kHeader + QStringLiteral(".BillNo"); }

void refuseIncomplete(Messages& messages) {
    messages.critical(QStringLiteral("System Validation"), QStringLiteral("Please Select Party Name and Quality"));
}

struct HeaderRow {
    const StockVoucher& voucher;
    qint64 firmNo;
};
struct LineRow {
    const StockVoucherLine& line;
    qint64 voucherId;
    int srno;
};

template <typename Row, typename Doc, typename M, typename Get>
documents::Column<Row, Doc> member(Get get, const char* column, M Doc::*m, const char* caption = nullptr, int places = 3) {
    return documents::fieldOf<Row, Doc>(get, column, m, caption, places);
}

const documents::TableMap<HeaderRow, StockVoucher>& headerTable() {
    using R = HeaderRow;
    using D = StockVoucher;
    using documents::written;
    const auto of = [](const R& r) -> const D& { return r.voucher; };
    static const documents::TableMap<R, D> table{
        kHeader, QStringLiteral("ID"),
        {written<R, D>("FirmNo", [](const R& r) { return r.firmNo; }),
         {QStringLiteral("IType"), {}, [](const R& r) { return QVariant(kindLetter(r.voucher.kind)); },
          [](D& d, const db::Row& row) {
              d.kind = row.text(QStringLiteral("IType")).trimmed() == QStringLiteral("R") ? VoucherKind::Receipt : VoucherKind::Issue;
          }},
         member<R>(of, "BookId", &D::bookId),
         member<R>(of, "BillNo", &D::voucherNo),
         member<R>(of, "BillDate", &D::date),
         member<R>(of, "PartyId", &D::partyId),
         member<R>(of, "Process_Name", &D::process, "Job Process"),
         member<R>(of, "LotNo", &D::lotNo, "Lot No"),
         member<R>(of, "Remarks", &D::remarks, "Remarks")}};
    return table;
}

const documents::TableMap<LineRow, StockVoucherLine>& lineTable() {
    using R = LineRow;
    using D = StockVoucherLine;
    using documents::written;
    const auto of = [](const R& r) -> const D& { return r.line; };
    static const documents::TableMap<R, D> table{kLines,
                                                 {},
                                                 {written<R, D>("BillMStId", [](const R& r) { return r.voucherId; }),
                                                  written<R, D>("Srno", [](const R& r) { return r.srno; }),
                                                  member<R>(of, "PCode", &D::qualityId),
                                                  member<R>(of, "Qty2", &D::pieces),
                                                  member<R>(of, "Qty1", &D::cut),
                                                  member<R>(of, "Qty", &D::metres)}};
    return table;
}

std::vector<LineRow> lineRows(const StockVoucher& v) {
    std::vector<LineRow> rows;
    int srno = 0;
    for (const StockVoucherLine& l : v.lines)
        if (l.qualityId > 0) rows.push_back({l, v.id, ++srno});
    return rows;
}

}  // namespace

QString kindLetter(VoucherKind kind) { return kind == VoucherKind::Receipt ? QStringLiteral("R") : QStringLiteral("I"); }

Decimal StockVoucher::totalPieces() const {
    Decimal sum;
    for (const StockVoucherLine& l : lines) sum += l.pieces;
    return sum;
}

Decimal StockVoucher::totalMetres() const {
    Decimal sum;
    for (const StockVoucherLine& l : lines) sum += l.metres;
    return sum;
}

StockVouchers::StockVouchers(db::Database& db, const Session& session, Messages& messages) : db_(db), session_(session), messages_(messages) {}

qint64 StockVouchers::nextVoucherNo(VoucherKind kind, qint64 bookId) {
    return db_.scalar(QStringLiteral("SELECT COALESCE(MAX(BillNo), 0) FROM Iss_StockMst WHERE IType = ? AND BookId = ? AND BillNo > 0 AND FirmNo = ?"),
                      {kindLetter(kind), bookId, session_.firmNo})
               .toLongLong() +
           1;
}

std::optional<qint64> StockVouchers::findVoucher(VoucherKind kind, qint64 bookId, qint64 voucherNo) {
    const QVariant id = db_.scalar(QStringLiteral("SELECT ID FROM Iss_StockMst WHERE IType = ? AND BookId = ? AND BillNo = ? AND FirmNo = ? ORDER BY ID"),
                                   {kindLetter(kind), bookId, voucherNo, session_.firmNo});
    if (!id.isValid() || id.isNull()) return std::nullopt;
    return id.toLongLong();
}

bool StockVouchers::validate(const StockVoucher& v) {
    const bool bookKnown = v.bookId > 0 && db_.scalar(QStringLiteral("SELECT count(*) FROM BookMst WHERE BookNo = ? AND FirmNo = ? AND BookType IN "
                                                                     "('P', 'S', 'A') AND COALESCE(IsGenPur, 0) = 0"),
                                                      {v.bookId, session_.firmNo})
                                              .toInt() > 0;
    const bool partyKnown = v.partyId > 0 && documents::partyById(db_, session_.firmNo, v.partyId).has_value();
    if (!bookKnown || !partyKnown || v.voucherNo < 0 || lineRows(v).empty()) {
        refuseIncomplete(messages_);
        return false;
    }
    if (!v.date.isValid() || !session_.inYear(v.date)) {
        messages_.critical(QStringLiteral("Date Validate"), QStringLiteral("Please Select Proper Date"));
        return false;
    }
    for (const LineRow& row : lineRows(v)) {
        const StockVoucherLine& l = row.line;
        if (db_.scalar(QStringLiteral("SELECT count(*) FROM ProdMst WHERE Id = ? AND FirmNO = ?"), {l.qualityId, session_.firmNo}).toInt() == 0) {
            refuseIncomplete(messages_);
            return false;
        }
        if (l.pieces.isNegative() || l.cut.isNegative() || l.metres.isNegative() || (l.pieces.isZero() && l.metres.isZero())) {
            messages_.critical(QStringLiteral("Invalid Entry"), QStringLiteral("Pcs or Mtrs must be more than 0 on line ") + QString::number(row.srno));
            return false;
        }
    }
    return !documents::refuseTooLong(messages_, headerTable().tooLong({v, session_.firmNo}));
}

std::optional<qint64> StockVouchers::save(StockVoucher& v) {
    if (documents::refuseSave(session_, messages_, v.id)) return std::nullopt;
    if (!validate(v)) return std::nullopt;
    db::Transaction tx(db_);
    db_.lockSeries(lockName());
    const qint64 previousId = v.id;
    if (previousId != 0 &&
        db_.scalar(QStringLiteral("SELECT count(*) FROM Iss_StockMst WHERE ID = ? AND FirmNo = ? AND IType = ?"),
                   {previousId, session_.firmNo, kindLetter(v.kind)})
                .toInt() == 0) {
        messages_.critical(QStringLiteral("System Validation"), QStringLiteral("Voucher not found"));
        return std::nullopt;
    }
    if (v.voucherNo <= 0) {
        v.voucherNo = nextVoucherNo(v.kind, v.bookId);
    } else if (const auto other = findVoucher(v.kind, v.bookId, v.voucherNo); other && *other != previousId) {
        messages_.critical(QStringLiteral("Bill NO Duplication"), QStringLiteral("Voucher No ") + QString::number(v.voucherNo) +
                                                                      QStringLiteral(" is Already exist!"));
        return std::nullopt;
    }
    v.id = previousId != 0 ? previousId : db_.nextKey(kHeader, QStringLiteral("ID"));
    headerTable().write(db_, {v, session_.firmNo}, v.id);
    lineTable().replaceLines(db_, QStringLiteral("BillMStId"), v.id, lineRows(v));
    tx.commit();
    messages_.information(QStringLiteral("Save Confirmation"), QStringLiteral("Voucher Is Saved !"));
    return v.id;
}

bool StockVouchers::remove(qint64 id) {
    if (documents::refuseChange(session_, messages_, documents::Change::Delete)) return false;
    if (db_.scalar(QStringLiteral("SELECT count(*) FROM Iss_StockMst WHERE ID = ? AND FirmNo = ?"), {id, session_.firmNo}).toInt() == 0) return false;
    if (!messages_.ask(QStringLiteral("Delete  Confirmation"), QStringLiteral("Are You Sure To Delete This Voucher ? "))) return false;
    db::Transaction tx(db_);
    documents::deleteDocument(db_, {kHeader, {{kLines, QStringLiteral("BillMStId")}}, kStockVoucherHistory, QStringLiteral("ID")}, id,
                              session_.firmNo);
    tx.commit();
    messages_.information(QStringLiteral("Delete Confirmation"), QStringLiteral("Voucher Is Deleted!"));
    return true;
}

std::optional<StockVoucher> StockVouchers::load(qint64 id) {
    const auto h = db_.queryOne(QStringLiteral("SELECT * FROM Iss_StockMst WHERE ID = ? AND FirmNo = ?"), {id, session_.firmNo});
    if (!h) return std::nullopt;
    StockVoucher v;
    v.id = id;
    headerTable().read(v, *h);
    lineTable().readLines(db_, QStringLiteral("BillMStId"), id, v.lines);
    return v;
}

documents::DocumentPage StockVouchers::voucherList(VoucherKind kind, qint64 bookId, const documents::ListFilter& filter) {
    documents::ListQuery q(QStringLiteral("Iss_StockMst m LEFT JOIN AccMst a ON a.Id = m.PartyId LEFT JOIN BookMst b ON b.BookNo = m.BookId "
                                          "AND b.FirmNo = m.FirmNo"),
                           QStringLiteral("m.FirmNo = ? AND m.IType = ?"), {session_.firmNo, kindLetter(kind)},
                           QStringLiteral("CAST(CAST(m.BillNo AS BIGINT) AS VARCHAR(20))"), QStringLiteral("m.BillDate"), QStringLiteral("a.AcName"), QString());
    q.key = QStringLiteral("m.ID");
    if (bookId > 0) q.narrow(QStringLiteral("m.BookId = ?"), bookId);
    q.texts = {QStringLiteral("m.Remarks"), QStringLiteral("m.LotNo"), QStringLiteral("m.Process_Name"),
               QStringLiteral("CASE WHEN b.BookType = 'P' THEN b.PurName ELSE b.SalesName END"), QStringLiteral("CAST(m.BookId AS VARCHAR(20))")};
    q.figures = {QStringLiteral("(SELECT COALESCE(SUM(d.Qty2), 0) FROM Iss_StockDtl d WHERE d.BillMStId = m.ID)"),
                 QStringLiteral("(SELECT COALESCE(SUM(d.Qty), 0) FROM Iss_StockDtl d WHERE d.BillMStId = m.ID)")};
    return documents::listDocuments(db_, q, filter);
}

std::vector<documents::BookChoice> StockVouchers::books() {
    std::vector<documents::BookChoice> out;
    db_.forEach(QStringLiteral("SELECT BookNo, BookType, SalesName, PurName, BookShortName FROM BookMst WHERE BookType IN ('P', 'S', 'A') "
                               "AND COALESCE(IsGenPur, 0) = 0 AND FirmNo = ? ORDER BY BookNo"),
                {session_.firmNo}, [&](const db::Row& r) {
                    const bool purchase = r.text(QStringLiteral("BookType")).trimmed() == QStringLiteral("P");
                    out.push_back({r.integer(QStringLiteral("BookNo")), r.text(purchase ? QStringLiteral("PurName") : QStringLiteral("SalesName")),
                                   r.text(QStringLiteral("BookShortName")), {}});
                });
    return out;
}

std::vector<documents::PartyChoice> StockVouchers::parties(const QString& prefix, bool loomParties) {
    return documents::findParties(db_, session_.firmNo, loomParties ? documents::PartyRange::Trading : documents::PartyRange::AnyAccount, prefix);
}

QStringList StockVouchers::processes(const QString& prefix) {
    QStringList out;
    db_.forEach(QStringLiteral("SELECT Pro_Name FROM Mst_Process WHERE Mst_Type = 'J' AND FirmNo = ? AND ") +
                    db_.dialect().likeInsensitive(QStringLiteral("Pro_Name")) + QStringLiteral(" ORDER BY Pro_Name"),
                {session_.firmNo, prefix.trimmed() + QLatin1Char('%')}, [&](const db::Row& r) { out << r.text(QStringLiteral("Pro_Name")); });
    return out;
}

QStringList StockVouchers::qualityGroups() {
    QStringList out;
    db_.forEach(QStringLiteral("SELECT DISTINCT ProdGrp FROM ProdMst WHERE IsActive = 1 AND FirmNO = ? AND ProdGrp IS NOT NULL ORDER BY ProdGrp"),
                {session_.firmNo}, [&](const db::Row& r) { out << r.text(QStringLiteral("ProdGrp")); });
    return out;
}

std::vector<QualityWithStock> StockVouchers::qualities(const QString& group, const QDate& date) {
    // The stock as the statement on that date shows it, in the quality's unit.
    StockFilter filter;
    filter.group = group;
    const QDate day = date.isValid() ? date : session_.yearEndDate;
    QHash<qint64, Decimal> stock;
    for (const StockFigure& f : stockFigures(db_, session_.firmNo, {session_.yearStartDate, day}, StockUnit::Priced, filter))
        stock.insert(f.itemId, f.closing());
    std::vector<QualityWithStock> out;
    QString sql = QStringLiteral("SELECT Id, ProdName, ProdCode, ProdGrp, ProdSubGrp, P1, hsnCode, UNit, RAteR, CalcOn, Pack FROM ProdMst "
                                 "WHERE FirmNO = ? AND IsActive = 1 AND COALESCE(IsNewPro, 0) = 0");
    QVariantList params{session_.firmNo};
    if (!group.trimmed().isEmpty()) {
        sql += QStringLiteral(" AND ProdGrp = ?");
        params << group.trimmed();
    }
    db_.forEach(sql + QStringLiteral(" ORDER BY ProdName, Id"), params, [&](const db::Row& r) {
        QualityWithStock q;
        q.id = r.integer(QStringLiteral("Id"));
        q.name = r.text(QStringLiteral("ProdName")).trimmed();
        q.code = r.text(QStringLiteral("ProdCode")).trimmed();
        q.group = r.text(QStringLiteral("ProdGrp")).trimmed();
        q.designNo = r.text(QStringLiteral("ProdSubGrp")).trimmed();
        q.colour = r.text(QStringLiteral("P1")).trimmed();
        q.hsn = r.text(QStringLiteral("hsnCode")).trimmed();
        q.unit = r.text(QStringLiteral("UNit")).trimmed();
        q.rate = Decimal::fromVariant(r.value(QStringLiteral("RAteR")));
        q.rateOn = r.integer(QStringLiteral("CalcOn")) == 2 ? QStringLiteral("P") : QStringLiteral("M");
        q.cut = Decimal::fromVariant(r.value(QStringLiteral("Pack"))).roundHalfEven(3);
        q.stock = stock.value(q.id);
        out.push_back(q);
    });
    return out;
}

}  // namespace tanabana::stock
