#pragma once
// Credit and debit notes with GST: a later correction of one bill without goods moving (a discount
// after the sale, interest, a rate difference). A credit note refers to one of the customer's open
// sales bills and lowers what the customer owes; a debit note refers to one of the supplier's open
// purchase bills and lowers what the firm owes. Each is kept in CNMst/CNDtl, stands in the
// outstanding as a BillMst row of InvType "C" or "D", settles its bill by an Acc_OutSt row of type
// 21 or 22 and posts under that type, all in one transaction.
//
// A 2% discount on a customer's IGST bill of taxable 20,000.00 at 5%: taxable 400.00, IGST 20.00,
// note 420.00; the bill's unpaid amount falls by 420.00; the journal credits the customer 420.00
// and debits the discount account 400.00 and IGST 20.00 (on an "Auto A/c Entry" book).
#include "core/Decimal.h"
#include "core/Messages.h"
#include "core/Session.h"
#include "db/Database.h"
#include "domain/documents/DocumentList.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace tanabana::returns {

enum class NoteKind { Credit, Debit };  // CNType "C" / "D"

// The bases of the taxable amount besides a quantity at a rate difference or a typed amount.
inline const QString kDiscountBasis = QStringLiteral("Disc %");
inline const QString kInterestBasis = QStringLiteral("Int. %");

struct Note {
    qint64 id = 0;                 // "Vou. No :"
    NoteKind kind = NoteKind::Credit;
    QString noteNo;                // CNNo ("C.N. No"); empty takes the next at the save
    QDate date;                    // CnDate
    qint64 bookNo = 0;             // Thro; 0 takes the referred bill's book
    qint64 partyId = 0;            // AcID
    qint64 otherAccountId = 0;     // DrAcId ("Debit A/c")
    QString rateType;              // "Disc %", "Int. %", or the kind of service
    qint64 itemId = 0;             // Q_ID: quality or service item
    std::vector<qint64> billIds;   // CNDtl: exactly one referred bill
    QString billDescription;       // AYN
    Decimal percent;               // of the bill's taxable amount, for "Disc %" / "Int. %"
    Decimal quantity, rateDifference;  // otherwise quantity x rate difference ...
    Decimal typedTaxable;          // ... or the taxable amount as typed
    Decimal sgstPercent, cgstPercent;  // an IGST party pays their sum as IGST
    Decimal otherCharges;          // OtherP ("Other (+/-)")
    bool tds = false;              // "T.D.S.  [Y/N]"
    qint64 tdsAccountId = 0;
    Decimal tdsPercent;
    QString refNo;                 // RefNO ("Ref No")
    QString reasonCode;            // RefType ("Reason(GSTR-1)"): the two-character code of the reason list
    QString refNotes;              // Ref_Notes
    QString remarks;               // Remarks
    bool skipGst = false;          // Is_SkipGst ("Skip In GSTR")
};

// A note's amounts as saved.
struct ComputedNote {
    bool igst = false;
    Decimal taxable, sgst, cgst, igstAmount, otherCharges, roundOff, net, tds;
    Decimal gst() const { return sgst + cgst + igstAmount; }
};

// An open bill a note may refer to.
struct NoteBill {
    qint64 id = 0;
    QString book, type, billNo;
    QDate date, dueDate;
    Decimal taxable, amount, quantity, rate, unpaid;
};

// A saved note as lists show it.
struct SavedNote {
    qint64 id = 0;
    NoteKind kind = NoteKind::Credit;
    QString noteNo, partyName, rateType, billNo;
    QDate date;
    Decimal taxable, gst, net;
    bool interState = false;
};

class Notes {
public:
    Notes(db::Database& db, Session& session, Messages& messages);

    // The largest numeric note number of the firm and kind plus one ("11" after 9 and 10).
    QString nextNoteNo(NoteKind kind);
    // The saved note of the kind with this number, for the screen to open instead of a new one.
    std::optional<qint64> findNote(NoteKind kind, const QString& noteNo);
    // The reason list of the GSTR-1 (the lines of CNDN.txt in the installation folder).
    QStringList reasons();
    // The open bills of the party a note of the kind may refer to, by date; with a saved note, its
    // own bill too, the note's amount counted as unpaid again.
    std::vector<NoteBill> openBills(NoteKind kind, qint64 partyId, qint64 noteId = 0);
    // The item's SGST and CGST percents (Vat, AddTax).
    std::pair<Decimal, Decimal> itemGst(qint64 itemId);

    ComputedNote compute(const Note& note);
    // Validates, writes, settles the bill and posts in one transaction; the Id, nullopt after a refusal.
    std::optional<qint64> save(Note& note);
    bool remove(qint64 id);
    std::optional<Note> load(qint64 id);
    documents::DocumentPage list(NoteKind kind, const documents::ListFilter& filter);
    std::vector<SavedNote> all(NoteKind kind);

private:
    struct Bill;
    struct Book;
    std::optional<Bill> bill(NoteKind kind, qint64 billId, bool anyFirm = false);
    bool validate(const Note& note, const ComputedNote& computed);
    bool refuseBill(const Note& note, const ComputedNote& computed, const Bill& bill);
    void writeOutstanding(Note& note, const ComputedNote& computed, const Bill& bill, qint64& billRowId, qint64& settlementId);
    void post(const Note& note, const ComputedNote& computed, const Book& book);
    void takeBack(qint64 id);

    db::Database& db_;
    Session& session_;
    Messages& messages_;
};

QString noteType(NoteKind kind);  // "C" / "D"

}  // namespace tanabana::returns
