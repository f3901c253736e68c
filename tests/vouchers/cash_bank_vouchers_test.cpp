// Cash and bank receipts and payments of a small grey-cloth trader: the journal lines and
// descriptions of each kind, receipt and cheque numbers, the bank book proposed, bill-wise
// settlement (the bill of 10,000 with TDS 100 received in two parts and closed with a less amount),
// removal reopening the bill, renumbering with settlements following their entry, opening and
// purchase bills, and every refusal with the books unchanged. Runs on both engines
// (TANABANA_BOTH_ENGINES).
#include "domain/trade/SalesInvoices.h"
#include "domain/vouchers/CashBankVouchers.h"
#include "support/QtPrinting.h"
#include "support/VoucherFirm.h"
#include "support/YearFixture.h"
#include "support/Amounts.h"

#include <gtest/gtest.h>

using namespace tanabana;
using namespace tanabana::vouchers;

namespace {

class CashBankTest : public test::VoucherTest {
protected:
    CashBankVouchers service(CashBankKind kind) { return CashBankVouchers(db(), year().session, year().messages, kind); }

    // "account side amount | description" of the voucher's lines, by serial and side (debit first).
    QStringList lines(int tableCode, qint64 voucherNo) {
        QStringList out;
        for (const db::Row& r : db().query(
                 QStringLiteral("SELECT a.AcName, h.Type, h.DrAmt + h.CrAmt, h.%1, h.SubSrno, h.IsBal, h.Receiptno, c.AcName "
                                "FROM HeadDtl3 h JOIN AccMst a ON a.Id = h.AccId JOIN AccMst c ON c.Id = h.PartyCode "
                                "WHERE h.TableCode = ? AND h.VoucherNo = ? ORDER BY h.SubSrno, h.Type DESC")
                     .arg(db().dialect().quote(QStringLiteral("Desc"))),
                 {tableCode, voucherNo}))
            out << QStringLiteral("%1 %2 %3 %4 | %5 | %6 %7 vs %8")
                       .arg(r.value(4).toString(), r.value(0).toString(), r.value(1).toString(),
                            Decimal::fromVariant(r.value(2)).toString(2), r.value(3).toString(), r.value(5).toString(),
                            r.value(6).toString(), r.value(7).toString());
        return out;
    }

    struct BillState {
        QString paid, unpaid;
        bool closed = false;
        bool waiting = false;
        bool operator==(const BillState&) const = default;
    };
    BillState sale(qint64 id) {
        const auto r = db().queryOne(QStringLiteral("SELECT PaidAmt, UnPaidAmt, IsEnd, IsJV FROM SalBillMst WHERE Id = ?"), {id});
        return {Decimal::fromVariant(r->value(0)).toString(2), Decimal::fromVariant(r->value(1)).toString(2),
                r->flag(QStringLiteral("IsEnd")), r->flag(QStringLiteral("IsJV"))};
    }

    // Everything a voucher save may touch, to prove a refusal left it all alone.
    QStringList books() {
        QStringList s;
        for (const QString& sql : {QStringLiteral("SELECT COUNT(*), SUM(DrAmt), MAX(VoucherNo) FROM HeadDtl3"),
                                   QStringLiteral("SELECT COUNT(*), SUM(Paid_Amt) FROM Acc_OutSt"),
                                   QStringLiteral("SELECT SUM(PaidAmt), SUM(UnPaidAmt), SUM(IsEnd) FROM SalBillMst"),
                                   QStringLiteral("SELECT SUM(PaidAmt), SUM(UnPaidAmt), SUM(IsEnd) FROM BillMst")}) {
            const auto r = db().queryOne(sql);
            QStringList parts;
            for (int i = 0; i < r->size(); ++i) parts << r->value(i).toString();
            s << parts.join(QLatin1Char(' '));
        }
        return s;
    }

    CashBankVoucher voucher(CashBankKind kind, const QDate& date, qint64 book = 36) {
        CashBankVoucher v;
        v.kind = kind;
        v.date = date;
        v.bookNo = book;
        return v;
    }
    static VoucherEntry entry(qint64 party, const char* amount, const QString& receiptNo = {}) {
        VoucherEntry e;
        e.partyId = party;
        e.amount = d(amount);
        e.receiptNo = receiptNo;
        return e;
    }
    static Settlement pays(qint64 bill, const char* payment, const char* less = "0", bool fully = false) {
        Settlement s;
        s.billId = bill;
        s.payment = d(payment);
        s.less = d(less);
        s.fullyReceived = fully;
        return s;
    }
};

}  // namespace

TEST_F(CashBankTest, EachKindPostsItsBookAndPartyLinesWithTheirDescriptions) {
    auto receipts = service(CashBankKind::CashReceipt);
    CashBankVoucher v = voucher(CashBankKind::CashReceipt, QDate(2024, 6, 20));
    EXPECT_EQ(receipts.proposedVoucherNo(), 1);
    VoucherEntry first = entry(firm().ramesh, "2500", QStringLiteral("77"));
    first.narration = QStringLiteral("cash at counter");
    ASSERT_TRUE(receipts.saveEntry(v, first));
    VoucherEntry second = entry(firm().kiran, "1200.50");
    ASSERT_TRUE(receipts.saveEntry(v, second));
    EXPECT_EQ(v.voucherNo, 1);
    EXPECT_EQ(first.serial, 1);
    EXPECT_EQ(second.serial, 2);
    EXPECT_EQ(lines(6, 1), (QStringList{
                               "1 Cash D 2500.00 | Ramesh Silk Mills #  R.NO -77# (CRV-1) | N 77 vs Ramesh Silk Mills",
                               "1 Ramesh Silk Mills C 2500.00 | Cash  #  R.NO -77# (CRV-1) | N 77 vs Cash",
                               "2 Cash D 1200.50 | Kiran Sarees # (CRV-1) | N  vs Kiran Sarees",
                               "2 Kiran Sarees C 1200.50 | Cash  # (CRV-1) | N  vs Cash",
                           }));
    EXPECT_EQ(v.entries.size(), 2u);
    EXPECT_EQ(v.total().toString(2), QStringLiteral("3700.50"));
    EXPECT_EQ(
        db().scalar(QStringLiteral("SELECT Narr FROM HeadDtl3 WHERE TableCode = 6 AND SubSrno = 1 AND Type = 'C'")).toString(),
        QStringLiteral("cash at counter"));

    // A payment credits the cash and debits the party.
    auto payments = service(CashBankKind::CashPayment);
    CashBankVoucher p = voucher(CashBankKind::CashPayment, QDate(2024, 6, 21));
    VoucherEntry wages = entry(firm().weaver, "800", QStringLiteral("P-9"));
    ASSERT_TRUE(payments.saveEntry(p, wages));
    EXPECT_EQ(lines(5, 1),
              (QStringList{"1 Laxmi Weaving Works D 800.00 | Cash Pay #  R NO -P-9# (CPV-1) | N P-9 vs Cash",
                           "1 Cash C 800.00 | Laxmi Weaving Works #  R NO -P-9# (CPV-1) | N P-9 vs Laxmi Weaving Works"}));

    // Bank receipts keep the second narration beside the entry; the next one proposes the same bank.
    auto bankReceipts = service(CashBankKind::BankReceipt);
    EXPECT_EQ(bankReceipts.proposedBook(), 37);
    CashBankVoucher b = voucher(CashBankKind::BankReceipt, QDate(2024, 6, 22), 38);
    VoucherEntry cheque = entry(firm().kiran, "2100", QStringLiteral("004512"));
    cheque.narration2 = QStringLiteral("HDFC Surat");
    ASSERT_TRUE(bankReceipts.saveEntry(b, cheque));
    EXPECT_EQ(
        lines(8, 1),
        (QStringList{
            "1 HDFC Bank D 2100.00 | Kiran Sarees #  Chq NO -004512# Bill NO : HDFC Surat(BRV-1) | N 004512 vs Kiran Sarees",
            "1 Kiran Sarees C 2100.00 | By  #  Chq NO -004512# Bill NO : HDFC Surat(BRV-1) | N 004512 vs HDFC Bank"}));
    EXPECT_EQ(bankReceipts.proposedBook(), 38);
    EXPECT_EQ(bankReceipts.load(1)->bookNo, 38);
    EXPECT_EQ(bankReceipts.load(1)->entries.at(0).narration2, QStringLiteral("HDFC Surat"));

    auto bankPayments = service(CashBankKind::BankPayment);
    CashBankVoucher bp = voucher(CashBankKind::BankPayment, QDate(2024, 6, 23), 37);
    VoucherEntry rent = entry(firm().discount, "1500", QStringLiteral("000101"));
    ASSERT_TRUE(bankPayments.saveEntry(bp, rent));
    EXPECT_EQ(lines(7, 1),
              (QStringList{"1 Discount A/c D 1500.00 | To  #  Chq NO -000101# (BPV-1) | N 000101 vs Bank Current A/c",
                           "1 Bank Current A/c C 1500.00 | Discount A/c #  Chq NO -000101# (BPV-1) | N 000101 vs Discount A/c"}));

    // Search by name, amount and receipt number lists the party lines, newest first.
    const auto byName = receipts.search(CashBankVouchers::SearchBy::Name, QStringLiteral("kir"));
    ASSERT_EQ(byName.size(), 1u);
    EXPECT_EQ(byName[0].amount.toString(2), QStringLiteral("1200.50"));
    EXPECT_EQ(byName[0].bookAccount, QStringLiteral("Cash"));
    EXPECT_EQ(receipts.search(CashBankVouchers::SearchBy::Amount, QStringLiteral("2500")).at(0).partyName,
              QStringLiteral("Ramesh Silk Mills"));
    EXPECT_EQ(receipts.search(CashBankVouchers::SearchBy::ReceiptNo, QStringLiteral("7")).size(), 1u);
}

TEST_F(CashBankTest, WorkedExampleReceivedInTwoPartsClosesTheBillAndRemovalReopensIt) {
    auto receipts = service(CashBankKind::CashReceipt);
    const auto open = receipts.openBills(firm().ramesh);
    ASSERT_EQ(open.size(), 3u);  // the opening bill of February first, then GST/1 and GST/2
    EXPECT_EQ(open[0].billNo, QStringLiteral("O/88"));
    EXPECT_TRUE(open[0].opening);
    EXPECT_EQ(open[1].billNo, QStringLiteral("1"));
    EXPECT_EQ(open[1].unpaid.toString(2), QStringLiteral("9900.00"));
    EXPECT_EQ(open[1].paid.toString(2), QStringLiteral("100.00"));  // the TDS counts as paid

    CashBankVoucher first = voucher(CashBankKind::CashReceipt, QDate(2024, 7, 1));
    VoucherEntry part = entry(firm().ramesh, "4000", QStringLiteral("R-1"));
    part.billWise = true;
    part.settlements = {pays(firm().bill1, "4000")};
    ASSERT_TRUE(receipts.saveEntry(first, part));
    EXPECT_EQ(sale(firm().bill1), (BillState{"4000.00", "5900.00", false, false}));
    EXPECT_EQ(
        lines(6, first.voucherNo).at(0),
        QStringLiteral("1 Cash D 4000.00 | Ramesh Silk Mills #  R.NO -R-1# Bill NO : 1(CRV-1) | Y R-1 vs Ramesh Silk Mills"));
    // A bill with a receipt against it can neither go nor change its party.
    trade::SalesInvoices sales(db(), year().session, year().messages);
    EXPECT_FALSE(sales.remove(firm().bill1));
    EXPECT_TRUE(year().messages.has(
        MessageKind::Critical, QStringLiteral("Delete Confirmation"),
        QStringLiteral(
            "This Invoice Payment is Done\n Paid Amount : 4000.00 01-07-2024\n First Delete Account Payment Entry !")));
    auto bill = sales.load(firm().bill1);
    bill->partyId = firm().kiran;
    EXPECT_FALSE(sales.save(*bill));
    EXPECT_TRUE(year().messages.has(MessageKind::Critical, QStringLiteral("No Party Name Change"),
                                    QStringLiteral("This Invoice Payment is Done\n First Delete Account Payment Entry !")));
    // Saved again as it was, the bill keeps what the receipt paid.
    bill->partyId = firm().ramesh;
    ASSERT_TRUE(sales.save(*bill));
    EXPECT_EQ(sale(firm().bill1), (BillState{"4000.00", "5900.00", false, false}));

    CashBankVoucher second = voucher(CashBankKind::CashReceipt, QDate(2024, 7, 15));
    VoucherEntry rest = entry(firm().ramesh, "5800");
    rest.billWise = true;
    rest.settlements = {pays(firm().bill1, "5800", "100", true)};
    ASSERT_TRUE(receipts.saveEntry(second, rest));
    EXPECT_EQ(second.voucherNo, 2);
    EXPECT_EQ(sale(firm().bill1), (BillState{"9800.00", "100.00", true, true}));
    const auto row = db().queryOne(QStringLiteral(
        "SELECT Paid_Amt, Minus_Amt, IsEnd, IsJV, BNo, AcId, VDate FROM Acc_OutSt WHERE VouNo = 2 AND TableCode = 6"));
    ASSERT_TRUE(row);
    EXPECT_EQ(row->number(QStringLiteral("Minus_Amt")), 100.0);
    EXPECT_TRUE(row->flag(QStringLiteral("IsEnd")));
    EXPECT_TRUE(row->flag(QStringLiteral("IsJV")));
    EXPECT_EQ(row->text(QStringLiteral("BNo")), QStringLiteral("1"));
    EXPECT_EQ(row->integer(QStringLiteral("AcId")), firm().ramesh);
    EXPECT_EQ(row->date(QStringLiteral("VDate")), QDate(2024, 7, 15));
    EXPECT_EQ(receipts.openBills(firm().ramesh).size(), 2u);  // GST/1 has left the list
    EXPECT_EQ(receipts.load(2)->entries.at(0).settlements.at(0).less.toString(2), QStringLiteral("100.00"));

    // Deleting the second receipt reopens the bill at its unpaid amount after the first.
    year().messages.clear();
    ASSERT_TRUE(receipts.removeEntry(2, 1));
    EXPECT_EQ(year().messages.all().at(0).title, QStringLiteral("Delete Outstanding Bill"));
    EXPECT_EQ(sale(firm().bill1), (BillState{"4000.00", "5900.00", false, false}));
    EXPECT_TRUE(lines(6, 2).isEmpty());
    EXPECT_EQ(year().count(QStringLiteral("Acc_OutSt"), QStringLiteral("VouNo = 2 AND TableCode = 6")), 0);
    EXPECT_EQ(year().count(QStringLiteral("Table_Del_History"), QStringLiteral("FormId = 6 AND Id = 2")), 1);
    EXPECT_EQ(receipts.openBills(firm().ramesh).size(), 3u);
    // The bill cannot go while the first receipt still pays it.
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT PaidDt FROM SalBillMst WHERE Id = ?"), {firm().bill1}).toDate(),
              QDate(2024, 7, 1));
}

TEST_F(CashBankTest, ModifyingABillWiseEntryReplacesItsSettlementsAndLines) {
    auto receipts = service(CashBankKind::BankReceipt);
    CashBankVoucher v = voucher(CashBankKind::BankReceipt, QDate(2024, 7, 2), 37);
    VoucherEntry e = entry(firm().ramesh, "8250", QStringLiteral("100231"));
    e.billWise = true;
    e.settlements = {pays(firm().opening, "3000", "0", true), pays(firm().bill2, "5250")};
    ASSERT_TRUE(receipts.saveEntry(v, e));
    EXPECT_EQ(sale(firm().opening), (BillState{"3000.00", "0.00", true, false}));
    EXPECT_EQ(sale(firm().bill2), (BillState{"5250.00", "0.00", true, false}));  // paid to the paisa: closed
    EXPECT_EQ(
        lines(8, v.voucherNo).at(1),
        QStringLiteral(
            "1 Ramesh Silk Mills C 8250.00 | By  #  Chq NO -100231# Bill NO : O/88, 2(BRV-1) | Y 100231 vs Bank Current A/c"));

    // While the entry is changed its own bills are offered again, closed ones too, as they stand
    // without it; elsewhere they are closed.
    QStringList offered;
    for (const OpenBill& b : receipts.openBills(firm().ramesh, v.voucherNo, 1))
        offered << b.billNo + QLatin1Char(' ') + b.unpaid.toString(2) + QLatin1Char(' ') + b.paid.toString(2);
    EXPECT_EQ(offered, (QStringList{"O/88 3000.00 0.00", "1 9900.00 100.00", "2 5250.00 0.00"}));
    offered.clear();
    for (const OpenBill& b : receipts.openBills(firm().ramesh)) offered << b.billNo;
    EXPECT_EQ(offered, QStringList{"1"});

    // The cheque was for less: only part of bill 2 is paid now.
    VoucherEntry changed = v.entries.at(0);
    changed.amount = d("5000");
    changed.settlements = {pays(firm().opening, "3000", "0", true), pays(firm().bill2, "2000")};
    ASSERT_TRUE(receipts.saveEntry(v, changed));
    EXPECT_EQ(changed.serial, 1);
    EXPECT_EQ(sale(firm().bill2), (BillState{"2000.00", "3250.00", false, false}));
    EXPECT_EQ(year().count(QStringLiteral("Acc_OutSt"), QStringLiteral("TableCode = 8")), 2);
    EXPECT_EQ(year().count(QStringLiteral("HeadDtl3"), QStringLiteral("TableCode = 8")), 2);
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT SUM(CrAmt) FROM HeadDtl3 WHERE TableCode = 8")).toDouble(), 5000.0);
}

TEST_F(CashBankTest, DeletingAMiddleEntryRenumbersTheRestWithTheirSettlements) {
    auto receipts = service(CashBankKind::CashReceipt);
    CashBankVoucher v = voucher(CashBankKind::CashReceipt, QDate(2024, 7, 3));
    VoucherEntry a = entry(firm().ramesh, "1000");
    a.billWise = true;
    a.settlements = {pays(firm().bill1, "1000")};
    VoucherEntry b = entry(firm().kiran, "500");
    VoucherEntry c = entry(firm().kiran, "2100");
    c.billWise = true;
    c.settlements = {pays(firm().bill3, "2100")};
    ASSERT_TRUE(receipts.saveEntry(v, a));
    ASSERT_TRUE(receipts.saveEntry(v, b));
    ASSERT_TRUE(receipts.saveEntry(v, c));
    EXPECT_EQ(c.serial, 3);

    ASSERT_TRUE(receipts.removeEntry(v.voucherNo, 2));
    EXPECT_EQ(year().messages.last().title, QStringLiteral("Delete Confirmation"));
    const auto loaded = receipts.load(v.voucherNo);
    ASSERT_EQ(loaded->entries.size(), 2u);
    EXPECT_EQ(loaded->entries[1].serial, 2);
    EXPECT_EQ(loaded->entries[1].partyName, QStringLiteral("Kiran Sarees"));
    ASSERT_EQ(loaded->entries[1].settlements.size(), 1u);
    EXPECT_EQ(loaded->entries[1].settlements[0].billId, firm().bill3);
    EXPECT_EQ(
        db().scalar(QStringLiteral("SELECT VouSrno FROM Acc_OutSt WHERE BillId = ? AND Book = 'S' AND VouNo > 0"), {firm().bill3})
            .toInt(),
        2);
    EXPECT_EQ(lines(6, v.voucherNo).size(), 4);

    // A new entry takes the serial after the last one.
    VoucherEntry d4 = entry(firm().kiran, "50");
    ASSERT_TRUE(receipts.saveEntry(v, d4));
    EXPECT_EQ(d4.serial, 3);
}

TEST_F(CashBankTest, PaymentsSettlePurchaseBills) {
    auto payments = service(CashBankKind::BankPayment);
    const auto open = payments.openBills(firm().weaver);
    ASSERT_EQ(open.size(), 1u);
    EXPECT_EQ(open[0].billNo, QStringLiteral("LW/12"));
    EXPECT_EQ(open[0].unpaid.toString(2), QStringLiteral("5250.00"));
    CashBankVoucher v = voucher(CashBankKind::BankPayment, QDate(2024, 7, 20), 37);
    VoucherEntry e = entry(firm().weaver, "5200", QStringLiteral("000777"));
    e.billWise = true;
    e.settlements = {pays(firm().purchase, "5200", "50", true)};
    ASSERT_TRUE(payments.saveEntry(v, e));
    const auto bill = db().queryOne(QStringLiteral("SELECT PaidAmt, UnPaidAmt, IsEnd, IsJV, VouNO FROM BillMst WHERE Id = ?"),
                                    {firm().purchase});
    EXPECT_EQ(bill->number(QStringLiteral("PaidAmt")), 5200.0);
    EXPECT_EQ(bill->number(QStringLiteral("UnPaidAmt")), 50.0);
    EXPECT_TRUE(bill->flag(QStringLiteral("IsEnd")));
    EXPECT_TRUE(bill->flag(QStringLiteral("IsJV")));
    EXPECT_EQ(bill->integer(QStringLiteral("VouNO")), v.voucherNo);
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT Book FROM Acc_OutSt WHERE TableCode = 7")).toString(), QStringLiteral("P"));
    EXPECT_EQ(
        lines(7, v.voucherNo).at(0),
        QStringLiteral(
            "1 Laxmi Weaving Works D 5200.00 | To  #  Chq NO -000777# Bill NO : LW/12(BPV-1) | Y 000777 vs Bank Current A/c"));
    // A sales bill is no purchase bill of the supplier.
    CashBankVoucher w = voucher(CashBankKind::BankPayment, QDate(2024, 7, 21), 37);
    VoucherEntry wrong = entry(firm().weaver, "100");
    wrong.billWise = true;
    wrong.settlements = {pays(firm().bill3, "100")};
    EXPECT_FALSE(payments.saveEntry(w, wrong));
    EXPECT_TRUE(year().messages.has(MessageKind::Critical, QStringLiteral("Bill Not Found"),
                                    QStringLiteral("Bill No %1 is not an open bill of this party.").arg(firm().bill3)));
}

TEST_F(CashBankTest, RefusalsLeaveTheBooksUnchanged) {
    auto receipts = service(CashBankKind::CashReceipt);
    CashBankVoucher v = voucher(CashBankKind::CashReceipt, QDate(2024, 7, 5));
    VoucherEntry kept = entry(firm().ramesh, "1000");
    kept.billWise = true;
    kept.settlements = {pays(firm().bill1, "1000")};
    ASSERT_TRUE(receipts.saveEntry(v, kept));
    const QStringList before = books();

    auto refused = [&](CashBankVoucher voucher, VoucherEntry e, const QString& title, const QString& text) {
        year().messages.clear();
        EXPECT_FALSE(receipts.saveEntry(voucher, e)) << text.toStdString();
        EXPECT_TRUE(year().messages.has(MessageKind::Critical, title, text))
            << (year().messages.empty() ? std::string("no message") : year().messages.last().text.toStdString());
        EXPECT_EQ(books(), before) << text.toStdString();
    };
    VoucherEntry over = entry(firm().ramesh, "5000");
    over.billWise = true;
    over.settlements = {pays(firm().bill1, "6000")};
    refused(voucher(CashBankKind::CashReceipt, QDate(2024, 7, 6)), over, QStringLiteral("No Balance Remain"),
            QStringLiteral("Not Such Amount!\n Bill Diff. :1000.00"));

    VoucherEntry beyondBill = entry(firm().ramesh, "9500");
    beyondBill.billWise = true;
    beyondBill.settlements = {pays(firm().bill1, "9000")};  // 8,900.00 is all that is unpaid
    refused(voucher(CashBankKind::CashReceipt, QDate(2024, 7, 6)), beyondBill, QStringLiteral("Bill Amount Over"),
            QStringLiteral("Payment is more than the unpaid amount of Bill No 1!\n Unpaid :8900.00"));

    VoucherEntry twice = entry(firm().ramesh, "500");
    twice.billWise = true;
    twice.settlements = {pays(firm().bill2, "200"), pays(firm().bill2, "300")};
    refused(voucher(CashBankKind::CashReceipt, QDate(2024, 7, 6)), twice, QStringLiteral("Data Duplication"),
            QStringLiteral("Bill No 2 is given twice in this entry."));

    refused(voucher(CashBankKind::CashReceipt, QDate(2024, 7, 6), 37), entry(firm().kiran, "100"),
            QStringLiteral("System Validation"), QStringLiteral("Please Select Cash Book"));
    refused(voucher(CashBankKind::CashReceipt, QDate(2025, 4, 1)), entry(firm().kiran, "100"), QStringLiteral("Date Validate"),
            QStringLiteral("Please Select Proper Date"));
    refused(voucher(CashBankKind::CashReceipt, QDate(2024, 7, 6)), entry(firm().kiran, "0"), QStringLiteral("No Save"),
            QStringLiteral("Please Enter Amount"));
    refused(voucher(CashBankKind::CashReceipt, QDate(2024, 7, 6)), entry(firm().cash, "10"), QStringLiteral("System Validation"),
            QStringLiteral("The party is the book's own account. Please Select Party"));
    refused(voucher(CashBankKind::CashReceipt, QDate(2024, 7, 6)), entry(firm().kiran, "10", QString(51, QLatin1Char('9'))),
            QStringLiteral("Text Too Long"), QStringLiteral("Receipt No is longer than 50 characters. Please shorten it."));

    // "Bl :" switched to N while the entry still settles a bill.
    VoucherEntry onAccount = v.entries.at(0);
    onAccount.billWise = false;
    onAccount.settlements.clear();
    refused(v, onAccount, QStringLiteral("No Delete"), QStringLiteral("First Delete Outstand Entry"));

    // Part of the amount left unallocated: No to the question keeps the entry off the books.
    VoucherEntry partly = entry(firm().ramesh, "3000");
    partly.billWise = true;
    partly.settlements = {pays(firm().bill2, "2000")};
    year().messages.clear();
    year().messages.answerNext(false);
    CashBankVoucher fresh = voucher(CashBankKind::CashReceipt, QDate(2024, 7, 6));
    EXPECT_FALSE(receipts.saveEntry(fresh, partly));
    EXPECT_EQ(year().messages.last().title, QStringLiteral("Balance Remain Mismatch"));
    EXPECT_EQ(year().messages.last().text,
              QStringLiteral(
                  "Balance Remain is more then paid bill .\n Balance Remain =1000.00\n Are You sure to save This Voucher ?"));
    EXPECT_EQ(books(), before);
    EXPECT_EQ(fresh.voucherNo, 0);

    // An operator without the right to add entries.
    year().session.rights.insert(QStringLiteral("IsNew"), 0);
    refused(voucher(CashBankKind::CashReceipt, QDate(2024, 7, 6)), entry(firm().kiran, "100"), QStringLiteral("No Right"),
            QStringLiteral("You Have No Right To Add New Entries."));
    year().session.rights.clear();

    // A year closed at another station stops saves and deletes alike.
    db().exec(QStringLiteral("UPDATE FirmMst SET IsYrEnd = 1 WHERE Srno = 1"));
    refused(voucher(CashBankKind::CashReceipt, QDate(2024, 7, 6)), entry(firm().kiran, "100"), QStringLiteral("Year End Done"),
            QStringLiteral("Year End Is Completed! \n You Can't Modify/Delete"));
    EXPECT_FALSE(receipts.removeEntry(v.voucherNo, 1));
    EXPECT_EQ(books(), before);
}
