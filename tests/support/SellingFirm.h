#pragma once
// A small Surat weaving and trading firm with a month of selling, for the register tests: two
// sales books, buyers in Gujarat and in Delhi (IGST), qualities priced without and with GST,
// bills saved through the sales service, delivery challans (one billed, two still pending) and
// produced takas (one sent on a challan). A second firm of the same year has a bill of its own
// that no register of firm 1 may show.
//
// August 2024 of firm 1 (book 1 "GST/", book 4 "R/" for retail):
//   GST/1  05-08  Ramesh Silk Mills  100 m Rapier 60 @ 105 (5%)     taxable 10,500.00  SGST 262.50  CGST 262.50  net 11,025
//   GST/2  05-08  Delhi Drapers      50 m Rapier 60 @ 105 (IGST 5%)  taxable  5,250.00  IGST 262.50               net  5,513 (5,512.50 up)
//   R/1    12-08  Ramesh Silk Mills  10 pcs Saree Zari @ 1,120 incl. 12% GST: taxable 10,000.00 SGST 600 CGST 600 net 11,200
//   GST/3  20-08  Kiran Sarees       20 m Rapier 60 @ 105, 12.5 m Georgette @ 99.99 (5%): taxable 3,349.88 SGST 83.75 CGST 83.75 net 3,517
// Challans of book 1: GST/1 01-08 Kiran 20 m (billed on GST/3), GST/2 03-08 Ramesh 30 m @ 105 = 3,150.00 and the taka
// challan GST/3 22-08 Kiran with taka 102 (110.5 m @ 105 = 11,602.50), both pending.
// Production challan 1 of 02-08 by Mahesh Looms: takas 101, 102 (Rapier, 110.5 m each), 103 (Georgette, 98.25 m).
// Firm 2 ("Laxmi Weaving") bill 1 of 10-08 to its own party: 40 m @ 105, net 4,410.
#include "core/Decimal.h"
#include "core/Messages.h"
#include "core/Session.h"
#include "db/Database.h"
#include "domain/trade/SalesBill.h"

#include <QDate>
#include <tuple>
#include <vector>

namespace tanabana::test {

class SellingFirm {
public:
    // On the year database of `session` (a YearFixture's or an installation's), firm 1 open.
    SellingFirm(db::Database& db, Session& session, Messages& messages) : db_(db), session_(session), messages_(messages) {}
    db::Database& db() { return db_; }
    Session& session() { return session_; }
    Messages& messages() { return messages_; }

    // Builds everything described above; the chart and books are set up where missing.
    void build();

    qint64 ramesh = 0, delhi = 0, kiran = 0, weaver = 0;
    qint64 bill1 = 0, bill2 = 0, billR1 = 0, bill3 = 0, otherFirmBill = 0;
    qint64 challanBilled = 0, challanPending1 = 0, challanPending2 = 0;
    qint64 production1 = 0;

    static constexpr qint64 kRapier = 101, kSaree = 102, kGeorgette = 103;

protected:
    // Bill lines of (item, quantity, rate) with the item's GST, GST basis and rate basis.
    std::vector<trade::SalesLine> salesLines(const std::vector<std::tuple<qint64, const char*, const char*>>& lines);
    void addItem(qint64 id, qint64 firm, const QString& name, const QString& type, const QString& hsn, double rate, double gst, int calcOn,
                 int gstCalc);
    qint64 saveBill(qint64 book, const QString& no, const QDate& date, qint64 party, const std::vector<std::tuple<qint64, const char*, const char*>>& lines,
                    qint64 challanNo = 0);

private:
    qint64 saveChallan(const QString& no, const QDate& date, qint64 party, qint64 item, const char* metres, const char* rate);
    db::Database& db_;
    Session& session_;
    Messages& messages_;
};

}  // namespace tanabana::test
