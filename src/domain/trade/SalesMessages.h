#pragma once
// The messages a sales bill sends to its party: the WhatsApp text with the invoice PDF, and the
// three short texts of the SMS gateway. Sending goes through the shared message channels.
//
// WhatsApp for bill GST/12 of 05-06-2024 to "Ramesh Silk Mills", 400 m, 11,025.00, lines joined
// by "%0a": "Bill No: GST/12", "Date :*05-06-2024*", "M/S :Ramesh Silk Mills",
// "Total Mtrs : *400.000*", "Bill Amount :*11025.00*", ..., "From :Shree Ganesh Textiles".
#include "core/Messages.h"
#include "core/Session.h"
#include "db/Database.h"

#include <QDateTime>
#include <QString>

namespace tanabana::trade {

// The WhatsApp text of a saved bill.
QString invoiceWhatsAppText(db::Database& db, const Session& session, qint64 billId);

// The SMS forms the sales screen offers: 1 amount with the party's outstanding, 2 dispatch
// details, 3 amount only. `extra` (typed on the screen) is added as a last line when not empty.
enum class SmsForm { AmountAndOutstanding = 1, Dispatch = 2, Amount = 3 };
QString invoiceSmsText(db::Database& db, const Session& session, qint64 billId, SmsForm form, const QString& extra = {});

// The invoice PDF written to WAPDF ("<bill>_BS_<ddMMMyyyy><hmmsAMPM>_Invoice.pdf") and sent with
// its text to `mobile` (the number on the screen; asked for when empty). False when nothing went
// or the channel failed (it has told the operator); the PDF stays in WAPDF.
bool sendInvoiceWhatsApp(db::Database& db, const Session& session, Messages& messages, qint64 billId,
                         const QString& mobile, const QDateTime& now = QDateTime::currentDateTime());

// The text of `form` to the party's phone (asked for when the account has none); the gateway's
// answer is shown as "Message Send" or "Message Failed".
bool sendInvoiceSms(db::Database& db, const Session& session, Messages& messages, qint64 billId, SmsForm form,
                    const QString& extra = {}, const QString& mobile = {});

}  // namespace tanabana::trade
