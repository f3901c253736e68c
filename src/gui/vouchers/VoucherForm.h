#pragma once
// What the receipt, payment and journal windows share: a voucher whose entries are posted one by
// one (or gathered and saved whole), its number and date on top, a grid of its entries where Enter
// (or a double click) brings an entry back into the fields and Delete removes it, and printing
// through the voucher's layout. A window gives its fields, how it shows its voucher and what
// changing or removing an entry means.
#include "core/Messages.h"
#include "db/Database.h"
#include "gui/common/DocumentForm.h"

namespace tanabana::gui {

class VoucherForm : public DocumentForm {
    Q_OBJECT
public:
    // An entry of a grid row into the line fields to be changed; removes the entry of a row.
    virtual void editEntry(int row) = 0;
    virtual void deleteGridEntry(int row) = 0;

protected:
    VoucherForm(const QString& objectName, const QString& caption, db::Database& db, Session& session, Messages& messages,
                QWidget* parent);

    // Wires the entry grid's keys; last in the window's constructor, after finishLayout.
    void watchEntryGrid();
    // The date a new voucher starts with: today inside the open year, else its last day.
    QDate proposedDate() const;
    // A voucher just posted: shown under its number and listed, the cursor back on `next`.
    void showPosted(qint64 voucherNo, QWidget* next);
    // The voucher through the print preview or to a PDF for e-mail.
    void printVoucher(int tableCode, qint64 voucherNo, const QString& pdfName, bool pdf);
    // Shows the voucher held by the window (its grid, total and a fresh entry line).
    virtual void showVoucher() = 0;

    bool eventFilter(QObject* watched, QEvent* event) override;

    db::Database& db_;
    Messages& serviceMessages_;
};

}  // namespace tanabana::gui
