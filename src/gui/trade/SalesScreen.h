#pragma once
// The sales invoice screens. The operator picks the book (the next bill number follows), the
// party (a search list opens under the field; its state decides SGST + CGST or IGST) and the
// lines; Enter on the last field of a line adds it and comes back for the next; Enter on an empty
// line goes to the charges and then to Save. Totals, GST, TCS, TDS and round-off are the service's.
//
// Three windows share it:
//   frmSales         lines typed by quality;
//   frmSales_Single  the item chosen as design number, then colour (a production firm selling
//                    pieces), with quick entry of one quantity and rate for ticked colours;
//   frmSalesBetDt    the party's unbilled delivery challans between two dates ticked into one bill.
// A saved bill opened from the list is printed, or sent to the party by WhatsApp or SMS.
#include "core/Messages.h"
#include "core/Session.h"
#include "db/Database.h"
#include "domain/trade/PeriodBilling.h"
#include "domain/trade/SalesInvoices.h"

#include <QWidget>
#include <memory>

class QComboBox;
class QCheckBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QVBoxLayout;

namespace tanabana::gui {

class EntryKeys;
class LookupField;
class SelectionGrid;

class SalesScreen : public QWidget {
    Q_OBJECT
public:
    enum class Kind { Main, Single, Period };
    SalesScreen(db::Database& db, Session& session, Messages& messages, Kind kind = Kind::Main, QWidget* parent = nullptr);

    // Opens a saved bill.
    void openBill(qint64 id);
    // The bill as it stands on screen.
    trade::SalesBill billOnScreen() const;
    qint64 currentId() const { return billId_; }

private:
    void build();
    void buildHeader(QVBoxLayout* layout);
    void buildLineEntry(QVBoxLayout* layout);
    void buildColourPanel(QVBoxLayout* layout);
    void buildPeriodPanel(QVBoxLayout* layout);
    void buildTotalsAndButtons(QVBoxLayout* layout);
    void wireKeys();
    void newBill();
    void bookChosen();
    void partyChosen();
    void designChosen();
    void qualityChosen();
    void addLine();
    void addColourLines();
    void showChallans();
    void takeTickedChallans();
    void editLine(int row);
    void refreshGrid();
    void refreshTotals();
    void save();
    void remove();
    void print(bool pdf);
    void sendWhatsApp();
    void sendSms();
    void refreshBillList();
    void challanTyped();
    void setBillOpen(bool open);
    trade::SalesLine lineFromEntry() const;
    QStringList gridColumns() const;

    db::Database& db_;
    Session& session_;
    Messages& messages_;
    Kind kind_;
    std::unique_ptr<trade::SalesInvoices> service_;
    std::unique_ptr<trade::PeriodBilling> period_;
    EntryKeys* keys_ = nullptr;
    qint64 billId_ = 0;
    bool audited_ = false;  // Is_Audit of the open bill, kept through a re-save
    // The saved bill as opened: header fields this screen does not show survive a re-save.
    std::optional<trade::SalesBill> openedBill_;
    QString proposedNo_;    // the number proposed for a new bill; left as it is, the save takes the next free one
    std::vector<trade::SalesLine> lines_;
    std::pair<qint64, qint64> editedSource_;  // challan and line of a challan line taken back for editing
    std::optional<trade::SalesLine> editedLine_;     // a line taken back for editing: its own GST rates stay
    std::vector<trade::PeriodChallan> listedChallans_;

    QComboBox* book_ = nullptr;
    QLineEdit* billNo_ = nullptr;
    QLabel* lastBillNo_ = nullptr;
    QDateEdit* billDate_ = nullptr;
    LookupField* party_ = nullptr;
    QLabel* partyInfo_ = nullptr;
    LookupField* delivery_ = nullptr;
    QLineEdit* challanNo_ = nullptr;
    QLineEdit* doNo_ = nullptr;
    QLineEdit* transport_ = nullptr;
    QLineEdit* truckNo_ = nullptr;
    QLineEdit* lrNo_ = nullptr;
    QLineEdit* ewayNo_ = nullptr;
    QLineEdit* creditDays_ = nullptr;
    QLineEdit* notes_ = nullptr;
    QLineEdit* mobile_ = nullptr;

    LookupField* design_ = nullptr;   // frmSales_Single: design number before the colour
    LookupField* quality_ = nullptr;  // the quality, or on frmSales_Single the colour of the design
    QLineEdit* desc_ = nullptr;
    QLineEdit* pcs_ = nullptr;
    QLineEdit* cut_ = nullptr;
    QLineEdit* mtrs_ = nullptr;
    QComboBox* rateOn_ = nullptr;
    QLineEdit* rate_ = nullptr;
    QLineEdit* disc_ = nullptr;
    QLineEdit* brk_ = nullptr;
    QLabel* itemInfo_ = nullptr;
    QTableWidget* grid_ = nullptr;

    SelectionGrid* colours_ = nullptr;  // frmSales_Single quick entry
    QLineEdit* colourQty_ = nullptr;
    QLineEdit* colourRate_ = nullptr;

    QDateEdit* from_ = nullptr;  // frmSalesBetDt
    QDateEdit* to_ = nullptr;
    QPushButton* showButton_ = nullptr;
    SelectionGrid* challans_ = nullptr;
    QCheckBox* summed_ = nullptr;

    QLineEdit* tcsP_ = nullptr;
    QLineEdit* tdsP_ = nullptr;
    QLineEdit* other_ = nullptr;
    QLabel* totals_ = nullptr;
    QLabel* net_ = nullptr;
    QComboBox* printType_ = nullptr;
    QComboBox* smsForm_ = nullptr;
    QLineEdit* smsText_ = nullptr;
    QLabel* status_ = nullptr;

    QPushButton* saveButton_ = nullptr;
    QList<QPushButton*> savedBillButtons_;  // print, PDF, WhatsApp, SMS: for a saved bill only
    QLineEdit* findParty_ = nullptr;  // bill list: party name prefix
    QComboBox* pending_ = nullptr;    // bill list: all, or those waiting for e-way bill, e-invoice, LR
    QTableWidget* billList_ = nullptr;
};

}  // namespace tanabana::gui
