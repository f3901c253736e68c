#pragma once
// How a value appears on the printed page, and how a caller's parameter text becomes the value a
// layout parameter expects.
//
//   format "0.00"       12345.5  -> "12345.50"      (amounts)
//   format "0.000"      12.5     -> "12.500"        (metres, weights)
//   format "#,##0.00"   1234567  -> "12,34,567.00"  (Indian digit grouping)
//   format "dd-MM-yyyy" 2024-04-01 -> "01-04-2024"
//   format "words"      1250.5   -> "One Thousand Two Hundred Fifty And Fifty Paisa"
#include "core/Decimal.h"

#include <QDate>
#include <QString>
#include <QVariant>

namespace tanabana::reports {

class ValueFormat {
public:
    enum class Kind { Plain, Number, Date, Words, Upper };

    ValueFormat() = default;
    // Parses a format text; an empty text means the value's natural form.
    static ValueFormat parse(const QString& pattern);

    Kind kind() const { return kind_; }
    bool isNumeric() const { return kind_ == Kind::Number || kind_ == Kind::Words; }
    QString apply(const QVariant& value, bool blankWhenZero = false) const;
    // The same format in a spreadsheet's words ("#,##0.00", "dd-mm-yyyy"); empty for plain values.
    QString spreadsheetFormat() const;

private:
    Kind kind_ = Kind::Plain;
    int decimals_ = 0;
    bool grouping_ = false;
    QString datePattern_;
    QString prefix_, suffix_;
};

// A value from the database or a CSV file read as a date: QDate, QDateTime, ISO text
// ("2024-04-01", "2024-04-01 10:00:00") or "dd-MM-yyyy" / "dd-MMM-yyyy" / "dd/MM/yyyy" text.
QDate toDate(const QVariant& value);
// The number a value holds; text is read as a number (Indian grouping commas allowed).
Decimal toDecimal(const QVariant& value);
// Natural text of a value: whole numbers without decimals, dates as dd-MM-yyyy.
QString plainText(const QVariant& value);

// The value types of layout parameters.
enum class ParameterType { String, Number, Currency, Boolean, Date, DateTime, Time };

// Reads "number", "currency", "boolean", "date", "datetime", "time", "string"; nullopt otherwise.
std::optional<ParameterType> parameterTypeFromName(const QString& name);
QString parameterTypeName(ParameterType type);

// The numeric value of the leading numeric part of a text, 0 when it has none:
// "12.5abc" -> 12.5, "  -3 kg" -> -3, "abc" -> 0.
double leadingNumber(const QString& text);

// Converts a caller's parameter text by the parameter's type. Number takes the leading numeric
// part; currency, boolean, date and time must convert wholly, otherwise nullopt.
std::optional<QVariant> convertParameter(ParameterType type, const QString& text);

}  // namespace tanabana::reports
