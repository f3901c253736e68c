// The stock statement on a date over a year of grey takas: the demonstration firm with 2,000
// qualities, a year of purchase bills of 20 takas each (100,000 takas), every taka sent to a
// mill and most received back as a finished quality, sales of the finished cloth. The documents
// are written straight into their tables (one transaction), then the statement is run as the
// screen runs it: figures, layout lines, totals.
//   stock_bench [--takas N] [--items N] [--runs N] [--db URL] [--keep FILE]
// --keep writes a copy of the generated SQLite year to FILE, to try queries on it.
#include "DemoYear.h"
#include "db/Database.h"
#include "domain/stock/StockStatements.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <ctime>

using namespace tanabana;

namespace {

// Writes the year's movements: a purchase line, its issue to a mill and, for four takas in five,
// the receipt of the finished cloth, per taka; a sale of the finished quality per bill.
void generate(db::Database& year, int takas, const std::vector<qint64>& items) {
    db::Transaction tx(year);
    const qint64 supplier = year.scalar(QStringLiteral("SELECT min(Id) FROM AccMst WHERE FirmNo = 1 AND GrpNo IN (76, 77) AND IsGrp = 0")).toLongLong();
    const qint64 buyer = year.scalar(QStringLiteral("SELECT min(Id) FROM AccMst WHERE FirmNo = 1 AND GrpNo = 35 AND IsGrp = 0")).toLongLong();
    const int perBill = 20;
    const int bills = takas / perBill;
    const qint64 base = 1000000;
    for (int b = 0; b < bills; ++b) {
        const QDate date = QDate(2024, 4, 1).addDays(b * 360 / std::max(1, bills));
        const qint64 grey = items[size_t(b) % items.size()];
        const qint64 finished = items[size_t(b * 7 + 3) % items.size()];
        const qint64 bill = base + b, issue = base + b, receipt = base + bills + b, sale = base + b;
        year.exec(QStringLiteral("INSERT INTO BillMst (Id, FirmNO, FormId, BookId, BillNO, BillDate, PartyID, IsOp) VALUES (?, 1, 1, 2, ?, ?, ?, 0)"),
                  {bill, QStringLiteral("G-%1").arg(b), date, supplier});
        year.exec(QStringLiteral("INSERT INTO BillDtl (BillMstId, Srno, PCode, PQty, Qty2, Qty1) VALUES (?, 1, ?, ?, 0, ?)"),
                  {bill, grey, perBill * 100.5, perBill});
        year.exec(QStringLiteral("INSERT INTO JobWork_IssueMst_1 (Id, FirmNO, BookId, FormId, IType, IsOp, ChNo, BillDate, PartyID, QId) "
                                 "VALUES (?, 1, 2, 16, 'I', 0, ?, ?, ?, ?)"),
                  {issue, b + 1, date.addDays(2), supplier, grey});
        year.exec(QStringLiteral("INSERT INTO JobWork_IssueMst_1 (Id, FirmNO, BookId, FormId, IType, IsOp, ChNo, BillDate, PartyID, QId) "
                                 "VALUES (?, 1, 2, 17, 'R', 0, ?, ?, ?, ?)"),
                  {receipt, b + 1, date.addDays(12), supplier, grey});
        for (int t = 0; t < perBill; ++t) {
            const QString taka = QStringLiteral("%1").arg(b * perBill + t + 1);
            year.exec(QStringLiteral("INSERT INTO BillMst_TakaDetail (Srno, TakaNO, Mtrs, BillMst_Id, BillSrno) VALUES (?, ?, 100.5, ?, 1)"),
                      {t + 1, taka, bill});
            year.exec(QStringLiteral("INSERT INTO JobWork_IssueDtl_1 (BillMstId, Srno, TakaNO, Mtrs, RMtrs, IsFinished) VALUES (?, ?, ?, 100.5, ?, ?)"),
                      {issue, t + 1, taka, t % 5 == 4 ? 0.0 : 100.5, t % 5 != 4});
            if (t % 5 != 4)
                year.exec(QStringLiteral("INSERT INTO JobWork_IssueDtl_1 (BillMstId, Srno, TakaNO, Mtrs, RMtrs, QidDtl, IssueChId, IssueChSno, IsFinished) "
                                         "VALUES (?, ?, ?, 100.5, 96.25, ?, ?, ?, 1)"),
                          {receipt, t + 1, taka, finished, issue, t + 1});
        }
        year.exec(QStringLiteral("INSERT INTO SalBillMst (Id, FirmNO, FormId, BookNO, BillNO, BillDate, PartyID, IsOp) VALUES (?, 1, 3, 1, ?, ?, ?, 0)"),
                  {sale, QStringLiteral("S-%1").arg(b), date.addDays(20), buyer});
        year.exec(QStringLiteral("INSERT INTO SalBillDtl (BillMstId, Srno, PCode, Qty, Qty2) VALUES (?, 1, ?, 1000, 10)"), {sale, finished});
    }
    tx.commit();
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int takas = bench::option(args, QStringLiteral("--takas"), 100000);
    const int runs = bench::option(args, QStringLiteral("--runs"), 10);
    bench::DemoYear demoYear(args, 0, bench::option(args, QStringLiteral("--items"), 2000));
    db::Database& year = demoYear.year();
    std::vector<qint64> items;
    for (const db::Row& r : year.query(QStringLiteral("SELECT Id FROM ProdMst WHERE FirmNO = 1 AND COALESCE(Is_NoStk, 0) = 0 ORDER BY Id")))
        items.push_back(r.integer(QStringLiteral("Id")));
    QElapsedTimer timer;
    timer.start();
    generate(year, takas, items);
    std::printf("generated %d takas of %d qualities (purchase, mill issue and receipt lines, sales) in %.1f s\n", takas, int(items.size()),
                double(timer.nsecsElapsed()) / 1e9);

    const int keep = int(args.indexOf(QStringLiteral("--keep")));
    if (keep > 0 && keep + 1 < args.size()) year.exec(QStringLiteral("VACUUM INTO ?"), {args.at(keep + 1)});
    auto measure = [&](const char* what, const stock::StatementOptions& options, const QDate& from, const QDate& to) {
        reports::RegisterChoice choice;
        choice.from = from;
        choice.to = to;
        const reports::Registers registers(year, demoYear.session, QString());
        std::vector<double> millis, cpu;
        int rows = 0;
        for (int i = 0; i < runs; ++i) {
            QElapsedTimer one;
            one.start();
            const std::clock_t started = std::clock();
            const reports::RegisterResult r = registers.run(stock::stockStatement(options), choice);
            cpu.push_back(double(std::clock() - started) * 1000.0 / CLOCKS_PER_SEC);
            millis.push_back(double(one.nsecsElapsed()) / 1e6);
            rows = r.data.rowCount();
        }
        std::sort(millis.begin(), millis.end());
        std::sort(cpu.begin(), cpu.end());
        std::printf("%s: %d rows; wall median %.1f ms (best %.1f, worst %.1f), CPU median %.1f ms (goal 300 ms)\n", what, rows,
                    millis[millis.size() / 2], millis.front(), millis.back(), cpu[cpu.size() / 2]);
    };
    {
        std::vector<double> millis, cpu;
        for (int i = 0; i < runs; ++i) {
            QElapsedTimer one;
            one.start();
            const std::clock_t started = std::clock();
            stock::stockFigures(year, 1, {QDate(2024, 4, 1), QDate(2025, 3, 31)}, stock::StockUnit::Priced);
            cpu.push_back(double(std::clock() - started) * 1000.0 / CLOCKS_PER_SEC);
            millis.push_back(double(one.nsecsElapsed()) / 1e6);
        }
        std::sort(millis.begin(), millis.end());
        std::sort(cpu.begin(), cpu.end());
        std::printf("the figures of 31-03-2025 alone (the query): wall median %.1f ms (best %.1f), CPU median %.1f ms\n",
                    millis[millis.size() / 2], millis.front(), cpu[cpu.size() / 2]);
    }
    stock::StatementOptions onDate;
    measure("stock on 31-03-2025", onDate, QDate(2024, 4, 1), QDate(2025, 3, 31));
    measure("stock on 30-09-2024", onDate, QDate(2024, 4, 1), QDate(2024, 9, 30));
    stock::StatementOptions mill;
    mill.kind = stock::StatementKind::WithMill;
    measure("with the mill columns, 01-10-2024 to 31-03-2025", mill, QDate(2024, 10, 1), QDate(2025, 3, 31));
    return 0;
}
