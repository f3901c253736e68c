// Credit and debit notes of the grey-cloth trader: a 2% discount on a Delhi customer's IGST bill,
// a rate difference on a quantity within the state, a debit note on a supplier's bill; the
// referred bill's paid and unpaid amounts after each, the journal lines line by line, note
// numbers after 9 and 10, every refusal with nothing written, and deletion.
// Runs on both engines (TANABANA_BOTH_ENGINES).
#include "domain/returns/NotePrint.h"
#include "domain/returns/Notes.h"
#include "support/FirmBooks.h"
#include "support/PdfProbe.h"
#include "support/PostedLines.h"
#include "support/VoucherFirm.h"
#include "support/Amounts.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tanabana;
using namespace tanabana::returns;

namespace {

class NotesTest : public test::VoucherTest {
protected:
    void SetUp() override {
        test::VoucherTest::SetUp();
        if (IsSkipped()) return;
        delhi = test::addAccount(db(), QStringLiteral("Delhi Drapers"), 35, 1, QStringLiteral("07-Delhi"));
        // GST/4: 200 m at 100.00 with IGST 5%: 20,000.00 + 1,000.00 = 21,000.00.
        delhiBill = firm().saleOf(QStringLiteral("4"), QDate(2024, 6, 14), delhi, test::VoucherFirm::kRapier, "200", "100");
        year().messages.clear();
    }

    Note discount(qint64 party, qint64 bill, const char* percent) {
        Note n;
        n.kind = NoteKind::Credit;
        n.date = QDate(2024, 6, 30);
        n.partyId = party;
        n.otherAccountId = firm().discount;
        n.rateType = kDiscountBasis;
        n.percent = d(percent);
        n.billIds = {bill};
        n.sgstPercent = d("2.5");
        n.cgstPercent = d("2.5");
        n.refNo = QStringLiteral("RSM/77");
        n.reasonCode = QStringLiteral("02");
        return n;
    }

    Note rateDifference(qint64 party, qint64 bill, const char* quantity, const char* rate) {
        Note n = discount(party, bill, "0");
        n.rateType = QStringLiteral("Rate Diff");
        n.itemId = test::VoucherFirm::kRapier;
        n.quantity = d(quantity);
        n.rateDifference = d(rate);
        return n;
    }

    bool refused(const QString& title, const QString& text) { return year().messages.has(MessageKind::Critical, title, text); }
    QString sales(qint64 bill) { return test::outstandingOf(db(), QStringLiteral("SalBillMst"), bill); }
    QString books() {
        return QStringLiteral("%1 notes, %2 note bills, %3 settlements, %4 journal lines, %5 / %6 / %7")
            .arg(year().count(QStringLiteral("CNMst")))
            .arg(year().count(QStringLiteral("BillMst"), QStringLiteral("FormId IN (21, 22)")))
            .arg(year().count(QStringLiteral("Acc_OutSt")))
            .arg(year().count(QStringLiteral("HeadDtl3")))
            .arg(sales(firm().bill2), sales(firm().bill3), sales(delhiBill));
    }

    qint64 delhi = 0, delhiBill = 0;
};

TEST_F(NotesTest, DiscountByPercentOnAnIgstBill) {
    Notes notes(db(), year().session, year().messages);
    EXPECT_EQ(notes.nextNoteNo(NoteKind::Credit), QStringLiteral("1"));
    const auto open = notes.openBills(NoteKind::Credit, delhi);
    ASSERT_EQ(open.size(), 1u);
    EXPECT_EQ(open.front().taxable.toString(2), QStringLiteral("20000.00"));
    EXPECT_EQ(open.front().quantity.toString(3), QStringLiteral("200.000"));

    Note note = discount(delhi, delhiBill, "2");
    const auto computed = notes.compute(note);
    EXPECT_TRUE(computed.igst);
    EXPECT_EQ(computed.taxable.toString(2), QStringLiteral("400.00"));
    EXPECT_EQ(computed.igstAmount.toString(2), QStringLiteral("20.00"));
    EXPECT_EQ(computed.net.toString(2), QStringLiteral("420.00"));
    const auto id = notes.save(note);
    ASSERT_TRUE(id) << test::lastRefusal(year().messages).toStdString();
    EXPECT_TRUE(year().messages.has(MessageKind::Information, QStringLiteral("Save Confirmation"), QStringLiteral("One Transaction Is Saved.")));
    EXPECT_EQ(note.noteNo, QStringLiteral("1"));
    EXPECT_EQ(note.bookNo, 1);  // the referred bill's book

    // The bill is paid 420.00 by the note and carries its mark.
    EXPECT_EQ(sales(delhiBill), QStringLiteral("paid 420.00 unpaid 20580.00 open"));
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT IsCN FROM SalBillMst WHERE Id = ?"), {delhiBill}).toInt(), 1);
    const QString description = QStringLiteral("Credit Note No. 1 - Delhi Drapers @Party Ref No: RSM/77");
    EXPECT_EQ(test::journalLines(db(), 21, *id), (QStringList{
                                                     QStringLiteral("Discount A/c|D|400.00|") + description,
                                                     QStringLiteral("Output IGST|D|20.00|") + description,
                                                     QStringLiteral("Delhi Drapers|C|420.00|") + description,
                                                 }));
    // As stored: the header, the referred bill, the note's bill row and the settlement of the bill.
    const auto row = db().queryOne(QStringLiteral("SELECT * FROM CNMst WHERE Id = ?"), {*id});
    ASSERT_TRUE(row);
    EXPECT_EQ(row->text(QStringLiteral("CNType")), QStringLiteral("C"));
    EXPECT_EQ(row->text(QStringLiteral("RefType")), QStringLiteral("02"));
    EXPECT_EQ(row->number(QStringLiteral("IGSTP")), 5.0);
    EXPECT_EQ(row->number(QStringLiteral("IGSTRs")), 20.0);
    EXPECT_EQ(row->number(QStringLiteral("VatRs")), 0.0);
    EXPECT_EQ(year().count(QStringLiteral("CNDtl"), QStringLiteral("CNId = ? AND BillId = ? AND QDRate = 2 AND CNAmt = 400"), {*id, delhiBill}), 1);
    EXPECT_EQ(year().count(QStringLiteral("BillMst"), QStringLiteral("Id = ? AND InvType = 'C' AND BillAmount = 420 AND PartyID = ?"),
                           {row->integer(QStringLiteral("BillMst_Id")), delhi}),
              1);
    EXPECT_EQ(year().count(QStringLiteral("Acc_OutSt"), QStringLiteral("ID = ? AND BillId = ? AND TableCode = 21 AND VouNo = ? AND Paid_Amt = 420"),
                           {row->integer(QStringLiteral("BillOutStand_Id")), delhiBill, *id}),
              1);

    // Loaded back as typed.
    const auto loaded = notes.load(*id);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->percent.toString(2), QStringLiteral("2.00"));
    EXPECT_EQ(loaded->billIds, std::vector<qint64>{delhiBill});
    EXPECT_EQ((loaded->sgstPercent + loaded->cgstPercent).toString(2), QStringLiteral("5.00"));

    // Deleted: the bill is owed in full again and loses its mark.
    ASSERT_TRUE(notes.remove(*id));
    EXPECT_TRUE(test::told(year().messages, QStringLiteral("CN Is Deleted!")));
    EXPECT_EQ(sales(delhiBill), QStringLiteral("paid 0.00 unpaid 21000.00 open"));
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT IsCN FROM SalBillMst WHERE Id = ?"), {delhiBill}).toInt(), 0);
    EXPECT_EQ(year().count(QStringLiteral("BillMst"), QStringLiteral("FormId = 21")), 0);
    EXPECT_TRUE(test::journalLines(db(), 21, *id).isEmpty());
}

TEST_F(NotesTest, RateDifferenceOnAQuantityWithinTheState) {
    Notes notes(db(), year().session, year().messages);
    // 10 m x 5.00 = 50.00, SGST 1.25, CGST 1.25: 52.50 comes to 53 and the auto-entry book wants the round-off typed.
    Note note = rateDifference(firm().ramesh, firm().bill2, "10", "5");
    const QString before = books();
    EXPECT_FALSE(notes.save(note));
    EXPECT_TRUE(refused(QStringLiteral("Round Off Value not Match"), QStringLiteral("Please enter round off value ")));
    EXPECT_EQ(books(), before);

    note.otherCharges = d("0.50");
    const auto id = notes.save(note);
    ASSERT_TRUE(id) << test::lastRefusal(year().messages).toStdString();
    EXPECT_EQ(sales(firm().bill2), QStringLiteral("paid 53.00 unpaid 5197.00 open"));
    const QString description = QStringLiteral("Credit Note No. 1 - Ramesh Silk Mills @Party Ref No: RSM/77");
    EXPECT_EQ(test::journalLines(db(), 21, *id), (QStringList{
                                                     QStringLiteral("Discount A/c|D|50.00|") + description,
                                                     QStringLiteral("Output SGST|D|1.25|") + description,
                                                     QStringLiteral("Output CGST|D|1.25|") + description,
                                                     QStringLiteral("Round Off A/c|D|0.50|") + description,
                                                     QStringLiteral("Ramesh Silk Mills|C|53.00|") + description,
                                                 }));
    const auto loaded = notes.load(*id);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->quantity.toString(3), QStringLiteral("10.000"));
    EXPECT_EQ(loaded->rateDifference.toString(2), QStringLiteral("5.00"));

    // Edited to 20 m: the note's own 53.00 goes back to the bill before the new 105.00 is taken.
    Note edited = *loaded;
    edited.quantity = d("20");
    edited.otherCharges = Decimal();
    ASSERT_TRUE(notes.save(edited)) << test::lastRefusal(year().messages).toStdString();
    EXPECT_EQ(sales(firm().bill2), QStringLiteral("paid 105.00 unpaid 5145.00 open"));
    EXPECT_EQ(year().count(QStringLiteral("BillMst"), QStringLiteral("FormId = 21")), 1);
    EXPECT_EQ(test::journalLines(db(), 21, *id).last(),
              QStringLiteral("Ramesh Silk Mills|C|105.00|Credit Note No. 1 - Ramesh Silk Mills @Party Ref No: RSM/77"));
}

TEST_F(NotesTest, DebitNoteOnASuppliersBill) {
    Notes notes(db(), year().session, year().messages);
    Note note = discount(firm().weaver, firm().purchase, "2");  // 2% of 5,000.00 + 5%: 100.00 + 2.50 + 2.50
    note.kind = NoteKind::Debit;
    note.refNo = QStringLiteral("DN-LW-3");
    const auto id = notes.save(note);
    ASSERT_TRUE(id) << test::lastRefusal(year().messages).toStdString();
    EXPECT_EQ(note.noteNo, QStringLiteral("1"));
    EXPECT_EQ(test::outstandingOf(db(), QStringLiteral("BillMst"), firm().purchase), QStringLiteral("paid 105.00 unpaid 5145.00 open"));
    const QString description = QStringLiteral("Debit Note No. 1 - Laxmi Weaving Works @Party Ref No: DN-LW-3");
    EXPECT_EQ(test::journalLines(db(), 22, *id), (QStringList{
                                                     QStringLiteral("Laxmi Weaving Works|D|105.00|") + description,
                                                     QStringLiteral("Discount A/c|C|100.00|") + description,
                                                     QStringLiteral("Input SGST|C|2.50|") + description,
                                                     QStringLiteral("Input CGST|C|2.50|") + description,
                                                 }));
    EXPECT_EQ(year().count(QStringLiteral("BillMst"), QStringLiteral("FormId = 22 AND InvType = 'D' AND BillAmount = 105")), 1);
    ASSERT_TRUE(notes.remove(*id));
    EXPECT_TRUE(test::told(year().messages, QStringLiteral("DN Is Deleted!")));
    EXPECT_EQ(test::outstandingOf(db(), QStringLiteral("BillMst"), firm().purchase), QStringLiteral("paid 0.00 unpaid 5250.00 open"));
}

TEST_F(NotesTest, NumbersRunByValuePerFirmAndKind) {
    Notes notes(db(), year().session, year().messages);
    for (const char* number : {"9", "10"}) {
        Note note = discount(delhi, delhiBill, "1");
        note.noteNo = QString::fromLatin1(number);
        ASSERT_TRUE(notes.save(note)) << test::lastRefusal(year().messages).toStdString();
    }
    // 10 follows 9 by value, not by text; debit notes keep their own series.
    EXPECT_EQ(notes.nextNoteNo(NoteKind::Credit), QStringLiteral("11"));
    EXPECT_EQ(notes.nextNoteNo(NoteKind::Debit), QStringLiteral("1"));
    Note next = discount(delhi, delhiBill, "1");
    ASSERT_TRUE(notes.save(next));
    EXPECT_EQ(next.noteNo, QStringLiteral("11"));
    EXPECT_EQ(notes.findNote(NoteKind::Credit, QStringLiteral("10")).has_value(), true);
    EXPECT_EQ(notes.all(NoteKind::Credit).size(), 3u);

    // A number taken is refused.
    Note twice = discount(delhi, delhiBill, "1");
    twice.noteNo = QStringLiteral("10");
    const QString before = books();
    EXPECT_FALSE(notes.save(twice));
    EXPECT_TRUE(refused(QStringLiteral("Bill NO Duplication"), QStringLiteral("This Note NO is Already exist!")));
    EXPECT_EQ(books(), before);
}

TEST_F(NotesTest, RefusalsLeaveTheBooksAsTheyWere) {
    Notes notes(db(), year().session, year().messages);
    // A bill of the second firm, to be named by mistake.
    year().addFirm(2, QStringLiteral("Laxmi Weaving"));
    db().exec(QStringLiteral("INSERT INTO SalBillMst (Id, FirmNO, FormId, BookNO, BillNO, BillDate, PartyID, BAmt, BillAmount, UnPaidAmt) "
                             "VALUES (900, 2, 3, 1, '1', ?, ?, 1000, 1050, 1050)"),
              {QDate(2024, 6, 1), firm().ramesh});
    const QString before = books();

    Note aboveUnpaid = rateDifference(firm().kiran, firm().bill3, "100", "25");  // 2,625.00 on a bill owed 2,100.00
    EXPECT_FALSE(notes.save(aboveUnpaid));
    EXPECT_TRUE(refused(QStringLiteral("No Minus amount Allow"), QStringLiteral("Credit Note amount is more then unpaid amount")));

    Note otherParty = discount(firm().ramesh, firm().bill3, "1");
    EXPECT_FALSE(notes.save(otherParty));
    EXPECT_TRUE(refused(QStringLiteral("Wrong Bill"), QStringLiteral("Bill No 3 is not a bill of this party.")));

    Note otherFirm = discount(firm().ramesh, 900, "1");
    EXPECT_FALSE(notes.save(otherFirm));
    EXPECT_TRUE(refused(QStringLiteral("Wrong Bill"), QStringLiteral("Bill No 1 is not a bill of this party.")));

    Note twoBills = discount(firm().ramesh, firm().bill1, "1");
    twoBills.billIds.push_back(firm().bill2);
    EXPECT_FALSE(notes.save(twoBills));
    EXPECT_TRUE(refused(QStringLiteral("Single Detail Entry System"), QStringLiteral("Only One bill Entry is Allow")));

    Note noService = rateDifference(firm().ramesh, firm().bill2, "10", "5");
    noService.itemId = 0;
    EXPECT_FALSE(notes.save(noService));
    EXPECT_TRUE(refused(QStringLiteral("No Service select"), QStringLiteral("Please select Service Name")));

    Note noAccount = discount(firm().ramesh, firm().bill2, "1");
    noAccount.otherAccountId = firm().kiran;  // a customer cannot take the other side
    EXPECT_FALSE(notes.save(noAccount));
    EXPECT_TRUE(refused(QStringLiteral("System Validation"), QStringLiteral("Please Select Distributor NAme and Enter Invoice No")));

    Note early = discount(firm().ramesh, firm().bill2, "1");
    early.date = QDate(2024, 6, 9);
    EXPECT_FALSE(notes.save(early));
    EXPECT_TRUE(refused(QStringLiteral("BillDate Validate"), QStringLiteral("Note Date Is Before The Date Of Bill No 2!")));

    Note unknownReason = discount(firm().ramesh, firm().bill2, "1");
    unknownReason.reasonCode = QStringLiteral("09");
    EXPECT_FALSE(notes.save(unknownReason));
    EXPECT_TRUE(refused(QStringLiteral("System Validation"), QStringLiteral("Reason 09 is not in the reason list.")));

    // Kiran pays bill 3 in full: a note on it is refused.
    ASSERT_TRUE(firm().settle(vouchers::CashBankKind::CashReceipt, QDate(2024, 6, 20), firm().kiran, firm().bill3, "2100"));
    const QString paid = books();
    Note onClosed = discount(firm().kiran, firm().bill3, "1");
    EXPECT_FALSE(notes.save(onClosed));
    EXPECT_TRUE(refused(QStringLiteral("Bill Is End"), QStringLiteral("The Sales Bill Is End in outstanding so cant change ")));
    EXPECT_EQ(books(), paid);
    EXPECT_NE(paid, before);
}

TEST_F(NotesTest, NoteWhoseBillWasPaidFurtherStays) {
    Notes notes(db(), year().session, year().messages);
    Note note = discount(firm().ramesh, firm().bill2, "2");  // 100.00 + 2.50 + 2.50
    const auto id = notes.save(note);
    ASSERT_TRUE(id) << test::lastRefusal(year().messages).toStdString();
    ASSERT_TRUE(firm().settle(vouchers::CashBankKind::CashReceipt, QDate(2024, 7, 2), firm().ramesh, firm().bill2, "5145", "0", "0", true));
    EXPECT_EQ(sales(firm().bill2), QStringLiteral("paid 5250.00 unpaid 0.00 closed"));
    const QString before = books();
    EXPECT_FALSE(notes.remove(*id));
    EXPECT_TRUE(refused(QStringLiteral("Delete Confirmation"),
                        QStringLiteral("This Purchase Invoice Payment is Done") + QLatin1Char('\n') + QStringLiteral(" First Delete Account Payment Entry !")));
    EXPECT_EQ(books(), before);
}

TEST_F(NotesTest, PrintedCreditNote) {
    Notes notes(db(), year().session, year().messages);
    Note note = discount(delhi, delhiBill, "2");
    note.remarks = QStringLiteral("Discount for early payment");
    const auto id = notes.save(note);
    ASSERT_TRUE(id);
    QTemporaryDir dir;
    const QString path = dir.filePath(notePdfName(NoteKind::Credit, note.noteNo) + QStringLiteral(".pdf"));
    EXPECT_TRUE(path.endsWith(QStringLiteral("CreditNote_No -1.pdf")));
    writeNotePdf(db(), year().session, dir.path(), *id, path);
    test::keepForLooking(path);
    const QString text = test::pdfText(path, false);
    for (const QString& expected :
         {QStringLiteral("CREDIT NOTE"), QStringLiteral("M/s. Delhi Drapers"), QStringLiteral("Note No : 1"), QStringLiteral("Date : 30-06-2024"),
          QStringLiteral("Against Sales Bill No : 4"), QStringLiteral("Bill Date : 14-06-2024"), QStringLiteral("Party Ref No : RSM/77"),
          QStringLiteral("Disc %"), QStringLiteral("400.00"), QStringLiteral("IGST 5%"), QStringLiteral("20.00"), QStringLiteral("420.00"),
          QStringLiteral("Rs. Four Hundred Twenty Only."), QStringLiteral("Debit A/c : Discount A/c"),
          QStringLiteral("Desc : Discount for early payment")})
        EXPECT_TRUE(text.contains(expected)) << expected.toStdString() << "\n" << text.toStdString();
    EXPECT_EQ(test::pdfPageCount(path), 1);
}

}  // namespace
