// Bank reconciliation of the small firm's bank book for May 2024 (TANABANA_BOTH_ENGINES): cheque
// 104233 of 6,025.00 deposited on 10-05 and cheque 000871 of 8,400.00 issued on 15-05. The four
// balances after ticks and unticks, the marks written on the journal lines, the kinds of list,
// and the refusals that write nothing.
#include "domain/accounts/BankReconciliation.h"
#include "support/LedgerBooks.h"
#include "support/YearFixture.h"

#include <gtest/gtest.h>

using namespace tanabana;
using namespace tanabana::accounts;
using tanabana::test::money;

namespace {

constexpr qint64 kBankBook = 37;
const QDate kFrom(2024, 5, 1), kTo(2024, 5, 31);

class BankReconciliationTest : public ::testing::Test {
protected:
    void SetUp() override {
        TANABANA_REQUIRE_ENGINE();
        year = std::make_unique<test::YearFixture>();
        firm = test::seedSmallFirm(db());
        test::postTypicalMonths(db(), year->session, firm);
        service = std::make_unique<BankReconciliation>(db(), year->session, year->messages);
    }
    db::Database& db() { return year->db(); }
    Reconciliation listed(ReconKind kind = ReconKind::Both) {
        auto r = service->list(kBankBook, kind, kFrom, kTo);
        EXPECT_TRUE(r.has_value());
        return r ? *r : Reconciliation{};
    }
    // The marks on the journal as text: "<cheque>: <IsReCon> <ReConDt>".
    QStringList marks() {
        QStringList out;
        for (const db::Row& row : db().query(QStringLiteral("SELECT Receiptno, IsReCon, ReConDt FROM HeadDtl3 WHERE TableCode IN (7, 8) "
                                                            "AND PartyCode = ? ORDER BY Receiptno"),
                                             {firm.bank}))
            out << QStringLiteral("%1: %2 %3").arg(row.value(0).toString()).arg(row.value(1).toInt()).arg(row.date(QStringLiteral("ReConDt")).toString(Qt::ISODate));
        return out;
    }

    std::unique_ptr<test::YearFixture> year;
    test::SmallFirm firm;
    std::unique_ptr<BankReconciliation> service;
};

}  // namespace

TEST_F(BankReconciliationTest, BalancesFollowEveryTickAndUntick) {
    Reconciliation r = listed();
    EXPECT_EQ(r.bookName, QStringLiteral("Bank Current A/c"));
    ASSERT_EQ(r.lines.size(), 2u);
    const ReconLine payment = r.lines[0];
    const ReconLine receipt = r.lines[1];
    EXPECT_EQ(payment.chequeNo, QStringLiteral("CHQ 000871"));
    EXPECT_EQ(payment.party, QStringLiteral("Mahesh Yarn Agency"));
    EXPECT_EQ(payment.payment, money("8400"));
    EXPECT_EQ(receipt.chequeNo, QStringLiteral("CHQ 104233"));
    EXPECT_EQ(receipt.party, QStringLiteral("Suresh Fabrics"));
    EXPECT_EQ(receipt.receipt, money("6025"));
    EXPECT_EQ(r.balances.opening, money("40000"));
    EXPECT_EQ(r.balances.bookBalance, money("37625"));
    EXPECT_EQ(r.balances.unclearedPayments, money("8400"));
    EXPECT_EQ(r.balances.unclearedReceipts, money("6025"));
    EXPECT_EQ(r.balances.statementBalance, money("40000"));

    // The bank presented the cheque issued on the 18th.
    ASSERT_TRUE(service->tick(payment, QDate(2024, 5, 18)));
    r = listed();
    EXPECT_TRUE(r.lines[0].cleared);
    EXPECT_EQ(r.lines[0].clearedOn, QDate(2024, 5, 18));
    EXPECT_EQ(r.balances.unclearedPayments, Decimal(0));
    EXPECT_EQ(r.balances.statementBalance, money("31600"));
    // ... and credited the deposit on the 12th: the statement agrees with the book.
    ASSERT_TRUE(service->tick(receipt, QDate(2024, 5, 12)));
    r = listed();
    EXPECT_EQ(r.balances.statementBalance, r.balances.bookBalance);
    EXPECT_EQ(marks(), (QStringList{"CHQ 000871: 1 2024-05-18", "CHQ 104233: 1 2024-05-12"}));

    // Ticked by mistake: unticked, the payment is uncleared again and its date gone.
    ASSERT_TRUE(service->untick(payment));
    r = listed();
    EXPECT_FALSE(r.lines[0].cleared);
    EXPECT_FALSE(r.lines[0].clearedOn.isValid());
    EXPECT_EQ(r.balances.statementBalance, money("46025"));
    EXPECT_EQ(marks(), (QStringList{"CHQ 000871: 0 ", "CHQ 104233: 1 2024-05-12"}));
    // Recomputing a list in hand gives what a fresh list gives.
    r.lines[1].cleared = false;
    BankReconciliation::recompute(r);
    EXPECT_EQ(r.balances.statementBalance, money("40000"));
}

TEST_F(BankReconciliationTest, KindsListPaymentsReceiptsOrBoth) {
    EXPECT_EQ(listed(ReconKind::Payments).lines.size(), 1u);
    EXPECT_EQ(listed(ReconKind::Payments).lines[0].chequeNo, QStringLiteral("CHQ 000871"));
    EXPECT_EQ(listed(ReconKind::Receipts).lines.size(), 1u);
    EXPECT_EQ(listed(ReconKind::Receipts).lines[0].chequeNo, QStringLiteral("CHQ 104233"));
    EXPECT_EQ(reconKindOf(QStringLiteral("payments")), ReconKind::Payments);
    EXPECT_EQ(reconKindOf(QStringLiteral("R")), ReconKind::Receipts);
    EXPECT_EQ(reconKindOf(QStringLiteral("Both")), ReconKind::Both);
}

TEST_F(BankReconciliationTest, RefusalsWriteNothing) {
    const Reconciliation r = listed();
    // Cleared before it was issued.
    EXPECT_FALSE(service->tick(r.lines[0], QDate(2024, 5, 14)));
    EXPECT_TRUE(year->messages.has(MessageKind::Critical, QStringLiteral("Bank Reconciliation"),
                                   QStringLiteral("Clearing Date Should Not Be Before Cheque Date")));
    // The cash book is not a bank book; April 2025 lies outside the year.
    EXPECT_FALSE(service->list(36, ReconKind::Both, kFrom, kTo).has_value());
    EXPECT_TRUE(year->messages.has(MessageKind::Critical, QStringLiteral("Bank Reconciliation"), QStringLiteral("Please Select Bank Book")));
    EXPECT_FALSE(service->list(kBankBook, ReconKind::Both, kFrom, QDate(2025, 4, 30)).has_value());
    EXPECT_TRUE(year->messages.has(MessageKind::Critical, QStringLiteral("Bank Reconciliation"), QStringLiteral("Please Select Proper Date")));
    // A line whose voucher was removed meanwhile.
    ReconLine gone = r.lines[0];
    gone.journalNo = 999;
    EXPECT_FALSE(service->tick(gone, QDate(2024, 5, 20)));
    EXPECT_EQ(marks(), (QStringList{"CHQ 000871: 0 ", "CHQ 104233: 0 "}));
}
