#include "gui/shell/Commands.h"

#include "domain/accounts/AccountRegisters.h"
#include "gui/shell/MainWindow.h"

namespace tanabana::gui {

void CommandRegistry::add(const QString& name, CommandAction action) { actions_[name] = std::move(action); }

bool CommandRegistry::has(const QString& name) const { return actions_.count(name) > 0; }

bool CommandRegistry::run(const QString& name, CommandContext& context) const {
    auto found = actions_.find(name);
    if (found == actions_.end()) return false;
    found->second(context);
    return true;
}

void CommandRegistry::addDocument(int tableCode, DocumentOpener open, bool openingBill) {
    documents_[{tableCode, openingBill}] = std::move(open);
}

bool CommandRegistry::hasDocument(int tableCode, bool openingBill) const { return documents_.count({tableCode, openingBill}) > 0; }

bool CommandRegistry::openDocument(int tableCode, qint64 voucherNo, CommandContext& context, bool openingBill) const {
    auto found = documents_.find({tableCode, openingBill});
    if (found == documents_.end()) return false;
    db::Database* year = context.openYear();
    if (!year || context.session.firmNo <= 0) return false;
    found->second(context, *year, voucherNo);
    return true;
}

void openScreen(CommandContext& context, const std::function<QWidget*(db::Database& year)>& make) {
    db::Database* year = context.openYear();
    if (!year || context.session.firmNo <= 0) return;
    if (QWidget* screen = make(*year)) context.window.openChild(screen);
}

bool openDocumentScreen(CommandContext& context, int tableCode, qint64 voucherNo, bool openingBill) {
    if (context.window.commands().openDocument(tableCode, voucherNo, context, openingBill)) return true;
    context.messages.information(QStringLiteral("Not Available"),
                                 QStringLiteral("No window opens this kind of document yet (type %1).").arg(tableCode));
    return false;
}

bool openPostedDocument(CommandContext& context, qint64 journalNo) {
    db::Database* year = context.openYear();
    if (!year || journalNo <= 0) return false;
    const auto posted = accounts::postedDocument(*year, context.session.firmNo, journalNo);
    if (!posted) {
        context.messages.information(QStringLiteral("Not Available"), QStringLiteral("This entry is no longer in the books."));
        return false;
    }
    return openDocumentScreen(context, posted->tableCode, posted->voucherNo);
}

}  // namespace tanabana::gui
