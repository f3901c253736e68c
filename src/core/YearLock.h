#pragma once
// The year lock: once a firm's year is closed by the year-end process (FirmMst.IsYrEnd), every
// save, change and delete of that firm's vouchers, documents and masters is refused with
// "Year End Done". Every service that changes data asks here first, before it writes anything.
//
//   if (yearLockRefuses(session, messages)) return false;
#include "core/Messages.h"
#include "core/Session.h"

namespace tanabana {

inline const QString kYearEndTitle = QStringLiteral("Year End Done");
inline const QString kYearEndText = QStringLiteral("Year End Is Completed! \n You Can't Modify/Delete");

// True when the firm's year is closed: by the loaded settings or by the open year database
// (another station may have closed it since the firm was chosen).
bool yearIsClosed(const Session& session, qint64 firmNo);
bool yearIsClosed(const Session& session);
// Shows the refusal and returns true when the session firm's year is closed.
bool yearLockRefuses(const Session& session, Messages& messages);
// The same for another firm (the firm master edits other firms' rows).
bool yearLockRefuses(const Session& session, Messages& messages, qint64 firmNo);

}  // namespace tanabana
