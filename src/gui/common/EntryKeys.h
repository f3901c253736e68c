#pragma once
// The keyboard habits of every entry screen, so operators can fill a form without the mouse:
// Enter moves to the next field (and presses a focused button), Esc goes back to the previous
// field, and F2, F3, F4 in a text field put in the firm's fixed texts (such as "Grey Fabric").
// A search field (LookupField) takes the highlighted row on Enter, keeps Esc for closing its
// list, and keeps the focus while its text names nothing chosen. A number or date box
// (TypedFields) holding a wrong value is not left by Enter or Tab: its refusal is shown instead.
//
// A document screen gives its own field order and what Enter does on a few fields:
//   auto* keys = EntryKeys::install(this, &session_);
//   keys->setOrder({book_, billNo_, party_, quality_, pcs_, rate_, saveButton_});
//   keys->onEnter(rate_, [this] { addLine(); return true; });   // true: handled, stay put
#include "core/Session.h"
#include "gui/common/MessageBoxes.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <functional>
#include <map>

class QLineEdit;
class QStatusBar;

namespace tanabana::gui {

class EntryKeys : public QObject {
public:
    // Installs the habits on every field of `form` (call after the form is built).
    // With a session, F2/F3/F4 insert its function-key texts. Refusals of typed values go to
    // `messages` (tests), else to message boxes over the form.
    static EntryKeys* install(QWidget* form, const Session* session = nullptr, Messages* messages = nullptr);

    // Enter and Esc walk this list (disabled or hidden fields are passed over); fields outside it
    // keep the tab order.
    void setOrder(const QList<QWidget*>& fields);
    // Runs when Enter is pressed on `field` (after a search list took its row). Returning true
    // ends the key there; false goes on to the next field.
    void onEnter(QWidget* field, std::function<bool()> action);
    // Runs when Esc is pressed in the screen's first field (leaving the screen, which asks first
    // when something is unsaved).
    void onEscapeFromFirst(std::function<void()> leave) { leave_ = std::move(leave); }
    // Moves to the field after (or before) `from` in the order.
    void next(QWidget* from, bool backwards = false);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    EntryKeys(QWidget* form, const Session* session, Messages* messages);
    bool enter(QWidget* field);
    // Enter on the open completion list of a list box: takes the highlighted entry and moves on.
    bool takeCompletion(QObject* list, int key);
    const Session* session_;
    MessageBoxes boxes_;
    Messages& messages_;
    QList<QPointer<QWidget>> order_;
    std::map<QObject*, std::function<bool()>> actions_;
    std::function<void()> leave_;
    std::map<QObject*, QPointer<QWidget>> completionLists_;  // completion list -> its list box
};

// F2/F3/F4 put the session's texts into the box at the cursor; true when the key was one of them.
bool functionKeyText(QLineEdit* box, int key, const Session& session);
// A typed amount cut to two places after the point and shown as "0.00".
void twoDecimals(QLineEdit* box);

// Shows the long run in the status bar ("Wait..", "Wait......", "Wait........" in turn) with the
// hourglass pointer, and lets the window repaint between steps. Ends with the scope.
class WaitIndicator {
public:
    explicit WaitIndicator(QStatusBar* bar = nullptr);
    ~WaitIndicator();
    WaitIndicator(const WaitIndicator&) = delete;
    WaitIndicator& operator=(const WaitIndicator&) = delete;
    void step();
    QString text() const;

private:
    QStatusBar* bar_;
    int phase_ = 0;
};

}  // namespace tanabana::gui
