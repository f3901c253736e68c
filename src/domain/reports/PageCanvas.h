#pragma once
// Where a report page is painted. The preview and the printer paint through Qt's painter; a PDF
// file is written directly (PdfCanvas), which is many times faster for a long register. The page
// is laid out once (ReportDocument) and both draw the same lines, boxes, texts and pictures.
#include <QBrush>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPen>
#include <QRectF>
#include <QString>

class QPainter;

namespace tanabana::reports {

class PageCanvas {
public:
    virtual ~PageCanvas() = default;
    virtual void drawLine(const QPointF& from, const QPointF& to, const QPen& pen) = 0;
    virtual void drawRect(const QRectF& rect, const QPen& pen, const QBrush& brush) = 0;
    virtual void fillRect(const QRectF& rect, const QColor& color) = 0;
    // The font of the texts that follow, until the next call.
    virtual void setFont(const QFont& font) = 0;
    // `flags` as for QPainter::drawText: alignment and Qt::TextWordWrap or Qt::TextSingleLine.
    virtual void drawText(const QRectF& rect, int flags, const QString& text, const QColor& color) = 0;
    // `key` names the picture (its file), so that a picture printed on many pages is kept once.
    virtual void drawImage(const QRectF& target, const QImage& image, const QString& key) = 0;
};

// Paints on a QPainter: the preview, the printer, images of pages.
class PainterCanvas final : public PageCanvas {
public:
    explicit PainterCanvas(QPainter& painter) : painter_(painter) {}
    void drawLine(const QPointF& from, const QPointF& to, const QPen& pen) override;
    void drawRect(const QRectF& rect, const QPen& pen, const QBrush& brush) override;
    void fillRect(const QRectF& rect, const QColor& color) override;
    void setFont(const QFont& font) override;
    void drawText(const QRectF& rect, int flags, const QString& text, const QColor& color) override;
    void drawImage(const QRectF& target, const QImage& image, const QString& key) override;

private:
    QPainter& painter_;
};

}  // namespace tanabana::reports
