#pragma once
// The login window: user name and password typed in capitals, Enter to move on and to log in.
// A wrong pair is refused ("ACCESS DENIED") and may be tried again without limit.
#include "core/Messages.h"
#include "core/Session.h"
#include "domain/shell/Installation.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace tanabana::gui {

class LoginWindow : public QDialog {
    Q_OBJECT
public:
    LoginWindow(const shell::Installation& installation, Session& session, Messages& messages, QWidget* parent = nullptr);

signals:
    void loggedIn();
    void exitConfirmed();

protected:
    void reject() override;

private:
    void tryLogin();

    const shell::Installation& installation_;
    Session& session_;
    Messages& messages_;
    QLineEdit* user_;
    QLineEdit* password_;
};

}  // namespace tanabana::gui
