#include "domain/documents/DocumentList.h"

#include <algorithm>

namespace tanabana::documents {

DocumentPage listDocuments(db::Database& db, const ListQuery& q, const ListFilter& f) {
    QString where = q.where.isEmpty() ? QStringLiteral("1 = 1") : q.where;
    QVariantList params = q.params;
    const QString text = f.text.trimmed();
    if (!text.isEmpty()) {
        QStringList either{db.dialect().likeInsensitive(q.number)};
        params << text + QLatin1Char('%');
        if (!q.party.isEmpty()) {
            either << db.dialect().likeInsensitive(q.party);
            params << text + QLatin1Char('%');
        }
        // "12,450" or "12450.50" typed: the documents of that amount too
        QString digits = text;
        digits.remove(QLatin1Char(','));
        if (const auto amount = Decimal::parse(digits); amount && !q.amount.isEmpty()) {
            either << QStringLiteral("ABS(COALESCE(%1, 0) - ?) < 0.005").arg(q.amount);
            params << amount->toVariant();
        }
        where += QStringLiteral(" AND (") + either.join(QStringLiteral(" OR ")) + QLatin1Char(')');
    }
    if (f.from.isValid()) {
        where += QStringLiteral(" AND %1 >= ?").arg(q.date);
        params << f.from;
    }
    if (f.to.isValid()) {
        where += QStringLiteral(" AND %1 <= ?").arg(q.date);
        params << f.to;
    }

    DocumentPage page;
    page.pageSize = std::max(1, f.pageSize);
    page.total = db.scalar(QStringLiteral("SELECT COUNT(*) FROM ") + q.from + QStringLiteral(" WHERE ") + where, params).toInt();
    page.page = std::clamp(f.page, 0, page.pages() - 1);

    QStringList columns{q.key, q.number, q.date + QStringLiteral(" AS ListDate"), q.party.isEmpty() ? QStringLiteral("''") : q.party,
                        q.amount.isEmpty() ? QStringLiteral("0") : q.amount, q.marked.isEmpty() ? QStringLiteral("0") : q.marked};
    columns << q.texts << q.figures;
    // Numbers of one day sort by value ("10" above "9"): longer first, then by text.
    const QString sql = QStringLiteral("SELECT ") + columns.join(QStringLiteral(", ")) + QStringLiteral(" FROM ") + q.from +
                        QStringLiteral(" WHERE ") + where +
                        QStringLiteral(" ORDER BY %1 DESC, LENGTH(%2) DESC, %2 DESC, %3 DESC").arg(q.date, q.number, q.key) +
                        db.dialect().limit(page.pageSize) + QStringLiteral(" OFFSET %1").arg(page.page * page.pageSize);
    for (const db::Row& r : db.query(sql, params)) {
        ListedDocument d;
        d.id = r.value(0).toLongLong();
        d.number = r.value(1).toString();
        d.date = r.date(QStringLiteral("ListDate"));
        d.party = r.value(3).toString();
        d.amount = Decimal::fromVariant(r.value(4));
        d.marked = r.value(5).toInt() != 0;
        const int first = 6;
        for (int i = 0; i < q.texts.size(); ++i) d.texts << r.value(first + i).toString();
        for (int i = 0; i < q.figures.size(); ++i) d.figures.push_back(Decimal::fromVariant(r.value(first + int(q.texts.size()) + i)));
        page.rows.push_back(std::move(d));
    }
    return page;
}

}  // namespace tanabana::documents
