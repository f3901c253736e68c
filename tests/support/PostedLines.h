#pragma once
// What the books hold for one document, as text a test compares line by line: its journal lines
// ("Sales A/c|D|2000.00|Sales Ret - GST/1 - Ramesh Silk Mills ( Sal Bill No. 2)") and a bill's
// outstanding ("paid 1000.00 unpaid 8900.00 open").
#include "core/Messages.h"
#include "db/Database.h"

#include <QStringList>

namespace tanabana::test {

// The journal lines of a document in posting order: account name, side, amount, description.
QStringList journalLines(db::Database& db, int tableCode, qint64 voucherNo);
// The paid and unpaid amounts of a sales ("SalBillMst") or purchase ("BillMst") bill and whether it is closed.
QString outstandingOf(db::Database& db, const QString& table, qint64 billId);

// True when any message (of any kind) had this text.
bool told(const RecordingMessages& messages, const QString& text);
// "title: text" of the last refusal, for a failed assertion to show; empty when none.
QString lastRefusal(const RecordingMessages& messages);

}  // namespace tanabana::test
