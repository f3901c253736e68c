#include "domain/reports/ReportDocument.h"

#include "domain/reports/Fonts.h"
#include "domain/reports/PageCanvas.h"
#include "domain/reports/PlainText.h"
#include "domain/reports/ReportError.h"

#include <QDir>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QTextLayout>
#include <array>

namespace tanabana::reports {

namespace {

QFont makeFont(const FontSpec& style) {
    QFont f = withIndianScripts(QFont(style.family));
    f.setPixelSize(qMax(1, qRound(style.size * kDotsPerInch / 72.0)));
    f.setBold(style.bold);
    f.setItalic(style.italic);
    f.setUnderline(style.underline);
    f.setStyleStrategy(QFont::PreferOutline);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

int textFlags(const Item& it) {
    return int(it.align) | (it.wrap ? Qt::TextWordWrap : Qt::TextSingleLine);
}

}  // namespace

// What measuring an item's texts needs, worked out once per item: its font's metrics, the height
// of one line in it, and the advance of each plain Latin character, so that the many texts that
// plainly fit their column (dates, numbers, names) are neither laid out nor shaped again.
struct ReportDocument::TextMeasure {
    static constexpr int kChars = 0x180;

    explicit TextMeasure(const Item& it) : font(it.resolved), metrics(it.resolved) {
        for (int c = 0; c < kChars; ++c) advances[size_t(c)] = metrics.horizontalAdvance(QChar(c));
        oneLine = metrics.boundingRect(QRectF(0, 0, mmToDots(it.w), 1e7), textFlags(it), QStringLiteral("X")).height();
    }

    // True when the text surely takes one line of `width` dots: plain characters only, whose
    // advances with room for kerning stay inside the width. Anything else is measured in full.
    bool fitsOneLine(const QString& text, qreal width) const {
        qreal total = 0;
        for (const QChar ch : text) {
            const ushort u = ch.unicode();
            if (u < 0x20 || (u >= 0x7F && u < 0xA1) || u >= kChars) return false;
            total += advances[size_t(u)];
        }
        return total * 1.02 + 2 < width;
    }

    // Lays out the texts that wrap; made when the first one does not plainly fit.
    PlainFace& plain() {
        if (!plainFace) plainFace = std::make_unique<PlainFace>(font);
        return *plainFace;
    }

    QFont font;
    QFontMetricsF metrics;
    std::unique_ptr<PlainFace> plainFace;
    std::array<qreal, kChars> advances{};
    qreal oneLine = 0;
};

ReportDocument::TextMeasure& ReportDocument::measureOf(const Item& item) {
    std::unique_ptr<TextMeasure>& m = measures_[&item];
    if (!m) m = std::make_unique<TextMeasure>(item);
    return *m;
}

double ReportDocument::wrappedHeight(const Item& it, const QString& text) {
    if (text.isEmpty()) return 0;
    TextMeasure& m = measureOf(it);
    const qreal width = mmToDots(it.w);
    if (m.fitsOneLine(text, width)) return dotsToMm(m.oneLine);
    static thread_local PlainFace::Laid laid;
    if (m.plain().layout(text, true, width, laid)) return dotsToMm(laid.height);
    return dotsToMm(m.metrics.boundingRect(QRectF(0, 0, width, 1e7), textFlags(it), text).height());
}

// Lays the bands down page by page: report header, page header, group headers, detail rows,
// group footers, report footer; a band that does not fit starts a new page, which gets the page
// header and the headers of the groups still open again.
class Paginator {
public:
    explicit Paginator(ReportDocument& doc) : doc_(doc), layout_(doc.layout_), rows_(doc.data_.rowCount()) {
        const QSizeF page = layout_.pageSizeMm();
        limit_ = page.height() - layout_.marginTop - layout_.marginBottom - (layout_.pageFooter.present() ? layout_.pageFooter.height : 0);
        findGroups();
    }

    void run() {
        newPage(true);
        for (int r = 0; r < rows_; ++r) {
            row_ = r;
            placeGroupHeaders(r);
            Placement detail = at(&layout_.detail, r, 0, r);
            place(detail);
            Page& page = current();
            if (page.firstRow < 0) page.firstRow = r;
            page.lastRow = r;
            const bool breakAfter = placeGroupFooters(r) || layout_.detail.newPageAfter;
            if (breakAfter && r < rows_ - 1) newPage(false);
        }
        row_ = rows_ - 1;
        place(at(&layout_.reportFooter, rows_ - 1, 0, rows_ - 1));
        finishPage();
        numberPages();
        fixPageScopes();
    }

private:
    Page& current() { return doc_.pages_.back(); }

    void findGroups() {
        const size_t levels = layout_.groups.size();
        starts_.assign(levels, std::vector<int>(size_t(rows_)));
        ends_.assign(levels, std::vector<int>(size_t(rows_)));
        open_.assign(levels, false);
        for (size_t g = 0; g < levels; ++g) {
            const int col = layout_.groups[g].columnIndex;
            for (int r = 0; r < rows_; ++r) {
                const bool outerStarts = g > 0 && starts_[g - 1][size_t(r)] == r;
                const bool changes = r == 0 || outerStarts || doc_.data_.value(r, col) != doc_.data_.value(r - 1, col);
                starts_[g][size_t(r)] = changes ? r : starts_[g][size_t(r - 1)];
            }
            for (int r = rows_ - 1; r >= 0; --r) {
                const bool last = r == rows_ - 1 || starts_[g][size_t(r + 1)] == r + 1;
                ends_[g][size_t(r)] = last ? r : ends_[g][size_t(r + 1)];
            }
        }
    }

    int innermostGroupStart(int r) const {
        return starts_.empty() || r < 0 ? 0 : starts_.back()[size_t(r)];
    }

    Placement at(const Band* band, int row, int from, int to) const {
        Placement p;
        p.band = band;
        p.row = row;
        p.scopeFrom = from;
        p.scopeTo = to;
        p.groupFrom = innermostGroupStart(row);
        return p;
    }

    EvalContext contextFor(const Placement& p) const {
        EvalContext c = doc_.context(p, doc_.pages_.back());
        return c;
    }

    // Places a band at the current position, starting a new page first when it does not fit.
    bool place(Placement p) {
        if (!p.band || !p.band->present()) return false;
        const EvalContext c = contextFor(p);
        if (!doc_.shown(*p.band, c)) return false;
        p.height = doc_.measure(*p.band, c);
        if (y_ + p.height > limit_ + 1e-6 && y_ > contentTop_ + 1e-6) {
            newPage(false);
            p.groupFrom = innermostGroupStart(p.row);
        }
        p.y = y_;
        y_ += p.height;
        current().bands.push_back(p);
        return true;
    }

    void placeGroupHeaders(int r) {
        std::vector<size_t> starting;
        for (size_t g = 0; g < layout_.groups.size(); ++g)
            if (starts_[g][size_t(r)] == r) starting.push_back(g);
        if (starting.empty()) return;
        // A group that numbers its own pages starts on a fresh page.
        for (size_t g : starting)
            if (layout_.groups[g].resetPageNumber && current().firstRow >= 0) {
                newPage(false);
                break;
            }
        for (size_t g : starting)
            if (layout_.groups[g].resetPageNumber) current().restartsNumbering = true;
        // Keep the headers with the first row under them.
        double needed = 0;
        for (size_t g : starting) {
            const Placement h = at(&layout_.groups[g].header, r, r, ends_[g][size_t(r)]);
            const EvalContext c = contextFor(h);
            if (h.band->present() && doc_.shown(*h.band, c)) needed += doc_.measure(*h.band, c);
        }
        const Placement d = at(&layout_.detail, r, 0, r);
        needed += doc_.measure(layout_.detail, contextFor(d));
        if (y_ + needed > limit_ + 1e-6 && y_ > contentTop_ + 1e-6) newPage(false);
        for (size_t g : starting) {
            place(at(&layout_.groups[g].header, r, r, ends_[g][size_t(r)]));
            open_[g] = true;
        }
    }

    // Returns true when a closing group asks for a new page after it.
    bool placeGroupFooters(int r) {
        bool breakAfter = false;
        for (size_t k = layout_.groups.size(); k-- > 0;) {
            if (ends_[k][size_t(r)] != r) continue;
            place(at(&layout_.groups[k].footer, r, starts_[k][size_t(r)], r));
            open_[k] = false;
            breakAfter = breakAfter || layout_.groups[k].newPageAfter || layout_.groups[k].footer.newPageAfter;
        }
        return breakAfter;
    }

    void finishPage() {
        if (doc_.pages_.empty() || !layout_.pageFooter.present()) return;
        const int lastRow = current().lastRow >= 0 ? current().lastRow : row_;
        Placement f = at(&layout_.pageFooter, lastRow, 0, lastRow);
        f.pageFooter = true;
        const EvalContext c = contextFor(f);
        if (!doc_.shown(layout_.pageFooter, c)) return;
        f.height = layout_.pageFooter.height;
        f.y = limit_;
        current().bands.push_back(f);
    }

    void newPage(bool first) {
        if (!first) finishPage();
        doc_.pages_.emplace_back();
        y_ = 0;
        const int row = qBound(-1, row_, rows_ - 1);
        if (first) place(at(&layout_.reportHeader, rows_ > 0 ? 0 : -1, 0, rows_ - 1));
        if (layout_.pageHeader.present() && (!first || layout_.pageHeader.printOnFirstPage)) {
            Placement h = at(&layout_.pageHeader, first && rows_ > 0 ? 0 : row, 0, -1);
            h.pageHeader = true;
            const EvalContext c = contextFor(h);
            if (doc_.shown(layout_.pageHeader, c)) {
                h.height = doc_.measure(layout_.pageHeader, c);
                h.y = y_;
                y_ += h.height;
                current().bands.push_back(h);
            }
        }
        contentTop_ = y_;
        if (first) return;
        for (size_t g = 0; g < layout_.groups.size(); ++g) {
            if (!open_[g] || !layout_.groups[g].repeatHeader || row < 0) continue;
            Placement h = at(&layout_.groups[g].header, row, starts_[g][size_t(row)], ends_[g][size_t(row)]);
            const EvalContext c = contextFor(h);
            if (!h.band->present() || !doc_.shown(*h.band, c)) continue;
            h.height = doc_.measure(*h.band, c);
            h.y = y_;
            y_ += h.height;
            current().bands.push_back(h);
        }
        contentTop_ = y_;
    }

    void numberPages() {
        auto& pages = doc_.pages_;
        int number = 0;
        for (size_t i = 0; i < pages.size(); ++i) {
            if (pages[i].restartsNumbering) number = 0;
            pages[i].number = ++number;
        }
        for (size_t i = pages.size(); i-- > 0;) {
            const bool lastOfRun = i + 1 == pages.size() || pages[i + 1].restartsNumbering;
            pages[i].count = lastOfRun ? pages[i].number : pages[i + 1].count;
        }
    }

    // Page headers carry totals brought forward, page footers totals carried forward.
    void fixPageScopes() {
        int before = -1;
        for (Page& page : doc_.pages_) {
            const int through = page.lastRow >= 0 ? page.lastRow : before;
            for (Placement& p : page.bands) {
                if (p.pageHeader) p.scopeTo = before;
                if (p.pageFooter) p.scopeTo = through;
            }
            before = through;
        }
    }

    ReportDocument& doc_;
    Layout& layout_;
    int rows_;
    int row_ = 0;
    double y_ = 0, limit_ = 0, contentTop_ = 0;
    std::vector<std::vector<int>> starts_, ends_;
    std::vector<bool> open_;
};

ReportDocument::ReportDocument(Layout layout, ResultSet data, std::vector<QVariant> parameters, bool strictColumns,
                               QDateTime printedAt)
    : layout_(std::move(layout)), data_(std::move(data)), parameters_(std::move(parameters)), printedAt_(printedAt) {
    layout_.bind(data_, strictColumns);
    layout_.forEachBand([](Band& band, const QString&) {
        for (Item& it : band.items) it.resolved = makeFont(it.font);
    });
    parameters_.resize(layout_.parameters.size());
    totals_ = std::make_unique<Totals>(data_);
    Paginator(*this).run();
}

ReportDocument::~ReportDocument() = default;

QPageLayout ReportDocument::pageLayout() const {
    return QPageLayout(layout_.pageSize, layout_.orientation, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

void ReportDocument::setPicture(const QString& path) {
    picturePath_ = path;
}

EvalContext ReportDocument::context(const Placement& p, const Page& page) const {
    EvalContext c;
    c.data = &data_;
    c.parameters = &parameters_;
    c.totals = totals_.get();
    c.row = p.row;
    c.scopeFrom = p.scopeFrom;
    c.scopeTo = p.scopeTo;
    c.pageFrom = page.firstRow;
    c.pageTo = page.lastRow;
    c.groupFrom = p.groupFrom;
    c.page = page.number;
    c.pages = page.count;
    c.printedAt = printedAt_;
    return c;
}

bool ReportDocument::shown(const Band& band, const EvalContext& c) const { return holds(band.showIf, band.negateShowIf, c); }

bool ReportDocument::holds(const TextTemplate& showIf, bool negate, const EvalContext& c) const {
    if (showIf.isEmpty()) return true;
    const QVariant v = showIf.rawValue(c);
    bool truthy;
    if (v.isNull()) truthy = false;
    else if (v.typeId() == QMetaType::QString) {
        const QString s = v.toString().trimmed();
        truthy = !s.isEmpty() && s != QLatin1String("0") && s.compare(QLatin1String("false"), Qt::CaseInsensitive) != 0;
    } else if (v.typeId() == QMetaType::Bool) truthy = v.toBool();
    else if (v.typeId() == QMetaType::QDate) truthy = v.toDate().isValid();
    else truthy = !toDecimal(v).isZero();
    return truthy != negate;
}

double ReportDocument::measure(const Band& band, const EvalContext& c) {
    double height = band.height;
    if (!band.grows()) return height;
    for (const Item& it : band.items) {
        if (!it.wrap || it.kind != Item::Kind::Text) continue;
        const double needed = wrappedHeight(it, it.text.evaluate(c, it.blankWhenZero));
        height = qMax(height, it.y + needed + (band.height - it.y - it.h));
    }
    return height;
}

void ReportDocument::paintPage(QPainter& painter, int index) {
    PainterCanvas canvas(painter);
    paintPage(canvas, index);
}

void ReportDocument::paintPage(PageCanvas& canvas, int index) {
    painterFont_.reset();
    const Page& page = pages_.at(size_t(index));
    for (const Placement& p : page.bands) paintPlacement(&canvas, p, page, nullptr);
}

QStringList ReportDocument::pageTexts(int index) {
    QStringList texts;
    const Page& page = pages_.at(size_t(index));
    for (const Placement& p : page.bands) paintPlacement(nullptr, p, page, &texts);
    return texts;
}

void ReportDocument::forEachBandInOrder(const std::function<void(const Placement&, const EvalContext&)>& visit) const {
    for (size_t i = 0; i < pages_.size(); ++i)
        for (const Placement& p : pages_[i].bands) {
            if (p.pageFooter || (p.pageHeader && i > 0)) continue;
            visit(p, context(p, pages_[i]));
        }
}

QImage ReportDocument::renderPage(int index, double dpi) {
    const QSizeF mm = layout_.pageSizeMm();
    QImage image(qRound(mm.width() / 25.4 * dpi), qRound(mm.height() / 25.4 * dpi), QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(dpi / 0.0254));
    image.setDotsPerMeterY(qRound(dpi / 0.0254));
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(dpi / kDotsPerInch, dpi / kDotsPerInch);
    paintPage(painter, index);
    return image;
}

// Paints one band on `canvas`, or, without a canvas, collects its texts into `texts`.
void ReportDocument::paintPlacement(PageCanvas* canvas, const Placement& p, const Page& page, QStringList* texts) {
    const EvalContext c = context(p, page);
    const double growth = p.height - p.band->height;
    const double left = layout_.marginLeft, top = layout_.marginTop + p.y;
    for (const Item& it : p.band->items) {
        if (!holds(it.showIf, it.negateShowIf, c)) continue;
        if (!canvas && it.kind != Item::Kind::Text) continue;
        const double extra = (it.wrap || it.stretch) ? growth : 0;
        const QRectF rect(mmToDots(left + it.x), mmToDots(top + it.y), mmToDots(it.w), mmToDots(it.h + extra));
        QPen pen(it.color);
        pen.setWidthF(mmToDots(it.lineWidth));
        switch (it.kind) {
        case Item::Kind::Line:
            canvas->drawLine(rect.topLeft(), QPointF(rect.left() + mmToDots(it.w), rect.top() + mmToDots(it.h + extra)), pen);
            break;
        case Item::Kind::Box:
            canvas->drawRect(rect, it.lineWidth > 0 ? pen : QPen(Qt::NoPen), it.fill.isValid() ? QBrush(it.fill) : QBrush(Qt::NoBrush));
            break;
        case Item::Kind::Image:
            paintImage(*canvas, it, rect, c);
            break;
        case Item::Kind::Text: {
            const QString text = it.text.evaluate(c, it.blankWhenZero);
            if (texts) {
                if (!text.isEmpty()) texts->append(text);
                break;
            }
            if (it.fill.isValid()) canvas->fillRect(rect, it.fill);
            if (it.border) canvas->drawRect(rect, pen, QBrush(Qt::NoBrush));
            if (text.isEmpty()) break;
            QFont font = it.resolved;
            if (!it.wrap) {
                // A single line that does not fit is set smaller rather than cut.
                const TextMeasure& m = measureOf(it);
                const double width = m.fitsOneLine(text, rect.width()) ? 0 : m.metrics.horizontalAdvance(text);
                if (width > rect.width() && width > 0) {
                    const double ratio = qMax(0.6, rect.width() / width * 0.98);
                    font.setPixelSize(qMax(1, int(font.pixelSize() * ratio)));
                }
            }
            if (!painterFont_ || *painterFont_ != font) {
                canvas->setFont(font);
                painterFont_ = font;
            }
            canvas->drawText(rect, textFlags(it), text, it.color);
            break;
        }
        }
    }
}

void ReportDocument::paintImage(PageCanvas& canvas, const Item& it, const QRectF& rect, const EvalContext& c) {
    if (it.qr) {
        const QString content = it.text.evaluate(c);
        if (content.isEmpty()) return;
        auto found = qrCodes_.find(content);
        if (found == qrCodes_.end()) found = qrCodes_.insert(content, encodeQr(content));
        const QrCode& code = found.value();
        if (code.size == 0) return;
        const double side = qMin(rect.width(), rect.height());
        const double module = side / (code.size + 2);  // a quiet border of one module
        const QPointF origin(rect.left() + (rect.width() - side) / 2 + module, rect.top() + (rect.height() - side) / 2 + module);
        for (int y = 0; y < code.size; ++y)
            for (int x = 0; x < code.size; ++x)
                if (code.at(x, y))
                    canvas.drawRect(QRectF(origin.x() + x * module, origin.y() + y * module, module * 1.02, module * 1.02), QPen(Qt::NoPen),
                                    QBrush(Qt::black));
        return;
    }
    QString path = it.name.compare(QLatin1String("Picture1"), Qt::CaseInsensitive) == 0 && !picturePath_.isEmpty()
                       ? picturePath_ : it.text.evaluate(c);
    if (path.isEmpty()) return;
    if (QFileInfo(path).isRelative() && !layout_.path.isEmpty()) path = QFileInfo(layout_.path).dir().filePath(path);
    auto found = images_.find(path);
    if (found == images_.end()) found = images_.insert(path, QImage(path));
    const QImage& image = found.value();
    if (image.isNull()) return;
    QSizeF size = QSizeF(image.size()).scaled(rect.size(), Qt::KeepAspectRatio);
    const QRectF target(rect.left() + (rect.width() - size.width()) / 2, rect.top() + (rect.height() - size.height()) / 2,
                        size.width(), size.height());
    canvas.drawImage(target, image, path);
}

}  // namespace tanabana::reports
