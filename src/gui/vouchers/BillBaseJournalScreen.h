#pragma once
// The windows that turn the less and add amounts of closed bills into journal entries.
//   FRMJournalEntryBillBase ("Journal Entry  ( BILL BASE  )"): the party is picked among those
//   with differences waiting, then one of its bills; the bill's number, amount and pending
//   difference show with the party's side ("Cr." for a sales bill's less amount), and the
//   operator gives the other account and the amount: one voucher of two lines.
//   FRMJournalEntryBillBaseMulti ("Bill Base Multi  Journal Entry"): every waiting difference of
//   the sales or the purchase bills, ticked with the space bar (F3 all), posted against one
//   account in one voucher, an entry a bill.
// A saved difference leaves the list; deleting its journal voucher makes it wait again.
#include "domain/vouchers/JournalVouchers.h"

#include <QWidget>
#include <memory>

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace tanabana::gui {

class DateBox;
class EntryKeys;
class LookupField;
class NumberBox;
class SelectionGrid;

class BillBaseJournalScreen : public QWidget {
    Q_OBJECT
public:
    enum class Mode { OneBill, ManyBills };
    BillBaseJournalScreen(db::Database& db, Session& session, Messages& messages, Mode mode, QWidget* parent = nullptr);
    ~BillBaseJournalScreen() override;

    // Shows the waiting differences again (of the chosen party, or of the chosen bill type).
    void refresh();
    // One bill: the difference of a grid row into the fields.
    void takeRow(int row);
    // Posts what is on screen; false after a refusal (nothing written).
    bool save();

private:
    void build();
    void showRows();
    void clearBill();

    db::Database& db_;
    Session& session_;
    Messages& messages_;
    Mode mode_;
    std::unique_ptr<vouchers::JournalVouchers> service_;
    std::vector<vouchers::WaitingDifference> rows_;
    int taken_ = -1;  // one bill: the row in the fields

    QLabel* voucherNo_ = nullptr;
    DateBox* date_ = nullptr;
    LookupField* party_ = nullptr;
    QComboBox* billType_ = nullptr;
    QTableWidget* grid_ = nullptr;
    SelectionGrid* ticks_ = nullptr;
    QLabel* billNo_ = nullptr;
    QLabel* billAmount_ = nullptr;
    QLabel* pending_ = nullptr;
    QLabel* side_ = nullptr;
    QLabel* total_ = nullptr;
    LookupField* contra_ = nullptr;
    NumberBox* amount_ = nullptr;
    QPushButton* saveButton_ = nullptr;
    EntryKeys* keys_ = nullptr;
};

}  // namespace tanabana::gui
