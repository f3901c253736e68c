// Journal vouchers of the grey-cloth trader: a whole voucher saved twice leaves one set of lines,
// the descriptions of each side (several accounts named on the other side), entry-by-entry saves
// and deletes with renumbering, bank accounts refused, and the less/add differences of settled
// bills turned into journal entries one by one and many at once. Runs on both engines
// (TANABANA_BOTH_ENGINES).
#include "domain/ledger/Balances.h"
#include "domain/vouchers/CashBankVouchers.h"
#include "domain/vouchers/JournalVouchers.h"
#include "support/QtPrinting.h"
#include "support/VoucherFirm.h"
#include "support/YearFixture.h"
#include "support/Amounts.h"

#include <gtest/gtest.h>

using namespace tanabana;
using namespace tanabana::vouchers;

namespace {

class JournalVoucherTest : public test::VoucherTest {
protected:
    JournalVouchers service() { return JournalVouchers(db(), year().session, year().messages); }

    QStringList lines(qint64 voucherNo) {
        QStringList out;
        for (const db::Row& r :
             db().query(QStringLiteral(
                            "SELECT h.SubSrno, a.AcName, h.Type, h.DrAmt + h.CrAmt, h.%1, h.Narr, h.Receiptno FROM HeadDtl3 h "
                            "JOIN AccMst a ON a.Id = h.AccId WHERE h.TableCode = 9 AND h.VoucherNo = ? "
                            "ORDER BY h.SubSrno, h.Type DESC")
                            .arg(db().dialect().quote(QStringLiteral("Desc"))),
                        {voucherNo}))
            out << QStringLiteral("%1 %2 %3 %4 | %5 | %6 | %7")
                       .arg(r.value(0).toString(), r.value(1).toString(), r.value(2).toString(),
                            Decimal::fromVariant(r.value(3)).toString(2), r.value(4).toString(), r.value(5).toString(),
                            r.value(6).toString());
        return out;
    }

    static JournalEntry entry(qint64 credit, qint64 debit, const char* amount) {
        JournalEntry e;
        e.creditAccId = credit;
        e.debitAccId = debit;
        e.amount = d(amount);
        return e;
    }

    // Settles GST/1 fully in cash with a less amount of 100.00 (the worked example's second part).
    void closeBillWithLess() {
        ASSERT_TRUE(
            firm().settle(CashBankKind::CashReceipt, QDate(2024, 7, 15), firm().ramesh, firm().bill1, "9800", "100", "0", true));
    }
    // GST/1 as above, the supplier's bill closed with 50.00 less, and Kiran's bill received with 20.00 added.
    void closeThreeBills() {
        closeBillWithLess();
        ASSERT_TRUE(firm().settle(CashBankKind::CashPayment, QDate(2024, 7, 16), firm().weaver, firm().purchase, "5200", "50",
                                  "0", true));
        ASSERT_TRUE(
            firm().settle(CashBankKind::CashReceipt, QDate(2024, 7, 17), firm().kiran, firm().bill3, "2120", "0", "20", true));
    }
};

}  // namespace

TEST_F(JournalVoucherTest, WholeVoucherSavedTwiceKeepsOneSetOfLines) {
    auto jv = service();
    JournalVoucher v;
    v.date = QDate(2024, 8, 31);
    JournalEntry first = entry(firm().discount, firm().ramesh, "250");
    first.creditNarration = QStringLiteral("rate difference");
    first.debitNarration = QStringLiteral("rate difference");
    first.referenceNo = QStringLiteral("RD/1");
    v.entries = {first, entry(firm().discount, firm().kiran, "120"), entry(firm().weaver, firm().kiran, "0")};
    ASSERT_TRUE(jv.saveWhole(v));
    EXPECT_EQ(v.voucherNo, 1);
    // Two debit accounts: the credit lines name both.
    EXPECT_EQ(lines(1), (QStringList{
                            "1 Ramesh Silk Mills D 250.00 | Discount A/c #(JEV-1) | rate difference | RD/1",
                            "1 Discount A/c C 250.00 | Ramesh Silk Mills,Kiran Sarees #(JEV-1)  | rate difference | RD/1",
                            "2 Kiran Sarees D 120.00 | Discount A/c #(JEV-1) |  | ",
                            "2 Discount A/c C 120.00 | Ramesh Silk Mills,Kiran Sarees #(JEV-1)  |  | ",
                        }));
    const qint64 journalNo = db().scalar(QStringLiteral("SELECT MIN(JournalNo) FROM HeadDtl3 WHERE TableCode = 9")).toLongLong();

    v.entries.at(1).amount = d("150");
    ASSERT_TRUE(jv.saveWhole(v));
    EXPECT_EQ(year().count(QStringLiteral("HeadDtl3"), QStringLiteral("TableCode = 9")), 4);
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT MAX(JournalNo) FROM HeadDtl3 WHERE TableCode = 9")).toLongLong(), journalNo);
    ledger::Balances balances(db(), year().session);
    EXPECT_EQ(balances.closing(firm().discount).toString(2), QStringLiteral("-400.00"));
    EXPECT_EQ(jv.load(1)->total().toString(2), QStringLiteral("400.00"));
    EXPECT_EQ(jv.proposedVoucherNo(), 2);
}

TEST_F(JournalVoucherTest, EntryByEntryWithRenumberingAndRefusals) {
    auto jv = service();
    JournalVoucher v;
    v.date = QDate(2024, 9, 2);
    JournalEntry a = entry(firm().ramesh, firm().kiran, "1000");  // a transfer between parties
    JournalEntry b = entry(firm().discount, firm().ramesh, "75");
    JournalEntry c = entry(firm().weaver, firm().discount, "40");
    ASSERT_TRUE(jv.saveEntry(v, a));
    ASSERT_TRUE(jv.saveEntry(v, b));
    ASSERT_TRUE(jv.saveEntry(v, c));
    EXPECT_EQ(lines(v.voucherNo).at(0), QStringLiteral("1 Kiran Sarees D 1000.00 | Ramesh Silk Mills #(JEV-1) |  | "));
    EXPECT_EQ(lines(v.voucherNo).at(1), QStringLiteral("1 Ramesh Silk Mills C 1000.00 | Kiran Sarees #(JEV-1)  |  | "));

    ASSERT_TRUE(jv.removeEntry(v.voucherNo, 2));
    EXPECT_EQ(lines(v.voucherNo), (QStringList{"1 Kiran Sarees D 1000.00 | Ramesh Silk Mills #(JEV-1) |  | ",
                                               "1 Ramesh Silk Mills C 1000.00 | Kiran Sarees #(JEV-1)  |  | ",
                                               "2 Discount A/c D 40.00 | Laxmi Weaving Works #(JEV-1) |  | ",
                                               "2 Laxmi Weaving Works C 40.00 | Discount A/c #(JEV-1)  |  | "}));
    EXPECT_EQ(year().count(QStringLiteral("Table_Del_History"), QStringLiteral("FormId = 9")), 1);

    const QStringList before = lines(v.voucherNo);
    auto refused = [&](JournalEntry e, const QDate& date, const QString& title, const QString& text) {
        year().messages.clear();
        JournalVoucher other = v;
        other.date = date;
        EXPECT_FALSE(jv.saveEntry(other, e)) << text.toStdString();
        EXPECT_TRUE(year().messages.has(MessageKind::Critical, title, text))
            << (year().messages.empty() ? "none" : year().messages.last().text.toStdString());
        EXPECT_EQ(lines(v.voucherNo), before);
    };
    refused(entry(firm().bank, firm().ramesh, "10"), v.date, QStringLiteral("System Validation"),
            QStringLiteral("Bank Current A/c is a bank account: enter it through a bank voucher."));
    refused(entry(firm().ramesh, firm().ramesh, "10"), v.date, QStringLiteral("System Validation"),
            QStringLiteral("The debit and credit accounts are the same."));
    refused(entry(firm().ramesh, firm().kiran, "0"), v.date, QStringLiteral("No Save"), QStringLiteral("Please Enter Amount"));
    refused(entry(firm().ramesh, firm().kiran, "10"), QDate(2024, 3, 31), QStringLiteral("Date Validate"),
            QStringLiteral("Please Select Proper Date"));
    const std::vector<JournalAccount> offered = jv.accounts(QString(), 500);
    EXPECT_TRUE(std::none_of(offered.begin(), offered.end(), [](const JournalAccount& a) { return a.groupNo == 36; }));
}

TEST_F(JournalVoucherTest, BillDifferencesBecomeJournalEntries) {
    closeBillWithLess();
    auto jv = service();
    auto waiting = jv.waitingDifferences(BillBook::Sales);
    ASSERT_EQ(waiting.size(), 1u);
    EXPECT_EQ(waiting[0].billNo, QStringLiteral("1"));
    EXPECT_EQ(waiting[0].difference().toString(2), QStringLiteral("100.00"));
    EXPECT_EQ(waiting[0].partySide(), QLatin1Char('C'));

    year().messages.clear();
    EXPECT_FALSE(jv.postDifference(waiting[0].rowId, firm().discount, Decimal(), QDate(2024, 7, 31)));
    EXPECT_TRUE(year().messages.has(MessageKind::Critical, QStringLiteral("No Save"), QStringLiteral("Please Enter Amount")));
    const auto no = jv.postDifference(waiting[0].rowId, firm().discount, d("100"), QDate(2024, 7, 31));
    ASSERT_TRUE(no);
    EXPECT_EQ(lines(*no), (QStringList{"1 Discount A/c D 100.00 |  Bill NO - 1 # Ramesh Silk Mills (JEV-1) |  | ",
                                       "1 Ramesh Silk Mills C 100.00 |  Bill NO - 1 # Discount A/c (JEV-1) |  | "}));
    EXPECT_TRUE(jv.waitingDifferences(BillBook::Sales).empty());
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT IsJV FROM SalBillMst WHERE Id = ?"), {firm().bill1}).toInt(), 0);
    // The party owes nothing more on the bill: 10,000 billed, 100 TDS, 9,800 received, 100 allowed.
    ledger::Balances balances(db(), year().session);
    EXPECT_EQ(balances.closing(firm().ramesh).toString(2),
              QStringLiteral("5250.00"));  // bill 2 (the opening bill is in the opening balance)

    // The receipt that made the difference can no longer be taken back.
    CashBankVouchers receipts(db(), year().session, year().messages, CashBankKind::CashReceipt);
    year().messages.clear();
    EXPECT_FALSE(receipts.removeEntry(1, 1));
    EXPECT_TRUE(year().messages.has(
        MessageKind::Critical, QStringLiteral("No Delete"),
        QStringLiteral("Less/Add Amount of Bill No 1 is passed in Journal Entry.\n First Delete That Journal Entry !")));
    EXPECT_EQ(year().count(QStringLiteral("HeadDtl3"), QStringLiteral("TableCode = 6")), 2);
}

TEST_F(JournalVoucherTest, ManyDifferencesInOneVoucher) {
    closeThreeBills();

    auto jv = service();
    const auto sales = jv.waitingDifferences(BillBook::Sales);
    ASSERT_EQ(sales.size(), 2u);                        // by party name: Kiran, then Ramesh
    EXPECT_EQ(sales[0].partySide(), QLatin1Char('D'));  // the add amount is charged to Kiran
    const auto purchases = jv.waitingDifferences(BillBook::Purchase);
    ASSERT_EQ(purchases.size(), 1u);
    EXPECT_EQ(purchases[0].partySide(), QLatin1Char('D'));

    year().messages.clear();
    EXPECT_FALSE(jv.postDifferences({sales[0].rowId}, firm().ramesh, QDate(2024, 7, 31)));  // a debtor is no J.V. account
    EXPECT_TRUE(year().messages.has(MessageKind::Critical, QStringLiteral("System Validation"),
                                    QStringLiteral("Please Select J.V. A/c Name")));

    const auto no = jv.postDifferences({sales[0].rowId, sales[1].rowId, purchases[0].rowId}, firm().discount, QDate(2024, 7, 31));
    ASSERT_TRUE(no);
    EXPECT_EQ(lines(*no), (QStringList{"1 Kiran Sarees D 20.00 |  Bill NO - 3 # Discount A/c(JEV-1) |  | ",
                                       "1 Discount A/c C 20.00 |  Bill NO - 3 # Kiran Sarees(JEV-1) |  | ",
                                       "2 Discount A/c D 100.00 |  Bill NO - 1 # Ramesh Silk Mills(JEV-1) |  | ",
                                       "2 Ramesh Silk Mills C 100.00 |  Bill NO - 1 # Discount A/c(JEV-1) |  | ",
                                       "3 Laxmi Weaving Works D 50.00 |  Bill NO - LW/12 # Discount A/c(JEV-1) |  | ",
                                       "3 Discount A/c C 50.00 |  Bill NO - LW/12 # Laxmi Weaving Works(JEV-1) |  | "}));
    EXPECT_TRUE(jv.waitingDifferences(std::nullopt).empty());
    EXPECT_FALSE(jv.postDifferences({sales[0].rowId}, firm().discount, QDate(2024, 7, 31)));  // already passed
}

TEST_F(JournalVoucherTest, DeletingADifferenceVoucherMakesItWaitAgain) {
    closeThreeBills();
    auto jv = service();
    std::vector<qint64> rows;
    for (const WaitingDifference& w : jv.waitingDifferences(std::nullopt)) rows.push_back(w.rowId);
    ASSERT_EQ(rows.size(), 3u);
    const auto no = jv.postDifferences(rows, firm().discount, QDate(2024, 7, 31));
    ASSERT_TRUE(no);
    ledger::Balances balances(db(), year().session);
    const Decimal kiranBefore = balances.closing(firm().kiran);

    // Entries by party: 1 Kiran's GST/3, 2 the weaver's LW/12, 3 Ramesh's GST/1.
    // Changing an entry of the voucher would part it from its bill: refused, nothing written.
    auto v = jv.load(*no);
    ASSERT_TRUE(v);
    const QStringList before = lines(*no);
    year().messages.clear();
    JournalEntry changed = v->entries.at(1);
    changed.amount = d("90");
    EXPECT_FALSE(jv.saveEntry(*v, changed));
    EXPECT_TRUE(year().messages.has(MessageKind::Critical, QStringLiteral("Bill Base Entry"),
                                    QStringLiteral("This entry passes the Less/Add Amount of Bill No LW/12.\n"
                                                   " Delete it and pass it again from Bill Base.")));
    EXPECT_FALSE(jv.saveWhole(*v));
    EXPECT_EQ(lines(*no), before);
    // A new entry may still join the voucher.
    JournalEntry extra = entry(firm().discount, firm().ramesh, "15");
    ASSERT_TRUE(jv.saveEntry(*v, extra));
    EXPECT_EQ(extra.serial, 4);

    // Entry 1 (Kiran's add amount) deleted: that bill waits again, the others stay passed and
    // keep their entries, now numbered 1 and 2 (and the added one 3).
    ASSERT_TRUE(jv.removeEntry(*no, 1));
    auto waiting = jv.waitingDifferences(std::nullopt);
    ASSERT_EQ(waiting.size(), 1u);
    EXPECT_EQ(waiting[0].billNo, QStringLiteral("3"));
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT IsJV FROM SalBillMst WHERE Id = ?"), {firm().bill3}).toInt(), 1);
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT IsJV FROM SalBillMst WHERE Id = ?"), {firm().bill1}).toInt(), 0);
    EXPECT_TRUE(jv.waitingDifferences(BillBook::Purchase).empty());
    EXPECT_EQ(balances.closing(firm().kiran), kiranBefore - d("20"));
    EXPECT_EQ(lines(*no).at(0), QStringLiteral("1 Laxmi Weaving Works D 50.00 |  Bill NO - LW/12 # Discount A/c(JEV-1) |  | "));

    // Entry 2 is now Ramesh's: deleting it reopens GST/1, not LW/12.
    ASSERT_TRUE(jv.removeEntry(*no, 2));
    EXPECT_EQ(jv.waitingDifferences(BillBook::Sales).size(), 2u);
    EXPECT_TRUE(jv.waitingDifferences(BillBook::Purchase).empty());
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT IsJV FROM SalBillMst WHERE Id = ?"), {firm().bill1}).toInt(), 1);

    // The whole voucher deleted: GST/1 waits again too, and may be passed once more.
    ASSERT_TRUE(jv.removeVoucher(*no));
    EXPECT_EQ(jv.waitingDifferences(std::nullopt).size(), 3u);
    EXPECT_EQ(year().count(QStringLiteral("Acc_OutSt"), QStringLiteral("IsJVEnd <> 0 OR JV_VouNo <> 0")), 0);
    const auto again = jv.waitingDifferences(BillBook::Sales);
    const auto ramesh = std::find_if(again.begin(), again.end(), [](const WaitingDifference& w) { return w.billNo == "1"; });
    ASSERT_NE(ramesh, again.end());
    EXPECT_TRUE(jv.postDifference(ramesh->rowId, firm().discount, d("100"), QDate(2024, 8, 1)));
    // The receipt whose difference is passed again is held by its journal entry once more.
    CashBankVouchers receipts(db(), year().session, year().messages, CashBankKind::CashReceipt);
    EXPECT_FALSE(receipts.removeEntry(1, 1));
}
