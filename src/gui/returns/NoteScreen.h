#pragma once
// The GST credit note (frmCreditNoteGSTNew, "Credit Note") and debit note
// (frmCreditNoteGSTNewDebit) screens: the party, the account taking the other side, the basis of
// the taxable amount (a percent of the bill for "Disc %" / "Int. %", else quantity x rate
// difference or a typed amount), GST percents, other (+/-), TDS, reference, reason of the GSTR-1
// and "Skip In GSTR". The grid lists the party's open bills; the row under the cursor is the
// bill the note refers to. Amounts and every rule are the service's.
#include "db/Database.h"
#include "domain/returns/Notes.h"
#include "gui/common/DocumentForm.h"

#include <memory>

namespace tanabana::gui {

class NoteScreen : public DocumentForm {
    Q_OBJECT
public:
    NoteScreen(db::Database& db, Session& session, Messages& messages, returns::NoteKind kind, QWidget* parent = nullptr);
    ~NoteScreen() override;

    // Puts the cursor on the listed bill of that number (as the operator picks it); false when not listed.
    bool chooseBill(const QString& billNo);

protected:
    void clearDocument() override;
    bool saveDocument() override;
    void loadDocument(qint64 id) override;
    bool removeDocument(qint64 id) override;
    documents::DocumentPage listDocuments(const documents::ListFilter& filter) override;
    void printDocument(bool pdf) override;

private:
    returns::Note noteOnScreen() const;
    void partyChosen();
    void serviceChosen();
    void fillBills(qint64 selectedBill);
    void refreshTotals();

    db::Database& db_;
    returns::NoteKind kind_;
    std::unique_ptr<returns::Notes> service_;
    std::vector<returns::NoteBill> bills_;
    QString proposedNo_;
};

}  // namespace tanabana::gui
