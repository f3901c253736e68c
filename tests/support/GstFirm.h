#pragma once
// The Surat firm of SellingFirm with the sales a GST return must sort, on top of its August:
//
// July 2024 (book 1 "GST/", B2CL above 2,50,000), bills without round-off:
//   GST/101 01-07 Jaipur Cloth House (unregistered, Rajasthan)  1 m @ 238,095.24, IGST 5%           250,000.00  -> B2CS
//   GST/102 02-07 Jaipur Cloth House                            the same + other 0.01                250,000.01  -> B2CL
//   GST/103 03-07 Kiran Sarees (unregistered, Gujarat)          3,000 m @ 105, 5%                    330,750.00  -> B2CS (intra)
//   GST/104 04-07 Surat Fabrics (24AABCR1234F1ZY)               100 m Rapier @ 105 (5%) + 10 pcs Saree @ 1,120 incl. 12%
//                                                               taxable 10,500 + 10,000, CGST = SGST 262.50 + 600  22,225.00 -> B2B x2
//   GST/105 05-07 Dubai Silk Imports (export, WPAY)             3,000 m @ 105, IGST 5%               330,750.00  -> EXP only
//   GST/106 06-07 Delhi Textiles (07AADCD4321P1ZJ)              10 m Georgette @ 99.99, IGST 5%       1,049.90   -> B2B
//   GST/107 07-07 Surat Fabrics                                 50 m Khadi Grey @ 100, nil-rated     5,000.00   -> nil (intra, registered)
// January 2025 (B2CL above 1,00,000; HSN summary split):
//   GST/201 10-01 Jaipur Cloth House  1 m @ 95,238.10, IGST 5% + other 0.01   100,000.01 -> B2CL
//   GST/202 11-01 Jaipur Cloth House  1 m @ 95,238.10, IGST 5%                100,000.00 -> B2CS
//   GST/203 12-01 Surat Fabrics       10 m @ 105, 5%                            1,102.50 -> B2B
// The firm's GSTIN is 24AAACS1234A1Z8 (its check digit right).
#include "support/SellingFirm.h"

#include <QDate>
#include <QString>
#include <tuple>
#include <vector>

namespace tanabana::test {

class GstFirm : public SellingFirm {
public:
    using SellingFirm::SellingFirm;
    void build();

    // Saves a sales bill of book `book` (lines: item, quantity, rate), with its other charges,
    // invoice type ("R", or "E" for an export) and the firm's round-off switched as given.
    qint64 sell(qint64 book, const QString& no, const QDate& date, qint64 party,
                const std::vector<std::tuple<qint64, const char*, const char*>>& lines, const char* other = "0",
                const QString& invoiceType = QStringLiteral("R"));

    qint64 suratFabrics = 0, delhiTextiles = 0, jaipur = 0, dubai = 0;
    qint64 july101 = 0, july102 = 0, july103 = 0, july104 = 0, july105 = 0, july106 = 0, july107 = 0;
    static constexpr qint64 kKhadi = 104;
    qint64 jan201 = 0, jan202 = 0, jan203 = 0;
};

}  // namespace tanabana::test
