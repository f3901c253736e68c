#include "domain/stock/StockFigures.h"

#include <QHash>

namespace tanabana::stock {

namespace {

// What a document line does to stock; the number travels in the query.
enum Kind {
    Purchase = 1,
    Produced,
    PurchaseReturn,
    Sale,
    SaleReturn,
    MillIssue,
    MillReceipt,
    JobIssue,
    JobReceipt,
    GeneralIssue,
    GeneralReceipt,
    TransferOut,
    TransferIn
};

// One source of movements: document lines of one kind of document, read grouped per quality,
// kind and side of the first date (three bound values: the first date, the firm, the last day).
struct Source {
    QString table;  // the source is read only when the books have this table
    QString item, kind, date, metres, pieces;
    QString from;   // the tables and their join
    QString firm;   // the firm column
    QString where;  // which documents count
    bool thousandths = false;  // the quantities are already whole thousandths
    // `from` narrows its lines to the firm's documents up to the last day: two more bound values
    // (the firm, the last day) ahead of the usual ones.
    bool linesNarrowed = false;
};

// A thousandths column summed exactly.
QString thousandthsOf(const QString& quantity) {
    return QStringLiteral("CAST(ROUND(") + quantity + QStringLiteral(" * 1000) AS BIGINT)");
}

const std::vector<Source>& sources() {
    static const std::vector<Source> all{
        // Purchases and purchase returns; opening bills carried from the last year are not goods.
        {QStringLiteral("BillMst"), QStringLiteral("d.PCode"), QStringLiteral("CASE WHEN m.FormId = 1 THEN 1 ELSE 3 END"),
         QStringLiteral("m.BillDate"), QStringLiteral("d.PQty"), QStringLiteral("d.Qty2"),
         QStringLiteral("BillMst m INNER JOIN BillDtl d ON d.BillMstId = m.Id"), QStringLiteral("m.FirmNO"),
         QStringLiteral("m.Id > 0 AND m.IsOp = 0 AND m.FormId IN (1, 2)")},
        // Sales and sales returns.
        {QStringLiteral("SalBillMst"), QStringLiteral("d.PCode"), QStringLiteral("CASE WHEN m.FormId = 3 THEN 4 ELSE 5 END"),
         QStringLiteral("m.BillDate"), QStringLiteral("d.Qty"), QStringLiteral("d.Qty2"),
         QStringLiteral("SalBillMst m INNER JOIN SalBillDtl d ON d.BillMstId = m.Id"), QStringLiteral("m.FirmNO"),
         QStringLiteral("m.Id > 0 AND m.IsOp = 0 AND m.FormId IN (3, 4)")},
        // Grey takas to the mill leave the challan's quality; the finished metres come back as the
        // line's finished quality (the challan's quality when the line names none). A challan
        // holds a line per taka: the lines of the firm's challans up to the last day are summed
        // per finished quality before they meet the challans, and one pass serves both kinds.
        {QStringLiteral("JobWork_IssueMst_1"), QStringLiteral("CASE WHEN m.IType = 'R' AND d.QidDtl > 0 THEN d.QidDtl ELSE m.QId END"),
         QStringLiteral("CASE WHEN m.IType = 'R' THEN 7 ELSE 6 END"), QStringLiteral("m.BillDate"),
         QStringLiteral("CASE WHEN m.IType = 'R' THEN d.Finished ELSE d.Grey END"), QStringLiteral("0"),
         QStringLiteral("JobWork_IssueMst_1 m INNER JOIN (SELECT BillMstId, QidDtl, SUM(") + thousandthsOf(QStringLiteral("Mtrs")) +
             QStringLiteral(") AS Grey, SUM(") + thousandthsOf(QStringLiteral("RMtrs")) +
             QStringLiteral(") AS Finished FROM JobWork_IssueDtl_1 WHERE BillMstId IN (SELECT Id FROM JobWork_IssueMst_1 WHERE FirmNO = ? "
                            "AND BillDate <= ?) GROUP BY BillMstId, QidDtl) d ON d.BillMstId = m.Id"),
         QStringLiteral("m.FirmNO"), QStringLiteral("m.Id > 0 AND m.IType IN ('I', 'R')"), true, true},
        // Grey a mill gives back unprocessed on a receipt returns to the challan's grey quality.
        {QStringLiteral("JobWork_IssueMst_1"), QStringLiteral("m.QId"), QStringLiteral("7"), QStringLiteral("m.BillDate"), QStringLiteral("d.Grey"),
         QStringLiteral("0"),
         QStringLiteral("JobWork_IssueMst_1 m INNER JOIN (SELECT BillMstId, SUM(") + thousandthsOf(QStringLiteral("GreyRet")) +
             QStringLiteral(") AS Grey FROM JobWork_IssueDtl_1 WHERE GreyRet <> 0 AND BillMstId IN (SELECT Id FROM JobWork_IssueMst_1 "
                            "WHERE FirmNO = ? AND BillDate <= ?) GROUP BY BillMstId) d ON d.BillMstId = m.Id"),
         QStringLiteral("m.FirmNO"), QStringLiteral("m.Id > 0 AND m.IType = 'R'"), true, true},
        // Quality-wise job-process issues and receipts.
        {QStringLiteral("JobWork_IssueMst"), QStringLiteral("d.PCode"), QStringLiteral("CASE WHEN m.IType = 'R' THEN 9 ELSE 8 END"),
         QStringLiteral("m.BillDate"), QStringLiteral("d.PQty"), QStringLiteral("d.Qty2"),
         QStringLiteral("JobWork_IssueMst m INNER JOIN JobWork_IssueDtl d ON d.BillMstId = m.Id"), QStringLiteral("m.FirmNO"),
         QStringLiteral("m.Id > 0 AND m.IType IN ('I', 'R')")},
        // General stock vouchers.
        {QStringLiteral("Iss_StockMst"), QStringLiteral("d.PCode"), QStringLiteral("CASE WHEN m.IType = 'R' THEN 11 ELSE 10 END"),
         QStringLiteral("m.BillDate"), QStringLiteral("d.Qty"), QStringLiteral("d.Qty2"),
         QStringLiteral("Iss_StockMst m INNER JOIN Iss_StockDtl d ON d.BillMStId = m.ID"), QStringLiteral("m.FirmNo"),
         QStringLiteral("m.ID > 0 AND m.IType IN ('I', 'R')")},
        // Stock moved from one item (ProdId) to another (ProdId1) on the transfer's date.
        {QStringLiteral("StockTransfer"), QStringLiteral("t.ProdId"), QStringLiteral("12"), QStringLiteral("t.TDate"), QStringLiteral("t.Qty"),
         QStringLiteral("t.Qty2"), QStringLiteral("StockTransfer t"), QStringLiteral("t.FirmNO"), QStringLiteral("t.ProdId <> t.ProdId1")},
        {QStringLiteral("StockTransfer"), QStringLiteral("t.ProdId1"), QStringLiteral("13"), QStringLiteral("t.TDate"), QStringLiteral("t.Qty"),
         QStringLiteral("t.Qty2"), QStringLiteral("StockTransfer t"), QStringLiteral("t.FirmNO"), QStringLiteral("t.ProdId <> t.ProdId1")},
        // Takas woven on the firm's looms, from their production date.
        {QStringLiteral("ProductionMst"), QStringLiteral("d.qId"), QStringLiteral("2"), QStringLiteral("m.ChDate"), QStringLiteral("d.Mtrs"),
         QStringLiteral("d.Pcs"), QStringLiteral("ProductionMst m INNER JOIN ProductionDtl d ON d.ProdId = m.Id"), QStringLiteral("m.FirmNo"),
         QStringLiteral("m.Id > 0")},
    };
    return all;
}

// A sum of quantities in whole thousandths, which both engines add exactly as integers. Stored
// quantities already carry three places at most, so each is brought to its thousandths with the
// floating-point ROUND: on PostgreSQL a numeric conversion of every line took half the time of
// the statement.
QString thousandthsSum(const QString& quantity, bool inThousandths) {
    return QStringLiteral("(CAST(COALESCE(SUM(") + (inThousandths ? quantity : thousandthsOf(quantity)) +
           QStringLiteral("), 0) AS DOUBLE PRECISION) / 1000)");
}

// The source's lines summed per quality, kind and side of the first date, in thousandths so
// the figures are exact. Grouped by position: the first date is a bound value.
QString groupedSelect(const Source& s) {
    return QStringLiteral("SELECT ") + s.item + QStringLiteral(" AS ItemId, ") + s.kind + QStringLiteral(" AS Kind, CASE WHEN ") + s.date +
           QStringLiteral(" < ? THEN 0 ELSE 1 END AS InPeriod, ") + thousandthsSum(s.metres, s.thousandths) + QStringLiteral(" AS Mtrs, ") +
           thousandthsSum(s.pieces, s.thousandths) + QStringLiteral(" AS Pcs FROM ") + s.from + QStringLiteral(" WHERE ") + s.firm +
           QStringLiteral(" = ? AND ") + s.date + QStringLiteral(" <= ? AND ") + s.where + QStringLiteral(" GROUP BY 1, 2, 3");
}

Decimal* figureOf(StockFigure& f, int kind) {
    switch (kind) {
    case Purchase: return &f.purchases;
    case Produced: return &f.produced;
    case PurchaseReturn: return &f.purchaseReturns;
    case Sale: return &f.sales;
    case SaleReturn: return &f.salesReturns;
    case MillIssue: return &f.millIssues;
    case MillReceipt: return &f.millReceipts;
    case JobIssue: return &f.jobIssues;
    case JobReceipt: return &f.jobReceipts;
    case GeneralIssue: return &f.generalIssues;
    case GeneralReceipt: return &f.generalReceipts;
    case TransferOut: return &f.transfersOut;
    case TransferIn: return &f.transfersIn;
    default: return nullptr;
    }
}

bool isReceipt(int kind) {
    return kind == Purchase || kind == Produced || kind == SaleReturn || kind == MillReceipt || kind == JobReceipt || kind == GeneralReceipt ||
           kind == TransferIn;
}

std::vector<StockFigure> selectedItems(db::Database& db, qint64 firmNo, StockUnit unit, const StockFilter& filter,
                                       QHash<qint64, std::pair<size_t, bool>>& index) {
    QString sql = QStringLiteral("SELECT Id, COALESCE(ProdGrp, '') AS ProdGrp, COALESCE(ProdSubGrp, '') AS ProdSubGrp, COALESCE(P1, '') AS P1, "
                                 "COALESCE(ProdCode, '') AS ProdCode, COALESCE(ProdName, '') AS ProdName, PurRAte, RAteR, OPSt, OPStock1, "
                                 "CalcOn FROM ProdMst WHERE FirmNO = ? AND COALESCE(Is_NoStk, 0) = 0");
    QVariantList params{firmNo};
    auto narrow = [&](const QString& column, const QString& value) {
        if (value.trimmed().isEmpty()) return;
        sql += QStringLiteral(" AND ") + column + QStringLiteral(" = ?");
        params << value.trimmed();
    };
    narrow(QStringLiteral("ProdGrp"), filter.group);
    narrow(QStringLiteral("ProdSubGrp"), filter.subGroup);
    narrow(QStringLiteral("P1"), filter.design);
    if (filter.itemId > 0) {
        sql += QStringLiteral(" AND Id = ?");
        params << filter.itemId;
    }
    if (filter.finishedOnly) sql += QStringLiteral(" AND StkType = 'F'");
    sql += QStringLiteral(" ORDER BY ProdGrp, ProdName, Id");

    std::vector<StockFigure> items;
    db.forEach(sql, params, [&](const db::Row& r) {
        StockFigure f;
        f.itemId = r.integer(QStringLiteral("Id"));
        f.group = r.text(QStringLiteral("ProdGrp")).trimmed();
        f.subGroup = r.text(QStringLiteral("ProdSubGrp")).trimmed();
        f.design = r.text(QStringLiteral("P1")).trimmed();
        f.code = r.text(QStringLiteral("ProdCode")).trimmed();
        f.name = r.text(QStringLiteral("ProdName")).trimmed();
        f.purchaseRate = Decimal::fromVariant(r.value(QStringLiteral("PurRAte")));
        f.saleRate = Decimal::fromVariant(r.value(QStringLiteral("RAteR")));
        const bool inPieces = unit == StockUnit::Pieces || r.integer(QStringLiteral("CalcOn")) == 2;
        f.opening = Decimal::fromVariant(r.value(unit == StockUnit::Pieces ? QStringLiteral("OPStock1") : QStringLiteral("OPSt"))).roundHalfEven(3);
        index.insert(f.itemId, {items.size(), inPieces});
        items.push_back(std::move(f));
    });
    return items;
}

}  // namespace

std::vector<StockFigure> stockFigures(db::Database& db, qint64 firmNo, const StockPeriod& period, StockUnit unit, const StockFilter& filter) {
    QHash<qint64, std::pair<size_t, bool>> index;
    std::vector<StockFigure> items = selectedItems(db, firmNo, unit, filter, index);
    if (items.empty()) return items;

    QStringList parts;
    QVariantList params;
    for (const Source& s : sources()) {
        if (!db.tableExists(s.table)) continue;
        parts << groupedSelect(s);
        params << period.from;
        if (s.linesNarrowed) params << firmNo << period.to;
        params << firmNo << period.to;
    }
    const QString query = parts.join(QStringLiteral(" UNION ALL "));
    db.forEach(query, params, [&](const db::Row& r) {
        const auto found = index.constFind(r.value(0).toLongLong());
        if (found == index.constEnd()) return;
        StockFigure& f = items[found->first];
        const int kind = int(r.value(1).toLongLong());
        const Decimal quantity = Decimal::fromVariant(r.value(found->second ? 4 : 3));
        if (r.value(2).toInt() == 0) {
            f.opening += isReceipt(kind) ? quantity : -quantity;
        } else if (Decimal* figure = figureOf(f, kind)) {
            *figure += quantity;
        }
    });
    return items;
}

}  // namespace tanabana::stock
