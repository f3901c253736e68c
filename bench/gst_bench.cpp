// How long the GSTR-1 of a busy month takes: the demonstration firm with a March of 20,000 sales
// bills of 5 lines (100,000 invoice lines; a third of the buyers registered, a quarter in other
// states, rates of 5 and 12%), computed, checked and written as the CSV files and the JSON.
// Run: build/bench/gst_bench [--lines N] [--runs N] [--db URL]
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
    int n = 0;
    db.forEach(QStringLiteral("SELECT Id FROM AccMst WHERE FirmNo = ? AND GrpNo = 35 AND IsGrp = 0 ORDER BY Id"), {firm}, [&](const db::Row& r) {
        const qint64 id = r.integer(QStringLiteral("Id"));
        const bool other = n % 4 == 3;
        const bool registered = n % 3 == 0;
        db.exec(QStringLiteral("UPDATE AccMst SET CSTNo = ?, IsOgs = ?, TinNo = ? WHERE Id = ?"),
                {other ? QStringLiteral("27-Maharashtra") : QStringLiteral("24-Gujarat"), other ? 1 : 0,
                 registered ? QStringLiteral("%1AABCP%2F1Z5").arg(other ? 27 : 24).arg(1000 + n % 9000, 4, 10, QLatin1Char('0')) : QString(), id});
        parties.push_back({id, other});
        ++n;
    });
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

    QTemporaryDir out;
    const gst::ReturnPeriod march = *gst::ReturnPeriod::month(QStringLiteral("03-2025"));
    std::vector<double> computeMs, csvMs, jsonMs, checkMs, wholeMs, wholeCpuMs;
    size_t b2b = 0, b2cs = 0, hsn = 0, problems = 0;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer t;
        t.start();
        const std::clock_t cpu = std::clock();
        const gst::Gstr1 r = gst::Gstr1Service(year.year(), year.session).compute(march);
        computeMs.push_back(double(t.nsecsElapsed()) / 1e6);
        QElapsedTimer step;
        step.start();
        gst::writeGstr1Csv(r, out.path());
        csvMs.push_back(double(step.nsecsElapsed()) / 1e6);
        step.restart();
        gst::writeGstr1Json(r, out.path());
        jsonMs.push_back(double(step.nsecsElapsed()) / 1e6);
        wholeMs.push_back(double(t.nsecsElapsed()) / 1e6);
        wholeCpuMs.push_back(double(std::clock() - cpu) * 1000.0 / CLOCKS_PER_SEC);
        step.restart();
        problems = gst::checkGstr1(year.year(), year.session, march).size();
        checkMs.push_back(double(step.nsecsElapsed()) / 1e6);
        b2b = r.b2b.size();
        b2cs = r.b2cs.size();
        hsn = r.hsn.size();
    }
    std::printf("rows: b2b %zu, b2cs %zu, hsn %zu; check: %zu problem(s)\n", b2b, b2cs, hsn, problems);
    std::printf("median of %d runs: compute %.0f ms, CSV files %.0f ms, JSON %.0f ms, whole return %.0f ms (processor %.0f ms); check %.0f ms\n",
                runs, median(computeMs), median(csvMs), median(jsonMs), median(wholeMs), median(wholeCpuMs), median(checkMs));
    return 0;
}
