#pragma once
// The party search list of the selling screens, over the typed look-up of the documents kit
// (which holds the account groups a sales party may belong to).
#include "gui/common/LookupField.h"

namespace tanabana::gui {

// Sales parties (or, with `anyAccount`, every account of the firm: F4 on delivery and consignee)
// as rows of "A/c Name", City, "A/c No", GSTNO, State and Id.
LookupField::Search salesPartySearch(db::Database& db, qint64 firmNo, bool anyAccount = false, bool withInactive = false);

}  // namespace tanabana::gui
