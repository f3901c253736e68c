// The mill commands of the Job Work menu: "3. Issue To Mill" and "4. Receive From Mill" open the
// taka-wise screens in the variant of the firm's kind of business: the looms' grey takas for a
// production firm, the bleaching screens for a bleaching firm, the purchase takas otherwise.
#include "domain/shell/FirmSettings.h"
#include "gui/mill/MillScreens.h"
#include "gui/shell/Commands.h"

namespace tanabana::gui {

namespace {

int softType(const Session& session) { return shell::FirmSettings(session).softType(); }

}  // namespace

void registerMillCommands(CommandRegistry& registry) {
    registry.add(QStringLiteral("mnu_I3"), [](CommandContext& c) {
        const int type = softType(c.session);
        const QString name = type == 9 ? QStringLiteral("frmIssueToMill_1_Grey")
                             : type == 7 || type == 8 ? QStringLiteral("frmIssueToMill_1_BL")
                                                      : QStringLiteral("frmIssueToMill_1");
        openScreen(c, [&](db::Database& year) { return new MillIssueScreen(year, c.session, c.messages, millIssueVariant(name)); });
    });
    registry.add(QStringLiteral("mnu_I4"), [](CommandContext& c) {
        const int type = softType(c.session);
        const QString name = type == 9 ? QStringLiteral("frmIssueToMillRec_1_grey")
                             : type == 7 || type == 8 ? QStringLiteral("frmIssueToMillRec_1_BL")
                                                      : QStringLiteral("frmIssueToMillRec_1");
        openScreen(c, [&](db::Database& year) { return new MillReceiptScreen(year, c.session, c.messages, millReceiptVariant(name)); });
    });
}

}  // namespace tanabana::gui
