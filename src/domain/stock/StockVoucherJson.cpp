#include "domain/stock/StockVoucherJson.h"

#include "domain/trade/JsonFields.h"

namespace tanabana::stock {

namespace {

using trade::Fields;

const QStringList kKeys{QStringLiteral("kind"), QStringLiteral("book"),    QStringLiteral("number"),  QStringLiteral("date"),
                        QStringLiteral("party"), QStringLiteral("process"), QStringLiteral("lot"),     QStringLiteral("remarks"),
                        QStringLiteral("lines")};
const QStringList kLineKeys{QStringLiteral("quality"), QStringLiteral("pcs"), QStringLiteral("cut"), QStringLiteral("mtrs")};

}  // namespace

StockVoucher stockVoucherFromJson(db::Database& db, const Session& s, const QJsonObject& object) {
    const Fields f(object, {}, kKeys);
    StockVoucher v;
    const QString kind = f.text(QStringLiteral("kind")).trimmed().toLower();
    if (kind == QStringLiteral("receipt")) v.kind = VoucherKind::Receipt;
    else if (!kind.isEmpty() && kind != QStringLiteral("issue")) f.refuse(QStringLiteral("\"kind\" is issue or receipt: %1").arg(kind));
    v.bookId = trade::requireBook(db, s, f);
    v.voucherNo = f.whole(QStringLiteral("number"));
    if (v.voucherNo < 0) f.refuse(QStringLiteral("\"number\" may not be below zero"));
    v.date = f.date(QStringLiteral("date"), true);
    v.partyId = trade::requireAccount(db, s, f, QStringLiteral("party"), true);
    v.process = f.text(QStringLiteral("process"));
    v.lotNo = f.text(QStringLiteral("lot"));
    v.remarks = f.text(QStringLiteral("remarks"));
    const QJsonArray lines = f.array(QStringLiteral("lines"));
    for (int i = 0; i < lines.size(); ++i) {
        const Fields l(trade::objectAt(lines, i, QStringLiteral("line")), QStringLiteral("line %1").arg(i + 1), kLineKeys);
        StockVoucherLine line;
        line.qualityId = trade::requireQuality(db, s, l);
        line.pieces = trade::nonNegative(l, QStringLiteral("pcs"));
        line.metres = trade::nonNegative(l, QStringLiteral("mtrs"));
        line.cut = l.has(QStringLiteral("cut"))
                       ? trade::nonNegative(l, QStringLiteral("cut"))
                       : Decimal::fromVariant(db.scalar(QStringLiteral("SELECT Pack FROM ProdMst WHERE Id = ?"), {line.qualityId})).roundHalfEven(3);
        v.lines.push_back(line);
    }
    return v;
}

}  // namespace tanabana::stock
