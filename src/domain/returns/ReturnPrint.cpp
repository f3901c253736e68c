#include "domain/returns/ReturnPrint.h"

#include "core/Decimal.h"
#include "core/Text.h"
#include "core/Words.h"
#include "domain/reports/ReportError.h"
#include "domain/trade/TradePrint.h"

namespace tanabana::returns {

QString returnLayoutName(bool sales, int printType) {
    if (sales) return QStringLiteral("INVOICE_SR_MKT_GST_") + QString::number(std::max(1, printType)) + QStringLiteral(".rpt");
    return printType > 1 ? QStringLiteral("INVOICE_PR_MKT_GST_") + QString::number(printType) + QStringLiteral(".rpt")
                         : QStringLiteral("INVOICE_PR_MKT_GST.rpt");
}

QString returnPdfName(bool sales, const QString& returnNo) {
    return CleanFileName((sales ? QStringLiteral("Sales_InvRetNo-") : QStringLiteral("Pur_InvRetNo-")) + returnNo.trimmed());
}

reports::ReportRequest returnRequest(db::Database& db, const Session& session, bool sales, qint64 returnId, int printType) {
    const QString table = sales ? QStringLiteral("SalBillMst") : QStringLiteral("BillMst");
    const auto head = db.queryOne(QStringLiteral("SELECT BillAmount FROM %1 WHERE Id = ? AND FirmNO = ? AND FormId = ?").arg(table),
                                  {returnId, session.firmNo, sales ? 4 : 2});
    if (!head) throw reports::ReportError(QStringLiteral("Return %1 is not in firm %2.").arg(returnId).arg(session.firmNo));
    reports::ReportRequest r;
    r.layoutName = trade::availableLayout(session.dataRoot, returnLayoutName(sales, printType), returnLayoutName(sales, 1));
    // Both returns give the layout the same column names.
    const QString columns =
        sales ? QStringLiteral("m.AGAINST AS SourceBill, m.Sal_Bill_Dt AS SourceDate, m.Grade1 AS Reference, m.BAmt AS Taxable, "
                               "b.SalesName AS BookName, COALESCE(b.BookShortName, '') AS Prefix, d.Qty2 AS Pcs, d.Qty AS Qty, d.Rate, "
                               "d.Amt, d.DVatP + d.DATaxP AS GstP, d.PM, d.Srno FROM SalBillMst m INNER JOIN SalBillDtl d ON d.BillMstId = m.Id "
                               "LEFT JOIN BookMst b ON b.BookNO = m.BookNO AND b.FirmNO = m.FirmNO ")
              : QStringLiteral("m.Pur_Bill_No AS SourceBill, m.Pur_Bill_Dt AS SourceDate, '' AS Reference, m.TotAmt AS Taxable, "
                               "b.PurNAme AS BookName, '' AS Prefix, d.Qty2 AS Pcs, d.PQty AS Qty, d.PRate AS Rate, d.PAmt AS Amt, "
                               "d.VatPD + d.ATaxPD AS GstP, d.PM, d.Srno FROM BillMst m INNER JOIN BillDtl d ON d.BillMstId = m.Id "
                               "LEFT JOIN BookMst b ON b.BookNO = m.BookId AND b.FirmNO = m.FirmNO ");
    r.sql = QStringLiteral("SELECT f.PName AS FirmNAme, f.Add1 AS FirmAdd1, f.City AS FirmCity, f.Tin AS FirmTIN, f.CST AS FirmState, f.Ph AS FirmPh, "
                           "m.Id, m.BillNO, m.BillDate, m.Ret_Reason, m.Notes, m.VatRs, m.ATAXRs, m.CSTRs, m.OtherP, m.BillAmount, "
                           "m.PaidAmt AS Adjusted, a.AcName AS PartyName, a.Add1 AS PartyAdd1, a.City AS PartyCity, a.TinNo AS PartyGSTIN, "
                           "a.CSTNo AS PartyState, p.ProdName AS LineName, p.hsnCode, ") +
            columns +
            QStringLiteral("LEFT JOIN ProdMst p ON p.Id = d.PCode LEFT JOIN AccMst a ON a.Id = m.PartyID "
                           "LEFT JOIN FirmMst f ON f.Srno = m.FirmNO WHERE m.Id = ? ORDER BY d.Srno");
    r.sqlParams << returnId;
    r.parameterValues << QStringLiteral("Rs. ") + AmountInWords(Decimal::fromVariant(head->value(QStringLiteral("BillAmount")))) +
                             QStringLiteral(" Only.");
    return r;
}

void writeReturnPdf(db::Database& db, const Session& session, const QString& installFolder, bool sales, qint64 returnId, const QString& path,
                    int printType) {
    reports::ReportService service(installFolder);
    auto document = service.prepare(&db, returnRequest(db, session, sales, returnId, printType));
    reports::ReportService::writePdf(*document, path);
}

}  // namespace tanabana::returns
