// The printed lists of the masters, for a small Surat trading firm (TANABANA_BOTH_ENGINES): the
// price list of active qualities (one group or all), the job process list, the opening balances
// by name, by group and as a balance sheet, and the group list; each read back from its PDF, and
// the price list also from its Excel workbook with the rates kept as numbers.
#include "domain/masters/AccountPrints.h"
#include "domain/masters/OpeningBalances.h"
#include "domain/products/ItemMaster.h"
#include "domain/products/ProductPrints.h"
#include "domain/products/SmallMasters.h"
#include "domain/reports/ReportService.h"
#include "domain/reports/Xlsx.h"
#include "domain/reports/XlsxReport.h"
#include "support/FirmBooks.h"
#include "support/PdfProbe.h"
#include "support/YearFixture.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace tanabana;

namespace {

class MasterLists : public ::testing::Test {
protected:
    void SetUp() override {
        TANABANA_REQUIRE_ENGINE();
        year = std::make_unique<test::YearFixture>();
        test::seedDefaultChart(db());
        products::ItemMaster items(db(), year->session, year->messages);
        const auto item = [&](const QString& code, const QString& name, const QString& group, const char* sales, const char* purchase,
                              bool active) {
            products::Item i;
            i.code = code;
            i.name = name;
            i.group = group;
            i.unit = QStringLiteral("MTR");
            i.hsn = QStringLiteral("5407");
            i.rateRetail = *Decimal::parse(QString::fromLatin1(sales));
            i.ratePurchase = *Decimal::parse(QString::fromLatin1(purchase));
            i.sgst = Decimal::fromUnits(2500000);  // 2.5 + 2.5
            i.cgst = Decimal::fromUnits(2500000);
            i.active = active;
            ASSERT_TRUE(items.save(i)) << qPrintable(year->messages.empty() ? QString() : year->messages.last().text);
        };
        item(QStringLiteral("101"), QStringLiteral("Rangoli Georgette"), QStringLiteral("Georgette"), "112.50", "96.00", true);
        item(QStringLiteral("102"), QStringLiteral("Crystal \"Gold\" 60gm"), QStringLiteral("Crystal"), "74.25", "61.80", true);
        item(QStringLiteral("103"), QStringLiteral("Old Satin"), QStringLiteral("Georgette"), "50.00", "40.00", false);
        item(QStringLiteral("104"), QStringLiteral("Moss Crepe"), QStringLiteral("Georgette"), "1,250.00", "1,100.00", true);

        products::ProcessMaster processes(db(), year->session, year->messages);
        for (const char* name : {"Dyeing", "Printing", "Embroidery"}) ASSERT_TRUE(processes.save({0, 1, QString::fromLatin1(name), QLatin1Char('J'), true}));
        ASSERT_TRUE(processes.save({0, 1, QStringLiteral("Hand Work"), QLatin1Char('J'), false}));
        ASSERT_TRUE(processes.save({0, 1, QStringLiteral("Rani Pink"), QLatin1Char('C'), true}));

        masters::OpeningBalances balances(db(), year->session, year->messages);
        capital = test::addAccount(db(), QStringLiteral("Ashok Shah Capital"), 72);
        const qint64 bank = test::addAccount(db(), QStringLiteral("Bank of Baroda Ring Road"), 36);
        const qint64 debtor = test::addAccount(db(), QStringLiteral("Mahavir Fabrics"), 35);
        const qint64 creditor = test::addAccount(db(), QStringLiteral("Ramesh Silk Mills"), 76);
        test::addAccount(db(), QStringLiteral("Laxmi Sarees"), 35);  // no balance: left out
        const QDate start(2024, 4, 1);
        ASSERT_TRUE(balances.save({capital, start, *Decimal::parse(QStringLiteral("500000")), QStringLiteral("C")}));
        ASSERT_TRUE(balances.save({bank, start, *Decimal::parse(QStringLiteral("325000.50")), QStringLiteral("D")}));
        ASSERT_TRUE(balances.save({debtor, start, *Decimal::parse(QStringLiteral("224999.50")), QStringLiteral("D")}));
        ASSERT_TRUE(balances.save({creditor, start, *Decimal::parse(QStringLiteral("50000")), QStringLiteral("C")}));
    }
    db::Database& db() { return year->db(); }
    QString pdfOf(const reports::ReportRequest& request, const QString& name) {
        reports::ReportService service(year->folder());
        auto document = service.prepare(&db(), request);
        const QString path = year->folder() + QLatin1Char('/') + name + QStringLiteral(".pdf");
        service.writePdf(*document, path);
        test::keepForLooking(path);
        return test::pdfText(path);
    }
    // The printed line holding `text`, blanks squeezed.
    static QString lineWith(const QString& page, const QString& text) {
        for (QString line : page.split(QLatin1Char('\n')))
            if (line.contains(text)) return line.simplified();
        return {};
    }
    std::unique_ptr<test::YearFixture> year;
    qint64 capital = 0;
};

}  // namespace

TEST_F(MasterLists, PriceListShowsActiveQualitiesOfOneGroupOrAll) {
    const QString all = pdfOf(products::priceListReport(year->session, {}, QDate(2024, 6, 15)), QStringLiteral("prices"));
    EXPECT_TRUE(all.contains(QStringLiteral("Item Price List as On : 15-06-2024")));
    EXPECT_EQ(lineWith(all, QStringLiteral("Rangoli")), QStringLiteral("101 Rangoli Georgette Georgette 5407 MTR 5.00 96.00 112.50 0.00"));
    EXPECT_EQ(lineWith(all, QStringLiteral("Moss Crepe")), QStringLiteral("104 Moss Crepe Georgette 5407 MTR 5.00 1,100.00 1,250.00 0.00"));
    EXPECT_TRUE(all.contains(QStringLiteral("Crystal \"Gold\" 60gm")));
    EXPECT_FALSE(all.contains(QStringLiteral("Old Satin")));  // inactive
    // by code: 101 before 102 before 104
    EXPECT_LT(all.indexOf(QStringLiteral("Rangoli")), all.indexOf(QStringLiteral("Crystal")));
    EXPECT_LT(all.indexOf(QStringLiteral("Crystal")), all.indexOf(QStringLiteral("Moss Crepe")));

    // one group, typed in another case
    const QString georgette = pdfOf(products::priceListReport(year->session, QStringLiteral(" georgette "), QDate(2024, 6, 15)),
                                    QStringLiteral("prices-georgette"));
    EXPECT_TRUE(georgette.contains(QStringLiteral("(Group : georgette)")));
    EXPECT_TRUE(georgette.contains(QStringLiteral("Moss Crepe")));
    EXPECT_FALSE(georgette.contains(QStringLiteral("Crystal")));

    // the same list as a workbook: rates are numbers the accountant can add up
    reports::ReportService service(year->folder());
    auto document = service.prepare(&db(), products::priceListReport(year->session, {}, QDate(2024, 6, 15)));
    const QString book = year->folder() + QStringLiteral("/prices.xlsx");
    reports::writeReportXlsx(*document, book);
    const auto sheets = reports::readXlsx(book);
    ASSERT_EQ(sheets.size(), 1u);
    bool found = false;
    for (const reports::XlsxCell& c : sheets[0].cells)
        if (c.value.typeId() == QMetaType::Double && c.value.toDouble() == 1250.0) found = true;
    EXPECT_TRUE(found) << "the sales rate 1,250.00 is not a number cell";
}

TEST_F(MasterLists, ProcessListHoldsOnlyItsOwnKindByName) {
    const QString text = pdfOf(products::processListReport(year->session, QLatin1Char('J'), QDate(2024, 6, 15)), QStringLiteral("processes"));
    EXPECT_TRUE(text.contains(QStringLiteral("Job Process List as On : 15-06-2024")));
    EXPECT_EQ(lineWith(text, QStringLiteral("Dyeing")), QStringLiteral("Dyeing Yes"));
    EXPECT_EQ(lineWith(text, QStringLiteral("Hand Work")), QStringLiteral("Hand Work No"));
    EXPECT_LT(text.indexOf(QStringLiteral("Embroidery")), text.indexOf(QStringLiteral("Printing")));
    EXPECT_FALSE(text.contains(QStringLiteral("Rani Pink")));  // a colour, not a job process
}

TEST_F(MasterLists, OpeningBalancesPrintByNameByGroupAndAsABalanceSheet) {
    const QString regular = pdfOf(masters::openingBalanceReport(year->session, masters::OpeningPrint::Regular, QDate(2024, 4, 1)),
                                  QStringLiteral("opening"));
    EXPECT_TRUE(regular.contains(QStringLiteral("Opening Balance List as On : 01-04-2024")));
    EXPECT_TRUE(lineWith(regular, QStringLiteral("Mahavir Fabrics")).endsWith(QStringLiteral("2,24,999.50 0.00")))
        << lineWith(regular, QStringLiteral("Mahavir Fabrics")).toStdString();
    EXPECT_TRUE(lineWith(regular, QStringLiteral("Ashok Shah Capital")).endsWith(QStringLiteral("0.00 5,00,000.00")));
    EXPECT_FALSE(regular.contains(QStringLiteral("Laxmi Sarees")));
    // debits and credits agree: 5,50,000.00 on each side
    EXPECT_EQ(lineWith(regular, QStringLiteral("Total")), QStringLiteral("Total 5,50,000.00 5,50,000.00"));

    const QString headWise = pdfOf(masters::openingBalanceReport(year->session, masters::OpeningPrint::HeadWise, QDate(2024, 4, 1)),
                                   QStringLiteral("opening-head"));
    // each group under its name with its own total
    const int debtorsHeading = headWise.indexOf(QStringLiteral("Sundry Debtors"));
    ASSERT_GE(debtorsHeading, 0) << headWise.toStdString();
    EXPECT_GT(headWise.indexOf(QStringLiteral("Mahavir Fabrics")), debtorsHeading);
    EXPECT_EQ(headWise.count(QStringLiteral("Group Total")), 4);

    const QString sheet = pdfOf(masters::openingBalanceReport(year->session, masters::OpeningPrint::BalanceSheet, QDate(2024, 4, 1)),
                                QStringLiteral("opening-bs"));
    EXPECT_TRUE(sheet.contains(QStringLiteral("OPENING  AMOUNT BALANCE SHEET")) || sheet.contains(QStringLiteral("OPENING AMOUNT BALANCE SHEET")));
    EXPECT_EQ(lineWith(sheet, QStringLiteral("Rs :-")), QStringLiteral("Rs :- 5,50,000.00 5,50,000.00"));
    // by group number under the group's heading: debtors (35), bank (36), capital (72), creditors (76)
    EXPECT_LT(sheet.indexOf(QStringLiteral("35 Sundry Debtors")), sheet.indexOf(QStringLiteral("Mahavir Fabrics")));
    EXPECT_LT(sheet.indexOf(QStringLiteral("Mahavir Fabrics")), sheet.indexOf(QStringLiteral("Bank of Baroda")));
    EXPECT_LT(sheet.indexOf(QStringLiteral("Bank of Baroda")), sheet.indexOf(QStringLiteral("Ashok Shah Capital")));
    EXPECT_LT(sheet.indexOf(QStringLiteral("Ashok Shah Capital")), sheet.indexOf(QStringLiteral("76 Sundry Creditors")));
    EXPECT_EQ(sheet.count(QStringLiteral("Group Total")), 0);
}

TEST_F(MasterLists, GroupListCountsTheAccountsOfEachGroup) {
    const QString text = pdfOf(masters::groupListReport(year->session, QDate(2024, 4, 1)), QStringLiteral("groups"));
    EXPECT_TRUE(text.contains(QStringLiteral("Group List as On : 01-04-2024")));
    const QString debtors = lineWith(text, QStringLiteral("35 Sundry Debtors"));
    ASSERT_FALSE(debtors.isEmpty()) << text.toStdString();
    EXPECT_LT(text.indexOf(QStringLiteral("34 Sundry Debtors")), text.indexOf(QStringLiteral("35 Sundry Debtors")));
    // Mahavir Fabrics and Laxmi Sarees beside whatever debtors the default chart holds
    const int defaultDebtors = db().scalar(QStringLiteral("SELECT COUNT(*) FROM AccMst WHERE FirmNo = 1 AND GrpNo = 35 AND IsGrp = 0")).toInt();
    EXPECT_GE(defaultDebtors, 2);
    EXPECT_EQ(debtors, QStringLiteral("35 Sundry Debtors ") + QString::number(defaultDebtors) + QStringLiteral(" Yes"));
    // the last line adds up every account of the firm
    const int accounts = db().scalar(QStringLiteral("SELECT COUNT(*) FROM AccMst WHERE FirmNo = 1 AND IsGrp = 0")).toInt();
    EXPECT_EQ(lineWith(text, QStringLiteral("Total")), QStringLiteral("Total ") + QString::number(accounts));
}
