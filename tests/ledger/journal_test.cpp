// Posting documents into the journal, on both engines (TANABANA_BOTH_ENGINES): lines as written,
// re-saves, refusals that write nothing, numbering, entry removal with renumbered settlements.
#include "core/Messages.h"
#include "domain/ledger/Journal.h"
#include "support/LedgerBooks.h"
#include "support/YearFixture.h"

#include <gtest/gtest.h>

using namespace tanabana;
using namespace tanabana::ledger;
using tanabana::test::document;
using tanabana::test::money;

namespace {

const QChar D('D'), C('C');

class JournalTest : public ::testing::Test {
protected:
    void SetUp() override {
        TANABANA_REQUIRE_ENGINE();
        year = std::make_unique<test::YearFixture>();
        firm = test::seedSmallFirm(db());
        journal = std::make_unique<Journal>(db(), year->session);
    }
    db::Database& db() { return year->db(); }
    int lines(const QString& where = {}, const QVariantList& params = {}) { return year->count(QStringLiteral("HeadDtl3"), where, params); }

    JournalDocument salesBill(qint64 id, const QString& number) {
        return document(DocumentType::Sale, id, QDate(2024, 4, 15), number,
                        {{firm.suresh, D, money("11025.00")}, {firm.sales, C, money("10500.00")},
                         {firm.outputCgst, C, money("262.50")}, {firm.outputSgst, C, money("262.50")}});
    }
    // A cash receipt of three entries from three parties' payments, one pair of lines per entry.
    JournalDocument receipt(qint64 voucherNo, const std::vector<std::pair<qint64, const char*>>& entries) {
        JournalDocument doc = document(DocumentType::CashReceipt, voucherNo, QDate(2024, 6, 3), QString::number(voucherNo), {});
        int serial = 0;
        for (const auto& [party, amount] : entries) {
            ++serial;
            doc.lines.push_back({firm.cash, D, money(amount), QStringLiteral("Cash"), {}, serial, party});
            doc.lines.push_back({party, C, money(amount), QStringLiteral("Received"), {}, serial, firm.cash});
        }
        return doc;
    }
    void settle(qint64 id, qint64 voucherNo, int tableCode, int serial, qint64 billId, qint64 firmNo = 1, bool isRet = false) {
        db().exec(QStringLiteral("INSERT INTO Acc_OutSt (ID, Srno, VouNo, TableCode, VouSrno, BillId, Paid_Amt, Book, Fno, "
                                 "IsRet) VALUES (?, 1, ?, ?, ?, ?, 100, 'S', ?, ?)"),
                  {id, voucherNo, tableCode, serial, billId, firmNo, isRet});
    }
    int settlementSerial(qint64 id) {
        return db().scalar(QStringLiteral("SELECT VouSrno FROM Acc_OutSt WHERE ID = ?"), {id}).toInt();
    }
    QList<int> serials(qint64 journalNo, QChar side) {
        QList<int> result;
        for (const db::Row& r : db().query(QStringLiteral("SELECT SubSrno FROM HeadDtl3 WHERE JournalNo = ? AND Type = ? "
                                                          "ORDER BY SubSrno"),
                                           {journalNo, QString(side)}))
            result << r.value(0).toInt();
        return result;
    }

    std::unique_ptr<test::YearFixture> year;
    test::SmallFirm firm;
    std::unique_ptr<Journal> journal;
};

// Makes the journal refuse a line with this narration, as a full disk or a dropped server would.
void failLinesNarrated(db::Database& db, const QString& narration) {
    if (db.dialect().isPostgres()) {
        db.exec(QStringLiteral("CREATE OR REPLACE FUNCTION test_fail_line() RETURNS trigger LANGUAGE plpgsql AS $fn$ "
                               "BEGIN IF NEW.Narr = '%1' THEN RAISE EXCEPTION 'disk full'; END IF; RETURN NEW; END $fn$")
                    .arg(narration));
        db.exec(QStringLiteral("CREATE TRIGGER test_fail_line BEFORE INSERT ON HeadDtl3 FOR EACH ROW "
                               "EXECUTE FUNCTION test_fail_line()"));
    } else {
        db.exec(QStringLiteral("CREATE TRIGGER test_fail_line BEFORE INSERT ON HeadDtl3 WHEN NEW.Narr = '%1' "
                               "BEGIN SELECT RAISE(ABORT, 'disk full'); END")
                    .arg(narration));
    }
}

}  // namespace

TEST_F(JournalTest, SalesBillPostsItsLinesUnderOneJournal) {
    JournalDocument bill = salesBill(41, QStringLiteral("  GST/41 "));
    bill.lines[0].narration = QStringLiteral("Bale 7, 100 m at 105");
    const qint64 journalNo = journal->post(bill);
    EXPECT_EQ(journalNo, 1);
    ASSERT_EQ(lines(QStringLiteral("JournalNo = ?"), {journalNo}), 4);

    const auto party = db().queryOne(QStringLiteral("SELECT * FROM HeadDtl3 WHERE AccId = ?"), {firm.suresh});
    ASSERT_TRUE(party);
    EXPECT_EQ(party->text(QStringLiteral("Type")), QStringLiteral("D"));
    EXPECT_DOUBLE_EQ(party->number(QStringLiteral("DrAmt")), 11025.0);
    EXPECT_DOUBLE_EQ(party->number(QStringLiteral("CrAmt")), 0.0);
    EXPECT_EQ(party->integer(QStringLiteral("PartyCode")), firm.sales);  // the first account on the other side
    EXPECT_EQ(party->integer(QStringLiteral("VoucherNo")), 41);
    EXPECT_EQ(party->integer(QStringLiteral("TableCode")), 3);
    EXPECT_EQ(party->text(QStringLiteral("Receiptno")), QStringLiteral("GST/41"));
    EXPECT_EQ(party->text(QStringLiteral("BookDesc")), QStringLiteral("ADMIN"));
    EXPECT_EQ(party->text(QStringLiteral("IsBal")), QStringLiteral("N"));
    EXPECT_EQ(party->text(QStringLiteral("Narr")), QStringLiteral("Bale 7, 100 m at 105"));
    EXPECT_EQ(party->date(QStringLiteral("TransDate")), QDate(2024, 4, 15));
    EXPECT_TRUE(party->value(QStringLiteral("ReConDt")).isNull());
    EXPECT_FALSE(party->flag(QStringLiteral("Is_Upload")));
    EXPECT_EQ(party->integer(QStringLiteral("FirmNo")), 1);

    // Serials run from 1 on each side; the tax lines name the party as their contra account.
    EXPECT_EQ(serials(journalNo, D), (QList<int>{1}));
    EXPECT_EQ(serials(journalNo, C), (QList<int>{1, 2, 3}));
    EXPECT_EQ(lines(QStringLiteral("Type = 'C' AND PartyCode = ?"), {firm.suresh}), 3);
    EXPECT_EQ(journal->journalOf(DocumentType::Sale, 41), journalNo);
    EXPECT_EQ(journal->journalOf(DocumentType::Sale, 42), 0);
}

TEST_F(JournalTest, ResavedBillKeepsItsJournalAndReplacesEveryLine) {
    const qint64 first = journal->post(salesBill(1, QStringLiteral("GST/1")));
    const qint64 other = journal->post(salesBill(2, QStringLiteral("GST/2")));
    db().exec(QStringLiteral("UPDATE HeadDtl3 SET Is_Upload = 1"));  // as the online upload leaves them

    // The bill is corrected to an inter-state sale: three lines instead of four.
    JournalDocument corrected = document(DocumentType::Sale, 1, QDate(2024, 4, 16), QStringLiteral("GST/1"),
                                         {{firm.suresh, D, money("11025.00")}, {firm.sales, C, money("10500.00")},
                                          {firm.outputCgst, C, money("525.00")}});
    EXPECT_EQ(journal->post(corrected), first);
    EXPECT_EQ(lines(QStringLiteral("JournalNo = ?"), {first}), 3);
    EXPECT_EQ(lines(QStringLiteral("JournalNo = ? AND TransDate = ?"), {first, QDate(2024, 4, 16)}), 3);
    EXPECT_EQ(lines(QStringLiteral("JournalNo = ?"), {other}), 4);
    EXPECT_EQ(lines(QStringLiteral("JournalNo = ? AND Is_Upload = 0"), {first}), 3);
    EXPECT_EQ(lines(QStringLiteral("JournalNo = ? AND Is_Upload = 1"), {other}), 4);
    EXPECT_EQ(journal->nextJournalNo(), 3);
}

TEST_F(JournalTest, LongTextsAreCutToTheirColumns) {
    JournalDocument bill = salesBill(1, QStringLiteral("  ") + QString(60, QLatin1Char('9')) + QStringLiteral("  "));
    bill.lines[0].description = QString(300, QLatin1Char('d'));
    bill.lines[0].narration = QStringLiteral("Shree Ram's \"Silk\" 100% ") + QString(40, QLatin1Char('n'));
    bill.userName = QString(60, QLatin1Char('u'));
    journal->post(bill);
    const auto row = db().queryOne(QStringLiteral("SELECT * FROM HeadDtl3 WHERE AccId = ?"), {firm.suresh});
    ASSERT_TRUE(row);
    EXPECT_EQ(row->text(QStringLiteral("Desc")), QString(255, QLatin1Char('d')));
    EXPECT_EQ(row->text(QStringLiteral("Narr")).size(), 50);
    EXPECT_TRUE(row->text(QStringLiteral("Narr")).startsWith(QStringLiteral("Shree Ram's \"Silk\" 100% nnn")));
    EXPECT_EQ(row->text(QStringLiteral("Receiptno")), QString(50, QLatin1Char('9')));
    EXPECT_EQ(row->text(QStringLiteral("BookDesc")), QString(50, QLatin1Char('u')));
}

TEST_F(JournalTest, RefusedDocumentsWriteNothing) {
    journal->post(salesBill(1, QStringLiteral("GST/1")));
    const int before = lines();

    JournalDocument unbalanced = salesBill(1, QStringLiteral("GST/1"));
    unbalanced.lines[3].amount = money("262.49");
    try {
        journal->post(unbalanced);
        FAIL() << "an unbalanced bill must be refused";
    } catch (const PostingRefused& e) {
        EXPECT_EQ(e.text(), QStringLiteral("The journal does not balance: debit 11025.00, credit 11024.99."));
    }

    JournalDocument stranger = salesBill(2, QStringLiteral("GST/2"));
    stranger.lines[1].accId = 999999;
    EXPECT_THROW(journal->post(stranger), PostingRefused);

    const qint64 group35 = db().scalar(QStringLiteral("SELECT Id FROM AccMst WHERE IsGrp = 1 AND GrpNo = 35 AND FirmNo = 1")).toLongLong();
    ASSERT_GT(group35, 0);
    JournalDocument toGroup = salesBill(3, QStringLiteral("GST/3"));
    toGroup.lines[0].accId = group35;
    EXPECT_THROW(journal->post(toGroup), PostingRefused);

    JournalDocument negative = salesBill(4, QStringLiteral("GST/4"));
    negative.lines[0].amount = money("-11025.00");
    negative.lines[1].amount = money("-10500.00");
    EXPECT_THROW(journal->post(negative), PostingRefused);

    // The refusal reaches the operator under the system's title.
    RecordingMessages messages;
    EXPECT_EQ(postAndReport(*journal, messages, unbalanced), 0);
    EXPECT_TRUE(messages.has(MessageKind::Critical, QStringLiteral("Ledger Entry Is Not Saved!"),
                             QStringLiteral("The journal does not balance: debit 11025.00, credit 11024.99.")));

    EXPECT_EQ(lines(), before);
    EXPECT_EQ(lines(QStringLiteral("JournalNo = 1 AND CrAmt = 262.5")), 2);  // the bill's own lines untouched
}

TEST_F(JournalTest, FailedResaveLeavesTheOldLinesAndTheDocumentUnsaved) {
    const qint64 journalNo = journal->post(salesBill(1, QStringLiteral("GST/1")));
    failLinesNarrated(db(), QStringLiteral("disk full"));
    db().exec(QStringLiteral("CREATE TABLE TestBill (Id INTEGER, Amount DOUBLE PRECISION)"));

    JournalDocument resave = salesBill(1, QStringLiteral("GST/1"));
    resave.lines[2].narration = QStringLiteral("disk full");
    // The document's own save and its posting are one transaction.
    try {
        db::Transaction tx(db());
        db().exec(QStringLiteral("INSERT INTO TestBill (Id, Amount) VALUES (1, 11025)"));
        journal->post(resave);
        tx.commit();
        FAIL() << "the posting must fail";
    } catch (const db::DbError&) {
    }
    EXPECT_EQ(year->count(QStringLiteral("TestBill")), 0);
    EXPECT_EQ(lines(QStringLiteral("JournalNo = ?"), {journalNo}), 4);

    RecordingMessages messages;
    EXPECT_EQ(postAndReport(*journal, messages, resave), 0);
    EXPECT_TRUE(messages.has(MessageKind::Critical, QStringLiteral("Ledger Entry Is Not Saved!"),
                             QStringLiteral("Please Save This Bill Again !\n Account Ledger Problem")));
    EXPECT_EQ(lines(), 4);
}

TEST_F(JournalTest, JournalNumbersRunOverTheYearAndVoucherNumbersPerTypeAndFirm) {
    test::SmallFirm second = test::seedSmallFirm(db(), 2);
    Session firm2 = year->session;
    firm2.firmNo = 2;
    Journal journal2(db(), firm2);

    EXPECT_EQ(journal->nextVoucherNo(DocumentType::CashReceipt), 1);
    journal->post(receipt(1, {{firm.suresh, "500.00"}}), Replace::Entries);
    journal->post(receipt(2, {{firm.ramesh, "700.00"}}), Replace::Entries);
    EXPECT_EQ(journal->nextVoucherNo(DocumentType::CashReceipt), 3);
    EXPECT_EQ(journal->nextVoucherNo(DocumentType::CashPayment), 1);
    EXPECT_EQ(journal2.nextVoucherNo(DocumentType::CashReceipt), 1);

    JournalDocument other = document(DocumentType::CashReceipt, 1, QDate(2024, 6, 3), QStringLiteral("1"),
                                     {{second.cash, D, money("900.00")}, {second.suresh, C, money("900.00")}});
    EXPECT_EQ(journal2.post(other, Replace::Entries), 3);  // the journal sequence is the year's, not the firm's
    EXPECT_EQ(journal2.journalOf(DocumentType::CashReceipt, 1), 3);
    EXPECT_EQ(journal->journalOf(DocumentType::CashReceipt, 1), 1);

    // A firm cannot post to another firm's account.
    JournalDocument crossed = document(DocumentType::CashReceipt, 2, QDate(2024, 6, 3), QStringLiteral("2"),
                                       {{second.cash, D, money("10.00")}, {firm.suresh, C, money("10.00")}});
    EXPECT_THROW(journal2.post(crossed), PostingRefused);
}

TEST_F(JournalTest, VoucherEntryResaveReplacesOnlyThatEntry) {
    const qint64 journalNo = journal->post(receipt(1, {{firm.suresh, "500.00"}, {firm.ramesh, "700.00"}}), Replace::Entries);
    JournalDocument changed = receipt(1, {});
    changed.lines.push_back({firm.cash, D, money("750.00"), QStringLiteral("Cash"), {}, 2, firm.ramesh});
    changed.lines.push_back({firm.ramesh, C, money("750.00"), QStringLiteral("Received"), {}, 2, firm.cash});
    EXPECT_EQ(journal->post(changed, Replace::Entries), journalNo);
    EXPECT_EQ(lines(QStringLiteral("JournalNo = ?"), {journalNo}), 4);
    EXPECT_EQ(lines(QStringLiteral("JournalNo = ? AND SubSrno = 1 AND (DrAmt = 500 OR CrAmt = 500)"), {journalNo}), 2);
    EXPECT_EQ(lines(QStringLiteral("JournalNo = ? AND SubSrno = 2 AND (DrAmt = 750 OR CrAmt = 750)"), {journalNo}), 2);
}

TEST_F(JournalTest, DeletedReceiptEntryRenumbersTheRestAndTheirSettlements) {
    const qint64 journalNo = journal->post(
        receipt(7, {{firm.suresh, "1000.00"}, {firm.ramesh, "2000.00"}, {firm.suresh, "3000.00"}}), Replace::Entries);
    settle(1, 7, DocumentType::CashReceipt, 1, 501);
    settle(2, 7, DocumentType::CashReceipt, 3, 502);
    settle(3, 7, DocumentType::CashReceipt, 3, 503);
    settle(4, 8, DocumentType::CashReceipt, 3, 504);             // another voucher
    settle(5, 7, DocumentType::BankReceipt, 3, 505);             // another type
    settle(6, 7, DocumentType::CashReceipt, 3, 506, 2);          // another firm's voucher 7
    settle(7, 7, DocumentType::CashReceipt, 3, 507, 1, true);    // made by a return
    db().exec(QStringLiteral("UPDATE HeadDtl3 SET Is_Upload = 1"));

    journal->removeEntry(DocumentType::CashReceipt, 7, 2, C, false);

    EXPECT_EQ(serials(journalNo, C), (QList<int>{1, 2}));
    EXPECT_EQ(serials(journalNo, D), (QList<int>{1, 2}));
    EXPECT_EQ(lines(QStringLiteral("JournalNo = ? AND SubSrno = 2 AND CrAmt = 3000 AND AccId = ?"), {journalNo, firm.suresh}), 1);
    EXPECT_EQ(lines(QStringLiteral("JournalNo = ? AND AccId = ?"), {journalNo, firm.ramesh}), 0);
    EXPECT_EQ(lines(QStringLiteral("JournalNo = ? AND Is_Upload = 1"), {journalNo}), 0);
    EXPECT_EQ(settlementSerial(1), 1);
    EXPECT_EQ(settlementSerial(2), 2);
    EXPECT_EQ(settlementSerial(3), 2);
    EXPECT_EQ(settlementSerial(4), 3);
    EXPECT_EQ(settlementSerial(5), 3);
    EXPECT_EQ(settlementSerial(6), 3);
    EXPECT_EQ(settlementSerial(7), 3);
    EXPECT_EQ(year->count(QStringLiteral("Table_Del_History"), QStringLiteral("Id = 7 AND FirmNO = 1 AND FormId = 6")), 1);
}

TEST_F(JournalTest, DeletedPaymentEntryMovesTheSettlementsOfTheDebitSide) {
    JournalDocument payment = document(DocumentType::BankPayment, 3, QDate(2024, 7, 1), QStringLiteral("CHQ 12"), {});
    for (int serial = 1; serial <= 3; ++serial) {
        payment.lines.push_back({firm.mahesh, D, money("100.00") * Decimal(serial), {}, {}, serial, firm.bank});
        payment.lines.push_back({firm.bank, C, money("100.00") * Decimal(serial), {}, {}, serial, firm.mahesh});
    }
    const qint64 journalNo = journal->post(payment, Replace::Entries);
    settle(1, 3, DocumentType::BankPayment, 2, 601);
    settle(2, 3, DocumentType::BankPayment, 3, 602);

    journal->removeEntry(DocumentType::BankPayment, 3, 1, D, false);
    EXPECT_EQ(serials(journalNo, D), (QList<int>{1, 2}));
    EXPECT_EQ(settlementSerial(1), 1);
    EXPECT_EQ(settlementSerial(2), 2);
    EXPECT_EQ(lines(QStringLiteral("JournalNo = ? AND SubSrno = 1 AND DrAmt = 200"), {journalNo}), 1);

    // Renumbering a receipt side leaves a payment's settlements where they were.
    journal->renumberEntries(journalNo, DocumentType::BankPayment, 3, C, false);
    EXPECT_EQ(settlementSerial(1), 1);
}

TEST_F(JournalTest, DeletedDocumentTakesItsJournalAndTellsTheUpload) {
    journal->post(salesBill(1, QStringLiteral("GST/1")));
    const qint64 kept = journal->post(salesBill(2, QStringLiteral("GST/2")));
    journal->removeDocument(DocumentType::Sale, 1);
    EXPECT_EQ(lines(), 4);
    EXPECT_EQ(lines(QStringLiteral("JournalNo = ?"), {kept}), 4);
    EXPECT_EQ(journal->journalOf(DocumentType::Sale, 1), 0);
    EXPECT_EQ(year->count(QStringLiteral("Table_Del_History"), QStringLiteral("Id = 1 AND FirmNO = 1 AND FormId = 3")), 1);
    // The freed number is not given again.
    EXPECT_EQ(journal->post(salesBill(3, QStringLiteral("GST/3"))), kept + 1);
}
