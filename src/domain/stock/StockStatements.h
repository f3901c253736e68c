#pragma once
// The stock statements of the report menu "1. Stock", as registers: the statement on a date
// (closing quantity valued at the purchase or the sale rate), the register summary between two
// dates (opening, in, out, closing) and the statement with the mill and job-work columns, each
// also for the loom firm's woven qualities. The rows come from stockFigures; the layouts bind the
// columns of the old stock table (OpQty, Pur_Qty, ..., PQty, SQty, Qty) so a firm's layout keeps
// its fields.
//
//   Stock Statement on Date : 30-04-2024
//   Group    Code  Name            Qty       Pur Rate  Amount
//   Rapier   101   Rapier 60 Grey  120.000   52.00     6,240.00
//
//   tanabana-cli stock --date 30-04-2024 --out stock.pdf
//   tanabana-cli stock --from 01-04-2024 --date 30-04-2024 --mill
#include "domain/reports/Register.h"
#include "domain/stock/StockFigures.h"

namespace tanabana::stock {

enum class StatementKind {
    OnDate,   // closing quantity and its value
    Between,  // opening, total in, total out, closing, both rates
    WithMill  // every kind of receipt and issue, the mill and job work among them
};

struct StatementOptions {
    StatementKind kind = StatementKind::OnDate;
    bool rapier = false;     // the loom firm's woven qualities, grouped by type, design and colour
    bool pieces = false;     // "Nos": count pieces for every quality
    bool saleRate = false;   // value at the sale rate ("Sal Rate") instead of the purchase rate
    bool zeroRows = false;   // "Zero Qty": keep qualities with nothing to show
    bool grouped = false;    // "Grouping (F9)": sub-totals per quality type
    QString group, subGroup, design;  // narrowing filters; the quality itself is the choice's itemId
};

// The register of these options: its layout, title and rows. The choice gives the dates (`to`
// alone for a statement on a date) and the quality (itemId, 0 for all).
reports::RegisterDefinition stockStatement(const StatementOptions& options);

// The statements the menu commands open, with default options, for the screens' kind list and the
// command line: "stock-on-date", "stock-summary", "stock-with-mill" and their "-rapier" forms.
const std::vector<reports::RegisterDefinition>& stockRegisters();

// The options a register of stockRegisters() was made with.
StatementOptions optionsOf(const reports::RegisterDefinition& definition);

}  // namespace tanabana::stock
