#pragma once
// The backup an owner receives by e-mail when the program is left with "0. Exit && email Backup":
// a consistent copy of the open year in EmailBkup/ of the installation, zipped under a name that
// tells the year and the moment (2025_MK_05Dec2024_07_45_PM.zip), ready to attach.
#include "core/Session.h"

#include <QDateTime>
#include <QString>

namespace tanabana::shell {

// "2025_MK_05Dec2024_07_45_PM": the year file's name, the date as ddMMMyyyy, the time as HH_MM_AMPM.
QString emailBackupName(const QString& endYear, const QDateTime& at);

struct EmailBackup {
    QString zipPath;  // empty when no copy could be made
    QString error;
};
// Copies the session's open year (a year kept in a file) and zips it; books on a server are
// backed up by the server and give an empty path with the reason.
EmailBackup makeEmailBackup(const Session& session, const QDateTime& at);

// The installation's sending account for the backup (EmailBkup.txt beside the settings files:
// server, port, user, password, "SSL"); missing lines stay empty.
struct SendingAccount {
    QString server;
    int port = 25;
    QString user;
    QString password;
    bool ssl = false;
};
SendingAccount backupSendingAccount(const QString& dataRoot);

}  // namespace tanabana::shell
