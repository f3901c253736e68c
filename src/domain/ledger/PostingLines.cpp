#include "domain/ledger/PostingLines.h"

namespace tanabana::ledger {

void PostingLines::add(qint64 account, QChar side, Decimal amount, const QString& description, const QString& narration) {
    if (amount.isZero()) return;
    if (amount.isNegative()) {
        amount = -amount;
        side = side == QLatin1Char('D') ? QLatin1Char('C') : QLatin1Char('D');
    }
    JournalLine line;
    line.accId = account;
    line.side = side;
    line.amount = amount;
    line.description = description;
    line.narration = narration;
    document_.lines.push_back(line);
}

}  // namespace tanabana::ledger
