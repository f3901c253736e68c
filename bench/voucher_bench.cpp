// Receipts saved end to end through the voucher service, each entry settling three open sales
// bills (validation, the bills read and written under their lock, three settlement rows, the
// journal pair, one transaction each), and the open-bill list of a party with 5,000 bills as the
// settlement panel asks for it.
//   voucher_bench [--bills N] [--vouchers N] [--list-bills N] [--db URL]
#include "DemoYear.h"
#include "core/Messages.h"
#include "domain/vouchers/CashBankVouchers.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <ctime>

using namespace tanabana;

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int vouchers = bench::option(args, QStringLiteral("--vouchers"), 500);
    const int listBills = bench::option(args, QStringLiteral("--list-bills"), 5000);
    bench::DemoYear demoYear(args, bench::option(args, QStringLiteral("--bills"), 2000), 0);
    db::Database& year = demoYear.year();
    Session& session = demoYear.session;
    RecordingMessages messages;
    vouchers::CashBankVouchers receipts(year, session, messages, vouchers::CashBankKind::CashReceipt);

    // Parties with at least three open bills, each visited in turn.
    std::vector<qint64> parties;
    for (const db::Row& r :
         year.query(QStringLiteral("SELECT PartyID FROM SalBillMst WHERE FirmNO = 1 AND FormId = 3 AND IsEnd = 0 "
                                   "GROUP BY PartyID HAVING COUNT(*) >= 3 ORDER BY PartyID")))
        parties.push_back(r.integer(QStringLiteral("PartyID")));
    if (parties.empty()) {
        std::fprintf(stderr, "no party with three open bills\n");
        return 1;
    }
    const qint64 cashBook =
        year.scalar(QStringLiteral("SELECT MIN(BookNO) FROM BookMst WHERE FirmNO = 1 AND BookType = 'C'")).toLongLong();
    std::vector<double> millis;
    millis.reserve(size_t(vouchers));
    QElapsedTimer total;
    total.start();
    for (int v = 0; v < vouchers; ++v) {
        const qint64 party = parties[size_t(v) % parties.size()];
        const auto open = receipts.openBills(party);
        if (open.size() < 3) continue;  // the party's bills are used up
        vouchers::CashBankVoucher voucher;
        voucher.kind = vouchers::CashBankKind::CashReceipt;
        voucher.date = QDate(2025, 3, 31);
        voucher.bookNo = cashBook;
        vouchers::VoucherEntry entry;
        entry.partyId = party;
        entry.billWise = true;
        entry.receiptNo = QStringLiteral("B-%1").arg(v + 1);
        for (size_t b = 0; b < 3; ++b) {
            vouchers::Settlement s;
            s.billId = open[b].id;
            s.payment = std::min(open[b].unpaid, Decimal(100));
            entry.amount += s.payment;
            entry.settlements.push_back(s);
        }
        QElapsedTimer one;
        one.start();
        if (!receipts.saveEntry(voucher, entry)) {
            std::fprintf(stderr, "voucher %d refused: %s\n", v + 1, qPrintable(messages.last().text));
            return 1;
        }
        millis.push_back(double(one.nsecsElapsed()) / 1e6);
    }
    bench::printSaveRate("cash receipts (one entry settling three bills) saved and posted", std::move(millis),
                         double(total.nsecsElapsed()) / 1e9);

    // A wholesale party with thousands of open bills.
    const qint64 big = year.scalar(QStringLiteral("SELECT MAX(Id) FROM AccMst")).toLongLong() + 1;
    {
        db::Transaction tx(year);
        year.exec(QStringLiteral("INSERT INTO AccMst (Id, LedgerId, AcName, GrpNo, IsGrp, FirmNo, Active) VALUES (?, 'BIG001', "
                                 "'Wholesale Party', 35, 0, 1, 1)"),
                  {big});
        const qint64 firstId = year.scalar(QStringLiteral("SELECT MAX(Id) FROM SalBillMst")).toLongLong() + 1;
        for (int b = 0; b < listBills; ++b)
            year.exec(QStringLiteral(
                          "INSERT INTO SalBillMst (Id, FirmNO, FormId, BookNO, BillNO, BillDate, PartyID, PDueDate, InvType, "
                          "BillAmount, "
                          "TDSRs, PaidAmt, UnPaidAmt, IsEnd, IsOp) VALUES (?, 1, 3, 1, ?, ?, ?, ?, 'T', 1050, 0, 0, 1050, 0, 0)"),
                      {firstId + b, QStringLiteral("W%1").arg(b + 1), QDate(2024, 4, 1).addDays(b % 365), big,
                       QDate(2024, 5, 1).addDays(b % 365)});
        tx.commit();
    }
    std::vector<double> lists, cpu;
    size_t shown = 0;
    for (int run = 0; run < 21; ++run) {
        QElapsedTimer t;
        t.start();
        const std::clock_t started = std::clock();
        shown = receipts.openBills(big).size();
        lists.push_back(double(t.nsecsElapsed()) / 1e6);
        cpu.push_back(1000.0 * double(std::clock() - started) / CLOCKS_PER_SEC);
    }
    std::sort(lists.begin(), lists.end());
    std::sort(cpu.begin(), cpu.end());
    // The processor time tells the work apart from the wait for a share of a busy machine.
    std::printf("open-bill list of a party with %zu bills: median %.1f ms, slowest %.1f ms, CPU median %.1f ms (21 runs)\n",
                shown, lists[lists.size() / 2], lists.back(), cpu[cpu.size() / 2]);
    return 0;
}
