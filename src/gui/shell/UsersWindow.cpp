#include "gui/shell/UsersWindow.h"

#include "db/DbError.h"
#include "domain/shell/Users.h"
#include "gui/common/EntryKeys.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace tanabana::gui {

namespace {

QLineEdit* box(QWidget* parent, const char* name, bool hidden = false) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    if (hidden) edit->setEchoMode(QLineEdit::Password);
    return edit;
}

QPushButton* userButton(QWidget* parent, const char* name, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

// Runs one piece of work on the year list; a list that cannot be opened gets its description.
template <typename Work>
bool onYearList(const shell::Installation& installation, Messages& messages, Work work) {
    try {
        db::Database yearList = installation.openYearList();
        return work(yearList);
    } catch (const db::DbError& e) {
        messages.critical(QStringLiteral("Tanabana"), e.describe());
        return false;
    }
}

}  // namespace

UsersWindow::UsersWindow(shell::Installation installation, Session& session, Messages& messages, QWidget* parent)
    : QWidget(parent), installation_(std::move(installation)), session_(session), messages_(messages) {
    setObjectName(QStringLiteral("frmUserCreation"));
    setWindowTitle(QStringLiteral("User Creation"));
    auto* outer = new QHBoxLayout(this);

    auto* left = new QVBoxLayout;
    users_ = new QListWidget(this);
    users_->setObjectName(QStringLiteral("lstUsers"));
    users_->setMinimumWidth(240);
    left->addWidget(new QLabel(QStringLiteral("Users"), this));
    left->addWidget(users_, 1);
    auto* form = new QFormLayout;
    name_ = box(this, "txtUserName");
    password_ = box(this, "txtPassword", true);
    retype_ = box(this, "txtRetypePassword", true);
    name_->setMaxLength(50);
    form->addRow(QStringLiteral("User Name"), name_);
    form->addRow(QStringLiteral("Password"), password_);
    form->addRow(QStringLiteral("Retype Password"), retype_);
    left->addLayout(form);
    auto* buttons = new QGridLayout;
    QPushButton* newButton = userButton(this, "cmd_New", QStringLiteral("&New"));
    QPushButton* saveButton = userButton(this, "cmd_save", QStringLiteral("&Save"));
    QPushButton* deleteButton = userButton(this, "cmd_Delete", QStringLiteral("&Delete"));
    QPushButton* exitButton = userButton(this, "Cmd_Exit", QStringLiteral("E&xit"));
    buttons->addWidget(newButton, 0, 0);
    buttons->addWidget(saveButton, 0, 1);
    buttons->addWidget(deleteButton, 1, 0);
    buttons->addWidget(exitButton, 1, 1);
    left->addLayout(buttons);
    outer->addLayout(left);

    QWidget* rights = buildRights();
    rights->setParent(this);
    rights->setMinimumSize(760, 540);
    outer->addWidget(rights, 1);

    connect(newButton, &QPushButton::clicked, this, &UsersWindow::newUser);
    connect(saveButton, &QPushButton::clicked, this, &UsersWindow::save);
    connect(deleteButton, &QPushButton::clicked, this, &UsersWindow::removeUser);
    connect(exitButton, &QPushButton::clicked, this, [this] { parentWidget() ? parentWidget()->close() : close(); });
    connect(users_, &QListWidget::currentTextChanged, this, &UsersWindow::showUser);
    EntryKeys::install(this, &session_);
    reload();
    newUser();
}

QWidget* UsersWindow::buildRights() {
    // One page per group, the boxes in columns, so the whole set is seen without scrolling.
    auto* pages = new QTabWidget;
    pages->setObjectName(QStringLiteral("tabRights"));
    for (const shell::RightsGroup& group : shell::rightsGroups()) {
        auto* page = new QWidget(pages);
        page->setObjectName(QStringLiteral("fra") + group.title);
        auto* grid = new QGridLayout(page);
        grid->setVerticalSpacing(2);
        const int perColumn = 22;
        for (int i = 0; i < int(group.boxes.size()); ++i) {
            auto* check = new QCheckBox(group.boxes[i].caption, page);
            check->setObjectName(QStringLiteral("chk") + group.boxes[i].column);
            boxes_.insert(group.boxes[i].column, check);
            grid->addWidget(check, i % perColumn, i / perColumn, Qt::AlignTop);
        }
        grid->setRowStretch(perColumn, 1);
        grid->setColumnStretch(int(group.boxes.size() - 1) / perColumn + 1, 1);
        pages->addTab(page, group.title);
    }
    return pages;
}

void UsersWindow::reload() {
    QStringList names;
    onYearList(installation_, messages_, [&](db::Database& yearList) {
        names = shell::OperatorAccounts(yearList, session_, messages_).names();
        return true;
    });
    const QSignalBlocker quiet(users_);
    users_->clear();
    users_->addItems(names);
}

void UsersWindow::newUser() {
    const QSignalBlocker quiet(users_);
    users_->setCurrentRow(-1);
    name_->clear();
    password_->clear();
    retype_->clear();
    for (QCheckBox* check : boxes_) check->setChecked(true);
    name_->setFocus();
}

void UsersWindow::showUser(const QString& name) {
    if (name.isEmpty()) return;
    QVariantMap rights;
    onYearList(installation_, messages_, [&](db::Database& yearList) {
        rights = shell::operatorRights(yearList, name);
        return true;
    });
    name_->setText(name);
    password_->clear();
    retype_->clear();
    for (auto it = boxes_.cbegin(); it != boxes_.cend(); ++it) it.value()->setChecked(rights.value(it.key(), 1).toInt() != 0);
}

void UsersWindow::save() {
    QVariantMap rights;
    for (auto it = boxes_.cbegin(); it != boxes_.cend(); ++it) rights.insert(it.key(), it.value()->isChecked());
    const bool saved = onYearList(installation_, messages_, [&](db::Database& yearList) {
        return shell::OperatorAccounts(yearList, session_, messages_).save(name_->text(), password_->text(), retype_->text(), rights);
    });
    if (!saved) return;
    reload();
    newUser();
}

void UsersWindow::removeUser() {
    const bool removed = onYearList(installation_, messages_, [&](db::Database& yearList) {
        return shell::OperatorAccounts(yearList, session_, messages_).remove(name_->text());
    });
    if (!removed) return;
    reload();
    newUser();
}

ChangePasswordWindow::ChangePasswordWindow(shell::Installation installation, Session& session, Messages& messages, QWidget* parent)
    : QWidget(parent), installation_(std::move(installation)), session_(session), messages_(messages) {
    setObjectName(QStringLiteral("frmChangePassWord"));
    setWindowTitle(QStringLiteral("Change PassWord"));
    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("User"), new QLabel(session_.loginUser, this));
    password_ = box(this, "txtPassword", true);
    retype_ = box(this, "txtRetypePassword", true);
    form->addRow(QStringLiteral("New Password"), password_);
    form->addRow(QStringLiteral("Retype Password"), retype_);
    QPushButton* saveButton = userButton(this, "cmd_save", QStringLiteral("&Save"));
    form->addRow(QString(), saveButton);
    connect(saveButton, &QPushButton::clicked, this, &ChangePasswordWindow::save);
    EntryKeys::install(this, &session_);
    password_->setFocus();
}

void ChangePasswordWindow::save() {
    const bool saved = onYearList(installation_, messages_, [&](db::Database& yearList) {
        return shell::OperatorAccounts(yearList, session_, messages_).changePassword(session_.loginUser, password_->text(), retype_->text());
    });
    if (saved) {
        if (parentWidget()) parentWidget()->close();
        else close();
        return;
    }
    password_->clear();
    retype_->clear();
    password_->setFocus();
}

}  // namespace tanabana::gui
