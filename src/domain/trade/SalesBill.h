#pragma once
// A sales bill as the screens, the command line and the tests fill it: the header of SalBillMst
// and the typed part of each SalBillDtl line. Amounts, GST, TCS, TDS and round-off are never
// taken from the caller: the service computes them (InvoiceMath) from these inputs.
#include "core/Decimal.h"
#include "domain/trade/InvoiceMath.h"

#include <QDate>
#include <QString>
#include <optional>
#include <vector>

namespace tanabana::trade {

// The form of a taka-wise job-work challan that goes back to the customer (the bleaching firm's
// outward challan); a period bill's line taken from one names it in DChForm.
constexpr int kJobWorkOutward = 17;

struct SalesLine {
    qint64 qualityId = 0;          // PCode
    QString description;           // R3 ("Desc")
    QString remark1, remark2;      // R1, R2
    InvoiceLineInput input;        // quantities, rates, discounts, the item's GST
    // The tax layout the line was computed with on screen (true: one IGST column); set by a
    // screen that shows it, so a line left from before the party changed is caught.
    std::optional<bool> shownAsIgst;
    qint64 challanId = 0;          // DChId: source challan of a period invoice
    qint64 challanSrno = 0;        // DchIdSno
    int challanForm = 0;           // DChForm: 0 a delivery challan, 17 a job-work outward challan
    Decimal extraQty3, extraQty4;  // Qty3, Qty4
};

struct SalesBill {
    qint64 id = 0;                 // 0 until saved
    qint64 bookNo = 0;
    QString billNo;
    QDate date;
    qint64 partyId = 0;
    qint64 deliveryId = 0;         // DeliId ("Deli."); 0 takes the party
    qint64 consigneeId = 0;        // ConSId; 0 takes the party
    qint64 brokerId = 0;
    int creditDays = 0;            // CrDays; the due date is the bill date plus these
    qint64 challanNo = 0;          // ChNo: the delivery challan the bill was made from
    QString challanDate;           // Ch1
    QString doNo;                  // Grade ("D.O. No")
    QString orderDate;             // Ch2
    QString notes;                 // "Description"
    QString invoiceType = QStringLiteral("R");  // InvType: Retail, Export, SEZ
    qint64 invoiceTypeId = 0;      // PurTypeId
    Decimal returnPercent, returnAmount;  // DiscP, DiscRs ("CD")
    Decimal tdsPercent, tcsPercent;
    Decimal otherCharges;          // "Other (+/-)" as typed
    QString ewayBillNo;            // AGAINST
    QString truckNo;               // TrNO
    QString lrNo;
    QDate lrDate;
    QString transport, transporterId, vehicleNo, packing;
    qint64 caseNo = 0;
    QString extraName1, extraName2;  // SalPartyName, SalPartyName1
    QString shippingNo;            // Ret_Reason ("Ship. Doc No")
    QDate shippingDate;            // Sal_Bill_Dt, kept only with a shipping number
    Decimal cashPaid;              // PaidcashAmt: paid at the counter
    qint64 cashBookNo = 0;         // CashBookNO
    QString cashRemark;            // CashRem
    bool audited = false;          // Is_Audit
    int billFrom = 1;              // Bill_From: 1 challan, 2 job work
    bool opening = false;          // IsOp -1: a pending bill carried from an earlier year
    Decimal pendingAmount;         // the opening bill's amount still due
    std::vector<SalesLine> lines;
};

// A bill computed: its lines and totals as saved and printed.
struct ComputedBill {
    bool igst = false;
    std::vector<InvoiceLine> lines;
    InvoiceTotals totals;
};

}  // namespace tanabana::trade
