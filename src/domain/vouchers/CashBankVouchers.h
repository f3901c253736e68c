#pragma once
// Cash and bank receipts and payments. A voucher belongs to one cash or bank book and holds any
// number of entries; each entry moves one amount between the book's account and one party and is
// posted at once as a pair of journal lines sharing the entry's serial. An entry may settle the
// party's open sales bills (receipts) or purchase bills (payments).
//
// Cash receipt 4 of 12-08-2024, entry 1: Ramesh Silk Mills pays 4,000.00 in cash, receipt no 77:
//   CASH     Dr 4,000.00  "Ramesh Silk Mills #  R.NO -77# (CRV-4)"
//   Ramesh   Cr 4,000.00  "Cash  #  R.NO -77# (CRV-4)"
// The entry, its settlements and the bills' paid amounts are saved in one transaction: a refusal
// or a failure leaves nothing, and a removed entry gives its amounts back to the bills.
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

enum class CashBankKind { CashReceipt, CashPayment, BankReceipt, BankPayment };

// What tells the four vouchers apart.
struct VoucherStyle {
    CashBankKind kind;
    int tableCode;        // 6, 5, 8, 7
    QString caption;      // "Cash Receipt"
    QString bookType;     // "C" cash books, "B" bank books
    QChar bookSide;       // the book line's side: 'D' on receipts
    QString contraWord;   // the party line's description starts with it: "Cash "
    QString receiptPart;  // " R.NO -"
    QString code;         // "(CRV-"
    BillBook settles;     // sales bills on receipts, purchase bills on payments
    QString report;       // the print layout
    bool receipt() const { return bookSide == QLatin1Char('D'); }
};
const VoucherStyle& styleOf(CashBankKind kind);
std::optional<CashBankKind> kindOfTableCode(int tableCode);

// One entry of a voucher, as typed or as loaded.
struct VoucherEntry {
    int serial = 0;  // 0: a new entry, numbered after the voucher's last
    qint64 partyId = 0;
    Decimal amount;
    QString receiptNo;  // receipt or cheque number
    QString narration;
    QString narration2;     // empty on a bill-wise entry: the settled bills' numbers
    bool billWise = false;  // "Bl :" Y
    std::vector<Settlement> settlements;
    // As loaded.
    QString partyName, ledgerId, description;
    QDate date;
};

struct CashBankVoucher {
    CashBankKind kind = CashBankKind::CashReceipt;
    qint64 voucherNo = 0;  // 0: a new voucher, numbered at its first save
    QDate date;
    qint64 bookNo = 0;
    std::vector<VoucherEntry> entries;  // by serial
    Decimal total() const;
};

struct VoucherBook {
    qint64 bookNo = 0;
    QString name, shortName;
    qint64 accountId = 0;  // PurAccId: the cash or bank account
};

// A row of the voucher search and of the voucher list.
struct VoucherFound {
    qint64 voucherNo = 0;
    QDate date;
    int serial = 0;
    QString ledgerId, partyName;
    Decimal amount;
    QString receiptNo, narration, description, bookAccount;
    bool billWise = false;
};

class CashBankVouchers {
public:
    CashBankVouchers(db::Database& db, const Session& session, Messages& messages, CashBankKind kind);
    const VoucherStyle& style() const { return style_; }

    // The firm's cash books (cash vouchers) or bank books (bank vouchers), by number.
    std::vector<VoucherBook> books();
    // The book a new voucher starts with: the book of the latest voucher of this kind for bank
    // vouchers, the first book otherwise; 0 when the firm has none.
    qint64 proposedBook();
    // The number a new voucher will most likely take (it is taken at the first save).
    qint64 proposedVoucherNo();
    std::optional<CashBankVoucher> load(qint64 voucherNo);
    // The bills the entry may settle: the party's open bills and, for a saved entry being changed,
    // the bills it settles itself, shown without its own settlements (closed ones open again).
    std::vector<OpenBill> openBills(qint64 partyId, qint64 voucherNo = 0, int serial = 0);

    // Saves one entry of the voucher (new or modified) with its settlements in one transaction.
    // The voucher takes its number and the entry its serial on a first save. A bill-wise entry
    // whose payments leave part of the amount unallocated asks "Balance Remain Mismatch" first.
    // Returns false after a refusal, with nothing written.
    bool saveEntry(CashBankVoucher& voucher, VoucherEntry& entry);
    // Deletes one entry after the question; a bill-wise entry asks "Delete Outstanding Bill" and
    // gives its settlements back to the bills. The later entries are numbered down, their
    // settlements with them.
    bool removeEntry(qint64 voucherNo, int serial);
    // Deletes the whole voucher after one question; every settlement of its entries goes back to
    // its bill in the same transaction.
    bool removeVoucher(qint64 voucherNo);

    enum class SearchBy { Name, Amount, ReceiptNo };
    // Party lines of this kind whose party name or receipt number starts with the text, or whose
    // amount equals it; newest first.
    std::vector<VoucherFound> search(SearchBy by, const QString& text, std::optional<bool> billWise = std::nullopt);
    // Every entry of the period, by date, voucher and serial.
    std::vector<VoucherFound> list(const QDate& from, const QDate& to);
    // The entries for the screen's list, newest first, a page at a time, searched by voucher
    // number, party name or amount; each opens its voucher (the listed id is the voucher number).
    // Texts: receipt no, "Y"/"N" bill-wise, description.
    documents::DocumentPage listPage(const documents::ListFilter& filter);

private:
    std::optional<VoucherBook> book(qint64 bookNo);
    bool validate(const CashBankVoucher& voucher, const VoucherEntry& entry, const std::optional<VoucherBook>& book);
    std::vector<VoucherFound> found(const QString& condition, const QVariantList& params, const QString& order);

    db::Database& db_;
    const Session& session_;
    Messages& messages_;
    const VoucherStyle& style_;
};

}  // namespace tanabana::vouchers
