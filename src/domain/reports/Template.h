#pragma once
// The text of a layout item with its fields in braces, evaluated for one row of the result:
//   "Bill No : {BillNo}"           a column of the caller's query, bound by name
//   "{Amt|#,##0.00}"               a column with its print format
//   "{@Title}", "{@2|dd-MM-yyyy}"  a parameter, by name or by position
//   "{sum(Amt)|0.00}", "{count()}" totals over the band's scope (group, page, report, running)
//   "{pagesum(Amt)}"               total of the rows on this page
//   "Page {#page} of {#pages}", "{#date}", "{#row}", "{#grouprow}"
// "{{" and "}}" print a brace.
#include "core/Decimal.h"
#include "domain/reports/Format.h"

#include <QDateTime>
#include <QString>
#include <QVariant>
#include <map>
#include <vector>

namespace tanabana::reports {

struct ResultSet;

struct Placeholder {
    enum class Kind { Column, Parameter, Special, Sum, Count, PageSum, PageCount };
    Kind kind = Kind::Column;
    QString name;        // column, parameter or special name as written
    ValueFormat format;
    int index = -1;      // resolved column index, or parameter position (0-based)
};

struct Segment {
    QString literal;
    bool isField = false;
    Placeholder field;
};

// Running totals by column, taken once per report so that any total over any row range costs
// one subtraction (a 2,000-row register has group, page and report totals on every band).
class Totals {
public:
    explicit Totals(const ResultSet& data) : data_(data) {}
    Decimal sum(int column, int from, int to);
    int count(int column, int from, int to);

private:
    const std::vector<Decimal>& prefixSums(int column);
    const std::vector<int>& prefixCounts(int column);
    const ResultSet& data_;
    std::map<int, std::vector<Decimal>> sums_;
    std::map<int, std::vector<int>> counts_;
};

// Everything a field can refer to when a band is printed.
struct EvalContext {
    const ResultSet* data = nullptr;
    const std::vector<QVariant>* parameters = nullptr;
    Totals* totals = nullptr;
    int row = -1;                    // the row the band shows; -1 for none
    int scopeFrom = 0, scopeTo = -1; // rows that sum() covers
    int pageFrom = 0, pageTo = -1;   // rows printed on this page
    int groupFrom = 0;               // first row of the innermost group (for {#grouprow})
    int page = 1, pages = 1;
    QDateTime printedAt;
};

class TextTemplate {
public:
    TextTemplate() = default;
    // Throws ReportError naming the bad placeholder.
    static TextTemplate parse(const QString& text);

    bool isEmpty() const { return segments_.empty(); }
    bool isConstant() const;
    // The template is exactly one field: its raw value is meaningful (numbers in spreadsheets).
    bool isSingleField() const { return segments_.size() == 1 && segments_.front().isField; }
    const Placeholder* singleField() const { return isSingleField() ? &segments_.front().field : nullptr; }
    bool usesPageCount() const;

    // Binds column names to positions and parameter names to positions; throws ReportError for a
    // column the result does not have.
    void bind(const ResultSet& data, const QStringList& parameterNames, const QString& where, bool strictColumns);

    QString evaluate(const EvalContext& context, bool blankWhenZero = false) const;
    // Value of a single-field template before formatting.
    QVariant rawValue(const EvalContext& context) const;

    std::vector<Segment>& segments() { return segments_; }
    const std::vector<Segment>& segments() const { return segments_; }

private:
    std::vector<Segment> segments_;
};

QVariant evaluateField(const Placeholder& field, const EvalContext& context);

}  // namespace tanabana::reports
