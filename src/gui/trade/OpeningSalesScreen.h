#pragma once
// frmSalesOp: pending sales bills carried from an earlier year. Header only: book, bill number,
// date, party and the amount still due; saved with its outstanding row and no journal lines.
#include "db/Database.h"
#include "domain/trade/SalesInvoices.h"
#include "gui/common/DocumentForm.h"

#include <memory>

namespace tanabana::gui {

class OpeningSalesScreen : public DocumentForm {
    Q_OBJECT
public:
    OpeningSalesScreen(db::Database& db, Session& session, Messages& messages, QWidget* parent = nullptr);

protected:
    void clearDocument() override;
    bool saveDocument() override;
    void loadDocument(qint64 id) override;
    bool removeDocument(qint64 id) override { return service_->removeOpening(id); }
    documents::DocumentPage listDocuments(const documents::ListFilter& filter) override { return service_->openingBillList(filter); }
    void printDocument(bool) override {}

private:
    db::Database& db_;
    std::unique_ptr<trade::SalesInvoices> service_;
};

}  // namespace tanabana::gui
