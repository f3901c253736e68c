#pragma once
// Returns and notes read from JSON for the command line. Amounts are never read: the services
// compute them. Lines are those of the sales or purchase bill; bills are named by their number
// among the party's bills, accounts by ledger code, name or Id.
//
// Sales return: {"book", "number", "date", "party", "salBillNo", "salBillDate", "reason",
// "reference", "challan", "notes", "other", "lines": [as a sales bill], "adjust": [{"bill": "12",
// "amount": 1000}]}. Purchase return: {"book", "number", "date", "party", "purBillNo",
// "purBillDate", "reason", "notes", "other", "lines": [as a purchase bill], "adjust": [...]}.
// Note: {"kind": "credit"|"debit", "number", "date", "book", "party", "account", "bill" or
// "bills": [...], "desc", "rateType", "percent", "quantity", "rate", "taxable", "item", "sgst",
// "cgst" (the item's when absent), "other", "tds", "tdsAccount", "refNo", "reason", "refNotes",
// "remarks", "skipGst"}.
#include "core/Session.h"
#include "db/Database.h"
#include "domain/returns/GoodsReturns.h"
#include "domain/returns/Notes.h"

#include <QJsonObject>

namespace tanabana::returns {

// Each throws trade::JsonRefused naming the key that is wrong.
SalesReturn salesReturnFromJson(db::Database& db, const Session& session, const QJsonObject& object);
PurchaseReturn purchaseReturnFromJson(db::Database& db, const Session& session, const QJsonObject& object);
Note noteFromJson(db::Database& db, const Session& session, const QJsonObject& object);

}  // namespace tanabana::returns
