#include "domain/vouchers/RecurringPayments.h"

#include "db/DbError.h"
#include "domain/documents/Guard.h"
#include "domain/ledger/Journal.h"
#include "domain/vouchers/CashBankVouchers.h"

#include <QLocale>

namespace tanabana::vouchers {

namespace {

constexpr int kCashPayment = 5;

// Messages of the entries are kept back: the schedule answers for all of them at once.
class Collected : public Messages {
public:
    void information(const QString&, const QString&) override {}
    void critical(const QString& title, const QString& text) override {
        if (this->title.isEmpty()) {
            this->title = title;
            this->text = text;
        }
    }
    bool ask(const QString&, const QString&) override { return true; }
    std::optional<QString> input(const QString&, const QString&, const QString&) override { return std::nullopt; }
    QString title, text;
};

}  // namespace

QString recurrenceName(Recurrence r) {
    switch (r) {
    case Recurrence::Daily:
        return QStringLiteral("Daily");
    case Recurrence::Weekly:
        return QStringLiteral("Weekly");
    case Recurrence::Monthly:
        return QStringLiteral("Monthly");
    }
    return {};
}

RecurringPayments::RecurringPayments(db::Database& db, const Session& session, Messages& messages)
    : db_(db), session_(session), messages_(messages) {}

std::vector<ScheduledPayment> RecurringPayments::expand(const PaymentSchedule& s) {
    std::vector<ScheduledPayment> out;
    if (!s.from.isValid() || !s.to.isValid() || s.from > s.to) return out;
    const QLocale english(QLocale::English);
    for (int step = 0;; ++step) {
        const QDate date = s.every == Recurrence::Daily    ? s.from.addDays(step)
                           : s.every == Recurrence::Weekly ? s.from.addDays(7 * step)
                                                           : s.from.addMonths(step);
        if (date > s.to) break;
        if (s.holiday != 0 && date.dayOfWeek() == s.holiday) continue;
        out.push_back({date, english.toString(date, QStringLiteral("ddd")), 0});
    }
    return out;
}

std::optional<qint64> RecurringPayments::save(PaymentSchedule& s) {
    if (documents::refuseChange(session_, messages_, documents::Change::Add)) return std::nullopt;
    if (s.partyId <= 0) {
        messages_.critical(QStringLiteral("System Validation"), QStringLiteral("Please Select Party NAme and Quality"));
        return std::nullopt;
    }
    if (s.amount <= Decimal()) {
        messages_.critical(QStringLiteral("No Save"), QStringLiteral("Please Enter Amount"));
        return std::nullopt;
    }
    if (!s.from.isValid() || !s.to.isValid() || s.from > s.to || !session_.inYear(s.from) || !session_.inYear(s.to)) {
        messages_.critical(QStringLiteral("Date Validate"), QStringLiteral("Please Select Proper Date"));
        return std::nullopt;
    }
    std::vector<ScheduledPayment> rows = expand(s);
    if (rows.empty()) {
        messages_.critical(QStringLiteral("No Save"), QStringLiteral("No payment falls in the period outside the holiday."));
        return std::nullopt;
    }
    Collected collected;
    CashBankVouchers payments(db_, session_, collected, CashBankKind::CashPayment);
    try {
        db::Transaction tx(db_);
        const qint64 id = db_.nextKey(QStringLiteral("HeadDtl3_Auto"), QStringLiteral("Id"));
        const qint64 bookAccount = db_.scalar(QStringLiteral("SELECT PurAccId FROM BookMst WHERE BookNO = ? AND FirmNO = ?"),
                                              {s.bookNo, session_.firmNo})
                                       .toLongLong();
        for (ScheduledPayment& row : rows) {
            CashBankVoucher v;
            v.kind = CashBankKind::CashPayment;
            v.date = row.date;
            v.bookNo = s.bookNo;
            VoucherEntry e;
            e.partyId = s.partyId;
            e.amount = s.amount;
            e.narration = s.narration;
            e.narration2 = s.narration2;
            if (!payments.saveEntry(v, e)) throw Refusal{collected.title, collected.text};
            row.voucherNo = v.voucherNo;
            db_.exec(QStringLiteral("INSERT INTO HeadDtl3_Auto (Id, VouNo, AccId, PartyId, CType, FromDt, ToDt, Narr1, Narr2, "
                                    "EntryBase, Currenci, FirmNo, "
                                    "TranDt, Amount, Type, Is_Upload) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 'C', 0)"),
                     {id, v.voucherNo, s.partyId, bookAccount, s.holiday, s.from, s.to, s.narration.left(255),
                      s.narration2.left(255), int(s.every), 0, session_.firmNo, row.date, s.amount.roundHalfEven(2).toDouble()});
        }
        tx.commit();
        s.id = id;
    } catch (const Refusal& r) {
        messages_.critical(r.title, r.text);
        return std::nullopt;
    } catch (const db::DbError&) {
        messages_.critical(ledger::ledgerNotSavedTitle(), ledger::ledgerProblemText());
        return std::nullopt;
    }
    messages_.information(QStringLiteral("Save Confirmation"), QStringLiteral("One Transaction Is Saved."));
    return s.id;
}

std::vector<ScheduledPayment> RecurringPayments::payments(qint64 scheduleId) {
    const QLocale english(QLocale::English);
    std::vector<ScheduledPayment> out;
    db_.forEach(QStringLiteral("SELECT TranDt, VouNo FROM HeadDtl3_Auto WHERE Id = ? AND FirmNo = ? ORDER BY TranDt"),
                {scheduleId, session_.firmNo}, [&](const db::Row& r) {
                    const QDate d = r.date(QStringLiteral("TranDt"));
                    out.push_back({d, english.toString(d, QStringLiteral("ddd")), r.integer(QStringLiteral("VouNo"))});
                });
    return out;
}

std::optional<PaymentSchedule> RecurringPayments::load(qint64 scheduleId) {
    const auto r = db_.queryOne(
        QStringLiteral("SELECT a.AccId, a.PartyId, a.CType, a.FromDt, a.ToDt, a.Narr1, a.Narr2, a.EntryBase, a.Amount, "
                       "(SELECT MIN(b.BookNO) FROM BookMst b WHERE b.FirmNO = a.FirmNo AND b.BookType = 'C' AND "
                       "b.PurAccId = a.PartyId) AS BookNo, m.AcName FROM HeadDtl3_Auto a LEFT JOIN AccMst m ON m.Id = a.AccId WHERE a.Id = ? AND a.FirmNo = ? ORDER BY a.TranDt") +
            db_.dialect().limit(1),
        {scheduleId, session_.firmNo});
    if (!r) return std::nullopt;
    PaymentSchedule s;
    s.id = scheduleId;
    s.bookNo = r->integer(QStringLiteral("BookNo"));
    s.partyId = r->integer(QStringLiteral("AccId"));
    s.from = r->date(QStringLiteral("FromDt"));
    s.to = r->date(QStringLiteral("ToDt"));
    const int every = int(r->integer(QStringLiteral("EntryBase")));
    s.every = every == 2 ? Recurrence::Weekly : every == 3 ? Recurrence::Monthly : Recurrence::Daily;
    s.holiday = int(r->integer(QStringLiteral("CType")));
    s.amount = Decimal::fromVariant(r->value(QStringLiteral("Amount"))).roundHalfEven(2);
    s.narration = r->text(QStringLiteral("Narr1"));
    s.narration2 = r->text(QStringLiteral("Narr2"));
    s.partyName = r->text(QStringLiteral("AcName")).trimmed();
    return s;
}

documents::DocumentPage RecurringPayments::listPage(const documents::ListFilter& filter) {
    // One row a schedule: its first payment's.
    documents::ListQuery q(QStringLiteral("HeadDtl3_Auto h LEFT JOIN AccMst a ON a.Id = h.AccId"),
                           QStringLiteral("h.FirmNo = ? AND h.TranDt = (SELECT MIN(x.TranDt) FROM HeadDtl3_Auto x WHERE x.Id = h.Id "
                                          "AND x.FirmNo = h.FirmNo)"),
                           {session_.firmNo}, QStringLiteral("CAST(h.Id AS VARCHAR(20))"), QStringLiteral("h.FromDt"),
                           QStringLiteral("a.AcName"), QStringLiteral("h.Amount"));
    q.key = QStringLiteral("h.Id");
    q.texts = {QStringLiteral("CASE h.EntryBase WHEN 2 THEN 'Weekly' WHEN 3 THEN 'Monthly' ELSE 'Daily' END")};
    q.figures = {QStringLiteral("(SELECT COUNT(*) FROM HeadDtl3_Auto x WHERE x.Id = h.Id AND x.FirmNo = h.FirmNo)")};
    return documents::listDocuments(db_, q, filter);
}

bool RecurringPayments::remove(qint64 scheduleId) {
    if (documents::refuseChange(session_, messages_, documents::Change::Delete)) return false;
    const std::vector<ScheduledPayment> rows = payments(scheduleId);
    if (rows.empty()) return false;
    if (!messages_.ask(QStringLiteral("Delete Confirmation"),
                       QStringLiteral("ARE YOU SURE WANT TO PERMENANATLY DELETE THIS Entry")))
        return false;
    try {
        db::Transaction tx(db_);
        ledger::Journal journal(db_, session_);
        for (const ScheduledPayment& row : rows) journal.removeDocument(kCashPayment, row.voucherNo);
        db_.exec(QStringLiteral("DELETE FROM HeadDtl3_Auto WHERE Id = ? AND FirmNo = ?"), {scheduleId, session_.firmNo});
        tx.commit();
    } catch (const db::DbError&) {
        messages_.critical(ledger::ledgerNotSavedTitle(), ledger::ledgerProblemText());
        return false;
    }
    messages_.information(QStringLiteral("Delete Confirmation"), QStringLiteral("Cash Payment Entry IS Deleted!"));
    return true;
}

}  // namespace tanabana::vouchers
