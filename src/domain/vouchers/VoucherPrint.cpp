#include "domain/vouchers/VoucherPrint.h"

#include "core/Words.h"
#include "domain/reports/ReportError.h"
#include "domain/schema/YearSchema.h"
#include "domain/trade/TradePrint.h"
#include "domain/vouchers/CashBankVouchers.h"

namespace tanabana::vouchers {

QString voucherLayoutName(int tableCode, const QString& printType) {
    const auto kind = kindOfTableCode(tableCode);
    const QString stem = kind ? styleOf(*kind).report : QStringLiteral("JournalVoucher");
    return (printType.trimmed().isEmpty() ? stem : stem + QLatin1Char('_') + printType.trimmed()) + QStringLiteral(".rpt");
}

reports::ReportRequest voucherRequest(db::Database& db, const Session& session, int tableCode, qint64 voucherNo,
                                      const QString& printType, int serial) {
    const auto kind = kindOfTableCode(tableCode);
    if (!kind && tableCode != 9) throw reports::ReportError(QStringLiteral("Document type %1 is no voucher.").arg(tableCode));
    // Cash and bank vouchers print their party lines; a journal voucher prints both sides.
    const QString side =
        kind ? QString(styleOf(*kind).bookSide == QLatin1Char('D') ? QLatin1Char('C') : QLatin1Char('D')) : QString();
    QVariantList params{session.firmNo, tableCode, voucherNo};
    QString entryCondition;
    if (serial > 0) {
        entryCondition = QStringLiteral(" AND h.SubSrno = ?");
        params << serial;
    }
    const QVariantList voucher = params;
    QString sideCondition = entryCondition;
    if (!side.isEmpty()) {
        sideCondition += QStringLiteral(" AND h.Type = ?");
        params << side;
    }
    const QVariant total = db.scalar(
        QStringLiteral("SELECT %1 FROM HeadDtl3 h WHERE h.FirmNo = ? AND h.TableCode = ? AND h.VoucherNo = ?%2 AND h.Type = 'D'")
            .arg(db.dialect().sumRounded(QStringLiteral("h.DrAmt")), entryCondition),
        voucher);
    if (db.scalar(QStringLiteral("SELECT COUNT(*) FROM HeadDtl3 h WHERE h.FirmNo = ? AND h.TableCode = ? AND h.VoucherNo = ?") +
                      entryCondition,
                  voucher)
            .toInt() == 0)
        throw reports::ReportError(QStringLiteral("Voucher %1 is not in firm %2.").arg(voucherNo).arg(session.firmNo));
    reports::ReportRequest r;
    r.layoutName =
        trade::availableLayout(session.dataRoot, voucherLayoutName(tableCode, printType), voucherLayoutName(tableCode));
    r.sql = QStringLiteral(
                "SELECT f.PName AS FirmNAme, f.Add1 AS FirmAdd1, f.City AS FirmCity, f.Tin AS FirmTIN, h.VoucherNo, h.TransDate "
                "AS VouDate, "
                "h.SubSrno, h.Type, a.LedgerId, a.AcName, a.City, h.DrAmt, h.CrAmt, h.DrAmt + h.CrAmt AS Amount, h.Receiptno, "
                "h.Narr, "
                "h.%1 AS Narration1, c.AcName AS BookAccount FROM HeadDtl3 h LEFT JOIN AccMst a ON a.Id = h.AccId "
                "LEFT JOIN AccMst c ON c.Id = h.PartyCode LEFT JOIN FirmMst f ON f.Srno = h.FirmNo "
                "WHERE h.FirmNo = ? AND h.TableCode = ? AND h.VoucherNo = ?%2 ORDER BY h.SubSrno, h.Type DESC")
                .arg(db.dialect().quote(QStringLiteral("Desc")), sideCondition);
    r.sqlParams = params;
    r.parameterValues << QStringLiteral("Rs. ") + AmountInWords(Decimal::fromVariant(total).roundHalfEven(2)) +
                             QStringLiteral(" Only.");
    return r;
}

void writeVoucherPdf(db::Database& db, const Session& session, const QString& installFolder, int tableCode, qint64 voucherNo,
                     const QString& path, const QString& printType, int serial) {
    reports::ReportService service(installFolder);
    auto document = service.prepare(&db, voucherRequest(db, session, tableCode, voucherNo, printType, serial));
    reports::ReportService::writePdf(*document, path);
}

namespace {

constexpr int kBankPayment = 7;

void requireVoucher(db::Database& db, const Session& session, qint64 voucherNo) {
    if (db.scalar(QStringLiteral("SELECT COUNT(*) FROM HeadDtl3 WHERE FirmNo = ? AND TableCode = ? AND VoucherNo = ?"),
                  {session.firmNo, kBankPayment, voucherNo})
            .toInt() == 0)
        throw reports::ReportError(QStringLiteral("Bank payment %1 is not in firm %2.").arg(voucherNo).arg(session.firmNo));
}

QString chequeText(const QString& column, const QString& text) {
    return schema::yearColumnWidths().fit(QStringLiteral("PaymentMStChq"), column, text);
}

}  // namespace

reports::ReportRequest chequeRequest(db::Database& db, const Session& session, qint64 voucherNo, const QString& layout) {
    requireVoucher(db, session, voucherNo);
    const db::Rows payments =
        db.query(QStringLiteral("SELECT h.SubSrno, h.TransDate, a.AcName, h.DrAmt, a.Phone, h.Narr FROM HeadDtl3 h "
                                "LEFT JOIN AccMst a ON a.Id = h.AccId WHERE h.FirmNo = ? AND h.TableCode = ? AND "
                                "h.VoucherNo = ? AND h.Type = 'D' ORDER BY h.SubSrno"),
                 {session.firmNo, kBankPayment, voucherNo});
    reports::ReportRequest r;
    r.layoutName = QStringLiteral("Cheque_") + (layout.trimmed().isEmpty() ? QStringLiteral("1") : layout.trimmed()) +
                   QStringLiteral(".rpt");
    r.sql = QStringLiteral("SELECT Srno, PayDAte, Name, Amt, Ph, Narr1, InWord FROM PaymentMStChq ORDER BY Srno");
    // The work table holds this run only.
    db::Transaction tx(db);
    db.exec(QStringLiteral("DELETE FROM PaymentMStChq"));
    for (const db::Row& p : payments) {
        const Decimal amount = Decimal::fromVariant(p.value(QStringLiteral("DrAmt"))).roundHalfEven(2);
        db.exec(
            QStringLiteral(
                "INSERT INTO PaymentMStChq (Srno, PayDAte, Name, Amt, Ph, Narr1, InWord) VALUES (?, ?, ?, ?, ?, ?, ?)"),
            {p.integer(QStringLiteral("SubSrno")), p.value(QStringLiteral("TransDate")),
             chequeText(QStringLiteral("Name"), p.text(QStringLiteral("AcName")).trimmed()), amount.toDouble(),
             chequeText(QStringLiteral("Ph"), p.text(QStringLiteral("Phone")).trimmed()),
             chequeText(QStringLiteral("Narr1"), p.text(QStringLiteral("Narr"))),
             chequeText(QStringLiteral("InWord"), QStringLiteral("Rs. ") + AmountInWords(amount) + QStringLiteral(" Only."))});
    }
    tx.commit();
    return r;
}

void writeChequesPdf(db::Database& db, const Session& session, const QString& installFolder, qint64 voucherNo,
                     const QString& path, const QString& layout) {
    reports::ReportService service(installFolder);
    // Filled and printed in one transaction, so another station's run cannot slip in between.
    db::Transaction tx(db);
    auto document = service.prepare(&db, chequeRequest(db, session, voucherNo, layout));
    tx.commit();
    reports::ReportService::writePdf(*document, path);
}

reports::ReportRequest paymentAdviceRequest(db::Database& db, const Session& session, qint64 voucherNo, const QString& layout) {
    requireVoucher(db, session, voucherNo);
    reports::ReportRequest r;
    r.layoutName = QStringLiteral("BankPayAdvice_") + (layout.trimmed().isEmpty() ? QStringLiteral("1") : layout.trimmed()) +
                   QStringLiteral(".rpt");
    r.sql = QStringLiteral(
        "SELECT f.PName AS FirmNAme, f.Add1 AS FirmAdd1, f.City AS FirmCity, h.VoucherNo, h.TransDate AS VouDate, h.SubSrno, "
        "a.AcName, a.Add1 AS PartyAdd1, a.City AS PartyCity, h.DrAmt AS Amount, h.Receiptno AS ChequeNo, c.AcName AS BankName, "
        "o.BNo, o.BillDt, o.BillAmt, o.Paid_Amt, o.Minus_Amt, o.Plus_Amt FROM HeadDtl3 h "
        "LEFT JOIN AccMst a ON a.Id = h.AccId LEFT JOIN AccMst c ON c.Id = h.PartyCode LEFT JOIN FirmMst f ON f.Srno = h.FirmNo "
        "LEFT JOIN Acc_OutSt o ON o.Fno = h.FirmNo AND o.TableCode = h.TableCode AND o.VouNo = h.VoucherNo AND o.VouSrno = "
        "h.SubSrno "
        "AND o.Book = 'P' AND o.IsRet = 0 "
        "WHERE h.FirmNo = ? AND h.TableCode = ? AND h.VoucherNo = ? AND h.Type = 'D' ORDER BY h.SubSrno, o.Srno");
    r.sqlParams = {session.firmNo, kBankPayment, voucherNo};
    return r;
}

void writePaymentAdvicePdf(db::Database& db, const Session& session, const QString& installFolder, qint64 voucherNo,
                           const QString& path, const QString& layout) {
    reports::ReportService service(installFolder);
    auto document = service.prepare(&db, paymentAdviceRequest(db, session, voucherNo, layout));
    reports::ReportService::writePdf(*document, path);
}

}  // namespace tanabana::vouchers
