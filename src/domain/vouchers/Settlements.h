#pragma once
// Bill-wise settlement: a receipt or payment entry pays the party's open sales or purchase bills.
// Each allocation is one Acc_OutSt row (payment, less and add amounts, "Fully Received"), and the
// bill carries the running paid and unpaid amounts with the invariant
//   UnPaidAmt = BillAmount - TDSRs - PaidAmt.
//
// A bill of 10,000.00 with TDS 100.00 settled by 4,000.00 is paid 4,000.00 and unpaid 5,900.00;
// a later 5,800.00 with less 100.00 and "Fully Received" closes it (paid 9,800.00, unpaid 100.00,
// the row waiting for its journal entry of the less amount).
//
// Everything here runs inside the caller's transaction: the entry, its settlements and the bill
// updates commit together. Bills are read and written under the bill services' own save lock, and
// each write is conditional on the paid amount read, so two stations settling one bill at once
// can never pay it beyond its unpaid amount.
#include "core/Decimal.h"
#include "db/Database.h"

#include <QDate>
#include <QString>
#include <vector>

namespace tanabana::vouchers {

// Sales bills are settled by receipts ("S"), purchase bills by payments ("P").
enum class BillBook { Sales, Purchase };
QString bookLetter(BillBook book);

// A bill of the party that is not closed, as the settlement panel lists it.
struct OpenBill {
    qint64 id = 0;
    BillBook book = BillBook::Sales;
    QString bookName;    // the bill's book
    QString bookPrefix;  // BookShortName, printed before our own bill numbers
    QString type;        // InvType
    QString billNo;
    QDate date, dueDate;
    Decimal billAmount;  // purchase bills: less their TDS
    Decimal unpaid;      // UnPaidAmt
    Decimal paid;        // PaidAmt + TDSRs
    Decimal tds;
    bool opening = false;  // carried from an earlier year
};

// One allocation of an entry to a bill: what the operator types.
struct Settlement {
    qint64 billId = 0;
    Decimal payment;  // "Payment"
    Decimal less;     // "Less Amt"
    Decimal add;      // "Add Amt"
    bool fullyReceived = false;
    // As read back: the row and the bill it names.
    qint64 rowId = 0;
    QString billNo, invoiceType;
    QDate billDate;
    Decimal billAmount;
    bool waitingJournal = false;  // IsJV: the less/add difference waits for its journal entry
    bool journalDone = false;     // IsJVEnd
};

// Which voucher entry settles.
struct SettlingEntry {
    int tableCode = 0;
    qint64 voucherNo = 0;
    int serial = 0;
    QDate date;
    qint64 partyId = 0;
    qint64 firmNo = 0;
    bool byReturn = false;  // a sales or purchase return adjusting bills (IsRet)
};

// A refusal raised inside a saving transaction; the service shows it and nothing stays written.
struct Refusal {
    QString title, text;
};

// The party's open bills of the book (FormId 4 sales returns and 2 purchase returns never), by
// date then key, opening bills included.
std::vector<OpenBill> openBills(db::Database& db, qint64 firmNo, BillBook book, qint64 partyId);
// The bills an entry being changed may settle: the party's open bills and the bills the entry
// itself settles (closed ones too), each as it stands without the entry's own settlements, since
// the save takes those back first.
std::vector<OpenBill> openBillsFor(db::Database& db, BillBook book, const SettlingEntry& entry);
// The settlements of one voucher entry, by their serial.
std::vector<Settlement> settlementsOf(db::Database& db, qint64 firmNo, int tableCode, qint64 voucherNo, int serial);
// True when the entry has settlement rows.
bool hasSettlements(db::Database& db, qint64 firmNo, int tableCode, qint64 voucherNo, int serial);

// The lock every save of the book's bills holds ("SalBillMst.BillNO"), for db::lockInOrder.
QString billsLock(BillBook book);
// Takes that lock; call first in the transaction.
void lockBills(db::Database& db, BillBook book);
// Removes the entry's settlements and gives their amounts back to the bills (reopening them).
// Throws Refusal when a difference of one of them has already been turned into a journal entry.
void takeBack(db::Database& db, BillBook book, const SettlingEntry& entry);
// Writes the settlements of the entry and updates the bills; throws Refusal (nothing kept by
// the caller's rollback) for a bill that is not an open bill of the party, a payment beyond the
// entry's amount ("Not Such Amount!") or beyond the bill's unpaid amount, negative amounts and a
// bill named twice. Returns the settled bills' numbers joined by ", ".
QString apply(db::Database& db, BillBook book, const SettlingEntry& entry, Decimal entryAmount,
              const std::vector<Settlement>& settlements);

}  // namespace tanabana::vouchers
