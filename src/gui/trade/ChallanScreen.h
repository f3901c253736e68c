#pragma once
// frmChalan and frmChalan_Taka: delivery challans typed line by line, or built from produced
// takas ticked in the list of takas not yet sent. Enter moves through the fields; Enter on the
// last field of a line adds it; Enter on an empty quality goes to Save. Enter (or a double click)
// on a line of the grid ticks it as checked against the goods.
#include "db/Database.h"
#include "domain/trade/DeliveryChallans.h"
#include "gui/common/DocumentForm.h"

#include <memory>

class QComboBox;
class QTableWidget;

namespace tanabana::gui {

class ChallanScreen : public DocumentForm {
    Q_OBJECT
public:
    // `fromTakas`: the taka screen (frmChalan_Taka).
    ChallanScreen(db::Database& db, Session& session, Messages& messages, bool fromTakas, QWidget* parent = nullptr);
    void openChallan(qint64 id) { openEntry(id); }
    trade::DeliveryChallan challanOnScreen() const;

protected:
    void clearDocument() override;
    bool saveDocument() override;
    void loadDocument(qint64 id) override;
    bool removeDocument(qint64 id) override { return service_->remove(id); }
    documents::DocumentPage listDocuments(const documents::ListFilter& filter) override;
    void printDocument(bool pdf) override;

private:
    void addLine();
    void toggleChecked(int row);
    void refreshGrid();
    void refreshTakas();
    void takeTickedTakas();

    db::Database& db_;
    Messages& serviceMessages_;
    bool fromTakas_;
    std::unique_ptr<trade::DeliveryChallans> service_;
    // The saved challan as opened: what other documents wrote to it stays on a re-save.
    std::optional<trade::DeliveryChallan> openedChallan_;
    std::vector<trade::ChallanLine> lines_;
    QComboBox* book_ = nullptr;
    LookupField* quality_ = nullptr;
    QTableWidget* takas_ = nullptr;
};

}  // namespace tanabana::gui
