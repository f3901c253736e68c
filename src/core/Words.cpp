#include "core/Words.h"

namespace tanabana {

namespace {

const char* const Units[] = {"Zero", "One", "Two", "Three", "Four", "Five", "Six", "Seven", "Eight", "Nine"};
const char* const Teens[] = {"Ten", "Eleven", "Twelve", "Thirteen", "Fourteen", "Fifteen", "Sixteen", "Seventeen", "Eighteen", "Nineteen"};
const char* const Tens[] = {"", "Ten", "Twenty", "Thirty", "Forty", "Fifty", "Sixty", "Seventy", "Eighty", "Ninety"};
const char* const Scales[] = {"", "Thousand", "Million", "Billion", "Trillion"};

}  // namespace

QString NumberInWords(long long number) {
    const QString digits = QString::number(number < 0 ? -number : number);
    QString result;
    const int n = digits.size();
    // Walk from the units digit towards the first; p counts positions from 1 at the units.
    for (int i = n - 1, p = 1; i >= 0; --i, ++p) {
        const int digit = digits.at(i).digitValue();
        if (p % 3 == 1) {
            QString group;
            bool scale = true;
            if (i == 0) {
                group = QLatin1String(Units[digit]);
            } else if (digits.at(i - 1) == QLatin1Char('1')) {
                group = QLatin1String(Teens[digit]);
                --i;
                ++p;  // the teen consumed the tens digit
            } else if (digit != 0) {
                group = QLatin1String(Units[digit]);
            } else {
                scale = digits.at(i - 1) != QLatin1Char('0') || (i >= 2 && digits.at(i - 2) != QLatin1Char('0'));
            }
            const int groupIndex = (p - 1) / 3;
            if (scale && groupIndex > 0 && groupIndex < 5) result.prepend(QLatin1String(Scales[groupIndex]) + QLatin1Char(' '));
            if (!group.isEmpty()) result.prepend(group + QLatin1Char(' '));
        } else if (p % 3 == 2) {
            if (digit > 0) result.prepend(QLatin1String(Tens[digit]) + QLatin1Char(' '));
        } else if (digit > 0) {
            result.prepend(QLatin1String(Units[digit]) + QLatin1String(" Hundred "));
        }
    }
    result = result.simplified();
    if (!result.isEmpty()) result[0] = result.at(0).toUpper();
    return result;
}

QString AmountInWords(Decimal amount) {
    const Decimal whole = Decimal(amount.wholePart());
    const int paise = int((amount - whole).roundHalfEven(2).units() / (Decimal::Scale / 100));
    QString digits = QString::number(amount.wholePart());
    QString result;
    long long rest = digits.toLongLong();
    if (digits.size() > 5) {
        const long long lakhs = digits.left(digits.size() - 5).toLongLong();
        result = NumberInWords(lakhs) + QStringLiteral(" Lakh ");
        rest = digits.right(5).toLongLong();
    }
    if (rest != 0) result += NumberInWords(rest);
    if (paise > 0) result += QStringLiteral(" And ") + NumberInWords(paise) + QStringLiteral(" Paisa");
    return result;
}

QString AmountInWords(double amount) { return AmountInWords(Decimal::fromDouble(amount)); }

QString FormatIndian(Decimal value, int decimals, bool leadingDigit, bool indianGrouping) {
    // Currency values keep four places before the requested rounding.
    QString text = value.roundHalfEven(4).toString(decimals);
    if (!leadingDigit) {
        if (text.startsWith(QStringLiteral("0."))) text.remove(0, 1);
        else if (text.startsWith(QStringLiteral("-0."))) text.remove(1, 1);
    }
    if (!indianGrouping) return text;
    const int point = text.indexOf(QLatin1Char('.'));
    QString whole = point < 0 ? text : text.left(point);
    const QString fraction = point < 0 ? QString() : text.mid(point);
    const bool negative = whole.startsWith(QLatin1Char('-'));
    if (negative) whole.remove(0, 1);
    QString grouped;
    if (whole.size() <= 3) {
        grouped = whole;
    } else {
        grouped = whole.right(3);
        QString head = whole.left(whole.size() - 3);
        while (head.size() > 2) {
            grouped.prepend(head.right(2) + QLatin1Char(','));
            head.chop(2);
        }
        grouped.prepend(head + QLatin1Char(','));
    }
    return (negative ? QStringLiteral("-") : QString()) + grouped + fraction;
}

QString FormatIndian(double value, int decimals, bool leadingDigit, bool indianGrouping) {
    return FormatIndian(Decimal::fromDouble(value), decimals, leadingDigit, indianGrouping);
}

}  // namespace tanabana
