#include "gui/common/EntryKeys.h"

#include "gui/common/LookupField.h"
#include "gui/common/ScreenHabits.h"
#include "gui/common/TypedFields.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QDateTimeEdit>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTextEdit>

namespace tanabana::gui {

namespace {

// The next (or previous) widget of the focus chain that takes focus by Tab.
QWidget* neighbour(QWidget* from, bool forward) {
    for (QWidget* w = forward ? from->nextInFocusChain() : from->previousInFocusChain(); w && w != from;
         w = forward ? w->nextInFocusChain() : w->previousInFocusChain())
        if ((w->focusPolicy() & Qt::TabFocus) && w->isVisible() && w->isEnabled() && w->window() == from->window() && !w->focusProxy())
            return w;
    return nullptr;
}

void moveFocus(QWidget* from, bool forward) {
    // a date box takes Tab for its day, month and year: Enter leaves the box instead
    if (qobject_cast<QDateTimeEdit*>(from)) {
        if (QWidget* next = neighbour(from, forward)) next->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        return;
    }
    QKeyEvent tab(QEvent::KeyPress, forward ? Qt::Key_Tab : Qt::Key_Backtab, forward ? Qt::NoModifier : Qt::ShiftModifier);
    QApplication::sendEvent(from, &tab);
}

bool isEnter(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

// The field a key belongs to: the date box rather than the text box inside it.
QWidget* fieldOf(QWidget* widget) {
    if (auto* spin = qobject_cast<QAbstractSpinBox*>(widget->parentWidget())) return spin;
    return widget;
}

}  // namespace

EntryKeys::EntryKeys(QWidget* form, const Session* session, Messages* messages)
    : QObject(form), session_(session), boxes_(form), messages_(messages ? *messages : boxes_) {}

EntryKeys* EntryKeys::install(QWidget* form, const Session* session, Messages* messages) {
    auto* keys = new EntryKeys(form, session, messages);
    for (QWidget* child : form->findChildren<QWidget*>()) {
        if (qobject_cast<QLineEdit*>(child) || qobject_cast<QAbstractButton*>(child) ||
            qobject_cast<QAbstractSpinBox*>(child) || qobject_cast<QComboBox*>(child))
            child->installEventFilter(keys);
        // An open completion list takes the Enter and hands it straight to the box, past this
        // filter: the box's own signal then moves on, so the next thing typed lands in the next field.
        if (auto* edit = qobject_cast<QLineEdit*>(child);
            edit && !qobject_cast<QComboBox*>(edit->parentWidget()) && !qobject_cast<QAbstractSpinBox*>(edit->parentWidget()))
            connect(edit, &QLineEdit::returnPressed, keys, [keys, edit] { keys->enter(edit); });
        // A list box's completion list is watched itself: its Enter takes the highlighted entry
        // and moves on.
        if (auto* combo = qobject_cast<QComboBox*>(child); combo && combo->isEditable() && combo->completer()) {
            combo->completer()->popup()->installEventFilter(keys);
            keys->completionLists_[combo->completer()->popup()] = combo;
        }
    }
    return keys;
}

void EntryKeys::setOrder(const QList<QWidget*>& fields) {
    order_.clear();
    for (QWidget* field : fields) {
        order_ << field;
        field->installEventFilter(this);
        if (auto* spin = qobject_cast<QAbstractSpinBox*>(field))
            if (auto* inner = spin->findChild<QLineEdit*>()) inner->installEventFilter(this);
    }
}

void EntryKeys::onEnter(QWidget* field, std::function<bool()> action) { actions_[field] = std::move(action); }

void EntryKeys::next(QWidget* from, bool backwards) {
    int index = -1;
    for (int i = 0; i < order_.size(); ++i)
        if (order_.at(i) == from) index = i;
    if (index < 0) {
        moveFocus(from, !backwards);
        return;
    }
    for (int i = index + (backwards ? -1 : 1); i >= 0 && i < order_.size(); i += backwards ? -1 : 1) {
        QWidget* target = order_.at(i);
        if (!target || !target->isEnabled() || !target->isVisibleTo(target->window())) continue;
        target->setFocus(Qt::OtherFocusReason);
        if (auto* box = qobject_cast<QLineEdit*>(target)) box->selectAll();
        return;
    }
}

bool EntryKeys::enter(QWidget* field) {
    if (refuseTypedValue(field, messages_)) return true;
    auto* lookup = qobject_cast<LookupField*>(field);
    if (lookup) lookup->acceptCurrent();
    if (const auto action = actions_.find(field); action != actions_.end() && action->second()) return true;
    if (auto* button = qobject_cast<QAbstractButton*>(field)) {
        button->click();
        return true;
    }
    // A search field whose text names nothing chosen waits for a choice from its list.
    if (lookup && lookup->chosenId() == 0 && !lookup->text().trimmed().isEmpty()) return true;
    next(field, false);
    return true;
}

bool EntryKeys::takeCompletion(QObject* list, int key) {
    const auto it = completionLists_.find(list);
    if (it == completionLists_.end() || !isEnter(key)) return false;
    auto* combo = qobject_cast<QComboBox*>(it->second.data());
    auto* view = qobject_cast<QAbstractItemView*>(list);
    if (!combo || !view || !combo->completer()) return false;
    if (const QModelIndex chosen = view->currentIndex(); chosen.isValid())
        combo->setEditText(chosen.data(combo->completer()->completionRole()).toString());
    view->hide();
    enter(combo);
    return true;
}

bool EntryKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    if (takeCompletion(watched, static_cast<QKeyEvent*>(event)->key())) return true;
    if (completionLists_.count(watched)) return false;  // its other keys (Down, Esc) are the list's
    auto* widget = qobject_cast<QWidget*>(watched);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (!widget) return false;
    // a wrong number or date keeps the cursor whichever way the operator tries to leave
    if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) && refuseTypedValue(fieldOf(widget), messages_)) return true;
    if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
    // a combo box's open list keeps its own keys; the line edit inside a combo box belongs to it
    if (auto* combo = qobject_cast<QComboBox*>(widget); combo && combo->view()->isVisible()) return false;
    if (qobject_cast<QLineEdit*>(widget) && qobject_cast<QComboBox*>(widget->parentWidget())) return false;
    if (auto* box = qobject_cast<QLineEdit*>(widget); box && session_ && functionKeyText(box, key->key(), *session_)) return true;
    QWidget* field = fieldOf(widget);
    if (isEnter(key->key())) return enter(field);
    if (key->key() == Qt::Key_Escape) {
        // Esc first closes a search list that is open.
        if (auto* lookup = qobject_cast<LookupField*>(field); lookup && lookup->listVisible()) return false;
        if (auto* form = qobject_cast<QWidget*>(parent()); leave_ && form && field == firstField(form)) {
            leave_();
            return true;
        }
        next(field, true);
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
