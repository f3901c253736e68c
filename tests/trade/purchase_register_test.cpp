// The bill-wise purchase register over August of a small firm: goods bills from two weavers (one
// of another state), a transporter's expense bill under reverse charge, an opening bill and a
// September bill left out; sub-totals per supplier and book against the bills saved, and the
// register read back from its PDF; the day-wise reverse-charge register of the general expenses,
// days above the free limit apart from those within it, before and after the day is worked out.
// Runs on both engines (TANABANA_BOTH_ENGINES).
#include "domain/masters/DefaultChart.h"
#include "domain/reports/SellingRegisters.h"
#include "domain/trade/PurchaseInvoices.h"
#include "support/FirmBooks.h"
#include "support/PdfProbe.h"
#include "support/YearFixture.h"
#include "support/Amounts.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tanabana;
using namespace tanabana::reports;

namespace {

using Kind = RegisterLine::Kind;

class PurchaseRegisterTest : public ::testing::Test {
protected:
    void SetUp() override {
        TANABANA_REQUIRE_ENGINE();
        year_ = std::make_unique<test::YearFixture>();
        auto& db = year().db();
        test::seedDefaultChart(db);
        year().session.firm.insert(QStringLiteral("CST"), QStringLiteral("24-Gujarat"));
        year().session.firm.insert(QStringLiteral("Is_Pur_RndOff"), 1);
        const qint64 laxmi = test::addAccount(db, QStringLiteral("Laxmi Weaving Works"), 76);
        const qint64 bhiwandi = test::addAccount(db, QStringLiteral("Bhiwandi Looms"), 76, 1, QStringLiteral("27-Maharashtra"));
        roadways = test::addAccount(db, QStringLiteral("Shree Ganesh Roadways"), 80);
        db.exec(QStringLiteral("INSERT INTO ProdMst (Id, ProdCode, ProdName, StkType, Vat, AddTax, VatCalc, CalcOn, IsActive, IsNewPro, FirmNO) "
                               "VALUES (201, '201', 'Rapier 60 Grey', 'F', 2.5, 2.5, 1, 1, 1, 0, 1)"));
        save(laxmi, QStringLiteral("LW/118"), QDate(2024, 8, 5), "100", "52");     // 5,200 + 260 GST = 5,460
        save(bhiwandi, QStringLiteral("BL-77"), QDate(2024, 8, 12), "100", "100");  // 10,000 + 500 IGST = 10,500
        save(laxmi, QStringLiteral("LW/119"), QDate(2024, 8, 20), "50", "60");     // 3,000 + 150 GST = 3,150
        save(laxmi, QStringLiteral("LW/131"), QDate(2024, 9, 2), "10", "60");
        trade::PurchaseBill freight;
        freight.kind = trade::PurchaseKind::Expense;
        freight.bookId = 3;
        freight.billNo = QStringLiteral("GT/311");
        freight.date = QDate(2024, 8, 21);
        freight.partyId = roadways;
        freight.expenseAccountId = test::accountId(db, masters::chart::GeneralExpenses);
        freight.reverseChargeId = 1;
        freight.reverseChargeBillNo = QStringLiteral("RCM/1");
        trade::PurchaseLine service;
        service.input.metres = d("1");
        service.input.listRate = d("4800");
        service.input.sgstPercent = service.input.cgstPercent = d("2.5");
        freight.lines = {service};
        ASSERT_TRUE(purchases().save(freight));
        trade::PurchaseBill opening;
        opening.partyId = laxmi;
        opening.billNo = QStringLiteral("LW/97");
        opening.date = QDate(2024, 8, 1);
        opening.pendingAmount = d("9999");
        ASSERT_TRUE(purchases().saveOpening(opening));
    }

    trade::PurchaseInvoices purchases() { return trade::PurchaseInvoices(year().db(), year().session, year().messages); }

    void save(qint64 party, const QString& no, const QDate& date, const char* metres, const char* rate) {
        trade::PurchaseBill b;
        b.bookId = 2;
        b.billNo = no;
        b.date = date;
        b.partyId = party;
        trade::PurchaseLine grey;
        grey.qualityId = 201;
        grey.input.metres = d(metres);
        grey.input.listRate = d(rate);
        grey.input.sgstPercent = grey.input.cgstPercent = d("2.5");
        b.lines = {grey};
        ASSERT_TRUE(purchases().save(b)) << year().messages.last().text.toStdString();
    }

    RegisterResult run(const QString& name) {
        RegisterChoice choice;
        choice.from = QDate(2024, 8, 1);
        choice.to = QDate(2024, 8, 31);
        const RegisterDefinition* definition = findRegister(name);
        EXPECT_NE(definition, nullptr) << name.toStdString();
        return Registers(year().db(), year().session, year().folder()).run(*definition, choice);
    }

    static QStringList column(const RegisterResult& r, Kind kind, const QString& caption) {
        int index = -1;
        for (size_t i = 0; i < r.sheet.columns.size(); ++i)
            if (r.sheet.columns[i].caption == caption) index = int(i);
        EXPECT_GE(index, 0) << caption.toStdString();
        QStringList out;
        for (const RegisterLine& l : r.lines)
            if (l.kind == kind) out << l.cells.value(index);
        return out;
    }

    test::YearFixture& year() { return *year_; }
    std::unique_ptr<test::YearFixture> year_;
    qint64 roadways = 0;
};

TEST_F(PurchaseRegisterTest, BillsOfTheMonthBySupplierAndBookWithTheirTotals) {
    const RegisterResult byDate = run(QStringLiteral("purchase-by-date"));
    EXPECT_EQ(byDate.title, QStringLiteral("Purchase Register (Date Wise)  From 01-08-2024 To 31-08-2024"));
    EXPECT_EQ(column(byDate, Kind::Row, "Pur. Bill No"), (QStringList{"LW/118", "BL-77", "LW/119", "GT/311"}));
    EXPECT_EQ(column(byDate, Kind::Row, "IGST"), (QStringList{"0.00", "500.00", "0.00", "0.00"}));
    EXPECT_EQ(column(byDate, Kind::Row, "Rev Ch"), (QStringList{"", "", "", "Y"}));
    // The transporter is owed 4,800 under reverse charge; the GST of 240 is the firm's to pay.
    EXPECT_EQ(column(byDate, Kind::Row, "Net Amt"), (QStringList{"5,460.00", "10,500.00", "3,150.00", "4,800.00"}));
    EXPECT_EQ(column(byDate, Kind::Total, "Net Amt"), QStringList{"23,910.00"});
    EXPECT_EQ(column(byDate, Kind::Total, "Taxable Amt"), QStringList{"23,000.00"});
    EXPECT_EQ(column(byDate, Kind::Total, "SGST"), QStringList{"325.00"});

    const RegisterResult byParty = run(QStringLiteral("purchase-by-party"));
    EXPECT_EQ(column(byParty, Kind::SubTotal, "Net Amt"), (QStringList{"10,500.00", "8,610.00", "4,800.00"}));
    const RegisterResult byBook = run(QStringLiteral("purchase-by-book"));
    EXPECT_EQ(column(byBook, Kind::SubTotal, "Net Amt"), (QStringList{"19,110.00", "4,800.00"}));

    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("purchase.pdf"));
    Registers(year().db(), year().session, year().folder()).writePdf(byParty, pdf);
    const QString text = test::pdfText(pdf, false);
    for (const QString& expected : {QStringLiteral("Purchase Register (Party Wise)"), QStringLiteral("Laxmi Weaving Works"),
                                    QStringLiteral("BL-77"), QStringLiteral("8,610.00"), QStringLiteral("23,910.00")})
        EXPECT_TRUE(text.contains(expected)) << expected.toStdString() << "\n" << text.toStdString();
}

TEST_F(PurchaseRegisterTest, ReverseChargeDaysAboveAndWithinTheLimitAndTheirVouchers) {
    auto& db = year().db();
    db.exec(QStringLiteral("UPDATE AccMst SET Is_RevCh = 1 WHERE Id = ?"), {roadways});
    db.exec(QStringLiteral("UPDATE FirmMst SET RCM_Limit = 5000 WHERE Srno = 1"));
    year().session.firm.insert(QStringLiteral("RCM_Limit"), 5000);
    // Two more freight bills of the roadways: 4,000 + 200 GST on 21-08 (with GT/311 over the
    // limit) and 1,000 + 50 GST alone on 23-08 (within it).
    auto freightBill = [&](const QString& no, const QDate& date, const char* rate) {
        trade::PurchaseBill b;
        b.kind = trade::PurchaseKind::Expense;
        b.bookId = 3;
        b.billNo = no;
        b.date = date;
        b.partyId = roadways;
        b.expenseAccountId = test::accountId(db, masters::chart::GeneralExpenses);
        trade::PurchaseLine line;
        line.input.metres = d("1");
        line.input.listRate = d(rate);
        line.input.sgstPercent = line.input.cgstPercent = d("2.5");
        b.lines = {line};
        EXPECT_TRUE(purchases().save(b)) << year().messages.last().text.toStdString();
        return b.id;
    };
    const qint64 sameDay = freightBill(QStringLiteral("GT/315"), QDate(2024, 8, 21), "4000");
    freightBill(QStringLiteral("GT/322"), QDate(2024, 8, 23), "1000");

    const RegisterResult before = run(QStringLiteral("purchase-rcm-days"));
    EXPECT_EQ(before.title, QStringLiteral("General Expenses Register (Reverse Charge, Day Wise)  From 01-08-2024 To 31-08-2024"));
    QStringList headings;
    for (const RegisterLine& l : before.lines)
        if (l.kind == Kind::Heading) headings << l.cells.value(0);
    EXPECT_EQ(headings, (QStringList{"1. Above RCM Limit", "Date : 21-08-2024   Day Total : 9,000.00", "2. Within RCM Limit",
                                     "Date : 23-08-2024   Day Total : 1,050.00"}));
    EXPECT_EQ(column(before, Kind::Row, "Pur. Bill No"), (QStringList{"GT/311", "GT/315", "GT/322"}));
    EXPECT_EQ(column(before, Kind::Row, "Service"), (QStringList{"General Expenses", "General Expenses", "General Expenses"}));
    EXPECT_EQ(column(before, Kind::Row, "RCM Bill No"), (QStringList{"RCM/1", "", ""}));
    EXPECT_EQ(column(before, Kind::SubTotal, "Bill Amt"), (QStringList{"9,000.00", "9,000.00", "1,050.00", "1,050.00"}));

    // Working out the 21st gives GT/315 the next reference and its own voucher.
    EXPECT_EQ(purchases().calculateReverseCharge(QDate(2024, 8, 21)), 1);
    const RegisterResult after = run(QStringLiteral("purchase-rcm-days"));
    EXPECT_EQ(column(after, Kind::Row, "RCM Bill No"), (QStringList{"RCM/1", "PRC-2", ""}));
    const QString voucher = db.scalar(QStringLiteral("SELECT RCM_JVNO FROM BillMst WHERE Id = ?"), {sameDay}).toString();
    EXPECT_EQ(column(after, Kind::Row, "J.V. No").at(1), voucher);
    EXPECT_EQ(column(after, Kind::Row, "Bill Amt"), (QStringList{"4,800.00", "4,000.00", "1,050.00"}));
    EXPECT_EQ(after.total(QStringLiteral("SGST")), d("245"));

    QTemporaryDir dir;
    const QString xlsx = dir.filePath(QStringLiteral("rcm.xlsx"));
    Registers(year().db(), year().session, year().folder()).writeFile(after, xlsx);
    EXPECT_TRUE(QFile::exists(xlsx));
    const QString pdf = dir.filePath(QStringLiteral("rcm.pdf"));
    Registers(year().db(), year().session, year().folder()).writePdf(after, pdf);
    const QString text = test::pdfText(pdf, false);
    for (const QString& expected : {QStringLiteral("1. Above RCM Limit"), QStringLiteral("2. Within RCM Limit"), QStringLiteral("PRC-2"),
                                    QStringLiteral("9,850.00")})
        EXPECT_TRUE(text.contains(expected)) << expected.toStdString() << "\n" << text.toStdString();
}

}  // namespace
