#include "gui/common/ScreenHabits.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTextEdit>
#include <QWidget>

namespace tanabana::gui {

QString unsavedTitle() { return QStringLiteral("Entry Not Saved"); }
QString unsavedText() { return QStringLiteral("This entry has changes that are not saved.\nSave them before leaving?"); }

bool mayLeave(Messages& messages, bool unsaved, const std::function<bool()>& save) {
    if (!unsaved) return true;
    const int answer = messages.choose(unsavedTitle(), unsavedText(),
                                       {QStringLiteral("&Save"), QStringLiteral("&Discard"), QStringLiteral("Go &Back")});
    if (answer == 0) return save && save();
    return answer == 1;
}

void closeScreen(QWidget* screen) {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(screen->parentWidget())) sub->close();
    else screen->close();
}

namespace {

bool takesTyping(const QWidget* w) {
    if (!w->isEnabled() || !w->isVisibleTo(w->window()) || !(w->focusPolicy() & Qt::TabFocus)) return false;
    if (auto* box = qobject_cast<const QLineEdit*>(w)) return !box->isReadOnly() && !qobject_cast<QAbstractSpinBox*>(w->parentWidget()) &&
                                                              !qobject_cast<QComboBox*>(w->parentWidget());
    return qobject_cast<const QAbstractSpinBox*>(w) || qobject_cast<const QComboBox*>(w) || qobject_cast<const QPlainTextEdit*>(w) ||
           qobject_cast<const QTextEdit*>(w);
}

}  // namespace

QWidget* firstField(QWidget* screen) {
    for (QWidget* w = screen->nextInFocusChain(); w && w != screen; w = w->nextInFocusChain())
        if (screen->isAncestorOf(w) && takesTyping(w)) return w;
    return nullptr;
}

void focusFirstField(QWidget* screen) {
    QWidget* target = screen->focusWidget();
    if (!target || !screen->isAncestorOf(target) || !target->isEnabled() || !target->isVisibleTo(screen)) target = firstField(screen);
    if (!target) return;
    target->setFocus(Qt::OtherFocusReason);
    if (auto* box = qobject_cast<QLineEdit*>(target)) box->selectAll();
}

void keepOnScreen(QWidget* window) {
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    QRect frame = window->frameGeometry();
    const QSize extra = frame.size() - window->size();
    if (frame.width() > area.width() || frame.height() > area.height())
        window->resize(std::min(frame.width(), area.width()) - extra.width(), std::min(frame.height(), area.height()) - extra.height());
    frame = window->frameGeometry();
    int x = std::clamp(frame.x(), area.left(), std::max(area.left(), area.right() - frame.width() + 1));
    int y = std::clamp(frame.y(), area.top(), std::max(area.top(), area.bottom() - frame.height() + 1));
    window->move(x, y);
}

}  // namespace tanabana::gui
