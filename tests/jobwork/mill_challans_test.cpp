// Grey takas to the mill and back: a weaver's bill of ten takas, six sent to a dyeing mill, four
// of them received with shortage; the counts and flags on the purchase bill and the issue lines,
// shortage percentages and the receipt's bill; then the receipt and the issue deleted in turn
// with every source as it was. Takas of the firm's own looms, every refusal with nothing
// written, and two stations taking the same taka at once. Runs on both engines
// (TANABANA_BOTH_ENGINES).
#include "domain/jobwork/ProductionChallans.h"
#include "domain/mill/MillCarry.h"
#include "domain/mill/MillIssues.h"
#include "domain/mill/MillPrint.h"
#include "domain/mill/MillReceipts.h"
#include "domain/reports/ReportError.h"
#include "domain/reports/SellingRegisters.h"
#include "domain/stock/StockFigures.h"
#include "domain/trade/PeriodBilling.h"
#include "domain/trade/PurchaseInvoices.h"
#include "domain/trade/SalesInvoices.h"
#include "support/FirmBooks.h"
#include "support/PdfProbe.h"
#include "support/PostedLines.h"
#include "support/YearFixture.h"
#include "support/Amounts.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <barrier>
#include <mutex>
#include <thread>

using namespace tanabana;
using namespace tanabana::mill;

namespace {

class MillChallanTest : public ::testing::Test {
protected:
    void SetUp() override {
        TANABANA_REQUIRE_ENGINE();
        year_ = std::make_unique<test::YearFixture>();
        auto& db = year().db();
        test::seedDefaultChart(db);
        year().session.firm.insert(QStringLiteral("CST"), QStringLiteral("24-Gujarat"));
        weaver = test::addAccount(db, QStringLiteral("Laxmi Weaving Works"), 76);
        dyeing = test::addAccount(db, QStringLiteral("Surat Dyeing & Printing Mills"), 77);
        printing = test::addAccount(db, QStringLiteral("Navkar \"Process\" House"), 77);
        customer = test::addAccount(db, QStringLiteral("Ramesh Silk Stores"), 35);
        db.exec(QStringLiteral("INSERT INTO ProdMst (Id, ProdCode, ProdName, StkType, Vat, AddTax, VatCalc, CalcOn, PurRate, hsnCode, UNit, "
                               "IsActive, IsNewPro, FirmNO) VALUES (201, '201', 'Rapier 60 Grey', 'F', 2.5, 2.5, 1, 1, 0, '5407', 'MTR', 1, 0, 1)"));
    }

    // Ten takas of 100 m and 95.5 m in turn: 977.5 m at 52.00.
    qint64 buyTenTakas() {
        trade::PurchaseBill b;
        b.bookId = 2;
        b.billNo = QStringLiteral("LW/118");
        b.date = QDate(2024, 6, 3);
        b.partyId = weaver;
        trade::PurchaseLine l;
        l.qualityId = 201;
        l.input.metres = d("977.5");
        l.input.pieces = d("10");
        l.input.listRate = d("52");
        l.input.sgstPercent = d("2.5");
        l.input.cgstPercent = d("2.5");
        b.lines = {l};
        for (int i = 0; i < 10; ++i) b.takas.push_back({QString::number(101 + i), i % 2 == 0 ? d("100") : d("95.5")});
        trade::PurchaseInvoices purchases(year().db(), year().session, year().messages);
        const auto id = purchases.save(b);
        EXPECT_TRUE(id) << year().messages.last().text.toStdString();
        return id.value_or(0);
    }

    MillIssue issueTo(qint64 mill) {
        MillIssue issue;
        issue.bookId = 2;
        issue.date = QDate(2024, 6, 10);
        issue.millId = mill;
        issue.rate = d("2.5");
        issue.process = QStringLiteral("Dyeing");
        issue.transport = QStringLiteral("Tempo");
        return issue;
    }

    MillIssues issues() { return MillIssues(year().db(), year().session, year().messages); }
    MillReceipts receipts() { return MillReceipts(year().db(), year().session, year().messages); }

    // What the purchase bill shows of its takas at the mill.
    struct PurchaseState {
        qint64 takas = 0;
        QString metres;
        int issuedFlags = 0;
        bool wholeIssued = false;
    };
    PurchaseState purchaseState(qint64 bill) {
        auto& db = year().db();
        const auto line = db.queryOne(QStringLiteral("SELECT Issue_Taka, Issue_Mtrs FROM BillDtl WHERE BillMstId = ? AND Srno = 1"), {bill});
        return {line->integer(QStringLiteral("Issue_Taka")), Decimal::fromVariant(line->value(QStringLiteral("Issue_Mtrs"))).toString(3),
                db.scalar(QStringLiteral("SELECT count(*) FROM BillMst_TakaDetail WHERE BillMst_Id = ? AND Is_Issued <> 0"), {bill}).toInt(),
                db.scalar(QStringLiteral("SELECT Is_IssueToMill FROM BillMst WHERE Id = ?"), {bill}).toInt() != 0};
    }

    test::YearFixture& year() { return *year_; }
    std::unique_ptr<test::YearFixture> year_;
    qint64 weaver = 0, dyeing = 0, printing = 0, customer = 0;
};

TEST_F(MillChallanTest, SixIssuedFourReceivedThenBothDeletedRestoreTheBill) {
    const qint64 bill = buyTenTakas();
    auto s = issues();
    ASSERT_EQ(s.purchaseTakas(bill).size(), 10u);
    // The weaver's bill is offered with all its metres at home.
    const auto offered = s.purchaseBills(weaver);
    ASSERT_EQ(offered.size(), 1u);
    EXPECT_EQ(offered[0].pendingMetres.toString(3), QStringLiteral("977.500"));

    MillIssue issue = issueTo(dyeing);
    ASSERT_TRUE(s.takeFromPurchase(issue, bill, {"101", "102", "103", "104", "105", "106"}));
    EXPECT_EQ(issue.qualityId, 201);
    EXPECT_EQ(issue.weaverId, weaver);
    const auto issueId = s.save(issue);
    ASSERT_TRUE(issueId);
    EXPECT_TRUE(year().messages.has(MessageKind::Information, QStringLiteral("Save Confirmation"), QStringLiteral("ONE TRANSACTION IS SAVED")));
    EXPECT_EQ(issue.challanNo, 1);
    EXPECT_EQ(s.nextChallanNo(2), 2);

    PurchaseState after = purchaseState(bill);
    EXPECT_EQ(after.takas, 6);
    EXPECT_EQ(after.metres, QStringLiteral("586.500"));
    EXPECT_EQ(after.issuedFlags, 6);
    EXPECT_FALSE(after.wholeIssued);
    // Only the four takas left at home are offered again, by metres.
    const auto left = s.purchaseTakas(bill);
    ASSERT_EQ(left.size(), 4u);
    EXPECT_EQ(left[0].takaNo, QStringLiteral("108"));
    EXPECT_EQ(left[0].metres.toString(3), QStringLiteral("95.500"));
    EXPECT_EQ(s.purchaseBills(weaver)[0].pendingMetres.toString(3), QStringLiteral("391.000"));

    // The mill sends four takas back: two wholly finished with shortage, one longer than grey,
    // one only partly back.
    auto r = receipts();
    const auto pending = r.pendingChallans(dyeing);
    ASSERT_EQ(pending.size(), 1u);
    EXPECT_EQ(pending[0].challanNo, 1);
    EXPECT_EQ(pending[0].issuedMetres.toString(3), QStringLiteral("586.500"));
    EXPECT_TRUE(r.pendingChallans(printing).empty());

    MillReceipt receipt;
    receipt.bookId = 2;
    receipt.date = QDate(2024, 6, 24);
    receipt.millId = dyeing;
    receipt.millChallanNo = QStringLiteral("SD-778");
    receipt.gatePassNo = QStringLiteral("GP-12");
    receipt.lotNo = QStringLiteral("L-501");
    receipt.tdsPercent = d("1");
    receipt.lines = r.linesFromIssue(*issueId, {1, 2, 3, 4});
    ASSERT_EQ(receipt.lines.size(), 4u);
    EXPECT_EQ(receipt.lines[0].greyMetres.toString(3), QStringLiteral("100.000"));
    EXPECT_EQ(receipt.lines[0].rate.toString(2), QStringLiteral("2.50"));
    receipt.lines[0].finishedMetres = d("96.5");
    receipt.lines[1].finishedMetres = d("92.25");
    receipt.lines[2].finishedMetres = d("101.2");
    receipt.lines[3].greyMetres = d("50");
    receipt.lines[3].finishedMetres = d("48");
    receipt.lines[3].finished = false;
    EXPECT_EQ(receipt.lines[0].shortage().toString(3), QStringLiteral("3.500"));
    EXPECT_EQ(receipt.lines[0].shortagePercent().toString(2), QStringLiteral("3.50"));
    EXPECT_EQ(receipt.lines[1].shortagePercent().toString(2), QStringLiteral("3.40"));
    EXPECT_EQ(receipt.lines[2].shortage().toString(3), QStringLiteral("-1.200"));
    EXPECT_EQ(receipt.lines[2].shortagePercent().toString(2), QStringLiteral("-1.20"));
    EXPECT_EQ(receipt.lines[0].amount().toString(2), QStringLiteral("241.25"));
    const MillReceiptTotals totals = receipt.totals();
    // 241.25 + 230.62 (230.625 to the even paisa) + 253.00 + 120.00
    EXPECT_EQ(totals.amount.toString(2), QStringLiteral("844.87"));
    EXPECT_EQ(totals.bill.toString(2), QStringLiteral("845.00"));
    EXPECT_EQ(totals.tds.toString(2), QStringLiteral("8.00"));
    const auto receiptId = r.save(receipt);
    ASSERT_TRUE(receiptId) << year().messages.last().text.toStdString();

    auto& db = year().db();
    const auto issueLine = [&](int srno) {
        return *db.queryOne(QStringLiteral("SELECT IsFinished, RMtrs, RPCs FROM JobWork_IssueDtl_1 WHERE BillMstId = ? AND Srno = ?"), {*issueId, srno});
    };
    EXPECT_TRUE(issueLine(1).flag(QStringLiteral("IsFinished")));
    EXPECT_DOUBLE_EQ(issueLine(1).number(QStringLiteral("RMtrs")), 100.0);
    EXPECT_DOUBLE_EQ(issueLine(1).number(QStringLiteral("RPCs")), 101.0);
    EXPECT_FALSE(issueLine(4).flag(QStringLiteral("IsFinished")));
    EXPECT_DOUBLE_EQ(issueLine(4).number(QStringLiteral("RMtrs")), 50.0);
    EXPECT_FALSE(issueLine(5).flag(QStringLiteral("IsFinished")));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT LotNO FROM JobWork_IssueMst_1 WHERE Id = ?"), {*issueId}).toString(), QStringLiteral("L-501"));
    const auto stored = db.queryOne(QStringLiteral("SELECT BillAmount, TDSRs, TotAmt, ChNo FROM JobWork_IssueMst_1 WHERE Id = ?"), {*receiptId});
    EXPECT_DOUBLE_EQ(stored->number(QStringLiteral("BillAmount")), 845.0);
    EXPECT_DOUBLE_EQ(stored->number(QStringLiteral("TDSRs")), 8.0);
    EXPECT_EQ(stored->integer(QStringLiteral("ChNo")), 1);
    EXPECT_DOUBLE_EQ(db.scalar(QStringLiteral("SELECT RPCs FROM JobWork_IssueDtl_1 WHERE BillMstId = ? AND Srno = 2"), {*receiptId}).toDouble(), 3.4);
    // The receipt posts nothing.
    EXPECT_EQ(year().count(QStringLiteral("HeadDtl3"), QStringLiteral("TableCode = 17")), 0);

    // What is still at the mill: taka 104 with 45.5 m, and 105, 106 whole.
    const auto stillOut = r.pendingTakas(*issueId);
    ASSERT_EQ(stillOut.size(), 3u);
    EXPECT_EQ(stillOut[0].takaNo, QStringLiteral("104"));
    EXPECT_EQ(stillOut[0].pendingMetres.toString(3), QStringLiteral("45.500"));
    EXPECT_EQ(stillOut[0].takaLeft.toString(0), QStringLiteral("0"));
    EXPECT_EQ(stillOut[1].takaLeft.toString(0), QStringLiteral("105"));

    // A loaded receipt shows what was saved.
    const auto loaded = r.load(*receiptId);
    ASSERT_TRUE(loaded);
    ASSERT_EQ(loaded->lines.size(), 4u);
    EXPECT_EQ(loaded->lines[1].finishedMetres.toString(3), QStringLiteral("92.250"));
    EXPECT_FALSE(loaded->lines[3].finished);
    EXPECT_EQ(loaded->lotNo, QStringLiteral("L-501"));

    // The weaver's bill re-saved as the buying screen loads it keeps what went to the mill, and
    // cannot be deleted while its takas are there.
    trade::PurchaseInvoices purchases(db, year().session, year().messages);
    trade::PurchaseBill reSaved = *purchases.load(bill);
    reSaved.lines[0].issuedTakas = 0;
    reSaved.lines[0].issuedMetres = {};
    ASSERT_TRUE(purchases.save(reSaved));
    EXPECT_EQ(purchaseState(bill).takas, 6);
    EXPECT_EQ(purchaseState(bill).metres, QStringLiteral("586.500"));
    EXPECT_FALSE(purchases.remove(bill));
    EXPECT_TRUE(year().messages.has(MessageKind::Critical, QStringLiteral("Mill Issue Found"),
                                    QStringLiteral("Takas of this Purchase Invoice are issued to a mill\n First Delete Mill Issue Entry !")));
    EXPECT_EQ(year().count(QStringLiteral("BillMst")), 1);

    // The issue cannot go while its takas are back, nor be changed.
    year().messages.clear();
    EXPECT_FALSE(s.remove(*issueId));
    EXPECT_TRUE(year().messages.has(MessageKind::Critical, QStringLiteral("Challan Receive Found"),
                                    QStringLiteral("This Challan is in Receive process so first Delete Receive Entry")));
    MillIssue edited = *s.load(*issueId);
    edited.notes = QStringLiteral("changed");
    EXPECT_FALSE(s.save(edited));
    EXPECT_EQ(year().count(QStringLiteral("JobWork_IssueDtl_1"), QStringLiteral("BillMstId = ?"), {*issueId}), 6);

    // Deleting the receipt reopens every taka and clears the lot.
    ASSERT_TRUE(r.remove(*receiptId));
    EXPECT_TRUE(year().messages.has(MessageKind::Question, QStringLiteral("Delete Confirmation"), QStringLiteral("Are you sure to delete this Job Work")));
    for (int srno = 1; srno <= 6; ++srno) {
        EXPECT_FALSE(issueLine(srno).flag(QStringLiteral("IsFinished"))) << srno;
        EXPECT_DOUBLE_EQ(issueLine(srno).number(QStringLiteral("RMtrs")), 0.0) << srno;
        EXPECT_DOUBLE_EQ(issueLine(srno).number(QStringLiteral("RPCs")), 0.0) << srno;
    }
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT LotNO FROM JobWork_IssueMst_1 WHERE Id = ?"), {*issueId}).toString(), QString());
    EXPECT_EQ(year().count(QStringLiteral("JobWork_IssueMst_1"), QStringLiteral("FormId = 17")), 0);

    // Deleting the issue gives every taka back to the purchase bill.
    ASSERT_TRUE(s.remove(*issueId));
    EXPECT_TRUE(year().messages.has(MessageKind::Information, QStringLiteral("Delete Confirmation"), QStringLiteral("Invoice Is Deleted!")));
    after = purchaseState(bill);
    EXPECT_EQ(after.takas, 0);
    EXPECT_EQ(after.metres, QStringLiteral("0.000"));
    EXPECT_EQ(after.issuedFlags, 0);
    EXPECT_FALSE(after.wholeIssued);
    EXPECT_EQ(s.purchaseTakas(bill).size(), 10u);
    EXPECT_EQ(year().count(QStringLiteral("JobWork_IssueDtl_1")), 0);
    EXPECT_EQ(year().count(QStringLiteral("Table_Del_History"), QStringLiteral("FormId IN (16, 17)")), 2);
}

TEST_F(MillChallanTest, EditingAnIssueSwapsItsTakasAndTheLastTakaMarksTheBill) {
    const qint64 bill = buyTenTakas();
    auto s = issues();
    MillIssue first = issueTo(dyeing);
    ASSERT_TRUE(s.takeFromPurchase(first, bill, {"101", "102", "103", "104", "105", "106"}));
    ASSERT_TRUE(s.save(first));
    MillIssue second = issueTo(printing);
    second.process = QStringLiteral("Printing");
    ASSERT_TRUE(s.takeFromPurchase(second, bill, {"107", "108", "109"}));
    ASSERT_TRUE(s.save(second));
    EXPECT_FALSE(purchaseState(bill).wholeIssued);

    // The second challan is changed: 109 stays home, 110 goes instead, together with 107, 108.
    MillIssue edited = *s.load(second.id);
    EXPECT_EQ(edited.source, TakaSource::Purchase);
    edited.lines.erase(edited.lines.begin() + 2);
    MillIssue extra;
    ASSERT_TRUE(s.takeFromPurchase(extra, bill, {"110"}));
    edited.lines.push_back(extra.lines[0]);
    ASSERT_TRUE(s.save(edited));
    PurchaseState state = purchaseState(bill);
    EXPECT_EQ(state.takas, 9);
    EXPECT_EQ(state.metres, QStringLiteral("877.500"));
    EXPECT_EQ(s.purchaseTakas(bill).size(), 1u);
    EXPECT_EQ(s.purchaseTakas(bill)[0].takaNo, QStringLiteral("109"));
    EXPECT_FALSE(state.wholeIssued);

    // The last taka at home goes: the bill is wholly at the mills.
    MillIssue last = issueTo(printing);
    ASSERT_TRUE(s.takeFromPurchase(last, bill, {"109"}));
    ASSERT_TRUE(s.save(last));
    EXPECT_EQ(last.challanNo, 3);
    state = purchaseState(bill);
    EXPECT_TRUE(state.wholeIssued);
    EXPECT_EQ(state.takas, 10);
    EXPECT_EQ(state.metres, QStringLiteral("977.500"));
    EXPECT_TRUE(s.purchaseBills(weaver).empty());

    const auto page = s.issueList({});
    ASSERT_EQ(page.rows.size(), 3u);
    EXPECT_EQ(page.rows[0].party, QStringLiteral("Navkar \"Process\" House"));
    EXPECT_EQ(page.rows[0].texts.value(3), QStringLiteral("Laxmi Weaving Works"));
}

TEST_F(MillChallanTest, RefusalsWriteNothing) {
    const qint64 bill = buyTenTakas();
    auto s = issues();
    const auto unchanged = [&] {
        EXPECT_EQ(year().count(QStringLiteral("JobWork_IssueMst_1")), 0);
        EXPECT_EQ(purchaseState(bill).issuedFlags, 0);
    };

    MillIssue noMill = issueTo(0);
    ASSERT_TRUE(s.takeFromPurchase(noMill, bill, {"101"}));
    EXPECT_FALSE(s.save(noMill));
    EXPECT_TRUE(year().messages.has(MessageKind::Critical, QStringLiteral("System Validation"),
                                    QStringLiteral("Please Select Distributor NAme and Enter Invoice No")));
    // A customer is not a mill.
    noMill.millId = customer;
    EXPECT_FALSE(s.save(noMill));
    unchanged();

    MillIssue twice = issueTo(dyeing);
    ASSERT_TRUE(s.takeFromPurchase(twice, bill, {"101", "102"}));
    twice.lines.push_back(twice.lines[0]);
    EXPECT_FALSE(s.save(twice));
    EXPECT_EQ(year().messages.last().text, QStringLiteral("Taka No 101 is twice on this challan"));
    unchanged();

    MillIssue outOfYear = issueTo(dyeing);
    outOfYear.date = QDate(2025, 4, 2);
    ASSERT_TRUE(s.takeFromPurchase(outOfYear, bill, {"101"}));
    EXPECT_FALSE(s.save(outOfYear));
    EXPECT_EQ(year().messages.last().text, QStringLiteral("Please Select Proper Date"));

    MillIssue longText = issueTo(dyeing);
    longText.process = QString(101, QLatin1Char('x'));
    ASSERT_TRUE(s.takeFromPurchase(longText, bill, {"101"}));
    EXPECT_FALSE(s.save(longText));
    unchanged();

    // A taka not on the bill, typed in by hand, is refused on save; nothing of the good ones stays.
    MillIssue stray = issueTo(dyeing);
    ASSERT_TRUE(s.takeFromPurchase(stray, bill, {"101", "102"}));
    stray.lines.push_back({QStringLiteral("999"), d("100")});
    EXPECT_FALSE(s.save(stray));
    EXPECT_EQ(year().messages.last().text, QStringLiteral("Taka No 999 is not pending on purchase bill LW/118"));
    unchanged();
    EXPECT_EQ(purchaseState(bill).takas, 0);

    // Once issued, the same taka cannot go to a second mill.
    MillIssue good = issueTo(dyeing);
    ASSERT_TRUE(s.takeFromPurchase(good, bill, {"101"}));
    ASSERT_TRUE(s.save(good));
    MillIssue again = issueTo(printing);
    again.source = TakaSource::Purchase;
    again.purchaseBillId = bill;
    again.purchaseBillNo = QStringLiteral("LW/118");
    again.lines = {{QStringLiteral("101"), d("100")}};
    EXPECT_FALSE(s.save(again));
    EXPECT_EQ(year().count(QStringLiteral("JobWork_IssueMst_1")), 1);

    // A closed year refuses both documents.
    year().session.firm.insert(QStringLiteral("IsYrEnd"), 1);
    year().messages.clear();
    EXPECT_FALSE(s.remove(good.id));
    EXPECT_EQ(year().messages.last().title, QStringLiteral("Year End Done"));
    EXPECT_FALSE(s.save(good));
    EXPECT_EQ(year().count(QStringLiteral("JobWork_IssueMst_1")), 1);
}

TEST_F(MillChallanTest, ReceiptRefusals) {
    const qint64 bill = buyTenTakas();
    auto s = issues();
    MillIssue issue = issueTo(dyeing);
    ASSERT_TRUE(s.takeFromPurchase(issue, bill, {"101", "102"}));
    ASSERT_TRUE(s.save(issue));
    auto r = receipts();
    const auto receiptOf = [&](const QString& lot, int srno = 1) {
        MillReceipt receipt;
        receipt.bookId = 2;
        receipt.date = QDate(2024, 6, 24);
        receipt.millId = dyeing;
        receipt.lotNo = lot;
        receipt.lines = r.linesFromIssue(issue.id, {srno});
        if (!receipt.lines.empty()) receipt.lines[0].finishedMetres = d("97");
        return receipt;
    };
    const auto nothingReceived = [&] {
        EXPECT_EQ(year().count(QStringLiteral("JobWork_IssueMst_1"), QStringLiteral("FormId = 17")), 0);
        EXPECT_EQ(year().count(QStringLiteral("JobWork_IssueDtl_1"), QStringLiteral("RMtrs <> 0 OR IsFinished <> 0")), 0);
    };

    MillReceipt noLot = receiptOf(QString());
    EXPECT_FALSE(r.save(noLot));
    EXPECT_TRUE(year().messages.has(MessageKind::Critical, QStringLiteral("No LotNo Entered"), QStringLiteral("Please enter LotNo")));
    nothingReceived();

    // More grey metres than the mill was given.
    MillReceipt tooLong = receiptOf(QStringLiteral("L-1"));
    tooLong.lines[0].greyMetres = d("100.5");
    EXPECT_FALSE(r.save(tooLong));
    EXPECT_TRUE(year().messages.has(MessageKind::Critical, QStringLiteral("Receive More Than Issue"),
                                    QStringLiteral("Taka No 101 : Grey Mtrs 100.500 are more than the 100.000 Mtrs pending at the mill")));
    nothingReceived();

    // Another mill's receipt cannot take these takas.
    MillReceipt wrongMill = receiptOf(QStringLiteral("L-1"));
    wrongMill.millId = printing;
    EXPECT_FALSE(r.save(wrongMill));
    EXPECT_EQ(year().messages.last().text, QStringLiteral("Taka No 101 was not issued to this mill"));
    nothingReceived();

    MillReceipt good = receiptOf(QStringLiteral("L-1"));
    ASSERT_TRUE(r.save(good));
    // The lot is taken, and the taka is back.
    MillReceipt sameLot = receiptOf(QStringLiteral("l-1"), 2);
    ASSERT_EQ(sameLot.lines.size(), 1u);
    EXPECT_FALSE(r.save(sameLot));
    EXPECT_TRUE(year().messages.has(MessageKind::Critical, QStringLiteral("Data Duplicate "), QStringLiteral("LotNo is Duplicate..")));
    // Taka 101 is no longer offered; typed in again it is refused.
    EXPECT_TRUE(r.linesFromIssue(issue.id, {1}).empty());
    MillReceipt twice = good;
    twice.id = 0;
    twice.challanNo = 0;
    twice.lotNo = QStringLiteral("L-2");
    EXPECT_FALSE(r.save(twice));
    EXPECT_EQ(year().messages.last().text, QStringLiteral("Taka No 101 of Mill Iss No 1 is already received"));
    EXPECT_EQ(year().count(QStringLiteral("JobWork_IssueMst_1"), QStringLiteral("FormId = 17")), 1);

    // Re-saving the receipt with other metres replaces its effect instead of adding to it.
    MillReceipt edited = *r.load(good.id);
    edited.lines[0].greyMetres = d("60");
    edited.lines[0].finished = false;
    ASSERT_TRUE(r.save(edited));
    const auto line = *year().db().queryOne(QStringLiteral("SELECT RMtrs, IsFinished FROM JobWork_IssueDtl_1 WHERE BillMstId = ? AND Srno = 1"), {issue.id});
    EXPECT_DOUBLE_EQ(line.number(QStringLiteral("RMtrs")), 60.0);
    EXPECT_FALSE(line.flag(QStringLiteral("IsFinished")));
}

TEST_F(MillChallanTest, OwnWovenTakasGoToTheMillAndComeBack) {
    jobwork::ProductionChallans looms(year().db(), year().session, year().messages);
    jobwork::ProductionChallan woven;
    woven.bookNo = 1;
    woven.challanNo = QStringLiteral("1");
    woven.date = QDate(2024, 6, 5);
    woven.partyId = weaver;
    woven.prodType = QStringLiteral("O");
    for (const char* no : {"501", "502", "503"}) woven.takas.push_back({QString::fromLatin1(no), d("4"), d("5.5"), d("62.5"), QStringLiteral("L1"), 201});
    ASSERT_TRUE(looms.save(woven)) << year().messages.last().text.toStdString();

    auto s = issues();
    const auto offered = s.producedTakas(201, d("60"), d("62.5"));
    ASSERT_EQ(offered.size(), 3u);
    EXPECT_TRUE(s.producedTakas(201, d("63"), d("70")).empty());
    MillIssue grey = issueTo(dyeing);
    ASSERT_TRUE(s.takeFromProduction(grey, {"501", "503"}));
    ASSERT_TRUE(s.save(grey));
    auto& db = year().db();
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM ProductionDtl WHERE IsM_Issue <> 0 AND Issue_Pro = 'Dyeing'")).toInt(), 2);
    // The looms' taka list no longer offers them, to the mill or to a delivery challan.
    EXPECT_EQ(s.producedTakas(201).size(), 1u);
    EXPECT_EQ(s.load(grey.id)->source, TakaSource::Production);
    // The looms' challan keeps the takas at the mill: it cannot go, and a re-save leaves them.
    EXPECT_FALSE(looms.remove(woven.id));
    EXPECT_TRUE(year().messages.has(MessageKind::Critical, QStringLiteral("No Delete"), QStringLiteral("Issued To Mill")));
    jobwork::ProductionChallan reWoven = *looms.load(woven.id);
    reWoven.takas.erase(reWoven.takas.begin());
    ASSERT_TRUE(looms.save(reWoven));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM ProductionDtl WHERE TakaNO = '501' AND IsM_Issue <> 0")).toInt(), 1);

    // Back from the mill, the looms' taka records the process it went through; the receipt's
    // deletion takes that back. The grey receipt offers only the challans of the looms' takas.
    auto r = receipts();
    MillIssue typed = issueTo(dyeing);
    typed.lines = {{QStringLiteral("T-1"), d("50")}};
    ASSERT_TRUE(s.save(typed));
    EXPECT_EQ(r.pendingChallans(dyeing).size(), 2u);
    ASSERT_EQ(r.pendingChallans(dyeing, true).size(), 1u);
    EXPECT_EQ(r.pendingChallans(dyeing, true)[0].issueId, grey.id);
    MillReceipt back;
    back.bookId = 2;
    back.date = QDate(2024, 6, 20);
    back.millId = dyeing;
    back.lotNo = QStringLiteral("G-1");
    back.lines = r.linesFromIssue(grey.id, {1});
    back.lines[0].finishedMetres = d("60");
    ASSERT_TRUE(r.save(back)) << year().messages.last().text.toStdString();
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT Rec_Pro FROM ProductionDtl WHERE TakaNO = '501'")).toString(), QStringLiteral("Dyeing"));
    ASSERT_TRUE(r.remove(back.id));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT Rec_Pro FROM ProductionDtl WHERE TakaNO = '501'")).toString(), QString());

    MillIssue twice = issueTo(printing);
    twice.source = TakaSource::Production;
    twice.lines = {{QStringLiteral("501"), d("62.5")}};
    twice.lines[0].takaFirmNo = 1;
    EXPECT_FALSE(s.save(twice));
    EXPECT_EQ(year().messages.last().text, QStringLiteral("Taka No 501 is already issued or not produced."));

    ASSERT_TRUE(s.remove(grey.id));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM ProductionDtl WHERE IsM_Issue <> 0")).toInt(), 0);
    EXPECT_EQ(s.producedTakas(201).size(), 3u);
}

// Two stations send the same taka to two mills at the same moment: one challan wins, the other is
// refused and leaves nothing.
TEST_F(MillChallanTest, TwoStationsCannotIssueTheSameTaka) {
    const qint64 bill = buyTenTakas();
    std::mutex lock;
    QStringList errors;
    int saved = 0;
    for (int round = 0; round < 2; ++round) {
        const QString shared = QString::number(101 + round);  // 101 and 102
        std::barrier start(2);
        auto station = [&](qint64 mill, const QString& own) {
            try {
                db::Database db = year().openAnother();
                Session session = year().session;
                session.db = &db;
                RecordingMessages messages;
                MillIssues there(db, session, messages);
                MillIssue issue = issueTo(mill);
                issue.source = TakaSource::Purchase;
                issue.purchaseBillId = bill;
                issue.purchaseBillNo = QStringLiteral("LW/118");
                // Odd takas of the bill are 100 m, even ones 95.5 m.
                const auto metres = [](const QString& no) { return no.toInt() % 2 ? d("100") : d("95.5"); };
                issue.lines = {{own, metres(own)}, {shared, metres(shared)}};
                start.arrive_and_wait();
                const bool ok = there.save(issue).has_value();
                std::lock_guard<std::mutex> guard(lock);
                if (ok) ++saved;
                else if (messages.empty() || messages.last().title != QStringLiteral("Taka Duplication"))
                    errors << (messages.empty() ? QStringLiteral("refused silently") : messages.last().text);
            } catch (const std::exception& e) {
                std::lock_guard<std::mutex> guard(lock);
                errors << QString::fromLocal8Bit(e.what());
            }
        };
        // Each round both stations want taka 101 (then 102) besides one of their own.
        std::thread first(station, dyeing, QString::number(103 + 2 * round));
        std::thread second(station, printing, QString::number(104 + 2 * round));
        first.join();
        second.join();
    }
    EXPECT_EQ(errors, QStringList());
    EXPECT_EQ(saved, 2);
    auto& db = year().db();
    EXPECT_EQ(year().count(QStringLiteral("JobWork_IssueMst_1")), 2);
    EXPECT_EQ(year().count(QStringLiteral("JobWork_IssueDtl_1")), 4);
    // Every taka issued is on exactly one challan, and the bill counts exactly those.
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(DISTINCT TakaNO) FROM JobWork_IssueDtl_1")).toInt(), 4);
    EXPECT_EQ(purchaseState(bill).issuedFlags, 4);
    EXPECT_EQ(purchaseState(bill).takas, 4);
}

// The printed challans: the issue with its takas and the mill, the receipt with shortage and the
// bill, each under the file name the mill expects.
TEST_F(MillChallanTest, PrintedIssueAndReceipt) {
    const qint64 bill = buyTenTakas();
    auto s = issues();
    MillIssue issue = issueTo(printing);
    issue.process = QStringLiteral("Printing");
    ASSERT_TRUE(s.takeFromPurchase(issue, bill, {"101", "102"}));
    issue.lines[0].marka = QStringLiteral("A-7");
    ASSERT_TRUE(s.save(issue));
    auto r = receipts();
    MillReceipt receipt;
    receipt.bookId = 2;
    receipt.date = QDate(2024, 6, 24);
    receipt.millId = printing;
    receipt.lotNo = QStringLiteral("P-33");
    receipt.tdsPercent = d("1");
    receipt.lines = r.linesFromIssue(issue.id, {1, 2});
    receipt.lines[0].finishedMetres = d("96.5");
    receipt.lines[1].finishedMetres = d("93");
    ASSERT_TRUE(r.save(receipt));

    EXPECT_EQ(millIssuePdfName(issue.challanNo), QStringLiteral("Job_Process_Issue_No1"));
    EXPECT_EQ(millPdfName(year().db(), receipt.id), QStringLiteral("Job_Process_Rec_No1"));
    EXPECT_EQ(millIssueLayoutName(2), QStringLiteral("Issue_JobWork_Mill_2.rpt"));
    EXPECT_EQ(millReceiptLayoutName(3), QStringLiteral("Issue_JobWork_Mill_Rec_2.rpt"));

    QTemporaryDir dir;
    const QString issuePdf = dir.filePath(QStringLiteral("issue.pdf"));
    writeMillPdf(year().db(), year().session, issue.id, issuePdf);
    test::keepForLooking(issuePdf);
    const QString issued = test::pdfText(issuePdf, false);
    for (const char* expected : {"MILL ISSUE CHALLAN", "Navkar \"Process\" House", "Mill Iss No : 1", "Rapier 60 Grey", "Printing",
                                 "Laxmi Weaving Works LW/118", "A-7", "195.500", "Total Taka : 2"})
        EXPECT_TRUE(issued.contains(QString::fromUtf8(expected))) << expected << "\n" << issued.toStdString();

    // A bleaching firm prints the same issue as its inward challan.
    const QString inwardPdf = dir.filePath(QStringLiteral("inward.pdf"));
    writeMillPdf(year().db(), year().session, issue.id, inwardPdf, 1, true);
    const QString inward = test::pdfText(inwardPdf, false);
    EXPECT_TRUE(inward.contains(QStringLiteral("JOB PROCESS INWARD CHALLAN"))) << inward.toStdString();
    EXPECT_TRUE(inward.contains(QStringLiteral("195.500"))) << inward.toStdString();

    const QString receiptPdf = dir.filePath(QStringLiteral("receipt.pdf"));
    writeMillPdf(year().db(), year().session, receipt.id, receiptPdf);
    test::keepForLooking(receiptPdf);
    const QString received = test::pdfText(receiptPdf, false);
    // 96.5 x 2.50 = 241.25 and 93 x 2.50 = 232.50: 473.75, bill 474, T.D.S. 5.
    for (const char* expected : {"MILL RECEIVE CHALLAN", "Lot No : P-33", "96.500", "3.500", "3.50", "2.500", "2.62", "473.75", "474.00", "5.00"})
        EXPECT_TRUE(received.contains(QString::fromUtf8(expected))) << expected << "\n" << received.toStdString();

    // Another firm's challan is not printed.
    year().session.firmNo = 2;
    EXPECT_THROW(millIssueRequest(year().db(), year().session, issue.id), reports::ReportError);
}

// Re-saving the weaver's bill may not lose a taka that is at a mill, nor change its metres: the
// refusal names the taka and the challan, and the bill, its takas and its journal stay as they were.
TEST_F(MillChallanTest, PurchaseResavedWithoutAnIssuedTakaIsRefused) {
    const qint64 bill = buyTenTakas();
    auto s = issues();
    MillIssue issue = issueTo(dyeing);
    ASSERT_TRUE(s.takeFromPurchase(issue, bill, {"101", "102", "103", "104", "105", "106"}));
    ASSERT_TRUE(s.save(issue));
    auto& db = year().db();
    trade::PurchaseInvoices purchases(db, year().session, year().messages);
    const QStringList journalBefore = test::journalLines(db, 1, bill);
    ASSERT_FALSE(journalBefore.isEmpty());
    const auto unchanged = [&] {
        EXPECT_EQ(year().count(QStringLiteral("BillMst_TakaDetail"), QStringLiteral("BillMst_Id = ?"), {bill}), 10);
        EXPECT_DOUBLE_EQ(db.scalar(QStringLiteral("SELECT PQty FROM BillDtl WHERE BillMstId = ?"), {bill}).toDouble(), 977.5);
        EXPECT_DOUBLE_EQ(db.scalar(QStringLiteral("SELECT Mtrs FROM BillMst_TakaDetail WHERE BillMst_Id = ? AND TakaNO = '104'"), {bill}).toDouble(), 95.5);
        EXPECT_EQ(test::journalLines(db, 1, bill), journalBefore);
        const PurchaseState state = purchaseState(bill);
        EXPECT_EQ(state.takas, 6);
        EXPECT_EQ(state.metres, QStringLiteral("586.500"));
        EXPECT_EQ(state.issuedFlags, 6);
    };

    // Taka 103 (100 m) taken off the bill, the line made to agree with the list.
    trade::PurchaseBill without = *purchases.load(bill);
    std::erase_if(without.takas, [](const trade::PurchaseTaka& t) { return t.takaNo == QStringLiteral("103"); });
    without.lines[0].input.metres = d("877.5");
    without.lines[0].input.pieces = d("9");
    EXPECT_FALSE(purchases.save(without));
    EXPECT_TRUE(year().messages.has(MessageKind::Critical, QStringLiteral("Mill Issue Found"),
                                    QStringLiteral("Taka No 103 is issued to mill on Mill Iss No 1 Dt. 10-06-2024 "
                                                   "(Surat Dyeing & Printing Mills)\n It can not be removed from this Purchase Invoice")))
        << test::lastRefusal(year().messages).toStdString();
    unchanged();

    // Taka 104 re-measured as 96 m.
    trade::PurchaseBill longer = *purchases.load(bill);
    for (trade::PurchaseTaka& t : longer.takas)
        if (t.takaNo == QStringLiteral("104")) t.metres = d("96");
    longer.lines[0].input.metres = d("978");
    EXPECT_FALSE(purchases.save(longer));
    EXPECT_EQ(test::lastRefusal(year().messages),
              QStringLiteral("Mill Issue Found: Taka No 104 is issued to mill on Mill Iss No 1 Dt. 10-06-2024 "
                             "(Surat Dyeing & Printing Mills)\n Its Mtrs 95.500 can not be changed"));
    unchanged();

    // A taka still at home may go: 107 leaves the bill, the six at the mill stay counted.
    trade::PurchaseBill lessAtHome = *purchases.load(bill);
    std::erase_if(lessAtHome.takas, [](const trade::PurchaseTaka& t) { return t.takaNo == QStringLiteral("107"); });
    lessAtHome.lines[0].input.metres = d("877.5");
    lessAtHome.lines[0].input.pieces = d("9");
    ASSERT_TRUE(purchases.save(lessAtHome)) << test::lastRefusal(year().messages).toStdString();
    EXPECT_EQ(year().count(QStringLiteral("BillMst_TakaDetail"), QStringLiteral("BillMst_Id = ?"), {bill}), 9);
    EXPECT_EQ(purchaseState(bill).issuedFlags, 6);
    EXPECT_EQ(purchaseState(bill).metres, QStringLiteral("586.500"));
    EXPECT_EQ(s.purchaseTakas(bill).size(), 3u);
}

// The bleaching screens' receipt: a taka may come back partly or wholly as grey, unprocessed; that
// grey waits on the issue line (PRate) and is no longer pending, the shortage adds up on the issue
// line, and an edit or delete takes both back. A challan a sales bill has taken is locked.
TEST_F(MillChallanTest, GreyReturnedUnprocessedAndSoldChallans) {
    const qint64 bill = buyTenTakas();
    auto s = issues();
    MillIssue issue = issueTo(dyeing);
    ASSERT_TRUE(s.takeFromPurchase(issue, bill, {"101", "102", "103", "104"}));
    ASSERT_TRUE(s.save(issue));
    auto& db = year().db();
    const auto issueLine = [&](int srno) {
        const auto row = *db.queryOne(QStringLiteral("SELECT IsFinished, RMtrs, PRate, ShortLong FROM JobWork_IssueDtl_1 WHERE BillMstId = ? AND Srno = ?"),
                                      {issue.id, srno});
        return QStringLiteral("%1 rec %2 ret %3 short %4")
            .arg(row.flag(QStringLiteral("IsFinished")) ? QStringLiteral("Y") : QStringLiteral("N"))
            .arg(Decimal::fromVariant(row.value(QStringLiteral("RMtrs"))).toString(3), Decimal::fromVariant(row.value(QStringLiteral("PRate"))).toString(3),
                 Decimal::fromVariant(row.value(QStringLiteral("ShortLong"))).toString(3));
    };

    auto r = receipts();
    MillReceipt receipt;
    receipt.bookId = 2;
    receipt.date = QDate(2024, 6, 20);
    receipt.millId = dyeing;
    receipt.lotNo = QStringLiteral("BL-7");
    receipt.lines = r.linesFromIssue(issue.id, {1, 2, 3});
    // 101 (100 m): 90 processed into 88, 10 back grey. 102 (95.5 m): all back grey.
    // 103 (100 m): 50 processed into 48.5 and 10 back grey so far, 40 still at the mill.
    receipt.lines[0].greyMetres = d("90");
    receipt.lines[0].finishedMetres = d("88");
    receipt.lines[0].greyReturned = d("10");
    receipt.lines[1].greyMetres = {};
    receipt.lines[1].greyReturned = d("95.5");
    receipt.lines[2].greyMetres = d("50");
    receipt.lines[2].finishedMetres = d("48.5");
    receipt.lines[2].greyReturned = d("10");
    receipt.lines[2].finished = false;
    ASSERT_TRUE(r.save(receipt)) << test::lastRefusal(year().messages).toStdString();
    EXPECT_EQ(issueLine(1), QStringLiteral("Y rec 90.000 ret 10.000 short 2.000"));
    EXPECT_EQ(issueLine(2), QStringLiteral("Y rec 0.000 ret 95.500 short 0.000"));
    EXPECT_EQ(issueLine(3), QStringLiteral("N rec 50.000 ret 10.000 short 1.500"));
    // The bill counts only what was processed: 88 + 48.5 at 2.50.
    EXPECT_DOUBLE_EQ(db.scalar(QStringLiteral("SELECT BillAmount FROM JobWork_IssueMst_1 WHERE Id = ?"), {receipt.id}).toDouble(), 341.0);
    const auto out = r.pendingTakas(issue.id);
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0].takaNo, QStringLiteral("103"));
    EXPECT_EQ(out[0].pendingMetres.toString(3), QStringLiteral("40.000"));
    // The pending register counts the receipt from its day on: all four takas (391 m) the day
    // before, then 40 m of 103 and 95.5 m of 104; its summary says the same per quality.
    const auto pendingOn = [&](const char* name, const QDate& day) {
        reports::RegisterChoice choice;
        choice.from = year().session.yearStartDate;
        choice.to = day;
        return reports::Registers(db, year().session, year().folder()).run(*reports::findRegister(QString::fromLatin1(name)), choice);
    };
    const reports::RegisterResult before = pendingOn("mill-takas-pending", QDate(2024, 6, 19));
    EXPECT_EQ(before.data.rowCount(), 4);
    EXPECT_EQ(before.total(QStringLiteral("PendMtrs")).toString(3), QStringLiteral("391.000"));
    const reports::RegisterResult onTheDay = pendingOn("mill-takas-pending", QDate(2024, 6, 20));
    EXPECT_EQ(onTheDay.data.rowCount(), 2);
    EXPECT_EQ(onTheDay.total(QStringLiteral("PendMtrs")).toString(3), QStringLiteral("135.500"));
    EXPECT_EQ(onTheDay.total(QStringLiteral("BackMtrs")).toString(3), QStringLiteral("60.000"));
    const reports::RegisterResult summary = pendingOn("mill-pending-summary", QDate(2024, 6, 20));
    ASSERT_EQ(summary.data.rowCount(), 1);
    EXPECT_EQ(summary.total(QStringLiteral("Takas")).toString(0), QStringLiteral("2"));
    EXPECT_EQ(summary.total(QStringLiteral("PendMtrs")).toString(3), QStringLiteral("135.500"));
    // The year-end carry counts the same 40 + 95.5 m as still out.
    const auto carried = MillCarry(db, year().session, year().messages).candidates(MillCarry::Kind::PendingTakas);
    ASSERT_EQ(carried.size(), 1u);
    EXPECT_EQ(carried[0].pendingMetres.toString(3), QStringLiteral("135.500"));

    // A second receipt may not take more of 103 than the 40 m still out, grey back included.
    MillReceipt more;
    more.bookId = 2;
    more.date = QDate(2024, 6, 28);
    more.millId = dyeing;
    more.lotNo = QStringLiteral("BL-8");
    more.lines = r.linesFromIssue(issue.id, {3});
    more.lines[0].greyMetres = d("35");
    more.lines[0].finishedMetres = d("34");
    more.lines[0].greyReturned = d("10");
    EXPECT_FALSE(r.save(more));
    EXPECT_EQ(test::lastRefusal(year().messages),
              QStringLiteral("Receive More Than Issue: Taka No 103 : Grey Mtrs 45.000 are more than the 40.000 Mtrs pending at the mill"));
    // Nor bring nothing back at all.
    more.lines[0].greyMetres = {};
    more.lines[0].finishedMetres = {};
    more.lines[0].greyReturned = {};
    EXPECT_FALSE(r.save(more));
    EXPECT_EQ(test::lastRefusal(year().messages), QStringLiteral("Invalid Entry: Taka No 103 : Grey Mtrs must be more than 0"));
    EXPECT_EQ(year().count(QStringLiteral("JobWork_IssueMst_1"), QStringLiteral("FormId = 17")), 1);
    EXPECT_EQ(issueLine(3), QStringLiteral("N rec 50.000 ret 10.000 short 1.500"));

    // Re-saved with only 5 m of 101 back grey: the issue line holds the new figures, not both.
    MillReceipt edited = *r.load(receipt.id);
    EXPECT_EQ(edited.lines[0].greyReturned.toString(3), QStringLiteral("10.000"));
    edited.lines[0].greyReturned = d("5");
    edited.lines[0].greyMetres = d("95");
    edited.lines[0].finishedMetres = d("92");
    ASSERT_TRUE(r.save(edited)) << test::lastRefusal(year().messages).toStdString();
    EXPECT_EQ(issueLine(1), QStringLiteral("Y rec 95.000 ret 5.000 short 3.000"));
    EXPECT_EQ(issueLine(3), QStringLiteral("N rec 50.000 ret 10.000 short 1.500"));
    // The bleaching firm's outward challan prints what went back grey beside what was processed.
    EXPECT_EQ(millReceiptLayoutName(1, true), QStringLiteral("Issue_JobWork_Rec_BL_1.rpt"));
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("outward.pdf"));
    writeMillPdf(db, year().session, receipt.id, pdf, 1, true);
    test::keepForLooking(pdf);
    const QString printed = test::pdfText(pdf, false);
    for (const char* expected : {"JOB PROCESS OUTWARD CHALLAN", "Grey Ret", "5.000", "110.500", "95.000", "92.000", "Lot No : BL-7"})
        EXPECT_TRUE(printed.contains(QString::fromUtf8(expected))) << expected << "\n" << printed.toStdString();

    // Billed to the customer, the receipt can be neither changed nor deleted; the issue neither.
    db.exec(QStringLiteral("UPDATE JobWork_IssueMst_1 SET IsCN = 1 WHERE Id IN (?, ?)"), {receipt.id, issue.id});
    year().messages.clear();
    edited.notes = QStringLiteral("after the bill");
    EXPECT_FALSE(r.save(edited));
    EXPECT_TRUE(year().messages.has(MessageKind::Critical, QStringLiteral("Challan Is Sold"), QStringLiteral("This Challan Is Sold, You Can not modify or delete")));
    EXPECT_FALSE(r.remove(receipt.id));
    EXPECT_FALSE(s.remove(issue.id));
    const auto told = [&](MessageKind kind) {
        return std::count_if(year().messages.all().begin(), year().messages.all().end(), [&](const Message& m) { return m.kind == kind; });
    };
    EXPECT_EQ(told(MessageKind::Critical), 3);
    EXPECT_EQ(told(MessageKind::Question), 0);  // refused before the delete question
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT Notes FROM JobWork_IssueMst_1 WHERE Id = ?"), {receipt.id}).toString(), QString());
    EXPECT_EQ(issueLine(1), QStringLiteral("Y rec 95.000 ret 5.000 short 3.000"));

    // Once the bill lets go, deleting the receipt puts every taka back at the mill whole.
    db.exec(QStringLiteral("UPDATE JobWork_IssueMst_1 SET IsCN = 0"));
    ASSERT_TRUE(r.remove(receipt.id));
    for (int srno = 1; srno <= 3; ++srno) EXPECT_EQ(issueLine(srno), QStringLiteral("N rec 0.000 ret 0.000 short 0.000")) << srno;
    EXPECT_EQ(r.pendingTakas(issue.id).size(), 4u);
}

// A bleaching firm takes its customer's grey in, sends it back processed and bills the job work
// once a fortnight: the outward challans of the period become the bill's lines (finished metres at
// the job rate, takas given back wholly grey left out), the bill marks them, a marked challan can
// be neither changed nor deleted nor billed again, and the marks follow every edit and the delete.
TEST_F(MillChallanTest, BleachingFirmBillsItsOutwardChallansAndTheBillLocksThem) {
    year().session.firm.insert(QStringLiteral("Soft_Type"), 8);
    auto& db = year().db();
    auto s = issues();
    MillIssue inward = issueTo(customer);
    inward.qualityId = 201;
    inward.process = QStringLiteral("Bleaching");
    for (const auto& [taka, metres] : {std::pair{"201", "100"}, std::pair{"202", "95.5"}, std::pair{"203", "100"}, std::pair{"204", "95.5"}}) {
        MillIssueLine l;
        l.takaNo = QString::fromLatin1(taka);
        l.metres = d(metres);
        inward.lines.push_back(l);
    }
    ASSERT_TRUE(s.save(inward)) << test::lastRefusal(year().messages).toStdString();

    auto r = receipts();
    const auto outward = [&](const QDate& date, const char* lot, const std::vector<int>& takas) {
        MillReceipt m;
        m.bookId = 2;
        m.date = date;
        m.millId = customer;
        m.lotNo = QString::fromLatin1(lot);
        m.lines = r.linesFromIssue(inward.id, takas);
        return m;
    };
    // 201 bleached to 97 m, 202 given back grey as it came, 203 to 98.5 m; then 204 to 94 m.
    MillReceipt first = outward(QDate(2024, 6, 20), "BL-21", {1, 2, 3});
    first.lines[0].finishedMetres = d("97");
    first.lines[1].greyMetres = {};
    first.lines[1].greyReturned = d("95.5");
    first.lines[2].finishedMetres = d("98.5");
    for (MillReceiptLine& l : first.lines) l.rate = d("2.5");
    ASSERT_TRUE(r.save(first)) << test::lastRefusal(year().messages).toStdString();
    MillReceipt second = outward(QDate(2024, 6, 26), "BL-22", {4});
    second.lines[0].finishedMetres = d("94");
    second.lines[0].rate = d("2.5");
    ASSERT_TRUE(r.save(second)) << test::lastRefusal(year().messages).toStdString();
    // The firm's own registers: what each customer sent in, what went back, and what is still in
    // the works on a day (grey given back counts as back).
    const auto run = [&](const char* name, const QDate& to) {
        reports::RegisterChoice choice;
        choice.from = QDate(2024, 6, 1);
        choice.to = to;
        const reports::RegisterDefinition* def = reports::findRegister(QString::fromLatin1(name));
        EXPECT_NE(def, nullptr) << name;
        return reports::Registers(db, year().session, year().folder()).run(*def, choice);
    };
    const reports::RegisterResult inwardRegister = run("bl-inward-by-party", QDate(2024, 6, 30));
    EXPECT_EQ(inwardRegister.title, QStringLiteral("Job Process Inward Challan Register (Party Wise)  From 01-06-2024 To 30-06-2024"));
    ASSERT_EQ(inwardRegister.data.rowCount(), 1);
    EXPECT_EQ(inwardRegister.total(QStringLiteral("Mtrs")).toString(3), QStringLiteral("391.000"));
    const reports::RegisterResult takasIn = run("bl-inward-takas", QDate(2024, 6, 30));
    EXPECT_EQ(takasIn.data.rowCount(), 4);
    EXPECT_EQ(takasIn.total(QStringLiteral("GreyRet")).toString(3), QStringLiteral("95.500"));
    EXPECT_EQ(takasIn.total(QStringLiteral("BackMtrs")).toString(3), QStringLiteral("295.500"));  // 100 + 100 + 95.5 of grey processed
    const reports::RegisterResult outSummary = run("bl-outward-summary", QDate(2024, 6, 30));
    ASSERT_EQ(outSummary.data.rowCount(), 1);
    EXPECT_EQ(outSummary.total(QStringLiteral("Challans")).toString(0), QStringLiteral("2"));
    EXPECT_EQ(outSummary.total(QStringLiteral("FinMtrs")).toString(3), QStringLiteral("289.500"));
    EXPECT_EQ(outSummary.total(QStringLiteral("Amount")).toString(2), QStringLiteral("723.75"));
    EXPECT_EQ(run("bl-takas-pending", QDate(2024, 6, 19)).total(QStringLiteral("PendMtrs")).toString(3), QStringLiteral("391.000"));
    const reports::RegisterResult pendingOn21 = run("bl-takas-pending", QDate(2024, 6, 21));
    ASSERT_EQ(pendingOn21.data.rowCount(), 1);  // 204 alone: 202 came back grey, 201 and 203 processed
    EXPECT_EQ(pendingOn21.total(QStringLiteral("PendMtrs")).toString(3), QStringLiteral("95.500"));
    EXPECT_EQ(run("bl-pending-summary", QDate(2024, 6, 30)).data.rowCount(), 0);
    // The print types of the firm's challans: the outward challan without rates for the cloth's
    // journey, with each taka's weight and the bill; the inward challan's taka list and its
    // acknowledgement.
    QTemporaryDir dir;
    const auto printed = [&](qint64 id, int type) {
        const QString pdf = dir.filePath(QStringLiteral("bl-%1-%2.pdf").arg(id).arg(type));
        writeMillPdf(db, year().session, id, pdf, type, true);
        test::keepForLooking(pdf);
        return test::pdfText(pdf, false);
    };
    EXPECT_EQ(millReceiptRequest(db, year().session, first.id, 2, true).layoutName, QStringLiteral("Issue_JobWork_Rec_BL_2.rpt"));
    EXPECT_EQ(millIssueRequest(db, year().session, inward.id, 3, true).layoutName, QStringLiteral("Issue_JobWork_Iss_BL_3.rpt"));
    const QString delivery = printed(first.id, 2);
    for (const char* expected : {"JOB PROCESS OUTWARD CHALLAN (DELIVERY)", "Lot No : BL-21", "97.000", "98.500", "95.500", "Receiver's Signature"})
        EXPECT_TRUE(delivery.contains(QString::fromUtf8(expected))) << expected << "\n" << delivery.toStdString();
    EXPECT_FALSE(delivery.contains(QStringLiteral("Bill Amount")));
    EXPECT_FALSE(delivery.contains(QStringLiteral("488.75")));
    const QString withRates = printed(first.id, 3);
    for (const char* expected : {"JOB PROCESS OUTWARD CHALLAN", "Weight", "Rate", "242.50", "246.25", "488.75", "Bill Amount"})
        EXPECT_TRUE(withRates.contains(QString::fromUtf8(expected))) << expected << "\n" << withRates.toStdString();
    const QString takaList = printed(inward.id, 2);
    for (const char* expected : {"JOB PROCESS INWARD CHALLAN", "Inward Ch. No : 1", "Ramesh Silk Stores", "201", "204", "391.000"})
        EXPECT_TRUE(takaList.contains(QString::fromUtf8(expected))) << expected << "\n" << takaList.toStdString();
    const QString acknowledged = printed(inward.id, 3);
    EXPECT_TRUE(acknowledged.contains(QStringLiteral("Received the above 4 takas for Bleaching in good condition.")))
        << acknowledged.toStdString();

    // A delivery challan that happens to carry the first outward challan's key must not be touched.
    db.exec(QStringLiteral("INSERT INTO ChalanMst (Id, FirmNO, BookNO, BillNO, BillDate, PartyID, IsSale) VALUES (?, 1, 1, '9', ?, ?, 0)"),
            {first.id, QDate(2024, 6, 21), customer});
    const auto billed = [&](qint64 id) { return db.scalar(QStringLiteral("SELECT IsCN FROM JobWork_IssueMst_1 WHERE Id = ?"), {id}).toInt() != 0; };

    trade::PeriodBilling period(db, year().session, year().messages);
    ASSERT_TRUE(period.billsJobWork());
    const auto listed = period.unbilledChallans(customer, QDate(2024, 6, 1), QDate(2024, 6, 30));
    ASSERT_TRUE(listed);
    ASSERT_EQ(listed->size(), 2u);
    EXPECT_EQ(listed->at(0).challanNo, QString::number(first.challanNo));
    EXPECT_EQ(listed->at(0).metres.toString(3), QStringLiteral("195.500"));
    EXPECT_EQ(listed->at(0).pieces.toString(0), QStringLiteral("2"));  // the grey-returned taka is not charged
    EXPECT_EQ(listed->at(0).amount.toString(2), QStringLiteral("488.75"));
    const auto each = period.lines({first.id}, false);
    ASSERT_EQ(each.size(), 2u);
    EXPECT_EQ(each[0].description, QStringLiteral("Taka 201"));
    EXPECT_EQ(each[1].description, QStringLiteral("Taka 203"));
    EXPECT_EQ(each[1].input.metres.toString(3), QStringLiteral("98.500"));
    EXPECT_EQ(each[1].input.listRate.toString(2), QStringLiteral("2.50"));
    EXPECT_EQ(each[1].challanSrno, 3);

    // The bill charges for the work; the cloth moved on the challans, so the stock stays as it is.
    const auto closing = [&] {
        stock::StockFilter f;
        f.itemId = 201;
        const auto figures = stock::stockFigures(db, 1, {QDate(2024, 4, 1), QDate(2024, 6, 30)}, stock::StockUnit::Priced, f);
        return figures.empty() ? Decimal() : figures.front().closing();
    };
    const Decimal stockBefore = closing();
    trade::SalesInvoices invoices(db, year().session, year().messages);
    trade::SalesBill bill;
    bill.bookNo = 1;
    bill.billNo = QStringLiteral("JW-1");
    bill.date = QDate(2024, 6, 30);
    bill.partyId = customer;
    bill.lines = period.lines({first.id, second.id}, true);
    ASSERT_EQ(bill.lines.size(), 2u);  // one summed line per challan
    EXPECT_EQ(bill.lines[0].input.metres.toString(3), QStringLiteral("195.500"));
    const auto billId = invoices.save(bill);
    ASSERT_TRUE(billId) << test::lastRefusal(year().messages).toStdString();
    // 289.5 m at 2.50 of job work on the bill; both challans marked, the delivery challan not.
    EXPECT_DOUBLE_EQ(db.scalar(QStringLiteral("SELECT BAmt FROM SalBillMst WHERE Id = ?"), {*billId}).toDouble(), 723.75);
    EXPECT_EQ(year().count(QStringLiteral("SalBillDtl"), QStringLiteral("BillMstId = ? AND DChForm = 17"), {*billId}), 2);
    EXPECT_TRUE(billed(first.id));
    EXPECT_TRUE(billed(second.id));
    EXPECT_EQ(closing(), stockBefore);
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT IsSale FROM ChalanMst WHERE Id = ?"), {first.id}).toInt(), 0);
    EXPECT_TRUE(period.unbilledChallans(customer, QDate(2024, 6, 1), QDate(2024, 6, 30))->empty());
    EXPECT_EQ(period.unbilledChallans(customer, QDate(2024, 6, 1), QDate(2024, 6, 30), *billId)->size(), 2u);
    // The bill shows where each line came from.
    const auto source = period.challan(bill.lines[1].challanId, bill.lines[1].challanForm);
    ASSERT_TRUE(source);
    EXPECT_EQ(source->date, QDate(2024, 6, 26));

    // A billed outward challan is locked; nothing of it changes.
    year().messages.clear();
    MillReceipt edited = *r.load(first.id);
    edited.notes = QStringLiteral("after the bill");
    EXPECT_FALSE(r.save(edited));
    EXPECT_TRUE(year().messages.has(MessageKind::Critical, QStringLiteral("Challan Is Sold"), QStringLiteral("This Challan Is Sold, You Can not modify or delete")));
    EXPECT_FALSE(r.remove(first.id));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT Notes FROM JobWork_IssueMst_1 WHERE Id = ?"), {first.id}).toString(), QString());
    EXPECT_EQ(year().count(QStringLiteral("JobWork_IssueDtl_1"), QStringLiteral("BillMstId = ?"), {first.id}), 3);

    // Nor billed twice: the second bill is refused whole.
    trade::SalesBill twice = bill;
    twice.id = 0;
    twice.billNo = QStringLiteral("JW-2");
    twice.lines = period.lines({first.id}, false);
    const int bills = year().count(QStringLiteral("SalBillMst")), journal = year().count(QStringLiteral("HeadDtl3"));
    EXPECT_FALSE(invoices.save(twice));
    EXPECT_TRUE(year().messages.has(MessageKind::Critical, QStringLiteral("Data Duplication"), QStringLiteral("This Chalan is Already Sold !")));
    EXPECT_EQ(year().count(QStringLiteral("SalBillMst")), bills);
    EXPECT_EQ(year().count(QStringLiteral("HeadDtl3")), journal);

    // The bill edited without the second challan lets it go; deleting the bill frees the first.
    bill.lines = period.lines({first.id}, true);
    ASSERT_TRUE(invoices.save(bill)) << test::lastRefusal(year().messages).toStdString();
    EXPECT_TRUE(billed(first.id));
    EXPECT_FALSE(billed(second.id));
    ASSERT_TRUE(invoices.remove(*billId));
    EXPECT_FALSE(billed(first.id));
    edited = *r.load(first.id);
    edited.notes = QStringLiteral("after the bill");
    ASSERT_TRUE(r.save(edited)) << test::lastRefusal(year().messages).toStdString();
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT Notes FROM JobWork_IssueMst_1 WHERE Id = ?"), {first.id}).toString(), QStringLiteral("after the bill"));
}

}  // namespace
