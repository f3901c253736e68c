#include "domain/reports/PageCanvas.h"

#include <QPainter>

namespace tanabana::reports {

void PainterCanvas::drawLine(const QPointF& from, const QPointF& to, const QPen& pen) {
    painter_.setPen(pen);
    painter_.drawLine(from, to);
}

void PainterCanvas::drawRect(const QRectF& rect, const QPen& pen, const QBrush& brush) {
    painter_.setPen(pen);
    painter_.setBrush(brush);
    painter_.drawRect(rect);
    painter_.setBrush(Qt::NoBrush);
}

void PainterCanvas::fillRect(const QRectF& rect, const QColor& color) { painter_.fillRect(rect, color); }

void PainterCanvas::setFont(const QFont& font) { painter_.setFont(font); }

void PainterCanvas::drawText(const QRectF& rect, int flags, const QString& text, const QColor& color) {
    painter_.setPen(color);
    painter_.drawText(rect, flags, text);
}

void PainterCanvas::drawImage(const QRectF& target, const QImage& image, const QString&) { painter_.drawImage(target, image); }

}  // namespace tanabana::reports
