#include "domain/reports/Format.h"

#include "core/Words.h"

#include <QDateTime>
#include <QLocale>
#include <QRegularExpression>
#include <QTime>

namespace tanabana::reports {

namespace {

enum class NumberText { Number, NotNumber, Unsure };

// Reads a plain number text ("12,34,567.50", "-0.5", "" for zero) without building strings, since
// a long register reads every amount of every row; more than six decimals, or a comma before the
// sign, are left to Decimal::parse (Unsure). More than twelve digits (a phone or account number)
// are text.
NumberText readNumber(QStringView text, Decimal& out) {
    qsizetype i = 0, n = text.size();
    while (i < n && text[i].isSpace()) ++i;
    while (n > i && text[n - 1].isSpace()) --n;
    if (i == n) {
        out = Decimal();
        return NumberText::Number;
    }
    bool negative = false;
    if (text[i] == QLatin1Char(',')) return NumberText::Unsure;
    if (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+')) negative = text[i++] == QLatin1Char('-');
    std::int64_t whole = 0, fraction = 0;
    int significant = 0, places = 0;
    bool digits = false, point = false;
    for (; i < n; ++i) {
        const char16_t c = text[i].unicode();
        if (c == u',') continue;
        if (c == u'.' && !point) {
            point = true;
            continue;
        }
        if (c < u'0' || c > u'9') return NumberText::NotNumber;
        digits = true;
        if (point) {
            if (places == Decimal::Places) return NumberText::Unsure;
            fraction = fraction * 10 + (c - u'0');
            ++places;
        } else if (significant > 0 || c != u'0') {
            if (++significant > 12) return NumberText::NotNumber;
            whole = whole * 10 + (c - u'0');
        }
    }
    if (!digits) return NumberText::NotNumber;
    for (; places < Decimal::Places; ++places) fraction *= 10;
    const std::int64_t units = whole * Decimal::Scale + fraction;
    out = Decimal::fromUnits(negative ? -units : units);
    return NumberText::Number;
}

// A text that reads as one of our numbers; a long run of digits (a phone or account number) is text.
bool isNumberText(const QString& text) {
    Decimal ignored;
    const NumberText read = readNumber(text, ignored);
    if (read != NumberText::Unsure) return read == NumberText::Number;
    try {
        return Decimal::parse(text.trimmed()).has_value();
    } catch (const AmountTooLarge&) {
        return false;
    }
}


bool looksLikeDatePattern(const QString& p) {
    static const QRegularExpression dateLetters(QStringLiteral("[dMyHhms]"));
    return p.contains(dateLetters) && !p.contains(QLatin1Char('0')) && !p.contains(QLatin1Char('#'));
}

QDate dateFromText(const QString& raw) {
    const QString text = raw.trimmed();
    if (text.isEmpty()) return {};
    const QString head = text.left(10);
    QDate d = QDate::fromString(head, Qt::ISODate);
    if (d.isValid()) return d;
    static const char* patterns[] = {"dd-MM-yyyy", "dd-MMM-yyyy", "dd/MM/yyyy", "d-M-yyyy", "d/M/yyyy",
                                     "dd-MM-yy", "dd-MMM-yy", "dd.MM.yyyy", "d-MMM-yyyy"};
    const QLocale english(QLocale::English);
    const QString firstWord = text.section(QLatin1Char(' '), 0, 0);
    for (const char* p : patterns) {
        d = english.toDate(firstWord, QString::fromLatin1(p));
        if (d.isValid()) {
            if (QString::fromLatin1(p).endsWith(QLatin1String("-yy")) && d.year() < 1950) d = d.addYears(100);
            return d;
        }
    }
    return {};
}

QTime timeFromText(const QString& raw) {
    const QString text = raw.trimmed().toUpper();
    static const char* patterns[] = {"HH:mm:ss", "HH:mm", "h:mm:ss AP", "h:mm AP", "hh:mm:ss AP", "hh:mm AP", "h:mmAP"};
    const QLocale english(QLocale::English);
    for (const char* p : patterns) {
        const QTime t = english.toTime(text, QString::fromLatin1(p));
        if (t.isValid()) return t;
    }
    return {};
}

}  // namespace

ValueFormat ValueFormat::parse(const QString& pattern) {
    ValueFormat f;
    const QString p = pattern.trimmed();
    if (p.isEmpty()) return f;
    if (p.compare(QLatin1String("words"), Qt::CaseInsensitive) == 0) {
        f.kind_ = Kind::Words;
        return f;
    }
    if (p.compare(QLatin1String("upper"), Qt::CaseInsensitive) == 0) {
        f.kind_ = Kind::Upper;
        return f;
    }
    if (looksLikeDatePattern(p)) {
        f.kind_ = Kind::Date;
        f.datePattern_ = p;
        return f;
    }
    static const QRegularExpression core(QStringLiteral("[#0][#0,]*(\\.[#0]*)?"));
    const QRegularExpressionMatch m = core.match(p);
    if (!m.hasMatch()) {  // not a pattern we know: print it as a fixed text prefix
        f.prefix_ = p;
        return f;
    }
    f.kind_ = Kind::Number;
    f.prefix_ = p.left(m.capturedStart());
    f.suffix_ = p.mid(m.capturedEnd());
    const QString numberPart = m.captured(0);
    f.grouping_ = numberPart.contains(QLatin1Char(','));
    const int dot = numberPart.indexOf(QLatin1Char('.'));
    f.decimals_ = dot < 0 ? 0 : int(numberPart.size() - dot - 1);
    return f;
}

QString ValueFormat::apply(const QVariant& value, bool blankWhenZero) const {
    switch (kind_) {
    case Kind::Plain: {
        if (blankWhenZero && (value.isNull() || (value.typeId() != QMetaType::QString && toDecimal(value).isZero())))
            return {};
        return prefix_ + plainText(value);
    }
    case Kind::Upper:
        return plainText(value).toUpper();
    case Kind::Words: {
        const Decimal amount = toDecimal(value);
        if (blankWhenZero && amount.isZero()) return {};
        return AmountInWords(amount);
    }
    case Kind::Date: {
        if (value.typeId() == QMetaType::QDateTime && !value.toDateTime().isNull())
            return QLocale(QLocale::English).toString(value.toDateTime(), datePattern_);
        const QDate d = toDate(value);
        return d.isValid() ? QLocale(QLocale::English).toString(d, datePattern_) : plainText(value);
    }
    case Kind::Number: {
        if (value.isNull() && blankWhenZero) return {};
        Decimal number;
        if (value.typeId() == QMetaType::QString) {
            const QString text = value.toString();
            const NumberText read = readNumber(text, number);
            if (read == NumberText::NotNumber || (read == NumberText::Unsure && !isNumberText(text)))
                return text;  // a text in a number column prints as it is
            if (read == NumberText::Unsure) number = toDecimal(value);
        } else {
            number = toDecimal(value);
        }
        if (blankWhenZero && number.isZero()) return {};
        return prefix_ + FormatIndian(number, decimals_, true, grouping_) + suffix_;
    }
    }
    return plainText(value);
}

QString ValueFormat::spreadsheetFormat() const {
    if (kind_ == Kind::Date) return datePattern_.toLower();
    if (kind_ != Kind::Number) return {};
    QString f = grouping_ ? QStringLiteral("#,##0") : QStringLiteral("0");
    if (decimals_ > 0) f += QLatin1Char('.') + QString(decimals_, QLatin1Char('0'));
    return f;
}

QDate toDate(const QVariant& value) {
    if (value.isNull()) return {};
    if (value.typeId() == QMetaType::QDate) return value.toDate();
    if (value.typeId() == QMetaType::QDateTime) return value.toDateTime().date();
    return dateFromText(value.toString());
}

Decimal toDecimal(const QVariant& value) {
    if (value.typeId() == QMetaType::QString) {
        Decimal read;
        switch (readNumber(value.toString(), read)) {
        case NumberText::Number: return read;
        case NumberText::NotNumber: return {};
        case NumberText::Unsure: break;
        }
        if (!isNumberText(value.toString())) return {};
        return *Decimal::parse(value.toString().trimmed());
    }
    return Decimal::fromVariant(value);
}

QString plainText(const QVariant& value) {
    if (value.isNull()) return {};
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float: {
        const double d = value.toDouble();
        if (d == double(qint64(d)) && qAbs(d) < 1e15) return QString::number(qint64(d));
        return QString::number(d, 'f', 6).remove(QRegularExpression(QStringLiteral("0+$")));
    }
    case QMetaType::QDate:
        return value.toDate().toString(QStringLiteral("dd-MM-yyyy"));
    case QMetaType::QDateTime:
        return value.toDateTime().toString(QStringLiteral("dd-MM-yyyy hh:mm"));
    case QMetaType::QTime:
        return value.toTime().toString(QStringLiteral("hh:mm"));
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    default:
        return value.toString();
    }
}

std::optional<ParameterType> parameterTypeFromName(const QString& name) {
    const QString n = name.trimmed().toLower();
    if (n == QLatin1String("string") || n == QLatin1String("text") || n.isEmpty()) return ParameterType::String;
    if (n == QLatin1String("number")) return ParameterType::Number;
    if (n == QLatin1String("currency")) return ParameterType::Currency;
    if (n == QLatin1String("boolean")) return ParameterType::Boolean;
    if (n == QLatin1String("date")) return ParameterType::Date;
    if (n == QLatin1String("datetime")) return ParameterType::DateTime;
    if (n == QLatin1String("time")) return ParameterType::Time;
    return std::nullopt;
}

QString parameterTypeName(ParameterType type) {
    switch (type) {
    case ParameterType::String: return QStringLiteral("text");
    case ParameterType::Number: return QStringLiteral("number");
    case ParameterType::Currency: return QStringLiteral("currency amount");
    case ParameterType::Boolean: return QStringLiteral("yes/no value");
    case ParameterType::Date: return QStringLiteral("date");
    case ParameterType::DateTime: return QStringLiteral("date and time");
    case ParameterType::Time: return QStringLiteral("time");
    }
    return {};
}

double leadingNumber(const QString& text) {
    static const QRegularExpression lead(QStringLiteral("^\\s*([+-]?(\\d+\\.?\\d*|\\.\\d+))"));
    const QRegularExpressionMatch m = lead.match(text);
    return m.hasMatch() ? m.captured(1).toDouble() : 0.0;
}

std::optional<QVariant> convertParameter(ParameterType type, const QString& text) {
    switch (type) {
    case ParameterType::String:
        return QVariant(text);
    case ParameterType::Number:
        return QVariant(leadingNumber(text));
    case ParameterType::Currency: {
        const auto amount = Decimal::parse(text.trimmed());
        if (!amount || text.trimmed().isEmpty()) return std::nullopt;
        return QVariant(amount->roundHalfEven(4).toDouble());
    }
    case ParameterType::Boolean: {
        const QString t = text.trimmed().toLower();
        if (t == QLatin1String("true") || t == QLatin1String("yes")) return QVariant(true);
        if (t == QLatin1String("false") || t == QLatin1String("no")) return QVariant(false);
        const auto number = Decimal::parse(t);
        if (!number || t.isEmpty()) return std::nullopt;
        return QVariant(!number->isZero());
    }
    case ParameterType::Date: {
        const QDate d = dateFromText(text);
        return d.isValid() ? std::optional<QVariant>(QVariant(d)) : std::nullopt;
    }
    case ParameterType::DateTime: {
        const QDate d = dateFromText(text);
        if (!d.isValid()) return std::nullopt;
        const QString rest = text.trimmed().section(QLatin1Char(' '), 1).trimmed();
        QTime t(0, 0);
        if (!rest.isEmpty()) {
            t = timeFromText(rest);
            if (!t.isValid()) return std::nullopt;
        }
        return QVariant(QDateTime(d, t));
    }
    case ParameterType::Time: {
        const QTime t = timeFromText(text);
        return t.isValid() ? std::optional<QVariant>(QVariant(t)) : std::nullopt;
    }
    }
    return std::nullopt;
}

}  // namespace tanabana::reports
