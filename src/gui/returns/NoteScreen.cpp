#include "gui/returns/NoteScreen.h"

#include "core/Words.h"
#include "domain/documents/Lookups.h"
#include "domain/reports/ReportError.h"
#include "domain/returns/NotePrint.h"
#include "domain/trade/SalesLines.h"
#include "gui/common/FormFields.h"
#include "gui/common/TypedFields.h"
#include "gui/trade/SellingLookups.h"
#include "gui/trade/TradePrinting.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTableWidget>

namespace tanabana::gui {

using returns::NoteKind;

namespace {


const QStringList kRateTypes{returns::kDiscountBasis, returns::kInterestBasis, QStringLiteral("Rate Diff"), QStringLiteral("Service")};

}  // namespace

NoteScreen::NoteScreen(db::Database& db, Session& session, Messages& messages, NoteKind kind, QWidget* parent)
    : DocumentForm(kind == NoteKind::Credit ? QStringLiteral("frmCreditNoteGSTNew") : QStringLiteral("frmCreditNoteGSTNewDebit"),
                   kind == NoteKind::Credit ? QStringLiteral("Credit Note") : QStringLiteral("Debit Note"), session, &messages, parent),
      db_(db),
      kind_(kind),
      service_(std::make_unique<returns::Notes>(db, session, messages)) {
    const qint64 firm = session_.firmNo;
    db::Database* books = &db_;
    const bool credit = kind == NoteKind::Credit;
    auto accounts = [books, firm](documents::PartyRange range) {
        return partySource([books, firm, range](const QString& p) { return documents::findParties(*books, firm, range, p); });
    };
    const LookupSource items{qualitySearch(db_, firm, QStringLiteral("Quality Name")), QStringLiteral("Id"), QStringLiteral("Quality Name")};
    DocField other = DocField::number(QStringLiteral("txtOther"), QStringLiteral("Other (+/-)"), 2, 100);
    other.rule.negative = true;
    QStringList reasons{QString()};
    reasons << service_->reasons();
    declareHeader({DocField::text(QStringLiteral("txtCNNo"), QStringLiteral("C.N. No")),
                   DocField::date(QStringLiteral("DtpCnDate"), QStringLiteral("Date")),
                   DocField::lookup(QStringLiteral("txtParty"), QStringLiteral("Party"),
                                    credit ? partyLookup(db_, firm) : accounts(documents::PartyRange::Purchase), 2),
                   DocField::lookup(QStringLiteral("txtDrAc"), credit ? QStringLiteral("Debit A/c") : QStringLiteral("Credit A/c"),
                                    accounts(documents::PartyRange::AnyAccount), 2),
                   DocField::choice(QStringLiteral("txtBook"), QStringLiteral("Book"), {}),
                   DocField::choice(QStringLiteral("ComRateType"), QStringLiteral("Rate Type"), kRateTypes),
                   DocField::lookup(QStringLiteral("txtService"), QStringLiteral("Service Item Name"), items, 2),
                   DocField::number(QStringLiteral("txtPercent"), QStringLiteral("%"), 3, 80),
                   DocField::number(QStringLiteral("txtQty"), QStringLiteral("Qty")),
                   DocField::number(QStringLiteral("txtRate"), QStringLiteral("Rate"), 4),
                   DocField::number(QStringLiteral("txtTaxable"), QStringLiteral("Taxable Amt"), 2, 110),
                   DocField::number(QStringLiteral("txtSgstP"), QStringLiteral("SGST %"), 3, 70),
                   DocField::number(QStringLiteral("txtCgstP"), QStringLiteral("CGST %"), 3, 70),
                   DocField::choice(QStringLiteral("ComTDS"), QStringLiteral("T.D.S.  [Y/N]"), {QStringLiteral("N"), QStringLiteral("Y")}),
                   DocField::lookup(QStringLiteral("txtTdsAc"), QStringLiteral("TDS A/c"), accounts(documents::PartyRange::AnyAccount)),
                   DocField::number(QStringLiteral("txtTdsP"), QStringLiteral("TDS %"), 3, 70),
                   DocField::text(QStringLiteral("txtRefNo"), QStringLiteral("Ref No")),
                   DocField::choice(QStringLiteral("ComReason"), QStringLiteral("Reason(GSTR-1)"), reasons),
                   DocField::choice(QStringLiteral("ComSkipGst"), QStringLiteral("Skip In GSTR"), {QStringLiteral("N"), QStringLiteral("Y")}),
                   DocField::text(QStringLiteral("txtRefNotes"), QStringLiteral("Notes"), 0, 2),
                   DocField::text(QStringLiteral("txtRemarks"), QStringLiteral("Description"), 0, 2)},
                  3);
    QComboBox* book = choiceField(QStringLiteral("txtBook"));
    book->addItem(QStringLiteral("Bill's Book"), 0);
    for (const documents::BookChoice& b : documents::booksOfKind(db_, firm, credit ? documents::BookKind::Sales : documents::BookKind::Purchase))
        book->addItem(QString::number(b.bookNo) + QLatin1Char(' ') + b.name, b.bookNo);
    declareGrid({GridColumn::text(QStringLiteral("Book")), GridColumn::text(QStringLiteral("Type")), GridColumn::text(QStringLiteral("Bill No")),
                 GridColumn::date(QStringLiteral("Bill Date")), GridColumn::number(QStringLiteral("Taxable Amt"), 2),
                 GridColumn::number(QStringLiteral("Bill Amt"), 2), GridColumn::number(QStringLiteral("Qty"), 3),
                 GridColumn::number(QStringLiteral("Rate"), 2), GridColumn::date(QStringLiteral("Due Date")),
                 GridColumn::number(QStringLiteral("UnPaid Amt"), 2, true)});
    declareCharges({other});
    declareList({{ListColumn::Number, QStringLiteral("CNNo")},
                 {ListColumn::Date, QStringLiteral("CNDAte")},
                 {ListColumn::Party, QStringLiteral("Party NAme")},
                 {ListColumn::Amount, QStringLiteral("NetAmt")},
                 {ListColumn::Text, QStringLiteral("Rate Type"), 0},
                 {ListColumn::Figure, QStringLiteral("GST"), 0},
                 {ListColumn::Figure, QStringLiteral("Taxable Amt"), 1},
                 {ListColumn::Figure, QStringLiteral("GST Amt"), 2}},
                QStringLiteral("note no, party or amount"));

    connect(lookupField(QStringLiteral("txtParty")), &LookupField::chosen, this, [this] { partyChosen(); });
    connect(lookupField(QStringLiteral("txtService")), &LookupField::chosen, this, [this] { serviceChosen(); });
    for (const char* name : {"txtPercent", "txtQty", "txtRate", "txtTaxable", "txtSgstP", "txtCgstP", "txtTdsP", "txtOther"})
        connect(textField(QString::fromLatin1(name)), &QLineEdit::textEdited, this, [this] { refreshTotals(); });
    for (const char* name : {"ComRateType", "ComTDS"})
        connect(choiceField(QString::fromLatin1(name)), &QComboBox::currentIndexChanged, this, [this] { refreshTotals(); });
    connect(lineGrid(), &QTableWidget::currentCellChanged, this, [this] {
        markChanged();
        refreshTotals();
    });
    finishLayout();
}

NoteScreen::~NoteScreen() = default;

void NoteScreen::clearDocument() {
    for (const char* name : {"txtCNNo", "txtPercent", "txtQty", "txtRate", "txtTaxable", "txtSgstP", "txtCgstP", "txtTdsP", "txtRefNo",
                             "txtRefNotes", "txtRemarks", "txtOther"})
        textField(QString::fromLatin1(name))->clear();
    for (const char* name : {"txtParty", "txtDrAc", "txtService", "txtTdsAc"}) lookupField(QString::fromLatin1(name))->clearChoice();
    for (const char* name : {"txtBook", "ComRateType", "ComTDS", "ComReason", "ComSkipGst"})
        choiceField(QString::fromLatin1(name))->setCurrentIndex(0);
    const QDate today = QDate::currentDate();
    dateField(QStringLiteral("DtpCnDate"))->setDate(session_.inYear(today) ? today : session_.yearEndDate);
    proposedNo_ = service_->nextNoteNo(kind_);
    textField(QStringLiteral("txtCNNo"))->setText(proposedNo_);
    fillBills(0);
}

void NoteScreen::partyChosen() {
    fillBills(0);
    markChanged();
}

void NoteScreen::serviceChosen() {
    const auto [sgst, cgst] = service_->itemGst(lookupField(QStringLiteral("txtService"))->chosenId());
    textField(QStringLiteral("txtSgstP"))->setText(blankIfZero(sgst, 2));
    textField(QStringLiteral("txtCgstP"))->setText(blankIfZero(cgst, 2));
    refreshTotals();
}

void NoteScreen::fillBills(qint64 selectedBill) {
    const qint64 party = lookupField(QStringLiteral("txtParty"))->chosenId();
    bills_ = party > 0 ? service_->openBills(kind_, party, documentId()) : std::vector<returns::NoteBill>{};
    std::vector<std::vector<Cell>> rows;
    int selected = -1;
    for (const returns::NoteBill& b : bills_) {
        if (b.id == selectedBill) selected = int(rows.size());
        rows.push_back({b.book, b.type, b.billNo, b.date, b.taxable, b.amount, b.quantity, b.rate, b.dueDate, b.unpaid});
    }
    {
        const QSignalBlocker quiet(lineGrid());
        setLines(rows);
        lineGrid()->setCurrentCell(selected, 0);
    }
    refreshTotals();
}

bool NoteScreen::chooseBill(const QString& billNo) {
    for (size_t i = 0; i < bills_.size(); ++i)
        if (bills_[i].billNo == billNo.trimmed()) {
            lineGrid()->setCurrentCell(int(i), 0);
            return true;
        }
    return false;
}

returns::Note NoteScreen::noteOnScreen() const {
    returns::Note n;
    n.id = documentId();
    n.kind = kind_;
    n.noteNo = textOf(QStringLiteral("txtCNNo"));
    n.date = dateField(QStringLiteral("DtpCnDate"))->date();
    n.bookNo = choiceField(QStringLiteral("txtBook"))->currentData().toLongLong();
    n.partyId = lookupField(QStringLiteral("txtParty"))->chosenId();
    n.otherAccountId = lookupField(QStringLiteral("txtDrAc"))->chosenId();
    n.rateType = choiceField(QStringLiteral("ComRateType"))->currentText();
    n.itemId = lookupField(QStringLiteral("txtService"))->chosenId();
    const int row = lineGrid()->currentRow();
    if (row >= 0 && row < int(bills_.size())) n.billIds = {bills_[size_t(row)].id};
    n.percent = numberOf(QStringLiteral("txtPercent"));
    n.quantity = numberOf(QStringLiteral("txtQty"));
    n.rateDifference = numberOf(QStringLiteral("txtRate"));
    n.typedTaxable = numberOf(QStringLiteral("txtTaxable"));
    n.sgstPercent = numberOf(QStringLiteral("txtSgstP"));
    n.cgstPercent = numberOf(QStringLiteral("txtCgstP"));
    n.otherCharges = numberOf(QStringLiteral("txtOther"));
    n.tds = choiceField(QStringLiteral("ComTDS"))->currentText() == QStringLiteral("Y");
    n.tdsAccountId = lookupField(QStringLiteral("txtTdsAc"))->chosenId();
    n.tdsPercent = numberOf(QStringLiteral("txtTdsP"));
    n.refNo = textOf(QStringLiteral("txtRefNo"));
    n.reasonCode = choiceField(QStringLiteral("ComReason"))->currentText().left(2);
    n.refNotes = textOf(QStringLiteral("txtRefNotes"));
    n.remarks = textOf(QStringLiteral("txtRemarks"));
    n.skipGst = choiceField(QStringLiteral("ComSkipGst"))->currentText() == QStringLiteral("Y");
    return n;
}

void NoteScreen::refreshTotals() {
    const returns::ComputedNote c = service_->compute(noteOnScreen());
    const QString gst = c.igst ? QStringLiteral("IGST  ") + shownAmount(c.igstAmount, 2)
                               : QStringLiteral("SGST  ") + shownAmount(c.sgst, 2) + QStringLiteral("     CGST  ") + shownAmount(c.cgst, 2);
    const QString basis = choiceField(QStringLiteral("ComRateType"))->currentText() == returns::kInterestBasis ? QStringLiteral("Tot Int. Amt")
                                                                                                               : QStringLiteral("Tot Disc Amt");
    setTotals(basis + QStringLiteral("  ") + shownAmount(c.taxable, 2) + QStringLiteral("     ") + gst + QStringLiteral("     Other (+/-)  ") +
                  shownAmount(c.otherCharges, 2) + QStringLiteral("     Rnd Off.  ") + shownAmount(c.roundOff, 2) + QStringLiteral("     TDS  ") +
                  shownAmount(c.tds, 2),
              QStringLiteral("Net Amt  ") + shownAmount(c.net, 2));
}

bool NoteScreen::saveDocument() {
    returns::Note note = noteOnScreen();
    if (note.id <= 0 && note.noteNo == proposedNo_) note.noteNo.clear();
    const auto id = service_->save(note);
    if (!id) return false;
    setDocumentId(*id);
    textField(QStringLiteral("txtCNNo"))->setText(note.noteNo);
    fillBills(note.billIds.front());
    setStatus(QStringLiteral("Saved as C.N. No ") + note.noteNo);
    return true;
}

void NoteScreen::loadDocument(qint64 id) {
    const auto n = service_->load(id);
    if (!n) return;
    textField(QStringLiteral("txtCNNo"))->setText(n->noteNo);
    dateField(QStringLiteral("DtpCnDate"))->setDate(n->date);
    lookupField(QStringLiteral("txtParty"))->setChosen(n->partyId, partyName(db_, session_.firmNo, n->partyId));
    lookupField(QStringLiteral("txtDrAc"))->setChosen(n->otherAccountId, partyName(db_, session_.firmNo, n->otherAccountId));
    showChoice(choiceField(QStringLiteral("txtBook")), n->bookNo);
    choiceField(QStringLiteral("ComRateType"))->setCurrentText(n->rateType);
    if (n->itemId > 0) lookupField(QStringLiteral("txtService"))->setChosen(n->itemId, trade::itemLabel(db_, n->itemId).name);
    textField(QStringLiteral("txtPercent"))->setText(blankIfZero(n->percent, 2));
    textField(QStringLiteral("txtQty"))->setText(blankIfZero(n->quantity, 3));
    textField(QStringLiteral("txtRate"))->setText(blankIfZero(n->rateDifference, 2));
    textField(QStringLiteral("txtTaxable"))->setText(blankIfZero(n->typedTaxable, 2));
    textField(QStringLiteral("txtSgstP"))->setText(blankIfZero(n->sgstPercent, 2));
    textField(QStringLiteral("txtCgstP"))->setText(blankIfZero(n->cgstPercent, 2));
    textField(QStringLiteral("txtOther"))->setText(blankIfZero(n->otherCharges, 2));
    choiceField(QStringLiteral("ComTDS"))->setCurrentText(n->tds ? QStringLiteral("Y") : QStringLiteral("N"));
    if (n->tdsAccountId > 0) lookupField(QStringLiteral("txtTdsAc"))->setChosen(n->tdsAccountId, partyName(db_, session_.firmNo, n->tdsAccountId));
    textField(QStringLiteral("txtTdsP"))->setText(blankIfZero(n->tdsPercent, 2));
    textField(QStringLiteral("txtRefNo"))->setText(n->refNo);
    QComboBox* reason = choiceField(QStringLiteral("ComReason"));
    for (int i = 0; i < reason->count(); ++i)
        if (!n->reasonCode.isEmpty() && reason->itemText(i).startsWith(n->reasonCode)) reason->setCurrentIndex(i);
    choiceField(QStringLiteral("ComSkipGst"))->setCurrentText(n->skipGst ? QStringLiteral("Y") : QStringLiteral("N"));
    textField(QStringLiteral("txtRefNotes"))->setText(n->refNotes);
    textField(QStringLiteral("txtRemarks"))->setText(n->remarks);
    fillBills(n->billIds.empty() ? 0 : n->billIds.front());
}

bool NoteScreen::removeDocument(qint64 id) { return service_->remove(id); }

documents::DocumentPage NoteScreen::listDocuments(const documents::ListFilter& filter) { return service_->list(kind_, filter); }

void NoteScreen::printDocument(bool pdf) {
    const qint64 id = documentId();
    if (id <= 0) return;
    try {
        printDocumentRequest(db_, session_, messages_, returns::noteRequest(db_, session_, id),
                             returns::notePdfName(kind_, textOf(QStringLiteral("txtCNNo"))), pdf, this);
    } catch (const reports::ReportError& error) {
        messages_.critical(QStringLiteral("Report"), error.text());
    }
}

}  // namespace tanabana::gui
