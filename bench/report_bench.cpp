// How long a long register takes from rows to a finished PDF: 2,000 sales bills of 40 parties,
// party-wise with sub-totals, A4. Run: build/bench/report_bench (offscreen, no display needed).
#include "domain/reports/ReportService.h"
#include "domain/reports/XlsxReport.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace tanabana::reports;

namespace {

const char* kRegister = R"({
  "kind": "register", "page": { "size": "A4", "margins": 10 }, "font": { "size": 8 },
  "parameters": [ { "name": "Title" }, { "name": "Filters" } ],
  "heading": [ "{FirmNAme}" ], "title": "{@Title}", "filters": "{@Filters}",
  "columns": [
    { "field": "BillNo", "caption": "Bill No", "width": 20 },
    { "field": "BillDate", "caption": "Date", "width": 17, "format": "dd-MM-yy" },
    { "field": "AcName", "caption": "Party" },
    { "field": "ProdName", "caption": "Quality", "width": 32 },
    { "field": "Mtrs", "caption": "Mtrs", "width": 20, "format": "0.000", "total": true },
    { "field": "Taxable", "caption": "Taxable", "width": 24, "format": "#,##0.00", "total": true },
    { "field": "GST", "caption": "GST", "width": 20, "format": "#,##0.00", "total": true },
    { "field": "Net", "caption": "Net Amount", "width": 25, "format": "#,##0.00", "total": true }
  ],
  "groups": [ { "column": "AcName" } ], "total": "Total"
})";

ResultSet registerRows(int count) {
    ResultSet rs;
    rs.columns = {"BillNo", "BillDate", "AcName", "ProdName", "Mtrs", "Taxable", "GST", "Net", "FirmNAme"};
    for (int i = 0; i < count; ++i) {
        const double mtrs = 50 + (i % 97) * 3.25;
        const double taxable = mtrs * 105;
        rs.rows.push_back({QStringLiteral("GST/%1").arg(i + 1), QDate(2024, 4, 1).addDays(i % 365),
                           QStringLiteral("Party %1 Textiles Pvt Ltd").arg(i / 50, 2, 10, QLatin1Char('0')),
                           QStringLiteral("Rayon Print %1").arg(i % 13), mtrs, taxable, taxable * 0.05, taxable * 1.05,
                           QStringLiteral("Shree Ganesh Textiles")});
    }
    return rs;
}

struct Setup {
    QTemporaryDir dir;
    Setup() {
        QDir().mkpath(dir.path() + QStringLiteral("/Reports"));
        QFile f(dir.path() + QStringLiteral("/Reports/SalesRegister_Bench.json"));
        f.open(QIODevice::WriteOnly);
        f.write(kRegister);
    }
    ReportRequest request(int rows) const {
        ReportRequest r;
        r.layoutName = QStringLiteral("SalesRegister_Bench.rpt");
        r.data = registerRows(rows);
        r.parameterValues = {QStringLiteral("Sales Register From 01-04-2024 To 31-03-2025"), QStringLiteral("Party : All")};
        return r;
    }
};

void RegisterToPdf(benchmark::State& state) {
    Setup setup;
    const ReportService service(setup.dir.path());
    const ReportRequest request = setup.request(int(state.range(0)));
    int pages = 0;
    for (auto _ : state) {
        auto doc = service.prepare(nullptr, request);
        ReportService::writePdf(*doc, setup.dir.path() + QStringLiteral("/register.pdf"));
        pages = doc->pageCount();
    }
    state.counters["pages"] = pages;
}
BENCHMARK(RegisterToPdf)->Arg(2000)->Arg(10000)->Unit(benchmark::kMillisecond);

void RegisterPaginateOnly(benchmark::State& state) {
    Setup setup;
    const ReportService service(setup.dir.path());
    const ReportRequest request = setup.request(int(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(service.prepare(nullptr, request)->pageCount());
}
BENCHMARK(RegisterPaginateOnly)->Arg(2000)->Unit(benchmark::kMillisecond);

void RegisterToXlsx(benchmark::State& state) {
    Setup setup;
    const ReportService service(setup.dir.path());
    const ReportRequest request = setup.request(int(state.range(0)));
    for (auto _ : state) {
        auto doc = service.prepare(nullptr, request);
        writeReportXlsx(*doc, setup.dir.path() + QStringLiteral("/register.xlsx"));
    }
}
BENCHMARK(RegisterToXlsx)->Arg(2000)->Unit(benchmark::kMillisecond);

// A busy month's day book: every posting of February with its month and day groups, the way the
// books hand it to the shipped layout (A4 landscape, wrapping name and narration columns).
ResultSet dayBookRows(int count) {
    ResultSet rs;
    rs.columns = {"Srno", "Grpno", "MonthNo", "BType", "VDate", "Vno", "AcNO", "AcNAme", "ChqNO", "Narr1", "withDraw", "Deposit",
                  "FirmNAme", "FirmAdd1", "FirmCity"};
    const QStringList kinds = {QStringLiteral("Sales"), QStringLiteral("Purchase"), QStringLiteral("Bank Rec"), QStringLiteral("Cash Pay")};
    for (int i = 0; i < count; ++i) {
        const QDate date = QDate(2025, 2, 1).addDays(i * 28 / count);
        const double amount = 1000 + (i % 997) * 13.45;
        const bool debit = i % 2 == 0;
        rs.rows.push_back({i + 1, 1, 2, kinds[(i / 2) % 4], date, i / 3 + 1, QStringLiteral("35A%1").arg(i % 1471, 3, 10, QLatin1Char('0')),
                           QStringLiteral("Party %1 Textiles Pvt Ltd").arg(i % 1471), QStringLiteral("GST/%1").arg(i / 3 + 1),
                           QStringLiteral("Sales Inv - GST/%1 - Party %2 Textiles").arg(i / 3 + 1).arg(i % 1471),
                           debit ? QVariant(QString::number(amount, 'f', 2)) : QVariant(QStringLiteral("0.00")),
                           debit ? QVariant(QStringLiteral("0.00")) : QVariant(QString::number(amount, 'f', 2)),
                           QStringLiteral("Shree Ganesh Textiles"), QStringLiteral("12 Ring Road"), QStringLiteral("Surat")});
    }
    return rs;
}

ReportRequest dayBookRequest(int rows) {
    ReportRequest r;
    r.layoutName = QStringLiteral("Acc_DayBook.rpt");
    r.data = dayBookRows(rows);
    r.parameterValues = {QStringLiteral("Day Book : Period From 01-02-2025 To 28-02-2025"), QString()};
    return r;
}

void DayBookToPdf(benchmark::State& state) {
    QTemporaryDir dir;
    const ReportService service(dir.path());
    const ReportRequest request = dayBookRequest(int(state.range(0)));
    int pages = 0;
    for (auto _ : state) {
        auto doc = service.prepare(nullptr, request);
        ReportService::writePdf(*doc, dir.path() + QStringLiteral("/daybook.pdf"));
        pages = doc->pageCount();
    }
    state.counters["pages"] = pages;
}
BENCHMARK(DayBookToPdf)->Arg(5000)->Arg(65000)->Unit(benchmark::kMillisecond)->Iterations(1);

void DayBookPaginateOnly(benchmark::State& state) {
    QTemporaryDir dir;
    const ReportService service(dir.path());
    const ReportRequest request = dayBookRequest(int(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(service.prepare(nullptr, request)->pageCount());
}
BENCHMARK(DayBookPaginateOnly)->Arg(65000)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    // The shipped layouts lie in the build folder, one above the benchmarks.
    if (qEnvironmentVariableIsEmpty("TANABANA_SHARE"))
        qputenv("TANABANA_SHARE", QDir(QCoreApplication::applicationDirPath() + QStringLiteral("/..")).absolutePath().toLocal8Bit());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
