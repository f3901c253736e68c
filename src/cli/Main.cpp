#include "cli/Cli.h"

#include <QCoreApplication>
#include <QStringList>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Tanabana"));
    QCoreApplication::setApplicationName(QStringLiteral("Tanabana"));
    tanabana::cli::Registry registry;
    // Nouns in the order --help lists them.
    tanabana::cli::registerShellCommands(registry);
    tanabana::cli::registerProductCommands(registry);
    tanabana::cli::registerLedgerCommands(registry);
    tanabana::cli::registerUtilCommands(registry);
    return registry.dispatch(app.arguments().mid(1));
}
