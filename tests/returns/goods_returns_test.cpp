// Sales and purchase returns of the grey-cloth trader: a customer's return adjusted against two of
// its open bills and then edited, the refusals that leave the books untouched, the return whose
// bills were paid further, deletion giving the bills back, and the supplier's return of goods
// bought normally and under reverse charge. Journal lines are compared line by line.
// Runs on both engines (TANABANA_BOTH_ENGINES).
#include "domain/ledger/Journal.h"
#include "domain/returns/GoodsReturns.h"
#include "domain/returns/ReturnPrint.h"
#include "domain/trade/PurchaseInvoices.h"
#include "support/FirmBooks.h"
#include "support/PdfProbe.h"
#include "support/PostedLines.h"
#include "support/VoucherFirm.h"
#include "support/Amounts.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tanabana;
using namespace tanabana::returns;

namespace {

class GoodsReturnsTest : public test::VoucherTest {
protected:
    // A return of Rapier 60 (5% GST) from Ramesh at 100.00 a metre, from his bill 2.
    SalesReturn rapierBack(const char* metres, std::vector<Adjustment> adjustments) {
        SalesReturn r;
        r.bookNo = 1;
        r.date = QDate(2024, 6, 20);
        r.partyId = firm().ramesh;
        r.sourceBillNo = QStringLiteral("2");
        r.reason = QStringLiteral("Shade variation");
        trade::SalesLine line;
        line.qualityId = test::VoucherFirm::kRapier;
        line.input.metres = d(metres);
        line.input.listRate = d("100");
        line.input.sgstPercent = d("2.5");
        line.input.cgstPercent = d("2.5");
        r.lines.push_back(line);
        r.adjustments = std::move(adjustments);
        return r;
    }

    PurchaseReturn greyBack(const char* metres, const QString& billNo, std::vector<Adjustment> adjustments) {
        PurchaseReturn r;
        r.bookId = 2;
        r.date = QDate(2024, 6, 25);
        r.partyId = firm().weaver;
        r.sourceBillNo = billNo;
        r.reason = QStringLiteral("Weaving fault");
        trade::PurchaseLine line;
        line.qualityId = test::VoucherFirm::kRapier;
        line.input.metres = d(metres);
        line.input.listRate = d("50");
        line.input.sgstPercent = d("2.5");
        line.input.cgstPercent = d("2.5");
        r.lines.push_back(line);
        r.adjustments = std::move(adjustments);
        return r;
    }

    bool refused(const QString& title, const QString& text) { return year().messages.has(MessageKind::Critical, title, text); }
    bool said(const QString& text) { return test::told(year().messages, text); }
    QString lastRefusal() { return test::lastRefusal(year().messages); }
    QString sales(qint64 bill) { return test::outstandingOf(db(), QStringLiteral("SalBillMst"), bill); }
    QString purchase(qint64 bill) { return test::outstandingOf(db(), QStringLiteral("BillMst"), bill); }
    // Everything a refused save must leave as it was.
    QString books() {
        return QStringLiteral("%1 returns, %2 settlements, %3 journal lines, %4 / %5")
            .arg(year().count(QStringLiteral("SalBillMst"), QStringLiteral("FormId = 4")))
            .arg(year().count(QStringLiteral("Acc_OutSt")))
            .arg(year().count(QStringLiteral("HeadDtl3")))
            .arg(sales(firm().bill1), sales(firm().bill2));
    }
};

TEST_F(GoodsReturnsTest, SalesReturnAdjustedAgainstTwoBillsThenEdited) {
    SalesReturns service(db(), year().session, year().messages);
    EXPECT_EQ(service.nextReturnNo(1), QStringLiteral("1"));
    ASSERT_EQ(service.openBills(firm().ramesh).size(), 3u);  // O/88, 1 and 2

    // 20 m at 100.00 + 5%: 2,000.00 + 50.00 + 50.00 = 2,100.00, of which 1,000.00 settles bill 1 and 1,100.00 bill 2.
    SalesReturn back = rapierBack("20", {{firm().bill1, d("1000")}, {firm().bill2, d("1100")}});
    const auto id = service.save(back);
    ASSERT_TRUE(id) << lastRefusal().toStdString();
    EXPECT_TRUE(said(QStringLiteral("ONE TRANSACTION IS SAVED")));
    EXPECT_EQ(back.returnNo, QStringLiteral("1"));
    EXPECT_EQ(sales(firm().bill1), QStringLiteral("paid 1000.00 unpaid 8900.00 open"));  // 10,000 less TDS 100
    EXPECT_EQ(sales(firm().bill2), QStringLiteral("paid 1100.00 unpaid 4150.00 open"));
    EXPECT_EQ(sales(*id), QStringLiteral("paid 2100.00 unpaid 0.00 closed"));
    const QString description = QStringLiteral("Sales Ret - GST/1 - Ramesh Silk Mills ( Sal Bill No. 2)");
    EXPECT_EQ(test::journalLines(db(), 4, *id), (QStringList{
                                                    QStringLiteral("Sales A/c|D|2000.00|") + description,
                                                    QStringLiteral("Output SGST|D|50.00|GST/1"),
                                                    QStringLiteral("Output CGST|D|50.00|GST/1"),
                                                    QStringLiteral("Ramesh Silk Mills|C|2100.00|") + description,
                                                }));
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT Narr FROM HeadDtl3 WHERE TableCode = 4 AND AccId = ?"),
                          {test::accountId(db(), QStringLiteral("Output SGST"))})
                  .toString(),
              QStringLiteral("Taxable Amt : 2000.00@Sal Bill No  : 2"));
    EXPECT_EQ(year().count(QStringLiteral("Acc_OutSt"), QStringLiteral("TableCode = 4 AND VouNo = ? AND IsRet = 1 AND Book = 'S'"), {*id}), 2);
    // The return is never offered as a bill to settle, and both bills stay open.
    EXPECT_EQ(service.openBills(firm().ramesh).size(), 3u);
    const qint64 journal = db().scalar(QStringLiteral("SELECT JournalNo FROM HeadDtl3 WHERE TableCode = 4 AND VoucherNo = ?"), {*id}).toLongLong();

    // Edited: only 10 m came back after all, and all of it settles bill 2.
    auto edited = service.load(*id);
    ASSERT_TRUE(edited);
    EXPECT_EQ(edited->adjustments.size(), 2u);
    EXPECT_EQ(edited->sourceBillDate, QDate(2024, 6, 10));  // taken from the bill the goods came from
    edited->lines.front().input.metres = d("10");
    edited->adjustments = {{firm().bill2, d("1050")}};
    ASSERT_TRUE(service.save(*edited)) << lastRefusal().toStdString();
    EXPECT_EQ(edited->returnNo, QStringLiteral("1"));
    EXPECT_EQ(sales(firm().bill1), QStringLiteral("paid 0.00 unpaid 9900.00 open"));
    EXPECT_TRUE(db().scalar(QStringLiteral("SELECT PaidDt FROM SalBillMst WHERE Id = ?"), {firm().bill1}).isNull());
    EXPECT_EQ(sales(firm().bill2), QStringLiteral("paid 1050.00 unpaid 4200.00 open"));
    EXPECT_EQ(test::journalLines(db(), 4, *id).at(0), QStringLiteral("Sales A/c|D|1000.00|") + description);
    EXPECT_EQ(test::journalLines(db(), 4, *id).size(), 4);
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT JournalNo FROM HeadDtl3 WHERE TableCode = 4 AND VoucherNo = ?"), {*id}).toLongLong(), journal);
    EXPECT_EQ(year().count(QStringLiteral("Acc_OutSt"), QStringLiteral("TableCode = 4")), 1);
    // The ledger of the party: 15,250 billed, 1,050 returned.
    EXPECT_EQ(Decimal::fromVariant(db().scalar(QStringLiteral("SELECT SUM(DrAmt) - SUM(CrAmt) FROM HeadDtl3 WHERE AccId = ?"), {firm().ramesh}))
                  .toString(2),
              QStringLiteral("14100.00"));
}

TEST_F(GoodsReturnsTest, RefusedReturnsLeaveTheBooksAsTheyWere) {
    SalesReturns service(db(), year().session, year().messages);
    const QString before = books();

    // 2,100.00 of return cannot settle 2,200.00 of bills.
    SalesReturn tooMuch = rapierBack("20", {{firm().bill1, d("1000")}, {firm().bill2, d("1200")}});
    EXPECT_FALSE(service.save(tooMuch));
    EXPECT_TRUE(refused(QStringLiteral("No Balance Remain"),
                                           QStringLiteral("Not Such Amount!") + QLatin1Char('\n') + QStringLiteral(" Bill Diff. :100.00")));
    EXPECT_EQ(tooMuch.id, 0);
    EXPECT_TRUE(tooMuch.returnNo.isEmpty());

    // 6,300.00 of return, 5,300.00 of it on bill 2, which is owed 5,250.00 only.
    SalesReturn beyondBill = rapierBack("60", {{firm().bill2, d("5300")}});
    EXPECT_FALSE(service.save(beyondBill));
    EXPECT_TRUE(refused(QStringLiteral("Bill Amount Over"), QStringLiteral("Payment is more than the unpaid amount of Bill No 2!") +
                                                                                    QLatin1Char('\n') + QStringLiteral(" Unpaid :5250.00")));

    // Kiran's bill is not Ramesh's to settle.
    SalesReturn notHis = rapierBack("5", {{firm().bill3, d("100")}});
    EXPECT_FALSE(service.save(notHis));
    EXPECT_TRUE(refused(QStringLiteral("Bill Not Found"), QStringLiteral("Bill No 3 is not an open bill of this party.")));

    // Dated before the bill the goods came from (bill 2 of 10 June).
    SalesReturn early = rapierBack("5", {});
    early.date = QDate(2024, 6, 8);
    EXPECT_FALSE(service.save(early));
    EXPECT_TRUE(refused(QStringLiteral("BillDate Validate"), QStringLiteral("Return Date Is Before The Date Of Bill No 2!")));

    // A return without goods.
    SalesReturn empty = rapierBack("5", {});
    empty.lines.clear();
    EXPECT_FALSE(service.save(empty));

    // A reason longer than its column is named.
    SalesReturn wordy = rapierBack("5", {});
    wordy.reason = QString(101, QLatin1Char('x'));
    EXPECT_FALSE(service.save(wordy));
    EXPECT_TRUE(lastRefusal().contains(QStringLiteral("Reason is longer than 100 characters")));

    EXPECT_EQ(books(), before);
}

TEST_F(GoodsReturnsTest, ReturnWhoseBillsWerePaidFurtherCannotChange) {
    SalesReturns service(db(), year().session, year().messages);
    SalesReturn back = rapierBack("10", {{firm().bill2, d("1050")}});
    const auto id = service.save(back);
    ASSERT_TRUE(id);
    // Ramesh then pays 500.00 of bill 2 in cash.
    ASSERT_TRUE(firm().settle(vouchers::CashBankKind::CashReceipt, QDate(2024, 6, 28), firm().ramesh, firm().bill2, "500"));
    EXPECT_EQ(sales(firm().bill2), QStringLiteral("paid 1550.00 unpaid 3700.00 open"));
    year().messages.clear();

    const QString before = books();
    back.lines.front().input.metres = d("5");
    back.adjustments = {{firm().bill2, d("525")}};
    EXPECT_FALSE(service.save(back));
    EXPECT_TRUE(refused(QStringLiteral("Adjust Again Sales"), QStringLiteral("First Delete Payment Detail")));
    EXPECT_FALSE(service.remove(*id));
    EXPECT_EQ(books(), before);
    EXPECT_EQ(test::journalLines(db(), 4, *id).last(), QStringLiteral("Ramesh Silk Mills|C|1050.00|Sales Ret - GST/1 - Ramesh Silk Mills ( Sal Bill No. 2)"));
}

TEST_F(GoodsReturnsTest, DeletingAReturnGivesTheBillsBack) {
    SalesReturns service(db(), year().session, year().messages);
    SalesReturn back = rapierBack("20", {{firm().bill1, d("1000")}, {firm().bill2, d("1100")}});
    const auto id = service.save(back);
    ASSERT_TRUE(id);
    year().messages.clear();
    year().messages.answerNext(false);
    EXPECT_FALSE(service.remove(*id));  // "No" keeps it
    EXPECT_EQ(sales(firm().bill1), QStringLiteral("paid 1000.00 unpaid 8900.00 open"));

    year().messages.answerNext(true);
    ASSERT_TRUE(service.remove(*id));
    EXPECT_TRUE(said(QStringLiteral("Are you sure to delete this Invoice")));
    EXPECT_TRUE(said(QStringLiteral("Sales IS Deleted!")));
    EXPECT_EQ(sales(firm().bill1), QStringLiteral("paid 0.00 unpaid 9900.00 open"));
    EXPECT_EQ(sales(firm().bill2), QStringLiteral("paid 0.00 unpaid 5250.00 open"));
    EXPECT_EQ(year().count(QStringLiteral("Acc_OutSt"), QStringLiteral("TableCode = 4")), 0);
    EXPECT_EQ(year().count(QStringLiteral("SalBillDtl"), QStringLiteral("BillMstId = ?"), {*id}), 0);
    EXPECT_TRUE(test::journalLines(db(), 4, *id).isEmpty());
    EXPECT_EQ(year().count(QStringLiteral("Table_Del_History"), QStringLiteral("FormId = 4")), 1);
}

TEST_F(GoodsReturnsTest, PurchaseReturnDebitsTheSupplierAndSettlesItsBill) {
    PurchaseReturns service(db(), year().session, year().messages);
    // 20 m of LW/12 at 50.00 + 5%: 1,000.00 + 25.00 + 25.00 = 1,050.00, all of it against LW/12.
    PurchaseReturn back = greyBack("20", QStringLiteral("LW/12"), {{firm().purchase, d("1050")}});
    const auto id = service.save(back);
    ASSERT_TRUE(id) << lastRefusal().toStdString();
    EXPECT_EQ(back.returnNo, QStringLiteral("1"));
    EXPECT_EQ(purchase(firm().purchase), QStringLiteral("paid 1050.00 unpaid 4200.00 open"));
    const QString description = QStringLiteral("Pur Ret - 1 - Laxmi Weaving Works ( Pur Bill No. LW/12)");
    EXPECT_EQ(test::journalLines(db(), 2, *id), (QStringList{
                                                    QStringLiteral("Laxmi Weaving Works|D|1050.00|") + description,
                                                    QStringLiteral("Purchase A/c|C|1000.00|") + description,
                                                    QStringLiteral("Input SGST|C|25.00|1"),
                                                    QStringLiteral("Input CGST|C|25.00|1"),
                                                }));
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT Narr FROM HeadDtl3 WHERE TableCode = 2 AND AccId = ?"),
                          {test::accountId(db(), QStringLiteral("Input CGST"))})
                  .toString(),
              QStringLiteral("Taxable Amt : 1000.00@Pur Bill No  : LW/12"));
    EXPECT_EQ(year().count(QStringLiteral("Acc_OutSt"), QStringLiteral("TableCode = 2 AND IsRet = 1 AND Book = 'P'")), 1);

    const auto loaded = service.load(*id);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->sourceBillDate, QDate(2024, 6, 3));
    EXPECT_EQ(loaded->reason, QStringLiteral("Weaving fault"));
    EXPECT_EQ(loaded->lines.front().input.metres.toString(3), QStringLiteral("20.000"));
    year().messages.answerNext(true);
    ASSERT_TRUE(service.remove(*id));
    EXPECT_TRUE(said(QStringLiteral("Invoice Is Deleted!")));
    EXPECT_EQ(purchase(firm().purchase), QStringLiteral("paid 0.00 unpaid 5250.00 open"));
}

TEST_F(GoodsReturnsTest, ReverseChargeReturnTakesBackPayableAndInput) {
    // A bill posted under reverse charge: the supplier is owed the taxable amount alone.
    trade::PurchaseInvoices purchases(db(), year().session, year().messages);
    trade::PurchaseBill bill;
    bill.bookId = 2;
    bill.billNo = QStringLiteral("LW/20");
    bill.date = QDate(2024, 6, 15);
    bill.partyId = firm().weaver;
    bill.reverseChargeId = 1;
    bill.reverseChargeBillNo = QStringLiteral("PRC-1");
    trade::PurchaseLine line;
    line.qualityId = test::VoucherFirm::kRapier;
    line.input.metres = d("100");
    line.input.listRate = d("50");
    line.input.sgstPercent = d("2.5");
    line.input.cgstPercent = d("2.5");
    bill.lines.push_back(line);
    const auto billId = purchases.save(bill);
    ASSERT_TRUE(billId) << lastRefusal().toStdString();

    PurchaseReturns service(db(), year().session, year().messages);
    PurchaseReturn back = greyBack("10", QStringLiteral("LW/20"), {{*billId, d("500")}});
    const auto id = service.save(back);
    ASSERT_TRUE(id) << lastRefusal().toStdString();
    EXPECT_TRUE(back.reverseCharge);
    EXPECT_EQ(purchase(*billId), QStringLiteral("paid 500.00 unpaid 4500.00 open"));
    const QString description = QStringLiteral("Pur Ret - 1 - Laxmi Weaving Works ( Pur Bill No. LW/20)");
    EXPECT_EQ(test::journalLines(db(), 2, *id), (QStringList{
                                                    QStringLiteral("Laxmi Weaving Works|D|500.00|") + description,
                                                    QStringLiteral("RCM SGST Payable|D|12.50|1"),
                                                    QStringLiteral("RCM CGST Payable|D|12.50|1"),
                                                    QStringLiteral("Purchase A/c|C|500.00|") + description,
                                                    QStringLiteral("RCM Input SGST|C|12.50|1"),
                                                    QStringLiteral("RCM Input CGST|C|12.50|1"),
                                                }));
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT Narr FROM HeadDtl3 WHERE TableCode = 2 AND AccId = ?"),
                          {test::accountId(db(), QStringLiteral("RCM Input SGST"))})
                  .toString(),
              QStringLiteral("Taxable Amt : 500.00@RCM Pur Bill No  : LW/20"));
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT RCM_ID FROM BillMst WHERE Id = ?"), {*id}).toLongLong(), 1);
}

TEST_F(GoodsReturnsTest, OtherChargesComeBackAndABookWithoutTaxAccountsTakesTheWhole) {
    // 10 m at 100.00 + 5% with 50.50 of freight charged on the bill: 1,100.50, to the book's other-charges account.
    SalesReturns sales(db(), year().session, year().messages);
    SalesReturn back = rapierBack("10", {});
    back.otherCharges = d("50.50");
    const auto id = sales.save(back);
    ASSERT_TRUE(id) << lastRefusal().toStdString();
    const QString description = QStringLiteral("Sales Ret - GST/1 - Ramesh Silk Mills ( Sal Bill No. 2)");
    EXPECT_EQ(test::journalLines(db(), 4, *id), (QStringList{
                                                    QStringLiteral("Sales A/c|D|1000.00|") + description,
                                                    QStringLiteral("Output SGST|D|25.00|GST/1"),
                                                    QStringLiteral("Output CGST|D|25.00|GST/1"),
                                                    QStringLiteral("Round Off A/c|D|50.50|GST/1"),
                                                    QStringLiteral("Ramesh Silk Mills|C|1100.50|") + description,
                                                }));

    // A purchase book that keeps no tax accounts of its own: goods and tax go back to the purchase account together.
    db().exec(QStringLiteral("UPDATE BookMst SET Is_Auto_Ac = 0 WHERE BookNO = 2 AND FirmNO = 1"));
    PurchaseReturns purchases(db(), year().session, year().messages);
    PurchaseReturn grey = greyBack("20", QStringLiteral("LW/12"), {{firm().purchase, d("1050")}});
    const auto greyId = purchases.save(grey);
    ASSERT_TRUE(greyId) << lastRefusal().toStdString();
    const QString greyDescription = QStringLiteral("Pur Ret - 1 - Laxmi Weaving Works ( Pur Bill No. LW/12)");
    EXPECT_EQ(test::journalLines(db(), 2, *greyId), (QStringList{
                                                        QStringLiteral("Laxmi Weaving Works|D|1050.00|") + greyDescription,
                                                        QStringLiteral("Purchase A/c|C|1050.00|") + greyDescription,
                                                    }));
    EXPECT_EQ(purchase(firm().purchase), QStringLiteral("paid 1050.00 unpaid 4200.00 open"));
}

TEST_F(GoodsReturnsTest, PrintedSalesReturn) {
    SalesReturns service(db(), year().session, year().messages);
    SalesReturn back = rapierBack("20", {{firm().bill2, d("2100")}});
    back.notes = QStringLiteral("Taken back at the godown");
    const auto id = service.save(back);
    ASSERT_TRUE(id);
    QTemporaryDir dir;
    const QString path = dir.filePath(returnPdfName(true, back.returnNo) + QStringLiteral(".pdf"));
    EXPECT_TRUE(path.endsWith(QStringLiteral("Sales_InvRetNo-1.pdf")));
    writeReturnPdf(db(), year().session, dir.path(), true, *id, path);
    test::keepForLooking(path);
    const QString text = test::pdfText(path, false);
    for (const QString& expected :
         {QStringLiteral("SALES RETURN"), QStringLiteral("M/s. Ramesh Silk Mills"), QStringLiteral("Return No : GST/1"),
          QStringLiteral("Sal Bill No : 2"), QStringLiteral("Bill Date : 10-06-2024"), QStringLiteral("Reason : Shade variation"),
          QStringLiteral("Rapier 60"), QStringLiteral("20.000"), QStringLiteral("2,000.00"), QStringLiteral("2,100.00"),
          QStringLiteral("Rs. Two Thousand One Hundred Only."), QStringLiteral("Adjusted against bills : 2,100.00"),
          QStringLiteral("Desc : Taken back at the godown")})
        EXPECT_TRUE(text.contains(expected)) << expected.toStdString() << "\n" << text.toStdString();
    EXPECT_EQ(test::pdfPageCount(path), 1);
}

}  // namespace
