#pragma once
// Ledger codes ("A/c No") as operators know them: a group row carries its number times 10000
// ("350000" for group 35); an account carries its group, its initial and a serial within that
// series, so the first account of group 35 whose name begins with R is 35R001.
#include "db/Database.h"

#include <QString>

namespace tanabana::masters {

// "350000" for group 35.
QString groupLedgerId(int group);
// "35R" for group 35 and "Ramesh Silk Mills"; the initial is upper-cased.
QString ledgerSeries(int group, const QString& name);
// "35R" + serial as three digits; empty when the serial would pass 999.
QString ledgerCode(const QString& series, int serial);
// The next free code of the series in the firm ("001" serial when the series is new); empty when
// the series is full.
QString nextLedgerCode(db::Database& db, qint64 firmNo, const QString& series);
bool ledgerCodeExists(db::Database& db, qint64 firmNo, const QString& code);

}  // namespace tanabana::masters
