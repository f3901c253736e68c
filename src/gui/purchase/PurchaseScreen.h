#pragma once
// The purchase invoice screens. The operator picks the purchase book, types the supplier's bill
// number and date and picks the supplier (a bill of that supplier with that number opens instead
// of a second one), then the lines: the item's purchase rate and GST come with it, and the last
// rate the supplier billed for it is shown. Line 1 of a goods bill takes its taka list (Enter on
// the metres adds a taka; Enter on an empty taka number goes on to the next line). Totals, GST,
// TCS, TDS and round-off are the service's.
//
//   frmPurchase         goods bought on a purchase book;
//   frmPurchaseGeneral  an expense ("service") bought on a general purchase book: the service
//                       account takes the debit, the line's GST is typed, and the day's purchases
//                       from reverse-charge suppliers are shown against the firm's free limit;
//   frmPurchaseGen_Multi  the same with lines of items, as on the goods screen (no taka list).
#include "db/Database.h"
#include "domain/trade/PurchaseInvoices.h"
#include "gui/common/DocumentForm.h"

#include <memory>
#include <optional>

class QComboBox;

namespace tanabana::gui {

class PurchaseScreen : public DocumentForm {
    Q_OBJECT
public:
    PurchaseScreen(db::Database& db, Session& session, Messages& messages, trade::PurchaseKind kind = trade::PurchaseKind::Goods,
                   QWidget* parent = nullptr);
    ~PurchaseScreen() override;

    void openBill(qint64 id) { openEntry(id); }
    // The bill as it stands on screen.
    trade::PurchaseBill billOnScreen() const;
    QTableWidget* takaGrid() const { return takaGrid_; }

protected:
    void clearDocument() override;
    bool saveDocument() override;
    void loadDocument(qint64 id) override;
    bool removeDocument(qint64 id) override;
    documents::DocumentPage listDocuments(const documents::ListFilter& filter) override;
    void printDocument(bool pdf) override;
    bool markListed(qint64 id, bool marked) override;

private:
    bool goods() const { return kind_ == trade::PurchaseKind::Goods; }
    // Lines of items from the item master (goods, and expenses of several items).
    bool itemLines() const { return kind_ != trade::PurchaseKind::Expense; }
    void declareFields();
    void buildTakaPanel();
    void wireKeys();
    void bookChosen();
    void partyChosen();
    // The supplier's number names a saved bill of the supplier: that bill is opened instead.
    void openEarlierBill();
    void itemChosen();
    bool addLine();
    void editLine(int row);
    void addTaka();
    void refreshGrid();
    void refreshTakas();
    void refreshTotals();
    void showReverseChargeDay();
    trade::PurchaseLine lineFromEntry() const;

    db::Database& db_;
    Messages& serviceMessages_;
    trade::PurchaseKind kind_;
    std::unique_ptr<trade::PurchaseInvoices> service_;
    // The saved bill as opened: what other documents wrote to it (mill issues) stays on a re-save.
    std::optional<trade::PurchaseBill> openedBill_;
    std::vector<trade::PurchaseLine> lines_;
    std::optional<trade::PurchaseLine> editedLine_;
    std::vector<trade::PurchaseTaka> takas_;

    QComboBox* book_ = nullptr;
    LookupField* party_ = nullptr;
    LookupField* item_ = nullptr;
    QComboBox* printType_ = nullptr;
    QTableWidget* takaGrid_ = nullptr;
    QLineEdit* takaNo_ = nullptr;
    NumberBox* takaMetres_ = nullptr;
};

}  // namespace tanabana::gui
