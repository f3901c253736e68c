#include "core/YearLock.h"

#include "db/Database.h"

namespace tanabana {

bool yearIsClosed(const Session& session, qint64 firmNo) {
    if (session.db && session.db->isOpen()) {
        if (!session.db->tableExists(QStringLiteral("FirmMst"))) return false;
        return session.db->scalar(QStringLiteral("SELECT IsYrEnd FROM FirmMst WHERE Srno = ?"), {firmNo}).toInt() != 0;
    }
    return firmNo == session.firmNo && session.firm.value(QStringLiteral("IsYrEnd")).toBool();
}

bool yearIsClosed(const Session& session) { return yearIsClosed(session, session.firmNo); }

bool yearLockRefuses(const Session& session, Messages& messages, qint64 firmNo) {
    if (!yearIsClosed(session, firmNo)) return false;
    messages.critical(kYearEndTitle, kYearEndText);
    return true;
}

bool yearLockRefuses(const Session& session, Messages& messages) {
    return yearLockRefuses(session, messages, session.firmNo);
}

}  // namespace tanabana
