#pragma once
// The lookup lists behind the GST drop-downs, kept as text files in the installation folder so a
// firm can adjust them: the reverse-charge invoice prefix (RCM.txt), credit/debit note reasons
// (CNDN.txt), units of quantity (UQM.txt) and the states with their GST codes (StateCodeN.txt,
// entries like "24-Gujarat", the values stored in FirmMst.CST and AccMst.CSTNO).
#include "db/Database.h"

#include <QString>
#include <QStringList>

namespace tanabana::shell {

// The shipped lines of each list, in the order they are shown.
QStringList defaultListLines(const QString& fileName);
// Writes each list file that is missing from the installation folder; returns the names written.
QStringList writeListFiles(const QString& dataRoot);
// The lines of a list file (trimmed at the end only where the list keeps its blanks), or the
// shipped lines when the file is missing.
QStringList readListFile(const QString& dataRoot, const QString& fileName);

// Old upper-case state names (from lists before the GST codes were corrected) become the names of
// the current list, in FirmMst.CST and, where the accounts table exists, AccMst.CSTNO.
void normaliseStateNames(db::Database& db);

}  // namespace tanabana::shell
