#pragma once
// One report made ready to print: a layout bound to one result set and its parameter values,
// cut into pages. The same pages are painted to the preview, the printer and PDF files, so what
// the operator previews is what prints.
//
//   ReportDocument doc(layout, rows, parameterValues);
//   doc.pageCount();                 // 3
//   doc.paintPage(painter, 0);       // painter set up by the output (PDF, printer, image)
#include "domain/reports/Layout.h"
#include "domain/reports/Qr.h"
#include "domain/reports/ResultSet.h"

#include <QDateTime>
#include <QHash>
#include <QImage>
#include <QPageLayout>
#include <QFont>
#include <functional>
#include <memory>
#include <optional>
#include <unordered_map>

class QPainter;

namespace tanabana::reports {
class PageCanvas;
}

namespace tanabana::reports {

// Painting works in dots of 1/1200 inch; outputs scale their painter to this.
constexpr double kDotsPerInch = 1200.0;
inline double mmToDots(double mm) { return mm / 25.4 * kDotsPerInch; }
inline double dotsToMm(double dots) { return dots * 25.4 / kDotsPerInch; }

struct Placement {
    const Band* band = nullptr;
    double y = 0;        // mm below the top margin
    double height = 0;   // mm, after growing
    int row = -1;
    int scopeFrom = 0, scopeTo = -1;
    int groupFrom = 0;
    bool pageHeader = false, pageFooter = false;
};

struct Page {
    std::vector<Placement> bands;
    int firstRow = -1, lastRow = -1;  // detail rows printed on this page
    int number = 1, count = 1;        // as printed ("Page number of count")
    bool restartsNumbering = false;
};

class ReportDocument {
public:
    // Binds the layout to the data (throws ReportError for a field without its column when
    // `strictColumns`), converts nothing: `parameters` are already typed values, one per layout
    // parameter in order.
    ReportDocument(Layout layout, ResultSet data, std::vector<QVariant> parameters, bool strictColumns = true,
                   QDateTime printedAt = QDateTime::currentDateTime());
    ~ReportDocument();

    const Layout& layout() const { return layout_; }
    const ResultSet& data() const { return data_; }
    int pageCount() const { return int(pages_.size()); }
    const Page& page(int index) const { return pages_.at(size_t(index)); }
    QPageLayout pageLayout() const;
    // The picture drawn in image items named "Picture1" (the e-invoice QR image of a bill).
    void setPicture(const QString& path);

    // Paints one page; the painter's coordinates are dots (1/1200 inch) from the paper's corner.
    void paintPage(QPainter& painter, int index);
    void paintPage(PageCanvas& canvas, int index);
    // A page as a picture at `dpi` (preview, thumbnails, tests).
    QImage renderPage(int index, double dpi);
    // Every text the page prints, in painting order (checks without a PDF reader).
    QStringList pageTexts(int index);
    // The bands in printing order as one continuous list: the page header once, no page footers
    // (the spreadsheet form of the report). `visit` gets each band with its field values' context.
    void forEachBandInOrder(const std::function<void(const Placement&, const EvalContext&)>& visit) const;

private:
    void paginate();
    EvalContext context(const Placement& placement, const Page& page) const;
    void paintPlacement(PageCanvas* canvas, const Placement& placement, const Page& page, QStringList* texts);
    void paintImage(PageCanvas& canvas, const Item& item, const QRectF& rect, const EvalContext& context);
    double measure(const Band& band, const EvalContext& context);
    // Height in mm of a wrapping text in its item's width.
    double wrappedHeight(const Item& item, const QString& text);
    struct TextMeasure;
    TextMeasure& measureOf(const Item& item);
    bool shown(const Band& band, const EvalContext& context) const;
    // True when a showIf condition lets its band or item print.
    bool holds(const TextTemplate& showIf, bool negate, const EvalContext& context) const;

    Layout layout_;
    ResultSet data_;
    std::vector<QVariant> parameters_;
    QDateTime printedAt_;
    std::unique_ptr<Totals> totals_;
    std::vector<Page> pages_;
    QString picturePath_;
    QHash<QString, QImage> images_;
    QHash<QString, QrCode> qrCodes_;
    std::unordered_map<const Item*, std::unique_ptr<TextMeasure>> measures_;
    // The font last given to the canvas of the page being painted (none: set the next one).
    std::optional<QFont> painterFont_;

    friend class Paginator;
};

}  // namespace tanabana::reports
