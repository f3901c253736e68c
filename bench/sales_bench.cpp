// Sales invoices saved end to end through the service (validation, header, lines, party rates,
// journal posting, one transaction each) on a generated year of the demonstration firm.
//   sales_bench [--bills N] [--parties N] [--items N] [--db URL]
// Prints invoices per second and the median and 99th percentile of one save.
#include "DemoYear.h"
#include "core/Messages.h"
#include "domain/trade/SalesInvoices.h"
#include "domain/trade/TradeJson.h"

#include <QCoreApplication>
#include <QElapsedTimer>


using namespace tanabana;

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int bills = bench::option(args, QStringLiteral("--bills"), 2000);
    bench::DemoYear demoYear(args, 0, 1000);
    db::Database& year = demoYear.year();
    Session& session = demoYear.session;

    const db::Rows parties = year.query(QStringLiteral("SELECT Id FROM AccMst WHERE FirmNo = 1 AND GrpNo = 35 AND IsGrp = 0"));
    const db::Rows items = year.query(QStringLiteral("SELECT Id FROM ProdMst WHERE FirmNO = 1"));
    RecordingMessages messages;
    trade::SalesInvoices sales(year, session, messages);
    std::vector<double> millis;
    millis.reserve(size_t(bills));
    QElapsedTimer total;
    total.start();
    for (int b = 0; b < bills; ++b) {
        trade::SalesBill bill;
        bill.bookNo = 1;
        bill.billNo = QString::number(b + 1);
        bill.date = QDate(2024, 4, 1).addDays(b * 360 / std::max(1, bills));
        bill.partyId = parties[size_t(b) % parties.size()].integer(QStringLiteral("Id"));
        for (int l = 0; l < 10; ++l) {
            trade::SalesLine line;
            line.qualityId = items[size_t(b * 7 + l) % items.size()].integer(QStringLiteral("Id"));
            trade::applyItem(year, line.qualityId, line.input, false, false);
            (line.input.rateOn == QStringLiteral("P") ? line.input.pieces : line.input.metres) = Decimal(50 + l * 11);
            bill.lines.push_back(line);
        }
        QElapsedTimer one;
        one.start();
        if (!sales.save(bill)) {
            std::fprintf(stderr, "bill %d refused: %s\n", b + 1, qPrintable(messages.last().text));
            return 1;
        }
        millis.push_back(double(one.nsecsElapsed()) / 1e6);
    }
    const double seconds = double(total.nsecsElapsed()) / 1e9;
    bench::printSaveRate("sales invoices (10 lines each) saved and posted", std::move(millis), seconds);
    return 0;
}
