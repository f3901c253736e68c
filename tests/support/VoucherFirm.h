#pragma once
// A small Surat grey-cloth trader with bills to settle, for the voucher and outstanding tests:
//
//   GST/1  05-06-2024  Ramesh Silk Mills  100 m Grey Poplin @ 100.00 (no GST), TDS 1%: bill 10,000.00, TDS 100.00
//   GST/2  10-06-2024  Ramesh Silk Mills   50 m Rapier 60 @ 100.00 + 5% GST:        bill  5,250.00
//   GST/3  12-06-2024  Kiran Sarees        20 m Rapier 60 @ 100.00 + 5% GST:        bill  2,100.00
//   O/88   20-02-2024  Ramesh Silk Mills  opening bill carried from last year:      bill  3,000.00
//   LW/12  03-06-2024  Laxmi Weaving Works 100 m Rapier 60 grey bought @ 50.00 + 5% GST: bill 5,250.00
//
// Books: 36 cash ("Cash"), 37 bank ("Bank Current A/c"), and a second bank book 38 ("HDFC Bank").
// "Discount A/c" (group 62) takes the less amounts of settled bills.
#include "core/Messages.h"
#include "core/Session.h"
#include "db/Database.h"
#include "domain/vouchers/CashBankVouchers.h"
#include "support/YearFixture.h"

#include <gtest/gtest.h>
#include <QDate>
#include <memory>

namespace tanabana::test {

class VoucherFirm {
public:
    VoucherFirm(db::Database& db, Session& session, Messages& messages) : db_(db), session_(session), messages_(messages) {}
    void build();

    qint64 ramesh = 0, kiran = 0, weaver = 0, discount = 0, cash = 0, bank = 0, hdfc = 0;
    qint64 bill1 = 0, bill2 = 0, bill3 = 0, opening = 0, purchase = 0;
    static constexpr qint64 kPoplin = 301, kRapier = 302;

    // A sales bill of one line; `gst` is the whole GST percent, `tds` the TDS percent.
    qint64 saleOf(const QString& no, const QDate& date, qint64 party, qint64 item, const char* metres, const char* rate,
                  const char* tds = "0");

    // One bill-wise entry settling one bill, as its own voucher of the cash (36) or first bank
    // book (37); false after a refusal.
    bool settle(vouchers::CashBankKind kind, const QDate& date, qint64 party, qint64 bill, const char* amount,
                const char* less = "0", const char* add = "0", bool fully = false);

private:
    db::Database& db_;
    Session& session_;
    Messages& messages_;
};

// The firm above on a fresh year of the run's engine, messages cleared after building it.
class VoucherTest : public ::testing::Test {
protected:
    void SetUp() override {
        TANABANA_REQUIRE_ENGINE();
        year_ = std::make_unique<YearFixture>();
        firm_ = std::make_unique<VoucherFirm>(db(), year().session, year().messages);
        firm_->build();
        year().messages.clear();
    }
    YearFixture& year() { return *year_; }
    db::Database& db() { return year().db(); }
    VoucherFirm& firm() { return *firm_; }

    std::unique_ptr<YearFixture> year_;
    std::unique_ptr<VoucherFirm> firm_;
};

}  // namespace tanabana::test
