#include "domain/trade/DocumentRules.h"

#include "core/Numbering.h"
#include "core/YearLock.h"
#include "db/Database.h"
#include "domain/schema/YearSchema.h"

namespace tanabana::trade {

QVariant firmSetting(const Session& session, const QString& column) {
    for (auto it = session.firm.constBegin(); it != session.firm.constEnd(); ++it)
        if (it.key().compare(column, Qt::CaseInsensitive) == 0) return it.value();
    // Settings not loaded into the session (a script that opened the books itself): the firm's row.
    if (session.firm.isEmpty() && session.db && session.db->isOpen()) {
        const auto row = session.db->queryOne(QStringLiteral("SELECT * FROM FirmMst WHERE Srno = ?"), {session.firmNo});
        if (row) return row->value(column);
    }
    return {};
}

bool firmFlag(const Session& session, const QString& column) {
    const QVariant value = firmSetting(session, column);
    if (value.typeId() == QMetaType::QString) {
        const QString text = value.toString().trimmed().toLower();
        return text == QStringLiteral("true") || text == QStringLiteral("yes") || text.toInt() != 0;
    }
    return value.toInt() != 0 || value.toBool();
}

Decimal firmNumber(const Session& session, const QString& column) { return Decimal::fromVariant(firmSetting(session, column)); }

QString followingNumber(const QString& last) { return IncrementTrailingDigits(last); }

qint64 leadingWholeNumber(const QString& text) {
    const QString t = text.trimmed();
    int end = 0;
    while (end < t.size() && end < 18 && t.at(end).isDigit()) ++end;
    return end == 0 ? 0 : t.left(end).toLongLong();
}

QString fitted(const QString& table, const QString& column, const QString& text) {
    return schema::yearColumnWidths().fit(table, column, text.trimmed());
}

QVariant dateValue(const QDate& date) { return date.isValid() ? QVariant(date) : QVariant(QMetaType(QMetaType::QDate)); }

void refuseMissingPartyOrQuality(Messages& messages) {
    messages.critical(QStringLiteral("System Validation"), QStringLiteral("Please Select Party NAme and Quality"));
}

QString stateCodeOf(const QString& stateOrGstin) {
    const QString t = stateOrGstin.trimmed();
    return t.size() >= 2 && t.at(0).isDigit() && t.at(1).isDigit() ? t.left(2) : QString();
}

QString rateBasis(const QString& rateOn) { return rateOn.trimmed().toUpper() == QStringLiteral("P") ? QStringLiteral("P") : QStringLiteral("M"); }

}  // namespace tanabana::trade
