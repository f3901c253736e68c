#include "domain/products/ItemLookup.h"

namespace tanabana::products {

namespace {

const QString kColumns = QStringLiteral(
    "Id, ProdCode, ProdName, P1, ProdGrp, ProdSubGrp, UNit, hsnCode, LicenceNo, UQM, StkType, Vat, AddTax, RAteR, Ratew, "
    "PurRAte, Pack, Mrp, VatCalc, CalcOn, Is_NoStk");

ItemForLine fromRow(const db::Row& r) {
    ItemForLine i;
    i.id = r.integer(QStringLiteral("Id"));
    i.code = r.text(QStringLiteral("ProdCode"));
    i.name = r.text(QStringLiteral("ProdName"));
    i.name2 = r.text(QStringLiteral("P1"));
    i.group = r.text(QStringLiteral("ProdGrp"));
    i.subGroup = r.text(QStringLiteral("ProdSubGrp"));
    i.unit = r.text(QStringLiteral("UNit"));
    i.hsn = r.text(QStringLiteral("hsnCode"));
    i.hsnDesc = r.text(QStringLiteral("LicenceNo"));
    i.uqc = r.text(QStringLiteral("UQM"));
    const QString stk = r.text(QStringLiteral("StkType"));
    i.stockType = stk.isEmpty() ? QChar() : stk.at(0);
    i.sgst = Decimal::fromVariant(r.value(QStringLiteral("Vat")));
    i.cgst = Decimal::fromVariant(r.value(QStringLiteral("AddTax")));
    i.rateRetail = Decimal::fromVariant(r.value(QStringLiteral("RAteR")));
    i.rateDealer = Decimal::fromVariant(r.value(QStringLiteral("Ratew")));
    i.ratePurchase = Decimal::fromVariant(r.value(QStringLiteral("PurRAte")));
    i.cut = Decimal::fromVariant(r.value(QStringLiteral("Pack")));
    i.mrp = Decimal::fromVariant(r.value(QStringLiteral("Mrp")));
    i.ratesIncludeGst = int(r.number(QStringLiteral("VatCalc"))) != 1;
    i.pricedPer = r.integer(QStringLiteral("CalcOn")) == 2 ? QStringLiteral("P") : QStringLiteral("M");
    i.inStockReports = !r.flag(QStringLiteral("Is_NoStk"));
    return i;
}

}  // namespace

Decimal ItemForLine::rateWithoutGst(Decimal rate) const {
    if (!ratesIncludeGst) return rate;
    return (rate * Decimal(100) / (Decimal(100) + igst())).roundHalfEven(4);
}

std::optional<ItemForLine> itemForLine(db::Database& db, qint64 id) {
    const auto row = db.queryOne(QStringLiteral("SELECT %1 FROM ProdMst WHERE Id = ?").arg(kColumns), {id});
    if (!row) return std::nullopt;
    return fromRow(*row);
}

std::optional<ItemForLine> itemForLineByCode(db::Database& db, qint64 firmNo, const QString& code) {
    const auto row = db.queryOne(
        QStringLiteral("SELECT %1 FROM ProdMst WHERE FirmNO = ? AND lower(ProdCode) = lower(?) ORDER BY Id").arg(kColumns) +
            db.dialect().limit(1),
        {firmNo, code.trimmed()});
    if (!row) return std::nullopt;
    return fromRow(*row);
}

std::vector<ItemForLine> itemsForLines(db::Database& db, qint64 firmNo, const QString& prefix) {
    QString sql = QStringLiteral("SELECT %1 FROM ProdMst WHERE FirmNO = ? AND IsActive = 1 AND (IsNewPro = 0 OR IsNewPro IS NULL)")
                      .arg(kColumns);
    QVariantList params{firmNo};
    if (!prefix.trimmed().isEmpty()) {
        sql += QStringLiteral(" AND (") + db.dialect().likeInsensitive(QStringLiteral("ProdName")) + QStringLiteral(" OR ") +
               db.dialect().likeInsensitive(QStringLiteral("ProdCode")) + QStringLiteral(")");
        params << prefix.trimmed() + QLatin1Char('%') << prefix.trimmed() + QLatin1Char('%');
    }
    sql += QStringLiteral(" ORDER BY ProdName, Id");
    std::vector<ItemForLine> items;
    db.forEach(sql, params, [&items](const db::Row& r) { items.push_back(fromRow(r)); });
    return items;
}

}  // namespace tanabana::products
