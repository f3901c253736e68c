#pragma once
// The selling commands of the main window: sales invoice, delivery challans (typed or from
// takas) and production challans, each opening its screen inside the work area on the year and
// firm open at that moment. Commands whose screens are not built yet are shown disabled.
#include "core/Messages.h"
#include "core/Session.h"
#include "db/Database.h"

#include <functional>

namespace tanabana::gui {

class MainWindow;

void installSellingMenu(MainWindow& window, std::function<db::Database*()> openYear, Session& session, Messages& messages);

}  // namespace tanabana::gui
