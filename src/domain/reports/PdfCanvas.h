#pragma once
// Paints report pages straight into a PdfFile. Texts are placed the way Qt's painter places them
// (same line height, alignment, wrapping, kerning), so the file looks as the preview does. A text
// of plain Latin characters in one font, the great majority of a register's cells, is turned into
// glyphs from tables kept per font (PlainFace); anything else (Indian scripts) is laid out by Qt's
// text layout and its glyph runs written as they come.
#include "domain/reports/PageCanvas.h"
#include "domain/reports/PdfFile.h"

#include <QHash>
#include <memory>
#include <vector>

namespace tanabana::reports {

class PdfCanvas final : public PageCanvas {
public:
    explicit PdfCanvas(PdfFile& pdf);
    ~PdfCanvas() override;

    // Every page starts from the PDF's default state (black, no font chosen).
    void beginPage();
    void endPage();

    void drawLine(const QPointF& from, const QPointF& to, const QPen& pen) override;
    void drawRect(const QRectF& rect, const QPen& pen, const QBrush& brush) override;
    void fillRect(const QRectF& rect, const QColor& color) override;
    void setFont(const QFont& font) override;
    void drawText(const QRectF& rect, int flags, const QString& text, const QColor& color) override;
    void drawImage(const QRectF& target, const QImage& image, const QString& key) override;

private:
    struct Face;
    Face& faceFor(const QRawFont& raw, bool wantBold);
    bool drawPlain(const QRectF& rect, int flags, const QString& text);
    void drawLaidOut(const QRectF& rect, int flags, const QString& text);
    void writeGlyphs(int font, double size, bool emboldened, const quint32* glyphs, const double* xs, int count, double y);
    void underline(double x, double baseline, double width);
    void beginText();
    void endText();
    void setFill(const QColor& color);
    void setStroke(const QColor& color, double width);
    void clipTo(const QRectF& rect);

    PdfFile& pdf_;
    QByteArray& out_;
    QHash<QString, Face*> faceByFont_;
    QHash<QString, Face*> faceByRaw_;
    std::vector<std::unique_ptr<Face>> faces_;
    Face* face_ = nullptr;
    QFont font_;
    bool inText_ = false;
    int textFont_ = -1;
    double textSize_ = -1;
    QColor fill_, stroke_;
    double lineWidth_ = -1;
    bool clipped_ = false;
};

}  // namespace tanabana::reports
