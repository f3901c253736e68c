// Purchase bills saved and posted: a grey purchase with its takas, an IGST bill with TDS, a
// reverse-charge expense bill, each journal checked line by line; re-saves that keep Id, serial and
// journal; the supplier's bill number finding the earlier bill; opening bills; every refusal with
// nothing written. Runs on both engines (TANABANA_BOTH_ENGINES).
#include "domain/masters/DefaultChart.h"
#include "domain/trade/PurchaseInvoices.h"
#include "domain/vouchers/JournalVouchers.h"
#include "support/FirmBooks.h"
#include "support/YearFixture.h"
#include "support/Amounts.h"

#include <gtest/gtest.h>

using namespace tanabana;
using namespace tanabana::trade;

namespace {

struct PostedLine {
    QString account;
    QString side;
    QString amount;
    bool operator==(const PostedLine&) const = default;
};

std::ostream& operator<<(std::ostream& os, const PostedLine& p) {
    return os << p.account.toStdString() << ' ' << p.side.toStdString() << ' ' << p.amount.toStdString();
}

PostedLine dr(const QString& account, const char* amount) { return {account, QStringLiteral("D"), QString::fromLatin1(amount)}; }
PostedLine cr(const QString& account, const char* amount) { return {account, QStringLiteral("C"), QString::fromLatin1(amount)}; }

class PurchaseInvoiceTest : public ::testing::Test {
protected:
    void SetUp() override {
        TANABANA_REQUIRE_ENGINE();
        year_ = std::make_unique<test::YearFixture>();
        auto& db = year().db();
        test::seedDefaultChart(db);
        year().session.firm.insert(QStringLiteral("CST"), QStringLiteral("24-Gujarat"));
        year().session.firm.insert(QStringLiteral("Is_Pur_RndOff"), 1);
        weaver = test::addAccount(db, QStringLiteral("Laxmi Weaving Works"), 76);
        bhiwandi = test::addAccount(db, QStringLiteral("Bhiwandi Looms"), 76, 1, QStringLiteral("27-Maharashtra"));
        transporter = test::addAccount(db, QStringLiteral("Shree Ganesh Roadways"), 80);
        db.exec(QStringLiteral("UPDATE AccMst SET Is_RevCh = 1 WHERE Id = ?"), {transporter});
        addItem(201, QStringLiteral("Rapier 60 Grey"), 1);
        addItem(202, QStringLiteral("Poly Viscose 58"), 1);
        addItem(203, QStringLiteral("Cotton Cambric"), 2);
    }

    void addItem(qint64 id, const QString& name, int gstCalc) {
        year().db().exec(QStringLiteral("INSERT INTO ProdMst (Id, ProdCode, ProdName, StkType, Vat, AddTax, VatCalc, CalcOn, PurRate, "
                                        "hsnCode, UNit, IsActive, IsNewPro, FirmNO) VALUES (?, ?, ?, 'F', 2.5, 2.5, ?, 1, 0, '5407', 'MTR', 1, 0, 1)"),
                         {id, QString::number(id), name, gstCalc});
    }

    PurchaseInvoices service() { return PurchaseInvoices(year().db(), year().session, year().messages); }

    static PurchaseLine line(qint64 item, const char* metres, const char* rate, int gstCalc = 1) {
        PurchaseLine l;
        l.qualityId = item;
        l.input.metres = d(metres);
        l.input.listRate = d(rate);
        l.input.sgstPercent = d("2.5");
        l.input.cgstPercent = d("2.5");
        l.input.gstCalc = gstCalc;
        return l;
    }

    // 4 takas, 398.5 m of grey at 52.00; 50 m at 120.00 less 5% with 100.00 freight.
    PurchaseBill greyBill(const QString& no = QStringLiteral("LW/118")) {
        PurchaseBill b;
        b.bookId = 2;
        b.billNo = no;
        b.date = QDate(2024, 6, 3);
        b.partyId = weaver;
        b.creditDays = 30;
        b.lotNo = QStringLiteral("L-24");
        b.transport = QStringLiteral("Om Logistics");
        b.lines = {line(201, "398.5", "52"), line(202, "50", "120")};
        b.lines[1].input.discountPercent = d("5");
        b.lines[1].input.freight = d("100");
        b.takas = {{QStringLiteral("101"), d("99.5")}, {QStringLiteral("102"), d("100")}, {QStringLiteral("103"), d("98.5")},
                   {QStringLiteral("104"), d("100.5")}};
        return b;
    }

    PurchaseBill freightBill() {
        PurchaseBill b;
        b.kind = PurchaseKind::Expense;
        b.bookId = 3;
        b.billNo = QStringLiteral("GT/311");
        b.date = QDate(2024, 6, 5);
        b.partyId = transporter;
        b.expenseAccountId = test::accountId(year().db(), masters::chart::GeneralExpenses);
        PurchaseLine l = line(0, "1", "10000");
        b.lines = {l};
        return b;
    }

    std::vector<PostedLine> journal(qint64 billId) {
        std::vector<PostedLine> lines;
        for (const db::Row& r : year().db().query(QStringLiteral("SELECT a.AcName, h.Type, h.DrAmt, h.CrAmt FROM HeadDtl3 h JOIN AccMst a "
                                                                 "ON a.Id = h.AccId WHERE h.TableCode = 1 AND h.VoucherNo = ? "
                                                                 "ORDER BY h.Type DESC, h.SubSrno"),
                                                  {billId})) {
            const bool debit = r.text(QStringLiteral("Type")) == QStringLiteral("D");
            lines.push_back({r.text(QStringLiteral("AcName")), r.text(QStringLiteral("Type")),
                             Decimal::fromVariant(r.value(debit ? QStringLiteral("DrAmt") : QStringLiteral("CrAmt"))).toString(2)});
        }
        return lines;
    }

    // The lines of one journal (a reverse-charge voucher), debits first.
    std::vector<PostedLine> voucherLines(qint64 journalNo) {
        std::vector<PostedLine> lines;
        for (const db::Row& r : year().db().query(QStringLiteral("SELECT a.AcName, h.Type, h.DrAmt, h.CrAmt FROM HeadDtl3 h JOIN AccMst a "
                                                                 "ON a.Id = h.AccId WHERE h.JournalNo = ? ORDER BY h.Type DESC, h.SubSrno"),
                                                  {journalNo})) {
            const bool debit = r.text(QStringLiteral("Type")) == QStringLiteral("D");
            lines.push_back({r.text(QStringLiteral("AcName")), r.text(QStringLiteral("Type")),
                             Decimal::fromVariant(r.value(debit ? QStringLiteral("DrAmt") : QStringLiteral("CrAmt"))).toString(2)});
        }
        return lines;
    }

    QString column(const QString& sql, const QVariantList& params) { return year().db().scalar(sql, params).toString(); }

    void expectNothingWritten() {
        for (const char* table : {"BillMst", "BillDtl", "BillMst_TakaDetail", "HeadDtl3"})
            EXPECT_EQ(year().count(QString::fromLatin1(table)), 0) << table;
    }

    test::YearFixture& year() { return *year_; }
    std::unique_ptr<test::YearFixture> year_;
    qint64 weaver = 0, bhiwandi = 0, transporter = 0;
};

TEST_F(PurchaseInvoiceTest, GreyPurchaseWithTakasPostsPurchaseInputGstAndRoundOff) {
    auto s = service();
    PurchaseBill b = greyBill();
    const auto id = s.save(b);
    ASSERT_TRUE(id);
    EXPECT_TRUE(year().messages.has(MessageKind::Information, QStringLiteral("Save Confirmation"), QStringLiteral("ONE TRANSACTION IS SAVED")));

    // 20,722.00 + 5,700.00 + 100.00 freight taxable; GST 518.05 + 145.00 each side; 27,848.10 -> 27,848.
    const auto h = year().db().queryOne(QStringLiteral("SELECT * FROM BillMst WHERE Id = ?"), {*id});
    ASSERT_TRUE(h);
    EXPECT_EQ(h->integer(QStringLiteral("FormId")), 1);
    EXPECT_EQ(h->integer(QStringLiteral("BillSrno")), 1);
    EXPECT_DOUBLE_EQ(h->number(QStringLiteral("Amt")), 26422.0);
    EXPECT_DOUBLE_EQ(h->number(QStringLiteral("TotAmt")), 26522.0);
    EXPECT_DOUBLE_EQ(h->number(QStringLiteral("VatRs")), 663.05);
    EXPECT_DOUBLE_EQ(h->number(QStringLiteral("ATAXRs")), 663.05);
    EXPECT_DOUBLE_EQ(h->number(QStringLiteral("OtherP")), -0.10);
    EXPECT_DOUBLE_EQ(h->number(QStringLiteral("BillAmount")), 27848.0);
    EXPECT_DOUBLE_EQ(h->number(QStringLiteral("UnPaidAmt")), 27848.0);
    EXPECT_EQ(h->date(QStringLiteral("PDueDate")), QDate(2024, 7, 3));
    EXPECT_EQ(h->integer(QStringLiteral("GenPurAccId")), 0);

    const auto second = year().db().queryOne(QStringLiteral("SELECT * FROM BillDtl WHERE BillMstId = ? AND Srno = 2"), {*id});
    EXPECT_DOUBLE_EQ(second->number(QStringLiteral("PRate1")), 120.0);
    EXPECT_DOUBLE_EQ(second->number(QStringLiteral("PRate")), 114.0);
    EXPECT_DOUBLE_EQ(second->number(QStringLiteral("PAmt")), 5700.0);
    EXPECT_DOUBLE_EQ(second->number(QStringLiteral("Freight_D")), 100.0);
    EXPECT_DOUBLE_EQ(second->number(QStringLiteral("VatRsD")), 145.0);
    EXPECT_DOUBLE_EQ(second->number(QStringLiteral("TotAmtD")), 6090.0);
    EXPECT_EQ(year().count(QStringLiteral("BillMst_TakaDetail"), QStringLiteral("BillMst_Id = ? AND BillSrno = 1"), {*id}), 4);
    // The item's purchase rate follows the bill.
    EXPECT_EQ(column(QStringLiteral("SELECT PurRate FROM ProdMst WHERE Id = 202"), {}).toDouble(), 114.0);

    const std::vector<PostedLine> expected{dr(masters::chart::Purchase, "26522.00"), dr(masters::chart::InputSgst, "663.05"),
                                       dr(masters::chart::InputCgst, "663.05"), cr(QStringLiteral("Laxmi Weaving Works"), "27848.00"),
                                       cr(masters::chart::RoundOff, "0.10")};
    EXPECT_EQ(journal(*id), expected);
    const QString desc = year().db().dialect().quote(QStringLiteral("Desc"));
    EXPECT_EQ(column(QStringLiteral("SELECT %1 FROM HeadDtl3 WHERE AccId = ?").arg(desc), {weaver}),
              QStringLiteral("Pur Inv - LW/118 - Laxmi Weaving Works"));
    EXPECT_EQ(column(QStringLiteral("SELECT Narr FROM HeadDtl3 WHERE AccId = ?"), {test::accountId(year().db(), masters::chart::InputSgst)}),
              QStringLiteral("Taxable Amt : 26522.00"));

    // The next bill of the item shows this one's rate; the supplier's number opens this bill.
    EXPECT_EQ(s.lastPurchaseRate(weaver, 202), QStringLiteral("Rate  : 114 [ BILL No.LW/118 Dt: 03-06-24 ]"));
    EXPECT_EQ(s.lastPurchaseRate(bhiwandi, 202), QString());
    EXPECT_EQ(s.billOfParty(weaver, QStringLiteral(" LW/118 ")), id);
    EXPECT_FALSE(s.billOfParty(bhiwandi, QStringLiteral("LW/118")));
}

TEST_F(PurchaseInvoiceTest, ScreenListsOfferTheKindsSuppliersItemsAndTransporters) {
    auto s = service();
    auto names = [](const std::vector<documents::PartyChoice>& parties) {
        QStringList out;
        for (const auto& p : parties) out << p.name;
        return out;
    };
    EXPECT_EQ(names(s.suppliers(PurchaseKind::Goods, QStringLiteral("b"))), QStringList{"Bhiwandi Looms"});
    EXPECT_EQ(names(s.suppliers(PurchaseKind::Expense, QStringLiteral("shree"))), QStringList{"Shree Ganesh Roadways"});
    EXPECT_TRUE(s.suppliers(PurchaseKind::Expense, QStringLiteral("laxmi")).empty()) << "a weaver bills no services";
    EXPECT_EQ(names(s.expenseAccounts(QStringLiteral("general exp"))), QStringList{masters::chart::GeneralExpenses});

    PurchaseBill b = greyBill();
    ASSERT_TRUE(s.save(b));
    const std::vector<PurchaseItem> items = s.items(QStringLiteral("poly"));
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].purchaseRate, d("114"));  // the bill's net rate of 120 less 5%
    EXPECT_EQ(items[0].hsn, QStringLiteral("5407"));
    PurchaseLine next;
    next.input.listRate = d("118");
    PurchaseInvoices::applyItem(next, *s.item(203), true);
    EXPECT_EQ(next.input.gstCalc, 2);
    EXPECT_EQ(next.input.listRate, d("118"));
    PurchaseInvoices::applyItem(next, items[0], false);
    EXPECT_EQ(next.qualityId, 202);
    EXPECT_EQ(next.input.listRate, d("114"));
    EXPECT_EQ(s.transporters(QStringLiteral("om")), QStringList{"Om Logistics"});
    EXPECT_EQ(s.partyBalance(weaver), QStringLiteral("27848 Cr."));
}

TEST_F(PurchaseInvoiceTest, ResaveKeepsIdSerialJournalAndMillMarks) {
    auto s = service();
    PurchaseBill first = greyBill();
    const auto id = s.save(first);
    ASSERT_TRUE(id);
    PurchaseBill other = greyBill(QStringLiteral("LW/119"));
    other.takas.clear();
    ASSERT_TRUE(s.save(other));
    EXPECT_EQ(column(QStringLiteral("SELECT BillSrno FROM BillMst WHERE Id = ?"), {other.id}), QStringLiteral("2"));
    const qint64 journalNo = year().db().scalar(QStringLiteral("SELECT JournalNo FROM HeadDtl3 WHERE TableCode = 1 AND VoucherNo = ?"), {*id}).toLongLong();
    year().db().exec(QStringLiteral("UPDATE BillMst_TakaDetail SET Is_Issued = 1 WHERE TakaNO = '102'"));

    PurchaseBill again = *s.load(*id);
    ASSERT_EQ(again.lines.size(), 2u);
    EXPECT_EQ(again.lines[1].input.freight, d("100"));
    EXPECT_EQ(again.takas.size(), 4u);
    again.lines.resize(1);  // the grey alone: 20,722 + 518.05 x 2 = 21,758.10 -> 21,758
    ASSERT_EQ(s.save(again), id);
    EXPECT_EQ(column(QStringLiteral("SELECT BillSrno FROM BillMst WHERE Id = ?"), {*id}), QStringLiteral("1"));
    EXPECT_EQ(year().count(QStringLiteral("BillDtl"), QStringLiteral("BillMstId = ?"), {*id}), 1);
    const std::vector<PostedLine> expected{dr(masters::chart::Purchase, "20722.00"), dr(masters::chart::InputSgst, "518.05"),
                                       dr(masters::chart::InputCgst, "518.05"), cr(QStringLiteral("Laxmi Weaving Works"), "21758.00"),
                                       cr(masters::chart::RoundOff, "0.10")};
    EXPECT_EQ(journal(*id), expected);
    EXPECT_EQ(year().count(QStringLiteral("HeadDtl3"), QStringLiteral("JournalNo = ?"), {journalNo}), 5);
    EXPECT_EQ(year().count(QStringLiteral("BillMst_TakaDetail"), QStringLiteral("BillMst_Id = ? AND Is_Issued = 1 AND TakaNO = '102'"), {*id}), 1);
}

TEST_F(PurchaseInvoiceTest, SupplierOfAnotherStateWithTdsPostsIgstAndTheDeduction) {
    auto s = service();
    PurchaseBill b = greyBill(QStringLiteral("BL-77"));
    b.partyId = bhiwandi;
    b.lines = {line(203, "100", "105", 2)};  // 105 with GST inside: 100.00 net
    b.takas.clear();
    b.tdsPercent = d("0.1");
    const auto id = s.save(b);
    ASSERT_TRUE(id);
    const auto l = year().db().queryOne(QStringLiteral("SELECT * FROM BillDtl WHERE BillMstId = ?"), {*id});
    EXPECT_DOUBLE_EQ(l->number(QStringLiteral("PRate")), 100.0);
    EXPECT_DOUBLE_EQ(l->number(QStringLiteral("IGSTP")), 5.0);
    EXPECT_DOUBLE_EQ(l->number(QStringLiteral("IGSTRs")), 500.0);
    EXPECT_DOUBLE_EQ(l->number(QStringLiteral("ATaxPD")), 0.0);
    EXPECT_EQ(column(QStringLiteral("SELECT CSTRs FROM BillMst WHERE Id = ?"), {*id}).toDouble(), 500.0);
    EXPECT_EQ(column(QStringLiteral("SELECT UnPaidAmt FROM BillMst WHERE Id = ?"), {*id}).toDouble(), 10490.0);
    const std::vector<PostedLine> expected{dr(masters::chart::Purchase, "10000.00"), dr(masters::chart::InputIgst, "500.00"),
                                       dr(QStringLiteral("Bhiwandi Looms"), "10.00"), cr(QStringLiteral("Bhiwandi Looms"), "10500.00"),
                                       cr(masters::chart::TdsPayable, "10.00")};
    EXPECT_EQ(journal(*id), expected);
    const QString desc = year().db().dialect().quote(QStringLiteral("Desc"));
    EXPECT_EQ(column(QStringLiteral("SELECT %1 FROM HeadDtl3 WHERE AccId = ?").arg(desc),
                     {test::accountId(year().db(), masters::chart::TdsPayable)}),
              QStringLiteral("Purchase Inv No  - BL-77  (10000.00 * 0.1 % )"));

    // A re-opened bill keeps its 105 with GST inside.
    const PurchaseBill again = *s.load(*id);
    EXPECT_EQ(s.compute(again).lines.at(0).rate, d("100"));
    EXPECT_EQ(again.lines.at(0).input.listRate, d("105"));
}

TEST_F(PurchaseInvoiceTest, ReverseChargeExpenseOwesTheTransporterNoGstAndBooksItTwice) {
    auto s = service();
    PurchaseBill b = freightBill();
    b.reverseChargeId = 7;
    b.reverseChargeBillNo = QStringLiteral("PRC-7");
    const auto id = s.save(b);
    ASSERT_TRUE(id);
    EXPECT_EQ(column(QStringLiteral("SELECT BillAmount FROM BillMst WHERE Id = ?"), {*id}).toDouble(), 10000.0);
    EXPECT_EQ(column(QStringLiteral("SELECT VatRs FROM BillMst WHERE Id = ?"), {*id}).toDouble(), 250.0);
    // The bill owes the transporter the freight alone; its GST is a journal voucher of its own.
    const std::vector<PostedLine> bill{dr(masters::chart::GeneralExpenses, "10000.00"), cr(QStringLiteral("Shree Ganesh Roadways"), "10000.00")};
    EXPECT_EQ(journal(*id), bill);
    const qint64 rcmJournal = column(QStringLiteral("SELECT RCM_JVNO FROM BillMst WHERE Id = ?"), {*id}).toLongLong();
    ASSERT_GT(rcmJournal, 0);
    EXPECT_EQ(b.reverseChargeJournalNo, rcmJournal);
    const std::vector<PostedLine> voucher{dr(masters::chart::RcmInputSgst, "250.00"), dr(masters::chart::RcmInputCgst, "250.00"),
                                      cr(masters::chart::RcmPayableSgst, "250.00"), cr(masters::chart::RcmPayableCgst, "250.00")};
    EXPECT_EQ(voucherLines(rcmJournal), voucher);
    const QString desc = year().db().dialect().quote(QStringLiteral("Desc"));
    EXPECT_EQ(column(QStringLiteral("SELECT %1 FROM HeadDtl3 WHERE AccId = ?").arg(desc), {transporter}),
              QStringLiteral("Pur Inv - GT/311 - Shree Ganesh Roadways (Gen Exp.)"));
    const qint64 rcmSgst = test::accountId(year().db(), masters::chart::RcmInputSgst);
    EXPECT_EQ(column(QStringLiteral("SELECT Narr FROM HeadDtl3 WHERE AccId = ?"), {rcmSgst}), QStringLiteral("Taxable Amt : 10000.00@RCM Bill No : PRC-7"));
    EXPECT_EQ(column(QStringLiteral("SELECT %1 FROM HeadDtl3 WHERE AccId = ?").arg(desc), {rcmSgst}), QStringLiteral("RCM SGST Payable #(JEV-1)"));
    EXPECT_EQ(column(QStringLiteral("SELECT Receiptno FROM HeadDtl3 WHERE AccId = ?"), {rcmSgst}), QStringLiteral("PRC-7"));
    EXPECT_EQ(s.billList(PurchaseKind::Expense).size(), 1u);
    EXPECT_TRUE(s.billList(PurchaseKind::Goods).empty());
    const ReverseChargeDay day = s.reverseChargeDay(QDate(2024, 6, 5));
    EXPECT_EQ(day.all, d("10000"));
    EXPECT_TRUE(day.withoutGst.isZero());

    // Saved again with a higher freight: the same voucher, its amounts follow the bill.
    PurchaseBill again = *s.load(*id);
    again.lines[0].input.listRate = d("12000");
    again.reverseChargeId = 0;  // the references are the day's, not the screen's
    ASSERT_EQ(s.save(again), id);
    EXPECT_EQ(column(QStringLiteral("SELECT RCM_JVNO FROM BillMst WHERE Id = ?"), {*id}).toLongLong(), rcmJournal);
    EXPECT_EQ(column(QStringLiteral("SELECT RCM_BillNO FROM BillMst WHERE Id = ?"), {*id}), QStringLiteral("PRC-7"));
    EXPECT_EQ(voucherLines(rcmJournal).front(), dr(masters::chart::RcmInputSgst, "300.00"));
    EXPECT_EQ(year().count(QStringLiteral("HeadDtl3"), QStringLiteral("TableCode = 9")), 4);

    // Before the reverse charge is worked out the same bill posts its GST as ordinary input.
    PurchaseBill plain = freightBill();
    plain.billNo = QStringLiteral("GT/312");
    const auto plainId = s.save(plain);
    ASSERT_TRUE(plainId);
    const std::vector<PostedLine> ordinary{dr(masters::chart::GeneralExpenses, "10000.00"), dr(masters::chart::InputSgst, "250.00"),
                                       dr(masters::chart::InputCgst, "250.00"), cr(QStringLiteral("Shree Ganesh Roadways"), "10500.00")};
    EXPECT_EQ(journal(*plainId), ordinary);

    // Its reverse-charge journal keeps the bill.
    EXPECT_FALSE(s.remove(*id));
    EXPECT_TRUE(year().messages.has(MessageKind::Critical, QStringLiteral("Delete Not Possible"),
                                    QStringLiteral("Invoice Reverse Charge Entry is Entered in \n Journal No : ") + QString::number(rcmJournal)));
    EXPECT_EQ(year().count(QStringLiteral("BillMst"), QStringLiteral("Id = ?"), {*id}), 1);
    EXPECT_EQ(year().count(QStringLiteral("HeadDtl3"), QStringLiteral("JournalNo = ?"), {rcmJournal}), 4);
}

TEST_F(PurchaseInvoiceTest, DayOverTheFreeLimitTurnsItsTransporterBillsToReverseChargeAndBack) {
    auto s = service();
    year().session.firm.insert(QStringLiteral("RCM_Limit"), 12000);
    PurchaseBill first = freightBill();  // 10,000 + 500 GST
    ASSERT_TRUE(s.save(first));
    PurchaseBill second = freightBill();
    second.billNo = QStringLiteral("GT/312");
    second.lines[0].input.listRate = d("1000");  // 1,000 + 50 GST
    ASSERT_TRUE(s.save(second));
    PurchaseBill goods = greyBill();  // a weaver's bill of the same day is no reverse charge
    goods.date = QDate(2024, 6, 5);
    ASSERT_TRUE(s.save(goods));
    const int lines = year().count(QStringLiteral("HeadDtl3"));
    const std::vector<PostedLine> ordinary = journal(second.id);

    // 11,550 is within a limit of 12,000: nothing changes.
    EXPECT_EQ(s.reverseChargeDay(QDate(2024, 6, 5)).all, d("11550"));
    EXPECT_EQ(s.calculateReverseCharge(QDate(2024, 6, 5)), 0);
    EXPECT_TRUE(year().messages.has(MessageKind::Critical, QStringLiteral("RCM Calculate"),
                                    QStringLiteral("Reverse charge purchases of 05-06-2024 : 11550.00 are within the limit of 12000.00")));
    EXPECT_EQ(year().count(QStringLiteral("BillMst"), QStringLiteral("RCM_ID > 0")), 0);
    EXPECT_EQ(year().count(QStringLiteral("HeadDtl3")), lines);

    year().session.firm.insert(QStringLiteral("RCM_Limit"), 10000);
    EXPECT_EQ(s.calculateReverseCharge(QDate(2024, 6, 5)), 2);
    EXPECT_TRUE(year().messages.has(MessageKind::Information, QStringLiteral("RCM Calculate"), QStringLiteral("Reverse charge of 05-06-2024 : 2 bills")));
    EXPECT_EQ(column(QStringLiteral("SELECT RCM_BillNO FROM BillMst WHERE Id = ?"), {first.id}), QStringLiteral("PRC-1"));
    EXPECT_EQ(column(QStringLiteral("SELECT RCM_BillNO FROM BillMst WHERE Id = ?"), {second.id}), QStringLiteral("PRC-2"));
    EXPECT_EQ(column(QStringLiteral("SELECT BillAmount FROM BillMst WHERE Id = ?"), {second.id}).toDouble(), 1000.0);
    EXPECT_EQ(column(QStringLiteral("SELECT UnPaidAmt FROM BillMst WHERE Id = ?"), {second.id}).toDouble(), 1000.0);
    const std::vector<PostedLine> bill{dr(masters::chart::GeneralExpenses, "1000.00"), cr(QStringLiteral("Shree Ganesh Roadways"), "1000.00")};
    EXPECT_EQ(journal(second.id), bill);
    const qint64 firstJv = column(QStringLiteral("SELECT RCM_JVNO FROM BillMst WHERE Id = ?"), {first.id}).toLongLong();
    const qint64 secondJv = column(QStringLiteral("SELECT RCM_JVNO FROM BillMst WHERE Id = ?"), {second.id}).toLongLong();
    ASSERT_GT(firstJv, 0);
    ASSERT_GT(secondJv, 0);
    EXPECT_NE(firstJv, secondJv);
    const std::vector<PostedLine> voucher{dr(masters::chart::RcmInputSgst, "25.00"), dr(masters::chart::RcmInputCgst, "25.00"),
                                      cr(masters::chart::RcmPayableSgst, "25.00"), cr(masters::chart::RcmPayableCgst, "25.00")};
    EXPECT_EQ(voucherLines(secondJv), voucher);
    // Each voucher is a journal voucher of the firm, numbered in the journal vouchers' series.
    EXPECT_EQ(year().count(QStringLiteral("HeadDtl3"), QStringLiteral("TableCode = 9 AND VoucherNo IN (1, 2)")), 8);
    EXPECT_EQ(column(QStringLiteral("SELECT RCM_ID FROM BillMst WHERE Id = ?"), {goods.id}), QStringLiteral("0"));
    // Worked out once: a second run finds nothing left to change.
    EXPECT_EQ(s.calculateReverseCharge(QDate(2024, 6, 5)), 0);
    EXPECT_FALSE(s.remove(second.id));
    EXPECT_EQ(year().messages.last().title, QStringLiteral("Delete Not Possible"));

    // A payment made at the reverse-charge amount keeps the day as it is.
    year().db().exec(QStringLiteral("UPDATE BillMst SET PaidAmt = 1000 WHERE Id = ?"), {second.id});
    const int withVouchers = year().count(QStringLiteral("HeadDtl3"));
    EXPECT_EQ(s.removeReverseCharge(QDate(2024, 6, 5)), 0);
    EXPECT_TRUE(year().messages.has(MessageKind::Critical, QStringLiteral("RCM Not Calculate"),
                                    QStringLiteral("Pur. Bill No GT/312\nThis Purchase Invoice Payment is Done\n1000.00\n First Delete Account Payment Entry !")));
    EXPECT_EQ(year().count(QStringLiteral("HeadDtl3")), withVouchers);
    EXPECT_EQ(year().count(QStringLiteral("BillMst"), QStringLiteral("RCM_ID > 0")), 2);

    // Taken back: references and vouchers go, the GST is ordinary input again, the bills may go.
    year().db().exec(QStringLiteral("UPDATE BillMst SET PaidAmt = 0 WHERE Id = ?"), {second.id});
    EXPECT_EQ(s.removeReverseCharge(QDate(2024, 6, 5)), 2);
    EXPECT_TRUE(year().messages.has(MessageKind::Information, QStringLiteral("RCM Not Calculate"),
                                    QStringLiteral("Reverse charge of 05-06-2024 removed : 2 bills")));
    EXPECT_EQ(year().count(QStringLiteral("BillMst"), QStringLiteral("RCM_ID > 0 OR RCM_JVNO > 0 OR RCM_BillNO <> ''")), 0);
    EXPECT_EQ(year().count(QStringLiteral("HeadDtl3"), QStringLiteral("TableCode = 9")), 0);
    EXPECT_EQ(year().count(QStringLiteral("Table_Del_History"), QStringLiteral("FormId = 9")), 2);
    EXPECT_EQ(journal(second.id), ordinary);
    EXPECT_EQ(column(QStringLiteral("SELECT BillAmount FROM BillMst WHERE Id = ?"), {second.id}).toDouble(), 1050.0);
    EXPECT_EQ(year().count(QStringLiteral("HeadDtl3")), lines);
    EXPECT_TRUE(s.remove(second.id));

    // Worked out again, the references start over from the firm's next one.
    EXPECT_EQ(s.calculateReverseCharge(QDate(2024, 6, 5)), 1);
    EXPECT_EQ(column(QStringLiteral("SELECT RCM_BillNO FROM BillMst WHERE Id = ?"), {first.id}), QStringLiteral("PRC-1"));
}

TEST_F(PurchaseInvoiceTest, ReverseChargeVoucherChangesOnlyWithItsBill) {
    auto s = service();
    PurchaseBill b = freightBill();
    b.reverseChargeId = 7;
    b.reverseChargeBillNo = QStringLiteral("PRC-7");
    ASSERT_TRUE(s.save(b));
    vouchers::JournalVouchers jv(year().db(), year().session, year().messages);
    auto voucher = jv.load(1);
    ASSERT_TRUE(voucher);
    const int lines = year().count(QStringLiteral("HeadDtl3"), QStringLiteral("TableCode = 9"));
    const QString refusal = QStringLiteral("Journal Voucher 1 is the reverse charge entry of Purchase Bill No GT/311.\n"
                                           " It changes only with that bill.");
    auto refused = [&](bool done) {
        EXPECT_FALSE(done);
        EXPECT_TRUE(year().messages.has(MessageKind::Critical, QStringLiteral("Reverse Charge Entry"), refusal))
            << year().messages.last().text.toStdString();
        EXPECT_EQ(year().count(QStringLiteral("HeadDtl3"), QStringLiteral("TableCode = 9")), lines);
        year().messages.clear();
    };
    refused(jv.removeVoucher(1));
    refused(jv.removeEntry(1, 1));
    refused(jv.saveWhole(*voucher));
    vouchers::JournalEntry changed = voucher->entries.front();
    changed.amount = d("1");
    refused(jv.saveEntry(*voucher, changed));
    vouchers::JournalEntry added;
    added.creditAccId = transporter;
    added.debitAccId = weaver;
    added.amount = d("10");
    refused(jv.saveEntry(*voucher, added));
    // The bill itself still re-posts its voucher.
    PurchaseBill again = *s.load(b.id);
    again.lines[0].input.listRate = d("12000");
    ASSERT_TRUE(s.save(again));
    EXPECT_EQ(year().count(QStringLiteral("HeadDtl3"), QStringLiteral("TableCode = 9 AND VoucherNo = 1")), lines);
}

TEST_F(PurchaseInvoiceTest, ReverseChargeRefusedAfterYearEnd) {
    auto s = service();
    year().session.firm.insert(QStringLiteral("RCM_Limit"), 5000);
    PurchaseBill b = freightBill();
    ASSERT_TRUE(s.save(b));
    const int lines = year().count(QStringLiteral("HeadDtl3"));
    year().session.firm.insert(QStringLiteral("IsYrEnd"), 1);
    EXPECT_EQ(s.calculateReverseCharge(QDate(2024, 6, 5)), 0);
    EXPECT_TRUE(year().messages.has(MessageKind::Critical, QStringLiteral("Year End Done"), QStringLiteral("Year End Is Completed! \n You Can't Modify/Delete")));
    EXPECT_EQ(s.removeReverseCharge(QDate(2024, 6, 5)), 0);
    EXPECT_EQ(year().count(QStringLiteral("BillMst"), QStringLiteral("RCM_ID > 0")), 0);
    EXPECT_EQ(year().count(QStringLiteral("HeadDtl3")), lines);
}

TEST_F(PurchaseInvoiceTest, RefusalsWriteNothing) {
    auto s = service();
    auto refused = [&](PurchaseBill b, const char* title, const char* text) {
        EXPECT_FALSE(s.save(b));
        EXPECT_EQ(b.id, 0);
        EXPECT_TRUE(year().messages.has(MessageKind::Critical, QString::fromLatin1(title), QString::fromLatin1(text)))
            << title << " / " << year().messages.last().text.toStdString();
    };
    PurchaseBill shortTakas = greyBill();
    shortTakas.takas[3].metres = d("99");  // 397.0 m of takas against 398.5
    refused(shortTakas, "Mtrs Missmatch", "Taka Mtrs And Total Mtrs Not Match");
    PurchaseBill twice = greyBill();
    twice.takas[3].takaNo = QStringLiteral("101");
    refused(twice, "Data Duplication", "Taka No 101 is entered twice");
    PurchaseBill noNumber = greyBill(QStringLiteral("  "));
    refused(noNumber, "System Validation", "Please Select Distributor NAme and Enter Invoice No");
    PurchaseBill salesParty = greyBill();
    salesParty.partyId = test::addAccount(year().db(), QStringLiteral("Ramesh Silk Mills"), 35);
    refused(salesParty, "System Validation", "Please Select Distributor NAme and Enter Invoice No");
    PurchaseBill outside = greyBill();
    outside.date = QDate(2025, 4, 1);
    refused(outside, "BillDate Validate", "Please Select Proper Date");
    PurchaseBill noService = freightBill();
    noService.expenseAccountId = 0;
    refused(noService, "No Service select", "Please select Service Name");
    PurchaseBill longLr = greyBill();
    longLr.lrNo = QString(51, QLatin1Char('L'));
    refused(longLr, "Text Too Long", "L.R.No. is longer than 50 characters. Please shorten it.");
    PurchaseBill longTaka = greyBill();
    longTaka.takas[0].takaNo = QStringLiteral("101-") + QString(17, QLatin1Char('9'));
    refused(longTaka, "Text Too Long", "Taka No is longer than 20 characters. Please shorten it.");
    PurchaseBill charge = greyBill();
    charge.otherCharges = d("75");  // the 0.10 of round-off has nowhere to go
    refused(charge, "Round Off Value not Match", "Please enter round off value ");
    year().db().exec(QStringLiteral("UPDATE BookMst SET PurAccId = 0 WHERE BookNO = 2"));
    PurchaseBill noAccount = greyBill();
    EXPECT_FALSE(s.save(noAccount));
    EXPECT_EQ(year().messages.last().title, QStringLiteral("Ledger Entry Is Not Saved!"));
    year().session.firm.insert(QStringLiteral("IsYrEnd"), 1);
    refused(greyBill(), "Year End Done", "Year End Is Completed! \n You Can't Modify/Delete");
    expectNothingWritten();
    EXPECT_EQ(column(QStringLiteral("SELECT PurRate FROM ProdMst WHERE Id = 201"), {}).toDouble(), 0.0);
}

TEST_F(PurchaseInvoiceTest, DeletePaidRefusedOtherwiseLeavesNoJournalAndAHistoryRow) {
    auto s = service();
    PurchaseBill b = greyBill();
    const auto id = s.save(b);
    ASSERT_TRUE(id);
    PurchaseBill duplicate = greyBill();
    EXPECT_FALSE(s.save(duplicate));
    EXPECT_TRUE(year().messages.has(MessageKind::Critical, QStringLiteral("Bill NO Duplication"), QStringLiteral("This Bill NO is Already exist!")));

    year().db().exec(QStringLiteral("UPDATE BillMst SET PaidAmt = 5000, PaidDt = ? WHERE Id = ?"), {QDate(2024, 7, 1), *id});
    EXPECT_FALSE(s.remove(*id));
    EXPECT_TRUE(year().messages.has(MessageKind::Critical, QStringLiteral("Delete Confirmation"),
                                    QStringLiteral("This Purchase Invoice Payment is Done\n5000.00\n First Delete Account Payment Entry !")));
    PurchaseBill moved = *s.load(*id);
    moved.partyId = bhiwandi;
    moved.takas.clear();
    EXPECT_FALSE(s.save(moved));
    EXPECT_EQ(year().messages.last().title, QStringLiteral("No Party Name Change"));

    year().db().exec(QStringLiteral("UPDATE BillMst SET PaidAmt = 0, PaidDt = NULL WHERE Id = ?"), {*id});
    year().messages.answerNext(false);
    EXPECT_FALSE(s.remove(*id));
    EXPECT_EQ(year().count(QStringLiteral("BillMst")), 1);
    EXPECT_TRUE(s.remove(*id));
    EXPECT_TRUE(year().messages.has(MessageKind::Information, QStringLiteral("Delete Confirmation"), QStringLiteral("Purchase Invoice Is Deleted!")));
    expectNothingWritten();
    EXPECT_EQ(year().count(QStringLiteral("Table_Del_History"), QStringLiteral("Id = ? AND FormId = 1"), {*id}), 1);
}

TEST_F(PurchaseInvoiceTest, OpeningBillWritesItsOutstandingRow) {
    auto s = service();
    PurchaseBill op;
    op.bookId = 2;
    op.partyId = weaver;
    op.billNo = QStringLiteral("LW/97");
    op.date = QDate(2024, 3, 20);
    EXPECT_FALSE(s.saveOpening(op));
    EXPECT_TRUE(year().messages.has(MessageKind::Critical, QStringLiteral("No Pending Amt"), QStringLiteral("Please Enter pending Amount")));
    op.pendingAmount = d("18450.50");
    const auto id = s.saveOpening(op);
    ASSERT_TRUE(id);
    const auto row = year().db().queryOne(QStringLiteral("SELECT * FROM Acc_OutSt WHERE BillId = ? AND Book = 'P'"), {*id});
    ASSERT_TRUE(row);
    EXPECT_EQ(row->integer(QStringLiteral("TableCode")), 1);
    EXPECT_EQ(row->integer(QStringLiteral("VouNo")), 0);
    EXPECT_EQ(row->integer(QStringLiteral("AcId")), weaver);
    EXPECT_DOUBLE_EQ(row->number(QStringLiteral("BillAmt")), 18450.5);
    EXPECT_EQ(column(QStringLiteral("SELECT IsOp FROM BillMst WHERE Id = ?"), {*id}), QStringLiteral("-1"));
    EXPECT_EQ(year().count(QStringLiteral("HeadDtl3")), 0);
    EXPECT_TRUE(s.billList(PurchaseKind::Goods).empty()) << "opening bills stay out of the bill list";
    ASSERT_EQ(s.saveOpening(op), id);  // saved again: still one row
    EXPECT_EQ(year().count(QStringLiteral("Acc_OutSt"), QStringLiteral("BillId = ?"), {*id}), 1);
    EXPECT_TRUE(s.removeOpening(*id));
    EXPECT_TRUE(year().messages.has(MessageKind::Information, QStringLiteral("Delete Confirmation"), QStringLiteral("Invoice  IS Deleted!")));
    EXPECT_EQ(year().count(QStringLiteral("Acc_OutSt")), 0);
    EXPECT_EQ(year().count(QStringLiteral("BillMst")), 0);
}

TEST_F(PurchaseInvoiceTest, QuotesAndGujaratiInNamesAndNumbersAndRupeeRoundedGst) {
    auto& db = year().db();
    const qint64 gujarati = test::addAccount(db, QStringLiteral("શ્રી 'ગણેશ' ટેક્સટાઇલ"), 76);
    db.exec(QStringLiteral("UPDATE AccMst SET Is_Item_RNd = 2 WHERE Id = ?"), {gujarati});
    auto s = service();
    PurchaseBill b = greyBill(QStringLiteral("O'Neil/૧૨"));
    b.partyId = gujarati;
    b.takas.clear();
    b.lines = {line(201, "100", "100.20")};  // 10,020 at 2.5% = 250.50 -> 250 each side
    const auto id = s.save(b);
    ASSERT_TRUE(id);
    EXPECT_EQ(column(QStringLiteral("SELECT BillNO FROM BillMst WHERE Id = ?"), {*id}), QStringLiteral("O'Neil/૧૨"));
    EXPECT_EQ(column(QStringLiteral("SELECT Is_Item_RNd FROM BillMst WHERE Id = ?"), {*id}).toInt(), 2);
    EXPECT_EQ(s.billOfParty(gujarati, QStringLiteral("O'Neil/૧૨")), id);
    const std::vector<PostedLine> expected{dr(masters::chart::Purchase, "10020.00"), dr(masters::chart::InputSgst, "250.00"),
                                       dr(masters::chart::InputCgst, "250.00"), cr(QStringLiteral("શ્રી 'ગણેશ' ટેક્સટાઇલ"), "10520.00")};
    EXPECT_EQ(journal(*id), expected);
}

}  // namespace
