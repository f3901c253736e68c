#pragma once
// The stock of each quality, worked out on demand from its opening stock in the item master and
// every document that moves goods: purchases and their returns, sales and their returns, grey
// takas sent to the mills and finished cloth received back, job-process issues and receipts,
// general stock vouchers, stock moved from one item to another and the firm's own production. Nothing is stored: each run reads the
// documents with one grouped query, so two stations asking at once never meet.
//
// "Rapier 60 Grey", opening 100 m; bought 50 m on 10-04, sold 30 m on 20-04: between 01-04 and
// 30-04 it shows Op 100, In 50, Out 30, Closing 120. A grey taka of 100 m sent to the mill and
// received as 95 m of "Rapier 60 Red" lowers the grey quality by 100 and raises the red by 95.
//
// Quantities are in the unit the quality is priced in (metres unless it is priced per piece);
// the pieces view counts pieces for every quality.
#include "core/Decimal.h"
#include "db/Database.h"

#include <QDate>
#include <QString>
#include <vector>

namespace tanabana::stock {

enum class StockUnit { Priced, Pieces };

// Which qualities a statement lists; empty texts and 0 list all.
struct StockFilter {
    QString group;      // ProdGrp, the quality type
    QString subGroup;   // ProdSubGrp, the design number
    QString design;     // P1, the colour or design
    qint64 itemId = 0;
    bool finishedOnly = false;  // the loom firm's statements: woven (finished) qualities only
};

struct StockPeriod {
    QDate from;  // movements before this date make the opening
    QDate to;    // the last day counted
};

// One quality's movement over the period.
struct StockFigure {
    qint64 itemId = 0;
    QString group, subGroup, design, code, name;
    Decimal purchaseRate, saleRate;
    Decimal opening;
    Decimal purchases, produced, purchaseReturns;
    Decimal sales, salesReturns;
    Decimal millIssues, millReceipts;
    Decimal jobIssues, jobReceipts;
    Decimal generalIssues, generalReceipts;
    Decimal transfersOut, transfersIn;  // stock moved to or from another item

    Decimal receipts() const { return purchases + produced + millReceipts + jobReceipts + salesReturns + generalReceipts + transfersIn; }
    Decimal issues() const { return purchaseReturns + millIssues + jobIssues + sales + generalIssues + transfersOut; }
    Decimal closing() const { return opening + receipts() - issues(); }
    // Nothing to show: no opening, no movement, no closing.
    bool isEmpty() const { return opening.isZero() && receipts().isZero() && issues().isZero(); }
};

// Every stock quality of the firm that passes the filter (qualities kept out of stock never),
// ordered by quality type and name, with its movements between the period's dates.
std::vector<StockFigure> stockFigures(db::Database& db, qint64 firmNo, const StockPeriod& period, StockUnit unit,
                                      const StockFilter& filter = {});

}  // namespace tanabana::stock
