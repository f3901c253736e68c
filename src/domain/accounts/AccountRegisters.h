#pragma once
// The final accounts as registers of the report menu "7. Account": the trial balance (account or
// group wise, and the detailed one between two dates), the trading account, the profit and loss
// account and the balance sheet as on a date or between two dates, the schedules, and the two
// lists a statement drills into: the accounts of a group and the ledger of one account up to the
// date, whose lines open the document that posted them.
//
//   tanabana-cli report trial-balance --date 31-03-2025 --out tb.pdf
//   tanabana-cli report balance-sheet --date 31-03-2025         (text on the terminal)
#include "domain/reports/Register.h"

#include <QStringList>
#include <optional>
#include <vector>

namespace tanabana::accounts {

// Every register of this folder: the statements and the books of account.
const std::vector<reports::RegisterDefinition>& accountRegisters();
// The statement of that command-line name ("trial-balance", "balance-sheet-groups"), or null.
const reports::RegisterDefinition* findAccountRegister(const QString& name);
// The variants a menu command offers ("mnu_R77": account wise, group wise).
std::vector<const reports::RegisterDefinition*> accountRegistersOfCommand(const QString& menuCommand);
QStringList accountCommands();
// The system's name of the screen a command opens ("mnu_R77": "frmRep_AccTrialBalanceN",
// "mnu_R22": "FrmRep_CashBook"); empty for a command of no statement.
QString accountScreenName(const QString& menuCommand);

// A register of this folder: its names, its layout, what its cells open and the code that works
// out its rows.
using ComputeRows = std::function<void(db::Database& db, const Session& session, reports::RegisterResult& result)>;
reports::RegisterDefinition computedRegister(const QString& name, const QString& command, const QString& kind, const QString& title,
                                             const QString& layout, const QString& pdfName, std::vector<reports::CellOpens> opens,
                                             ComputeRows compute);

// Refuses with "Please Select Proper Date" a report date (and, between two dates, the first date)
// outside the open year.
void checkReportDates(const Session& session, const reports::RegisterChoice& choice, bool between);

// The drill-down lists: the ledger of choice.partyId up to choice.to (with its opening when
// choice.openingBalances), and the accounts of choice.groupNo.
const reports::RegisterDefinition& accountLedgerRegister();
const reports::RegisterDefinition& groupAccountsRegister();

// The document a journal number of the firm was posted by: its TableCode (3 a sales bill, 8 a
// bank receipt) and the key the journal keeps (the bill's Id, the voucher number); a drill-down
// from a ledger or book line opens it in its own window. Nothing when the journal is not the
// firm's (deleted since the list was shown).
struct PostedDocument {
    int tableCode = 0;
    qint64 voucherNo = 0;
};
std::optional<PostedDocument> postedDocument(db::Database& db, qint64 firmNo, qint64 journalNo);

}  // namespace tanabana::accounts
