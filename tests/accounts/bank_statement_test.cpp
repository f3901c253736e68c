// The bank's statement of May read and matched against the small firm's uncleared cheques: by
// cheque number and amount, then by amount within a week (two cheques of 1,500.00 each go to the
// nearer statement row), a deposit one paisa off and the bank's own charges left unmatched; a
// file with a bad date, a bad amount or a column the bank does not have ticks nothing; the columns
// chosen for one bank book are kept for it alone (TANABANA_BOTH_ENGINES).
#include "domain/accounts/BankStatement.h"
#include "domain/ledger/Journal.h"
#include "support/LedgerBooks.h"
#include "support/YearFixture.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace tanabana;
using namespace tanabana::accounts;
using tanabana::test::money;

namespace {

class BankStatementTest : public ::testing::Test {
protected:
    void SetUp() override {
        TANABANA_REQUIRE_ENGINE();
        year = std::make_unique<test::YearFixture>();
        firm = test::seedSmallFirm(year->db());
        test::postTypicalMonths(year->db(), year->session, firm);
        namespace DocumentType = ledger::DocumentType;
        const QChar D('D'), C('C');
        ledger::Journal journal(year->db(), year->session);
        journal.post(test::document(DocumentType::BankPayment, 2, QDate(2024, 5, 20), QStringLiteral("CHQ 000872"),
                                    {{firm.mahesh, D, money("1500")}, {firm.bank, C, money("1500")}}));
        journal.post(test::document(DocumentType::BankPayment, 3, QDate(2024, 5, 22), QStringLiteral("CHQ 000873"),
                                    {{firm.mahesh, D, money("1500")}, {firm.bank, C, money("1500")}}));
        journal.post(test::document(DocumentType::BankReceipt, 2, QDate(2024, 5, 25), QStringLiteral("NEFT"),
                                    {{firm.bank, D, money("2000")}, {firm.ramesh, C, money("2000")}}));
    }
    QString write(const QString& text) {
        const QString path = year->folder() + QStringLiteral("/statement.csv");
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text.toUtf8());
        return path;
    }
    Reconciliation may() { return *BankReconciliation(year->db(), year->session, year->messages).list(37, ReconKind::Both, QDate(2024, 5, 1), QDate(2024, 5, 31)); }

    std::unique_ptr<test::YearFixture> year;
    test::SmallFirm firm;
};

const char* kStatement =
    "Date,Narration,Chq./Ref.No.,Withdrawal Amt.,Deposit Amt.,Closing Balance\n"
    "12/05/24,CLG 104233 SURESH,104233,,\"6,025.00\",\"46,025.00\"\n"
    "17/05/24,CHQ PAID 871,000871,\"8,400.00\",,\"37,625.00\"\n"
    "23/05/24,CHQ PAID,0000000000000000,\"1,500.00\",,\"36,125.00\"\n"
    "24/05/24,CHQ PAID,,\"1,500.00\",,\"34,625.00\"\n"
    "26/05/24,NEFT RAMESH,,,\"2,000.01\",\"36,625.01\"\n"
    "31/05/24,BANK CHARGES,,118.00,,\"36,507.01\"\n";

}  // namespace

TEST_F(BankStatementTest, MatchesByChequeThenByAmountAndDateAndTicksThemTogether) {
    const StatementFile statement = readStatement(write(QString::fromLatin1(kStatement)), {});
    ASSERT_EQ(statement.error, QString());
    ASSERT_EQ(statement.lines.size(), 6u);
    EXPECT_EQ(statement.lines[0].date, QDate(2024, 5, 12));
    EXPECT_EQ(statement.lines[0].deposit, money("6025"));
    EXPECT_EQ(statement.lines[5].withdrawal, money("118"));

    Reconciliation r = may();
    ASSERT_EQ(r.lines.size(), 5u);
    QStringList proposed;
    for (const StatementMatch& m : proposeMatches(statement.lines, r.lines))
        proposed << QStringLiteral("row %1 -> %2%3").arg(statement.lines[m.statementLine].row).arg(r.lines[m.reconLine].chequeNo,
                                                                                               m.byCheque ? QStringLiteral(" (cheque)") : QString());
    EXPECT_EQ(proposed, (QStringList{"row 1 -> CHQ 104233 (cheque)", "row 2 -> CHQ 000871 (cheque)", "row 3 -> CHQ 000873",
                                     "row 4 -> CHQ 000872"}));

    std::vector<std::pair<ReconLine, QDate>> ticks;
    for (const StatementMatch& m : proposeMatches(statement.lines, r.lines))
        ticks.push_back({r.lines[m.reconLine], statement.lines[m.statementLine].date});
    BankReconciliation service(year->db(), year->session, year->messages);
    ASSERT_TRUE(service.tickAll(ticks));
    r = may();
    // Only the NEFT receipt of 2,000.00 is still uncleared.
    EXPECT_EQ(r.balances.unclearedPayments, Decimal(0));
    EXPECT_EQ(r.balances.unclearedReceipts, money("2000"));
    EXPECT_EQ(year->count(QStringLiteral("HeadDtl3"), QStringLiteral("IsReCon = 1")), 4);
    // A second import proposes nothing for the rows already cleared.
    EXPECT_TRUE(proposeMatches(statement.lines, r.lines).empty());
}

TEST_F(BankStatementTest, AFaultyFileNamesTheRowAndTicksNothing) {
    EXPECT_EQ(readStatement(write(QStringLiteral("Date,Narration,Chq./Ref.No.,Withdrawal Amt.,Deposit Amt.\n"
                                                 "12/05/24,A,1,,100.00\n31/02/24,B,2,50.00,\n")),
                            {})
                  .error,
              QStringLiteral("Statement row 2: \"31/02/24\" is not a date"));
    EXPECT_EQ(readStatement(write(QStringLiteral("Date,Narration,Chq./Ref.No.,Withdrawal Amt.,Deposit Amt.\n12/05/24,A,1,\"1,2x0.00\",\n")), {})
                  .error,
              QStringLiteral("Statement row 1: \"1,2x0.00\" is not an amount"));
    const StatementFile other = readStatement(write(QStringLiteral("Txn Date,Description,Debit,Credit\n12/05/24,A,100.00,\n")), {});
    EXPECT_EQ(other.error, QStringLiteral("The statement has no column \"Date\"; its columns are: Txn Date, Description, Debit, Credit"));
    EXPECT_TRUE(other.lines.empty());
    // The same bank's columns named by the caller read fine.
    StatementColumns columns;
    columns.date = QStringLiteral("Txn Date");
    columns.narration = QStringLiteral("Description");
    columns.withdrawal = QStringLiteral("Debit");
    columns.deposit = QStringLiteral("Credit");
    // Kept for the bank book that was read with them, not for another.
    rememberColumns(year->db(), year->session.firmNo, 37, columns);
    EXPECT_EQ(rememberedColumns(year->db(), year->session.firmNo, 37).withdrawal, QStringLiteral("Debit"));
    EXPECT_EQ(rememberedColumns(year->db(), year->session.firmNo, 37).date, QStringLiteral("Txn Date"));
    EXPECT_EQ(rememberedColumns(year->db(), year->session.firmNo, 38).date, QStringLiteral("Date"));
    const StatementFile mapped =
        readStatement(write(QStringLiteral("Txn Date,Description,Debit,Credit\n12/05/24,A,100.00,\n")), rememberedColumns(year->db(), year->session.firmNo, 37));
    EXPECT_EQ(mapped.error, QString());
    ASSERT_EQ(mapped.lines.size(), 1u);
    EXPECT_EQ(mapped.lines[0].withdrawal, money("100"));
    EXPECT_EQ(readStatement(year->folder() + QStringLiteral("/missing.csv"), {}).lines.size(), 0u);
    EXPECT_FALSE(readStatement(year->folder() + QStringLiteral("/missing.csv"), {}).error.isEmpty());

    // One refused tick among several writes none: the cheque of the 20th cannot clear on the 1st.
    const Reconciliation r = may();
    BankReconciliation service(year->db(), year->session, year->messages);
    EXPECT_FALSE(service.tickAll({{r.lines[0], QDate(2024, 5, 20)}, {r.lines[1], QDate(2024, 5, 1)}}));
    EXPECT_EQ(year->count(QStringLiteral("HeadDtl3"), QStringLiteral("IsReCon = 1")), 0);
}
