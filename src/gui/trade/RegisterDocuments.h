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
class RegisterForm;
struct CommandContext;

void openRegisterDocument(MainWindow& window, db::Database& year, Session& session, Messages& messages, reports::DocumentKind kind,
                          qint64 id);
// Lets Enter on a row of the register screen open its document that way; returns the form.
RegisterForm* opensDocuments(RegisterForm* form, CommandContext& context, db::Database& year);

}  // namespace tanabana::gui
