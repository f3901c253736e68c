#include "support/CliRun.h"

#include "domain/shell/Installer.h"

#include <QCoreApplication>
#include <QDir>

namespace tanabana::test {

QString cliPath() {
    // CTest names the build folder; a test started by hand sits in build/tests.
    const QString share = qEnvironmentVariable("TANABANA_SHARE");
    const QDir build = share.isEmpty() ? QDir(QCoreApplication::applicationDirPath() + QStringLiteral("/..")) : QDir(share);
    return build.absoluteFilePath(QStringLiteral("tanabana-cli"));
}

std::unique_ptr<QProcess> startCli(const QStringList& arguments) {
    auto process = std::make_unique<QProcess>();
    process->setProgram(cliPath());
    process->setArguments(arguments);
    process->start();
    return process;
}

CliResult runCli(const QStringList& arguments, const QByteArray& input) {
    auto process = startCli(arguments);
    CliResult result;
    if (!process->waitForStarted(20000)) {
        result.err = QStringLiteral("cannot start %1: %2").arg(cliPath(), process->errorString());
        return result;
    }
    if (!input.isEmpty()) process->write(input);
    process->closeWriteChannel();
    process->waitForFinished(120000);
    result.exitCode = process->exitStatus() == QProcess::NormalExit ? process->exitCode() : -1;
    result.out = QString::fromUtf8(process->readAllStandardOutput());
    result.err = QString::fromUtf8(process->readAllStandardError());
    return result;
}

YearFolder::YearFolder(int endYear) {
    const shell::Installation books = shell::Installation::inFolder(dir_.path());
    shell::FirstSetup setup;
    setup.endYear = endYear;
    setup.firmName = QStringLiteral("Shree Ganesh Textiles");
    shell::createInstallation(books, setup);
    db_ = books.openYear(endYear);
    session.dataRoot = dir_.path();
    session.dataFolder = books.databaseFolder();
    session.setYear(endYear);
    session.loginUser = QStringLiteral("ADMIN");
    session.db = &db_;
    session.firmNo = 1;
}

}  // namespace tanabana::test
