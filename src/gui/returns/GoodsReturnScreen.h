#pragma once
// The sales return (frmSalesRet) and purchase return (frmPurchaseRet) screens: the header of the
// bill the goods came from and the reason, lines typed as on the bill, and the grid of the party's
// open bills ("paid bills") in whose "Adjust" column the operator enters how much of the return
// settles each bill; "Balance Remain" shows what is still free. Amounts and every rule are the
// service's.
#include "db/Database.h"
#include "domain/returns/GoodsReturns.h"
#include "gui/common/DocumentForm.h"

#include <memory>

class QLabel;
class QTableWidget;

namespace tanabana::gui {

class GoodsReturnScreen : public DocumentForm {
    Q_OBJECT
public:
    enum class Kind { Sales, Purchase };
    GoodsReturnScreen(db::Database& db, Session& session, Messages& messages, Kind kind, QWidget* parent = nullptr);
    ~GoodsReturnScreen() override;

    QTableWidget* billsGrid() const { return bills_; }
    // Types an adjustment against the listed bill of that number (as the operator does in the grid).
    bool adjust(const QString& billNo, const QString& amount);

protected:
    void clearDocument() override;
    bool saveDocument() override;
    void loadDocument(qint64 id) override;
    bool removeDocument(qint64 id) override;
    documents::DocumentPage listDocuments(const documents::ListFilter& filter) override;
    void printDocument(bool pdf) override;

private:
    struct Line {
        qint64 itemId = 0;
        trade::InvoiceLineInput input;
    };
    bool sales() const { return kind_ == Kind::Sales; }
    void bookChosen();
    void partyChosen();
    void itemChosen();
    void addLine();
    void refreshGrid();
    void fillBills(const std::vector<returns::Adjustment>& adjusted);
    void refreshBalance();
    std::vector<returns::Adjustment> adjustmentsOnScreen() const;
    template <typename Return>
    void fillCommon(Return& r) const;
    returns::SalesReturn salesOnScreen() const;
    returns::PurchaseReturn purchaseOnScreen() const;
    Decimal netOnScreen() const;

    db::Database& db_;
    Kind kind_;
    std::unique_ptr<returns::SalesReturns> salesService_;
    std::unique_ptr<returns::PurchaseReturns> purchaseService_;
    std::vector<Line> lines_;
    std::vector<qint64> billIds_;  // the bills grid's rows
    QString proposedNo_;
    QTableWidget* bills_ = nullptr;
    QLabel* balance_ = nullptr;
};

}  // namespace tanabana::gui
