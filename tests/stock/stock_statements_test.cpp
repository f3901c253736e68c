// The stock statements over April of a small Surat grey trader who also weaves: a quality with
// opening 100 m, a purchase of 50 and a sale of 30 (closing 120); a grey quality moved by every
// kind of document (purchase, purchase return, sale, sales return, stock voucher, mill issue,
// carried-in mill challan) with each sign checked; a taka to the mill received as another
// quality; pieces counted for the saree; zero rows and kept-out items hidden; valuation at the
// purchase and sale rates; the statement on a date, between dates, with the mill columns and as
// text from the command line; two stations running it at once for different dates.
// Runs on both engines (TANABANA_BOTH_ENGINES).
#include "domain/mill/MillReceipts.h"
#include "domain/reports/ReportError.h"
#include "domain/stock/StockStatements.h"
#include "support/StockFirm.h"
#include "support/YearFixture.h"
#include "support/Amounts.h"

#include <QFile>
#include <gtest/gtest.h>
#include <mutex>
#include <thread>

using namespace tanabana;
using namespace tanabana::stock;

namespace {

using Firm = test::StockFirm;
constexpr qint64 kGrey = Firm::kGrey, kRed = Firm::kRed, kSaree = Firm::kSaree, kCambric = Firm::kCambric;

class StockStatementsTest : public test::StockFirmTest {
protected:
    reports::RegisterResult run(const StatementOptions& o, const QDate& from, const QDate& to, qint64 item = 0) {
        reports::RegisterChoice c;
        c.from = from;
        c.to = to;
        c.itemId = item;
        return reports::Registers(db(), year().session, year().folder()).run(stockStatement(o), c);
    }

    // The value of a result column on the row of a quality; empty when the row is not shown.
    static QString value(const reports::RegisterResult& r, qint64 item, const QString& column) {
        const int key = r.data.indexOf(QStringLiteral("StockNo"));
        const int index = r.data.indexOf(column);
        EXPECT_GE(index, 0) << column.toStdString();
        for (int row = 0; row < r.data.rowCount(); ++row)
            if (r.data.value(row, key).toLongLong() == item) return r.data.value(row, index).toString();
        return {};
    }
    static QStringList names(const reports::RegisterResult& r) {
        QStringList out;
        const int index = r.data.indexOf(QStringLiteral("ProdName"));
        for (int row = 0; row < r.data.rowCount(); ++row) out << r.data.value(row, index).toString();
        return out;
    }

};

StatementOptions between(StatementKind kind = StatementKind::Between) {
    StatementOptions o;
    o.kind = kind;
    return o;
}

TEST_F(StockStatementsTest, OpeningPlusPurchaseLessSaleIsTheClosing) {
    const auto r = run(between(), QDate(2024, 4, 1), QDate(2024, 4, 30));
    EXPECT_EQ(value(r, kCambric, QStringLiteral("OpQty")), QStringLiteral("100.000"));
    EXPECT_EQ(value(r, kCambric, QStringLiteral("PQty")), QStringLiteral("50.000"));
    EXPECT_EQ(value(r, kCambric, QStringLiteral("SQty")), QStringLiteral("30.000"));
    EXPECT_EQ(value(r, kCambric, QStringLiteral("Qty")), QStringLiteral("120.000"));
    EXPECT_EQ(r.title, QStringLiteral("Stock Statement on Date From : 01-04-2024 To 30-04-2024"));

    // From the 21st the purchase and the sale are behind: they make the opening.
    const auto later = run(between(), QDate(2024, 4, 21), QDate(2024, 4, 30));
    EXPECT_EQ(value(later, kCambric, QStringLiteral("OpQty")), QStringLiteral("120.000"));
    EXPECT_EQ(value(later, kCambric, QStringLiteral("PQty")), QStringLiteral("0.000"));
    EXPECT_EQ(value(later, kCambric, QStringLiteral("Qty")), QStringLiteral("120.000"));
}

TEST_F(StockStatementsTest, EveryKindOfDocumentMovesTheGreyQualityItsOwnWay) {
    const auto r = run(between(StatementKind::WithMill), QDate(2024, 4, 1), QDate(2024, 4, 30));
    auto grey = [&](const char* column) { return value(r, kGrey, QString::fromLatin1(column)); };
    EXPECT_EQ(grey("OpQty"), QStringLiteral("100.000"));
    EXPECT_EQ(grey("Pur_Qty"), QStringLiteral("50.000"));      // LW/12 only: not the opening bill, not firm 2
    EXPECT_EQ(grey("PurRet_Qty"), QStringLiteral("5.000"));
    EXPECT_EQ(grey("Sal_Qty"), QStringLiteral("30.000"));      // May's sale is outside
    EXPECT_EQ(grey("SalRet_Qty"), QStringLiteral("2.000"));
    EXPECT_EQ(grey("Gen_Iss"), QStringLiteral("4.000"));
    EXPECT_EQ(grey("MillIss_Qty"), QStringLiteral("25.000"));  // two takas; not the carried-in challan
    EXPECT_EQ(grey("MillRec_Qty"), QStringLiteral("0.000"));   // the finished cloth is another quality
    EXPECT_EQ(grey("PQty"), QStringLiteral("52.000"));
    EXPECT_EQ(grey("SQty"), QStringLiteral("64.000"));
    EXPECT_EQ(grey("Qty"), QStringLiteral("88.000"));

    // Taka 1001 went as 12.5 grey metres and came back as 12 m of the red; with the woven taka
    // the red holds 122.5 m.
    EXPECT_EQ(value(r, kRed, QStringLiteral("MillRec_Qty")), QStringLiteral("12.000"));
    EXPECT_EQ(value(r, kRed, QStringLiteral("Pur_Qty")), QStringLiteral("110.500"));
    EXPECT_EQ(value(r, kRed, QStringLiteral("Qty")), QStringLiteral("122.500"));

    // The saree is sold by the piece: opening 20, woven 6 + 4, sold 5, one back on a voucher.
    EXPECT_EQ(value(r, kSaree, QStringLiteral("Pur_Qty")), QStringLiteral("10.000"));
    EXPECT_EQ(value(r, kSaree, QStringLiteral("Sal_Qty")), QStringLiteral("5.000"));
    EXPECT_EQ(value(r, kSaree, QStringLiteral("Gen_Rec")), QStringLiteral("1.000"));
    EXPECT_EQ(value(r, kSaree, QStringLiteral("Qty")), QStringLiteral("26.000"));

    // Grouped by quality type, with the totals of the shown rows.
    EXPECT_EQ(r.sheet.groups.size(), 1u);
    EXPECT_EQ(r.total(QStringLiteral("Qty")), d("88") + d("120") + d("122.5") + d("26"));
}

TEST_F(StockStatementsTest, GreyTheMillGivesBackUnprocessedReturnsToTheGreyQuality) {
    // Taka 1002 (12.5 m) comes back on 30-04: 10 m dyed red from 10.5 m of grey, 2 m grey untouched.
    mill::MillReceipts receipts(db(), year().session, year().messages);
    mill::MillReceipt back;
    back.bookId = 2;
    back.date = QDate(2024, 4, 30);
    back.millId = firm().mill;
    back.millChallanNo = QStringLiteral("LD/61");
    back.lotNo = QStringLiteral("L-8");
    back.qualityId = kGrey;
    const qint64 issue = db().scalar(QStringLiteral("SELECT Id FROM JobWork_IssueMst_1 WHERE FormId = 16 AND Id > 0")).toLongLong();
    back.lines = receipts.linesFromIssue(issue, {2});
    ASSERT_EQ(back.lines.size(), 1u);
    back.lines[0].greyMetres = d("10.5");
    back.lines[0].greyReturned = d("2");
    back.lines[0].finishedMetres = d("10");
    back.lines[0].finishedQualityId = kRed;
    ASSERT_TRUE(receipts.save(back)) << year().messages.last().text.toStdString();

    const auto r = run(between(StatementKind::WithMill), QDate(2024, 4, 1), QDate(2024, 4, 30));
    EXPECT_EQ(value(r, kGrey, QStringLiteral("MillRec_Qty")), QStringLiteral("2.000"));
    EXPECT_EQ(value(r, kGrey, QStringLiteral("MillIss_Qty")), QStringLiteral("25.000"));
    EXPECT_EQ(value(r, kGrey, QStringLiteral("Qty")), QStringLiteral("90.000"));  // 88 + 2
    EXPECT_EQ(value(r, kRed, QStringLiteral("MillRec_Qty")), QStringLiteral("22.000"));
    EXPECT_EQ(value(r, kRed, QStringLiteral("Qty")), QStringLiteral("132.500"));
    // The day before, the grey was still at the mill.
    EXPECT_EQ(value(run(StatementOptions{}, QDate(2024, 4, 1), QDate(2024, 4, 29)), kGrey, QStringLiteral("Qty")), QStringLiteral("88.000"));
}

TEST_F(StockStatementsTest, RowsWithNothingAndItemsKeptOutOfStockAreNotListed) {
    const auto r = run(between(), QDate(2024, 4, 1), QDate(2024, 4, 30));
    EXPECT_EQ(names(r), (QStringList{QStringLiteral("Cotton Cambric"), QStringLiteral("Rapier 60 Grey"), QStringLiteral("Rapier 60 Red"),
                                     QStringLiteral("Saree Zari")}));
    StatementOptions zero = between();
    zero.zeroRows = true;
    const auto all = run(zero, QDate(2024, 4, 1), QDate(2024, 4, 30));
    EXPECT_TRUE(names(all).contains(QStringLiteral("Georgette 44")));
    EXPECT_FALSE(names(all).contains(QStringLiteral("Packing Cartons")));

    // On a date a quality with no closing stock is left out too: the cambric all sold.
    firm().sale(QStringLiteral("5"), QDate(2024, 4, 30), kCambric, "120", "55");
    StatementOptions onDate;
    const auto r2 = run(onDate, QDate(2024, 4, 1), QDate(2024, 4, 30));
    EXPECT_FALSE(names(r2).contains(QStringLiteral("Cotton Cambric")));
    onDate.zeroRows = true;
    EXPECT_EQ(value(run(onDate, QDate(2024, 4, 1), QDate(2024, 4, 30)), kCambric, QStringLiteral("Qty")), QStringLiteral("0.000"));
}

TEST_F(StockStatementsTest, OnADateCountsThatDaysDocumentsAndValuesAtTheChosenRate) {
    StatementOptions o;
    const auto before = run(o, QDate(2024, 4, 1), QDate(2024, 4, 19), kCambric);
    EXPECT_EQ(value(before, kCambric, QStringLiteral("Qty")), QStringLiteral("150.000"));
    const auto r = run(o, QDate(2024, 4, 1), QDate(2024, 4, 20), kCambric);
    EXPECT_EQ(r.title, QStringLiteral("Stock Statement on Date : 20-04-2024"));
    EXPECT_EQ(names(r), QStringList{QStringLiteral("Cotton Cambric")});
    EXPECT_EQ(value(r, kCambric, QStringLiteral("Qty")), QStringLiteral("120.000"));
    EXPECT_EQ(value(r, kCambric, QStringLiteral("Amount")), QStringLiteral("4800.00"));  // 120 x 40.00
    EXPECT_EQ(r.filters, QStringLiteral("Quality : Cotton Cambric   Rate : Pur Rate"));

    o.saleRate = true;
    const auto atSale = run(o, QDate(2024, 4, 1), QDate(2024, 4, 30));
    EXPECT_EQ(value(atSale, kCambric, QStringLiteral("Amount")), QStringLiteral("6600.00"));  // 120 x 55.00
    EXPECT_EQ(value(atSale, kSaree, QStringLiteral("Amount")), QStringLiteral("29120.00"));   // 26 x 1,120.00
    EXPECT_EQ(atSale.total(QStringLiteral("Amount")), d("6600") + d("29120") + d("5280") + d("12862.5"));

    // The grid shows the total row with Indian grouping.
    ASSERT_FALSE(atSale.lines.empty());
    EXPECT_EQ(atSale.lines.back().kind, reports::RegisterLine::Kind::Total);
    EXPECT_TRUE(atSale.lines.back().cells.contains(QStringLiteral("53,862.50")));
}

TEST_F(StockStatementsTest, PiecesViewCountsPiecesForEveryQuality) {
    StatementOptions o;
    o.pieces = true;
    o.zeroRows = true;
    const auto r = run(o, QDate(2024, 4, 1), QDate(2024, 4, 30));
    EXPECT_EQ(value(r, kGrey, QStringLiteral("Qty")), QStringLiteral("4.000"));    // the opening takas; the bills were in metres
    EXPECT_EQ(value(r, kSaree, QStringLiteral("Qty")), QStringLiteral("26.000"));
    EXPECT_EQ(value(r, kRed, QStringLiteral("Qty")), QStringLiteral("1.000"));     // one woven taka; the mill counts metres only
    EXPECT_TRUE(r.filters.contains(QStringLiteral("In Nos")));
}

TEST_F(StockStatementsTest, GroupFilterAndLoomQualities) {
    StatementOptions o = between();
    o.group = QStringLiteral("Grey");
    EXPECT_EQ(names(run(o, QDate(2024, 4, 1), QDate(2024, 4, 30))),
              (QStringList{QStringLiteral("Cotton Cambric"), QStringLiteral("Rapier 60 Grey")}));
    StatementOptions loom = between();
    loom.rapier = true;
    const auto r = run(loom, QDate(2024, 4, 1), QDate(2024, 4, 30));
    EXPECT_EQ(names(r), (QStringList{QStringLiteral("Rapier 60 Red"), QStringLiteral("Saree Zari")}));
    EXPECT_EQ(r.definition.layout, QStringLiteral("StockReg_Rapier.rpt"));
    EXPECT_EQ(r.sheet.groups.size(), 2u);
}

TEST_F(StockStatementsTest, DatesOutsideTheYearAreRefused) {
    try {
        run(between(), QDate(2024, 4, 1), QDate(2025, 4, 30));
        FAIL() << "a date after the year was accepted";
    } catch (const reports::ReportError& e) {
        EXPECT_EQ(e.text(), QStringLiteral("Please Select Proper Date"));
    }
}

TEST_F(StockStatementsTest, TwoStationsAskingForDifferentDatesAtOnce) {
    std::mutex lock;
    QStringList errors;
    std::map<QString, QString> closings;
    auto station = [&](const QDate& to) {
        try {
            db::Database other = year().openAnother();
            Session session = year().session;
            session.db = &other;
            for (int i = 0; i < 15; ++i) {
                reports::RegisterChoice c;
                c.from = QDate(2024, 4, 1);
                c.to = to;
                const auto r = reports::Registers(other, session, year().folder()).run(stockStatement(StatementOptions{}), c);
                std::lock_guard<std::mutex> guard(lock);
                closings[to.toString(Qt::ISODate)] = value(r, kCambric, QStringLiteral("Qty"));
            }
        } catch (const std::exception& e) {
            std::lock_guard<std::mutex> guard(lock);
            errors << QString::fromLocal8Bit(e.what());
        }
    };
    std::thread first(station, QDate(2024, 4, 19));
    std::thread second(station, QDate(2024, 4, 30));
    first.join();
    second.join();
    EXPECT_EQ(errors, QStringList());
    EXPECT_EQ(closings[QStringLiteral("2024-04-19")], QStringLiteral("150.000"));
    EXPECT_EQ(closings[QStringLiteral("2024-04-30")], QStringLiteral("120.000"));
}

}  // namespace
