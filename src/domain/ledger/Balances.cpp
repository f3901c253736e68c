#include "domain/ledger/Balances.h"

namespace tanabana::ledger {

namespace {

Decimal fromPaise(qint64 paise) { return Decimal::fromUnits(paise * (Decimal::Scale / 100)); }

// A stored or summed amount, to the paisa.
Decimal rupees(const QVariant& value) { return Decimal::fromVariant(value).roundHalfEven(2); }

int monthNo(const QDate& date) { return date.year() * 100 + date.month(); }

}  // namespace

QString balanceText(Decimal balance) {
    QString number = balance.abs().roundHalfEven(2).toString(2);
    while (number.endsWith(QLatin1Char('0'))) number.chop(1);
    if (number.endsWith(QLatin1Char('.'))) number.chop(1);
    if (balance.roundHalfEven(2).isZero()) return number;
    return number + (balance.isNegative() ? QStringLiteral(" Cr.") : QStringLiteral(" Dr."));
}

Decimal Balances::sumOf(const QString& sql, const QVariantList& params) { return rupees(db_.scalar(sql, params)); }

Decimal Balances::movement(qint64 accId, const QDate& date, bool inclusive, Measure measure) {
    static const char* monthColumns[] = {"DrPaise - CrPaise", "DrPaise", "CrPaise"};
    static const char* lineColumns[] = {"DrAmt - CrAmt", "DrAmt", "CrAmt"};
    const int m = int(measure);
    // Whole months before the date's month from the totals, then the lines of its own month.
    const qint64 paise =
        db_.scalar(QStringLiteral("SELECT CAST(COALESCE(SUM(%1), 0) AS BIGINT) FROM HeadDtl3_MonthBal WHERE FirmNo = ? AND "
                                  "AccId = ? AND MonthNo > 0 AND MonthNo < ?")
                       .arg(QLatin1String(monthColumns[m])),
                   {session_.firmNo, accId, monthNo(date)})
            .toLongLong();
    const Decimal days = sumOf(QStringLiteral("SELECT %1 FROM HeadDtl3 WHERE FirmNo = ? AND AccId = ? AND TransDate >= ? AND "
                                              "TransDate %2 ?")
                                   .arg(db_.dialect().sumRounded(QLatin1String(lineColumns[m])),
                                        inclusive ? QStringLiteral("<=") : QStringLiteral("<")),
                               {session_.firmNo, accId, QDate(date.year(), date.month(), 1), date});
    return fromPaise(paise) + days;
}

Decimal Balances::closing(qint64 accId) {
    Decimal opening;
    if (auto row = db_.queryOne(QStringLiteral("SELECT DrAmt, CrAmt FROM AccMst WHERE Id = ? AND FirmNo = ?"),
                                {accId, session_.firmNo})) {
        const Decimal credit = rupees(row->value(QStringLiteral("CrAmt")));
        opening = credit.isZero() ? rupees(row->value(QStringLiteral("DrAmt"))) : -credit;
    }
    const qint64 paise = db_.scalar(QStringLiteral("SELECT CAST(COALESCE(SUM(DrPaise - CrPaise), 0) AS BIGINT) FROM "
                                                   "HeadDtl3_MonthBal WHERE FirmNo = ? AND AccId = ?"),
                                    {session_.firmNo, accId})
                             .toLongLong();
    return opening + fromPaise(paise);
}

Decimal Balances::signedOpening(qint64 accId) {
    const auto row = db_.queryOne(QStringLiteral("SELECT OpAmount, OpType FROM AccMstOpBal WHERE Id = ? AND FirmNo = ?"),
                                  {accId, session_.firmNo});
    if (!row) return {};
    const Decimal amount = rupees(row->value(QStringLiteral("OpAmount")));
    return row->text(QStringLiteral("OpType")).trimmed().toUpper() == QLatin1String("C") ? -amount : amount;
}

Decimal Balances::before(qint64 accId, const QDate& date) {
    Decimal opening;
    const auto row = db_.queryOne(QStringLiteral("SELECT OpDate FROM AccMstOpBal WHERE Id = ? AND FirmNo = ?"),
                                  {accId, session_.firmNo});
    if (row && row->date(QStringLiteral("OpDate")).isValid() && row->date(QStringLiteral("OpDate")) <= date)
        opening = signedOpening(accId);
    return opening + movement(accId, date, false, Measure::Net);
}

Decimal Balances::upTo(qint64 accId, const QDate& date) {
    return signedOpening(accId) + movement(accId, date, true, Measure::Net);
}

Decimal Balances::sideTotalBefore(qint64 accId, QChar side, const QDate& date) {
    return movement(accId, date, false, side == QLatin1Char('C') ? Measure::Credit : Measure::Debit);
}

Decimal Balances::group(int grpNo) {
    const Decimal openings = sumOf(QStringLiteral("SELECT %1 FROM AccMst WHERE FirmNo = ? AND GrpNo = ?")
                                       .arg(db_.dialect().sumRounded(QStringLiteral("DrAmt - CrAmt"))),
                                   {session_.firmNo, grpNo});
    const qint64 paise =
        db_.scalar(QStringLiteral("SELECT CAST(COALESCE(SUM(m.DrPaise - m.CrPaise), 0) AS BIGINT) FROM HeadDtl3_MonthBal m "
                                  "JOIN AccMst a ON a.Id = m.AccId WHERE m.FirmNo = ? AND a.FirmNo = ? AND a.GrpNo = ?"),
                   {session_.firmNo, session_.firmNo, grpNo})
            .toLongLong();
    return openings + fromPaise(paise);
}

std::vector<AccountBalance> Balances::allClosing() {
    std::vector<AccountBalance> result;
    db_.forEach(QStringLiteral("SELECT a.Id, a.DrAmt, a.CrAmt, COALESCE(m.Paise, 0) AS Paise FROM AccMst a LEFT JOIN "
                               "(SELECT AccId, CAST(SUM(DrPaise - CrPaise) AS BIGINT) AS Paise FROM HeadDtl3_MonthBal "
                               "WHERE FirmNo = ? GROUP BY AccId) m ON m.AccId = a.Id "
                               "WHERE a.FirmNo = ? AND a.IsGrp = 0 ORDER BY a.Id"),
                {session_.firmNo, session_.firmNo}, [&](const db::Row& row) {
                    const Decimal credit = rupees(row.value(2));
                    const Decimal opening = credit.isZero() ? rupees(row.value(1)) : -credit;
                    result.push_back({row.value(0).toLongLong(), opening + fromPaise(row.value(3).toLongLong())});
                });
    return result;
}

std::vector<GroupBalance> Balances::allGroups() {
    std::vector<GroupBalance> result;
    db_.forEach(QStringLiteral("SELECT a.GrpNo, %1 AS Openings, CAST(COALESCE(SUM(m.Paise), 0) AS BIGINT) AS Paise "
                               "FROM AccMst a LEFT JOIN (SELECT AccId, SUM(DrPaise - CrPaise) AS Paise FROM HeadDtl3_MonthBal "
                               "WHERE FirmNo = ? GROUP BY AccId) m ON m.AccId = a.Id "
                               "WHERE a.FirmNo = ? GROUP BY a.GrpNo ORDER BY a.GrpNo")
                    .arg(db_.dialect().sumRounded(QStringLiteral("a.DrAmt - a.CrAmt"))),
                {session_.firmNo, session_.firmNo}, [&](const db::Row& row) {
                    result.push_back({row.value(0).toInt(), rupees(row.value(1)) + fromPaise(row.value(2).toLongLong())});
                });
    return result;
}

Decimal Balances::ledger(qint64 accId, const QDate& from, const QDate& to,
                         const std::function<void(const LedgerLine&)>& visit) {
    const Decimal opening = before(accId, from);
    Decimal running = opening;
    db_.forEach(QStringLiteral("SELECT TransDate, JournalNo, SubSrno, TableCode, VoucherNo, Receiptno, %1 AS Description, "
                               "Narr, PartyCode, DrAmt, CrAmt FROM HeadDtl3 WHERE FirmNo = ? AND AccId = ? AND "
                               "TransDate >= ? AND TransDate <= ? ORDER BY TransDate, JournalNo, SubSrno, Type DESC")
                    .arg(db_.dialect().quote(QStringLiteral("Desc"))),
                {session_.firmNo, accId, from, to}, [&](const db::Row& row) {
                    LedgerLine line;
                    line.date = row.date(QStringLiteral("TransDate"));
                    line.journalNo = row.value(1).toLongLong();
                    line.serial = row.value(2).toInt();
                    line.tableCode = row.value(3).toInt();
                    line.voucherNo = row.value(4).toLongLong();
                    line.printedNo = row.value(5).toString();
                    line.description = row.value(6).toString();
                    line.narration = row.value(7).toString();
                    line.contraAccId = row.value(8).toLongLong();
                    line.debit = rupees(row.value(9));
                    line.credit = rupees(row.value(10));
                    running += line.debit - line.credit;
                    line.balance = running;
                    visit(line);
                });
    return opening;
}

}  // namespace tanabana::ledger
