#pragma once
// The rules of a purchase bill that need no database: its arithmetic from what was typed and the
// supplier's settings, the check of the taka list against line 1, and the journal lines it posts.
//
// A bill of 100 m at 105.00 from a supplier of the state, 5% GST, on a book with "Auto A/c Entry"
// posts: purchase Dr 10,500.00; input SGST Dr 262.50; input CGST Dr 262.50; supplier Cr 11,025.00.
// Under reverse charge the supplier is owed 10,500.00 only (purchase Dr, supplier Cr) and the
// 525.00 of GST goes into the bill's own journal voucher, booked both as payable (Cr) and as
// input (Dr) on the book's reverse-charge accounts.
#include "domain/ledger/Journal.h"
#include "domain/trade/PurchaseBill.h"

#include <functional>
#include <optional>

namespace tanabana::trade {

// What the bill takes from its supplier's account.
struct Supplier {
    qint64 id = 0;
    QString name, city, gstin, ledgerId;
    bool otherState = false;     // IGST instead of SGST + CGST
    bool ratesIncludeGst = false;  // Hunditype "1": rates typed with GST ("Rate with GST in Pur.")
    bool gstToRupees = false;    // Is_Item_RNd 2: each line's GST rounded to rupees
    bool reverseCharge = false;  // Is_RevCh
    int creditDays = 0;
    Decimal tdsPercent;
    qint64 brokerId = 0;
};

// The accounts of a purchase book that the posting uses.
struct PurchaseBook {
    qint64 bookNo = 0;
    QString name, prefix, billType;
    bool generalPurchase = false;  // IsGenPur
    bool autoAccounts = false;     // Is_Auto_Ac: GST and charges go to the book's own accounts
    qint64 purchaseAccount = 0;    // PurAccId
    qint64 igstAccount = 0, sgstAccount = 0, cgstAccount = 0, otherAccount = 0;  // A1..A4
    qint64 igstPayable = 0, sgstPayable = 0, cgstPayable = 0;  // A1_P..A3_P (reverse charge)
    qint64 igstInput = 0, sgstInput = 0, cgstInput = 0;        // A1_R..A3_R (reverse charge)
    qint64 tcsAccount = 0, tdsAccount = 0;
};

struct ComputedPurchase {
    bool igst = false;
    bool reverseCharge = false;
    std::vector<InvoiceLine> lines;
    InvoiceTotals totals;
};

// Lines and totals as saved: the supplier's state, GST-inclusive rates and rupee-rounded line GST
// apply to every line; `roundOff` is the firm's "Bill Amount Round Off Purchase".
ComputedPurchase computePurchase(const PurchaseBill& bill, const Supplier& supplier, bool roundOff);

// The metres of the taka list when they differ from line 1's quantity (nothing when they agree or
// there is no list); the screen says "Taka Mtrs And Total Mtrs Not Match".
std::optional<Decimal> takaMetresMismatch(const PurchaseBill& bill);
// The first taka number given twice on the bill (compared trimmed, ignoring case), if any.
std::optional<QString> repeatedTaka(const PurchaseBill& bill);

// "Pur Inv - " + supplier bill number + " - " + party, with " (Gen Exp.)" on an expense bill.
QString purchaseNarration(const PurchaseBill& bill, const QString& partyName);
// The journal document of a computed bill: TableCode 1, the bill's Id, its date and number. A
// reverse-charge bill leaves its GST to reverseChargeVoucher.
ledger::JournalDocument purchaseJournal(const PurchaseBill& bill, const ComputedPurchase& computed, const PurchaseBook& book,
                                        const Supplier& supplier);
// The journal voucher (type 9, `voucherNo`) of a reverse-charge bill's GST: for each of IGST, SGST
// and CGST one entry, the book's payable account Cr and its input account Dr, narrated "Taxable
// Amt : <taxable>@RCM Bill No : <self-invoice>"; no lines when the bill carries no GST.
ledger::JournalDocument reverseChargeVoucher(const PurchaseBill& bill, const ComputedPurchase& computed, const PurchaseBook& book,
                                             qint64 voucherNo, const std::function<QString(qint64 accountId)>& accountName);

}  // namespace tanabana::trade
