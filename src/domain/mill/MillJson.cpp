#include "domain/mill/MillJson.h"

#include "domain/mill/MillIssues.h"
#include "domain/mill/MillReceipts.h"
#include "domain/trade/JsonFields.h"

namespace tanabana::mill {

using trade::Fields;

namespace {

const QStringList kIssueKeys{QStringLiteral("book"),      QStringLiteral("number"),       QStringLiteral("date"),
                             QStringLiteral("mill"),      QStringLiteral("quality"),      QStringLiteral("rate"),
                             QStringLiteral("process"),   QStringLiteral("broker"),       QStringLiteral("reference"),
                             QStringLiteral("transport"), QStringLiteral("tempo"),        QStringLiteral("lr"),
                             QStringLiteral("lrDate"),    QStringLiteral("notes"),        QStringLiteral("weaver"),
                             QStringLiteral("purchaseBill"), QStringLiteral("looms"),     QStringLiteral("takas"),
                             QStringLiteral("lines")};
const QStringList kTakaKeys{QStringLiteral("taka"),   QStringLiteral("mtrs"),   QStringLiteral("weight"), QStringLiteral("marka"),
                            QStringLiteral("design"), QStringLiteral("colour"), QStringLiteral("remarks")};
const QStringList kReceiptKeys{QStringLiteral("book"),       QStringLiteral("number"),     QStringLiteral("date"),
                               QStringLiteral("mill"),       QStringLiteral("millChallan"), QStringLiteral("gatePass"),
                               QStringLiteral("lot"),        QStringLiteral("broker"),     QStringLiteral("creditDays"),
                               QStringLiteral("transport"),  QStringLiteral("tempo"),      QStringLiteral("lr"),
                               QStringLiteral("disc"),       QStringLiteral("other"),      QStringLiteral("otherLess"),
                               QStringLiteral("otherAfter"), QStringLiteral("otherAfterLess"), QStringLiteral("tds"),
                               QStringLiteral("notes"),      QStringLiteral("lines")};
const QStringList kReceiptLineKeys{QStringLiteral("issue"),  QStringLiteral("issueBook"), QStringLiteral("taka"),   QStringLiteral("grey"),
                                   QStringLiteral("finish"), QStringLiteral("rate"),      QStringLiteral("fin"),    QStringLiteral("weight"),
                                   QStringLiteral("marka"),  QStringLiteral("colour"),    QStringLiteral("design"), QStringLiteral("remarks"),
                                   QStringLiteral("finishQuality"), QStringLiteral("greyRet")};
const QStringList kJobKeys{QStringLiteral("book"),    QStringLiteral("number"),    QStringLiteral("date"),     QStringLiteral("party"),
                           QStringLiteral("reference"), QStringLiteral("gatePass"), QStringLiteral("broker"), QStringLiteral("process"),
                           QStringLiteral("lot"),     QStringLiteral("creditDays"), QStringLiteral("transport"), QStringLiteral("tempo"),
                           QStringLiteral("lr"),      QStringLiteral("disc"),      QStringLiteral("other"),    QStringLiteral("otherLess"),
                           QStringLiteral("sgst"),    QStringLiteral("cgst"),      QStringLiteral("igst"),     QStringLiteral("tds"),
                           QStringLiteral("notes"),   QStringLiteral("lines")};
const QStringList kJobLineKeys{QStringLiteral("quality"), QStringLiteral("pcs"),    QStringLiteral("count"),  QStringLiteral("mtrs"),
                               QStringLiteral("rateOn"),  QStringLiteral("rate"),   QStringLiteral("design"), QStringLiteral("colour"),
                               QStringLiteral("remarks"), QStringLiteral("issue"),  QStringLiteral("issueBook"), QStringLiteral("line"),
                               QStringLiteral("shortLong"), QStringLiteral("fin")};

// "fin": true/false or "Y"/"N".
bool finFlag(const QJsonValue& fin) { return fin.isBool() ? fin.toBool() : fin.toString().trimmed().toUpper() != QStringLiteral("N"); }

// The issue line a job-process receipt line takes: the line of the named challan, given or the
// first still open of the quality (of any, without one); refused when the challan or line is not there.
std::pair<qint64, int> jobIssueLine(db::Database& db, const Session& s, const Fields& l, qint64 book, qint64 qualityId) {
    const qint64 challan = l.whole(QStringLiteral("issue"));
    const qint64 issueId = db.scalar(QStringLiteral("SELECT Id FROM JobWork_IssueMst WHERE FirmNO = ? AND FormId = 14 AND BookId = ? AND ChNo = ?"),
                                     {s.firmNo, book, challan})
                               .toLongLong();
    if (issueId == 0) l.refuse(QStringLiteral("\"issue\": no job-process issue %1 in book %2").arg(challan).arg(book));
    if (l.has(QStringLiteral("line"))) {
        const int srno = int(l.whole(QStringLiteral("line")));
        if (db.scalar(QStringLiteral("SELECT count(*) FROM JobWork_IssueDtl WHERE BillMstId = ? AND Srno = ?"), {issueId, srno}).toInt() == 0)
            l.refuse(QStringLiteral("\"line\": issue %1 has no line %2").arg(challan).arg(srno));
        return {issueId, srno};
    }
    const int srno = db.scalar(QStringLiteral("SELECT MIN(Srno) FROM JobWork_IssueDtl WHERE BillMstId = ? AND (? = 0 OR PCode = ?) AND IsFinished = 0"),
                               {issueId, qualityId, qualityId})
                         .toInt();
    if (srno <= 0) l.refuse(QStringLiteral("\"quality\": nothing of it is out on issue %1").arg(challan));
    return {issueId, srno};
}

// The extras of a taka given as an object.
void readTakaExtras(const Fields& t, MillIssueLine& line) {
    if (t.has(QStringLiteral("weight"))) line.weight = trade::nonNegative(t, QStringLiteral("weight"));
    line.marka = t.text(QStringLiteral("marka"));
    line.designNo = t.text(QStringLiteral("design"));
    line.colour = t.text(QStringLiteral("colour"));
    line.remarks = t.text(QStringLiteral("remarks"));
}

}  // namespace

bool millIssueFromJson(db::Database& db, Session& s, Messages& messages, const QJsonObject& object, MillIssue& issue) {
    const Fields f(object, {}, kIssueKeys);
    issue.bookId = trade::requireBook(db, s, f);
    issue.challanNo = f.whole(QStringLiteral("number"));
    issue.date = f.date(QStringLiteral("date"), true);
    issue.millId = trade::requireAccount(db, s, f, QStringLiteral("mill"), true);
    if (f.has(QStringLiteral("quality"))) issue.qualityId = trade::requireQuality(db, s, f);
    issue.rate = trade::nonNegative(f, QStringLiteral("rate"));
    issue.process = f.text(QStringLiteral("process"));
    issue.brokerId = trade::brokerRef(db, s, f);
    issue.reference = f.text(QStringLiteral("reference"));
    issue.transport = f.text(QStringLiteral("transport"));
    issue.tempoNo = f.text(QStringLiteral("tempo"));
    issue.lrNo = f.text(QStringLiteral("lr"));
    issue.lrDate = f.date(QStringLiteral("lrDate"), false);
    issue.notes = f.text(QStringLiteral("notes"));

    // Taka numbers of "takas", with the extras of those given as objects.
    QStringList numbers;
    std::vector<MillIssueLine> extras;
    const QJsonArray takas = f.array(QStringLiteral("takas"));
    for (int i = 0; i < takas.size(); ++i) {
        MillIssueLine extra;
        if (takas.at(i).isObject()) {
            const Fields t(takas.at(i).toObject(), QStringLiteral("taka %1").arg(i + 1), kTakaKeys);
            extra.takaNo = t.text(QStringLiteral("taka")).trimmed();
            readTakaExtras(t, extra);
        } else {
            extra.takaNo = takas.at(i).isDouble() ? QString::number(takas.at(i).toDouble(), 'g', 15) : takas.at(i).toString().trimmed();
        }
        if (extra.takaNo.isEmpty()) f.refuse(QStringLiteral("taka %1 has no number").arg(i + 1));
        numbers << extra.takaNo;
        extras.push_back(extra);
    }
    MillIssues service(db, s, messages);
    if (f.has(QStringLiteral("purchaseBill"))) {
        const qint64 weaver = trade::requireAccount(db, s, f, QStringLiteral("weaver"), true);
        const QString billNo = f.text(QStringLiteral("purchaseBill")).trimmed();
        const qint64 bill = db.scalar(QStringLiteral("SELECT Id FROM BillMst WHERE FirmNO = ? AND FormId = 1 AND PartyID = ? AND BillNO = ? AND IsOp = 0"),
                                      {s.firmNo, weaver, billNo})
                                .toLongLong();
        if (bill <= 0) f.refuse(QStringLiteral("\"purchaseBill\": no purchase bill %1 of that weaver").arg(billNo));
        if (!service.takeFromPurchase(issue, bill, numbers)) return false;
    } else if (f.has(QStringLiteral("looms")) && object.value(QStringLiteral("looms")).toBool()) {
        if (!service.takeFromProduction(issue, numbers)) return false;
    } else if (!numbers.isEmpty()) {
        f.refuse(QStringLiteral("\"takas\" come from a \"purchaseBill\" or the \"looms\"; typed takas are \"lines\""));
    }
    for (size_t i = 0; i < extras.size() && i < issue.lines.size(); ++i) {
        issue.lines[i].weight = extras[i].weight;
        issue.lines[i].marka = extras[i].marka;
        issue.lines[i].designNo = extras[i].designNo;
        issue.lines[i].colour = extras[i].colour;
        issue.lines[i].remarks = extras[i].remarks;
    }
    const QJsonArray lines = f.array(QStringLiteral("lines"));
    for (int i = 0; i < lines.size(); ++i) {
        const Fields t(trade::objectAt(lines, i, QStringLiteral("line")), QStringLiteral("line %1").arg(i + 1), kTakaKeys);
        MillIssueLine line;
        line.takaNo = t.text(QStringLiteral("taka")).trimmed();
        line.metres = trade::nonNegative(t, QStringLiteral("mtrs"));
        readTakaExtras(t, line);
        issue.lines.push_back(line);
    }
    return true;
}

MillReceipt millReceiptFromJson(db::Database& db, Session& s, Messages& messages, const QJsonObject& object) {
    const Fields f(object, {}, kReceiptKeys);
    MillReceipt r;
    r.bookId = trade::requireBook(db, s, f);
    r.challanNo = f.whole(QStringLiteral("number"));
    r.date = f.date(QStringLiteral("date"), true);
    r.millId = trade::requireAccount(db, s, f, QStringLiteral("mill"), true);
    r.millChallanNo = f.text(QStringLiteral("millChallan"));
    r.gatePassNo = f.text(QStringLiteral("gatePass"));
    r.lotNo = f.text(QStringLiteral("lot"));
    r.brokerId = trade::brokerRef(db, s, f);
    r.creditDays = int(f.whole(QStringLiteral("creditDays")));
    r.transport = f.text(QStringLiteral("transport"));
    r.tempoNo = f.text(QStringLiteral("tempo"));
    r.lrNo = f.text(QStringLiteral("lr"));
    r.discountPercent = trade::nonNegative(f, QStringLiteral("disc"));
    r.otherPlus = f.number(QStringLiteral("other"));
    r.otherLess = f.number(QStringLiteral("otherLess"));
    r.otherAfter = f.number(QStringLiteral("otherAfter"));
    r.otherAfterLess = f.number(QStringLiteral("otherAfterLess"));
    r.tdsPercent = trade::nonNegative(f, QStringLiteral("tds"));
    r.notes = f.text(QStringLiteral("notes"));
    MillReceipts service(db, s, messages);
    const QJsonArray lines = f.array(QStringLiteral("lines"));
    for (int i = 0; i < lines.size(); ++i) {
        const Fields l(trade::objectAt(lines, i, QStringLiteral("line")), QStringLiteral("line %1").arg(i + 1), kReceiptLineKeys);
        const qint64 book = l.has(QStringLiteral("issueBook")) ? l.whole(QStringLiteral("issueBook")) : r.bookId;
        const qint64 challan = l.whole(QStringLiteral("issue"));
        const qint64 issueId = db.scalar(QStringLiteral("SELECT Id FROM JobWork_IssueMst_1 WHERE FirmNO = ? AND FormId = 16 AND BookId = ? AND ChNo = ?"),
                                         {s.firmNo, book, challan})
                                   .toLongLong();
        if (issueId == 0) l.refuse(QStringLiteral("\"issue\": no mill issue %1 in book %2").arg(challan).arg(book));
        const QString taka = l.text(QStringLiteral("taka")).trimmed();
        const int srno = db.scalar(QStringLiteral("SELECT Srno FROM JobWork_IssueDtl_1 WHERE BillMstId = ? AND TakaNO = ?"), {issueId, taka}).toInt();
        if (srno <= 0) l.refuse(QStringLiteral("\"taka\": taka %1 is not on mill issue %2").arg(taka).arg(challan));
        auto offered = service.linesFromIssue(issueId, {srno});
        MillReceiptLine line;
        if (!offered.empty()) {
            line = offered.front();
        } else {
            // Already back: kept as typed, so the service refuses it with its own words.
            line.issueId = issueId;
            line.issueSrno = srno;
            line.takaNo = taka;
        }
        if (l.has(QStringLiteral("grey"))) line.greyMetres = trade::nonNegative(l, QStringLiteral("grey"));
        line.finishedMetres = trade::nonNegative(l, QStringLiteral("finish"));
        if (l.has(QStringLiteral("rate"))) line.rate = trade::nonNegative(l, QStringLiteral("rate"));
        if (l.has(QStringLiteral("fin"))) {
            const QJsonValue fin = lines.at(i).toObject().value(QStringLiteral("fin"));
            line.finished = finFlag(fin);
        }
        if (l.has(QStringLiteral("weight"))) line.weight = trade::nonNegative(l, QStringLiteral("weight"));
        if (l.has(QStringLiteral("marka"))) line.marka = l.text(QStringLiteral("marka"));
        if (l.has(QStringLiteral("colour"))) line.colour = l.text(QStringLiteral("colour"));
        if (l.has(QStringLiteral("design"))) line.designNo = l.text(QStringLiteral("design"));
        if (l.has(QStringLiteral("remarks"))) line.remarks = l.text(QStringLiteral("remarks"));
        if (l.has(QStringLiteral("finishQuality"))) line.finishedQualityId = trade::qualityRef(db, s, l.text(QStringLiteral("finishQuality")));
        if (l.has(QStringLiteral("greyRet"))) line.greyReturned = trade::nonNegative(l, QStringLiteral("greyRet"));
        r.lines.push_back(line);
    }
    return r;
}

JobChallan jobChallanFromJson(db::Database& db, Session& s, Messages& messages, const QJsonObject& object, bool receipt) {
    const Fields f(object, {}, kJobKeys);
    JobChallan c;
    c.receipt = receipt;
    c.bookId = trade::requireBook(db, s, f);
    c.challanNo = f.whole(QStringLiteral("number"));
    c.date = f.date(QStringLiteral("date"), true);
    c.partyId = trade::requireAccount(db, s, f, QStringLiteral("party"), true);
    c.reference = f.text(QStringLiteral("reference"));
    c.gatePassNo = f.text(QStringLiteral("gatePass"));
    c.brokerId = trade::brokerRef(db, s, f);
    c.process = f.text(QStringLiteral("process"));
    c.lotNo = f.text(QStringLiteral("lot"));
    c.creditDays = int(f.whole(QStringLiteral("creditDays")));
    c.transport = f.text(QStringLiteral("transport"));
    c.tempoNo = f.text(QStringLiteral("tempo"));
    c.lrNo = f.text(QStringLiteral("lr"));
    c.discountPercent = trade::nonNegative(f, QStringLiteral("disc"));
    c.otherPlus = f.number(QStringLiteral("other"));
    c.otherLess = f.number(QStringLiteral("otherLess"));
    c.sgstPercent = trade::nonNegative(f, QStringLiteral("sgst"));
    c.cgstPercent = trade::nonNegative(f, QStringLiteral("cgst"));
    c.igstPercent = trade::nonNegative(f, QStringLiteral("igst"));
    c.tdsPercent = trade::nonNegative(f, QStringLiteral("tds"));
    c.notes = f.text(QStringLiteral("notes"));
    JobProcessChallans service(db, s, messages);
    const QJsonArray lines = f.array(QStringLiteral("lines"));
    for (int i = 0; i < lines.size(); ++i) {
        const Fields l(trade::objectAt(lines, i, QStringLiteral("line")), QStringLiteral("line %1").arg(i + 1), kJobLineKeys);
        const qint64 quality = l.has(QStringLiteral("quality")) ? trade::qualityRef(db, s, l.text(QStringLiteral("quality"))) : 0;
        if (l.has(QStringLiteral("quality")) && quality <= 0) l.refuse(QStringLiteral("\"quality\": no item %1").arg(l.text(QStringLiteral("quality"))));
        JobLine line;
        if (receipt) {
            if (!l.has(QStringLiteral("issue"))) l.refuse(QStringLiteral("\"issue\" is required on a receipt line"));
            const qint64 book = l.has(QStringLiteral("issueBook")) ? l.whole(QStringLiteral("issueBook")) : c.bookId;
            const auto [issueId, srno] = jobIssueLine(db, s, l, book, quality);
            const auto offered = service.linesFromIssue({{issueId, srno}});
            if (!offered.empty()) {
                line = offered.front();
            } else {
                // Already back: kept as typed, so the service refuses it with its own words.
                line.issueId = issueId;
                line.issueSrno = srno;
                line.qualityId = db.scalar(QStringLiteral("SELECT PCode FROM JobWork_IssueDtl WHERE BillMstId = ? AND Srno = ?"), {issueId, srno}).toLongLong();
            }
            if (l.has(QStringLiteral("shortLong"))) line.shortLong = l.number(QStringLiteral("shortLong"));
            if (l.has(QStringLiteral("fin"))) line.finished = finFlag(lines.at(i).toObject().value(QStringLiteral("fin")));
        } else {
            if (quality <= 0) l.refuse(QStringLiteral("\"quality\" is required"));
            line.qualityId = quality;
            line.count = trade::nonNegative(l, QStringLiteral("count"));
        }
        if (l.has(QStringLiteral("pcs")) || !receipt) line.pieces = trade::nonNegative(l, QStringLiteral("pcs"));
        if (l.has(QStringLiteral("mtrs")) || !receipt) line.metres = trade::nonNegative(l, QStringLiteral("mtrs"));
        if (l.has(QStringLiteral("rateOn"))) {
            line.rateOn = l.text(QStringLiteral("rateOn")).trimmed().toUpper();
            if (line.rateOn != QStringLiteral("M") && line.rateOn != QStringLiteral("P")) l.refuse(QStringLiteral("\"rateOn\" is M or P"));
        }
        if (l.has(QStringLiteral("rate")) || !receipt) line.rate = trade::nonNegative(l, QStringLiteral("rate"));
        if (l.has(QStringLiteral("design"))) line.designNo = l.text(QStringLiteral("design"));
        if (l.has(QStringLiteral("colour"))) line.colour = l.text(QStringLiteral("colour"));
        if (l.has(QStringLiteral("remarks"))) line.remarks = l.text(QStringLiteral("remarks"));
        c.lines.push_back(line);
    }
    return c;
}

}  // namespace tanabana::mill
