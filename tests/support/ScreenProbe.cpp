#include "support/ScreenProbe.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>

namespace tanabana::test {

QString fieldText(QWidget* screen, const QString& name) {
    if (auto* e = screen->findChild<QLineEdit*>(name)) return e->text();
    if (auto* c = screen->findChild<QComboBox*>(name)) return c->currentText();
    return {};
}

void keepPicture(QWidget* window, const QString& name) {
    const QString folder = qEnvironmentVariable("TANABANA_SCREENSHOTS");
    if (folder.isEmpty()) return;
    QDir().mkpath(folder);
    QApplication::processEvents();
    window->grab().save(QDir(folder).filePath(name + QStringLiteral(".png")));
}

}  // namespace tanabana::test
