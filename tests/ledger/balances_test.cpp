// Balances of a small firm against figures worked out by hand, on both engines
// (TANABANA_BOTH_ENGINES); the monthly totals stay equal to the journal whoever changes it.
#include "domain/ledger/Balances.h"
#include "domain/ledger/Journal.h"
#include "domain/ledger/Schema.h"
#include "support/FirmBooks.h"
#include "support/InstallationFixture.h"
#include "support/LedgerBooks.h"
#include "support/YearFixture.h"

#include <gtest/gtest.h>

using namespace tanabana;
using namespace tanabana::ledger;
using tanabana::test::money;

namespace {

class BalancesTest : public ::testing::Test {
protected:
    void SetUp() override {
        TANABANA_REQUIRE_ENGINE();
        year = std::make_unique<test::YearFixture>();
        firm = test::seedSmallFirm(db());
        test::postTypicalMonths(db(), year->session, firm);
        balances = std::make_unique<Balances>(db(), year->session);
    }
    db::Database& db() { return year->db(); }
    // Every row of the monthly totals, as text, for comparing two states.
    QStringList monthTotals() {
        QStringList rows;
        for (const db::Row& r : db().query(QStringLiteral("SELECT FirmNo, AccId, MonthNo, DrPaise, CrPaise FROM HeadDtl3_MonthBal "
                                                          "WHERE DrPaise <> 0 OR CrPaise <> 0 ORDER BY FirmNo, AccId, MonthNo")))
            rows << QStringLiteral("%1/%2/%3: %4 %5")
                        .arg(r.value(0).toLongLong()).arg(r.value(1).toLongLong()).arg(r.value(2).toLongLong())
                        .arg(r.value(3).toLongLong()).arg(r.value(4).toLongLong());
        return rows;
    }

    std::unique_ptr<test::YearFixture> year;
    test::SmallFirm firm;
    std::unique_ptr<Balances> balances;
};

}  // namespace

TEST_F(BalancesTest, ClosingBalancesOfTheSmallFirm) {
    EXPECT_EQ(balances->closing(firm.cash), money("30000.00"));
    EXPECT_EQ(balances->closing(firm.bank), money("37625.00"));
    EXPECT_EQ(balances->closing(firm.capital), money("-76500.00"));
    EXPECT_EQ(balances->closing(firm.sales), money("-10880.95"));
    EXPECT_EQ(balances->closing(firm.outputCgst), money("-272.02"));
    EXPECT_EQ(balances->closing(firm.outputSgst), money("-272.03"));
    EXPECT_EQ(balances->closing(firm.suresh), money("12500.00"));
    EXPECT_EQ(balances->closing(firm.mahesh), money("0"));
    // Opening credit of 1,000 and one bill of 400.
    EXPECT_EQ(balances->closing(firm.ramesh), money("-600.00"));
    EXPECT_EQ(balanceText(balances->closing(firm.ramesh)), QStringLiteral("600 Cr."));
    EXPECT_EQ(balanceText(balances->closing(firm.bank)), QStringLiteral("37625 Dr."));
    EXPECT_EQ(balanceText(balances->closing(firm.sales)), QStringLiteral("10880.95 Cr."));
    EXPECT_EQ(balanceText(balances->closing(firm.mahesh)), QStringLiteral("0"));
    EXPECT_EQ(balanceText(money("-272.50")), QStringLiteral("272.5 Cr."));

    // The trial balance: every account, and the books balance to the paisa.
    Decimal total;
    int accounts = 0;
    for (const AccountBalance& b : balances->allClosing()) {
        EXPECT_EQ(b.balance, balances->closing(b.accId)) << "account " << b.accId;
        total += b.balance;
        ++accounts;
    }
    EXPECT_EQ(total, Decimal(0));
    EXPECT_EQ(accounts, year->count(QStringLiteral("AccMst"), QStringLiteral("FirmNo = 1 AND IsGrp = 0")));
    // An account without lines or opening balance stands at 0.
    const qint64 idle = test::addAccount(db(), QStringLiteral("Naresh Silk Mills"), 35);
    EXPECT_EQ(balances->closing(idle), Decimal(0));
    EXPECT_EQ(balances->before(idle, QDate(2024, 12, 1)), Decimal(0));
}

TEST_F(BalancesTest, BalanceBeforeADateFollowsTheOpeningBalanceDate) {
    // Cash opened on the first day of the year: included on that day.
    EXPECT_EQ(balances->before(firm.cash, QDate(2024, 4, 1)), money("25000.00"));
    EXPECT_EQ(balances->before(firm.cash, QDate(2024, 4, 20)), money("25000.00"));
    EXPECT_EQ(balances->before(firm.cash, QDate(2024, 4, 21)), money("30000.00"));
    // Suresh's opening is dated 10-04-2024: not before the 1st, included from the 10th.
    EXPECT_EQ(balances->before(firm.suresh, QDate(2024, 4, 1)), Decimal(0));
    EXPECT_EQ(balances->before(firm.suresh, QDate(2024, 4, 10)), money("12500.00"));
    EXPECT_EQ(balances->before(firm.suresh, QDate(2024, 4, 15)), money("12500.00"));
    EXPECT_EQ(balances->before(firm.suresh, QDate(2024, 4, 16)), money("23525.00"));
    EXPECT_EQ(balances->before(firm.suresh, QDate(2024, 5, 10)), money("18525.00"));
    EXPECT_EQ(balances->before(firm.suresh, QDate(2025, 3, 31)), money("12500.00"));
    // Up to a date counts the opening balance whatever its date, and the lines of the day.
    EXPECT_EQ(balances->upTo(firm.suresh, QDate(2024, 4, 1)), money("12500.00"));
    EXPECT_EQ(balances->upTo(firm.suresh, QDate(2024, 4, 15)), money("23525.00"));
    EXPECT_EQ(balances->upTo(firm.ramesh, QDate(2024, 5, 2)), money("-600.00"));
    EXPECT_EQ(balances->upTo(firm.ramesh, QDate(2024, 5, 1)), money("-1000.00"));
    // Side totals of the ageing report: what Suresh was billed and what he paid before 11-05-2024.
    EXPECT_EQ(balances->sideTotalBefore(firm.suresh, QLatin1Char('D'), QDate(2024, 5, 11)), money("11025.00"));
    EXPECT_EQ(balances->sideTotalBefore(firm.suresh, QLatin1Char('C'), QDate(2024, 5, 11)), money("11025.00"));
    EXPECT_EQ(balances->sideTotalBefore(firm.suresh, QLatin1Char('C'), QDate(2024, 5, 10)), money("5000.00"));
    EXPECT_EQ(balances->signedOpening(firm.ramesh), money("-1000.00"));
    EXPECT_EQ(balances->signedOpening(firm.sales), Decimal(0));
}

TEST_F(BalancesTest, GroupBalancesAddOpeningsAndLines) {
    // Sales parties: Suresh 12,500 Dr and Ramesh 1,000 Cr opening, Ramesh's bill of 400.
    EXPECT_EQ(balances->group(35), money("11900.00"));
    Decimal total;
    bool found35 = false;
    for (const GroupBalance& g : balances->allGroups()) {
        EXPECT_EQ(g.balance, balances->group(g.grpNo)) << "group " << g.grpNo;
        if (g.grpNo == 35) found35 = true;
        total += g.balance;
    }
    EXPECT_TRUE(found35);
    EXPECT_EQ(total, Decimal(0));
}

TEST_F(BalancesTest, LedgerLinesCarryTheRunningBalance) {
    QStringList seen;
    const Decimal opening = balances->ledger(firm.suresh, QDate(2024, 4, 11), QDate(2024, 5, 31), [&](const LedgerLine& l) {
        seen << QStringLiteral("%1 %2/%3 %4 %5 %6")
                    .arg(l.date.toString(QStringLiteral("dd-MM-yyyy")))
                    .arg(l.tableCode)
                    .arg(l.voucherNo)
                    .arg(l.debit.toString(2), l.credit.toString(2), balanceText(l.balance));
    });
    EXPECT_EQ(opening, money("12500.00"));
    EXPECT_EQ(seen, (QStringList{QStringLiteral("15-04-2024 3/1 11025.00 0.00 23525 Dr."),
                                 QStringLiteral("20-04-2024 6/1 0.00 5000.00 18525 Dr."),
                                 QStringLiteral("10-05-2024 8/1 0.00 6025.00 12500 Dr.")}));
}

TEST_F(BalancesTest, ManySmallAmountsAddExactlyToThePaisa) {
    Journal journal(db(), year->session);
    // 0.07 a hundred times over two months: 7.00 exactly, not 6.9999999.
    for (int i = 0; i < 100; ++i)
        journal.post(test::document(DocumentType::JournalVoucher, 100 + i, QDate(2024, 6 + i % 2, 1 + i % 28), QStringLiteral("JV"),
                                    {{firm.ramesh, QLatin1Char('D'), money("0.07")}, {firm.cash, QLatin1Char('C'), money("0.07")}}));
    EXPECT_EQ(balances->closing(firm.ramesh), money("-593.00"));
    EXPECT_EQ(balances->before(firm.ramesh, QDate(2024, 7, 15)), money("-594.54"));
    EXPECT_EQ(balances->upTo(firm.ramesh, QDate(2025, 3, 31)), money("-593.00"));
    EXPECT_EQ(balances->closing(firm.cash), money("29993.00"));
    EXPECT_EQ(balanceText(balances->closing(firm.ramesh)), QStringLiteral("593 Cr."));
}

TEST_F(BalancesTest, MonthlyTotalsFollowEveryChangeOfTheJournal) {
    Journal journal(db(), year->session);
    journal.removeDocument(DocumentType::Sale, 2);
    // Other screens change lines directly: merging two accounts, correcting a date, an amount.
    db().exec(QStringLiteral("UPDATE HeadDtl3 SET AccId = ? WHERE AccId = ?"), {firm.suresh, firm.mahesh});
    db().exec(QStringLiteral("UPDATE HeadDtl3 SET TransDate = ? WHERE TableCode = 6"), {QDate(2024, 8, 31)});
    db().exec(QStringLiteral("UPDATE HeadDtl3 SET DrAmt = 5100 WHERE TableCode = 6 AND Type = 'D'"));
    db().exec(QStringLiteral("UPDATE HeadDtl3 SET CrAmt = 5100 WHERE TableCode = 6 AND Type = 'C'"));
    const QStringList kept = monthTotals();
    rebuildMonthBalances(db());
    EXPECT_EQ(monthTotals(), kept);
    EXPECT_EQ(balances->before(firm.suresh, QDate(2024, 8, 31)), money("12500.00") + money("11025.00") - money("6025.00") +
                                                                      money("8400.00") - money("8400.00"));
    EXPECT_EQ(balances->closing(firm.suresh), money("12500.00") + money("11025.00") - money("5100.00") - money("6025.00"));

    // The year emptied of its entries leaves every account at its opening.
    db().exec(QStringLiteral("DELETE FROM HeadDtl3"));
    EXPECT_TRUE(monthTotals().isEmpty());
    EXPECT_EQ(balances->closing(firm.cash), money("25000.00"));
}

TEST(CopiedYear, KeepsItsMonthlyTotalsUpToDate) {
    TANABANA_REQUIRE_ENGINE();
    test::InstallationFixture books;
    db::Database year = books.installation().createYear(2025);
    Session session;
    session.setYear(2025);
    session.firmNo = 1;
    session.loginUser = QStringLiteral("ADMIN");
    session.db = &year;
    const test::SmallFirm firm = test::seedSmallFirm(year);
    test::postTypicalMonths(year, session, firm);

    // On a server the copy is made table by table, which leaves triggers behind; opening puts them back.
    db::Database next = books.installation().copyYear(year, 2026);
    Session nextSession = session;
    nextSession.setYear(2026);
    nextSession.db = &next;
    next.exec(QStringLiteral("DELETE FROM HeadDtl3"));  // a new year starts without entries
    Journal(next, nextSession)
        .post(test::document(DocumentType::CashReceipt, 1, QDate(2025, 4, 10), QStringLiteral("1"),
                             {{firm.cash, QLatin1Char('D'), money("600.00")}, {firm.ramesh, QLatin1Char('C'), money("600.00")}}));
    Balances balances(next, nextSession);
    EXPECT_EQ(balances.closing(firm.cash), money("25600.00"));
    EXPECT_EQ(balances.closing(firm.ramesh), money("-1600.00"));
    EXPECT_EQ(balances.closing(firm.sales), Decimal(0));
    EXPECT_EQ(balances.before(firm.cash, QDate(2025, 4, 11)), money("25600.00"));
    EXPECT_EQ(balances.before(firm.cash, QDate(2025, 4, 10)), money("25000.00"));
}
