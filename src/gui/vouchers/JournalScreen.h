#pragma once
// The journal voucher windows: a voucher number and date, each entry a credit account, a debit
// account (cash and bank accounts are not offered: they go through their own vouchers), the
// amount, a reference and the narrations; the grid lists both lines of every entry, Enter on a row
// brings the entry back to change it and Delete removes it.
//   FRMJournalEntry1 posts each entry as soon as Enter leaves its last field (the later entries
//   move down when one is deleted);
//   FRMJournalEntry gathers the entries on screen and Save posts the whole voucher at once,
//   replacing what it held before.
#include "domain/vouchers/JournalVouchers.h"
#include "gui/vouchers/VoucherForm.h"

#include <memory>

namespace tanabana::gui {

class JournalScreen : public VoucherForm {
    Q_OBJECT
public:
    enum class Mode { EntryByEntry, WholeVoucher };
    JournalScreen(db::Database& db, Session& session, Messages& messages, Mode mode = Mode::EntryByEntry,
                  QWidget* parent = nullptr);
    ~JournalScreen() override;

    // Enter on the last field: posts the entry (entry by entry) or puts it in the voucher on screen.
    bool postEntry();
    void editEntry(int row) override;
    void deleteGridEntry(int row) override;

protected:
    void clearDocument() override;
    bool saveDocument() override;
    void loadDocument(qint64 id) override;
    bool removeDocument(qint64 id) override;
    documents::DocumentPage listDocuments(const documents::ListFilter& filter) override;
    void printDocument(bool pdf) override;
    void showVoucher() override;

private:
    void clearLine();
    int entryOfRow(int row) const;
    // The entry typed in the line fields; false when nothing is typed yet.
    bool typedEntry(vouchers::JournalEntry& e);
    bool keepEntry();

    Mode mode_;
    std::unique_ptr<vouchers::JournalVouchers> service_;
    vouchers::JournalVoucher voucher_;
    int editing_ = 0;  // the entry in the line fields: its serial (entry by entry) or place + 1 (whole voucher)
};

}  // namespace tanabana::gui
