#pragma once
// Amounts written in a test as the operator types them: d("1,234.50").
#include "core/Decimal.h"

#include <QString>

namespace tanabana {

// A typo in a test's amount fails that test (bad_optional_access) instead of reading garbage.
inline Decimal d(const char* text) { return Decimal::parse(QString::fromUtf8(text)).value(); }

}  // namespace tanabana
