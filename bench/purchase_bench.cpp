// Purchase invoices saved end to end through the service (validation, bill arithmetic, header,
// lines, the taka list of line 1, the items' purchase rates, journal posting, one transaction
// each) on a generated year of the demonstration firm, beside the sales figure.
//   purchase_bench [--bills N] [--parties N] [--items N] [--db URL]
#include "DemoYear.h"
#include "core/Messages.h"
#include "domain/trade/PurchaseInvoices.h"
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

    const db::Rows suppliers = year.query(QStringLiteral("SELECT Id FROM AccMst WHERE FirmNo = 1 AND GrpNo = 76 AND IsGrp = 0 AND Active = 1"));
    const db::Rows items = year.query(QStringLiteral("SELECT Id FROM ProdMst WHERE FirmNO = 1 AND CalcOn = 1"));
    RecordingMessages messages;
    trade::PurchaseInvoices purchases(year, session, messages);
    std::vector<double> millis;
    millis.reserve(size_t(bills));
    QElapsedTimer total;
    total.start();
    for (int b = 0; b < bills; ++b) {
        trade::PurchaseBill bill;
        bill.bookId = 2;
        bill.billNo = QStringLiteral("B-%1").arg(b + 1);
        bill.date = QDate(2024, 4, 1).addDays(b * 360 / std::max(1, bills));
        bill.partyId = suppliers[size_t(b) % suppliers.size()].integer(QStringLiteral("Id"));
        for (int l = 0; l < 10; ++l) {
            trade::PurchaseLine line;
            line.qualityId = items[size_t(b * 7 + l) % items.size()].integer(QStringLiteral("Id"));
            trade::applyItem(year, line.qualityId, line.input, true, false);
            line.input.listRate = Decimal(48 + l);
            line.input.metres = Decimal(100 * (l + 1));
            bill.lines.push_back(line);
        }
        // Line 1 arrives as 4 takas of 25 m.
        for (int t = 0; t < 4; ++t) bill.takas.push_back({QStringLiteral("B%1-%2").arg(b + 1).arg(t + 1), Decimal(25), false});
        QElapsedTimer one;
        one.start();
        if (!purchases.save(bill)) {
            std::fprintf(stderr, "bill %d refused: %s\n", b + 1, qPrintable(messages.last().text));
            return 1;
        }
        millis.push_back(double(one.nsecsElapsed()) / 1e6);
    }
    bench::printSaveRate("purchase invoices (10 lines, 4 takas each) saved and posted", std::move(millis), double(total.nsecsElapsed()) / 1e9);
    return 0;
}
