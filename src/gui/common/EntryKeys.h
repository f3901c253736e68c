#pragma once
// The keyboard habits of every entry screen, so operators can fill a form without the mouse:
// Enter moves to the next field (and presses a focused button), Esc goes back to the previous
// field, and F2, F3, F4 in a text field put in the firm's fixed texts (such as "Grey Fabric").
#include "core/Session.h"

#include <QObject>

class QLineEdit;
class QStatusBar;

namespace tanabana::gui {

class EntryKeys : public QObject {
public:
    // Installs the habits on every field of `form` (call after the form is built). With a
    // session, F2/F3/F4 insert its function-key texts.
    static EntryKeys* install(QWidget* form, const Session* session = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    EntryKeys(QWidget* form, const Session* session);
    const Session* session_;
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
