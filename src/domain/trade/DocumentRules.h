#pragma once
// Rules every selling and production document shares: the firm's
// switches, the next document number of a book, and texts cut to their columns before writing.
#include "core/Decimal.h"
#include "core/Messages.h"
#include "core/Session.h"

#include <QDate>
#include <QString>
#include <QVariant>

namespace tanabana::trade {

// A switch or value of the current firm's settings row, whatever the spelling of its column.
QVariant firmSetting(const Session& session, const QString& column);
bool firmFlag(const Session& session, const QString& column);
Decimal firmNumber(const Session& session, const QString& column);

// The number after `last`: its trailing digits increased ("GST/0099" -> "GST/0100"); "1" when empty.
QString followingNumber(const QString& last);
// The whole number a text starts with, as a taka number is read for ordering ("12A" -> 12, "A1" -> 0).
qint64 leadingWholeNumber(const QString& text);

// Trimmed text cut to the width of its column in the year database.
QString fitted(const QString& table, const QString& column, const QString& text);
// A date for binding: null when invalid.
QVariant dateValue(const QDate& date);

// The state code a state field or GSTIN starts with ("24" of "24ABCDE1234F1Z5"); empty when none.
QString stateCodeOf(const QString& stateOrGstin);
// How a line's rate is applied: "P" per piece, otherwise "M" per metre.
QString rateBasis(const QString& rateOn);

// The system's refusal when a document lacks its party, book, number or lines.
void refuseMissingPartyOrQuality(Messages& messages);

}  // namespace tanabana::trade
