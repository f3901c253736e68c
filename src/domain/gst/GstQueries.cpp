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
