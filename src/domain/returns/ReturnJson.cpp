#include "domain/returns/ReturnJson.h"

#include "domain/trade/JsonFields.h"

namespace tanabana::returns {

namespace {

using trade::Fields;

const QStringList kLineKeys{QStringLiteral("book"), QStringLiteral("date"), QStringLiteral("party"), QStringLiteral("lines"),
                            QStringLiteral("other")};

// The keys a bill reader understands, handed to it so the lines are read exactly as a bill's.
QJsonObject billPart(const QJsonObject& object) {
    QJsonObject part;
    for (const QString& key : kLineKeys)
        if (object.contains(key)) part.insert(key, object.value(key));
    return part;
}

// The party's bill of the form with this number.
qint64 billOfParty(db::Database& db, const Session& s, const Fields& f, const QString& table, int formId, qint64 partyId,
                   const QJsonValue& number, const QString& what) {
    const QString text = number.isDouble() ? QString::number(number.toInteger()) : number.toString().trimmed();
    const qint64 id = db.scalar(QStringLiteral("SELECT Id FROM %1 WHERE FirmNO = ? AND PartyID = ? AND FormId = ? AND BillNO = ? ORDER BY Id")
                                    .arg(table),
                                {s.firmNo, partyId, formId, text})
                          .toLongLong();
    if (id <= 0) f.refuse(QStringLiteral("bill \"%1\" is not a %2 bill of the party").arg(text, what));
    return id;
}

std::vector<Adjustment> adjustmentsFrom(db::Database& db, const Session& s, const Fields& f, const QString& table, int formId,
                                        qint64 partyId, const QString& what) {
    std::vector<Adjustment> out;
    const QJsonArray list = f.array(QStringLiteral("adjust"));
    for (int i = 0; i < list.size(); ++i) {
        const Fields a(trade::objectAt(list, i, QStringLiteral("adjustment")), QStringLiteral("adjustment %1").arg(i + 1),
                       {QStringLiteral("bill"), QStringLiteral("amount")});
        Adjustment adj;
        adj.billId = billOfParty(db, s, a, table, formId, partyId, list.at(i).toObject().value(QStringLiteral("bill")), what);
        adj.amount = trade::nonNegative(a, QStringLiteral("amount"));
        out.push_back(adj);
    }
    return out;
}

QStringList withKeys(QStringList keys) {
    keys << kLineKeys << QStringLiteral("number") << QStringLiteral("reason") << QStringLiteral("notes") << QStringLiteral("adjust");
    return keys;
}

}  // namespace

SalesReturn salesReturnFromJson(db::Database& db, const Session& s, const QJsonObject& object) {
    const Fields f(object, {},
                   withKeys({QStringLiteral("salBillNo"), QStringLiteral("salBillDate"), QStringLiteral("reference"), QStringLiteral("challan")}));
    const trade::SalesBill lines = trade::salesBillFromJson(db, s, billPart(object));
    SalesReturn r;
    r.bookNo = lines.bookNo;
    r.date = lines.date;
    r.partyId = lines.partyId;
    r.lines = lines.lines;
    r.otherCharges = lines.otherCharges;
    r.returnNo = f.text(QStringLiteral("number")).trimmed();
    r.sourceBillNo = f.text(QStringLiteral("salBillNo")).trimmed();
    r.sourceBillDate = f.date(QStringLiteral("salBillDate"), false);
    r.reason = f.text(QStringLiteral("reason"));
    r.reference = f.text(QStringLiteral("reference"));
    r.challanNo = f.whole(QStringLiteral("challan"));
    r.notes = f.text(QStringLiteral("notes"));
    r.adjustments = adjustmentsFrom(db, s, f, QStringLiteral("SalBillMst"), 3, r.partyId, QStringLiteral("sales"));
    return r;
}

PurchaseReturn purchaseReturnFromJson(db::Database& db, const Session& s, const QJsonObject& object) {
    const Fields f(object, {}, withKeys({QStringLiteral("purBillNo"), QStringLiteral("purBillDate")}));
    const trade::PurchaseBill lines = trade::purchaseBillFromJson(db, s, billPart(object));
    PurchaseReturn r;
    r.bookId = lines.bookId;
    r.date = lines.date;
    r.partyId = lines.partyId;
    r.lines = lines.lines;
    r.otherCharges = lines.otherCharges;
    r.returnNo = f.text(QStringLiteral("number")).trimmed();
    r.sourceBillNo = f.text(QStringLiteral("purBillNo")).trimmed();
    r.sourceBillDate = f.date(QStringLiteral("purBillDate"), false);
    r.reason = f.text(QStringLiteral("reason"));
    r.notes = f.text(QStringLiteral("notes"));
    r.adjustments = adjustmentsFrom(db, s, f, QStringLiteral("BillMst"), 1, r.partyId, QStringLiteral("purchase"));
    return r;
}

Note noteFromJson(db::Database& db, const Session& s, const QJsonObject& object) {
    const Fields f(object, {},
                   {QStringLiteral("kind"), QStringLiteral("number"), QStringLiteral("date"), QStringLiteral("book"), QStringLiteral("party"),
                    QStringLiteral("account"), QStringLiteral("bill"), QStringLiteral("bills"), QStringLiteral("desc"),
                    QStringLiteral("rateType"), QStringLiteral("percent"), QStringLiteral("quantity"), QStringLiteral("rate"),
                    QStringLiteral("taxable"), QStringLiteral("item"), QStringLiteral("sgst"), QStringLiteral("cgst"), QStringLiteral("other"),
                    QStringLiteral("tds"), QStringLiteral("tdsAccount"), QStringLiteral("refNo"), QStringLiteral("reason"),
                    QStringLiteral("refNotes"), QStringLiteral("remarks"), QStringLiteral("skipGst")});
    Note n;
    const QString kind = f.text(QStringLiteral("kind")).trimmed().toLower();
    if (kind.isEmpty() || kind == QStringLiteral("credit")) n.kind = NoteKind::Credit;
    else if (kind == QStringLiteral("debit")) n.kind = NoteKind::Debit;
    else f.refuse(QStringLiteral("\"kind\" is credit or debit"));
    n.noteNo = f.text(QStringLiteral("number")).trimmed();
    n.date = f.date(QStringLiteral("date"), true);
    n.bookNo = f.whole(QStringLiteral("book"));
    n.partyId = trade::requireAccount(db, s, f, QStringLiteral("party"), true);
    n.otherAccountId = trade::requireAccount(db, s, f, QStringLiteral("account"), true);
    const bool credit = n.kind == NoteKind::Credit;
    const QString table = credit ? QStringLiteral("SalBillMst") : QStringLiteral("BillMst");
    const QString what = credit ? QStringLiteral("sales") : QStringLiteral("purchase");
    const int form = credit ? 3 : 1;
    if (f.has(QStringLiteral("bill"))) n.billIds.push_back(billOfParty(db, s, f, table, form, n.partyId, object.value(QStringLiteral("bill")), what));
    const QJsonArray bills = f.array(QStringLiteral("bills"));
    for (const QJsonValue& bill : bills) n.billIds.push_back(billOfParty(db, s, f, table, form, n.partyId, bill, what));
    n.billDescription = f.text(QStringLiteral("desc"));
    n.rateType = f.text(QStringLiteral("rateType")).trimmed();
    n.percent = trade::nonNegative(f, QStringLiteral("percent"));
    n.quantity = trade::nonNegative(f, QStringLiteral("quantity"));
    n.rateDifference = trade::nonNegative(f, QStringLiteral("rate"));
    n.typedTaxable = trade::nonNegative(f, QStringLiteral("taxable"));
    if (f.has(QStringLiteral("item"))) {
        n.itemId = trade::qualityRef(db, s, f.text(QStringLiteral("item")));
        if (n.itemId <= 0) f.refuse(QStringLiteral("\"item\" names no item of the firm: %1").arg(f.text(QStringLiteral("item"))));
    }
    if (n.itemId > 0) {
        const auto r = db.queryOne(QStringLiteral("SELECT Vat, AddTax FROM ProdMst WHERE Id = ?"), {n.itemId});
        if (r) {
            n.sgstPercent = Decimal::fromVariant(r->value(QStringLiteral("Vat")));
            n.cgstPercent = Decimal::fromVariant(r->value(QStringLiteral("AddTax")));
        }
    }
    if (f.has(QStringLiteral("sgst"))) n.sgstPercent = trade::nonNegative(f, QStringLiteral("sgst"));
    if (f.has(QStringLiteral("cgst"))) n.cgstPercent = trade::nonNegative(f, QStringLiteral("cgst"));
    n.otherCharges = f.number(QStringLiteral("other"));
    n.tdsPercent = trade::nonNegative(f, QStringLiteral("tds"));
    n.tds = n.tdsPercent > Decimal();
    n.tdsAccountId = trade::requireAccount(db, s, f, QStringLiteral("tdsAccount"), n.tds);
    n.refNo = f.text(QStringLiteral("refNo"));
    n.reasonCode = f.text(QStringLiteral("reason")).trimmed();
    n.refNotes = f.text(QStringLiteral("refNotes"));
    n.remarks = f.text(QStringLiteral("remarks"));
    n.skipGst = f.whole(QStringLiteral("skipGst")) != 0;
    return n;
}

}  // namespace tanabana::returns
