// The demonstration firm's receipts and payments, made by `tanabana-cli demo create`: some
// bill-wise and some on account on both sides, the cash box and the bank never paying out more
// than they hold on any day, every party's latest bill still open, and every bill's paid amount
// the sum of its settlements with the unpaid amount following. TANABANA_USES_CLI
#include "db/Database.h"
#include "support/CliRun.h"

#include <gtest/gtest.h>
#include <QTemporaryDir>
#include <map>

using namespace tanabana;

TEST(DemoMoney, ReceiptsAndPaymentsKeepTheBooksTrue) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const test::CliResult demo = test::runCli({QStringLiteral("--data"), dir.filePath(QStringLiteral("books")), QStringLiteral("demo"),
                                               QStringLiteral("create"), QStringLiteral("--year"), QStringLiteral("2025"),
                                               QStringLiteral("--bills"), QStringLiteral("40")});
    ASSERT_EQ(demo.exitCode, 0) << demo.err.toStdString();
    ASSERT_TRUE(demo.out.contains(QStringLiteral(" receipts, "))) << demo.out.toStdString();
    db::Database year = db::Database::openSqlite(dir.filePath(QStringLiteral("books/DataBase/2025.db")), false);
    auto count = [&](const QString& where) {
        return year.scalar(QStringLiteral("SELECT COUNT(*) FROM HeadDtl3 WHERE ") + where).toInt();
    };
    // Receipts (6 cash, 8 bank) and payments (5 cash, 7 bank), bill-wise and on account.
    EXPECT_GT(count(QStringLiteral("TableCode IN (6, 8) AND IsBal = 'Y'")), 0);
    EXPECT_GT(count(QStringLiteral("TableCode IN (6, 8) AND IsBal = 'N'")), 0);
    EXPECT_GT(count(QStringLiteral("TableCode IN (5, 7) AND IsBal = 'Y'")), 0);
    EXPECT_GT(count(QStringLiteral("TableCode IN (5, 7) AND IsBal = 'N'")), 0);

    // Day by day the cash and bank accounts never go below nothing.
    for (const int group : {37, 36}) {
        double held = 0, lowest = 0;
        for (const db::Row& r : year.query(QStringLiteral("SELECT h.TransDate, SUM(h.DrAmt - h.CrAmt) FROM HeadDtl3 h JOIN AccMst a ON "
                                                          "a.Id = h.AccId WHERE a.GrpNo = ? GROUP BY h.TransDate ORDER BY h.TransDate"),
                                           {group})) {
            held += r.value(1).toDouble();
            lowest = std::min(lowest, held);
        }
        EXPECT_GE(lowest, -0.005) << "group " << group;
        EXPECT_GT(held, 0) << "group " << group;
    }

    // Each party's latest sales bill is still open.
    EXPECT_EQ(year.scalar(QStringLiteral("SELECT COUNT(*) FROM SalBillMst m WHERE m.FormId = 3 AND m.IsEnd <> 0 AND m.BillDate = "
                                         "(SELECT MAX(x.BillDate) FROM SalBillMst x WHERE x.PartyID = m.PartyID AND x.FormId = 3)"))
                  .toInt(),
              0);
    // Paid is what the settlements paid; unpaid is the bill less TDS less paid. Returns and notes
    // keep rows of their own in these tables, settled on the bills they adjust.
    for (const auto& [bills, letter, form] : {std::tuple{"SalBillMst", "S", 3}, std::tuple{"BillMst", "P", 1}}) {
        const db::Rows wrong = year.query(
            QStringLiteral("SELECT m.BillNO FROM %1 m WHERE (ABS(m.PaidAmt - COALESCE((SELECT SUM(o.Paid_Amt) FROM Acc_OutSt o WHERE "
                           "o.BillId = m.Id AND o.Book = ? AND o.VouNo > 0), 0)) > 0.005 OR ABS(m.UnPaidAmt - (m.BillAmount - "
                           "COALESCE(m.TDSRs, 0) - m.PaidAmt)) > 0.005) AND m.FormId = ?")
                .arg(QString::fromLatin1(bills)),
            {QString::fromLatin1(letter), form});
        EXPECT_TRUE(wrong.empty()) << bills << " " << wrong.front().text(QStringLiteral("BillNO")).toStdString();
    }
    EXPECT_GT(year.scalar(QStringLiteral("SELECT COUNT(*) FROM SalBillMst WHERE PaidAmt > 0 AND IsEnd = 0")).toInt(), 0);  // part paid
    EXPECT_GT(year.scalar(QStringLiteral("SELECT COUNT(*) FROM BillMst WHERE IsEnd <> 0")).toInt(), 0);
}
