#pragma once
// What every master of items, brokers, processes and looms shares: the
// firm switches they read, firm names for messages, and reading typed numbers with a clear
// refusal ("Rate Retail : 'abc' is not a number") instead of a silent zero.
#include "core/Decimal.h"
#include "core/Messages.h"
#include "core/Session.h"
#include "db/Database.h"

#include <QVariant>
#include <optional>

namespace tanabana::products {

// Why a save stopped: the field to put the cursor on (a column name) is kept for the screen.
struct Refusal {
    QString field;
};

// A switch of the current firm's settings row, read whatever the spelling of its column.
QVariant firmSetting(const Session& session, const QString& column);
bool firmFlag(const Session& session, const QString& column);
// The printed name of a firm; the session's own name for the current firm.
QString firmNameOf(db::Database& db, const Session& session, qint64 firmNo);
// Every firm of the year database as (number, name), in number order.
std::vector<std::pair<qint64, QString>> allFirms(db::Database& db, const Session& session);

// Reads a typed number; empty is zero. Text that is not a number, a negative value where none is
// allowed, or a value above `maximum` is refused with a message naming the field's caption.
std::optional<Decimal> readNumber(const QVariant& value, const QString& caption, Messages& messages,
                                  bool allowNegative = false, std::optional<Decimal> maximum = std::nullopt);

// A typed text as it is stored: trimmed, cut to the column's width, empty (never NULL) when blank.
QString fitText(const QString& table, const QString& column, const QString& text);
// The refusal text when a typed value is longer than its column ("ProdName takes at most 100
// characters; ..."), empty when it fits or is not text: over-long input is refused, never cut.
QString tooLong(const QString& table, const QString& column, const QVariant& value);

// Title of our own refusals of bad input.
QString invalidEntryTitle();

}  // namespace tanabana::products
