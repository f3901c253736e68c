#include "domain/accounts/BankReconciliation.h"

#include "core/Rights.h"
#include "core/YearLock.h"
#include "domain/ledger/Balances.h"
#include "domain/reports/Register.h"

#include <algorithm>

namespace tanabana::accounts {

namespace {

const QString kTitle = QStringLiteral("Bank Reconciliation");


}  // namespace

ReconKind reconKindOf(const QString& text) {
    const QString first = text.trimmed().left(1).toUpper();
    if (first == QLatin1String("P")) return ReconKind::Payments;
    if (first == QLatin1String("R")) return ReconKind::Receipts;
    return ReconKind::Both;
}

std::optional<Reconciliation> BankReconciliation::list(qint64 bookNo, ReconKind kind, const QDate& from, const QDate& to) {
    if (!from.isValid() || !to.isValid() || !session_.inYear(from) || !session_.inYear(to) || from > to) {
        messages_.critical(kTitle, QStringLiteral("Please Select Proper Date"));
        return std::nullopt;
    }
    const auto book = db_.queryOne(QStringLiteral("SELECT PurAccId, PurNAme FROM BookMst WHERE BookNO = ? AND FirmNO = ? AND BookType = 'B'"),
                                   {bookNo, session_.firmNo});
    if (!book || book->integer(QStringLiteral("PurAccId")) <= 0) {
        messages_.critical(kTitle, QStringLiteral("Please Select Bank Book"));
        return std::nullopt;
    }
    Reconciliation r;
    r.from = from;
    r.to = to;
    r.bankAccId = book->integer(QStringLiteral("PurAccId"));
    r.bookName = book->text(QStringLiteral("PurNAme")).trimmed();
    // Bank payments are the parties' debit lines against the bank, receipts their credit lines.
    auto read = [&](int tableCode, const char* side, bool payment) {
        db_.forEach(QStringLiteral("SELECT h.TransDate, h.Receiptno, a.AcName, h.DrAmt, h.CrAmt, h.ReConDt, h.IsReCon, h.JournalNo, "
                                   "h.SubSrno, h.TableCode, h.VoucherNo FROM HeadDtl3 h LEFT JOIN AccMst a ON a.Id = h.AccId "
                                   "WHERE h.PartyCode = ? AND h.TransDate >= ? AND h.TransDate <= ? AND h.TableCode = ? AND h.FirmNo = ? "
                                   "AND h.Type = ? ORDER BY h.TransDate, h.VoucherNo, h.SubSrno"),
                    {r.bankAccId, from, to, tableCode, session_.firmNo, QString::fromLatin1(side)}, [&](const db::Row& row) {
                        ReconLine line;
                        line.date = row.date(QStringLiteral("TransDate"));
                        line.chequeNo = row.value(1).toString().trimmed();
                        line.party = row.value(2).toString().trimmed();
                        (payment ? line.payment : line.receipt) = Decimal::amount(row.value(payment ? 3 : 4));
                        line.clearedOn = row.date(QStringLiteral("ReConDt"));
                        line.cleared = row.value(6).toBool();
                        line.journalNo = row.value(7).toLongLong();
                        line.serial = row.value(8).toInt();
                        line.side = QLatin1Char(side[0]);
                        line.tableCode = row.value(9).toInt();
                        line.voucherNo = row.value(10).toLongLong();
                        r.lines.push_back(line);
                    });
    };
    if (kind != ReconKind::Receipts) read(7, "D", true);
    if (kind != ReconKind::Payments) read(8, "C", false);
    ledger::Balances balances(db_, session_);
    r.balances.opening = balances.before(r.bankAccId, from);
    r.balances.bookBalance = balances.before(r.bankAccId, to.addDays(1));
    recompute(r);
    return r;
}

void BankReconciliation::recompute(Reconciliation& r) {
    r.balances.unclearedPayments = Decimal();
    r.balances.unclearedReceipts = Decimal();
    for (const ReconLine& line : r.lines)
        if (!line.cleared) {
            r.balances.unclearedPayments += line.payment;
            r.balances.unclearedReceipts += line.receipt;
        }
    r.balances.statementBalance = r.balances.bookBalance + r.balances.unclearedPayments - r.balances.unclearedReceipts;
}

reports::ReportRequest BankReconciliation::statementReport(const Reconciliation& r) const {
    const QString add = QStringLiteral("2. Add    : Chq. Issued but not presented for Payment : ");
    const QString less = QStringLiteral("3. Less   : Chq. Deposited but not Credited  : ");
    reports::ResultSet data;
    data.columns = {QStringLiteral("Srno"), QStringLiteral("TDate"), QStringLiteral("ChqNO"), QStringLiteral("RecFrom"),
                    QStringLiteral("TabCode"), QStringLiteral("Amt"), QStringLiteral("Grpno"), QStringLiteral("GName"), QStringLiteral("GBal")};
    int srno = 0;
    // Payments (bank payment, 7) first, then receipts (8), each by date.
    for (int tableCode : {7, 8}) {
        std::vector<const ReconLine*> lines;
        for (const ReconLine& line : r.lines)
            if (!line.cleared && line.tableCode == tableCode) lines.push_back(&line);
        std::stable_sort(lines.begin(), lines.end(), [](const ReconLine* a, const ReconLine* b) { return a->date < b->date; });
        const bool payment = tableCode == 7;
        for (const ReconLine* line : lines)
            data.rows.push_back({++srno, line->date, line->chequeNo, line->party, tableCode,
                                 (payment ? line->payment : line->receipt).toString(2), payment ? 2 : 3, payment ? add : less,
                                 (payment ? r.balances.unclearedPayments : r.balances.unclearedReceipts).toString(2)});
    }
    reports::addFirmColumns(db_, session_.firmNo, data);
    const QString date = QStringLiteral("dd-MM-yyyy");
    reports::ReportRequest request;
    request.layoutName = QStringLiteral("bank_Reconsil.rpt");
    request.data = data;
    request.parameterValues << QStringLiteral("Period From ") + r.from.toString(date) + QStringLiteral(" To ") + r.to.toString(date)
                            << QStringLiteral("Bank : ") + r.bookName
                            << QStringLiteral("1. Balance As Per Our Bank Book   : ") + r.balances.bookBalance.toString(2)
                            << QStringLiteral("4. Balance as per Bank Statement  : ") + r.balances.statementBalance.toString(2);
    return request;
}

bool BankReconciliation::tick(const ReconLine& line, const QDate& clearedOn) {
    if (!clearedOn.isValid() || clearedOn < line.date) {
        messages_.critical(kTitle, QStringLiteral("Clearing Date Should Not Be Before Cheque Date"));
        return false;
    }
    return write(line, clearedOn, true);
}

bool BankReconciliation::tickAll(const std::vector<std::pair<ReconLine, QDate>>& ticks) {
    db::Transaction tx(db_);
    for (const auto& [line, date] : ticks)
        if (!tick(line, date)) return false;  // the transaction rolls back when it goes
    tx.commit();
    return true;
}

bool BankReconciliation::untick(const ReconLine& line) { return write(line, QVariant(), false); }

bool BankReconciliation::write(const ReconLine& line, const QVariant& date, bool cleared) {
    if (yearLockRefuses(session_, messages_)) return false;
    if (rightRefuses(session_, messages_, GeneralRight::Modify)) return false;
    const int changed = db_.exec(QStringLiteral("UPDATE HeadDtl3 SET ReConDt = ?, IsReCon = ?, Is_Upload = 0 WHERE JournalNo = ? AND "
                                                "SubSrno = ? AND Type = ? AND FirmNo = ? AND TableCode IN (7, 8)"),
                                 {date.isNull() ? QVariant(QMetaType(QMetaType::QDate)) : date, cleared ? 1 : 0, line.journalNo, line.serial,
                                  QString(line.side), session_.firmNo});
    if (changed == 0) {
        messages_.critical(kTitle, QStringLiteral("This entry is no longer in the books; refresh the list"));
        return false;
    }
    return true;
}

}  // namespace tanabana::accounts
