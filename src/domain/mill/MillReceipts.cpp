#include "domain/mill/MillReceipts.h"

#include "db/LockOrder.h"
#include "domain/documents/Deletion.h"
#include "domain/documents/Guard.h"
#include "domain/documents/Lookups.h"
#include "domain/mill/MillTables.h"

#include <QSet>
#include <map>

namespace tanabana::mill {

namespace {

constexpr int kReceiptForm = 17;
const documents::DocumentTables kReceiptTables{kMillHeader, {{kMillLines, QStringLiteral("BillMstId")}}, kReceiptForm};

QString receiptLockName() { return kMillHeader + QStringLiteral(".ChNo"); }
// A receipt marks the produced takas it brings back: their rows are written under their lock too.
QStringList receiptLocks() { return {receiptLockName(), QStringLiteral("ProductionDtl.TakaNO")}; }
QString metres(Decimal d) { return d.toString(3); }

}  // namespace

MillReceipts::MillReceipts(db::Database& db, Session& session, Messages& messages) : db_(db), session_(session), messages_(messages) {}

qint64 MillReceipts::nextChallanNo(qint64 bookId) { return nextMillChallanNo(db_, kMillHeader, session_.firmNo, bookId, kReceiptForm); }

std::vector<PendingChallan> MillReceipts::pendingChallans(qint64 millId, bool producedOnly) {
    std::vector<PendingChallan> out;
    db_.forEach(QStringLiteral("SELECT m.Id, m.ChNo, m.BillDate, p.ProdName, m.QId, m.LotNO, m.ProcessName, m.BillNO, SUM(d.Mtrs) AS Iss "
                               "FROM JobWork_IssueMst_1 m JOIN JobWork_IssueDtl_1 d ON d.BillMstId = m.Id LEFT JOIN ProdMst p ON p.Id = m.QId "
                               "WHERE m.FirmNO = ? AND m.FormId = 16 AND m.IType = 'I' AND d.IsFinished = 0 AND m.PartyID = ? AND (? = 0 OR d.F_NO > 0) "
                               "GROUP BY m.Id, m.ChNo, m.BillDate, p.ProdName, m.QId, m.LotNO, m.ProcessName, m.BillNO "
                               "ORDER BY m.BillDate, m.ChNo, p.ProdName"),
                {session_.firmNo, millId, producedOnly ? 1 : 0}, [&](const db::Row& r) {
                    PendingChallan c;
                    c.issueId = r.integer(QStringLiteral("Id"));
                    c.challanNo = r.integer(QStringLiteral("ChNo"));
                    c.date = r.date(QStringLiteral("BillDate"));
                    c.quality = r.text(QStringLiteral("ProdName"));
                    c.qualityId = r.integer(QStringLiteral("QId"));
                    c.lotNo = r.text(QStringLiteral("LotNO"));
                    c.process = r.text(QStringLiteral("ProcessName"));
                    c.partyChallanNo = r.text(QStringLiteral("BillNO"));
                    c.issuedMetres = Decimal::fromVariant(r.value(QStringLiteral("Iss"))).roundHalfEven(3);
                    out.push_back(c);
                });
    return out;
}

std::vector<PendingTaka> MillReceipts::pendingTakas(qint64 issueId) {
    std::vector<PendingTaka> out;
    db_.forEach(QStringLiteral("SELECT d.* FROM JobWork_IssueDtl_1 d JOIN JobWork_IssueMst_1 m ON m.Id = d.BillMstId "
                               "WHERE d.BillMstId = ? AND m.FirmNO = ? AND m.FormId = 16 AND d.IsFinished = 0 ORDER BY d.Srno"),
                {issueId, session_.firmNo}, [&](const db::Row& r) {
                    PendingTaka t;
                    t.issueId = issueId;
                    t.srno = int(r.integer(QStringLiteral("Srno")));
                    t.takaNo = r.text(QStringLiteral("TakaNO"));
                    t.greyMetres = Decimal::fromVariant(r.value(QStringLiteral("Mtrs"))).roundHalfEven(3);
                    const Decimal received = Decimal::fromVariant(r.value(QStringLiteral("RMtrs"))).roundHalfEven(3);
                    const Decimal returned = Decimal::fromVariant(r.value(QStringLiteral("PRate"))).roundHalfEven(3);
                    t.pendingMetres = t.greyMetres - received - returned;
                    t.takaLeft = (takaValue(t.takaNo) - Decimal::fromVariant(r.value(QStringLiteral("RPCs")))).roundHalfEven(3);
                    t.weight = Decimal::fromVariant(r.value(QStringLiteral("Wt"))).roundHalfEven(3);
                    t.marka = r.text(QStringLiteral("Marka"));
                    t.designNo = r.text(QStringLiteral("DesignNo"));
                    t.colour = r.text(QStringLiteral("Colour"));
                    t.remarks = r.text(QStringLiteral("Remarks"));
                    out.push_back(t);
                });
    return out;
}

std::vector<MillReceiptLine> MillReceipts::linesFromIssue(qint64 issueId, const std::vector<int>& srnos) {
    std::vector<MillReceiptLine> lines;
    const Decimal rate = Decimal::fromVariant(db_.scalar(QStringLiteral("SELECT Rate FROM JobWork_IssueMst_1 WHERE Id = ?"), {issueId}));
    for (const PendingTaka& t : pendingTakas(issueId)) {
        if (std::find(srnos.begin(), srnos.end(), t.srno) == srnos.end()) continue;
        MillReceiptLine l;
        l.issueId = issueId;
        l.issueSrno = t.srno;
        l.takaNo = t.takaNo;
        l.greyMetres = t.pendingMetres;
        l.rate = rate;
        l.weight = t.weight;
        l.marka = t.marka;
        l.designNo = t.designNo;
        l.colour = t.colour;
        l.remarks = t.remarks;
        lines.push_back(l);
    }
    return lines;
}

qint64 MillReceipts::issueChallanNo(qint64 issueId) {
    return db_.scalar(QStringLiteral("SELECT ChNo FROM JobWork_IssueMst_1 WHERE Id = ?"), {issueId}).toLongLong();
}

std::vector<ReceiptSummaryRow> MillReceipts::summary(const MillReceipt& receipt, const std::function<qint64(qint64)>& challanOf) {
    std::vector<ReceiptSummaryRow> rows;
    std::map<qint64, size_t> at;
    for (const MillReceiptLine& l : receipt.lines) {
        if (l.issueId == 0) continue;
        auto [it, added] = at.emplace(l.issueId, rows.size());
        if (added) rows.push_back({challanOf(l.issueId), {}, {}, {}, {}, {}});
        ReceiptSummaryRow& r = rows[it->second];
        r.greyMetres += l.greyMetres;
        r.finishedMetres += l.finishedMetres;
        r.shortage += l.shortage();
        r.amount += l.amount();
    }
    for (ReceiptSummaryRow& r : rows)
        r.shortagePercent = r.greyMetres > Decimal() ? (r.shortage * Decimal(100) / r.greyMetres).roundHalfEven(2) : Decimal();
    return rows;
}

bool MillReceipts::validate(const MillReceipt& r) {
    if (refuseChallanHeader(db_, session_, messages_, r.millId, r.bookId, r.date, r.challanNo)) return false;
    if (r.lotNo.trimmed().isEmpty()) {
        messages_.critical(QStringLiteral("No LotNo Entered"), QStringLiteral("Please enter LotNo"));
        return false;
    }
    if (db_.scalar(QStringLiteral("SELECT count(*) FROM JobWork_IssueMst_1 WHERE FirmNO = ? AND FormId = 17 AND UPPER(LotNO) = UPPER(?) AND Id <> ?"),
                   {session_.firmNo, r.lotNo.trimmed(), r.id})
            .toInt() > 0) {
        messages_.critical(QStringLiteral("Data Duplicate "), QStringLiteral("LotNo is Duplicate.."));
        return false;
    }
    if (receiptLineRows(r).empty()) {
        messages_.critical(QStringLiteral("System Validation"), QStringLiteral("Please Enter Taka Detail"));
        return false;
    }
    QSet<QPair<qint64, int>> seen;
    for (const ReceiptLineRow& row : receiptLineRows(r)) {
        const MillReceiptLine& l = row.line;
        // A taka may come back wholly unprocessed: grey returned and nothing finished.
        const bool nothingBack = (l.greyMetres + l.greyReturned) <= Decimal() || (l.greyMetres.isZero() && l.finishedMetres > Decimal());
        if (nothingBack || l.greyMetres.isNegative() || l.greyReturned.isNegative() || l.finishedMetres.isNegative() || l.rate.isNegative() ||
            l.weight.isNegative()) {
            messages_.critical(QStringLiteral("Invalid Entry"),
                               QStringLiteral("Taka No ") + l.takaNo.trimmed() + QStringLiteral(" : Grey Mtrs must be more than 0"));
            return false;
        }
        if (seen.contains({l.issueId, l.issueSrno})) {
            messages_.critical(QStringLiteral("Taka Duplication"),
                               QStringLiteral("Taka No ") + l.takaNo.trimmed() + QStringLiteral(" is twice on this challan"));
            return false;
        }
        seen.insert({l.issueId, l.issueSrno});
        if (documents::refuseTooLong(messages_, receiptLineTable().tooLong(row))) return false;
    }
    // The bill's arithmetic must stay within the amounts the books keep.
    (void)r.totals();
    return !documents::refuseTooLong(messages_, receiptHeaderTable().tooLong({r, session_.firmNo, {}}));
}

void MillReceipts::takeBack(qint64 receiptId) {
    std::vector<qint64> issues;
    for (const db::Row& l : db_.query(QStringLiteral("SELECT IssueChId, IssueChSno, Mtrs, GreyRet, ShortLong, TakaNO FROM JobWork_IssueDtl_1 WHERE BillMstId = ?"),
                                      {receiptId})) {
        const qint64 issue = l.integer(QStringLiteral("IssueChId"));
        db_.exec(QStringLiteral("UPDATE JobWork_IssueDtl_1 SET IsFinished = 0, RMtrs = ROUND((RMtrs - ?) * 1000) / 1000.0, "
                                "PRate = ROUND((PRate - ?) * 1000) / 1000.0, ShortLong = ROUND((ShortLong - ?) * 1000) / 1000.0, "
                                "RPCs = ROUND((RPCs - ?) * 1000) / 1000.0 WHERE BillMstId = ? AND Srno = ?"),
                 {l.number(QStringLiteral("Mtrs")), l.number(QStringLiteral("GreyRet")), l.number(QStringLiteral("ShortLong")),
                  takaValue(l.text(QStringLiteral("TakaNO"))).toDouble(), issue, l.integer(QStringLiteral("IssueChSno"))});
        db_.exec(QStringLiteral("UPDATE ProductionDtl SET Rec_Pro = '' WHERE TakaNO = ? AND F_no = (SELECT F_NO FROM JobWork_IssueDtl_1 "
                                "WHERE BillMstId = ? AND Srno = ?) AND IsM_Issue <> 0"),
                 {l.text(QStringLiteral("TakaNO")), issue, l.integer(QStringLiteral("IssueChSno"))});
        if (std::find(issues.begin(), issues.end(), issue) == issues.end()) issues.push_back(issue);
    }
    db_.exec(QStringLiteral("DELETE FROM JobWork_IssueDtl_1 WHERE BillMstId = ?"), {receiptId});
    relabelLots(issues);
}

bool MillReceipts::refuseSold(qint64 id) { return refuseSoldChallan(db_, messages_, id); }

void MillReceipts::relabelLots(const std::vector<qint64>& issueIds) {
    // An issue keeps the lot of the latest receipt still taking its takas, or none.
    for (qint64 issue : issueIds) {
        const auto lot = db_.queryOne(QStringLiteral("SELECT m.LotNO FROM JobWork_IssueMst_1 m WHERE m.FormId = 17 AND m.Id IN "
                                                     "(SELECT d.BillMstId FROM JobWork_IssueDtl_1 d WHERE d.IssueChId = ?) "
                                                     "ORDER BY m.BillDate DESC, m.Id DESC"),
                                      {issue});
        db_.exec(QStringLiteral("UPDATE JobWork_IssueMst_1 SET LotNO = ?, Is_Upload = 0 WHERE Id = ?"),
                 {lot ? lot->text(QStringLiteral("LotNO")) : QString(), issue});
    }
}

bool MillReceipts::receiveTakas(const MillReceipt& r) {
    std::vector<qint64> issues;
    for (const ReceiptLineRow& row : receiptLineRows(r)) {
        const MillReceiptLine& l = row.line;
        const auto issued = db_.queryOne(QStringLiteral("SELECT d.TakaNO, d.Mtrs - d.RMtrs - d.PRate AS Pend, d.IsFinished, m.ChNo, m.PartyID "
                                                        "FROM JobWork_IssueDtl_1 d JOIN JobWork_IssueMst_1 m ON m.Id = d.BillMstId "
                                                        "WHERE d.BillMstId = ? AND d.Srno = ? AND m.FirmNO = ? AND m.FormId = 16"),
                                         {l.issueId, l.issueSrno, session_.firmNo});
        if (!issued || issued->integer(QStringLiteral("PartyID")) != r.millId) {
            messages_.critical(QStringLiteral("System Validation"),
                               QStringLiteral("Taka No ") + l.takaNo.trimmed() + QStringLiteral(" was not issued to this mill"));
            return false;
        }
        const QString challan = QString::number(issued->integer(QStringLiteral("ChNo")));
        const Decimal pending = Decimal::fromVariant(issued->value(QStringLiteral("Pend"))).roundHalfEven(3);
        if (issued->flag(QStringLiteral("IsFinished"))) {
            messages_.critical(QStringLiteral("Taka Duplication"), QStringLiteral("Taka No ") + issued->text(QStringLiteral("TakaNO")) +
                                                                       QStringLiteral(" of Mill Iss No ") + challan +
                                                                       QStringLiteral(" is already received"));
            return false;
        }
        const Decimal back = (l.greyMetres + l.greyReturned).roundHalfEven(3);
        if (back > pending) {
            messages_.critical(QStringLiteral("Receive More Than Issue"),
                               QStringLiteral("Taka No ") + issued->text(QStringLiteral("TakaNO")) + QStringLiteral(" : Grey Mtrs ") +
                                   metres(back) + QStringLiteral(" are more than the ") + metres(pending) +
                                   QStringLiteral(" Mtrs pending at the mill"));
            return false;
        }
        // The conditions again in the update: another station receiving the same taka at this
        // moment leaves nothing to update.
        // The grey given back unprocessed waits on the issue line's PRate; the shortage adds up on its ShortLong.
        const int taken = db_.exec(QStringLiteral("UPDATE JobWork_IssueDtl_1 SET IsFinished = ?, RMtrs = ROUND((RMtrs + ?) * 1000) / 1000.0, "
                                                  "PRate = ROUND((PRate + ?) * 1000) / 1000.0, ShortLong = ROUND((ShortLong + ?) * 1000) / 1000.0, "
                                                  "RPCs = ROUND((RPCs + ?) * 1000) / 1000.0 WHERE BillMstId = ? AND Srno = ? AND IsFinished = 0 "
                                                  "AND Mtrs - RMtrs - PRate > ? - 0.0005"),
                                   {l.finished ? 1 : 0, l.greyMetres.roundHalfEven(3).toDouble(), l.greyReturned.roundHalfEven(3).toDouble(),
                                    l.shortage().toDouble(), takaValue(issued->text(QStringLiteral("TakaNO"))).toDouble(), l.issueId, l.issueSrno,
                                    back.toDouble()});
        if (taken == 0) {
            messages_.critical(QStringLiteral("Taka Duplication"), QStringLiteral("Taka No ") + issued->text(QStringLiteral("TakaNO")) +
                                                                       QStringLiteral(" of Mill Iss No ") + challan +
                                                                       QStringLiteral(" is already received"));
            return false;
        }
        // A taka of the firm's looms remembers the process it came back from.
        db_.exec(QStringLiteral("UPDATE ProductionDtl SET Rec_Pro = ? WHERE TakaNO = ? AND F_no = (SELECT F_NO FROM JobWork_IssueDtl_1 "
                                "WHERE BillMstId = ? AND Srno = ?) AND IsM_Issue <> 0"),
                 {r.process.trimmed().left(30), issued->text(QStringLiteral("TakaNO")), l.issueId, l.issueSrno});
        if (std::find(issues.begin(), issues.end(), l.issueId) == issues.end()) issues.push_back(l.issueId);
    }
    for (qint64 issue : issues)
        db_.exec(QStringLiteral("UPDATE JobWork_IssueMst_1 SET LotNO = ?, Is_Upload = 0 WHERE Id = ?"), {r.lotNo.trimmed(), issue});
    return true;
}

std::optional<qint64> MillReceipts::save(MillReceipt& r) {
    if (documents::refuseSave(session_, messages_, r.id)) return std::nullopt;
    if (!validate(r)) return std::nullopt;
    db::Transaction tx(db_);
    db::lockInOrder(db_, receiptLocks());
    const qint64 previousId = r.id;
    if (previousId != 0) {
        const auto old = db_.queryOne(QStringLiteral("SELECT BillSrno, IsOp FROM JobWork_IssueMst_1 WHERE Id = ? AND FirmNO = ? AND FormId = 17"),
                                      {previousId, session_.firmNo});
        if (!old) {
            messages_.critical(QStringLiteral("System Validation"), QStringLiteral("Mill Receipt not found"));
            return std::nullopt;
        }
        if (refuseSold(previousId)) return std::nullopt;
        r.serial = old->integer(QStringLiteral("BillSrno"));
        r.opening = old->flag(QStringLiteral("IsOp"));
        takeBack(previousId);
    }
    if (r.challanNo <= 0) {
        r.challanNo = nextChallanNo(r.bookId);
    } else if (db_.scalar(QStringLiteral("SELECT count(*) FROM JobWork_IssueMst_1 WHERE ChNo = ? AND BookId = ? AND FormId = 17 AND FirmNO = ? "
                                         "AND Id <> ?"),
                          {r.challanNo, r.bookId, session_.firmNo, previousId})
                   .toInt() > 0) {
        messages_.critical(QStringLiteral("Bill NO Duplication"),
                           QStringLiteral("Receive Challan No ") + QString::number(r.challanNo) + QStringLiteral(" is Already exist!"));
        return std::nullopt;
    }
    if (r.serial <= 0) r.serial = db_.nextKey(kMillHeader, QStringLiteral("BillSrno"), QStringLiteral("FormId = 17"));
    r.id = previousId != 0 ? previousId : db_.nextKey(kMillHeader, QStringLiteral("Id"));
    if (r.qualityId <= 0 || r.process.trimmed().isEmpty()) {
        for (const MillReceiptLine& l : r.lines) {
            const auto issue = db_.queryOne(QStringLiteral("SELECT QId, ProcessName FROM JobWork_IssueMst_1 WHERE Id = ?"), {l.issueId});
            if (!issue) continue;
            if (r.qualityId <= 0) r.qualityId = issue->integer(QStringLiteral("QId"));
            if (r.process.trimmed().isEmpty()) r.process = issue->text(QStringLiteral("ProcessName"));
            break;
        }
    }
    if (!receiveTakas(r)) {
        r.id = previousId;
        return std::nullopt;
    }
    receiptHeaderTable().write(db_, {r, session_.firmNo, r.totals()}, r.id);
    receiptLineTable().replaceLines(db_, QStringLiteral("BillMstId"), r.id, receiptLineRows(r));
    tx.commit();
    messages_.information(QStringLiteral("Save Confirmation"), QStringLiteral("ONE TRANSACTION IS SAVED"));
    return r.id;
}

bool MillReceipts::remove(qint64 id) {
    if (documents::refuseChange(session_, messages_, documents::Change::Delete)) return false;
    const QString exists = QStringLiteral("SELECT count(*) FROM JobWork_IssueMst_1 WHERE Id = ? AND FirmNO = ? AND FormId = 17");
    if (db_.scalar(exists, {id, session_.firmNo}).toInt() == 0 || refuseSold(id)) return false;
    if (!messages_.ask(QStringLiteral("Delete Confirmation"), QStringLiteral("Are you sure to delete this Job Work"))) return false;
    db::Transaction tx(db_);
    db::lockInOrder(db_, receiptLocks());
    if (db_.scalar(exists, {id, session_.firmNo}).toInt() == 0 || refuseSold(id)) return false;
    takeBack(id);
    documents::deleteDocument(db_, kReceiptTables, id, session_.firmNo);
    tx.commit();
    messages_.information(QStringLiteral("Delete Confirmation"), QStringLiteral("Invoice Is Deleted!"));
    return true;
}

std::optional<MillReceipt> MillReceipts::load(qint64 id) {
    const auto h = db_.queryOne(QStringLiteral("SELECT * FROM JobWork_IssueMst_1 WHERE Id = ? AND FirmNO = ? AND FormId = 17"), {id, session_.firmNo});
    if (!h) return std::nullopt;
    MillReceipt r;
    r.id = id;
    receiptHeaderTable().read(r, *h);
    receiptLineTable().readLines(db_, QStringLiteral("BillMstId"), id, r.lines);
    return r;
}

documents::DocumentPage MillReceipts::receiptList(const documents::ListFilter& filter, qint64 bookId) {
    documents::ListQuery q(QStringLiteral("JobWork_IssueMst_1 m LEFT JOIN AccMst a ON a.Id = m.PartyID"),
                           QStringLiteral("m.FirmNO = ? AND m.FormId = 17 AND m.IType = 'R' AND m.IsOp = 0"), {session_.firmNo},
                           QStringLiteral("CAST(m.ChNo AS VARCHAR(20))"), QStringLiteral("m.BillDate"), QStringLiteral("a.AcName"),
                           QStringLiteral("m.BillAmount"));
    q.texts = {QStringLiteral("m.LotNO"), QStringLiteral("m.BillNO")};
    q.figures = {QStringLiteral("(SELECT count(*) FROM JobWork_IssueDtl_1 d WHERE d.BillMstId = m.Id)"),
                 QStringLiteral("(SELECT COALESCE(SUM(d.RMtrs), 0) FROM JobWork_IssueDtl_1 d WHERE d.BillMstId = m.Id)")};
    if (bookId > 0) q.narrow(QStringLiteral("m.BookId = ?"), bookId);
    return documents::listDocuments(db_, q, filter);
}

}  // namespace tanabana::mill
