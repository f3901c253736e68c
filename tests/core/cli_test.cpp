// tanabana-cli as a script uses it: set up an installation, list and add years, list firms;
// refusals go to standard error with a non-zero exit and change nothing.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct CliRun {
    int code = -1;
    QString out;
    QString err;
};

CliRun cli(const QStringList& args) {
    QProcess p;
    p.start(QDir(qEnvironmentVariable("TANABANA_SHARE")).filePath(QStringLiteral("tanabana-cli")), args);
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

}  // namespace

TEST(Cli, InstallYearsAndFirms) {
    if (qEnvironmentVariableIsEmpty("TANABANA_SHARE")) GTEST_SKIP() << "run through ctest";
    QTemporaryDir dir;
    const QString root = dir.filePath(QStringLiteral("books"));
    CliRun r = cli({QStringLiteral("--data"), root, QStringLiteral("install"), QStringLiteral("create"), QStringLiteral("--user"),
                 QStringLiteral("anil"), QStringLiteral("--password"), QStringLiteral("s3cret"), QStringLiteral("--year"),
                 QStringLiteral("2025"), QStringLiteral("--firm"), QStringLiteral("Shree Ram's \"Silk\"")});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("Installation created in %1\nOperator ANIL, year 2024--2025, firm 1 Shree Ram's \"Silk\"\n")
                         .arg(QDir::toNativeSeparators(root)));
    EXPECT_TRUE(QFile::exists(QDir(root).filePath(QStringLiteral("DataBase/2025.db"))));

    r = cli({QStringLiteral("--data"), root, QStringLiteral("install"), QStringLiteral("create")});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.startsWith(QStringLiteral("An installation exists already"))) << r.err.toStdString();

    r = cli({QStringLiteral("--data"), root, QStringLiteral("year"), QStringLiteral("create-next")});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("Year Ending Process has been successfully finished.\n"));
    r = cli({QStringLiteral("--data"), root, QStringLiteral("year"), QStringLiteral("create-next"), QStringLiteral("--year"), QStringLiteral("2025")});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("2026 Year Is Found: This Year is already Exist"))) << r.err.toStdString();

    r = cli({QStringLiteral("--data"), root, QStringLiteral("year"), QStringLiteral("list")});
    EXPECT_EQ(r.out, QStringLiteral("2024--2025  %1\n2025--2026  %2\n")
                         .arg(QDir::toNativeSeparators(QDir(root).filePath(QStringLiteral("DataBase/2025.db"))),
                              QDir::toNativeSeparators(QDir(root).filePath(QStringLiteral("DataBase/2026.db")))));
    r = cli({QStringLiteral("--data"), root, QStringLiteral("firm"), QStringLiteral("list"), QStringLiteral("--year"), QStringLiteral("2026")});
    EXPECT_EQ(r.out, QStringLiteral("   1  Shree Ram's \"Silk\"\n"));
    r = cli({QStringLiteral("--data"), root, QStringLiteral("firm"), QStringLiteral("list"), QStringLiteral("--year"), QStringLiteral("2030")});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err.trimmed(), QStringLiteral("Selected Year is not Found"));
}

TEST(Cli, MissingInstallationAndUnreachableServerAreRefused) {
    if (qEnvironmentVariableIsEmpty("TANABANA_SHARE")) GTEST_SKIP() << "run through ctest";
    QTemporaryDir dir;
    const QString root = dir.filePath(QStringLiteral("none"));
    CliRun r = cli({QStringLiteral("--data"), root, QStringLiteral("year"), QStringLiteral("list")});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.startsWith(QStringLiteral("Database file not found"))) << r.err.toStdString();
    EXPECT_FALSE(QDir(root).exists());
    r = cli({QStringLiteral("--db"), QStringLiteral("postgresql://postgres@127.0.0.1:1/books"), QStringLiteral("--data"), root,
             QStringLiteral("install"), QStringLiteral("create")});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.startsWith(QStringLiteral("Cannot connect to the database server 127.0.0.1"))) << r.err.toStdString();
    EXPECT_FALSE(QDir(root).exists());
    r = cli({QStringLiteral("year")});
    EXPECT_EQ(r.code, 2);
    EXPECT_TRUE(r.err.contains(QStringLiteral("create-next")));
}
