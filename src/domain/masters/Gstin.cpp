#include "domain/masters/Gstin.h"

namespace tanabana::masters {

std::optional<Refusal> checkGstin(const QString& gstinText, const QString& state, GstinChecks checks) {
    const QString gstin = gstinText.trimmed();
    if (gstin.isEmpty()) return std::nullopt;
    const QString mismatch = QStringLiteral("GSTIN Mismatch");
    if (gstin.size() != 15) return Refusal{mismatch, QStringLiteral("GSTIN Is Not 15 Character")};
    if (gstin.left(2) != state.trimmed().left(2)) return Refusal{mismatch, QStringLiteral("GSTIN State Code Problem")};
    if (gstin.at(13).toUpper() != QLatin1Char('Z'))
        return Refusal{QStringLiteral("GSTIN 14th Character"), QStringLiteral("GSTIN Second Last Character Problem")};
    if (checks == GstinChecks::Firm) return std::nullopt;
    if (!QStringLiteral("PABCFGHLJTKE").contains(gstin.at(5).toUpper()))
        return Refusal{QStringLiteral("GSTIN PAN NO Error"), QStringLiteral("GSTIN 6th Character Problem")};
    for (int i = 7; i <= 10; ++i)
        if (gstin.at(i) < QLatin1Char('0') || gstin.at(i) > QLatin1Char('9'))
            return Refusal{QStringLiteral("GSTIN PAN NO Error"), QStringLiteral("GSTIN 8,9,10,11 Character is  not Number")};
    return std::nullopt;
}

}  // namespace tanabana::masters
