#include "domain/accounts/AccountFigures.h"

#include <QHash>

namespace tanabana::accounts {

namespace {

int monthNo(const QDate& date) { return date.year() * 100 + date.month(); }
QDate firstOfMonth(const QDate& date) { return QDate(date.year(), date.month(), 1); }

Decimal fromPaise(qint64 paise) { return Decimal::fromUnits(paise * (Decimal::Scale / 100)); }

// Paise of a stored amount, rounded the way the monthly totals round it.
QString paise(const db::Dialect& d, const QString& column) {
    return d.isPostgres() ? QStringLiteral("CAST(ROUND(CAST(COALESCE(%1, 0) AS NUMERIC) * 100) AS BIGINT)").arg(column)
                          : QStringLiteral("CAST(ROUND(COALESCE(%1, 0) * 100) AS INTEGER)").arg(column);
}

struct Movement {
    qint64 debit = 0;
    qint64 credit = 0;
};

// Debit and credit paise of each account's lines from `from` (invalid: the beginning) to `to`:
// whole months from the monthly totals, the part months at either end from the lines.
QHash<qint64, Movement> movements(db::Database& db, qint64 firmNo, const QDate& from, const QDate& to) {
    QHash<qint64, Movement> result;
    if (!to.isValid() || (from.isValid() && from > to)) return result;
    const db::Dialect& d = db.dialect();
    const int lowMonth = from.isValid() ? monthNo(from) : 0;
    const QDate linesFrom = from.isValid() ? from : firstOfMonth(to);
    // Lines of the first part month (before the month after `from`) and of the last one.
    const QDate afterFirstMonth = firstOfMonth(linesFrom).addMonths(1);
    const QString sql =
        QStringLiteral("SELECT t.AccId, SUM(t.Dr) AS Dr, SUM(t.Cr) AS Cr FROM ("
                       "SELECT AccId, DrPaise AS Dr, CrPaise AS Cr FROM HeadDtl3_MonthBal WHERE FirmNo = ? AND MonthNo > ? AND MonthNo < ? "
                       "UNION ALL "
                       "SELECT AccId, %1 AS Dr, %2 AS Cr FROM HeadDtl3 WHERE FirmNo = ? AND TransDate >= ? AND TransDate <= ? "
                       "AND (TransDate < ? OR TransDate >= ?)) t GROUP BY t.AccId")
            .arg(paise(d, QStringLiteral("DrAmt")), paise(d, QStringLiteral("CrAmt")));
    db.forEach(sql, {firmNo, lowMonth, monthNo(to), firmNo, linesFrom, to, afterFirstMonth, firstOfMonth(to)},
               [&](const db::Row& row) {
                   Movement& m = result[row.value(0).toLongLong()];
                   m.debit += row.value(1).toLongLong();
                   m.credit += row.value(2).toLongLong();
               });
    return result;
}

Decimal rupees(const QVariant& value) { return Decimal::fromVariant(value).roundHalfEven(2); }

}  // namespace

std::vector<AccountFigure> accountFigures(db::Database& db, qint64 firmNo, const FigurePeriod& period) {
    // A month totalled before the year began (MonthNo 0 holds undated lines) is never counted.
    const QHash<qint64, Movement> lines = movements(db, firmNo, period.from, period.to);
    QHash<qint64, Movement> earlier;
    if (period.opening == OpeningRule::Carried && period.from.isValid())
        earlier = movements(db, firmNo, QDate(), period.from.addDays(-1));

    std::vector<AccountFigure> result;
    db.forEach(QStringLiteral("SELECT a.Id, a.LedgerId, a.AcName, a.City, a.AreaName, a.GrpNo, g.GrpName, a.DrAmt, a.CrAmt, "
                              "a.Active, o.OpDate, o.OpAmount, o.OpType FROM AccMst a "
                              "LEFT JOIN (SELECT GrpNo, MIN(AcName) AS GrpName FROM AccMst WHERE FirmNo = ? AND IsGrp = 1 GROUP BY GrpNo) g "
                              "ON g.GrpNo = a.GrpNo "
                              "LEFT JOIN AccMstOpBal o ON o.Id = a.Id AND o.FirmNo = a.FirmNo "
                              "WHERE a.FirmNo = ? AND a.IsGrp = 0 ORDER BY a.GrpNo, a.AcName, a.Id"),
               {firmNo, firmNo}, [&](const db::Row& row) {
                   AccountFigure f;
                   f.accId = row.value(0).toLongLong();
                   f.ledgerId = row.value(1).toString().trimmed();
                   f.name = row.value(2).toString().trimmed();
                   f.city = row.value(3).toString().trimmed();
                   f.area = row.value(4).toString().trimmed();
                   f.grpNo = row.value(5).toInt();
                   f.groupName = row.value(6).toString().trimmed();
                   f.active = row.value(9).isNull() || row.value(9).toBool();
                   switch (period.opening) {
                   case OpeningRule::Dated: {
                       const QDate opDate = row.date(QStringLiteral("OpDate"));
                       if (!row.value(11).isNull() && (!opDate.isValid() || opDate <= period.to)) {
                           const Decimal amount = rupees(row.value(11));
                           f.opening = row.value(12).toString().trimmed().toUpper() == QLatin1String("C") ? -amount : amount;
                       }
                       break;
                   }
                   case OpeningRule::Carried: {
                       const Decimal credit = rupees(row.value(8));
                       f.opening = credit.isZero() ? rupees(row.value(7)) : -credit;
                       const Movement before = earlier.value(f.accId);
                       f.opening += fromPaise(before.debit - before.credit);
                       break;
                   }
                   case OpeningRule::None: break;
                   }
                   const Movement m = lines.value(f.accId);
                   f.debit = fromPaise(m.debit);
                   f.credit = fromPaise(m.credit);
                   result.push_back(std::move(f));
               });
    return result;
}

std::vector<GroupRow> accountGroups(db::Database& db, qint64 firmNo) {
    std::vector<GroupRow> result;
    db.forEach(QStringLiteral("SELECT GrpNo, AcName, LedgerId FROM AccMst WHERE FirmNo = ? AND IsGrp = 1 ORDER BY GrpNo, Id"), {firmNo},
               [&](const db::Row& row) {
                   const int number = row.value(0).toInt();
                   if (!result.empty() && result.back().grpNo == number) return;
                   result.push_back({number, row.value(1).toString().trimmed(), row.value(2).toString().trimmed()});
               });
    return result;
}

}  // namespace tanabana::accounts
