#include "support/LedgerBooks.h"

#include "domain/masters/DefaultChart.h"
#include "support/FirmBooks.h"

namespace tanabana::test {

Decimal money(const char* text) { return *Decimal::parse(QString::fromLatin1(text)); }

void setOpening(db::Database& db, qint64 accId, const QDate& date, Decimal amount, QChar side, qint64 firmNo) {
    db::Transaction tx(db);
    db.exec(QStringLiteral("DELETE FROM AccMstOpBal WHERE Id = ? AND FirmNo = ?"), {accId, firmNo});
    db.exec(QStringLiteral("INSERT INTO AccMstOpBal (Id, OpDate, OpAmount, OpType, FirmNo, Is_Upload) VALUES (?, ?, ?, ?, ?, 0)"),
            {accId, date, amount.toDouble(), QString(side), firmNo});
    const bool debit = side == QLatin1Char('D');
    db.exec(QStringLiteral("UPDATE AccMst SET DrAmt = ?, CrAmt = ?, Is_Upload = 0 WHERE Id = ?"),
            {debit ? amount.toDouble() : 0.0, debit ? 0.0 : amount.toDouble(), accId});
    tx.commit();
}

SmallFirm seedSmallFirm(db::Database& db, qint64 firmNo) {
    if (accountId(db, masters::chart::Cash, firmNo) == 0) seedDefaultChart(db, firmNo);
    SmallFirm f;
    f.cash = accountId(db, masters::chart::Cash, firmNo);
    f.bank = accountId(db, masters::chart::Bank, firmNo);
    f.capital = accountId(db, masters::chart::Capital, firmNo);
    f.sales = accountId(db, masters::chart::Sales, firmNo);
    f.purchase = accountId(db, masters::chart::Purchase, firmNo);
    f.outputCgst = accountId(db, masters::chart::OutputCgst, firmNo);
    f.outputSgst = accountId(db, masters::chart::OutputSgst, firmNo);
    f.inputIgst = accountId(db, masters::chart::InputIgst, firmNo);
    f.ramesh = addAccount(db, QStringLiteral("Ramesh Traders"), 35, firmNo);
    f.suresh = addAccount(db, QStringLiteral("Suresh Fabrics"), 35, firmNo);
    f.mahesh = addAccount(db, QStringLiteral("Mahesh Yarn Agency"), 76, firmNo, QStringLiteral("27-Maharashtra"));
    const QDate first(2024, 4, 1);
    setOpening(db, f.cash, first, money("25000"), QLatin1Char('D'), firmNo);
    setOpening(db, f.bank, first, money("40000"), QLatin1Char('D'), firmNo);
    setOpening(db, f.capital, first, money("76500"), QLatin1Char('C'), firmNo);
    setOpening(db, f.ramesh, first, money("1000"), QLatin1Char('C'), firmNo);
    setOpening(db, f.suresh, QDate(2024, 4, 10), money("12500"), QLatin1Char('D'), firmNo);
    return f;
}

ledger::JournalDocument document(int tableCode, qint64 voucherNo, const QDate& date, const QString& printedNo,
                                 const std::vector<std::tuple<qint64, QChar, Decimal>>& lines) {
    ledger::JournalDocument doc;
    doc.tableCode = tableCode;
    doc.voucherNo = voucherNo;
    doc.date = date;
    doc.printedNo = printedNo;
    for (const auto& [account, side, amount] : lines) {
        ledger::JournalLine line;
        line.accId = account;
        line.side = side;
        line.amount = amount;
        line.description = QStringLiteral("%1 %2").arg(printedNo).arg(side);
        doc.lines.push_back(line);
    }
    return doc;
}

void postTypicalMonths(db::Database& db, const Session& session, const SmallFirm& f) {
    using namespace ledger;
    const QChar D('D'), C('C');
    Journal journal(db, session);
    // Sales bill GST/1 to Suresh: 100 m at 105.00, 5% GST split in CGST and SGST.
    journal.post(document(DocumentType::Sale, 1, QDate(2024, 4, 15), QStringLiteral("GST/1"),
                          {{f.suresh, D, money("11025.00")}, {f.sales, C, money("10500.00")},
                           {f.outputCgst, C, money("262.50")}, {f.outputSgst, C, money("262.50")}}));
    // Purchase of yarn from Maharashtra: IGST.
    journal.post(document(DocumentType::Purchase, 1, QDate(2024, 4, 12), QStringLiteral("MY/77"),
                          {{f.purchase, D, money("8000.00")}, {f.inputIgst, D, money("400.00")},
                           {f.mahesh, C, money("8400.00")}}));
    journal.post(document(DocumentType::CashReceipt, 1, QDate(2024, 4, 20), QStringLiteral("1"),
                          {{f.cash, D, money("5000.00")}, {f.suresh, C, money("5000.00")}}),
                 Replace::Entries);
    // Sales bill GST/2 to Ramesh, set against his advance.
    journal.post(document(DocumentType::Sale, 2, QDate(2024, 5, 2), QStringLiteral("GST/2"),
                          {{f.ramesh, D, money("400.00")}, {f.sales, C, money("380.95")}, {f.outputCgst, C, money("9.52")},
                           {f.outputSgst, C, money("9.53")}}));
    journal.post(document(DocumentType::BankReceipt, 1, QDate(2024, 5, 10), QStringLiteral("CHQ 104233"),
                          {{f.bank, D, money("6025.00")}, {f.suresh, C, money("6025.00")}}),
                 Replace::Entries);
    journal.post(document(DocumentType::BankPayment, 1, QDate(2024, 5, 15), QStringLiteral("CHQ 000871"),
                          {{f.mahesh, D, money("8400.00")}, {f.bank, C, money("8400.00")}}),
                 Replace::Entries);
}

}  // namespace tanabana::test
