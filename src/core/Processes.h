#pragma once
// Ending a program the export left running (a spreadsheet or PDF viewer holding the file that is
// about to be written again): every process of this user whose program name is exactly `name`
// is asked to end. Returns how many were asked.
#include <QString>

namespace tanabana {

int endProcesses(const QString& name);

}  // namespace tanabana
