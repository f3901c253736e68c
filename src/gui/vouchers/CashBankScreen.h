#pragma once
// The four receipt and payment windows (FrmCashReceipt, FRMCashPayment, FrmBankReceipt,
// FRMBankPayment): a voucher of a cash or bank book, its entries typed one after the other and
// each posted as soon as Enter leaves "Bl :" (with "Y" the bill panel opens first, F6 opens it at
// any time), the entries' grid newest first with Enter to change one and Delete to remove it, and
// the vouchers' entries listed below to open, search and print.
#include "domain/vouchers/CashBankVouchers.h"
#include "gui/vouchers/VoucherForm.h"

#include <memory>
#include <optional>

namespace tanabana::gui {

class SettlementPanel;

class CashBankScreen : public VoucherForm {
    Q_OBJECT
public:
    CashBankScreen(db::Database& db, Session& session, Messages& messages, vouchers::CashBankKind kind,
                   QWidget* parent = nullptr);
    ~CashBankScreen() override;

    // How the bill panel is shown: modal by default; tests answer it themselves.
    using PanelRunner = std::function<bool(SettlementPanel& panel)>;
    void setPanelRunner(PanelRunner runner) { runPanel_ = std::move(runner); }

    // Posts the entry in the line fields (the bill panel first when "Bl :" is Y); false when
    // refused or the panel was left with Esc.
    bool postEntry();
    // Puts an entry of the grid (row 0 the newest) into the line fields to be changed.
    void editEntry(int row) override;
    // Deletes the entry of a grid row after the questions.
    void deleteGridEntry(int row) override;
    // Opens the voucher with this number (when the firm has it).
    void openVoucher(qint64 voucherNo) { openEntry(voucherNo); }

protected:
    void clearDocument() override;
    bool saveDocument() override;
    void loadDocument(qint64 id) override;
    bool removeDocument(qint64 id) override;
    documents::DocumentPage listDocuments(const documents::ListFilter& filter) override;
    void printDocument(bool pdf) override;
    // Receipts go to their party by WhatsApp, the entry of the grid's current row (else the newest).
    bool sendsWhatsApp() const override;
    void sendWhatsApp() override;
    bool functionKey(int key) override;
    void showVoucher() override;

private:
    void declareFields();
    void clearLine();
    void bookChosen();
    void partyChosen();
    void voucherNumberTyped();
    bool openPanel();
    // A bank payment's cheques (one a payment) or payment advice, through the preview.
    void printBankPayment(bool cheques);
    qint64 bookNo() const;

    std::unique_ptr<vouchers::CashBankVouchers> service_;
    vouchers::CashBankVoucher voucher_;
    int editing_ = 0;                                // serial of the entry in the line fields; 0 a new one
    std::vector<vouchers::Settlement> settlements_;  // of the entry in the line fields
    bool panelTaken_ = false;                        // the panel was answered with OK for this entry
    PanelRunner runPanel_;
};

}  // namespace tanabana::gui
