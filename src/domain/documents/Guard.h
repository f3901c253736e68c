#pragma once
// The one door every document service passes before it writes: the firm's year lock as the
// database holds it at this moment (another station may have closed the year since the firm was
// chosen), then the operator's right to add, change or delete entries. Screens and the command
// line reach the services, so a refusal here holds for all of them.
//
//   if (documents::refuseChange(session, messages, bill.id > 0 ? Change::Modify : Change::Add)) return {};
#include "core/Messages.h"
#include "core/Session.h"

namespace tanabana::documents {

enum class Change { Add, Modify, Delete };

// True after "Year End Done" or "No Right": nothing may be written.
bool refuseChange(const Session& session, Messages& messages, Change change);
// Add for a document not saved yet (key 0), Modify for one that is.
bool refuseSave(const Session& session, Messages& messages, qint64 documentKey);

}  // namespace tanabana::documents
