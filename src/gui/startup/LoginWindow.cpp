#include "gui/startup/LoginWindow.h"

#include "domain/shell/Operators.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QValidator>
#include <QVBoxLayout>

namespace tanabana::gui {

namespace {

// Every typed key becomes upper case, as operators are used to.
class UpperCase : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        input = input.toUpper();
        return Acceptable;
    }
};

}  // namespace

LoginWindow::LoginWindow(const shell::Installation& installation, Session& session, Messages& messages, QWidget* parent)
    : QDialog(parent), installation_(installation), session_(session), messages_(messages), user_(new QLineEdit(this)),
      password_(new QLineEdit(this)) {
    setObjectName(QStringLiteral("frmLogin"));
    setWindowTitle(QStringLiteral("Login"));
    user_->setObjectName(QStringLiteral("txtUsername"));
    password_->setObjectName(QStringLiteral("txtPassword"));
    password_->setEchoMode(QLineEdit::Password);
    for (QLineEdit* box : {user_, password_}) {
        box->setValidator(new UpperCase(box));
        box->setMaxLength(50);
    }
    auto* login = new QPushButton(QStringLiteral("&Login"), this);
    login->setObjectName(QStringLiteral("cmd_login"));
    auto* cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cancel->setObjectName(QStringLiteral("cmd_cancle"));
    login->setAutoDefault(false);
    cancel->setAutoDefault(false);

    auto* heading = new QLabel(QStringLiteral("Tanabana"), this);
    QFont big = heading->font();
    big.setPointSize(big.pointSize() + 6);
    big.setBold(true);
    heading->setFont(big);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("User Name"), user_);
    form->addRow(QStringLiteral("Password"), password_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(login);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addLayout(form);
    layout->addLayout(buttons);
    setFixedSize(sizeHint().expandedTo(QSize(340, 0)));

    connect(user_, &QLineEdit::returnPressed, password_, [this] { password_->setFocus(); });
    connect(password_, &QLineEdit::returnPressed, login, &QPushButton::click);
    connect(login, &QPushButton::clicked, this, &LoginWindow::tryLogin);
    connect(cancel, &QPushButton::clicked, this, &LoginWindow::reject);
    user_->setFocus();
}

void LoginWindow::tryLogin() {
    if (shell::login(installation_, session_, messages_, user_->text(), password_->text())) {
        emit loggedIn();
        accept();
        return;
    }
    password_->clear();
    user_->setFocus();
    user_->selectAll();
}

void LoginWindow::reject() {
    if (messages_.ask(QStringLiteral("Exit Confirmation"), QStringLiteral("DO YOU WANT TO EXIT "))) {
        emit exitConfirmed();
        QDialog::reject();
    }
}

}  // namespace tanabana::gui
