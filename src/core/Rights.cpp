#include "core/Rights.h"

namespace tanabana {

QString rightColumn(GeneralRight right) {
    switch (right) {
    case GeneralRight::New: return QStringLiteral("IsNew");
    case GeneralRight::View: return QStringLiteral("IsView");
    case GeneralRight::Modify: return QStringLiteral("IsModify");
    case GeneralRight::Delete: return QStringLiteral("IsDelete");
    }
    return {};
}

bool hasRight(const Session& session, const QString& column) {
    if (column.isEmpty() || session.rights.isEmpty()) return true;
    for (auto it = session.rights.cbegin(); it != session.rights.cend(); ++it)
        if (it.key().compare(column, Qt::CaseInsensitive) == 0) return it.value().toInt() != 0;
    return true;
}

bool hasRight(const Session& session, GeneralRight right) { return hasRight(session, rightColumn(right)); }

bool rightRefuses(const Session& session, Messages& messages, GeneralRight right) {
    if (hasRight(session, right)) return false;
    static const char* const texts[] = {"You Have No Right To Add New Entries.", "You Have No Right To View Entries.",
                                        "You Have No Right To Modify Entries.", "You Have No Right To Delete Entries."};
    messages.critical(kNoRightTitle, QString::fromLatin1(texts[int(right)]));
    return true;
}

}  // namespace tanabana
