#pragma once
// Collects a document's journal lines the way every bill posts them: a zero amount posts
// nothing, a negative one posts its size on the other side (a round-off of -0.10 "Dr" is 0.10 Cr).
//
//   ledger::PostingLines lines(document);
//   lines.add(partyId, 'C', net, "Pur Inv - LW/118 - Laxmi Weaving Works");
#include "domain/ledger/Journal.h"

namespace tanabana::ledger {

class PostingLines {
public:
    explicit PostingLines(JournalDocument& document) : document_(document) {}
    void add(qint64 account, QChar side, Decimal amount, const QString& description, const QString& narration = {});

private:
    JournalDocument& document_;
};

}  // namespace tanabana::ledger
