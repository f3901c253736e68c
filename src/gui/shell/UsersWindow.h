#pragma once
// The operators' windows: frmUserCreation lists the operators and creates or rewrites one with a
// password and a tick for every menu command they may use; frmChangePassWord gives the logged-in
// operator a new password. Both work on the year list through the operator services.
#include "core/Messages.h"
#include "core/Session.h"
#include "domain/shell/Installation.h"

#include <QMap>
#include <QWidget>

class QCheckBox;
class QLineEdit;
class QListWidget;

namespace tanabana::gui {

class UsersWindow : public QWidget {
    Q_OBJECT
public:
    UsersWindow(shell::Installation installation, Session& session, Messages& messages, QWidget* parent = nullptr);

    QCheckBox* rightBox(const QString& column) const { return boxes_.value(column); }

public slots:
    void save();
    void removeUser();
    void newUser();
    void showUser(const QString& name);
    void reload();

private:
    QWidget* buildRights();

    shell::Installation installation_;
    Session& session_;
    Messages& messages_;
    QListWidget* users_;
    QLineEdit *name_, *password_, *retype_;
    QMap<QString, QCheckBox*> boxes_;
};

class ChangePasswordWindow : public QWidget {
    Q_OBJECT
public:
    ChangePasswordWindow(shell::Installation installation, Session& session, Messages& messages, QWidget* parent = nullptr);

public slots:
    void save();

private:
    shell::Installation installation_;
    Session& session_;
    Messages& messages_;
    QLineEdit *password_, *retype_;
};

}  // namespace tanabana::gui
