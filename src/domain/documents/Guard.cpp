#include "domain/documents/Guard.h"

#include "core/Rights.h"
#include "core/YearLock.h"

namespace tanabana::documents {

bool refuseChange(const Session& session, Messages& messages, Change change) {
    if (yearLockRefuses(session, messages)) return true;
    switch (change) {
    case Change::Add: return rightRefuses(session, messages, GeneralRight::New);
    case Change::Modify: return rightRefuses(session, messages, GeneralRight::Modify);
    case Change::Delete: return rightRefuses(session, messages, GeneralRight::Delete);
    }
    return false;
}

bool refuseSave(const Session& session, Messages& messages, qint64 documentKey) {
    return refuseChange(session, messages, documentKey > 0 ? Change::Modify : Change::Add);
}

}  // namespace tanabana::documents
