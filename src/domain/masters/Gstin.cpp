#include "domain/masters/Gstin.h"

namespace tanabana::masters {

namespace {

// The 15th character of a GSTIN is a check character over the first 14 (base 36, weights 1 and 2
// alternately, the digits of each product summed): one mistyped character never passes.
QChar checkCharacter(const QString& gstin) {
    static const QString alphabet = QStringLiteral("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    int sum = 0;
    for (int i = 0; i < 14; ++i) {
        const int value = int(alphabet.indexOf(gstin.at(i).toUpper()));
        if (value < 0) return QChar();
        const int product = value * (i % 2 == 0 ? 1 : 2);
        sum += product / 36 + product % 36;
    }
    return alphabet.at((36 - sum % 36) % 36);
}

}  // namespace

std::optional<Refusal> checkGstin(const QString& gstinText, const QString& state, GstinChecks checks) {
    const QString gstin = gstinText.trimmed();
    if (gstin.isEmpty()) return std::nullopt;
    const QString mismatch = QStringLiteral("GSTIN Mismatch");
    if (gstin.size() != 15) return Refusal{mismatch, QStringLiteral("GSTIN Is Not 15 Character")};
    if (gstin.left(2) != state.trimmed().left(2)) return Refusal{mismatch, QStringLiteral("GSTIN State Code Problem")};
    if (gstin.at(13).toUpper() != QLatin1Char('Z'))
        return Refusal{QStringLiteral("GSTIN 14th Character"), QStringLiteral("GSTIN Second Last Character Problem")};
    if (checks == GstinChecks::Party) {
        if (!QStringLiteral("PABCFGHLJTKE").contains(gstin.at(5).toUpper()))
            return Refusal{QStringLiteral("GSTIN PAN NO Error"), QStringLiteral("GSTIN 6th Character Problem")};
        for (int i = 7; i <= 10; ++i)
            if (gstin.at(i) < QLatin1Char('0') || gstin.at(i) > QLatin1Char('9'))
                return Refusal{QStringLiteral("GSTIN PAN NO Error"), QStringLiteral("GSTIN 8,9,10,11 Character is  not Number")};
    }
    // last, so that a GSTIN wrong in its shape is told what is wrong rather than only mistyped
    const QChar expected = checkCharacter(gstin);
    if (expected.isNull() || gstin.at(14).toUpper() != expected)
        return Refusal{QStringLiteral("GSTIN Check Digit"), QStringLiteral("GSTIN Last Character (Check Digit) Problem: please check the GSTIN")};
    return std::nullopt;
}

}  // namespace tanabana::masters
