#include "domain/trade/SalesMessages.h"

#include "domain/ledger/Balances.h"
#include "domain/reports/ReportFolders.h"
#include "domain/reports/Sms.h"
#include "domain/reports/WhatsApp.h"
#include "domain/trade/TradePrint.h"


namespace tanabana::trade {

namespace {

// What the messages say about one bill.
struct BillFacts {
    QString number;      // book prefix + bill number
    QString plainNumber; // the bill number as typed
    QDate date;
    qint64 partyId = 0;
    QString party, delivery;
    bool otherDelivery = false;
    Decimal pieces, metres, net;
    QString truck, transport, eway, lrNo, packing, challanNo, challanDate;
};

std::optional<BillFacts> facts(db::Database& db, const Session& session, qint64 billId) {
    const auto r = db.queryOne(
        QStringLiteral("SELECT m.BillNO, m.BillDate, m.PartyID, m.DeliId, m.BillAmount, m.TrNO, m.Transport, m.AGAINST, m.LrNo, "
                       "m.Packng, m.ChNo, m.Ch1, b.BookShortName, a.AcName, dl.AcName AS DeliName, "
                       "(SELECT COALESCE(SUM(Qty2), 0) FROM SalBillDtl WHERE BillMstId = m.Id) AS Pcs, "
                       "(SELECT COALESCE(SUM(Qty), 0) FROM SalBillDtl WHERE BillMstId = m.Id) AS Mtrs "
                       "FROM SalBillMst m LEFT JOIN BookMst b ON b.BookNO = m.BookNO AND b.FirmNO = m.FirmNO "
                       "LEFT JOIN AccMst a ON a.Id = m.PartyID LEFT JOIN AccMst dl ON dl.Id = m.DeliId "
                       "WHERE m.Id = ? AND m.FirmNO = ? AND m.FormId = 3"),
        {billId, session.firmNo});
    if (!r) return std::nullopt;
    BillFacts f;
    f.plainNumber = r->text(QStringLiteral("BillNO")).trimmed();
    f.number = r->text(QStringLiteral("BookShortName")).trimmed() + f.plainNumber;
    f.date = r->date(QStringLiteral("BillDate"));
    f.partyId = r->integer(QStringLiteral("PartyID"));
    f.party = r->text(QStringLiteral("AcName")).trimmed();
    f.delivery = r->text(QStringLiteral("DeliName")).trimmed();
    f.otherDelivery = r->integer(QStringLiteral("DeliId")) > 0 && r->integer(QStringLiteral("DeliId")) != f.partyId;
    f.pieces = Decimal::fromVariant(r->value(QStringLiteral("Pcs"))).roundHalfEven(3);
    f.metres = Decimal::fromVariant(r->value(QStringLiteral("Mtrs"))).roundHalfEven(3);
    f.net = Decimal::fromVariant(r->value(QStringLiteral("BillAmount"))).roundHalfEven(2);
    f.truck = r->text(QStringLiteral("TrNO")).trimmed();
    f.transport = r->text(QStringLiteral("Transport")).trimmed();
    f.eway = r->text(QStringLiteral("AGAINST")).trimmed();
    f.lrNo = r->text(QStringLiteral("LrNo")).trimmed();
    f.packing = r->text(QStringLiteral("Packng")).trimmed();
    if (r->integer(QStringLiteral("ChNo")) > 0) f.challanNo = r->text(QStringLiteral("ChNo"));
    f.challanDate = r->text(QStringLiteral("Ch1")).trimmed();
    return f;
}

// A count without needless decimals: 12 pieces, 12.5 pieces.
QString count(Decimal value) {
    QString text = value.toString(3);
    while (text.contains(QLatin1Char('.')) && (text.endsWith(QLatin1Char('0')) || text.endsWith(QLatin1Char('.')))) text.chop(1);
    return text;
}

}  // namespace

QString invoiceWhatsAppText(db::Database& db, const Session& session, qint64 billId) {
    const auto f = facts(db, session, billId);
    if (!f) return {};
    QStringList lines{QStringLiteral("Bill No: ") + f->number, QStringLiteral("Date :*") + f->date.toString(QStringLiteral("dd-MM-yyyy")) + QLatin1Char('*'),
                      QStringLiteral("M/S :") + f->party};
    if (!f->pieces.isZero()) lines << QStringLiteral("Total Pcs : *") + count(f->pieces) + QLatin1Char('*');
    if (!f->metres.isZero()) lines << QStringLiteral("Total Mtrs : *") + f->metres.toString(3) + QLatin1Char('*');
    lines << QStringLiteral("Bill Amount :*") + f->net.toString(2) + QLatin1Char('*');
    if (!f->truck.isEmpty()) lines << QStringLiteral("Veh No :") + f->truck;
    if (!f->transport.isEmpty()) lines << QStringLiteral("Transport :") + f->transport;
    if (!f->eway.isEmpty()) lines << QStringLiteral("EwayBillNo :") + f->eway;
    if (!f->challanNo.isEmpty())
        lines << QStringLiteral("Challan No :") + f->challanNo << QStringLiteral("Ch Date :*") + f->challanDate + QLatin1Char('*');
    if (f->otherDelivery) lines << QStringLiteral("Deli Party  : ") + f->delivery;
    lines << QStringLiteral("From :") + session.firmName;
    return lines.join(QStringLiteral("%0a"));
}

QString invoiceSmsText(db::Database& db, const Session& session, qint64 billId, SmsForm form, const QString& extra) {
    const auto f = facts(db, session, billId);
    if (!f) return {};
    QStringList lines;
    if (form == SmsForm::Dispatch) {
        lines << QStringLiteral("BILL NO:") + QLatin1Char(' ') + f->plainNumber
              << QStringLiteral("DATE : ") + f->date.toString(QStringLiteral("dd-MM-yy")) << QStringLiteral("M/S: ") + f->party;
        if (!f->lrNo.isEmpty()) lines << QStringLiteral("LR No: ") + f->lrNo;
        if (!f->transport.isEmpty()) lines << QStringLiteral("TRANSPORT: ") + f->transport;
        if (!f->packing.isEmpty()) lines << QStringLiteral("PACKING: ") + f->packing;
        lines << QStringLiteral(" From : ") + session.firmName;
    } else {
        lines << QStringLiteral("To : ") + f->party << QStringLiteral("BILL NO:") + QLatin1Char(' ') + f->plainNumber
              << QStringLiteral("DT : ") + f->date.toString(QStringLiteral("dd-MM-yy"))
              << QStringLiteral("Tot Amt :") + QStringLiteral("   ") + f->net.toString(2);
        if (form == SmsForm::AmountAndOutstanding) {
            ledger::Balances balances(db, session);
            lines << QStringLiteral("Tot Out. :") + balances.closing(f->partyId).roundHalfEven(2).toString(2);
        }
        lines << QString() << QStringLiteral("   Thanks For Fabric Purchase.  ") + QStringLiteral(" From : ") + session.firmName;
    }
    if (!extra.trimmed().isEmpty()) lines << extra.trimmed();
    return lines.join(QLatin1Char('\n'));
}

bool sendInvoiceWhatsApp(db::Database& db, const Session& session, Messages& messages, qint64 billId, const QString& mobile,
                         const QDateTime& now) {
    const auto f = facts(db, session, billId);
    if (!f) return false;
    const auto number = reports::mobileForMessage(messages, mobile);
    if (!number) return false;
    const QString fileName = reports::whatsAppPdfFileName(f->number + QStringLiteral("_BS"), now, QStringLiteral("Invoice"));
    // one copy travels: the recipient's original
    return reports::sendPdfByWhatsApp(
        session.dataRoot, messages, fileName,
        [&](const QString& path) { writeInvoicePdf(db, session, session.dataRoot, billId, path, 1, {1}); }, *number,
        invoiceWhatsAppText(db, session, billId), invoicePdfName(f->number, f->party) + QStringLiteral(".pdf"));
}

bool sendInvoiceSms(db::Database& db, const Session& session, Messages& messages, qint64 billId, SmsForm form, const QString& extra,
                    const QString& mobile) {
    const auto f = facts(db, session, billId);
    if (!f) return false;
    QString known = mobile.trimmed();
    if (known.isEmpty()) known = reports::partyPhone(db, f->partyId);
    const auto number = reports::mobileForMessage(messages, known);
    if (!number) return false;
    return reports::sendSms(session.dataRoot, reports::SmsSettings::fromSession(session), *number,
                            invoiceSmsText(db, session, billId, form, extra), messages);
}

}  // namespace tanabana::trade
