#pragma once
// The three fixed texts of the installation that F2, F3 and F4 put into a text box (a bank's
// name, a standard delivery remark, "Goods once sold will not be taken back"): the first row of
// FunKey in the year database, kept in the session while a firm is open.
#include "core/Messages.h"
#include "core/Session.h"
#include "db/Database.h"

namespace tanabana::shell {

struct FunctionKeyTexts {
    QString f2, f3, f4;
    bool operator==(const FunctionKeyTexts&) const = default;
};

FunctionKeyTexts loadFunctionKeys(db::Database& year);

// Saves the texts for every firm of the year and puts them into the session at once. Refused in a
// closed year, without the right to change entries, or when a text is longer than 255 characters;
// nothing is written then.
bool saveFunctionKeys(db::Database& year, Session& session, Messages& messages, const FunctionKeyTexts& texts);

}  // namespace tanabana::shell
