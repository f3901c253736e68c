#pragma once
// Journal documents written as JSON, for scripts, tests and bulk loading:
//
//   {"type": 6, "voucher": 0, "date": "2024-04-20", "number": "CR/4",
//    "lines": [{"account": "36C001", "side": "D", "amount": "5000.00", "narration": "Ramesh part payment"},
//              {"account": "35R001", "side": "C", "amount": 5000}]}
//
// "account" and "contra" take the ledger code (or the numeric Id); "voucher" 0 or absent takes the
// next voucher number of the type when posted; "replace" is "journal" (default) or "entries".
#include "core/Session.h"
#include "db/Database.h"
#include "domain/ledger/Journal.h"

#include <QByteArray>
#include <QJsonObject>
#include <vector>

namespace tanabana::ledger {

struct JsonDocument {
    JournalDocument document;
    Replace mode = Replace::WholeJournal;
};

// Reads one document; throws PostingRefused naming the line and field that is wrong.
JsonDocument documentFromJson(db::Database& db, const Session& session, const QJsonObject& object);
// Reads a file's text holding one document or an array of documents.
std::vector<JsonDocument> documentsFromJson(db::Database& db, const Session& session, const QByteArray& text);

// Account Id of a ledger code (or of a number that is an Id) in the session's firm; 0 when none.
qint64 accountByCode(db::Database& db, const Session& session, const QString& codeOrId);

}  // namespace tanabana::ledger
