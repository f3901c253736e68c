#pragma once
// Returns and credit/debit notes as the GST returns read them: each document per GST rate, with the
// invoice it is against, so that every return subtracts the same figures. On the sales side the
// firm's sales returns (form 4) and credit notes on sales bills lower its outward supplies; on the
// buying side its purchase returns (form 2) and debit notes on purchase bills lower its purchases
// and the input credit they gave. Notes marked "Skip In GSTR" are never in them.
//
//   Credit note 1 of 30-07-2024 to Jaipur Cloth House: 2% on GST/102 (taxable 2,38,095.24, IGST 5%)
//   is one row at rate 5: taxable 4,761.90, IGST 238.10, note 5,000.00; GST/102 was a B2CL invoice,
//   so the note goes to CDNUR as "B2CL"; on GST/101 (a B2CS invoice) it lowers the Rajasthan B2CS row.
#include "domain/gst/Gstr1.h"
#include "domain/gst/Gstr2.h"

namespace tanabana::gst {

// The reason the portal takes for a return of goods.
const QString& salesReturnReason();

// The sales returns and credit notes of the period, ordered by date, number, document and rate.
std::vector<NoteRateRow> salesNoteRows(db::Database& db, const Session& session, const ReturnPeriod& period);

// What the sales returns and credit notes take off the HSN summary, per item line as the summary
// groups it (positive figures, to subtract), each marked for a registered buyer or not. A return
// takes its goods back (quantity and value); a credit note moves no goods, so only its value and tax.
struct HsnReduction {
    HsnRow row;
    bool registered = false;
};
std::vector<HsnReduction> salesNoteHsn(db::Database& db, const Session& session, const ReturnPeriod& period);

// The purchase returns and debit notes of the period per document and rate, ordered by date,
// supplier, number and rate; a row of a bill posted under reverse charge says so.
std::vector<InwardNoteRow> purchaseNoteRows(db::Database& db, const Session& session, const ReturnPeriod& period);

// Whether a supply to a party of `partyState` (its other-state mark `otherState`) is inter-state for
// a firm of the state code `firmStateCode`.
bool interStateParty(const QString& firmStateCode, const QString& partyState, bool otherState);

}  // namespace tanabana::gst
