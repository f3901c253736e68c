#include "domain/reports/Layout.h"

#include "domain/reports/RegisterLayout.h"
#include "domain/reports/ReportError.h"
#include "domain/reports/ResultSet.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>

namespace tanabana::reports {

namespace {

// Parsing context: the layout's name for messages and the inherited font.
struct Reader {
    QString layoutName;
    double bodyWidth = 190;

    [[noreturn]] void fail(const QString& what) const {
        throw ReportError(QStringLiteral("Layout %1: %2").arg(layoutName, what));
    }

    FontSpec font(const QJsonObject& o, const FontSpec& inherited) const {
        FontSpec f = inherited;
        const QJsonObject fo = o.value(QLatin1String("font")).toObject();
        if (fo.contains(QLatin1String("family"))) f.family = fo.value(QLatin1String("family")).toString();
        if (fo.contains(QLatin1String("size"))) f.size = fo.value(QLatin1String("size")).toDouble(f.size);
        if (fo.contains(QLatin1String("bold"))) f.bold = fo.value(QLatin1String("bold")).toBool();
        if (fo.contains(QLatin1String("italic"))) f.italic = fo.value(QLatin1String("italic")).toBool();
        if (fo.contains(QLatin1String("underline"))) f.underline = fo.value(QLatin1String("underline")).toBool();
        // Shorthands on the item itself.
        if (o.contains(QLatin1String("bold"))) f.bold = o.value(QLatin1String("bold")).toBool();
        if (o.contains(QLatin1String("italic"))) f.italic = o.value(QLatin1String("italic")).toBool();
        if (o.contains(QLatin1String("size"))) f.size = o.value(QLatin1String("size")).toDouble(f.size);
        if (f.size <= 0 || f.size > 200) fail(QStringLiteral("font size %1 is out of range").arg(f.size));
        return f;
    }

    TextTemplate text(const QString& t, const QString& where) const {
        try {
            return TextTemplate::parse(t);
        } catch (const ReportError& e) {
            fail(QStringLiteral("%1: %2").arg(where, e.text()));
        }
    }

    Qt::Alignment alignment(const QJsonObject& o) const {
        Qt::Alignment h = Qt::AlignLeft, v = Qt::AlignVCenter;
        const QString a = o.value(QLatin1String("align")).toString().toLower();
        if (a == QLatin1String("right")) h = Qt::AlignRight;
        else if (a == QLatin1String("center") || a == QLatin1String("centre")) h = Qt::AlignHCenter;
        else if (a == QLatin1String("justify")) h = Qt::AlignJustify;
        else if (!a.isEmpty() && a != QLatin1String("left")) fail(QStringLiteral("unknown align \"%1\"").arg(a));
        const QString va = o.value(QLatin1String("valign")).toString().toLower();
        if (va == QLatin1String("top")) v = Qt::AlignTop;
        else if (va == QLatin1String("bottom")) v = Qt::AlignBottom;
        return h | v;
    }

    QColor color(const QJsonObject& o, const char* key, const QColor& fallback) const {
        const QString c = o.value(QLatin1String(key)).toString();
        if (c.isEmpty()) return fallback;
        const QColor parsed = QColor::fromString(c);
        if (!parsed.isValid()) fail(QStringLiteral("\"%1\" is not a colour").arg(c));
        return parsed;
    }

    Item item(const QJsonObject& o, const Band& band, const FontSpec& bandFont, const QString& where) const {
        Item it;
        const QString type = o.value(QLatin1String("type")).toString(QStringLiteral("text")).toLower();
        if (type == QLatin1String("text") || type == QLatin1String("field")) it.kind = Item::Kind::Text;
        else if (type == QLatin1String("line")) it.kind = Item::Kind::Line;
        else if (type == QLatin1String("box")) it.kind = Item::Kind::Box;
        else if (type == QLatin1String("image")) it.kind = Item::Kind::Image;
        else fail(QStringLiteral("%1: unknown item type \"%2\"").arg(where, type));
        it.x = o.value(QLatin1String("x")).toDouble();
        it.y = o.value(QLatin1String("y")).toDouble();
        const bool isLine = it.kind == Item::Kind::Line;
        it.w = o.contains(QLatin1String("w")) ? o.value(QLatin1String("w")).toDouble() : (isLine ? 0 : bodyWidth - it.x);
        it.h = o.contains(QLatin1String("h")) ? o.value(QLatin1String("h")).toDouble() : (isLine ? 0 : band.height - it.y);
        if (!isLine && (it.w < 0 || it.h < 0)) fail(QStringLiteral("%1: negative size").arg(where));
        it.font = font(o, bandFont);
        it.align = alignment(o);
        it.wrap = o.value(QLatin1String("wrap")).toBool();
        it.blankWhenZero = o.value(QLatin1String("blankWhenZero")).toBool();
        it.border = o.value(QLatin1String("border")).toBool();
        it.lineWidth = o.value(QLatin1String("lineWidth")).toDouble(0.25);
        it.color = color(o, "color", Qt::black);
        it.fill = color(o, "fill", QColor());
        it.stretch = o.value(QLatin1String("stretch")).toBool();
        it.name = o.value(QLatin1String("name")).toString();
        condition(o, where, it.showIf, it.negateShowIf);
        if (it.kind == Item::Kind::Text) {
            QString t = o.value(QLatin1String("text")).toString();
            if (o.contains(QLatin1String("field"))) {
                t = QStringLiteral("{%1").arg(o.value(QLatin1String("field")).toString());
                if (o.contains(QLatin1String("format"))) t += QLatin1Char('|') + o.value(QLatin1String("format")).toString();
                t += QLatin1Char('}');
            }
            it.text = text(t, where);
        } else if (it.kind == Item::Kind::Image) {
            if (o.contains(QLatin1String("qr"))) {
                it.qr = true;
                it.text = text(o.value(QLatin1String("qr")).toString(), where);
            } else {
                it.text = text(o.value(QLatin1String("file")).toString(), where);
            }
        }
        return it;
    }

    // "showIf": "TCSRs" prints a band or item only when the column holds something; "!Col" reverses.
    void condition(const QJsonObject& o, const QString& where, TextTemplate& showIf, bool& negate) const {
        QString cond = o.value(QLatin1String("showIf")).toString().trimmed();
        if (cond.startsWith(QLatin1Char('!'))) {
            negate = true;
            cond = cond.mid(1).trimmed();
        }
        if (!cond.isEmpty()) showIf = text(cond.contains(QLatin1Char('{')) ? cond : QStringLiteral("{%1}").arg(cond), where);
    }

    Band band(const QJsonValue& value, const FontSpec& layoutFont, const QString& where) const {
        Band b;
        if (value.isUndefined() || value.isNull()) return b;
        if (!value.isObject()) fail(QStringLiteral("%1 must be an object").arg(where));
        const QJsonObject o = value.toObject();
        b.height = o.value(QLatin1String("height")).toDouble();
        if (b.height < 0) fail(QStringLiteral("%1 has a negative height").arg(where));
        const FontSpec bandFont = font(o, layoutFont);
        condition(o, where, b.showIf, b.negateShowIf);
        b.newPageAfter = o.value(QLatin1String("newPageAfter")).toBool();
        b.printOnFirstPage = o.value(QLatin1String("printOnFirstPage")).toBool(true);
        const QJsonArray items = o.value(QLatin1String("items")).toArray();
        for (int i = 0; i < items.size(); ++i)
            b.items.push_back(item(items.at(i).toObject(), b, bandFont, QStringLiteral("%1, item %2").arg(where).arg(i + 1)));
        return b;
    }
};

void readPage(const QJsonObject& page, Layout& layout, const Reader& r) {
    const QString size = page.value(QLatin1String("size")).toString(QStringLiteral("A4"));
    if (page.contains(QLatin1String("width")) || page.contains(QLatin1String("height"))) {
        const double w = page.value(QLatin1String("width")).toDouble(), h = page.value(QLatin1String("height")).toDouble();
        if (w < 20 || h < 20 || w > 2000 || h > 2000) r.fail(QStringLiteral("page size %1 x %2 mm is out of range").arg(w).arg(h));
        layout.pageSize = QPageSize(QSizeF(w, h), QPageSize::Millimeter, QStringLiteral("Custom"), QPageSize::ExactMatch);
    } else {
        static const std::pair<const char*, QPageSize::PageSizeId> known[] = {
            {"A4", QPageSize::A4}, {"A5", QPageSize::A5}, {"A3", QPageSize::A3}, {"Letter", QPageSize::Letter},
            {"Legal", QPageSize::Legal}, {"B5", QPageSize::B5}};
        bool found = false;
        for (const auto& [name, id] : known)
            if (size.compare(QLatin1String(name), Qt::CaseInsensitive) == 0) {
                layout.pageSize = QPageSize(id);
                found = true;
            }
        if (!found) r.fail(QStringLiteral("unknown page size \"%1\"").arg(size));
    }
    const QString orientation = page.value(QLatin1String("orientation")).toString(QStringLiteral("portrait")).toLower();
    if (orientation == QLatin1String("landscape")) layout.orientation = QPageLayout::Landscape;
    else if (orientation != QLatin1String("portrait")) r.fail(QStringLiteral("unknown orientation \"%1\"").arg(orientation));
    const QJsonValue m = page.value(QLatin1String("margins"));
    if (m.isDouble()) {
        layout.marginLeft = layout.marginTop = layout.marginRight = layout.marginBottom = m.toDouble();
    } else if (m.isArray()) {
        const QJsonArray a = m.toArray();
        if (a.size() != 4) r.fail(QStringLiteral("margins take four numbers: left, top, right, bottom"));
        layout.marginLeft = a.at(0).toDouble();
        layout.marginTop = a.at(1).toDouble();
        layout.marginRight = a.at(2).toDouble();
        layout.marginBottom = a.at(3).toDouble();
    } else if (m.isObject()) {
        const QJsonObject o = m.toObject();
        layout.marginLeft = o.value(QLatin1String("left")).toDouble(layout.marginLeft);
        layout.marginTop = o.value(QLatin1String("top")).toDouble(layout.marginTop);
        layout.marginRight = o.value(QLatin1String("right")).toDouble(layout.marginRight);
        layout.marginBottom = o.value(QLatin1String("bottom")).toDouble(layout.marginBottom);
    }
    const QSizeF s = layout.pageSizeMm();
    if (layout.marginLeft < 0 || layout.marginTop < 0 || layout.marginRight < 0 || layout.marginBottom < 0 ||
        layout.marginLeft + layout.marginRight > s.width() - 20 || layout.marginTop + layout.marginBottom > s.height() - 20)
        r.fail(QStringLiteral("the margins leave no room on the page"));
}

void readParameters(const QJsonArray& params, Layout& layout, const Reader& r) {
    for (int i = 0; i < params.size(); ++i) {
        const QJsonObject o = params.at(i).toObject();
        Parameter p;
        p.name = o.value(QLatin1String("name")).toString().trimmed();
        if (p.name.isEmpty()) r.fail(QStringLiteral("parameter %1 has no name").arg(i + 1));
        const auto type = parameterTypeFromName(o.value(QLatin1String("type")).toString());
        if (!type) r.fail(QStringLiteral("parameter %1 has an unknown type \"%2\"").arg(p.name, o.value(QLatin1String("type")).toString()));
        p.type = *type;
        const QString def = o.value(QLatin1String("default")).toVariant().toString();
        if (p.type == ParameterType::String) {
            p.defaultValue = def;
        } else if (!def.isEmpty()) {
            const auto v = convertParameter(p.type, def);
            if (!v) r.fail(QStringLiteral("the default of parameter %1 is not a %2").arg(p.name, parameterTypeName(p.type)));
            p.defaultValue = *v;
        }
        layout.parameters.push_back(p);
    }
}

int lineOfOffset(const QByteArray& bytes, int offset) {
    return int(bytes.left(offset).count('\n')) + 1;
}

}  // namespace

bool Band::grows() const {
    for (const Item& it : items)
        if (it.wrap && it.kind == Item::Kind::Text) return true;
    return false;
}

QSizeF Layout::pageSizeMm() const {
    const QSizeF s = pageSize.size(QPageSize::Millimeter);
    return orientation == QPageLayout::Landscape ? s.transposed() : s;
}

QStringList Layout::parameterNames() const {
    QStringList names;
    for (const Parameter& p : parameters) names << p.name;
    return names;
}

Layout Layout::load(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw ReportError(QStringLiteral("Report layout %1 cannot be opened: %2").arg(path, file.errorString()));
    const QByteArray bytes = file.readAll();
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError)
        throw ReportError(QStringLiteral("Layout %1 is not valid JSON: %2 (line %3)")
                              .arg(name, error.errorString()).arg(lineOfOffset(bytes, error.offset)));
    if (!doc.isObject()) throw ReportError(QStringLiteral("Layout %1 must hold one JSON object").arg(name));
    Layout layout = fromJson(doc.object(), name);
    layout.path = path;
    return layout;
}

Layout Layout::fromJson(const QJsonObject& root, const QString& name) {
    Reader r{name};
    Layout layout;
    layout.name = name;
    readPage(root.value(QLatin1String("page")).toObject(), layout, r);
    r.bodyWidth = layout.bodyWidth();
    layout.font = r.font(root, FontSpec());
    readParameters(root.value(QLatin1String("parameters")).toArray(), layout, r);
    const QString kind = root.value(QLatin1String("kind")).toString(QStringLiteral("bands")).toLower();
    if (kind == QLatin1String("register")) {
        buildRegisterBands(root, layout);
        return layout;
    }
    if (kind != QLatin1String("bands")) r.fail(QStringLiteral("unknown kind \"%1\"").arg(kind));
    layout.reportHeader = r.band(root.value(QLatin1String("reportHeader")), layout.font, QStringLiteral("report header"));
    layout.pageHeader = r.band(root.value(QLatin1String("pageHeader")), layout.font, QStringLiteral("page header"));
    layout.detail = r.band(root.value(QLatin1String("detail")), layout.font, QStringLiteral("detail"));
    layout.pageFooter = r.band(root.value(QLatin1String("pageFooter")), layout.font, QStringLiteral("page footer"));
    layout.reportFooter = r.band(root.value(QLatin1String("reportFooter")), layout.font, QStringLiteral("report footer"));
    const QJsonArray groups = root.value(QLatin1String("groups")).toArray();
    for (int i = 0; i < groups.size(); ++i) {
        const QJsonObject g = groups.at(i).toObject();
        Group group;
        group.column = g.value(QLatin1String("column")).toString().trimmed();
        if (group.column.isEmpty()) r.fail(QStringLiteral("group %1 has no column").arg(i + 1));
        group.header = r.band(g.value(QLatin1String("header")), layout.font, QStringLiteral("group header (%1)").arg(group.column));
        group.footer = r.band(g.value(QLatin1String("footer")), layout.font, QStringLiteral("group footer (%1)").arg(group.column));
        group.repeatHeader = g.value(QLatin1String("repeatHeader")).toBool();
        group.newPageAfter = g.value(QLatin1String("newPageAfter")).toBool();
        group.resetPageNumber = g.value(QLatin1String("resetPageNumber")).toBool();
        layout.groups.push_back(std::move(group));
    }
    const double usable = layout.pageSizeMm().height() - layout.marginTop - layout.marginBottom;
    layout.forEachBand([&](Band& b, const QString& where) {
        if (b.height > usable) r.fail(QStringLiteral("the %1 is taller than the page").arg(where));
    });
    return layout;
}

void Layout::bind(const ResultSet& data, bool strictColumns) {
    const QStringList names = parameterNames();
    forEachBand([&](Band& band, const QString& where) {
        const QString place = QStringLiteral("Layout %1, %2").arg(name, where);
        band.showIf.bind(data, names, place, strictColumns);
        for (Item& it : band.items) {
            it.text.bind(data, names, place, strictColumns);
            it.showIf.bind(data, names, place, strictColumns);
        }
    });
    for (Group& g : groups) {
        g.columnIndex = data.indexOf(g.column);
        if (g.columnIndex < 0 && strictColumns)
            throw ReportError(QStringLiteral("Layout %1: the group column %2 is not a column of the report's data").arg(name, g.column));
    }
}

}  // namespace tanabana::reports
