#include "domain/vouchers/ReceiptMessages.h"

#include "domain/reports/Sms.h"
#include "domain/reports/WhatsApp.h"
#include "domain/vouchers/CashBankVouchers.h"
#include "domain/vouchers/VoucherPrint.h"


namespace tanabana::vouchers {

namespace {

struct ReceiptFacts {
    QString number;  // "CRV-4"
    QDate date;
    qint64 partyId = 0;
    QString party, receiptNo, bills;
    Decimal amount;
    bool bank = false;
};

std::optional<ReceiptFacts> facts(db::Database& db, const Session& session, int tableCode, qint64 voucherNo, int serial) {
    const auto kind = kindOfTableCode(tableCode);
    if (!kind || !styleOf(*kind).receipt()) return std::nullopt;
    const VoucherStyle& style = styleOf(*kind);
    const auto r = db.queryOne(
        QStringLiteral("SELECT h.TransDate, h.AccId, h.CrAmt, h.Receiptno, a.AcName FROM HeadDtl3 h LEFT JOIN AccMst a ON "
                       "a.Id = h.AccId WHERE h.FirmNo = ? AND h.TableCode = ? AND h.VoucherNo = ? AND h.SubSrno = ? AND h.Type = 'C'"),
        {session.firmNo, tableCode, voucherNo, serial});
    if (!r) return std::nullopt;
    ReceiptFacts f;
    f.number = style.code.mid(1) + QString::number(voucherNo);
    f.date = r->date(QStringLiteral("TransDate"));
    f.partyId = r->integer(QStringLiteral("AccId"));
    f.party = r->text(QStringLiteral("AcName")).trimmed();
    f.receiptNo = r->text(QStringLiteral("Receiptno")).trimmed();
    f.amount = Decimal::fromVariant(r->value(QStringLiteral("CrAmt"))).roundHalfEven(2);
    f.bank = style.bookType == QLatin1String("B");
    QStringList bills;
    for (const Settlement& s : settlementsOf(db, session.firmNo, tableCode, voucherNo, serial)) bills << s.billNo;
    f.bills = bills.join(QStringLiteral(", "));
    return f;
}

}  // namespace

QString receiptWhatsAppText(db::Database& db, const Session& session, int tableCode, qint64 voucherNo, int serial) {
    const auto f = facts(db, session, tableCode, voucherNo, serial);
    if (!f) return {};
    QStringList lines{QStringLiteral("Receipt No: ") + f->number,
                      QStringLiteral("Date :*") + f->date.toString(QStringLiteral("dd-MM-yyyy")) + QLatin1Char('*'),
                      QStringLiteral("M/S :") + f->party, QStringLiteral("Amount :*") + f->amount.toString(2) + QLatin1Char('*')};
    if (!f->receiptNo.isEmpty()) lines << (f->bank ? QStringLiteral("Chq No :") : QStringLiteral("Rec No :")) + f->receiptNo;
    if (!f->bills.isEmpty()) lines << QStringLiteral("Against Bill No :") + f->bills;
    lines << QStringLiteral("From :") + session.firmName;
    return lines.join(QStringLiteral("%0a"));
}

bool sendReceiptWhatsApp(db::Database& db, const Session& session, Messages& messages, int tableCode, qint64 voucherNo,
                         int serial, const QString& mobile, const QDateTime& now) {
    const auto f = facts(db, session, tableCode, voucherNo, serial);
    if (!f) {
        messages.critical(QStringLiteral("WhatsApp"), QStringLiteral("Only a saved receipt entry is sent by WhatsApp."));
        return false;
    }
    const QString known = mobile.trimmed().isEmpty() ? reports::partyWhatsAppNumber(db, f->partyId) : mobile.trimmed();
    const auto number = reports::mobileForMessage(messages, known);
    if (!number) return false;
    const QString stem = QString(f->number).replace(QLatin1Char('-'), QLatin1Char('_'));
    const QString fileName = reports::whatsAppPdfFileName(stem, now, QStringLiteral("Receipt"));
    return reports::sendPdfByWhatsApp(
        session.dataRoot, messages, fileName,
        [&](const QString& path) { writeVoucherPdf(db, session, session.dataRoot, tableCode, voucherNo, path, {}, serial); }, *number,
        receiptWhatsAppText(db, session, tableCode, voucherNo, serial),
        QStringLiteral("Receipt-") + stem + QLatin1Char('_') + f->party + QStringLiteral(".pdf"));
}

}  // namespace tanabana::vouchers
