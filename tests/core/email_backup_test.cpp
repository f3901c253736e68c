// The backup the owner receives when leaving with "0. Exit && email Backup": a zip under
// EmailBkup/ named after the year and the moment, holding a copy of the books that opens as a
// year database with the firm's bills in it; and the installation's sending account.
#include "db/Database.h"
#include "domain/shell/EmailBackup.h"
#include "support/YearFixture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unzip.h>

using namespace tanabana;

namespace {

// The single file of a zip: its name and bytes.
std::pair<QString, QByteArray> onlyEntry(const QString& zipPath) {
    unzFile zip = unzOpen64(QFile::encodeName(zipPath).constData());
    if (!zip) return {};
    std::pair<QString, QByteArray> entry;
    unz_global_info64 global{};
    unzGetGlobalInfo64(zip, &global);
    if (global.number_entry == 1 && unzGoToFirstFile(zip) == UNZ_OK) {
        char name[256] = {};
        unz_file_info64 info{};
        unzGetCurrentFileInfo64(zip, &info, name, sizeof name, nullptr, 0, nullptr, 0);
        entry.first = QString::fromUtf8(name);
        if (unzOpenCurrentFile(zip) == UNZ_OK) {
            entry.second.resize(qsizetype(info.uncompressed_size));
            unzReadCurrentFile(zip, entry.second.data(), unsigned(entry.second.size()));
            unzCloseCurrentFile(zip);
        }
    }
    unzClose(zip);
    return entry;
}

}  // namespace

TEST(EmailBackup, TheYearIsZippedUnderTheNameOfTheYearAndTheMoment) {
    test::YearFixture year;
    QTemporaryDir installation;
    year.session.dataRoot = installation.path();
    year.db().exec(QStringLiteral("UPDATE FirmMst SET Email_Add = 'owner@ganesh.example' WHERE Srno = 1"));
    const QDateTime evening(QDate(2024, 12, 5), QTime(19, 45));
    EXPECT_EQ(shell::emailBackupName(QStringLiteral("2025"), evening), QStringLiteral("2025_MK_05Dec2024_07_45_PM"));
    EXPECT_EQ(shell::emailBackupName(QStringLiteral("2025"), QDateTime(QDate(2025, 3, 1), QTime(9, 5))),
              QStringLiteral("2025_MK_01Mar2025_09_05_AM"));

    if (year.db().engine() != db::Engine::Sqlite) GTEST_SKIP();
    const shell::EmailBackup backup = shell::makeEmailBackup(year.session, evening);
    ASSERT_FALSE(backup.zipPath.isEmpty()) << backup.error.toStdString();
    EXPECT_EQ(QDir::cleanPath(backup.zipPath),
              QDir(installation.path()).filePath(QStringLiteral("EmailBkup/2025_MK_05Dec2024_07_45_PM.zip")));
    // Only the zip stays behind.
    EXPECT_EQ(QDir(installation.path() + QStringLiteral("/EmailBkup")).entryList(QDir::Files),
              QStringList{QStringLiteral("2025_MK_05Dec2024_07_45_PM.zip")});

    const auto [name, bytes] = onlyEntry(backup.zipPath);
    EXPECT_EQ(name, QStringLiteral("2025_MK_05Dec2024_07_45_PM.db"));
    ASSERT_TRUE(bytes.startsWith("SQLite format 3"));
    const QString copy = QDir(installation.path()).filePath(QStringLiteral("restored.db"));
    QFile out(copy);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(bytes);
    out.close();
    db::Database restored = db::Database::openSqlite(copy, false);
    EXPECT_EQ(restored.scalar(QStringLiteral("SELECT Email_Add FROM FirmMst WHERE Srno = 1")).toString(),
              QStringLiteral("owner@ganesh.example"));
}

TEST(EmailBackup, TheSendingAccountComesFromTheInstallationsFile) {
    QTemporaryDir installation;
    EXPECT_TRUE(shell::backupSendingAccount(installation.path()).server.isEmpty());
    QFile file(QDir(installation.path()).filePath(QStringLiteral("EmailBkup.txt")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(" smtp.ganesh.example \n465\nbackup@ganesh.example\nse'cret\nssl\n");
    file.close();
    const shell::SendingAccount account = shell::backupSendingAccount(installation.path());
    EXPECT_EQ(account.server, QStringLiteral("smtp.ganesh.example"));
    EXPECT_EQ(account.port, 465);
    EXPECT_EQ(account.user, QStringLiteral("backup@ganesh.example"));
    EXPECT_EQ(account.password, QStringLiteral("se'cret"));
    EXPECT_TRUE(account.ssl);
}
