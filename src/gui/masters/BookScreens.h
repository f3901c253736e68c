#pragma once
// The book masters: sales and purchase books (FrmBookMst) with their bill prefix, the accounts
// their documents post to and the captions of their line columns, and cash and bank books
// (FrmBookMstCash) that name their cash or bank account. Accounts are chosen by name or code.
#include "domain/masters/BookMaster.h"
#include "gui/common/MasterForm.h"

namespace tanabana::gui {

class BookScreen : public MasterForm {
    Q_OBJECT
public:
    BookScreen(Session& session, masters::BookKind kind, QWidget* parent = nullptr, Messages* messages = nullptr);

protected:
    qint64 save(const QVariantMap& values, QString* focusColumn) override;
    bool remove(qint64 key) override;
    void load(qint64 key) override;
    void refreshList() override;
    void prepareNew() override;

private:
    void declareSalesPurchaseFields();
    void declareCashBankFields();
    void fillAccountLists();
    masters::BookKind kind_;
    masters::BookMaster books_;
};

}  // namespace tanabana::gui
