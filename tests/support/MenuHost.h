#pragma once
// A main window on a test's year with every menu command registered, for tests that open a
// screen the way an operator does:
//
//   test::MenuHost host(year);
//   auto* screen = qobject_cast<gui::Itc04Screen*>(host.open("mnu_R64"));
#include "gui/shell/Commands.h"
#include "gui/shell/MainWindow.h"
#include "support/YearFixture.h"

namespace tanabana::test {

class MenuHost {
public:
    explicit MenuHost(YearFixture& year);
    // The screen the command opened in the work area, maximized; null when it opened none.
    QWidget* open(const QString& command);

    gui::CommandRegistry registry;
    gui::MainWindow window;
    gui::CommandContext context;
};

}  // namespace tanabana::test
