#pragma once
// Selling documents read from JSON, for the command line and bulk loading. Amounts, GST, TCS and
// round-off are never read: the services compute them. Parties are named by ledger code, name or
// numeric Id, qualities by item code or Id; a missing number takes the book's next one.
//
//   {"book": 1, "date": "2024-06-05", "party": "35R001", "other": 0,
//    "lines": [{"quality": "101", "mtrs": 412.5, "pcs": 4, "rate": 52.25, "disc": 2}]}
//
// Challan: {"book", "number", "date", "party", "delivery", "broker",
// "order", "transport", "transporterId", "station", "vehicle", "lr", "lrDate", "freight", "case",
// "notes", and "lines": [{"quality", "desc", "pcs", "cut", "mtrs", "rateOn", "rate", "remark1",
// "remark2"}] or "takas": ["101", ...]}. Sales bill: the challan's header keys plus "consignee",
// "creditDays", "challan", "do", "tds", "tcs", "other", "eway", "truck", "packing", "cashPaid",
// "cashBook", "invoiceType", and "lines" with "netRate", "disc", "brk", "brkRs" besides; a period
// bill names its delivery challans of the book in "challans": ["41", "44"] (a bleaching firm its
// job-work outward challans of the party, by job number).
// Unknown keys and values of the wrong kind are refused with the key's name, so a typo never
// passes silently.
#include "core/Session.h"
#include "db/Database.h"
#include "domain/trade/DeliveryChallans.h"
#include "domain/trade/PurchaseBill.h"
#include "domain/trade/SalesBill.h"

#include <QJsonObject>
#include <stdexcept>

namespace tanabana::trade {

// A document the reader refuses; the text names the key (and line) that is wrong.
class JsonRefused : public std::runtime_error {
public:
    explicit JsonRefused(const QString& text) : std::runtime_error(text.toStdString()), text_(text) {}
    const QString& text() const { return text_; }

private:
    QString text_;
};

DeliveryChallan challanFromJson(db::Database& db, const Session& session, const QJsonObject& object);
SalesBill salesBillFromJson(db::Database& db, const Session& session, const QJsonObject& object);
// Purchase bill: {"kind": "goods"|"expense"|"expenseLines", "book", "number", "date", "party",
// "creditDays", "invoiceType", "broker", "transport", "case", "lr", "lrDate", "lot", "eway", "notes",
// "tds", "tcs", "other", "expense" (the expense account), "rcm", "rcmBillNo", "skipGst", "lines":
// [{"quality", "pcs", "count", "qty", "rateOn", "rate", "disc", "freight", "sgst", "cgst"}],
// "takas": [{"taka", "mtrs"}]}; a line without "rate" takes the item's purchase rate.
PurchaseBill purchaseBillFromJson(db::Database& db, const Session& session, const QJsonObject& object);

// Account Id of a ledger code, account name or numeric Id in the session's firm (0 when none).
qint64 accountRef(db::Database& db, const Session& session, const QString& codeOrId);
// Item Id of an item code or numeric Id in the session's firm (0 when none).
qint64 qualityRef(db::Database& db, const Session& session, const QString& codeOrId);
// Fills a line's rate basis, list rate (when not given) and GST from the item master.
void applyItem(db::Database& db, qint64 qualityId, InvoiceLineInput& input, bool rateGiven, bool rateOnGiven);

}  // namespace tanabana::trade
