#pragma once
// Purchase invoices: what the firm buys, saved in BillMst/BillDtl with the taka list of line 1 in
// BillMst_TakaDetail and posted to the journal under document type 1 in the same transaction.
// Goods bills, expense ("service") bills with one or several lines, and opening bills carried from
// an earlier year share the tables; purchase challans (no tax, no posting) have their own.
//
// A grey purchase of 4 takas, 398.5 m at 52.00 from a weaver of the state: BillMst row with
// taxable 20,722.00, SGST = CGST = 518.05, net 21,758.00; the journal credits the weaver 21,758.00
// and debits purchase 20,722.00, input SGST and CGST 518.05 each and round-off 0.10 Cr. Re-saving
// keeps the bill's Id, serial and journal number; a paid bill keeps its party and stays. The
// reverse-charge references are given and taken back for a whole day (calculateReverseCharge,
// removeReverseCharge); a re-save keeps what the bill has.
#include "core/Messages.h"
#include "core/Session.h"
#include "db/Database.h"
#include "domain/documents/DocumentList.h"
#include "domain/documents/Lookups.h"
#include "domain/trade/PurchaseRules.h"

#include <QStringList>
#include <functional>
#include <optional>

namespace tanabana::trade {

// One row of the saved-bills list.
struct PurchaseListRow {
    qint64 id = 0;
    QString billNo;
    QDate date;
    QString partyName;
    Decimal amount;
    QString invoiceType;
    int creditDays = 0;
    qint64 bookId = 0;
    QString bookName;
    bool reverseChargeParty = false;
    QString reverseChargeBillNo;
    qint64 reverseChargeJournalNo = 0;
    bool audited = false, matched2A = false;
    Decimal paid, unpaid;
    QDate paidDate;
};

// An item as the purchase line's list offers it: name, code, purchase rate, unit, rate basis, HSN
// and GST.
struct PurchaseItem {
    qint64 id = 0;
    QString name, code, unit, hsn;
    Decimal purchaseRate;
    QString rateOn = QStringLiteral("M");  // "P" for items bought by the piece
    Decimal sgstPercent, cgstPercent;
    int gstCalc = 1;                       // 1: rates without GST, else rates with GST inside
};

// The day's purchases from reverse-charge suppliers, against the firm's daily limit.
struct ReverseChargeDay {
    Decimal withoutGst;  // bills of the day carrying no GST
    Decimal all;         // every reverse-charge bill of the day
    Decimal limit;       // RCM_Limit
};

class PurchaseInvoices {
public:
    PurchaseInvoices(db::Database& db, Session& session, Messages& messages);

    // Books of the kind: purchase books ("P"/"A", not general) for goods, general purchase books for
    // expenses.
    std::vector<PurchaseBook> books(PurchaseKind kind);
    std::optional<PurchaseBook> book(qint64 bookNo);
    // The supplier when it may be chosen for the kind: goods from active accounts of groups 76, 77,
    // 79, 80; expenses from active accounts outside the trading, stock, party and capital groups.
    std::optional<Supplier> supplier(qint64 accountId, PurchaseKind kind = PurchaseKind::Goods);
    // True when the account may take the debit of an expense bill (an active ledger of the firm).
    bool isExpenseAccount(qint64 accountId);

    // The screens' lists: suppliers of the kind, expense accounts, items (active, not new
    // products) and earlier transporters, each by the typed beginning.
    std::vector<documents::PartyChoice> suppliers(PurchaseKind kind, const QString& prefix, int limit = 30);
    std::vector<documents::PartyChoice> expenseAccounts(const QString& prefix, int limit = 30);
    std::vector<PurchaseItem> items(const QString& prefix, int limit = 30);
    std::optional<PurchaseItem> item(qint64 itemId);
    QStringList transporters(const QString& prefix, int limit = 30);
    // A line takes the item's GST, its rate basis and, unless a rate was typed, its purchase rate.
    static void applyItem(PurchaseLine& line, const PurchaseItem& item, bool keepRate);
    // "Bal. :" beside the party: its balance in the books ("12,500 Cr.").
    QString partyBalance(qint64 partyId);

    // "Rate  : 52 [ BILL No.GR/118 Dt: 03-06-24 ]" from the party's latest bill of the item; empty
    // when the party never sold it to the firm.
    QString lastPurchaseRate(qint64 partyId, qint64 itemId);
    // The saved bill of the party with that supplier number (not an opening bill), to open instead
    // of starting a second one.
    std::optional<qint64> billOfParty(qint64 partyId, const QString& billNo, PurchaseKind kind = PurchaseKind::Goods);
    // Bills of the kind, newest first; optionally one book and parties starting with `partyPrefix`.
    std::vector<PurchaseListRow> billList(PurchaseKind kind, qint64 bookId = 0, const QString& partyPrefix = {}, int limit = 500);
    // One page of the screen's saved-bills list: the kind's bills of the book (0: every book),
    // newest first, with the audited mark, the self-invoice number, paid and unpaid amounts.
    documents::DocumentPage billPage(PurchaseKind kind, qint64 bookId, const documents::ListFilter& filter);
    // One page of the opening bills carried from earlier years, with their unpaid amounts.
    documents::DocumentPage openingPage(const documents::ListFilter& filter);
    // Reverse-charge purchases of the day for the general purchase screen.
    ReverseChargeDay reverseChargeDay(const QDate& date);

    ComputedPurchase compute(const PurchaseBill& bill);
    // "RCM Calculate": when the day's bills of reverse-charge suppliers exceed the firm's free
    // limit, each unpaid one with GST and no reference yet gets the firm's next reference (RCM_ID,
    // self-invoice prefix + number, "PRC-7") and is posted again under reverse charge, its GST in
    // a journal voucher of its own (RCM_JVNO), all in one transaction. A day within the limit is
    // refused. Returns the bills changed.
    int calculateReverseCharge(const QDate& date);
    // "RCM Not Calculate": the day's bills lose their references and reverse-charge journal
    // vouchers and post their GST as ordinary input again, in one transaction; refused whole when
    // one of them is paid. Returns the bills changed.
    int removeReverseCharge(const QDate& date);

    // Validates, writes and posts in one transaction; the Id, nullopt after a refusal.
    std::optional<qint64> save(PurchaseBill& bill);
    // Deletes after the question; refused when paid or when its reverse-charge journal exists.
    bool remove(qint64 id);
    std::optional<PurchaseBill> load(qint64 id);
    bool setAudited(qint64 id, bool audited);

    // A pending bill carried from an earlier year: header only, with its outstanding row.
    std::optional<qint64> saveOpening(PurchaseBill& bill);
    bool removeOpening(qint64 id);

private:
    bool validate(const PurchaseBill& bill, const ComputedPurchase& computed, const PurchaseBook& book);
    bool refuseTooLong(const PurchaseBill& bill, const ComputedPurchase& computed);
    void writeHeader(const PurchaseBill& bill, const ComputedPurchase& computed, Decimal paid, bool gstToRupees);
    void writeLines(const PurchaseBill& bill, const ComputedPurchase& computed);
    void writeTakas(const PurchaseBill& bill);
    // Posts the bill and, under reverse charge, its GST voucher (setting the bill's RCM_JVNO).
    void post(PurchaseBill& bill, const ComputedPurchase& computed, const PurchaseBook& book, const Supplier& supplier);
    // Writes and posts a saved bill again after its reverse-charge references changed.
    bool repost(PurchaseBill& bill);
    std::vector<qint64> reverseChargeBills(const QDate& date, const QString& condition);
    // Changes and re-posts the day's reverse-charge bills meeting `condition` in one transaction;
    // nothing is kept when `change` refuses a bill or the books refuse a posting.
    std::optional<int> repostDay(const QDate& date, const QString& condition, const std::function<bool(PurchaseBill&)>& change);
    qint64 voucherOfJournal(qint64 journalNo);
    bool keepsTakas() const;
    bool roundOffKept() const;
    bool refusePaid(qint64 id, const QString& title);
    bool refuseReverseChargeJournal(qint64 id);
    bool refuseAtMill(qint64 id);

    db::Database& db_;
    Session& session_;
    Messages& messages_;
};

}  // namespace tanabana::trade
