#pragma once
// April of a small Surat grey trader who also weaves, for the stock tests: qualities with their
// opening stock, and every kind of document that moves goods.
//
//   Rapier 60 Grey (Grey, metres, opening 100 m / 4 takas, Pur 52, Sal 60): bought 50 m on LW/12
//     of 10-04 (takas 1001-1004 of 12.5 m), sold 30 m on 20-04, 5 m returned to the weaver on
//     22-04, 2 m back from the buyer on 25-04, 4 m out on a stock voucher on 26-04, taka 1001
//     (12.5 m) and 1002 to Laxmi Dyeing Mill on 28-04, 1001 back as 12 m of Rapier 60 Red on
//     29-04 (lot L-7); 7 m sold on 03-05 (after April). Closing 30-04: 100 + 52 - 64 = 88.
//   Cotton Cambric (Grey, opening 100, Pur 40, Sal 55): bought 50 on 10-04, sold 30 on 20-04: 120.
//   Rapier 60 Red (finished, Sal 105): woven taka 2003 of 110.5 m on 12-04, +12 m from the mill.
//   Saree Zari (per piece, opening 20, Pur 800, Sal 1120): woven 6 + 4 pcs (takas 2001, 2002),
//     5 sold on 18-04, 1 in on a stock voucher: 26. Taka 2002 goes on challan GST/1 to Ramesh on
//     27-04.
//   Packing Cartons are kept out of stock; Georgette 44 has nothing; a carried-in mill challan of
//   last year (taka 0999, 33 m) still at the mill; an opening bill and firm 2's bill hold grey too.
#include "core/Messages.h"
#include "core/Session.h"
#include "db/Database.h"

#include <QDate>
#include <QString>

namespace tanabana::test {

class StockFirm {
public:
    StockFirm(db::Database& db, Session& session, Messages& messages) : db_(db), session_(session), messages_(messages) {}
    void build();

    // A sales bill of one line; pieces for a quality priced per piece.
    void sale(const QString& no, const QDate& date, qint64 item, const char* quantity, const char* rate, bool pieces = false,
              qint64 challanId = 0);

    static constexpr qint64 kGrey = 501, kRed = 502, kSaree = 503, kCartons = 504, kGeorgette = 505, kCambric = 506;
    qint64 weaver = 0, buyer = 0, mill = 0;
    qint64 purchaseBill = 0, challan = 0;

private:
    void addItem(qint64 id, const QString& name, const QString& group, const char* opening, const char* openingPieces, double purRate,
                 double saleRate, int calcOn, const QString& stockType = QStringLiteral("T"), bool keptOut = false, qint64 firm = 1);
    void returnBill(const QString& table, const QString& lines, const QString& quantityColumn, qint64 id, int formId, const QDate& date,
                    qint64 item, double quantity);
    void stockVoucher(qint64 id, const QString& kind, const QDate& date, qint64 item, double metres, double pieces);
    void millChallan(qint64 id, const QString& kind, const QDate& date, qint64 quality, const QString& taka, double grey, double finished,
                     qint64 finishedQuality = 0, qint64 issueId = 0, qint64 purchaseBill = 0);

    db::Database& db_;
    Session& session_;
    Messages& messages_;
};

}  // namespace tanabana::test
