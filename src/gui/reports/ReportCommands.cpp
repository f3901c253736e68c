// The report settings opened from the utility menu.
#include "gui/reports/SettingsWindows.h"
#include "gui/shell/Commands.h"

namespace tanabana::gui {

void registerReportCommands(CommandRegistry& registry) {
    registry.add(QStringLiteral("mnu_Y38"), [](CommandContext& c) {
        openScreen(c, [&](db::Database& year) { return new PrintCopiesWindow(year, c.messages); });
    });
}

}  // namespace tanabana::gui
