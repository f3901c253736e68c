#pragma once
// frmSales: the sales invoice screen. The operator picks the book (the next bill number follows),
// the party (a search list opens under the field; its state decides SGST + CGST or IGST) and types
// the lines: quality (search list), description, pieces, cut, metres, rate, discounts; Enter on
// the last field adds the line and comes back to the quality. Enter on an empty quality goes to
// the charges and then to Save. Totals, GST, TCS, TDS and round-off are the service's.
#include "core/Messages.h"
#include "core/Session.h"
#include "db/Database.h"
#include "domain/trade/SalesInvoices.h"

#include <QWidget>
#include <memory>

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace tanabana::gui {

class LookupField;

class SalesScreen : public QWidget {
    Q_OBJECT
public:
    SalesScreen(db::Database& db, Session& session, Messages& messages, QWidget* parent = nullptr);

    // Opens a saved bill.
    void openBill(qint64 id);
    // The bill as it stands on screen.
    trade::SalesBill billOnScreen() const;
    qint64 currentId() const { return billId_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    void newBill();
    void bookChosen();
    void partyChosen();
    void qualityChosen();
    void addLine();
    void editLine(int row);
    void refreshGrid();
    void refreshTotals();
    void save();
    void remove();
    void print(bool pdf);
    void refreshBillList();
    void challanTyped();
    void focusNext(QWidget* from, bool backwards);
    trade::SalesLine lineFromEntry() const;

    db::Database& db_;
    Session& session_;
    Messages& messages_;
    std::unique_ptr<trade::SalesInvoices> service_;
    qint64 billId_ = 0;
    std::vector<trade::SalesLine> lines_;
    QList<QWidget*> order_;  // Enter moves along this list

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

    LookupField* quality_ = nullptr;
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

    QLineEdit* tcsP_ = nullptr;
    QLineEdit* tdsP_ = nullptr;
    QLineEdit* other_ = nullptr;
    QLabel* totals_ = nullptr;
    QLabel* net_ = nullptr;

    QPushButton* saveButton_ = nullptr;
    QTableWidget* billList_ = nullptr;
};

}  // namespace tanabana::gui
