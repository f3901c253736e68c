#pragma once
// Amounts as printed on bills and cheques: in words (Indian lakhs, international thousands) and
// with Indian digit grouping.
//   AmountInWords(1234567.89) = "Twelve Lakh Thirty Four Thousand Five Hundred Sixty Seven And Eighty Nine Paisa"
//   FormatIndian(-1234567, 2) = "-12,34,567.00"
#include "core/Decimal.h"

#include <QString>

namespace tanabana {

// Whole numbers in the international system: 34567 -> "Thirty Four Thousand Five Hundred Sixty Seven".
QString NumberInWords(long long number);
// Rupees with lakhs and paise; no word for crore (ten million is "One Hundred Lakh ").
QString AmountInWords(Decimal amount);
QString AmountInWords(double amount);
// Fixed decimals; with `indianGrouping` commas as 12,34,567. `leadingDigit` keeps "0.50" rather than ".50".
QString FormatIndian(Decimal value, int decimals, bool leadingDigit = true, bool indianGrouping = true);
QString FormatIndian(double value, int decimals, bool leadingDigit = true, bool indianGrouping = true);

}  // namespace tanabana
