// The stock of woven takas of the April firm, design wise: the takas of the production challan
// under their quality type, design number and colour with sub-totals; narrowed by loom, taka
// range, challan and the taka's state (the one sent on a delivery challan, the one issued to a
// mill); a taka number range typed upside down lists nothing. Runs on both engines
// (TANABANA_BOTH_ENGINES).
#include "domain/stock/ProductionStock.h"
#include "support/StockFirm.h"
#include "support/YearFixture.h"

#include <gtest/gtest.h>

using namespace tanabana;
using namespace tanabana::stock;

namespace {

class ProductionStockTest : public test::StockFirmTest {
protected:
    reports::RegisterResult run(const WovenFilter& filter) {
        reports::RegisterChoice c;
        c.from = QDate(2024, 4, 1);
        c.to = QDate(2024, 4, 30);
        return reports::Registers(db(), year().session, year().folder()).run(wovenStockRegister(filter), c);
    }
    static QStringList takas(const reports::RegisterResult& r) {
        QStringList out;
        const int index = r.data.indexOf(QStringLiteral("TakaNO"));
        for (int row = 0; row < r.data.rowCount(); ++row) out << r.data.value(row, index).toString();
        return out;
    }
    static QStringList lines(const reports::RegisterResult& r) {
        QStringList out;
        for (const reports::RegisterLine& l : r.lines) {
            QStringList cells;
            for (const QString& cell : l.cells)
                if (!cell.isEmpty()) cells << cell;
            out << cells.join(QStringLiteral(" | "));
        }
        return out;
    }

};

TEST_F(ProductionStockTest, WovenTakasUnderTheirDesignWithSubTotals) {
    const auto r = run({});
    EXPECT_EQ(r.title, QStringLiteral("Production Stock From 01-04-2024 To 30-04-2024"));
    EXPECT_EQ(lines(r), (QStringList{QStringLiteral("Qlty Type : Rapier"), QStringLiteral("Design No : D-502"), QStringLiteral("Colour : Plain"),
                                     QStringLiteral("2003 | 1 | 12-04-2024 | L1 | Rapier 60 Red | 1 | 110.50 | 110.50 | In Godown"),
                                     QStringLiteral("Design Tot | 1 | 110.50"), QStringLiteral("Qlty Type Tot | 1 | 110.50"),
                                     QStringLiteral("Qlty Type : Saree"),
                                     QStringLiteral("Design No : D-503"), QStringLiteral("Colour : Plain"),
                                     QStringLiteral("2001 | 1 | 12-04-2024 | L1 | Saree Zari | 6 | 11.00 | 66.00 | In Godown"),
                                     QStringLiteral("2002 | 1 | 12-04-2024 | L2 | Saree Zari | 4 | 11.00 | 44.00 | Sent"),
                                     QStringLiteral("Design Tot | 10 | 110.00"), QStringLiteral("Qlty Type Tot | 10 | 110.00"),
                                     QStringLiteral("Total | 11 | 220.50")}));
}

TEST_F(ProductionStockTest, NarrowedByLoomRangeChallanAndState) {
    WovenFilter loom;
    loom.machine = QStringLiteral("L1");
    EXPECT_EQ(takas(run(loom)), (QStringList{QStringLiteral("2003"), QStringLiteral("2001")}));

    WovenFilter range;
    range.takaFrom = 2002;
    range.takaTo = 2003;
    const auto ranged = run(range);
    EXPECT_EQ(takas(ranged), (QStringList{QStringLiteral("2003"), QStringLiteral("2002")}));
    EXPECT_EQ(ranged.filters, QStringLiteral("Taka No : 2002 - 2003"));
    range.takaFrom = 2003;
    range.takaTo = 2001;
    EXPECT_TRUE(takas(run(range)).isEmpty());

    WovenFilter challan;
    challan.challanNo = QStringLiteral("2");
    EXPECT_TRUE(takas(run(challan)).isEmpty());

    WovenFilter sent;
    sent.state = WovenState::Sent;
    EXPECT_EQ(takas(run(sent)), QStringList{QStringLiteral("2002")});

    // Taka 2001 goes to the dyer as grey: no longer in the godown.
    db().exec(QStringLiteral("UPDATE ProductionDtl SET IsM_Issue = 1, Issue_Pro = 'Dyeing' WHERE TakaNO = '2001'"));
    WovenFilter godown;
    godown.state = WovenState::InGodown;
    EXPECT_EQ(takas(run(godown)), QStringList{QStringLiteral("2003")});
    WovenFilter issued;
    issued.state = WovenState::Issued;
    const auto atDyer = run(issued);
    EXPECT_EQ(takas(atDyer), QStringList{QStringLiteral("2001")});
    EXPECT_TRUE(lines(atDyer).contains(QStringLiteral("2001 | 1 | 12-04-2024 | L1 | Saree Zari | 6 | 11.00 | 66.00 | Issued | Dyeing")));
}

}  // namespace
