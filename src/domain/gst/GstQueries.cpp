#include "domain/gst/GstQueries.h"

namespace tanabana::gst {

QString salesDocumentsOfPeriod(const QString& alias, int formId) {
    return QStringLiteral("%1.FirmNO = ? AND %1.FormId = %2 AND %1.Id > 0 AND COALESCE(%1.IsOp, 0) = 0 AND %1.BillDate BETWEEN ? AND ?")
        .arg(alias)
        .arg(formId);
}

QString purchaseDocumentsOfPeriod(const QString& alias, int formId) {
    return QStringLiteral("%1.FirmNO = ? AND %1.FormId = %2 AND COALESCE(%1.IsOp, 0) = 0 AND COALESCE(%1.Is_SkipGst, 0) = 0 "
                          "AND %1.BillDate BETWEEN ? AND ?")
        .arg(alias)
        .arg(formId);
}

QString notesOfPeriod(const QString& type) {
    return QStringLiteral("n.FirmNO = ? AND n.CNType = '%1' AND COALESCE(n.Is_SkipGst, 0) = 0 AND n.CnDate BETWEEN ? AND ?")
        .arg(type == QLatin1String("D") ? QStringLiteral("D") : QStringLiteral("C"));
}

QString salesLineSums(const db::Dialect& sql) {
    return sql.sumRounded(QStringLiteral("d.Amt"), 2) + QStringLiteral(" AS Taxable, ") +
           sql.sumRounded(QStringLiteral("COALESCE(d.IGSTRs, 0)"), 3) + QStringLiteral(" AS Igst, ") +
           sql.sumRounded(QStringLiteral("d.DATaxRs"), 3) + QStringLiteral(" AS Cgst, ") +
           sql.sumRounded(QStringLiteral("CASE WHEN COALESCE(d.IGSTRs, 0) <> 0 THEN 0 ELSE d.DVatRs END"), 3) + QStringLiteral(" AS Sgst");
}

QString purchaseLineSums(const db::Dialect& sql) {
    return sql.sumRounded(QStringLiteral("d.PAmt + COALESCE(d.Freight_D, 0)"), 2) + QStringLiteral(" AS Taxable, ") +
           sql.sumRounded(QStringLiteral("COALESCE(d.IGSTRs, 0)"), 3) + QStringLiteral(" AS Igst, ") +
           sql.sumRounded(QStringLiteral("d.ATaxRsD"), 3) + QStringLiteral(" AS Cgst, ") +
           sql.sumRounded(QStringLiteral("CASE WHEN COALESCE(d.IGSTRs, 0) <> 0 THEN 0 ELSE d.VatRsD END"), 3) + QStringLiteral(" AS Sgst");
}

namespace {

// A figure in whole units of its last place, as Dialect::sumRounded adds it, and the sum of such
// units back as an amount; summing units keeps the totals exact on both engines.
QString units(const QString& expression, int places) {
    return QStringLiteral("CAST(ROUND(CAST(%1 AS NUMERIC) * 1%2) AS BIGINT)").arg(expression, QString(places, QLatin1Char('0')));
}
QString sumOfUnits(const QString& column, int places) {
    return QStringLiteral("(CAST(COALESCE(SUM(%1), 0) AS DOUBLE PRECISION) / 1%2)").arg(column, QString(places, QLatin1Char('0')));
}

}  // namespace

QString salesOfPeriodInOnePass(const db::Dialect&) {
    const QString taxes = sumOfUnits(QStringLiteral("Taxable"), 2) + QStringLiteral(" AS Taxable, ") + sumOfUnits(QStringLiteral("Igst"), 3) +
                          QStringLiteral(" AS Igst, ") + sumOfUnits(QStringLiteral("Cgst"), 3) + QStringLiteral(" AS Cgst, ") +
                          sumOfUnits(QStringLiteral("Sgst"), 3) + QStringLiteral(" AS Sgst");
    return QStringLiteral("WITH l AS MATERIALIZED (SELECT d.BillMstId, d.PCode, d.DVatP + d.DATaxP AS Rate, "
                          "CASE WHEN COALESCE(a.TinNo, '') <> '' AND COALESCE(x.InvType, '') <> 'E' THEN 1 ELSE 0 END AS Registered, ") +
           units(QStringLiteral("CASE WHEN d.PM = 'P' THEN d.Qty2 ELSE d.Qty END"), 3) + QStringLiteral(" AS Qty, ") +
           units(QStringLiteral("d.DNetAmt"), 2) + QStringLiteral(" AS TotalValue, ") + units(QStringLiteral("d.Amt"), 2) +
           QStringLiteral(" AS Taxable, ") + units(QStringLiteral("COALESCE(d.IGSTRs, 0)"), 3) + QStringLiteral(" AS Igst, ") +
           units(QStringLiteral("d.DATaxRs"), 3) + QStringLiteral(" AS Cgst, ") +
           units(QStringLiteral("CASE WHEN COALESCE(d.IGSTRs, 0) <> 0 THEN 0 ELSE d.DVatRs END"), 3) +
           QStringLiteral(" AS Sgst FROM SalBillMst x LEFT JOIN AccMst a ON a.Id = x.PartyID INNER JOIN SalBillDtl d ON d.BillMstId = x.Id WHERE ") +
           salesDocumentsOfPeriod(QStringLiteral("x"), 3) +
           QStringLiteral(") SELECT 'I' AS Part, m.Id, t.Rate, m.BookNO, m.PartyID, m.BillNO, m.BillDate, m.BillAmount, "
                          "COALESCE(m.InvType, '') AS InvType, COALESCE(m.CashRem, '') AS PortCode, COALESCE(m.Ret_Reason, '') AS ShipNo, "
                          "m.Sal_Bill_Dt AS ShipDate, '' AS Uqc, '' AS Hsn, '' AS Description, 0 AS Registered, 0 AS Qty, 0 AS TotalValue, "
                          "t.Taxable, t.Igst, t.Cgst, t.Sgst FROM (SELECT BillMstId, Rate, ") +
           taxes +
           QStringLiteral(" FROM l GROUP BY BillMstId, Rate) t INNER JOIN SalBillMst m ON m.Id = t.BillMstId "
                          "UNION ALL SELECT 'H', 0, h.Rate, 0, 0, '', NULL, 0, '', '', '', NULL, COALESCE(p.UQM, ''), COALESCE(p.hsnCode, ''), "
                          "COALESCE(p.LicenceNo, ''), h.Registered, h.Qty, h.TotalValue, h.Taxable, h.Igst, h.Cgst, h.Sgst FROM (SELECT PCode, "
                          "Rate, Registered, ") +
           sumOfUnits(QStringLiteral("Qty"), 3) + QStringLiteral(" AS Qty, ") + sumOfUnits(QStringLiteral("TotalValue"), 2) +
           QStringLiteral(" AS TotalValue, ") + taxes +
           QStringLiteral(" FROM l GROUP BY PCode, Rate, Registered) h LEFT JOIN ProdMst p ON p.Id = h.PCode");
}

QString salesHsnQuery(const db::Dialect& sql, int formId) {
    const QString registered = QStringLiteral("CASE WHEN COALESCE(a.TinNo, '') <> '' AND COALESCE(x.InvType, '') <> 'E' THEN 1 ELSE 0 END");
    return QStringLiteral("SELECT COALESCE(p.UQM, '') AS Uqc, COALESCE(p.hsnCode, '') AS Hsn, COALESCE(p.LicenceNo, '') AS Description, "
                          "d.DVatP + d.DATaxP AS Rate, ") +
           registered + QStringLiteral(" AS Registered, ") +
           sql.sumRounded(QStringLiteral("CASE WHEN d.PM = 'P' THEN d.Qty2 ELSE d.Qty END"), 3) + QStringLiteral(" AS Qty, ") +
           sql.sumRounded(QStringLiteral("d.DNetAmt"), 2) + QStringLiteral(" AS TotalValue, ") + salesLineSums(sql) +
           QStringLiteral(" FROM SalBillDtl d INNER JOIN SalBillMst x ON x.Id = d.BillMstId LEFT JOIN ProdMst p ON p.Id = d.PCode "
                          "LEFT JOIN AccMst a ON a.Id = x.PartyID WHERE ") +
           salesDocumentsOfPeriod(QStringLiteral("x"), formId) +
           QStringLiteral(" GROUP BY COALESCE(p.UQM, ''), COALESCE(p.hsnCode, ''), COALESCE(p.LicenceNo, ''), d.DVatP + d.DATaxP, ") + registered;
}

}  // namespace tanabana::gst
