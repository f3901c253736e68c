#include "core/SettingsFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

namespace tanabana {

namespace {

QString lineAt(const QStringList& lines, int number, const QString& fallback = {}) {
    return number >= 1 && number <= lines.size() ? lines.at(number - 1) : fallback;
}

}  // namespace

QStringList readTrimmedLines(const QString& path) {
    QStringList lines;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return lines;
    QTextStream in(&file);
    while (!in.atEnd()) lines << in.readLine().trimmed();
    return lines;
}

void readSettingsFiles(const QString& dataRoot, Session& session) {
    const QDir root(dataRoot);
    auto exists = [&root](const QString& name) { return QFileInfo::exists(root.filePath(name)); };
    auto lines = [&root](const QString& name) { return readTrimmedLines(root.filePath(name)); };

    const QStringList drive = lines(QStringLiteral("DrivePath.txt"));
    const QString backup = lineAt(drive, 2);
    session.backupFolderName = backup.isEmpty() ? QStringLiteral("Backup") : backup;
    session.challanTakaMode = lineAt(drive, 5) == QLatin1String("P");

    const QString npath = root.filePath(QStringLiteral("Debug/NPath.txt"));
    if (QFileInfo::exists(npath)) {
        const QStringList n = readTrimmedLines(npath);
        session.npathNumber = lineAt(n, 1);
        session.npathFolder = lineAt(n, 2);
    } else {
        session.npathNumber = QStringLiteral("10");
        session.npathFolder = QDir::tempPath();
    }

    session.apiMode = exists(QStringLiteral("Api.txt"));
    session.panelVisible = exists(QStringLiteral("Panel.txt"));
    session.localMode = exists(QStringLiteral("Local.txt"));

    bool ok = false;
    const double sms = lineAt(lines(QStringLiteral("SMSNO.txt")), 1).toDouble(&ok);
    session.smsNumber = ok ? sms : 1;
    session.smsApi = lines(QStringLiteral("SMSAPI.txt")).mid(0, 3);
    session.smsPassword = lineAt(lines(QStringLiteral("Pass.txt")), 1);
    const QString suffix = lineAt(lines(QStringLiteral("EINV_Rep.txt")), 1);
    session.einvoiceReportSuffix = suffix.isEmpty() ? QStringLiteral("PHa") : suffix;
}

}  // namespace tanabana
