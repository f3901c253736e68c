#pragma once
// The bank reconciliation screen: a bank book, the kind of cheques (both, payments, receipts), the
// period and the clearing date; the list of cheques with a tick each ("Sel"), and the balances
// recomputed after every tick: the bank before the period, the bank book at its end, cheques
// issued but not presented, cheques deposited but not credited, and what the bank statement must
// show. A tick writes the clearing date on the journal line at once; unticking clears it.
#include "core/Messages.h"
#include "core/Session.h"
#include "db/Database.h"
#include "domain/accounts/BankReconciliation.h"

#include <QWidget>
#include <functional>
#include <optional>

class QComboBox;
class QLabel;
class QTableWidget;
class QTableWidgetItem;

namespace tanabana::gui {

class DateBox;
class LookupField;
class StatementImportDialog;

class BankReconciliationScreen : public QWidget {
    Q_OBJECT
public:
    BankReconciliationScreen(db::Database& db, Session& session, Messages& messages, QWidget* parent = nullptr);

    // Lists the chosen book's cheques; false (with the message shown) when refused.
    bool refresh();
    // Ticks (with the clearing date on screen) or unticks the cheque of a grid row.
    bool setCleared(int row, bool cleared);
    // Shows the printed statement of the list in the preview window.
    bool preview();
    const accounts::Reconciliation* reconciliation() const { return list_ ? &*list_ : nullptr; }
    // What a double click on a cheque does: open its voucher (journal TableCode, voucher number).
    void setOpenVoucher(std::function<void(int tableCode, qint64 voucherNo)> open) { openVoucher_ = std::move(open); }
    // Opens the voucher of a grid row; false for the total row or when nothing opens vouchers.
    bool openRow(int row);

    // "Import Statement": the bank's file is asked for, its columns mapped and its matches shown
    // in the import window; what the operator ticks there is ticked here and the list refreshed.
    // False when nothing was ticked.
    bool importStatement();
    // How the file is asked for and the import window run (tests answer them directly).
    void setFileAsker(std::function<QString()> asker) { askFile_ = std::move(asker); }
    void setImportRunner(std::function<bool(StatementImportDialog&)> runner) { runImport_ = std::move(runner); }

private:
    void build();
    void showList();
    void showBalances();
    void cellChanged(QTableWidgetItem* item);

    db::Database& db_;
    Session& session_;
    Messages& messages_;
    accounts::BankReconciliation service_;
    std::optional<accounts::Reconciliation> list_;
    bool filling_ = false;
    std::function<void(int, qint64)> openVoucher_;
    std::function<QString()> askFile_;
    std::function<bool(StatementImportDialog&)> runImport_;
    qint64 bookNo_ = 0;  // the bank book of the list on screen

    LookupField* book_ = nullptr;
    QComboBox* kind_ = nullptr;
    DateBox* from_ = nullptr;
    DateBox* to_ = nullptr;
    DateBox* clearedOn_ = nullptr;
    QTableWidget* grid_ = nullptr;
    QLabel* opening_ = nullptr;
    QLabel* bookBalance_ = nullptr;
    QLabel* payments_ = nullptr;
    QLabel* receipts_ = nullptr;
    QLabel* statement_ = nullptr;
};

}  // namespace tanabana::gui
