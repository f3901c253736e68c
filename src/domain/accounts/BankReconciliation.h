#pragma once
// Bank reconciliation of one bank book over a period: the cheques paid (bank payments) and
// deposited (bank receipts) posted to the journal, each ticked when the bank statement shows it
// with the date the bank cleared it. The mark and the date live on the journal line itself
// (HeadDtl3.IsReCon, ReConDt), so every station sees the same ticks.
//
// The bank book stands at 37,625.00 Dr on 31-05-2024; cheque 000871 of 8,400.00 paid to a
// supplier is not yet presented and cheque 104233 of 6,025.00 deposited is not yet credited:
// the bank statement must show 37,625.00 + 8,400.00 - 6,025.00 = 40,000.00.
#include "core/Decimal.h"
#include "core/Messages.h"
#include "core/Session.h"
#include "db/Database.h"
#include "domain/reports/ReportService.h"

#include <QDate>
#include <QString>
#include <optional>
#include <vector>

namespace tanabana::accounts {

// Which lines the list shows: "P" payments, "R" receipts, "B" both (the first letter decides).
enum class ReconKind { Payments, Receipts, Both };
ReconKind reconKindOf(const QString& text);

struct ReconLine {
    QDate date;
    QString chequeNo;   // Receiptno
    QString party;      // the other party's name
    Decimal payment;    // a cheque issued
    Decimal receipt;    // a cheque deposited
    QDate clearedOn;    // invalid while not cleared
    bool cleared = false;
    qint64 journalNo = 0;  // the line's identity in the journal
    int serial = 0;
    QChar side;
    int tableCode = 0;
    qint64 voucherNo = 0;
};

struct ReconBalances {
    Decimal opening;            // the bank account before the first date
    Decimal bookBalance;        // ... after the last date
    Decimal unclearedPayments;  // cheques issued but not presented
    Decimal unclearedReceipts;  // cheques deposited but not credited
    Decimal statementBalance;   // what the bank statement must show
};

struct Reconciliation {
    QDate from, to;
    QString bookName;
    qint64 bankAccId = 0;
    std::vector<ReconLine> lines;
    ReconBalances balances;
};

class BankReconciliation {
public:
    BankReconciliation(db::Database& db, const Session& session, Messages& messages) : db_(db), session_(session), messages_(messages) {}

    // The bank book's lines of the period with the four balances. nullopt (and the message shown)
    // for a book that is not a bank book of the firm or dates outside the year.
    std::optional<Reconciliation> list(qint64 bookNo, ReconKind kind, const QDate& from, const QDate& to);
    // Ticks the line as cleared on the date (or moves its date), or unticks it. Refused (false,
    // nothing written) under the year lock, without the right to modify, for a date outside the
    // year or before the cheque's own date, or for a line that is not a bank payment or receipt.
    bool tick(const ReconLine& line, const QDate& clearedOn);
    bool untick(const ReconLine& line);
    // Ticks several lines, each with its own clearing date, all or none (one refusal writes nothing).
    bool tickAll(const std::vector<std::pair<ReconLine, QDate>>& ticks);

    // The balances of a list as it stands after its ticks.
    static void recompute(Reconciliation& r);
    // The printed statement ("bank_Reconsil.rpt"): the uncleared cheques under "2. Add ..." and
    // "3. Less ..." with their totals, the book balance and the statement balance.
    reports::ReportRequest statementReport(const Reconciliation& r) const;

private:
    bool write(const ReconLine& line, const QVariant& date, bool cleared);

    db::Database& db_;
    const Session& session_;
    Messages& messages_;
};

}  // namespace tanabana::accounts
