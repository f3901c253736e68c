#pragma once
// The bank's statement file brought into the reconciliation: the operator says once which of the
// file's columns is the date, the narration, the cheque number, the withdrawal and the deposit
// (kept for the bank book, so the next statement of that bank reads at once), sees the uncleared
// cheques each statement row clears, unticks any he doubts, and ticks the rest with the
// statement's dates in one go.
#include "core/Messages.h"
#include "db/Database.h"
#include "domain/accounts/BankReconciliation.h"
#include "domain/accounts/BankStatement.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QTableWidget;

namespace tanabana::gui {

class StatementImportDialog : public QDialog {
    Q_OBJECT
public:
    // `list` is the reconciliation on screen (its uncleared cheques are matched); `path` the file.
    StatementImportDialog(db::Database& db, qint64 firmNo, qint64 bookNo, accounts::BankReconciliation& service,
                          const accounts::Reconciliation& list, const QString& path, Messages& messages, QWidget* parent = nullptr);

    // Reads the file with the columns chosen and lists the proposed matches, each ticked; false
    // (with the fault shown, naming the row) when the file cannot be read that way.
    bool match();
    // Ticks the cheques of the rows still ticked with their statement dates, all or none, and
    // keeps the column choice for the bank book; the number ticked, -1 after a refusal.
    int apply();
    const std::vector<accounts::StatementMatch>& matches() const { return matches_; }
    // True when the file has the date, withdrawal and deposit columns chosen for this bank before
    // (or the usual ones): the matches can be shown at once.
    bool columnsKnown() const { return known_; }

private:
    accounts::StatementColumns chosenColumns() const;

    db::Database& db_;
    qint64 firmNo_ = 0, bookNo_ = 0;
    accounts::BankReconciliation& service_;
    const accounts::Reconciliation& list_;
    QString path_;
    Messages& messages_;
    accounts::StatementFile file_;
    std::vector<accounts::StatementMatch> matches_;
    bool known_ = true;

    QComboBox* date_ = nullptr;
    QComboBox* narration_ = nullptr;
    QComboBox* cheque_ = nullptr;
    QComboBox* withdrawal_ = nullptr;
    QComboBox* deposit_ = nullptr;
    QTableWidget* grid_ = nullptr;
    QLabel* count_ = nullptr;
};

}  // namespace tanabana::gui
