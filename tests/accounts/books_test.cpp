// The cash book, journal book and day book of the small firm (TANABANA_BOTH_ENGINES): a period
// that starts in mid-April opens with the balance before it, May opens on its first posting
// date, June without postings has no rows and July opens with May's closing balance; a day whose
// receipt and payment cancel closes where the day before did; the day book's printed form leaves
// out the sales and bank lines.
//
// Cash: 25,000.00 Dr on 01-04-2024; freight 500.00 paid 15-04; 5,000.00 from Suresh 20-04;
// salary and rent 2,500.00 paid and 2,500.00 received from Ramesh on 31-05.
#include "domain/accounts/AccountRegisters.h"
#include "domain/ledger/Journal.h"
#include "domain/reports/ReportError.h"
#include "support/FirmBooks.h"
#include "support/LedgerBooks.h"
#include "support/YearFixture.h"

#include <gtest/gtest.h>

using namespace tanabana;
using namespace tanabana::reports;
using tanabana::test::money;

namespace {

class BooksTest : public ::testing::Test {
protected:
    void SetUp() override {
        TANABANA_REQUIRE_ENGINE();
        year = std::make_unique<test::YearFixture>();
        firm = test::seedSmallFirm(db());
        test::postTypicalMonths(db(), year->session, firm);
        namespace DocumentType = ledger::DocumentType;
        const QChar D('D'), C('C');
        const qint64 freight = test::accountId(db(), QStringLiteral("Freight Inward"));
        const qint64 salary = test::accountId(db(), QStringLiteral("Salary"));
        const qint64 rent = test::accountId(db(), QStringLiteral("Rent"));
        ledger::Journal journal(db(), year->session);
        journal.post(test::document(DocumentType::CashPayment, 1, QDate(2024, 4, 15), QStringLiteral("1"),
                                    {{freight, D, money("500")}, {firm.cash, C, money("500")}}));
        journal.post(test::document(DocumentType::CashPayment, 2, QDate(2024, 5, 31), QStringLiteral("2"),
                                    {{salary, D, money("1500")}, {rent, D, money("1000")}, {firm.cash, C, money("2500")}}));
        journal.post(test::document(DocumentType::CashReceipt, 2, QDate(2024, 5, 31), QStringLiteral("3"),
                                    {{firm.cash, D, money("2500")}, {firm.ramesh, C, money("2500")}}));
        journal.post(test::document(DocumentType::JournalVoucher, 1, QDate(2024, 6, 30), QStringLiteral("JV1"),
                                    {{rent, D, money("300")}, {firm.mahesh, C, money("300")}}));
    }
    db::Database& db() { return year->db(); }
    RegisterResult run(const QString& name, const QDate& from, const QDate& to, qint64 book = 0) {
        RegisterChoice choice;
        choice.from = from;
        choice.to = to;
        choice.bookNo = book;
        return Registers(db(), year->session, year->folder()).run(*accounts::findAccountRegister(name), choice);
    }
    // The cells of some columns of every line, joined by " | ".
    static QStringList columns(const RegisterResult& r, const QStringList& fields) {
        QStringList lines;
        for (const RegisterLine& line : r.lines) {
            QStringList cells;
            for (const QString& field : fields)
                for (size_t i = 0; i < r.sheet.columns.size(); ++i)
                    if (r.sheet.columns[i].field == field) cells << line.cells.value(int(i));
            QString text = cells.join(QStringLiteral(" | "));
            while (text.contains(QStringLiteral("|  |"))) text.replace(QStringLiteral("|  |"), QStringLiteral("| |"));
            lines << text.trimmed();
        }
        return lines;
    }

    std::unique_ptr<test::YearFixture> year;
    test::SmallFirm firm;
};

}  // namespace

TEST_F(BooksTest, CashBookOpensEveryMonthWithItsBalanceAndClosesEveryDay) {
    const RegisterResult r = run(QStringLiteral("cash-book"), QDate(2024, 4, 10), QDate(2024, 6, 30));
    EXPECT_EQ(r.title, QStringLiteral("Cash Book : Cash Book"));
    EXPECT_EQ(r.filters, QStringLiteral("Period From 10-04-2024 To 30-06-2024"));
    EXPECT_EQ(columns(r, {"VDate", "BType", "AcNAme", "withDraw", "Deposit", "Bal", "BalType", "DBal", "DBalT"}),
              (QStringList{"10-04-24 | OP | Opening Balance | | | 25,000.00 | DB | 25,000.00 | DB",
                           "D Tot | | | 0.00 | 0.00 | | | |",
                           "15-04-24 | CP | Freight Inward | 500.00 | | 24,500.00 | DB | 24,500.00 | DB",
                           "D Tot | | | 500.00 | 0.00 | | | |",
                           "20-04-24 | CR | Suresh Fabrics | | 5,000.00 | 29,500.00 | DB | 29,500.00 | DB",
                           "D Tot | | | 0.00 | 5,000.00 | | | |",
                           "M Tot | | | 500.00 | 5,000.00 | | | |",
                           "31-05-24 | OP | Opening Balance | | | 29,500.00 | DB | |",
                           "31-05-24 | CP | Salary | 2,500.00 | | 27,000.00 | DB | |",
                           "31-05-24 | CR | Ramesh Traders | | 2,500.00 | 29,500.00 | DB | 29,500.00 | DB",
                           "D Tot | | | 2,500.00 | 2,500.00 | | | |",
                           "M Tot | | | 2,500.00 | 2,500.00 | | | |",
                           "Total | | | 3,000.00 | 7,500.00 | | | |"}));
    // A period without postings still shows the balance it starts with.
    const RegisterResult june = run(QStringLiteral("cash-book"), QDate(2024, 6, 1), QDate(2024, 6, 30));
    EXPECT_EQ(columns(june, {"VDate", "BType", "Bal", "BalType"}).first(), QStringLiteral("01-06-24 | OP | 29,500.00 | DB"));
    // The bank book of May (book 37): 40,000.00 opening, a cheque received and one paid.
    const RegisterResult bank = run(QStringLiteral("bank-book"), QDate(2024, 5, 1), QDate(2024, 5, 31), 37);
    EXPECT_EQ(bank.title, QStringLiteral("Bank Book : Bank Current A/c"));
    EXPECT_EQ(columns(bank, {"VDate", "BType", "ChqNO", "withDraw", "Deposit", "Bal", "BalType"}),
              (QStringList{"01-05-24 | OP | | | | 40,000.00 | DB", "D Tot | | | 0.00 | 0.00 | |",
                           "10-05-24 | BR | CHQ 104233 | | 6,025.00 | 46,025.00 | DB", "D Tot | | | 0.00 | 6,025.00 | |",
                           "15-05-24 | BP | CHQ 000871 | 8,400.00 | | 37,625.00 | DB", "D Tot | | | 8,400.00 | 0.00 | |",
                           "M Tot | | | 8,400.00 | 6,025.00 | |", "Total | | | 8,400.00 | 6,025.00 | |"}));
    // A book of the wrong kind (the sales book) is refused by name, as is a date outside the year.
    try {
        run(QStringLiteral("bank-book"), QDate(2024, 4, 1), QDate(2024, 4, 30), 1);
        FAIL() << "the sales book was taken for a bank book";
    } catch (const ReportError& e) {
        EXPECT_EQ(e.text(), QStringLiteral("Please Select Bank Book"));
    }
    EXPECT_THROW(run(QStringLiteral("cash-book"), QDate(2024, 3, 1), QDate(2024, 4, 30)), ReportError);
}

TEST_F(BooksTest, AMonthWithoutEntriesIsSkippedAndTheNextOpensWithTheBalanceCarried) {
    // June has no cash entries; freight of 750.00 is paid on 10-07.
    const qint64 freight = test::accountId(db(), QStringLiteral("Freight Inward"));
    ledger::Journal(db(), year->session)
        .post(test::document(ledger::DocumentType::CashPayment, 3, QDate(2024, 7, 10), QStringLiteral("4"),
                             {{freight, QChar('D'), money("750")}, {firm.cash, QChar('C'), money("750")}}));
    const RegisterResult r = run(QStringLiteral("cash-book"), QDate(2024, 5, 1), QDate(2024, 7, 31));
    EXPECT_EQ(columns(r, {"VDate", "BType", "AcNAme", "withDraw", "Deposit", "Bal", "BalType"}),
              (QStringList{"01-05-24 | OP | Opening Balance | | | 29,500.00 | DB",
                           "D Tot | | | 0.00 | 0.00 | |",
                           "31-05-24 | CP | Salary | 2,500.00 | | 27,000.00 | DB",
                           "31-05-24 | CR | Ramesh Traders | | 2,500.00 | 29,500.00 | DB",
                           "D Tot | | | 2,500.00 | 2,500.00 | |",
                           "M Tot | | | 2,500.00 | 2,500.00 | |",
                           "10-07-24 | OP | Opening Balance | | | 29,500.00 | DB",
                           "10-07-24 | CP | Freight Inward | 750.00 | | 28,750.00 | DB",
                           "D Tot | | | 750.00 | 0.00 | |",
                           "M Tot | | | 750.00 | 0.00 | |",
                           "Total | | | 3,250.00 | 2,500.00 | |"}));
}

TEST_F(BooksTest, DayBookListsEveryPostingAndThePrintedFormLeavesOutSalesAndBank) {
    const RegisterResult all = run(QStringLiteral("day-book"), QDate(2024, 4, 15), QDate(2024, 4, 15));
    // In journal and serial order: the bill's first credit and debit share serial 1.
    EXPECT_EQ(columns(all, {"VDate", "BType", "AcNAme", "Deposit", "withDraw"}),
              (QStringList{"15-04-24 | SAL | Sales A/c | 10,500.00 |", "15-04-24 | SAL | Suresh Fabrics | | 11,025.00",
                           "15-04-24 | SAL | Output CGST | 262.50 |", "15-04-24 | SAL | Output SGST | 262.50 |",
                           "15-04-24 | CP | Cash | 500.00 |", "15-04-24 | CP | Freight Inward | | 500.00",
                           "D Tot | | | 11,525.00 | 11,525.00", "M Tot | | | 11,525.00 | 11,525.00", "Total | | | 11,525.00 | 11,525.00"}));
    const RegisterResult printed = run(QStringLiteral("day-book-printed"), QDate(2024, 5, 1), QDate(2024, 5, 31));
    const QStringList names = columns(printed, {"AcNAme"});
    EXPECT_FALSE(names.contains(QStringLiteral("Sales A/c")));
    EXPECT_FALSE(names.contains(QStringLiteral("Bank Current A/c")));
    EXPECT_TRUE(names.contains(QStringLiteral("Ramesh Traders")));
    EXPECT_TRUE(names.contains(QStringLiteral("Mahesh Yarn Agency")));
}

TEST_F(BooksTest, JournalBookShowsTheVoucherCreditFirst) {
    const RegisterResult r = run(QStringLiteral("journal-book"), QDate(2024, 4, 1), QDate(2025, 3, 31));
    EXPECT_EQ(columns(r, {"VDate", "AcNAme", "withDraw", "Deposit"}),
              (QStringList{"30-06-24 | Mahesh Yarn Agency | | 300.00", "30-06-24 | Rent | 300.00 |", "D Tot | | 300.00 | 300.00",
                           "M Tot | | 300.00 | 300.00", "Total | | 300.00 | 300.00"}));
}
