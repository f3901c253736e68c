// Dates and numbers as an operator of a Surat trading office types them into the screens: the
// short and joined forms of a date, the year supplied by the open financial year, impossible
// dates refused, and the typos of a number field ("1O8.5", "2.52.5") refused with a message that
// names the field instead of being read as 0 or 2.52.
#include "core/TypedValues.h"

#include <gtest/gtest.h>

using namespace tanabana;

namespace {

const QDate kYearStart(2026, 4, 1);
const QDate kYearEnd(2027, 3, 31);

QDate typed(const QString& text) {
    const auto d = parseTypedDate(text, kYearStart, kYearEnd);
    return d ? *d : QDate();
}

}  // namespace

TEST(TypedDates, EveryFormOfFiveDecember2026Reads) {
    for (const char* text : {"05-12-26", "5-12-26", "05-12-2026", "5/12/2026", "05/12/26", "05.12.2026", "05122026", "051226",
                             " 5 12 2026 "})
        EXPECT_EQ(typed(QString::fromLatin1(text)), QDate(2026, 12, 5)) << text;
}

TEST(TypedDates, ADateWithoutYearFallsInTheOpenFinancialYear) {
    EXPECT_EQ(typed(QStringLiteral("5-12")), QDate(2026, 12, 5));
    EXPECT_EQ(typed(QStringLiteral("1/4")), QDate(2026, 4, 1));
    // January to March belong to the second calendar year of 2026-27
    EXPECT_EQ(typed(QStringLiteral("5-2")), QDate(2027, 2, 5));
    EXPECT_EQ(typed(QStringLiteral("31-03")), QDate(2027, 3, 31));
    EXPECT_EQ(typed(QStringLiteral("0502")), QDate(2027, 2, 5));
    // a leap day is looked for in 2028 when the open year is 2027-28
    EXPECT_EQ(parseTypedDate(QStringLiteral("29-2"), QDate(2027, 4, 1), QDate(2028, 3, 31)), QDate(2028, 2, 29));
}

TEST(TypedDates, ImpossibleOrUnreadableDatesAreRefused) {
    for (const char* text : {"31-02-2026", "29-02-2027", "00-12-2026", "5-13-2026", "32-01-2027", "5-12-202", "abc", "", "5--12",
                             "05-12-26x", "1O-12-2026", "5-12-26-1", "123"})
        EXPECT_FALSE(parseTypedDate(QString::fromLatin1(text), kYearStart, kYearEnd).has_value()) << text;
}

TEST(TypedNumbers, TyposAreRefusedNamingTheField) {
    const NumberRule metres{3, false, 12};
    EXPECT_EQ(numberRefusal(QStringLiteral("1O8.5"), QStringLiteral("Mtrs"), metres), QStringLiteral("Mtrs takes a number: 1O8.5 is not one."));
    EXPECT_EQ(numberRefusal(QStringLiteral("2.52.5"), QStringLiteral("SGST %"), {}),
              QStringLiteral("SGST % takes a number: 2.52.5 is not one."));
    EXPECT_EQ(numberRefusal(QStringLiteral("."), QStringLiteral("Rate"), {}), QStringLiteral("Rate takes a number: . is not one."));
    EXPECT_EQ(numberRefusal(QStringLiteral("1,08,000"), QStringLiteral("Cr. Limit"), {}),
              QStringLiteral("Cr. Limit takes a number: 1,08,000 is not one."));
    EXPECT_EQ(numberRefusal(QStringLiteral("-5"), QStringLiteral("Pcs"), {}), QStringLiteral("Pcs cannot be negative."));
    EXPECT_EQ(numberRefusal(QStringLiteral("1234567890123"), QStringLiteral("Amount"), {}),
              QStringLiteral("Amount is too long: at most 12 digits before the point."));
    EXPECT_EQ(numberRefusal(QStringLiteral("105.555"), QStringLiteral("Rate"), {}), QStringLiteral("Rate takes at most 2 decimals."));
    EXPECT_EQ(numberRefusal(QStringLiteral("12.5"), QStringLiteral("Cr. Days"), {0, false, 4}), QStringLiteral("Cr. Days takes a whole number."));
}

TEST(TypedNumbers, ProperNumbersPassAndReadExactly) {
    const NumberRule metres{3, false, 12};
    for (const char* text : {"108.5", "108.500", "0.125", ".5", "5.", "", "  42  ", "000000000000042"})
        EXPECT_TRUE(numberRefusal(QString::fromLatin1(text), QStringLiteral("Mtrs"), metres).isEmpty()) << text;
    EXPECT_TRUE(numberRefusal(QStringLiteral("-1500.50"), QStringLiteral("Other"), {2, true, 12}).isEmpty());
    EXPECT_TRUE(numberRefusal(QStringLiteral("999999999999.99"), QStringLiteral("Amount"), {}).isEmpty());
    EXPECT_EQ(typedDecimal(QStringLiteral("108.5")).toString(3), QStringLiteral("108.500"));
    EXPECT_EQ(typedDecimal(QString()).toString(2), QStringLiteral("0.00"));
}
