#pragma once
// The installation's small settings files, read once before the login window shows: each file
// in the installation folder switches one behaviour on by existing (Panel.txt shows the
// dashboard, Api.txt, Local.txt) or holds a few lines (DrivePath.txt, EINV_Rep.txt, SMS files).
// A missing file leaves the default.
#include "core/Session.h"

#include <QString>
#include <QStringList>

namespace tanabana {

void readSettingsFiles(const QString& dataRoot, Session& session);
// The lines of a text file, each trimmed; empty when the file is missing.
QStringList readTrimmedLines(const QString& path);

}  // namespace tanabana
