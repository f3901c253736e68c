#include "domain/trade/PeriodBilling.h"

#include "domain/shell/FirmSettings.h"
#include "domain/trade/DocumentRules.h"
#include "domain/trade/SalesLines.h"

namespace tanabana::trade {

namespace {

const QString kChallanColumns = QStringLiteral(
    "SELECT m.Id, m.BillNO, m.BillDate, m.BillAmount, "
    "(SELECT COALESCE(SUM(d.Nos), 0) FROM ChalanDtl d WHERE d.BillMstId = m.Id) AS Pcs, "
    "(SELECT COALESCE(SUM(d.Qty), 0) FROM ChalanDtl d WHERE d.BillMstId = m.Id) AS Mtrs FROM ChalanMst m ");

// The outward challan's takas that were processed, their finished metres and the job charge.
const QString kJobWorkColumns = QStringLiteral(
    "SELECT m.Id, m.ChNo AS BillNO, m.BillDate, "
    "(SELECT COALESCE(SUM(d.PAmt), 0) FROM JobWork_IssueDtl_1 d WHERE d.BillMstId = m.Id) AS BillAmount, "
    "(SELECT count(*) FROM JobWork_IssueDtl_1 d WHERE d.BillMstId = m.Id AND d.RMtrs > 0) AS Pcs, "
    "(SELECT COALESCE(SUM(d.RMtrs), 0) FROM JobWork_IssueDtl_1 d WHERE d.BillMstId = m.Id) AS Mtrs FROM JobWork_IssueMst_1 m ");

PeriodChallan fromRow(const db::Row& r, int form) {
    PeriodChallan c;
    c.id = r.integer(QStringLiteral("Id"));
    c.form = form;
    // a job-work challan's number is ours, a whole number
    c.challanNo = form == kJobWorkOutward ? QString::number(r.integer(QStringLiteral("BillNO"))) : r.text(QStringLiteral("BillNO"));
    c.date = r.date(QStringLiteral("BillDate"));
    c.pieces = Decimal::fromVariant(r.value(QStringLiteral("Pcs"))).roundHalfEven(3);
    c.metres = Decimal::fromVariant(r.value(QStringLiteral("Mtrs"))).roundHalfEven(3);
    c.amount = Decimal::fromVariant(r.value(QStringLiteral("BillAmount"))).roundHalfEven(2);
    return c;
}

}  // namespace

PeriodBilling::PeriodBilling(db::Database& db, Session& session, Messages& messages)
    : db_(db), session_(session), messages_(messages) {}

bool billsJobWork(const Session& session) {
    const int type = shell::FirmSettings(session).softType();
    return type == 7 || type == 8;
}

bool PeriodBilling::billsJobWork() const { return trade::billsJobWork(session_); }

std::optional<std::vector<PeriodChallan>> PeriodBilling::unbilledChallans(qint64 partyId, const QDate& from, const QDate& to,
                                                                          qint64 billId) {
    if (partyId <= 0) {
        refuseMissingPartyOrQuality(messages_);
        return std::nullopt;
    }
    if (!from.isValid() || !to.isValid() || from > to) {
        messages_.critical(QStringLiteral("Date Validate"), QStringLiteral("Please Select Proper Date"));
        return std::nullopt;
    }
    std::vector<PeriodChallan> list;
    if (billsJobWork()) {
        db_.forEach(kJobWorkColumns + QStringLiteral("WHERE m.FirmNO = ? AND m.PartyID = ? AND m.BillDate >= ? AND m.BillDate <= ? "
                                                     "AND m.FormId = 17 AND m.Id > 0 AND COALESCE(m.IsOp, 0) = 0 "
                                                     "AND (COALESCE(m.IsCN, 0) = 0 OR m.Id IN (SELECT DChId FROM SalBillDtl "
                                                     "WHERE BillMstId = ? AND BillMstId > 0 AND DChForm = 17)) ORDER BY m.BillDate, m.ChNo"),
                    {session_.firmNo, partyId, QVariant(from), QVariant(to), billId},
                    [&](const db::Row& r) { list.push_back(fromRow(r, kJobWorkOutward)); });
        return list;
    }
    db_.forEach(kChallanColumns + QStringLiteral("WHERE m.FirmNO = ? AND m.PartyID = ? AND m.BillDate >= ? AND m.BillDate <= ? "
                                                 "AND (COALESCE(m.IsSale, 0) = 0 OR m.Id IN (SELECT DChId FROM SalBillDtl "
                                                 "WHERE BillMstId = ? AND BillMstId > 0 AND COALESCE(DChForm, 0) = 0)) "
                                                 "ORDER BY m.BillDate, m.Id"),
                {session_.firmNo, partyId, QVariant(from), QVariant(to), billId},
                [&](const db::Row& r) { list.push_back(fromRow(r, 0)); });
    return list;
}

std::vector<SalesLine> PeriodBilling::lines(const std::vector<qint64>& challanIds, bool summed) {
    const int form = billsJobWork() ? kJobWorkOutward : 0;
    std::vector<SalesLine> all;
    for (qint64 id : challanIds) {
        if (!challan(id, form)) continue;  // another firm's or a deleted challan
        for (SalesLine& line : form == kJobWorkOutward ? salesLinesFromJobWork(db_, id, summed) : salesLinesFromChallan(db_, id, summed))
            all.push_back(std::move(line));
    }
    return all;
}

std::optional<PeriodChallan> PeriodBilling::challan(qint64 id, int form) {
    if (id <= 0) return std::nullopt;
    if (form == kJobWorkOutward) {
        const auto r = db_.queryOne(kJobWorkColumns + QStringLiteral("WHERE m.Id = ? AND m.FirmNO = ? AND m.FormId = 17"), {id, session_.firmNo});
        if (!r) return std::nullopt;
        return fromRow(*r, kJobWorkOutward);
    }
    const auto r = db_.queryOne(kChallanColumns + QStringLiteral("WHERE m.Id = ? AND m.FirmNO = ?"), {id, session_.firmNo});
    if (!r) return std::nullopt;
    return fromRow(*r, 0);
}

std::vector<SalesLine> salesLinesFromJobWork(db::Database& db, qint64 challanId, bool summed) {
    std::vector<SalesLine> lines;
    db.forEach(QStringLiteral("SELECT d.Srno, d.TakaNO, d.RMtrs, d.PRate, p.Id AS Quality, p.Vat, p.AddTax FROM JobWork_IssueDtl_1 d "
                              "INNER JOIN JobWork_IssueMst_1 m ON m.Id = d.BillMstId "
                              "LEFT JOIN ProdMst p ON p.Id = CASE WHEN COALESCE(d.QidDtl, 0) > 0 THEN d.QidDtl ELSE m.QId END "
                              "WHERE d.BillMstId = ? AND d.RMtrs > 0 ORDER BY d.Srno"),
               {challanId}, [&](const db::Row& r) {
        SalesLine line;
        line.qualityId = r.integer(QStringLiteral("Quality"));
        line.description = QStringLiteral("Taka ") + r.text(QStringLiteral("TakaNO")).trimmed();
        line.challanId = challanId;
        line.challanSrno = r.integer(QStringLiteral("Srno"));
        line.challanForm = kJobWorkOutward;
        InvoiceLineInput& in = line.input;
        in.pieces = Decimal(1);
        in.metres = Decimal::fromVariant(r.value(QStringLiteral("RMtrs"))).roundHalfEven(3);
        in.rateOn = QStringLiteral("M");
        in.listRate = Decimal::fromVariant(r.value(QStringLiteral("PRate"))).roundHalfEven(2);
        in.sgstPercent = Decimal::fromVariant(r.value(QStringLiteral("Vat")));
        in.cgstPercent = Decimal::fromVariant(r.value(QStringLiteral("AddTax")));
        in.gstCalc = 1;  // the job rate is the rate before tax
        if (summed)
            for (SalesLine& g : lines)
                if (g.qualityId == line.qualityId && g.input.listRate == in.listRate) {
                    g.input.pieces += in.pieces;
                    g.input.metres += in.metres;
                    g.description.clear();  // one taka's number does not describe the sum
                    return;
                }
        lines.push_back(line);
    });
    return lines;
}

}  // namespace tanabana::trade
