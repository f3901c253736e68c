// The installation's settings and lookup list files: defaults when missing, the lines the
// screens read, list files written once and never over a firm's own edits, and old upper-case
// state names brought to the current list (TANABANA_BOTH_ENGINES for the state names).
#include "core/SettingsFiles.h"
#include "domain/shell/ListFiles.h"
#include "support/TestDb.h"
#include "support/YearFixture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <gtest/gtest.h>

using namespace tanabana;

namespace {

void writeFile(const QString& path, const QString& text) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Text));
    f.write(text.toUtf8());
}

QString readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly | QIODevice::Text) ? QString::fromUtf8(f.readAll()) : QString();
}

}  // namespace

TEST(SettingsFiles, MissingFilesLeaveTheDefaults) {
    QTemporaryDir dir;
    Session s;
    s.panelVisible = true;
    readSettingsFiles(dir.path(), s);
    EXPECT_FALSE(s.panelVisible);
    EXPECT_FALSE(s.apiMode);
    EXPECT_FALSE(s.challanTakaMode);
    EXPECT_EQ(s.backupFolderName, QStringLiteral("Backup"));
    EXPECT_EQ(s.einvoiceReportSuffix, QStringLiteral("PHa"));
    EXPECT_EQ(s.smsNumber, 1);
    EXPECT_EQ(s.npathNumber, QStringLiteral("10"));
    EXPECT_EQ(s.npathFolder, QDir::tempPath());
}

TEST(SettingsFiles, LinesAndMarkersAreRead) {
    QTemporaryDir dir;
    const QDir root(dir.path());
    writeFile(root.filePath(QStringLiteral("DrivePath.txt")), QStringLiteral("D:\n  Year Backup  \n\n\n P \n"));
    writeFile(root.filePath(QStringLiteral("Panel.txt")), QString());
    writeFile(root.filePath(QStringLiteral("Local.txt")), QString());
    writeFile(root.filePath(QStringLiteral("SMSNO.txt")), QStringLiteral("2.5\n"));
    writeFile(root.filePath(QStringLiteral("EINV_Rep.txt")), QStringLiteral("\n"));
    writeFile(root.filePath(QStringLiteral("Debug/NPath.txt")), QStringLiteral("12\n/srv/photos\n"));
    Session s;
    readSettingsFiles(dir.path(), s);
    EXPECT_TRUE(s.panelVisible);
    EXPECT_TRUE(s.localMode);
    EXPECT_FALSE(s.apiMode);
    EXPECT_TRUE(s.challanTakaMode);
    EXPECT_EQ(s.backupFolderName, QStringLiteral("Year Backup"));
    EXPECT_EQ(s.smsNumber, 2.5);
    EXPECT_EQ(s.einvoiceReportSuffix, QStringLiteral("PHa"));  // an empty line keeps the default
    EXPECT_EQ(s.npathNumber, QStringLiteral("12"));
    EXPECT_EQ(s.npathFolder, QStringLiteral("/srv/photos"));
}

TEST(ListFiles, WrittenOnceWithTheirLinesAndNeverOverAFirmsEdits) {
    QTemporaryDir dir;
    const QDir root(dir.path());
    writeFile(root.filePath(QStringLiteral("RCM.txt")), QStringLiteral("SELF-\n"));
    EXPECT_EQ(shell::writeListFiles(dir.path()),
              (QStringList{QStringLiteral("CNDN.txt"), QStringLiteral("UQM.txt"), QStringLiteral("StateCodeN.txt")}));
    EXPECT_TRUE(shell::writeListFiles(dir.path()).isEmpty());
    EXPECT_EQ(readFile(root.filePath(QStringLiteral("RCM.txt"))), QStringLiteral("SELF-\n"));
    const QString units = readFile(root.filePath(QStringLiteral("UQM.txt")));
    EXPECT_TRUE(units.startsWith(QStringLiteral("NOS-NUMBERS\nMTR-METERS\nKGS-KILOGRAMS \nPCS-PIECES\n")));
    EXPECT_TRUE(units.endsWith(QStringLiteral("UNT-UNITS\nOTH-OTHERS\n")));
    const QStringList states = shell::readListFile(dir.path(), QStringLiteral("StateCodeN.txt"));
    ASSERT_EQ(states.size(), 39);
    EXPECT_EQ(states.at(0), QStringLiteral("-"));
    EXPECT_EQ(states.at(1), QStringLiteral("24-Gujarat"));
    EXPECT_EQ(states.at(2), QStringLiteral("01-Jammu & Kashmir"));
    EXPECT_EQ(states.back(), QStringLiteral("97-Other Territory"));
    EXPECT_EQ(shell::readListFile(dir.path(), QStringLiteral("CNDN.txt")).at(6), QStringLiteral("07-Others"));
    QFile::remove(root.filePath(QStringLiteral("CNDN.txt")));
    EXPECT_EQ(shell::readListFile(dir.path(), QStringLiteral("CNDN.txt")).size(), 7);  // shipped lines when missing
}

TEST(StateNames, OldUpperCaseNamesBecomeTheCurrentOnes) {
    TANABANA_REQUIRE_ENGINE();
    test::YearFixture year;
    auto& db = year.db();
    db.exec(QStringLiteral("UPDATE FirmMst SET CST = '24-GUJARAT' WHERE Srno = 1"));
    db.exec(QStringLiteral("INSERT INTO AccMst (Id, FirmNo, CSTNO) VALUES (1, 1, '27-MAHARASHTRA'), (2, 1, '17-MEGHLAYA'), "
                           "(3, 1, '37-ANDHRA PRADESH (NEW)'), (4, 1, '09-UTTAR PRADESH'), (5, 1, '24-Gujarat')"));
    shell::normaliseStateNames(db);
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT CST FROM FirmMst WHERE Srno = 1")).toString(), QStringLiteral("24-Gujarat"));
    QStringList got;
    for (const auto& r : db.query(QStringLiteral("SELECT CSTNO FROM AccMst ORDER BY Id"))) got << r.value(0).toString();
    EXPECT_EQ(got, (QStringList{QStringLiteral("27-Maharashtra"), QStringLiteral("17-Meghalaya"), QStringLiteral("37-Andhra Pradesh"),
                                QStringLiteral("09-UTTAR PRADESH"), QStringLiteral("24-Gujarat")}));
}
