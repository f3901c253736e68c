#include "domain/stock/StockVoucherPrint.h"

#include "core/Text.h"
#include "domain/reports/ReportError.h"

namespace tanabana::stock {

QString stockVoucherLayoutName(bool rapier) {
    return rapier ? QStringLiteral("Stock_Issue_Voucher_Rapier.rpt") : QStringLiteral("Stock_Issue_Voucher.rpt");
}

QString stockVoucherPdfName(db::Database& db, qint64 id) {
    const auto h = db.queryOne(QStringLiteral("SELECT BillNo, IType FROM Iss_StockMst WHERE ID = ?"), {id});
    if (!h) return {};
    const bool receipt = h->text(QStringLiteral("IType")).trimmed() == QStringLiteral("R");
    return CleanFileName((receipt ? QStringLiteral("Stock_Receive_No") : QStringLiteral("Stock_Issue_No")) +
                         QString::number(h->integer(QStringLiteral("BillNo"))));
}

reports::ReportRequest stockVoucherRequest(db::Database& db, const Session& session, qint64 id, bool rapier) {
    if (db.scalar(QStringLiteral("SELECT count(*) FROM Iss_StockMst WHERE ID = ? AND FirmNo = ?"), {id, session.firmNo}).toInt() == 0)
        throw reports::ReportError(QStringLiteral("Stock voucher %1 is not in firm %2.").arg(id).arg(session.firmNo));
    reports::ReportRequest r;
    r.layoutName = stockVoucherLayoutName(rapier);
    r.sql = QStringLiteral(
        "SELECT f.PName AS FirmNAme, f.Add1 AS FirmAdd1, f.City AS FirmCity, f.Tin AS FirmTIN, f.Ph AS FirmPh, "
        "CASE WHEN m.IType = 'R' THEN 'STOCK RECEIVE VOUCHER' ELSE 'STOCK ISSUE VOUCHER' END AS Title, "
        "m.ID AS Id, CAST(m.BillNo AS BIGINT) AS BillNo, m.BillDate, m.Process_Name, m.LotNo, m.Remarks, "
        "CASE WHEN b.BookType = 'P' THEN b.PurName ELSE b.SalesName END AS BookName, "
        "a.AcName AS PartyName, a.Add1 AS PartyAdd1, a.City AS PartyCity, a.TinNo AS PartyGSTIN, "
        "d.Srno, p.ProdName, p.ProdCode, p.ProdSubGrp AS DesignNo, p.P1 AS Colour, p.ProdGrp AS QltyType, "
        "CASE WHEN p.CalcOn = 2 THEN 'P' ELSE 'M' END AS PM, d.Qty2, d.Qty1, d.Qty "
        "FROM Iss_StockMst m INNER JOIN Iss_StockDtl d ON d.BillMStId = m.ID LEFT JOIN ProdMst p ON p.Id = d.PCode "
        "LEFT JOIN AccMst a ON a.Id = m.PartyId LEFT JOIN BookMst b ON b.BookNo = m.BookId AND b.FirmNo = m.FirmNo "
        "LEFT JOIN FirmMst f ON f.Srno = m.FirmNo WHERE m.ID = ? ORDER BY d.Srno");
    r.sqlParams << id;
    return r;
}

void writeStockVoucherPdf(db::Database& db, const Session& session, qint64 id, const QString& path, bool rapier) {
    reports::ReportService service(session.dataRoot);
    auto document = service.prepare(&db, stockVoucherRequest(db, session, id, rapier));
    reports::ReportService::writePdf(*document, path);
}

}  // namespace tanabana::stock
