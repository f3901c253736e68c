#pragma once
// Opens the document a register row stands for (a sales bill, a delivery or production
// challan, the document that posted a journal line) in its own window in the work area; other
// kinds are left to their register's screen.
#include "core/Messages.h"
#include "core/Session.h"
#include "db/Database.h"
#include "domain/reports/Register.h"

namespace tanabana::gui {

class MainWindow;

void openRegisterDocument(MainWindow& window, db::Database& year, Session& session, Messages& messages, reports::DocumentKind kind,
                          qint64 id);

}  // namespace tanabana::gui
