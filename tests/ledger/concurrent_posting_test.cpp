// Stations posting at the same moment (TANABANA_BOTH_ENGINES): two connections in two threads
// on either engine, and two tanabana-cli processes on one SQLite file in WAL mode
// (TANABANA_USES_CLI). Every journal number must be unique, every journal whole and balanced,
// every voucher number used once, and the monthly totals equal to the journal. Then six stations
// saving six kinds of documents at once, each save taking its locks in the one order: none
// waits for another in a circle, so every save goes through.
#include "domain/ledger/Journal.h"
#include "domain/ledger/Schema.h"
#include "domain/returns/GoodsReturns.h"
#include "domain/returns/Notes.h"
#include "domain/trade/PurchaseInvoices.h"
#include "domain/trade/SalesInvoices.h"
#include "domain/vouchers/CashBankVouchers.h"
#include "domain/vouchers/JournalVouchers.h"
#include "support/CliRun.h"
#include "support/FirmBooks.h"
#include "support/LedgerBooks.h"
#include "support/PostedLines.h"
#include "support/TestDb.h"
#include "support/VoucherFirm.h"
#include "support/YearFixture.h"
#include "support/Amounts.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>
#include <barrier>
#include <functional>
#include <mutex>
#include <thread>

using namespace tanabana;
using namespace tanabana::ledger;
using tanabana::test::money;

namespace {

// Journals that are not four balanced lines of one voucher; empty when the books are whole.
QStringList brokenJournals(db::Database& db) {
    QStringList broken;
    for (const db::Row& r : db.query(QStringLiteral("SELECT JournalNo, COUNT(*), SUM(DrAmt), SUM(CrAmt), COUNT(DISTINCT VoucherNo) "
                                                    "FROM HeadDtl3 GROUP BY JournalNo HAVING COUNT(*) <> 4 OR "
                                                    "SUM(DrAmt) <> SUM(CrAmt) OR COUNT(DISTINCT VoucherNo) <> 1")))
        broken << r.value(0).toString();
    return broken;
}

QStringList monthTotals(db::Database& db) {
    QStringList rows;
    for (const db::Row& r : db.query(QStringLiteral("SELECT AccId, MonthNo, DrPaise, CrPaise FROM HeadDtl3_MonthBal "
                                                    "WHERE Lines <> 0 ORDER BY AccId, MonthNo")))
        rows << QStringLiteral("%1/%2: %3 %4").arg(r.value(0).toString(), r.value(1).toString(), r.value(2).toString(),
                                                   r.value(3).toString());
    return rows;
}

void expectWholeBooks(db::Database& db, int documents) {
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT COUNT(*) FROM HeadDtl3")).toInt(), documents * 4);
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT COUNT(DISTINCT JournalNo) FROM HeadDtl3")).toInt(), documents);
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT COUNT(DISTINCT VoucherNo) FROM HeadDtl3 WHERE TableCode = 9")).toInt(), documents);
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT MAX(JournalNo) FROM HeadDtl3")).toInt(), documents);
    EXPECT_EQ(brokenJournals(db), QStringList());
    const QStringList kept = monthTotals(db);
    rebuildMonthBalances(db);
    EXPECT_EQ(monthTotals(db), kept);
}

}  // namespace

TEST(ConcurrentPosting, TwoConnectionsPostingAtOnceNeverShareAJournalNumber) {
    TANABANA_REQUIRE_ENGINE();
    test::YearFixture year;
    const test::SmallFirm firm = test::seedSmallFirm(year.db());
    constexpr int perStation = 60;
    std::mutex lock;
    QStringList errors;

    auto station = [&](const QString& user) {
        try {
            db::Database db = year.openAnother();
            Session session = year.session;
            session.db = &db;
            session.loginUser = user;
            Journal journal(db, session);
            for (int i = 0; i < perStation; ++i) {
                db::Transaction tx(db);
                JournalDocument doc = test::document(
                    DocumentType::JournalVoucher, journal.nextVoucherNo(DocumentType::JournalVoucher), QDate(2024, 6, 1 + i % 30),
                    user, {{firm.suresh, QLatin1Char('D'), money("1050.00")}, {firm.sales, QLatin1Char('C'), money("1000.00")},
                           {firm.outputCgst, QLatin1Char('C'), money("25.00")}, {firm.outputSgst, QLatin1Char('C'), money("25.00")}});
                journal.post(doc);
                tx.commit();
            }
        } catch (const std::exception& e) {
            std::lock_guard<std::mutex> guard(lock);
            errors << QString::fromLocal8Bit(e.what());
        }
    };
    std::thread first(station, QStringLiteral("STATION1"));
    std::thread second(station, QStringLiteral("STATION2"));
    first.join();
    second.join();

    EXPECT_EQ(errors, QStringList());
    expectWholeBooks(year.db(), 2 * perStation);
    EXPECT_EQ(year.count(QStringLiteral("HeadDtl3"), QStringLiteral("BookDesc = 'STATION2'")), perStation * 4);
}

TEST(ConcurrentPosting, TwoProcessesOnOneSqliteFile) {
    if (test::onPostgres()) GTEST_SKIP() << "processes share a file on SQLite; the server case is the two-connection test";
    test::YearFolder books(2025);
    const test::SmallFirm firm = test::seedSmallFirm(books.db());
    auto code = [&](qint64 id) {
        return books.db().scalar(QStringLiteral("SELECT LedgerId FROM AccMst WHERE Id = ?"), {id}).toString();
    };
    constexpr int perProcess = 150;
    QJsonArray documents;
    for (int i = 0; i < perProcess; ++i) {
        auto line = [](const QString& account, const char* side, const char* amount) {
            return QJsonObject{{QStringLiteral("account"), account}, {QStringLiteral("side"), QString::fromLatin1(side)},
                               {QStringLiteral("amount"), QString::fromLatin1(amount)}};
        };
        documents.append(QJsonObject{
            {QStringLiteral("type"), 9},
            {QStringLiteral("date"), QDate(2024, 7, 1 + i % 31).toString(Qt::ISODate)},
            {QStringLiteral("number"), QStringLiteral("JV/%1").arg(i)},
            {QStringLiteral("lines"), QJsonArray{line(code(firm.ramesh), "D", "2100.00"), line(code(firm.sales), "C", "2000.00"),
                                                 line(code(firm.outputCgst), "C", "50.00"),
                                                 line(code(firm.outputSgst), "C", "50.00")}}});
    }
    const QString file = books.root() + QStringLiteral("/vouchers.json");
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(QJsonDocument(documents).toJson());
    out.close();

    const QStringList args{QStringLiteral("--data"), books.root(), QStringLiteral("ledger"), QStringLiteral("post"), file,
                           QStringLiteral("--year"), QStringLiteral("2025"), QStringLiteral("--quiet")};
    auto a = test::startCli(args);
    auto b = test::startCli(args);
    for (QProcess* p : {a.get(), b.get()}) {
        ASSERT_TRUE(p->waitForFinished(180000)) << p->errorString().toStdString();
        EXPECT_EQ(p->exitCode(), 0) << p->readAllStandardError().toStdString();
    }
    expectWholeBooks(books.db(), 2 * perProcess);
}

namespace {

trade::PurchaseBill greyBought(qint64 weaver, const QString& no, const QDate& date) {
    trade::PurchaseBill b;
    b.bookId = 2;
    b.billNo = no;
    b.date = date;
    b.partyId = weaver;
    trade::PurchaseLine line;
    line.qualityId = test::VoucherFirm::kRapier;
    line.input.metres = d("100");
    line.input.listRate = d("50");
    line.input.sgstPercent = line.input.cgstPercent = d("2.5");
    b.lines.push_back(line);
    return b;
}

// Stations saving at once: each on its own connection and session, `rounds` saves of its kind,
// all started together; a save that does not go through is written down with what it was told.
class Stations {
public:
    using Save = std::function<bool(db::Database&, Session&, Messages&, int)>;
    Stations(const test::YearFixture& year, std::ptrdiff_t count, int rounds) : year_(year), start_(count), rounds_(rounds) {}

    void add(const QString& user, Save save) {
        threads_.emplace_back([this, user, save] {
            try {
                db::Database db = year_.openAnother();
                Session session = year_.session;
                session.db = &db;
                session.loginUser = user;
                RecordingMessages messages;
                start_.arrive_and_wait();
                for (int i = 0; i < rounds_; ++i) {
                    if (save(db, session, messages, i)) continue;
                    std::lock_guard<std::mutex> guard(lock_);
                    failures_ << QStringLiteral("%1, save %2: %3").arg(user).arg(i + 1).arg(test::lastRefusal(messages));
                }
            } catch (const std::exception& e) {
                std::lock_guard<std::mutex> guard(lock_);
                failures_ << user + QStringLiteral(": ") + QString::fromLocal8Bit(e.what());
            }
        });
    }

    // Waits for every station; what did not go through.
    QStringList finish() {
        for (std::thread& t : threads_) t.join();
        threads_.clear();
        return failures_;
    }

private:
    const test::YearFixture& year_;
    std::barrier<> start_;
    int rounds_;
    std::mutex lock_;
    QStringList failures_;
    std::vector<std::thread> threads_;
};

}  // namespace

// The grey-cloth trader's busy day, six stations at once, each saving its own kind of document:
// journal vouchers, grey bought under reverse charge (a bill and its own journal voucher),
// cash received against sales bills, new sales bills, grey returned against purchase bills,
// and 2% credit notes on sales bills. Each pair of kinds takes the bill, voucher, settlement and
// journal locks that another kind takes too; in any other order than the one order, two of them
// end holding one lock each and waiting for the other ("deadlock detected" on PostgreSQL).
TEST(ConcurrentPosting, StationsSavingDocumentsOfEveryKindAtOnceAllGoThrough) {
    TANABANA_REQUIRE_ENGINE();
    test::YearFixture year;
    test::VoucherFirm firm(year.db(), year.session, year.messages);
    firm.build();
    const qint64 delhi = test::addAccount(year.db(), QStringLiteral("Delhi Drapers"), 35, 1, QStringLiteral("07-Delhi"));
    constexpr int rounds = 12;
    // What the receipts, notes and returns settle: 2,100.00 sales bills of Kiran Sarees, 10,500.00
    // IGST bills of Delhi Drapers and 5,250.00 grey bills of Laxmi Weaving Works.
    std::vector<qint64> kiranBills, delhiBills, greyBills;
    trade::PurchaseInvoices purchases(year.db(), year.session, year.messages);
    for (int i = 0; i < rounds; ++i) {
        kiranBills.push_back(firm.saleOf(QStringLiteral("K%1").arg(i), QDate(2024, 7, 1), firm.kiran, test::VoucherFirm::kRapier, "20", "100"));
        delhiBills.push_back(firm.saleOf(QStringLiteral("D%1").arg(i), QDate(2024, 7, 1), delhi, test::VoucherFirm::kRapier, "100", "100"));
        trade::PurchaseBill grey = greyBought(firm.weaver, QStringLiteral("LW/G%1").arg(i), QDate(2024, 7, 1));
        greyBills.push_back(purchases.save(grey).value_or(0));
    }
    ASSERT_EQ(test::lastRefusal(year.messages), QString());
    const int journalsBefore = year.db().scalar(QStringLiteral("SELECT COUNT(DISTINCT JournalNo) FROM HeadDtl3")).toInt();
    const int vouchersBefore = year.count(QStringLiteral("HeadDtl3"), QStringLiteral("TableCode = 9"));

    Stations stations(year, 6, rounds);
    stations.add(QStringLiteral("JOURNAL"), [&](db::Database& db, Session& s, Messages& m, int) {
        vouchers::JournalVouchers journals(db, s, m);
        vouchers::JournalVoucher v;
        v.date = QDate(2024, 7, 15);
        vouchers::JournalEntry e;
        e.debitAccId = firm.discount;
        e.creditAccId = firm.ramesh;
        e.amount = d("100");
        v.entries = {e};
        return journals.saveWhole(v);
    });
    stations.add(QStringLiteral("PURCHASE"), [&](db::Database& db, Session& s, Messages& m, int i) {
        trade::PurchaseBill bill = greyBought(firm.weaver, QStringLiteral("LW/R%1").arg(i), QDate(2024, 7, 15));
        bill.reverseChargeId = i + 1;
        bill.reverseChargeBillNo = QStringLiteral("PRC-%1").arg(i + 1);
        return trade::PurchaseInvoices(db, s, m).save(bill).has_value();
    });
    stations.add(QStringLiteral("CASH"), [&](db::Database& db, Session& s, Messages& m, int i) {
        vouchers::CashBankVouchers receipts(db, s, m, vouchers::CashBankKind::CashReceipt);
        vouchers::CashBankVoucher v;
        v.kind = vouchers::CashBankKind::CashReceipt;
        v.date = QDate(2024, 7, 20);
        v.bookNo = 36;
        vouchers::VoucherEntry e;
        e.partyId = firm.kiran;
        e.amount = d("2100");
        e.billWise = true;
        vouchers::Settlement settled;
        settled.billId = kiranBills[size_t(i)];
        settled.payment = d("2100");
        e.settlements = {settled};
        return receipts.saveEntry(v, e);
    });
    stations.add(QStringLiteral("SALES"), [&](db::Database& db, Session& s, Messages& m, int i) {
        trade::SalesBill bill;
        bill.bookNo = 1;
        bill.billNo = QStringLiteral("S%1").arg(i);
        bill.date = QDate(2024, 7, 20);
        bill.partyId = firm.ramesh;
        trade::SalesLine line;
        line.qualityId = test::VoucherFirm::kRapier;
        line.input.metres = d("10");
        line.input.listRate = d("100");
        line.input.sgstPercent = line.input.cgstPercent = d("2.5");
        line.input.gstCalc = 1;
        line.input.rateOn = QStringLiteral("M");
        bill.lines.push_back(line);
        return trade::SalesInvoices(db, s, m).save(bill).has_value();
    });
    stations.add(QStringLiteral("RETURNS"), [&](db::Database& db, Session& s, Messages& m, int i) {
        returns::PurchaseReturn back;
        back.bookId = 2;
        back.date = QDate(2024, 7, 25);
        back.partyId = firm.weaver;
        back.sourceBillNo = QStringLiteral("LW/G%1").arg(i);
        back.reason = QStringLiteral("Weaving fault");
        trade::PurchaseLine line;
        line.qualityId = test::VoucherFirm::kRapier;
        line.input.metres = d("20");
        line.input.listRate = d("50");
        line.input.sgstPercent = line.input.cgstPercent = d("2.5");
        back.lines.push_back(line);
        back.adjustments = {{greyBills[size_t(i)], d("1050")}};
        return returns::PurchaseReturns(db, s, m).save(back).has_value();
    });
    stations.add(QStringLiteral("NOTES"), [&](db::Database& db, Session& s, Messages& m, int i) {
        returns::Note note;
        note.kind = returns::NoteKind::Credit;
        note.date = QDate(2024, 7, 25);
        note.partyId = delhi;
        note.otherAccountId = firm.discount;
        note.rateType = returns::kDiscountBasis;
        note.percent = d("2");
        note.billIds = {delhiBills[size_t(i)]};
        note.sgstPercent = note.cgstPercent = d("2.5");
        return returns::Notes(db, s, m).save(note).has_value();
    });
    EXPECT_EQ(stations.finish(), QStringList());
    db::Database& db = year.db();
    // Every document whole: one balanced journal each, and the reverse-charge vouchers numbered in
    // the journal vouchers' own series without a gap or a number used twice.
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT COUNT(DISTINCT JournalNo) FROM HeadDtl3")).toInt() - journalsBefore, 7 * rounds);
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT COUNT(*) FROM (SELECT JournalNo FROM HeadDtl3 GROUP BY JournalNo "
                                       "HAVING ROUND(SUM(DrAmt) * 100) <> ROUND(SUM(CrAmt) * 100)) unbalanced"))
                  .toInt(),
              0);
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT COUNT(DISTINCT VoucherNo) FROM HeadDtl3 WHERE TableCode = 9")).toInt(), 2 * rounds);
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT MAX(VoucherNo) FROM HeadDtl3 WHERE TableCode = 9")).toInt(), 2 * rounds);
    EXPECT_EQ(year.count(QStringLiteral("HeadDtl3"), QStringLiteral("TableCode = 9")) - vouchersBefore, 2 * rounds + 2 * rounds * 2);
    // What each settling station left on the bills it settled.
    for (int i = 0; i < rounds; ++i) {
        EXPECT_EQ(test::outstandingOf(db, QStringLiteral("SalBillMst"), kiranBills[size_t(i)]), QStringLiteral("paid 2100.00 unpaid 0.00 closed"));
        EXPECT_EQ(test::outstandingOf(db, QStringLiteral("SalBillMst"), delhiBills[size_t(i)]), QStringLiteral("paid 210.00 unpaid 10290.00 open"));
        EXPECT_EQ(test::outstandingOf(db, QStringLiteral("BillMst"), greyBills[size_t(i)]), QStringLiteral("paid 1050.00 unpaid 4200.00 open"));
    }
    EXPECT_EQ(year.count(QStringLiteral("SalBillMst"), QStringLiteral("FormId = 3 AND PartyID = ? AND BillDate = ?"),
                         {firm.ramesh, QDate(2024, 7, 20)}),
              rounds);
}

// A clerk re-saves Kiran Sarees' bill (a new vehicle each time) while the accountant at another
// station gives credit notes against that same bill: the note settles the bill the re-save is
// rewriting. Both take the bill's lock before touching it, so neither waits on the other in a
// circle, no save fails, and the bill ends with every note's amount paid and the last vehicle.
TEST(ConcurrentPosting, BillResavedWhileCreditNotesAreGivenAgainstIt) {
    TANABANA_REQUIRE_ENGINE();
    test::YearFixture year;
    test::VoucherFirm firm(year.db(), year.session, year.messages);
    firm.build();
    // 100 m at 100, 5% GST: taxable 10,000.00, net 10,500.00.
    const qint64 bill = firm.saleOf(QStringLiteral("K/77"), QDate(2024, 7, 1), firm.kiran, test::VoucherFirm::kRapier, "100", "100");
    ASSERT_GT(bill, 0);
    const QStringList billLines = test::journalLines(year.db(), 3, bill);
    auto kiranOwes = [&] {
        return Decimal::fromVariant(year.db().scalar(QStringLiteral("SELECT SUM(DrAmt) - SUM(CrAmt) FROM HeadDtl3 WHERE AccId = ?"), {firm.kiran}));
    };
    const Decimal owedBefore = kiranOwes();
    constexpr int rounds = 10;

    Stations stations(year, 2, rounds);
    stations.add(QStringLiteral("CLERK"), [&](db::Database& db, Session& s, Messages& m, int i) {
        trade::SalesInvoices sales(db, s, m);
        auto opened = sales.load(bill);
        if (!opened) return false;
        opened->vehicleNo = QStringLiteral("GJ-05-AB-%1").arg(1000 + i);
        return sales.save(*opened).has_value();
    });
    stations.add(QStringLiteral("ACCOUNTANT"), [&](db::Database& db, Session& s, Messages& m, int) {
        returns::Note note;
        note.kind = returns::NoteKind::Credit;
        note.date = QDate(2024, 7, 10);
        note.partyId = firm.kiran;
        note.otherAccountId = firm.discount;
        note.rateType = returns::kDiscountBasis;
        note.percent = d("1");  // 100.00 off the taxable and 5.00 GST: 105.00 a note
        note.billIds = {bill};
        note.sgstPercent = note.cgstPercent = d("2.5");
        return returns::Notes(db, s, m).save(note).has_value();
    });
    EXPECT_EQ(stations.finish(), QStringList());
    db::Database& db = year.db();
    EXPECT_EQ(test::outstandingOf(db, QStringLiteral("SalBillMst"), bill), QStringLiteral("paid 1050.00 unpaid 9450.00 open"));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT T_VehNO FROM SalBillMst WHERE Id = ?"), {bill}).toString(),
              QStringLiteral("GJ-05-AB-%1").arg(1000 + rounds - 1));
    EXPECT_EQ(year.count(QStringLiteral("CNMst"), QStringLiteral("AcID = ?"), {firm.kiran}), rounds);
    // The re-saves left the notes' mark on the bill.
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT IsCN FROM SalBillMst WHERE Id = ?"), {bill}).toInt(), 1);
    // The bill's journal as it was first posted (not once per re-save), and every journal balanced.
    EXPECT_EQ(test::journalLines(db, 3, bill), billLines);
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT COUNT(*) FROM (SELECT JournalNo FROM HeadDtl3 GROUP BY JournalNo "
                                       "HAVING ROUND(SUM(DrAmt) * 100) <> ROUND(SUM(CrAmt) * 100)) unbalanced"))
                  .toInt(),
              0);
    // Kiran owes 1,050.00 less: the ten notes, each once.
    EXPECT_EQ(kiranOwes().toString(2), (owedBefore - d("1050")).toString(2));
}
