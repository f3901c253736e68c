// The selling registers over a month of a small Surat firm: bill-wise sales by date, party and
// book with their sub-totals and totals against the bills saved (a GST-inclusive retail bill and
// an IGST bill among them, another firm's bill left out), the quality-wise and HSN-wise
// summaries, the challan registers with the bill that took each challan, the pending challans,
// the produced takas, and the same register read back from its PDF, workbook and CSV files.
// Runs on both engines (TANABANA_BOTH_ENGINES).
#include "domain/mill/MillIssues.h"
#include "domain/mill/MillReceipts.h"
#include "domain/reports/ReportError.h"
#include "domain/reports/SellingRegisters.h"
#include "domain/reports/Xlsx.h"
#include "domain/returns/GoodsReturns.h"
#include "domain/returns/Notes.h"
#include "domain/stock/StockVouchers.h"
#include "domain/trade/PurchaseInvoices.h"
#include "support/FirmBooks.h"
#include "support/PdfProbe.h"
#include "support/SellingFirm.h"
#include "support/YearFixture.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tanabana;
using namespace tanabana::reports;

namespace {

using Kind = RegisterLine::Kind;

class RegistersTest : public ::testing::Test {
protected:
    void SetUp() override {
        TANABANA_REQUIRE_ENGINE();
        year_ = std::make_unique<test::YearFixture>();
        firm_ = std::make_unique<test::SellingFirm>(year().db(), year().session, year().messages);
        firm_->build();
        ASSERT_FALSE(HasFailure());
    }

    RegisterResult run(const QString& name, RegisterChoice choice = {}) {
        if (!choice.from.isValid()) choice.from = QDate(2024, 8, 1);
        if (!choice.to.isValid()) choice.to = QDate(2024, 8, 31);
        const RegisterDefinition* d = findRegister(name);
        EXPECT_NE(d, nullptr) << name.toStdString();
        return Registers(year().db(), year().session, year().folder()).run(*d, choice);
    }

    // The cell under a caption of a line.
    static QString cell(const RegisterResult& r, const RegisterLine& line, const QString& caption) {
        for (size_t i = 0; i < r.sheet.columns.size(); ++i)
            if (r.sheet.columns[i].caption == caption) return line.cells.value(int(i));
        ADD_FAILURE() << "no column " << caption.toStdString();
        return {};
    }
    static std::vector<RegisterLine> linesOf(const RegisterResult& r, Kind kind) {
        std::vector<RegisterLine> out;
        for (const RegisterLine& l : r.lines)
            if (l.kind == kind) out.push_back(l);
        return out;
    }
    static QStringList column(const RegisterResult& r, Kind kind, const QString& caption) {
        QStringList out;
        for (const RegisterLine& l : linesOf(r, kind)) out << cell(r, l, caption);
        return out;
    }
    static QStringList headings(const RegisterResult& r) {
        QStringList out;
        for (const RegisterLine& l : linesOf(r, Kind::Heading)) out << l.cells.value(0);
        return out;
    }

    test::YearFixture& year() { return *year_; }
    test::SellingFirm& firm() { return *firm_; }
    std::unique_ptr<test::YearFixture> year_;
    std::unique_ptr<test::SellingFirm> firm_;
};

TEST_F(RegistersTest, SalesByDateShowsEachBillWithDayTotalsRunningTotalAndTheMonth) {
    const RegisterResult r = run(QStringLiteral("sales-by-date"));
    EXPECT_EQ(r.title, QStringLiteral("Sales Register (Date Wise)  From 01-08-2024 To 31-08-2024"));
    EXPECT_EQ(headings(r), (QStringList{"Date : 05-08-2024", "Date : 12-08-2024", "Date : 20-08-2024"}));
    // Firm 2's bill of 10-08 is not here.
    EXPECT_EQ(column(r, Kind::Row, "Bill No"), (QStringList{"GST/1", "GST/2", "R/1", "GST/3"}));
    EXPECT_EQ(column(r, Kind::Row, "Party"), (QStringList{"Ramesh Silk Mills", "Delhi Drapers", "Ramesh Silk Mills", "Kiran Sarees"}));
    // The Delhi bill is IGST only; the retail saree bill had GST inside its rate.
    EXPECT_EQ(column(r, Kind::Row, "IGST"), (QStringList{"0.00", "262.50", "0.00", "0.00"}));
    EXPECT_EQ(column(r, Kind::Row, "SGST"), (QStringList{"262.50", "0.00", "600.00", "83.75"}));
    EXPECT_EQ(column(r, Kind::Row, "Taxable Amt"), (QStringList{"10,500.00", "5,250.00", "10,000.00", "3,349.88"}));
    EXPECT_EQ(column(r, Kind::Row, "Mtrs"), (QStringList{"100.000", "50.000", "0.000", "32.500"}));
    EXPECT_EQ(column(r, Kind::Row, "Net Amt"), (QStringList{"11,025.00", "5,513.00", "11,200.00", "3,517.00"}));
    EXPECT_EQ(column(r, Kind::Row, "Running Total"), (QStringList{"11,025.00", "16,538.00", "27,738.00", "31,255.00"}));
    EXPECT_EQ(column(r, Kind::SubTotal, "Net Amt"), (QStringList{"16,538.00", "11,200.00", "3,517.00"}));
    EXPECT_EQ(column(r, Kind::SubTotal, "Bill No"), (QStringList{"Day Total", "Day Total", "Day Total"}));

    const auto total = linesOf(r, Kind::Total);
    ASSERT_EQ(total.size(), 1u);
    EXPECT_EQ(r.lines.back().kind, Kind::Total);
    EXPECT_EQ(cell(r, total[0], "Bill No"), QStringLiteral("Total"));
    EXPECT_EQ(cell(r, total[0], "Taxable Amt"), QStringLiteral("29,099.88"));
    EXPECT_EQ(cell(r, total[0], "SGST"), QStringLiteral("946.25"));
    EXPECT_EQ(cell(r, total[0], "CGST"), QStringLiteral("946.25"));
    EXPECT_EQ(cell(r, total[0], "IGST"), QStringLiteral("262.50"));
    EXPECT_EQ(cell(r, total[0], "Net Amt"), QStringLiteral("31,255.00"));
    EXPECT_EQ(cell(r, total[0], "Pcs"), QStringLiteral("10"));
    EXPECT_EQ(r.total(QStringLiteral("NetAmount")).toString(2), QStringLiteral("31255.00"));

    // Enter on a bill opens that bill.
    const auto rows = linesOf(r, Kind::Row);
    EXPECT_EQ(rows[0].documentId, firm().bill1);
    EXPECT_EQ(rows[3].documentId, firm().bill3);
    EXPECT_EQ(r.definition.opens, DocumentKind::SalesBill);
}

TEST_F(RegistersTest, PartyAndBookRegistersGroupTheSameBillsAndFiltersNarrowThem) {
    const RegisterResult byParty = run(QStringLiteral("sales-by-party"));
    EXPECT_EQ(headings(byParty), (QStringList{"Delhi Drapers  New Delhi", "Kiran Sarees  Surat", "Ramesh Silk Mills  Surat"}));
    EXPECT_EQ(column(byParty, Kind::SubTotal, "Net Amt"), (QStringList{"5,513.00", "3,517.00", "22,225.00"}));
    EXPECT_EQ(column(byParty, Kind::SubTotal, "Taxable Amt"), (QStringList{"5,250.00", "3,349.88", "20,500.00"}));
    EXPECT_EQ(column(byParty, Kind::Total, "Net Amt"), QStringList{"31,255.00"});

    const RegisterResult byBook = run(QStringLiteral("sales-by-book"));
    EXPECT_EQ(headings(byBook), (QStringList{"Book : Sales GST", "Book : Retail Sales"}));
    EXPECT_EQ(column(byBook, Kind::SubTotal, "Net Amt"), (QStringList{"20,055.00", "11,200.00"}));

    RegisterChoice ramesh;
    ramesh.partyId = firm().ramesh;
    const RegisterResult one = run(QStringLiteral("sales-by-party"), ramesh);
    EXPECT_EQ(one.filters, QStringLiteral("Party : Ramesh Silk Mills"));
    EXPECT_EQ(column(one, Kind::Row, "Bill No"), (QStringList{"GST/1", "R/1"}));
    EXPECT_EQ(column(one, Kind::Total, "Net Amt"), QStringList{"22,225.00"});

    RegisterChoice retail;
    retail.bookNo = 4;
    retail.partyId = firm().ramesh;
    const RegisterResult both = run(QStringLiteral("sales-by-date"), retail);
    EXPECT_EQ(both.filters, QStringLiteral("Party : Ramesh Silk Mills   Book : Retail Sales"));
    EXPECT_EQ(column(both, Kind::Row, "Bill No"), QStringList{"R/1"});

    // Bills with Georgette: only GST/3, with the whole bill's amounts.
    RegisterChoice georgette;
    georgette.itemId = test::SellingFirm::kGeorgette;
    EXPECT_EQ(column(run(QStringLiteral("sales-by-date"), georgette), Kind::Row, "Net Amt"), QStringList{"3,517.00"});

    // A period of one day.
    RegisterChoice fifth;
    fifth.from = fifth.to = QDate(2024, 8, 5);
    EXPECT_EQ(column(run(QStringLiteral("sales-by-party"), fifth), Kind::Total, "Net Amt"), QStringList{"16,538.00"});
}

TEST_F(RegistersTest, QualityAndHsnSummariesAddTheLinesOfTheBills) {
    const RegisterResult q = run(QStringLiteral("sales-by-quality"));
    EXPECT_EQ(headings(q), (QStringList{"Qlty Type : Rapier", "Qlty Type : Saree"}));
    EXPECT_EQ(column(q, Kind::Row, "Quality"), (QStringList{"Georgette 44", "Rapier 60 Red", "Saree Zari"}));
    EXPECT_EQ(column(q, Kind::Row, "Mtrs"), (QStringList{"12.500", "170.000", "0.000"}));
    EXPECT_EQ(column(q, Kind::Row, "Pcs"), (QStringList{"0", "0", "10"}));
    EXPECT_EQ(column(q, Kind::Row, "Taxable Amt"), (QStringList{"1,249.88", "17,850.00", "10,000.00"}));
    // Rapier went to Delhi too: its IGST is not counted as SGST.
    EXPECT_EQ(column(q, Kind::Row, "SGST"), (QStringList{"31.25", "315.00", "600.00"}));
    EXPECT_EQ(column(q, Kind::Row, "IGST"), (QStringList{"0.00", "262.50", "0.00"}));
    EXPECT_EQ(column(q, Kind::SubTotal, "Taxable Amt"), (QStringList{"19,099.88", "10,000.00"}));
    EXPECT_EQ(column(q, Kind::Total, "Taxable Amt"), QStringList{"29,099.88"});

    const RegisterResult hsn = run(QStringLiteral("sales-hsn"));
    EXPECT_EQ(column(hsn, Kind::Row, "HSN"), (QStringList{"5208", "5407"}));
    EXPECT_EQ(column(hsn, Kind::Row, "UQC"), (QStringList{"PCS-PIECES", "MTR-METERS"}));
    EXPECT_EQ(column(hsn, Kind::Row, "Rate %"), (QStringList{"12.00", "5.00"}));
    EXPECT_EQ(column(hsn, Kind::Row, "Total Qty"), (QStringList{"10.000", "182.500"}));
    EXPECT_EQ(column(hsn, Kind::Row, "Taxable Value"), (QStringList{"10,000.00", "19,099.88"}));
    EXPECT_EQ(column(hsn, Kind::Row, "Integrated Tax"), (QStringList{"0.00", "262.50"}));
    EXPECT_EQ(column(hsn, Kind::Row, "Central Tax"), (QStringList{"600.00", "346.25"}));
    EXPECT_EQ(column(hsn, Kind::Total, "Taxable Value"), QStringList{"29,099.88"});
    EXPECT_TRUE(linesOf(hsn, Kind::Heading).empty());
}

TEST_F(RegistersTest, ChallanRegistersShowTheBillThatTookEachChallanAndWhatIsStillPending) {
    const RegisterResult all = run(QStringLiteral("challans"));
    EXPECT_EQ(column(all, Kind::Row, "Chalan No"), (QStringList{"GST/1", "GST/2", "GST/3"}));
    EXPECT_EQ(column(all, Kind::Row, "Bill No"), (QStringList{"GST/3", "Pending", "Pending"}));
    EXPECT_EQ(column(all, Kind::Row, "Amount"), (QStringList{"2,100.00", "3,150.00", "11,602.50"}));
    EXPECT_EQ(column(all, Kind::Total, "Mtrs"), QStringList{"160.500"});

    const RegisterResult pending = run(QStringLiteral("challans-pending"));
    EXPECT_EQ(headings(pending), (QStringList{"Kiran Sarees  Surat", "Ramesh Silk Mills  Surat"}));
    EXPECT_EQ(column(pending, Kind::Row, "Chalan No"), (QStringList{"GST/3", "GST/2"}));
    EXPECT_EQ(column(pending, Kind::Total, "Amount"), QStringList{"14,752.50"});
    EXPECT_EQ(linesOf(pending, Kind::Row)[0].documentId, firm().challanPending2);
    EXPECT_EQ(pending.definition.opens, DocumentKind::DeliveryChallan);
}

TEST_F(RegistersTest, ChallanSummariesAddTheLinesPerQualityPartyAndChallan) {
    const RegisterResult quality = run(QStringLiteral("challans-by-quality"));
    EXPECT_EQ(column(quality, Kind::Row, "Quality"), QStringList{"Rapier 60 Red"});
    EXPECT_EQ(column(quality, Kind::Row, "Challans"), QStringList{"3"});
    EXPECT_EQ(column(quality, Kind::Row, "Mtrs"), QStringList{"160.500"});
    EXPECT_EQ(column(quality, Kind::Total, "Amount"), QStringList{"16,852.50"});

    const RegisterResult parties = run(QStringLiteral("challans-party-summary"));
    EXPECT_EQ(column(parties, Kind::Row, "Party"), (QStringList{"Kiran Sarees", "Ramesh Silk Mills"}));
    EXPECT_EQ(column(parties, Kind::Row, "Challans"), (QStringList{"2", "1"}));
    EXPECT_EQ(column(parties, Kind::Row, "Amount"), (QStringList{"13,702.50", "3,150.00"}));
    EXPECT_EQ(column(parties, Kind::Total, "Challans"), QStringList{"3"});

    RegisterChoice kiran;
    kiran.partyId = firm().kiran;
    const RegisterResult both = run(QStringLiteral("challans-party-quality"), kiran);
    EXPECT_EQ(headings(both), QStringList{"Kiran Sarees  Surat"});
    EXPECT_EQ(column(both, Kind::SubTotal, "Mtrs"), QStringList{"130.500"});

    const RegisterResult lines = run(QStringLiteral("challan-lines"));
    EXPECT_EQ(headings(lines), (QStringList{"Chalan No GST/1  01-08-2024  Kiran Sarees  Surat", "Chalan No GST/2  03-08-2024  Ramesh Silk Mills  Surat",
                                            "Chalan No GST/3  22-08-2024  Kiran Sarees  Surat"}));
    EXPECT_EQ(column(lines, Kind::Row, "Desc"), (QStringList{"", "", "102"}));  // the taka challan names its taka
    EXPECT_EQ(column(lines, Kind::Row, "Rate"), (QStringList{"105.00", "105.00", "105.00"}));
    EXPECT_EQ(linesOf(lines, Kind::Row)[1].documentId, firm().challanPending1);
    EXPECT_EQ(column(lines, Kind::Total, "Amount"), QStringList{"16,852.50"});
}

TEST_F(RegistersTest, ProductionRegisterListsTakasByQualityWithTheChallanThatSentThem) {
    const RegisterResult r = run(QStringLiteral("production"));
    EXPECT_EQ(headings(r), (QStringList{"Quality : Georgette 44", "Quality : Rapier 60 Red"}));
    EXPECT_EQ(column(r, Kind::Row, "Taka No"), (QStringList{"103", "101", "102"}));
    EXPECT_EQ(column(r, Kind::Row, "Chalan"), (QStringList{"", "", "GST/3"}));
    EXPECT_EQ(column(r, Kind::SubTotal, "Mtrs"), (QStringList{"98.250", "221.000"}));
    EXPECT_EQ(column(r, Kind::Total, "Mtrs"), QStringList{"319.250"});
    EXPECT_EQ(linesOf(r, Kind::Row)[0].documentId, firm().production1);

    RegisterChoice july;
    july.from = QDate(2024, 7, 1);
    july.to = QDate(2024, 7, 31);
    const RegisterResult empty = run(QStringLiteral("production"), july);
    EXPECT_TRUE(empty.lines.empty());
}

TEST_F(RegistersTest, PrintedWorkbookAndCsvCarryTheSameFigures) {
    QTemporaryDir dir;
    const Registers registers(year().db(), year().session, year().folder());
    RegisterChoice august{QDate(2024, 8, 1), QDate(2024, 8, 31)};
    const RegisterResult r = registers.run(*findRegister(QStringLiteral("sales-by-party")), august);

    const QString pdf = dir.filePath(QStringLiteral("party.pdf"));
    registers.writeFile(r, pdf);
    test::keepForLooking(pdf);
    const QString text = test::pdfText(pdf, false);
    for (const char* expected : {"Shree Ganesh Textiles", "Sales Register (Party Wise) From 01-08-2024 To 31-08-2024", "Delhi Drapers",
                                 "Ramesh Silk Mills", "22,225.00", "31,255.00", "Sub Tot", "Total", "Page 1 of 1", "GSTIN : 24AAACS1234A1Z8"})
        EXPECT_TRUE(text.simplified().contains(QString::fromLatin1(expected))) << expected << "\n" << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("4,410.00")));  // the other firm's bill

    const QString book = dir.filePath(QStringLiteral("party.xlsx"));
    registers.writeFile(r, book);
    const auto sheets = readXlsx(book);
    ASSERT_EQ(sheets.size(), 1u);
    bool totalFound = false;
    for (const XlsxCell& c : sheets[0].cells)
        if (c.value.typeId() == QMetaType::Double && qFuzzyCompare(c.value.toDouble(), 31255.0)) totalFound = true;
    EXPECT_TRUE(totalFound) << "the grand total 31255 is a number in the workbook";

    const QString csv = dir.filePath(QStringLiteral("party.csv"));
    registers.writeFile(r, csv);
    QFile f(csv);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    EXPECT_TRUE(lines.first().startsWith(QStringLiteral("Bill No,Date,Book,Pcs,Mtrs,Taxable Amt")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Sub Tot,,,10,100.000,20500.00,862.50,862.50,0.00,0.00,0.00,22225.00")))
        << lines.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(lines.last(), QStringLiteral("Total,,,10,182.500,29099.88,946.25,946.25,262.50,0.00,0.12,31255.00"));

    EXPECT_THROW(registers.writeFile(r, dir.filePath(QStringLiteral("party.txt"))), ReportError);
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("party.txt"))));
}

TEST_F(RegistersTest, UpsideDownPeriodAndMissingViewRightAreRefused) {
    const Registers registers(year().db(), year().session, year().folder());
    RegisterChoice backwards{QDate(2024, 8, 31), QDate(2024, 8, 1)};
    try {
        registers.run(*findRegister(QStringLiteral("challans")), backwards);
        FAIL() << "an upside-down period ran";
    } catch (const ReportError& e) {
        EXPECT_EQ(e.text(), QStringLiteral("From Date Should Not Be After To Date"));
    }
    year().session.rights.insert(QStringLiteral("IsView"), 0);
    try {
        registers.run(*findRegister(QStringLiteral("sales-by-date")), RegisterChoice{QDate(2024, 8, 1), QDate(2024, 8, 31)});
        FAIL() << "a clerk without the view right saw the register";
    } catch (const ReportError& e) {
        EXPECT_EQ(e.text(), QStringLiteral("You Have No Right For Sales Register (Date Wise)"));
    }
}

TEST_F(RegistersTest, EveryMenuRegisterHasItsLayoutAndNamesOnlyColumnsItsQueryGives) {
    // Grey bought from the looms, so the purchase registers have a line too; the weaver bills
    // under reverse charge, so the day-wise reverse-charge register has one as well.
    year().db().exec(QStringLiteral("UPDATE AccMst SET Is_RevCh = 1 WHERE Id = ?"), {firm().weaver});
    trade::PurchaseBill bought;
    bought.bookId = 2;
    bought.billNo = QStringLiteral("ML/5");
    bought.date = QDate(2024, 8, 7);
    bought.partyId = firm().weaver;
    trade::PurchaseLine grey;
    grey.qualityId = test::SellingFirm::kRapier;
    grey.input.metres = Decimal(100);
    grey.input.listRate = Decimal(50);
    bought.lines = {grey};
    const auto boughtId = trade::PurchaseInvoices(year().db(), year().session, year().messages).save(bought);
    ASSERT_TRUE(boughtId);
    // A return and a note of each side, for the credit and debit note registers.
    returns::SalesReturn back;
    back.bookNo = 1;
    back.date = QDate(2024, 8, 25);
    back.partyId = firm().ramesh;
    trade::SalesLine rapier;
    rapier.qualityId = test::SellingFirm::kRapier;
    rapier.input.metres = Decimal(20);
    rapier.input.listRate = Decimal(105);
    rapier.input.sgstPercent = rapier.input.cgstPercent = *Decimal::parse(QStringLiteral("2.5"));
    back.lines = {rapier};
    ASSERT_TRUE(returns::SalesReturns(year().db(), year().session, year().messages).save(back));
    returns::PurchaseReturn sentBack;
    sentBack.bookId = 2;
    sentBack.date = QDate(2024, 8, 25);
    sentBack.partyId = firm().weaver;
    grey.input.metres = Decimal(10);
    sentBack.lines = {grey};
    ASSERT_TRUE(returns::PurchaseReturns(year().db(), year().session, year().messages).save(sentBack));
    for (const auto& [kind, party, bill, account] :
         {std::tuple{returns::NoteKind::Credit, firm().ramesh, firm().bill1, QStringLiteral("Discount Allowed")},
          std::tuple{returns::NoteKind::Debit, firm().weaver, *boughtId, QStringLiteral("Discount Received")}}) {
        returns::Note note;
        note.kind = kind;
        note.date = QDate(2024, 8, 30);
        note.partyId = party;
        note.otherAccountId = test::accountId(year().db(), account);
        note.rateType = returns::kDiscountBasis;
        note.percent = Decimal(1);
        note.billIds = {bill};
        ASSERT_TRUE(returns::Notes(year().db(), year().session, year().messages).save(note));
    }
    // Two takas typed to a mill, one of them back, for the mill registers.
    const qint64 mill = test::addAccount(year().db(), QStringLiteral("Surat Dyeing Mills"), 77);
    mill::MillIssue issue;
    issue.bookId = 2;
    issue.date = QDate(2024, 8, 10);
    issue.millId = mill;
    issue.qualityId = test::SellingFirm::kRapier;
    issue.lines = {{QStringLiteral("T-1"), Decimal(50)}, {QStringLiteral("T-2"), Decimal(50)}};
    ASSERT_TRUE(mill::MillIssues(year().db(), year().session, year().messages).save(issue));
    mill::MillReceipts millReceipts(year().db(), year().session, year().messages);
    mill::MillReceipt fromMill;
    fromMill.bookId = 2;
    fromMill.date = QDate(2024, 8, 20);
    fromMill.millId = mill;
    fromMill.lotNo = QStringLiteral("L-1");
    fromMill.lines = millReceipts.linesFromIssue(issue.id, {1});
    fromMill.lines[0].finishedMetres = Decimal(48);
    ASSERT_TRUE(millReceipts.save(fromMill));
    // Twenty metres to the same mill on a stock voucher, for the stock voucher registers.
    stock::StockVoucher voucher;
    voucher.bookId = 1;
    voucher.date = QDate(2024, 8, 12);
    voucher.partyId = mill;
    voucher.lotNo = QStringLiteral("L-2");
    voucher.lines = {{test::SellingFirm::kRapier, Decimal(2), Decimal(), Decimal(20)}};
    ASSERT_TRUE(stock::StockVouchers(year().db(), year().session, year().messages).save(voucher));
    const Registers registers(year().db(), year().session, year().folder());
    for (const RegisterDefinition& d : sellingRegisters()) {
        SCOPED_TRACE(d.name.toStdString());
        const RegisterResult r = registers.run(d, RegisterChoice{QDate(2024, 4, 1), QDate(2025, 3, 31)});
        // This firm sends nothing to a mill; the mill registers are filled by the mill tests.
        if (!d.name.startsWith(QStringLiteral("mill-"))) {
            EXPECT_FALSE(r.lines.empty());
        }
        EXPECT_NO_THROW(registers.reports().prepare(nullptr, r.reportRequest()));
    }
    EXPECT_EQ(registerCommands(),
              (QStringList{"mnu_R41", "mnu_R43", "mnu_R81", "mnu_R82", "mnu_R83", "mnu_R84", "mnu_R85", "mnu_R86", "mnu_Prod3", "mnu_R31", "mnu_R25", "mnu_R51", "mnu_R52", "mnu_R53", "mnu_R28", "mnu_I74",
                           "mnu_I75", "mnu_I76", "mnu_I77", "mnu_I78", "mnu_I79", "mnu_Inv3"}));
}

}  // namespace
