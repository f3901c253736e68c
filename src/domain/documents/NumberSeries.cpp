#include "domain/documents/NumberSeries.h"

#include "core/Numbering.h"

namespace tanabana::documents {

namespace {

QString condition(const NumberSeries& s) {
    QString where = s.firmColumn + QStringLiteral(" = ? AND ") + s.bookColumn + QStringLiteral(" = ?");
    if (!s.scope.isEmpty()) where += QStringLiteral(" AND (") + s.scope + QLatin1Char(')');
    return where;
}

}  // namespace

QString lastNumber(db::Database& db, const NumberSeries& s, qint64 firmNo, qint64 bookNo) {
    QString order = s.keyColumn + QStringLiteral(" DESC");
    if (!s.dateColumn.isEmpty()) order = s.dateColumn + QStringLiteral(" DESC, ") + order;
    return db.scalar(QStringLiteral("SELECT %1 FROM %2 WHERE %3 AND %1 IS NOT NULL ORDER BY %4")
                             .arg(s.numberColumn, s.table, condition(s), order) +
                         db.dialect().limit(1),
                     {firmNo, bookNo})
        .toString()
        .trimmed();
}

QString proposedNumber(db::Database& db, const NumberSeries& s, qint64 firmNo, qint64 bookNo) {
    return IncrementTrailingDigits(lastNumber(db, s, firmNo, bookNo));
}

bool numberTaken(db::Database& db, const NumberSeries& s, qint64 firmNo, qint64 bookNo, const QString& number, qint64 exceptKey) {
    return db.scalar(QStringLiteral("SELECT count(*) FROM %1 WHERE %2 AND %3 = ? AND %4 <> ?")
                         .arg(s.table, condition(s), s.numberColumn, s.keyColumn),
                     {firmNo, bookNo, number.trimmed(), exceptKey})
               .toInt() > 0;
}

QString takeNumber(db::Database& db, const NumberSeries& s, qint64 firmNo, qint64 bookNo) {
    db.lockSeries(s.lockName());
    QString number = proposedNumber(db, s, firmNo, bookNo);
    // A book holds far fewer documents than this; the bound only keeps a damaged series finite.
    for (int step = 0; step < 1000000 && numberTaken(db, s, firmNo, bookNo, number); ++step) number = IncrementTrailingDigits(number);
    return number;
}

}  // namespace tanabana::documents
