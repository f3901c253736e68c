// Outstanding on a date of the grey-cloth trader: the sales bills still open on 30 June, 10 July
// and 31 July after two receipts against GST/1 (4,000.00 on 1 July, 5,800.00 with 100.00 less on
// 15 July) and one that pays GST/3 on 20 July; unpaid amounts as they stood on each date, days
// since the bill and past the due date, the ageing columns and the party filter, the payable side
// and the files written. Runs on both engines (TANABANA_BOTH_ENGINES).
#include "domain/reports/OutstandingRegisters.h"
#include "domain/reports/SellingRegisters.h"
#include "domain/vouchers/CashBankVouchers.h"
#include "support/QtPrinting.h"
#include "support/VoucherFirm.h"
#include "support/YearFixture.h"

#include <gtest/gtest.h>
#include <QFile>

using namespace tanabana;
using namespace tanabana::vouchers;

namespace {

class OutstandingTest : public test::VoucherTest {
protected:
    void SetUp() override {
        test::VoucherTest::SetUp();
        if (IsSkipped()) return;
        ASSERT_TRUE(firm().settle(CashBankKind::CashReceipt, QDate(2024, 7, 1), firm().ramesh, firm().bill1, "4000"));
        ASSERT_TRUE(
            firm().settle(CashBankKind::CashReceipt, QDate(2024, 7, 15), firm().ramesh, firm().bill1, "5800", "100", "0", true));
        ASSERT_TRUE(firm().settle(CashBankKind::CashReceipt, QDate(2024, 7, 20), firm().kiran, firm().bill3, "2100"));
    }

    reports::RegisterResult run(const QString& name, const QDate& on, qint64 party = 0) {
        reports::Registers registers(db(), year().session, QString());
        reports::RegisterChoice choice;
        choice.from = year().session.yearStartDate;
        choice.to = on;
        choice.partyId = party;
        return registers.run(*reports::findRegister(name), choice);
    }
    static QStringList shown(const reports::RegisterResult& r) {
        QStringList out;
        for (const reports::RegisterLine& line : r.lines) out << line.cells.join(QLatin1Char('|'));
        return out;
    }
};

}  // namespace

TEST_F(OutstandingTest, UnpaidBillsAsTheyStoodOnEachDate) {
    const auto june = run(QStringLiteral("outstanding-sales"), QDate(2024, 6, 30));
    EXPECT_EQ(june.title, QStringLiteral("Sales Outstanding (Party Wise)  As On 30-06-2024"));
    EXPECT_EQ(shown(june), (QStringList{
                               "Kiran Sarees  Surat",
                               "GST/3|12-06-2024|12-07-2024|Sales GST|2,100.00|0.00|0.00|2,100.00|18|-12",
                               "Sub Tot||||2,100.00|0.00|0.00|2,100.00||",
                               "Ramesh Silk Mills  Surat",
                               "GST/O/88|20-02-2024|20-02-2024|Sales GST|3,000.00|0.00|0.00|3,000.00|131|131",
                               "GST/1|05-06-2024|05-07-2024|Sales GST|10,000.00|100.00|0.00|9,900.00|25|-5",
                               "GST/2|10-06-2024|10-07-2024|Sales GST|5,250.00|0.00|0.00|5,250.00|20|-10",
                               "Sub Tot||||18,250.00|100.00|0.00|18,150.00||",
                               "Total||||20,350.00|100.00|0.00|20,250.00||",
                           }));

    // On 10 July the first receipt has come: 5,900.00 of GST/1 is unpaid; GST/3 is still open.
    const auto july10 = run(QStringLiteral("outstanding-sales"), QDate(2024, 7, 10), firm().ramesh);
    EXPECT_EQ(july10.filters, QStringLiteral("Party : Ramesh Silk Mills"));
    EXPECT_EQ(july10.total(QStringLiteral("Unpaid")).toString(2), QStringLiteral("14150.00"));
    EXPECT_EQ(shown(july10).at(2),
              QStringLiteral("GST/1|05-06-2024|05-07-2024|Sales GST|10,000.00|100.00|4,000.00|5,900.00|35|5"));

    // By 31 July GST/1 was closed with its less amount and GST/3 paid.
    const auto july31 = run(QStringLiteral("outstanding-sales"), QDate(2024, 7, 31));
    EXPECT_EQ(july31.total(QStringLiteral("Unpaid")).toString(2), QStringLiteral("8250.00"));
    EXPECT_EQ(july31.data.rowCount(), 2);
}

TEST_F(OutstandingTest, AgeingColumnsAndThePayableSide) {
    const auto ageing = run(QStringLiteral("ageing-receivable"), QDate(2024, 7, 10));
    EXPECT_EQ(shown(ageing), (QStringList{
                                 "Kiran Sarees  Surat",
                                 "GST/3|12-06-2024|12-07-2024|2,100.00|2,100.00|0.00|0.00|0.00|-2",
                                 "Sub Tot|||2,100.00|2,100.00|0.00|0.00|0.00|",
                                 "Ramesh Silk Mills  Surat",
                                 "GST/O/88|20-02-2024|20-02-2024|3,000.00|0.00|0.00|0.00|3,000.00|141",
                                 "GST/1|05-06-2024|05-07-2024|5,900.00|0.00|5,900.00|0.00|0.00|5",
                                 "GST/2|10-06-2024|10-07-2024|5,250.00|5,250.00|0.00|0.00|0.00|0",
                                 "Sub Tot|||14,150.00|5,250.00|5,900.00|0.00|3,000.00|",
                                 "Total|||16,250.00|7,350.00|5,900.00|0.00|3,000.00|",
                             }));

    const auto payable = run(QStringLiteral("outstanding-purchase"), QDate(2024, 7, 31));
    ASSERT_EQ(payable.data.rowCount(), 1);
    EXPECT_EQ(shown(payable).at(1), QStringLiteral("LW/12|03-06-2024|18-07-2024|Purchase GST|5,250.00|0.00|0.00|5,250.00|58|13"));

    // The register as the operator saves it.
    QTemporaryDir dir;
    reports::Registers registers(db(), year().session, QString());
    const QString csv = dir.filePath(QStringLiteral("ageing.csv"));
    registers.writeFile(ageing, csv);
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(text.contains(QStringLiteral("GST/1,05-06-2024,05-07-2024,5900.00,0.00,5900.00,0.00,0.00,5\n")))
        << text.toStdString();
    const QString pdf = dir.filePath(QStringLiteral("ageing.pdf"));
    registers.writeFile(ageing, pdf);
    EXPECT_GT(QFile(pdf).size(), 1000);
}
