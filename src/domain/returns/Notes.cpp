#include "domain/returns/Notes.h"

#include "db/LockOrder.h"
#include "domain/documents/Deletion.h"
#include "domain/documents/Guard.h"
#include "domain/documents/TableMap.h"
#include "domain/ledger/Journal.h"
#include "domain/ledger/PostingLines.h"
#include "domain/returns/Adjusting.h"
#include "domain/shell/ListFiles.h"
#include "domain/trade/DocumentRules.h"
#include "domain/trade/SalesInvoices.h"
#include "domain/vouchers/Settlements.h"

#include <set>

namespace tanabana::returns {

namespace {

using documents::Column;
using documents::fixed;
using documents::written;

// Parties of notes on sales bills, of notes on purchase bills, and the groups the other side of a
// note may not come from (trading accounts and parties).
const std::set<int> kSalesNoteParties{35, 38, 39};
const std::set<int> kPurchaseNoteParties{76, 77, 79, 80};
const std::set<int> kNotOtherSide{1, 2, 3, 17, 18, 35, 36, 38, 76, 77};

// Where a note's referred bill lives and what the note is called there.
struct Side {
    QString table, bookColumn, taxableColumn, letter, billWord, noteWord, deleted;
    int billForm = 0, tableCode = 0;
    vouchers::BillBook book;
};

const Side& sideOf(NoteKind kind) {
    static const Side credit{QStringLiteral("SalBillMst"), QStringLiteral("BookNO"), QStringLiteral("BAmt"), QStringLiteral("S"),
                             QStringLiteral("Sales"), QStringLiteral("Credit Note"), QStringLiteral("CN Is Deleted!"),
                             ledger::DocumentType::Sale, ledger::DocumentType::CreditNote, vouchers::BillBook::Sales};
    static const Side debit{QStringLiteral("BillMst"), QStringLiteral("BookId"), QStringLiteral("TotAmt"), QStringLiteral("P"),
                            QStringLiteral("Purchase"), QStringLiteral("Debit Note"), QStringLiteral("DN Is Deleted!"),
                            ledger::DocumentType::Purchase, ledger::DocumentType::DebitNote, vouchers::BillBook::Purchase};
    return kind == NoteKind::Credit ? credit : debit;
}

bool percentBasis(const QString& rateType) {
    const QString t = rateType.trimmed();
    return t.compare(kDiscountBasis, Qt::CaseInsensitive) == 0 || t.compare(kInterestBasis, Qt::CaseInsensitive) == 0;
}

vouchers::SettlingEntry noteEntry(const Side& side, qint64 id, const QDate& date, qint64 partyId, qint64 firmNo) {
    vouchers::SettlingEntry e;
    e.tableCode = side.tableCode;
    e.voucherNo = id;
    e.serial = 1;
    e.date = date;
    e.partyId = partyId;
    e.firmNo = firmNo;
    return e;
}

// The header row as written: the note, its amounts and where it stands in the outstanding.
struct NoteRow {
    const Note& note;
    const ComputedNote& computed;
    qint64 firmNo = 0;
    qint64 bookNo = 0;
    qint64 billRowId = 0;
    qint64 settlementId = 0;
};

template <typename M>
Column<NoteRow, Note> noteTyped(const char* column, M Note::*member, const char* caption = nullptr) {
    return documents::fieldOf<NoteRow, Note>([](const NoteRow& r) -> const Note& { return r.note; }, column, member, caption);
}

Column<NoteRow, Note> amount(const char* column, Decimal ComputedNote::*member) {
    return written<NoteRow, Note>(column, [member](const NoteRow& r) { return (r.computed.*member).toDouble(); });
}

const documents::TableMap<NoteRow, Note>& noteTable() {
    using R = NoteRow;
    using N = Note;
    static const documents::TableMap<R, N> table{
        QStringLiteral("CNMst"), QStringLiteral("Id"),
        {written<R, N>("FirmNO", [](const R& r) { return r.firmNo; }),
         {QStringLiteral("CNType"), {}, [](const R& r) { return QVariant(noteType(r.note.kind)); },
          [](N& n, const db::Row& row) { n.kind = row.text(QStringLiteral("CNType")) == QStringLiteral("D") ? NoteKind::Debit : NoteKind::Credit; }},
         noteTyped("CNNo", &N::noteNo, "C.N. No"),
         noteTyped("CnDate", &N::date),
         {QStringLiteral("Thro"), {}, [](const R& r) { return QVariant(r.bookNo); },
          [](N& n, const db::Row& row) { n.bookNo = row.integer(QStringLiteral("Thro")); }},
         noteTyped("AcID", &N::partyId),
         noteTyped("DrAcId", &N::otherAccountId),
         noteTyped("RateType", &N::rateType, "Rate Type"),
         noteTyped("Q_ID", &N::itemId),
         amount("CNTotAmt", &ComputedNote::taxable),
         written<R, N>("VATP", [](const R& r) { return r.computed.igst ? 0.0 : r.note.sgstPercent.toDouble(); }),
         amount("VatRs", &ComputedNote::sgst),
         written<R, N>("ATAXP", [](const R& r) { return r.computed.igst ? 0.0 : r.note.cgstPercent.toDouble(); }),
         amount("ATAXRs", &ComputedNote::cgst),
         {QStringLiteral("IGSTP"), {},
          [](const R& r) { return QVariant(r.computed.igst ? (r.note.sgstPercent + r.note.cgstPercent).toDouble() : 0.0); },
          [](N& n, const db::Row& row) {
              const Decimal igst = Decimal::fromVariant(row.value(QStringLiteral("IGSTP")));
              if (igst > Decimal()) {
                  n.sgstPercent = igst / Decimal(2);
                  n.cgstPercent = igst - n.sgstPercent;
              } else {
                  n.sgstPercent = Decimal::fromVariant(row.value(QStringLiteral("VATP")));
                  n.cgstPercent = Decimal::fromVariant(row.value(QStringLiteral("ATAXP")));
              }
          }},
         amount("IGSTRs", &ComputedNote::igstAmount),
         {QStringLiteral("OtherP"), {}, [](const R& r) { return QVariant(r.computed.otherCharges.toDouble()); },
          [](N& n, const db::Row& row) { n.otherCharges = Decimal::fromVariant(row.value(QStringLiteral("OtherP"))); }},
         amount("OtherP1", &ComputedNote::roundOff),
         amount("NetAmt", &ComputedNote::net),
         {QStringLiteral("TDS_ID"), {}, [](const R& r) { return QVariant(r.note.tds ? r.note.tdsAccountId : 0); },
          [](N& n, const db::Row& row) { n.tdsAccountId = row.integer(QStringLiteral("TDS_ID")); }},
         {QStringLiteral("TDSP"), {}, [](const R& r) { return QVariant(r.note.tds ? r.note.tdsPercent.toDouble() : 0.0); },
          [](N& n, const db::Row& row) {
              n.tdsPercent = Decimal::fromVariant(row.value(QStringLiteral("TDSP")));
              n.tds = n.tdsPercent > Decimal();
          }},
         amount("TDSRs", &ComputedNote::tds),
         noteTyped("RefNO", &N::refNo, "Ref No"),
         noteTyped("RefType", &N::reasonCode, "Reason(GSTR-1)"),
         noteTyped("Ref_Notes", &N::refNotes, "Notes"),
         noteTyped("Remarks", &N::remarks, "Description"),
         written<R, N>("BillMst_Id", [](const R& r) { return r.billRowId; }),
         written<R, N>("BillOutStand_Id", [](const R& r) { return r.settlementId; }),
         noteTyped("Is_SkipGst", &N::skipGst),
         fixed<R, N>("Is_Upload", 0)}};
    return table;
}

}  // namespace

QString noteType(NoteKind kind) { return kind == NoteKind::Credit ? QStringLiteral("C") : QStringLiteral("D"); }

// The referred bill as a note reads it.
struct Notes::Bill {
    qint64 id = 0, partyId = 0, firmNo = 0, bookNo = 0;
    QString billNo;
    QDate date;
    bool closed = false;
    Decimal taxable, amount, unpaid;
};

// The accounts of the note's book that take its GST and charges.
struct Notes::Book {
    bool autoAccounts = false;
    qint64 igstAccount = 0, sgstAccount = 0, cgstAccount = 0, otherAccount = 0;
};

Notes::Notes(db::Database& db, Session& session, Messages& messages) : db_(db), session_(session), messages_(messages) {}

QString Notes::nextNoteNo(NoteKind kind) {
    qint64 largest = 0;
    db_.forEach(QStringLiteral("SELECT CNNo FROM CNMst WHERE FirmNO = ? AND CNType = ?"), {session_.firmNo, noteType(kind)},
                [&](const db::Row& r) { largest = std::max(largest, trade::leadingWholeNumber(r.text(QStringLiteral("CNNo")).trimmed())); });
    return QString::number(largest + 1);
}

std::optional<qint64> Notes::findNote(NoteKind kind, const QString& noteNo) {
    const QVariant id = db_.scalar(QStringLiteral("SELECT Id FROM CNMst WHERE FirmNO = ? AND CNType = ? AND CNNo = ?"),
                                   {session_.firmNo, noteType(kind), noteNo.trimmed()});
    if (!id.isValid() || id.isNull()) return std::nullopt;
    return id.toLongLong();
}

QStringList Notes::reasons() { return shell::readListFile(session_.dataRoot, QStringLiteral("CNDN.txt")); }

std::vector<NoteBill> Notes::openBills(NoteKind kind, qint64 partyId, qint64 noteId) {
    const Side& side = sideOf(kind);
    const QString quantity = kind == NoteKind::Credit ? QStringLiteral("Qty") : QStringLiteral("PQty");
    const QString rate = kind == NoteKind::Credit ? QStringLiteral("Rate") : QStringLiteral("PRate");
    const QString lines = kind == NoteKind::Credit ? QStringLiteral("SalBillDtl") : QStringLiteral("BillDtl");
    std::vector<NoteBill> out;
    db_.forEach(QStringLiteral("SELECT m.Id, m.InvType, m.BillNO, m.BillDate, m.PDueDate, m.%1 AS Taxable, m.BillAmount, m.UnPaidAmt, "
                               "COALESCE(b.BookShortName, '') AS Book, "
                               "(SELECT SUM(d.%2) FROM %3 d WHERE d.BillMstId = m.Id) AS Quantity, "
                               "(SELECT MAX(d.%4) FROM %3 d WHERE d.BillMstId = m.Id) AS Rate "
                               "FROM %5 m LEFT JOIN BookMst b ON b.BookNO = m.%6 AND b.FirmNO = m.FirmNO "
                               "WHERE m.FirmNO = ? AND m.PartyID = ? AND m.FormId = ? AND (m.IsEnd = 0 OR m.Id IN "
                               "(SELECT BillId FROM CNDtl WHERE CNId = ?)) ORDER BY m.BillDate, m.Id")
                    .arg(side.taxableColumn, quantity, lines, rate, side.table, side.bookColumn),
                {session_.firmNo, partyId, side.billForm, noteId}, [&](const db::Row& r) {
                    NoteBill b;
                    b.id = r.integer(QStringLiteral("Id"));
                    b.book = r.text(QStringLiteral("Book")).trimmed();
                    b.type = r.text(QStringLiteral("InvType"));
                    b.billNo = r.text(QStringLiteral("BillNO")).trimmed();
                    b.date = r.date(QStringLiteral("BillDate"));
                    b.dueDate = r.date(QStringLiteral("PDueDate"));
                    b.taxable = Decimal::fromVariant(r.value(QStringLiteral("Taxable"))).roundHalfEven(2);
                    b.amount = Decimal::fromVariant(r.value(QStringLiteral("BillAmount"))).roundHalfEven(2);
                    b.quantity = Decimal::fromVariant(r.value(QStringLiteral("Quantity"))).roundHalfEven(3);
                    b.rate = Decimal::fromVariant(r.value(QStringLiteral("Rate"))).roundHalfEven(2);
                    b.unpaid = Decimal::fromVariant(r.value(QStringLiteral("UnPaidAmt"))).roundHalfEven(2);
                    out.push_back(b);
                });
    if (noteId > 0) {
        const auto own = db_.queryOne(QStringLiteral("SELECT d.BillId, m.NetAmt FROM CNDtl d JOIN CNMst m ON m.Id = d.CNId WHERE d.CNId = ?"), {noteId});
        for (NoteBill& b : out)
            if (own && b.id == own->integer(QStringLiteral("BillId"))) b.unpaid += Decimal::fromVariant(own->value(QStringLiteral("NetAmt"))).roundHalfEven(2);
    }
    return out;
}

std::pair<Decimal, Decimal> Notes::itemGst(qint64 itemId) {
    const auto r = db_.queryOne(QStringLiteral("SELECT Vat, AddTax FROM ProdMst WHERE Id = ?"), {itemId});
    if (!r) return {};
    return {Decimal::fromVariant(r->value(QStringLiteral("Vat"))), Decimal::fromVariant(r->value(QStringLiteral("AddTax")))};
}

std::optional<Notes::Bill> Notes::bill(NoteKind kind, qint64 billId, bool anyFirm) {
    const Side& side = sideOf(kind);
    const auto r = db_.queryOne(QStringLiteral("SELECT Id, PartyID, FirmNO, %1 AS BookNo, BillNO, BillDate, IsEnd, %2 AS Taxable, BillAmount, "
                                               "TDSRs, PaidAmt FROM %3 WHERE Id = ? AND FormId = ?")
                                    .arg(side.bookColumn, side.taxableColumn, side.table),
                                {billId, side.billForm});
    if (!r || (!anyFirm && r->integer(QStringLiteral("FirmNO")) != session_.firmNo)) return std::nullopt;
    Bill b;
    b.id = billId;
    b.partyId = r->integer(QStringLiteral("PartyID"));
    b.firmNo = r->integer(QStringLiteral("FirmNO"));
    b.bookNo = r->integer(QStringLiteral("BookNo"));
    b.billNo = r->text(QStringLiteral("BillNO")).trimmed();
    b.date = r->date(QStringLiteral("BillDate"));
    b.closed = r->flag(QStringLiteral("IsEnd"));
    b.taxable = Decimal::fromVariant(r->value(QStringLiteral("Taxable"))).roundHalfEven(2);
    b.amount = Decimal::fromVariant(r->value(QStringLiteral("BillAmount"))).roundHalfEven(2);
    b.unpaid = b.amount - Decimal::fromVariant(r->value(QStringLiteral("TDSRs"))).roundHalfEven(2) -
               Decimal::fromVariant(r->value(QStringLiteral("PaidAmt"))).roundHalfEven(2);
    return b;
}

ComputedNote Notes::compute(const Note& note) {
    ComputedNote c;
    const auto party = note.partyId > 0 ? trade::SalesInvoices(db_, session_, messages_).party(note.partyId) : std::nullopt;
    c.igst = party && party->otherState;
    if (percentBasis(note.rateType)) {
        const auto referred = note.billIds.empty() ? std::nullopt : bill(note.kind, note.billIds.front(), true);
        c.taxable = referred ? referred->taxable.percent(note.percent).roundHalfEven(2) : Decimal();
    } else if (!note.quantity.isZero() && !note.rateDifference.isZero()) {
        c.taxable = (note.quantity * note.rateDifference).roundHalfEven(2);
    } else {
        c.taxable = note.typedTaxable.roundHalfEven(2);
    }
    if (c.igst) {
        c.igstAmount = c.taxable.percent(note.sgstPercent + note.cgstPercent).roundHalfEven(2);
    } else {
        c.sgst = c.taxable.percent(note.sgstPercent).roundHalfEven(2);
        c.cgst = c.taxable.percent(note.cgstPercent).roundHalfEven(2);
    }
    c.otherCharges = note.otherCharges.roundHalfEven(2);
    const Decimal gross = c.taxable + c.gst() + c.otherCharges;
    c.net = gross.billRoundOff();
    c.roundOff = c.net - gross;
    if (note.tds) c.tds = c.taxable.percent(note.tdsPercent).roundHalfEven(2);
    return c;
}

bool Notes::validate(const Note& note, const ComputedNote& computed) {
    auto accountGroup = [&](qint64 id) -> std::optional<int> {
        const auto r = db_.queryOne(QStringLiteral("SELECT GrpNo FROM AccMst WHERE Id = ? AND FirmNo = ? AND IsGrp = 0"), {id, session_.firmNo});
        if (!r) return std::nullopt;
        return int(r->integer(QStringLiteral("GrpNo")));
    };
    if (!percentBasis(note.rateType) && note.itemId <= 0) {
        messages_.critical(QStringLiteral("No Service select"), QStringLiteral("Please select Service Name"));
        return false;
    }
    // -1: no such account of the firm.
    const int partyGroup = note.partyId > 0 ? accountGroup(note.partyId).value_or(-1) : -1;
    const int otherGroup = note.otherAccountId > 0 ? accountGroup(note.otherAccountId).value_or(-1) : -1;
    const std::set<int>& parties = note.kind == NoteKind::Credit ? kSalesNoteParties : kPurchaseNoteParties;
    if (!parties.count(partyGroup) || otherGroup < 0 || kNotOtherSide.count(otherGroup) || computed.net <= Decimal()) {
        messages_.critical(QStringLiteral("System Validation"), QStringLiteral("Please Select Distributor NAme and Enter Invoice No"));
        return false;
    }
    if (!note.date.isValid() || !session_.inYear(note.date)) {
        messages_.critical(QStringLiteral("BillDate Validate"), QStringLiteral("Please Select Proper Date"));
        return false;
    }
    if (note.billIds.size() > 1) {
        messages_.critical(QStringLiteral("Single Detail Entry System"), QStringLiteral("Only One bill Entry is Allow"));
        return false;
    }
    if (note.billIds.empty() || note.billIds.front() <= 0) {
        messages_.critical(QStringLiteral("System Validation"), QStringLiteral("Please Select Bill No"));
        return false;
    }
    if (note.tds && (note.tdsAccountId <= 0 || !accountGroup(note.tdsAccountId))) {
        messages_.critical(QStringLiteral("System Validation"), QStringLiteral("Please Select TDS Account"));
        return false;
    }
    const QString code = note.reasonCode.trimmed();
    if (!code.isEmpty()) {
        bool known = false;
        for (const QString& line : reasons()) known = known || line.trimmed().left(2) == code;
        if (!known) {
            messages_.critical(QStringLiteral("System Validation"), QStringLiteral("Reason ") + code + QStringLiteral(" is not in the reason list."));
            return false;
        }
    }
    return !documents::refuseTooLong(messages_, noteTable().tooLong(NoteRow{note, computed, session_.firmNo, 0, 0, 0}));
}

bool Notes::refuseBill(const Note& note, const ComputedNote& computed, const Bill& b) {
    const Side& side = sideOf(note.kind);
    if (b.firmNo != session_.firmNo || b.partyId != note.partyId) {
        messages_.critical(QStringLiteral("Wrong Bill"), QStringLiteral("Bill No ") + b.billNo + QStringLiteral(" is not a bill of this party."));
        return true;
    }
    if (note.date < b.date) {
        messages_.critical(QStringLiteral("BillDate Validate"), QStringLiteral("Note Date Is Before The Date Of Bill No ") + b.billNo + QLatin1Char('!'));
        return true;
    }
    if (b.closed) {
        messages_.critical(QStringLiteral("Bill Is End"), QStringLiteral("The ") + side.billWord + QStringLiteral(" Bill Is End in outstanding so cant change "));
        return true;
    }
    if (computed.net > b.unpaid) {
        messages_.critical(QStringLiteral("No Minus amount Allow"), side.noteWord + QStringLiteral(" amount is more then unpaid amount"));
        return true;
    }
    return false;
}

void Notes::takeBack(qint64 id) {
    const auto old = db_.queryOne(QStringLiteral("SELECT CNType, CnDate, AcID, BillMst_Id FROM CNMst WHERE Id = ?"), {id});
    if (!old) return;
    const NoteKind kind = old->text(QStringLiteral("CNType")) == QStringLiteral("D") ? NoteKind::Debit : NoteKind::Credit;
    const Side& side = sideOf(kind);
    vouchers::takeBack(db_, side.book, noteEntry(side, id, old->date(QStringLiteral("CnDate")), old->integer(QStringLiteral("AcID")), session_.firmNo));
    const qint64 billRow = old->integer(QStringLiteral("BillMst_Id"));
    db_.exec(QStringLiteral("DELETE FROM BillDtl WHERE BillMstId = ?"), {billRow});
    db_.exec(QStringLiteral("DELETE FROM BillMst WHERE Id = ?"), {billRow});
    // The referred bill keeps its mark while another note still refers to it.
    db_.exec(QStringLiteral("UPDATE %1 SET IsCN = 0 WHERE Id IN (SELECT BillId FROM CNDtl WHERE CNId = ?) AND NOT EXISTS "
                            "(SELECT 1 FROM CNDtl d JOIN CNMst n ON n.Id = d.CNId WHERE d.BillId = %1.Id AND d.CNId <> ? AND n.CNType = ?)")
                 .arg(side.table),
             {id, id, noteType(kind)});
    db_.exec(QStringLiteral("DELETE FROM CNDtl WHERE CNId = ?"), {id});
}

void Notes::writeOutstanding(Note& note, const ComputedNote& c, const Bill& referred, qint64& billRowId, qint64& settlementId) {
    const Side& side = sideOf(note.kind);
    vouchers::Settlement s;
    s.billId = referred.id;
    s.payment = c.net;
    s.billNo = referred.billNo;
    vouchers::apply(db_, side.book, noteEntry(side, note.id, note.date, note.partyId, session_.firmNo), c.net, {s});
    settlementId = db_.scalar(QStringLiteral("SELECT ID FROM Acc_OutSt WHERE Fno = ? AND TableCode = ? AND VouNo = ? AND IsRet = 0"),
                              {session_.firmNo, side.tableCode, note.id})
                       .toLongLong();
    // The note in the outstanding: a bill row of its own whose whole amount went to the referred bill.
    billRowId = db_.nextKey(QStringLiteral("BillMst"), QStringLiteral("Id"));
    documents::insertRow(db_, QStringLiteral("BillMst"),
                         {{QStringLiteral("Id"), billRowId},
                          {QStringLiteral("FirmNO"), session_.firmNo},
                          {QStringLiteral("FormId"), side.tableCode},
                          {QStringLiteral("BookId"), note.bookNo},
                          {QStringLiteral("BillNO"), trade::fitted(QStringLiteral("BillMst"), QStringLiteral("BillNO"), note.noteNo)},
                          {QStringLiteral("BillDate"), note.date},
                          {QStringLiteral("PDueDate"), note.date},
                          {QStringLiteral("PartyID"), note.partyId},
                          {QStringLiteral("InvType"), noteType(note.kind)},
                          {QStringLiteral("Amt"), c.taxable.toDouble()},
                          {QStringLiteral("TotAmt"), c.taxable.toDouble()},
                          {QStringLiteral("VatRs"), c.sgst.toDouble()},
                          {QStringLiteral("ATAXRs"), c.cgst.toDouble()},
                          {QStringLiteral("CSTRs"), c.igstAmount.toDouble()},
                          {QStringLiteral("OtherP"), c.otherCharges.toDouble()},
                          {QStringLiteral("OtherP1"), c.roundOff.toDouble()},
                          {QStringLiteral("BillAmount"), c.net.toDouble()},
                          {QStringLiteral("PaidAmt"), c.net.toDouble()},
                          {QStringLiteral("UnPaidAmt"), 0.0},
                          {QStringLiteral("PaidDt"), note.date},
                          {QStringLiteral("IsEnd"), 1},
                          {QStringLiteral("Pur_Bill_No"), trade::fitted(QStringLiteral("BillMst"), QStringLiteral("Pur_Bill_No"), referred.billNo)},
                          {QStringLiteral("Pur_Bill_Dt"), referred.date},
                          {QStringLiteral("Is_SkipGst"), note.skipGst ? 1 : 0},
                          {QStringLiteral("Is_Upload"), 0}});
    documents::insertRow(db_, QStringLiteral("BillDtl"),
                         {{QStringLiteral("BillMstId"), billRowId},
                          {QStringLiteral("Srno"), 1},
                          {QStringLiteral("PCode"), note.itemId},
                          {QStringLiteral("PQty"), note.quantity.roundHalfEven(3).toDouble()},
                          {QStringLiteral("PRate"), note.rateDifference.roundHalfEven(4).toDouble()},
                          {QStringLiteral("PAmt"), c.taxable.toDouble()},
                          {QStringLiteral("VatPD"), c.igst ? 0.0 : note.sgstPercent.toDouble()},
                          {QStringLiteral("ATaxPD"), c.igst ? 0.0 : note.cgstPercent.toDouble()},
                          {QStringLiteral("VatRsD"), c.igst ? c.igstAmount.toDouble() : c.sgst.toDouble()},
                          {QStringLiteral("ATaxRsD"), c.cgst.toDouble()},
                          {QStringLiteral("IGSTP"), c.igst ? (note.sgstPercent + note.cgstPercent).toDouble() : 0.0},
                          {QStringLiteral("IGSTRs"), c.igstAmount.toDouble()},
                          {QStringLiteral("TotAmtD"), c.net.toDouble()},
                          {QStringLiteral("BillNetAmt"), c.net.toDouble()}});
    db_.exec(QStringLiteral("UPDATE %1 SET IsCN = 1, Is_Upload = 0 WHERE Id = ?").arg(side.table), {referred.id});
}

void Notes::post(const Note& note, const ComputedNote& c, const Book& book) {
    const Side& side = sideOf(note.kind);
    const QString partyName = db_.scalar(QStringLiteral("SELECT AcName FROM AccMst WHERE Id = ?"), {note.partyId}).toString().trimmed();
    const QString description = side.noteWord + QStringLiteral(" No. ") + note.noteNo.trimmed() + QStringLiteral(" - ") + partyName +
                                QStringLiteral(" @Party Ref No: ") + note.refNo.trimmed();
    const QString taxNarration = QStringLiteral("Taxable Amt : ") + c.taxable.toString(2);
    // A credit note credits the party; a debit note debits it. The other side takes the opposite.
    const QChar partySide = note.kind == NoteKind::Credit ? QLatin1Char('C') : QLatin1Char('D');
    const QChar otherSide = note.kind == NoteKind::Credit ? QLatin1Char('D') : QLatin1Char('C');
    ledger::JournalDocument journal;
    journal.tableCode = side.tableCode;
    journal.voucherNo = note.id;
    journal.date = note.date;
    journal.printedNo = note.noteNo.trimmed();
    ledger::PostingLines lines(journal);
    lines.add(note.partyId, partySide, c.net, description, note.remarks);
    if (book.autoAccounts) {
        lines.add(note.otherAccountId, otherSide, c.taxable, description, note.remarks);
        lines.add(book.igstAccount, otherSide, c.igstAmount, description, taxNarration);
        lines.add(book.sgstAccount, otherSide, c.sgst, description, taxNarration);
        lines.add(book.cgstAccount, otherSide, c.cgst, description, taxNarration);
        lines.add(book.otherAccount, otherSide, c.net - c.taxable - c.gst(), description);
    } else {
        lines.add(note.otherAccountId, otherSide, c.net, description, note.remarks);
    }
    if (c.tds > Decimal()) {
        const QString tds = QStringLiteral("TDS ") + description + QStringLiteral("  (") + c.taxable.toString(2) + QStringLiteral(" * ") +
                            note.tdsPercent.toString(2) + QStringLiteral(" % )");
        lines.add(note.partyId, otherSide, c.tds, tds);
        lines.add(note.tdsAccountId, partySide, c.tds, tds);
    }
    ledger::Journal(db_, session_).post(journal, ledger::Replace::WholeJournal);
}

std::optional<qint64> Notes::save(Note& note) {
    if (documents::refuseSave(session_, messages_, note.id)) return std::nullopt;
    const ComputedNote computed = compute(note);
    if (!validate(note, computed)) return std::nullopt;
    const qint64 previousId = note.id;
    const QString previousNo = note.noteNo;
    const qint64 previousBook = note.bookNo;
    auto restore = [&] {
        note.id = previousId;
        note.noteNo = previousNo;
        note.bookNo = previousBook;
    };
    const Side& side = sideOf(note.kind);
    try {
        db::Transaction tx(db_);
        // The note's series, the referred bill's book and the purchase bills that keep the note's own
        // bill row, in the one order of locks (a credit note settles a sales bill first).
        db::lockInOrder(db_, {QStringLiteral("CNMst.CNNo"), vouchers::billsLock(side.book), QStringLiteral("BillMst.Id")});
        if (note.id > 0) {
            const auto old = db_.queryOne(QStringLiteral("SELECT CNType FROM CNMst WHERE Id = ? AND FirmNO = ?"), {note.id, session_.firmNo});
            if (!old || old->text(QStringLiteral("CNType")) != noteType(note.kind)) {
                messages_.critical(QStringLiteral("System Validation"), QStringLiteral("This Note is not found; it may have been deleted."));
                restore();
                return std::nullopt;
            }
            // The note's old settlement goes back to its bill first, so its own amount counts as unpaid again.
            takeBack(note.id);
        }
        const auto referred = bill(note.kind, note.billIds.front(), true);
        if (!referred) {
            messages_.critical(QStringLiteral("Wrong Bill"), QStringLiteral("The bill of this note is not a ") + side.billWord.toLower() +
                                                                 QStringLiteral(" bill of the firm."));
            restore();
            return std::nullopt;
        }
        if (refuseBill(note, computed, *referred)) {
            restore();
            return std::nullopt;
        }
        if (note.bookNo <= 0) note.bookNo = referred->bookNo;
        const auto bookRow = db_.queryOne(QStringLiteral("SELECT Is_Auto_Ac, A1, A2, A3, A4 FROM BookMst WHERE BookNO = ? AND FirmNO = ?"),
                                          {note.bookNo, session_.firmNo});
        if (!bookRow) {
            trade::refuseMissingPartyOrQuality(messages_);
            restore();
            return std::nullopt;
        }
        const Book book{bookRow->flag(QStringLiteral("Is_Auto_Ac")), bookRow->integer(QStringLiteral("A1")), bookRow->integer(QStringLiteral("A2")),
                        bookRow->integer(QStringLiteral("A3")), bookRow->integer(QStringLiteral("A4"))};
        if (book.autoAccounts && !computed.roundOff.isZero()) {
            messages_.critical(QStringLiteral("Round Off Value not Match"), QStringLiteral("Please enter round off value "));
            restore();
            return std::nullopt;
        }
        if (note.noteNo.trimmed().isEmpty()) note.noteNo = nextNoteNo(note.kind);
        const auto holder = findNote(note.kind, note.noteNo);
        if (holder && *holder != note.id) {
            messages_.critical(QStringLiteral("Bill NO Duplication"), QStringLiteral("This Note NO is Already exist!"));
            restore();
            return std::nullopt;
        }
        if (note.id <= 0) note.id = db_.nextKey(QStringLiteral("CNMst"), QStringLiteral("Id"));
        qint64 billRowId = 0, settlementId = 0;
        writeOutstanding(note, computed, *referred, billRowId, settlementId);
        NoteRow row{note, computed, session_.firmNo, note.bookNo, billRowId, settlementId};
        noteTable().write(db_, row, note.id);
        const bool percent = percentBasis(note.rateType);
        documents::insertRow(db_, QStringLiteral("CNDtl"),
                             {{QStringLiteral("CNId"), note.id},
                              {QStringLiteral("Sno"), 1},
                              {QStringLiteral("BillId"), referred->id},
                              {QStringLiteral("AYN"), trade::fitted(QStringLiteral("CNDtl"), QStringLiteral("AYN"), note.billDescription)},
                              {QStringLiteral("QDRate"), (percent ? note.percent : note.rateDifference).roundHalfEven(4).toDouble()},
                              {QStringLiteral("CNAmt"), computed.taxable.toDouble()}});
        post(note, computed, book);
        tx.commit();
    } catch (const vouchers::Refusal& refusal) {
        restore();
        show(messages_, refusal);
        return std::nullopt;
    } catch (const ledger::PostingRefused& refused) {
        restore();
        messages_.critical(ledger::ledgerNotSavedTitle(), refused.text());
        return std::nullopt;
    } catch (const db::DbError&) {
        restore();
        messages_.critical(ledger::ledgerNotSavedTitle(), ledger::ledgerProblemText());
        return std::nullopt;
    }
    messages_.information(QStringLiteral("Save Confirmation"), QStringLiteral("One Transaction Is Saved."));
    return note.id;
}

bool Notes::remove(qint64 id) {
    if (documents::refuseChange(session_, messages_, documents::Change::Delete)) return false;
    const auto note = load(id);
    if (!note) return false;
    const Side& side = sideOf(note->kind);
    // Paid further: the referred bill has been settled by another entry after the note.
    auto paidFurther = [&] {
        return db_.scalar(QStringLiteral("SELECT count(*) FROM Acc_OutSt a JOIN CNMst n ON n.BillOutStand_Id > 0 AND a.ID > n.BillOutStand_Id "
                                         "JOIN Acc_OutSt s ON s.ID = n.BillOutStand_Id AND s.BillId = a.BillId AND s.Book = a.Book "
                                         "WHERE n.Id = ?"),
                          {id})
                   .toLongLong() > 0;
    };
    auto refusePaid = [&] {
        messages_.critical(QStringLiteral("Delete Confirmation"), QStringLiteral("This Purchase Invoice Payment is Done") + QLatin1Char('\n') +
                                                                      QStringLiteral(" First Delete Account Payment Entry !"));
        return false;
    };
    if (paidFurther()) return refusePaid();
    if (!messages_.ask(QStringLiteral("Delete Confirmation"), QStringLiteral("Are you sure to delete this Invoice"))) return false;
    try {
        db::Transaction tx(db_);
        vouchers::lockBills(db_, side.book);
        if (paidFurther()) return refusePaid();
        takeBack(id);
        documents::deleteDocument(db_, {QStringLiteral("CNMst"), {}, 0}, id, session_.firmNo);
        ledger::Journal(db_, session_).removeDocument(side.tableCode, id);
        tx.commit();
    } catch (const vouchers::Refusal& refusal) {
        show(messages_, refusal);
        return false;
    } catch (const db::DbError&) {
        messages_.critical(ledger::ledgerNotSavedTitle(), ledger::ledgerProblemText());
        return false;
    }
    messages_.information(QStringLiteral("Delete Confirmation"), side.deleted);
    return true;
}

std::optional<Note> Notes::load(qint64 id) {
    const auto h = db_.queryOne(QStringLiteral("SELECT * FROM CNMst WHERE Id = ? AND FirmNO = ?"), {id, session_.firmNo});
    if (!h) return std::nullopt;
    Note note;
    note.id = id;
    noteTable().read(note, *h);
    const Decimal taxable = Decimal::fromVariant(h->value(QStringLiteral("CNTotAmt")));
    db_.forEach(QStringLiteral("SELECT BillId, AYN, QDRate FROM CNDtl WHERE CNId = ? ORDER BY Sno"), {id}, [&](const db::Row& r) {
        note.billIds.push_back(r.integer(QStringLiteral("BillId")));
        note.billDescription = r.text(QStringLiteral("AYN"));
        const Decimal rate = Decimal::fromVariant(r.value(QStringLiteral("QDRate")));
        if (percentBasis(note.rateType)) {
            note.percent = rate;
        } else if (!rate.isZero()) {
            // The quantity is what the taxable amount holds at the rate difference.
            note.rateDifference = rate;
            note.quantity = (taxable / rate).roundHalfEven(3);
        } else {
            note.typedTaxable = taxable;
        }
    });
    return note;
}

documents::DocumentPage Notes::list(NoteKind kind, const documents::ListFilter& filter) {
    documents::ListQuery q(QStringLiteral("CNMst m LEFT JOIN AccMst a ON a.Id = m.AcID"), QStringLiteral("m.FirmNO = ? AND m.CNType = ?"),
                           {session_.firmNo, noteType(kind)}, QStringLiteral("m.CNNo"), QStringLiteral("m.CnDate"), QStringLiteral("a.AcName"),
                           QStringLiteral("m.NetAmt"));
    q.texts = {QStringLiteral("m.RateType")};
    q.figures = {QStringLiteral("m.VATP + m.ATAXP + m.IGSTP"), QStringLiteral("m.CNTotAmt"), QStringLiteral("m.VatRs + m.ATAXRs + m.IGSTRs")};
    return documents::listDocuments(db_, q, filter);
}

std::vector<SavedNote> Notes::all(NoteKind kind) {
    const Side& side = sideOf(kind);
    std::vector<SavedNote> out;
    db_.forEach(QStringLiteral("SELECT m.Id, m.CNNo, m.CnDate, a.AcName, m.RateType, m.CNTotAmt, m.VatRs, m.ATAXRs, m.IGSTRs, m.NetAmt, "
                               "b.BillNO FROM CNMst m LEFT JOIN AccMst a ON a.Id = m.AcID LEFT JOIN CNDtl d ON d.CNId = m.Id "
                               "LEFT JOIN %1 b ON b.Id = d.BillId WHERE m.FirmNO = ? AND m.CNType = ? ORDER BY m.CnDate, m.Id")
                    .arg(side.table),
                {session_.firmNo, noteType(kind)}, [&](const db::Row& r) {
                    SavedNote n;
                    n.id = r.integer(QStringLiteral("Id"));
                    n.kind = kind;
                    n.noteNo = r.text(QStringLiteral("CNNo")).trimmed();
                    n.date = r.date(QStringLiteral("CnDate"));
                    n.partyName = r.text(QStringLiteral("AcName"));
                    n.rateType = r.text(QStringLiteral("RateType"));
                    n.billNo = r.text(QStringLiteral("BillNO")).trimmed();
                    n.taxable = Decimal::fromVariant(r.value(QStringLiteral("CNTotAmt"))).roundHalfEven(2);
                    const Decimal igst = Decimal::fromVariant(r.value(QStringLiteral("IGSTRs"))).roundHalfEven(2);
                    n.gst = Decimal::fromVariant(r.value(QStringLiteral("VatRs"))).roundHalfEven(2) +
                            Decimal::fromVariant(r.value(QStringLiteral("ATAXRs"))).roundHalfEven(2) + igst;
                    n.interState = !igst.isZero();
                    n.net = Decimal::fromVariant(r.value(QStringLiteral("NetAmt"))).roundHalfEven(2);
                    out.push_back(n);
                });
    return out;
}

}  // namespace tanabana::returns
