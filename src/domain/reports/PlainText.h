#pragma once
// How Qt's painter lays out a text of plain characters (Latin letters, digits, punctuation) in one
// font, worked out from tables kept per font instead of shaping every text again: the glyph and
// advance of each character, the kerning between pairs, the ligatures the font makes (ff, fi),
// lines broken where Qt's line breaking allows and placed as Qt places them (line height = ascent +
// descent, each line on a whole dot, a word too long for the width running over).
//
// A day book has a million cells of this kind; measuring and drawing them this way costs a
// fraction of a full layout. Texts with anything else (Indian scripts, tabs, line breaks) are
// refused and go through Qt's text layout as before.
#include <QFont>
#include <QHash>
#include <QRawFont>
#include <QString>
#include <array>
#include <vector>

namespace tanabana::reports {

class PlainFace {
public:
    static constexpr quint32 kNoGlyph = 0xFFFFFFFF;  // a letter drawn by the ligature before it

    struct Line {
        int start = 0, end = 0;  // characters, trailing spaces left out
        double width = 0;
        double top = 0;  // from the top of the block
    };
    struct Laid {
        std::vector<quint32> glyphs;  // one per character
        std::vector<double> xs;       // where each character's glyph starts; one more for the end
        std::vector<Line> lines;
        double width = 0, height = 0;
    };

    explicit PlainFace(const QFont& font);

    const QRawFont& raw() const { return raw_; }
    double ascent() const { return ascent_; }
    double descent() const { return descent_; }
    double leading() const { return leading_; }

    // Lays `text` out in lines of `width` dots (one line when not `wrap`); false when the text is
    // not plain in this font and needs Qt's full layout.
    bool layout(const QString& text, bool wrap, double width, Laid& out);

private:
    static constexpr int kChars = 0x180;
    static constexpr int kPairChars = 0x80;
    struct Ligature {
        QString letters;
        quint32 glyph;
        double advance;
    };
    double kern(ushort left, quint32 leftGlyph, ushort right, quint32 rightGlyph);
    void breakLines(const QString& text, double width, Laid& out) const;

    QFont font_;
    QRawFont raw_;
    double ascent_ = 0, descent_ = 0, leading_ = 0;
    std::array<quint32, kChars> glyphs_{};
    std::array<double, kChars> advances_{};
    std::vector<float> pairKerning_;  // ASCII pairs, NaN until asked
    QHash<quint64, double> kerning_;  // other pairs (ligatures, Latin-1)
    std::vector<Ligature> ligatures_;  // longest first
};

}  // namespace tanabana::reports
