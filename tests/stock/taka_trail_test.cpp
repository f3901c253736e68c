// Where every taka of the April firm is: bought takas in the godown, at the mill and back as
// finished cloth; woven takas in the godown, on a delivery challan and sold once a bill takes
// the challan or go to the mill as grey; a taka carried in at the mill from last year; the view
// on an earlier date; search by the beginning of a taka number; the printed register. Runs on
// both engines (TANABANA_BOTH_ENGINES).
#include "domain/mill/MillIssues.h"
#include "domain/reports/ReportError.h"
#include "domain/stock/TakaTrail.h"
#include "support/PdfProbe.h"
#include "support/StockFirm.h"
#include "support/YearFixture.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tanabana;
using namespace tanabana::stock;

namespace {

class TakaTrailTest : public test::StockFirmTest {
protected:
    std::vector<TakaPlace> places(const QDate& on, const QString& taka = {}, bool atMill = false) {
        return takaPlaces(db(), 1, {on, taka, atMill});
    }
    static const TakaPlace* find(const std::vector<TakaPlace>& all, const QString& taka) {
        for (const TakaPlace& t : all)
            if (t.takaNo == taka) return &t;
        return nullptr;
    }
    static QStringList numbers(const std::vector<TakaPlace>& all) {
        QStringList out;
        for (const TakaPlace& t : all) out << t.takaNo;
        return out;
    }

};

TEST_F(TakaTrailTest, EveryTakaInItsPlaceAtTheEndOfApril) {
    const auto all = places(QDate(2024, 4, 30));
    EXPECT_EQ(numbers(all), (QStringList{QStringLiteral("0999"), QStringLiteral("1001"), QStringLiteral("1002"), QStringLiteral("1003"),
                                         QStringLiteral("1004"), QStringLiteral("2001"), QStringLiteral("2002"), QStringLiteral("2003")}));

    const TakaPlace* back = find(all, QStringLiteral("1001"));
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(stateText(back->state), QStringLiteral("Received"));
    EXPECT_EQ(back->place, QStringLiteral("Laxmi Dyeing Mill"));
    EXPECT_EQ(back->since, QDate(2024, 4, 29));
    EXPECT_EQ(back->finishedMetres.toString(2), QStringLiteral("12.00"));
    EXPECT_EQ(back->finishedQuality, QStringLiteral("Rapier 60 Red"));
    EXPECT_EQ(back->lotNo, QStringLiteral("L-7"));
    EXPECT_EQ(back->document, QStringLiteral("LW/12"));
    EXPECT_EQ(back->supplier, QStringLiteral("Mahesh Looms"));
    EXPECT_EQ(back->quality, QStringLiteral("Rapier 60 Grey"));

    const TakaPlace* atMill = find(all, QStringLiteral("1002"));
    ASSERT_NE(atMill, nullptr);
    EXPECT_EQ(atMill->state, TakaState::AtMill);
    EXPECT_EQ(atMill->since, QDate(2024, 4, 28));
    EXPECT_EQ(atMill->days, 2);

    const TakaPlace* godown = find(all, QStringLiteral("1004"));
    ASSERT_NE(godown, nullptr);
    EXPECT_EQ(godown->state, TakaState::InGodown);
    EXPECT_EQ(godown->metres.toString(2), QStringLiteral("12.50"));
    EXPECT_EQ(godown->days, 20);

    const TakaPlace* carried = find(all, QStringLiteral("0999"));
    ASSERT_NE(carried, nullptr);
    EXPECT_EQ(carried->state, TakaState::AtMill);
    EXPECT_EQ(carried->days, 29);

    const TakaPlace* woven = find(all, QStringLiteral("2001"));
    ASSERT_NE(woven, nullptr);
    EXPECT_TRUE(woven->woven);
    EXPECT_EQ(woven->state, TakaState::InGodown);
    const TakaPlace* sent = find(all, QStringLiteral("2002"));
    ASSERT_NE(sent, nullptr);
    EXPECT_EQ(stateText(sent->state), QStringLiteral("On Challan"));
    EXPECT_EQ(sent->place, QStringLiteral("Ramesh Silk Mills"));
    EXPECT_EQ(sent->since, QDate(2024, 4, 27));
}

TEST_F(TakaTrailTest, AnEarlierDateSeesOnlyWhatHadHappened) {
    const auto before = places(QDate(2024, 4, 27));
    EXPECT_EQ(find(before, QStringLiteral("1001"))->state, TakaState::InGodown);
    EXPECT_EQ(find(before, QStringLiteral("1002"))->state, TakaState::InGodown);
    EXPECT_EQ(find(before, QStringLiteral("2002"))->state, TakaState::OnChallan);
    EXPECT_EQ(find(places(QDate(2024, 4, 28)), QStringLiteral("1001"))->state, TakaState::AtMill);
    EXPECT_TRUE(places(QDate(2024, 4, 9), QStringLiteral("100")).empty());  // not yet bought
}

TEST_F(TakaTrailTest, SearchByNumberAndTheMillsList) {
    EXPECT_EQ(numbers(places(QDate(2024, 4, 30), QStringLiteral("100"))),
              (QStringList{QStringLiteral("1001"), QStringLiteral("1002"), QStringLiteral("1003"), QStringLiteral("1004")}));
    EXPECT_EQ(numbers(places(QDate(2024, 4, 30), QStringLiteral("2002"))), QStringList{QStringLiteral("2002")});
    EXPECT_EQ(numbers(places(QDate(2024, 4, 30), {}, true)), (QStringList{QStringLiteral("0999"), QStringLiteral("1002")}));
    EXPECT_TRUE(places(QDate(2024, 4, 30), QStringLiteral("7'; DROP TABLE ProdMst; --")).empty());
}

TEST_F(TakaTrailTest, LastYearsTakaOfTheSameNumberIsNotThisYearsTaka) {
    // Last year's challan names last year's bill, whose key happens to be this year's LW/12.
    db().exec(QStringLiteral("INSERT INTO JobWork_IssueMst_1 (Id, FirmNO, BookId, FormId, IType, IsOp, ChNo, BillDate, PartyID, QId, "
                                    "PurBillId) VALUES (-8, 1, 2, 16, 'I', 1, -8, ?, ?, ?, ?)"),
                     {QDate(2024, 4, 1), firm().mill, test::StockFirm::kGrey, firm().purchaseBill});
    db().exec(QStringLiteral("INSERT INTO JobWork_IssueDtl_1 (BillMstId, Srno, TakaNO, Mtrs) VALUES (-8, 1, '1003', 40)"));
    std::vector<TakaState> states;
    for (const TakaPlace& t : places(QDate(2024, 4, 30), QStringLiteral("1003"))) states.push_back(t.state);
    // The carried taka first (its challan is the older document), then this year's still in the godown.
    EXPECT_EQ(states, (std::vector<TakaState>{TakaState::AtMill, TakaState::InGodown}));
}

TEST_F(TakaTrailTest, ABillTakingTheChallanSellsTheTaka) {
    firm().sale(QStringLiteral("9"), QDate(2024, 5, 2), test::StockFirm::kSaree, "4", "1120", true, firm().challan);
    EXPECT_EQ(find(places(QDate(2024, 4, 30)), QStringLiteral("2002"))->state, TakaState::OnChallan);
    EXPECT_EQ(stateText(find(places(QDate(2024, 5, 2)), QStringLiteral("2002"))->state), QStringLiteral("Sold"));
}

TEST_F(TakaTrailTest, AWovenTakaSentToTheMillAsGrey) {
    mill::MillIssues issues(db(), year().session, year().messages);
    mill::MillIssue issue;
    issue.bookId = 2;
    issue.date = QDate(2024, 4, 30);
    issue.millId = firm().mill;
    issue.qualityId = test::StockFirm::kRed;
    issue.process = QStringLiteral("Printing");
    ASSERT_TRUE(issues.takeFromProduction(issue, {QStringLiteral("2003")})) << year().messages.last().text.toStdString();
    ASSERT_TRUE(issues.save(issue)) << year().messages.last().text.toStdString();
    const TakaPlace* woven = find(places(QDate(2024, 5, 4)), QStringLiteral("2003"));
    ASSERT_NE(woven, nullptr);
    EXPECT_TRUE(woven->woven);
    EXPECT_EQ(woven->state, TakaState::AtMill);
    EXPECT_EQ(woven->place, QStringLiteral("Laxmi Dyeing Mill"));
    EXPECT_EQ(woven->days, 4);
    // Taka 2001 of the same challan stays in the godown.
    EXPECT_EQ(find(places(QDate(2024, 5, 4)), QStringLiteral("2001"))->state, TakaState::InGodown);
}

TEST_F(TakaTrailTest, PrintedAsARegister) {
    reports::RegisterChoice choice;
    choice.from = QDate(2024, 4, 1);
    choice.to = QDate(2024, 4, 30);
    const reports::Registers registers(db(), year().session, year().folder());
    const auto r = registers.run(takaRegister(QStringLiteral("100")), choice);
    EXPECT_EQ(r.title, QStringLiteral("Where Is Every Taka As On 30-04-2024"));
    EXPECT_EQ(r.filters, QStringLiteral("Taka No : 100"));
    EXPECT_EQ(r.total(QStringLiteral("Mtrs")).toString(2), QStringLiteral("50.00"));
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("takas.pdf"));
    registers.writePdf(r, pdf);
    test::keepForLooking(pdf);
    const QString text = test::pdfText(pdf);
    EXPECT_TRUE(text.contains(QStringLiteral("Where Is Every Taka As On 30-04-2024"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Laxmi Dyeing Mill")));
    EXPECT_TRUE(text.contains(QStringLiteral("At Mill")));

    choice.to = QDate(2025, 4, 2);
    EXPECT_THROW(registers.run(takaRegister(), choice), reports::ReportError);
}

}  // namespace
