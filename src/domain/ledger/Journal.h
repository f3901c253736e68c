#pragma once
// The journal: every saved document posts its debit and credit lines into HeadDtl3 under one
// journal number, and every ledger, book and statement is read back from there.
//
// A sales bill of 11,025.00 (taxable 10,500.00, CGST 262.50, SGST 262.50) posts four lines under
// type 3 and the bill's Id: party Dr 11,025.00, sales Cr 10,500.00, CGST Cr 262.50, SGST Cr 262.50.
// Re-saving the bill keeps its journal number and replaces the lines; a receipt voucher posts one
// pair of lines per entry (cash Dr, party Cr) sharing the entry's serial.
//
// Posting is one transaction with the document: the journal number is taken under the series lock
// inside it, so two stations never share a number and a failure leaves neither lines nor document.
#include "core/Decimal.h"
#include "core/Session.h"
#include "db/Database.h"

#include <QDate>
#include <QString>
#include <stdexcept>
#include <vector>

namespace tanabana {
class Messages;
}

namespace tanabana::ledger {

// Document types, stored as TableCode in the journal and FormId in the documents.
namespace DocumentType {
constexpr int Purchase = 1, PurchaseReturn = 2, Sale = 3, SaleReturn = 4, CashPayment = 5, CashReceipt = 6,
              BankPayment = 7, BankReceipt = 8, JournalVoucher = 9, YearEndTransfer = 13, JobIssue = 14,
              JobReceipt = 15, MillIssue = 16, MillReceipt = 17, CreditNote = 21, DebitNote = 22;
}
bool isDocumentType(int tableCode);

// One debit or credit line of a document.
struct JournalLine {
    qint64 accId = 0;
    QChar side;                 // 'D' or 'C'
    Decimal amount;             // rounded to paise when written
    QString description;        // Desc, cut to 255
    QString narration;          // Narr, cut to 50
    int serial = 0;             // SubSrno; 0 numbers the line after the previous one of its side
    qint64 contraAccId = 0;     // PartyCode; 0 takes the first account of the other side
    QString isBal = QStringLiteral("N");
};

// What a document posts: its type and key, date, printed number and lines.
struct JournalDocument {
    int tableCode = 0;
    qint64 voucherNo = 0;       // the bill's Id, or the voucher number of a voucher
    QDate date;
    QString printedNo;          // Receiptno: bill, receipt or cheque number; trimmed, cut to 50
    QString userName;           // BookDesc; empty takes the session's login name
    int setTableCode = 0;
    qint64 setVoucherNo = 0;
    std::vector<JournalLine> lines;
};

// How a re-post treats the document's earlier lines.
enum class Replace {
    WholeJournal,  // invoices, notes, mill receipts: every old line goes
    Entries,       // vouchers, returns, general purchases, mill issues: only the serials being posted
};

// A posting the books must not take (unbalanced, unknown account, bad date); nothing was written.
class PostingRefused : public std::runtime_error {
public:
    explicit PostingRefused(const QString& text) : std::runtime_error(text.toStdString()), text_(text) {}
    const QString& text() const { return text_; }

private:
    QString text_;
};

// The system's words when the journal could not be written.
QString ledgerNotSavedTitle();   // "Ledger Entry Is Not Saved!"
QString ledgerProblemText();     // "Please Save This Bill Again !" + line break + " Account Ledger Problem"

class Journal {
public:
    Journal(db::Database& db, const Session& session) : db_(db), session_(session) {}

    // JournalNo of the document's first line in this firm; 0 when it was never posted.
    qint64 journalOf(int tableCode, qint64 voucherNo);
    // Largest journal number of the whole year database plus one; takes the series lock, so call
    // it inside the saving transaction.
    qint64 nextJournalNo();
    // Largest voucher number of the type in this firm plus one; same lock rule.
    qint64 nextVoucherNo(int tableCode);

    // Refuses (PostingRefused) a document the books must not take: unknown type, no date or
    // lines, a side other than D or C, a negative amount, debits and credits that differ after
    // rounding to paise, an account that is not a non-group account of the firm.
    void validate(const JournalDocument& document);

    // Posts the document: finds its journal (or takes the next number), removes the old lines as
    // `mode` says, writes the new ones and marks the journal for the upload. Joins the caller's
    // transaction when there is one. Returns the journal number. Throws PostingRefused when the
    // lines do not balance or name accounts the firm does not have, db::DbError when the database
    // fails; in both cases nothing of the posting remains.
    qint64 post(const JournalDocument& document, Replace mode = Replace::WholeJournal);

    // Deletes every line of the journal.
    void deleteJournal(qint64 journalNo);
    // Deletes the debit and credit line of one voucher entry.
    void deleteEntry(qint64 journalNo, int serial);
    // Numbers the remaining entries 1, 2, 3 on each side in their order; settlements of the
    // settling side ('C' receipts, 'D' payments) move with their entry.
    void renumberEntries(qint64 journalNo, int tableCode, qint64 voucherNo, QChar settlingSide, bool isRet);

    // A document was deleted: its journal goes and the upload hears of it. One transaction.
    void removeDocument(int tableCode, qint64 voucherNo);
    // One entry of a voucher was deleted: the rest are renumbered. One transaction.
    void removeEntry(int tableCode, qint64 voucherNo, int serial, QChar settlingSide, bool isRet);

private:
    void recordDeletion(int tableCode, qint64 voucherNo);
    void insertLines(qint64 journalNo, const JournalDocument& document);

    db::Database& db_;
    const Session& session_;
};

// Posts a document in its own transaction for callers that have nothing else to save with it;
// a failure is shown under the system's title and 0 is returned.
qint64 postAndReport(Journal& journal, Messages& messages, const JournalDocument& document,
                     Replace mode = Replace::WholeJournal);

}  // namespace tanabana::ledger
