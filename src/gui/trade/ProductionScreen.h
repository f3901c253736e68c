#pragma once
// frmProduction: a production challan of the looms. The operator picks the book and the job-work
// party, then types takas: taka number (the next one is proposed; a number used anywhere in the
// firm is refused at once with "Taka Duplication"), quality, pieces, cut, metres and loom. Enter
// on an empty taka number goes to Save; Enter on a taka of the grid not yet sent takes it out.
#include "db/Database.h"
#include "domain/jobwork/ProductionChallans.h"
#include "gui/common/DocumentForm.h"

#include <memory>

class QComboBox;

namespace tanabana::gui {

class ProductionScreen : public DocumentForm {
    Q_OBJECT
public:
    ProductionScreen(db::Database& db, Session& session, Messages& messages, QWidget* parent = nullptr);
    void openChallan(qint64 id) { openEntry(id); }
    jobwork::ProductionChallan challanOnScreen() const;

protected:
    void clearDocument() override;
    bool saveDocument() override;
    void loadDocument(qint64 id) override;
    bool removeDocument(qint64 id) override { return service_->remove(id); }
    documents::DocumentPage listDocuments(const documents::ListFilter& filter) override;
    void printDocument(bool pdf) override;

private:
    void addTaka();
    void takeOut(int row);
    void refreshGrid();

    db::Database& db_;
    Messages& serviceMessages_;
    std::unique_ptr<jobwork::ProductionChallans> service_;
    std::vector<jobwork::ProductionTaka> takas_;
    QComboBox* book_ = nullptr;
    LookupField* quality_ = nullptr;
    QLineEdit* takaNo_ = nullptr;
};

}  // namespace tanabana::gui
