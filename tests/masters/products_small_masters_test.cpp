// Brokers, named lists and looms of a weaving firm (TANABANA_BOTH_ENGINES): names unique per firm
// (and list), brokers posted in several firms, a loom with orders or a broker on a bill kept from
// deletion, and bad input refused with nothing written.
#include "domain/products/SmallMasters.h"
#include "support/YearFixture.h"
#include "support/Amounts.h"

#include <gtest/gtest.h>

using namespace tanabana;
using namespace tanabana::products;

namespace {

class SmallMastersTest : public ::testing::Test {
protected:
    void SetUp() override {
        TANABANA_REQUIRE_ENGINE();
        year = std::make_unique<test::YearFixture>();
        year->addFirm(2, QStringLiteral("Shree Krishna Weaving"));
    }
    Broker broker(const QString& name, QChar type = QLatin1Char('B')) {
        Broker b;
        b.name = name;
        b.city = QStringLiteral("Surat");
        b.district = QStringLiteral("Surat");
        b.taluka = QStringLiteral("Choryasi");
        b.brokerage = d("1.5");
        b.type = type;
        return b;
    }
    std::unique_ptr<test::YearFixture> year;
};

const QString kDeleteQuestion = QStringLiteral("Are you sure want to delete record");

}  // namespace

TEST_F(SmallMastersTest, BrokersAreUniqueByNameAndTypeInAFirm) {
    BrokerMaster brokers(year->db(), year->session, year->messages);
    const auto ids = brokers.save(broker(QStringLiteral("Ramesh O'Brien Shah")), {2});
    ASSERT_TRUE(ids);
    ASSERT_EQ(ids->size(), 2u);
    EXPECT_EQ(brokers.load(ids->at(1))->firmNo, 2);
    EXPECT_EQ(brokers.load(ids->at(0))->brokerage, d("1.5"));

    Refusal refusal;
    EXPECT_FALSE(brokers.save(broker(QStringLiteral("ramesh o'brien shah ")), {}, &refusal));
    EXPECT_TRUE(year->messages.has(MessageKind::Critical, QStringLiteral("A/c Duplicate"),
                                   QStringLiteral("This Broker Name in Firm :Shree Ganesh Textiles Is Exist, Please Enter Another NAme")));
    EXPECT_EQ(refusal.field, QStringLiteral("PName"));
    // a haste agent of the same name is another person
    EXPECT_TRUE(brokers.save(broker(QStringLiteral("Ramesh O'Brien Shah"), QLatin1Char('H'))));
    EXPECT_FALSE(brokers.save(broker(QStringLiteral(" "))));
    Broker greedy = broker(QStringLiteral("Greedy"));
    greedy.brokerage = d("150");
    EXPECT_FALSE(brokers.save(greedy));
    EXPECT_EQ(year->count(QStringLiteral("BrokerMst")), 3);

    Broker vapi = broker(QStringLiteral("Anil Desai"));
    vapi.city = QStringLiteral("Vapi");
    brokers.save(vapi);
    EXPECT_EQ(brokers.cities(), (QStringList{QStringLiteral("Surat"), QStringLiteral("Vapi")}));
    const auto surat = brokers.list(QStringLiteral("surat"));
    ASSERT_EQ(surat.size(), 2u);
    EXPECT_EQ(brokers.list().front().name, QStringLiteral("Anil Desai"));  // by name
}

TEST_F(SmallMastersTest, BrokerOnAnAccountIsNotDeleted) {
    BrokerMaster brokers(year->db(), year->session, year->messages);
    const qint64 used = brokers.save(broker(QStringLiteral("Ramesh Shah")))->front();
    const qint64 idle = brokers.save(broker(QStringLiteral("Mahesh Patel")))->front();
    // a bill of the year that names the broker (the table as trade documents keep it)
    if (!year->db().tableExists(QStringLiteral("SalBillMst")))
        year->db().exec(QStringLiteral("CREATE TABLE SalBillMst (Id INTEGER, BrokerId INTEGER)"));
    year->db().exec(QStringLiteral("INSERT INTO SalBillMst (Id, BrokerId) VALUES (1, ?)"), {used});
    EXPECT_FALSE(brokers.remove(used));
    EXPECT_EQ(year->messages.last().title, QStringLiteral("Broker found"));
    EXPECT_TRUE(brokers.load(used));

    year->messages.answerNext(false);
    EXPECT_FALSE(brokers.remove(idle));
    EXPECT_TRUE(year->messages.has(MessageKind::Question, QStringLiteral("Delete Condirm"), kDeleteQuestion));
    EXPECT_TRUE(brokers.remove(idle));
    EXPECT_FALSE(brokers.load(idle));
}

TEST_F(SmallMastersTest, BrokerFromImportedValues) {
    const auto b = brokerFromValues({{QStringLiteral("PName"), QStringLiteral("Ramesh")}, {QStringLiteral("CST"), QStringLiteral("2")},
                                     {QStringLiteral("ptype"), QStringLiteral("Haste")}},
                                    year->messages);
    ASSERT_TRUE(b);
    EXPECT_EQ(b->type, QLatin1Char('H'));
    EXPECT_FALSE(brokerFromValues({{QStringLiteral("PName"), QStringLiteral("Ramesh")}, {QStringLiteral("CST"), QStringLiteral("two")}},
                                  year->messages));
    EXPECT_EQ(year->messages.last().text, QStringLiteral("Brok. % : 'two' is not a number"));
    EXPECT_FALSE(brokerFromValues({{QStringLiteral("PName"), QStringLiteral("Ramesh")}, {QStringLiteral("PType"), QStringLiteral("Agent")}},
                                  year->messages));
    EXPECT_FALSE(brokerFromValues({{QStringLiteral("Name"), QStringLiteral("Ramesh")}}, year->messages));
    EXPECT_EQ(year->messages.last().text, QStringLiteral("Unknown broker field : Name"));
}

TEST_F(SmallMastersTest, NamedListsKeepNamesUniquePerList) {
    ProcessMaster lists(year->db(), year->session, year->messages);
    ProcessEntry dyeing;
    dyeing.name = QStringLiteral("Dyeing");
    const auto id = lists.save(dyeing);
    ASSERT_TRUE(id);
    ProcessEntry red;
    red.name = QStringLiteral("Red");
    red.listType = QLatin1Char('C');
    ASSERT_TRUE(lists.save(red));
    ProcessEntry again = dyeing;
    again.name = QStringLiteral("DYEING");
    EXPECT_FALSE(lists.save(again));
    EXPECT_EQ(year->messages.last().text,
              QStringLiteral("This Job Process Name in Firm :Shree Ganesh Textiles Is Exist, Please Enter Another NAme"));
    again.listType = QLatin1Char('D');  // a design number may read like a process
    EXPECT_TRUE(lists.save(again));
    EXPECT_EQ(ProcessMaster::caption(QLatin1Char('J')), QStringLiteral("JOB PROCESS MASTER"));
    EXPECT_EQ(lists.list(QLatin1Char('C')).size(), 1u);
    EXPECT_EQ(lists.list().size(), 3u);

    auto loaded = lists.load(*id);
    loaded->active = false;
    EXPECT_EQ(lists.save(*loaded), *id);
    EXPECT_FALSE(lists.load(*id)->active);
    EXPECT_TRUE(lists.remove(*id));
    EXPECT_EQ(year->count(QStringLiteral("Mst_Process")), 2);

    EXPECT_FALSE(processFromValues({{QStringLiteral("Pro_Name"), QStringLiteral("X")}, {QStringLiteral("Mst_Type"), QStringLiteral("Q")}},
                                   year->messages));
    const auto colour = processFromValues({{QStringLiteral("Pro_Name"), QStringLiteral("Blue")}, {QStringLiteral("Mst_Type"), QStringLiteral("Colour")}},
                                          year->messages);
    ASSERT_TRUE(colour);
    EXPECT_EQ(colour->listType, QLatin1Char('C'));
}

TEST_F(SmallMastersTest, LoomsWithOrdersStay) {
    MachineMaster looms(year->db(), year->session, year->messages);
    Machine l7;
    l7.name = QStringLiteral("L-07");
    l7.panna = d("52");
    l7.pattern = QStringLiteral("PLAIN-WEAVE");  // longer than the column's five characters: refused, not cut
    Refusal refusal;
    EXPECT_FALSE(looms.save(l7, &refusal));
    EXPECT_EQ(year->messages.last().text, QStringLiteral("Pattern takes at most 5 characters; \"PLAIN-WEAVE\" has 11"));
    EXPECT_EQ(refusal.field, QStringLiteral("Pattern"));
    EXPECT_EQ(year->count(QStringLiteral("Mst_Machine")), 0);
    l7.pattern = QStringLiteral("PLAIN");
    const auto id = looms.save(l7);
    ASSERT_TRUE(id);
    EXPECT_EQ(looms.load(*id)->pattern, QStringLiteral("PLAIN"));
    EXPECT_EQ(looms.load(*id)->panna, d("52"));
    EXPECT_FALSE(looms.save(l7));
    EXPECT_EQ(year->messages.last().text,
              QStringLiteral("This Machine Name in Firm :Shree Ganesh Textiles Is Exist, Please Enter Another NAme"));
    Machine l8 = l7;
    l8.name = QStringLiteral("L-08");
    l8.panna = d("-1");
    EXPECT_FALSE(looms.save(l8));
    EXPECT_EQ(year->count(QStringLiteral("Mst_Machine")), 1);

    year->db().exec(QStringLiteral("INSERT INTO Machine_Issue (ID, FirmNo, VoucherNo, ProductId, MachineNO) VALUES (1, 1, 1, 5, ?)"), {*id});
    EXPECT_FALSE(looms.remove(*id));
    EXPECT_EQ(year->messages.last().title, QStringLiteral("Machine found"));
    year->db().exec(QStringLiteral("DELETE FROM Machine_Issue"));
    EXPECT_TRUE(looms.remove(*id));
    EXPECT_TRUE(looms.list().empty());

    EXPECT_FALSE(machineFromValues({{QStringLiteral("MachineName"), QStringLiteral("L-9")}, {QStringLiteral("PannaNO"), QStringLiteral("5x")}},
                                   year->messages));
    EXPECT_EQ(year->messages.last().text, QStringLiteral("Panna No : '5x' is not a number"));
}

TEST_F(SmallMastersTest, ClosedYearRefusesChanges) {
    year->session.firm.insert(QStringLiteral("IsYrEnd"), 1);
    year->db().exec(QStringLiteral("UPDATE FirmMst SET IsYrEnd = 1 WHERE Srno = 1"));
    BrokerMaster brokers(year->db(), year->session, year->messages);
    MachineMaster looms(year->db(), year->session, year->messages);
    ProcessMaster lists(year->db(), year->session, year->messages);
    Machine m;
    m.name = QStringLiteral("L-1");
    ProcessEntry p;
    p.name = QStringLiteral("Dyeing");
    EXPECT_FALSE(brokers.save(broker(QStringLiteral("Ramesh"))));
    EXPECT_FALSE(looms.save(m));
    EXPECT_FALSE(lists.save(p));
    EXPECT_EQ(year->messages.all().size(), 3u);
    EXPECT_EQ(year->messages.last().title, QStringLiteral("Year End Done"));
    EXPECT_EQ(year->count(QStringLiteral("BrokerMst")) + year->count(QStringLiteral("Mst_Machine")) +
                  year->count(QStringLiteral("Mst_Process")), 0);
}
