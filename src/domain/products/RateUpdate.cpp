#include "domain/products/RateUpdate.h"

#include "core/YearLock.h"
#include "domain/products/Common.h"

namespace tanabana::products {

QString rateKindName(RateKind kind) {
    switch (kind) {
    case RateKind::Dealer: return QStringLiteral("Dealer Rate");
    case RateKind::Retail: return QStringLiteral("Retail Rate");
    case RateKind::Mrp: return QStringLiteral("MRP");
    }
    return {};
}

QString valueHeadName(ValueHead head) {
    switch (head) {
    case ValueHead::Gst: return QStringLiteral("CGST");
    case ValueHead::HsnCode: return QStringLiteral("HSN Code");
    case ValueHead::HsnDesc: return QStringLiteral("HSN Desc");
    case ValueHead::Uqc: return QStringLiteral("UQC");
    }
    return {};
}

Decimal changedRate(Decimal rate, Decimal percent) { return (rate + rate * percent / Decimal(100)).roundHalfEven(0); }

QStringList RateUpdate::captions() {
    return {QStringLiteral("Sel"),      QStringLiteral("ProdCode"),   QStringLiteral("Product Name"), QStringLiteral("UQC"),
            QStringLiteral("Calc On"),  QStringLiteral("Unit"),       QStringLiteral("S GST"),        QStringLiteral("C GST"),
            QStringLiteral("Pur Rate"), QStringLiteral("Sales Rate"), QStringLiteral("Mrp"),          QStringLiteral("Dealer Rate"),
            QStringLiteral("Id"),       QStringLiteral("HSN")};
}

std::vector<RateListRow> RateUpdate::list(const RateListFilter& f) {
    QString sql = QStringLiteral("SELECT Id, ProdCode, ProdName, UQM, CalcOn, UNit, Vat, AddTax, PurRAte, RAteR, Mrp, Ratew, hsnCode "
                                 "FROM ProdMst WHERE FirmNO = ? AND IsActive = 1");
    QVariantList params{session_.firmNo};
    if (!f.group.trimmed().isEmpty()) {
        sql += QStringLiteral(" AND lower(ProdGrp) = lower(?)");
        params << f.group.trimmed();
    }
    if (!f.namePrefix.trimmed().isEmpty()) {
        sql += QStringLiteral(" AND ") + db_.dialect().likeInsensitive(QStringLiteral("ProdName"));
        params << f.namePrefix.trimmed() + QLatin1Char('%');
    }
    if (f.sgst) {
        // Stored doubles compared in paise, so 2.5 finds 2.5 whatever its binary form.
        sql += QStringLiteral(" AND ROUND(Vat * 100) = ?");
        params << qint64(f.sgst->roundHalfEven(2).units() / 10000);
    }
    if (!f.hsnPrefix.trimmed().isEmpty()) {
        sql += QStringLiteral(" AND ") + db_.dialect().likeInsensitive(QStringLiteral("hsnCode"));
        params << f.hsnPrefix.trimmed() + QLatin1Char('%');
    }
    sql += QStringLiteral(" ORDER BY ProdName, Id");
    std::vector<RateListRow> rows;
    db_.forEach(sql, params, [&rows](const db::Row& r) {
        RateListRow row;
        row.id = r.integer(QStringLiteral("Id"));
        row.code = r.text(QStringLiteral("ProdCode"));
        row.name = r.text(QStringLiteral("ProdName"));
        row.uqc = r.text(QStringLiteral("UQM"));
        row.calcOn = r.integer(QStringLiteral("CalcOn")) == 2 ? 2 : 1;
        row.unit = r.text(QStringLiteral("UNit"));
        row.sgst = Decimal::fromVariant(r.value(QStringLiteral("Vat")));
        row.cgst = Decimal::fromVariant(r.value(QStringLiteral("AddTax")));
        row.purchaseRate = Decimal::fromVariant(r.value(QStringLiteral("PurRAte")));
        row.salesRate = Decimal::fromVariant(r.value(QStringLiteral("RAteR")));
        row.mrp = Decimal::fromVariant(r.value(QStringLiteral("Mrp")));
        row.dealerRate = Decimal::fromVariant(r.value(QStringLiteral("Ratew")));
        row.hsn = r.text(QStringLiteral("hsnCode"));
        rows.push_back(row);
    });
    return rows;
}

bool RateUpdate::prepared(const std::vector<qint64>& ids, const QString& what) {
    if (yearLockRefuses(session_, messages_)) return false;
    if (ids.empty()) {
        messages_.critical(QStringLiteral("No Data"), QStringLiteral("Please Select Product"));
        return false;
    }
    return messages_.ask(QStringLiteral("Update Confirm"),
                         QStringLiteral("Are you Sure to Update ") + what + QStringLiteral(" Detail of Selecte Product ? "));
}

bool RateUpdate::changeRates(const std::vector<qint64>& ids, RateKind kind, Decimal percent) {
    if (percent <= Decimal(-100) || percent > Decimal(1000)) {
        messages_.critical(invalidEntryTitle(), QStringLiteral("Percent must be more than -100 and at most 1000"));
        return false;
    }
    if (!prepared(ids, rateKindName(kind))) return false;
    const QString column = kind == RateKind::Dealer ? QStringLiteral("Ratew")
                           : kind == RateKind::Retail ? QStringLiteral("RAteR")
                                                      : QStringLiteral("Mrp");
    db::Transaction tx(db_);
    for (qint64 id : ids) {
        const auto row = db_.queryOne(QStringLiteral("SELECT %1 FROM ProdMst WHERE Id = ? AND FirmNO = ?").arg(column), {id, session_.firmNo});
        if (!row) continue;
        const Decimal rate = changedRate(Decimal::fromVariant(row->value(0)), percent);
        db_.exec(QStringLiteral("UPDATE ProdMst SET %1 = ?, Is_Upload = 0 WHERE Id = ?").arg(column), {rate.toDouble(), id});
    }
    tx.commit();
    messages_.information(QStringLiteral("Done"), QStringLiteral("Rate Changed"));
    return true;
}

bool RateUpdate::changeValue(const std::vector<qint64>& ids, ValueHead head, const QString& input) {
    const QString value = input.trimmed();
    if (value.isEmpty()) {
        messages_.critical(QStringLiteral("No Data"), QStringLiteral("Update Value Should not be empty"));
        return false;
    }
    QString sets;
    QVariantList params;
    switch (head) {
    case ValueHead::Gst: {
        const auto percent = readNumber(value, QStringLiteral("CGST"), messages_, false, Decimal(50));
        if (!percent) return false;
        sets = QStringLiteral("Vat = ?, AddTax = ?");
        params << percent->toDouble() << percent->toDouble();
        break;
    }
    case ValueHead::HsnCode:
        sets = QStringLiteral("hsnCode = ?");
        params << fitText(QStringLiteral("ProdMst"), QStringLiteral("hsnCode"), value);
        break;
    case ValueHead::HsnDesc:
        sets = QStringLiteral("LicenceNo = ?");
        params << fitText(QStringLiteral("ProdMst"), QStringLiteral("LicenceNo"), value);
        break;
    case ValueHead::Uqc:
        sets = QStringLiteral("UQM = ?");
        params << fitText(QStringLiteral("ProdMst"), QStringLiteral("UQM"), value);
        break;
    }
    if (!prepared(ids, valueHeadName(head))) return false;
    db::Transaction tx(db_);
    for (qint64 id : ids)
        db_.exec(QStringLiteral("UPDATE ProdMst SET %1, Is_Upload = 0 WHERE Id = ? AND FirmNO = ?").arg(sets),
                 params + QVariantList{id, session_.firmNo});
    tx.commit();
    messages_.information(QStringLiteral("Done"), valueHeadName(head) + QStringLiteral("Changed"));
    return true;
}

}  // namespace tanabana::products
