#pragma once
// The quality-wise job-process challans: frmIssueToMill ("Job Process Issue (Outward
// Challan)") types qualities with pieces and metres sent to a job worker; frmIssueToMillRec
// ("Job Process Receive (Inward Challan)") ticks the job worker's open issue lines, corrects
// what came back, and adds GST and T.D.S. to the bill it posts.
#include "db/Database.h"
#include "domain/mill/JobProcess.h"
#include "gui/common/DocumentForm.h"

#include <memory>

class QComboBox;

namespace tanabana::gui {

class SelectionGrid;

class JobProcessScreen : public DocumentForm {
    Q_OBJECT
public:
    JobProcessScreen(db::Database& db, Session& session, Messages& messages, bool receipt, QWidget* parent = nullptr);
    void ShowBilldata(qint64 id) { openEntry(id); }
    mill::JobChallan challanOnScreen() const;
    SelectionGrid* pendingLines() const { return pending_; }
    void takeTicked();

protected:
    bool removeDocument(qint64 id) override { return service_->remove(id); }
    void clearDocument() override;
    void loadDocument(qint64 id) override;
    bool saveDocument() override;
    void printDocument(bool pdf) override;
    documents::DocumentPage listDocuments(const documents::ListFilter& filter) override;

private:
    void addLine();
    void offerPending();
    void refreshGrid();

    db::Database& db_;
    bool receipt_;
    std::unique_ptr<mill::JobProcessChallans> service_;
    std::vector<mill::JobLine> lines_;
    std::vector<mill::PendingJobLine> offer_;
    QComboBox* book_ = nullptr;
    SelectionGrid* pending_ = nullptr;
};

}  // namespace tanabana::gui
