#pragma once
// What an operator may do: one right per menu command (LoginMst columns such as T12 or R72) and
// the four general rights to add, view, change and delete entries, which every service that
// writes checks before it touches the books.
//
//   if (rightRefuses(session, messages, GeneralRight::Delete)) return false;
#include "core/Messages.h"
#include "core/Session.h"

namespace tanabana {

enum class GeneralRight { New, View, Modify, Delete };

// The LoginMst column of a general right ("IsNew", "IsView", "IsModify", "IsDelete").
QString rightColumn(GeneralRight right);
// True unless the operator's rights are loaded and this column is cleared. An empty column name
// (a command no right governs) is always allowed.
bool hasRight(const Session& session, const QString& column);
bool hasRight(const Session& session, GeneralRight right);
// Shows "No Right" with what was refused and returns true when the operator lacks the right.
bool rightRefuses(const Session& session, Messages& messages, GeneralRight right);

inline const QString kNoRightTitle = QStringLiteral("No Right");

}  // namespace tanabana
