// The registers of "8. Credit / Debit Note Register" on the grey-cloth trader's books after a sales
// return, a purchase return and a credit note: the lines as the grid shows them with their totals,
// and the same register written as a PDF read back and as a workbook.
// Runs on both engines (TANABANA_BOTH_ENGINES).
#include "domain/reports/SellingRegisters.h"
#include "domain/returns/GoodsReturns.h"
#include "domain/returns/Notes.h"
#include "support/PdfProbe.h"
#include "support/PostedLines.h"
#include "support/VoucherFirm.h"
#include "support/Amounts.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tanabana;
using namespace tanabana::returns;

namespace {

class ReturnRegistersTest : public test::VoucherTest {
protected:
    void SetUp() override {
        test::VoucherTest::SetUp();
        if (IsSkipped()) return;
        SalesReturn back;
        back.bookNo = 1;
        back.date = QDate(2024, 6, 20);
        back.partyId = firm().ramesh;
        back.sourceBillNo = QStringLiteral("2");
        back.reason = QStringLiteral("Shade variation");
        trade::SalesLine line;
        line.qualityId = test::VoucherFirm::kRapier;
        line.input.metres = d("20");
        line.input.listRate = d("100");
        line.input.sgstPercent = line.input.cgstPercent = d("2.5");
        back.lines = {line};
        back.adjustments = {{firm().bill2, d("2000")}};
        ASSERT_TRUE(SalesReturns(db(), year().session, year().messages).save(back)) << test::lastRefusal(year().messages).toStdString();

        Note note;
        note.date = QDate(2024, 6, 30);
        note.partyId = firm().kiran;
        note.otherAccountId = firm().discount;
        note.rateType = kDiscountBasis;
        note.percent = d("5");
        note.billIds = {firm().bill3};
        note.sgstPercent = note.cgstPercent = d("2.5");
        note.reasonCode = QStringLiteral("02");
        ASSERT_TRUE(Notes(db(), year().session, year().messages).save(note)) << test::lastRefusal(year().messages).toStdString();
    }

    reports::RegisterResult run(const QString& name) {
        reports::Registers registers(db(), year().session, QString());
        reports::RegisterChoice choice;
        choice.from = year().session.yearStartDate;
        choice.to = year().session.yearEndDate;
        return registers.run(*reports::findRegister(name), choice);
    }
    static QStringList shown(const reports::RegisterResult& r) {
        QStringList out;
        for (const reports::RegisterLine& line : r.lines) out << line.cells.join(QLatin1Char('|'));
        return out;
    }
};

TEST_F(ReturnRegistersTest, NotesAndReturnsListedWithTheirTotals) {
    EXPECT_EQ(reports::registersOfCommand(QStringLiteral("mnu_R28")).size(), 4u);
    const auto credit = run(QStringLiteral("credit-notes"));
    EXPECT_TRUE(credit.title.startsWith(QStringLiteral("Credit Note Register  From 01-04-2024"))) << credit.title.toStdString();
    // 5% of 2,000.00 = 100.00 + 2.50 + 2.50.
    EXPECT_EQ(shown(credit), (QStringList{QStringLiteral("1|30-06-2024|Kiran Sarees||3|Disc %|02|100.00|2.50|2.50|0.00|105.00"),
                                          QStringLiteral("Total|||||||100.00|2.50|2.50|0.00|105.00")}));
    EXPECT_EQ(run(QStringLiteral("debit-notes")).data.rowCount(), 0);

    const auto returned = run(QStringLiteral("sales-returns"));
    EXPECT_EQ(shown(returned).first(),
              QStringLiteral("GST/1|20-06-2024|Ramesh Silk Mills||2|Shade variation|20.000|2,000.00|50.00|50.00|0.00|2,100.00|2,000.00"));
    EXPECT_EQ(returned.total(QStringLiteral("Adjusted")).toString(2), QStringLiteral("2000.00"));
    EXPECT_EQ(run(QStringLiteral("purchase-returns")).data.rowCount(), 0);

    QTemporaryDir dir;
    reports::Registers registers(db(), year().session, QString());
    const QString pdf = dir.filePath(QStringLiteral("Credit_Note_Register.pdf"));
    registers.writePdf(credit, pdf);
    test::keepForLooking(pdf);
    const QString text = test::pdfText(pdf, false);
    for (const QString& expected : {QStringLiteral("Credit Note Register"), QStringLiteral("Kiran Sarees"), QStringLiteral("105.00")})
        EXPECT_TRUE(text.contains(expected)) << expected.toStdString() << "\n" << text.toStdString();
    const QString xlsx = dir.filePath(QStringLiteral("Sales_Return_Register.xlsx"));
    registers.writeXlsx(returned, xlsx);
    EXPECT_GT(QFileInfo(xlsx).size(), 1000);
}

}  // namespace
