// The portal's GSTR-2A and 2B against July's purchase books of the Surat firm
// (TANABANA_BOTH_ENGINES). The books hold MY/55 (5,250.00) and MY/56 (1,050.00) from Mumbai Yarn
// Traders and SW/0042 (10,920.00) and SW/0043 (10,500.00) from Sachin Weaving Works; the portal's
// workbook has MY/55 as it is, SW-42 at 10,920.50 (a near miss to confirm), SW/43 at 11,000.00 (no
// match) and SF/9 of a supplier the books do not know. Bad files are refused whole, with the sheet,
// row and column named, and the import kept before stays as it was.
#include "domain/gst/GstRules.h"
#include "domain/gst/PortalMatching.h"
#include "domain/reports/Xlsx.h"
#include "support/FirmBooks.h"
#include "support/GstBuyingFirm.h"
#include "support/YearFixture.h"
#include "support/QtPrinting.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tanabana;
using namespace tanabana::gst;

namespace {

QString withCheckDigit(const QString& first14) { return first14 + gstinCheckDigit(first14); }
const QString kSachin = withCheckDigit(QStringLiteral("24AADFS5678K1Z"));

// One invoice line of the portal's sheet: GSTIN, name, number, date (text, or a date number),
// value, rate, taxable, IGST, CGST, SGST.
struct SheetLine {
    QString gstin, name, number;
    QVariant date;
    double value, rate, taxable, igst, cgst, sgst;
};

// A workbook laid out as the portal's download: title rows, two header rows, then the invoices.
void writePortalWorkbook(const QString& path, const std::vector<SheetLine>& lines, const QString& sheet = QStringLiteral("B2B"),
                         const QString& dateCaption = QStringLiteral("Invoice Date"), const QVariant& badValue = {}) {
    reports::XlsxBook book;
    book.addSheet(QStringLiteral("Read me"));
    book.write(0, 0, QStringLiteral("Goods and Services Tax - GSTR 2A"));
    book.addSheet(sheet);
    book.write(0, 0, QStringLiteral("Goods and Services Tax - GSTR 2A"), true);
    book.write(2, 0, QStringLiteral("Taxable inward supplies received from registered persons"), true);
    const QStringList top = {"GSTIN of supplier", "Trade/Legal name of the Supplier", "Invoice details", "", "", "", "Place of supply",
                             "Supply Attract Reverse Charge", "Rate (%)", "Taxable Value (\u20B9)", "Tax Amount", "", "", "",
                             "GSTR-1/5 Filing Status"};
    const QStringList below = {"", "", "Invoice number", "Invoice type", dateCaption, "Invoice Value (\u20B9)", "", "", "", "",
                               "Integrated Tax  (\u20B9)", "Central Tax (\u20B9)", "State/UT tax (\u20B9)", "Cess  (\u20B9)", ""};
    for (int c = 0; c < top.size(); ++c) {
        if (!top.at(c).isEmpty()) book.write(4, c, top.at(c), true);
        if (!below.at(c).isEmpty()) book.write(5, c, below.at(c), true);
    }
    int row = 6;
    for (const SheetLine& l : lines) {
        const QVariantList cells = {l.gstin, l.name, l.number, QStringLiteral("Regular"), l.date, l.value, QStringLiteral("Gujarat"),
                                    QStringLiteral("N"), l.rate, l.taxable, l.igst, l.cgst, l.sgst, 0.0, QStringLiteral("Y")};
        for (int c = 0; c < cells.size(); ++c) book.write(row, c, cells.at(c));
        ++row;
    }
    if (badValue.isValid()) book.write(row - 1, 5, badValue);
    book.save(path);
}

class PortalMatchingTest : public ::testing::Test {
protected:
    void SetUp() override {
        TANABANA_REQUIRE_ENGINE();
        year_ = std::make_unique<test::YearFixture>();
        firm_ = std::make_unique<test::GstBuyingFirm>(year_->db(), year_->session, year_->messages);
        firm_->build();
        sachin_ = test::addAccount(year_->db(), QStringLiteral("Sachin Weaving Works"), 77, 1, QStringLiteral("24-Gujarat"), kSachin);
        auto on = [](trade::PurchaseBill b, int day) {
            b.date = QDate(2024, 7, day);
            return b;
        };
        sw42_ = firm_->buy(on(firm_->goods(QStringLiteral("SW/0042"), sachin_, test::SellingFirm::kRapier, "200", "52", "2.5"), 15));
        sw43_ = firm_->buy(on(firm_->goods(QStringLiteral("SW/0043"), sachin_, test::SellingFirm::kRapier, "100", "100", "2.5"), 16));
        my56_ = firm_->buy(on(firm_->goods(QStringLiteral("MY/56"), firm_->mumbai, test::SellingFirm::kRapier, "10", "100", "2.5"), 20));
        ASSERT_FALSE(HasFailure());
        ASSERT_TRUE(dir_.isValid());
    }
    ReturnPeriod july() const { return *ReturnPeriod::month(QStringLiteral("07-2024")); }
    PortalMatching matching() { return PortalMatching(year_->db(), year_->session, year_->messages); }
    QString path(const QString& name) const { return dir_.filePath(name); }
    bool marked(qint64 bill) { return year_->db().scalar(QStringLiteral("SELECT Is_GstR2A FROM BillMst WHERE Id = ?"), {bill}).toInt() != 0; }
    static double serial(const QDate& d) { return double(QDate(1899, 12, 30).daysTo(d)); }

    std::vector<SheetLine> julyLines() const {
        return {
            {QStringLiteral("27AABCM9876C1Z7"), QStringLiteral("MUMBAI YARN TRADERS"), QStringLiteral("MY/55"), serial(QDate(2024, 7, 10)), 5250,
             5, 5000, 250, 0, 0},
            {kSachin, QStringLiteral("SACHIN WEAVING WORKS"), QStringLiteral("SW-42"), QStringLiteral("15-07-2024"), 10920.5, 5, 10400.48, 0,
             260.01, 260.01},
            {kSachin, QStringLiteral("SACHIN WEAVING WORKS"), QStringLiteral("SW/43"), QStringLiteral("16-07-2024"), 11000, 5, 10476.19, 0, 261.9,
             261.91},
            {QStringLiteral("24AABCR1234F1ZY"), QStringLiteral("SURAT FABRICS"), QStringLiteral("SF/9"), QStringLiteral("18-07-2024"), 2100, 5, 2000,
             0, 50, 50},
        };
    }
    // Imports the July workbook and matches it.
    MatchResult importAndMatch() {
        writePortalWorkbook(path(QStringLiteral("072024_2A.xlsx")), julyLines());
        EXPECT_EQ(matching().importFile(PortalReturn::Gstr2A, july(), path(QStringLiteral("072024_2A.xlsx"))), 4);
        const auto result = matching().match(PortalReturn::Gstr2A, july());
        EXPECT_TRUE(result);
        return result.value_or(MatchResult{});
    }
    static const PortalRow& row(const Reconciliation& r, const QString& number) {
        for (const PortalRow& p : r.portal)
            if (p.invoiceNo == number) return p;
        throw std::runtime_error("no portal row " + number.toStdString());
    }
    static const BookBill& bill(const Reconciliation& r, const QString& number) {
        for (const BookBill& b : r.books)
            if (b.billNo == number) return b;
        throw std::runtime_error("no bill " + number.toStdString());
    }

    std::unique_ptr<test::YearFixture> year_;
    std::unique_ptr<test::GstBuyingFirm> firm_;
    QTemporaryDir dir_;
    qint64 sachin_ = 0, sw42_ = 0, sw43_ = 0, my56_ = 0;
};

TEST_F(PortalMatchingTest, MatchesProposesAndLeavesTheRestSideBySide) {
    const MatchResult result = importAndMatch();
    EXPECT_EQ(result.matched, 1);
    EXPECT_EQ(result.proposed, 1);
    EXPECT_EQ(result.unmatched, 2);
    EXPECT_TRUE(marked(firm_->my55));
    EXPECT_FALSE(marked(sw42_)) << "a proposal marks nothing until it is confirmed";

    Reconciliation r = matching().view(PortalReturn::Gstr2A, july());
    EXPECT_EQ(r.summary(), "GSTR-2A: 4 invoices on the portal, 1 matched, 1 proposed; 5 bills in the books, 1 matched");
    EXPECT_EQ(row(r, "MY/55").statusText, "Matched");
    EXPECT_EQ(row(r, "MY/55").date, QDate(2024, 7, 10)) << "a date cell of the workbook";
    EXPECT_EQ(row(r, "SW-42").statusText, "Proposed: SW/0042 of 15-07-2024, 10,920.00");
    EXPECT_EQ(row(r, "SW-42").cgst.toString(2), "260.01");
    EXPECT_EQ(row(r, "SW/43").statusText, "Not in books");
    EXPECT_EQ(row(r, "SF/9").statusText, "Not in books");
    EXPECT_EQ(bill(r, "SW/0042").statusText, "Proposed: SW-42 of 15-07-2024, 10,920.50");
    EXPECT_EQ(bill(r, "SW/0043").statusText, "Not on portal");
    EXPECT_EQ(bill(r, "MY/56").statusText, "Not on portal");
    EXPECT_EQ(bill(r, "US/12").statusText, "Not on portal");
    EXPECT_EQ(bill(r, "MY/55").statusText, "Matched");

    // The operator confirms the near miss: both sides are marked, and a second match keeps it.
    ASSERT_TRUE(matching().confirm(row(r, "SW-42").id));
    EXPECT_TRUE(marked(sw42_));
    const auto again = matching().match(PortalReturn::Gstr2A, july());
    ASSERT_TRUE(again);
    EXPECT_EQ(again->matched, 2);
    EXPECT_EQ(again->proposed, 0);
    r = matching().view(PortalReturn::Gstr2A, july());
    EXPECT_EQ(bill(r, "SW/0042").statusText, "Matched (confirmed): SW-42 of 15-07-2024, 10,920.50");
    EXPECT_TRUE(marked(sw42_));

    // The mismatch workbook: what is on one side only.
    const QString file = path(mismatchFileName(r));
    EXPECT_TRUE(file.endsWith("KNVS_GSTR2A_MISMATCH_Jul-2024.XLSx"));
    writeMismatches(r, QStringLiteral("Shree Laxmi Textiles"), file);
    const auto sheets = reports::readXlsx(file);
    ASSERT_EQ(sheets.size(), 1u);
    EXPECT_EQ(sheets[0].name, "ONLINE MIS-MATCH");
    QStringList lines;
    for (int rowNo = 4; rowNo < sheets[0].rowCount(); ++rowNo) {
        QString side, number;
        for (const auto& c : sheets[0].cells) {
            if (c.row == rowNo && c.column == 0) side = c.value.toString();
            if (c.row == rowNo && c.column == 3) number = c.value.toString();
        }
        lines << side + QLatin1Char(' ') + number;
    }
    EXPECT_EQ(lines, (QStringList{"Books MY/56", "Books SW/0043", "Books US/12", "Portal SW/43", "Portal SF/9"}));
}

TEST_F(PortalMatchingTest, ARejectedProposalIsNotProposedAgain) {
    importAndMatch();
    Reconciliation r = matching().view(PortalReturn::Gstr2A, july());
    EXPECT_FALSE(matching().confirm(row(r, "SF/9").id));
    EXPECT_EQ(year_->messages.last().text, "This invoice has no proposed bill to confirm.");
    ASSERT_TRUE(matching().reject(row(r, "SW-42").id));
    const auto again = matching().match(PortalReturn::Gstr2A, july());
    ASSERT_TRUE(again);
    EXPECT_EQ(again->proposed, 0);
    EXPECT_EQ(again->unmatched, 3);
    r = matching().view(PortalReturn::Gstr2A, july());
    EXPECT_EQ(row(r, "SW-42").statusText, "Not in books");
    EXPECT_EQ(bill(r, "SW/0042").statusText, "Not on portal");
    EXPECT_FALSE(marked(sw42_));
}

TEST_F(PortalMatchingTest, ASecondImportReplacesTheFirstAndDeleteTakesTheMarksAway) {
    importAndMatch();
    const int rows = year_->count(QStringLiteral("GSTR2_A"));
    EXPECT_EQ(rows, 4);
    writePortalWorkbook(path(QStringLiteral("again.xlsx")), julyLines());
    EXPECT_EQ(matching().importFile(PortalReturn::Gstr2A, july(), path(QStringLiteral("again.xlsx"))), 4);
    EXPECT_EQ(year_->count(QStringLiteral("GSTR2_A")), 4);
    EXPECT_FALSE(marked(firm_->my55)) << "the new import is not matched yet";

    matching().match(PortalReturn::Gstr2A, july());
    EXPECT_TRUE(marked(firm_->my55));
    year_->messages.answerNext(false);
    EXPECT_FALSE(matching().deleteImport(PortalReturn::Gstr2A, july()));
    EXPECT_EQ(year_->count(QStringLiteral("GSTR2_A")), 4);
    year_->messages.answerNext(true);
    ASSERT_TRUE(matching().deleteImport(PortalReturn::Gstr2A, july()));
    EXPECT_EQ(year_->messages.last().text, "Are you sure to Delete Online Portal Data From Software ?");
    EXPECT_EQ(year_->count(QStringLiteral("GSTR2_A")), 0);
    EXPECT_FALSE(marked(firm_->my55));
    EXPECT_THROW(matching().match(PortalReturn::Gstr2A, july()), GstError);
}

TEST_F(PortalMatchingTest, BadFilesAreRefusedWholeAndTheEarlierImportStays) {
    importAndMatch();
    auto refused = [&](const QString& file) {
        try {
            matching().importFile(PortalReturn::Gstr2A, july(), file);
        } catch (const GstError& e) {
            return e.text();
        }
        return QStringLiteral("accepted");
    };
    std::vector<SheetLine> lines = julyLines();
    writePortalWorkbook(path(QStringLiteral("b2ba.xlsx")), lines, QStringLiteral("B2BA"));
    EXPECT_EQ(refused(path(QStringLiteral("b2ba.xlsx"))),
              "The workbook b2ba.xlsx has no sheet \"B2B\", where the portal lists the suppliers' invoices.");
    writePortalWorkbook(path(QStringLiteral("nodate.xlsx")), lines, QStringLiteral("B2B"), QStringLiteral("Document Date"));
    EXPECT_EQ(refused(path(QStringLiteral("nodate.xlsx"))), "Sheet B2B, row 6: there is no column \"Invoice Date\"");
    writePortalWorkbook(path(QStringLiteral("badvalue.xlsx")), lines, QStringLiteral("B2B"), QStringLiteral("Invoice Date"),
                        QStringLiteral("2,1x0.00"));
    EXPECT_EQ(refused(path(QStringLiteral("badvalue.xlsx"))), "Sheet B2B, row 10, column F (Invoice Value (\u20B9)): \"2,1x0.00\" is not a number");
    lines[1].date = QStringLiteral("31-13-2024");
    writePortalWorkbook(path(QStringLiteral("baddate.xlsx")), lines);
    EXPECT_EQ(refused(path(QStringLiteral("baddate.xlsx"))), "Sheet B2B, row 8, column E (Invoice Date): \"31-13-2024\" is not a date");
    lines = julyLines();
    lines[2].gstin = QStringLiteral("24AADFS5678K1Z");
    writePortalWorkbook(path(QStringLiteral("badgstin.xlsx")), lines);
    EXPECT_EQ(refused(path(QStringLiteral("badgstin.xlsx"))),
              "Sheet B2B, row 9, column A (GSTIN of supplier): \"24AADFS5678K1Z\" is no GSTIN: it has 14 characters instead of 15");
    EXPECT_TRUE(refused(path(QStringLiteral("missing.xlsx"))).startsWith("The file "));

    // Nothing of them was kept: the July import and its match are as they were.
    EXPECT_EQ(year_->count(QStringLiteral("GSTR2_A")), 4);
    EXPECT_TRUE(marked(firm_->my55));
    EXPECT_EQ(matching().view(PortalReturn::Gstr2A, july()).portalMatched, 1);
}

// GSTR-2B as the portal's JSON: its own import beside the 2A one, the period the file names checked.
TEST_F(PortalMatchingTest, Gstr2bFromTheJsonDownload) {
    importAndMatch();
    auto invoice = [](const char* number, const char* date, double value, double taxable, double igst, double half) {
        return QJsonObject{{"inum", number}, {"typ", "R"}, {"dt", date}, {"val", value}, {"pos", "24"}, {"rev", "N"}, {"itcavl", "Y"},
                           {"items", QJsonArray{QJsonObject{{"num", 1}, {"rt", 5}, {"txval", taxable}, {"igst", igst}, {"cgst", half},
                                                            {"sgst", half}, {"cess", 0}}}}};
    };
    // The file of `period`; `value`, when given, replaces the value of Sachin's invoice.
    auto file = [&](const char* period, const QJsonValue& value) {
        QJsonObject sachinInvoice = invoice("SW-0042", "15-07-2024", 10920, 10400, 0, 260);
        if (!value.isUndefined()) sachinInvoice["val"] = value;
        const QJsonArray suppliers{
            QJsonObject{{"ctin", "27AABCM9876C1Z7"}, {"trdnm", "MUMBAI YARN TRADERS"},
                        {"inv", QJsonArray{invoice("MY/55", "10-07-2024", 5250, 5000, 250, 0), invoice("MY/56", "20-07-2024", 1050, 1000, 50, 0)}}},
            QJsonObject{{"ctin", kSachin}, {"trdnm", "SACHIN WEAVING WORKS"}, {"inv", QJsonArray{sachinInvoice}}}};
        const QJsonObject root{
            {"data", QJsonObject{{"gstin", "24AAACS1234A1Z8"}, {"rtnprd", period}, {"docdata", QJsonObject{{"b2b", suppliers}}}}}};
        const QString name = path(QStringLiteral("2b-%1.json").arg(QString::fromLatin1(period)));
        QFile f(name);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QJsonDocument(root).toJson());
        return name;
    };
    try {
        matching().importFile(PortalReturn::Gstr2B, july(), file("062024", QJsonValue::Undefined));
        ADD_FAILURE() << "June's file was taken for July";
    } catch (const GstError& e) {
        EXPECT_EQ(e.text(), "The file is the GSTR-2B of 06-2024, not of 07-2024.");
    }
    try {
        matching().importFile(PortalReturn::Gstr2B, july(), file("072024", QStringLiteral("ten")));
        ADD_FAILURE() << "a value in words was taken";
    } catch (const GstError& e) {
        EXPECT_EQ(e.text(), "b2b[1].inv[0].val: \"ten\" is not a number");
    }
    EXPECT_EQ(year_->count(QStringLiteral("GSTR2_A"), QStringLiteral("Source = '2B'")), 0);

    ASSERT_EQ(matching().importFile(PortalReturn::Gstr2B, july(), file("072024", QJsonValue::Undefined)), 3);
    const auto result = matching().match(PortalReturn::Gstr2B, july());
    ASSERT_TRUE(result);
    // SW-0042 and SW/0042 differ only in the separator, at the same amount: still only proposed.
    EXPECT_EQ(result->matched, 2);
    EXPECT_EQ(result->proposed, 1);
    const Reconciliation r = matching().view(PortalReturn::Gstr2B, july());
    EXPECT_EQ(row(r, "MY/56").status, "ITC available");
    EXPECT_EQ(row(r, "MY/56").igst.toString(2), "50.00");
    EXPECT_EQ(r.summary(), "GSTR-2B: 3 invoices on the portal, 2 matched, 1 proposed; 5 bills in the books, 2 matched");
    // The 2A import of the month is untouched.
    EXPECT_EQ(year_->count(QStringLiteral("GSTR2_A"), QStringLiteral("Source = '2A'")), 4);
    EXPECT_TRUE(marked(my56_));
}

TEST_F(PortalMatchingTest, NearNumbers) {
    EXPECT_TRUE(nearInvoiceNumbers(QStringLiteral("SW/0042"), QStringLiteral("SW-42")));
    EXPECT_TRUE(nearInvoiceNumbers(QStringLiteral("42"), QStringLiteral("SW/0042")));
    EXPECT_TRUE(nearInvoiceNumbers(QStringLiteral("42/2024-25"), QStringLiteral("42")));
    EXPECT_TRUE(nearInvoiceNumbers(QStringLiteral("2024-25/42"), QStringLiteral("GT 042")));
    EXPECT_FALSE(nearInvoiceNumbers(QStringLiteral("42"), QStringLiteral("420")));
    EXPECT_FALSE(nearInvoiceNumbers(QStringLiteral("SW/42"), QStringLiteral("SW/43")));
    EXPECT_FALSE(nearInvoiceNumbers(QStringLiteral("SW"), QStringLiteral("SW/43")));
    EXPECT_FALSE(nearInvoiceNumbers(QStringLiteral("2024-25/42"), QStringLiteral("2024-25/43")));
}

TEST_F(PortalMatchingTest, AClosedYearRefusesImportAndMatch) {
    importAndMatch();
    year_->db().exec(QStringLiteral("UPDATE FirmMst SET IsYrEnd = 1 WHERE Srno = 1"));
    year_->session.firm.insert(QStringLiteral("IsYrEnd"), 1);
    writePortalWorkbook(path(QStringLiteral("again.xlsx")), julyLines());
    EXPECT_FALSE(matching().importFile(PortalReturn::Gstr2A, july(), path(QStringLiteral("again.xlsx"))));
    EXPECT_EQ(year_->messages.last().title, "Year End Done");
    EXPECT_FALSE(matching().match(PortalReturn::Gstr2A, july()));
    EXPECT_FALSE(matching().tickBill(sw43_, true));
    EXPECT_FALSE(marked(sw43_));
    EXPECT_TRUE(marked(firm_->my55));
}

}  // namespace
