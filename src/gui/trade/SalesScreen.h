#pragma once
// The sales invoice screen. The operator picks the book (the next bill number follows), the party
// (a search list opens under the field; its state decides SGST + CGST or IGST) and the lines;
// Enter on the last field of a line adds it and comes back for the next; Enter on an empty line
// goes to the charges and then to Save. Totals, GST, TCS, TDS and round-off are the service's.
// Every header field of the bill is on screen, so a re-save keeps them all.
//
// Lines may also come from a line source (SalesLineSources.h), which gives the window its name:
//   frmSales         lines typed by quality;
//   frmSales_Single  the item chosen as design number, then colour, with quick entry of one
//                    quantity and rate for ticked colours;
//   frmSalesBetDt    the party's unbilled delivery challans between two dates ticked into one bill.
#include "db/Database.h"
#include "domain/trade/SalesInvoices.h"
#include "gui/common/DocumentForm.h"

#include <memory>

class QComboBox;

namespace tanabana::gui {

class SalesLineSource;

class SalesScreen : public DocumentForm {
    Q_OBJECT
public:
    enum class Kind { Main, Single, Period };
    SalesScreen(db::Database& db, Session& session, Messages& messages, Kind kind = Kind::Main, QWidget* parent = nullptr);
    ~SalesScreen() override;

    // Opens a saved bill (asking first when the one on screen has unsaved changes).
    void openBill(qint64 id) { openEntry(id); }
    // The bill as it stands on screen.
    trade::SalesBill billOnScreen() const;
    qint64 currentId() const { return documentId(); }

protected:
    void clearDocument() override;
    bool saveDocument() override;
    void loadDocument(qint64 id) override;
    bool removeDocument(qint64 id) override;
    documents::DocumentPage listDocuments(const documents::ListFilter& filter) override;
    void printDocument(bool pdf) override;
    bool sendsWhatsApp() const override { return true; }
    void sendWhatsApp() override;
    bool markListed(qint64 id, bool marked) override;
    bool functionKey(int key) override;

private:
    friend class SalesLineSource;
    void declareFields();
    void addOwnButtons();
    void wireKeys();
    void bookChosen();
    void partyChosen();
    void qualityChosen();
    void addLine();
    void editLine(int row);
    void refreshGrid();
    void refreshTotals();
    void challanTyped();
    void showParty(qint64 fieldId, const QString& field);
    trade::SalesLine lineFromEntry() const;

    db::Database& db_;
    Messages& serviceMessages_;
    std::unique_ptr<trade::SalesInvoices> service_;
    std::unique_ptr<SalesLineSource> source_;
    // The saved bill as opened: what receipts and other screens wrote to it stays on a re-save.
    std::optional<trade::SalesBill> openedBill_;
    QString proposedNo_;  // the number proposed for a new bill; left as it is, the save takes the next free one
    std::vector<trade::SalesLine> lines_;
    std::pair<qint64, qint64> editedSource_;      // challan and line of a challan line taken back for editing
    std::optional<trade::SalesLine> editedLine_;  // a line taken back for editing: its own GST rates stay
    QString savedNo_;                             // the number the last save took

    QComboBox* book_ = nullptr;
    LookupField* party_ = nullptr;
    LookupField* quality_ = nullptr;
    QComboBox* printType_ = nullptr;
    QComboBox* smsForm_ = nullptr;
    QLineEdit* smsText_ = nullptr;
    QComboBox* pending_ = nullptr;
};

}  // namespace tanabana::gui
