#include "domain/demo/DemoMills.h"

#include "core/Messages.h"
#include "domain/masters/LedgerCode.h"
#include "domain/masters/RowWriter.h"
#include "domain/mill/MillIssues.h"
#include "domain/mill/MillReceipts.h"

#include <QRandomGenerator>

namespace tanabana::demo {

namespace {

qint64 addMill(db::Database& db, const QString& name, const QString& gstin) {
    const qint64 id = db.nextKey(QStringLiteral("AccMst"), QStringLiteral("Id"));
    masters::insertRow(db, QStringLiteral("AccMst"),
                       {{QStringLiteral("Id"), id},
                        {QStringLiteral("LedgerId"), masters::nextLedgerCode(db, 1, masters::ledgerSeries(77, name))},
                        {QStringLiteral("AcName"), name},
                        {QStringLiteral("GrpNo"), 77},
                        {QStringLiteral("IsGrp"), false},
                        {QStringLiteral("FirmNo"), 1},
                        {QStringLiteral("Active"), true},
                        {QStringLiteral("City"), QStringLiteral("Surat")},
                        {QStringLiteral("CSTNo"), QStringLiteral("24-Gujarat")},
                        {QStringLiteral("TinNo"), gstin},
                        {QStringLiteral("CrDays"), 30}});
    return id;
}

}  // namespace

DemoMillWork fillDemoMills(db::Database& db, Session& session, const QDate& last) {
    DemoMillWork work;
    std::vector<qint64> mills;
    {
        db::Transaction tx(db);
        mills = {addMill(db, QStringLiteral("Surat Dyeing & Printing Mills"), QStringLiteral("24AADCS4455R1Z2")),
                 addMill(db, QStringLiteral("Navkar Process House"), QStringLiteral("24AAEFN8899P1Z5"))};
        tx.commit();
    }
    const QStringList processes{QStringLiteral("Dyeing"), QStringLiteral("Printing")};
    RecordingMessages quiet;
    mill::MillIssues issues(db, session, quiet);
    mill::MillReceipts receipts(db, session, quiet);
    QRandomGenerator random(20240403);
    std::vector<qint64> bills;
    for (const db::Row& r : db.query(QStringLiteral("SELECT DISTINCT m.Id, m.BillDate FROM BillMst m JOIN BillMst_TakaDetail t ON t.BillMst_Id = m.Id "
                                                    "WHERE m.FirmNO = 1 AND m.FormId = 1 ORDER BY m.BillDate, m.Id")))
        if (r.date(QStringLiteral("BillDate")).addDays(10) <= last) bills.push_back(r.integer(QStringLiteral("Id")));
    int n = 0;
    for (qint64 bill : bills) {
        const size_t which = size_t(n++ % 2);
        QStringList takas;
        for (const mill::OfferedTaka& t : issues.purchaseTakas(bill)) takas << t.takaNo;
        mill::MillIssue issue;
        issue.bookId = 2;
        issue.millId = mills[which];
        issue.process = processes[qsizetype(which)];
        issue.rate = Decimal::fromUnits(Decimal::Scale * (250 + 25 * random.bounded(7)) / 100);
        issue.transport = QStringLiteral("Own Tempo");
        if (!issues.takeFromPurchase(issue, bill, takas)) continue;
        issue.date = issue.purchaseDate.addDays(3 + random.bounded(7));
        if (!issues.save(issue)) continue;
        ++work.issues;
        // Four in five challans come back, all but the last taka or two; the rest stay at the mill.
        const QDate back = issue.date.addDays(12 + random.bounded(10));
        if (n % 5 == 0 || back > last) continue;
        std::vector<int> srnos;
        const int keep = 1 + random.bounded(2);
        for (int s = 1; s <= int(issue.lines.size()) - (n % 3 == 0 ? keep : 0); ++s) srnos.push_back(s);
        mill::MillReceipt receipt;
        receipt.bookId = 2;
        receipt.date = back;
        receipt.millId = issue.millId;
        receipt.millChallanNo = QStringLiteral("%1/%2").arg(which == 0 ? QStringLiteral("SDP") : QStringLiteral("NPH")).arg(500 + n);
        receipt.lotNo = QStringLiteral("LOT-%1").arg(1000 + n);
        receipt.tdsPercent = Decimal(1);
        receipt.lines = receipts.linesFromIssue(issue.id, srnos);
        for (mill::MillReceiptLine& l : receipt.lines) {
            // 1.5 to 5 per cent shorter once processed.
            const Decimal shrink = Decimal::fromUnits(Decimal::Scale * (15 + random.bounded(36)) / 1000);
            l.finishedMetres = (l.greyMetres - l.greyMetres * shrink).roundHalfEven(2);
        }
        if (receipts.save(receipt)) ++work.receipts;
    }
    return work;
}

}  // namespace tanabana::demo
