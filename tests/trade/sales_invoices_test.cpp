// Sales invoices saved and posted: the journal lines of a bill line by line, re-saves that keep
// the journal, IGST parties, the TCS threshold, challans marked billed, and every refusal with
// nothing written. Runs on both engines (TANABANA_BOTH_ENGINES).
#include "domain/masters/DefaultChart.h"
#include "domain/trade/DeliveryChallans.h"
#include "domain/trade/PartyRates.h"
#include "domain/trade/SalesInvoices.h"
#include "support/FirmBooks.h"
#include "support/YearFixture.h"
#include "support/Amounts.h"

#include <gtest/gtest.h>

using namespace tanabana;
using namespace tanabana::trade;

namespace {

struct Posted {
    QString account;
    QString side;
    QString amount;
    bool operator==(const Posted&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Posted& p) {
    return os << p.account.toStdString() << ' ' << p.side.toStdString() << ' ' << p.amount.toStdString();
}

class SalesInvoiceTest : public ::testing::Test {
protected:
    void SetUp() override {
        TANABANA_REQUIRE_ENGINE();
        year_ = std::make_unique<test::YearFixture>();  // only once the engine is there
        test::seedDefaultChart(year().db());
        year().session.firm.insert(QStringLiteral("CST"), QStringLiteral("24-Gujarat"));
        year().session.firm.insert(QStringLiteral("Is_Sales_RndOff"), 1);
        year().session.firm.insert(QStringLiteral("FirmTcsP"), 0.1);
        ramesh = test::addAccount(year().db(), QStringLiteral("Ramesh Silk Mills"), 35);
        delhi = test::addAccount(year().db(), QStringLiteral("Delhi Drapers"), 35, 1, QStringLiteral("07-Delhi"));
        addItem(101, QStringLiteral("Rapier 60 Red"), 105, 2.5, 2.5, 1);
        addItem(102, QStringLiteral("Saree Zari"), 1150, 6, 6, 2);
        addItem(103, QStringLiteral("Georgette 44"), 99.99, 2.5, 2.5, 1);
    }

    void addItem(qint64 id, const QString& name, double rate, double sgst, double cgst, int calcOn) {
        year().db().exec(QStringLiteral("INSERT INTO ProdMst (Id, ProdCode, ProdName, StkType, RAteR, Vat, AddTax, VatCalc, CalcOn, "
                                      "hsnCode, UNit, IsActive, IsNewPro, FirmNO) VALUES (?, ?, ?, 'F', ?, ?, ?, 1, ?, '5407', 'MTR', 1, 0, 1)"),
                       {id, QString::number(id), name, rate, sgst, cgst, calcOn});
    }

    SalesInvoices service() { return SalesInvoices(year().db(), year().session, year().messages); }

    SalesLine line(qint64 item, const char* qty, const char* rate) {
        SalesLine l;
        l.qualityId = item;
        const auto row = year().db().queryOne(QStringLiteral("SELECT Vat, AddTax, CalcOn FROM ProdMst WHERE Id = ?"), {item});
        l.input.sgstPercent = Decimal::fromVariant(row->value(QStringLiteral("Vat")));
        l.input.cgstPercent = Decimal::fromVariant(row->value(QStringLiteral("AddTax")));
        l.input.rateOn = row->integer(QStringLiteral("CalcOn")) == 2 ? QStringLiteral("P") : QStringLiteral("M");
        (l.input.rateOn == QStringLiteral("P") ? l.input.pieces : l.input.metres) = d(qty);
        l.input.listRate = d(rate);
        return l;
    }

    SalesBill bill(qint64 party, const QString& no = QStringLiteral("12")) {
        SalesBill b;
        b.bookNo = 1;
        b.billNo = no;
        b.date = QDate(2024, 8, 14);
        b.partyId = party;
        b.notes = QStringLiteral("Diwali order");
        b.lines = {line(101, "100", "105"), line(102, "10", "1150"), line(103, "12.5", "99.99")};
        return b;
    }

    std::vector<Posted> journal(qint64 billId) {
        std::vector<Posted> lines;
        for (const db::Row& r : year().db().query(QStringLiteral("SELECT a.AcName, h.Type, h.DrAmt, h.CrAmt FROM HeadDtl3 h "
                                                               "JOIN AccMst a ON a.Id = h.AccId WHERE h.TableCode = 3 AND h.VoucherNo = ? "
                                                               "ORDER BY h.Type DESC, h.SubSrno"),
                                                {billId}))
            lines.push_back({r.text(QStringLiteral("AcName")), r.text(QStringLiteral("Type")),
                             Decimal::fromVariant(r.value(r.text(QStringLiteral("Type")) == QStringLiteral("D") ? QStringLiteral("DrAmt")
                                                                                                                  : QStringLiteral("CrAmt")))
                                 .toString(2)});
        return lines;
    }

    void expectNothingWritten() {
        EXPECT_EQ(year().count(QStringLiteral("SalBillMst")), 0);
        EXPECT_EQ(year().count(QStringLiteral("SalBillDtl")), 0);
        EXPECT_EQ(year().count(QStringLiteral("HeadDtl3")), 0);
        EXPECT_EQ(year().count(QStringLiteral("Bill_Party_Rate")), 0);
    }

    test::YearFixture& year() { return *year_; }
    std::unique_ptr<test::YearFixture> year_;
    qint64 ramesh = 0, delhi = 0;
};

TEST_F(SalesInvoiceTest, BillWithinTheStatePostsPartySalesGstAndRoundOff) {
    auto s = service();
    EXPECT_EQ(s.nextBillNo(1), QStringLiteral("1"));
    SalesBill b = bill(ramesh);
    const auto id = s.save(b);
    ASSERT_TRUE(id);
    EXPECT_TRUE(year().messages.has(MessageKind::Information, QStringLiteral("SAVE Confirmation"), QStringLiteral("ONE TRANSACTION IS SAVED")));

    // 10,500 + 11,500 + 1,249.88 taxable; SGST = CGST = 262.50 + 690 + 31.247 = 983.75; 25,217.38 rounds to 25,217.
    const auto h = year().db().queryOne(QStringLiteral("SELECT * FROM SalBillMst WHERE Id = ?"), {*id});
    ASSERT_TRUE(h);
    EXPECT_DOUBLE_EQ(h->number(QStringLiteral("BAmt")), 23249.88);
    EXPECT_DOUBLE_EQ(h->number(QStringLiteral("VatRs")), 983.75);
    EXPECT_DOUBLE_EQ(h->number(QStringLiteral("ATAXRs")), 983.75);
    EXPECT_DOUBLE_EQ(h->number(QStringLiteral("CSTRs")), 0.0);
    EXPECT_DOUBLE_EQ(h->number(QStringLiteral("OtherP")), -0.38);
    EXPECT_DOUBLE_EQ(h->number(QStringLiteral("OtherP1")), -0.38);
    EXPECT_DOUBLE_EQ(h->number(QStringLiteral("BillAmount")), 25217.0);
    EXPECT_DOUBLE_EQ(h->number(QStringLiteral("UnPaidAmt")), 25217.0);
    EXPECT_EQ(h->text(QStringLiteral("InWords")), QStringLiteral("Rs. Twenty Five Thousand Two Hundred Seventeen Only."));
    EXPECT_EQ(h->integer(QStringLiteral("FormId")), 3);
    EXPECT_EQ(h->integer(QStringLiteral("DeliId")), ramesh);

    const auto saree = year().db().queryOne(QStringLiteral("SELECT * FROM SalBillDtl WHERE BillMstId = ? AND Srno = 2"), {*id});
    ASSERT_TRUE(saree);
    EXPECT_EQ(saree->text(QStringLiteral("PM")), QStringLiteral("P"));
    EXPECT_DOUBLE_EQ(saree->number(QStringLiteral("Amt")), 11500.0);
    EXPECT_DOUBLE_EQ(saree->number(QStringLiteral("DVatRs")), 690.0);
    EXPECT_DOUBLE_EQ(saree->number(QStringLiteral("DNetAmt")), 12880.0);
    EXPECT_DOUBLE_EQ(saree->number(QStringLiteral("IGSTRs")), 0.0);

    const std::vector<Posted> expected{{QStringLiteral("Ramesh Silk Mills"), QStringLiteral("D"), QStringLiteral("25217.00")},
                                       {masters::chart::RoundOff, QStringLiteral("D"), QStringLiteral("0.38")},
                                       {masters::chart::Sales, QStringLiteral("C"), QStringLiteral("23249.88")},
                                       {masters::chart::OutputSgst, QStringLiteral("C"), QStringLiteral("983.75")},
                                       {masters::chart::OutputCgst, QStringLiteral("C"), QStringLiteral("983.75")}};
    EXPECT_EQ(journal(*id), expected);
    const QString desc = year().db().dialect().quote(QStringLiteral("Desc"));
    const auto partyLine = year().db().queryOne(QStringLiteral("SELECT %1 AS Description, Receiptno, TransDate FROM HeadDtl3 WHERE AccId = ?").arg(desc),
                                              {ramesh});
    EXPECT_EQ(partyLine->text(QStringLiteral("Description")), QStringLiteral("Sales- 1/GST/12 - Ramesh Silk Mills"));
    EXPECT_EQ(partyLine->text(QStringLiteral("Receiptno")), QStringLiteral("GST/12"));
    EXPECT_EQ(partyLine->date(QStringLiteral("TransDate")), QDate(2024, 8, 14));

    // The party's last rate of each quality is kept, and the next number follows on.
    const auto rate = storedPartyRate(year().db(), RateSource::Bill, ramesh, 102);
    ASSERT_TRUE(rate);
    EXPECT_EQ(rate->rate, d("1150"));
    EXPECT_EQ(rate->documentNo, QStringLiteral("12"));
    EXPECT_EQ(s.nextBillNo(1), QStringLiteral("13"));
    EXPECT_EQ(lastThreeRates(year().db(), RateSource::Bill, 1, ramesh, 101).front().rate, d("105"));
}

TEST_F(SalesInvoiceTest, ResaveKeepsIdAndJournalAndReplacesTheLines) {
    auto s = service();
    SalesBill b = bill(ramesh);
    const auto id = s.save(b);
    ASSERT_TRUE(id);
    const qint64 journalNo = year().db().scalar(QStringLiteral("SELECT JournalNo FROM HeadDtl3 WHERE VoucherNo = ?"), {*id}).toLongLong();

    SalesBill again = *s.load(*id);
    ASSERT_EQ(again.lines.size(), 3u);
    EXPECT_EQ(again.lines[0].input.metres, d("100"));
    again.lines.resize(1);  // only the 100 m at 105: 10,500 + 525 GST = 11,025
    ASSERT_EQ(s.save(again), id);
    EXPECT_EQ(year().count(QStringLiteral("SalBillMst")), 1);
    EXPECT_EQ(year().count(QStringLiteral("SalBillDtl")), 1);
    const std::vector<Posted> expected{{QStringLiteral("Ramesh Silk Mills"), QStringLiteral("D"), QStringLiteral("11025.00")},
                                       {masters::chart::Sales, QStringLiteral("C"), QStringLiteral("10500.00")},
                                       {masters::chart::OutputSgst, QStringLiteral("C"), QStringLiteral("262.50")},
                                       {masters::chart::OutputCgst, QStringLiteral("C"), QStringLiteral("262.50")}};
    EXPECT_EQ(journal(*id), expected);
    EXPECT_EQ(year().count(QStringLiteral("HeadDtl3"), QStringLiteral("JournalNo = ?"), {journalNo}), 4);
}

TEST_F(SalesInvoiceTest, PartyOfAnotherStatePaysIgst) {
    auto s = service();
    SalesBill b = bill(delhi);
    const ComputedBill c = s.compute(b);
    EXPECT_TRUE(c.igst);
    EXPECT_EQ(c.totals.igst, d("1967.49"));  // 525 + 1,380 + 62.494
    const auto id = s.save(b);
    ASSERT_TRUE(id);
    const auto h = year().db().queryOne(QStringLiteral("SELECT CSTRs, VatRs, ATAXRs, BillAmount FROM SalBillMst WHERE Id = ?"), {*id});
    EXPECT_DOUBLE_EQ(h->number(QStringLiteral("CSTRs")), 1967.49);
    EXPECT_DOUBLE_EQ(h->number(QStringLiteral("VatRs")), 0.0);
    EXPECT_DOUBLE_EQ(h->number(QStringLiteral("BillAmount")), 25217.0);  // 25,217.37
    const auto saree = year().db().queryOne(QStringLiteral("SELECT IGSTP, IGSTRs, DVatP, DATaxP FROM SalBillDtl WHERE BillMstId = ? AND Srno = 2"), {*id});
    EXPECT_DOUBLE_EQ(saree->number(QStringLiteral("IGSTP")), 12.0);
    EXPECT_DOUBLE_EQ(saree->number(QStringLiteral("IGSTRs")), 1380.0);
    EXPECT_DOUBLE_EQ(saree->number(QStringLiteral("DATaxP")), 0.0);
    const std::vector<Posted> expected{{QStringLiteral("Delhi Drapers"), QStringLiteral("D"), QStringLiteral("25217.00")},
                                       {masters::chart::RoundOff, QStringLiteral("D"), QStringLiteral("0.37")},
                                       {masters::chart::Sales, QStringLiteral("C"), QStringLiteral("23249.88")},
                                       {masters::chart::OutputIgst, QStringLiteral("C"), QStringLiteral("1967.49")}};
    EXPECT_EQ(journal(*id), expected);

    // A line still laid out for SGST + CGST on an IGST bill is refused.
    SalesBill stale = bill(delhi, QStringLiteral("13"));
    stale.lines[0].shownAsIgst = false;
    EXPECT_FALSE(s.save(stale));
    EXPECT_TRUE(year().messages.has(MessageKind::Critical, QStringLiteral("GST Missmatch"), QStringLiteral("GST Amount issue in IGST party ")));
}

TEST_F(SalesInvoiceTest, TcsFromTheFiveMillionRuleAndTdsOnTheParty) {
    auto s = service();
    SalesBill big = bill(ramesh, QStringLiteral("1"));
    big.lines = {line(101, "47500", "105")};  // 49,87,500 taxable + 2,49,375 GST = 52,36,875
    ASSERT_TRUE(s.save(big));
    EXPECT_EQ(s.partySales(ramesh), d("5236875"));

    SalesBill next = bill(ramesh, QStringLiteral("2"));
    next.lines = {line(101, "100", "100")};
    EXPECT_EQ(s.proposedTcsPercent(next), d("0.1"));
    EXPECT_TRUE(s.proposedTcsPercent(bill(delhi)).isZero());  // below the threshold
    // the law withdrew this TCS for bills from 1 April 2025: the last day of 2024-25 still has it
    next.date = QDate(2025, 3, 31);
    EXPECT_EQ(s.proposedTcsPercent(next), d("0.1"));
    next.date = QDate(2025, 4, 1);
    EXPECT_TRUE(s.proposedTcsPercent(next).isZero());
    next.date = QDate(2024, 8, 14);
    year().session.firm.insert(QStringLiteral("FirmTcsP"), 0);
    EXPECT_TRUE(s.proposedTcsPercent(next).isZero());

    next.tcsPercent = d("0.1");
    next.tdsPercent = d("2");
    year().db().exec(QStringLiteral("UPDATE BookMst SET TDS_Id = ? WHERE BookNO = 1"), {test::accountId(year().db(), masters::chart::TdsReceivable)});
    const auto id = s.save(next);
    ASSERT_TRUE(id);
    // 10,000 + 500 GST; TCS 10.50; net 10,510.50 rounds to 10,511; TDS 2% of 10,000 = 200.
    const std::vector<Posted> expected{{QStringLiteral("Ramesh Silk Mills"), QStringLiteral("D"), QStringLiteral("10511.00")},
                                       {masters::chart::TdsReceivable, QStringLiteral("D"), QStringLiteral("200.00")},
                                       {masters::chart::Sales, QStringLiteral("C"), QStringLiteral("10000.00")},
                                       {masters::chart::OutputSgst, QStringLiteral("C"), QStringLiteral("250.00")},
                                       {masters::chart::OutputCgst, QStringLiteral("C"), QStringLiteral("250.00")},
                                       {masters::chart::RoundOff, QStringLiteral("C"), QStringLiteral("0.50")},
                                       {masters::chart::TcsPayable, QStringLiteral("C"), QStringLiteral("10.50")},
                                       {QStringLiteral("Ramesh Silk Mills"), QStringLiteral("C"), QStringLiteral("200.00")}};
    EXPECT_EQ(journal(*id), expected);
    EXPECT_EQ(year().db().scalar(QStringLiteral("SELECT Narr FROM HeadDtl3 WHERE AccId = ?"),
                               {test::accountId(year().db(), masters::chart::TcsPayable)}).toString(),
              QStringLiteral("  (Taxable Amt :10500.00 * 0.1 % )"));
    EXPECT_DOUBLE_EQ(year().db().scalar(QStringLiteral("SELECT UnPaidAmt FROM SalBillMst WHERE Id = ?"), {*id}).toDouble(), 10311.0);
}

TEST_F(SalesInvoiceTest, RefusalsWriteNothing) {
    auto s = service();
    SalesBill outside = bill(ramesh);
    outside.date = QDate(2025, 4, 1);
    EXPECT_FALSE(s.save(outside));
    EXPECT_TRUE(year().messages.has(MessageKind::Critical, QStringLiteral("BillDate Validate"), QStringLiteral("Please Select Proper Date")));

    SalesBill noParty = bill(0);
    EXPECT_FALSE(s.save(noParty));
    SalesBill noLines = bill(ramesh);
    noLines.lines.clear();
    EXPECT_FALSE(s.save(noLines));
    EXPECT_TRUE(year().messages.has(MessageKind::Critical, QStringLiteral("System Validation"), QStringLiteral("Please Select Party NAme and Quality")));

    SalesBill freight = bill(ramesh);
    freight.otherCharges = d("150");  // the paise of the round-off have nowhere to go
    EXPECT_FALSE(s.save(freight));
    EXPECT_TRUE(year().messages.has(MessageKind::Critical, QStringLiteral("Round Off Value not Match"), QStringLiteral("Please enter round off value ")));

    year().db().exec(QStringLiteral("UPDATE AccMst SET CrLimit = 1000 WHERE Id = ?"), {ramesh});
    year().db().exec(QStringLiteral("INSERT INTO AccMstOpBal (Id, OpDate, OpAmount, OpType, FirmNo) VALUES (?, ?, 5000, 'D', 1)"),
                   {ramesh, QDate(2024, 4, 1)});
    year().db().exec(QStringLiteral("UPDATE AccMst SET DrAmt = 5000 WHERE Id = ?"), {ramesh});
    SalesBill overLimit = bill(ramesh);
    EXPECT_FALSE(s.save(overLimit));
    EXPECT_TRUE(year().messages.has(MessageKind::Critical, QStringLiteral("Limit over"), QStringLiteral("Party Limit Is Over.")));

    year().session.firm.insert(QStringLiteral("IsYrEnd"), 1);
    SalesBill closed = bill(delhi);
    EXPECT_FALSE(s.save(closed));
    EXPECT_TRUE(year().messages.has(MessageKind::Critical, QStringLiteral("Year End Done"), QStringLiteral("Year End Is Completed! \n You Can't Modify/Delete")));
    expectNothingWritten();
}

TEST_F(SalesInvoiceTest, FailedPostingLeavesNeitherBillNorJournal) {
    auto s = service();
    year().db().exec(QStringLiteral("UPDATE BookMst SET SaleId = 0 WHERE BookNO = 1"));  // the book's sales account is missing
    SalesBill b = bill(ramesh);
    EXPECT_FALSE(s.save(b));
    EXPECT_EQ(b.id, 0);
    EXPECT_EQ(year().messages.last().title, QStringLiteral("Ledger Entry Is Not Saved!"));
    expectNothingWritten();

    // A duplicate number in the book is refused before anything is written.
    year().db().exec(QStringLiteral("UPDATE BookMst SET SaleId = ? WHERE BookNO = 1"), {test::accountId(year().db(), masters::chart::Sales)});
    SalesBill first = bill(ramesh);
    ASSERT_TRUE(s.save(first));
    SalesBill second = bill(delhi);
    EXPECT_FALSE(s.save(second));
    EXPECT_TRUE(year().messages.has(MessageKind::Critical, QStringLiteral("Bill NO Duplication"), QStringLiteral("This Bill NO is Already exist!")));
    EXPECT_EQ(year().count(QStringLiteral("SalBillMst")), 1);
}

TEST_F(SalesInvoiceTest, DeleteRefusedWhenPaidAndAskedWhenAnEwayBillExists) {
    auto s = service();
    SalesBill b = bill(ramesh);
    b.ewayBillNo = QStringLiteral("331008765432");
    const auto id = s.save(b);
    ASSERT_TRUE(id);
    year().db().exec(QStringLiteral("UPDATE SalBillMst SET PaidAmt = 5000, PaidDt = ? WHERE Id = ?"), {QDate(2024, 9, 1), *id});
    EXPECT_FALSE(s.remove(*id));
    EXPECT_TRUE(year().messages.has(MessageKind::Critical, QStringLiteral("Delete Confirmation"),
                                  QStringLiteral("This Invoice Payment is Done\n Paid Amount : 5000.00 01-09-2024\n First Delete Account Payment Entry !")));
    // The party of a paid bill cannot change either.
    SalesBill moved = *s.load(*id);
    moved.partyId = delhi;
    EXPECT_FALSE(s.save(moved));
    EXPECT_TRUE(year().messages.has(MessageKind::Critical, QStringLiteral("No Party Name Change"),
                                  QStringLiteral("This Invoice Payment is Done\n First Delete Account Payment Entry !")));

    year().db().exec(QStringLiteral("UPDATE SalBillMst SET PaidAmt = 0, PaidDt = NULL WHERE Id = ?"), {*id});
    year().messages.answerNext(false);  // "Eway bill Exist": No
    EXPECT_FALSE(s.remove(*id));
    EXPECT_TRUE(year().messages.has(MessageKind::Question, QStringLiteral("Eway bill Exist"),
                                  QStringLiteral("Eway bill of this Invoice may be generated.\nWould you like to delete this Invoice ?")));
    EXPECT_EQ(year().count(QStringLiteral("SalBillMst")), 1);

    EXPECT_TRUE(s.remove(*id));
    EXPECT_TRUE(year().messages.has(MessageKind::Information, QStringLiteral("Delete Confirmation"), QStringLiteral("This Sales Invoice Is Deleted!")));
    EXPECT_EQ(year().count(QStringLiteral("SalBillMst")), 0);
    EXPECT_EQ(year().count(QStringLiteral("SalBillDtl")), 0);
    EXPECT_EQ(year().count(QStringLiteral("HeadDtl3")), 0);
    EXPECT_EQ(year().count(QStringLiteral("Table_Del_History"), QStringLiteral("Id = ? AND FormId = 3"), {*id}), 1);
}

TEST_F(SalesInvoiceTest, BillFromAChallanMarksItSoldUntilTheBillGoes) {
    DeliveryChallans challans(year().db(), year().session, year().messages);
    DeliveryChallan ch;
    ch.bookNo = 1;
    ch.challanNo = QStringLiteral("15");
    ch.date = QDate(2024, 8, 10);
    ch.partyId = ramesh;
    ch.transport = QStringLiteral("Shree Roadways");
    ChallanLine red;
    red.qualityId = 101;
    red.description = QStringLiteral("Red");
    red.pieces = d("4");
    red.cut = d("110");
    red.metres = d("440");
    red.rate = red.listRate = d("104");
    ch.lines.push_back(red);
    ASSERT_TRUE(challans.save(ch));

    auto s = service();
    SalesBill b;
    b.bookNo = 1;
    b.billNo = QStringLiteral("1");
    b.date = QDate(2024, 8, 14);
    EXPECT_FALSE(s.fillFromChallan(b, QStringLiteral("99")));
    EXPECT_TRUE(year().messages.has(MessageKind::Critical, QStringLiteral("No Chalan Entry"), QStringLiteral("This Chalan is Not Found!")));
    ASSERT_TRUE(s.fillFromChallan(b, QStringLiteral("15")));
    EXPECT_EQ(b.partyId, ramesh);
    EXPECT_EQ(b.transport, QStringLiteral("Shree Roadways"));
    ASSERT_EQ(b.lines.size(), 1u);
    EXPECT_EQ(b.lines[0].input.metres, d("440"));
    EXPECT_EQ(b.lines[0].input.listRate, d("104"));
    EXPECT_EQ(b.lines[0].input.sgstPercent, d("2.5"));
    const auto id = s.save(b);
    ASSERT_TRUE(id);
    EXPECT_TRUE(challans.load(ch.id)->sold);

    SalesBill twice;
    twice.bookNo = 1;
    EXPECT_FALSE(s.fillFromChallan(twice, QStringLiteral("15")));
    EXPECT_TRUE(year().messages.has(MessageKind::Critical, QStringLiteral("Data Duplication"), QStringLiteral("This Chalan is Already Sold !")));
    EXPECT_FALSE(challans.remove(ch.id));

    ASSERT_TRUE(s.remove(*id));
    EXPECT_FALSE(challans.load(ch.id)->sold);
    EXPECT_TRUE(challans.remove(ch.id));
}

TEST_F(SalesInvoiceTest, OpeningBillKeepsItsPendingAmountOutsideTheJournal) {
    auto s = service();
    SalesBill op;
    op.bookNo = 1;
    op.partyId = ramesh;
    EXPECT_FALSE(s.saveOpening(op));
    EXPECT_TRUE(year().messages.has(MessageKind::Critical, QStringLiteral("System Validation"),
                                  QStringLiteral("Please Select Distributor NAme and Enter Invoice No")));
    op.billNo = QStringLiteral("OLD/77");
    EXPECT_FALSE(s.saveOpening(op));
    EXPECT_TRUE(year().messages.has(MessageKind::Critical, QStringLiteral("No Pending Amt"), QStringLiteral("Please Enter pending Amount")));
    op.pendingAmount = d("18250");
    op.date = QDate(2024, 3, 20);
    const auto id = s.saveOpening(op);
    ASSERT_TRUE(id);
    EXPECT_EQ(year().db().scalar(QStringLiteral("SELECT IsOp FROM SalBillMst WHERE Id = ?"), {*id}).toInt(), -1);
    EXPECT_DOUBLE_EQ(year().db().scalar(QStringLiteral("SELECT UnPaidAmt FROM SalBillMst WHERE Id = ?"), {*id}).toDouble(), 18250.0);
    EXPECT_EQ(year().count(QStringLiteral("Acc_OutSt"), QStringLiteral("BillId = ? AND VouNo = 0 AND TableCode = 3 AND Book = 'S'"), {*id}), 1);
    EXPECT_EQ(year().count(QStringLiteral("HeadDtl3")), 0);
    // Opening bills do not take part in the numbering of the book.
    EXPECT_EQ(s.nextBillNo(1), QStringLiteral("1"));
    ASSERT_TRUE(s.removeOpening(*id));
    EXPECT_EQ(year().count(QStringLiteral("Acc_OutSt")), 0);
}

TEST_F(SalesInvoiceTest, BillListFindsPartiesAndBillsWaitingForTheirPapers) {
    auto s = service();
    const struct { const char* no; int day; qint64 party; const char* eway; const char* lr; } bills[] = {
        {"9", 14, 0, "", "LR-1"}, {"10", 14, 1, "EWB-551", "-"}, {"11", 15, 0, "EWB-552", ""}};
    for (const auto& b : bills) {
        SalesBill bill = this->bill(b.party == 0 ? ramesh : delhi, QString::fromLatin1(b.no));
        bill.date = QDate(2024, 8, b.day);
        bill.ewayBillNo = QString::fromLatin1(b.eway);
        bill.lrNo = QString::fromLatin1(b.lr);
        ASSERT_TRUE(s.save(bill));
    }
    auto numbers = [](const documents::DocumentPage& page) {
        QStringList out;
        for (const documents::ListedDocument& r : page.rows) out << r.number;
        return out;
    };
    auto party = [](const QString& prefix) {
        documents::ListFilter f;
        f.text = prefix;
        return f;
    };
    // Newest first; on one day "10" comes before "9".
    EXPECT_EQ(numbers(s.billList(1, {})), (QStringList{QStringLiteral("11"), QStringLiteral("10"), QStringLiteral("9")}));
    EXPECT_EQ(numbers(s.billList(1, party(QStringLiteral("ram")))), (QStringList{QStringLiteral("11"), QStringLiteral("9")}));
    EXPECT_EQ(numbers(s.billList(1, {}, SalesInvoices::Pending::EwayBill)), QStringList{QStringLiteral("9")});
    EXPECT_EQ(numbers(s.billList(1, {}, SalesInvoices::Pending::LrNo)), (QStringList{QStringLiteral("11"), QStringLiteral("10")}));
    EXPECT_EQ(numbers(s.billList(1, {}, SalesInvoices::Pending::EInvoice)).size(), 3);
    EXPECT_TRUE(s.billList(2, {}).rows.empty());
}

}  // namespace
