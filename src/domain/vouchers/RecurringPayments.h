#pragma once
// Recurring cash payments (daily wages, monthly rent): a schedule of one party, one amount and a
// period is expanded into a payment a day, a week or a month, leaving out the firm's weekly
// holiday, and every payment is posted as a cash payment voucher of its own. The schedule's rows
// (one per payment, with its date and voucher) live in HeadDtl3_Auto under the schedule's Id.
//
// Wages of 450.00 a day to Mahesh Looms from Monday 1 July to Sunday 7 July 2024 with Sunday off:
// six payments, cash payment vouchers 1 to 6, each "Cash Pay  # (CPV-n)" on the party's line.
#include "core/Decimal.h"
#include "core/Messages.h"
#include "core/Session.h"
#include "db/Database.h"
#include "domain/documents/DocumentList.h"

#include <QDate>
#include <QString>
#include <optional>
#include <vector>

namespace tanabana::vouchers {

enum class Recurrence { Daily = 1, Weekly = 2, Monthly = 3 };
QString recurrenceName(Recurrence r);  // "Daily", "Weekly", "Monthly"

struct PaymentSchedule {
    qint64 id = 0;      // 0: a new schedule
    qint64 bookNo = 0;  // the cash book paid from
    qint64 partyId = 0;
    QDate from, to;
    Recurrence every = Recurrence::Daily;
    int holiday = 0;  // Qt::DayOfWeek left out (1 Monday ... 7 Sunday); 0 none
    Decimal amount;
    QString narration, narration2;
    QString partyName;  // as loaded
};

// One expanded payment: its date and weekday ("ddd"), and once posted its voucher.
struct ScheduledPayment {
    QDate date;
    QString weekday;
    qint64 voucherNo = 0;
};

class RecurringPayments {
public:
    RecurringPayments(db::Database& db, const Session& session, Messages& messages);

    // The payment dates of the schedule, without posting anything.
    static std::vector<ScheduledPayment> expand(const PaymentSchedule& schedule);
    // Posts every payment of a new schedule as its own cash payment voucher and keeps the
    // schedule, all in one transaction; "One Transaction Is Saved." Returns the schedule's Id.
    std::optional<qint64> save(PaymentSchedule& schedule);
    // The schedule's payments as posted.
    std::vector<ScheduledPayment> payments(qint64 scheduleId);
    // A saved schedule as it was typed; nullopt when the firm has none of that Id.
    std::optional<PaymentSchedule> load(qint64 scheduleId);
    // The saved schedules, newest first, a page at a time (the listed id is the schedule's):
    // number, first day, party, amount; text: the frequency; figure: the payments made.
    documents::DocumentPage listPage(const documents::ListFilter& filter);
    // Deletes the schedule and the vouchers it posted after the question.
    bool remove(qint64 scheduleId);

private:
    db::Database& db_;
    const Session& session_;
    Messages& messages_;
};

}  // namespace tanabana::vouchers
