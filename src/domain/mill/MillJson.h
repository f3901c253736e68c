#pragma once
// Mill challans read from JSON for the command line. Mills and weavers are named by ledger code,
// name or Id, qualities by item code or Id; a missing number takes the book's next one.
//
// Issue: {"book", "number", "date", "mill", "quality", "rate", "process", "broker", "reference",
// "transport", "tempo", "lr", "lrDate", "notes", and the takas: from a purchase bill
// ("weaver": "76L001", "purchaseBill": "LW/118", "takas": ["101", "102"]), from the firm's looms
// ("looms": true, "takas": [...]), or typed ("lines": [{"taka", "mtrs", "weight", "marka",
// "design", "colour", "remarks"}]); a taka of "takas" may also be such an object.
// Receipt: {"book", "number", "date", "mill", "millChallan", "gatePass", "lot", "broker",
// "creditDays", "transport", "tempo", "lr", "disc", "other", "otherLess", "otherAfter",
// "otherAfterLess", "tds", "notes", "lines": [{"issue" (the issue's challan number), "issueBook"
// (the receipt's book when absent), "taka", "grey" (what is pending when absent), "finish",
// "rate" (the issue's when absent), "fin" (true when absent), "weight", "marka", "colour",
// "design", "remarks", "finishQuality", "greyRet" (grey given back unprocessed)}]}.
// Job-process challan: {"book", "number", "date", "party", "reference", "gatePass", "broker",
// "process", "lot", "creditDays", "transport", "tempo", "lr", "disc", "other", "otherLess", "sgst",
// "cgst", "igst", "tds", "notes", "lines"}; issue lines {"quality", "pcs", "count", "mtrs", "rateOn",
// "rate", "design", "colour", "remarks"}; receipt lines {"issue" (the issue's challan number),
// "issueBook" (the receipt's book when absent), "line" (the issue line; the first open line, of
// "quality" when given, when absent), "quality", "pcs" and "mtrs" (what is out when absent), "rate",
// "shortLong", "fin", "design", "colour", "remarks"}.
#include "core/Messages.h"
#include "core/Session.h"
#include "db/Database.h"
#include "domain/mill/JobProcess.h"
#include "domain/mill/MillChallan.h"

#include <QJsonObject>

namespace tanabana::mill {

// Throws trade::JsonRefused naming the wrong key. The issue's takas are taken through
// MillIssues, which reports a taka not on offer and returns false.
bool millIssueFromJson(db::Database& db, Session& session, Messages& messages, const QJsonObject& object, MillIssue& issue);
MillReceipt millReceiptFromJson(db::Database& db, Session& session, Messages& messages, const QJsonObject& object);
JobChallan jobChallanFromJson(db::Database& db, Session& session, Messages& messages, const QJsonObject& object, bool receipt);

}  // namespace tanabana::mill
