#pragma once
// Sales invoices: goods sold to a party under a sales book, saved in SalBillMst/SalBillDtl and
// posted to the journal under document type 3 in the same transaction.
//
// A bill of 100 m at 105.00 with 5% GST to a party of the firm's state posts: party Dr 11,025.00;
// sales Cr 10,500.00; SGST Cr 262.50; CGST Cr 262.50 (the GST lines go to the book's own accounts
// when the book has "Auto A/c Entry"). A party of another state gets one IGST line of 525.00.
// Re-saving keeps the bill's Id and journal number; a bill with a payment keeps its party and
// cannot be deleted; a bill made from a delivery challan marks it sold until the bill goes.
#include "core/Messages.h"
#include "core/Session.h"
#include "db/Database.h"
#include "domain/documents/DocumentList.h"
#include "domain/documents/NumberSeries.h"
#include "domain/trade/SalesBill.h"

#include <optional>

namespace tanabana::trade {

// The firm-wide TCS threshold: a party's sales of the year from which TCS applies.
inline const Decimal kTcsThreshold(5000000);

struct PartyInfo {
    qint64 id = 0;
    QString name, city, gstin, ledgerId;
    bool otherState = false;   // IsOgs: IGST instead of SGST + CGST
    Decimal creditLimit;
    int creditDays = 0;
    Decimal tdsPercent;
    qint64 brokerId = 0;
    QString transport, transporterId, mobile;
};

// A saved bill as lists show it.
struct SavedBill {
    qint64 id = 0;
    qint64 bookNo = 0;
    QString billNo;
    QDate date;
    QString partyName;
    Decimal amount;   // BillAmount
    Decimal unpaid;   // UnPaidAmt
    bool opening = false;
};

class SalesInvoices {
public:
    SalesInvoices(db::Database& db, Session& session, Messages& messages);

    // The firm's sales books (BookNO, SalesName, BillType).
    db::Rows salesBooks();
    // The bills of a book (0: every book) for the screen's list, a page at a time, newest first,
    // searched as documents::listDocuments does; optionally only those still waiting for their
    // e-way bill, e-invoice or lorry receipt number. Marked: audited. Texts: city, e-way bill
    // number, challan number; figures: paid, unpaid.
    enum class Pending { Any, EwayBill, EInvoice, LrNo };
    documents::DocumentPage billList(qint64 bookNo, const documents::ListFilter& filter, Pending pending = Pending::Any);

    // The opening bills of the firm the same way; figures: unpaid.
    documents::DocumentPage openingBillList(const documents::ListFilter& filter);

    // Every bill of the firm (opening bills too) by date and key, or only the opening bills newest first.
    std::vector<SavedBill> allBills();
    std::vector<SavedBill> openingBills();
    // The bill of the book with this number (not an opening bill); 0 when there is none.
    qint64 findBill(qint64 bookNo, const QString& billNo);

    // The number after the latest bill of the book (latest date, then key); "1" for an empty book.
    QString nextBillNo(qint64 bookNo);
    QString lastBillNo(qint64 bookNo);
    std::optional<PartyInfo> party(qint64 partyId);
    // The party's sales bills of the year (their net amounts).
    Decimal partySales(qint64 partyId);
    // The TCS percent a bill should start with: the firm's percent for a new bill of a party whose
    // year's sales reached 5,000,000 while the bill has none; otherwise the bill's own.
    Decimal proposedTcsPercent(const SalesBill& bill);
    // True (after "Firm Limit Is Over." or "Party Limit Is Over.", title "Limit over") when the
    // firm's debtors or the party's balance exceed their positive limits; asked when the party is
    // chosen and again at the save.
    bool refuseOverLimits(const PartyInfo& party);
    // The truck number, transporter and transporter id of the party's latest bill, proposed for
    // the next one.
    struct Dispatch {
        QString truckNo, transport, transporterId;
    };
    Dispatch lastDispatch(qint64 partyId);
    // Takes header and lines from a challan of the bill's book; refused when missing or sold.
    bool fillFromChallan(SalesBill& bill, const QString& challanNo);

    // Lines and totals as they will be saved.
    ComputedBill compute(const SalesBill& bill);

    // Validates, writes and posts in one transaction; returns the bill's Id, nullopt after a refusal.
    // A bill without a number takes the book's next free number inside that transaction; the bill
    // then carries the number it really took. A re-save keeps what receipts wrote (paid amount,
    // settled mark) and computes from the GST rates stored on the bill.
    std::optional<qint64> save(SalesBill& bill);
    // Deletes after the questions; refused when paid. Releases the challans and removes the journal.
    bool remove(qint64 id);
    std::optional<SalesBill> load(qint64 id);
    // Gives a saved bill a new number (asked from the operator) and posts it again.
    bool renumber(qint64 id);
    // Marks the bill audited or not from the bill list; refused in a closed year or without the right.
    bool setAudited(qint64 id, bool audited);

    // A pending bill carried from an earlier year: header only, with its outstanding row.
    std::optional<qint64> saveOpening(SalesBill& bill);
    bool removeOpening(qint64 id);

private:
    struct Book;
    // What the books hold for a saved bill that a re-save must keep.
    struct Stored {
        qint64 partyId = 0;
        Decimal paid;
        bool settled = false;
    };
    static const documents::NumberSeries& numbers();
    std::optional<Stored> storedState(qint64 id);
    std::optional<Book> book(qint64 bookNo);
    bool validate(const SalesBill& bill, const ComputedBill& computed, const Book& book, const PartyInfo& party);
    bool billNoTaken(const SalesBill& bill);
    bool challansFree(const SalesBill& bill);
    void releaseChallans(qint64 billId);
    void markChallansSold(const SalesBill& bill);
    void writeHeader(const SalesBill& bill, const ComputedBill& computed, const Stored& stored);
    void writeLines(const SalesBill& bill, const ComputedBill& computed, bool rememberRates);
    void post(const SalesBill& bill, const ComputedBill& computed, const Book& book, const PartyInfo& party);

    db::Database& db_;
    Session& session_;
    Messages& messages_;
};

}  // namespace tanabana::trade
