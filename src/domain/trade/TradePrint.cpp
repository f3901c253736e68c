#include "domain/trade/TradePrint.h"

#include "core/Text.h"
#include "domain/ledger/Balances.h"
#include "domain/reports/PrintCopies.h"
#include "domain/reports/ReportError.h"
#include "domain/reports/ReportFolders.h"
#include "domain/shell/Lookups.h"
#include "domain/trade/DocumentRules.h"

namespace tanabana::trade {

namespace {

int softType(const Session& session) { return firmSetting(session, QStringLiteral("Soft_Type")).toInt(); }

QString firmColumns() {
    return QStringLiteral("f.PName AS FirmNAme, f.Add1 AS FirmAdd1, f.City AS FirmCity, f.Tin AS FirmTIN, f.CST AS FirmState, "
                          "f.Ph AS FirmPh, f.BankName1 AS FirmBank, f.BankAcno1 AS FirmBankAc, f.IFSC1 AS FirmIfsc");
}

// The copy labels of a form ("ORIGINAL FOR RECIPIENT" ...) as a row source with bound names; the
// first default label when the installation has none set.
QString copies(db::Database& db, int formId, QVariantList& params) {
    QStringList names = shell::printCopyNames(db, formId);
    if (names.isEmpty()) names << reports::defaultCopyLabel(formId, 1);
    QStringList rows;
    for (int i = 0; i < names.size(); ++i) {
        rows << QStringLiteral("SELECT %1 AS SNo, CAST(? AS VARCHAR(50)) AS PrnName").arg(i + 1);
        params << names.at(i);
    }
    return QLatin1Char('(') + rows.join(QStringLiteral(" UNION ALL ")) + QLatin1Char(')');
}

}  // namespace

QString availableLayout(const QString& installFolder, const QString& wanted, const QString& fallback) {
    return reports::findLayoutFile(installFolder, wanted).isEmpty() ? fallback : wanted;
}

QString invoiceLayoutName(int printType, int soft, bool hasIrn) {
    const int n = std::clamp(printType, 1, 3);
    if (soft == 9) return QStringLiteral("INVOICE_Rapier_GST_%1%2.rpt").arg(n).arg(hasIrn ? QStringLiteral("_e") : QString());
    const bool embro = soft != 3 && soft != 4;
    if (hasIrn) return QStringLiteral("INVOICE_P_GST_%1%2_e.rpt").arg(embro ? QStringLiteral("Embro_") : QString()).arg(n);
    static const QStringList stems{QStringLiteral("INVOICE_S_GST"), QStringLiteral("INVOICE_S1_GST"), QStringLiteral("INVOICE_P_GST")};
    return stems.at(n - 1) + (embro ? QStringLiteral("_Embro") : QString()) + QStringLiteral(".rpt");
}

QString invoicePdfName(const QString& billNo, const QString& partyName) {
    return CleanFileName(QStringLiteral("Sales_InvNo-") + billNo.trimmed() + QLatin1Char('_') + partyName.trimmed());
}

reports::ReportRequest invoiceRequest(db::Database& db, const Session& session, qint64 billId, int printType, const QList<int>& copyNumbers) {
    const auto bill = db.queryOne(QStringLiteral("SELECT PartyID, BillDate, IRN_No FROM SalBillMst WHERE Id = ? AND FirmNO = ?"),
                                  {billId, session.firmNo});
    if (!bill) throw reports::ReportError(QStringLiteral("Sales bill %1 is not in firm %2.").arg(billId).arg(session.firmNo));
    reports::ReportRequest r;
    r.layoutName = availableLayout(session.dataRoot,
                                   invoiceLayoutName(printType, softType(session), !bill->text(QStringLiteral("IRN_No")).trimmed().isEmpty()),
                                   QStringLiteral("INVOICE_S_GST.rpt"));
    const db::Dialect& d = db.dialect();
    r.sql = QStringLiteral("SELECT ") + firmColumns() + QStringLiteral(", m.Id, ") +
            d.concat({QStringLiteral("b.BookShortName"), QStringLiteral("m.BillNO")}) +
            QStringLiteral(" AS BillNoFull, m.BillNO, m.BillDate, m.PDueDate, NULLIF(m.ChNo, 0) AS ChNo, m.Ch1, m.Transport, m.LrNo, m.LrDt, m.TrNO, "
                           "m.AGAINST, m.Notes, m.BAmt, m.VatRs, m.ATAXRs, m.CSTRs, m.TCSP, m.TCSRs, m.TDSP, m.TDSRs, m.OtherP, "
                           "m.BillAmount, m.InWords, a.AcName AS PartyName, a.Add1 AS PartyAdd1, a.City AS PartyCity, "
                           "a.TinNo AS PartyGSTIN, a.CSTNo AS PartyState, "
                           "CASE WHEN dl.CSTNo IS NOT NULL AND dl.CSTNo <> '' THEN dl.CSTNo ELSE a.CSTNo END AS PlaceOfSupply, "
                           "dl.AcName AS DeliName, dl.City AS DeliCity, "
                           "k.PName AS BrokerName, d.Srno, p.ProdName, p.hsnCode, d.R3, d.Qty2, d.Qty1, d.Qty, d.PM, d.Rate, d.Amt, "
                           "d.DVatP + d.DATaxP AS GstP, c.SNo AS CopySno, c.PrnName AS CopyName "
                           "FROM SalBillMst m INNER JOIN SalBillDtl d ON d.BillMstId = m.Id LEFT JOIN ProdMst p ON p.Id = d.PCode "
                           "LEFT JOIN AccMst a ON a.Id = m.PartyID LEFT JOIN AccMst dl ON dl.Id = m.DeliId "
                           "LEFT JOIN BrokerMst k ON k.Srno = m.BrokerId "
                           "LEFT JOIN BookMst b ON b.BookNO = m.BookNO AND b.FirmNO = m.FirmNO "
                           "LEFT JOIN FirmMst f ON f.Srno = m.FirmNO CROSS JOIN ") +
            copies(db, 3, r.sqlParams) + QStringLiteral(" c WHERE m.Id = ?");
    r.sqlParams << billId;
    if (!copyNumbers.isEmpty()) {
        QStringList marks;
        for (const int number : copyNumbers) {
            marks << QStringLiteral("?");
            r.sqlParams << number;
        }
        r.sql += QStringLiteral(" AND c.SNo IN (%1)").arg(marks.join(QLatin1Char(',')));
    }
    r.sql += QStringLiteral(" ORDER BY c.SNo, d.Srno");
    ledger::Balances balances(db, session);
    r.parameterValues << ledger::balanceText(balances.upTo(bill->integer(QStringLiteral("PartyID")), bill->date(QStringLiteral("BillDate"))));
    return r;
}

void writeInvoicePdf(db::Database& db, const Session& session, const QString& installFolder, qint64 billId, const QString& path,
                     int printType, const QList<int>& copyNumbers) {
    reports::ReportService service(installFolder);
    auto document = service.prepare(&db, invoiceRequest(db, session, billId, printType, copyNumbers));
    reports::ReportService::writePdf(*document, path);
}

QString challanLayoutName(int printType, int soft, bool fromTakas) {
    QString name = QStringLiteral("Chalan") + (printType > 1 ? QString::number(printType - 1) : QString());
    if (fromTakas) name += QStringLiteral("_Rapier");
    else if (soft != 3 && soft != 4) name += QStringLiteral("_Embro");
    return name + QStringLiteral(".rpt");
}

namespace {

// Number and party of a saved document, for the name of its PDF.
QString pdfNameOf(db::Database& db, const QString& table, qint64 id, QString (*name)(const QString&, const QString&)) {
    const auto r = db.queryOne(QStringLiteral("SELECT m.BillNO, a.AcName FROM %1 m LEFT JOIN AccMst a ON a.Id = m.PartyID WHERE m.Id = ?").arg(table),
                               {id});
    return r ? name(r->text(QStringLiteral("BillNO")), r->text(QStringLiteral("AcName"))) : QString();
}

}  // namespace

QString invoicePdfNameOf(db::Database& db, qint64 billId) { return pdfNameOf(db, QStringLiteral("SalBillMst"), billId, invoicePdfName); }

QString challanPdfNameOf(db::Database& db, qint64 challanId) { return pdfNameOf(db, QStringLiteral("ChalanMst"), challanId, challanPdfName); }

QString challanPdfName(const QString& challanNo, const QString& partyName) {
    return CleanFileName(QStringLiteral("Sales_ChNo-") + challanNo.trimmed() + QLatin1Char('_') + partyName.trimmed());
}

reports::ReportRequest challanRequest(db::Database& db, const Session& session, qint64 challanId, int printType) {
    const bool fromTakas =
        db.scalar(QStringLiteral("SELECT count(*) FROM ProductionDtl WHERE PChId = ? AND F_no = ?"), {challanId, session.firmNo}).toInt() > 0;
    reports::ReportRequest r;
    r.layoutName = availableLayout(session.dataRoot, challanLayoutName(printType, softType(session), fromTakas), QStringLiteral("Chalan.rpt"));
    r.sql = QStringLiteral("SELECT ") + firmColumns() +
            QStringLiteral(", m.Id, ") + db.dialect().concat({QStringLiteral("b.BookShortName"), QStringLiteral("m.BillNO")}) +
            QStringLiteral(" AS ChalanNoFull, m.BillNO, m.BillDate, m.OrderNO, m.Transport, m.TrNO, m.T_VehNO, m.LrNo, m.LrDt, "
                           "m.FreightType, m.Notes, m.BillAmount, m.InWords, a.AcName AS PartyName, a.Add1 AS PartyAdd1, "
                           "a.City AS PartyCity, a.TinNo AS PartyGSTIN, dl.AcName AS DeliName, k.PName AS BrokerName, d.Srno, "
                           "p.ProdName, p.P1 AS Colour, p.ProdSubGrp AS DesignNo, d.RC3, d.Nos, d.APack, d.Qty, d.RateOn, d.Rate, d.Amt, "
                           "d.RC1, d.RC2 FROM ChalanMst m INNER JOIN ChalanDtl d ON d.BillMstId = m.Id "
                           "LEFT JOIN ProdMst p ON p.Id = d.PCode LEFT JOIN AccMst a ON a.Id = m.PartyID "
                           "LEFT JOIN AccMst dl ON dl.Id = m.DeliId LEFT JOIN BrokerMst k ON k.Srno = m.BrokerId "
                           "LEFT JOIN BookMst b ON b.BookNO = m.BookNO AND b.FirmNO = m.FirmNO "
                           "LEFT JOIN FirmMst f ON f.Srno = m.FirmNO WHERE m.Id = ? AND m.FirmNO = ? ORDER BY d.Srno");
    r.sqlParams = {challanId, session.firmNo};
    return r;
}

void writeChallanPdf(db::Database& db, const Session& session, const QString& installFolder, qint64 challanId, const QString& path,
                     int printType) {
    reports::ReportService service(installFolder);
    auto document = service.prepare(&db, challanRequest(db, session, challanId, printType));
    reports::ReportService::writePdf(*document, path);
}

reports::ReportRequest productionRequest(db::Database& db, const Session& session, qint64 productionId) {
    reports::ReportRequest r;
    r.layoutName = QStringLiteral("Produ_Rapier.rpt");
    r.sql = QStringLiteral("SELECT ") + firmColumns() +
            QStringLiteral(", m.Id, m.ChNo, m.ChDate, m.TotTaka, m.TotMtrs, m.TOtPcs, a.AcName, d.Srno, d.TakaNO, d.Pcs, d.Cut, d.Mtrs, "
                           "d.McNo, p.ProdName, p.P1 AS Colour, p.ProdSubGrp AS DesignNo, p.ProdGrp AS QltyType "
                           "FROM ProductionMst m INNER JOIN ProductionDtl d ON d.ProdId = m.Id LEFT JOIN ProdMst p ON p.Id = d.qId "
                           "LEFT JOIN AccMst a ON a.Id = m.PartyID LEFT JOIN FirmMst f ON f.Srno = m.FirmNo "
                           "WHERE m.Id = ? AND m.FirmNo = ? ORDER BY d.Srno");
    r.sqlParams = {productionId, session.firmNo};
    const QString number = db.scalar(QStringLiteral("SELECT ChNo FROM ProductionMst WHERE Id = ?"), {productionId}).toString();
    r.parameterValues << QStringLiteral("ProdChNo -") + number;
    return r;
}

}  // namespace tanabana::trade
