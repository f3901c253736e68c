// The desktop program. Start-up (login, year and firm choice) is wired in by the gui library.
#include <QApplication>
#include <QMessageBox>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Tanabana"));
    QApplication::setApplicationName(QStringLiteral("Tanabana"));
    QMessageBox::information(nullptr, QStringLiteral("Tanabana"), QStringLiteral("The start-up windows are not built yet."));
    return 0;
}
