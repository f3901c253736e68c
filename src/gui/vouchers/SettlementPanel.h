#pragma once
// The bill panel of a receipt or payment entry ("F6 = Select Bill Detail", or "Bl :" Y): the
// party's open bills above, the bill being settled with its payment, less and add amounts and
// "Fully Received", the settlements of the entry below with their total, and what of the entry's
// amount is still unallocated ("Balance Remain", "Cash Remain" on cash screens). Nothing here is
// written: OK hands the settlements to the entry, which saves them with itself; Esc leaves nothing.
#include "core/Messages.h"
#include "domain/vouchers/CashBankVouchers.h"

#include <QDialog>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QTableWidget;

namespace tanabana::gui {

class NumberBox;

class SettlementPanel : public QDialog {
    Q_OBJECT
public:
    SettlementPanel(const vouchers::VoucherStyle& style, Decimal entryAmount, std::vector<vouchers::OpenBill> openBills,
                    std::vector<vouchers::Settlement> settlements, Messages& messages, QWidget* parent = nullptr);

    const std::vector<vouchers::Settlement>& settlements() const { return settlements_; }
    Decimal remaining() const;

    // What the keys do, for the screen's tests too: a bill of the open list taken into the fields,
    // the typed settlement added ("Not Such Amount!" when it is more than what remains), a
    // settlement of the list removed.
    void takeBill(int row);
    bool addSettlement();
    void removeSettlement(int row);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showBills();
    void showSettlements();
    void clearBill();

    Decimal amount_;
    std::vector<vouchers::OpenBill> bills_;
    std::vector<vouchers::Settlement> settlements_;
    Messages& messages_;
    qint64 billId_ = 0;

    QTableWidget* open_ = nullptr;
    QTableWidget* settled_ = nullptr;
    QLineEdit* billNo_ = nullptr;
    QLabel* billAmount_ = nullptr;
    QLabel* unpaid_ = nullptr;
    NumberBox* payment_ = nullptr;
    NumberBox* less_ = nullptr;
    NumberBox* add_ = nullptr;
    QComboBox* fully_ = nullptr;
    QLabel* remain_ = nullptr;
    QString remainCaption_;
};

}  // namespace tanabana::gui
