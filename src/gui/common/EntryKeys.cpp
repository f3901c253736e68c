#include "gui/common/EntryKeys.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTextEdit>

namespace tanabana::gui {

namespace {

void moveFocus(QWidget* from, bool forward) {
    QKeyEvent tab(QEvent::KeyPress, forward ? Qt::Key_Tab : Qt::Key_Backtab, forward ? Qt::NoModifier : Qt::ShiftModifier);
    QApplication::sendEvent(from, &tab);
}

bool isEnter(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

}  // namespace

EntryKeys::EntryKeys(QWidget* form, const Session* session) : QObject(form), session_(session) {}

EntryKeys* EntryKeys::install(QWidget* form, const Session* session) {
    auto* keys = new EntryKeys(form, session);
    for (QWidget* child : form->findChildren<QWidget*>()) {
        if (qobject_cast<QLineEdit*>(child) || qobject_cast<QAbstractButton*>(child) ||
            qobject_cast<QAbstractSpinBox*>(child) || qobject_cast<QComboBox*>(child))
            child->installEventFilter(keys);
    }
    return keys;
}

bool EntryKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (!widget || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
    // a combo box's open list keeps its own keys; the line edit inside a combo box belongs to it
    if (auto* combo = qobject_cast<QComboBox*>(widget); combo && combo->view()->isVisible()) return false;
    if (qobject_cast<QLineEdit*>(widget) && qobject_cast<QComboBox*>(widget->parentWidget())) return false;
    if (auto* box = qobject_cast<QLineEdit*>(widget); box && session_ && functionKeyText(box, key->key(), *session_)) return true;
    if (isEnter(key->key())) {
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) button->click();
        else moveFocus(widget, true);
        return true;
    }
    if (key->key() == Qt::Key_Escape) {
        moveFocus(widget, false);
        return true;
    }
    return false;
}

bool functionKeyText(QLineEdit* box, int key, const Session& session) {
    const QString* text = key == Qt::Key_F2 ? &session.funKeyF2
                          : key == Qt::Key_F3 ? &session.funKeyF3
                          : key == Qt::Key_F4 ? &session.funKeyF4
                                              : nullptr;
    if (!text) return false;
    if (!box->isReadOnly()) box->insert(*text);
    return true;
}

void twoDecimals(QLineEdit* box) {
    QString text = box->text().trimmed();
    const int point = text.indexOf(QLatin1Char('.'));
    if (point >= 0) text = text.left(point + 3);
    bool ok = false;
    const double value = text.toDouble(&ok);
    box->setText(QString::number(ok ? value : 0.0, 'f', 2));
}

WaitIndicator::WaitIndicator(QStatusBar* bar) : bar_(bar) { QApplication::setOverrideCursor(Qt::WaitCursor); }

WaitIndicator::~WaitIndicator() {
    if (bar_) bar_->clearMessage();
    QApplication::restoreOverrideCursor();
}

QString WaitIndicator::text() const {
    static const char* const texts[] = {"Wait..", "Wait......", "Wait........"};
    return QString::fromLatin1(texts[phase_ % 3]);
}

void WaitIndicator::step() {
    if (bar_) bar_->showMessage(text());
    ++phase_;
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace tanabana::gui
