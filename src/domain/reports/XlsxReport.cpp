#include "domain/reports/XlsxReport.h"

#include "domain/reports/ReportDocument.h"
#include "domain/reports/Xlsx.h"

#include <QFileInfo>
#include <algorithm>

namespace tanabana::reports {

namespace {

// Column starts (mm) taken from the detail band's fields; a report without a detail band
// uses every text item's start.
std::vector<double> columnStarts(const Layout& layout) {
    std::vector<double> starts;
    auto collect = [&](const Band& band) {
        for (const Item& it : band.items)
            if (it.kind == Item::Kind::Text) starts.push_back(it.x);
    };
    collect(layout.detail);
    if (starts.empty()) {
        for (const Group& g : layout.groups) collect(g.header);
        collect(layout.pageHeader);
    }
    std::sort(starts.begin(), starts.end());
    std::vector<double> unique;
    for (double x : starts)
        if (unique.empty() || x - unique.back() > 1.0) unique.push_back(x);
    if (unique.empty()) unique.push_back(0);
    return unique;
}

int columnOf(const std::vector<double>& starts, double x) {
    int column = 0;
    for (size_t i = 0; i < starts.size(); ++i)
        if (starts[i] <= x + 1.0) column = int(i);
    return column;
}

}  // namespace

void writeReportXlsx(const ReportDocument& document, const QString& path) {
    const Layout& layout = document.layout();
    const std::vector<double> starts = columnStarts(layout);
    XlsxBook book;
    book.addSheet(QStringLiteral("Sheet1"));
    for (const Item& it : layout.detail.items)
        if (it.kind == Item::Kind::Text) book.setColumnWidth(columnOf(starts, it.x), qMax(6.0, it.w / 1.9));
    int row = 0;
    document.forEachBandInOrder([&](const Placement& p, const EvalContext& context) {
        std::vector<const Item*> items;
        for (const Item& it : p.band->items)
            if (it.kind == Item::Kind::Text) items.push_back(&it);
        std::stable_sort(items.begin(), items.end(), [](const Item* a, const Item* b) { return a->y < b->y - 1.0; });
        double lineY = -1e9;
        std::map<int, QString> joined;
        bool any = false;
        for (const Item* it : items) {
            if (it->y > lineY + 1.0) {
                if (any) ++row;
                lineY = it->y;
                any = false;
                joined.clear();
            }
            const int column = columnOf(starts, it->x);
            const Placeholder* field = it->text.singleField();
            const QString printed = it->text.evaluate(context, it->blankWhenZero);
            if (printed.isEmpty()) continue;
            any = true;
            if (field && field->format.isNumeric() && field->format.kind() != ValueFormat::Kind::Words && !joined.count(column)) {
                book.write(row, column, toDecimal(evaluateField(*field, context)).toDouble(), it->font.bold,
                           field->format.spreadsheetFormat());
                joined[column] = printed;
                continue;
            }
            if (field && field->format.kind() == ValueFormat::Kind::Date && !joined.count(column)) {
                const QDate d = toDate(evaluateField(*field, context));
                if (d.isValid()) {
                    book.write(row, column, d, it->font.bold, field->format.spreadsheetFormat());
                    joined[column] = printed;
                    continue;
                }
            }
            QString& cell = joined[column];
            cell = cell.isEmpty() ? printed : cell + QLatin1Char(' ') + printed;
            book.write(row, column, cell, it->font.bold);
        }
        if (any) ++row;
    });
    book.save(path);
}

}  // namespace tanabana::reports
