#include "domain/mill/MillPrint.h"

#include "core/Text.h"
#include "domain/reports/ReportError.h"
#include "domain/reports/ReportFolders.h"
#include "domain/reports/WhatsApp.h"
#include "domain/trade/TradePrint.h"

#include <QDir>

namespace tanabana::mill {

namespace {

QString withType(const QString& stem, int printType) {
    return printType > 1 ? stem + QLatin1Char('_') + QString::number(printType) + QStringLiteral(".rpt") : stem + QStringLiteral(".rpt");
}

// The header part every mill print shares: firm, mill, quality and the challan's own fields.
const QString kHeaderColumns = QStringLiteral(
    "f.PName AS FirmNAme, f.Add1 AS FirmAdd1, f.City AS FirmCity, f.Tin AS FirmTIN, f.Ph AS FirmPh, "
    "m.Id, m.ChNo, m.BillNO, m.BillDate, m.AGAINST, m.LotNO, m.ProcessName, m.Rate, m.TransportName, m.CaseNO, m.LrNo, m.Notes, "
    "m.PurBillNo, m.PurDate, m.TotAmt, m.DiscRs, m.OtherRs, m.tempBal, m.TDSP, m.TDSRs, m.BillAmount, "
    "a.AcName AS PartyName, a.Add1 AS PartyAdd1, a.City AS PartyCity, a.TinNo AS PartyGSTIN, w.AcName AS PurPartyName, "
    "q.ProdName AS Quality, (SELECT count(*) FROM JobWork_IssueDtl_1 c WHERE c.BillMstId = m.Id) AS TakaCount, ");
const QString kJoins = QStringLiteral(
    "FROM JobWork_IssueMst_1 m INNER JOIN JobWork_IssueDtl_1 d ON d.BillMstId = m.Id LEFT JOIN AccMst a ON a.Id = m.PartyID "
    "LEFT JOIN AccMst w ON w.Id = m.PurPartyId LEFT JOIN ProdMst q ON q.Id = m.QId LEFT JOIN FirmMst f ON f.Srno = m.FirmNO ");

// The first of the layouts the installation has, the last one when it has none of them.
QString firstLayout(const Session& session, const QStringList& names) {
    for (const QString& name : names.mid(0, names.size() - 1))
        if (trade::availableLayout(session.dataRoot, name, QString()) == name) return name;
    return names.last();
}

std::optional<db::Row> challan(db::Database& db, const Session& session, qint64 id, int formId) {
    return db.queryOne(QStringLiteral("SELECT ChNo, PartyID FROM JobWork_IssueMst_1 WHERE Id = ? AND FirmNO = ? AND FormId = ?"),
                       {id, session.firmNo, formId});
}

}  // namespace

QString millIssueLayoutName(int printType, bool bleaching) {
    if (bleaching) return QStringLiteral("Issue_JobWork_Iss_BL_%1.rpt").arg(std::max(printType, 1));
    return withType(QStringLiteral("Issue_JobWork_Mill"), printType);
}
// Print types 2 and 3 are the layouts "_Rec_1" and "_Rec_2".
QString millReceiptLayoutName(int printType, bool bleaching) {
    if (bleaching) return QStringLiteral("Issue_JobWork_Rec_BL_%1.rpt").arg(std::max(printType, 1));
    return withType(QStringLiteral("Issue_JobWork_Mill_Rec"), printType - 1);
}
QString millIssuePdfName(qint64 challanNo) { return CleanFileName(QStringLiteral("Job_Process_Issue_No") + QString::number(challanNo)); }
QString millReceiptPdfName(qint64 challanNo) { return CleanFileName(QStringLiteral("Job_Process_Rec_No") + QString::number(challanNo)); }

reports::ReportRequest millIssueRequest(db::Database& db, const Session& session, qint64 issueId, int printType, bool bleaching) {
    if (!challan(db, session, issueId, 16))
        throw reports::ReportError(QStringLiteral("Mill issue %1 is not in firm %2.").arg(issueId).arg(session.firmNo));
    reports::ReportRequest r;
    r.layoutName = firstLayout(session, {millIssueLayoutName(printType, bleaching), millIssueLayoutName(printType), millIssueLayoutName(1)});
    r.sql = QStringLiteral("SELECT ") + kHeaderColumns +
            QStringLiteral("d.Srno, d.TakaNO, d.Mtrs, d.Wt, d.Marka, d.DesignNo, d.Colour, d.Remarks ") + kJoins +
            QStringLiteral("WHERE m.Id = ? ORDER BY d.Srno");
    r.sqlParams << issueId;
    return r;
}

reports::ReportRequest millReceiptRequest(db::Database& db, const Session& session, qint64 receiptId, int printType, bool bleaching) {
    if (!challan(db, session, receiptId, 17))
        throw reports::ReportError(QStringLiteral("Mill receipt %1 is not in firm %2.").arg(receiptId).arg(session.firmNo));
    reports::ReportRequest r;
    r.layoutName =
        firstLayout(session, {millReceiptLayoutName(printType, bleaching), millReceiptLayoutName(printType), millReceiptLayoutName(1)});
    r.sql = QStringLiteral("SELECT ") + kHeaderColumns +
            QStringLiteral("d.Srno, d.TakaNO, d.Mtrs, d.RMtrs, d.ShortLong, d.RPCs AS ShortP, d.PRate, d.PAmt, d.GreyRet, d.Wt, d.Colour, d.DesignNo, "
                           "CASE WHEN d.IsFinished <> 0 THEN 'Y' ELSE 'N' END AS Fin, i.ChNo AS IssueChNo ") +
            kJoins + QStringLiteral("LEFT JOIN JobWork_IssueMst_1 i ON i.Id = d.IssueChId WHERE m.Id = ? ORDER BY d.Srno");
    r.sqlParams << receiptId;
    return r;
}

QString millPdfName(db::Database& db, qint64 id) {
    const auto h = db.queryOne(QStringLiteral("SELECT ChNo, FormId FROM JobWork_IssueMst_1 WHERE Id = ?"), {id});
    if (!h) return {};
    const qint64 no = h->integer(QStringLiteral("ChNo"));
    return h->integer(QStringLiteral("FormId")) == 17 ? millReceiptPdfName(no) : millIssuePdfName(no);
}

reports::ReportRequest millRequest(db::Database& db, const Session& session, qint64 id, int printType, bool bleaching) {
    const int form = db.scalar(QStringLiteral("SELECT FormId FROM JobWork_IssueMst_1 WHERE Id = ?"), {id}).toInt();
    return form == 17 ? millReceiptRequest(db, session, id, printType, bleaching) : millIssueRequest(db, session, id, printType, bleaching);
}

void writeMillPdf(db::Database& db, const Session& session, qint64 id, const QString& path, int printType, bool bleaching) {
    reports::ReportService service(session.dataRoot);
    auto document = service.prepare(&db, millRequest(db, session, id, printType, bleaching));
    reports::ReportService::writePdf(*document, path);
}

QString jobProcessLayoutName(int printType) { return withType(QStringLiteral("Issue_JobWork"), printType); }

QString jobProcessPdfName(db::Database& db, qint64 id) {
    const auto h = db.queryOne(QStringLiteral("SELECT ChNo, FormId FROM JobWork_IssueMst WHERE Id = ?"), {id});
    if (!h) return {};
    return CleanFileName((h->integer(QStringLiteral("FormId")) == 15 ? QStringLiteral("Job_Work_Rec_No") : QStringLiteral("Job_Work_Issue_No")) +
                         QString::number(h->integer(QStringLiteral("ChNo"))));
}

reports::ReportRequest jobProcessRequest(db::Database& db, const Session& session, qint64 id, int printType) {
    if (db.scalar(QStringLiteral("SELECT count(*) FROM JobWork_IssueMst WHERE Id = ? AND FirmNO = ?"), {id, session.firmNo}).toInt() == 0)
        throw reports::ReportError(QStringLiteral("Job-process challan %1 is not in firm %2.").arg(id).arg(session.firmNo));
    reports::ReportRequest r;
    r.layoutName = trade::availableLayout(session.dataRoot, jobProcessLayoutName(printType), jobProcessLayoutName(1));
    r.sql = QStringLiteral(
        "SELECT f.PName AS FirmNAme, f.Add1 AS FirmAdd1, f.City AS FirmCity, f.Tin AS FirmTIN, f.Ph AS FirmPh, "
        "CASE WHEN m.FormId = 15 THEN 'JOB PROCESS INWARD CHALLAN' ELSE 'JOB PROCESS OUTWARD CHALLAN' END AS Title, "
        "m.Id, m.ChNo, m.BillNO, m.BillDate, m.AGAINST, m.ProcessName, m.Notes, m.TotAmt, m.DiscRs, m.VATP, m.VatRs, m.ATAXP, m.ATAXRs, "
        "m.CSTP, m.CSTRs, m.TDSP, m.TDSRs, m.BillAmount, a.AcName AS PartyName, a.Add1 AS PartyAdd1, a.City AS PartyCity, "
        "a.TinNo AS PartyGSTIN, d.Srno, p.ProdName, d.Qty2, d.PQty, d.PM, d.PRate, d.PAmt, d.DesignNo, d.Colour "
        "FROM JobWork_IssueMst m INNER JOIN JobWork_IssueDtl d ON d.BillMstId = m.Id LEFT JOIN ProdMst p ON p.Id = d.PCode "
        "LEFT JOIN AccMst a ON a.Id = m.PartyID LEFT JOIN FirmMst f ON f.Srno = m.FirmNO WHERE m.Id = ? ORDER BY d.Srno");
    r.sqlParams << id;
    return r;
}

bool sendMillIssueWhatsApp(db::Database& db, const Session& session, Messages& messages, qint64 issueId, const QDateTime& now) {
    const auto h = challan(db, session, issueId, 16);
    if (!h) return false;
    const auto mill = db.queryOne(QStringLiteral("SELECT AcName, WMbNo FROM AccMst WHERE Id = ?"), {h->integer(QStringLiteral("PartyID"))});
    const QString name = mill ? mill->text(QStringLiteral("AcName")) : QString();
    const auto number = reports::mobileForMessage(messages, mill ? mill->text(QStringLiteral("WMbNo")) : QString());
    if (!number) return false;
    const qint64 no = h->integer(QStringLiteral("ChNo"));
    const QString folder = reports::whatsAppPdfFolder(session.dataRoot);
    const QString fileName = reports::whatsAppPdfFileName(QStringLiteral("Mill_Issue_ChNo_") + QString::number(no), now, name);
    try {
        QDir().mkpath(folder);
        writeMillPdf(db, session, issueId, QDir(folder).filePath(fileName));
    } catch (const reports::ReportError& error) {
        messages.critical(QStringLiteral("Report"), error.text());
        return false;
    } catch (const db::DbError& error) {
        messages.critical(QStringLiteral("Report"), QString::fromUtf8(error.what()));
        return false;
    }
    reports::WhatsAppSender sender(session.dataRoot, reports::WhatsAppSettings::load(session.dataRoot), messages);
    const QString text = QStringLiteral("Mill Issue Challan No ") + QString::number(no) + QStringLiteral("%0aM/s. ") + name;
    return sender.sendPdf(fileName, *number, text, CleanFileName(QStringLiteral("Mill_Issue_") + QString::number(no) + QLatin1Char('_') + name) +
                                                       QStringLiteral(".pdf"));
}

}  // namespace tanabana::mill
