// The mill commands of the Job Work menu: "3. Issue To Mill" and "4. Receive From Mill" open the
// taka-wise screens in the variant of the firm's kind of business (the looms' grey takas for a
// production firm, the purchase takas otherwise); a bleaching firm's inward and outward challans
// ("5." and "6.") are the BL variants; "1." and "2." the quality-wise job-process challans.
#include "domain/ledger/Journal.h"
#include "domain/shell/FirmSettings.h"
#include "gui/mill/JobProcessScreen.h"
#include "gui/mill/MillCarryScreen.h"
#include "gui/mill/MillScreens.h"
#include "gui/shell/Commands.h"
#include "gui/shell/MainWindow.h"

namespace tanabana::gui {

namespace {

int softType(const Session& session) { return shell::FirmSettings(session).softType(); }
bool bleaching(const Session& session) { return softType(session) == 7 || softType(session) == 8; }

}  // namespace

void registerMillCommands(CommandRegistry& registry) {
    registry.add(QStringLiteral("mnu_I3"), [](CommandContext& c) {
        const QString name = softType(c.session) == 9 ? QStringLiteral("frmIssueToMill_1_Grey") : QStringLiteral("frmIssueToMill_1");
        openScreen(c, [&](db::Database& year) { return new MillIssueScreen(year, c.session, c.messages, millIssueVariant(name)); });
    });
    registry.add(QStringLiteral("mnu_I4"), [](CommandContext& c) {
        const QString name = softType(c.session) == 9 ? QStringLiteral("frmIssueToMillRec_1_grey") : QStringLiteral("frmIssueToMillRec_1");
        openScreen(c, [&](db::Database& year) { return new MillReceiptScreen(year, c.session, c.messages, millReceiptVariant(name)); });
    });
    // "Issue (Work Dispatch)" and "Receive (Work Receive)": the quality-wise job-process challans.
    const auto jobProcess = [](bool receipt) {
        return [receipt](CommandContext& c) {
            openScreen(c, [&](db::Database& year) { return new JobProcessScreen(year, c.session, c.messages, receipt); });
        };
    };
    registry.add(QStringLiteral("mnu_I1"), jobProcess(false));
    registry.add(QStringLiteral("mnu_I2"), jobProcess(true));
    // A bleaching firm takes its customers' grey in on the BL issue screen and sends it back
    // processed on the BL receipt; other firms keep the job-process challans here.
    registry.add(QStringLiteral("mnu_I5"), [jobProcess](CommandContext& c) {
        if (!bleaching(c.session)) return jobProcess(true)(c);
        openScreen(c, [&](db::Database& year) {
            return new MillIssueScreen(year, c.session, c.messages, millIssueVariant(QStringLiteral("frmIssueToMill_1_BL")));
        });
    });
    registry.add(QStringLiteral("mnu_I6"), [jobProcess](CommandContext& c) {
        if (!bleaching(c.session)) return jobProcess(false)(c);
        openScreen(c, [&](db::Database& year) {
            return new MillReceiptScreen(year, c.session, c.messages, millReceiptVariant(QStringLiteral("frmIssueToMillRec_1_BL")));
        });
    });
    // The job-process receipt is the one mill challan that posts: the books open it in its window.
    registry.addDocument(ledger::DocumentType::JobReceipt, [](CommandContext& c, db::Database& year, qint64 id) {
        auto* screen = new JobProcessScreen(year, c.session, c.messages, true);
        c.window.openChild(screen);
        screen->openEntry(id);
    });
    // The year-end pairs: carry into the next year, and remove what the last year carried in.
    using Kind = mill::MillCarry::Kind;
    using Mode = MillCarryScreen::Mode;
    const std::tuple<const char*, Kind, Mode> carries[] = {{"mnu_Y634", Kind::UnpaidReceipts, Mode::Carry},
                                                           {"mnu_Y635", Kind::PendingTakas, Mode::Carry},
                                                           {"mnu_Y734", Kind::UnpaidReceipts, Mode::Remove},
                                                           {"mnu_Y735", Kind::PendingTakas, Mode::Remove}};
    for (const auto& [command, kind, mode] : carries)
        registry.add(QString::fromLatin1(command), [kind, mode](CommandContext& c) {
            Session* session = &c.session;
            Messages* messages = &c.messages;
            openScreen(c, [&](db::Database& year) {
                return new MillCarryScreen(year, c.session, c.messages, kind, mode, [session, messages] { return openNextYear(*session, *messages); });
            });
        });
}

}  // namespace tanabana::gui
