#include "domain/gst/GstRules.h"

namespace tanabana::gst {

namespace {

const QString kGstinCharacters = QStringLiteral("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ");

// The HSN digits of a period: {from, turnover up to 5 crore, above 5 crore}.
struct HsnDigits {
    QDate from;
    int small;
    int large;
};
const std::vector<HsnDigits>& hsnDigitRules() {
    static const std::vector<HsnDigits> rules = {
        {QDate(2017, 7, 1), 4, 4},
        {QDate(2021, 4, 1), 4, 6},
    };
    return rules;
}

}  // namespace

const std::vector<DatedValue>& b2clThresholds() {
    static const std::vector<DatedValue> values = {
        {QDate(2017, 7, 1), Decimal(250000), QStringLiteral("B2CL: unregistered inter-state invoices above 2,50,000")},
        {QDate(2024, 8, 1), Decimal(100000), QStringLiteral("B2CL: unregistered inter-state invoices above 1,00,000")},
    };
    return values;
}

Decimal b2clThreshold(const QDate& invoiceDate) {
    Decimal threshold = b2clThresholds().front().value;
    for (const DatedValue& v : b2clThresholds())
        if (invoiceDate >= v.from) threshold = v.value;
    return threshold;
}

const QDate& hsnSplitFrom() {
    static const QDate from(2025, 1, 1);
    return from;
}

bool hsnSplitByRecipient(const QDate& periodStart) { return periodStart >= hsnSplitFrom(); }

int hsnDigitsRequired(const QDate& periodStart, bool turnoverAbove5Crore) {
    int digits = 4;
    for (const HsnDigits& r : hsnDigitRules())
        if (periodStart >= r.from) digits = turnoverAbove5Crore ? r.large : r.small;
    return digits;
}

QString hsnCodeFault(const QString& hsn, int digitsRequired) {
    if (hsn.isEmpty()) return QStringLiteral("is missing");
    bool digitsOnly = true;
    for (const QChar c : hsn) digitsOnly = digitsOnly && c >= QLatin1Char('0') && c <= QLatin1Char('9');
    if (!digitsOnly || hsn.size() > 8) return QStringLiteral("is not a code of 4 to 8 digits");
    if (hsn.size() < digitsRequired)
        return QStringLiteral("has %1 digits; this firm's returns need at least %2").arg(hsn.size()).arg(digitsRequired);
    return {};
}

QChar gstinCheckDigit(const QString& gstin) {
    if (gstin.size() < 14) return QChar();
    int sum = 0;
    for (int i = 0; i < 14; ++i) {
        const int value = int(kGstinCharacters.indexOf(gstin.at(i).toUpper()));
        if (value < 0) return QChar();
        const int product = value * (i % 2 == 0 ? 1 : 2);
        sum += product / 36 + product % 36;
    }
    return kGstinCharacters.at((36 - sum % 36) % 36);
}

QString gstinFault(const QString& gstin) {
    if (gstin.size() != 15) return QStringLiteral("has %1 characters instead of 15").arg(gstin.size());
    for (const QChar c : gstin)
        if (!kGstinCharacters.contains(c.toUpper())) return QStringLiteral("has the character \"%1\", which no GSTIN holds").arg(c);
    const QChar check = gstinCheckDigit(gstin);
    if (gstin.at(14).toUpper() != check)
        return QStringLiteral("fails its check digit (the last character would be %1 for the first fourteen)").arg(check);
    return {};
}

QString stateCodeOf(const QString& state) {
    const QString code = state.trimmed().left(2);
    if (code.size() != 2 || !code.at(0).isDigit() || !code.at(1).isDigit()) return {};
    return code;
}

}  // namespace tanabana::gst
