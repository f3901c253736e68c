#include "domain/shell/EmailBackup.h"

#include "core/SettingsFiles.h"
#include "db/Database.h"
#include "db/DbError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <zip.h>

namespace tanabana::shell {

namespace {

// One file into a new zip archive; false when any step fails (the half-written zip is removed).
bool zipOneFile(const QString& source, const QString& target) {
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) return false;
    zipFile zip = zipOpen64(QFile::encodeName(target).constData(), APPEND_STATUS_CREATE);
    if (!zip) return false;
    zip_fileinfo info{};
    bool ok = zipOpenNewFileInZip64(zip, QFileInfo(source).fileName().toUtf8().constData(), &info, nullptr, 0, nullptr, 0, nullptr,
                                    Z_DEFLATED, Z_DEFAULT_COMPRESSION, 1) == ZIP_OK;
    while (ok && !in.atEnd()) {
        const QByteArray chunk = in.read(1 << 20);
        ok = zipWriteInFileInZip(zip, chunk.constData(), unsigned(chunk.size())) == ZIP_OK;
    }
    if (ok) ok = zipCloseFileInZip(zip) == ZIP_OK;
    ok = zipClose(zip, nullptr) == ZIP_OK && ok;
    if (!ok) QFile::remove(target);
    return ok;
}

}  // namespace

QString emailBackupName(const QString& endYear, const QDateTime& at) {
    const QLocale english(QLocale::English);
    return QStringLiteral("%1_MK_%2_%3").arg(endYear, english.toString(at.date(), QStringLiteral("ddMMMyyyy")),
                                             english.toString(at.time(), QStringLiteral("hh_mm_AP")));
}

EmailBackup makeEmailBackup(const Session& session, const QDateTime& at) {
    EmailBackup backup;
    if (!session.db || !session.db->isOpen()) {
        backup.error = QStringLiteral("No year is open");
        return backup;
    }
    if (session.db->engine() != db::Engine::Sqlite) {
        backup.error = QStringLiteral("Books on a server are backed up by the server");
        return backup;
    }
    const QDir folder(QDir(session.dataRoot).filePath(QStringLiteral("EmailBkup")));
    if (!QDir().mkpath(folder.path())) {
        backup.error = QStringLiteral("The folder %1 cannot be made").arg(QDir::toNativeSeparators(folder.path()));
        return backup;
    }
    const QString name = emailBackupName(session.endYear, at);
    const QString copy = folder.filePath(name + QStringLiteral(".db"));
    const QString zip = folder.filePath(name + QStringLiteral(".zip"));
    QFile::remove(copy);
    try {
        session.db->exec(QStringLiteral("VACUUM INTO ?"), {copy});
    } catch (const db::DbError& e) {
        backup.error = e.describe();
        return backup;
    }
    const bool zipped = zipOneFile(copy, zip);
    QFile::remove(copy);
    if (!zipped) {
        backup.error = QStringLiteral("The backup %1 cannot be written").arg(QDir::toNativeSeparators(zip));
        return backup;
    }
    backup.zipPath = zip;
    return backup;
}

SendingAccount backupSendingAccount(const QString& dataRoot) {
    const QStringList lines = readTrimmedLines(QDir(dataRoot).filePath(QStringLiteral("EmailBkup.txt")));
    SendingAccount account;
    account.server = lines.value(0);
    account.port = lines.value(1).toInt() > 0 ? lines.value(1).toInt() : 25;
    account.user = lines.value(2);
    account.password = lines.value(3);
    account.ssl = lines.value(4).compare(QLatin1String("SSL"), Qt::CaseInsensitive) == 0;
    return account;
}

}  // namespace tanabana::shell
