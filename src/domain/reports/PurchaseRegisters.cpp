#include "domain/reports/PurchaseRegisters.h"

#include "db/Dialect.h"

namespace tanabana::reports {

namespace {

const db::Dialect kPurchaseSql;

RegisterDefinition purchaseBills(const QString& name, const QString& kind, const QString& layout, const QStringList& order) {
    RegisterDefinition d;
    d.name = name;
    d.command = QStringLiteral("mnu_R31");
    d.kind = kind;
    d.title = QStringLiteral("Purchase Register (%1)").arg(kind);
    d.layout = layout;
    d.pdfName = QStringLiteral("Purchase_Register_") + QString(kind).remove(QLatin1Char(' '));
    d.select = QStringLiteral("SELECT m.Id AS BillId, m.Id AS VouNo, m.BillNO, m.BillDate, m.BookId, COALESCE(b.PurNAme, '') AS BookName, "
                              "COALESCE(a.AcName, '') AS PartyName, COALESCE(a.City, '') AS PartyCity, COALESCE(a.TinNo, '') AS PartyGSTIN, "
                              "CASE WHEN m.GenPurAccId > 0 THEN COALESCE(e.AcName, '') ELSE '' END AS Expense, "
                              "CASE WHEN m.RCM_ID > 0 THEN 'Y' ELSE '' END AS RevCh, (SELECT ") +
               kPurchaseSql.sumRounded(QStringLiteral("x.PQty"), 3) +
               QStringLiteral(" FROM BillDtl x WHERE x.BillMstId = m.Id) AS Qty, "
                              "m.TotAmt AS Taxable, m.VatRs AS SGST, m.ATAXRs AS CGST, m.CSTRs AS IGST, m.TCSRs AS TCS, "
                              "m.OtherP AS Other, m.BillAmount AS NetAmount "
                              "FROM BillMst m LEFT JOIN AccMst a ON a.Id = m.PartyID LEFT JOIN AccMst e ON e.Id = m.GenPurAccId "
                              "LEFT JOIN BookMst b ON b.BookNO = m.BookId AND b.FirmNO = m.FirmNO");
    d.where = QStringLiteral("m.FormId = 1 AND COALESCE(m.IsOp, 0) = 0");
    d.firmColumn = QStringLiteral("m.FirmNO");
    d.dateColumn = QStringLiteral("m.BillDate");
    d.partyFilter = QStringLiteral("m.PartyID = ?");
    d.bookFilter = QStringLiteral("m.BookId = ?");
    d.itemFilter = QStringLiteral("EXISTS (SELECT 1 FROM BillDtl x WHERE x.BillMstId = m.Id AND x.PCode = ?)");
    d.orderBy = order;
    d.keyColumn = QStringLiteral("BillId");
    return d;
}

// The day-wise reverse-charge register of the general expenses: every bill of a reverse-charge
// supplier under its day, the days whose bills together exceed the firm's free limit apart from
// those within it, with the self-invoice number and journal voucher each bill got.
RegisterDefinition reverseChargeDays() {
    const QString dayTotal = QStringLiteral("(SELECT ") + kPurchaseSql.sumRounded(QStringLiteral("x.BillAmount")) +
                             QStringLiteral(" FROM BillMst x INNER JOIN AccMst y ON y.Id = x.PartyID WHERE y.Is_RevCh = 1 AND x.BillDate = m.BillDate "
                                            "AND x.FirmNO = m.FirmNO AND x.FormId = 1 AND COALESCE(x.IsOp, 0) = 0)");
    RegisterDefinition d;
    d.name = QStringLiteral("purchase-rcm-days");
    d.command = QStringLiteral("mnu_R25");
    d.kind = QStringLiteral("Reverse Charge Day Wise");
    d.title = QStringLiteral("General Expenses Register (Reverse Charge, Day Wise)");
    d.layout = QStringLiteral("Acc_GenExpReg_GST.rpt");
    d.pdfName = QStringLiteral("GenExp_RCM_DayWise");
    d.select = QStringLiteral("SELECT m.Id AS BillId, m.BillNO, m.BillDate, COALESCE(a.AcName, '') AS PartyName, "
                              "COALESCE(CASE WHEN m.GenPurAccId > 0 THEN e.AcName ELSE b.PurNAme END, '') AS Expense, "
                              "m.TotAmt AS Taxable, m.VatRs AS SGST, m.ATAXRs AS CGST, m.CSTRs AS IGST, m.BillAmount AS NetAmount, "
                              "m.RCM_ID AS RcmId, COALESCE(m.RCM_BillNO, '') AS RcmBillNo, "
                              "CASE WHEN m.RCM_JVNO > 0 THEN m.RCM_JVNO END AS RcmJvNo, ") +
               dayTotal + QStringLiteral(" AS DayTotal, CASE WHEN ") + dayTotal +
               QStringLiteral(" > COALESCE(f.RCM_Limit, 0) THEN '1. Above RCM Limit' ELSE '2. Within RCM Limit' END AS LimitGroup "
                              "FROM BillMst m INNER JOIN AccMst a ON a.Id = m.PartyID LEFT JOIN AccMst e ON e.Id = m.GenPurAccId "
                              "LEFT JOIN BookMst b ON b.BookNO = m.BookId AND b.FirmNO = m.FirmNO LEFT JOIN FirmMst f ON f.Srno = m.FirmNO");
    d.where = QStringLiteral("m.FormId = 1 AND COALESCE(m.IsOp, 0) = 0 AND a.Is_RevCh = 1");
    d.firmColumn = QStringLiteral("m.FirmNO");
    d.dateColumn = QStringLiteral("m.BillDate");
    d.partyFilter = QStringLiteral("m.PartyID = ?");
    d.bookFilter = QStringLiteral("m.BookId = ?");
    d.orderBy = {QStringLiteral("LimitGroup"), QStringLiteral("BillDate"), QStringLiteral("BillId")};
    d.keyColumn = QStringLiteral("BillId");
    return d;
}

}  // namespace

std::vector<RegisterDefinition> purchaseRegisters() {
    RegisterDefinition byDate = purchaseBills(QStringLiteral("purchase-by-date"), QStringLiteral("Date Wise"),
                                              QStringLiteral("PurRegister_GST_1.rpt"), {QStringLiteral("BillDate"), QStringLiteral("BillId")});
    byDate.runningOf = QStringLiteral("NetAmount");
    byDate.runningInto = QStringLiteral("RunningAmount");
    return {byDate,
            purchaseBills(QStringLiteral("purchase-by-party"), QStringLiteral("Party Wise"), QStringLiteral("PurRegister_GST_2.rpt"),
                          {QStringLiteral("PartyName"), QStringLiteral("BillDate"), QStringLiteral("BillId")}),
            purchaseBills(QStringLiteral("purchase-by-book"), QStringLiteral("Book Wise"), QStringLiteral("PurRegister_GST_3.rpt"),
                          {QStringLiteral("BookId"), QStringLiteral("BillDate"), QStringLiteral("BillId")}),
            reverseChargeDays()};
}

}  // namespace tanabana::reports
