#include "domain/masters/LedgerCode.h"

namespace tanabana::masters {

QString groupLedgerId(int group) { return QStringLiteral("%1").arg(group * 10000, 6, 10, QLatin1Char('0')); }

QString ledgerSeries(int group, const QString& name) {
    const QString trimmed = name.trimmed();
    return QStringLiteral("%1").arg(group, 2, 10, QLatin1Char('0')) + (trimmed.isEmpty() ? QString() : trimmed.left(1).toUpper());
}

QString ledgerCode(const QString& series, int serial) {
    if (serial < 1 || serial > 999) return {};
    return series + QStringLiteral("%1").arg(serial, 3, 10, QLatin1Char('0'));
}

QString nextLedgerCode(db::Database& db, qint64 firmNo, const QString& series) {
    const QVariant max = db.scalar(QStringLiteral("SELECT MAX(rs) FROM AccMStView WHERE FirmNo = ? AND Ls = ? AND IsGrp = 0"),
                                   {firmNo, series});
    return ledgerCode(series, (max.isNull() ? 0 : max.toInt()) + 1);
}

bool ledgerCodeExists(db::Database& db, qint64 firmNo, const QString& code) {
    return db.scalar(QStringLiteral("SELECT count(*) FROM AccMst WHERE LedgerId = ? AND FirmNo = ?"), {code, firmNo}).toInt() > 0;
}

}  // namespace tanabana::masters
