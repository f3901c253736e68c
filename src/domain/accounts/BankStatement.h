#pragma once
// A bank's statement file read for reconciliation, and the matches it proposes. The large Indian
// banks export a CSV of date, narration, cheque or reference number, withdrawal, deposit and
// balance; the column names differ by bank, so the caller names them (the defaults are the usual
// "Date", "Narration", "Chq./Ref.No.", "Withdrawal Amt.", "Deposit Amt.").
//
// A withdrawal of 8,400.00 with cheque 000871 matches the firm's cheque "CHQ 000871" of 8,400.00;
// a deposit of 6,025.00 without a cheque number matches the one uncleared receipt of 6,025.00
// dated within a week of it.
#include "core/Decimal.h"
#include "db/Database.h"
#include "domain/accounts/BankReconciliation.h"

#include <QDate>
#include <QString>
#include <vector>

namespace tanabana::accounts {

struct StatementColumns {
    QString date = QStringLiteral("Date");
    QString narration = QStringLiteral("Narration");
    QString cheque = QStringLiteral("Chq./Ref.No.");
    QString withdrawal = QStringLiteral("Withdrawal Amt.");
    QString deposit = QStringLiteral("Deposit Amt.");
};

struct StatementLine {
    int row = 0;  // 1 for the first line under the captions
    QDate date;
    QString narration;
    QString cheque;
    Decimal withdrawal;
    Decimal deposit;
};

struct StatementFile {
    std::vector<StatementLine> lines;
    QString error;  // the first fault, naming the row: nothing is read when it is set
};

// Reads the file; an unreadable file, a missing column, a bad date or amount is the error.
StatementFile readStatement(const QString& path, const StatementColumns& columns);

// The captions of the file's heading row, for the operator to say which column is which; empty
// with `error` set when the file cannot be read.
QStringList statementCaptions(const QString& path, QString* error = nullptr);

// The columns the operator chose for the bank book's statements, kept in the year's database so
// that every station reads the next statement of that bank the same way; the usual captions when
// none were chosen yet.
StatementColumns rememberedColumns(db::Database& db, qint64 firmNo, qint64 bookNo);
void rememberColumns(db::Database& db, qint64 firmNo, qint64 bookNo, const StatementColumns& columns);

struct StatementMatch {
    size_t statementLine = 0;  // index into the statement's lines
    size_t reconLine = 0;      // index into the reconciliation's lines
    bool byCheque = false;     // cheque number and amount; else amount and a date window
};

// Each uncleared cheque is proposed for at most one statement line: first by cheque number and
// amount, then by amount within `windowDays` of the cheque's date, the nearest date first.
std::vector<StatementMatch> proposeMatches(const std::vector<StatementLine>& statement, const std::vector<ReconLine>& lines,
                                           int windowDays = 7);

}  // namespace tanabana::accounts
