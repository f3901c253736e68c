#pragma once
// Every save and delete of a screen runs through here, so that trouble of the database never ends
// the program: another station holding the books past the wait, a full disk, books this station
// may only read, a lost server connection, or an amount larger than the books keep. The operator
// sees what failed and why; the action ran in its own transaction, so nothing of it was written,
// and the screen's fields are left as typed, ready to be saved again.
//
//   qint64 key = 0;
//   if (!guardedSave(messages_, QStringLiteral("Saving the account"), [&] { key = accounts.save(values); }))
//       return;  // message shown, input kept
#include "core/Messages.h"

#include <QApplication>
#include <QString>
#include <functional>

namespace tanabana::gui {

// Runs `action`; true when it ran to its end. After a fault shows "Not Saved" with
// "<what> failed." and the reason, and returns false.
bool guardedSave(Messages& messages, const QString& what, const std::function<void()>& action);

// The program's application: the last net under every screen. A fault that escapes a screen's own
// handling (an amount too large while a grid recomputes, a database fault while a list refreshes)
// is shown as a message and the program goes on, instead of ending with the operator's work.
class GuardedApplication : public QApplication {
public:
    GuardedApplication(int& argc, char** argv, Messages& messages) : QApplication(argc, argv), messages_(messages) {}
    bool notify(QObject* receiver, QEvent* event) override;

private:
    Messages& messages_;
};

}  // namespace tanabana::gui
