#include "core/Processes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <csignal>
#include <sys/types.h>
#include <unistd.h>

namespace tanabana {

int endProcesses(const QString& name) {
    if (name.trimmed().isEmpty()) return 0;
    // The kernel keeps at most 15 characters of a program name.
    const QString wanted = name.trimmed().left(15);
    int asked = 0;
    const QDir proc(QStringLiteral("/proc"));
    for (const QString& entry : proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool isPid = false;
        const qint64 pid = entry.toLongLong(&isPid);
        if (!isPid || pid == qint64(getpid())) continue;
        if (QFileInfo(proc.filePath(entry)).ownerId() != uint(getuid())) continue;
        QFile comm(proc.filePath(entry + QStringLiteral("/comm")));
        if (!comm.open(QIODevice::ReadOnly)) continue;
        if (QString::fromLocal8Bit(comm.readAll()).trimmed() != wanted) continue;
        if (::kill(pid_t(pid), SIGTERM) == 0) ++asked;
    }
    return asked;
}

}  // namespace tanabana
