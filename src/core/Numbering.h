#pragma once
// The shared serial rule for codes and document numbers: the next number keeps the text in front
// and increases the trailing digits, keeping their width ("GST/0099" -> "GST/0100", "9" -> "10").
// Codes are ordered by the number they start with, as the operator reads them ("9" before "10").
#include <QString>

namespace tanabana {

// The trailing digits increased by one; a text without trailing digits gets "1" appended;
// an empty text gives "1".
QString IncrementTrailingDigits(const QString& text);
// The number a text starts with, leading blanks skipped ("10A" -> 10, "A10" -> 0, " 7.5" -> 7.5).
double LeadingNumber(const QString& text);
// True when a sorts before b in code order: by leading number, then by text.
bool CodeLess(const QString& a, const QString& b);

}  // namespace tanabana
