#include "domain/reports/RegisterLayout.h"

#include "domain/reports/Layout.h"
#include "domain/reports/ReportError.h"

#include <QJsonArray>

namespace tanabana::reports {

namespace {

struct Column {
    QString text;      // template of the cell
    QString caption;
    double width = 0;  // mm; 0 shares the free width
    Qt::Alignment align = Qt::AlignLeft;
    bool total = false;
    bool wrap = false;
    bool blankWhenZero = false;
    QString format;
    QString field;
    double x = 0;
};

constexpr double kPad = 1.0;  // mm between a cell's text and the column edge

struct Builder {
    Layout& layout;
    std::vector<Column> columns;
    double rowHeight = 5;

    [[noreturn]] void fail(const QString& what) const {
        throw ReportError(QStringLiteral("Layout %1: %2").arg(layout.name, what));
    }

    TextTemplate parse(const QString& text) const {
        try {
            return TextTemplate::parse(text);
        } catch (const ReportError& e) {
            fail(e.text());
        }
    }

    Item text(const QString& t, double x, double y, double w, double h, Qt::Alignment align, bool bold = false,
              double sizeDelta = 0) const {
        Item it;
        it.kind = Item::Kind::Text;
        it.text = parse(t);
        it.x = x;
        it.y = y;
        it.w = w;
        it.h = h;
        it.align = align | Qt::AlignVCenter;
        it.font = layout.font;
        it.font.bold = bold;
        it.font.size += sizeDelta;
        return it;
    }

    Item rule(double y, double width = 0.3) const {
        Item it;
        it.kind = Item::Kind::Line;
        it.x = 0;
        it.y = y;
        it.w = layout.bodyWidth();
        it.h = 0;
        it.lineWidth = width;
        return it;
    }

    void readColumns(const QJsonArray& list) {
        if (list.isEmpty()) fail(QStringLiteral("a register needs a \"columns\" list"));
        for (int i = 0; i < list.size(); ++i) {
            const QJsonObject o = list.at(i).toObject();
            Column c;
            c.field = o.value(QLatin1String("field")).toString();
            c.format = o.value(QLatin1String("format")).toString();
            if (!c.field.isEmpty()) c.text = QStringLiteral("{%1%2}").arg(c.field, c.format.isEmpty() ? QString() : QLatin1Char('|') + c.format);
            else c.text = o.value(QLatin1String("text")).toString();
            if (c.text.isEmpty()) fail(QStringLiteral("column %1 has neither \"field\" nor \"text\"").arg(i + 1));
            c.caption = o.value(QLatin1String("caption")).toString(c.field);
            c.width = o.value(QLatin1String("width")).toDouble();
            c.total = o.value(QLatin1String("total")).toBool();
            if (c.total && c.field.isEmpty()) fail(QStringLiteral("column %1 totals but has no \"field\"").arg(i + 1));
            const bool numeric = ValueFormat::parse(c.format).isNumeric();
            const QString align = o.value(QLatin1String("align")).toString(numeric ? QStringLiteral("right") : QStringLiteral("left"));
            c.align = align == QLatin1String("right") ? Qt::AlignRight : align == QLatin1String("center") ? Qt::AlignHCenter : Qt::AlignLeft;
            c.wrap = o.value(QLatin1String("wrap")).toBool(!numeric);
            c.blankWhenZero = o.value(QLatin1String("blankWhenZero")).toBool();
            columns.push_back(c);
        }
        placeColumns();
    }

    // Fixed widths first; columns without a width share what is left; too wide shrinks all.
    void placeColumns() {
        const double body = layout.bodyWidth();
        double fixed = 0;
        int flexible = 0;
        for (const Column& c : columns) (c.width > 0 ? fixed += c.width : ++flexible);
        const double share = flexible ? qMax(8.0, (body - fixed) / flexible) : 0;
        double total = 0;
        for (Column& c : columns) {
            if (c.width <= 0) c.width = share;
            total += c.width;
        }
        const double scale = total > body ? body / total : 1.0;
        double x = 0;
        for (Column& c : columns) {
            c.width *= scale;
            c.x = x;
            x += c.width;
        }
    }

    // Cells hang from the top of the row so that a wrapped neighbour's first line stays level.
    Item cell(const Column& c, const QString& t, bool bold = false) const {
        const double top = qMax(0.0, (rowHeight - layout.font.size * 0.3528 * 1.2) / 2);
        Item it = text(t, c.x + kPad, top, c.width - 2 * kPad, rowHeight - top, c.align, bold);
        it.align = (it.align & Qt::AlignHorizontal_Mask) | Qt::AlignTop;
        return it;
    }

    // Totals under the total columns, the caption over the columns before the first total.
    Band totalsBand(const QString& caption, bool bold, bool doubleRule) const {
        Band b;
        b.height = rowHeight + 1.2;
        int firstTotal = -1;
        for (size_t i = 0; i < columns.size(); ++i)
            if (columns[i].total && firstTotal < 0) firstTotal = int(i);
        const double captionWidth = firstTotal > 0 ? columns[size_t(firstTotal)].x : layout.bodyWidth();
        if (!caption.isEmpty()) b.items.push_back(text(caption, kPad, 0.6, captionWidth - 2 * kPad, rowHeight, Qt::AlignLeft, true));
        for (const Column& c : columns) {
            if (!c.total) continue;
            Item line;
            line.kind = Item::Kind::Line;
            line.x = c.x + kPad;
            line.y = 0.3;
            line.w = c.width - 2 * kPad;
            line.lineWidth = 0.2;
            b.items.push_back(line);
            Item sum = text(QStringLiteral("{sum(%1)%2}").arg(c.field, c.format.isEmpty() ? QString() : QLatin1Char('|') + c.format),
                            c.x + kPad, 0.6, c.width - 2 * kPad, rowHeight, c.align, bold);
            b.items.push_back(sum);
        }
        if (doubleRule) {
            b.items.push_back(rule(b.height - 0.4, 0.3));
            b.items.push_back(rule(b.height - 0.0, 0.3));
        }
        return b;
    }

    int columnOf(const QString& field, int band) const {
        for (size_t i = 0; i < columns.size(); ++i)
            if (columns[i].field.compare(field, Qt::CaseInsensitive) == 0) return int(i);
        fail(QStringLiteral("caption band %1 names the column \"%2\", which the register does not have").arg(band + 1).arg(field));
    }

    // "Opening Balance" centred over its debit and credit columns, with a rule under it; returns
    // where the columns' own captions start (0 without such bands).
    double spanCaptions(const QJsonArray& bands, Band& header) const {
        if (bands.isEmpty()) return 0;
        for (int i = 0; i < bands.size(); ++i) {
            const QJsonObject o = bands.at(i).toObject();
            const int from = columnOf(o.value(QLatin1String("from")).toString(), i);
            const int to = columnOf(o.value(QLatin1String("to")).toString(), i);
            if (to < from) fail(QStringLiteral("caption band %1 ends before it starts").arg(i + 1));
            const double x = columns[size_t(from)].x, w = columns[size_t(to)].x + columns[size_t(to)].width - x;
            header.items.push_back(text(o.value(QLatin1String("caption")).toString(), x + kPad, 0.8, w - 2 * kPad, rowHeight,
                                        Qt::AlignHCenter, true));
            Item under = rule(rowHeight + 0.9, 0.2);
            under.x = x + kPad;
            under.w = w - 2 * kPad;
            header.items.push_back(under);
        }
        return rowHeight + 0.6;
    }

    void build(const QJsonObject& root) {
        rowHeight = qRound(layout.font.size * 0.3528 * 1.55 * 10) / 10.0;
        readColumns(root.value(QLatin1String("columns")).toArray());
        const double body = layout.bodyWidth();

        // First page: firm lines, title and filters.
        Band& rh = layout.reportHeader;
        double y = 0;
        const QJsonArray heading = root.value(QLatin1String("heading")).toArray();
        for (int i = 0; i < heading.size(); ++i) {
            const double delta = i == 0 ? 4 : 0;
            const double h = rowHeight + (i == 0 ? 2 : 0);
            rh.items.push_back(text(heading.at(i).toString(), 0, y, body, h, Qt::AlignHCenter, i == 0, delta));
            y += h;
        }
        QString title = root.value(QLatin1String("title")).toString();
        if (title.isEmpty() && !layout.parameters.empty()) title = QStringLiteral("{@1}");
        if (!title.isEmpty()) {
            rh.items.push_back(text(title, 0, y, body, rowHeight + 1.5, Qt::AlignHCenter, true, 2));
            y += rowHeight + 1.5;
        }
        const QString filters = root.value(QLatin1String("filters")).toString();
        if (!filters.isEmpty()) {
            Item f = text(filters, 0, y, body, rowHeight, Qt::AlignHCenter);
            f.wrap = true;
            rh.items.push_back(f);
            y += rowHeight;
        }
        rh.height = y > 0 ? y + 1.5 : 0;

        // Column captions on every page, under the captions of the bands that span several.
        Band& ph = layout.pageHeader;
        ph.items.push_back(rule(0.2, 0.4));
        const double captionTop = spanCaptions(root.value(QLatin1String("captionBands")).toArray(), ph);
        ph.height = captionTop + rowHeight + 1.6;
        for (const Column& c : columns) {
            Item cap = text(c.caption, c.x + kPad, captionTop + 0.8, c.width - 2 * kPad, rowHeight, c.align, true);
            cap.wrap = true;
            ph.items.push_back(cap);
        }
        ph.items.push_back(rule(ph.height - 0.2, 0.4));

        // One line per row.
        Band& d = layout.detail;
        d.height = rowHeight;
        for (const Column& c : columns) {
            Item it = cell(c, c.text);
            it.wrap = c.wrap;
            it.blankWhenZero = c.blankWhenZero;
            d.items.push_back(it);
        }

        // Groups: heading and sub-totals.
        const QJsonArray groups = root.value(QLatin1String("groups")).toArray();
        for (int i = 0; i < groups.size(); ++i) {
            const QJsonObject g = groups.at(i).toObject();
            Group group;
            group.column = g.value(QLatin1String("column")).toString();
            if (group.column.isEmpty()) fail(QStringLiteral("group %1 has no column").arg(i + 1));
            const QString heading = g.value(QLatin1String("title")).toString(QStringLiteral("{%1}").arg(group.column));
            if (!heading.isEmpty()) {
                group.header.height = rowHeight + 1;
                Item h = text(heading, kPad, 0.5, body - 2 * kPad, rowHeight, Qt::AlignLeft, true);
                h.font.underline = true;
                group.header.items.push_back(h);
            }
            const QString subtotal = g.value(QLatin1String("subtotal")).toString(QStringLiteral("Sub Tot"));
            if (!g.value(QLatin1String("subtotal")).isNull()) group.footer = totalsBand(subtotal, true, false);
            group.repeatHeader = g.value(QLatin1String("repeatHeader")).toBool(true);
            group.newPageAfter = g.value(QLatin1String("newPageAfter")).toBool();
            layout.groups.push_back(std::move(group));
        }

        // Grand total.
        const QJsonValue total = root.value(QLatin1String("total"));
        if (!total.isNull()) {
            layout.reportFooter = totalsBand(total.toString(QStringLiteral("Total")), true, true);
            layout.reportFooter.height += 1;
        }

        // Print date and page numbers.
        Band& pf = layout.pageFooter;
        pf.height = rowHeight + 1;
        pf.items.push_back(rule(0.3, 0.2));
        Item date = text(QStringLiteral("Printed on {#date}"), 0, 1, body / 2, rowHeight, Qt::AlignLeft);
        date.font.size -= 1;
        pf.items.push_back(date);
        Item page = text(QStringLiteral("Page {#page} of {#pages}"), body / 2, 1, body / 2, rowHeight, Qt::AlignRight);
        page.font.size -= 1;
        pf.items.push_back(page);
    }
};

}  // namespace

void buildRegisterBands(const QJsonObject& root, Layout& layout) {
    Builder builder{layout, {}, 5};
    builder.build(root);
}

}  // namespace tanabana::reports
