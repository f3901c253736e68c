#pragma once
// A supplier's bill as the buying screens, the command line and the tests fill it: the header of
// BillMst, the typed part of each BillDtl line and the taka list of line 1. Amounts, GST, TCS,
// TDS and round-off are never taken from the caller: they are computed (PurchaseRules) from these.
//
// A grey purchase from a weaver: 4 takas, 398.5 m of "Rapier 60 Grey" at 52.00, 5% GST within the
// state: taxable 20,722.00, SGST 518.05, CGST 518.05, net 21,758.10 rounded to 21,758.
#include "core/Decimal.h"
#include "domain/trade/InvoiceMath.h"

#include <QDate>
#include <QString>
#include <vector>

namespace tanabana::trade {

// The three ways a bill is bought: goods on a purchase book, one expense ("service") on a general
// purchase book, several expense lines on a general purchase book.
enum class PurchaseKind { Goods, Expense, ExpenseLines };

// One taka (roll) of the fabric bought on line 1.
struct PurchaseTaka {
    QString takaNo;      // TakaNO
    Decimal metres;      // Mtrs
    bool issued = false; // Is_Issued: gone to a mill, kept through a re-save
};

struct PurchaseLine {
    qint64 qualityId = 0;   // PCode
    Decimal count;          // Qty1 ("N0")
    InvoiceLineInput input; // pieces (Qty2), quantity (PQty), rate as entered (PRate1), Disc %, freight, the item's GST
    int issuedTakas = 0;    // Issue_Taka: what the mills have already taken of this line
    Decimal issuedMetres;   // Issue_Mtrs
};

struct PurchaseBill {
    qint64 id = 0;                  // "Vou. No :"; 0 until saved
    qint64 serial = 0;              // BillSrno, given on the first save
    PurchaseKind kind = PurchaseKind::Goods;
    qint64 bookId = 0;
    QString billNo;                 // the supplier's number ("Pur. Bill No")
    QDate date;
    qint64 partyId = 0;
    int creditDays = 0;             // "Cr. Days"; due date = bill date + these
    QString invoiceType = QStringLiteral("T");  // Tax Inv., Retail Inv., Labour, Import, SEZ
    qint64 brokerId = 0;
    QString transport, caseNo, lrNo;
    QDate lrDate;
    QString lotNo;
    QString ewayBillNo;             // AGAINST
    QString notes;                  // "Desc"
    Decimal tdsPercent, tcsPercent;
    Decimal otherCharges;           // "Other (+/-)" as typed
    qint64 expenseAccountId = 0;    // GenPurAccId: the expense taking the debit on a general purchase
    qint64 reverseChargeId = 0;     // RCM_ID: greater than 0 posts the bill under reverse charge
    QString reverseChargeBillNo;    // RCM_BillNO: the self-invoice number
    qint64 reverseChargeJournalNo = 0;  // RCM_JVNO
    bool skipGst = false;           // Is_SkipGst: kept out of the GST returns
    bool audited = false;
    bool opening = false;           // IsOp -1: a pending bill carried from an earlier year
    Decimal pendingAmount;          // the opening bill's amount still due
    std::vector<PurchaseLine> lines;
    std::vector<PurchaseTaka> takas;
};

}  // namespace tanabana::trade
