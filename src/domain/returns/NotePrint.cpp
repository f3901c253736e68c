#include "domain/returns/NotePrint.h"

#include "core/Decimal.h"
#include "core/Text.h"
#include "core/Words.h"
#include "domain/reports/ReportError.h"
#include "domain/trade/TradePrint.h"

namespace tanabana::returns {

QString noteLayoutName(NoteKind kind, int printType) {
    return (kind == NoteKind::Credit ? QStringLiteral("CreditNote_TM_") : QStringLiteral("DebitNote_TM_")) + QString::number(std::max(1, printType)) +
           QStringLiteral(".rpt");
}

QString notePdfName(NoteKind kind, const QString& noteNo) {
    return CleanFileName((kind == NoteKind::Credit ? QStringLiteral("CreditNote_No -") : QStringLiteral("DebitNote_No -")) + noteNo.trimmed());
}

reports::ReportRequest noteRequest(db::Database& db, const Session& session, qint64 noteId, int printType) {
    const auto note = db.queryOne(QStringLiteral("SELECT CNType, NetAmt FROM CNMst WHERE Id = ? AND FirmNO = ?"), {noteId, session.firmNo});
    if (!note) throw reports::ReportError(QStringLiteral("Note %1 is not in firm %2.").arg(noteId).arg(session.firmNo));
    const NoteKind kind = note->text(QStringLiteral("CNType")) == QStringLiteral("D") ? NoteKind::Debit : NoteKind::Credit;
    const QString billTable = kind == NoteKind::Credit ? QStringLiteral("SalBillMst") : QStringLiteral("BillMst");
    reports::ReportRequest r;
    r.layoutName = trade::availableLayout(session.dataRoot, noteLayoutName(kind, printType), noteLayoutName(kind, 1));
    r.sql = QStringLiteral(
                "SELECT f.PName AS FirmNAme, f.Add1 AS FirmAdd1, f.City AS FirmCity, f.Tin AS FirmTIN, f.CST AS FirmState, f.Ph AS FirmPh, "
                "n.Id, n.CNNo, n.CnDate, n.RateType, n.CNTotAmt, n.VATP, n.VatRs, n.ATAXP, n.ATAXRs, n.IGSTP, n.IGSTRs, n.OtherP, n.OtherP1, "
                "n.NetAmt, n.TDSP, n.TDSRs, n.RefNO, n.RefType, n.Ref_Notes, n.Remarks, "
                "a.AcName AS PartyName, a.Add1 AS PartyAdd1, a.City AS PartyCity, a.TinNo AS PartyGSTIN, a.CSTNo AS PartyState, "
                "o.AcName AS OtherAccount, p.ProdName AS ItemName, p.hsnCode, "
                "b.BillNO AS RefBillNo, b.BillDate AS RefBillDate, b.BillAmount AS RefBillAmount, d.AYN, d.QDRate, d.CNAmt "
                "FROM CNMst n LEFT JOIN CNDtl d ON d.CNId = n.Id LEFT JOIN %1 b ON b.Id = d.BillId LEFT JOIN AccMst a ON a.Id = n.AcID "
                "LEFT JOIN AccMst o ON o.Id = n.DrAcId LEFT JOIN ProdMst p ON p.Id = n.Q_ID LEFT JOIN FirmMst f ON f.Srno = n.FirmNO "
                "WHERE n.Id = ? ORDER BY d.Sno")
                .arg(billTable);
    r.sqlParams << noteId;
    r.parameterValues << QStringLiteral("Rs. ") + AmountInWords(Decimal::fromVariant(note->value(QStringLiteral("NetAmt")))) + QStringLiteral(" Only.");
    return r;
}

void writeNotePdf(db::Database& db, const Session& session, const QString& installFolder, qint64 noteId, const QString& path, int printType) {
    reports::ReportService service(installFolder);
    auto document = service.prepare(&db, noteRequest(db, session, noteId, printType));
    reports::ReportService::writePdf(*document, path);
}

}  // namespace tanabana::returns
