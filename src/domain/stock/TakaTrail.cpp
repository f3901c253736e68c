#include "domain/stock/TakaTrail.h"

#include "domain/reports/ReportError.h"

#include <algorithm>

namespace tanabana::stock {

namespace {

const QString kTrailDate = QStringLiteral("dd-MM-yyyy");

// Taka lines of the mill issues of the firm up to the date (three bound values: firm, date and
// again the firm for the receipts) with the receipt that brought each back, when there is one.
const QString kMillMoves = QStringLiteral(
    "SELECT im.Id AS IssueId, im.PurBillId, im.QId, im.IsOp, im.BillNO AS IssueNo, im.BillDate AS IssueDate, "
    "COALESCE(ma.AcName, '') AS Mill, im.LotNO AS IssueLot, id.TakaNO, id.Mtrs AS IssueMtrs, id.Srno, id.F_NO AS FNo "
    "FROM JobWork_IssueMst_1 im INNER JOIN JobWork_IssueDtl_1 id ON id.BillMstId = im.Id "
    "LEFT JOIN AccMst ma ON ma.Id = im.PartyID WHERE im.IType = 'I' AND im.FirmNO = ? AND im.BillDate <= ?");
const QString kReceipts = QStringLiteral(
    "SELECT rd.IssueChId, rd.IssueChSno, rm.BillDate AS RecDate, rm.LotNO AS RecLot, rd.RMtrs, COALESCE(fp.ProdName, '') AS FinQuality "
    "FROM JobWork_IssueMst_1 rm INNER JOIN JobWork_IssueDtl_1 rd ON rd.BillMstId = rm.Id "
    "LEFT JOIN ProdMst fp ON fp.Id = rd.QidDtl WHERE rm.IType = 'R' AND rm.FirmNO = ? AND rm.BillDate <= ?");
const QString kMillColumns = QStringLiteral(
    "iss.IssueDate, iss.Mill, COALESCE(iss.IssueLot, '') AS IssueLot, rec.RecDate, COALESCE(rec.RecLot, '') AS RecLot, "
    "COALESCE(rec.RMtrs, 0) AS RMtrs, COALESCE(rec.FinQuality, '') AS FinQuality");
const QString kReceiptJoin = QStringLiteral(" rec ON rec.IssueChId = iss.IssueId AND rec.IssueChSno = iss.Srno ");

QString prefixCondition(db::Database& db, const QString& column, const TakaSearch& s, QVariantList& params) {
    if (s.takaNo.trimmed().isEmpty()) return {};
    params << s.takaNo.trimmed() + QLatin1Char('%');
    return QStringLiteral(" AND ") + db.dialect().likeInsensitive(column);
}

QString text(const db::Row& r, const char* column) { return r.text(QString::fromLatin1(column)).trimmed(); }

TakaPlace placeOf(const db::Row& r, const QDate& onDate) {
    TakaPlace t;
    t.takaNo = text(r, "TakaNO");
    t.woven = r.integer(QStringLiteral("Woven")) == 1;
    t.document = text(r, "Doc");
    t.documentDate = r.date(QStringLiteral("DocDate"));
    t.supplier = text(r, "Supplier");
    t.quality = text(r, "Quality");
    t.metres = Decimal::fromVariant(r.value(QStringLiteral("Mtrs")));
    t.since = t.documentDate;
    const QDate issued = r.date(QStringLiteral("IssueDate"));
    const QDate received = r.date(QStringLiteral("RecDate"));
    const QDate challan = r.date(QStringLiteral("ChallanDate"));
    if (received.isValid()) {
        t.state = TakaState::Received;
        t.place = text(r, "Mill");
        t.since = received;
        t.finishedMetres = Decimal::fromVariant(r.value(QStringLiteral("RMtrs")));
        t.finishedQuality = text(r, "FinQuality");
        t.lotNo = text(r, "RecLot");
    } else if (issued.isValid()) {
        t.state = TakaState::AtMill;
        t.place = text(r, "Mill");
        t.since = issued;
        t.lotNo = text(r, "IssueLot");
    } else if (challan.isValid()) {
        t.state = r.integer(QStringLiteral("Billed")) > 0 ? TakaState::Sold : TakaState::OnChallan;
        t.place = text(r, "ChallanParty");
        t.since = challan;
    }
    if (t.lotNo.isEmpty()) t.lotNo = text(r, "IssueLot");
    if (t.since.isValid()) t.days = int(t.since.daysTo(onDate));
    return t;
}

// Taka numbers in numeric order where they are numbers ("9" before "10"), else by text.
bool takaOrder(const TakaPlace& a, const TakaPlace& b) {
    bool aNumber = false, bNumber = false;
    const qint64 x = a.takaNo.toLongLong(&aNumber), y = b.takaNo.toLongLong(&bNumber);
    if (aNumber != bNumber) return aNumber;
    if (aNumber && x != y) return x < y;
    if (a.takaNo != b.takaNo) return a.takaNo < b.takaNo;
    return a.documentDate < b.documentDate;
}

}  // namespace

QString stateText(TakaState state) {
    switch (state) {
    case TakaState::InGodown: return QStringLiteral("In Godown");
    case TakaState::AtMill: return QStringLiteral("At Mill");
    case TakaState::Received: return QStringLiteral("Received");
    case TakaState::OnChallan: return QStringLiteral("On Challan");
    case TakaState::Sold: return QStringLiteral("Sold");
    }
    return {};
}

std::vector<TakaPlace> takaPlaces(db::Database& db, qint64 firmNo, const TakaSearch& search) {
    const QDate on = search.onDate;
    QVariantList params;
    auto millParams = [&] { params << firmNo << on << firmNo << on; };

    // Bought takas: the taka list of the firm's purchase bills, followed to the mill by the issue
    // that names the bill.
    millParams();
    QString bought = QStringLiteral("SELECT t.TakaNO, 0 AS Woven, b.BillNO AS Doc, b.BillDate AS DocDate, COALESCE(a.AcName, '') AS Supplier, "
                                    "COALESCE(p.ProdName, '') AS Quality, t.Mtrs, ") +
                     kMillColumns +
                     QStringLiteral(", NULL AS ChallanDate, '' AS ChallanParty, 0 AS Billed "
                                    "FROM BillMst_TakaDetail t INNER JOIN BillMst b ON b.Id = t.BillMst_Id "
                                    "LEFT JOIN BillDtl bd ON bd.BillMstId = b.Id AND bd.Srno = t.BillSrno "
                                    "LEFT JOIN ProdMst p ON p.Id = bd.PCode LEFT JOIN AccMst a ON a.Id = b.PartyID "
                                    "LEFT JOIN (") +
                     kMillMoves + QStringLiteral(") iss ON iss.PurBillId = b.Id AND iss.IsOp = 0 AND iss.TakaNO = t.TakaNO LEFT JOIN (") + kReceipts +
                     QStringLiteral(")") + kReceiptJoin + QStringLiteral("WHERE b.FirmNO = ? AND b.FormId = 1 AND b.Id > 0 AND b.BillDate <= ?");
    params << firmNo << on;
    bought += prefixCondition(db, QStringLiteral("t.TakaNO"), search, params);

    // Woven takas: the production challans, to the mill as grey (an issue line naming the taka and
    // the firm that wove it) or out on a delivery challan.
    QString woven = QStringLiteral("SELECT pd.TakaNO, 1, pm.ChNo, pm.ChDate, COALESCE(a.AcName, ''), COALESCE(p.ProdName, ''), pd.Mtrs, ") +
                    kMillColumns +
                    QStringLiteral(", ch.BillDate, COALESCE(ca.AcName, ''), "
                                   "(SELECT count(*) FROM SalBillDtl sd INNER JOIN SalBillMst sm ON sm.Id = sd.BillMstId "
                                   "WHERE sd.DChId = ch.Id AND COALESCE(sd.DChForm, 0) = 0 AND sm.BillDate <= ?) "
                                   "FROM ProductionDtl pd INNER JOIN ProductionMst pm ON pm.Id = pd.ProdId "
                                   "LEFT JOIN ProdMst p ON p.Id = pd.qId LEFT JOIN AccMst a ON a.Id = pm.PartyID LEFT JOIN (") +
                    kMillMoves +
                    QStringLiteral(") iss ON iss.PurBillId = 0 AND iss.IsOp = 0 AND iss.FNo = pm.FirmNo AND iss.TakaNO = pd.TakaNO LEFT JOIN (") +
                    kReceipts + QStringLiteral(")") + kReceiptJoin +
                    QStringLiteral("LEFT JOIN ChalanMst ch ON ch.Id = pd.PChId AND pd.PChId > 0 AND ch.FirmNO = pm.FirmNo AND ch.BillDate <= ? "
                                   "LEFT JOIN AccMst ca ON ca.Id = ch.PartyID "
                                   "WHERE pm.FirmNo = ? AND pm.Id > 0 AND pm.ChDate <= ?");
    // Bound in the order of the text: the bills' date, the mill moves, the challan, the takas.
    params << on;
    millParams();
    params << on << firmNo << on;
    woven += prefixCondition(db, QStringLiteral("pd.TakaNO"), search, params);

    // Takas carried in at the mill from last year: their purchase lies in the old books.
    millParams();
    QString carried = QStringLiteral("SELECT iss.TakaNO, 0, iss.IssueNo, iss.IssueDate, '', COALESCE(p.ProdName, ''), iss.IssueMtrs, ") +
                      kMillColumns +
                      QStringLiteral(", NULL, '', 0 FROM (") + kMillMoves + QStringLiteral(") iss LEFT JOIN (") + kReceipts +
                      QStringLiteral(")") + kReceiptJoin + QStringLiteral("LEFT JOIN ProdMst p ON p.Id = iss.QId WHERE iss.IsOp <> 0");
    carried += prefixCondition(db, QStringLiteral("iss.TakaNO"), search, params);

    std::vector<TakaPlace> places;
    db.forEach(bought + QStringLiteral(" UNION ALL ") + woven + QStringLiteral(" UNION ALL ") + carried, params, [&](const db::Row& r) {
        TakaPlace t = placeOf(r, on);
        if (search.atMillOnly && t.state != TakaState::AtMill) return;
        places.push_back(std::move(t));
    });
    std::stable_sort(places.begin(), places.end(), takaOrder);
    return places;
}

reports::RegisterDefinition takaRegister(const QString& takaNo, bool atMillOnly) {
    reports::RegisterDefinition d;
    d.name = QStringLiteral("takas");
    d.command = QStringLiteral("mnu_rep16");
    d.kind = atMillOnly ? QStringLiteral("At Mill") : QStringLiteral("Every Taka");
    d.title = QStringLiteral("Where Is Every Taka");
    d.layout = QStringLiteral("Taka_Trail.rpt");
    d.pdfName = QStringLiteral("Taka_Trail");
    d.singleDate = true;
    d.compute = [takaNo, atMillOnly](db::Database& db, const Session& session, reports::RegisterResult& result) {
        const QDate on = result.choice.to;
        if (!on.isValid() || !session.inYear(on)) throw reports::ReportError(QStringLiteral("Please Select Proper Date"));
        const std::vector<TakaPlace> places = takaPlaces(db, session.firmNo, {on, takaNo, atMillOnly});
        reports::ResultSet& data = result.data;
        data.columns = {QStringLiteral("TakaNO"), QStringLiteral("Quality"), QStringLiteral("Mtrs"),     QStringLiteral("Source"),
                        QStringLiteral("Supplier"), QStringLiteral("State"), QStringLiteral("Place"),  QStringLiteral("Since"),
                        QStringLiteral("Days"),   QStringLiteral("FinMtrs"), QStringLiteral("FinQuality"), QStringLiteral("LotNO")};
        for (const TakaPlace& t : places)
            data.rows.push_back({t.takaNo, t.quality, t.metres.toString(2),
                                 (t.woven ? QStringLiteral("Prod ") : QString()) + t.document + QLatin1Char(' ') + t.documentDate.toString(kTrailDate),
                                 t.supplier, stateText(t.state), t.place, t.since, t.days,
                                 t.finishedMetres.toString(2), t.finishedQuality, t.lotNo});
        result.title = QStringLiteral("Where Is Every Taka As On ") + on.toString(kTrailDate);
        QStringList filters;
        if (!takaNo.trimmed().isEmpty()) filters << QStringLiteral("Taka No : ") + takaNo.trimmed();
        if (atMillOnly) filters << QStringLiteral("At Mill Only");
        result.filters = filters.join(QStringLiteral("   "));
    };
    return d;
}

}  // namespace tanabana::stock
