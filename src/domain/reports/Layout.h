#pragma once
// A report layout: the page, the bands (report header and footer, page header and footer, group
// headers and footers, detail) and the items on them, read from one JSON file in the reports
// folder. docs/report-layouts.md describes the format; a register layout ("kind": "register")
// lists its columns and totals and the bands are built from that list.
//
// Positions and sizes are millimetres from the band's top-left corner inside the page margins.
#include "domain/reports/Format.h"
#include "domain/reports/Template.h"

#include <QColor>
#include <QFont>
#include <QJsonObject>
#include <QPageLayout>
#include <QPageSize>
#include <QSizeF>
#include <QString>
#include <vector>

namespace tanabana::reports {

struct FontSpec {
    QString family = QStringLiteral("DejaVu Sans");
    double size = 9;  // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
};

struct Item {
    enum class Kind { Text, Line, Box, Image };
    Kind kind = Kind::Text;
    double x = 0, y = 0, w = 0, h = 0;  // lines run from (x, y) to (x + w, y + h)
    TextTemplate text;                  // text items; image items: the file path or QR content
    FontSpec font;
    Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter;
    bool wrap = false;           // long text wraps and the band grows to hold it
    bool blankWhenZero = false;
    bool border = false;         // a box around a text cell
    double lineWidth = 0.25;     // mm
    QColor color = Qt::black;
    QColor fill;                 // invalid = no fill
    bool qr = false;             // image: a QR code of the text
    QString name;                // image: "Picture1" takes the picture handed to the report
    bool stretch = false;        // line or box that grows with its band (column rules)
    TextTemplate showIf;         // printed only when this is not empty / zero / "False" (a TCS row)
    bool negateShowIf = false;
    QFont resolved;              // the font at print resolution, made once per report
};

struct Band {
    double height = 0;  // mm; 0 for an absent band
    std::vector<Item> items;
    TextTemplate showIf;  // printed only when this is not empty / zero / "False"
    bool negateShowIf = false;
    bool newPageAfter = false;
    bool printOnFirstPage = true;  // page header
    bool present() const { return height > 0 || !items.empty(); }
    bool grows() const;
};

struct Group {
    QString column;
    int columnIndex = -1;
    Band header, footer;
    bool repeatHeader = false;     // the header prints again at the top of a continued page
    bool newPageAfter = false;     // every group on its own pages (one bill per page)
    bool resetPageNumber = false;  // page numbers count from 1 within the group
};

struct Parameter {
    QString name;
    ParameterType type = ParameterType::String;
    QVariant defaultValue;
    bool isLink() const { return name.startsWith(QLatin1String("Pm")); }
};

struct Layout {
    QString name;
    QString path;
    QPageSize pageSize = QPageSize(QPageSize::A4);
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    double marginLeft = 10, marginTop = 10, marginRight = 10, marginBottom = 10;
    FontSpec font;
    std::vector<Parameter> parameters;
    Band reportHeader, pageHeader, detail, pageFooter, reportFooter;
    std::vector<Group> groups;

    // Page size in millimetres with the orientation applied.
    QSizeF pageSizeMm() const;
    double bodyWidth() const { return pageSizeMm().width() - marginLeft - marginRight; }
    QStringList parameterNames() const;

    // Reads a layout file; throws ReportError with the file's name and what is wrong.
    static Layout load(const QString& path);
    static Layout fromJson(const QJsonObject& root, const QString& name);
    // Binds every field to the data's columns; throws ReportError for an unknown column when strict.
    void bind(const ResultSet& data, bool strictColumns);
    template <typename F> void forEachBand(F&& visit);
};

template <typename F>
void Layout::forEachBand(F&& visit) {
    visit(reportHeader, QStringLiteral("report header"));
    visit(pageHeader, QStringLiteral("page header"));
    for (Group& g : groups) {
        visit(g.header, QStringLiteral("group header (%1)").arg(g.column));
        visit(g.footer, QStringLiteral("group footer (%1)").arg(g.column));
    }
    visit(detail, QStringLiteral("detail"));
    visit(pageFooter, QStringLiteral("page footer"));
    visit(reportFooter, QStringLiteral("report footer"));
}

}  // namespace tanabana::reports
