#pragma once
// Where every taka is on a date: each grey taka bought (the taka list of a purchase bill) and
// each taka woven on the firm's looms, followed through the mill challans and delivery challans
// to where it stands now.
//
//   Taka 1045, 100.50 m of "Rapier 60 Grey" from LW/12 of 10-04-2024 (Mahesh Looms):
//     "In Godown" since 10-04-2024; "At Mill" Laxmi Dyeing Mill since 28-04-2024, 12 days on
//     10-05-2024; "Received" back on 29-04-2024 as 96.25 m of "Rapier 60 Red", lot L-7.
//   A woven taka sent on delivery challan GST/3 to Kiran Sarees is "On Challan", and "Sold" once
//   a bill took the challan.
//
// A taka is found by its number (or the beginning of it); the list reads the documents each time.
#include "core/Decimal.h"
#include "db/Database.h"
#include "domain/reports/Register.h"

#include <QDate>
#include <QString>
#include <vector>

namespace tanabana::stock {

enum class TakaState { InGodown, AtMill, Received, OnChallan, Sold };
QString stateText(TakaState state);  // "In Godown", "At Mill", "Received", "On Challan", "Sold"

struct TakaPlace {
    QString takaNo;
    bool woven = false;     // from the firm's looms rather than bought
    QString document;       // the purchase bill or production challan number
    QDate documentDate;
    QString supplier;       // the weaver it was bought from, or the loom's job worker
    QString quality;
    Decimal metres;         // grey metres
    TakaState state = TakaState::InGodown;
    QString place;          // the mill, or the challan's party; empty in the godown
    QDate since;            // the date of the last move
    int days = 0;           // days since then, on the asked date
    Decimal finishedMetres; // received back from the mill
    QString finishedQuality;
    QString lotNo;
};

struct TakaSearch {
    QDate onDate;         // documents dated after it are not seen
    QString takaNo;       // the taka number or its beginning; empty: every taka
    bool atMillOnly = false;
};

// Every taka of the firm matching the search, by taka number (numbers in numeric order).
std::vector<TakaPlace> takaPlaces(db::Database& db, qint64 firmNo, const TakaSearch& search);

// The same as a register ("Taka_Trail.rpt"): the choice's `to` is the date; the search text is
// given here.
reports::RegisterDefinition takaRegister(const QString& takaNo = {}, bool atMillOnly = false);

}  // namespace tanabana::stock
