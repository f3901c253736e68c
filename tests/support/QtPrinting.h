#pragma once
// Lets GoogleTest print Qt values readably in failure messages ("600 Cr." instead of code units).
#include "core/Decimal.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }
inline void PrintTo(const QStringList& list, std::ostream* os) {
    *os << '[';
    for (int i = 0; i < list.size(); ++i) *os << (i ? ", \"" : "\"") << list.at(i).toStdString() << '"';
    *os << ']';
}
inline void PrintTo(const QDate& date, std::ostream* os) { *os << date.toString(Qt::ISODate).toStdString(); }

namespace tanabana {
inline void PrintTo(const Decimal& amount, std::ostream* os) { *os << amount.toString(2).toStdString(); }
}  // namespace tanabana
