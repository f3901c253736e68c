#include "domain/trade/JsonFields.h"

namespace tanabana::trade {

QJsonObject objectAt(const QJsonArray& list, int index, const QString& what) {
    if (!list.at(index).isObject()) throw JsonRefused(QStringLiteral("%1 %2 must be an object").arg(what).arg(index + 1));
    return list.at(index).toObject();
}

qint64 requireBook(db::Database& db, const Session& s, const Fields& f) {
    if (!f.has(QStringLiteral("book"))) f.refuse(QStringLiteral("\"book\" is required (the number of the firm's book)"));
    const qint64 bookNo = f.whole(QStringLiteral("book"));
    if (db.scalar(QStringLiteral("SELECT count(*) FROM BookMst WHERE BookNO = ? AND FirmNO = ?"), {bookNo, s.firmNo}).toInt() == 0)
        f.refuse(QStringLiteral("book %1 is not a book of firm %2").arg(bookNo).arg(s.firmNo));
    return bookNo;
}

qint64 requireAccount(db::Database& db, const Session& s, const Fields& f, const QString& key, bool required) {
    const QString ref = f.text(key).trimmed();
    if (ref.isEmpty()) {
        if (required) f.refuse(QStringLiteral("\"%1\" is required").arg(key));
        return 0;
    }
    const qint64 id = accountRef(db, s, ref);
    if (id == 0) f.refuse(QStringLiteral("no account %1 in firm %2").arg(ref).arg(s.firmNo));
    return id;
}

qint64 requireQuality(db::Database& db, const Session& s, const Fields& f) {
    const QString ref = f.text(QStringLiteral("quality")).trimmed();
    if (ref.isEmpty()) f.refuse(QStringLiteral("\"quality\" is required"));
    const qint64 id = qualityRef(db, s, ref);
    if (id == 0) f.refuse(QStringLiteral("no item %1 in firm %2").arg(ref).arg(s.firmNo));
    return id;
}

qint64 brokerRef(db::Database& db, const Session& s, const Fields& f) {
    const QString ref = f.text(QStringLiteral("broker")).trimmed();
    if (ref.isEmpty()) return 0;
    const qint64 id = db.scalar(QStringLiteral("SELECT Srno FROM BrokerMst WHERE FirmNO = ? AND (PName = ? OR CAST(Srno AS TEXT) = ?)"),
                                {s.firmNo, ref, ref})
                          .toLongLong();
    if (id == 0) f.refuse(QStringLiteral("no broker %1 in firm %2").arg(ref).arg(s.firmNo));
    return id;
}

QString rateOnOf(const Fields& f) {
    const QString r = f.text(QStringLiteral("rateOn")).trimmed().toUpper();
    if (r.isEmpty() || r == QStringLiteral("M") || r == QStringLiteral("P")) return r;
    f.refuse(QStringLiteral("\"rateOn\" is P (pieces) or M (metres)"));
}

Decimal nonNegative(const Fields& f, const QString& key) {
    const Decimal d = f.number(key);
    if (d.isNegative()) f.refuse(QStringLiteral("\"%1\" cannot be negative").arg(key));
    return d;
}

}  // namespace tanabana::trade
