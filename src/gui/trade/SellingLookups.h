#pragma once
// The search lists of the selling screens (parties, qualities, design numbers) over the typed
// look-ups of the documents kit, which holds the account groups a sales party may belong to.
#include "core/Messages.h"
#include "domain/documents/Lookups.h"
#include "core/Session.h"
#include "gui/common/DocumentForm.h"
#include "gui/common/LookupField.h"

namespace tanabana::gui {

// Sales parties (or, with `anyAccount`, every account of the firm: F4 on delivery and consignee)
// as rows of "A/c Name", City, "A/c No", GSTNO, State and Id.
LookupField::Search salesPartySearch(db::Database& db, qint64 firmNo, bool anyAccount = false, bool withInactive = false);

// Sellable qualities by name or code, as rows of `nameColumn` ("Quality Name" or "Quality"),
// Code, Rate, PM, SGST, CGST, HSN, Unit, Pack and Id.
LookupField::Search qualitySearch(db::Database& db, qint64 firmNo, const QString& nameColumn);
// Design numbers as rows of "Design No", "Colours" and Id (the design's first quality).
LookupField::Search designSearch(db::Database& db, qint64 firmNo);

// The same as the sources of a document screen's look-up fields, and the firm's brokers by name.
LookupSource partyLookup(db::Database& db, qint64 firmNo, bool anyAccount = false);
// Parties found by `fetch` as rows of "A/c Name", City, "A/c No" and GSTIN.
LookupSource partySource(std::function<std::vector<documents::PartyChoice>(const QString&)> fetch);
LookupSource brokerLookup(db::Database& db, Session& session, Messages& messages);
// The name of a broker, empty when there is none.
QString brokerName(db::Database& db, Session& session, Messages& messages, qint64 srno);

// What Insert in a party or quality search does: the account master (a sales party, under sundry
// debtors) or the item master opens over `over` with the typed name, and the entry saved there
// comes back chosen. Closing the master without a save leaves the field as it was.
LookupField::Creator partyCreator(Session& session, Messages& messages, QWidget* over);
LookupField::Creator qualityCreator(Session& session, Messages& messages, QWidget* over);

// The name of a saved document's party (empty when the account is gone).
QString partyName(db::Database& db, qint64 firmNo, qint64 accountId);

}  // namespace tanabana::gui
