#include "gui/common/GuardedSave.h"

#include "core/Decimal.h"
#include "db/DbError.h"

#include <QDebug>

namespace tanabana::gui {

namespace {

QString notSavedText(const QString& what, const QString& reason) {
    return QStringLiteral("%1 failed.\n%2\nNothing was written; what you typed is still on the screen.").arg(what, reason);
}

}  // namespace

bool guardedSave(Messages& messages, const QString& what, const std::function<void()>& action) {
    const QString title = QStringLiteral("Not Saved");
    try {
        action();
        return true;
    } catch (const db::DbError& e) {
        qWarning().noquote() << what << "failed:" << e.what();
        messages.critical(title, notSavedText(what, e.explain()));
    } catch (const AmountTooLarge& e) {
        messages.critical(title, notSavedText(what, e.message()));
    } catch (const std::exception& e) {
        qWarning().noquote() << what << "failed:" << e.what();
        messages.critical(title, notSavedText(what, QString::fromLocal8Bit(e.what())));
    }
    return false;
}

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
    QString reason;
    try {
        return QApplication::notify(receiver, event);
    } catch (const db::DbError& e) {
        qWarning().noquote() << "unhandled:" << e.what();
        reason = e.explain();
    } catch (const AmountTooLarge& e) {
        reason = e.message();
    } catch (const std::exception& e) {
        qWarning().noquote() << "unhandled:" << e.what();
        reason = QString::fromLocal8Bit(e.what());
    }
    messages_.critical(QStringLiteral("Not Done"), reason);
    return true;
}

}  // namespace tanabana::gui
