#include "domain/trade/DeliveryChallans.h"

#include "core/Words.h"
#include "domain/shell/Lookups.h"
#include "domain/trade/DocumentRules.h"
#include "domain/trade/InvoiceMath.h"
#include "domain/trade/PartyRates.h"

namespace tanabana::trade {

namespace {

const QString kMst = QStringLiteral("ChalanMst");
const QString kDtl = QStringLiteral("ChalanDtl");

QString inWords(Decimal amount) { return QStringLiteral("Rs. ") + AmountInWords(amount) + QStringLiteral(" Only."); }

}  // namespace

Decimal ChallanLine::amount() const { return challanLineAmount(pieces, metres, rateOn, rate); }

Decimal DeliveryChallan::amount() const {
    Decimal sum;
    for (const ChallanLine& l : lines) sum += l.amount();
    return sum.roundHalfEven(2);
}

DeliveryChallans::DeliveryChallans(db::Database& db, Session& session, Messages& messages)
    : db_(db), session_(session), messages_(messages) {}

QString DeliveryChallans::nextChallanNo(qint64 bookNo) {
    const QVariant last = db_.scalar(QStringLiteral("SELECT BillNO FROM ChalanMst WHERE BookNO = ? AND BillNO IS NOT NULL AND FirmNO = ? "
                                                    "ORDER BY BillDate DESC, Id DESC") + db_.dialect().limit(1),
                                     {bookNo, session_.firmNo});
    return followingNumber(last.toString());
}

qint64 DeliveryChallans::findByNumber(qint64 bookNo, const QString& challanNo) {
    return shell::challanIdByNumber(db_, session_.firmNo, bookNo, challanNo.trimmed());
}

bool DeliveryChallans::validate(const DeliveryChallan& c) {
    bool anyLine = false;
    for (const ChallanLine& l : c.lines) anyLine = anyLine || l.qualityId > 0;
    if (c.partyId <= 0 || c.bookNo <= 0 || c.challanNo.trimmed().isEmpty() || !anyLine) {
        refuseMissingPartyOrQuality(messages_);
        return false;
    }
    if (!c.date.isValid() || !session_.inYear(c.date)) {
        messages_.critical(QStringLiteral("Date Validate"), QStringLiteral("Please Select Proper Date"));
        return false;
    }
    for (const ChallanLine& l : c.lines) {
        if (l.pieces.isNegative() || l.metres.isNegative() || l.rate.isNegative() || l.cut.isNegative()) {
            messages_.critical(QStringLiteral("Invalid Entry"), QStringLiteral("Quantities and rates cannot be negative"));
            return false;
        }
    }
    return true;
}

void DeliveryChallans::writeHeader(const DeliveryChallan& c) {
    const Decimal amount = c.amount();
    const QVariantList values{
        session_.firmNo, c.bookNo, fitted(kMst, QStringLiteral("BillNO"), c.challanNo), QVariant(c.date), c.partyId,
        c.deliveryId > 0 ? c.deliveryId : c.partyId, c.brokerId, fitted(kMst, QStringLiteral("OrderNO"), c.orderNo),
        amount.toDouble(), amount.toDouble(), fitted(kMst, QStringLiteral("InWords"), inWords(amount)),
        fitted(kMst, QStringLiteral("Notes"), c.notes), fitted(kMst, QStringLiteral("TrNO"), c.station),
        fitted(kMst, QStringLiteral("Transport"), c.transport), fitted(kMst, QStringLiteral("T_LrTransID"), c.transporterId),
        fitted(kMst, QStringLiteral("T_VehNO"), c.vehicleNo), fitted(kMst, QStringLiteral("LrNo"), c.lrNo), QVariant(c.lrDate),
        fitted(kMst, QStringLiteral("FreightType"), c.freightType), c.caseNo, c.id};
    const int updated = db_.exec(
        QStringLiteral("UPDATE ChalanMst SET FirmNO = ?, FormId = 3, BookNO = ?, BillNO = ?, BillDate = ?, PartyID = ?, DeliId = ?, "
                       "BrokerId = ?, OrderNO = ?, Amt = ?, BillAmount = ?, InWords = ?, Notes = ?, TrNO = ?, Transport = ?, "
                       "T_LrTransID = ?, T_VehNO = ?, LrNo = ?, LrDt = ?, FreightType = ?, CaseNO = ?, Is_Upload = 0 WHERE Id = ?"),
        values);
    if (updated == 0)
        db_.exec(QStringLiteral("INSERT INTO ChalanMst (FirmNO, BookNO, BillNO, BillDate, PartyID, DeliId, BrokerId, OrderNO, Amt, "
                                "BillAmount, InWords, Notes, TrNO, Transport, T_LrTransID, T_VehNO, LrNo, LrDt, FreightType, CaseNO, "
                                "Id, FormId, IsSale, Is_Upload) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
                                "3, 0, 0)"),
                 values);
}

void DeliveryChallans::writeLines(const DeliveryChallan& c) {
    db_.exec(QStringLiteral("DELETE FROM ChalanDtl WHERE BillMstId = ?"), {c.id});
    int srno = 0;
    std::vector<PartyRate> rates;
    for (const ChallanLine& l : c.lines) {
        if (l.qualityId <= 0) continue;
        ++srno;
        const QString rateOn = l.rateOn.trimmed().toUpper() == QStringLiteral("P") ? QStringLiteral("P") : QStringLiteral("M");
        db_.exec(QStringLiteral("INSERT INTO ChalanDtl (BillMstId, Srno, PCode, RC3, Nos, APack, Qty, RateOn, Rate, SRate, Amt, RC1, "
                                "RC2, Qty3, Is_Reconsil) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                 {c.id, srno, l.qualityId, fitted(kDtl, QStringLiteral("RC3"), l.description),
                  l.pieces.roundHalfEven(3).toDouble(), l.cut.roundHalfEven(3).toDouble(), l.metres.roundHalfEven(3).toDouble(),
                  rateOn, l.rate.roundHalfEven(4).toDouble(), l.listRate.roundHalfEven(4).toDouble(), l.amount().toDouble(),
                  fitted(kDtl, QStringLiteral("RC1"), l.remark1), fitted(kDtl, QStringLiteral("RC2"), l.remark2),
                  l.extraQty.roundHalfEven(3).toDouble(), l.reconciled});
        rates.push_back({l.qualityId, l.pieces, l.metres, rateOn, l.rate, c.id, c.challanNo.trimmed(), c.date});
    }
    rememberPartyRates(db_, RateSource::Challan, c.partyId, rates);
}

void DeliveryChallans::releaseTakas(qint64 challanId) {
    db_.exec(QStringLiteral("UPDATE ProductionDtl SET IsOver = 0, PChId = 0, PChDt = NULL, PSno = 0 WHERE PChId = ? AND F_no = ?"),
             {challanId, session_.firmNo});
}

bool DeliveryChallans::sendTakas(const DeliveryChallan& c) {
    int srno = 0;
    for (const ChallanLine& l : c.lines) {
        if (l.qualityId <= 0) continue;
        ++srno;
        // Only a free taka is taken; a second station that sent it first leaves nothing to update.
        const int taken = db_.exec(QStringLiteral("UPDATE ProductionDtl SET IsOver = 1, PChId = ?, PChDt = ?, PSno = ? "
                                                  "WHERE TakaNO = ? AND F_no = ? AND IsOver = 0 AND COALESCE(IsM_Issue, 0) = 0"),
                                   {c.id, QVariant(c.date), srno, l.description.trimmed(), session_.firmNo});
        if (taken == 0) {
            messages_.critical(QStringLiteral("Taka Duplication"),
                               QStringLiteral("Taka No ") + l.description.trimmed() + QStringLiteral(" is already sent or not produced."));
            return false;
        }
    }
    return true;
}

std::optional<qint64> DeliveryChallans::save(DeliveryChallan& c) {
    if (refuseWhenYearClosed(session_, messages_)) return std::nullopt;
    if (!validate(c)) return std::nullopt;
    db::Transaction tx(db_);
    db_.lockSeries(QStringLiteral("ChalanMst.BillNO"));
    const qint64 existing = findByNumber(c.bookNo, c.challanNo);
    if (existing > 0 && existing != c.id) {
        messages_.critical(QStringLiteral("Bill NO Duplication"), QStringLiteral("This Chalan NO is Already exist!"));
        return std::nullopt;
    }
    const qint64 id = c.id > 0 ? c.id : db_.nextKey(kMst, QStringLiteral("Id"));
    const qint64 previousId = c.id;
    c.id = id;
    if (previousId > 0) releaseTakas(id);
    writeHeader(c);
    writeLines(c);
    if (c.fromTakas && !sendTakas(c)) {
        c.id = previousId;
        return std::nullopt;
    }
    tx.commit();
    messages_.information(QStringLiteral("SAVE Confirmation"), QStringLiteral("Challan Is Saved"));
    return id;
}

bool DeliveryChallans::remove(qint64 id) {
    if (refuseWhenYearClosed(session_, messages_)) return false;
    const auto header = db_.queryOne(QStringLiteral("SELECT IsSale FROM ChalanMst WHERE Id = ? AND FirmNO = ?"), {id, session_.firmNo});
    if (!header) return false;
    if (header->flag(QStringLiteral("IsSale"))) {
        messages_.critical(QStringLiteral("No Delete"), QStringLiteral("This Chalan is Already Sold !"));
        return false;
    }
    if (!messages_.ask(QStringLiteral("Delete Confirmation"), QStringLiteral("Are you sure to delete this CHALAN"))) return false;
    db::Transaction tx(db_);
    db_.lockSeries(QStringLiteral("ChalanMst.BillNO"));
    // An invoice may have taken the challan since the question was asked.
    if (db_.scalar(QStringLiteral("SELECT IsSale FROM ChalanMst WHERE Id = ?"), {id}).toInt() != 0) {
        messages_.critical(QStringLiteral("No Delete"), QStringLiteral("This Chalan is Already Sold !"));
        return false;
    }
    releaseTakas(id);
    db_.exec(QStringLiteral("DELETE FROM ChalanDtl WHERE BillMstId = ?"), {id});
    db_.exec(QStringLiteral("DELETE FROM ChalanMst WHERE Id = ?"), {id});
    tx.commit();
    messages_.information(QStringLiteral("Delete Confirmation"), QStringLiteral("Chalan IS Deleted!"));
    return true;
}

std::optional<DeliveryChallan> DeliveryChallans::load(qint64 id) {
    const auto h = db_.queryOne(QStringLiteral("SELECT * FROM ChalanMst WHERE Id = ? AND FirmNO = ?"), {id, session_.firmNo});
    if (!h) return std::nullopt;
    DeliveryChallan c;
    c.id = id;
    c.bookNo = h->integer(QStringLiteral("BookNO"));
    c.challanNo = h->text(QStringLiteral("BillNO"));
    c.date = h->date(QStringLiteral("BillDate"));
    c.partyId = h->integer(QStringLiteral("PartyID"));
    c.deliveryId = h->integer(QStringLiteral("DeliId"));
    c.brokerId = h->integer(QStringLiteral("BrokerId"));
    c.orderNo = h->text(QStringLiteral("OrderNO"));
    c.notes = h->text(QStringLiteral("Notes"));
    c.station = h->text(QStringLiteral("TrNO"));
    c.transport = h->text(QStringLiteral("Transport"));
    c.transporterId = h->text(QStringLiteral("T_LrTransID"));
    c.vehicleNo = h->text(QStringLiteral("T_VehNO"));
    c.lrNo = h->text(QStringLiteral("LrNo"));
    c.lrDate = h->date(QStringLiteral("LrDt"));
    c.freightType = h->text(QStringLiteral("FreightType"));
    c.caseNo = h->integer(QStringLiteral("CaseNO"));
    c.sold = h->flag(QStringLiteral("IsSale"));
    c.fromTakas = db_.scalar(QStringLiteral("SELECT count(*) FROM ProductionDtl WHERE PChId = ? AND F_no = ?"), {id, session_.firmNo}).toInt() > 0;
    db_.forEach(QStringLiteral("SELECT * FROM ChalanDtl WHERE BillMstId = ? ORDER BY Srno"), {id}, [&](const db::Row& r) {
        ChallanLine l;
        l.qualityId = r.integer(QStringLiteral("PCode"));
        l.description = r.text(QStringLiteral("RC3"));
        l.pieces = Decimal::fromVariant(r.value(QStringLiteral("Nos")));
        l.cut = Decimal::fromVariant(r.value(QStringLiteral("APack")));
        l.metres = Decimal::fromVariant(r.value(QStringLiteral("Qty")));
        l.rateOn = r.text(QStringLiteral("RateOn"));
        l.rate = Decimal::fromVariant(r.value(QStringLiteral("Rate")));
        l.listRate = Decimal::fromVariant(r.value(QStringLiteral("SRate")));
        l.remark1 = r.text(QStringLiteral("RC1"));
        l.remark2 = r.text(QStringLiteral("RC2"));
        l.extraQty = Decimal::fromVariant(r.value(QStringLiteral("Qty3")));
        l.reconciled = r.flag(QStringLiteral("Is_Reconsil"));
        c.lines.push_back(l);
    });
    return c;
}

db::Rows DeliveryChallans::freeTakas(qint64 qualityId, qint64 bookNo) {
    return db_.query(QStringLiteral("SELECT d.TakaNO, d.Mtrs, d.Pcs, p.ProdSubGrp AS \"Design\", p.P1 AS \"Colour\", "
                                    "p.ProdName AS \"Quality\", p.ProdGrp AS \"Qlty Type\", m.ChDate, d.McNo, b.SalesName, d.Cut, "
                                    "CASE WHEN p.CalcOn = 2 THEN 'P' ELSE 'M' END AS \"Rate On\", d.qId, m.ChNo "
                                    "FROM ProductionDtl d INNER JOIN ProductionMst m ON m.Id = d.ProdId "
                                    "LEFT JOIN ProdMst p ON p.Id = d.qId "
                                    "LEFT JOIN BookMst b ON b.BookNO = m.BookId AND b.FirmNO = m.FirmNo "
                                    "WHERE m.FirmNo = ? AND COALESCE(d.IsM_Issue, 0) = 0 AND COALESCE(d.IsOver, 0) = 0 "
                                    "AND (? = 0 OR d.qId = ?) AND (? = 0 OR m.BookId = ?) ORDER BY d.TakNo2, d.TakaNO"),
                     {session_.firmNo, qualityId, qualityId, bookNo, bookNo});
}

std::vector<ChallanLine> DeliveryChallans::linesFromTakas(const QStringList& takaNumbers) {
    std::vector<ChallanLine> lines;
    for (const QString& no : takaNumbers) {
        const auto r = db_.queryOne(QStringLiteral("SELECT d.TakaNO, d.Mtrs, d.Pcs, d.Cut, d.qId, p.RAteR, p.CalcOn "
                                                   "FROM ProductionDtl d LEFT JOIN ProdMst p ON p.Id = d.qId "
                                                   "WHERE d.TakaNO = ? AND d.F_no = ?"),
                                    {no.trimmed(), session_.firmNo});
        if (!r) continue;
        ChallanLine l;
        l.qualityId = r->integer(QStringLiteral("qId"));
        l.description = r->text(QStringLiteral("TakaNO"));
        l.metres = Decimal::fromVariant(r->value(QStringLiteral("Mtrs")));
        l.pieces = Decimal::fromVariant(r->value(QStringLiteral("Pcs")));
        l.cut = Decimal::fromVariant(r->value(QStringLiteral("Cut")));
        l.rate = Decimal::fromVariant(r->value(QStringLiteral("RAteR")));
        l.listRate = l.rate;
        l.rateOn = r->integer(QStringLiteral("CalcOn")) == 2 ? QStringLiteral("P") : QStringLiteral("M");
        lines.push_back(l);
    }
    return lines;
}

void DeliveryChallans::setReconciled(qint64 id, int srno, bool checked) {
    db_.exec(QStringLiteral("UPDATE ChalanDtl SET Is_Reconsil = ? WHERE BillMstId = ? AND Srno = ?"), {checked, id, srno});
}

bool DeliveryChallans::readyToPrint(const DeliveryChallan& c) {
    if (!firmFlag(session_, QStringLiteral("ISCh_Reconsil"))) return true;
    for (const ChallanLine& l : c.lines) {
        if (l.qualityId > 0 && !l.reconciled) {
            messages_.critical(QStringLiteral("Item Not Checked"), QStringLiteral("Please Check All Item Detail ."));
            return false;
        }
    }
    return true;
}

db::Rows DeliveryChallans::challanList(qint64 bookNo) {
    return db_.query(QStringLiteral("SELECT c.BillNO AS \"ChalanNO\", c.BillDate AS \"Ch Date\", a.AcName, c.BillAmount, c.TrNO, c.Id, "
                                    "c.IsSale, a.City, a.Phone, k.PName AS \"Broker\", b.SalesName FROM ChalanMst c "
                                    "LEFT JOIN AccMst a ON a.Id = c.PartyID LEFT JOIN BrokerMst k ON k.Srno = c.BrokerId "
                                    "LEFT JOIN BookMst b ON b.BookNO = c.BookNO AND b.FirmNO = c.FirmNO "
                                    "WHERE c.FirmNO = ? AND (? = 0 OR c.BookNO = ?) ORDER BY c.BillDate DESC, c.BillNO DESC, c.Id DESC"),
                     {session_.firmNo, bookNo, bookNo});
}

db::Rows DeliveryChallans::books() {
    return db_.query(QStringLiteral("SELECT BookNO, SalesName FROM BookMst WHERE (BookType = 'S' OR BookType = 'A') AND FirmNO = ? "
                                    "ORDER BY BookNO"),
                     {session_.firmNo});
}

}  // namespace tanabana::trade
