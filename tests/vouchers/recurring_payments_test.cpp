// Recurring cash payments of the grey-cloth trader: daily wages with Sunday off and a monthly rent
// whose Saturday falls out, each payment its own cash payment voucher; the schedule deleted with
// its vouchers; a schedule without party refused with nothing written. Runs on both engines
// (TANABANA_BOTH_ENGINES).
#include "domain/vouchers/RecurringPayments.h"
#include "support/QtPrinting.h"
#include "support/VoucherFirm.h"

#include <gtest/gtest.h>

using namespace tanabana;
using namespace tanabana::vouchers;

namespace {

class RecurringPaymentsTest : public test::VoucherTest {
protected:
    RecurringPayments service() { return RecurringPayments(db(), year().session, year().messages); }
    PaymentSchedule wages() {
        PaymentSchedule s;
        s.bookNo = 36;
        s.partyId = firm().weaver;
        s.from = QDate(2024, 7, 1);  // a Monday
        s.to = QDate(2024, 7, 7);
        s.every = Recurrence::Daily;
        s.holiday = Qt::Sunday;
        s.amount = Decimal(450);
        s.narration = QStringLiteral("loom wages");
        return s;
    }
    QStringList dates(const std::vector<ScheduledPayment>& rows) {
        QStringList out;
        for (const ScheduledPayment& p : rows)
            out << p.date.toString(QStringLiteral("dd-MM ")) + p.weekday + QStringLiteral(" ") + QString::number(p.voucherNo);
        return out;
    }
};

}  // namespace

TEST_F(RecurringPaymentsTest, DailyWagesLeaveOutTheHolidayAndPostOneVoucherEach) {
    PaymentSchedule s = wages();
    EXPECT_EQ(dates(RecurringPayments::expand(s)),
              (QStringList{"01-07 Mon 0", "02-07 Tue 0", "03-07 Wed 0", "04-07 Thu 0", "05-07 Fri 0", "06-07 Sat 0"}));
    auto rp = service();
    const auto id = rp.save(s);
    ASSERT_TRUE(id);
    EXPECT_TRUE(year().messages.has(MessageKind::Information, QStringLiteral("Save Confirmation"),
                                    QStringLiteral("One Transaction Is Saved.")));
    EXPECT_EQ(dates(rp.payments(*id)),
              (QStringList{"01-07 Mon 1", "02-07 Tue 2", "03-07 Wed 3", "04-07 Thu 4", "05-07 Fri 5", "06-07 Sat 6"}));
    const auto line = db().queryOne(
        QStringLiteral(
            "SELECT h.%1, h.DrAmt, h.IsBal, h.Narr FROM HeadDtl3 h WHERE TableCode = 5 AND VoucherNo = 6 AND Type = 'D'")
            .arg(db().dialect().quote(QStringLiteral("Desc"))));
    ASSERT_TRUE(line);
    EXPECT_EQ(line->value(0).toString(), QStringLiteral("Cash Pay # (CPV-6)"));
    EXPECT_EQ(line->number(QStringLiteral("DrAmt")), 450.0);
    EXPECT_EQ(line->text(QStringLiteral("IsBal")), QStringLiteral("N"));
    EXPECT_EQ(line->text(QStringLiteral("Narr")), QStringLiteral("loom wages"));
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT SUM(CrAmt) FROM HeadDtl3 WHERE TableCode = 5 AND AccId = ?"), {firm().cash})
                  .toDouble(),
              2700.0);

    // Rent on the 15th: 15 June 2024 is a Saturday, the holiday of this schedule.
    PaymentSchedule rent = wages();
    rent.partyId = firm().discount;
    rent.from = QDate(2024, 4, 15);
    rent.to = QDate(2024, 7, 15);
    rent.every = Recurrence::Monthly;
    rent.holiday = Qt::Saturday;
    rent.amount = Decimal(12000);
    EXPECT_EQ(dates(RecurringPayments::expand(rent)), (QStringList{"15-04 Mon 0", "15-05 Wed 0", "15-07 Mon 0"}));

    year().messages.clear();
    ASSERT_TRUE(rp.remove(*id));
    EXPECT_EQ(year().messages.last().text, QStringLiteral("Cash Payment Entry IS Deleted!"));
    EXPECT_EQ(year().count(QStringLiteral("HeadDtl3"), QStringLiteral("TableCode = 5")), 0);
    EXPECT_EQ(year().count(QStringLiteral("HeadDtl3_Auto")), 0);
    EXPECT_EQ(year().count(QStringLiteral("Table_Del_History"), QStringLiteral("FormId = 5")), 6);
}

TEST_F(RecurringPaymentsTest, RefusedSchedulesWriteNothing) {
    auto rp = service();
    PaymentSchedule noParty = wages();
    noParty.partyId = 0;
    EXPECT_FALSE(rp.save(noParty));
    EXPECT_TRUE(year().messages.has(MessageKind::Critical, QStringLiteral("System Validation"),
                                    QStringLiteral("Please Select Party NAme and Quality")));
    // A bank book is no cash book: the first payment is refused and the schedule leaves nothing.
    PaymentSchedule fromBank = wages();
    fromBank.bookNo = 37;
    year().messages.clear();
    EXPECT_FALSE(rp.save(fromBank));
    EXPECT_TRUE(year().messages.has(MessageKind::Critical, QStringLiteral("System Validation"),
                                    QStringLiteral("Please Select Cash Book")));
    PaymentSchedule nextYear = wages();
    nextYear.to = QDate(2025, 4, 2);
    EXPECT_FALSE(rp.save(nextYear));
    EXPECT_EQ(year().count(QStringLiteral("HeadDtl3"), QStringLiteral("TableCode = 5")), 0);
    EXPECT_EQ(year().count(QStringLiteral("HeadDtl3_Auto")), 0);
}
