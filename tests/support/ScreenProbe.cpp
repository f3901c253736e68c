#include "support/ScreenProbe.h"

#include "gui/shell/Commands.h"
#include "gui/shell/MainWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTableWidget>

namespace tanabana::test {

QString fieldText(QWidget* screen, const QString& name) {
    if (auto* e = screen->findChild<QLineEdit*>(name)) return e->text();
    if (auto* c = screen->findChild<QComboBox*>(name)) return c->currentText();
    return {};
}

void keepPicture(QWidget* window, const QString& name) {
    const QString folder = qEnvironmentVariable("TANABANA_SCREENSHOTS");
    if (folder.isEmpty() || !window) return;
    QDir().mkpath(folder);
    QApplication::processEvents();
    window->grab().save(QDir(folder).filePath(name + QStringLiteral(".png")));
}

QStringList gridText(QTableWidget* grid) {
    QStringList rows;
    for (int r = 0; r < grid->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < grid->columnCount(); ++c)
            if (grid->item(r, c) && !grid->item(r, c)->text().isEmpty()) cells << grid->item(r, c)->text();
        rows << cells.join(QStringLiteral(" | "));
    }
    return rows;
}

QWidget* openFromMenu(gui::CommandRegistry& registry, gui::CommandContext& context, gui::MainWindow& window, const QString& command) {
    if (!registry.run(command, context)) return nullptr;
    const QList<QMdiSubWindow*> subs = window.workArea()->subWindowList();
    if (subs.isEmpty()) return nullptr;
    subs.last()->showMaximized();
    QApplication::processEvents();
    return subs.last()->widget();
}

}  // namespace tanabana::test
