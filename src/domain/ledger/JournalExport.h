#pragma once
// The firm's journal written out for auditors: a CSV of every line, or the plain-text double-entry
// format that ledger-cli and hledger read, so the books can be cross-checked with those tools.
//
//   2024-04-15 (3/12) Sales GST/12
//       G35:35R001 Ramesh Traders           11025.00
//       G01:01S001 Sales                   -10500.00
//       ...
// Accounts are written as "G<group>:<ledger code> <name>"; opening balances come first, one
// transaction per date, balanced against "Equity:Opening Balances". Lines are streamed, so the
// export of a million lines needs no more memory than one journal.
#include "core/Session.h"
#include "db/Database.h"

#include <QDate>
#include <QIODevice>

namespace tanabana::ledger {

enum class ExportFormat { Csv, PlainText };

struct ExportRange {
    QDate from;  // invalid: from the first line
    QDate to;    // invalid: to the last line
};

// Writes the firm's journal (and, for the plain-text format, its opening balances); returns the
// number of journal lines written.
qint64 exportJournal(db::Database& db, const Session& session, QIODevice& out, ExportFormat format,
                     const ExportRange& range = {});

// Short name of a document type for descriptions ("Sales", "Cash Receipt", ...).
QString documentTypeName(int tableCode);

}  // namespace tanabana::ledger
