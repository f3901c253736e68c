#pragma once
// The buying side of the demonstration firm: weavers of Surat and Bhiwandi who sell it grey
// fabric by the taka, a transporter billing freight under reverse charge, and a few months of
// their bills, saved through the purchase service so the books show both sides.
#include "core/Session.h"
#include "db/Database.h"

#include <QDate>

namespace tanabana::demo {

// Adds the suppliers and `bills` purchase bills dated between `first` and `last`; returns how
// many were saved.
int fillDemoPurchases(db::Database& db, Session& session, const QDate& first, const QDate& last, int bills);

}  // namespace tanabana::demo
