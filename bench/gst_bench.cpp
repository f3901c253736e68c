// How long the GSTR-1 of a busy month takes: the demonstration firm with a March of 20,000 sales
// bills of 5 lines (100,000 invoice lines; a third of the buyers registered, a quarter in other
// states, rates of 5 and 12%), computed, checked and written as the CSV files and the JSON.
// Run: build/bench/gst_bench [--lines N] [--runs N] [--db URL] [--out DIR] [--keep FILE]
// --out writes the files into DIR (kept), so two versions' files can be compared byte for byte;
// --keep FILE a copy of the generated SQLite year, to try queries on it.
#include "DemoYear.h"
#include "db/Database.h"
#include "domain/gst/Gstr1Check.h"
#include "domain/gst/Gstr1Files.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <ctime>

using namespace tanabana;

namespace {

// Bills written straight into the tables, as the sales screens leave them (the save itself is
// measured by sales_bench): line amounts, GST by rate and the bill totals.
void fillMonth(db::Database& db, qint64 firm, int lines) {
    std::vector<std::pair<qint64, bool>> parties;  // id, other state
    std::vector<qint64> ids;
    // the ids first: PostgreSQL's driver loses a result that is still being read when the same
    // connection runs an update
    db.forEach(QStringLiteral("SELECT Id FROM AccMst WHERE FirmNo = ? AND GrpNo = 35 AND IsGrp = 0 ORDER BY Id"), {firm},
               [&](const db::Row& r) { ids.push_back(r.integer(QStringLiteral("Id"))); });
    int n = 0;
    for (const qint64 id : ids) {
        const bool other = n % 4 == 3;
        const bool registered = n % 3 == 0;
        db.exec(QStringLiteral("UPDATE AccMst SET CSTNo = ?, IsOgs = ?, TinNo = ? WHERE Id = ?"),
                {other ? QStringLiteral("27-Maharashtra") : QStringLiteral("24-Gujarat"), other ? 1 : 0,
                 registered ? QStringLiteral("%1AABCP%2F1Z5").arg(other ? 27 : 24).arg(1000 + n % 9000, 4, 10, QLatin1Char('0')) : QString(), id});
        parties.push_back({id, other});
        ++n;
    }
    std::vector<qint64> items;
    db.forEach(QStringLiteral("SELECT Id FROM ProdMst WHERE FirmNO = ? ORDER BY Id"), {firm},
               [&](const db::Row& r) { items.push_back(r.integer(QStringLiteral("Id"))); });
    db::Transaction tx(db);
    qint64 id = db.nextKey(QStringLiteral("SalBillMst"), QStringLiteral("Id"));
    const int perBill = 5;
    for (int b = 0; b < lines / perBill; ++b, ++id) {
        const auto& [party, other] = parties[size_t(b) % parties.size()];
        const QDate date(2025, 3, 1 + b % 31);
        Decimal taxable, tax1, tax2, total;
        for (int l = 0; l < perBill; ++l) {
            const Decimal metres = Decimal(10 + (b + l) % 90), rate = Decimal(95 + l * 10);
            const Decimal amount = (metres * rate).roundHalfEven(2);
            const Decimal gst = Decimal(l == 4 ? 12 : 5);
            const Decimal first = other ? amount.percent(gst).roundHalfEven(3) : amount.percent(gst / Decimal(2)).roundHalfEven(3);
            const Decimal second = other ? Decimal() : first;
            db.exec(QStringLiteral("INSERT INTO SalBillDtl (BillMstId, Srno, PCode, Qty, Qty2, PM, Rate, SRate, Amt, DVatP, DATaxP, DVatRs, DATaxRs, "
                                   "IGSTP, IGSTRs, DNetAmt) VALUES (?, ?, ?, ?, 1, 'M', ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                    {id, l + 1, items[size_t(b + l) % items.size()], metres.toDouble(), rate.toDouble(), rate.toDouble(), amount.toDouble(),
                     (other ? gst : gst / Decimal(2)).toDouble(), (other ? Decimal() : gst / Decimal(2)).toDouble(), first.toDouble(),
                     second.toDouble(), (other ? gst : Decimal()).toDouble(), (other ? first : Decimal()).toDouble(),
                     (amount + first + second).roundHalfEven(2).toDouble()});
            taxable += amount;
            tax1 += first;
            tax2 += second;
        }
        total = (taxable + tax1.roundHalfEven(2) + tax2.roundHalfEven(2)).billRoundOff();
        db.exec(QStringLiteral("INSERT INTO SalBillMst (Id, FirmNO, FormId, BookNO, BillNO, BillDate, PartyID, InvType, IsOp, BAmt, VatRs, ATAXRs, "
                               "CSTRs, BillAmount) VALUES (?, ?, 3, 1, ?, ?, ?, 'R', 0, ?, ?, ?, ?, ?)"),
                {id, firm, QStringLiteral("M%1").arg(b + 1), date, party, taxable.toDouble(), other ? 0.0 : tax1.roundHalfEven(2).toDouble(),
                 tax2.roundHalfEven(2).toDouble(), other ? tax1.roundHalfEven(2).toDouble() : 0.0, total.toDouble()});
    }
    tx.commit();
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int lines = bench::option(args, QStringLiteral("--lines"), 100000);
    const int runs = bench::option(args, QStringLiteral("--runs"), 5);
    bench::DemoYear year(args, 150, 200);
    QElapsedTimer fill;
    fill.start();
    fillMonth(year.year(), year.session.firmNo, lines);
    std::printf("March 2025: %d invoice lines written in %.1f s\n", lines, double(fill.elapsed()) / 1000);

    const int keep = int(args.indexOf(QStringLiteral("--keep")));
    if (keep > 0 && keep + 1 < args.size()) year.year().exec(QStringLiteral("VACUUM INTO ?"), {args.at(keep + 1)});

    QTemporaryDir temporary;
    const int outAt = int(args.indexOf(QStringLiteral("--out")));
    const QString outFolder = outAt > 0 && outAt + 1 < args.size() ? args.at(outAt + 1) : temporary.path();
    const gst::ReturnPeriod march = *gst::ReturnPeriod::month(QStringLiteral("03-2025"));
    // Wall time and processor time of each step, per run.
    struct Step {
        std::vector<double> wall, processor;
        QElapsedTimer timer;
        std::clock_t cpu = 0;
        void start() {
            timer.start();
            cpu = std::clock();
        }
        void stop() {
            wall.push_back(double(timer.nsecsElapsed()) / 1e6);
            processor.push_back(double(std::clock() - cpu) * 1000.0 / CLOCKS_PER_SEC);
        }
        QString text() const { return QStringLiteral("%1 ms (processor %2 ms)").arg(median(wall), 0, 'f', 0).arg(median(processor), 0, 'f', 0); }
    };
    Step compute, csv, json, whole, check;
    size_t b2b = 0, b2cs = 0, hsn = 0, problems = 0;
    for (int run = 0; run < runs; ++run) {
        whole.start();
        compute.start();
        const gst::Gstr1 r = gst::Gstr1Service(year.year(), year.session).compute(march);
        compute.stop();
        csv.start();
        gst::writeGstr1Csv(r, outFolder);
        csv.stop();
        json.start();
        gst::writeGstr1Json(r, outFolder);
        json.stop();
        whole.stop();
        check.start();
        problems = gst::checkGstr1(year.year(), year.session, march).size();
        check.stop();
        b2b = r.b2b.size();
        b2cs = r.b2cs.size();
        hsn = r.hsn.size();
    }
    std::printf("rows: b2b %zu, b2cs %zu, hsn %zu; check: %zu problem(s)\n", b2b, b2cs, hsn, problems);
    std::printf("median of %d runs:\n  computed %s\n  CSV files %s\n  JSON %s\n  whole return %s\n  check %s\n", runs,
                qPrintable(compute.text()), qPrintable(csv.text()), qPrintable(json.text()), qPrintable(whole.text()), qPrintable(check.text()));
    return 0;
}
