#pragma once
// The stock of woven takas: every taka of the production challans of a period, under its quality
// type, design number and colour with sub-totals of pieces and metres, narrowed by challan,
// loom, a range of taka numbers and where the taka stands (still in the godown, issued to a mill,
// sent on a challan).
//
//   Qlty Type : Saree / Design No : D-503 / Colour : Plain
//   2001  Ch 1  12-04-2024  L1  Saree Zari  6 pcs  66.00 m  In Godown
//   Sub Tot                                 6 pcs  66.00 m
#include "domain/reports/Register.h"

namespace tanabana::stock {

enum class WovenState { Any, InGodown, Issued, Sent };
QString wovenStateText(WovenState state);  // "All", "In Godown", "Issued", "Sent"

struct WovenFilter {
    QString challanNo;     // one production challan's number; empty: all
    QString machine;       // McNo; empty: every loom
    qint64 takaFrom = 0;   // taka numbers from .. to (0: open)
    qint64 takaTo = 0;
    WovenState state = WovenState::Any;
};

// The register of the production menu's "3. Stock Register", design wise ("StockReg_Summary_Rapier").
reports::RegisterDefinition wovenStockRegister(const WovenFilter& filter = {});

}  // namespace tanabana::stock
