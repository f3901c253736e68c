// tanabana-cli util: the shared number procedures, for checking printed amounts by hand.
#include "cli/Cli.h"
#include "core/Decimal.h"
#include "core/Words.h"

namespace tanabana::cli {

namespace {

Decimal readAmount(const QString& text) {
    const auto value = Decimal::parse(text);
    if (!value) throw CommandError{QStringLiteral("Not a number: %1").arg(text)};
    return *value;
}

}  // namespace

void registerUtilCommands(Registry& registry) {
    Noun util{QStringLiteral("util"), QStringLiteral("amount in words and Indian digit grouping"), {}};
    util.verbs.push_back({QStringLiteral("words"), QStringLiteral("prints an amount in words (lakhs, paise)"),
                          QStringLiteral("AMOUNT"), [](const Arguments& a) {
                              out(AmountInWords(readAmount(a.positionalAt(0, QStringLiteral("AMOUNT")))));
                              return 0;
                          }});
    util.verbs.push_back({QStringLiteral("indian"), QStringLiteral("prints a value with Indian digit grouping"),
                          QStringLiteral("VALUE [--decimals N]"), [](const Arguments& a) {
                              bool ok = false;
                              const int decimals = a.option(QStringLiteral("decimals"), QStringLiteral("2")).toInt(&ok);
                              if (!ok || decimals < 0 || decimals > 6)
                                  throw UsageError{QStringLiteral("--decimals takes a whole number from 0 to 6")};
                              out(FormatIndian(readAmount(a.positionalAt(0, QStringLiteral("VALUE"))), decimals));
                              return 0;
                          }});
    registry.add(std::move(util));
}

}  // namespace tanabana::cli
