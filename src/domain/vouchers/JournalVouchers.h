#pragma once
// Journal vouchers: amounts moved between two accounts without cash or bank (adjustments,
// discounts, interest, transfers between parties), posted under document type 9 on one voucher
// sequence of the firm. A voucher is saved whole (every entry replaced) or entry by entry like the
// cash vouchers, and the less/add differences that closed bills are turned into journal entries
// bill by bill or many at once.
//
// Journal voucher 3, entry 1: Rate Difference Cr 250.00 to Ramesh Silk Mills Dr 250.00:
//   Rate Difference Cr 250.00  "Ramesh Silk Mills #(JEV-3) "
//   Ramesh Silk Mills Dr 250.00 "Rate Difference #(JEV-3)"
// A sales bill closed with a less amount of 100.00 becomes party Cr 100.00 and the chosen
// account (say Discount) Dr 100.00: " Bill NO - GST/1 # Discount (JEV-4)".
#include "core/Decimal.h"
#include "core/Messages.h"
#include "core/Session.h"
#include "db/Database.h"
#include "domain/documents/DocumentList.h"
#include "domain/vouchers/Settlements.h"

#include <QDate>
#include <QString>
#include <optional>
#include <vector>

namespace tanabana::vouchers {

struct JournalEntry {
    int serial = 0;  // 0: a new entry
    qint64 creditAccId = 0, debitAccId = 0;
    Decimal amount;
    QString creditNarration, debitNarration;
    QString referenceNo;  // Receiptno
    // As loaded.
    QString creditName, debitName, creditDescription, debitDescription;
};

struct JournalVoucher {
    qint64 voucherNo = 0;  // 0: numbered at the first save
    QDate date;
    std::vector<JournalEntry> entries;
    Decimal total() const;
};

// A closed bill whose less or add amount waits for its journal entry (an Acc_OutSt row).
struct WaitingDifference {
    qint64 rowId = 0, billId = 0, partyId = 0;
    BillBook book = BillBook::Sales;
    QString type, billNo, ledgerId, partyName;
    QDate billDate, voucherDate;
    Decimal billAmount, paid, less, add;
    // The amount to post and the party's side: a less amount on a sales bill credits the party
    // ("Cr."), on a purchase bill debits it ("Dr."); an add amount the other way round.
    Decimal difference() const { return (less - add).abs(); }
    QChar partySide() const;
};

// One entry of the journal voucher list.
struct JournalFound {
    qint64 voucherNo = 0;
    QDate date;
    int serial = 0;
    QString debitName, creditName, referenceNo, narration;
    Decimal amount;
};

struct JournalAccount {
    qint64 id = 0;
    QString ledgerId, name;
    int groupNo = 0;
};

class JournalVouchers {
public:
    JournalVouchers(db::Database& db, const Session& session, Messages& messages);

    qint64 proposedVoucherNo();
    std::optional<JournalVoucher> load(qint64 voucherNo);
    // Active non-group accounts of the firm outside the bank group, by name or ledger code prefix.
    std::vector<JournalAccount> accounts(const QString& prefix, int limit = 30);

    // Saves the whole voucher: its journal is replaced by the entries with an amount; entries are
    // numbered 1, 2, 3 in their order. False after a refusal, with nothing written.
    bool saveWhole(JournalVoucher& voucher);
    // Saves one entry (new or modified) of the voucher.
    bool saveEntry(JournalVoucher& voucher, JournalEntry& entry);
    // Deletes one entry after "Are you sure to delete this Entry ?"; the later ones move down.
    bool removeEntry(qint64 voucherNo, int serial);
    // Deletes the whole voucher after the question.
    bool removeVoucher(qint64 voucherNo);

    // Every entry of the period, by date, voucher and serial.
    std::vector<JournalFound> list(const QDate& from, const QDate& to);
    // The entries for the screen's list, newest first (the listed id is the voucher number);
    // party: the credit account; text: the reference.
    documents::DocumentPage listPage(const documents::ListFilter& filter);

    // Differences waiting for their journal entry, of one book (and one party when given), by
    // party name, bill date and row.
    std::vector<WaitingDifference> waitingDifferences(std::optional<BillBook> book, qint64 partyId = 0);
    // One difference as its own voucher of the typed amount against the chosen account; returns
    // the voucher number.
    std::optional<qint64> postDifference(qint64 rowId, qint64 contraAccId, Decimal amount, const QDate& date);
    // Many differences in one voucher, one entry each, against one account (outside cash, bank,
    // debtors, suppliers and capital groups).
    std::optional<qint64> postDifferences(const std::vector<qint64>& rowIds, qint64 contraAccId, const QDate& date);

private:
    // A voucher a purchase bill posted for its reverse-charge GST, or an entry (serial 0: any of
    // the voucher; -1: none, a new entry) passing a bill's less/add amount, changes only through
    // its own screen: the refusal shown, true. Deleting a bill difference is allowed (it reopens
    // the difference).
    bool refuseProtected(qint64 voucherNo, int serial, bool deleting);
    // The differences passed by the voucher's entry (serial 0: the whole voucher) wait again.
    void reopenDifferences(qint64 voucherNo, int serial);
    bool refuseAccounts(qint64 creditAccId, qint64 debitAccId);
    bool refuseDate(const QDate& date);
    std::optional<qint64> postWaiting(const std::vector<std::pair<qint64, Decimal>>& rows, qint64 contraAccId, const QDate& date,
                                      bool multi);

    db::Database& db_;
    const Session& session_;
    Messages& messages_;
};

}  // namespace tanabana::vouchers
