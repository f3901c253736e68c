#include "domain/reports/PdfFile.h"

#include <QDateTime>
#include <QIODevice>
#include <algorithm>
#include <map>
#include <set>

namespace tanabana::reports {

namespace {

quint16 u16(const QByteArray& b, int at) {
    if (at < 0 || at + 2 > b.size()) return 0;
    return quint16((quint8(b[at]) << 8) | quint8(b[at + 1]));
}
qint16 s16(const QByteArray& b, int at) { return qint16(u16(b, at)); }
quint32 u32(const QByteArray& b, int at) {
    if (at < 0 || at + 4 > b.size()) return 0;
    return (quint32(u16(b, at)) << 16) | u16(b, at + 2);
}
void put16(QByteArray& b, quint16 v) {
    b.append(char(v >> 8));
    b.append(char(v & 0xFF));
}
void put32(QByteArray& b, quint32 v) {
    put16(b, quint16(v >> 16));
    put16(b, quint16(v & 0xFFFF));
}
void set16(QByteArray& b, int at, quint16 v) {
    b[at] = char(v >> 8);
    b[at + 1] = char(v & 0xFF);
}

quint32 tableChecksum(const QByteArray& t) {
    quint32 sum = 0;
    QByteArray padded = t;
    while (padded.size() % 4) padded.append('\0');
    for (int i = 0; i < padded.size(); i += 4) sum += u32(padded, i);
    return sum;
}

QByteArray hex16(quint32 v) { return QByteArray::number(v, 16).rightJustified(4, '0').toUpper(); }


QByteArray deflate(const QByteArray& data) {
    // qCompress puts the length in front of an ordinary zlib stream; a PDF wants the stream alone.
    return qCompress(data, 1).mid(4);
}

}  // namespace

// One embedded face: its TrueType tables, the advance of every glyph and the glyphs printed.
struct PdfFile::Face {
    QRawFont raw;
    QByteArray name;
    int object = 0;  // the Type0 font the resource list names
    QByteArray head, hhea, maxp, loca, glyf, hmtx, cvt, fpgm, prep, os2;
    int unitsPerEm = 1000;
    int glyphCount = 0;
    bool longLoca = false;
    std::vector<quint16> advances;
    Glyphs glyphs;

    explicit Face(const QRawFont& face) : raw(face) {
        const auto table = [&](const char* tag) { return raw.fontTable(tag); };
        head = table("head");
        hhea = table("hhea");
        maxp = table("maxp");
        loca = table("loca");
        glyf = table("glyf");
        hmtx = table("hmtx");
        cvt = table("cvt ");
        fpgm = table("fpgm");
        prep = table("prep");
        os2 = table("OS/2");
        if (head.size() < 54 || hhea.size() < 36 || maxp.size() < 6 || loca.isEmpty() || glyf.isEmpty() || hmtx.isEmpty())
            throw PdfFontUnsupported("no TrueType outlines in " + raw.familyName().toStdString());
        unitsPerEm = qMax(16, int(u16(head, 18)));
        longLoca = s16(head, 50) != 0;
        glyphCount = u16(maxp, 4);
        const int metrics = qMax(1, int(u16(hhea, 34)));
        advances.resize(size_t(glyphCount));
        for (int g = 0; g < glyphCount; ++g) advances[size_t(g)] = u16(hmtx, 4 * qMin(g, metrics - 1));
        glyphs.used.assign(size_t(glyphCount), 0);
        if (glyphCount > 0) glyphs.used[0] = 1;
        glyphs.widths.resize(size_t(glyphCount));
        for (int g = 0; g < glyphCount; ++g) glyphs.widths[size_t(g)] = advances[size_t(g)] * 1000.0 / unitsPerEm;
    }

    // The font's ascent and descent as readers place text by them: the typographic ones of the
    // OS/2 table when the font asks for them, else the horizontal header's.
    std::pair<int, int> ascentDescent() const {
        const bool typo = os2.size() >= 72 && (u16(os2, 62) & 0x80);
        const bool hheaZero = s16(hhea, 4) == 0 && s16(hhea, 6) == 0;
        if ((typo || hheaZero) && os2.size() >= 72) return {s16(os2, 68), s16(os2, 70)};
        return {s16(hhea, 4), s16(hhea, 6)};
    }

    quint32 glyphOffset(int g) const { return longLoca ? u32(loca, 4 * g) : quint32(u16(loca, 2 * g)) * 2; }

    // A composite glyph is drawn from others, which must travel with it.
    void addComponents() {
        std::vector<int> pending;
        for (int g = 0; g < glyphCount; ++g)
            if (glyphs.used[size_t(g)]) pending.push_back(g);
        while (!pending.empty()) {
            const int g = pending.back();
            pending.pop_back();
            const quint32 from = glyphOffset(g), to = glyphOffset(g + 1);
            if (to <= from || int(from) + 10 > glyf.size() || s16(glyf, int(from)) >= 0) continue;
            int at = int(from) + 10;
            for (;;) {
                const quint16 flags = u16(glyf, at), component = u16(glyf, at + 2);
                if (component < glyphCount && !glyphs.used[component]) {
                    glyphs.used[component] = 1;
                    pending.push_back(component);
                }
                at += 4 + ((flags & 0x1) ? 4 : 2);
                if (flags & 0x8) at += 2;
                else if (flags & 0x40) at += 4;
                else if (flags & 0x80) at += 8;
                if (!(flags & 0x20) || at >= int(to)) break;
            }
        }
    }

    // The font program with the unused glyphs emptied; glyph numbers stay as they are.
    QByteArray subset() {
        addComponents();
        QByteArray newGlyf, newLoca;
        for (int g = 0; g < glyphCount; ++g) {
            put32(newLoca, quint32(newGlyf.size()));
            if (!glyphs.used[size_t(g)]) continue;
            const quint32 from = glyphOffset(g), to = glyphOffset(g + 1);
            if (to > from && int(to) <= glyf.size()) newGlyf += glyf.mid(int(from), int(to - from));
            while (newGlyf.size() % 4) newGlyf.append('\0');
        }
        put32(newLoca, quint32(newGlyf.size()));
        QByteArray newHead = head;
        set16(newHead, 8, 0);
        set16(newHead, 10, 0);
        set16(newHead, 50, 1);
        std::map<QByteArray, QByteArray> tables{{"head", newHead}, {"hhea", hhea}, {"maxp", maxp}, {"loca", newLoca},
                                                {"glyf", newGlyf}, {"hmtx", hmtx}};
        if (!cvt.isEmpty()) tables["cvt "] = cvt;
        if (!fpgm.isEmpty()) tables["fpgm"] = fpgm;
        if (!prep.isEmpty()) tables["prep"] = prep;
        const int count = int(tables.size());
        int power = 1, log2 = 0;
        while (power * 2 <= count) power *= 2, ++log2;
        QByteArray out;
        put32(out, 0x00010000);
        put16(out, quint16(count));
        put16(out, quint16(power * 16));
        put16(out, quint16(log2));
        put16(out, quint16(count * 16 - power * 16));
        quint32 offset = quint32(12 + 16 * count);
        QByteArray body;
        for (const auto& [tag, data] : tables) {
            out += tag;
            put32(out, tableChecksum(data));
            put32(out, offset + quint32(body.size()));
            put32(out, quint32(data.size()));
            body += data;
            while (body.size() % 4) body.append('\0');
        }
        return out + body;
    }

    // Which character each printed glyph stands for, from the font's own character map.
    std::map<quint32, char32_t> characters() const {
        std::map<quint32, char32_t> found;
        size_t wanted = 0;
        for (int g = 1; g < glyphCount; ++g) wanted += glyphs.used[size_t(g)] ? 1 : 0;
        QList<quint32> mapped(256);
        QChar chars[256];
        for (uint block = 0x0000; block < 0x10000 && found.size() < wanted; block += 256) {
            if (block >= 0xD800 && block < 0xE000) continue;
            for (uint i = 0; i < 256; ++i) chars[i] = QChar(char16_t(block + i));
            int count = 256;
            if (!raw.glyphIndexesForChars(chars, 256, mapped.data(), &count)) continue;
            for (int i = 0; i < count; ++i) {
                const quint32 g = mapped[i];
                if (g == 0 || g >= quint32(glyphCount) || !glyphs.used[g] || block + uint(i) < 0x20) continue;
                found.emplace(g, char32_t(block + uint(i)));
            }
        }
        return found;
    }
};

QByteArray PdfFile::textString(QStringView text) {
    QByteArray out = "<FEFF";
    for (const QChar c : text) out += hex16(c.unicode());
    return out + '>';
}

PdfFile::PdfFile(QIODevice& out, const QString& title, const QString& creator) : out_(out), title_(title), creator_(creator) {
    offsets_.assign(5, 0);  // 1 catalogue, 2 page tree, 3 resources, 4 information
    write("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n");
}

PdfFile::~PdfFile() = default;

int PdfFile::newObject() {
    offsets_.push_back(0);
    return int(offsets_.size()) - 1;
}

void PdfFile::write(const QByteArray& bytes) {
    if (out_.write(bytes) != bytes.size()) failed_ = true;
    written_ += bytes.size();
}

void PdfFile::startObject(int number) {
    offsets_[size_t(number)] = written_;
    write(QByteArray::number(number) + " 0 obj\n");
}

void PdfFile::writeStream(int number, const QByteArray& dictionary, const QByteArray& data, bool compress) {
    const QByteArray body = compress ? deflate(data) : data;
    startObject(number);
    write("<<" + dictionary + (compress ? " /Filter /FlateDecode" : "") + " /Length " + QByteArray::number(body.size()) + " >>\nstream\n");
    write(body);
    write("\nendstream\nendobj\n");
}

void PdfFile::beginPage(const QPageLayout& layout, double dotsPerInch) {
    const QRect points = layout.fullRectPoints();
    mediaBox_ = "[0 0 " + QByteArray::number(points.width()) + ' ' + QByteArray::number(points.height()) + ']';
    const double scale = 72.0 / dotsPerInch;
    content_.resize(0);
    content_ += QByteArray::number(scale, 'g', 8) + " 0 0 " + QByteArray::number(-scale, 'g', 8) + " 0 " +
                QByteArray::number(points.height()) + " cm\n2 J 2 j\n";
    pageObject_ = newObject();
}

void PdfFile::endPage() {
    const int contents = newObject();
    writeStream(contents, QByteArray(), content_, true);
    startObject(pageObject_);
    write("<< /Type /Page /Parent 2 0 R /MediaBox " + mediaBox_ + " /Resources 3 0 R /Contents " + QByteArray::number(contents) +
          " 0 R >>\nendobj\n");
    pages_.push_back(pageObject_);
    content_.resize(0);  // keeps the buffer for the next page
}

int PdfFile::font(const QRawFont& face) {
    const QString key = face.familyName() + QLatin1Char('/') + face.styleName() + QLatin1Char('/') +
                        QString::number(int(face.weight())) + QLatin1Char('/') + QString::number(int(face.style()));
    const auto found = faceByKey_.constFind(key);
    if (found != faceByKey_.constEnd()) return found.value();
    auto added = std::make_unique<Face>(face);
    QByteArray name;
    for (const QChar c : face.familyName() + face.styleName())
        if (c.isLetterOrNumber() && c.unicode() < 0x80) name += char(c.unicode());
    // A subset's name starts with six capitals of its own.
    QByteArray tag = "TNBAAA";
    const int index = int(faces_.size());
    tag[4] = char('A' + index / 26 % 26);
    tag[5] = char('A' + index % 26);
    added->name = tag + '+' + (name.isEmpty() ? QByteArray("Font") : name);
    faces_.push_back(std::move(added));
    faceByKey_.insert(key, index);
    return index;
}

PdfFile::Glyphs& PdfFile::glyphs(int font) { return faces_[size_t(font)]->glyphs; }

int PdfFile::image(const QString& key, const QImage& picture) {
    const auto found = imageByKey_.constFind(key);
    if (found != imageByKey_.constEnd()) return found.value();
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
    QByteArray pixels, alpha;
    pixels.reserve(rgb.width() * rgb.height() * 3);
    for (int y = 0; y < rgb.height(); ++y) pixels.append(reinterpret_cast<const char*>(rgb.constScanLine(y)), rgb.width() * 3);
    const QByteArray size = " /Width " + QByteArray::number(rgb.width()) + " /Height " + QByteArray::number(rgb.height()) +
                            " /BitsPerComponent 8";
    QByteArray mask;
    if (picture.hasAlphaChannel()) {
        const QImage a = picture.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < a.height(); ++y) {
            const QRgb* line = reinterpret_cast<const QRgb*>(a.constScanLine(y));
            for (int x = 0; x < a.width(); ++x) alpha.append(char(qAlpha(line[x])));
        }
        const int maskObject = newObject();
        writeStream(maskObject, " /Type /XObject /Subtype /Image /ColorSpace /DeviceGray" + size, alpha, true);
        mask = " /SMask " + QByteArray::number(maskObject) + " 0 R";
    }
    const int object = newObject();
    writeStream(object, " /Type /XObject /Subtype /Image /ColorSpace /DeviceRGB" + size + mask, pixels, true);
    const int index = int(imageObjects_.size());
    imageObjects_.push_back(object);
    imageByKey_.insert(key, index);
    return index;
}

void PdfFile::writeFont(Face& face) {
    const int type0 = newObject(), cidFont = newObject(), descriptor = newObject(), program = newObject(), toUnicode = newObject();
    const double em = 1000.0 / face.unitsPerEm;
    const auto scaled = [&](double v) { return QByteArray::number(qRound(v * em)); };
    const QByteArray fontFile = face.subset();
    writeStream(program, " /Length1 " + QByteArray::number(fontFile.size()), fontFile, true);

    const auto [ascent, descent] = face.ascentDescent();
    startObject(descriptor);
    write("<< /Type /FontDescriptor /FontName /" + face.name + " /Flags 4 /FontBBox [" + scaled(s16(face.head, 36)) + ' ' +
          scaled(s16(face.head, 38)) + ' ' + scaled(s16(face.head, 40)) + ' ' + scaled(s16(face.head, 42)) +
          "] /ItalicAngle 0 /Ascent " + scaled(ascent) + " /Descent " + scaled(descent) + " /CapHeight " + scaled(ascent) + " /StemV 80 /FontFile2 " + QByteArray::number(program) + " 0 R >>\nendobj\n");

    QByteArray widths = "[";
    int runStart = -1;
    for (int g = 0; g <= face.glyphCount; ++g) {
        const bool used = g < face.glyphCount && face.glyphs.used[size_t(g)];
        if (used && runStart < 0) {
            runStart = g;
            widths += QByteArray::number(g) + " [";
        }
        if (used) widths += QByteArray::number(qRound(face.advances[size_t(g)] * em)) + ' ';
        if (!used && runStart >= 0) {
            widths += "] ";
            runStart = -1;
        }
    }
    widths += ']';
    startObject(cidFont);
    write("<< /Type /Font /Subtype /CIDFontType2 /BaseFont /" + face.name +
          " /CIDSystemInfo << /Registry (Adobe) /Ordering (Identity) /Supplement 0 >> /FontDescriptor " +
          QByteArray::number(descriptor) + " 0 R /DW 0 /W " + widths + " /CIDToGIDMap /Identity >>\nendobj\n");

    const std::map<quint32, char32_t> characters = face.characters();
    QByteArray cmap =
        "/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n"
        "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def\n"
        "/CMapName /Adobe-Identity-UCS def\n/CMapType 2 def\n1 begincodespacerange\n<0000> <FFFF>\nendcodespacerange\n";
    std::vector<std::pair<quint32, char32_t>> pairs(characters.begin(), characters.end());
    for (size_t i = 0; i < pairs.size(); i += 100) {
        const size_t end = qMin(pairs.size(), i + 100);
        cmap += QByteArray::number(int(end - i)) + " beginbfchar\n";
        for (size_t k = i; k < end; ++k) cmap += '<' + hex16(pairs[k].first) + "> <" + hex16(quint32(pairs[k].second)) + ">\n";
        cmap += "endbfchar\n";
    }
    cmap += "endcmap\nCMapName currentdict /CMap defineresource pop\nend\nend\n";
    writeStream(toUnicode, QByteArray(), cmap, true);

    startObject(type0);
    write("<< /Type /Font /Subtype /Type0 /BaseFont /" + face.name + " /Encoding /Identity-H /DescendantFonts [" +
          QByteArray::number(cidFont) + " 0 R] /ToUnicode " + QByteArray::number(toUnicode) + " 0 R >>\nendobj\n");
    face.object = type0;
}

bool PdfFile::finish() {
    QByteArray fonts, images;
    for (size_t i = 0; i < faces_.size(); ++i) {
        writeFont(*faces_[i]);
        fonts += " /F" + QByteArray::number(int(i)) + ' ' + QByteArray::number(faces_[i]->object) + " 0 R";
    }
    for (size_t i = 0; i < imageObjects_.size(); ++i)
        images += " /Im" + QByteArray::number(int(i)) + ' ' + QByteArray::number(imageObjects_[i]) + " 0 R";
    startObject(3);
    write("<< /ProcSet [/PDF /Text /ImageB /ImageC] /Font <<" + fonts + " >> /XObject <<" + images + " >> >>\nendobj\n");
    QByteArray kids;
    for (int page : pages_) kids += QByteArray::number(page) + " 0 R ";
    startObject(2);
    write("<< /Type /Pages /Kids [" + kids + "] /Count " + QByteArray::number(int(pages_.size())) + " >>\nendobj\n");
    startObject(1);
    write("<< /Type /Catalog /Pages 2 0 R >>\nendobj\n");
    startObject(4);
    write("<< /Title " + PdfFile::textString(title_) + " /Creator " + PdfFile::textString(creator_) + " /Producer " + PdfFile::textString(creator_) +
          " /CreationDate (D:" + QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMddhhmmss")).toLatin1() +
          "Z) >>\nendobj\n");
    const qint64 xref = written_;
    QByteArray table = "xref\n0 " + QByteArray::number(int(offsets_.size())) + "\n0000000000 65535 f \n";
    for (size_t i = 1; i < offsets_.size(); ++i) table += QByteArray::number(offsets_[i]).rightJustified(10, '0') + " 00000 n \n";
    write(table);
    write("trailer\n<< /Size " + QByteArray::number(int(offsets_.size())) + " /Root 1 0 R /Info 4 0 R >>\nstartxref\n" +
          QByteArray::number(xref) + "\n%%EOF\n");
    return !failed_;
}

}  // namespace tanabana::reports
