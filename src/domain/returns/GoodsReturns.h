#pragma once
// Goods coming back: a sales return (SalBillMst/SalBillDtl, FormId 4) takes back what a customer
// was sold, a purchase return (BillMst/BillDtl, FormId 2) sends goods back to the supplier. Each is
// computed like the bill it mirrors, adjusted against the party's open bills (Acc_OutSt rows of
// type 4 or 2 marked as made by a return) and posted in the same transaction.
//
// A customer sends back 20 m of a quality billed at 105.00 with 5% GST within the state: taxable
// 2,100.00, SGST 52.50, CGST 52.50, return 2,205.00. It posts party Cr 2,205.00 and sales Dr
// 2,205.00 (on an "Auto A/c Entry" book: sales Dr 2,100.00, SGST Dr 52.50, CGST Dr 52.50). Of the
// 2,205.00, 1,000.00 may settle bill 7 and 1,205.00 bill 9, whose unpaid amounts fall by as much.
#include "core/Messages.h"
#include "core/Session.h"
#include "db/Database.h"
#include "domain/documents/DocumentList.h"
#include "domain/trade/PurchaseRules.h"
#include "domain/trade/SalesBill.h"
#include "domain/vouchers/Settlements.h"

#include <optional>
#include <vector>

namespace tanabana::returns {

// How much of a return settles one of the party's open bills ("Paid Amt" of the paid-bills grid).
struct Adjustment {
    Adjustment() = default;
    Adjustment(qint64 bill, Decimal amountAdjusted, QString number = {}) : billId(bill), amount(amountAdjusted), billNo(std::move(number)) {}
    qint64 billId = 0;
    Decimal amount;
    QString billNo;  // as read back
};

struct SalesReturn {
    qint64 id = 0;
    qint64 bookNo = 0;
    QString returnNo;          // BillNO, the book's own series of returns
    QDate date;
    qint64 partyId = 0;
    QString sourceBillNo;      // AGAINST ("Sal Bill No"): the bill the goods came from
    QDate sourceBillDate;      // Sal_Bill_Dt ("Sal Bill Dt")
    QString reason;            // Ret_Reason
    QString reference;         // Grade1
    qint64 challanNo = 0;      // ChNo
    QString notes;
    Decimal otherCharges;      // "Other (+/-)" as typed
    std::vector<trade::SalesLine> lines;
    std::vector<Adjustment> adjustments;
};

struct PurchaseReturn {
    qint64 id = 0;
    qint64 bookId = 0;
    QString returnNo;          // BillNO, the book's own series of returns
    QDate date;
    qint64 partyId = 0;
    QString sourceBillNo;      // Pur_Bill_No: the supplier's bill the goods came from
    QDate sourceBillDate;      // Pur_Bill_Dt
    QString reason;            // Ret_Reason
    QString notes;
    Decimal otherCharges;
    std::vector<trade::PurchaseLine> lines;
    std::vector<Adjustment> adjustments;
    bool reverseCharge = false;  // as read back: the source bill was posted under reverse charge
};

// A saved return as the command line lists it.
struct SavedReturn {
    qint64 id = 0;
    QString returnNo, partyName, sourceBillNo;
    QDate date;
    Decimal amount, adjusted;
};

class SalesReturns {
public:
    SalesReturns(db::Database& db, Session& session, Messages& messages);

    QString nextReturnNo(qint64 bookNo);
    // The party's open sales bills the return may settle, by date; with a saved return, the bills
    // it settles too, their unpaid amounts counting its own adjustment as free again.
    std::vector<vouchers::OpenBill> openBills(qint64 partyId, qint64 returnId = 0);
    trade::ComputedBill compute(const SalesReturn& doc);

    // Validates, writes, adjusts and posts in one transaction; the Id, nullopt after a refusal.
    std::optional<qint64> save(SalesReturn& doc);
    bool remove(qint64 id);
    std::optional<SalesReturn> load(qint64 id);
    documents::DocumentPage list(const documents::ListFilter& filter);
    std::vector<SavedReturn> all();

private:
    struct Book;
    std::optional<Book> book(qint64 bookNo);
    bool validate(const SalesReturn& doc, const trade::ComputedBill& computed, const Book& book);
    void post(const SalesReturn& doc, const trade::ComputedBill& computed, const Book& book, const QString& partyName);

    db::Database& db_;
    Session& session_;
    Messages& messages_;
};

class PurchaseReturns {
public:
    PurchaseReturns(db::Database& db, Session& session, Messages& messages);

    QString nextReturnNo(qint64 bookId);
    std::vector<vouchers::OpenBill> openBills(qint64 partyId, qint64 returnId = 0);
    // Lines and totals; under reverse charge the GST stays out of the amount.
    trade::ComputedPurchase compute(const PurchaseReturn& doc);

    std::optional<qint64> save(PurchaseReturn& doc);
    bool remove(qint64 id);
    std::optional<PurchaseReturn> load(qint64 id);
    documents::DocumentPage list(const documents::ListFilter& filter);
    std::vector<SavedReturn> all();

private:
    // The reverse-charge reference of the supplier's bill the goods came from (0: none).
    qint64 sourceReverseCharge(const PurchaseReturn& doc);
    bool validate(const PurchaseReturn& doc, const trade::ComputedPurchase& computed, const trade::PurchaseBook& book);
    void post(const PurchaseReturn& doc, const trade::ComputedPurchase& computed, const trade::PurchaseBook& book,
              const trade::Supplier& supplier);

    db::Database& db_;
    Session& session_;
    Messages& messages_;
};

}  // namespace tanabana::returns
