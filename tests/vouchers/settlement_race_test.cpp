// Two stations receiving money against the same bill at the same moment (TANABANA_BOTH_ENGINES):
// two connections in two threads each try to settle 1,500.00 of a 2,100.00 bill. One receipt is
// saved, the other is refused with nothing of it written, and the bill is never paid beyond its
// amount; the bill's paid amount always equals its settlements.
#include "domain/vouchers/CashBankVouchers.h"
#include "support/QtPrinting.h"
#include "support/VoucherFirm.h"
#include "support/YearFixture.h"

#include <gtest/gtest.h>
#include <barrier>
#include <mutex>
#include <thread>

using namespace tanabana;
using namespace tanabana::vouchers;

TEST(SettlementRace, TwoStationsSettlingOneBillNeverOverPayIt) {
    TANABANA_REQUIRE_ENGINE();
    test::YearFixture year;
    test::VoucherFirm firm(year.db(), year.session, year.messages);
    firm.build();
    constexpr int rounds = 8;
    std::mutex lock;
    QStringList errors;
    int saved = 0;

    for (int round = 0; round < rounds; ++round) {
        const qint64 bill = firm.saleOf(QStringLiteral("R%1").arg(round), QDate(2024, 8, 1 + round), firm.kiran,
                                        test::VoucherFirm::kRapier, "20", "100");
        ASSERT_GT(bill, 0);
        std::barrier start(2);
        auto station = [&](const QString& user) {
            try {
                db::Database db = year.openAnother();
                Session session = year.session;
                session.db = &db;
                session.loginUser = user;
                RecordingMessages messages;
                CashBankVouchers receipts(db, session, messages, CashBankKind::CashReceipt);
                CashBankVoucher v;
                v.kind = CashBankKind::CashReceipt;
                v.date = QDate(2024, 9, 1);
                v.bookNo = 36;
                VoucherEntry e;
                e.partyId = firm.kiran;
                e.amount = Decimal(1500);
                e.billWise = true;
                Settlement s;
                s.billId = bill;
                s.payment = Decimal(1500);
                e.settlements = {s};
                start.arrive_and_wait();
                const bool ok = receipts.saveEntry(v, e);
                std::lock_guard<std::mutex> guard(lock);
                if (ok) {
                    ++saved;
                } else if (messages.empty() || messages.last().title != QStringLiteral("Bill Amount Over")) {
                    errors << user + QStringLiteral(": ") +
                                  (messages.empty() ? QStringLiteral("refused silently") : messages.last().text);
                }
            } catch (const std::exception& e) {
                std::lock_guard<std::mutex> guard(lock);
                errors << QString::fromLocal8Bit(e.what());
            }
        };
        std::thread first(station, QStringLiteral("STATION1"));
        std::thread second(station, QStringLiteral("STATION2"));
        first.join();
        second.join();
        const auto b = year.db().queryOne(QStringLiteral("SELECT PaidAmt, UnPaidAmt FROM SalBillMst WHERE Id = ?"), {bill});
        EXPECT_EQ(b->number(QStringLiteral("PaidAmt")), 1500.0) << "round " << round;
        EXPECT_EQ(b->number(QStringLiteral("UnPaidAmt")), 600.0) << "round " << round;
        EXPECT_EQ(year.db()
                      .scalar(QStringLiteral("SELECT SUM(Paid_Amt) FROM Acc_OutSt WHERE BillId = ? AND Book = 'S'"), {bill})
                      .toDouble(),
                  1500.0);
    }
    EXPECT_EQ(errors, QStringList());
    EXPECT_EQ(saved, rounds);
    // Every saved receipt is whole: two lines per entry, one settlement each.
    EXPECT_EQ(year.count(QStringLiteral("HeadDtl3"), QStringLiteral("TableCode = 6")), 2 * rounds);
    EXPECT_EQ(year.count(QStringLiteral("Acc_OutSt"), QStringLiteral("TableCode = 6")), rounds);
    EXPECT_EQ(year.db().scalar(QStringLiteral("SELECT COUNT(DISTINCT VoucherNo) FROM HeadDtl3 WHERE TableCode = 6")).toInt(),
              rounds);
}
