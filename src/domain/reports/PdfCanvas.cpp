#include "domain/reports/PdfCanvas.h"

#include "domain/reports/PlainText.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QTextLayout>
#include <charconv>
#include <cmath>

namespace tanabana::reports {

namespace {

// A number as PDF wants it: at most two decimals, no trailing zeros (dots are 1/1200 inch, so a
// hundredth of one is far below what any printer shows).
void appendNumber(QByteArray& out, double value) {
    const long long hundredths = std::llround(value * 100);
    char buffer[32];
    char* o = std::to_chars(buffer, buffer + sizeof buffer, hundredths / 100).ptr;
    if (hundredths < 0 && hundredths > -100) {
        buffer[0] = '-';
        o = buffer + 1;
        *o++ = '0';
    }
    const int fraction = int(std::llabs(hundredths) % 100);
    if (fraction != 0) {
        *o++ = '.';
        *o++ = char('0' + fraction / 10);
        if (fraction % 10) *o++ = char('0' + fraction % 10);
    }
    out.append(buffer, int(o - buffer));
}

// Numbers separated by blanks ("12.5 30 100 4.25").
void appendNumbers(QByteArray& out, std::initializer_list<double> values) {
    bool first = true;
    for (const double v : values) {
        if (!first) out += ' ';
        appendNumber(out, v);
        first = false;
    }
}

// Scripts whose glyphs a reader cannot map back to letters one by one: the Indic blocks.
bool isShapedScript(QStringView text) {
    for (const QChar c : text)
        if (c.unicode() >= 0x0900 && c.unicode() <= 0x0DFF) return true;
    return false;
}

QByteArray colour(const QColor& c) {
    QByteArray out;
    appendNumbers(out, {c.redF(), c.greenF(), c.blueF()});
    return out;
}

}  // namespace

// A face printed in: its PDF font, and for a report font the tables that lay out plain texts.
struct PdfCanvas::Face {
    QRawFont raw;
    int pdfFont = -1;
    bool emboldened = false;  // bold asked for and no bold face installed: the outline is stroked
    double size = 0;
    std::unique_ptr<PlainFace> plain;
};

PdfCanvas::PdfCanvas(PdfFile& pdf) : pdf_(pdf), out_(pdf.content()) {}

PdfCanvas::~PdfCanvas() = default;

void PdfCanvas::beginPage() {
    inText_ = false;
    textFont_ = -1;
    textSize_ = -1;
    fill_ = stroke_ = QColor(Qt::black);
    lineWidth_ = 1;
}

void PdfCanvas::endPage() { endText(); }

void PdfCanvas::beginText() {
    if (inText_) return;
    out_ += "BT\n";
    inText_ = true;
}

void PdfCanvas::endText() {
    if (!inText_) return;
    out_ += "ET\n";
    inText_ = false;
}

void PdfCanvas::setFill(const QColor& color) {
    if (color == fill_) return;
    fill_ = color;
    out_ += colour(color) + " rg\n";
}

void PdfCanvas::setStroke(const QColor& color, double width) {
    if (color != stroke_) {
        stroke_ = color;
        out_ += colour(color) + " RG\n";
    }
    if (width != lineWidth_) {
        lineWidth_ = width;
        appendNumber(out_, width);
        out_ += " w\n";
    }
}

void PdfCanvas::drawLine(const QPointF& from, const QPointF& to, const QPen& pen) {
    if (pen.style() == Qt::NoPen) return;
    endText();
    setStroke(pen.color(), pen.widthF());
    appendNumbers(out_, {from.x(), from.y()});
    out_ += " m ";
    appendNumbers(out_, {to.x(), to.y()});
    out_ += " l S\n";
}

void PdfCanvas::drawRect(const QRectF& rect, const QPen& pen, const QBrush& brush) {
    const bool filled = brush.style() != Qt::NoBrush, stroked = pen.style() != Qt::NoPen;
    if (!filled && !stroked) return;
    endText();
    if (filled) setFill(brush.color());
    if (stroked) setStroke(pen.color(), pen.widthF());
    appendNumbers(out_, {rect.x(), rect.y(), rect.width(), rect.height()});
    out_ += filled && stroked ? " re B\n" : filled ? " re f\n" : " re S\n";
}

void PdfCanvas::fillRect(const QRectF& rect, const QColor& color) { drawRect(rect, QPen(Qt::NoPen), QBrush(color)); }

void PdfCanvas::drawImage(const QRectF& target, const QImage& image, const QString& key) {
    if (image.isNull()) return;
    endText();
    const int index = pdf_.image(key, image);
    out_ += "q ";
    appendNumbers(out_, {target.width(), 0, 0, -target.height(), target.x(), target.y() + target.height()});
    out_ += " cm /Im" + QByteArray::number(index) + " Do Q\n";
}

PdfCanvas::Face& PdfCanvas::faceFor(const QRawFont& raw, bool wantBold) {
    const QString key = raw.familyName() + QLatin1Char('/') + raw.styleName() + QLatin1Char('/') + QString::number(int(raw.weight())) +
                        QLatin1Char('/') + QString::number(raw.pixelSize()) + (wantBold ? QStringLiteral("/b") : QString());
    if (Face* found = faceByRaw_.value(key)) return *found;
    auto face = std::make_unique<Face>();
    face->raw = raw;
    face->size = raw.pixelSize();
    face->pdfFont = pdf_.font(raw);
    face->emboldened = wantBold && raw.weight() < QFont::DemiBold;
    faceByRaw_.insert(key, face.get());
    faces_.push_back(std::move(face));
    return *faces_.back();
}

void PdfCanvas::setFont(const QFont& font) {
    font_ = font;
    // A report paints in a few fonts over and over; the same QFont is found without its key.
    for (const auto& [known, face] : recentFonts_)
        if (known == font) {
            face_ = face;
            return;
        }
    const QString key = font.key();
    if (Face* found = faceByFont_.value(key)) {
        face_ = found;
        remember(font, found);
        return;
    }
    auto face = std::make_unique<Face>();
    face->plain = std::make_unique<PlainFace>(font);
    face->raw = face->plain->raw();
    face->size = face->raw.pixelSize();
    face->pdfFont = pdf_.font(face->raw);
    face->emboldened = font.bold() && face->raw.weight() < QFont::DemiBold;
    face_ = face.get();
    faceByFont_.insert(key, face.get());
    remember(font, face.get());
    faces_.push_back(std::move(face));
}

void PdfCanvas::remember(const QFont& font, Face* face) {
    if (recentFonts_.size() >= 8) recentFonts_.erase(recentFonts_.begin());
    recentFonts_.emplace_back(font, face);
}

void PdfCanvas::clipTo(const QRectF& rect) {
    endText();
    out_ += "q ";
    appendNumbers(out_, {rect.x(), rect.y(), rect.width(), rect.height()});
    out_ += " re W n\n";
    clipped_ = true;
}

void PdfCanvas::drawText(const QRectF& rect, int flags, const QString& text, const QColor& color) {
    if (text.isEmpty() || !face_) return;
    setFill(color);
    // A text running out of its cell is clipped to it (q ... W n); Q then gives back the state
    // saved before the clip, which is what the canvas remembered then.
    const QColor stroke = stroke_;
    const int font = textFont_;
    const double size = textSize_, width = lineWidth_;
    clipped_ = false;
    if (!drawPlain(rect, flags, text)) drawLaidOut(rect, flags, text);
    if (clipped_) {
        endText();
        out_ += "Q\n";
        fill_ = color;
        stroke_ = stroke;
        textFont_ = font;
        textSize_ = size;
        lineWidth_ = width;
        clipped_ = false;
    }
}

// A text of plain characters in the report font, laid out from the face's tables and placed as
// Qt's painter places it: the lines as a block aligned in the cell, each line aligned on its own.
bool PdfCanvas::drawPlain(const QRectF& rect, int flags, const QString& text) {
    Face& f = *face_;
    static thread_local PlainFace::Laid laid;
    if (!f.plain->layout(text, flags & Qt::TextWordWrap, rect.width(), laid)) return false;
    // The painter stops at the line that reaches the bottom of the cell.
    size_t shown = 0;
    double height = 0;
    for (const PlainFace::Line& line : laid.lines) {
        ++shown;
        height = line.top + f.plain->ascent() + f.plain->descent();
        if (height >= rect.height()) break;
    }
    double yoff = 0;
    if (flags & Qt::AlignBottom) yoff = rect.height() - height;
    else if (flags & Qt::AlignVCenter) yoff = (rect.height() - height) / 2;
    const auto xoffFor = [&](double w) {
        if (flags & Qt::AlignRight) return rect.width() - w;
        if (flags & Qt::AlignHCenter) return (rect.width() - w) / 2;
        return 0.0;
    };
    if (!rect.contains(QRectF(rect.x() + xoffFor(laid.width), rect.y() + yoff, laid.width, height))) clipTo(rect);
    static thread_local std::vector<double> placed;
    static thread_local std::vector<quint32> glyphs;
    for (size_t i = 0; i < shown; ++i) {
        const PlainFace::Line& line = laid.lines[i];
        if (line.end <= line.start) continue;
        const double left = rect.x() + xoffFor(line.width);
        placed.clear();
        glyphs.clear();
        for (int k = line.start; k < line.end; ++k) {
            if (laid.glyphs[size_t(k)] == PlainFace::kNoGlyph) continue;
            glyphs.push_back(laid.glyphs[size_t(k)]);
            placed.push_back(left + laid.xs[size_t(k)] - laid.xs[size_t(line.start)]);
        }
        const double baseline = rect.y() + yoff + line.top + f.plain->ascent();
        writeGlyphs(f.pdfFont, f.size, f.emboldened, glyphs.data(), placed.data(), int(glyphs.size()), baseline);
        if (font_.underline()) underline(left, baseline, line.width);
    }
    return true;
}

// Anything else goes through Qt's text layout, line by line as Qt's painter breaks and places them.
void PdfCanvas::drawLaidOut(const QRectF& rect, int flags, const QString& original) {
    const bool wrap = flags & Qt::TextWordWrap;
    QString text = original;
    text.replace(QLatin1Char('\r'), wrap ? QChar::LineSeparator : QChar(QLatin1Char(' ')));
    text.replace(QLatin1Char('\n'), wrap ? QChar::LineSeparator : QChar(QLatin1Char(' ')));
    QTextLayout layout(text, font_);
    QTextOption option(Qt::AlignLeft);
    option.setWrapMode(QTextOption::WordWrap);
    if (!wrap) option.setFlags(QTextOption::IncludeTrailingSpaces);
    layout.setTextOption(option);
    const double lineWidth = wrap ? qMax<qreal>(0, rect.width()) : 0x01000000;
    const double leading = QFontMetricsF(font_).leading();
    double height = -leading, width = 0;
    layout.beginLayout();
    for (;;) {
        QTextLine line = layout.createLine();
        if (!line.isValid()) break;
        line.setLineWidth(lineWidth);
        height += leading;
        height = std::ceil(height);
        line.setPosition(QPointF(0, height));
        height += line.height();
        width = qMax(width, line.naturalTextWidth());
        if (height >= rect.height()) break;
    }
    layout.endLayout();
    double yoff = 0;
    if (flags & Qt::AlignBottom) yoff = rect.height() - height;
    else if (flags & Qt::AlignVCenter) yoff = (rect.height() - height) / 2;
    double xoffAll = 0;
    if (flags & Qt::AlignRight) xoffAll = rect.width() - width;
    else if (flags & Qt::AlignHCenter) xoffAll = (rect.width() - width) / 2;
    if (!rect.contains(QRectF(rect.x() + xoffAll, rect.y() + yoff, width, height))) clipTo(rect);

    std::vector<quint32> glyphs;
    std::vector<double> xs;
    for (int i = 0; i < layout.lineCount(); ++i) {
        const QTextLine line = layout.lineAt(i);
        const double advance = line.horizontalAdvance();
        double xoff = 0;
        if (flags & Qt::AlignRight) xoff = rect.width() - advance;
        else if (flags & Qt::AlignHCenter) xoff = (rect.width() - advance) / 2;
        const QPointF origin(rect.x() + xoff, rect.y() + yoff);
        // A shaped Indic line (conjuncts, reordered vowel signs) has glyphs no character maps to;
        // its typed text travels beside the glyphs, so a reader copies and searches the words.
        const QStringView typed = QStringView(text).mid(line.textStart(), line.textLength());
        const bool spelled = isShapedScript(typed);
        if (spelled) {
            beginText();
            out_ += "/Span<</ActualText" + PdfFile::textString(typed) + ">>BDC\n";
        }
        for (const QGlyphRun& run : line.glyphRuns()) {
            Face& face = faceFor(run.rawFont(), font_.bold());
            const QList<quint32> indexes = run.glyphIndexes();
            const QList<QPointF> positions = run.positions();
            // Glyphs on one baseline go together; a mark set higher or lower starts a new piece.
            for (int from = 0; from < indexes.size();) {
                int to = from + 1;
                while (to < indexes.size() && positions[to].y() == positions[from].y()) ++to;
                glyphs.assign(indexes.begin() + from, indexes.begin() + to);
                xs.clear();
                for (int k = from; k < to; ++k) xs.push_back(origin.x() + positions[k].x());
                writeGlyphs(face.pdfFont, face.size, face.emboldened, glyphs.data(), xs.data(), to - from,
                            origin.y() + positions[from].y());
                from = to;
            }
        }
        if (spelled) out_ += "EMC\n";
        if (font_.underline()) underline(origin.x(), origin.y() + line.y() + line.ascent(), line.naturalTextWidth());
    }
}

void PdfCanvas::underline(double x, double baseline, double width) {
    const QFontMetricsF metrics(font_);
    const double thickness = qMax<qreal>(1, metrics.lineWidth());
    endText();
    drawRect(QRectF(x, baseline + metrics.underlinePos() - thickness / 2, width, thickness), QPen(Qt::NoPen), QBrush(fill_));
}

void PdfCanvas::writeGlyphs(int font, double size, bool emboldened, const quint32* glyphs, const double* xs, int count, double y) {
    if (count <= 0) return;
    beginText();
    if (font != textFont_ || size != textSize_) {
        textFont_ = font;
        textSize_ = size;
        out_ += "/F" + QByteArray::number(font) + ' ';
        appendNumber(out_, size);
        out_ += " Tf\n";
    }
    if (emboldened) {
        setStroke(fill_, size / 30);
        out_ += "2 Tr\n";
    }
    out_ += "1 0 0 -1 ";
    appendNumbers(out_, {xs[0], y});
    out_ += " Tm[(";
    // Each glyph goes where the layout put it: the reader advances by the font's own width, and
    // a kerning pair (or drift of two thousandths of the size) moves the next one into place.
    PdfFile::Glyphs& table = pdf_.glyphs(font);
    const double unitsPerDot = 1000.0 / size;
    double at = xs[0];
    static thread_local std::vector<char> buffer;
    buffer.resize(size_t(count) * 16 + 8);
    char* o = buffer.data();
    for (int i = 0; i < count; ++i) {
        if (i > 0) {
            const double shift = std::round((at - xs[i]) * unitsPerDot);
            if (shift >= 2 || shift <= -2) {
                *o++ = ')';
                o = std::to_chars(o, o + 8, int(shift)).ptr;
                *o++ = '(';
                at -= shift / unitsPerDot;
            }
        }
        const quint32 glyph = glyphs[i];
        table.use(glyph);
        for (const char byte : {char((glyph >> 8) & 0xFF), char(glyph & 0xFF)}) {
            if (byte == '(' || byte == ')' || byte == '\\') *o++ = '\\';
            if (byte == '\r') *o++ = '\\', *o++ = 'r';
            else if (byte == '\n') *o++ = '\\', *o++ = 'n';
            else *o++ = byte;
        }
        at += table.width(glyph) / unitsPerDot;
    }
    out_.append(buffer.data(), o - buffer.data());
    out_ += ")]TJ\n";
    if (emboldened) out_ += "0 Tr\n";
}

}  // namespace tanabana::reports
