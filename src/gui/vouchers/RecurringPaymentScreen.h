#pragma once
// The recurring cash payments window (FrmCashPaymentAuto): a cash book, the party paid, the
// period, the frequency (daily, weekly, monthly), the weekly holiday left out and the amount; the
// grid shows each payment's date and weekday as the schedule is typed, and Save posts every one
// as a cash payment voucher. A saved schedule opens from the list with its vouchers' numbers and
// is deleted whole, its vouchers with it.
#include "domain/vouchers/RecurringPayments.h"
#include "gui/common/DocumentForm.h"

#include <memory>

namespace tanabana::gui {

class RecurringPaymentScreen : public DocumentForm {
    Q_OBJECT
public:
    RecurringPaymentScreen(db::Database& db, Session& session, Messages& messages, QWidget* parent = nullptr);
    ~RecurringPaymentScreen() override;

    // The schedule as typed.
    vouchers::PaymentSchedule typed() const;

protected:
    void clearDocument() override;
    bool saveDocument() override;
    void loadDocument(qint64 id) override;
    bool removeDocument(qint64 id) override;
    documents::DocumentPage listDocuments(const documents::ListFilter& filter) override;
    void printDocument(bool) override {}

private:
    void showPayments();

    db::Database& db_;
    Messages& serviceMessages_;
    std::unique_ptr<vouchers::RecurringPayments> service_;
    std::vector<vouchers::ScheduledPayment> posted_;  // of the saved schedule on screen
};

}  // namespace tanabana::gui
