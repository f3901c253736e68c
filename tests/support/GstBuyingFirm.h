#pragma once
// The Surat firm of GstFirm with a month of buying that the inward returns must sort, July 2024
// (book 2 purchases, book 3 general expenses):
//   LW/118  10-07 Mahesh Looms (unregistered, Gujarat)     100 m Rapier @ 100, 5%    10,000.00 + 250 + 250
//   MY/55   10-07 Mumbai Yarn Traders (27AABCM9876C1Z7)     50 m Rapier @ 100, IGST 5% 5,000.00 + 250 IGST = 5,250
//   GT/311  12-07 Shree Ganesh Roadways, freight 10,000.00 at 5% under reverse charge (self-invoice RCM/7)
//   LW/119  10-07 Mahesh Looms                             20 m Khadi Grey @ 100, nil rated
//   EB/7781 12-07 Torrent Power, electricity 3,000.00 outside GST
//   US/12   12-07 Udhna Stationers (composition dealer, 24AAFCW1111H1ZT) 1,500.00 without tax
//   LW/120  10-07 Mahesh Looms, 10 m Rapier @ 100 at 5%, kept out of the returns
#include "domain/trade/PurchaseBill.h"
#include "support/GstFirm.h"

namespace tanabana::test {

class GstBuyingFirm : public GstFirm {
public:
    using GstFirm::GstFirm;
    // GstFirm's sales, then the purchases above.
    void build();

    trade::PurchaseLine line(qint64 item, const char* qty, const char* rate, const char* halfGst);
    trade::PurchaseBill goods(const QString& no, qint64 party, qint64 item, const char* qty, const char* rate, const char* halfGst);
    trade::PurchaseBill expense(const QString& no, qint64 party, const char* amount, const char* halfGst);
    // Saves through the purchase service; the bill's key (0 and a test failure when refused).
    qint64 buy(trade::PurchaseBill bill);

    qint64 mumbai = 0, roadways = 0, power = 0, kirana = 0;
    qint64 lw118 = 0, my55 = 0, gt311 = 0, lw119 = 0, eb7781 = 0, us12 = 0, lw120 = 0;
};

}  // namespace tanabana::test
