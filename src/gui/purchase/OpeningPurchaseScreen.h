#pragma once
// Opening (pending) purchase bills: what the firm still owed its suppliers when the year began,
// header only, each with its outstanding row so that payments can settle it.
#include "db/Database.h"
#include "domain/trade/PurchaseInvoices.h"
#include "gui/common/DocumentForm.h"

#include <memory>

namespace tanabana::gui {

class OpeningPurchaseScreen : public DocumentForm {
    Q_OBJECT
public:
    OpeningPurchaseScreen(db::Database& db, Session& session, Messages& messages, QWidget* parent = nullptr);
    ~OpeningPurchaseScreen() override;

protected:
    void clearDocument() override;
    bool saveDocument() override;
    void loadDocument(qint64 id) override;
    bool removeDocument(qint64 id) override;
    documents::DocumentPage listDocuments(const documents::ListFilter& filter) override;
    void printDocument(bool pdf) override {}

private:
    db::Database& db_;
    std::unique_ptr<trade::PurchaseInvoices> service_;
};

}  // namespace tanabana::gui
