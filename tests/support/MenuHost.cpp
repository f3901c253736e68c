#include "support/MenuHost.h"

#include "support/ScreenProbe.h"

namespace tanabana::test {

MenuHost::MenuHost(YearFixture& year)
    : window(year.session, year.messages), context{window, [&year] { return &year.db(); }, year.session, year.messages} {
    gui::registerAllCommands(registry);
    window.resize(1366, 768);
    window.show();
}

QWidget* MenuHost::open(const QString& command) { return openFromMenu(registry, context, window, command); }

}  // namespace tanabana::test
