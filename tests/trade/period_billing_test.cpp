// Period bills made from a party's delivery challans between two dates, quick entry by colour,
// and the WhatsApp and SMS messages of a bill sent to small local stand-ins of the services.
// The period bills run on both engines (TANABANA_BOTH_ENGINES).
#include "domain/reports/ReportFolders.h"
#include "domain/trade/DeliveryChallans.h"
#include "domain/trade/PeriodBilling.h"
#include "domain/trade/SalesInvoices.h"
#include "domain/trade/SalesLines.h"
#include "domain/trade/SalesMessages.h"
#include "support/FakeServers.h"
#include "support/FirmBooks.h"
#include "support/PdfProbe.h"
#include "support/TestDb.h"
#include "support/YearFixture.h"
#include "support/Amounts.h"

#include <QDir>
#include <QFile>
#include <QUrlQuery>
#include <gtest/gtest.h>

using namespace tanabana;
using namespace tanabana::trade;

namespace {

// A weaving firm of Surat billing its buyers once a fortnight from the challans sent meanwhile.
class PeriodBillTest : public ::testing::Test {
protected:
    void SetUp() override {
        TANABANA_REQUIRE_ENGINE();
        year_ = std::make_unique<test::YearFixture>();
        test::seedDefaultChart(db());
        year().session.firm.insert(QStringLiteral("CST"), QStringLiteral("24-Gujarat"));
        year().session.firm.insert(QStringLiteral("Is_Sales_RndOff"), 1);
        shree = test::addAccount(db(), QStringLiteral("Shree Fabrics"), 35);
        other = test::addAccount(db(), QStringLiteral("Kiran Sarees"), 35);
        addItem(7, QStringLiteral("Rapier 60 Red"), QStringLiteral("D-101"), QStringLiteral("Red"), 52.25, 1, 0);
        addItem(8, QStringLiteral("Rapier 60 Blue"), QStringLiteral("D-101"), QStringLiteral("Blue"), 52.25, 1, 0);
        addItem(9, QStringLiteral("Saree Zari Green"), QStringLiteral("Z-7"), QStringLiteral("Green"), 1150, 2, 6.3);
    }

    void addItem(qint64 id, const QString& name, const QString& design, const QString& colour, double rate, int calcOn, double cut) {
        db().exec(QStringLiteral("INSERT INTO ProdMst (Id, ProdCode, ProdName, ProdSubGrp, P1, ProdGrp, StkType, RAteR, CalcOn, Pack, "
                                 "Vat, AddTax, VatCalc, IsActive, IsNewPro, FirmNO) VALUES (?, ?, ?, ?, ?, 'Rapier', 'F', ?, ?, ?, 2.5, 2.5, 1, 1, 0, 1)"),
                  {id, QString::number(id), name, design, colour, rate, calcOn, cut});
    }

    // A challan of takas: each entry is (quality, metres).
    qint64 challan(const QString& no, const QDate& date, qint64 party, const std::vector<std::pair<qint64, const char*>>& takas,
                   const char* rate = "52.25") {
        DeliveryChallans challans(db(), year().session, year().messages);
        DeliveryChallan c;
        c.bookNo = 1;
        c.challanNo = no;
        c.date = date;
        c.partyId = party;
        int taka = 1;
        for (const auto& [quality, metres] : takas) {
            ChallanLine l;
            l.qualityId = quality;
            l.description = QStringLiteral("Taka %1").arg(taka++);
            l.pieces = d("1");
            l.metres = d(metres);
            l.rate = l.listRate = d(rate);
            c.lines.push_back(l);
        }
        const auto id = challans.save(c);
        EXPECT_TRUE(id);
        return id.value_or(0);
    }

    bool sold(qint64 challanId) { return db().scalar(QStringLiteral("SELECT IsSale FROM ChalanMst WHERE Id = ?"), {challanId}).toInt() != 0; }

    QStringList numbers(const std::vector<PeriodChallan>& list) {
        QStringList out;
        for (const PeriodChallan& c : list) out << c.challanNo;
        return out;
    }

    SalesBill periodBill(const std::vector<SalesLine>& lines) {
        SalesBill b;
        b.bookNo = 1;
        b.billNo = QStringLiteral("P-1");
        b.date = QDate(2024, 6, 15);
        b.partyId = shree;
        b.lines = lines;
        return b;
    }

    db::Database& db() { return year().db(); }
    test::YearFixture& year() { return *year_; }
    std::unique_ptr<test::YearFixture> year_;
    qint64 shree = 0, other = 0;
};

TEST_F(PeriodBillTest, ChallansOfThePeriodBecomeOneBillAndAreMarkedSoldUntilItGoes) {
    const qint64 may = challan(QStringLiteral("40"), QDate(2024, 5, 31), shree, {{7, "100"}});
    const qint64 first = challan(QStringLiteral("41"), QDate(2024, 6, 3), shree, {{7, "110"}, {7, "105.5"}, {8, "98"}});
    const qint64 second = challan(QStringLiteral("44"), QDate(2024, 6, 9), shree, {{8, "120.25"}});
    challan(QStringLiteral("42"), QDate(2024, 6, 5), other, {{7, "90"}});
    const qint64 late = challan(QStringLiteral("45"), QDate(2024, 6, 16), shree, {{7, "80"}});

    PeriodBilling period(db(), year().session, year().messages);
    const auto listed = period.unbilledChallans(shree, QDate(2024, 6, 1), QDate(2024, 6, 15));
    ASSERT_TRUE(listed);
    EXPECT_EQ(numbers(*listed), (QStringList{QStringLiteral("41"), QStringLiteral("44")}));
    EXPECT_EQ(listed->at(0).metres, d("313.5"));
    EXPECT_EQ(listed->at(0).amount, d("16380.38"));  // 313.5 m at 52.25 = 16,380.375, each line rounded

    // Summed per quality, rate and GST within each challan: challan 41 gives two lines.
    const std::vector<SalesLine> lines = period.lines({first, second}, true);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].challanId, first);
    EXPECT_EQ(lines[0].input.metres, d("215.5"));
    EXPECT_EQ(lines[0].input.pieces, d("2"));
    EXPECT_TRUE(lines[0].description.isEmpty());
    EXPECT_EQ(lines[1].qualityId, 8);
    EXPECT_EQ(lines[1].challanSrno, 3);
    EXPECT_EQ(lines[2].challanId, second);
    EXPECT_EQ(lines[2].description, QStringLiteral("Taka 1"));
    EXPECT_EQ(period.lines({first, second}, false).size(), 4u);

    SalesInvoices invoices(db(), year().session, year().messages);
    SalesBill bill = periodBill(lines);
    const auto id = invoices.save(bill);
    ASSERT_TRUE(id) << (year().messages.empty() ? std::string() : year().messages.last().text.toStdString());
    EXPECT_TRUE(sold(first));
    EXPECT_TRUE(sold(second));
    EXPECT_FALSE(sold(may));
    EXPECT_FALSE(sold(late));
    // 433.75 m at 52.25 = 22,663.44 taxable; with 2.5% + 2.5% GST the bill is 23,797.
    EXPECT_DOUBLE_EQ(db().scalar(QStringLiteral("SELECT BAmt FROM SalBillMst WHERE Id = ?"), {*id}).toDouble(), 22663.44);
    EXPECT_DOUBLE_EQ(db().scalar(QStringLiteral("SELECT BillAmount FROM SalBillMst WHERE Id = ?"), {*id}).toDouble(), 23797.0);
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT count(DISTINCT DChId) FROM SalBillDtl WHERE BillMstId = ?"), {*id}).toInt(), 2);
    EXPECT_DOUBLE_EQ(db().scalar(QStringLiteral("SELECT DrAmt FROM HeadDtl3 WHERE TableCode = 3 AND VoucherNo = ? AND AccId = ?"),
                                 {*id, shree}).toDouble(), 23797.0);

    // Billed challans leave the list, except for the bill that holds them while it is edited.
    EXPECT_TRUE(period.unbilledChallans(shree, QDate(2024, 6, 1), QDate(2024, 6, 15))->empty());
    EXPECT_EQ(numbers(*period.unbilledChallans(shree, QDate(2024, 6, 1), QDate(2024, 6, 15), *id)),
              (QStringList{QStringLiteral("41"), QStringLiteral("44")}));

    // The edit drops challan 44: it is free again, 41 stays sold.
    bill.lines = period.lines({first}, true);
    ASSERT_TRUE(invoices.save(bill));
    EXPECT_TRUE(sold(first));
    EXPECT_FALSE(sold(second));

    // Another bill cannot take challan 41 too; nothing of it is written.
    SalesBill twice = periodBill(period.lines({first}, false));
    twice.billNo = QStringLiteral("P-2");
    const int billsBefore = year().count(QStringLiteral("SalBillMst"));
    const int journalBefore = year().count(QStringLiteral("HeadDtl3"));
    EXPECT_FALSE(invoices.save(twice));
    EXPECT_TRUE(year().messages.has(MessageKind::Critical, QStringLiteral("Data Duplication"), QStringLiteral("This Chalan is Already Sold !")));
    EXPECT_EQ(year().count(QStringLiteral("SalBillMst")), billsBefore);
    EXPECT_EQ(year().count(QStringLiteral("HeadDtl3")), journalBefore);

    // Deleting the bill frees its challan and removes its journal.
    ASSERT_TRUE(invoices.remove(*id));
    EXPECT_FALSE(sold(first));
    EXPECT_EQ(year().count(QStringLiteral("HeadDtl3"), QStringLiteral("TableCode = 3 AND VoucherNo = ?"), {*id}), 0);
}

TEST_F(PeriodBillTest, ListingNeedsAPartyAndDatesInOrder) {
    PeriodBilling period(db(), year().session, year().messages);
    EXPECT_FALSE(period.unbilledChallans(0, QDate(2024, 6, 1), QDate(2024, 6, 15)));
    EXPECT_TRUE(year().messages.has(MessageKind::Critical, QStringLiteral("System Validation"), QStringLiteral("Please Select Party NAme and Quality")));
    EXPECT_FALSE(period.unbilledChallans(shree, QDate(2024, 6, 15), QDate(2024, 6, 1)));
    EXPECT_TRUE(year().messages.has(MessageKind::Critical, QStringLiteral("Date Validate"), QStringLiteral("Please Select Proper Date")));
    // Another firm's challan is no source of lines.
    year().addFirm(2, QStringLiteral("Second Firm"));
    const qint64 mine = challan(QStringLiteral("41"), QDate(2024, 6, 3), shree, {{7, "110"}});
    year().session.firmNo = 2;
    EXPECT_TRUE(PeriodBilling(db(), year().session, year().messages).lines({mine}, false).empty());
}

TEST_F(PeriodBillTest, QuickEntryByColourGivesOneLinePerColour) {
    const db::Rows colours = designColours(db(), 1, QStringLiteral("D-101"));
    ASSERT_EQ(colours.size(), 2u);
    EXPECT_EQ(colours[0].text(QStringLiteral("Colour")), QStringLiteral("Blue"));
    EXPECT_EQ(colours[0].text(QStringLiteral("Rate On")), QStringLiteral("M"));
    EXPECT_EQ(designColours(db(), 1, QStringLiteral("D-101"), QStringLiteral("r")).size(), 1u);

    EXPECT_FALSE(colourLines(db(), 1, year().messages, {7, 8}, QString(), QStringLiteral("50")));
    EXPECT_TRUE(year().messages.has(MessageKind::Critical, QStringLiteral("No Qnty Entered"), QStringLiteral("Please Enter Qnty ")));
    EXPECT_FALSE(colourLines(db(), 1, year().messages, {7, 8}, QStringLiteral("40"), QStringLiteral(" ")));
    EXPECT_TRUE(year().messages.has(MessageKind::Critical, QStringLiteral("No Rate Entered"), QStringLiteral("Please Enter Sales Rate")));

    const auto lines = colourLines(db(), 1, year().messages, {7, 9}, QStringLiteral("40"), QStringLiteral("50.5"));
    ASSERT_TRUE(lines);
    ASSERT_EQ(lines->size(), 2u);
    EXPECT_EQ(lines->at(0).input.metres, d("40"));
    EXPECT_EQ(lines->at(0).input.listRate, d("50.5"));
    // Sarees sold by the piece: 40 pieces of 6.3 m.
    EXPECT_EQ(lines->at(1).input.rateOn, QStringLiteral("P"));
    EXPECT_EQ(lines->at(1).input.pieces, d("40"));
    EXPECT_EQ(lines->at(1).input.metres, d("252"));
    EXPECT_EQ(lines->at(1).input.sgstPercent, d("2.5"));
}

// The messages of a saved bill, sent to stand-ins of the WhatsApp service and the SMS gateway.
class BillMessagesTest : public PeriodBillTest {
protected:
    void SetUp() override {
        PeriodBillTest::SetUp();
        if (HasFatalFailure() || IsSkipped()) return;
        if (test::onPostgres()) GTEST_SKIP() << "the messages are the same on both engines";
        db().exec(QStringLiteral("UPDATE AccMst SET WMbNo = '9824012345', Phone = '9898011111' WHERE Id = ?"), {shree});
        year().session.firm.insert(QStringLiteral("PName"), year().session.firmName);
        SalesBill b = periodBill({});
        b.billNo = QStringLiteral("118");
        b.truckNo = QStringLiteral("GJ05 AB 1234");
        b.transport = QStringLiteral("Shree Roadways");
        b.lrNo = QStringLiteral("LR-77");
        SalesLine line = *lineForItem(db(), 1, 7);
        line.input.pieces = d("3");
        line.input.metres = d("325.5");
        b.lines = {line};
        billId = SalesInvoices(db(), year().session, year().messages).save(b).value_or(0);
        ASSERT_GT(billId, 0);
        // 325.5 m at 52.25 = 17,007.38 + 5% GST = 17,857.75, billed 17,858.
        writeWhatsAppSettings();
        year().session.smsApi = {whatsApp.address(), QStringLiteral("ganesh"), QStringLiteral("GANESH")};
        year().session.smsPassword = QStringLiteral("s3cret&1");
    }

    void writeWhatsAppSettings() {
        QFile file(QDir(year().folder()).filePath(QStringLiteral("WA.txt")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QStringLiteral("INST42\nTOKEN9\n\nF\n%1\n\nhttps://files.example/WA_Knvs/\ntrue {file}\n").arg(whatsApp.address()).toUtf8());
    }

    QString logFile(const QString& name) {
        QFile file(QDir(year().folder()).filePath(name));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

    QString parameter(const QString& request, const QString& name) {
        return QUrlQuery(QUrl(request).query()).queryItemValue(name, QUrl::FullyDecoded);
    }

    test::FakeHttpServer whatsApp;
    qint64 billId = 0;
};

TEST_F(BillMessagesTest, WhatsAppSendsTheInvoicePdfWithTheBillText) {
    const QString text = invoiceWhatsAppText(db(), year().session, billId);
    EXPECT_EQ(text, QStringLiteral("Bill No: GST/118%0aDate :*15-06-2024*%0aM/S :Shree Fabrics%0aTotal Pcs : *3*%0aTotal Mtrs : *325.500*%0a"
                                   "Bill Amount :*17858.00*%0aVeh No :GJ05 AB 1234%0aTransport :Shree Roadways%0aFrom :Shree Ganesh Textiles"));

    whatsApp.answer(R"({"status":"success","message":"queued"})");
    const QDateTime when(QDate(2024, 6, 15), QTime(15, 5, 7));
    ASSERT_TRUE(sendInvoiceWhatsApp(db(), year().session, year().messages, billId, QStringLiteral("9824012345"), when));
    for (const Message& m : year().messages.all()) EXPECT_NE(m.kind, MessageKind::Critical) << m.text.toStdString();
    const QString pdf = QDir(reports::whatsAppPdfFolder(year().folder())).filePath(QStringLiteral("GST_118_BS_15Jun20243057PM_Invoice.pdf"));
    ASSERT_TRUE(QFile::exists(pdf));
    EXPECT_TRUE(test::pdfText(pdf, false).contains(QStringLiteral("17,858.00")));
    ASSERT_EQ(whatsApp.requests().size(), 1);
    const QString request = whatsApp.requests().at(0);
    EXPECT_EQ(parameter(request, QStringLiteral("number")), QStringLiteral("919824012345"));
    EXPECT_EQ(parameter(request, QStringLiteral("type")), QStringLiteral("media"));
    EXPECT_EQ(parameter(request, QStringLiteral("media_url")), QStringLiteral("https://files.example/WA_Knvs/GST_118_BS_15Jun20243057PM_Invoice.pdf"));
    EXPECT_EQ(parameter(request, QStringLiteral("filename")), QStringLiteral("Sales_InvNo-GST_118_Shree Fabrics.pdf"));
    EXPECT_EQ(parameter(request, QStringLiteral("message")), QString(text).replace(QStringLiteral("%0a"), QStringLiteral("\n")));
    EXPECT_EQ(parameter(request, QStringLiteral("access_token")), QStringLiteral("TOKEN9"));
}

TEST_F(BillMessagesTest, WhatsAppRefusedTwiceSaysMessageFailedAndKeepsTheAnswers) {
    whatsApp.answer(R"({"status":"error","message":"media url unreachable"})");
    whatsApp.answer(R"({"status":"error","message":"instance offline"})");
    EXPECT_FALSE(sendInvoiceWhatsApp(db(), year().session, year().messages, billId, QStringLiteral("9824012345")));
    EXPECT_TRUE(year().messages.has(MessageKind::Critical, QStringLiteral("WhatsApp"), QStringLiteral("Message Failed")));
    EXPECT_TRUE(logFile(QStringLiteral("APILOG.txt")).contains(QStringLiteral("media url unreachable")));
    EXPECT_TRUE(logFile(QStringLiteral("APILOG1.txt")).contains(QStringLiteral("instance offline")));
    ASSERT_EQ(whatsApp.requests().size(), 2);
    EXPECT_EQ(parameter(whatsApp.requests().at(1), QStringLiteral("type")), QStringLiteral("text"));

    // No number on the screen and none given when asked: nothing goes out.
    const int before = int(whatsApp.requests().size());
    year().messages.clear();
    year().messages.inputNext(QString());
    EXPECT_FALSE(sendInvoiceWhatsApp(db(), year().session, year().messages, billId, QString()));
    EXPECT_TRUE(year().messages.has(MessageKind::Critical, QStringLiteral("No Mobile"), QStringLiteral("Party Mobile no does not Entered")));
    EXPECT_EQ(int(whatsApp.requests().size()), before);
}

TEST_F(BillMessagesTest, SmsFormsReachTheGatewayAndItsAnswerIsShown) {
    // The party owes this bill and an older one of 2,500.
    db().exec(QStringLiteral("UPDATE AccMst SET DrAmt = 2500 WHERE Id = ?"), {shree});
    EXPECT_EQ(invoiceSmsText(db(), year().session, billId, SmsForm::Amount, QStringLiteral("Diwali greetings")),
              QStringLiteral("To : Shree Fabrics\nBILL NO: 118\nDT : 15-06-24\nTot Amt :   17858.00\n\n"
                             "   Thanks For Fabric Purchase.   From : Shree Ganesh Textiles\nDiwali greetings"));
    EXPECT_EQ(invoiceSmsText(db(), year().session, billId, SmsForm::Dispatch),
              QStringLiteral("BILL NO: 118\nDATE : 15-06-24\nM/S: Shree Fabrics\nLR No: LR-77\nTRANSPORT: Shree Roadways\n From : Shree Ganesh Textiles"));

    whatsApp.answer("Message accepted");
    ASSERT_TRUE(sendInvoiceSms(db(), year().session, year().messages, billId, SmsForm::AmountAndOutstanding));
    EXPECT_TRUE(year().messages.has(MessageKind::Information, QStringLiteral("SMS"), QStringLiteral("Message Send")));
    ASSERT_EQ(whatsApp.requests().size(), 1);
    const QString request = whatsApp.requests().at(0);
    EXPECT_TRUE(request.startsWith(QStringLiteral("/api/mt/SendSMS?user=ganesh&password=s3cret%261&senderid=GANESH")));
    EXPECT_EQ(parameter(request, QStringLiteral("number")), QStringLiteral("9898011111"));
    EXPECT_TRUE(parameter(request, QStringLiteral("text")).contains(QStringLiteral("Tot Out. :20358.00"))) << request.toStdString();
    EXPECT_TRUE(logFile(QStringLiteral("SMSSend.txt")).contains(QStringLiteral("Message accepted")));

    whatsApp.answer("Invalid sender id", 500);
    EXPECT_FALSE(sendInvoiceSms(db(), year().session, year().messages, billId, SmsForm::Dispatch));
    EXPECT_TRUE(year().messages.has(MessageKind::Critical, QStringLiteral("SMS"), QStringLiteral("Message Failed")));
}

}  // namespace
