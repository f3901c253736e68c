#include "domain/trade/DeliveryChallans.h"

#include "core/Words.h"
#include "db/LockOrder.h"
#include "domain/documents/Deletion.h"
#include "domain/documents/Guard.h"
#include "domain/documents/TableMap.h"
#include "domain/shell/Lookups.h"
#include "domain/trade/DocumentRules.h"
#include "domain/trade/InvoiceMath.h"
#include "domain/trade/PartyRates.h"

namespace tanabana::trade {

namespace {

const QString kChallanMst = QStringLiteral("ChalanMst");
const QString kChallanDtl = QStringLiteral("ChalanDtl");

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

const documents::NumberSeries& DeliveryChallans::numbers() {
    static const documents::NumberSeries series{kChallanMst, QStringLiteral("BillNO"), QStringLiteral("BillDate"), QStringLiteral("BookNO"),
                                                QStringLiteral("FirmNO"), {}};
    return series;
}

QString DeliveryChallans::nextChallanNo(qint64 bookNo) { return documents::proposedNumber(db_, numbers(), session_.firmNo, bookNo); }

qint64 DeliveryChallans::findByNumber(qint64 bookNo, const QString& challanNo) {
    return shell::challanIdByNumber(db_, session_.firmNo, bookNo, challanNo.trimmed());
}

namespace {

using documents::field;
using documents::fixed;
using documents::Overlong;
using documents::written;

// A challan as written: the challan and the firm it belongs to.
struct ChallanRow {
    const DeliveryChallan& challan;
    qint64 firmNo;
};

template <typename M>
documents::Column<ChallanRow, DeliveryChallan> header(const char* column, M DeliveryChallan::*member, const char* caption = nullptr) {
    auto own = field(column, member, caption, 3);
    documents::Column<ChallanRow, DeliveryChallan> c{own.name, own.caption, [w = own.write](const ChallanRow& r) { return w(r.challan); },
                                                     own.read, own.overlong};
    return c;
}

const documents::TableMap<ChallanRow, DeliveryChallan>& challanTable() {
    using Row = ChallanRow;
    static const documents::TableMap<Row, DeliveryChallan> table{
        kChallanMst, QStringLiteral("Id"),
        {written<Row, DeliveryChallan>("FirmNO", [](const Row& r) { return r.firmNo; }),
         fixed<Row, DeliveryChallan>("FormId", 3),
         header("BookNO", &DeliveryChallan::bookNo),
         header("BillNO", &DeliveryChallan::challanNo, "Chalan No"),
         header("BillDate", &DeliveryChallan::date),
         header("PartyID", &DeliveryChallan::partyId),
         {QStringLiteral("DeliId"), {}, [](const Row& r) { return QVariant(r.challan.deliveryId > 0 ? r.challan.deliveryId : r.challan.partyId); },
          [](DeliveryChallan& c, const db::Row& row) { c.deliveryId = row.integer(QStringLiteral("DeliId")); }},
         header("BrokerId", &DeliveryChallan::brokerId),
         header("OrderNO", &DeliveryChallan::orderNo, "Order No"),
         written<Row, DeliveryChallan>("Amt", [](const Row& r) { return r.challan.amount().toDouble(); }),
         written<Row, DeliveryChallan>("BillAmount", [](const Row& r) { return r.challan.amount().toDouble(); }),
         written<Row, DeliveryChallan>("InWords", [](const Row& r) { return inWords(r.challan.amount()); }, Overlong::Cut),
         header("Notes", &DeliveryChallan::notes, "Description"),
         header("TrNO", &DeliveryChallan::station, "Station"),
         header("Transport", &DeliveryChallan::transport, "Transport"),
         header("T_LrTransID", &DeliveryChallan::transporterId, "Transporter Id"),
         header("T_VehNO", &DeliveryChallan::vehicleNo, "Vehicle No"),
         header("LrNo", &DeliveryChallan::lrNo, "L.R.No."),
         header("LrDt", &DeliveryChallan::lrDate),
         header("FreightType", &DeliveryChallan::freightType, "Freight"),
         header("CaseNO", &DeliveryChallan::caseNo),
         documents::readOnly<Row, DeliveryChallan>("IsSale", [](DeliveryChallan& c, const db::Row& row) { c.sold = row.flag(QStringLiteral("IsSale")); }),
         fixed<Row, DeliveryChallan>("Is_Upload", 0)}};
    return table;
}

// One line as written: the line, its challan and its place on it.
struct ChallanLineRow {
    const ChallanLine& line;
    qint64 challanId;
    int srno;
};

template <typename M>
documents::Column<ChallanLineRow, ChallanLine> line(const char* column, M ChallanLine::*member, const char* caption = nullptr, int places = 3) {
    auto own = field(column, member, caption, places);
    return {own.name, own.caption, [w = own.write](const ChallanLineRow& r) { return w(r.line); }, own.read, own.overlong};
}

const documents::TableMap<ChallanLineRow, ChallanLine>& challanLines() {
    using Row = ChallanLineRow;
    static const documents::TableMap<Row, ChallanLine> table{
        kChallanDtl, {},
        {written<Row, ChallanLine>("BillMstId", [](const Row& r) { return r.challanId; }),
         written<Row, ChallanLine>("Srno", [](const Row& r) { return r.srno; }),
         line("PCode", &ChallanLine::qualityId),
         line("RC3", &ChallanLine::description, "Desc"),
         line("Nos", &ChallanLine::pieces),
         line("APack", &ChallanLine::cut),
         line("Qty", &ChallanLine::metres),
         {QStringLiteral("RateOn"), {}, [](const Row& r) { return QVariant(rateBasis(r.line.rateOn)); },
          [](ChallanLine& l, const db::Row& row) { l.rateOn = row.text(QStringLiteral("RateOn")); }},
         line("Rate", &ChallanLine::rate, nullptr, 4),
         line("SRate", &ChallanLine::listRate, nullptr, 4),
         written<Row, ChallanLine>("Amt", [](const Row& r) { return r.line.amount().toDouble(); }),
         line("RC1", &ChallanLine::remark1, "Remark 1"),
         line("RC2", &ChallanLine::remark2, "Remark 2"),
         line("Qty3", &ChallanLine::extraQty),
         line("Is_Reconsil", &ChallanLine::reconciled)}};
    return table;
}

std::vector<ChallanLineRow> rowsOf(const DeliveryChallan& c) {
    std::vector<ChallanLineRow> rows;
    int srno = 0;
    for (const ChallanLine& l : c.lines)
        if (l.qualityId > 0) rows.push_back({l, c.id, ++srno});
    return rows;
}

}  // namespace

bool DeliveryChallans::validate(const DeliveryChallan& c) {
    bool anyLine = false;
    for (const ChallanLine& l : c.lines) anyLine = anyLine || l.qualityId > 0;
    if (c.partyId <= 0 || c.bookNo <= 0 || !anyLine) {
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
    if (documents::refuseTooLong(messages_, challanTable().tooLong({c, session_.firmNo}))) return false;
    for (const ChallanLineRow& row : rowsOf(c))
        if (documents::refuseTooLong(messages_, challanLines().tooLong(row))) return false;
    return true;
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

bool DeliveryChallans::carriesTakas(qint64 id) {
    return id > 0 &&
           db_.scalar(QStringLiteral("SELECT count(*) FROM ProductionDtl WHERE PChId = ? AND F_no = ?"), {id, session_.firmNo}).toInt() > 0;
}

std::optional<qint64> DeliveryChallans::save(DeliveryChallan& c) {
    if (documents::refuseSave(session_, messages_, c.id)) return std::nullopt;
    if (!validate(c)) return std::nullopt;
    db::Transaction tx(db_);
    // A taka challan marks produced takas sent: their rows are written under their lock too.
    db::lockInOrder(db_, {numbers().lockName(), QStringLiteral("ProductionDtl.TakaNO")});
    if (c.challanNo.trimmed().isEmpty()) {
        c.challanNo = documents::takeNumber(db_, numbers(), session_.firmNo, c.bookNo);
    } else {
        const qint64 existing = findByNumber(c.bookNo, c.challanNo);
        if (existing > 0 && existing != c.id) {
            messages_.critical(QStringLiteral("Bill NO Duplication"), QStringLiteral("This Chalan NO is Already exist!"));
            return std::nullopt;
        }
    }
    const qint64 previousId = c.id;
    // Whether the challan's lines are takas is the books' fact, not the screen's: a taka challan
    // re-saved from the free-entry screen keeps its takas.
    const bool takas = c.fromTakas || carriesTakas(previousId);
    c.id = previousId > 0 ? previousId : db_.nextKey(kChallanMst, QStringLiteral("Id"));
    if (previousId > 0) releaseTakas(c.id);
    challanTable().write(db_, {c, session_.firmNo}, c.id);
    challanLines().replaceLines(db_, QStringLiteral("BillMstId"), c.id, rowsOf(c));
    std::vector<PartyRate> rates;
    for (const ChallanLineRow& row : rowsOf(c))
        rates.push_back({row.line.qualityId, row.line.pieces, row.line.metres, rateBasis(row.line.rateOn), row.line.rate, c.id,
                         c.challanNo.trimmed(), c.date});
    rememberPartyRates(db_, RateSource::Challan, c.partyId, rates);
    if (takas && !sendTakas(c)) {
        c.id = previousId;
        return std::nullopt;
    }
    c.fromTakas = takas;
    tx.commit();
    messages_.information(QStringLiteral("SAVE Confirmation"), QStringLiteral("Challan Is Saved"));
    return c.id;
}

bool DeliveryChallans::remove(qint64 id) {
    if (documents::refuseChange(session_, messages_, documents::Change::Delete)) return false;
    if (db_.scalar(QStringLiteral("SELECT count(*) FROM ChalanMst WHERE Id = ? AND FirmNO = ?"), {id, session_.firmNo}).toInt() == 0) return false;
    const std::vector<documents::UsedBy> uses{{QStringLiteral("SELECT count(*) FROM ChalanMst WHERE Id = ? AND IsSale <> 0"),
                                               QStringLiteral("No Delete"), QStringLiteral("This Chalan is Already Sold !")}};
    if (documents::refuseUsed(db_, messages_, uses, id)) return false;
    if (!messages_.ask(QStringLiteral("Delete Confirmation"), QStringLiteral("Are you sure to delete this CHALAN"))) return false;
    db::Transaction tx(db_);
    // A taka challan marks produced takas sent: their rows are written under their lock too.
    db::lockInOrder(db_, {numbers().lockName(), QStringLiteral("ProductionDtl.TakaNO")});
    // An invoice may have taken the challan since the question was asked.
    if (documents::refuseUsed(db_, messages_, uses, id)) return false;
    releaseTakas(id);
    documents::deleteDocument(db_, {kChallanMst, {{kChallanDtl, QStringLiteral("BillMstId")}}, documents::kDeliveryChallanHistory}, id, session_.firmNo);
    tx.commit();
    messages_.information(QStringLiteral("Delete Confirmation"), QStringLiteral("Chalan IS Deleted!"));
    return true;
}

std::optional<DeliveryChallan> DeliveryChallans::load(qint64 id) {
    const auto h = db_.queryOne(QStringLiteral("SELECT * FROM ChalanMst WHERE Id = ? AND FirmNO = ?"), {id, session_.firmNo});
    if (!h) return std::nullopt;
    DeliveryChallan c;
    c.id = id;
    challanTable().read(c, *h);
    c.fromTakas = carriesTakas(id);
    challanLines().readLines(db_, QStringLiteral("BillMstId"), id, c.lines);
    return c;
}

std::vector<FreeTaka> DeliveryChallans::freeTakas(qint64 qualityId, qint64 bookNo) {
    std::vector<FreeTaka> takas;
    db_.forEach(QStringLiteral("SELECT d.TakaNO, d.Mtrs, d.Pcs, d.Cut, p.ProdSubGrp, p.P1, p.ProdName, p.ProdGrp, d.qId, p.CalcOn, "
                               "m.ChDate, m.ChNo, d.McNo, b.SalesName "
                               "FROM ProductionDtl d INNER JOIN ProductionMst m ON m.Id = d.ProdId "
                               "LEFT JOIN ProdMst p ON p.Id = d.qId "
                               "LEFT JOIN BookMst b ON b.BookNO = m.BookId AND b.FirmNO = m.FirmNo "
                               "WHERE m.FirmNo = ? AND COALESCE(d.IsM_Issue, 0) = 0 AND COALESCE(d.IsOver, 0) = 0 "
                               "AND (? = 0 OR d.qId = ?) AND (? = 0 OR m.BookId = ?) ORDER BY d.TakNo2, d.TakaNO"),
                {session_.firmNo, qualityId, qualityId, bookNo, bookNo}, [&](const db::Row& r) {
                    FreeTaka t;
                    t.takaNo = r.text(QStringLiteral("TakaNO")).trimmed();
                    t.metres = Decimal::fromVariant(r.value(QStringLiteral("Mtrs")));
                    t.pieces = Decimal::fromVariant(r.value(QStringLiteral("Pcs")));
                    t.cut = Decimal::fromVariant(r.value(QStringLiteral("Cut")));
                    t.design = r.text(QStringLiteral("ProdSubGrp"));
                    t.colour = r.text(QStringLiteral("P1"));
                    t.quality = r.text(QStringLiteral("ProdName"));
                    t.qualityType = r.text(QStringLiteral("ProdGrp"));
                    t.qualityId = r.integer(QStringLiteral("qId"));
                    t.rateOn = r.integer(QStringLiteral("CalcOn")) == 2 ? QStringLiteral("P") : QStringLiteral("M");
                    t.date = r.date(QStringLiteral("ChDate"));
                    t.challanNo = r.text(QStringLiteral("ChNo")).trimmed();
                    t.machineNo = r.text(QStringLiteral("McNo")).trimmed();
                    t.bookName = r.text(QStringLiteral("SalesName")).trimmed();
                    takas.push_back(std::move(t));
                });
    return takas;
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

bool DeliveryChallans::setReconciled(qint64 id, int srno, bool checked) {
    if (documents::refuseChange(session_, messages_, documents::Change::Modify)) return false;
    return db_.exec(QStringLiteral("UPDATE ChalanDtl SET Is_Reconsil = ? WHERE BillMstId = ? AND Srno = ? AND BillMstId IN "
                            "(SELECT Id FROM ChalanMst WHERE FirmNO = ?)"),
                    {checked, id, srno, session_.firmNo}) > 0;
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

documents::DocumentPage DeliveryChallans::challanList(qint64 bookNo, const documents::ListFilter& filter) {
    documents::ListQuery q(QStringLiteral("ChalanMst m LEFT JOIN AccMst a ON a.Id = m.PartyID"), QStringLiteral("m.FirmNO = ?"),
                           {session_.firmNo}, QStringLiteral("m.BillNO"), QStringLiteral("m.BillDate"),
                           QStringLiteral("a.AcName"), QStringLiteral("m.BillAmount"));
    q.texts = {QStringLiteral("a.City"), QStringLiteral("m.TrNO"),
               QStringLiteral("CASE WHEN COALESCE(m.IsSale, 0) <> 0 THEN 'Billed' ELSE '' END")};
    if (bookNo > 0) q.narrow(QStringLiteral("m.BookNO = ?"), bookNo);
    return documents::listDocuments(db_, q, filter);
}

}  // namespace tanabana::trade
