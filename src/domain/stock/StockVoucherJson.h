#pragma once
// Stock vouchers read from JSON for the command line: {"kind": "issue"|"receipt" (issue when
// absent), "book", "number" (the next of the kind and book when absent), "date", "party" (ledger
// code, name or Id), "process", "lot", "remarks", "lines": [{"quality" (code or Id), "pcs", "cut"
// (the quality's cut when absent), "mtrs"}]}.
#include "core/Session.h"
#include "db/Database.h"
#include "domain/stock/StockVouchers.h"

#include <QJsonObject>

namespace tanabana::stock {

// Throws trade::JsonRefused naming the key that is wrong.
StockVoucher stockVoucherFromJson(db::Database& db, const Session& session, const QJsonObject& object);

}  // namespace tanabana::stock
