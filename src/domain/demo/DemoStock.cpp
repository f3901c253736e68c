#include "domain/demo/DemoStock.h"

#include "core/Messages.h"
#include "domain/stock/StockVouchers.h"

namespace tanabana::demo {

DemoStockVouchers fillDemoStockVouchers(db::Database& db, Session& session, const QDate& last) {
    DemoStockVouchers made;
    const qint64 jobWorker = db.scalar(QStringLiteral("SELECT Id FROM AccMst WHERE FirmNo = ? AND AcName = ?"),
                                       {session.firmNo, QStringLiteral("Navkar Process House")})
                                 .toLongLong();
    const qint64 book = db.scalar(QStringLiteral("SELECT MIN(BookNo) FROM BookMst WHERE FirmNo = ? AND BookType IN ('P', 'S', 'A') "
                                                 "AND COALESCE(IsGenPur, 0) = 0"),
                                  {session.firmNo})
                            .toLongLong();
    std::vector<std::pair<qint64, Decimal>> qualities;  // finished qualities with their cut
    db.forEach(QStringLiteral("SELECT Id, Pack FROM ProdMst WHERE FirmNO = ? AND IsActive = 1 AND CalcOn <> 2 ORDER BY Id"),
               {session.firmNo}, [&](const db::Row& r) {
                   if (qualities.size() >= 4) return;
                   const Decimal cut = Decimal::fromVariant(r.value(QStringLiteral("Pack"))).roundHalfEven(2);
                   qualities.emplace_back(r.integer(QStringLiteral("Id")), cut.isZero() ? Decimal(6) : cut);
               });
    if (jobWorker <= 0 || book <= 0 || qualities.empty()) return made;
    {
        db::Transaction tx(db);
        if (db.scalar(QStringLiteral("SELECT count(*) FROM Mst_Process WHERE FirmNo = ? AND Mst_Type = 'J' AND Pro_Name = 'Folding'"), {session.firmNo})
                .toInt() == 0)
            db.exec(QStringLiteral("INSERT INTO Mst_Process (Pro_Id, Pro_Name, FirmNo, Mst_Type, IsAct) VALUES (?, 'Folding', ?, 'J', 1)"),
                    {db.nextKey(QStringLiteral("Mst_Process"), QStringLiteral("Pro_Id")), session.firmNo});
        tx.commit();
    }
    RecordingMessages quiet;
    stock::StockVouchers service(db, session, quiet);
    int n = 0;
    for (QDate day = session.yearStartDate.addDays(20); day <= last; day = day.addMonths(1), ++n) {
        stock::StockVoucher issue;
        issue.kind = stock::VoucherKind::Issue;
        issue.bookId = book;
        issue.date = day;
        issue.partyId = jobWorker;
        issue.process = QStringLiteral("Folding");
        issue.lotNo = QStringLiteral("FL-%1").arg(101 + n);
        issue.remarks = QStringLiteral("Folding and packing");
        for (int l = 0; l < 2; ++l) {
            const auto& [quality, cut] = qualities[size_t(n * 2 + l) % qualities.size()];
            const int pieces = 10 + 5 * ((n + l) % 3);
            issue.lines.push_back({quality, Decimal(pieces), cut, (cut * Decimal(pieces)).roundHalfEven(3)});
        }
        if (!service.save(issue)) continue;
        ++made.issues;
        // Every third lot is still at the folder's; the others come back whole a week later.
        const QDate back = day.addDays(7);
        if (n % 3 == 2 || back > last) continue;
        stock::StockVoucher receipt = issue;
        receipt.id = 0;
        receipt.voucherNo = 0;
        receipt.kind = stock::VoucherKind::Receipt;
        receipt.date = back;
        receipt.remarks = QStringLiteral("Folded, lot ") + issue.lotNo;
        if (service.save(receipt)) ++made.receipts;
    }
    return made;
}

}  // namespace tanabana::demo
