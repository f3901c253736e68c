#pragma once
// The journal voucher window posted entry by entry (FRMJournalEntry1): a voucher number and date,
// each entry a credit account, a debit account (cash and bank accounts are not offered: they go
// through their own vouchers), the amount, a reference and the narrations, posted as soon as Enter
// leaves the last field; the grid lists both lines of every entry, Enter on a row brings the entry
// back to change it and Delete removes it, the later entries moving down.
#include "domain/vouchers/JournalVouchers.h"
#include "gui/common/DocumentForm.h"

#include <memory>

namespace tanabana::gui {

class JournalScreen : public DocumentForm {
    Q_OBJECT
public:
    JournalScreen(db::Database& db, Session& session, Messages& messages, QWidget* parent = nullptr);
    ~JournalScreen() override;

    bool postEntry();
    void editEntry(int row);
    void deleteGridEntry(int row);

protected:
    void clearDocument() override;
    bool saveDocument() override;
    void loadDocument(qint64 id) override;
    bool removeDocument(qint64 id) override;
    documents::DocumentPage listDocuments(const documents::ListFilter& filter) override;
    void printDocument(bool pdf) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showVoucher();
    void clearLine();
    int entryOfRow(int row) const;

    db::Database& db_;
    Messages& serviceMessages_;
    std::unique_ptr<vouchers::JournalVouchers> service_;
    vouchers::JournalVoucher voucher_;
    int editing_ = 0;
};

}  // namespace tanabana::gui
