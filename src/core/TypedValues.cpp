#include "core/TypedValues.h"

#include <QRegularExpression>

namespace tanabana {

namespace {

// Day, month and the year as typed (-1 when none): "5-12-26" gives 5, 12, 26.
struct DateParts {
    int day = 0, month = 0, year = -1;
    int yearDigits = 0;
};

std::optional<DateParts> splitDate(const QString& typed) {
    static const QRegularExpression separated(QStringLiteral("^(\\d{1,2})[-/. ](\\d{1,2})(?:[-/. ](\\d{2}|\\d{4}))?$"));
    static const QRegularExpression joined(QStringLiteral("^(\\d{2})(\\d{2})(\\d{2}|\\d{4})?$"));
    for (const auto* pattern : {&separated, &joined}) {
        const auto m = pattern->match(typed);
        if (!m.hasMatch()) continue;
        DateParts p;
        p.day = m.captured(1).toInt();
        p.month = m.captured(2).toInt();
        if (m.lastCapturedIndex() >= 3 && !m.captured(3).isEmpty()) {
            p.year = m.captured(3).toInt();
            p.yearDigits = int(m.captured(3).size());
        }
        return p;
    }
    return std::nullopt;
}

}  // namespace

std::optional<QDate> parseTypedDate(const QString& text, const QDate& yearStart, const QDate& yearEnd) {
    const auto parts = splitDate(text.trimmed());
    if (!parts) return std::nullopt;
    const DateParts& p = *parts;
    if (p.month < 1 || p.month > 12) return std::nullopt;
    int year = p.year;
    if (p.yearDigits == 2) year += 2000;
    if (p.year < 0) {
        year = QDate::currentDate().year();
        if (yearStart.isValid()) {
            // the financial year's own calendar year for its months, the next one for the rest
            year = yearStart.year();
            const QDate candidate(year, p.month, 1);
            if (candidate.isValid() && candidate < QDate(yearStart.year(), yearStart.month(), 1)) ++year;
            if (yearEnd.isValid() && QDate(year, p.month, 1) > yearEnd) --year;
        }
    }
    const QDate date(year, p.month, p.day);
    if (!date.isValid() || year < 1900) return std::nullopt;
    return date;
}

QString numberRefusalTitle() { return QStringLiteral("Wrong Number"); }

QString numberRefusal(const QString& text, const QString& caption, const NumberRule& rule) {
    const QString typed = text.trimmed();
    if (typed.isEmpty()) return {};
    static const QRegularExpression number(QStringLiteral("^(-?)(\\d*)(?:\\.(\\d*))?$"));
    const auto m = number.match(typed);
    const QString name = caption.trimmed();
    if (!m.hasMatch() || (m.captured(2).isEmpty() && m.captured(3).isEmpty()))
        return QStringLiteral("%1 takes a number: %2 is not one.").arg(name, typed);
    if (!m.captured(1).isEmpty() && !rule.negative) return QStringLiteral("%1 cannot be negative.").arg(name);
    QString whole = m.captured(2);
    while (whole.size() > 1 && whole.startsWith(QLatin1Char('0'))) whole.remove(0, 1);
    if (whole.size() > rule.digits) return QStringLiteral("%1 is too long: at most %2 digits before the point.").arg(name).arg(rule.digits);
    if (m.captured(3).size() > rule.places)
        return rule.places == 0 ? QStringLiteral("%1 takes a whole number.").arg(name)
                                : QStringLiteral("%1 takes at most %2 decimals.").arg(name).arg(rule.places);
    return {};
}

Decimal typedDecimal(const QString& text) {
    const auto d = Decimal::parse(text.trimmed());
    return d ? *d : Decimal();
}

}  // namespace tanabana
