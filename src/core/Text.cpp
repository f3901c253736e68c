#include "core/Text.h"

namespace tanabana {

QString CleanText(const QString& text, bool removeSpaces) {
    static const QString removed = QStringLiteral(",#/-&.\\`(){[}]");
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        if (removed.contains(c)) continue;
        if (removeSpaces && c == QLatin1Char(' ')) continue;
        out.append(c);
    }
    return out;
}

QString CleanFileName(const QString& text) {
    QString out = text;
    out.replace(QLatin1Char('\''), QLatin1Char('`'));
    out.remove(QLatin1Char('"'));
    out.replace(QLatin1Char('/'), QLatin1Char('_'));
    out.replace(QLatin1Char('\\'), QLatin1Char('_'));
    return out;
}

}  // namespace tanabana
