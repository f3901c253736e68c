// What every selling document gets from the shared document kit: numbers taken at the save,
// re-saves that keep what the books already hold (stored GST rates, a GST-inclusive rate as
// typed, payments, takas), deletions recorded for the online copy, texts too long for their
// column refused by name, and the year lock and rights asked of the books. Runs on both engines
// (TANABANA_BOTH_ENGINES).
#include "domain/jobwork/ProductionChallans.h"
#include "domain/masters/DefaultChart.h"
#include "domain/trade/DeliveryChallans.h"
#include "domain/trade/SalesInvoices.h"
#include "support/FirmBooks.h"
#include "support/YearFixture.h"
#include "support/Amounts.h"

#include <gtest/gtest.h>

using namespace tanabana;
using namespace tanabana::trade;

namespace {

// A typed challan line: metres of a quality at a rate per metre.
trade::ChallanLine challanLine(qint64 quality, const char* description, const char* pieces, const char* metres, const char* rate) {
    trade::ChallanLine l;
    l.qualityId = quality;
    l.description = QString::fromLatin1(description);
    l.pieces = d(pieces);
    l.metres = d(metres);
    l.rate = l.listRate = d(rate);
    return l;
}

const QString kYearEndText = QStringLiteral("Year End Is Completed! \n You Can't Modify/Delete");

class DocumentKitTest : public ::testing::Test {
protected:
    void SetUp() override {
        TANABANA_REQUIRE_ENGINE();
        year_ = std::make_unique<test::YearFixture>();
        test::seedDefaultChart(year().db());
        year().session.firm.insert(QStringLiteral("CST"), QStringLiteral("24-Gujarat"));
        year().session.firm.insert(QStringLiteral("Is_Sales_RndOff"), 1);
        ramesh = test::addAccount(year().db(), QStringLiteral("Ramesh Silk Mills"), 35);
        // Rapier 60 sold per metre at 5% GST on top; Chiffon priced with its 5% GST inside the rate.
        addItem(101, QStringLiteral("Rapier 60 Red"), 105, 1);
        addItem(104, QStringLiteral("Chiffon Print"), 105, 2);
    }

    void addItem(qint64 id, const QString& name, double rate, int vatCalc) {
        year().db().exec(QStringLiteral("INSERT INTO ProdMst (Id, ProdCode, ProdName, StkType, RAteR, Vat, AddTax, VatCalc, CalcOn, "
                                        "hsnCode, UNit, IsActive, IsNewPro, FirmNO) VALUES (?, ?, ?, 'F', ?, 2.5, 2.5, ?, 1, '5407', 'MTR', 1, 0, 1)"),
                         {id, QString::number(id), name, rate, vatCalc});
    }

    SalesInvoices sales() { return SalesInvoices(year().db(), year().session, year().messages); }

    SalesBill bill(const QString& no, const QDate& date, qint64 item = 101, const char* rate = "105") {
        SalesBill b;
        b.bookNo = 1;
        b.billNo = no;
        b.date = date;
        b.partyId = ramesh;
        SalesLine l;
        l.qualityId = item;
        l.input.metres = d("100");
        l.input.listRate = d(rate);
        l.input.sgstPercent = d("2.5");
        l.input.cgstPercent = d("2.5");
        l.input.gstCalc = int(year().db().scalar(QStringLiteral("SELECT VatCalc FROM ProdMst WHERE Id = ?"), {item}).toLongLong());
        b.lines.push_back(l);
        return b;
    }

    QString header(qint64 id, const char* column) {
        return year().db().scalar(QStringLiteral("SELECT %1 FROM SalBillMst WHERE Id = ?").arg(QString::fromLatin1(column)), {id}).toString();
    }
    double amount(qint64 id, const char* column) {
        return year().db().scalar(QStringLiteral("SELECT %1 FROM SalBillMst WHERE Id = ?").arg(QString::fromLatin1(column)), {id}).toDouble();
    }
    // The party's debit in the journal for the bill.
    double partyDebit(qint64 id) {
        return year().db().scalar(QStringLiteral("SELECT DrAmt FROM HeadDtl3 WHERE TableCode = 3 AND VoucherNo = ? AND AccId = ?"), {id, ramesh}).toDouble();
    }

    void closeYearFromAnotherStation() { year().db().exec(QStringLiteral("UPDATE FirmMst SET IsYrEnd = 1 WHERE Srno = 1")); }

    test::YearFixture& year() { return *year_; }
    std::unique_ptr<test::YearFixture> year_;
    qint64 ramesh = 0;
};

TEST_F(DocumentKitTest, BillsWithoutNumberTakeTheNextFreeNumberEvenWhenBackDated) {
    auto s = sales();
    SalesBill september = bill({}, QDate(2024, 9, 9));
    SalesBill may = bill({}, QDate(2024, 5, 13));
    SalesBill april = bill({}, QDate(2024, 4, 5));
    ASSERT_TRUE(s.save(september));
    ASSERT_TRUE(s.save(may));
    // The latest bill by date is still September's "1", whose successor May took: April gets "3".
    ASSERT_TRUE(s.save(april));
    EXPECT_EQ(september.billNo, QStringLiteral("1"));
    EXPECT_EQ(may.billNo, QStringLiteral("2"));
    EXPECT_EQ(april.billNo, QStringLiteral("3"));
    EXPECT_EQ(header(april.id, "BillNO"), QStringLiteral("3"));
    EXPECT_EQ(year().db().scalar(QStringLiteral("SELECT Receiptno FROM HeadDtl3 WHERE TableCode = 3 AND VoucherNo = ? AND AccId = ?"),
                                 {april.id, ramesh}).toString(),
              QStringLiteral("GST/3"));

    // A typed number that is taken is still refused, and the bill keeps what the operator typed.
    SalesBill typed = bill(QStringLiteral("2"), QDate(2024, 10, 1));
    EXPECT_FALSE(s.save(typed));
    EXPECT_TRUE(year().messages.has(MessageKind::Critical, QStringLiteral("Bill NO Duplication"), QStringLiteral("This Bill NO is Already exist!")));
    EXPECT_EQ(typed.billNo, QStringLiteral("2"));
    EXPECT_EQ(typed.id, 0);
    EXPECT_EQ(year().count(QStringLiteral("SalBillMst")), 3);

    // Challans and production challans take theirs the same way.
    DeliveryChallans challans(year().db(), year().session, year().messages);
    DeliveryChallan ch;
    ch.bookNo = 1;
    ch.date = QDate(2024, 6, 2);
    ch.partyId = ramesh;
    ch.lines.push_back(challanLine(101, "Red", "1", "50", "100"));
    ASSERT_TRUE(challans.save(ch));
    EXPECT_EQ(ch.challanNo, QStringLiteral("1"));
}

TEST_F(DocumentKitTest, ReSaveAndRenumberKeepTheBillsOwnGstRates) {
    auto s = sales();
    SalesBill b = bill(QStringLiteral("7"), QDate(2024, 8, 14));
    const auto id = s.save(b);
    ASSERT_TRUE(id);
    EXPECT_DOUBLE_EQ(partyDebit(*id), 11025.0);

    // The item's GST goes up to 12% after the bill: the bill keeps its 5%.
    year().db().exec(QStringLiteral("UPDATE ProdMst SET Vat = 6, AddTax = 6 WHERE Id = 101"));
    SalesBill reopened = *s.load(*id);
    EXPECT_EQ(reopened.lines.at(0).input.sgstPercent, d("2.5"));
    ASSERT_EQ(s.save(reopened), id);
    EXPECT_DOUBLE_EQ(amount(*id, "VatRs"), 262.5);
    EXPECT_DOUBLE_EQ(amount(*id, "BillAmount"), 11025.0);
    EXPECT_DOUBLE_EQ(partyDebit(*id), 11025.0);

    // Renumbering writes the bill again under its new number and posts the same amounts.
    year().messages.inputNext(QStringLiteral("7A"));
    ASSERT_TRUE(s.renumber(*id));
    EXPECT_EQ(header(*id, "BillNO"), QStringLiteral("7A"));
    EXPECT_DOUBLE_EQ(amount(*id, "ATAXRs"), 262.5);
    EXPECT_DOUBLE_EQ(year().db().scalar(QStringLiteral("SELECT DVatP FROM SalBillDtl WHERE BillMstId = ?"), {*id}).toDouble(), 2.5);
    EXPECT_DOUBLE_EQ(partyDebit(*id), 11025.0);
    EXPECT_EQ(year().db().scalar(QStringLiteral("SELECT Receiptno FROM HeadDtl3 WHERE TableCode = 3 AND VoucherNo = ? AND AccId = ?"),
                                 {*id, ramesh}).toString(),
              QStringLiteral("GST/7A"));
}

TEST_F(DocumentKitTest, GstInclusiveLineOfAReopenedBillKeepsTheRateAsTyped) {
    auto s = sales();
    // 100 m at 105 with 5% GST inside: 100.00 a metre taxable, 10,000 + 250 + 250.
    SalesBill b = bill(QStringLiteral("9"), QDate(2024, 8, 14), 104, "105");
    const auto id = s.save(b);
    ASSERT_TRUE(id);
    EXPECT_DOUBLE_EQ(amount(*id, "BAmt"), 10000.0);

    SalesBill reopened = *s.load(*id);
    EXPECT_EQ(reopened.lines.at(0).input.listRate, d("105"));
    const ComputedBill again = s.compute(reopened);
    EXPECT_EQ(again.lines.at(0).rate, d("100"));
    ASSERT_EQ(s.save(reopened), id);
    EXPECT_DOUBLE_EQ(amount(*id, "BAmt"), 10000.0);
    EXPECT_DOUBLE_EQ(amount(*id, "BillAmount"), 10500.0);
    EXPECT_DOUBLE_EQ(year().db().scalar(QStringLiteral("SELECT Rate FROM SalBillDtl WHERE BillMstId = ?"), {*id}).toDouble(), 100.0);
}

TEST_F(DocumentKitTest, ReSaveKeepsPaymentsAndTheSettledMark) {
    auto s = sales();
    SalesBill b = bill(QStringLiteral("11"), QDate(2024, 8, 14));
    const auto id = s.save(b);
    ASSERT_TRUE(id);
    // A receipt settled the whole bill.
    year().db().exec(QStringLiteral("UPDATE SalBillMst SET PaidAmt = 11025, UnPaidAmt = 0, IsEnd = 1, PaidDt = ? WHERE Id = ?"),
                     {QDate(2024, 9, 1), *id});
    SalesBill reopened = *s.load(*id);
    reopened.lrNo = QStringLiteral("LR-4471");
    ASSERT_EQ(s.save(reopened), id);
    EXPECT_DOUBLE_EQ(amount(*id, "PaidAmt"), 11025.0);
    EXPECT_DOUBLE_EQ(amount(*id, "UnPaidAmt"), 0.0);
    EXPECT_EQ(header(*id, "IsEnd").toInt(), 1);
    EXPECT_EQ(year().db().scalar(QStringLiteral("SELECT PaidDt FROM SalBillMst WHERE Id = ?"), {*id}).toDate(), QDate(2024, 9, 1));
    EXPECT_EQ(header(*id, "LrNo"), QStringLiteral("LR-4471"));
}

TEST_F(DocumentKitTest, TextLongerThanItsColumnIsRefusedByNameAndNothingWritten) {
    auto s = sales();
    SalesBill b = bill(QStringLiteral("12"), QDate(2024, 8, 14));
    b.lrNo = QString(60, QLatin1Char('L'));  // the column holds 50
    EXPECT_FALSE(s.save(b));
    EXPECT_TRUE(year().messages.has(MessageKind::Critical, QStringLiteral("Text Too Long"),
                                    QStringLiteral("L.R.No. is longer than 50 characters. Please shorten it.")));
    SalesBill longDesc = bill(QStringLiteral("12"), QDate(2024, 8, 14));
    longDesc.lines[0].description = QString(300, QChar(0x0A95));  // Gujarati, over the 255 of the column
    EXPECT_FALSE(s.save(longDesc));
    EXPECT_TRUE(year().messages.has(MessageKind::Critical, QStringLiteral("Text Too Long"),
                                    QStringLiteral("Desc is longer than 255 characters. Please shorten it.")));
    EXPECT_EQ(year().count(QStringLiteral("SalBillMst")), 0);
    EXPECT_EQ(year().count(QStringLiteral("HeadDtl3")), 0);

    DeliveryChallans challans(year().db(), year().session, year().messages);
    DeliveryChallan ch;
    ch.bookNo = 1;
    ch.challanNo = QStringLiteral("5");
    ch.date = QDate(2024, 6, 2);
    ch.partyId = ramesh;
    ch.vehicleNo = QStringLiteral("GJ-05-AB-1234 with a trailer and two more");
    ch.lines.push_back(challanLine(101, "Red", "1", "50", "100"));
    EXPECT_FALSE(challans.save(ch));
    EXPECT_TRUE(year().messages.has(MessageKind::Critical, QStringLiteral("Text Too Long"),
                                    QStringLiteral("Vehicle No is longer than 30 characters. Please shorten it.")));
    EXPECT_EQ(year().count(QStringLiteral("ChalanMst")), 0);
}

TEST_F(DocumentKitTest, TakaChallanReSavedAsFreeEntryKeepsItsTakasAndDeletionsAreRecorded) {
    jobwork::ProductionChallans production(year().db(), year().session, year().messages);
    jobwork::ProductionChallan p;
    p.bookNo = 1;
    p.date = QDate(2024, 6, 1);
    p.partyId = ramesh;
    p.takas.push_back({QStringLiteral("501"), d("1"), d("110"), d("110.5"), QStringLiteral("L1"), 101});
    p.takas.push_back({QStringLiteral("502"), d("1"), d("110"), d("98"), QStringLiteral("L2"), 101});
    ASSERT_TRUE(production.save(p));
    EXPECT_EQ(p.challanNo, QStringLiteral("1"));

    DeliveryChallans challans(year().db(), year().session, year().messages);
    DeliveryChallan ch;
    ch.bookNo = 1;
    ch.challanNo = QStringLiteral("21");
    ch.date = QDate(2024, 6, 5);
    ch.partyId = ramesh;
    ch.fromTakas = true;
    ch.lines = challans.linesFromTakas({QStringLiteral("501"), QStringLiteral("502")});
    ASSERT_TRUE(challans.save(ch));

    // Opened on the free-entry screen (which knows nothing of takas) and saved again.
    DeliveryChallan reopened = *challans.load(ch.id);
    reopened.fromTakas = false;
    reopened.notes = QStringLiteral("Bale 3");
    ASSERT_TRUE(challans.save(reopened));
    EXPECT_EQ(year().count(QStringLiteral("ProductionDtl"), QStringLiteral("PChId = ? AND IsOver = 1"), {ch.id}), 2);
    EXPECT_TRUE(challans.freeTakas().empty());

    // The production challan cannot go while its takas are out; the delivery challan can, and both leave a history row.
    EXPECT_FALSE(production.remove(p.id));
    EXPECT_TRUE(year().messages.has(MessageKind::Critical, QStringLiteral("No Delete"), QStringLiteral("Issued In Delivery Chalan")));
    ASSERT_TRUE(challans.remove(ch.id));
    EXPECT_EQ(year().count(QStringLiteral("Table_Del_History"), QStringLiteral("Id = ? AND FormId = 30"), {ch.id}), 1);
    EXPECT_EQ(challans.freeTakas().size(), 2u);
    ASSERT_TRUE(production.remove(p.id));
    EXPECT_EQ(year().count(QStringLiteral("Table_Del_History"), QStringLiteral("Id = ? AND FormId = 60"), {p.id}), 1);
    EXPECT_EQ(year().count(QStringLiteral("ProductionDtl")), 0);
}

TEST_F(DocumentKitTest, YearClosedAtAnotherStationAndMissingRightsStopEveryChange) {
    auto s = sales();
    SalesBill b = bill(QStringLiteral("14"), QDate(2024, 8, 14));
    const auto id = s.save(b);
    ASSERT_TRUE(id);
    DeliveryChallans challans(year().db(), year().session, year().messages);
    DeliveryChallan ch;
    ch.bookNo = 1;
    ch.challanNo = QStringLiteral("3");
    ch.date = QDate(2024, 6, 2);
    ch.partyId = ramesh;
    ch.lines.push_back(challanLine(101, "Red", "1", "50", "100"));
    ASSERT_TRUE(challans.save(ch));

    // A clerk without the delete right: the bill stays with its journal.
    year().session.rights.insert(QStringLiteral("IsDelete"), 0);
    EXPECT_FALSE(s.remove(*id));
    EXPECT_TRUE(year().messages.has(MessageKind::Critical, QStringLiteral("No Right"), QStringLiteral("You Have No Right To Delete Entries.")));
    EXPECT_FALSE(challans.remove(ch.id));
    EXPECT_EQ(year().count(QStringLiteral("SalBillMst")), 1);
    EXPECT_EQ(year().count(QStringLiteral("HeadDtl3"), QStringLiteral("VoucherNo = ? AND TableCode = 3"), {*id}), 4);
    EXPECT_EQ(year().count(QStringLiteral("ChalanMst")), 1);
    year().session.rights.clear();

    // Another station closes the year; this session's settings still say open.
    closeYearFromAnotherStation();
    year().messages.clear();
    EXPECT_FALSE(s.setAudited(*id, true));
    EXPECT_FALSE(challans.setReconciled(ch.id, 1, true));
    SalesBill reopened = *s.load(*id);
    reopened.notes = QStringLiteral("late change");
    EXPECT_FALSE(s.save(reopened));
    EXPECT_FALSE(s.remove(*id));
    for (const Message& m : year().messages.all()) {
        EXPECT_EQ(m.title, QStringLiteral("Year End Done"));
        EXPECT_EQ(m.text, kYearEndText);
    }
    EXPECT_EQ(year().messages.all().size(), 4u);
    EXPECT_EQ(header(*id, "Is_Audit").toInt(), 0);
    EXPECT_EQ(header(*id, "Notes"), QString());
    EXPECT_EQ(year().db().scalar(QStringLiteral("SELECT Is_Reconsil FROM ChalanDtl WHERE BillMstId = ?"), {ch.id}).toInt(), 0);
}

}  // namespace
