#include "domain/mill/MillIssues.h"

#include "db/LockOrder.h"
#include "domain/documents/Deletion.h"
#include "domain/documents/Guard.h"
#include "domain/documents/Lookups.h"
#include "domain/mill/MillTables.h"
#include "domain/trade/MillTakaCounts.h"

#include <QSet>

namespace tanabana::mill {

namespace {

constexpr int kIssueForm = 16;
const documents::DocumentTables kIssueTables{kMillHeader, {{kMillLines, QStringLiteral("BillMstId")}}, kIssueForm};

QString issueLockName() { return kMillHeader + QStringLiteral(".ChNo"); }
// An issue takes takas of purchase bills and of production challans: it writes their rows under their locks too.
QStringList issueLocks() { return {issueLockName(), QStringLiteral("BillMst.Id"), QStringLiteral("ProductionDtl.TakaNO")}; }

}  // namespace

void refuseIssueInReceipt(Messages& messages) {
    messages.critical(QStringLiteral("Challan Receive Found"), QStringLiteral("This Challan is in Receive process so first Delete Receive Entry"));
}

MillIssues::MillIssues(db::Database& db, Session& session, Messages& messages) : db_(db), session_(session), messages_(messages) {}

std::vector<documents::PartyChoice> MillIssues::mills(const QString& prefix, int limit) {
    return documents::findParties(db_, session_.firmNo, millPartyRange(session_), prefix, limit);
}

qint64 MillIssues::nextChallanNo(qint64 bookId, int formId) {
    return nextMillChallanNo(db_, kMillHeader, session_.firmNo, bookId, formId);
}

std::vector<PurchaseWithTakas> MillIssues::purchaseBills(qint64 weaverId) {
    std::vector<PurchaseWithTakas> out;
    db_.forEach(QStringLiteral("SELECT m.Id, m.BillNO, m.BillDate, p.ProdName, d.PCode, d.PQty - d.Issue_Mtrs AS PendMtrs, "
                               "d.Qty2 - d.Issue_Taka AS PendTaka, m.Is_IssueToMill FROM BillMst m "
                               "JOIN BillDtl d ON d.BillMstId = m.Id LEFT JOIN ProdMst p ON p.Id = d.PCode "
                               "WHERE m.FirmNO = ? AND m.FormId = 1 AND m.PartyID = ? AND d.PQty - d.Issue_Mtrs > 0 "
                               "ORDER BY m.BillDate DESC, m.Id DESC, d.Srno"),
                {session_.firmNo, weaverId}, [&](const db::Row& r) {
                    out.push_back({r.integer(QStringLiteral("Id")), r.text(QStringLiteral("BillNO")), r.date(QStringLiteral("BillDate")),
                                   r.text(QStringLiteral("ProdName")), r.integer(QStringLiteral("PCode")),
                                   Decimal::fromVariant(r.value(QStringLiteral("PendMtrs"))).roundHalfEven(3),
                                   Decimal::fromVariant(r.value(QStringLiteral("PendTaka"))).roundHalfEven(3),
                                   r.flag(QStringLiteral("Is_IssueToMill"))});
                });
    return out;
}

std::vector<OfferedTaka> MillIssues::purchaseTakas(qint64 purchaseBillId) {
    std::vector<OfferedTaka> out;
    db_.forEach(QStringLiteral("SELECT t.Srno, t.TakaNO, t.Mtrs, d.PCode FROM BillMst_TakaDetail t JOIN BillMst m ON m.Id = t.BillMst_Id "
                               "LEFT JOIN BillDtl d ON d.BillMstId = t.BillMst_Id AND d.Srno = t.BillSrno "
                               "WHERE t.BillMst_Id = ? AND m.FirmNO = ? AND COALESCE(t.Is_Issued, 0) = 0 ORDER BY t.Mtrs, t.Srno"),
                {purchaseBillId, session_.firmNo}, [&](const db::Row& r) {
                    OfferedTaka t;
                    t.takaNo = r.text(QStringLiteral("TakaNO"));
                    t.metres = Decimal::fromVariant(r.value(QStringLiteral("Mtrs"))).roundHalfEven(3);
                    t.srno = int(r.integer(QStringLiteral("Srno")));
                    t.qualityId = r.integer(QStringLiteral("PCode"));
                    out.push_back(t);
                });
    return out;
}

std::vector<OfferedTaka> MillIssues::producedTakas(qint64 qualityId, std::optional<Decimal> fromMetres, std::optional<Decimal> toMetres) {
    std::vector<OfferedTaka> out;
    db_.forEach(QStringLiteral("SELECT d.Srno, d.TakaNO, d.Mtrs, d.qId, d.F_no, d.Pcs, d.McNo FROM ProductionDtl d "
                               "JOIN ProductionMst m ON m.Id = d.ProdId WHERE m.FirmNo = ? AND COALESCE(d.IsM_Issue, 0) = 0 "
                               "AND COALESCE(d.IsOver, 0) = 0 AND (? = 0 OR d.qId = ?) AND d.Mtrs BETWEEN ? AND ? "
                               "ORDER BY d.TakNo2, d.TakaNO"),
                {session_.firmNo, qualityId, qualityId, fromMetres ? fromMetres->toDouble() : -1.0,
                 toMetres ? toMetres->toDouble() + 0.0005 : 1e12},
                [&](const db::Row& r) {
                    OfferedTaka t;
                    t.takaNo = r.text(QStringLiteral("TakaNO"));
                    t.metres = Decimal::fromVariant(r.value(QStringLiteral("Mtrs"))).roundHalfEven(3);
                    t.srno = int(r.integer(QStringLiteral("Srno")));
                    t.qualityId = r.integer(QStringLiteral("qId"));
                    t.takaFirmNo = r.integer(QStringLiteral("F_no"));
                    t.pieces = Decimal::fromVariant(r.value(QStringLiteral("Pcs")));
                    t.machine = r.text(QStringLiteral("McNo"));
                    out.push_back(t);
                });
    return out;
}

bool MillIssues::takeFromPurchase(MillIssue& issue, qint64 purchaseBillId, const QStringList& takaNumbers) {
    const auto bill = db_.queryOne(QStringLiteral("SELECT Id, BillNO, BillDate, PartyID FROM BillMst WHERE Id = ? AND FirmNO = ? AND FormId = 1"),
                                   {purchaseBillId, session_.firmNo});
    if (!bill) {
        messages_.critical(QStringLiteral("System Validation"), QStringLiteral("Purchase bill not found"));
        return false;
    }
    issue.source = TakaSource::Purchase;
    issue.purchaseBillId = purchaseBillId;
    issue.purchaseBillNo = bill->text(QStringLiteral("BillNO"));
    issue.purchaseDate = bill->date(QStringLiteral("BillDate"));
    issue.weaverId = bill->integer(QStringLiteral("PartyID"));
    const std::vector<OfferedTaka> offered = purchaseTakas(purchaseBillId);
    for (const QString& no : takaNumbers) {
        const auto it = std::find_if(offered.begin(), offered.end(), [&](const OfferedTaka& t) { return t.takaNo.trimmed() == no.trimmed(); });
        if (it == offered.end()) {
            messages_.critical(QStringLiteral("Taka Duplication"),
                               QStringLiteral("Taka No ") + no.trimmed() + QStringLiteral(" is not pending on purchase bill ") + issue.purchaseBillNo);
            return false;
        }
        if (issue.qualityId <= 0) issue.qualityId = it->qualityId;
        MillIssueLine line;
        line.takaNo = it->takaNo;
        line.metres = it->metres;
        issue.lines.push_back(line);
    }
    return true;
}

bool MillIssues::takeFromProduction(MillIssue& issue, const QStringList& takaNumbers) {
    issue.source = TakaSource::Production;
    const std::vector<OfferedTaka> offered = producedTakas(0);
    for (const QString& no : takaNumbers) {
        const auto it = std::find_if(offered.begin(), offered.end(), [&](const OfferedTaka& t) { return t.takaNo.trimmed() == no.trimmed(); });
        if (it == offered.end()) {
            messages_.critical(QStringLiteral("Taka Duplication"),
                               QStringLiteral("Taka No ") + no.trimmed() + QStringLiteral(" is already issued or not produced."));
            return false;
        }
        if (issue.qualityId <= 0) issue.qualityId = it->qualityId;
        MillIssueLine line;
        line.takaNo = it->takaNo;
        line.metres = it->metres;
        line.takaFirmNo = it->takaFirmNo > 0 ? it->takaFirmNo : session_.firmNo;
        issue.lines.push_back(line);
    }
    return true;
}

bool MillIssues::validate(const MillIssue& issue) {
    if (refuseChallanHeader(db_, session_, messages_, issue.millId, issue.bookId, issue.date, issue.challanNo)) return false;
    if (issueLineRows(issue).empty()) {
        messages_.critical(QStringLiteral("System Validation"), QStringLiteral("Please Enter Taka Detail"));
        return false;
    }
    QSet<QString> seen;
    for (const IssueLineRow& row : issueLineRows(issue)) {
        const QString no = row.line.takaNo.trimmed().toUpper();
        if (row.line.metres <= Decimal() || row.line.weight.isNegative()) {
            messages_.critical(QStringLiteral("Invalid Entry"), QStringLiteral("Taka No ") + row.line.takaNo.trimmed() +
                                                                    QStringLiteral(" : Mtrs must be more than 0"));
            return false;
        }
        if (seen.contains(no)) {
            messages_.critical(QStringLiteral("Taka Duplication"),
                               QStringLiteral("Taka No ") + row.line.takaNo.trimmed() + QStringLiteral(" is twice on this challan"));
            return false;
        }
        seen.insert(no);
        if (documents::refuseTooLong(messages_, issueLineTable().tooLong(row))) return false;
    }
    if (issue.source == TakaSource::Purchase && issue.purchaseBillId <= 0) {
        messages_.critical(QStringLiteral("System Validation"), QStringLiteral("Purchase bill not found"));
        return false;
    }
    return !documents::refuseTooLong(messages_, issueHeaderTable().tooLong({issue, session_.firmNo, kIssueForm}));
}

bool MillIssues::refuseReceived(qint64 id) {
    const int received =
        db_.scalar(QStringLiteral("SELECT count(*) FROM JobWork_IssueDtl_1 WHERE (BillMstId = ? AND (IsFinished <> 0 OR RMtrs <> 0)) "
                                  "OR IssueChId = ?"),
                   {id, id})
            .toInt();
    if (received == 0) return false;
    refuseIssueInReceipt(messages_);
    return true;
}

bool MillIssues::takeTakas(const MillIssue& issue) {
    for (const IssueLineRow& row : issueLineRows(issue)) {
        const QString no = row.line.takaNo.trimmed();
        if (issue.source == TakaSource::Purchase) {
            // Only a taka still at home is taken; a second station that took it first leaves nothing to update.
            const auto taka = db_.queryOne(QStringLiteral("SELECT Srno, Mtrs FROM BillMst_TakaDetail WHERE BillMst_Id = ? AND TakaNO = ? "
                                                          "AND COALESCE(Is_Issued, 0) = 0 ORDER BY Srno"),
                                           {issue.purchaseBillId, no});
            const int taken = taka ? db_.exec(QStringLiteral("UPDATE BillMst_TakaDetail SET Is_Issued = 1 WHERE BillMst_Id = ? AND Srno = ? "
                                                             "AND COALESCE(Is_Issued, 0) = 0"),
                                              {issue.purchaseBillId, taka->integer(QStringLiteral("Srno"))})
                                   : 0;
            if (taken == 0) {
                messages_.critical(QStringLiteral("Taka Duplication"), QStringLiteral("Taka No ") + no +
                                                                           QStringLiteral(" is not pending on purchase bill ") +
                                                                           issue.purchaseBillNo.trimmed());
                return false;
            }
            const Decimal bought = Decimal::fromVariant(taka->value(QStringLiteral("Mtrs"))).roundHalfEven(3);
            if (bought != row.line.metres.roundHalfEven(3)) {
                messages_.critical(QStringLiteral("Mtrs Missmatch"), QStringLiteral("Taka No ") + no + QStringLiteral(" : Mtrs ") +
                                                                         row.line.metres.toString(3) + QStringLiteral(" differ from the ") +
                                                                         bought.toString(3) + QStringLiteral(" of the purchase bill"));
                return false;
            }
        } else if (issue.source == TakaSource::Production) {
            const int taken = db_.exec(QStringLiteral("UPDATE ProductionDtl SET IsM_Issue = 1, Issue_Pro = ? WHERE TakaNO = ? AND F_no = ? "
                                                      "AND COALESCE(IsM_Issue, 0) = 0 AND COALESCE(IsOver, 0) = 0"),
                                       {issue.process.trimmed().left(30), no, row.line.takaFirmNo > 0 ? row.line.takaFirmNo : session_.firmNo});
            if (taken == 0) {
                messages_.critical(QStringLiteral("Taka Duplication"),
                                   QStringLiteral("Taka No ") + no + QStringLiteral(" is already issued or not produced."));
                return false;
            }
        }
    }
    if (issue.source == TakaSource::Purchase) trade::recountMillTakas(db_, issue.purchaseBillId);
    return true;
}

void MillIssues::giveBackTakas(qint64 id) {
    const auto header = db_.queryOne(QStringLiteral("SELECT PurBillId FROM JobWork_IssueMst_1 WHERE Id = ?"), {id});
    if (!header) return;
    const qint64 bill = header->integer(QStringLiteral("PurBillId"));
    for (const db::Row& line : db_.query(QStringLiteral("SELECT TakaNO, F_NO FROM JobWork_IssueDtl_1 WHERE BillMstId = ?"), {id})) {
        const QString no = line.text(QStringLiteral("TakaNO")).trimmed();
        if (bill > 0) {
            const auto taka = db_.queryOne(QStringLiteral("SELECT Srno FROM BillMst_TakaDetail WHERE BillMst_Id = ? AND TakaNO = ? "
                                                          "AND Is_Issued <> 0 ORDER BY Srno"),
                                           {bill, no});
            if (taka)
                db_.exec(QStringLiteral("UPDATE BillMst_TakaDetail SET Is_Issued = 0 WHERE BillMst_Id = ? AND Srno = ?"),
                         {bill, taka->integer(QStringLiteral("Srno"))});
        } else if (line.integer(QStringLiteral("F_NO")) > 0) {
            db_.exec(QStringLiteral("UPDATE ProductionDtl SET IsM_Issue = 0, Issue_Pro = '' WHERE TakaNO = ? AND F_no = ? AND IsM_Issue <> 0"),
                     {no, line.integer(QStringLiteral("F_NO"))});
        }
    }
    if (bill > 0) trade::recountMillTakas(db_, bill);
}

std::optional<qint64> MillIssues::save(MillIssue& issue) {
    if (documents::refuseSave(session_, messages_, issue.id)) return std::nullopt;
    if (!validate(issue)) return std::nullopt;
    db::Transaction tx(db_);
    db::lockInOrder(db_, issueLocks());
    const qint64 previousId = issue.id;
    if (previousId != 0) {
        if (db_.scalar(QStringLiteral("SELECT count(*) FROM JobWork_IssueMst_1 WHERE Id = ? AND FirmNO = ? AND FormId = ?"),
                       {previousId, session_.firmNo, kIssueForm})
                .toInt() == 0) {
            messages_.critical(QStringLiteral("System Validation"), QStringLiteral("Mill Issue not found"));
            return std::nullopt;
        }
        if (refuseSoldChallan(db_, messages_, previousId) || refuseReceived(previousId)) return std::nullopt;
        const auto old = db_.queryOne(QStringLiteral("SELECT BillSrno, IsOp FROM JobWork_IssueMst_1 WHERE Id = ?"), {previousId});
        issue.serial = old->integer(QStringLiteral("BillSrno"));
        issue.opening = old->flag(QStringLiteral("IsOp"));
        giveBackTakas(previousId);
    }
    if (issue.challanNo <= 0) {
        issue.challanNo = nextMillChallanNo(db_, kMillHeader, session_.firmNo, issue.bookId, kIssueForm);
    } else if (db_.scalar(QStringLiteral("SELECT count(*) FROM JobWork_IssueMst_1 WHERE ChNo = ? AND BookId = ? AND FormId = ? AND FirmNO = ? "
                                         "AND Id <> ?"),
                          {issue.challanNo, issue.bookId, kIssueForm, session_.firmNo, previousId})
                   .toInt() > 0) {
        messages_.critical(QStringLiteral("Bill NO Duplication"),
                           QStringLiteral("Mill Iss No ") + QString::number(issue.challanNo) + QStringLiteral(" is Already exist!"));
        return std::nullopt;
    }
    if (issue.serial <= 0) issue.serial = db_.nextKey(kMillHeader, QStringLiteral("BillSrno"), QStringLiteral("FormId = 16"));
    issue.id = previousId != 0 ? previousId : db_.nextKey(kMillHeader, QStringLiteral("Id"));
    for (MillIssueLine& line : issue.lines) {
        line.receivedMetres = {};
        line.greyReturned = {};
        line.finished = false;
        if (issue.source != TakaSource::Production) line.takaFirmNo = 0;
    }
    if (!takeTakas(issue)) {
        issue.id = previousId;
        return std::nullopt;
    }
    issueHeaderTable().write(db_, {issue, session_.firmNo, kIssueForm}, issue.id);
    issueLineTable().replaceLines(db_, QStringLiteral("BillMstId"), issue.id, issueLineRows(issue));
    tx.commit();
    messages_.information(QStringLiteral("Save Confirmation"), QStringLiteral("ONE TRANSACTION IS SAVED"));
    return issue.id;
}

bool MillIssues::remove(qint64 id) {
    if (documents::refuseChange(session_, messages_, documents::Change::Delete)) return false;
    const QString exists = QStringLiteral("SELECT count(*) FROM JobWork_IssueMst_1 WHERE Id = ? AND FirmNO = ? AND FormId = ?");
    if (db_.scalar(exists, {id, session_.firmNo, kIssueForm}).toInt() == 0) return false;
    if (refuseSoldChallan(db_, messages_, id) || refuseReceived(id)) return false;
    if (!messages_.ask(QStringLiteral("Delete Confirmation"), QStringLiteral("Are you sure to delete this Invoice"))) return false;
    db::Transaction tx(db_);
    db::lockInOrder(db_, issueLocks());
    // A receipt may have taken a taka since the question was asked.
    if (db_.scalar(exists, {id, session_.firmNo, kIssueForm}).toInt() == 0 || refuseSoldChallan(db_, messages_, id) || refuseReceived(id))
        return false;
    giveBackTakas(id);
    documents::deleteDocument(db_, kIssueTables, id, session_.firmNo);
    tx.commit();
    messages_.information(QStringLiteral("Delete Confirmation"), QStringLiteral("Invoice Is Deleted!"));
    return true;
}

std::optional<MillIssue> MillIssues::load(qint64 id) {
    const auto h = db_.queryOne(QStringLiteral("SELECT * FROM JobWork_IssueMst_1 WHERE Id = ? AND FirmNO = ? AND FormId = ?"),
                                {id, session_.firmNo, kIssueForm});
    if (!h) return std::nullopt;
    MillIssue issue;
    issue.id = id;
    issueHeaderTable().read(issue, *h);
    issueLineTable().readLines(db_, QStringLiteral("BillMstId"), id, issue.lines);
    issue.source = issue.purchaseBillId > 0 ? TakaSource::Purchase : TakaSource::Typed;
    for (const MillIssueLine& l : issue.lines)
        if (issue.purchaseBillId <= 0 && l.takaFirmNo > 0) issue.source = TakaSource::Production;
    return issue;
}

documents::DocumentPage MillIssues::issueList(const documents::ListFilter& filter, qint64 bookId) {
    documents::ListQuery q(QStringLiteral("JobWork_IssueMst_1 m LEFT JOIN AccMst a ON a.Id = m.PartyID LEFT JOIN ProdMst p ON p.Id = m.QId "
                                          "LEFT JOIN AccMst w ON w.Id = m.PurPartyId"),
                           QStringLiteral("m.FirmNO = ? AND m.FormId = 16 AND m.IType = 'I' AND m.IsOp = 0"), {session_.firmNo},
                           QStringLiteral("CAST(m.ChNo AS VARCHAR(20))"), QStringLiteral("m.BillDate"), QStringLiteral("a.AcName"), QString());
    q.texts = {QStringLiteral("p.ProdName"), QStringLiteral("m.ProcessName"), QStringLiteral("m.LotNO"), QStringLiteral("w.AcName")};
    q.figures = {QStringLiteral("(SELECT count(*) FROM JobWork_IssueDtl_1 d WHERE d.BillMstId = m.Id)"),
                 QStringLiteral("(SELECT COALESCE(SUM(d.Mtrs), 0) FROM JobWork_IssueDtl_1 d WHERE d.BillMstId = m.Id)")};
    if (bookId > 0) q.narrow(QStringLiteral("m.BookId = ?"), bookId);
    return documents::listDocuments(db_, q, filter);
}

}  // namespace tanabana::mill
