#include "domain/trade/TradeJson.h"

#include "domain/trade/DocumentRules.h"
#include "domain/trade/JsonFields.h"
#include "domain/trade/PeriodBilling.h"
#include "domain/trade/SalesLines.h"

#include <QJsonArray>
#include <QSet>

namespace tanabana::trade {

namespace {

const QStringList kChallanHeader{QStringLiteral("book"),      QStringLiteral("number"),    QStringLiteral("date"),
                                 QStringLiteral("party"),     QStringLiteral("delivery"),  QStringLiteral("broker"),
                                 QStringLiteral("order"),     QStringLiteral("transport"), QStringLiteral("transporterId"),
                                 QStringLiteral("station"),   QStringLiteral("vehicle"),   QStringLiteral("lr"),
                                 QStringLiteral("lrDate"),    QStringLiteral("freight"),   QStringLiteral("case"),
                                 QStringLiteral("notes")};

}  // namespace

qint64 accountRef(db::Database& db, const Session& s, const QString& codeOrId) {
    const QString ref = codeOrId.trimmed();
    bool numeric = false;
    const qint64 asId = ref.toLongLong(&numeric);
    const auto row = db.queryOne(QStringLiteral("SELECT Id FROM AccMst WHERE FirmNo = ? AND IsGrp = 0 AND (LedgerId = ? OR Id = ? OR AcName = ?) "
                                                "ORDER BY CASE WHEN LedgerId = ? THEN 0 ELSE 1 END"),
                                 {s.firmNo, ref, numeric ? asId : -1, ref, ref});
    return row ? row->integer(QStringLiteral("Id")) : 0;
}

qint64 qualityRef(db::Database& db, const Session& s, const QString& codeOrId) {
    const QString ref = codeOrId.trimmed();
    const auto byCode = db.queryOne(QStringLiteral("SELECT Id FROM ProdMst WHERE FirmNO = ? AND ProdCode = ?"), {s.firmNo, ref});
    if (byCode) return byCode->integer(QStringLiteral("Id"));
    bool numeric = false;
    const qint64 asId = ref.toLongLong(&numeric);
    if (!numeric) return 0;
    return db.scalar(QStringLiteral("SELECT Id FROM ProdMst WHERE FirmNO = ? AND Id = ?"), {s.firmNo, asId}).toLongLong();
}

void applyItem(db::Database& db, qint64 qualityId, InvoiceLineInput& in, bool rateGiven, bool rateOnGiven) {
    const auto item = db.queryOne(QStringLiteral("SELECT RAteR, Vat, AddTax, VatCalc, CalcOn FROM ProdMst WHERE Id = ?"), {qualityId});
    if (!item) return;
    in.sgstPercent = Decimal::fromVariant(item->value(QStringLiteral("Vat")));
    in.cgstPercent = Decimal::fromVariant(item->value(QStringLiteral("AddTax")));
    in.gstCalc = item->value(QStringLiteral("VatCalc")).isNull() ? 1 : int(item->integer(QStringLiteral("VatCalc")));
    if (in.gstCalc == 0) in.gstCalc = 1;
    if (!rateGiven) in.listRate = Decimal::fromVariant(item->value(QStringLiteral("RAteR")));
    if (!rateOnGiven) in.rateOn = item->integer(QStringLiteral("CalcOn")) == 2 ? QStringLiteral("P") : QStringLiteral("M");
}

DeliveryChallan challanFromJson(db::Database& db, const Session& s, const QJsonObject& object) {
    QStringList keys = kChallanHeader;
    keys << QStringLiteral("lines") << QStringLiteral("takas");
    const Fields f(object, {}, keys);
    DeliveryChallan c;
    c.bookNo = requireBook(db, s, f);
    c.challanNo = f.text(QStringLiteral("number")).trimmed();
    c.date = f.date(QStringLiteral("date"), true);
    c.partyId = requireAccount(db, s, f, QStringLiteral("party"), true);
    c.deliveryId = requireAccount(db, s, f, QStringLiteral("delivery"), false);
    c.brokerId = brokerRef(db, s, f);
    c.orderNo = f.text(QStringLiteral("order"));
    c.transport = f.text(QStringLiteral("transport"));
    c.transporterId = f.text(QStringLiteral("transporterId"));
    c.station = f.text(QStringLiteral("station"));
    c.vehicleNo = f.text(QStringLiteral("vehicle"));
    c.lrNo = f.text(QStringLiteral("lr"));
    c.lrDate = f.date(QStringLiteral("lrDate"), false);
    c.freightType = f.text(QStringLiteral("freight"));
    c.caseNo = f.whole(QStringLiteral("case"));
    c.notes = f.text(QStringLiteral("notes"));
    const QJsonArray takas = f.array(QStringLiteral("takas"));
    if (!takas.isEmpty()) {
        c.fromTakas = true;
        QStringList numbers;
        for (const QJsonValue& v : takas) numbers << (v.isDouble() ? QString::number(v.toDouble(), 'g', 15) : v.toString().trimmed());
        RecordingMessages quiet;
        Session session = s;
        c.lines = DeliveryChallans(db, session, quiet).linesFromTakas(numbers);
        QSet<QString> found;
        for (const ChallanLine& l : c.lines) found.insert(l.description);
        for (const QString& n : numbers)
            if (!found.contains(n)) f.refuse(QStringLiteral("taka %1 was never produced in firm %2").arg(n).arg(s.firmNo));
        return c;
    }
    const QJsonArray lines = f.array(QStringLiteral("lines"));
    for (int i = 0; i < lines.size(); ++i) {
        const Fields l(objectAt(lines, i, QStringLiteral("line")), QStringLiteral("line %1").arg(i + 1),
                       {QStringLiteral("quality"), QStringLiteral("desc"), QStringLiteral("pcs"), QStringLiteral("cut"),
                        QStringLiteral("mtrs"), QStringLiteral("rateOn"), QStringLiteral("rate"), QStringLiteral("remark1"),
                        QStringLiteral("remark2"), QStringLiteral("checked")});
        ChallanLine line;
        line.qualityId = requireQuality(db, s, l);
        line.description = l.text(QStringLiteral("desc"));
        line.pieces = nonNegative(l, QStringLiteral("pcs"));
        line.cut = nonNegative(l, QStringLiteral("cut"));
        line.metres = nonNegative(l, QStringLiteral("mtrs"));
        InvoiceLineInput item;
        applyItem(db, line.qualityId, item, l.has(QStringLiteral("rate")), false);
        line.rateOn = l.has(QStringLiteral("rateOn")) ? rateOnOf(l) : item.rateOn;
        line.rate = l.has(QStringLiteral("rate")) ? nonNegative(l, QStringLiteral("rate")) : item.listRate;
        line.listRate = line.rate;
        line.remark1 = l.text(QStringLiteral("remark1"));
        line.remark2 = l.text(QStringLiteral("remark2"));
        line.reconciled = l.whole(QStringLiteral("checked")) != 0;
        c.lines.push_back(line);
    }
    return c;
}

SalesBill salesBillFromJson(db::Database& db, const Session& s, const QJsonObject& object) {
    QStringList keys = kChallanHeader;
    keys << QStringLiteral("consignee") << QStringLiteral("creditDays") << QStringLiteral("challan") << QStringLiteral("do")
         << QStringLiteral("tds") << QStringLiteral("tcs") << QStringLiteral("other") << QStringLiteral("eway")
         << QStringLiteral("truck") << QStringLiteral("packing") << QStringLiteral("cashPaid") << QStringLiteral("cashBook")
         << QStringLiteral("invoiceType") << QStringLiteral("lines") << QStringLiteral("challans");
    keys.removeAll(QStringLiteral("station"));
    keys.removeAll(QStringLiteral("order"));
    keys.removeAll(QStringLiteral("freight"));
    const Fields f(object, {}, keys);
    SalesBill b;
    b.bookNo = requireBook(db, s, f);
    b.billNo = f.text(QStringLiteral("number")).trimmed();
    b.date = f.date(QStringLiteral("date"), true);
    b.partyId = requireAccount(db, s, f, QStringLiteral("party"), !f.has(QStringLiteral("challan")));
    b.deliveryId = requireAccount(db, s, f, QStringLiteral("delivery"), false);
    b.consigneeId = requireAccount(db, s, f, QStringLiteral("consignee"), false);
    b.brokerId = brokerRef(db, s, f);
    b.creditDays = int(f.whole(QStringLiteral("creditDays")));
    b.doNo = f.text(QStringLiteral("do"));
    b.tdsPercent = nonNegative(f, QStringLiteral("tds"));
    b.tcsPercent = nonNegative(f, QStringLiteral("tcs"));
    b.otherCharges = f.number(QStringLiteral("other"));
    b.ewayBillNo = f.text(QStringLiteral("eway"));
    b.truckNo = f.text(QStringLiteral("truck"));
    b.lrNo = f.text(QStringLiteral("lr"));
    b.lrDate = f.date(QStringLiteral("lrDate"), false);
    b.transport = f.text(QStringLiteral("transport"));
    b.transporterId = f.text(QStringLiteral("transporterId"));
    b.vehicleNo = f.text(QStringLiteral("vehicle"));
    b.packing = f.text(QStringLiteral("packing"));
    b.caseNo = f.whole(QStringLiteral("case"));
    b.notes = f.text(QStringLiteral("notes"));
    b.cashPaid = nonNegative(f, QStringLiteral("cashPaid"));
    b.cashBookNo = f.whole(QStringLiteral("cashBook"));
    if (f.has(QStringLiteral("invoiceType"))) {
        const QString type = f.text(QStringLiteral("invoiceType")).trimmed();
        if (!QStringList{QStringLiteral("Retail"), QStringLiteral("Export"), QStringLiteral("SEZ")}.contains(type))
            f.refuse(QStringLiteral("\"invoiceType\" is Retail, Export or SEZ"));
        b.invoiceType = type;
    } else {
        b.invoiceType = QStringLiteral("Retail");
    }
    b.challanNo = f.whole(QStringLiteral("challan"));
    const QJsonArray lines = f.array(QStringLiteral("lines"));
    for (int i = 0; i < lines.size(); ++i) {
        const Fields l(objectAt(lines, i, QStringLiteral("line")), QStringLiteral("line %1").arg(i + 1),
                       {QStringLiteral("quality"), QStringLiteral("desc"), QStringLiteral("pcs"), QStringLiteral("cut"),
                        QStringLiteral("mtrs"), QStringLiteral("rateOn"), QStringLiteral("rate"), QStringLiteral("netRate"),
                        QStringLiteral("disc"), QStringLiteral("brk"), QStringLiteral("brkRs"), QStringLiteral("remark1"),
                        QStringLiteral("remark2")});
        SalesLine line;
        line.qualityId = requireQuality(db, s, l);
        line.description = l.text(QStringLiteral("desc"));
        line.remark1 = l.text(QStringLiteral("remark1"));
        line.remark2 = l.text(QStringLiteral("remark2"));
        InvoiceLineInput& in = line.input;
        in.pieces = nonNegative(l, QStringLiteral("pcs"));
        in.cut = nonNegative(l, QStringLiteral("cut"));
        in.metres = nonNegative(l, QStringLiteral("mtrs"));
        const QString rateOn = rateOnOf(l);
        applyItem(db, line.qualityId, in, l.has(QStringLiteral("rate")), !rateOn.isEmpty());
        if (!rateOn.isEmpty()) in.rateOn = rateOn;
        if (l.has(QStringLiteral("rate"))) in.listRate = nonNegative(l, QStringLiteral("rate"));
        if (l.has(QStringLiteral("netRate"))) in.netRate = nonNegative(l, QStringLiteral("netRate"));
        in.discountPercent = nonNegative(l, QStringLiteral("disc"));
        in.secondDiscountPercent = nonNegative(l, QStringLiteral("brk"));
        in.secondDiscountAmount = nonNegative(l, QStringLiteral("brkRs"));
        if (in.discountPercent > Decimal(100) || in.secondDiscountPercent > Decimal(100))
            l.refuse(QStringLiteral("a discount cannot exceed 100%"));
        b.lines.push_back(line);
    }
    // A period bill: the lines of these challans of the bill's book, each line naming its challan;
    // a bleaching firm bills its job-work outward challans (by their job number) instead.
    const QJsonArray challans = f.array(QStringLiteral("challans"));
    const bool jobWork = billsJobWork(s);
    const bool summed = firmFlag(s, QStringLiteral("Is_Ch_Q_Sum"));
    for (int i = 0; i < challans.size(); ++i) {
        const QString number = challans.at(i).isDouble() ? QString::number(challans.at(i).toInteger()) : challans.at(i).toString().trimmed();
        if (jobWork) {
            bool whole = false;
            const qint64 jobNo = number.toLongLong(&whole);
            const qint64 id = whole ? db.scalar(QStringLiteral("SELECT Id FROM JobWork_IssueMst_1 WHERE FirmNO = ? AND FormId = ? AND ChNo = ? "
                                                               "AND PartyID = ? AND Id > 0"),
                                                {s.firmNo, kJobWorkOutward, jobNo, b.partyId})
                                          .toLongLong()
                                    : 0;
            if (id == 0) f.refuse(QStringLiteral("job work \"%1\" is not an outward challan of this party").arg(number));
            for (SalesLine& line : salesLinesFromJobWork(db, id, summed)) b.lines.push_back(std::move(line));
            continue;
        }
        const qint64 id = db.scalar(QStringLiteral("SELECT Id FROM ChalanMst WHERE FirmNO = ? AND BookNO = ? AND BillNO = ?"),
                                    {s.firmNo, b.bookNo, number})
                              .toLongLong();
        if (id == 0) f.refuse(QStringLiteral("challan \"%1\" is not in book %2").arg(number).arg(b.bookNo));
        for (SalesLine& line : salesLinesFromChallan(db, id, summed)) b.lines.push_back(std::move(line));
    }
    return b;
}

PurchaseBill purchaseBillFromJson(db::Database& db, const Session& s, const QJsonObject& object) {
    const Fields f(object, {},
                   {QStringLiteral("kind"), QStringLiteral("book"), QStringLiteral("number"), QStringLiteral("date"), QStringLiteral("party"),
                    QStringLiteral("creditDays"), QStringLiteral("invoiceType"), QStringLiteral("broker"), QStringLiteral("transport"),
                    QStringLiteral("case"), QStringLiteral("lr"), QStringLiteral("lrDate"), QStringLiteral("lot"), QStringLiteral("eway"),
                    QStringLiteral("notes"), QStringLiteral("tds"), QStringLiteral("tcs"), QStringLiteral("other"), QStringLiteral("expense"),
                    QStringLiteral("rcm"), QStringLiteral("rcmBillNo"), QStringLiteral("skipGst"), QStringLiteral("lines"),
                    QStringLiteral("takas")});
    PurchaseBill b;
    const QString kind = f.text(QStringLiteral("kind")).trimmed();
    if (kind.isEmpty() || kind == QStringLiteral("goods")) b.kind = PurchaseKind::Goods;
    else if (kind == QStringLiteral("expense")) b.kind = PurchaseKind::Expense;
    else if (kind == QStringLiteral("expenseLines")) b.kind = PurchaseKind::ExpenseLines;
    else f.refuse(QStringLiteral("\"kind\" is goods, expense or expenseLines"));
    b.bookId = f.whole(QStringLiteral("book"));
    b.billNo = f.text(QStringLiteral("number")).trimmed();
    b.date = f.date(QStringLiteral("date"), true);
    b.partyId = requireAccount(db, s, f, QStringLiteral("party"), true);
    b.creditDays = int(f.whole(QStringLiteral("creditDays")));
    if (f.has(QStringLiteral("invoiceType"))) {
        const QString type = f.text(QStringLiteral("invoiceType")).trimmed().left(1).toUpper();
        if (!QStringList{QStringLiteral("T"), QStringLiteral("R"), QStringLiteral("L"), QStringLiteral("I"), QStringLiteral("S")}.contains(type))
            f.refuse(QStringLiteral("\"invoiceType\" is Tax Inv., Retail Inv., Labour, Import or SEZ"));
        b.invoiceType = type;
    }
    b.brokerId = brokerRef(db, s, f);
    b.transport = f.text(QStringLiteral("transport"));
    b.caseNo = f.text(QStringLiteral("case"));
    b.lrNo = f.text(QStringLiteral("lr"));
    b.lrDate = f.date(QStringLiteral("lrDate"), false);
    b.lotNo = f.text(QStringLiteral("lot"));
    b.ewayBillNo = f.text(QStringLiteral("eway"));
    b.notes = f.text(QStringLiteral("notes"));
    b.tdsPercent = nonNegative(f, QStringLiteral("tds"));
    b.tcsPercent = nonNegative(f, QStringLiteral("tcs"));
    b.otherCharges = f.number(QStringLiteral("other"));
    b.expenseAccountId = requireAccount(db, s, f, QStringLiteral("expense"), false);
    b.reverseChargeId = f.whole(QStringLiteral("rcm"));
    b.reverseChargeBillNo = f.text(QStringLiteral("rcmBillNo"));
    b.skipGst = f.whole(QStringLiteral("skipGst")) != 0;
    const QJsonArray lines = f.array(QStringLiteral("lines"));
    for (int i = 0; i < lines.size(); ++i) {
        const Fields l(objectAt(lines, i, QStringLiteral("line")), QStringLiteral("line %1").arg(i + 1),
                       {QStringLiteral("quality"), QStringLiteral("pcs"), QStringLiteral("count"), QStringLiteral("qty"),
                        QStringLiteral("rateOn"), QStringLiteral("rate"), QStringLiteral("disc"), QStringLiteral("freight"),
                        QStringLiteral("sgst"), QStringLiteral("cgst")});
        PurchaseLine line;
        InvoiceLineInput& in = line.input;
        // An expense line may name no item: its GST is then given on the line.
        if (b.kind == PurchaseKind::Goods || l.has(QStringLiteral("quality"))) {
            line.qualityId = requireQuality(db, s, l);
            const QString rateOn = rateOnOf(l);
            applyItem(db, line.qualityId, in, true, !rateOn.isEmpty());
            if (!rateOn.isEmpty()) in.rateOn = rateOn;
            in.listRate = l.has(QStringLiteral("rate"))
                              ? nonNegative(l, QStringLiteral("rate"))
                              : Decimal::fromVariant(db.scalar(QStringLiteral("SELECT PurRate FROM ProdMst WHERE Id = ?"), {line.qualityId}));
        } else {
            in.listRate = nonNegative(l, QStringLiteral("rate"));
            if (const QString rateOn = rateOnOf(l); !rateOn.isEmpty()) in.rateOn = rateOn;
        }
        if (l.has(QStringLiteral("sgst"))) in.sgstPercent = nonNegative(l, QStringLiteral("sgst"));
        if (l.has(QStringLiteral("cgst"))) in.cgstPercent = nonNegative(l, QStringLiteral("cgst"));
        in.pieces = nonNegative(l, QStringLiteral("pcs"));
        in.metres = nonNegative(l, QStringLiteral("qty"));
        line.count = nonNegative(l, QStringLiteral("count"));
        in.discountPercent = nonNegative(l, QStringLiteral("disc"));
        in.freight = nonNegative(l, QStringLiteral("freight"));
        if (in.discountPercent > Decimal(100)) l.refuse(QStringLiteral("a discount cannot exceed 100%"));
        b.lines.push_back(line);
    }
    const QJsonArray takas = f.array(QStringLiteral("takas"));
    for (int i = 0; i < takas.size(); ++i) {
        const Fields t(objectAt(takas, i, QStringLiteral("taka")), QStringLiteral("taka %1").arg(i + 1),
                       {QStringLiteral("taka"), QStringLiteral("mtrs")});
        const QString number = t.text(QStringLiteral("taka")).trimmed();
        if (number.isEmpty()) t.refuse(QStringLiteral("\"taka\" is required"));
        b.takas.push_back({number, nonNegative(t, QStringLiteral("mtrs")), false});
    }
    return b;
}

}  // namespace tanabana::trade
