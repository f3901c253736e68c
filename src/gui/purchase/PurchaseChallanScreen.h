#pragma once
// Purchase challans ("  Purchase Chalan"): fabric received from a supplier before the bill, lines
// of item, pieces, cut, quantity and rate, without tax and without posting.
#include "db/Database.h"
#include "domain/trade/PurchaseChallans.h"
#include "domain/trade/PurchaseInvoices.h"
#include "gui/common/DocumentForm.h"

#include <memory>

namespace tanabana::gui {

class PurchaseChallanScreen : public DocumentForm {
    Q_OBJECT
public:
    PurchaseChallanScreen(db::Database& db, Session& session, Messages& messages, QWidget* parent = nullptr);
    ~PurchaseChallanScreen() override;

    trade::PurchaseChallan challanOnScreen() const;

protected:
    void clearDocument() override;
    bool saveDocument() override;
    void loadDocument(qint64 id) override;
    bool removeDocument(qint64 id) override;
    documents::DocumentPage listDocuments(const documents::ListFilter& filter) override;
    void printDocument(bool pdf) override {}

private:
    bool addLine();
    void refreshGrid();

    db::Database& db_;
    std::unique_ptr<trade::PurchaseChallans> challans_;
    std::unique_ptr<trade::PurchaseInvoices> purchases_;  // the supplier and item lists
    std::vector<trade::PurchaseChallanLine> lines_;
};

}  // namespace tanabana::gui
