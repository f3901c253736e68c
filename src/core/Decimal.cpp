#include "core/Decimal.h"

#include <QRegularExpression>
#include <cmath>

namespace tanabana {

namespace {

using Wide = __int128;

// Divides rounding half to even.
Wide divideHalfEven(Wide numerator, Wide denominator) {
    if (denominator < 0) { numerator = -numerator; denominator = -denominator; }
    Wide q = numerator / denominator;
    Wide r = numerator % denominator;
    if (r == 0) return q;
    const bool negative = numerator < 0;
    Wide twice = (r < 0 ? -r : r) * 2;
    if (twice > denominator || (twice == denominator && (q % 2 != 0))) q += negative ? -1 : 1;
    return q;
}

std::int64_t pow10(int n) {
    std::int64_t p = 1;
    for (int i = 0; i < n; ++i) p *= 10;
    return p;
}

// A result of arithmetic on two kept values, refused when it is beyond them.
std::int64_t narrow(Wide units) {
    if (units >= Decimal::Limit || units <= -Decimal::Limit) AmountTooLarge::raise((long double)units / Decimal::Scale);
    return std::int64_t(units);
}

}  // namespace

void AmountTooLarge::raise(long double approximate) {
    const QString value = QString::number(double(approximate), 'f', 2);
    throw AmountTooLarge(QStringLiteral("Amount too large: %1 is beyond the largest amount the books keep "
                                        "(999999999999.99)")
                             .arg(value));
}

Decimal Decimal::fromDouble(double value) {
    if (!std::isfinite(value)) return {};
    if (std::fabs(value) >= double(MaxWhole + 1)) AmountTooLarge::raise(value);
    return fromUnits(std::int64_t(std::llround(value * double(Scale))));
}

std::optional<Decimal> Decimal::parse(const QString& input) {
    QString text = input.trimmed();
    text.remove(QLatin1Char(','));
    if (text.isEmpty()) return Decimal();
    bool negative = false;
    if (text.startsWith(QLatin1Char('-'))) { negative = true; text.remove(0, 1); }
    else if (text.startsWith(QLatin1Char('+'))) text.remove(0, 1);
    const int point = text.indexOf(QLatin1Char('.'));
    const QString whole = point < 0 ? text : text.left(point);
    QString fraction = point < 0 ? QString() : text.mid(point + 1);
    if (whole.isEmpty() && fraction.isEmpty()) return std::nullopt;
    for (QChar c : whole + fraction)
        if (!c.isDigit() || c.unicode() > 127) return std::nullopt;
    QString significant = whole;
    while (significant.size() > 1 && significant.startsWith(QLatin1Char('0'))) significant.remove(0, 1);
    if (significant.size() > 12) AmountTooLarge::raise((negative ? -1.0L : 1.0L) * significant.toDouble());
    Wide units = Wide(significant.isEmpty() ? 0 : significant.toLongLong()) * Scale;
    // Extra places beyond six are rounded half to even.
    Wide frac = 0;
    const QString kept = fraction.left(Places).leftJustified(Places, QLatin1Char('0'));
    frac = kept.toLongLong();
    units += frac;
    if (fraction.size() > Places) {
        const QString rest = fraction.mid(Places);
        const bool aboveHalf = rest.at(0) > QLatin1Char('5') ||
                               (rest.at(0) == QLatin1Char('5') && rest.mid(1).contains(QRegularExpression(QStringLiteral("[1-9]"))));
        const bool exactHalf = rest.at(0) == QLatin1Char('5') && !aboveHalf;
        if (aboveHalf || (exactHalf && units % 2 != 0)) units += 1;
    }
    return fromUnits(narrow(negative ? -units : units));
}

Decimal Decimal::fromVariant(const QVariant& value) {
    if (value.isNull() || !value.isValid()) return {};
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float: return fromDouble(value.toDouble());
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong: return Decimal(value.toLongLong());
    default: {
        const auto parsed = parse(value.toString());
        return parsed ? *parsed : fromDouble(value.toDouble());
    }
    }
}

QString Decimal::toString(int places) const {
    // Written into a buffer and made a string once: a day book turns 130,000 amounts into text.
    if (places < 0 || places > Places) {
        const Decimal r = roundHalfEven(places);
        const std::int64_t u = r.units_ < 0 ? -r.units_ : r.units_;
        QString text = QString::number(u / Scale);
        if (places > 0) text += QLatin1Char('.') + QString::number((u % Scale) / pow10(Places - places)).rightJustified(places, QLatin1Char('0'));
        return r.units_ < 0 ? QLatin1Char('-') + text : text;
    }
    const Decimal r = roundHalfEven(places);
    std::int64_t u = r.units_;
    const bool negative = u < 0;
    if (negative) u = -u;
    char buffer[40];
    char* end = buffer + sizeof buffer;
    char* o = end;
    if (places > 0) {
        std::int64_t frac = (u % Scale) / pow10(Places - places);
        for (int i = 0; i < places; ++i, frac /= 10) *--o = char('0' + frac % 10);
        *--o = '.';
    }
    std::int64_t whole = u / Scale;
    do {
        *--o = char('0' + whole % 10);
        whole /= 10;
    } while (whole > 0);
    if (negative && u != 0) *--o = '-';
    return QString::fromLatin1(o, qsizetype(end - o));
}

Decimal Decimal::roundHalfEven(int places) const {
    if (places >= Places) return *this;
    const std::int64_t step = pow10(Places - places);
    return fromUnits(std::int64_t(divideHalfEven(units_, step) * step));
}

Decimal Decimal::billRoundOff() const {
    return (*this + fromUnits(Scale / 100)).roundHalfEven(0);
}

Decimal Decimal::truncate(int places) const {
    if (places >= Places) return *this;
    const std::int64_t step = pow10(Places - places);
    return fromUnits(units_ / step * step);
}

Decimal Decimal::operator*(Decimal o) const {
    return fromUnits(narrow(divideHalfEven(Wide(units_) * o.units_, Scale)));
}

Decimal Decimal::percent(Decimal rate) const {
    return fromUnits(narrow(divideHalfEven(Wide(units_) * rate.units_, Wide(Scale) * 100)));
}

Decimal Decimal::operator/(Decimal o) const {
    if (o.units_ == 0) return {};
    return fromUnits(narrow(divideHalfEven(Wide(units_) * Scale, o.units_)));
}

}  // namespace tanabana
