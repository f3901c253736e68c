#pragma once
// What a screen test looks at: the text a field shows, and a picture of a window kept in the
// folder named by TANABANA_SCREENSHOTS (nothing is kept when it is not set).
#include <QString>
#include <QStringList>

class QTableWidget;
class QWidget;

namespace tanabana::gui {
class CommandRegistry;
struct CommandContext;
class MainWindow;
}  // namespace tanabana::gui

namespace tanabana::test {

// The text of the line edit or list box of that object name inside the screen; empty when none.
QString fieldText(QWidget* screen, const QString& name);
void keepPicture(QWidget* window, const QString& name);
// The grid's texts, one row a line, the cells that hold text joined by " | ".
QStringList gridText(QTableWidget* grid);
// Runs a menu command and returns the screen it opened in the work area, maximized; null when
// the command opened none.
QWidget* openFromMenu(gui::CommandRegistry& registry, gui::CommandContext& context, gui::MainWindow& window, const QString& command);

}  // namespace tanabana::test
