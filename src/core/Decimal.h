#pragma once
// Exact decimal for money, quantities, rates and percentages. A bill of 100 m at 105.00 with
// 5% GST is 10,500.00 taxable, 262.50 SGST and 262.50 CGST, net 11,025.00 — computed here
// without binary floating point, then rounded by name: half-to-even to n places
// (roundHalfEven) or the bill round-off to whole rupees (billRoundOff: round of amount + 0.01).
//
// Held as a whole number of millionths (six places), which covers metres to the millimetre,
// rates in paise and percentages to four places with room for products of two of them.
// Values stay below one lakh crore (999,999,999,999.999999); a result beyond that (100,000,000 m
// at 50,000) throws AmountTooLarge instead of wrapping round, so nothing wrong is ever saved.
#include <QString>
#include <QVariant>
#include <compare>
#include <cstdint>
#include <optional>
#include <stdexcept>

namespace tanabana {

// An amount, quantity or rate beyond what the books keep exactly; what() is the operator's message.
class AmountTooLarge : public std::range_error {
public:
    explicit AmountTooLarge(const QString& message) : std::range_error(message.toStdString()) {}
    QString message() const { return QString::fromStdString(what()); }
    // Throws the operator's message for a value of about `approximate` (used in the text only).
    [[noreturn]] static void raise(long double approximate);
};

class Decimal {
public:
    static constexpr int Places = 6;
    static constexpr std::int64_t Scale = 1000000;
    // Largest whole-number part kept: 999,999,999,999 (units below 10^18).
    static constexpr std::int64_t MaxWhole = 999999999999LL;
    static constexpr std::int64_t Limit = (MaxWhole + 1) * Scale;

    constexpr Decimal() = default;
    constexpr Decimal(int whole) : units_(std::int64_t(whole) * Scale) {}
    constexpr Decimal(long whole) : units_(checkedWhole(whole)) {}
    constexpr Decimal(long long whole) : units_(checkedWhole(whole)) {}
    static constexpr Decimal fromUnits(std::int64_t units) { Decimal d; d.units_ = checked(units); return d; }
    // Nearest value of a stored double (columns keep doubles; what was written was already rounded).
    static Decimal fromDouble(double value);
    // Parses "1234.5", "-0.25", "1,23,456.00"; empty text is zero; anything else gives nullopt.
    // A number with more whole digits than the books keep throws AmountTooLarge.
    static std::optional<Decimal> parse(const QString& text);
    // Reads a database value (number or text); null or unreadable is zero.
    static Decimal fromVariant(const QVariant& value);
    // A stored amount as the books keep it: read and rounded half to even to paise.
    static Decimal amount(const QVariant& value) { return fromVariant(value).roundHalfEven(2); }

    std::int64_t units() const { return units_; }
    double toDouble() const { return double(units_) / double(Scale); }
    QVariant toVariant() const { return QVariant(toDouble()); }
    // Plain text with exactly `places` decimals, rounding half to even ("1234.50").
    QString toString(int places = 2) const;
    bool isZero() const { return units_ == 0; }
    bool isNegative() const { return units_ < 0; }
    Decimal abs() const { return fromUnits(units_ < 0 ? -units_ : units_); }
    std::int64_t wholePart() const { return units_ / Scale; }

    // Rounds an exact half to the even digit: 2.345 -> 2.34, 2.355 -> 2.36 (two places).
    Decimal roundHalfEven(int places) const;
    // Whole rupees of a bill: the half-even rounding of amount + 0.01, so 1234.50 -> 1235, 1234.49 -> 1234.
    Decimal billRoundOff() const;
    // Cuts extra places without rounding (1.239 -> 1.23), as a text box cut to two decimals does.
    Decimal truncate(int places) const;

    Decimal operator-() const { return fromUnits(-units_); }
    Decimal operator+(Decimal o) const { return fromUnits(units_ + o.units_); }  // both below 10^18: no wrap
    Decimal operator-(Decimal o) const { return fromUnits(units_ - o.units_); }
    // Products and quotients keep six places, rounded half to even.
    Decimal operator*(Decimal o) const;
    Decimal operator/(Decimal o) const;  // division by zero gives zero, as the screens show it
    Decimal& operator+=(Decimal o) { units_ = checked(units_ + o.units_); return *this; }
    Decimal& operator-=(Decimal o) { units_ = checked(units_ - o.units_); return *this; }
    Decimal& operator*=(Decimal o) { return *this = *this * o; }
    Decimal& operator/=(Decimal o) { return *this = *this / o; }
    // Percentage of this amount: 10500 .percent(2.5) = 262.50.
    // Computed in one step, so a large amount at a high rate does not overflow on the way.
    Decimal percent(Decimal rate) const;

    auto operator<=>(const Decimal&) const = default;

private:
    static constexpr std::int64_t checked(std::int64_t units) {
        if (units >= Limit || units <= -Limit) AmountTooLarge::raise((long double)units / Scale);
        return units;
    }
    static constexpr std::int64_t checkedWhole(long long whole) {
        if (whole > MaxWhole || whole < -MaxWhole) AmountTooLarge::raise((long double)whole);
        return std::int64_t(whole) * Scale;
    }

    std::int64_t units_ = 0;
};

}  // namespace tanabana
