// Ending a left-over program by its exact name ends that program only.
#include "core/Processes.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tanabana;

TEST(EndProcesses, EndsTheNamedProgramAndNothingElse) {
    QTemporaryDir dir;
    const QString name = QStringLiteral("tnbk%1").arg(QCoreApplication::applicationPid() % 100000);
    const QString program = dir.filePath(name);
    ASSERT_TRUE(QFile::copy(QStringLiteral("/bin/sleep"), program));
    QFile::setPermissions(program, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    QProcess target, bystander;
    target.start(program, {QStringLiteral("60")});
    bystander.start(QStringLiteral("/bin/sleep"), {QStringLiteral("60")});
    ASSERT_TRUE(target.waitForStarted());
    ASSERT_TRUE(bystander.waitForStarted());
    EXPECT_EQ(endProcesses(name + QStringLiteral("x")), 0);
    EXPECT_EQ(endProcesses(name), 1);
    EXPECT_TRUE(target.waitForFinished(5000));
    EXPECT_EQ(bystander.state(), QProcess::Running);
    bystander.kill();
    bystander.waitForFinished();
    EXPECT_EQ(endProcesses(QString()), 0);
}
