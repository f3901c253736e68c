// Delivery challans: numbering by the latest challan, the billed-challan delete refusal, line checks
// before printing, and produced takas that go out once only, even from two stations at once.
// Runs on both engines (TANABANA_BOTH_ENGINES).
#include "domain/jobwork/ProductionChallans.h"
#include "domain/trade/DeliveryChallans.h"
#include "support/YearFixture.h"
#include "support/Amounts.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using namespace tanabana;
using namespace tanabana::trade;

namespace {

class DeliveryChallanTest : public ::testing::Test {
protected:
    void SetUp() override {
        TANABANA_REQUIRE_ENGINE();
        year_ = std::make_unique<test::YearFixture>();  // only once the engine is there
        // A finished quality priced per metre at 52.25.
        year().db().exec(QStringLiteral("INSERT INTO ProdMst (Id, ProdCode, ProdName, StkType, RAteR, CalcOn, Vat, AddTax, VatCalc, "
                                      "IsActive, IsNewPro, FirmNO) VALUES (7, '7', 'Rapier 60 Red', 'F', 52.25, 1, 2.5, 2.5, 1, 1, 0, 1)"));
    }

    DeliveryChallans service() { return DeliveryChallans(year().db(), year().session, year().messages); }

    DeliveryChallan challan(const QString& no, const QDate& date) {
        DeliveryChallan c;
        c.bookNo = 2;
        c.challanNo = no;
        c.date = date;
        c.partyId = 41;
        c.transport = QStringLiteral("Shree Roadways");
        ChallanLine l;
        l.qualityId = 7;
        l.description = QStringLiteral("Red, fold 2");
        l.pieces = d("4");
        l.metres = d("412.5");
        l.rate = d("52.25");
        c.lines.push_back(l);
        return c;
    }

    void produceTakas(const QStringList& takas) {
        jobwork::ProductionChallans production(year().db(), year().session, year().messages);
        jobwork::ProductionChallan p;
        p.bookNo = 2;
        p.challanNo = production.nextChallanNo(2);
        p.date = QDate(2024, 6, 1);
        p.partyId = 40;
        for (const QString& t : takas) p.takas.push_back({t, d("1"), d("110"), d("110.5"), QStringLiteral("L1"), 7});
        ASSERT_TRUE(production.save(p));
    }

    DeliveryChallan takaChallan(const QString& no, const QStringList& takas) {
        DeliveryChallan c = challan(no, QDate(2024, 6, 3));
        c.fromTakas = true;
        c.lines = service().linesFromTakas(takas);
        return c;
    }

    QStringList freeTakaNumbers() {
        QStringList list;
        for (const FreeTaka& t : service().freeTakas()) list << t.takaNo;
        return list;
    }

    test::YearFixture& year() { return *year_; }
    std::unique_ptr<test::YearFixture> year_;
};

TEST_F(DeliveryChallanTest, NextNumberFollowsTheLatestChallanNotTheHighest) {
    auto s = service();
    EXPECT_EQ(s.nextChallanNo(2), QStringLiteral("1"));
    auto twenty = challan(QStringLiteral("20"), QDate(2024, 6, 1));
    ASSERT_TRUE(s.save(twenty));
    auto fifteen = challan(QStringLiteral("15"), QDate(2024, 6, 10));
    ASSERT_TRUE(s.save(fifteen));
    EXPECT_EQ(s.nextChallanNo(2), QStringLiteral("16"));
    EXPECT_EQ(s.findByNumber(2, QStringLiteral("20")), twenty.id);

    // A second challan numbered 15 in the same book is refused.
    auto again = challan(QStringLiteral("15"), QDate(2024, 6, 11));
    EXPECT_FALSE(s.save(again));
    EXPECT_EQ(year().count(QStringLiteral("ChalanMst")), 2);
}

TEST_F(DeliveryChallanTest, SaveStoresAmountsWordsAndTheLastRate) {
    auto s = service();
    auto c = challan(QStringLiteral("1"), QDate(2024, 6, 5));
    ChallanLine perPiece = c.lines.front();
    perPiece.rateOn = QStringLiteral("P");
    perPiece.rate = d("1200");
    c.lines.push_back(perPiece);
    ASSERT_TRUE(s.save(c));
    EXPECT_TRUE(year().messages.has(MessageKind::Information, QStringLiteral("SAVE Confirmation"), QStringLiteral("Challan Is Saved")));

    const auto h = year().db().queryOne(QStringLiteral("SELECT Amt, BillAmount, InWords, DeliId, FormId, IsSale FROM ChalanMst WHERE Id = ?"), {c.id});
    ASSERT_TRUE(h);
    EXPECT_DOUBLE_EQ(h->number(QStringLiteral("BillAmount")), 26353.12);  // 21,553.12 + 4 x 1,200
    EXPECT_DOUBLE_EQ(h->number(QStringLiteral("Amt")), 26353.12);
    EXPECT_EQ(h->text(QStringLiteral("InWords")), QStringLiteral("Rs. Twenty Six Thousand Three Hundred Fifty Three And Twelve Paisa Only."));
    EXPECT_EQ(h->integer(QStringLiteral("DeliId")), 41);
    EXPECT_EQ(h->integer(QStringLiteral("FormId")), 3);
    EXPECT_FALSE(h->flag(QStringLiteral("IsSale")));
    EXPECT_EQ(year().count(QStringLiteral("ChalanDtl"), QStringLiteral("BillMstId = ?"), {c.id}), 2);

    const auto rate = year().db().queryOne(QStringLiteral("SELECT Rate, RateON, BillNO FROM Bill_Party_Rate WHERE PartyId = 41 AND Qid = 7 AND BType = 'C'"));
    ASSERT_TRUE(rate);
    EXPECT_DOUBLE_EQ(rate->number(QStringLiteral("Rate")), 1200.0);  // the last line of the challan wins
    EXPECT_EQ(rate->text(QStringLiteral("BillNO")), QStringLiteral("1"));

    // Refusals: no line, no party; nothing more is written.
    auto empty = challan(QStringLiteral("2"), QDate(2024, 6, 5));
    empty.lines.clear();
    EXPECT_FALSE(s.save(empty));
    EXPECT_TRUE(year().messages.has(MessageKind::Critical, QStringLiteral("System Validation"), QStringLiteral("Please Select Party NAme and Quality")));
    EXPECT_EQ(year().count(QStringLiteral("ChalanMst")), 1);
}

TEST_F(DeliveryChallanTest, BilledChallanCannotBeDeleted) {
    auto s = service();
    auto c = challan(QStringLiteral("7"), QDate(2024, 6, 5));
    ASSERT_TRUE(s.save(c));
    year().db().exec(QStringLiteral("UPDATE ChalanMst SET IsSale = 1 WHERE Id = ?"), {c.id});
    EXPECT_FALSE(s.remove(c.id));
    EXPECT_TRUE(year().messages.has(MessageKind::Critical, QStringLiteral("No Delete"), QStringLiteral("This Chalan is Already Sold !")));
    EXPECT_EQ(year().count(QStringLiteral("ChalanDtl")), 1);

    year().db().exec(QStringLiteral("UPDATE ChalanMst SET IsSale = 0 WHERE Id = ?"), {c.id});
    year().messages.answerNext(false);
    EXPECT_FALSE(s.remove(c.id));
    EXPECT_EQ(year().count(QStringLiteral("ChalanMst")), 1);
    EXPECT_TRUE(s.remove(c.id));
    EXPECT_TRUE(year().messages.has(MessageKind::Information, QStringLiteral("Delete Confirmation"), QStringLiteral("Chalan IS Deleted!")));
    EXPECT_EQ(year().count(QStringLiteral("ChalanMst")), 0);
    EXPECT_EQ(year().count(QStringLiteral("ChalanDtl")), 0);
}

TEST_F(DeliveryChallanTest, EveryLineMustBeCheckedBeforePrintingWhenTheFirmAsks) {
    auto s = service();
    auto c = challan(QStringLiteral("3"), QDate(2024, 6, 5));
    c.lines.push_back(c.lines.front());
    ASSERT_TRUE(s.save(c));
    EXPECT_TRUE(s.readyToPrint(*s.load(c.id)));  // the firm does not ask
    year().session.firm.insert(QStringLiteral("ISCh_Reconsil"), 1);
    s.setReconciled(c.id, 1, true);
    EXPECT_FALSE(s.readyToPrint(*s.load(c.id)));
    EXPECT_TRUE(year().messages.has(MessageKind::Critical, QStringLiteral("Item Not Checked"), QStringLiteral("Please Check All Item Detail .")));
    s.setReconciled(c.id, 2, true);
    EXPECT_TRUE(s.readyToPrint(*s.load(c.id)));
}

TEST_F(DeliveryChallanTest, TakasGoOutOnceAndComeBackOnEditAndDelete) {
    produceTakas({QStringLiteral("9"), QStringLiteral("10"), QStringLiteral("11")});
    EXPECT_EQ(freeTakaNumbers(), (QStringList{QStringLiteral("9"), QStringLiteral("10"), QStringLiteral("11")}));
    // What the taka list shows of each: the loom's measures, the quality and where it was produced.
    const FreeTaka nine = service().freeTakas().front();
    EXPECT_EQ(nine.metres, d("110.5"));
    EXPECT_EQ(nine.pieces, d("1"));
    EXPECT_EQ(nine.cut, d("110"));
    EXPECT_EQ(nine.quality, QStringLiteral("Rapier 60 Red"));
    EXPECT_EQ(nine.qualityId, 7);
    EXPECT_EQ(nine.rateOn, QStringLiteral("M"));
    EXPECT_EQ(nine.date, QDate(2024, 6, 1));
    EXPECT_EQ(nine.machineNo, QStringLiteral("L1"));
    EXPECT_EQ(service().freeTakas(8).size(), 0u) << "another quality has no free takas";
    auto s = service();
    auto c = takaChallan(QStringLiteral("1"), {QStringLiteral("9"), QStringLiteral("10")});
    ASSERT_EQ(c.lines.size(), 2u);
    EXPECT_EQ(c.lines[0].rate, d("52.25"));
    EXPECT_EQ(c.lines[0].metres, d("110.5"));
    ASSERT_TRUE(s.save(c));
    EXPECT_EQ(freeTakaNumbers(), QStringList{QStringLiteral("11")});

    // The same taka on a second challan is refused and nothing of that challan is written.
    auto second = takaChallan(QStringLiteral("2"), {QStringLiteral("11")});
    second.lines.push_back(c.lines[0]);
    EXPECT_FALSE(s.save(second));
    EXPECT_TRUE(year().messages.has(MessageKind::Critical, QStringLiteral("Taka Duplication"),
                                  QStringLiteral("Taka No 9 is already sent or not produced.")));
    EXPECT_EQ(year().count(QStringLiteral("ChalanMst")), 1);
    EXPECT_EQ(freeTakaNumbers(), QStringList{QStringLiteral("11")});

    // The production challan now refuses its delete.
    jobwork::ProductionChallans production(year().db(), year().session, year().messages);
    EXPECT_FALSE(production.remove(year().db().scalar(QStringLiteral("SELECT Id FROM ProductionMst")).toLongLong()));

    // Editing the challan down to taka 10 gives 9 back; deleting gives 10 back.
    auto edited = *s.load(c.id);
    EXPECT_TRUE(edited.fromTakas);
    edited.lines.erase(edited.lines.begin());
    ASSERT_TRUE(s.save(edited));
    EXPECT_EQ(freeTakaNumbers(), (QStringList{QStringLiteral("9"), QStringLiteral("11")}));
    ASSERT_TRUE(s.remove(c.id));
    EXPECT_EQ(freeTakaNumbers().size(), 3);
}

TEST_F(DeliveryChallanTest, TwoStationsCannotSendTheSameTaka) {
    produceTakas({QStringLiteral("501")});
    std::atomic<int> saved{0};
    auto station = [&](int n) {
        db::Database db = year().openAnother();
        Session session = year().session;
        session.db = &db;
        RecordingMessages messages;
        DeliveryChallans s(db, session, messages);
        DeliveryChallan c = challan(QStringLiteral("S") + QString::number(n), QDate(2024, 6, 3));
        c.fromTakas = true;
        c.lines = s.linesFromTakas({QStringLiteral("501")});
        if (s.save(c)) ++saved;
    };
    std::thread a(station, 1), b(station, 2);
    a.join();
    b.join();
    EXPECT_EQ(saved.load(), 1);
    EXPECT_EQ(year().count(QStringLiteral("ChalanMst")), 1);
    EXPECT_EQ(year().count(QStringLiteral("ProductionDtl"), QStringLiteral("IsOver = 1")), 1);
}

}  // namespace
