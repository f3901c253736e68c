#include "support/PostedLines.h"

#include "core/Decimal.h"

namespace tanabana::test {

QStringList journalLines(db::Database& db, int tableCode, qint64 voucherNo) {
    QStringList lines;
    db.forEach(QStringLiteral("SELECT a.AcName, h.Type, h.DrAmt, h.CrAmt, h.Desc FROM HeadDtl3 h LEFT JOIN AccMst a ON a.Id = h.AccId "
                              "WHERE h.TableCode = ? AND h.VoucherNo = ? ORDER BY h.Type DESC, h.SubSrno"),
               {tableCode, voucherNo}, [&](const db::Row& r) {
                   const bool debit = r.text(QStringLiteral("Type")) == QStringLiteral("D");
                   const Decimal amount = Decimal::fromVariant(r.value(debit ? QStringLiteral("DrAmt") : QStringLiteral("CrAmt")));
                   lines << QStringList{r.text(QStringLiteral("AcName")), r.text(QStringLiteral("Type")), amount.toString(2),
                                        r.text(QStringLiteral("Desc"))}
                                .join(QLatin1Char('|'));
               });
    return lines;
}

QString outstandingOf(db::Database& db, const QString& table, qint64 billId) {
    const auto r = db.queryOne(QStringLiteral("SELECT PaidAmt, UnPaidAmt, IsEnd FROM %1 WHERE Id = ?").arg(table), {billId});
    if (!r) return QStringLiteral("no bill");
    return QStringLiteral("paid %1 unpaid %2 %3")
        .arg(Decimal::fromVariant(r->value(QStringLiteral("PaidAmt"))).toString(2),
             Decimal::fromVariant(r->value(QStringLiteral("UnPaidAmt"))).toString(2),
             r->flag(QStringLiteral("IsEnd")) ? QStringLiteral("closed") : QStringLiteral("open"));
}

bool told(const RecordingMessages& messages, const QString& text) {
    for (const Message& m : messages.all())
        if (m.text == text) return true;
    return false;
}

QString lastRefusal(const RecordingMessages& messages) {
    for (auto it = messages.all().rbegin(); it != messages.all().rend(); ++it)
        if (it->kind == MessageKind::Critical) return it->title + QStringLiteral(": ") + it->text;
    return {};
}

}  // namespace tanabana::test
