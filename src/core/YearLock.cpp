#include "core/YearLock.h"

#include "db/Database.h"

namespace tanabana {

bool yearIsClosed(const Session& session, qint64 firmNo) {
    if (firmNo == session.firmNo) {
        for (auto it = session.firm.cbegin(); it != session.firm.cend(); ++it)
            if (it.key().compare(QLatin1String("IsYrEnd"), Qt::CaseInsensitive) == 0 && it.value().toInt() != 0) return true;
    }
    if (session.db && session.db->isOpen() && session.db->tableExists(QStringLiteral("FirmMst")))
        return session.db->scalar(QStringLiteral("SELECT IsYrEnd FROM FirmMst WHERE Srno = ?"), {firmNo}).toInt() != 0;
    return false;
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
