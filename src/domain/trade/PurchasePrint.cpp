#include "domain/trade/PurchasePrint.h"

#include "core/Decimal.h"
#include "core/Text.h"
#include "core/Words.h"
#include "domain/reports/ReportError.h"
#include "domain/trade/TradePrint.h"

namespace tanabana::trade {

QString purchaseLayoutName(int printType, bool expenseBill) {
    const QString stem = expenseBill ? QStringLiteral("INVOICE_RCM_MKT_GST") : QStringLiteral("INVOICE_PUR_MKT_GST");
    return printType > 1 ? stem + QLatin1Char('_') + QString::number(printType) + QStringLiteral(".rpt") : stem + QStringLiteral(".rpt");
}

QString purchasePdfName(const QString& billNo, const QString& partyName) {
    return CleanFileName(QStringLiteral("Pur_No -") + billNo.trimmed() + QLatin1Char('_') + partyName.trimmed());
}

reports::ReportRequest purchaseRequest(db::Database& db, const Session& session, qint64 billId, int printType) {
    const auto bill = db.queryOne(QStringLiteral("SELECT GenPurAccId, BillAmount FROM BillMst WHERE Id = ? AND FirmNO = ? AND FormId = 1"),
                                  {billId, session.firmNo});
    if (!bill) throw reports::ReportError(QStringLiteral("Purchase bill %1 is not in firm %2.").arg(billId).arg(session.firmNo));
    const bool expense = bill->integer(QStringLiteral("GenPurAccId")) > 0;
    reports::ReportRequest r;
    r.layoutName = availableLayout(session.dataRoot, purchaseLayoutName(printType, expense), purchaseLayoutName(1, expense));
    r.sql = QStringLiteral(
        "SELECT f.PName AS FirmNAme, f.Add1 AS FirmAdd1, f.City AS FirmCity, f.Tin AS FirmTIN, f.CST AS FirmState, f.Ph AS FirmPh, "
        "m.Id, m.BillSrno, m.BillNO, m.BillDate, m.PDueDate, m.LotNO, m.TransportName, m.LrNo, m.LrDate, m.AGAINST, m.Notes, "
        "m.TotAmt, m.VatRs, m.ATAXRs, m.CSTRs, m.TCSP, m.TCSRs, m.TDSP, m.TDSRs, m.OtherP, m.BillAmount, m.RCM_BillNO, "
        "CASE WHEN m.RCM_ID > 0 THEN 'Yes' ELSE 'No' END AS ReverseCharge, e.AcName AS ExpenseName, "
        "a.AcName AS PartyName, a.Add1 AS PartyAdd1, a.City AS PartyCity, a.TinNo AS PartyGSTIN, a.CSTNo AS PartyState, "
        "k.PName AS BrokerName, b.PurNAme AS BookName, "
        "(SELECT count(*) FROM BillMst_TakaDetail t WHERE t.BillMst_Id = m.Id) AS TakaCount, "
        "(SELECT COALESCE(SUM(t.Mtrs), 0) FROM BillMst_TakaDetail t WHERE t.BillMst_Id = m.Id) AS TakaMtrs, "
        "d.Srno, COALESCE(p.ProdName, e.AcName) AS LineName, p.hsnCode, d.Qty2, d.PQty, d.PM, d.PRate, d.CDP, d.Freight_D, d.PAmt, "
        "d.VatPD + d.ATaxPD AS GstP "
        "FROM BillMst m INNER JOIN BillDtl d ON d.BillMstId = m.Id LEFT JOIN ProdMst p ON p.Id = d.PCode "
        "LEFT JOIN AccMst a ON a.Id = m.PartyID LEFT JOIN AccMst e ON e.Id = m.GenPurAccId "
        "LEFT JOIN BrokerMst k ON k.Srno = m.BrokerId LEFT JOIN BookMst b ON b.BookNO = m.BookId AND b.FirmNO = m.FirmNO "
        "LEFT JOIN FirmMst f ON f.Srno = m.FirmNO WHERE m.Id = ? ORDER BY d.Srno");
    r.sqlParams << billId;
    const Decimal amount = Decimal::fromVariant(bill->value(QStringLiteral("BillAmount")));
    r.parameterValues << QStringLiteral("Rs. ") + AmountInWords(amount) + QStringLiteral(" Only.");
    return r;
}

void writePurchasePdf(db::Database& db, const Session& session, const QString& installFolder, qint64 billId, const QString& path,
                      int printType) {
    reports::ReportService service(installFolder);
    auto document = service.prepare(&db, purchaseRequest(db, session, billId, printType));
    reports::ReportService::writePdf(*document, path);
}

}  // namespace tanabana::trade
