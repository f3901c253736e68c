#include "domain/reports/PlainText.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QTextBoundaryFinder>
#include <QTextLayout>
#include <cmath>
#include <limits>

namespace tanabana::reports {

PlainFace::PlainFace(const QFont& font) : font_(font), raw_(QRawFont::fromFont(font)) {
    const QFontMetricsF metrics(font);
    ascent_ = metrics.ascent();
    descent_ = metrics.descent();
    leading_ = metrics.leading();
    QChar chars[kChars];
    for (int c = 0; c < kChars; ++c) chars[c] = QChar(char16_t(c));
    int count = kChars;
    if (!raw_.isValid() || !raw_.glyphIndexesForChars(chars, kChars, glyphs_.data(), &count)) glyphs_.fill(0);
    const QList<quint32> glyphs(glyphs_.begin(), glyphs_.end());
    const QList<QPointF> advances = raw_.advancesForGlyphIndexes(glyphs);
    for (int c = 0; c < kChars && c < advances.size(); ++c) advances_[size_t(c)] = advances[c].x();
    pairKerning_.assign(size_t(kPairChars * kPairChars), std::numeric_limits<float>::quiet_NaN());
    // The ligatures this font makes, found by letting Qt shape each candidate once.
    for (const char* letters : {"ffi", "ffl", "ff", "fi", "fl"}) {
        QTextLayout shaped(QString::fromLatin1(letters), font);
        shaped.beginLayout();
        shaped.createLine();
        shaped.endLayout();
        const QList<QGlyphRun> runs = shaped.glyphRuns();
        if (runs.size() != 1 || runs[0].glyphIndexes().size() != 1 || runs[0].rawFont().familyName() != raw_.familyName()) continue;
        const quint32 glyph = runs[0].glyphIndexes()[0];
        ligatures_.push_back({QString::fromLatin1(letters), glyph, raw_.advancesForGlyphIndexes(QList<quint32>{glyph})[0].x()});
    }
}

double PlainFace::kern(ushort left, quint32 leftGlyph, ushort right, quint32 rightGlyph) {
    const bool ascii = left < kPairChars && right < kPairChars && leftGlyph == glyphs_[left] && rightGlyph == glyphs_[right];
    float* cached = ascii ? &pairKerning_[size_t(left * kPairChars + right)] : nullptr;
    if (cached && !std::isnan(*cached)) return *cached;
    const quint64 key = (quint64(leftGlyph) << 32) | rightGlyph;
    if (!cached) {
        const auto found = kerning_.constFind(key);
        if (found != kerning_.constEnd()) return found.value();
    }
    const QList<quint32> pair{leftGlyph, rightGlyph};
    const QList<QPointF> kerned = raw_.advancesForGlyphIndexes(pair, QRawFont::KernedAdvances);
    const QList<QPointF> plain = raw_.advancesForGlyphIndexes(pair);
    const double k = kerned.size() == 2 && plain.size() == 2 ? kerned[0].x() - plain[0].x() : 0;
    if (cached) *cached = float(k);
    else kerning_.insert(key, k);
    return k;
}

bool PlainFace::layout(const QString& text, bool wrap, double width, Laid& out) {
    const int n = int(text.size());
    if (n == 0 || text.front() == QLatin1Char(' ') || text.back() == QLatin1Char(' ')) return false;
    out.glyphs.resize(size_t(n));
    out.xs.resize(size_t(n) + 1);
    out.lines.clear();
    double x = 0, advance = 0;
    quint32 previous = 0;
    ushort previousChar = 0;
    for (int i = 0; i < n;) {
        const ushort u = text.at(i).unicode();
        if (u < 0x20 || (u >= 0x7F && u < 0xA1) || u >= kChars) return false;
        quint32 g = glyphs_[u];
        if (g == 0) return false;
        int length = 1;
        double step = advances_[u];
        if (u == 'f')
            for (const Ligature& ligature : ligatures_)
                if (QStringView(text).sliced(i).startsWith(ligature.letters)) {
                    g = ligature.glyph;
                    length = int(ligature.letters.size());
                    step = ligature.advance;
                    break;
                }
        if (i > 0) x += advance + kern(previousChar, previous, u, g);
        for (int k = 0; k < length; ++k) {
            out.glyphs[size_t(i + k)] = k == 0 ? g : kNoGlyph;
            out.xs[size_t(i + k)] = x;
        }
        previous = g;
        previousChar = length == 1 ? u : 0xFFFF;
        advance = step;
        i += length;
    }
    out.xs[size_t(n)] = x + advance;
    if (!wrap || out.xs[size_t(n)] <= width) out.lines.push_back({0, n, out.xs[size_t(n)], 0});
    else breakLines(text, width, out);

    double height = -leading_;
    out.width = 0;
    for (Line& line : out.lines) {
        height = std::ceil(height + leading_);
        line.top = height;
        height += ascent_ + descent_;
        out.width = qMax(out.width, line.width);
    }
    out.height = height;
    return true;
}

// Qt's greedy breaking: a line takes pieces up to the next break opportunity while they fit; a
// piece too long for a line of its own stands alone and runs over.
void PlainFace::breakLines(const QString& text, double width, Laid& out) const {
    const int n = int(text.size());
    QTextBoundaryFinder breaks(QTextBoundaryFinder::Line, text);
    int start = 0, fitEnd = -1, fitNext = -1;
    const auto trimmed = [&](int to) {
        while (to > start && text.at(to - 1) == QLatin1Char(' ')) --to;
        return to;
    };
    const auto widthTo = [&](int end) { return out.xs[size_t(end)] - out.xs[size_t(start)]; };
    for (qsizetype at = breaks.toNextBoundary(); at > 0; at = breaks.toNextBoundary()) {
        const int next = int(at);
        if (next < n && !(breaks.boundaryReasons() & QTextBoundaryFinder::BreakOpportunity)) continue;
        if (widthTo(trimmed(next)) > width) {
            if (fitEnd >= 0) {
                out.lines.push_back({start, fitEnd, widthTo(fitEnd), 0});
                start = fitNext;
                fitEnd = -1;
            }
            if (widthTo(trimmed(next)) > width) {
                out.lines.push_back({start, trimmed(next), widthTo(trimmed(next)), 0});
                start = next;
                continue;
            }
        }
        fitEnd = trimmed(next);
        fitNext = next;
    }
    if (start < n) out.lines.push_back({start, trimmed(n), widthTo(trimmed(n)), 0});
}

}  // namespace tanabana::reports
