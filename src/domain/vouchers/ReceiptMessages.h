#pragma once
// A receipt sent to the party who paid: one entry of a cash or bank receipt, its voucher printed
// for that entry alone (other parties of the same voucher are not shown) and a short text, through
// the firm's WhatsApp service as the sales bill sends its invoice.
//
// Cash receipt 4, entry 1, Ramesh Silk Mills 4,000.00, receipt no R-1, settling bill 1:
// "Receipt No: CRV-4", "Date :*01-07-2024*", "M/S :Ramesh Silk Mills", "Amount :*4000.00*",
// "Rec No :R-1", "Against Bill No :1", "From :Shree Ganesh Textiles" (joined by "%0a").
#include "core/Messages.h"
#include "core/Session.h"
#include "db/Database.h"

#include <QDateTime>
#include <QString>

namespace tanabana::vouchers {

// The text of one receipt entry (type 6 cash, 8 bank); empty when the firm has no such entry.
QString receiptWhatsAppText(db::Database& db, const Session& session, int tableCode, qint64 voucherNo, int serial);

// The entry's receipt PDF written to WAPDF ("CRV_4_<ddMMMyyyy><hmmsAMPM>_Receipt.pdf") and sent
// with its text to `mobile` (the party's phone when empty; asked for when it has none). False
// when nothing went (the operator has been told); the PDF stays in WAPDF.
bool sendReceiptWhatsApp(db::Database& db, const Session& session, Messages& messages, int tableCode, qint64 voucherNo,
                         int serial, const QString& mobile = {}, const QDateTime& now = QDateTime::currentDateTime());

}  // namespace tanabana::vouchers
