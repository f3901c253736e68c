#include "cli/Cli.h"

#include <QGuiApplication>
#include <QStringList>

int main(int argc, char** argv) {
    // Reports need fonts, and fonts need a GUI application; without a display it works offscreen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Tanabana"));
    QCoreApplication::setApplicationName(QStringLiteral("Tanabana"));
    tanabana::cli::Registry registry;
    // Nouns in the order --help lists them.
    tanabana::cli::registerShellCommands(registry);
    tanabana::cli::registerProductCommands(registry);
    tanabana::cli::registerLedgerCommands(registry);
    tanabana::cli::registerUtilCommands(registry);
    tanabana::cli::registerReportCommands(registry);
    return registry.dispatch(app.arguments().mid(1));
}
