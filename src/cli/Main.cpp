#include "cli/Cli.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QStringList>
#include <memory>

namespace {

// Printing needs fonts, and fonts need a GUI application; without a display it runs offscreen.
std::unique_ptr<QCoreApplication> makeApplication(int& argc, char** argv) {
    bool prints = false;
    for (int i = 1; i < argc; ++i)
        if (QByteArray(argv[i]) == "report" || QByteArray(argv[i]) == "print" || QByteArray(argv[i]) == "register" ||
            QByteArray(argv[i]) == "gstr3b" || QByteArray(argv[i]) == "bank" || QByteArray(argv[i]) == "stock" ||
            QByteArray(argv[i]) == "takas")
            prints = true;
    if (!prints) return std::make_unique<QCoreApplication>(argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        // The platform wants a private runtime folder; a temporary one keeps it quiet.
        const QString runtime = QDir::temp().filePath(QStringLiteral("tanabana-runtime-%1").arg(qgetenv("USER").isEmpty() ? QByteArray("user") : qgetenv("USER")));
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", runtime.toLocal8Bit());
    }
    return std::make_unique<QGuiApplication>(argc, argv);
}

}  // namespace

int main(int argc, char** argv) {
    const auto app = makeApplication(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Tanabana"));
    QCoreApplication::setApplicationName(QStringLiteral("Tanabana"));
    tanabana::cli::Registry registry;
    // Nouns in the order --help lists them.
    tanabana::cli::registerShellCommands(registry);
    tanabana::cli::registerMasterCommands(registry);
    tanabana::cli::registerProductCommands(registry);
    tanabana::cli::registerLedgerCommands(registry);
    tanabana::cli::registerSellingCommands(registry);
    tanabana::cli::registerPurchaseCommands(registry);
    tanabana::cli::registerVoucherCommands(registry);
    tanabana::cli::registerUtilCommands(registry);
    tanabana::cli::registerReportCommands(registry);
    tanabana::cli::registerRegisterCommands(registry);
    tanabana::cli::registerAccountCommands(registry);
    tanabana::cli::registerGstCommands(registry);
    tanabana::cli::registerMillCommands(registry);
    tanabana::cli::registerStockCommands(registry);
    return registry.dispatch(QCoreApplication::arguments().mid(1));
}
