#pragma once
// What an operator types into a date or number field, read the way an Indian office types it.
// Dates: "05-12-26", "5/12/2026", "05.12.2026", "05122026", "051226" and "5-12" (the year taken so
// that the date falls in the open financial year, so "5-2" typed in 2026-27 is 05-02-2027).
// Numbers: "1O8.5" or "2.52.5" are refused with a message naming the field, never read as 0 or 2.52.
#include "core/Decimal.h"

#include <QDate>
#include <QString>
#include <optional>

namespace tanabana {

// The date typed, or nullopt for an impossible or unreadable one (31-02-2026, 5-13, "abc").
// `yearStart`/`yearEnd` (the open year) decide the year when none is typed; without them the
// current calendar year. Two-digit years are of this century (26 is 2026).
std::optional<QDate> parseTypedDate(const QString& text, const QDate& yearStart = {}, const QDate& yearEnd = {});

// How a number field reads: decimals allowed, a minus sign allowed, digits before the point.
struct NumberRule {
    int places = 2;
    bool negative = false;
    int digits = 12;
};

// The refusal of `text` typed in the field captioned `caption` (empty text is 0 and fine), or an
// empty string when it is a number of the rule. For "1O8.5" in Mtrs: "Mtrs takes a number: 1O8.5
// is not one."
QString numberRefusal(const QString& text, const QString& caption, const NumberRule& rule);
// The title of that refusal's message box.
QString numberRefusalTitle();
// The typed number of an accepted text (0 for empty).
Decimal typedDecimal(const QString& text);

}  // namespace tanabana
