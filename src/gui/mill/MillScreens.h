#pragma once
// The mill challan screens. The issue (frmIssueToMill_1, "Job Work Issue To Mill") picks the
// book, mill, grey quality and job process, then ticks takas offered by a weaver's purchase bill
// (or, in the grey variants, the looms' takas not yet issued) or types them; the receipt
// (frmIssueToMillRec_1, "Job Work Receive From Mill") picks the mill, then an issue challan with
// takas out (F7), ticks the takas that came back and types each one's finished metres: shortage,
// "%" and amount follow, and the bill under the grid.
//
// The variants are declarations of the same two screens: their window name and caption, where
// the takas come from, and whether produced takas are offered by a metres range.
#include "db/Database.h"
#include "domain/mill/MillIssues.h"
#include "domain/mill/MillReceipts.h"
#include "gui/common/DocumentForm.h"

#include <memory>

class QComboBox;
class QTableWidget;

namespace tanabana::gui {

class SelectionGrid;

struct MillScreenVariant {
    QString objectName;
    QString caption;
    mill::TakaSource source = mill::TakaSource::Purchase;
    bool metresRange = false;  // grey cut: produced takas offered between two lengths
    // Bleaching screens: their own print layouts; on the receipt the grey given back unprocessed
    // ("Grey Ret") and the takas of every open challan of the mill offered at once when asked.
    bool bleaching = false;
};

// frmIssueToMill_1, frmIssueToMill_1_BL, frmIssueToMill_1_Grey, frmIssueToMill_1_GreyCut.
const MillScreenVariant& millIssueVariant(const QString& objectName);
// frmIssueToMillRec_1, frmIssueToMillRec_1_BL, frmIssueToMillRec_1_grey.
const MillScreenVariant& millReceiptVariant(const QString& objectName);

class MillIssueScreen : public DocumentForm {
    Q_OBJECT
public:
    MillIssueScreen(db::Database& db, Session& session, Messages& messages, const MillScreenVariant& variant, QWidget* parent = nullptr);
    void ShowBilldata(qint64 id) { openEntry(id); }
    mill::MillIssue issueOnScreen() const;
    SelectionGrid* offeredTakas() const { return offered_; }
    // Fills the offer: the weaver's bill (by its number), or the looms' takas.
    void offerPurchaseBill(qint64 billId);
    void offerProduced();
    void takeTicked();

protected:
    bool removeDocument(qint64 id) override { return service_->remove(id); }
    void clearDocument() override;
    void loadDocument(qint64 id) override;
    bool saveDocument() override;
    void printDocument(bool pdf) override;
    bool sendsWhatsApp() const override { return true; }
    void sendWhatsApp() override;
    documents::DocumentPage listDocuments(const documents::ListFilter& filter) override;

private:
    void addTypedTaka();
    void refreshGrid();
    QWidget* sourcePanel();

    db::Database& db_;
    MillScreenVariant variant_;
    std::unique_ptr<mill::MillIssues> service_;
    mill::MillIssue source_;  // where the lines came from: purchase bill and weaver
    std::vector<mill::MillIssueLine> lines_;
    std::vector<mill::OfferedTaka> offer_;
    QComboBox* book_ = nullptr;
    LookupField* weaver_ = nullptr;
    QComboBox* bills_ = nullptr;
    NumberBox* fromMetres_ = nullptr;
    NumberBox* toMetres_ = nullptr;
    SelectionGrid* offered_ = nullptr;
    QComboBox* printType_ = nullptr;
};

class MillReceiptScreen : public DocumentForm {
    Q_OBJECT
public:
    MillReceiptScreen(db::Database& db, Session& session, Messages& messages, const MillScreenVariant& variant, QWidget* parent = nullptr);
    void ShowBilldata(qint64 id) { openEntry(id); }
    mill::MillReceipt receiptOnScreen() const;
    SelectionGrid* pendingTakas() const { return pending_; }
    QComboBox* issueChallans() const { return challans_; }
    // Per issue challan: grey and finished metres, shortage and amount of the takas on screen.
    QTableWidget* summaryGrid() const { return summary_; }
    // The takas of the chosen issue challan that came back, finished metres still to type.
    void takeTicked();
    // The finished metres (and Fin.) of one line, as typed in the line fields.
    void setFinished(int row, Decimal metres, bool finished = true);
    // Bleaching receipt: the grey metres of one line given back unprocessed.
    void setGreyReturned(int row, Decimal metres);

protected:
    bool removeDocument(qint64 id) override { return service_->remove(id); }
    void clearDocument() override;
    void loadDocument(qint64 id) override;
    bool saveDocument() override;
    void printDocument(bool pdf) override;
    documents::DocumentPage listDocuments(const documents::ListFilter& filter) override;
    bool functionKey(int key) override;

private:
    void offerChallans();
    void offerTakas();
    void editLine(int row);
    void applyLine();
    void refreshGrid();
    void refreshSummary(const mill::MillReceipt& receipt);

    db::Database& db_;
    MillScreenVariant variant_;
    std::unique_ptr<mill::MillReceipts> service_;
    bool showAll_ = false;  // the takas of every open challan of the mill, not only the chosen one
    std::vector<mill::MillReceiptLine> lines_;
    std::vector<mill::PendingTaka> offer_;
    int editing_ = -1;
    QComboBox* book_ = nullptr;
    QComboBox* challans_ = nullptr;
    SelectionGrid* pending_ = nullptr;
    QTableWidget* summary_ = nullptr;
    QComboBox* printType_ = nullptr;
};

}  // namespace tanabana::gui
