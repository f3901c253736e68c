#include "domain/trade/DocumentRules.h"

#include "domain/schema/Steps.h"

namespace tanabana::trade {

bool refuseWhenYearClosed(const Session& session, Messages& messages) {
    if (!firmFlag(session, QStringLiteral("IsYrEnd"))) return false;
    messages.critical(QStringLiteral("Year End Done"),
                      QStringLiteral("Year End Is Completed! ") + QLatin1Char('\n') + QStringLiteral(" You Can't Modify/Delete"));
    return true;
}

QVariant firmSetting(const Session& session, const QString& column) {
    for (auto it = session.firm.constBegin(); it != session.firm.constEnd(); ++it)
        if (it.key().compare(column, Qt::CaseInsensitive) == 0) return it.value();
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

QString followingNumber(const QString& last) {
    const QString text = last.trimmed();
    if (text.isEmpty()) return QStringLiteral("1");
    int start = text.size();
    while (start > 0 && text.at(start - 1).isDigit()) --start;
    const QString digits = text.mid(start);
    if (digits.isEmpty()) return text + QStringLiteral("1");
    // Increase the digit text itself so that any length works and the width is kept ("0099" -> "0100").
    QString next = digits;
    int i = next.size() - 1;
    for (; i >= 0; --i) {
        if (next.at(i) == QLatin1Char('9')) { next[i] = QLatin1Char('0'); continue; }
        next[i] = QChar(next.at(i).unicode() + 1);
        break;
    }
    if (i < 0) next.prepend(QLatin1Char('1'));
    return text.left(start) + next;
}

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

}  // namespace tanabana::trade
