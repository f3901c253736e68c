// Takas still at the mills and unpaid mill receipts carried from 2024-25 into 2025-26: copied as
// opening challans under negative keys and numbers, only the takas still out, all in one
// transaction of the new year's books; a second carry reports the duplicate and leaves the first
// copy; the new year receives against a carried issue and numbers its own challans from 1; the
// carried challans can be removed again. Runs on both engines (TANABANA_BOTH_ENGINES).
#include "domain/mill/MillCarry.h"
#include "domain/mill/MillIssues.h"
#include "domain/mill/MillReceipts.h"
#include "support/FirmBooks.h"
#include "support/YearFixture.h"
#include "support/Amounts.h"

#include <gtest/gtest.h>

using namespace tanabana;
using namespace tanabana::mill;

namespace {

class MillCarryTest : public ::testing::Test {
protected:
    void SetUp() override {
        TANABANA_REQUIRE_ENGINE();
        old_ = std::make_unique<test::YearFixture>(2025);
        next_ = std::make_unique<test::YearFixture>(2026);
        for (test::YearFixture* y : {old_.get(), next_.get()}) {
            test::seedDefaultChart(y->db());
            mill = test::addAccount(y->db(), QStringLiteral("Surat Dyeing Mills"), 77);
        }
    }

    // Five typed takas to the mill on 10-03-2025; three come back, one of them in part.
    void lastYearsWork() {
        MillIssues issues(old_->db(), old_->session, old_->messages);
        MillIssue issue;
        issue.bookId = 2;
        issue.date = QDate(2025, 3, 10);
        issue.millId = mill;
        issue.rate = d("2");
        for (int t = 0; t < 5; ++t) issue.lines.push_back({QString::number(201 + t), d("100"), d("12.5")});
        ASSERT_TRUE(issues.save(issue)) << old_->messages.last().text.toStdString();
        issueId = issue.id;
        MillReceipts receipts(old_->db(), old_->session, old_->messages);
        MillReceipt r;
        r.bookId = 2;
        r.date = QDate(2025, 3, 25);
        r.millId = mill;
        r.lotNo = QStringLiteral("L-9");
        r.lines = receipts.linesFromIssue(issueId, {1, 2, 3});
        for (auto& l : r.lines) l.finishedMetres = d("96");
        r.lines[2].greyMetres = d("40");
        r.lines[2].finished = false;
        ASSERT_TRUE(receipts.save(r)) << old_->messages.last().text.toStdString();
        receiptId = r.id;
    }

    std::unique_ptr<test::YearFixture> old_, next_;
    qint64 mill = 0, issueId = 0, receiptId = 0;
};

TEST_F(MillCarryTest, PendingTakasAndUnpaidReceiptsReachTheNextYearOnce) {
    lastYearsWork();
    MillCarry carry(old_->db(), old_->session, old_->messages);
    const auto pending = carry.candidates(MillCarry::Kind::PendingTakas);
    ASSERT_EQ(pending.size(), 1u);
    EXPECT_EQ(pending[0].takas, 3);
    EXPECT_EQ(pending[0].issuedMetres.toString(3), QStringLiteral("300.000"));
    EXPECT_EQ(pending[0].receivedMetres.toString(3), QStringLiteral("40.000"));
    EXPECT_EQ(pending[0].pendingMetres.toString(3), QStringLiteral("260.000"));
    EXPECT_EQ(pending[0].weight.toString(3), QStringLiteral("37.500"));

    // The operator says No: nothing moves.
    old_->messages.answerNext(false);
    EXPECT_EQ(carry.carry(next_->db(), MillCarry::Kind::PendingTakas, {issueId}), 0);
    EXPECT_EQ(next_->count(QStringLiteral("JobWork_IssueMst_1")), 0);

    ASSERT_EQ(carry.carry(next_->db(), MillCarry::Kind::PendingTakas, {issueId}), 1);
    EXPECT_TRUE(old_->messages.has(MessageKind::Information, QStringLiteral("Pending Mill Receive Bill"),
                                   QStringLiteral("Selected Pending Mill Receive Bill has been Transfered.")));
    auto& db = next_->db();
    const auto header = db.queryOne(QStringLiteral("SELECT ChNo, IsOp, PartyID, BillDate FROM JobWork_IssueMst_1 WHERE Id = ?"), {-issueId});
    ASSERT_TRUE(header);
    EXPECT_EQ(header->integer(QStringLiteral("ChNo")), -1);
    EXPECT_TRUE(header->flag(QStringLiteral("IsOp")));
    EXPECT_EQ(header->date(QStringLiteral("BillDate")), QDate(2025, 3, 10));
    EXPECT_EQ(next_->count(QStringLiteral("JobWork_IssueDtl_1"), QStringLiteral("BillMstId = ?"), {-issueId}), 3);
    EXPECT_DOUBLE_EQ(db.scalar(QStringLiteral("SELECT RMtrs FROM JobWork_IssueDtl_1 WHERE BillMstId = ? AND TakaNO = '203'"), {-issueId}).toDouble(), 40.0);

    // The unpaid receipt goes too; a second carry of either is reported and changes nothing.
    ASSERT_EQ(carry.candidates(MillCarry::Kind::UnpaidReceipts).size(), 1u);
    ASSERT_EQ(carry.carry(next_->db(), MillCarry::Kind::UnpaidReceipts, {receiptId}), 1);
    db.exec(QStringLiteral("UPDATE JobWork_IssueDtl_1 SET Remarks = 'seen' WHERE BillMstId = ?"), {-issueId});
    EXPECT_EQ(carry.carry(next_->db(), MillCarry::Kind::PendingTakas, {issueId}), 0);
    EXPECT_TRUE(old_->messages.has(MessageKind::Critical, QStringLiteral("Bill Duplicate"), QStringLiteral("Bill No : 1 - 10-03-2025 Is not Transferd.")));
    EXPECT_EQ(next_->count(QStringLiteral("JobWork_IssueDtl_1"), QStringLiteral("Remarks = 'seen'")), 3);
    EXPECT_EQ(next_->count(QStringLiteral("JobWork_IssueMst_1")), 2);

    // The new year numbers its own challans from 1 and receives against the carried issue.
    MillIssues newIssues(db, next_->session, next_->messages);
    EXPECT_EQ(newIssues.nextChallanNo(2), 1);
    MillReceipts newReceipts(db, next_->session, next_->messages);
    const auto open = newReceipts.pendingChallans(mill);
    ASSERT_EQ(open.size(), 1u);
    EXPECT_EQ(open[0].challanNo, -1);
    MillReceipt r;
    r.bookId = 2;
    r.date = QDate(2025, 4, 8);
    r.millId = mill;
    r.lotNo = QStringLiteral("N-1");
    r.lines = newReceipts.linesFromIssue(-issueId, {3, 4});
    ASSERT_EQ(r.lines.size(), 2u);
    EXPECT_EQ(r.lines[0].greyMetres.toString(3), QStringLiteral("60.000"));
    for (auto& l : r.lines) l.finishedMetres = d("55");
    ASSERT_TRUE(newReceipts.save(r)) << next_->messages.last().text.toStdString();
    EXPECT_EQ(r.challanNo, 1);

    // The carried issue with takas received this year stays until that receipt goes; the receipt
    // carried in goes at once.
    MillCarry again(db, next_->session, next_->messages);
    EXPECT_EQ(again.carriedIn(MillCarry::Kind::PendingTakas).size(), 1u);
    EXPECT_EQ(again.removeCarriedIn(MillCarry::Kind::PendingTakas, {-issueId}), 0);
    EXPECT_EQ(next_->messages.last().title, QStringLiteral("Challan Receive Found"));
    EXPECT_EQ(again.removeCarriedIn(MillCarry::Kind::UnpaidReceipts, {-receiptId}), 1);
    EXPECT_TRUE(next_->messages.has(MessageKind::Information, QStringLiteral("Pending Mill Taka "), QStringLiteral("Selected Pending Mill Taka has been Deleted.")));
    ASSERT_TRUE(newReceipts.remove(r.id));
    EXPECT_EQ(again.removeCarriedIn(MillCarry::Kind::PendingTakas, {-issueId}), 1);
    EXPECT_EQ(next_->count(QStringLiteral("JobWork_IssueMst_1")), 0);
    EXPECT_EQ(next_->count(QStringLiteral("JobWork_IssueDtl_1")), 0);
    // Last year's books are as they were.
    EXPECT_EQ(old_->count(QStringLiteral("JobWork_IssueDtl_1")), 8);
}

// A failure in the middle of the carry (the next year's line table gone) leaves the next year
// without any of the chosen challans.
TEST_F(MillCarryTest, AFailedCarryLeavesNothing) {
    lastYearsWork();
    next_->db().exec(QStringLiteral("DROP TABLE JobWork_IssueDtl_1"));
    MillCarry carry(old_->db(), old_->session, old_->messages);
    EXPECT_THROW(carry.carry(next_->db(), MillCarry::Kind::PendingTakas, {issueId}), db::DbError);
    EXPECT_EQ(next_->count(QStringLiteral("JobWork_IssueMst_1")), 0);
}

}  // namespace
