#include "core/Numbering.h"

namespace tanabana {

QString IncrementTrailingDigits(const QString& input) {
    const QString text = input.trimmed();
    if (text.isEmpty()) return QStringLiteral("1");
    int start = text.size();
    while (start > 0 && text.at(start - 1).isDigit() && text.at(start - 1).unicode() < 128) --start;
    if (start == text.size()) return text + QLatin1Char('1');
    const QString digits = text.mid(start);
    // Add one digit by digit, so a run of any length never overflows.
    QString next = digits;
    int i = next.size() - 1;
    for (; i >= 0; --i) {
        if (next.at(i) == QLatin1Char('9')) {
            next[i] = QLatin1Char('0');
        } else {
            next[i] = QChar(next.at(i).unicode() + 1);
            break;
        }
    }
    if (i < 0) next.prepend(QLatin1Char('1'));
    return text.left(start) + next;
}

double LeadingNumber(const QString& text) {
    int i = 0;
    while (i < text.size() && text.at(i).isSpace()) ++i;
    const int begin = i;
    if (i < text.size() && (text.at(i) == QLatin1Char('-') || text.at(i) == QLatin1Char('+'))) ++i;
    bool point = false;
    while (i < text.size()) {
        const QChar c = text.at(i);
        if (c.isDigit() && c.unicode() < 128) ++i;
        else if (c == QLatin1Char('.') && !point) { point = true; ++i; }
        else break;
    }
    bool ok = false;
    const double value = text.mid(begin, i - begin).toDouble(&ok);
    return ok ? value : 0.0;
}

bool CodeLess(const QString& a, const QString& b) {
    const double na = LeadingNumber(a), nb = LeadingNumber(b);
    if (na != nb) return na < nb;
    return a < b;
}

}  // namespace tanabana
