#pragma once
// A PDF file written straight from a report's pages: page content streams, the TrueType fonts the
// pages use (only the glyphs printed, with the map back to the characters so that a reader can
// search and copy the text) and the pictures. A month's day book of 65,000 postings is 2,700
// pages; writing them this way takes a fraction of what a general painter needs, because each
// cell becomes one short text operation in a font already set.
//
//   PdfFile pdf(file, QStringLiteral("DayBook"), QStringLiteral("Tanabana"));
//   pdf.beginPage(pageLayout);          // coordinates in dots of 1/1200 inch from the top-left
//   pdf.content() += "...";             // PdfCanvas writes the operators
//   pdf.endPage();
//   pdf.finish();
#include <QByteArray>
#include <QHash>
#include <QImage>
#include <QPageLayout>
#include <QRawFont>
#include <QString>
#include <memory>
#include <stdexcept>
#include <vector>

class QIODevice;

namespace tanabana::reports {

// A font this writer cannot embed (not TrueType outlines); the caller writes the PDF another way.
struct PdfFontUnsupported : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class PdfFile {
public:
    PdfFile(QIODevice& out, const QString& title, const QString& creator);
    ~PdfFile();

    // Starts a page of `layout`'s full size; content coordinates are dots from the top-left corner.
    void beginPage(const QPageLayout& layout, double dotsPerInch);
    QByteArray& content() { return content_; }
    void endPage();

    // The glyphs of one embedded face: each one's width in thousandths of the em, and whether a
    // page printed it (only those travel in the file).
    struct Glyphs {
        std::vector<double> widths;
        std::vector<char> used;
        void use(quint32 glyph) {
            if (glyph < used.size()) used[glyph] = 1;
        }
        double width(quint32 glyph) const { return glyph < widths.size() ? widths[glyph] : 0; }
    };
    // The resource number of a face (/F<n>).
    int font(const QRawFont& face);
    Glyphs& glyphs(int font);
    // The resource number of a picture (/Im<n>), written once per distinct `key`.
    int image(const QString& key, const QImage& picture);

    // A text string of the file (document information, a span's actual text): UTF-16 with its
    // byte-order mark, as hex.
    static QByteArray textString(QStringView text);

    // Writes the fonts, the page tree and the cross-reference table; false when the device failed.
    bool finish();

private:
    struct Face;
    int newObject();
    void startObject(int number);
    void write(const QByteArray& bytes);
    void writeStream(int number, const QByteArray& dictionary, const QByteArray& data, bool compress);
    void writeFont(Face& face);

    QIODevice& out_;
    QString title_, creator_;
    qint64 written_ = 0;
    std::vector<qint64> offsets_;  // by object number; 0 = not written yet
    std::vector<int> pages_;
    QByteArray content_;
    int pageObject_ = 0;
    QByteArray mediaBox_;
    std::vector<std::unique_ptr<Face>> faces_;
    QHash<QString, int> faceByKey_;
    QHash<QString, int> imageByKey_;
    std::vector<int> imageObjects_;
    bool failed_ = false;
};

}  // namespace tanabana::reports
