#include "domain/demo/DemoReturns.h"

#include "core/Messages.h"
#include "domain/returns/GoodsReturns.h"
#include "domain/returns/Notes.h"
#include "domain/trade/PurchaseInvoices.h"
#include "domain/trade/SalesInvoices.h"

namespace tanabana::demo {

namespace {

// The earliest open bills of the form ("SalBillMst" 3 or "BillMst" 1), up to `count`.
std::vector<qint64> openBills(db::Database& db, const QString& table, int form, int count) {
    std::vector<qint64> ids;
    db.forEach(QStringLiteral("SELECT Id FROM %1 WHERE FirmNO = 1 AND FormId = ? AND IsEnd = 0 AND COALESCE(IsOp, 0) = 0 "
                              "ORDER BY BillDate, Id").arg(table) + db.dialect().limit(count),
               {form}, [&](const db::Row& r) { ids.push_back(r.integer(QStringLiteral("Id"))); });
    return ids;
}

// What a return may still settle of the bill: its return amount, or less when the bill owes less.
Decimal settlable(db::Database& db, const QString& table, qint64 billId, Decimal amount) {
    const Decimal unpaid = Decimal::fromVariant(db.scalar(QStringLiteral("SELECT UnPaidAmt FROM %1 WHERE Id = ?").arg(table), {billId}));
    return std::min(amount, unpaid.roundHalfEven(2));
}

QDate weekAfter(const QDate& date, const QDate& last) { return std::min(date.addDays(7), last); }

// A tenth of the line's quantity, to one decimal, at least one.
Decimal tenth(Decimal quantity) { return std::max(Decimal(1), (quantity / Decimal(10)).roundHalfEven(1)); }

qint64 account(db::Database& db, const QString& name) {
    return db.scalar(QStringLiteral("SELECT Id FROM AccMst WHERE FirmNo = 1 AND IsGrp = 0 AND AcName = ?"), {name}).toLongLong();
}

}  // namespace

DemoReturnCount fillDemoReturns(db::Database& db, Session& session, const QDate& last) {
    RecordingMessages quiet;
    DemoReturnCount count;
    const std::vector<qint64> sales = openBills(db, QStringLiteral("SalBillMst"), 3, 2);
    if (sales.size() == 2) {
        // Part of the first line of the earliest open bill comes back, settling that bill.
        const auto bill = trade::SalesInvoices(db, session, quiet).load(sales[0]);
        returns::SalesReturns service(db, session, quiet);
        returns::SalesReturn back;
        back.bookNo = bill->bookNo;
        back.date = weekAfter(bill->date, last);
        back.partyId = bill->partyId;
        back.sourceBillNo = bill->billNo;
        back.reason = QStringLiteral("Shade variation");
        trade::SalesLine line = bill->lines.front();
        if (line.input.rateOn == QStringLiteral("P")) line.input.pieces = tenth(line.input.pieces);
        else line.input.metres = tenth(line.input.metres);
        back.lines = {line};
        back.adjustments = {{sales[0], settlable(db, QStringLiteral("SalBillMst"), sales[0], service.compute(back).totals.net)}};
        if (service.save(back)) ++count.returns;

        // A 2% discount after the sale on the next one.
        const auto second = trade::SalesInvoices(db, session, quiet).load(sales[1]);
        returns::Note discount;
        discount.date = weekAfter(second->date, last);
        discount.partyId = second->partyId;
        discount.otherAccountId = account(db, QStringLiteral("Discount Allowed"));
        discount.rateType = returns::kDiscountBasis;
        discount.percent = Decimal(2);
        discount.billIds = {sales[1]};
        discount.sgstPercent = discount.cgstPercent = Decimal::fromUnits(Decimal::Scale * 5 / 2);
        discount.reasonCode = QStringLiteral("02");
        discount.refNo = QStringLiteral("Early payment");
        // A discount whose GST comes to paise takes its round-off in "Other (+/-)".
        const returns::ComputedNote c = returns::Notes(db, session, quiet).compute(discount);
        discount.otherCharges = c.roundOff;
        if (returns::Notes(db, session, quiet).save(discount)) ++count.notes;
    }
    const std::vector<qint64> bought = openBills(db, QStringLiteral("BillMst"), 1, 2);
    if (bought.size() == 2) {
        const auto bill = trade::PurchaseInvoices(db, session, quiet).load(bought[0]);
        returns::PurchaseReturns service(db, session, quiet);
        returns::PurchaseReturn back;
        back.bookId = bill->bookId;
        back.date = weekAfter(bill->date, last);
        back.partyId = bill->partyId;
        back.sourceBillNo = bill->billNo;
        back.reason = QStringLiteral("Weaving fault");
        trade::PurchaseLine line = bill->lines.front();
        line.input.metres = tenth(line.input.metres);
        back.lines = {line};
        back.adjustments = {{bought[0], settlable(db, QStringLiteral("BillMst"), bought[0], service.compute(back).totals.net)}};
        if (service.save(back)) ++count.returns;

        const auto second = trade::PurchaseInvoices(db, session, quiet).load(bought[1]);
        returns::Note claim;
        claim.kind = returns::NoteKind::Debit;
        claim.date = weekAfter(second->date, last);
        claim.partyId = second->partyId;
        claim.otherAccountId = account(db, QStringLiteral("Discount Received"));
        claim.rateType = QStringLiteral("Rate Diff");
        claim.itemId = second->lines.front().qualityId;
        claim.quantity = second->lines.front().input.metres;
        claim.rateDifference = Decimal(1);
        claim.billIds = {bought[1]};
        claim.sgstPercent = second->lines.front().input.sgstPercent;
        claim.cgstPercent = second->lines.front().input.cgstPercent;
        claim.reasonCode = QStringLiteral("07");
        const returns::ComputedNote c = returns::Notes(db, session, quiet).compute(claim);
        claim.otherCharges = c.roundOff;
        if (returns::Notes(db, session, quiet).save(claim)) ++count.notes;
    }
    return count;
}

}  // namespace tanabana::demo
