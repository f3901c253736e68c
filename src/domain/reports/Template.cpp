#include "domain/reports/Template.h"

#include "domain/reports/ReportError.h"
#include "domain/reports/ResultSet.h"

#include <QRegularExpression>

namespace tanabana::reports {

namespace {

Placeholder parsePlaceholder(const QString& body, const QString& whole) {
    Placeholder p;
    const int bar = body.indexOf(QLatin1Char('|'));
    QString name = (bar < 0 ? body : body.left(bar)).trimmed();
    const QString format = bar < 0 ? QString() : body.mid(bar + 1);
    if (name.isEmpty()) throw ReportError(QStringLiteral("Empty field {} in \"%1\"").arg(whole));
    static const QRegularExpression call(QStringLiteral("^(\\w+)\\s*\\(\\s*([^)]*)\\)$"));
    if (name.startsWith(QLatin1Char('@'))) {
        p.kind = Placeholder::Kind::Parameter;
        p.name = name.mid(1).trimmed();
    } else if (name.startsWith(QLatin1Char('#'))) {
        p.kind = Placeholder::Kind::Special;
        p.name = name.mid(1).trimmed().toLower();
        static const QStringList known = {QStringLiteral("page"), QStringLiteral("pages"), QStringLiteral("date"),
                                          QStringLiteral("time"), QStringLiteral("row"), QStringLiteral("grouprow")};
        if (!known.contains(p.name)) throw ReportError(QStringLiteral("Unknown special field {%1} in \"%2\"").arg(name, whole));
    } else if (const QRegularExpressionMatch m = call.match(name); m.hasMatch()) {
        const QString fn = m.captured(1).toLower();
        p.name = m.captured(2).trimmed();
        if (fn == QLatin1String("sum")) p.kind = Placeholder::Kind::Sum;
        else if (fn == QLatin1String("count")) p.kind = Placeholder::Kind::Count;
        else if (fn == QLatin1String("pagesum")) p.kind = Placeholder::Kind::PageSum;
        else if (fn == QLatin1String("pagecount")) p.kind = Placeholder::Kind::PageCount;
        else throw ReportError(QStringLiteral("Unknown function %1() in \"%2\"").arg(fn, whole));
        if (p.name.isEmpty() && (p.kind == Placeholder::Kind::Sum || p.kind == Placeholder::Kind::PageSum))
            throw ReportError(QStringLiteral("%1() needs a column in \"%2\"").arg(fn, whole));
    } else {
        p.kind = Placeholder::Kind::Column;
        p.name = name;
    }
    QString pattern = format;
    if (pattern.isEmpty() && p.kind == Placeholder::Kind::Special) {
        if (p.name == QLatin1String("date")) pattern = QStringLiteral("dd-MM-yyyy");
        if (p.name == QLatin1String("time")) pattern = QStringLiteral("hh:mm");
    }
    p.format = ValueFormat::parse(pattern);
    return p;
}

}  // namespace

const std::vector<Decimal>& Totals::prefixSums(int column) {
    auto it = sums_.find(column);
    if (it != sums_.end()) return it->second;
    std::vector<Decimal> prefix(size_t(data_.rowCount()) + 1);
    for (int r = 0; r < data_.rowCount(); ++r) {
        const QVariantList& row = data_.rows[size_t(r)];
        prefix[size_t(r) + 1] = prefix[size_t(r)] + (column >= 0 && column < row.size() ? toDecimal(row.at(column)) : Decimal());
    }
    return sums_.emplace(column, std::move(prefix)).first->second;
}

const std::vector<int>& Totals::prefixCounts(int column) {
    auto it = counts_.find(column);
    if (it != counts_.end()) return it->second;
    std::vector<int> prefix(size_t(data_.rowCount()) + 1);
    for (int r = 0; r < data_.rowCount(); ++r) {
        const QVariant v = data_.value(r, column);
        const bool present = column < 0 || !(v.isNull() || (v.typeId() == QMetaType::QString && v.toString().isEmpty()));
        prefix[size_t(r) + 1] = prefix[size_t(r)] + (present ? 1 : 0);
    }
    return counts_.emplace(column, std::move(prefix)).first->second;
}

Decimal Totals::sum(int column, int from, int to) {
    from = qMax(from, 0);
    to = qMin(to, data_.rowCount() - 1);
    if (column < 0 || to < from) return {};
    const auto& p = prefixSums(column);
    return p[size_t(to) + 1] - p[size_t(from)];
}

int Totals::count(int column, int from, int to) {
    from = qMax(from, 0);
    to = qMin(to, data_.rowCount() - 1);
    if (to < from) return 0;
    if (column < 0) return to - from + 1;
    const auto& p = prefixCounts(column);
    return p[size_t(to) + 1] - p[size_t(from)];
}

TextTemplate TextTemplate::parse(const QString& text) {
    TextTemplate t;
    QString literal;
    auto flushLiteral = [&] {
        if (literal.isEmpty()) return;
        Segment s;
        s.literal = literal;
        t.segments_.push_back(std::move(s));
        literal.clear();
    };
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('{')) {
            if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('{')) { literal += c; ++i; continue; }
            const int close = text.indexOf(QLatin1Char('}'), i + 1);
            if (close < 0) throw ReportError(QStringLiteral("Unclosed { in \"%1\"").arg(text));
            flushLiteral();
            Segment s;
            s.isField = true;
            s.field = parsePlaceholder(text.mid(i + 1, close - i - 1), text);
            t.segments_.push_back(std::move(s));
            i = close;
        } else if (c == QLatin1Char('}')) {
            if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('}')) ++i;
            literal += c;
        } else {
            literal += c;
        }
    }
    flushLiteral();
    return t;
}

bool TextTemplate::isConstant() const {
    for (const Segment& s : segments_)
        if (s.isField) return false;
    return true;
}

bool TextTemplate::usesPageCount() const {
    for (const Segment& s : segments_)
        if (s.isField && s.field.kind == Placeholder::Kind::Special && s.field.name == QLatin1String("pages")) return true;
    return false;
}

void TextTemplate::bind(const ResultSet& data, const QStringList& parameterNames, const QString& where,
                        bool strictColumns) {
    for (Segment& s : segments_) {
        if (!s.isField) continue;
        Placeholder& p = s.field;
        switch (p.kind) {
        case Placeholder::Kind::Column:
        case Placeholder::Kind::Sum:
        case Placeholder::Kind::PageSum:
        case Placeholder::Kind::Count:
        case Placeholder::Kind::PageCount:
            if (p.name.isEmpty()) { p.index = -1; break; }
            p.index = data.indexOf(p.name);
            if (p.index < 0 && strictColumns)
                throw ReportError(QStringLiteral("%1: the field {%2} is not a column of the report's data (columns: %3)")
                                      .arg(where, p.name, data.columns.join(QStringLiteral(", "))));
            break;
        case Placeholder::Kind::Parameter: {
            bool isNumber = false;
            const int position = p.name.toInt(&isNumber);
            if (isNumber) {
                p.index = position - 1;
            } else {
                p.index = -1;
                for (int i = 0; i < parameterNames.size(); ++i)
                    if (parameterNames.at(i).compare(p.name, Qt::CaseInsensitive) == 0) p.index = i;
            }
            if (p.index < 0 || p.index >= parameterNames.size())
                throw ReportError(QStringLiteral("%1: {@%2} is not a parameter of the layout").arg(where, p.name));
            break;
        }
        case Placeholder::Kind::Special:
            break;
        }
    }
}

QVariant evaluateField(const Placeholder& p, const EvalContext& c) {
    switch (p.kind) {
    case Placeholder::Kind::Column:
        return c.data ? c.data->value(c.row, p.index) : QVariant();
    case Placeholder::Kind::Parameter:
        if (c.parameters && p.index >= 0 && p.index < int(c.parameters->size())) return (*c.parameters)[size_t(p.index)];
        return {};
    case Placeholder::Kind::Sum:
        return c.totals ? c.totals->sum(p.index, c.scopeFrom, c.scopeTo).toVariant() : QVariant(0.0);
    case Placeholder::Kind::Count:
        return c.totals ? c.totals->count(p.index, c.scopeFrom, c.scopeTo) : 0;
    case Placeholder::Kind::PageSum:
        return c.totals ? c.totals->sum(p.index, c.pageFrom, c.pageTo).toVariant() : QVariant(0.0);
    case Placeholder::Kind::PageCount:
        return c.totals ? c.totals->count(p.index, c.pageFrom, c.pageTo) : 0;
    case Placeholder::Kind::Special:
        if (p.name == QLatin1String("page")) return c.page;
        if (p.name == QLatin1String("pages")) return c.pages;
        if (p.name == QLatin1String("date")) return c.printedAt.date();
        if (p.name == QLatin1String("time")) return c.printedAt;
        if (p.name == QLatin1String("row")) return c.row < 0 ? QVariant() : QVariant(c.row + 1);
        if (p.name == QLatin1String("grouprow")) return c.row < 0 ? QVariant() : QVariant(c.row - c.groupFrom + 1);
        return {};
    }
    return {};
}

namespace {

// A column's value of the current row, read in place (a report reads every cell several times).
const QVariant* columnValue(const Placeholder& p, const EvalContext& c) {
    if (p.kind != Placeholder::Kind::Column || !c.data || c.row < 0 || c.row >= c.data->rowCount() || p.index < 0) return nullptr;
    const QVariantList& row = c.data->rows[size_t(c.row)];
    return p.index < row.size() ? &row.at(p.index) : nullptr;
}

QString formatted(const Placeholder& p, const EvalContext& c, bool blankWhenZero) {
    if (const QVariant* value = columnValue(p, c)) return p.format.apply(*value, blankWhenZero);
    return p.format.apply(evaluateField(p, c), blankWhenZero);
}

}  // namespace

QString TextTemplate::evaluate(const EvalContext& context, bool blankWhenZero) const {
    if (segments_.size() == 1) {
        const Segment& s = segments_.front();
        return s.isField ? formatted(s.field, context, blankWhenZero) : s.literal;
    }
    QString out;
    for (const Segment& s : segments_)
        out += s.isField ? formatted(s.field, context, blankWhenZero) : s.literal;
    return out;
}

QVariant TextTemplate::rawValue(const EvalContext& context) const {
    if (const Placeholder* p = singleField()) return evaluateField(*p, context);
    return evaluate(context);
}

}  // namespace tanabana::reports
