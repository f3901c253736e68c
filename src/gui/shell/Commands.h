#pragma once
// The commands of the menu bar and the dashboard, known by their menu names ("mnu_T12",
// "Mnu_M1"). Each subsystem's screens register what a command opens; the menu tree shows a
// command that nothing has registered as disabled, and the operator's rights decide the rest.
//
//   registry.add("mnu_T11", [](CommandContext& c) { c.window.openChild(new ChallanScreen(...)); });
#include "core/Messages.h"
#include "core/Session.h"
#include "db/Database.h"

#include <QString>
#include <QWidget>
#include <functional>
#include <map>

namespace tanabana::gui {

class MainWindow;

// What a command needs at the moment it runs: the frame, the year open now and the session.
struct CommandContext {
    MainWindow& window;
    std::function<db::Database*()> openYear;  // the year database open now, or null
    Session& session;
    Messages& messages;
};

using CommandAction = std::function<void(CommandContext&)>;

// Opens a posted document in its own window at that document: the year open now and the key the
// journal keeps for it (a bill's Id, a voucher's number).
using DocumentOpener = std::function<void(CommandContext&, db::Database& year, qint64 voucherNo)>;

class CommandRegistry {
public:
    void add(const QString& name, CommandAction action);
    bool has(const QString& name) const;
    // Runs the command; false when nothing is registered under the name.
    bool run(const QString& name, CommandContext& context) const;

    // The screen that opens documents of a journal TableCode (3 a sales bill, 7 a bank payment);
    // `openingBill` registers the screen of the pending bills carried from an earlier year.
    void addDocument(int tableCode, DocumentOpener open, bool openingBill = false);
    bool hasDocument(int tableCode, bool openingBill = false) const;
    // Opens the document when a year is open; false when no screen opens its type.
    bool openDocument(int tableCode, qint64 voucherNo, CommandContext& context, bool openingBill = false) const;

private:
    std::map<QString, CommandAction> actions_;
    std::map<std::pair<int, bool>, DocumentOpener> documents_;
};

// Opens the window `make` builds inside the work area, when a year and a firm are open.
void openScreen(CommandContext& context, const std::function<QWidget*(db::Database& year)>& make);

// Opens a posted document in its own window through the registry of `context.window`; when its
// kind has no screen yet the operator is told so and false is returned.
bool openDocumentScreen(CommandContext& context, int tableCode, qint64 voucherNo, bool openingBill = false);
// The same for the document that posted a journal number of the firm (a ledger or book line).
bool openPostedDocument(CommandContext& context, qint64 journalNo);

// Every subsystem's commands, one line per subsystem (AllCommands.cpp).
void registerAllCommands(CommandRegistry& registry);

}  // namespace tanabana::gui
