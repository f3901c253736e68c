// The books of a small Surat firm in a data folder this station may only read, and an empty file
// where a year should be, through tanabana-cli (TANABANA_USES_CLI): the accounts still list, an
// import is refused saying why, and neither the books nor the empty file are written.
#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

struct CliRun {
    int code = -1;
    QString out, err;
};

QString cliPath() { return QDir(qEnvironmentVariable("TANABANA_SHARE")).filePath(QStringLiteral("tanabana-cli")); }

// Runs the command; as an ordinary user (nobody) when the tests run as root, who may write anything.
CliRun cli(const QStringList& args, const QByteArray& input = {}, bool asOrdinaryUser = false) {
    QProcess p;
    if (asOrdinaryUser && ::geteuid() == 0)
        p.start(QStringLiteral("setpriv"), QStringList{QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                                                       QStringLiteral("--clear-groups"), QStringLiteral("--"), cliPath()} + args);
    else
        p.start(cliPath(), args);
    p.waitForStarted();
    if (!input.isEmpty()) p.write(input);
    p.closeWriteChannel();
    p.waitForFinished(120000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

// A fingerprint of every file under the folder: names, sizes and contents.
QByteArray fingerprint(const QString& folder) {
    QCryptographicHash hash(QCryptographicHash::Sha256);
    QStringList files;
    for (QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories); it.hasNext();) files << it.next();
    files.sort();
    for (const QString& path : files) {
        QFile f(path);
        hash.addData(path.toUtf8());
        if (f.open(QIODevice::ReadOnly)) hash.addData(f.readAll());
    }
    return hash.result().toHex();
}

void setReadOnly(const QString& folder, bool readOnly) {
    const auto dirMode = readOnly ? (QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther)
                                  : (QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup |
                                     QFile::ReadOther | QFile::ExeOther);
    const auto fileMode = readOnly ? (QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther)
                                   : (QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    for (QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories); it.hasNext();) {
        const QString path = it.next();
        QFile::setPermissions(path, QFileInfo(path).isDir() ? dirMode : fileMode);
    }
    QFile::setPermissions(folder, dirMode);
}

}  // namespace

TEST(ReadOnlyBooks, ListedAndPrintedButNeverWritten) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther |
                                          QFile::ReadGroup | QFile::ExeGroup);
    const QString books = dir.filePath(QStringLiteral("books"));
    const CliRun demo = cli({QStringLiteral("--data"), books, QStringLiteral("demo"), QStringLiteral("create"), QStringLiteral("--year"),
                             QStringLiteral("2025"), QStringLiteral("--bills"), QStringLiteral("2")});
    ASSERT_EQ(demo.code, 0) << demo.err.toStdString();
    setReadOnly(books, true);
    const QByteArray before = fingerprint(books);

    const CliRun list = cli({QStringLiteral("--data"), books, QStringLiteral("account"), QStringLiteral("list"), QStringLiteral("--year"),
                             QStringLiteral("2025")},
                            {}, true);
    EXPECT_EQ(list.code, 0) << list.err.toStdString();
    EXPECT_TRUE(list.out.contains(QStringLiteral("Ramesh Silk Mills"))) << list.out.toStdString();

    const CliRun import = cli({QStringLiteral("--data"), books, QStringLiteral("account"), QStringLiteral("import"), QStringLiteral("-"),
                               QStringLiteral("--year"), QStringLiteral("2025")},
                              R"([{"AcName": "Navkar Fabrics", "GrpNo": 35, "City": "Surat"}])", true);
    EXPECT_EQ(import.code, 1);
    EXPECT_TRUE(import.err.contains(QStringLiteral("The books can be read here but not changed (the data folder or the year file is "
                                                   "read-only for this station).")))
        << import.err.toStdString();
    EXPECT_EQ(fingerprint(books), before);

    setReadOnly(books, false);
    const CliRun again = cli({QStringLiteral("--data"), books, QStringLiteral("account"), QStringLiteral("list"), QStringLiteral("--year"),
                              QStringLiteral("2025")});
    EXPECT_FALSE(again.out.contains(QStringLiteral("Navkar Fabrics")));
}

TEST(ReadOnlyBooks, AnEmptyYearFileIsRefusedAndStaysEmpty) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString books = dir.filePath(QStringLiteral("books"));
    const CliRun demo = cli({QStringLiteral("--data"), books, QStringLiteral("demo"), QStringLiteral("create"), QStringLiteral("--year"),
                             QStringLiteral("2025"), QStringLiteral("--bills"), QStringLiteral("1")});
    ASSERT_EQ(demo.code, 0) << demo.err.toStdString();
    // a copy that went wrong left the 2025 year as an empty file
    const QString year = QDir(books).filePath(QStringLiteral("DataBase/2025.db"));
    for (const QString& suffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")}) QFile::remove(year + suffix);
    QFile empty(year);
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    empty.close();

    const CliRun list = cli({QStringLiteral("--data"), books, QStringLiteral("account"), QStringLiteral("list"), QStringLiteral("--year"),
                             QStringLiteral("2025")});
    EXPECT_EQ(list.code, 1);
    EXPECT_TRUE(list.err.contains(QDir::toNativeSeparators(year) + QStringLiteral(" is not a database of this program: the file is empty")))
        << list.err.toStdString();
    EXPECT_EQ(QFileInfo(year).size(), 0);
    EXPECT_FALSE(QFileInfo::exists(year + QStringLiteral("-wal")));
}
