#pragma once
// The one order in which a saving transaction takes its series locks. Two stations that take two
// locks in opposite orders each end up holding one and waiting for the other; PostgreSQL then
// ends one of the saves with "deadlock detected". So every lock has a place in one order, and a
// transaction only ever takes locks that come after every lock it already holds:
//
//   1. its own table's series: keys, document numbers, taka numbers (tables in name order);
//   2. the sales and purchase bills that receipts, payments, returns and notes settle
//      (`SalBillMst`, then `BillMst` by name), whose own saves hold the same lock;
//   3. the journal's voucher numbers and entry serials;
//   4. the bill settlement rows (`Acc_OutSt`);
//   5. the journal number, last: every posting takes it, so it is held for the shortest time.
//
// All series of one table share one lock (a sales bill's number and its key are one lock); the
// journal's voucher numbers and its journal numbers are two. A path that needs a lock earlier in
// the order than one it will take anyway takes them all at its start with `lockInOrder`:
//
//   db::Transaction tx(db);
//   db::lockInOrder(db, {"key:HeadDtl3.VoucherNo", "BillMst.Id"});  // BillMst first, then vouchers
//
// Taking a lock out of order is a fault of the code; with TANABANA_STRICT_LOCKS set (the test
// suite sets it) it throws LockOutOfOrder, so every tested path is held to the order.
#include <QString>
#include <QStringList>
#include <stdexcept>

namespace tanabana::db {

class Database;

enum class LockRank { OwnTable = 1, Bills, Vouchers, Settlements, Journal };

// Where a series lock stands: lower ranks first, equal ranks by guard name.
struct LockPlace {
    LockRank rank = LockRank::OwnTable;
    QString guard;  // what is locked, lower case: the table, or the journal's series
    bool operator<(const LockPlace& other) const;
    bool operator==(const LockPlace& other) const { return rank == other.rank && guard == other.guard; }
};

// The place of a named series: "SalBillMst.BillNO", "key:HeadDtl3.JournalNo", "ProductionDtl.TakaNO".
LockPlace placeOf(const QString& series);

// Inside a transaction: takes the locks of these series in their order (each once).
void lockInOrder(Database& db, QStringList series);

class LockOutOfOrder : public std::logic_error {
public:
    LockOutOfOrder(const QString& wanted, const QString& held);
};

// The locks each connection's open transaction holds, by connection name; kept by Database.
namespace held {
// Records `place` for the connection; false when it already holds that lock. A place before the
// last one held breaks the order: LockOutOfOrder when strict, else the lock is taken all the same.
bool take(const QString& connection, const LockPlace& place, const QString& series);
void release(const QString& connection);
}  // namespace held

}  // namespace tanabana::db
