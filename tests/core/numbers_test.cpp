// Money arithmetic and the printed forms of amounts, as a bill shows them.
#include "core/Decimal.h"
#include "core/Password.h"
#include "core/Text.h"
#include "core/Words.h"
#include "support/Amounts.h"

#include <gtest/gtest.h>

using namespace tanabana;

TEST(Decimal, GstBillArithmeticIsExact) {
    const Decimal taxable = d("100") * d("105");
    EXPECT_EQ(taxable.toString(2), QStringLiteral("10500.00"));
    const Decimal sgst = taxable.percent(d("2.5")).roundHalfEven(2);
    EXPECT_EQ(sgst.toString(2), QStringLiteral("262.50"));
    EXPECT_EQ((taxable + sgst + sgst).toString(2), QStringLiteral("11025.00"));
    // 0.1 added ten times is exactly 1
    Decimal sum;
    for (int i = 0; i < 10; ++i) sum += d("0.1");
    EXPECT_EQ(sum, Decimal(1));
}

TEST(Decimal, NamedRoundings) {
    struct Case { const char* value; int places; const char* expected; };
    for (const Case& c : {Case{"2.345", 2, "2.34"}, Case{"2.355", 2, "2.36"}, Case{"-2.345", 2, "-2.34"},
                          Case{"0.125", 2, "0.12"}, Case{"1.0005", 3, "1.000"}, Case{"7.5", 0, "8"}, Case{"6.5", 0, "6"}})
        EXPECT_EQ(d(c.value).roundHalfEven(c.places).toString(c.places), QString::fromLatin1(c.expected)) << c.value;
    // bill round-off: amount + 0.01, then half to even
    EXPECT_EQ(d("1234.50").billRoundOff().toString(0), QStringLiteral("1235"));
    EXPECT_EQ(d("1234.49").billRoundOff().toString(0), QStringLiteral("1234"));
    EXPECT_EQ(d("1235.50").billRoundOff().toString(0), QStringLiteral("1236"));
    EXPECT_EQ(d("1234.51").billRoundOff().toString(0), QStringLiteral("1235"));
    EXPECT_EQ(d("12.349").truncate(2).toString(2), QStringLiteral("12.34"));
}

TEST(Decimal, ParsingRefusesLettersAndReadsGrouping) {
    EXPECT_FALSE(Decimal::parse(QStringLiteral("12a")).has_value());
    EXPECT_FALSE(Decimal::parse(QStringLiteral("1.2.3")).has_value());
    EXPECT_FALSE(Decimal::parse(QStringLiteral("-")).has_value());
    EXPECT_EQ(Decimal::parse(QStringLiteral("")).value(), Decimal());
    EXPECT_EQ(Decimal::parse(QStringLiteral("12,34,567.50")).value().toString(2), QStringLiteral("1234567.50"));
    EXPECT_EQ(Decimal::fromDouble(0.1 + 0.2).toString(6), QStringLiteral("0.300000"));
    EXPECT_EQ((d("10") / d("3")).toString(6), QStringLiteral("3.333333"));
    EXPECT_EQ(d("10") / Decimal(), Decimal());
}

TEST(Words, NumberInWordsReadsLikeTheBook) {
    struct Case { long long n; const char* words; };
    for (const Case& c : {Case{5, "Five"}, Case{15, "Fifteen"}, Case{40, "Forty"}, Case{45, "Forty Five"},
                          Case{100, "One Hundred"}, Case{115, "One Hundred Fifteen"}, Case{1000, "One Thousand"},
                          Case{34567, "Thirty Four Thousand Five Hundred Sixty Seven"}, Case{10, "Ten"},
                          Case{1000000, "One Million"}, Case{20019, "Twenty Thousand Nineteen"}, Case{0, "Zero"}})
        EXPECT_EQ(NumberInWords(c.n), QString::fromLatin1(c.words)) << c.n;
}

TEST(Words, AmountInWordsUsesLakhsAndPaise) {
    EXPECT_EQ(AmountInWords(d("1234567.89")),
              QStringLiteral("Twelve Lakh Thirty Four Thousand Five Hundred Sixty Seven And Eighty Nine Paisa"));
    EXPECT_EQ(AmountInWords(d("100000")), QStringLiteral("One Lakh "));
    EXPECT_EQ(AmountInWords(d("10000000")), QStringLiteral("One Hundred Lakh "));
    EXPECT_EQ(AmountInWords(d("0.25")), QStringLiteral(" And Twenty Five Paisa"));
    EXPECT_EQ(AmountInWords(d("45")), QStringLiteral("Forty Five"));
    EXPECT_TRUE(AmountInWords(d("10.50")).endsWith(QStringLiteral(" And Fifty Paisa")));
    EXPECT_EQ(AmountInWords(d("10.05")), QStringLiteral("Ten And Five Paisa"));
    EXPECT_EQ(AmountInWords(Decimal()), QString());
    EXPECT_EQ(AmountInWords(11025.0), QStringLiteral("Eleven Thousand Twenty Five"));
}

TEST(Words, FormatIndianGroupsInLakhs) {
    EXPECT_EQ(FormatIndian(d("1234567"), 0), QStringLiteral("12,34,567"));
    EXPECT_EQ(FormatIndian(d("123456789"), 0), QStringLiteral("12,34,56,789"));
    EXPECT_EQ(FormatIndian(d("1234567.5"), 2), QStringLiteral("12,34,567.50"));
    EXPECT_EQ(FormatIndian(d("-1234567"), 2), QStringLiteral("-12,34,567.00"));
    EXPECT_EQ(FormatIndian(d("-123456"), 2), QStringLiteral("-1,23,456.00"));
    EXPECT_EQ(FormatIndian(d("999"), 2), QStringLiteral("999.00"));
    EXPECT_EQ(FormatIndian(d("1000"), 3), QStringLiteral("1,000.000"));
    EXPECT_EQ(FormatIndian(d("0.5"), 2, false), QStringLiteral(".50"));
    EXPECT_EQ(FormatIndian(d("1234567.5"), 2, true, false), QStringLiteral("1234567.50"));
}

TEST(TextRules, CleanTextAndFileNames) {
    EXPECT_EQ(CleanText(QStringLiteral("Ring Road, Surat-395002 (Guj.)")), QStringLiteral("Ring Road Surat395002 Guj"));
    EXPECT_EQ(CleanText(QStringLiteral("A/1 B&C"), true), QStringLiteral("A1BC"));
    EXPECT_EQ(CleanFileName(QStringLiteral("Shree Ram's \"Silk\" A/B\\C")), QStringLiteral("Shree Ram`s Silk A_B_C"));
}

TEST(Passwords, HashedSaltedAndCaseInsensitive) {
    const QString stored = hashPassword(QStringLiteral("sUrAt'123"));
    EXPECT_FALSE(stored.contains(QStringLiteral("SURAT")));
    EXPECT_NE(stored, hashPassword(QStringLiteral("sUrAt'123")));  // salted
    EXPECT_TRUE(verifyPassword(QStringLiteral("surat'123"), stored));
    EXPECT_FALSE(verifyPassword(QStringLiteral("surat123"), stored));
    EXPECT_FALSE(verifyPassword(QStringLiteral("x"), QStringLiteral("plain")));
    const QString secret = protectSecret(QStringLiteral("smtp-pass"));
    EXPECT_FALSE(secret.contains(QStringLiteral("smtp")));
    EXPECT_EQ(unprotectSecret(secret), QStringLiteral("smtp-pass"));
}
