#include "domain/mill/JobProcess.h"

#include "domain/documents/Deletion.h"
#include "domain/documents/Guard.h"
#include "domain/documents/Lookups.h"
#include "domain/documents/TableMap.h"
#include "domain/ledger/Journal.h"
#include "domain/ledger/PostingLines.h"
#include "domain/mill/MillIssues.h"
#include "domain/mill/MillTables.h"
#include "domain/trade/PurchaseInvoices.h"

#include <QSet>

namespace tanabana::mill {

namespace {

const QString kHeader = QStringLiteral("JobWork_IssueMst");
const QString kLines = QStringLiteral("JobWork_IssueDtl");
constexpr int kJobIssueForm = 14;
constexpr int kJobReceiptForm = 15;

int formOf(const JobChallan& c) { return c.receipt ? kJobReceiptForm : kJobIssueForm; }
QString jobLockName() { return kHeader + QStringLiteral(".ChNo"); }
QString money(Decimal value) { return value.toString(2); }
QString percentText(Decimal value) {
    QString text = value.toString(4);
    while (text.contains(QLatin1Char('.')) && (text.endsWith(QLatin1Char('0')) || text.endsWith(QLatin1Char('.')))) text.chop(1);
    return text;
}
bool perPiece(const QString& rateOn) { return rateOn.trimmed().toUpper() == QStringLiteral("P"); }

using documents::Column;
using documents::fixed;
using documents::written;

struct HeaderRow {
    const JobChallan& challan;
    qint64 firmNo;
    JobTotals totals;
};
struct LineRow {
    const JobLine& line;
    qint64 challanId;
    int srno;
};

template <typename Row, typename Doc, typename M, typename Get>
Column<Row, Doc> jobField(Get get, const char* column, M Doc::*m, const char* caption = nullptr, int places = 3) {
    return documents::fieldOf<Row, Doc>(get, column, m, caption, places);
}

const documents::TableMap<HeaderRow, JobChallan>& headerTable() {
    using R = HeaderRow;
    using D = JobChallan;
    const auto of = [](const R& r) -> const D& { return r.challan; };
    const auto money = [](Decimal JobTotals::*m) { return [m](const R& r) { return QVariant((r.totals.*m).roundHalfEven(2).toDouble()); }; };
    static const documents::TableMap<R, D> table{
        kHeader, QStringLiteral("Id"),
        {written<R, D>("FirmNO", [](const R& r) { return r.firmNo; }),
         {QStringLiteral("FormId"), {}, [](const R& r) { return QVariant(formOf(r.challan)); },
          [](D& d, const db::Row& row) { d.receipt = row.integer(QStringLiteral("FormId")) == kJobReceiptForm; }},
         written<R, D>("IType", [](const R& r) { return QVariant(r.challan.receipt ? QStringLiteral("R") : QStringLiteral("I")); }),
         jobField<R>(of, "BookId", &D::bookId),
         jobField<R>(of, "ChNo", &D::challanNo),
         jobField<R>(of, "BillSrno", &D::serial),
         jobField<R>(of, "BillNO", &D::reference, "Challan No"),
         jobField<R>(of, "AGAINST", &D::gatePassNo, "G.P. Bill No"),
         jobField<R>(of, "BillDate", &D::date),
         jobField<R>(of, "PartyID", &D::partyId),
         jobField<R>(of, "BrokerId", &D::brokerId),
         jobField<R>(of, "ProcessName", &D::process, "Job Process"),
         jobField<R>(of, "LotNO", &D::lotNo, "Lot No"),
         jobField<R>(of, "CrDays", &D::creditDays),
         written<R, D>("PDueDate", [](const R& r) { return QVariant(r.challan.date.addDays(r.challan.creditDays)); }),
         jobField<R>(of, "TransportName", &D::transport, "Transport"),
         jobField<R>(of, "CaseNO", &D::tempoNo, "Tempo No"),
         jobField<R>(of, "LrNo", &D::lrNo, "L.R.No."),
         jobField<R>(of, "DiscP", &D::discountPercent, nullptr, 2),
         jobField<R>(of, "OtherRs", &D::otherPlus, nullptr, 2),
         jobField<R>(of, "OtherP1", &D::otherLess, nullptr, 2),
         jobField<R>(of, "VATP", &D::sgstPercent, nullptr, 2),
         jobField<R>(of, "ATAXP", &D::cgstPercent, nullptr, 2),
         jobField<R>(of, "CSTP", &D::igstPercent, nullptr, 2),
         jobField<R>(of, "TDSP", &D::tdsPercent, nullptr, 2),
         jobField<R>(of, "Notes", &D::notes, "Notes"),
         written<R, D>("TotAmt", money(&JobTotals::amount)),
         written<R, D>("DiscRs", money(&JobTotals::discount)),
         written<R, D>("VatRs", money(&JobTotals::sgst)),
         written<R, D>("ATAXRs", money(&JobTotals::cgst)),
         written<R, D>("CSTRs", money(&JobTotals::igst)),
         written<R, D>("BillAmount", money(&JobTotals::bill)),
         written<R, D>("UnPaidAmt", money(&JobTotals::bill)),
         written<R, D>("TDSRs", money(&JobTotals::tds)),
         fixed<R, D>("Is_Upload", 0)}};
    return table;
}

const documents::TableMap<LineRow, JobLine>& lineTable() {
    using R = LineRow;
    using D = JobLine;
    const auto of = [](const R& r) -> const D& { return r.line; };
    static const documents::TableMap<R, D> table{
        kLines, {},
        {written<R, D>("BillMstId", [](const R& r) { return r.challanId; }),
         written<R, D>("Srno", [](const R& r) { return r.srno; }),
         jobField<R>(of, "PCode", &D::qualityId),
         jobField<R>(of, "Qty2", &D::pieces),
         jobField<R>(of, "Qty1", &D::count),
         jobField<R>(of, "PQty", &D::metres),
         {QStringLiteral("PM"), {}, [](const R& r) { return QVariant(perPiece(r.line.rateOn) ? QStringLiteral("P") : QStringLiteral("M")); },
          [](D& d, const db::Row& row) { d.rateOn = row.text(QStringLiteral("PM")); }},
         jobField<R>(of, "PRate", &D::rate, nullptr, 4),
         written<R, D>("PAmt", [](const R& r) { return r.line.amount().toDouble(); }),
         jobField<R>(of, "Wt", &D::shortLong),
         jobField<R>(of, "DesignNo", &D::designNo, "Design"),
         jobField<R>(of, "Colour", &D::colour, "Colour"),
         jobField<R>(of, "Remarks", &D::remarks, "Remarks"),
         jobField<R>(of, "IssueChId", &D::issueId),
         jobField<R>(of, "IssueChSno", &D::issueSrno),
         jobField<R>(of, "IsFinished", &D::finished),
         documents::readOnly<R, D>("RPCs", [](D& d, const db::Row& row) { d.receivedPieces = Decimal::fromVariant(row.value(QStringLiteral("RPCs"))); }),
         documents::readOnly<R, D>("RMtrs", [](D& d, const db::Row& row) { d.receivedMetres = Decimal::fromVariant(row.value(QStringLiteral("RMtrs"))); })}};
    return table;
}

std::vector<LineRow> lineRows(const JobChallan& c) {
    std::vector<LineRow> rows;
    int srno = 0;
    for (const JobLine& l : c.lines)
        if (l.qualityId > 0) rows.push_back({l, c.id, ++srno});
    return rows;
}

}  // namespace

Decimal JobLine::amount() const { return ((perPiece(rateOn) ? pieces : metres) * rate).roundHalfEven(2); }

JobTotals JobChallan::totals() const {
    JobTotals t;
    for (const JobLine& l : lines) t.amount += l.amount();
    t.discount = t.amount.percent(discountPercent).roundHalfEven(2);
    t.taxable = (t.amount - t.discount + otherPlus - otherLess).roundHalfEven(2);
    t.sgst = t.taxable.percent(sgstPercent).roundHalfEven(2);
    t.cgst = t.taxable.percent(cgstPercent).roundHalfEven(2);
    t.igst = t.taxable.percent(igstPercent).roundHalfEven(2);
    t.bill = (t.taxable + t.sgst + t.cgst + t.igst).billRoundOff();
    if (tdsPercent > Decimal()) t.tds = t.taxable.percent(tdsPercent).billRoundOff();
    return t;
}

JobProcessChallans::JobProcessChallans(db::Database& db, Session& session, Messages& messages)
    : db_(db), session_(session), messages_(messages) {}

qint64 JobProcessChallans::nextChallanNo(qint64 bookId, bool receipt) {
    return db_.scalar(QStringLiteral("SELECT COALESCE(MAX(ChNo), 0) FROM JobWork_IssueMst WHERE BookId = ? AND FormId = ? AND IsOp = 0 AND FirmNO = ?"),
                      {bookId, receipt ? kJobReceiptForm : kJobIssueForm, session_.firmNo})
               .toLongLong() +
           1;
}

std::vector<PendingJobLine> JobProcessChallans::pendingLines(qint64 partyId) {
    std::vector<PendingJobLine> out;
    db_.forEach(QStringLiteral("SELECT m.Id, m.ChNo, d.Srno, d.PCode, p.ProdName, d.Qty2 - d.RPCs AS PendPcs, d.PQty - d.RMtrs AS PendMtrs, "
                               "d.PM, d.PRate FROM JobWork_IssueMst m JOIN JobWork_IssueDtl d ON d.BillMstId = m.Id "
                               "LEFT JOIN ProdMst p ON p.Id = d.PCode WHERE m.FirmNO = ? AND m.FormId = 14 AND m.PartyID = ? "
                               "AND d.IsFinished = 0 ORDER BY m.BillDate, m.ChNo, d.Srno"),
                {session_.firmNo, partyId}, [&](const db::Row& r) {
                    PendingJobLine l;
                    l.issueId = r.integer(QStringLiteral("Id"));
                    l.challanNo = r.integer(QStringLiteral("ChNo"));
                    l.srno = int(r.integer(QStringLiteral("Srno")));
                    l.qualityId = r.integer(QStringLiteral("PCode"));
                    l.quality = r.text(QStringLiteral("ProdName"));
                    l.pendingPieces = Decimal::fromVariant(r.value(QStringLiteral("PendPcs"))).roundHalfEven(3);
                    l.pendingMetres = Decimal::fromVariant(r.value(QStringLiteral("PendMtrs"))).roundHalfEven(3);
                    l.rateOn = r.text(QStringLiteral("PM"));
                    l.rate = Decimal::fromVariant(r.value(QStringLiteral("PRate")));
                    out.push_back(l);
                });
    return out;
}

std::vector<JobLine> JobProcessChallans::linesFromIssue(const std::vector<std::pair<qint64, int>>& ticked) {
    std::vector<JobLine> lines;
    for (const auto& [issue, srno] : ticked) {
        const auto r = db_.queryOne(QStringLiteral("SELECT d.* FROM JobWork_IssueDtl d JOIN JobWork_IssueMst m ON m.Id = d.BillMstId "
                                                   "WHERE d.BillMstId = ? AND d.Srno = ? AND m.FirmNO = ? AND m.FormId = 14 AND d.IsFinished = 0"),
                                    {issue, srno, session_.firmNo});
        if (!r) continue;
        JobLine l;
        lineTable().read(l, *r);
        l.pieces = (l.pieces - l.receivedPieces).roundHalfEven(3);
        l.metres = (l.metres - l.receivedMetres).roundHalfEven(3);
        l.receivedPieces = {};
        l.receivedMetres = {};
        l.issueId = issue;
        l.issueSrno = srno;
        l.finished = true;
        lines.push_back(l);
    }
    return lines;
}

bool JobProcessChallans::validate(const JobChallan& c) {
    if (refuseChallanHeader(db_, session_, messages_, c.partyId, c.bookId, c.date, c.challanNo)) return false;
    if (lineRows(c).empty()) {
        messages_.critical(QStringLiteral("System Validation"), QStringLiteral("Please Select Party NAme and Quality"));
        return false;
    }
    QSet<QPair<qint64, int>> seen;
    for (const LineRow& row : lineRows(c)) {
        const JobLine& l = row.line;
        if (l.pieces.isNegative() || l.metres.isNegative() || l.rate.isNegative() || (l.pieces.isZero() && l.metres.isZero())) {
            messages_.critical(QStringLiteral("Invalid Entry"), QStringLiteral("Pcs/Taka or Mtrs must be more than 0 on line ") +
                                                                    QString::number(row.srno));
            return false;
        }
        if (db_.scalar(QStringLiteral("SELECT count(*) FROM ProdMst WHERE Id = ? AND FirmNO = ?"), {l.qualityId, session_.firmNo}).toInt() == 0) {
            messages_.critical(QStringLiteral("System Validation"), QStringLiteral("Please Select Party NAme and Quality"));
            return false;
        }
        if (c.receipt) {
            if (l.issueId <= 0 || l.issueSrno <= 0 || seen.contains({l.issueId, l.issueSrno})) {
                messages_.critical(QStringLiteral("System Validation"),
                                   QStringLiteral("Line ") + QString::number(row.srno) + QStringLiteral(" does not receive an open issue line"));
                return false;
            }
            seen.insert({l.issueId, l.issueSrno});
        }
        if (documents::refuseTooLong(messages_, lineTable().tooLong(row))) return false;
    }
    (void)c.totals();
    return !documents::refuseTooLong(messages_, headerTable().tooLong({c, session_.firmNo, {}}));
}

bool JobProcessChallans::refuseReceived(qint64 issueId) {
    if (db_.scalar(QStringLiteral("SELECT count(*) FROM JobWork_IssueDtl WHERE IssueChId = ?"), {issueId}).toInt() == 0) return false;
    refuseIssueInReceipt(messages_);
    return true;
}

bool JobProcessChallans::receive(const JobChallan& c) {
    for (const LineRow& row : lineRows(c)) {
        const JobLine& l = row.line;
        const auto issued = db_.queryOne(QStringLiteral("SELECT d.Qty2 - d.RPCs AS PendPcs, d.PQty - d.RMtrs AS PendMtrs, d.Qty2, m.ChNo, m.PartyID "
                                                        "FROM JobWork_IssueDtl d JOIN JobWork_IssueMst m ON m.Id = d.BillMstId "
                                                        "WHERE d.BillMstId = ? AND d.Srno = ? AND m.FirmNO = ? AND m.FormId = 14 AND d.IsFinished = 0"),
                                         {l.issueId, l.issueSrno, session_.firmNo});
        if (!issued || issued->integer(QStringLiteral("PartyID")) != c.partyId) {
            messages_.critical(QStringLiteral("System Validation"),
                               QStringLiteral("Line ") + QString::number(row.srno) + QStringLiteral(" does not receive an open issue line"));
            return false;
        }
        // Pieces are counted: never more back than went out. Metres may come back longer.
        const bool countsPieces = issued->number(QStringLiteral("Qty2")) > 0;
        const Decimal pending = Decimal::fromVariant(issued->value(countsPieces ? QStringLiteral("PendPcs") : QStringLiteral("PendMtrs"))).roundHalfEven(3);
        const Decimal back = countsPieces ? l.pieces : l.metres;
        if (back > pending && (countsPieces || l.shortLong.isZero())) {
            messages_.critical(QStringLiteral("Receive More Than Issue"),
                               QStringLiteral("Line ") + QString::number(row.srno) + QStringLiteral(" : ") + back.toString(3) +
                                   (countsPieces ? QStringLiteral(" Pcs/Taka") : QStringLiteral(" Mtrs")) + QStringLiteral(" are more than the ") +
                                   pending.toString(3) + QStringLiteral(" pending of Challan No ") +
                                   QString::number(issued->integer(QStringLiteral("ChNo"))));
            return false;
        }
        const int taken = db_.exec(QStringLiteral("UPDATE JobWork_IssueDtl SET IsFinished = ?, RPCs = ROUND((RPCs + ?) * 1000) / 1000.0, "
                                                  "RMtrs = ROUND((RMtrs + ?) * 1000) / 1000.0 WHERE BillMstId = ? AND Srno = ? AND IsFinished = 0 "
                                                  "AND (Qty2 <= 0 OR Qty2 - RPCs > ? - 0.0005)"),
                                   {l.finished ? 1 : 0, l.pieces.roundHalfEven(3).toDouble(), l.metres.roundHalfEven(3).toDouble(), l.issueId,
                                    l.issueSrno, l.pieces.roundHalfEven(3).toDouble()});
        if (taken == 0) {
            messages_.critical(QStringLiteral("Receive More Than Issue"),
                               QStringLiteral("Line ") + QString::number(row.srno) + QStringLiteral(" is already received"));
            return false;
        }
    }
    return true;
}

void JobProcessChallans::takeBack(qint64 receiptId) {
    for (const db::Row& l : db_.query(QStringLiteral("SELECT IssueChId, IssueChSno, Qty2, PQty FROM JobWork_IssueDtl WHERE BillMstId = ?"), {receiptId}))
        db_.exec(QStringLiteral("UPDATE JobWork_IssueDtl SET IsFinished = 0, RPCs = ROUND((RPCs - ?) * 1000) / 1000.0, "
                                "RMtrs = ROUND((RMtrs - ?) * 1000) / 1000.0 WHERE BillMstId = ? AND Srno = ?"),
                 {l.number(QStringLiteral("Qty2")), l.number(QStringLiteral("PQty")), l.integer(QStringLiteral("IssueChId")),
                  l.integer(QStringLiteral("IssueChSno"))});
}

bool JobProcessChallans::post(const JobChallan& c) {
    trade::PurchaseInvoices purchases(db_, session_, messages_);
    const auto book = purchases.book(c.bookId);
    const JobTotals t = c.totals();
    const QString party = db_.scalar(QStringLiteral("SELECT AcName FROM AccMst WHERE Id = ?"), {c.partyId}).toString();
    ledger::JournalDocument doc;
    doc.tableCode = ledger::DocumentType::JobReceipt;
    doc.voucherNo = c.id;
    doc.date = c.date;
    doc.printedNo = c.gatePassNo.trimmed().isEmpty() ? QString::number(c.challanNo) : c.gatePassNo.trimmed();
    const QString gatePass = c.gatePassNo.trimmed();
    const QString credit = QStringLiteral("GP B.No - ") + gatePass + QStringLiteral(" - ") + party;
    const QString debit = QStringLiteral("Job W. Rec GP B.no - ") + gatePass + QLatin1Char('/') + QString::number(c.challanNo);
    ledger::PostingLines lines(doc);
    lines.add(c.partyId, QLatin1Char('C'), t.bill, credit);
    Decimal jobWork = t.bill;
    const std::pair<Decimal, std::pair<qint64, Decimal>> taxes[] = {{t.sgst, {book ? book->sgstAccount : 0, c.sgstPercent}},
                                                                   {t.cgst, {book ? book->cgstAccount : 0, c.cgstPercent}},
                                                                   {t.igst, {book ? book->igstAccount : 0, c.igstPercent}}};
    for (const auto& [amount, account] : taxes) {
        if (amount.isZero() || account.first <= 0) continue;
        lines.add(account.first, QLatin1Char('D'), amount, debit,
                  QStringLiteral("  (") + money(t.taxable) + QStringLiteral(" * ") + percentText(account.second) + QStringLiteral(" % )"));
        jobWork -= amount;
    }
    lines.add(book ? book->purchaseAccount : 0, QLatin1Char('D'), jobWork, debit);
    if (t.tds > Decimal() && book && book->tdsAccount > 0) {
        const QString tds = QStringLiteral("Job W. Rec GP B.no - ") + gatePass + QStringLiteral("  (") + money(t.taxable) + QStringLiteral(" * ") +
                            percentText(c.tdsPercent) + QStringLiteral(" % )");
        lines.add(c.partyId, QLatin1Char('D'), t.tds, tds);
        lines.add(book->tdsAccount, QLatin1Char('C'), t.tds, tds);
    }
    try {
        ledger::Journal(db_, session_).post(doc, ledger::Replace::WholeJournal);
    } catch (const ledger::PostingRefused&) {
        messages_.critical(ledger::ledgerNotSavedTitle(), ledger::ledgerProblemText());
        return false;
    }
    return true;
}

std::optional<qint64> JobProcessChallans::save(JobChallan& c) {
    if (documents::refuseSave(session_, messages_, c.id)) return std::nullopt;
    if (!validate(c)) return std::nullopt;
    const int form = formOf(c);
    db::Transaction tx(db_);
    db_.lockSeries(jobLockName());
    const qint64 previousId = c.id;
    if (previousId != 0) {
        const auto old = db_.queryOne(QStringLiteral("SELECT BillSrno FROM JobWork_IssueMst WHERE Id = ? AND FirmNO = ? AND FormId = ?"),
                                      {previousId, session_.firmNo, form});
        if (!old) {
            messages_.critical(QStringLiteral("System Validation"), QStringLiteral("Challan not found"));
            return std::nullopt;
        }
        if (!c.receipt && refuseReceived(previousId)) return std::nullopt;
        c.serial = old->integer(QStringLiteral("BillSrno"));
        if (c.receipt) takeBack(previousId);
    }
    if (c.challanNo <= 0) {
        c.challanNo = nextChallanNo(c.bookId, c.receipt);
    } else if (db_.scalar(QStringLiteral("SELECT count(*) FROM JobWork_IssueMst WHERE ChNo = ? AND BookId = ? AND FormId = ? AND FirmNO = ? AND Id <> ?"),
                          {c.challanNo, c.bookId, form, session_.firmNo, previousId})
                   .toInt() > 0) {
        messages_.critical(QStringLiteral("Bill NO Duplication"), QStringLiteral("Challan No ") + QString::number(c.challanNo) +
                                                                      QStringLiteral(" is Already exist!"));
        return std::nullopt;
    }
    if (c.serial <= 0) c.serial = db_.nextKey(kHeader, QStringLiteral("BillSrno"), QStringLiteral("FormId = ?"), {form});
    c.id = previousId != 0 ? previousId : db_.nextKey(kHeader, QStringLiteral("Id"));
    if (!c.receipt)
        for (JobLine& l : c.lines) {
            l.issueId = 0;
            l.issueSrno = 0;
            l.finished = false;
        }
    // A receipt takes the job process of the issue it receives when none was typed.
    if (c.receipt && c.process.trimmed().isEmpty())
        for (const JobLine& l : c.lines)
            if (l.issueId > 0) {
                c.process = db_.scalar(QStringLiteral("SELECT ProcessName FROM JobWork_IssueMst WHERE Id = ?"), {l.issueId}).toString();
                break;
            }
    if (c.receipt && !receive(c)) {
        c.id = previousId;
        return std::nullopt;
    }
    headerTable().write(db_, {c, session_.firmNo, c.totals()}, c.id);
    lineTable().replaceLines(db_, QStringLiteral("BillMstId"), c.id, lineRows(c));
    if (c.receipt && !post(c)) {
        c.id = previousId;
        return std::nullopt;
    }
    tx.commit();
    messages_.information(QStringLiteral("Save Confirmation"), QStringLiteral("ONE TRANSACTION IS SAVED"));
    return c.id;
}

bool JobProcessChallans::remove(qint64 id) {
    if (documents::refuseChange(session_, messages_, documents::Change::Delete)) return false;
    const auto h = db_.queryOne(QStringLiteral("SELECT FormId FROM JobWork_IssueMst WHERE Id = ? AND FirmNO = ?"), {id, session_.firmNo});
    if (!h) return false;
    const bool receipt = h->integer(QStringLiteral("FormId")) == kJobReceiptForm;
    if (!receipt && refuseReceived(id)) return false;
    if (!messages_.ask(QStringLiteral("Delete Confirmation"),
                       receipt ? QStringLiteral("Are you sure to delete this Job Work") : QStringLiteral("Are you sure to delete this Invoice")))
        return false;
    db::Transaction tx(db_);
    db_.lockSeries(jobLockName());
    if (!receipt && refuseReceived(id)) return false;
    if (receipt) {
        takeBack(id);
        ledger::Journal(db_, session_).removeDocument(kJobReceiptForm, id);
    }
    documents::deleteDocument(db_, {kHeader, {{kLines, QStringLiteral("BillMstId")}}, receipt ? kJobReceiptForm : kJobIssueForm}, id, session_.firmNo);
    tx.commit();
    messages_.information(QStringLiteral("Delete Confirmation"), QStringLiteral("Invoice Is Deleted!"));
    return true;
}

std::optional<JobChallan> JobProcessChallans::load(qint64 id) {
    const auto h = db_.queryOne(QStringLiteral("SELECT * FROM JobWork_IssueMst WHERE Id = ? AND FirmNO = ?"), {id, session_.firmNo});
    if (!h) return std::nullopt;
    JobChallan c;
    c.id = id;
    headerTable().read(c, *h);
    lineTable().readLines(db_, QStringLiteral("BillMstId"), id, c.lines);
    return c;
}

documents::DocumentPage JobProcessChallans::challanList(bool receipt, const documents::ListFilter& filter) {
    documents::ListQuery q(QStringLiteral("JobWork_IssueMst m LEFT JOIN AccMst a ON a.Id = m.PartyID"),
                           QStringLiteral("m.FirmNO = ? AND m.FormId = ? AND m.IsOp = 0"), {session_.firmNo, receipt ? kJobReceiptForm : kJobIssueForm},
                           QStringLiteral("CAST(m.ChNo AS VARCHAR(20))"), QStringLiteral("m.BillDate"), QStringLiteral("a.AcName"),
                           QStringLiteral("m.BillAmount"));
    q.texts = {QStringLiteral("m.ProcessName"), QStringLiteral("m.AGAINST")};
    q.figures = {QStringLiteral("(SELECT COALESCE(SUM(d.Qty2), 0) FROM JobWork_IssueDtl d WHERE d.BillMstId = m.Id)"),
                 QStringLiteral("(SELECT COALESCE(SUM(d.PQty), 0) FROM JobWork_IssueDtl d WHERE d.BillMstId = m.Id)")};
    return documents::listDocuments(db_, q, filter);
}

}  // namespace tanabana::mill
