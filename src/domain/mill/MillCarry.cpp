#include "domain/mill/MillCarry.h"

#include "domain/documents/Guard.h"
#include "domain/documents/TableMap.h"
#include "domain/jobwork/MillSchema.h"
#include "domain/mill/MillIssues.h"
#include "domain/mill/MillTables.h"

namespace tanabana::mill {

namespace {

QString typeCondition(MillCarry::Kind kind) {
    return kind == MillCarry::Kind::PendingTakas ? QStringLiteral("m.FormId = 16 AND m.IType = 'I'") : QStringLiteral("m.FormId = 17 AND m.IType = 'R'");
}

// A stored value as the column's type wants it bound on the other books' engine.
QVariant typed(const db::ColumnDef& column, const db::Row& row) {
    const QVariant v = row.value(column.name);
    if (v.isNull()) return v;
    switch (column.type) {
    case db::ColumnType::Date:
    case db::ColumnType::DateTime: {
        const QDate d = row.date(column.name);
        return d.isValid() ? QVariant(d) : QVariant(QMetaType(QMetaType::QDate));
    }
    case db::ColumnType::Integer:
    case db::ColumnType::Long: return v.toLongLong();
    case db::ColumnType::YesNo: return row.flag(column.name) ? 1 : 0;
    case db::ColumnType::Single:
    case db::ColumnType::Double:
    case db::ColumnType::Currency: return v.toDouble();
    default: return v.toString();
    }
}

// The row's values for every column of the table, with some replaced.
documents::ColumnValues copyOf(const db::TableDef& table, const db::Row& row, const std::map<QString, QVariant>& replaced) {
    documents::ColumnValues values;
    for (const db::ColumnDef& c : table.columns) {
        const auto it = replaced.find(c.name);
        values.emplace_back(c.name, it != replaced.end() ? it->second : typed(c, row));
    }
    return values;
}

std::vector<CarriedChallan> listOf(db::Database& db, qint64 firmNo, MillCarry::Kind kind, bool carriedIn) {
    const bool issues = kind == MillCarry::Kind::PendingTakas;
    const QString lines = issues && !carriedIn ? QStringLiteral(" AND d.IsFinished = 0") : QString();
    QString where = QStringLiteral("m.FirmNO = ? AND ") + typeCondition(kind) + (carriedIn ? QStringLiteral(" AND m.IsOp <> 0") : QString());
    if (!issues && !carriedIn) where += QStringLiteral(" AND COALESCE(m.IsEnd, 0) = 0");
    std::vector<CarriedChallan> out;
    db.forEach(QStringLiteral("SELECT m.Id, m.ChNo, m.BillDate, a.AcName, m.LotNO, m.BillAmount, count(d.TakaNO) AS Takas, "
                              "COALESCE(SUM(d.Mtrs), 0) AS Iss, COALESCE(SUM(d.RMtrs), 0) AS Rec, COALESCE(SUM(%3), 0) AS Pend, "
                              "COALESCE(SUM(d.Wt), 0) AS Wt FROM JobWork_IssueMst_1 m JOIN JobWork_IssueDtl_1 d ON d.BillMstId = m.Id%1 "
                              "LEFT JOIN AccMst a ON a.Id = m.PartyID WHERE %2 "
                              "GROUP BY m.Id, m.ChNo, m.BillDate, a.AcName, m.LotNO, m.BillAmount ORDER BY m.BillDate, m.ChNo")
                   .arg(lines, where,
                        // An issue line's PRate holds the grey the mill gave back unprocessed; a receipt line's is its rate.
                        issues ? QStringLiteral("d.Mtrs - d.RMtrs - d.PRate") : QStringLiteral("d.Mtrs - d.RMtrs")),
               {firmNo}, [&](const db::Row& r) {
                   CarriedChallan c;
                   c.id = r.integer(QStringLiteral("Id"));
                   c.challanNo = r.integer(QStringLiteral("ChNo"));
                   c.date = r.date(QStringLiteral("BillDate"));
                   c.mill = r.text(QStringLiteral("AcName"));
                   c.lotNo = r.text(QStringLiteral("LotNO"));
                   c.takas = int(r.integer(QStringLiteral("Takas")));
                   c.issuedMetres = Decimal::fromVariant(r.value(QStringLiteral("Iss"))).roundHalfEven(3);
                   c.receivedMetres = Decimal::fromVariant(r.value(QStringLiteral("Rec"))).roundHalfEven(3);
                   c.pendingMetres = Decimal::fromVariant(r.value(QStringLiteral("Pend"))).roundHalfEven(3);
                   c.weight = Decimal::fromVariant(r.value(QStringLiteral("Wt"))).roundHalfEven(3);
                   c.amount = Decimal::fromVariant(r.value(QStringLiteral("BillAmount"))).roundHalfEven(2);
                   out.push_back(c);
               });
    return out;
}

}  // namespace

MillCarry::MillCarry(db::Database& db, Session& session, Messages& messages) : db_(db), session_(session), messages_(messages) {}

std::vector<CarriedChallan> MillCarry::candidates(Kind kind) { return listOf(db_, session_.firmNo, kind, false); }

std::vector<CarriedChallan> MillCarry::carriedIn(Kind kind) { return listOf(db_, session_.firmNo, kind, true); }

int MillCarry::carry(db::Database& next, Kind kind, const std::vector<qint64>& ids) {
    if (ids.empty()) return 0;
    if (!messages_.ask(QStringLiteral("Pending Mill Receive Bill"),
                       QStringLiteral("Are you sure to Transfer All Pending Mill Receive Bill in Next Year ? ")))
        return 0;
    const bool issues = kind == Kind::PendingTakas;
    const db::TableDef& header = jobwork::millHeaderTable();
    const db::TableDef& lines = jobwork::millLineTable();
    int carried = 0;
    db::Transaction tx(next);
    next.lockSeries(kMillHeader + QStringLiteral(".ChNo"));
    for (qint64 id : ids) {
        const auto h = db_.queryOne(QStringLiteral("SELECT * FROM JobWork_IssueMst_1 m WHERE m.Id = ? AND m.FirmNO = ? AND ") + typeCondition(kind),
                                    {id, session_.firmNo});
        if (!h) continue;
        if (next.scalar(QStringLiteral("SELECT count(*) FROM JobWork_IssueMst_1 WHERE Id = ?"), {-id}).toInt() > 0) {
            messages_.critical(QStringLiteral("Bill Duplicate"), QStringLiteral("Bill No : ") + QString::number(h->integer(QStringLiteral("ChNo"))) +
                                                                     QStringLiteral(" - ") +
                                                                     h->date(QStringLiteral("BillDate")).toString(QStringLiteral("dd-MM-yyyy")) +
                                                                     QStringLiteral(" Is not Transferd."));
            continue;
        }
        documents::insertRow(next, kMillHeader,
                             copyOf(header, *h, {{QStringLiteral("Id"), -id}, {QStringLiteral("ChNo"), -h->integer(QStringLiteral("ChNo"))},
                                                 {QStringLiteral("IsOp"), 1}, {QStringLiteral("Is_Upload"), 0}}));
        const QString which = issues ? QStringLiteral(" AND IsFinished = 0") : QString();
        for (const db::Row& l : db_.query(QStringLiteral("SELECT * FROM JobWork_IssueDtl_1 WHERE BillMstId = ?") + which + QStringLiteral(" ORDER BY Srno"),
                                          {id}))
            documents::insertRow(next, kMillLines, copyOf(lines, l, {{QStringLiteral("BillMstId"), -id}}));
        ++carried;
    }
    tx.commit();
    messages_.information(QStringLiteral("Pending Mill Receive Bill"), QStringLiteral("Selected Pending Mill Receive Bill has been Transfered."));
    return carried;
}

int MillCarry::removeCarriedIn(Kind kind, const std::vector<qint64>& ids) {
    if (ids.empty()) return 0;
    if (documents::refuseChange(session_, messages_, documents::Change::Delete)) return 0;
    if (!messages_.ask(QStringLiteral("Pending Mill Taka "), QStringLiteral("Are you sure to Delete All Pending Mill Taka ? "))) return 0;
    int removed = 0;
    db::Transaction tx(db_);
    for (qint64 id : ids) {
        const QString carried = QStringLiteral("m.Id = ? AND m.IsOp <> 0 AND m.FirmNO = ? AND ") + typeCondition(kind);
        if (db_.scalar(QStringLiteral("SELECT count(*) FROM JobWork_IssueMst_1 m WHERE ") + carried, {id, session_.firmNo}).toInt() == 0) continue;
        // A carried-in issue whose takas came back this year keeps its place until the receipt goes.
        if (db_.scalar(QStringLiteral("SELECT count(*) FROM JobWork_IssueDtl_1 WHERE IssueChId = ?"), {id}).toInt() > 0) {
            refuseIssueInReceipt(messages_);
            return 0;
        }
        db_.exec(QStringLiteral("DELETE FROM JobWork_IssueDtl_1 WHERE BillMstId = ?"), {id});
        db_.exec(QStringLiteral("DELETE FROM JobWork_IssueMst_1 WHERE Id = ? AND IsOp <> 0 AND FirmNO = ?"), {id, session_.firmNo});
        ++removed;
    }
    tx.commit();
    messages_.information(QStringLiteral("Pending Mill Taka "), QStringLiteral("Selected Pending Mill Taka has been Deleted."));
    return removed;
}

}  // namespace tanabana::mill
